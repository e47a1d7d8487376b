#include "qt/MultiLineText.h"

#include <QChar>

#include <algorithm>

namespace kalpeno::qt {

namespace {

bool pairAt(std::u16string_view text, std::size_t i) {
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
}

// Walks the model's text as the editor shows it, one character at a time: a line end, a
// paragraph end that splits a long line (before a character, never before a line end nor inside
// a surrogate pair), or a character.
class ShownWalk {
public:
    ShownWalk(std::u16string_view text, qsizetype split) : text_(text), split_(split) {}

    bool atEnd() const { return i_ >= text_.size(); }
    std::size_t modelIndex() const { return i_; }

    enum class Step { LineEnd, Split, Character };
    Step next() {
        if (pairAt(text_, i_)) {
            i_ += 2;
            run_ = 0;
            return Step::LineEnd;
        }
        if (split_ > 0 && run_ >= split_ && !QChar::isLowSurrogate(text_[i_])) {
            run_ = 0;
            return Step::Split;
        }
        ++i_;
        ++run_;
        return Step::Character;
    }
    char16_t character() const { return text_[i_ - 1]; }

private:
    std::u16string_view text_;
    qsizetype split_;
    std::size_t i_ = 0;
    qsizetype run_ = 0;
};

QChar shownCharacter(char16_t c) {
    return QChar(c == u'\r' ? loneCarriageReturn : c == u'\n' ? loneLineFeed : c);
}

} // namespace

QString editorText(std::u16string_view modelText, qsizetype split) {
    QString shown;
    shown.reserve(static_cast<qsizetype>(modelText.size()) +
                  (split > 0 ? static_cast<qsizetype>(modelText.size()) / split : 0));
    for (ShownWalk walk(modelText, split); !walk.atEnd();) {
        if (walk.next() == ShownWalk::Step::Character) {
            shown += shownCharacter(walk.character());
        } else {
            shown += QChar(paragraphSeparator);
        }
    }
    return shown;
}

std::u16string modelText(const QString& editorRawText) {
    std::u16string text;
    text.reserve(static_cast<std::size_t>(editorRawText.size()));
    for (const QChar c : editorRawText) {
        switch (c.unicode()) {
        case paragraphSeparator:
        case lineSeparator:
        case u'\n':
            text += u"\r\n";
            break;
        case loneCarriageReturn:
            text += u'\r';
            break;
        case loneLineFeed:
            text += u'\n';
            break;
        default:
            text += c.unicode();
            break;
        }
    }
    return text;
}

QString copiedText(std::u16string_view modelText) {
    QString text = editorText(modelText, 0);
    text.replace(QChar(paragraphSeparator), QChar(u'\n'));
    return text;
}

bool sameLines(QStringView a, QStringView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameShown);
}

qsizetype linesPerParagraph(qsizetype lineEnds) {
    return lineEnds <= maxParagraphs ? 1 : (lineEnds + maxParagraphs - 1) / maxParagraphs;
}

void groupLines(QString& part, qsizetype perParagraph) {
    if (perParagraph <= 1) {
        return;
    }
    qsizetype ends = 0;
    qsizetype start = 0; // of the paragraph
    for (qsizetype i = 0; i < part.size(); ++i) {
        if (part[i].unicode() != paragraphSeparator) {
            continue;
        }
        if (++ends % perParagraph != 0 && i - start < splitLength) {
            part[i] = QChar(lineSeparator);
        } else {
            start = i + 1;
        }
    }
}

int editorPosition(std::u16string_view modelText, std::size_t modelPosition) {
    int position = 0;
    for (ShownWalk walk(modelText, splitLength); !walk.atEnd() && walk.modelIndex() < modelPosition;
         ++position) {
        walk.next();
    }
    return position;
}

std::size_t modelPosition(std::u16string_view modelText, int editorPosition) {
    ShownWalk walk(modelText, splitLength);
    for (int position = 0; position < editorPosition && !walk.atEnd(); ++position) {
        walk.next();
    }
    return walk.modelIndex();
}

} // namespace kalpeno::qt
