#include "forms/MenuItem.h"

#include "forms/Application.h"
#include "forms/Form.h"

namespace kalpeno::forms {

MenuItem::MenuItem(Form& form, const MenuDesign& design)
    : form_(form), name_(design.name), caption_(design.caption) {
    for (const MenuDesign& item : design.items) {
        items_.push_back(std::make_unique<MenuItem>(form, item));
    }
}

void MenuItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    form_.app().notifyMenu(*this);
}

} // namespace kalpeno::forms
