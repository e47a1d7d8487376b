#pragma once
// A multi-line text box of the model ends its lines with CR LF, as the Help window's load writes
// them; the plain-text editor that shows it holds one paragraph per line. A CR or an LF that is
// not part of a CR LF pair is no line end in the model (a file with LF line ends is one line), so
// the editor shows it as the control picture "␍" or "␊" inside the line.
//
// Positions: the model counts CR LF as two units, the editor counts a paragraph end as one.
//
// A long text holds several lines per paragraph, ended by U+2028 inside it (one unit as well):
// inserting paragraphs into Qt's text document costs more than linear time in their number, so
// one insertion never adds more than maxParagraphs of them. It looks the same, line for line.
//
// A long line is shown as several paragraphs of splitLength characters: Qt lays out one
// paragraph in more than linear time in its length (a wrapped line of 200,000 characters took
// seconds, and as long again for every key typed into it). Those paragraph ends are no line ends:
// the model's text has nothing there, and an editor position on either side of one is the same
// model position. Where they fall follows from the model's text alone.

#include <QString>
#include <QStringView>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalpeno::qt {

inline constexpr char16_t loneCarriageReturn = u'\u240D';
inline constexpr char16_t loneLineFeed = u'\u240A';
inline constexpr char16_t paragraphSeparator = u'\u2029';
inline constexpr char16_t lineSeparator = u'\u2028';
inline constexpr qsizetype maxParagraphs = 8192;
inline constexpr qsizetype splitLength = 2048;

// The editor's raw text (paragraphs separated by U+2029, as QTextDocument::toRawText gives it),
// with a long line split every `split` characters (0: never).
QString editorText(std::u16string_view modelText, qsizetype split = splitLength);
// The model's text for the editor's raw text of a text with no line longer than splitLength: the
// inverse of editorText. U+2028 ends a line as U+2029 does.
std::u16string modelText(const QString& editorRawText);
// The text a copy of part of the model's text gives: lines ended by LF, as Qt copies paragraphs,
// and a lone CR or LF as the editor shows it.
QString copiedText(std::u16string_view modelText);

// Whether a character of the editor's text ends a line: either separator.
inline bool isLineEnd(QChar c) {
    return c.unicode() == paragraphSeparator || c.unicode() == lineSeparator;
}
// Whether two characters, or two editor texts, show the same model text: equal but for which of
// the two separators ends each line.
inline bool sameShown(QChar a, QChar b) {
    return a == b || (isLineEnd(a) && isLineEnd(b));
}
bool sameLines(QStringView a, QStringView b);
// How many lines each paragraph holds when that many line ends are inserted at once: 1 up to
// maxParagraphs of them.
qsizetype linesPerParagraph(qsizetype lineEnds);
// Part of an editor text with its line ends grouped: each perParagraph-th line end stays a
// paragraph end, and so does one that ends splitLength characters or more since the last
// paragraph end; the others become U+2028.
void groupLines(QString& part, qsizetype perParagraph);

// Positions of a text in the model's count and in the editor's, worked out once for the text:
// the two counts part only at a CR LF and at a split, which are kept in order, so that a position
// is mapped in logarithmic time however long the text is. Beyond the text is its end.
class ShownPositions {
public:
    explicit ShownPositions(std::u16string_view modelText, qsizetype split = splitLength);

    int editor(std::size_t model) const;
    std::size_t model(int editor) const;
    int editorSize() const { return editorSize_; }

private:
    // Where a line starts (after a CR LF) or a split ends, in both counts.
    struct Mark {
        std::size_t model;
        int editor;
        bool split;
    };
    std::vector<Mark> marks_;
    std::size_t modelSize_ = 0;
    int editorSize_ = 0;
};

} // namespace kalpeno::qt
