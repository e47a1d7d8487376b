#pragma once

#include "forms/Design.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kalpeno::forms {

class Form;

// A menu bar item or a submenu item. An item with items is a submenu; one without is a command.
class MenuItem {
public:
    MenuItem(Form& form, const MenuDesign& design);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    Form& form() const { return form_; }
    const std::u16string& name() const { return name_; }
    const std::u16string& caption() const { return caption_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

    std::function<void()> onClick;

private:
    Form& form_;
    std::u16string name_;
    std::u16string caption_;
    bool enabled_ = true;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace kalpeno::forms
