#include "qt/TextBoxLineEdit.h"

#include "qt/Conversions.h"

#include <QMouseEvent>

#include <limits>

namespace kalpeno::qt {

TextBoxLineEdit::TextBoxLineEdit(forms::TextBox& box, UserEvents& events, QWidget* parent)
    : TextBoxWidget(box, events, parent) {
    setDragEnabled(false);
    setMaxLength(std::numeric_limits<int>::max()); // the box shows all the model holds
    setAlignment(Qt::AlignVCenter | horizontalAlignmentOf(box.alignment()));
    // A safety net: should anything but the mirroring change the widget's text (the widget
    // itself, or a screen reader through the text interface), the model's text comes back.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!showing_) {
            showText();
        }
    });
}

void TextBoxLineEdit::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Text) {
        showText();
    } else if (property == forms::Property::Caret) {
        showCaret();
    }
}

void TextBoxLineEdit::mirrorAllOwn() {
    showText();
}

void TextBoxLineEdit::showText() {
    if (!box()) {
        return;
    }
    showing_ = true;
    const QString text = toQString(box()->text());
    if (this->text() != text) {
        setText(text);
    }
    setCursorPosition(static_cast<int>(box()->caret()));
    showing_ = false;
}

// A caret that is already there keeps the selection that ends at it.
void TextBoxLineEdit::showCaret() {
    if (box() && static_cast<std::size_t>(cursorPosition()) != box()->caret()) {
        showing_ = true;
        setCursorPosition(static_cast<int>(box()->caret()));
        showing_ = false;
    }
}

void TextBoxLineEdit::reportCaret() {
    if (box() && !showing_ && static_cast<std::size_t>(cursorPosition()) != box()->caret()) {
        events().moveCaret(*box(), static_cast<std::size_t>(cursorPosition()));
    }
}

// A click into the box gives it the focus and the caret, also where the caret already is. The
// middle button puts the caret where the selection clipboard's text is to go.
void TextBoxLineEdit::mousePressEvent(QMouseEvent* event) {
    if (!box()) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        const int position = cursorPositionAt(event->position().toPoint());
        events().moveCaret(*box(), static_cast<std::size_t>(position));
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
    if (box() && event->button() == Qt::LeftButton) {
        events().moveCaret(*box(), static_cast<std::size_t>(cursorPosition()));
    }
}

void TextBoxLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        if (rect().contains(event->position().toPoint())) {
            pasteSelection();
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    reportCaret();
}

void TextBoxLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    reportCaret();
}

// Focus by Tab keeps the model's caret, rather than selecting the whole text.
void TextBoxLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    showCaret();
}

} // namespace kalpeno::qt
