#pragma once
// A multi-line text box of the model ends its lines with CR LF, as the Help window's load writes
// them; the plain-text editor that shows it holds one paragraph per line. A CR or an LF that is
// not part of a CR LF pair is no line end in the model (a file with LF line ends is one line), so
// the editor shows it as the control picture "␍" or "␊" inside the line.
//
// Positions: the model counts CR LF as two units, the editor counts a paragraph end as one.

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace kalpeno::qt {

inline constexpr char16_t loneCarriageReturn = u'\u240D';
inline constexpr char16_t loneLineFeed = u'\u240A';

// The editor's raw text (paragraphs separated by U+2029, as QTextDocument::toRawText gives it).
QString editorText(std::u16string_view modelText);
// The model's text for the editor's raw text: the inverse of editorText.
std::u16string modelText(const QString& editorRawText);

int editorPosition(std::u16string_view modelText, std::size_t modelPosition);
std::size_t modelPosition(std::u16string_view modelText, int editorPosition);

} // namespace kalpeno::qt
