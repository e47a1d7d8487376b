#include "forms/Control.h"

#include "forms/Application.h"
#include "forms/Form.h"

namespace kalpeno::forms {

Control::Control(Form& form, const ControlDesign& design)
    : form_(form), kind_(design.kind), name_(design.name), index_(design.index),
      bounds_(design.bounds), font_(design.font), backColour_(design.backColour),
      visible_(!design.flags.hidden), enabled_(!design.flags.disabled), picture_(design.picture),
      shortcut_(design.shortcut), accessibleName_(design.accessibleName) {}

std::u16string Control::qualifiedName() const {
    if (index_ < 0) {
        return name_;
    }
    std::u16string result = name_ + u'(';
    for (char c : std::to_string(index_)) {
        result += static_cast<char16_t>(c);
    }
    return result + u')';
}

void Control::move(const Bounds& bounds) {
    if (bounds_ == bounds) {
        return;
    }
    bounds_ = bounds;
    changed(Property::Bounds);
}

void Control::setBackColour(Colour colour) {
    backColour_ = colour;
    changed(Property::BackColour);
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    changed(Property::Visible);
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed(Property::Enabled);
}

void Control::changed(Property property) {
    form_.app().notifyControl(*this, property);
}

} // namespace kalpeno::forms
