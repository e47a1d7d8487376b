#pragma once
// What a key press means for a text box of the model. The widget never edits its own text:
// typing becomes the model's key presses (Application::pressKey), pasting and input-method text
// the model's paste (Application::paste), so that the box's key-press handler decides about each
// character; navigation and copying stay with the widget.

#include <QString>

#include <vector>

class QInputMethodEvent;
class QKeyEvent;

namespace kalpeno::qt {

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

// The part of an input-method event that the widget may show itself: the preedit text being
// composed, without the committed text and without a selection it would make in the text.
QInputMethodEvent preeditOnly(const QInputMethodEvent& event);

} // namespace kalpeno::qt
