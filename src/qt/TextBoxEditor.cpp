#include "qt/TextBoxEditor.h"

#include "qt/Conversions.h"
#include "qt/MultiLineText.h"

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kalpeno::qt {

TextBoxEditor::TextBoxEditor(forms::TextBox& box, UserEvents& events, QWidget* parent)
    : TextBoxWidget(box, events, parent) {
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    viewport()->setAcceptDrops(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(box.verticalScrollBar() ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAsNeeded);
    // A safety net: should the editor ever change its text itself (a drag that moves text out of
    // it), the model's text comes back.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!showing_ && this->box() &&
            !sameLines(document()->toRawText(), editorText(this->box()->text()))) {
            showText();
        }
    });
}

std::u16string TextBoxEditor::shownText() const {
    return modelText(document()->toRawText());
}

void TextBoxEditor::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Text) {
        showText();
    } else if (property == forms::Property::Caret) {
        showCaret();
    }
}

void TextBoxEditor::mirrorAllOwn() {
    showText();
}

void TextBoxEditor::showText() {
    if (!box()) {
        return;
    }
    showing_ = true;
    const QString wanted = editorText(box()->text());
    const QString shown = document()->toRawText();
    if (!sameLines(shown, wanted)) {
        replaceChangedPart(shown, wanted);
    }
    QTextCursor caret = textCursor();
    caret.setPosition(caretInEditor());
    setTextCursor(caret);
    showing_ = false;
}

// Only the changed middle of the text is replaced, so a key typed into a long text neither
// rebuilds the document nor moves the view. A line end shown as either separator is unchanged.
void TextBoxEditor::replaceChangedPart(const QString& shown, const QString& wanted) {
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

int TextBoxEditor::caretInEditor() const {
    return editorPosition(box()->text(), box()->caret());
}

std::size_t TextBoxEditor::caretInModel() const {
    return modelPosition(box()->text(), textCursor().position());
}

// A caret that is already there keeps the selection that ends at it.
void TextBoxEditor::showCaret() {
    if (!box() || textCursor().position() == caretInEditor()) {
        return;
    }
    showing_ = true;
    QTextCursor caret = textCursor();
    caret.setPosition(caretInEditor());
    setTextCursor(caret);
    showing_ = false;
}

void TextBoxEditor::reportCaret() {
    if (box() && !showing_ && caretInModel() != box()->caret()) {
        events().moveCaret(*box(), caretInModel());
    }
}

void TextBoxEditor::clearSelection() {
    QTextCursor caret = textCursor();
    caret.clearSelection();
    setTextCursor(caret);
}

// A click into the box gives it the focus and the caret, also where the caret already is. The
// middle button puts the caret where the selection clipboard's text is to go.
void TextBoxEditor::mousePressEvent(QMouseEvent* event) {
    if (!box()) {
        QPlainTextEdit::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        const int position = cursorForPosition(event->position().toPoint()).position();
        events().moveCaret(*box(), modelPosition(box()->text(), position));
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && sinceDoubleClick_.isValid() &&
        sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
        (event->position().toPoint() - doubleClickAt_).manhattanLength() <
            QApplication::startDragDistance()) {
        selectLine(event->position().toPoint());
        events().moveCaret(*box(), caretInModel());
        event->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
    if (box() && event->button() == Qt::LeftButton) {
        events().moveCaret(*box(), caretInModel());
    }
}

void TextBoxEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        pasteSelection();
        event->accept();
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
    reportCaret();
}

void TextBoxEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        sinceDoubleClick_.start();
        doubleClickAt_ = event->position().toPoint();
    }
    reportCaret();
}

// A third click selects the line under it with its line end, as Qt selects a paragraph; a
// paragraph of a long text holds several lines, so the editor finds the line itself.
void TextBoxEditor::selectLine(QPoint at) {
    QTextCursor cursor = cursorForPosition(at);
    const QTextBlock block = cursor.block();
    const QString text = block.text();
    const qsizetype inBlock = cursor.position() - block.position();
    const qsizetype start =
        inBlock > 0 ? text.lastIndexOf(QChar(lineSeparator), inBlock - 1) + 1 : 0;
    const qsizetype end = text.indexOf(QChar(lineSeparator), inBlock);
    cursor.setPosition(block.position() + static_cast<int>(start));
    if (end >= 0) {
        cursor.setPosition(block.position() + static_cast<int>(end) + 1, QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
}

bool TextBoxEditor::canInsertFromMimeData(const QMimeData* source) const {
    return !isReadOnly() && source->hasText();
}

// Whatever would insert data into the editor types its text into the model instead.
void TextBoxEditor::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) {
        pasteText(source->text());
    }
}

} // namespace kalpeno::qt
