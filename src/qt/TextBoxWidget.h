#pragma once

#include "forms/TextBox.h"
#include "qt/ControlView.h"
#include "qt/KeyTranslation.h"
#include "qt/UserEvents.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include <vector>

namespace kalpeno::qt {

// What the two kinds of text box widget share (Editor is QLineEdit or QPlainTextEdit): the text
// and caret are the model's, and the widget never edits its own text. Every key, pasted text
// (Ctrl+V, Shift+Insert, the context menu) and input-method text goes to the model as key
// presses, one character at a time, so that the box's key-press handler decides about each and
// the model's box inserts; the widget only shows the result. Selecting, copying and moving the
// caret stay with the widget, and a caret move is reported to the model. Delete, Cut, Undo,
// Redo and drops do nothing.
template <class Editor> class TextBoxWidget : public Editor, public ControlView {
public:
    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Base; }

protected:
    TextBoxWidget(forms::TextBox& box, UserEvents& events, LineMode mode, QWidget* parent)
        : Editor(parent), ControlView(box, events), mode_(mode) {
        this->setFocusPolicy(Qt::StrongFocus);
        this->setAcceptDrops(false);
        this->setReadOnly(box.readOnly());
    }

    forms::TextBox* box() const { return static_cast<forms::TextBox*>(control()); }

    // Tells the model where the widget's caret now is, if it moved.
    virtual void reportCaret() = 0;
    virtual bool hasSelection() const = 0;
    virtual void clearSelection() = 0;

    void press(const std::vector<char32_t>& keys) {
        for (const char32_t key : keys) {
            forms::TextBox* target = box();
            if (!target) {
                return; // its form went while the text was being typed
            }
            events().pressKey(*target, key);
        }
    }

    void pasteText(const QString& text) { press(keysOfText(text, mode_)); }

    void keyPressEvent(QKeyEvent* event) override {
        const KeyMeaning meaning = keyMeaning(*event);
        if (!box() || meaning.effect == KeyEffect::Unhandled) {
            event->ignore();
            return;
        }
        if (meaning.effect == KeyEffect::Navigation) {
            Editor::keyPressEvent(event);
            reportCaret();
            return;
        }
        event->accept();
        if (meaning.effect == KeyEffect::Paste) {
            pasteText(QGuiApplication::clipboard()->text());
        } else if (meaning.effect == KeyEffect::Copy) {
            this->copy();
        } else if (composing_ && meaning.keys == std::vector<char32_t>{13}) {
            commitComposition(); // Enter that confirms a conversion only commits its text
        } else if (meaning.effect == KeyEffect::Keys) {
            press(meaning.keys);
        }
    }

    // The committed text is typed into the model; the widget itself shows only what is still
    // being composed.
    void inputMethodEvent(QInputMethodEvent* event) override {
        const QString committed = event->commitString();
        if (!committed.isEmpty()) {
            press(keysOfText(committed, mode_));
        }
        if (hasSelection()) {
            clearSelection(); // the widget would replace the selection with the preedit text
        }
        QInputMethodEvent preedit = preeditOnly(*event);
        Editor::inputMethodEvent(&preedit);
        composition_ = event->preeditString();
        composing_ = !composition_.isEmpty();
        event->accept();
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu menu(this);
        QAction* copyAction = menu.addAction(QStringLiteral(u"コピー"));
        copyAction->setEnabled(hasSelection());
        QAction* pasteAction = menu.addAction(QStringLiteral(u"貼り付け"));
        pasteAction->setEnabled(!this->isReadOnly() &&
                                !QGuiApplication::clipboard()->text().isEmpty());
        menu.addSeparator();
        QAction* selectAllAction = menu.addAction(QStringLiteral(u"すべて選択"));
        QAction* chosen = menu.exec(event->globalPos());
        if (chosen == copyAction) {
            this->copy();
        } else if (chosen == pasteAction) {
            pasteText(QGuiApplication::clipboard()->text());
        } else if (chosen == selectAllAction) {
            this->selectAll();
            reportCaret();
        }
    }

    // Middle-click paste of the selection clipboard, where the platform has one.
    void pasteSelection() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (box() && !this->isReadOnly() && clipboard->supportsSelection()) {
            pasteText(clipboard->text(QClipboard::Selection));
        }
    }

    void dragEnterEvent(QDragEnterEvent* event) override { event->ignore(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->ignore(); }
    void dropEvent(QDropEvent* event) override { event->ignore(); }

    bool showing_ = false; // the widget is being set from the model

private:
    // Asks the input method to commit; when none answers, the preedit text is committed here.
    void commitComposition() {
        QGuiApplication::inputMethod()->commit();
        if (!composing_) {
            return;
        }
        const QString text = composition_;
        QInputMethodEvent clear;
        Editor::inputMethodEvent(&clear);
        composing_ = false;
        composition_.clear();
        press(keysOfText(text, mode_));
    }

    LineMode mode_;
    bool composing_ = false;
    QString composition_;
};

} // namespace kalpeno::qt
