#pragma once

#include "forms/Application.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalpeno::layer {

// The one way from a window layer's controls into the model: every user action becomes the
// model's event here. While the model is busy (an event or a model notification is being
// handled), a control's report is not delivered: it would be a reaction of the controls to their
// own mirroring, or an event nested inside a handler that still runs. After each event the window
// layer puts the keyboard focus where the model has it.
class UserEvents {
public:
    // post: runs an action from the toolkit's event loop, soon.
    UserEvents(forms::Application& app, std::function<void(std::function<void()>)> post)
        : app_(app), post_(std::move(post)) {}
    UserEvents(const UserEvents&) = delete;
    UserEvents& operator=(const UserEvents&) = delete;

    forms::Application& app() const { return app_; }
    bool busy() const { return depth_ > 0; }

    bool click(forms::Control& control);
    bool chooseMenu(forms::MenuItem& item);
    bool pressKey(forms::TextBox& box, char32_t key);
    bool paste(forms::TextBox& box, std::u16string_view text);
    bool moveCaret(forms::TextBox& box, std::size_t caret);
    bool giveFocus(forms::Control& control);
    bool close(forms::Form& form);
    bool resize(forms::Form& form, int widthTwips, int heightTwips);

    // Runs the action from the event loop once the model is no longer busy: soon if it is not
    // busy now, else after the event or notification under way, which may wait in a message box
    // for long (nothing polls meanwhile). An action whose window may go meanwhile checks that
    // it is still there.
    void whenIdle(std::function<void()> action);

    // Marks the model busy while it tells the window layer of a change.
    class Busy {
    public:
        explicit Busy(UserEvents& events) : events_(events) { ++events_.depth_; }
        ~Busy() {
            if (--events_.depth_ == 0) {
                events_.postIdleActions();
            }
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        UserEvents& events_;
    };

    // Runs after each event that reached the model.
    std::function<void()> afterEvent;

    // A box where an input method is composing text. Any event of another kind, or of another
    // control, finishes the composition first, so that its text lands in its own box, once.
    class Composition {
    public:
        virtual void finishComposition() = 0;

    protected:
        ~Composition() = default;
    };
    void beginComposition(Composition& box) { composing_ = &box; }
    void endComposition(const Composition& box) {
        if (composing_ == &box) {
            composing_ = nullptr;
        }
    }
    // The text of a composition that was committed as it was cut short: an input method may
    // send it again as a commit into the box that has the focus next, before anything else.
    void expectRepeat(std::u16string text) { repeat_ = std::move(text); }
    // Answers whether the committed text is that repeat (and forgets it).
    bool takeRepeat(const std::u16string& committed) {
        const bool same = !repeat_.empty() && committed == repeat_;
        repeat_.clear();
        return same;
    }

private:
    template <class Event> bool deliver(Event&& event);
    void finishComposition();
    void postIdleActions();

    forms::Application& app_;
    std::function<void(std::function<void()>)> post_;
    int depth_ = 0;
    Composition* composing_ = nullptr;
    std::u16string repeat_;
    std::vector<std::function<void()>> idleActions_;
};

} // namespace kalpeno::layer
