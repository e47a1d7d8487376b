#include "win32/Win32Layer.h"

#include "win32/ControlView.h"
#include "win32/FormWindow.h"

#include <commctrl.h>

namespace kalpeno::win32 {

namespace {

constexpr wchar_t postboxClass[] = L"KalpenoPostbox";
constexpr UINT postedMessage = WM_APP + 1;

HWND createPostbox(Win32Layer& layer, WNDPROC procedure) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = postboxClass;
    RegisterClassExW(&type);
    HWND box = CreateWindowExW(0, postboxClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&layer));
    return box;
}

} // namespace

Win32Layer::Win32Layer(forms::Application& app)
    : app_(app), postbox_(createPostbox(*this, postedProc)),
      events_(app, [this](std::function<void()> action) { post(std::move(action)); }) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls); // the tooltips' class
    events_.afterEvent = [this] { syncFocus(); };
    app_.addObserver(*this);
    for (forms::Form* form : app_.loadedForms()) {
        formLoaded(*form);
        if (form->visible()) {
            formShown(*form);
        }
    }
    focusChanged(app_.focus());
}

// Nothing the controls do while they are destroyed (a focus change ending a composition)
// reaches the model.
Win32Layer::~Win32Layer() {
    app_.removeObserver(*this);
    layer::UserEvents::Busy busy(events_);
    windows_.clear();
    retired_.clear();
    posted_.clear();
    DestroyWindow(postbox_);
}

LRESULT CALLBACK Win32Layer::postedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == postedMessage) {
        if (auto* layer = reinterpret_cast<Win32Layer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            layer->runPosted();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Layer::post(std::function<void()> action) {
    posted_.push_back(std::move(action));
    PostMessageW(postbox_, postedMessage, 0, 0);
}

void Win32Layer::runPosted() {
    if (posted_.empty()) {
        return;
    }
    std::function<void()> action = std::move(posted_.front());
    posted_.pop_front();
    action();
}

FormWindow* Win32Layer::window(std::u16string_view formName) const {
    for (const auto& [form, window] : windows_) {
        if (form->name() == formName) {
            return window.get();
        }
    }
    return nullptr;
}

FormWindow* Win32Layer::window(const forms::Form& form) const {
    auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.get();
}

ControlView* Win32Layer::view(const forms::Control& control) const {
    FormWindow* shown = window(control.form());
    return shown ? shown->view(control) : nullptr;
}

ControlView* Win32Layer::viewOf(HWND control) const {
    for (const auto& [form, window] : windows_) {
        if (ControlView* found = window->viewOf(control)) {
            return found;
        }
    }
    return nullptr;
}

bool Win32Layer::preTranslate(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    for (const auto& [form, window] : windows_) {
        if (window->hwnd() != root) {
            continue;
        }
        if (window->accelerators() &&
            TranslateAcceleratorW(root, window->accelerators(), &message)) {
            return true;
        }
        return IsDialogMessageW(root, &message) != 0;
    }
    return false;
}

void Win32Layer::controlChanged(forms::Control& control, forms::Property property) {
    layer::UserEvents::Busy busy(events_);
    if (FormWindow* shown = window(control.form())) {
        shown->mirror(control, property);
    }
}

void Win32Layer::menuChanged(forms::MenuItem& item) {
    layer::UserEvents::Busy busy(events_);
    if (FormWindow* shown = window(item.form())) {
        shown->mirrorMenu(item);
    }
}

void Win32Layer::formLoaded(forms::Form& form) {
    layer::UserEvents::Busy busy(events_);
    windows_[&form] = std::make_unique<FormWindow>(form, *this);
}

void Win32Layer::formShown(forms::Form& form) {
    layer::UserEvents::Busy busy(events_);
    if (FormWindow* shown = window(form)) {
        shown->show();
    }
}

// The window goes once control is back in the event loop: it may be handling the very message
// (its menu command, its close box) that unloaded its form.
void Win32Layer::formUnloading(forms::Form& form) {
    layer::UserEvents::Busy busy(events_);
    auto found = windows_.find(&form);
    if (found == windows_.end()) {
        return;
    }
    std::unique_ptr<FormWindow> window = std::move(found->second);
    windows_.erase(found);
    window->detach();
    ShowWindow(window->hwnd(), SW_HIDE);
    retired_.push_back(std::move(window));
    post([this] {
        retired_.clear();
        syncFocus(); // the system may have activated another window as this one went
    });
}

void Win32Layer::focusChanged(forms::Control* control) {
    layer::UserEvents::Busy busy(events_);
    showFocus(control);
}

void Win32Layer::programEnded() {
    PostQuitMessage(0);
}

// The model's focus on screen: its window becomes the active one and the control takes the
// focus.
void Win32Layer::showFocus(forms::Control* control) {
    if (!control) {
        return;
    }
    FormWindow* shown = window(control->form());
    ControlView* target = view(*control);
    if (!shown || !target || !IsWindowVisible(shown->hwnd())) {
        return;
    }
    if (GetActiveWindow() != shown->hwnd()) {
        SetActiveWindow(shown->hwnd());
    }
    if (GetFocus() != target->hwnd()) {
        SetFocus(target->hwnd());
    }
}

// After an event: the system may have moved the focus by itself (a focused control hidden or
// disabled, a message box closed); the model's focus is put back.
void Win32Layer::syncFocus() {
    forms::Control* control = app_.focus();
    ControlView* target = control ? view(*control) : nullptr;
    if (!target || !IsWindowVisible(target->hwnd())) {
        return;
    }
    HWND root = GetAncestor(target->hwnd(), GA_ROOT);
    if (!GetActiveWindow() || !IsWindowVisible(GetActiveWindow())) {
        SetForegroundWindow(root); // no window of the program is active (a message box has gone)
        SetActiveWindow(root);
    }
    if (GetFocus() != target->hwnd()) {
        SetFocus(target->hwnd());
    }
}

// The system moved the focus: the user pressed Tab, clicked into a box or a tape, or activated
// another window. The model hears of it once control is back in the event loop, so that it is
// never told while it is busy.
void Win32Layer::userFocused(ControlView& view) {
    HWND control = view.hwnd();
    post([this, control] { reportFocus(control); });
}

void Win32Layer::reportFocus(HWND control) {
    if (GetFocus() != control || events_.busy()) {
        return;
    }
    ControlView* moved = viewOf(control);
    forms::Control* target = moved ? moved->control() : nullptr;
    if (!target || app_.focus() == target) {
        return;
    }
    if (!events_.giveFocus(*target)) {
        syncFocus();
    }
}

} // namespace kalpeno::win32
