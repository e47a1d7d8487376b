#pragma once

#include "forms/Control.h"

namespace kalpeno::forms {

// A timer. The model never ticks by itself; the window layer would call onTimer while it is
// enabled, every interval milliseconds.
class Timer : public Control {
public:
    Timer(Form& form, const ControlDesign& design)
        : Control(form, design), interval_(design.interval) {}
    int interval() const { return interval_; }
    std::function<void()> onTimer;

private:
    int interval_;
};

} // namespace kalpeno::forms
