#pragma once

#include "forms/Application.h"

#include <cstddef>
#include <functional>

namespace kalpeno::qt {

// The one way from a widget into the model: every user action becomes the model's event here.
// While the model is busy (an event or a model notification is being handled), a widget's
// report is not delivered: it would be a reaction of the widgets to their own mirroring, or an
// event nested inside a handler that still runs. After each event the window layer puts the
// keyboard focus where the model has it.
class UserEvents {
public:
    explicit UserEvents(forms::Application& app) : app_(app) {}
    UserEvents(const UserEvents&) = delete;
    UserEvents& operator=(const UserEvents&) = delete;

    forms::Application& app() const { return app_; }
    bool busy() const { return depth_ > 0; }

    bool click(forms::Control& control);
    bool chooseMenu(forms::MenuItem& item);
    bool pressKey(forms::TextBox& box, char32_t key);
    bool moveCaret(forms::TextBox& box, std::size_t caret);
    bool giveFocus(forms::Control& control);
    bool close(forms::Form& form);
    bool resize(forms::Form& form, int widthTwips, int heightTwips);

    // Marks the model busy while it tells the window layer of a change.
    class Busy {
    public:
        explicit Busy(UserEvents& events) : events_(events) { ++events_.depth_; }
        ~Busy() { --events_.depth_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        UserEvents& events_;
    };

    // Runs after each event that reached the model.
    std::function<void()> afterEvent;

private:
    template <class Event> bool deliver(Event&& event);

    forms::Application& app_;
    int depth_ = 0;
};

} // namespace kalpeno::qt
