#pragma once

#include "forms/Control.h"
#include "forms/ModelObserver.h"
#include "layer/UserEvents.h"

#include <windows.h>

#include <optional>
#include <string>

namespace kalpeno::win32 {

class FormWindow;
using layer::UserEvents;

// The native control that shows one control of the model. It mirrors every property change at
// once and reports what the user does through UserEvents; it keeps no state of its own that the
// model has. The window procedure of the native control is subclassed: what the user does there
// is turned into the model's events before the control's own handling sees it, and whatever
// would change the control's value without the model is kept from it. When its form is
// unloaded the view is detached: from then on it reports nothing.
class ControlView {
public:
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // The view of a native control of any window, or null.
    static ControlView* of(HWND control);

    HWND hwnd() const { return hwnd_; }
    forms::Control* control() const { return control_; }
    void detach() { control_ = nullptr; }
    FormWindow& window() const { return window_; }

    // Shows the property's new value; the common properties here, the others in the view.
    void mirror(forms::Property property);
    // Shows the properties the control was not made with (create: place, visibility, font).
    void mirrorAll();
    // The control's place and font at the window's dots per inch.
    virtual void applyDpi(int dpi);

    // The background brush for WM_CTLCOLOR*, with the text colour set; null for the default.
    HBRUSH colourFor(HDC dc);
    // A notification (WM_COMMAND) the control sent to its window.
    virtual void command(WORD /*notification*/) {}
    // The colour the control shows, if the model gave it one (the scenario session reads it).
    std::optional<forms::Colour> shownColour() const { return brushColour_; }

protected:
    ControlView(forms::Control& control, UserEvents& events, FormWindow& window);
    // Makes the native control of the class with the styles, a child of the form's client area,
    // at its place, with its font and visibility.
    void create(const wchar_t* className, DWORD style, DWORD exStyle = 0,
                const std::u16string& text = {});
    UserEvents& events() const { return events_; }
    int dpi() const { return dpi_; }

    virtual void mirrorOwn(forms::Property property) = 0;
    virtual void mirrorAllOwn() = 0;
    // The control's messages before its own window procedure; the default passes them on.
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT passOn(UINT message, WPARAM wParam, LPARAM lParam);

    // The context menu of a box or a tape at `point` on the screen, with the captions every
    // window layer shows; paste only where `canPaste` is given. What the user chose, if anything.
    enum class ContextChoice { None, Copy, Paste, SelectAll };
    ContextChoice chooseInContextMenu(POINT point, bool canCopy,
                                      std::optional<bool> canPaste) const;

private:
    static LRESULT CALLBACK viewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void mirrorBackColour();

    forms::Control* control_;
    UserEvents& events_;
    FormWindow& window_;
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr; // the control's own window procedure
    int dpi_ = 96;
    HBRUSH brush_ = nullptr;
    std::optional<forms::Colour> brushColour_;
};

} // namespace kalpeno::win32
