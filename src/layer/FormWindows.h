#pragma once

#include "forms/Control.h"
#include "forms/Form.h"

#include <map>
#include <memory>
#include <string_view>
#include <utility>

namespace kalpeno::layer {

// The windows a layer shows, one for each loaded form, found by the form, its name, or one of
// its controls. A window type has view(control), the view of one of its controls or none.
template <typename Window> class FormWindows {
public:
    void add(const forms::Form& form, std::unique_ptr<Window> window) {
        windows_[&form] = std::move(window);
    }

    // The form's window, no longer one of these; none if the form has none.
    std::unique_ptr<Window> take(const forms::Form& form) {
        auto found = windows_.find(&form);
        if (found == windows_.end()) {
            return nullptr;
        }
        std::unique_ptr<Window> window = std::move(found->second);
        windows_.erase(found);
        return window;
    }

    void clear() { windows_.clear(); }

    Window* find(const forms::Form& form) const {
        auto found = windows_.find(&form);
        return found == windows_.end() ? nullptr : found->second.get();
    }

    Window* find(std::u16string_view formName) const {
        for (const auto& [form, window] : windows_) {
            if (form->name() == formName) {
                return window.get();
            }
        }
        return nullptr;
    }

    auto view(const forms::Control& control) const {
        Window* shown = find(control.form());
        return shown ? shown->view(control) : nullptr;
    }

    // The first of the windows' views that one of them finds for a toolkit's object.
    template <typename Object> auto viewOf(const Object& object) const {
        decltype(std::declval<Window&>().viewOf(object)) found = nullptr;
        for (const auto& entry : windows_) {
            if ((found = entry.second->viewOf(object))) {
                break;
            }
        }
        return found;
    }

    template <typename Action> void forEach(Action action) const {
        for (const auto& entry : windows_) {
            action(*entry.second);
        }
    }

private:
    std::map<const forms::Form*, std::unique_ptr<Window>> windows_;
};

} // namespace kalpeno::layer
