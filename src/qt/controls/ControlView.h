#pragma once

#include "forms/Control.h"
#include "forms/ModelObserver.h"

#include <QPalette>

class QWidget;

namespace kalpeno::layer {
class UserEvents;
}

namespace kalpeno::qt {

using layer::UserEvents;

// The widget that shows one control of the model. It mirrors every property change at once and
// reports what the user does through UserEvents; it keeps no state of its own that the model
// has. When its form is unloaded the view is detached: from then on it reports nothing.
class ControlView {
public:
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    virtual QWidget& widget() = 0;
    forms::Control* control() const { return control_; }
    void detach() { control_ = nullptr; }

    // Shows the property's new value; the common properties here, the others in the view.
    void mirror(forms::Property property);
    // Shows every property, once the widget is built (its font, which never changes, is the
    // window's to give).
    void mirrorAll();

    // Where the widget keeps the control's back colour.
    virtual QPalette::ColorRole colourRole() const { return QPalette::Window; }

protected:
    ControlView(forms::Control& control, UserEvents& events)
        : control_(&control), events_(events) {}
    UserEvents& events() const { return events_; }

    virtual void mirrorOwn(forms::Property property) = 0;
    virtual void mirrorAllOwn() = 0;

private:
    void mirrorBackColour();

    forms::Control* control_;
    UserEvents& events_;
};

} // namespace kalpeno::qt
