#pragma once

#include "forms/Form.h"
#include "layer/SizeReport.h"
#include "layer/Units.h"
#include "win32/ControlView.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

namespace kalpeno::win32 {

class Accessibility;
class Fonts;
class Win32Layer;

// The window of one loaded form, built from the form's design data as the model holds it: its
// caption and icon, its menu bar, and a client area of the design size at the window's dots per
// inch (15 twips to a pixel at 96 dpi) with one native control per control at its design place,
// in the design's tab order. A form that is not resizable gets a window of fixed size. Closing
// the window asks the model to close the form; the window goes when the model unloads the form.
// F10 and a lone Alt reach the menu bar as in every window; a control's design key clicks it
// from anywhere in the window.
class FormWindow {
public:
    FormWindow(forms::Form& form, Win32Layer& layer);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Null once the form is unloaded.
    forms::Form* form() const { return form_; }
    // The form is being unloaded: nothing may refer to it or its controls any more.
    void detach();
    // False once the window has gone: actions the window posted check it.
    std::shared_ptr<bool> alive() const { return alive_; }

    int dpi() const { return dpi_; }
    Fonts& fonts() const;
    Accessibility& accessibility() const;
    // The identifier of the control being made: 1000 and on, in the order of the form's design.
    int controlId() const { return controlId_; }
    HACCEL accelerators() const { return accelerators_; }

    void show();
    void mirrorMenu(const forms::MenuItem& item);

    ControlView* view(const forms::Control& control) const;
    // The view of a native control of this window, or null.
    ControlView* viewOf(HWND control) const;
    // The command identifier of a menu command, or 0.
    UINT commandOf(const forms::MenuItem& item) const;
    // The user gave a control the focus (a click, Tab).
    void userFocused(ControlView& view);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow(HMENU menuBar);
    HMENU createMenuBar();
    void addMenuItem(forms::MenuItem& item, HMENU menu);
    void createControls();
    void describe(const ControlView& view);
    void addToolTips();
    void removeTabStops();
    void createShortcuts();
    void applyDpi(int dpi);
    void command(WPARAM wParam, LPARAM lParam);

    forms::Form* form_;
    Win32Layer& layer_;
    UserEvents& events_;
    HWND hwnd_ = nullptr;
    HWND toolTips_ = nullptr;
    HACCEL accelerators_ = nullptr;
    int dpi_ = 96;
    int controlId_ = 1000;
    std::vector<std::unique_ptr<ControlView>> views_;
    std::map<const forms::Control*, ControlView*> viewsByControl_;
    std::map<UINT, forms::MenuItem*> menuCommands_;
    std::map<const forms::MenuItem*, UINT> commandsOfMenus_;
    std::map<UINT, forms::Control*> shortcutTargets_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // The model learns each new size of the client area.
    layer::SizeReport sizeReport_{events_, [this] { return form_; },
                                  [this] {
                                      RECT client{};
                                      GetClientRect(hwnd_, &client);
                                      return std::pair{layer::pixelsToTwips(client.right, dpi_),
                                                       layer::pixelsToTwips(client.bottom, dpi_)};
                                  }};
};

} // namespace kalpeno::win32
