#include "qt/boxes/MultiLineBox.h"

#include "qt/Conversions.h"
#include "qt/boxes/MultiLineMapping.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kalpeno::qt {

MultiLineBox::MultiLineBox(forms::TextBox& box, UserEvents& events, QWidget* parent)
    : EntryBox(box, events, parent) {
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    viewport()->setAcceptDrops(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(box.verticalScrollBar() ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAsNeeded);
    // A safety net: should the editor ever change its text itself (a drag that moves text out of
    // it), the model's text comes back. What changes no length (the layout of a composition) is
    // no change of the text.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (showing_ ||
            (shownModel_ && document()->characterCount() - 1 == positions().editorSize())) {
            return;
        }
        shownModel_.reset();
        positions_.reset();
        if (this->box() && !sameLines(document()->toRawText(), editorText(this->box()->text()))) {
            showText();
        }
    });
}

// The paragraph ends that split a long line are not in the model's text, and only the model's
// text says where they are: an editor that shows exactly the model's text shows that text.
std::u16string MultiLineBox::shownText() const {
    const QString shown = document()->toRawText();
    if (box() && sameLines(shown, editorText(box()->text()))) {
        return box()->text();
    }
    return modelText(shown);
}

// Once the editor shows a text of the model's, a change replaces only the lines it touched; until
// then, and should the editor have changed its text itself, the whole texts are compared.
void MultiLineBox::showText() {
    if (!box()) {
        return;
    }
    showing_ = true;
    const std::u16string& text = box()->text();
    if (!shownModel_) {
        const QString wanted = editorText(text);
        const QString shown = document()->toRawText();
        if (!sameLines(shown, wanted)) {
            replaceChangedPart(shown, wanted);
        }
        shownModel_ = text;
        positions_.reset();
    } else if (*shownModel_ != text) {
        replaceChangedLines(text);
        *shownModel_ = text;
        positions_.reset();
    }
    QTextCursor caret = textCursor();
    caret.setPosition(caretInEditor());
    setTextCursor(caret);
    showing_ = false;
}

// Only the changed middle of the text is replaced, so a key typed into a long text neither
// rebuilds the document nor moves the view. A line end shown as either separator is unchanged.
void MultiLineBox::replaceChangedPart(const QString& shown, const QString& wanted) {
    const qsizetype common = std::min(shown.size(), wanted.size());
    qsizetype prefix = 0;
    while (prefix < common && sameShown(shown[prefix], wanted[prefix])) {
        ++prefix;
    }
    if (prefix > 0 && wanted[prefix - 1].isHighSurrogate()) {
        --prefix;
    }
    qsizetype suffix = 0;
    while (suffix < common - prefix &&
           sameShown(shown[shown.size() - 1 - suffix], wanted[wanted.size() - 1 - suffix])) {
        ++suffix;
    }
    if (suffix > 0 && wanted[wanted.size() - suffix].isLowSurrogate()) {
        --suffix;
    }
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(shown.size() - suffix), QTextCursor::KeepAnchor);
    QString part = wanted.mid(prefix, wanted.size() - prefix - suffix);
    groupLines(part, linesPerParagraph(part.count(QChar(paragraphSeparator))));
    cursor.insertText(part);
}

// From the start of the first changed line to the end of the last, its line end kept: the splits
// of a long line follow from its start, and a change moves those after it. The lines around are
// the same in both texts, and so is where they start in the editor.
void MultiLineBox::replaceChangedLines(std::u16string_view wanted) {
    const std::u16string_view shown = *shownModel_;
    const std::size_t common = std::min(shown.size(), wanted.size());
    const std::size_t prefix = static_cast<std::size_t>(
        std::mismatch(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(common),
                      wanted.begin())
            .first -
        shown.begin());
    const std::size_t suffix = static_cast<std::size_t>(
        std::mismatch(shown.rbegin(), shown.rbegin() + static_cast<std::ptrdiff_t>(common - prefix),
                      wanted.rbegin())
            .first -
        shown.rbegin());
    const std::size_t lineEnd = prefix >= 2 ? shown.rfind(u"\r\n", prefix - 2) : shown.npos;
    const std::size_t start = lineEnd == shown.npos ? 0 : lineEnd + 2;
    const std::size_t nextLine = shown.find(u"\r\n", shown.size() - suffix);
    const std::size_t shownEnd = nextLine == shown.npos ? shown.size() : nextLine;
    const std::size_t wantedEnd = shownEnd - shown.size() + wanted.size();
    const ShownPositions& before = positions();
    QTextCursor cursor(document());
    cursor.setPosition(before.editor(start));
    cursor.setPosition(before.editor(shownEnd), QTextCursor::KeepAnchor);
    QString part = editorText(wanted.substr(start, wantedEnd - start));
    groupLines(part, linesPerParagraph(part.count(QChar(paragraphSeparator))));
    cursor.insertText(part);
}

