#include "qt/boxes/SingleLineBox.h"

#include "layer/TextExcerpt.h"
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

SingleLineBox::SingleLineBox(forms::TextBox& box, UserEvents& events, QWidget* parent)
    : EntryBox(box, events, parent) {
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

std::u16string SingleLineBox::shownText() const {
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

std::size_t SingleLineBox::shownCaret() const {
    return modelPosition(cursorPosition());
}

std::size_t SingleLineBox::shownAnchor() const {
    const int anchor = anchorOf(*this);
    const qsizetype farEdge = farAnchor_ < start_ ? 0 : text().size();
    if (reachesBeyond() && hasSelectedText() && anchor == farEdge) {
        return farAnchor_;
    }
    return modelPosition(anchor);
}

// A changed text shows no selection.
void SingleLineBox::showText() {
    if (box()) {
        showSelection(box()->caret(), box()->caret());
    }
}

void SingleLineBox::showCaret() {
    if (box() && shownCaret() != box()->caret()) {
        showSelection(box()->caret(), box()->caret());
    }
}

void SingleLineBox::showSelection(std::size_t anchor, std::size_t caret) {
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

void SingleLineBox::select(std::size_t anchor, std::size_t caret) {
    showSelection(anchor, caret);
    caret = std::min(caret, box()->text().size());
    if (caret != box()->caret()) {
        events().moveCaret(*box(), caret);
    }
}

// After the widget moved its caret or selection: the model learns where the caret is, and the
// excerpt follows it.
void SingleLineBox::reportCaret() {
    if (box() && !showing_) {
        select(shownAnchor(), shownCaret());
    }
}

void SingleLineBox::clearSelection() {
    farAnchor_ = noAnchor;
    deselect();
}

QString SingleLineBox::farSelection() const {
    const std::size_t caret = shownCaret();
    const std::size_t from = std::min(farAnchor_, caret);
    const std::size_t to = std::max(farAnchor_, caret);
    return toQString(box()->text().substr(from, to - from));
}

void SingleLineBox::copySelection() {
    if (!reachesBeyond() || !box()) {
        copy();
        return;
    }
    QGuiApplication::clipboard()->setText(farSelection());
}

void SingleLineBox::selectAllText() {
    if (box()) {
        select(0, box()->text().size());
    }
}

// Where the widget knows only its excerpt, the selection clipboard gets the model's text.
void SingleLineBox::publishSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (box() && reachesBeyond() && clipboard->supportsSelection()) {
        clipboard->setText(farSelection(), QClipboard::Selection);
    }
}

// In a text longer than its excerpt, the keys that go to the ends of the text or of a selection
// that reaches beyond the excerpt are worked out on the model's text.
bool SingleLineBox::moveInModel(const QKeyEvent& event) {
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
// The widget shows its excerpt alone: a selection reaching beyond it goes to the selection
// clipboard from the model's text.
void SingleLineBox::mouseReleaseEvent(QMouseEvent* event) {
    EntryBox::mouseReleaseEvent(event);
    if (event->button() != Qt::MiddleButton) {
        publishSelection();
    }
}

// Focus by Tab keeps the model's caret, rather than selecting the whole text.
void SingleLineBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    showCaret();
}

} // namespace kalpeno::qt
