#pragma once
// The Win32 window layer. Data flow: the model (forms::Application) is the single source of
// truth. Each form it loads gets a FormWindow built from the form's design data, with native
// controls; every change of the model arrives here as a ModelObserver call and is mirrored into
// the controls at once. Every user action on a control goes the other way, through UserEvents,
// as the model's event (click, menu, key press, caret, focus, close, resize); the model decides
// and the controls show the result. The keyboard focus is the model's too: the layer puts the
// system's focus where the model has it, and tells the model when the user moves it (Tab, a
// click into a box, another window activated).

#include "forms/Application.h"
#include "forms/ModelObserver.h"
#include "layer/MirroringLayer.h"
#include "layer/UserEvents.h"
#include "win32/Accessibility.h"
#include "win32/Fonts.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace kalpeno::win32 {

class ControlView;
class FormWindow;

} // namespace kalpeno::win32

// Made once, in Win32Layer.cpp, where the window type is complete.
extern template class kalpeno::layer::MirroringLayer<kalpeno::win32::FormWindow>;

namespace kalpeno::win32 {

class Win32Layer : public layer::MirroringLayer<FormWindow> {
public:
    // Shows the forms the application has loaded already and follows it from then on.
    explicit Win32Layer(forms::Application& app);
    ~Win32Layer() override;
    Win32Layer(const Win32Layer&) = delete;
    Win32Layer& operator=(const Win32Layer&) = delete;

    layer::UserEvents& events() override { return events_; }
    Fonts& fonts() { return fonts_; }
    Accessibility& accessibility() { return accessibility_; }

    // What the message loop does with a message before it translates and dispatches it: a
    // window's design keys and the dialog manager's Tab. True when the message was handled.
    bool preTranslate(MSG& message);
    // The user gave a control the focus.
    void userFocused(ControlView& view);

    void formLoaded(forms::Form& form) override;
    void formShown(forms::Form& form) override;
    void formUnloading(forms::Form& form) override;
    void focusChanged(forms::Control* control) override;
    void programEnded() override;

private:
    static LRESULT CALLBACK postedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void post(std::function<void()> action);
    void runPosted();
    void showFocus(forms::Control* control);
    void syncFocus() override;
    void reportFocus(HWND control);

    Fonts fonts_;
    Accessibility accessibility_;
    HWND postbox_ = nullptr; // receives the actions posted to the event loop
    std::deque<std::function<void()>> posted_;
    layer::UserEvents events_;
    // Windows of unloaded forms, destroyed once control is back in the event loop (one of them
    // may be handling the message that unloaded its form).
    std::vector<std::unique_ptr<FormWindow>> retired_;
};

} // namespace kalpeno::win32
