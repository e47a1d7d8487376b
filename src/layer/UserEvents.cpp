#include "layer/UserEvents.h"

namespace kalpeno::layer {

void UserEvents::whenIdle(std::function<void()> action) {
    idleActions_.push_back(std::move(action));
    if (!busy()) {
        postIdleActions();
    }
}

void UserEvents::postIdleActions() {
    for (std::function<void()>& action : std::exchange(idleActions_, {})) {
        post_(std::move(action));
    }
}

void UserEvents::finishComposition() {
    if (Composition* box = std::exchange(composing_, nullptr)) {
        box->finishComposition();
    }
}

template <class Event> bool UserEvents::deliver(Event&& event) {
    if (busy()) {
        return false;
    }
    finishComposition();
    bool delivered = false;
    {
        Busy busy(*this);
        delivered = event();
    }
    if (afterEvent) {
        afterEvent();
    }
    return delivered;
}

bool UserEvents::click(forms::Control& control) {
    return deliver([&] { return app_.click(control); });
}

bool UserEvents::chooseMenu(forms::MenuItem& item) {
    return deliver([&] { return app_.chooseMenu(item); });
}

bool UserEvents::pressKey(forms::TextBox& box, char32_t key) {
    return deliver([&] { return app_.pressKey(box, key); });
}

bool UserEvents::paste(forms::TextBox& box, std::u16string_view text) {
    return deliver([&] { return app_.paste(box, text); });
}

bool UserEvents::moveCaret(forms::TextBox& box, std::size_t caret) {
    return deliver([&] { return app_.moveCaret(box, caret); });
}

bool UserEvents::giveFocus(forms::Control& control) {
    return deliver([&] { return app_.giveFocus(control); });
}

bool UserEvents::close(forms::Form& form) {
    return deliver([&] { return app_.close(form); });
}

bool UserEvents::resize(forms::Form& form, int widthTwips, int heightTwips) {
    return deliver([&] { return app_.resize(form, widthTwips, heightTwips); });
}

} // namespace kalpeno::layer
