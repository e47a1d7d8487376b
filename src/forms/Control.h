#pragma once

#include "forms/Design.h"
#include "forms/ModelObserver.h"

#include <functional>
#include <optional>
#include <string>

namespace kalpeno::forms {

class Form;

// What every control has: its design name and index, its place, font and colours, and whether
// it is visible and enabled. Setters report the change to the application's observers.
class Control {
public:
    Control(Form& form, const ControlDesign& design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::u16string& name() const { return name_; }
    int index() const { return index_; }
    // "Text1" or "Command2(10)".
    std::u16string qualifiedName() const;

    const Bounds& bounds() const { return bounds_; }
    void move(const Bounds& bounds);
    const FontSpec& font() const { return font_; }
    std::optional<Colour> backColour() const { return backColour_; }
    void setBackColour(Colour colour);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::u16string& picture() const { return picture_; }
    // The design's key for a click on the control, or none.
    const Shortcut& shortcut() const { return shortcut_; }
    // The design's name for assistive technology, or empty.
    const std::u16string& accessibleName() const { return accessibleName_; }

    // Position in the form's tab order, or -1 for a control that takes no focus.
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int tabIndex) { tabIndex_ = tabIndex; }

    // Click handler of buttons, images and pictures; none for the others.
    std::function<void()> onClick;

protected:
    void changed(Property property);

private:
    Form& form_;
    ControlKind kind_;
    std::u16string name_;
    int index_;
    Bounds bounds_;
    FontSpec font_;
    std::optional<Colour> backColour_;
    bool visible_;
    bool enabled_;
    std::u16string picture_;
    Shortcut shortcut_;
    std::u16string accessibleName_;
    int tabIndex_ = -1;
};

} // namespace kalpeno::forms
