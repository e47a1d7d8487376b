#include "qt/TextBoxEditor.h"

#include "qt/Conversions.h"
#include "qt/MultiLineText.h"

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

// The paragraph ends that split a long line are not in the model's text, and only the model's
// text says where they are: an editor that shows exactly the model's text shows that text.
std::u16string TextBoxEditor::shownText() const {
    const QString shown = document()->toRawText();
    if (box() && sameLines(shown, editorText(box()->text()))) {
        return box()->text();
    }
    return modelText(shown);
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

// Between two paragraphs that split a long line, the editor has two positions where the model
// has one: an arrow key that moved the caret only from one to the other moves it once more.
void TextBoxEditor::keyPressEvent(QKeyEvent* event) {
    const int before = textCursor().position();
    const std::size_t inModel = box() ? caretInModel() : 0;
    TextBoxWidget::keyPressEvent(event);
    if (box() && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) &&
        textCursor().position() != before && caretInModel() == inModel) {
        TextBoxWidget::keyPressEvent(event);
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
    if (isThirdClick(*event)) {
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
    noteDoubleClick(*event);
    reportCaret();
}

// A third click selects the line under it with its line end, as Qt selects a paragraph; a line
// may be several paragraphs of the editor and a paragraph several lines, so the model's text
// says where the line begins and ends.
void TextBoxEditor::selectLine(QPoint at) {
    const std::u16string_view text = box()->text();
    const std::size_t position = modelPosition(text, cursorForPosition(at).position());
    const std::size_t before = position >= 2 ? text.rfind(u"\r\n", position - 2) : text.npos;
    const std::size_t after = text.find(u"\r\n", position);
    QTextCursor cursor(document());
    cursor.setPosition(editorPosition(text, before == text.npos ? 0 : before + 2));
    cursor.setPosition(editorPosition(text, after == text.npos ? text.size() : after + 2),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// A copy (and the selection clipboard) takes the model's text of the selection: the paragraph
// ends that split a long line are none of it.
QMimeData* TextBoxEditor::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    if (!box()) {
        return QPlainTextEdit::createMimeDataFromSelection();
    }
    const std::u16string_view text = box()->text();
    const std::size_t start = modelPosition(text, cursor.selectionStart());
    const std::size_t end = modelPosition(text, cursor.selectionEnd());
    auto* data = new QMimeData;
    data->setText(copiedText(text.substr(start, end - start)));
    return data;
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
