#pragma once
// What a key press or a piece of inserted text means for a text box of the model. The widget
// never edits its own text: typing, pasting and input-method text all become the model's key
// presses (Application::pressKey), one character at a time, so that the box's key-press handler
// decides about each; navigation and copying stay with the widget.

#include <QString>

#include <vector>

class QInputMethodEvent;
class QKeyEvent;

namespace kalpeno::qt {

enum class LineMode { Single, Multi };

enum class KeyEffect {
    Keys,       // the keys are pressed into the model's box
    Paste,      // the clipboard's text is pressed into the box, as if typed
    Navigation, // the widget moves its caret or selection; the new caret goes to the model
    Copy,       // the widget copies its selection
    Refused,    // an edit that would bypass the handlers (Delete, Cut, Undo, Redo...): nothing
    Unhandled,  // not a key for the box (Escape, function keys): passed on to the window
};

struct KeyMeaning {
    KeyEffect effect = KeyEffect::Unhandled;
    std::vector<char32_t> keys;
};

KeyMeaning keyMeaning(const QKeyEvent& event);

// The key presses that insert a text as if it were typed. A single-line box takes the text up
// to its first line end; a multi-line box gets Enter (13) for each line end. Other control
// characters are dropped, except a tab in a multi-line box.
std::vector<char32_t> keysOfText(const QString& text, LineMode mode);

// The part of an input-method event that the widget may show itself: the preedit text being
// composed, without the committed text and without a selection it would make in the text.
QInputMethodEvent preeditOnly(const QInputMethodEvent& event);

} // namespace kalpeno::qt
