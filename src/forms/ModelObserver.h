#pragma once

#include <string_view>

namespace kalpeno::forms {

class Control;
class Form;
class MenuItem;

enum class Property {
    Text,       // a text box's text
    Caret,      // a text box's caret
    Caption,    // label, button, form caption
    Visible,    // control visibility
    Enabled,    // control enabled state
    BackColour, // control back colour
    Bounds,     // control position or size
    LinesAdded, // a list box got one line at the end
    LinesCleared,
};

// Told of every change of the model, as it happens. A window layer mirrors the model with it.
class ModelObserver {
public:
    virtual ~ModelObserver() = default;
    virtual void controlChanged(Control& control, Property property) = 0;
    virtual void menuChanged(MenuItem& /*item*/) {}
    // A form was created from its design; its load handler runs right after.
    virtual void formLoaded(Form& form) = 0;
    virtual void formShown(Form& form) = 0;
    // A form is about to be discarded; no reference to it or its controls may be kept.
    virtual void formUnloading(Form& form) = 0;
    // The control now holding the keyboard focus, or none.
    virtual void focusChanged(Control* control) = 0;
    virtual void programEnded() = 0;
};

// Where the message boxes of the handlers appear. The handler waits until it returns.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    virtual void showMessage(std::u16string_view text, std::u16string_view title) = 0;
};

} // namespace kalpeno::forms
