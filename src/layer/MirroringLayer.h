#pragma once

#include "forms/Application.h"
#include "forms/Control.h"
#include "forms/MenuItem.h"
#include "forms/ModelObserver.h"
#include "layer/FormWindows.h"
#include "layer/UserEvents.h"

namespace kalpeno::layer {

// What every window layer does between the model and its windows, whatever shows them: the
// windows of the loaded forms, the model's changes of controls and menus mirrored into them, and
// a focus the user moves told to the model. A window type has view(control), whose view has
// mirror(property) and control(), and mirrorMenu(item).
template <typename Window> class MirroringLayer : public forms::ModelObserver {
public:
    virtual UserEvents& events() = 0;

    // The window of a loaded form, found by its name or the form, and the view of a control of
    // one, or of a toolkit's object in one (a widget, a window handle); none where there is none.
    Window* window(std::u16string_view formName) const { return windows_.find(formName); }
    Window* window(const forms::Form& form) const { return windows_.find(form); }
    auto view(const forms::Control& control) const { return windows_.view(control); }
    template <typename Object> auto viewOf(const Object& object) const {
        return windows_.viewOf(object);
    }

    // Defined below, out of the class: not inline, so that a layer that declares its
    // instantiation extern makes them once, where its window type is complete.
    void controlChanged(forms::Control& control, forms::Property property) override;
    void menuChanged(forms::MenuItem& item) override;

protected:
    explicit MirroringLayer(forms::Application& app) : app_(app) {}

    // The last step of a layer's construction: the forms the application has loaded already
    // are shown, and the model is followed from then on.
    void follow() {
        app_.addObserver(*this);
        for (forms::Form* form : app_.loadedForms()) {
            formLoaded(*form);
            if (form->visible()) {
                formShown(*form);
            }
        }
        focusChanged(app_.focus());
    }

    // The user put the focus on `moved` (a view, or none): the model hears of it, and where
    // its handlers keep the focus elsewhere, the windows show the model's.
    template <typename View> void reportUserFocus(View* moved) {
        forms::Control* target = moved ? moved->control() : nullptr;
        if (!target || app_.focus() == target) {
            return;
        }
        if (!events().giveFocus(*target)) {
            syncFocus();
        }
    }

    // The focus of the windows put where the model has it.
    virtual void syncFocus() = 0;

    forms::Application& app_;
    FormWindows<Window> windows_;
};

template <typename Window>
void MirroringLayer<Window>::controlChanged(forms::Control& control, forms::Property property) {
    UserEvents::Busy busy(events());
    if (auto* shown = windows_.view(control)) {
        shown->mirror(property);
    }
}

template <typename Window> void MirroringLayer<Window>::menuChanged(forms::MenuItem& item) {
    UserEvents::Busy busy(events());
    if (Window* shown = windows_.find(item.form())) {
        shown->mirrorMenu(item);
    }
}

} // namespace kalpeno::layer
