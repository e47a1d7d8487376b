#include "qt/boxes/MultiLineMapping.h"

#include <QChar>

#include <algorithm>
#include <iterator>

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

// The marks follow ShownWalk: a CR LF is one editor position; a split comes before the character
// that makes the run since the line's start (or the last split) longer than `split`, unless that
// character ends a surrogate pair (the split then waits one character) or begins a CR LF.
ShownPositions::ShownPositions(std::u16string_view modelText, qsizetype split)
    : modelSize_(modelText.size()) {
    marks_.push_back({0, 0, false});
    std::size_t i = 0;
    int editor = 0;
    const auto splitSize = static_cast<std::size_t>(std::max<qsizetype>(split, 0));
    while (i < modelText.size()) {
        const std::size_t lineEnd = std::min(modelText.find(u"\r\n", i), modelText.size());
        std::size_t runStart = i;
        while (splitSize > 0 && lineEnd - runStart > splitSize) {
            std::size_t at = runStart + splitSize;
            while (at < lineEnd && QChar::isLowSurrogate(modelText[at])) {
                ++at;
            }
            if (at >= lineEnd) {
                break;
            }
            editor += static_cast<int>(at - runStart) + 1;
            marks_.push_back({at, editor, true});
            runStart = at;
        }
        editor += static_cast<int>(lineEnd - runStart);
        if (lineEnd == modelText.size()) {
            break;
        }
        i = lineEnd + 2;
        editor += 1;
        marks_.push_back({i, editor, false});
    }
    editorSize_ = editor;
}

// A model position at a split is the end of the paragraph before it.
int ShownPositions::editor(std::size_t model) const {
    model = std::min(model, modelSize_);
    auto mark =
        std::prev(std::upper_bound(marks_.begin(), marks_.end(), model,
                                   [](std::size_t m, const Mark& k) { return m < k.model; }));
    if (mark->split && mark->model == model) {
        --mark;
    }
    return mark->editor + static_cast<int>(model - mark->model);
}

std::size_t ShownPositions::model(int editor) const {
    editor = std::clamp(editor, 0, editorSize_);
    const auto mark = std::prev(std::upper_bound(
        marks_.begin(), marks_.end(), editor, [](int e, const Mark& k) { return e < k.editor; }));
    return mark->model + static_cast<std::size_t>(editor - mark->editor);
}

} // namespace kalpeno::qt
