#pragma once
// A one-line box shows a long text as an excerpt of it around the caret: a toolkit's line edit lays
// out its whole text at every change and paint (Qt's at every paint, the caret's blink included;
// Wine's EDIT in time that grows faster than the text), which for a calculation of a few hundred
// thousand characters takes a tenth of a second and more per key. A text of `length` characters
// or fewer is shown whole; a longer one as `length` characters of it, and the excerpt moves when
// the caret comes within `margin` of a cut edge. Each window layer chooses the length its line
// edit handles in a millisecond or two.

#include <cstddef>
#include <string_view>

namespace kalpeno::layer {

struct TextExcerpt {
    std::size_t length;
    std::size_t margin;

    // Where the excerpt of `text` begins for a caret at `caret`: `current` while the caret stays
    // far enough from its cut edges, else where the caret is in the excerpt's middle. It never
    // begins or ends inside a surrogate pair.
    std::size_t start(std::u16string_view text, std::size_t caret, std::size_t current) const;
    // Where the excerpt that begins at `start` ends.
    std::size_t end(std::u16string_view text, std::size_t start) const;
    // Where `position` of the whole text is in an excerpt that begins at `start` and shows
    // `shown` characters: -1 outside it.
    static long within(std::size_t position, std::size_t start, std::size_t shown);
};

} // namespace kalpeno::layer
