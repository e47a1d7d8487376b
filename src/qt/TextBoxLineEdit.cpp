#include "qt/TextBoxLineEdit.h"

#include "layer/TextWindow.h"
#include "qt/Conversions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMouseEvent>

#include <algorithm>
#include <limits>

namespace kalpeno::qt {

namespace {

// The selection's anchor in the widget; the caret when nothing is selected.
int anchorOf(const QLineEdit& edit) {
    if (!edit.hasSelectedText()) {
        return edit.cursorPosition();
    }
    return edit.cursorPosition() == edit.selectionStart() ? edit.selectionEnd()
                                                          : edit.selectionStart();
}

bool matchesAny(const QKeyEvent& event, std::initializer_list<QKeySequence::StandardKey> keys) {
    return std::any_of(keys.begin(), keys.end(), [&](auto key) { return event.matches(key); });
}

} // namespace

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

std::u16string TextBoxLineEdit::shownText() const {
    const QString shown = text();
    if (box()) {
        const std::u16string_view model = box()->text();
        if (start_ <= model.size() &&
            QStringView(shown) == model.substr(start_, textWindow.end(model, start_) - start_)) {
            return std::u16string(model);
        }
    }
    return toU16(shown);
}

std::size_t TextBoxLineEdit::shownCaret() const {
    return modelPosition(cursorPosition());
}

std::size_t TextBoxLineEdit::shownAnchor() const {
    const int anchor = anchorOf(*this);
    const qsizetype farEdge = farAnchor_ < start_ ? 0 : text().size();
    if (reachesBeyond() && hasSelectedText() && anchor == farEdge) {
        return farAnchor_;
    }
    return modelPosition(anchor);
}

int TextBoxLineEdit::widgetPosition(std::size_t position) const {
    return static_cast<int>(
        layer::TextWindow::within(position, start_, static_cast<std::size_t>(text().size())));
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

// A changed text shows no selection.
void TextBoxLineEdit::showText() {
    if (box()) {
        showSelection(box()->caret(), box()->caret());
    }
}

// A caret that is already there keeps the selection that ends at it.
void TextBoxLineEdit::showCaret() {
    if (box() && shownCaret() != box()->caret()) {
        showSelection(box()->caret(), box()->caret());
    }
}

void TextBoxLineEdit::showSelection(std::size_t anchor, std::size_t caret) {
    const std::u16string_view text = box()->text();
    caret = std::min(caret, text.size());
    anchor = std::min(anchor, text.size());
    const std::size_t start = textWindow.start(text, caret, start_);
    const std::size_t end = textWindow.end(text, start);
    const bool anchorInside = anchor >= start && anchor <= end;
    const int caretAt = static_cast<int>(caret - start);
    const int anchorAt =
        static_cast<int>(anchorInside ? anchor - start : (anchor < start ? 0 : end - start));
    showing_ = true;
    start_ = start;
    farAnchor_ = anchorInside ? noAnchor : anchor;
    const QString part = toQString(text.substr(start, end - start));
    if (this->text() != part) {
        setText(part);
    }
    if (cursorPosition() != caretAt || anchorOf(*this) != anchorAt) {
        if (anchorAt == caretAt) {
            setCursorPosition(caretAt);
        } else {
            setSelection(anchorAt, caretAt - anchorAt);
        }
    }
    showing_ = false;
}

void TextBoxLineEdit::select(std::size_t anchor, std::size_t caret) {
    showSelection(anchor, caret);
    caret = std::min(caret, box()->text().size());
    if (caret != box()->caret()) {
        events().moveCaret(*box(), caret);
    }
}

// After the widget moved its caret or selection: the model learns where the caret is, and the
// window follows it.
void TextBoxLineEdit::reportCaret() {
    if (box() && !showing_) {
        select(shownAnchor(), shownCaret());
    }
}

void TextBoxLineEdit::clearSelection() {
    farAnchor_ = noAnchor;
    deselect();
}

QString TextBoxLineEdit::farSelection() const {
    const std::size_t caret = shownCaret();
    const std::size_t from = std::min(farAnchor_, caret);
    const std::size_t to = std::max(farAnchor_, caret);
    return toQString(box()->text().substr(from, to - from));
}

void TextBoxLineEdit::copySelection() {
    if (!reachesBeyond() || !box()) {
        copy();
        return;
    }
    QGuiApplication::clipboard()->setText(farSelection());
}

void TextBoxLineEdit::selectAllText() {
    if (box()) {
        select(0, box()->text().size());
    }
}

// Where the widget knows only its window, the selection clipboard gets the model's text.
void TextBoxLineEdit::publishSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (box() && reachesBeyond() && clipboard->supportsSelection()) {
        clipboard->setText(farSelection(), QClipboard::Selection);
    }
}

// In a text longer than its window, the keys that go to the ends of the text or of a selection
// that reaches beyond the window are worked out on the model's text.
bool TextBoxLineEdit::moveInModel(const QKeyEvent& event) {
    if (!box() || box()->text().size() <= textWindow.length) {
        return false;
    }
    const std::size_t size = box()->text().size();
    const std::size_t caret = shownCaret();
    const std::size_t anchor = shownAnchor();
    using Key = QKeySequence::StandardKey;
    if (matchesAny(event, {Key::MoveToStartOfLine, Key::MoveToStartOfBlock})) {
        select(0, 0);
    } else if (matchesAny(event, {Key::MoveToEndOfLine, Key::MoveToEndOfBlock})) {
        select(size, size);
    } else if (matchesAny(event, {Key::SelectStartOfLine, Key::SelectStartOfBlock})) {
        select(anchor, 0);
    } else if (matchesAny(event, {Key::SelectEndOfLine, Key::SelectEndOfBlock})) {
        select(anchor, size);
    } else if (event.matches(Key::SelectAll)) {
        select(0, size);
    } else if (reachesBeyond() && event.matches(Key::MoveToPreviousChar)) {
        select(std::min(anchor, caret), std::min(anchor, caret));
    } else if (reachesBeyond() && event.matches(Key::MoveToNextChar)) {
        select(std::max(anchor, caret), std::max(anchor, caret));
    } else {
        return false;
    }
    return true;
}

// A click into the box gives it the focus and the caret, also where the caret already is. The
// middle button puts the caret where the selection clipboard's text is to go. A third click
// selects the whole text.
void TextBoxLineEdit::mousePressEvent(QMouseEvent* event) {
    if (!box()) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        const int position = cursorPositionAt(event->position().toPoint());
        events().moveCaret(*box(), modelPosition(position));
        event->accept();
        return;
    }
    if (isThirdClick(*event)) {
        selectAllText();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
    if (box() && event->button() == Qt::LeftButton) {
        events().moveCaret(*box(), shownCaret());
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
    publishSelection();
}

void TextBoxLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    noteDoubleClick(*event);
    reportCaret();
}

// Focus by Tab keeps the model's caret, rather than selecting the whole text.
void TextBoxLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    showCaret();
}

} // namespace kalpeno::qt
