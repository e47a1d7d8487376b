#pragma once

#include "forms/TextBox.h"
#include "layer/Presentation.h"
#include "layer/UserEvents.h"
#include "qt/ControlView.h"
#include "qt/Conversions.h"
#include "qt/KeyTranslation.h"

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
// composition reaches no handler. A composition cut short by a focus change, a click elsewhere or
// another window is committed once, into the box where it was composed; should the input method
// then commit the same text again into whatever has the focus, that repeat is dropped.
template <class Editor>
class TextBoxWidget : public Editor, public ControlView, public UserEvents::Composition {
public:
    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Base; }

protected:
    TextBoxWidget(forms::TextBox& box, UserEvents& events, QWidget* parent)
        : Editor(parent), ControlView(box, events) {
        this->setFocusPolicy(Qt::StrongFocus);
        this->setAcceptDrops(false);
        this->setReadOnly(box.readOnly());
    }
    ~TextBoxWidget() override { events().endComposition(*this); }

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

    // Tells the model where the widget's caret now is, if it moved.
    virtual void reportCaret() = 0;
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
        const bool commitKey =
            meaning.keys == std::vector<char32_t>{13} || meaning.keys == std::vector<char32_t>{32};
        if (commitKey && composing_) {
            if (meaning.keys.front() == 13) {
                commitComposition(); // Enter confirms the composition and does no more
            }
            return; // Space converts: the input method's, not the calculator's
        }
        if (commitKey && sinceCommit_.isValid() && sinceCommit_.elapsed() < keyOfCommitMs) {
            sinceCommit_.invalidate(); // the key that committed, passed on by the input method
            return;
        }
        sinceCommit_.invalidate();
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
                    lastCommit_ = committed;
                    sinceCommit_.start();
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
        } else if (sinceCommit_.isValid() && sinceCommit_.elapsed() < keyOfCommitMs) {
            events().expectRepeat(toU16(lastCommit_));
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

    // Middle-click paste of the selection clipboard, where the platform has one.
    void pasteSelection() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (box() && !this->isReadOnly() && clipboard->supportsSelection()) {
            pasteText(clipboard->text(QClipboard::Selection));
        }
    }

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

    void dragEnterEvent(QDragEnterEvent* event) override { event->ignore(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->ignore(); }
    void dropEvent(QDropEvent* event) override { event->ignore(); }

    bool showing_ = false; // the widget is being set from the model

private:
    // A key that arrives this soon after a commit is the one that made it.
    static constexpr qint64 keyOfCommitMs = 100;

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
    QString lastCommit_;
    QElapsedTimer sinceCommit_;
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
};

} // namespace kalpeno::qt
