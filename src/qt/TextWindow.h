#pragma once
// A one-line box shows a long text as a window of it around the caret: Qt's line edit lays out
// and shapes its whole text at every change and every paint (the caret's blink included), which
// for a calculation of a few hundred thousand characters takes a tenth of a second and more per
// key. A text of windowLength characters or fewer is shown whole; a longer one as windowLength
// characters of it, and the window moves when the caret comes within windowMargin of a cut edge.

#include <cstddef>
#include <string_view>

namespace kalpeno::qt {

inline constexpr std::size_t windowLength = 4096;
inline constexpr std::size_t windowMargin = 1024;

// Where the window of `text` begins for a caret at `caret`: `current` while the caret stays far
// enough from its cut edges, else where the caret is in the window's middle. It never begins or
// ends inside a surrogate pair.
std::size_t windowStart(std::u16string_view text, std::size_t caret, std::size_t current);
// Where the window that begins at `start` ends.
std::size_t windowEnd(std::u16string_view text, std::size_t start);

} // namespace kalpeno::qt
