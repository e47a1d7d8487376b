#pragma once

#include "forms/CaptionControl.h"
#include "forms/Control.h"
#include "forms/Design.h"
#include "forms/ListBox.h"
#include "forms/MenuItem.h"
#include "forms/TextBox.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalpeno::forms {

class Application;

// A window built from its design table. A Form object lives exactly as long as the form is
// loaded: unloading discards it with all its values, and the next use builds it afresh.
class Form {
public:
    Form(Application& app, const FormDesign& design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Runs once, right after the form is built and before it is first shown.
    virtual void Form_Load() {}
    // Runs when the form is first shown and whenever its client area changes size.
    virtual void Form_Resize() {}

    Application& app() const { return app_; }
    const std::u16string& name() const { return name_; }
    const std::u16string& caption() const { return caption_; }
    const std::u16string& icon() const { return icon_; }
    bool resizable() const { return resizable_; }
    bool visible() const { return visible_; }

    // Client area in twips (ScaleWidth, ScaleHeight). The window layer reports a new size with
    // Application::resize.
    int ScaleWidth() const { return scaleWidth_; }
    int ScaleHeight() const { return scaleHeight_; }

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const std::vector<std::unique_ptr<MenuItem>>& menus() const { return menus_; }
    // The controls that take the focus, in tab order.
    const std::vector<Control*>& tabOrder() const { return tabOrder_; }

    // Lookups by design name; find* answer null, the others throw std::logic_error when the form
    // has no such control (a fault of the program, not of the user).
    Control* find(std::u16string_view name, int index = -1) const;
    MenuItem* findMenu(std::u16string_view name) const;
    template <class T> T& get(std::u16string_view name, int index = -1) const {
        if (auto* control = dynamic_cast<T*>(find(name, index))) {
            return *control;
        }
        throw std::logic_error("form has no such control");
    }
    TextBox& textBox(std::u16string_view name) const { return get<TextBox>(name); }
    ListBox& listBox(std::u16string_view name) const { return get<ListBox>(name); }
    CaptionControl& caption(std::u16string_view name, int index = -1) const {
        return get<CaptionControl>(name, index);
    }
    Control& control(std::u16string_view name, int index = -1) const {
        return get<Control>(name, index);
    }
    MenuItem& menu(std::u16string_view name) const;

    // The control of this form that last held the focus, or null.
    Control* lastFocus() const { return lastFocus_; }

private:
    friend class Application;
    void buildControls(const FormDesign& design);
    void setVisible(bool visible) { visible_ = visible; }
    void setClientSize(int width, int height);
    void setLastFocus(Control* control) { lastFocus_ = control; }

    Application& app_;
    std::u16string name_;
    std::u16string caption_;
    std::u16string icon_;
    bool resizable_;
    bool visible_ = false;
    int scaleWidth_;
    int scaleHeight_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<MenuItem>> menus_;
    std::vector<Control*> tabOrder_;
    Control* lastFocus_ = nullptr;
};

} // namespace kalpeno::forms