const ShownPositions& MultiLineBox::positions() const {
    if (!positions_) {
        positions_.emplace(shownModel_ ? std::u16string_view(*shownModel_)
                                       : std::u16string_view(box()->text()));
    }
    return *positions_;
}

int MultiLineBox::caretInEditor() const {
    return positions().editor(box()->caret());
}

std::size_t MultiLineBox::caretInModel() const {
    return positions().model(textCursor().position());
}

void MultiLineBox::showCaret() {
    if (!box() || textCursor().position() == caretInEditor()) {
        return;
    }
    showing_ = true;
    QTextCursor caret = textCursor();
    caret.setPosition(caretInEditor());
    setTextCursor(caret);
    showing_ = false;
}

void MultiLineBox::reportCaret() {
    if (box() && !showing_ && caretInModel() != box()->caret()) {
        events().moveCaret(*box(), caretInModel());
    }
}

// Between two paragraphs that split a long line, the editor has two positions where the model
// has one: an arrow key that moved the caret only from one to the other moves it once more.
void MultiLineBox::keyPressEvent(QKeyEvent* event) {
    const int before = textCursor().position();
    const std::size_t inModel = box() ? caretInModel() : 0;
    EntryBox::keyPressEvent(event);
    if (box() && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) &&
        textCursor().position() != before && caretInModel() == inModel) {
        EntryBox::keyPressEvent(event);
    }
}

void MultiLineBox::clearSelection() {
    QTextCursor caret = textCursor();
    caret.clearSelection();
    setTextCursor(caret);
}

// A click into the box gives it the focus and the caret, also where the caret already is. The
// middle button puts the caret where the selection clipboard's text is to go.
std::size_t MultiLineBox::modelPositionAt(QPoint point) {
    return positions().model(cursorForPosition(point).position());
}

// A third click selects the line under it with its line end, as Qt selects a paragraph; a line
// may be several paragraphs of the editor and a paragraph several lines, so the model's text
// says where the line begins and ends.
void MultiLineBox::selectByThirdClick(QPoint at) {
    const std::u16string_view text = box()->text();
    const std::size_t position = modelPositionAt(at);
    const std::size_t before = position >= 2 ? text.rfind(u"\r\n", position - 2) : text.npos;
    const std::size_t after = text.find(u"\r\n", position);
    QTextCursor cursor(document());
    cursor.setPosition(positions().editor(before == text.npos ? 0 : before + 2));
    cursor.setPosition(positions().editor(after == text.npos ? text.size() : after + 2),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    reportCaret();
}

// A copy (and the selection clipboard) takes the model's text of the selection: the paragraph
// ends that split a long line are none of it.
QMimeData* MultiLineBox::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    if (!box()) {
        return QPlainTextEdit::createMimeDataFromSelection();
    }
    const std::u16string_view text = box()->text();
    const std::size_t start = positions().model(cursor.selectionStart());
    const std::size_t end = positions().model(cursor.selectionEnd());
    auto* data = new QMimeData;
    data->setText(copiedText(text.substr(start, end - start)));
    return data;
}

bool MultiLineBox::canInsertFromMimeData(const QMimeData* source) const {
    return !isReadOnly() && source->hasText();
}

// Whatever would insert data into the editor types its text into the model instead.
void MultiLineBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) {
        pasteText(source->text());
    }
}

} // namespace kalpeno::qt
