#include "win32/Win32Layer.h"

#include "win32/ControlView.h"
#include "win32/FormWindow.h"

#include <commctrl.h>

template class kalpeno::layer::MirroringLayer<kalpeno::win32::FormWindow>;

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
    : MirroringLayer(app), postbox_(createPostbox(*this, postedProc)),
      events_(app, [this](std::function<void()> action) { post(std::move(action)); }) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls); // the tooltips' class
    events_.afterEvent = [this] { syncFocus(); };
    follow();
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

bool Win32Layer::preTranslate(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    FormWindow* target = nullptr;
    windows_.forEach([&](FormWindow& window) {
        if (window.hwnd() == root) {
            target = &window;
        }
    });
    if (!target) {
        return false;
    }
    if (target->accelerators() && TranslateAcceleratorW(root, target->accelerators(), &message)) {
        return true;
    }
    return IsDialogMessageW(root, &message) != 0;
}

void Win32Layer::formLoaded(forms::Form& form) {
    layer::UserEvents::Busy busy(events_);
    windows_.add(form, std::make_unique<FormWindow>(form, *this));
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
    std::unique_ptr<FormWindow> window = windows_.take(form);
    if (!window) {
        return;
    }
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
    reportUserFocus(viewOf(control));
}

} // namespace kalpeno::win32
