#pragma once

#include "forms/TextBox.h"
#include "layer/Presentation.h"
#include "layer/UserEvents.h"
#include "qt/Conversions.h"
#include "qt/boxes/InputMethodGuard.h"
#include "qt/boxes/KeyTranslation.h"
#include "qt/controls/ControlView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <utility>
#include <vector>

namespace kalpeno::qt {

// What the two kinds of text box widget share (Editor is QLineEdit or QPlainTextEdit): the text
// and caret are the model's, and the widget never edits its own text. Every key goes to the model
// as a key press, and pasted text (Ctrl+V, Shift+Insert, the context menu) and text an input
// method commits as the model's paste, so that the box's key-press handler decides about each
// character and the model's box inserts; the widget only shows the result. Selecting, copying
// and moving the caret stay with the widget, and a caret move is reported to the model. Delete,
// Cut, Undo, Redo and drops do nothing.
//
// Input-method compositions: the text being composed (the preedit) is shown in the box and never
// reaches the model; only committed text does. The Enter or Space that commits or converts a
// composition reaches no handler (InputMethodGuard.h). A composition cut short by a focus change, a
// click elsewhere or another window is committed once, into the box where it was composed; should
// the input method then commit the same text again into whatever has the focus, that repeat is
// dropped.
template <class Editor>
class EntryBox : public Editor, public ControlView, public UserEvents::Composition {
public:
    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Base; }

protected:
    EntryBox(forms::TextBox& box, UserEvents& events, QWidget* parent)
        : Editor(parent), ControlView(box, events) {
        this->setFocusPolicy(Qt::StrongFocus);
        this->setAcceptDrops(false);
        this->setReadOnly(box.readOnly());
    }
    ~EntryBox() override { events().endComposition(*this); }

    // The composition in this box ends now: its text goes into the box, once.
    void finishComposition() override {
        if (!composing_) {
            return;
        }
        const QString text = composition_;
        clearComposition();
        QGuiApplication::inputMethod()->reset();
        if (box()) {
            events().paste(*box(), toU16(text));
        }
        events().expectRepeat(toU16(text));
    }

    forms::TextBox* box() const { return static_cast<forms::TextBox*>(control()); }

    void mirrorOwn(forms::Property property) override {
        if (property == forms::Property::Text) {
            showText();
        } else if (property == forms::Property::Caret) {
            showCaret();
        }
    }
    void mirrorAllOwn() override { showText(); }
    // The model's text and caret shown; a caret shown where it already is keeps the selection
    // that ends at it. Neither is reported back to the model.
    virtual void showText() = 0;
    virtual void showCaret() = 0;

    // Tells the model where the widget's caret now is, if it moved.
    virtual void reportCaret() = 0;
    // The widget's caret, and a point of the widget, as positions of the model's text.
    virtual std::size_t caretInModel() const = 0;
    virtual std::size_t modelPositionAt(QPoint point) = 0;
    // A third click selects the line under it, and the model learns where the caret went.
    virtual void selectByThirdClick(QPoint point) = 0;
    virtual bool hasSelection() const = 0;
    virtual void clearSelection() = 0;
    // Copy and select all, as the box's text is the model's.
    virtual void copySelection() { this->copy(); }
    virtual void selectAllText() {
        this->selectAll();
        reportCaret();
    }
    // A navigation key worked out on the model's text rather than the widget's; true when done.
    virtual bool moveInModel(const QKeyEvent&) { return false; }

    void press(const std::vector<char32_t>& keys) {
        for (const char32_t key : keys) {
            forms::TextBox* target = box();
            if (!target) {
                return; // its form went while the text was being typed
            }
            events().pressKey(*target, key);
        }
    }

