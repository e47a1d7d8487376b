#include "forms/Form.h"

#include "forms/Timer.h"

namespace kalpeno::forms {

namespace {

std::unique_ptr<Control> makeControl(Form& form, const ControlDesign& design) {
    switch (design.kind) {
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(form, design);
    case ControlKind::ListBox:
        return std::make_unique<ListBox>(form, design);
    case ControlKind::Label:
    case ControlKind::CommandButton:
        return std::make_unique<CaptionControl>(form, design);
    case ControlKind::Timer:
        return std::make_unique<Timer>(form, design);
    case ControlKind::Image:
    case ControlKind::PictureBox:
        break;
    }
    return std::make_unique<Control>(form, design);
}

MenuItem* findIn(const std::vector<std::unique_ptr<MenuItem>>& items, std::u16string_view name) {
    for (const auto& item : items) {
        if (item->name() == name) {
            return item.get();
        }
        if (MenuItem* found = findIn(item->items(), name)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

Form::Form(Application& app, const FormDesign& design)
    : app_(app), name_(design.name), caption_(design.caption), icon_(design.icon),
      resizable_(design.resizable), scaleWidth_(design.clientWidth),
      scaleHeight_(design.clientHeight) {
    buildControls(design);
}

Form::~Form() = default;

void Form::buildControls(const FormDesign& design) {
    for (const ControlDesign& row : design.controls) {
        controls_.push_back(makeControl(*this, row));
    }
    for (const MenuDesign& row : design.menus) {
        menus_.push_back(std::make_unique<MenuItem>(*this, row));
    }
    for (const ControlRef& ref : design.tabOrder) {
        Control& control = get<Control>(ref.name, ref.index);
        control.setTabIndex(static_cast<int>(tabOrder_.size()));
        tabOrder_.push_back(&control);
    }
}

Control* Form::find(std::u16string_view name, int index) const {
    for (const auto& control : controls_) {
        if (control->name() == name && control->index() == index) {
            return control.get();
        }
    }
    return nullptr;
}

MenuItem* Form::findMenu(std::u16string_view name) const {
    return findIn(menus_, name);
}

MenuItem& Form::menu(std::u16string_view name) const {
    if (MenuItem* item = findMenu(name)) {
        return *item;
    }
    throw std::logic_error("form has no such menu item");
}

void Form::setClientSize(int width, int height) {
    scaleWidth_ = width;
    scaleHeight_ = height;
}

} // namespace kalpeno::forms