    void pasteText(const QString& text) {
        if (box()) {
            events().paste(*box(), toU16(text));
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        const KeyMeaning meaning = keyMeaning(*event);
        if (!box() || meaning.effect == KeyEffect::Unhandled) {
            event->ignore();
            return;
        }
        if (meaning.effect == KeyEffect::Navigation) {
            if (moveInModel(*event)) {
                event->accept();
                return;
            }
            Editor::keyPressEvent(event);
            reportCaret();
            return;
        }
        event->accept();
        switch (guard_.key(meaning.keys, composing_, InputMethodGuard::Clock::now())) {
        case InputMethodGuard::KeyFate::Commit:
            commitComposition();
            return;
        case InputMethodGuard::KeyFate::Drop:
            return;
        case InputMethodGuard::KeyFate::Type:
            break;
        }
        events().expectRepeat({});
        if (meaning.effect == KeyEffect::Paste) {
            pasteText(QGuiApplication::clipboard()->text());
        } else if (meaning.effect == KeyEffect::Copy) {
            copySelection();
        } else if (meaning.effect == KeyEffect::Keys) {
            press(meaning.keys);
        }
    }

    // The committed text is pasted into the model; the widget itself shows only what is still
    // being composed.
    void inputMethodEvent(QInputMethodEvent* event) override {
        event->accept();
        const QString committed = event->commitString();
        if (!committed.isEmpty()) {
            const bool wasComposing = std::exchange(composing_, false);
            events().endComposition(*this); // the commit goes in before a new composition
            if (wasComposing || !events().takeRepeat(toU16(committed))) {
                events().expectRepeat({});
                if (wasComposing) {
                    guard_.committed(committed, InputMethodGuard::Clock::now());
                }
                pasteText(committed);
            }
        }
        if (hasSelection()) {
            clearSelection(); // the widget would replace the selection with the preedit text
        }
        QInputMethodEvent preedit = preeditOnly(*event);
        Editor::inputMethodEvent(&preedit);
        composition_ = event->preeditString();
        composing_ = !composition_.isEmpty();
        if (composing_) {
            events().beginComposition(*this);
            events().expectRepeat({});
        } else {
            events().endComposition(*this);
        }
    }

    // A composition still open when the focus leaves is committed here; one committed just
    // before (Qt asks the input method to commit as the focus moves) may come again elsewhere.
    void focusOutEvent(QFocusEvent* event) override {
        if (composing_) {
            finishComposition();
        } else if (const auto repeat = guard_.justCommitted(InputMethodGuard::Clock::now())) {
            events().expectRepeat(toU16(*repeat));
        }
        Editor::focusOutEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu menu(this);
        QAction* copyAction = menu.addAction(QString::fromUtf16(layer::copyCaption));
        copyAction->setEnabled(hasSelection());
        QAction* pasteAction = menu.addAction(QString::fromUtf16(layer::pasteCaption));
        pasteAction->setEnabled(!this->isReadOnly() &&
                                !QGuiApplication::clipboard()->text().isEmpty());
        menu.addSeparator();
        QAction* selectAllAction = menu.addAction(QString::fromUtf16(layer::selectAllCaption));
        QAction* chosen = menu.exec(event->globalPos());
        if (chosen == copyAction) {
            copySelection();
        } else if (chosen == pasteAction) {
            pasteText(QGuiApplication::clipboard()->text());
        } else if (chosen == selectAllAction) {
            selectAllText();
        }
    }

    // A left press moves the caret, and a third click selects the line, as in the widget; the
    // middle button puts the caret where it is pressed and pastes the selection clipboard, where
    // the platform has one, where it is released. The model learns where the caret went.
    void mousePressEvent(QMouseEvent* event) override {
        if (!box()) {
            Editor::mousePressEvent(event);
            return;
        }
        if (event->button() == Qt::MiddleButton) {
            events().moveCaret(*box(), modelPositionAt(event->position().toPoint()));
            event->accept();
            return;
        }
        if (isThirdClick(*event)) {
            selectByThirdClick(event->position().toPoint());
            event->accept();
            return;
        }
        Editor::mousePressEvent(event);
        if (box() && event->button() == Qt::LeftButton) {
            events().moveCaret(*box(), caretInModel());
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::MiddleButton) {
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (box() && !this->isReadOnly() && clipboard->supportsSelection() &&
                this->rect().contains(event->position().toPoint())) {
                pasteText(clipboard->text(QClipboard::Selection));
            }
            event->accept();
            return;
        }
        Editor::mouseReleaseEvent(event);
        reportCaret();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Editor::mouseDoubleClickEvent(event);
        noteDoubleClick(*event);
        reportCaret();
    }

    void dragEnterEvent(QDragEnterEvent* event) override { event->ignore(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->ignore(); }
    void dropEvent(QDropEvent* event) override { event->ignore(); }

    bool showing_ = false; // the widget is being set from the model

private:
    // A left click soon after a double click, near it, is a third click.
    void noteDoubleClick(const QMouseEvent& event) {
        if (event.button() == Qt::LeftButton) {
            sinceDoubleClick_.start();
            doubleClickAt_ = event.position().toPoint();
        }
    }
    bool isThirdClick(const QMouseEvent& event) const {
        return event.button() == Qt::LeftButton && sinceDoubleClick_.isValid() &&
               sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
               (event.position().toPoint() - doubleClickAt_).manhattanLength() <
                   QApplication::startDragDistance();
    }

    // Asks the input method to commit; when none answers, the preedit text is committed here.
    void commitComposition() {
        QGuiApplication::inputMethod()->commit();
        if (composing_) {
            const QString text = composition_;
            clearComposition();
            pasteText(text);
        }
    }

    void clearComposition() {
        QInputMethodEvent clear;
        Editor::inputMethodEvent(&clear);
        composing_ = false;
        composition_.clear();
        events().endComposition(*this);
    }

    bool composing_ = false;
    QString composition_;
    InputMethodGuard guard_;
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
};

} // namespace kalpeno::qt
