#include "win32/FormWindow.h"

#include "forms/CaptionControl.h"
#include "forms/MenuItem.h"
#include "layer/Presentation.h"
#include "layer/Units.h"
#include "win32/Accessibility.h"
#include "win32/Artwork.h"
#include "win32/ButtonView.h"
#include "win32/EditView.h"
#include "win32/Fonts.h"
#include "win32/LabelView.h"
#include "win32/ListView.h"
#include "win32/PictureView.h"
#include "win32/Wide.h"
#include "win32/Win32Layer.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>

namespace kalpeno::win32 {

namespace {

constexpr UINT firstMenuCommand = 100;
constexpr UINT firstShortcutCommand = 5000;

// The window class of the forms with this icon ("KalpenoForm.kalpeno" for the calculator's),
// registered on first use. The class carries the icons, at the system's dpi, so that the window
// has them as it is made: given to the window afterwards, each icon costs Wine's X driver a round
// of its own before the window shows.
const wchar_t* formClassOf(std::u16string_view icon) {
    static std::map<std::u16string, std::wstring, std::less<>> classes;
    auto found = classes.find(icon);
    if (found != classes.end()) {
        return found->second.c_str();
    }
    std::wstring name = L"KalpenoForm.";
    name.append(icon.begin(), icon.end());
    const UINT dpi = GetDpiForSystem();
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hIcon = loadIcon(icon, GetSystemMetricsForDpi(SM_CXICON, dpi));
    type.hIconSm = loadIcon(icon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = name.c_str();
    RegisterClassExW(&type);
    return classes.emplace(std::u16string(icon), std::move(name)).first->second.c_str();
}

DWORD styleOf(const forms::Form& form) {
    return form.resizable() ? WS_OVERLAPPEDWINDOW
                            : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

// The native control of one control; none for a timer, which shows nothing.
std::unique_ptr<ControlView> createView(forms::Control& control, UserEvents& events,
                                        FormWindow& window) {
    switch (control.kind()) {
    case forms::ControlKind::TextBox:
        return std::make_unique<EditView>(static_cast<forms::TextBox&>(control), events, window);
    case forms::ControlKind::ListBox:
        return std::make_unique<ListView>(static_cast<forms::ListBox&>(control), events, window);
    case forms::ControlKind::Label:
        return std::make_unique<LabelView>(static_cast<forms::Label&>(control), events, window);
    case forms::ControlKind::CommandButton:
        return std::make_unique<ButtonView>(static_cast<forms::CommandButton&>(control), events,
                                            window);
    case forms::ControlKind::Image:
    case forms::ControlKind::PictureBox:
        return std::make_unique<PictureView>(control, events, window);
    case forms::ControlKind::Timer:
        break;
    }
    return nullptr;
}

// The size of a window whose client area, with the menu bar above it, is the form's.
SIZE windowSize(const forms::Form& form, DWORD style, bool menu, int dpi) {
    RECT frame{0, 0, layer::twipsToPixels(form.ScaleWidth(), dpi),
               layer::twipsToPixels(form.ScaleHeight(), dpi)};
    AdjustWindowRectExForDpi(&frame, style, menu, 0, static_cast<UINT>(dpi));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace

FormWindow::FormWindow(forms::Form& form, Win32Layer& layer)
    : form_(&form), layer_(layer), events_(layer.events()) {
    createWindow(createMenuBar());
    createControls();
    removeTabStops();
    createShortcuts();
}

FormWindow::~FormWindow() {
    *alive_ = false;
    for (const auto& view : views_) {
        layer_.accessibility().forget(view->hwnd());
    }
    views_.clear();
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (accelerators_) {
        DestroyAcceleratorTable(accelerators_);
    }
}

Fonts& FormWindow::fonts() const {
    return layer_.fonts();
}

Accessibility& FormWindow::accessibility() const {
    return layer_.accessibility();
}

void FormWindow::createWindow(HMENU menuBar) {
    const DWORD style = styleOf(*form_);
    dpi_ = static_cast<int>(GetDpiForSystem());
    const SIZE size = windowSize(*form_, style, !form_->menus().empty(), dpi_);
    const std::u16string caption = form_->caption();
    // Like a dialog's, the window does not clip its children: it paints nothing over them (only
    // controls are ever invalidated), and clipping each child made showing the window slower.
    hwnd_ = CreateWindowExW(0, formClassOf(form_->icon()), wide(caption), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, size.cx, size.cy, nullptr, menuBar,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc));
    dpi_ = static_cast<int>(GetDpiForWindow(hwnd_));
}

// Made before the window, which takes it at its creation: a menu bar set afterwards makes the
// system lay the window's frame out again.
HMENU FormWindow::createMenuBar() {
    if (form_->menus().empty()) {
        return nullptr;
    }
    HMENU bar = CreateMenu();
    for (const auto& item : form_->menus()) {
        addMenuItem(*item, bar);
    }
    return bar;
}

void FormWindow::addMenuItem(forms::MenuItem& item, HMENU menu) {
    const std::u16string text = layer::menuText(item.caption());
    const UINT enabled = item.enabled() ? MF_ENABLED : MF_GRAYED;
    if (!item.items().empty()) {
        HMENU submenu = CreatePopupMenu();
        for (const auto& child : item.items()) {
            addMenuItem(*child, submenu);
        }
        AppendMenuW(menu, MF_POPUP | MF_STRING | enabled, reinterpret_cast<UINT_PTR>(submenu),
                    wide(text));
        return;
    }
    const UINT id = firstMenuCommand + static_cast<UINT>(menuCommands_.size());
    menuCommands_[id] = &item;
    commandsOfMenus_[&item] = id;
    AppendMenuW(menu, MF_STRING | enabled, id, wide(text));
}

// The design's tab order is the order of the native controls, which the dialog manager follows
// with Tab: a new control goes below those made before it, so they are made in that order; the
// rest follow, the later ones of the design first, so that they lie on top (a marker over its
// letter).
void FormWindow::createControls() {
    std::vector<forms::Control*> shown; // in the design's order, the timers left out
    for (const auto& control : form_->controls()) {
        if (control->kind() != forms::ControlKind::Timer) {
            shown.push_back(control.get());
        }
    }
    std::vector<forms::Control*> order(form_->tabOrder().begin(), form_->tabOrder().end());
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (std::find(order.begin(), order.end(), *it) == order.end()) {
            order.push_back(*it);
        }
    }
    for (forms::Control* control : order) {
        controlId_ =
            1000 + static_cast<int>(std::find(shown.begin(), shown.end(), control) - shown.begin());
        std::unique_ptr<ControlView> view = createView(*control, events_, *this);
        if (!view || !view->hwnd()) {
            continue;
        }
        describe(*view);
        view->mirrorAll();
        viewsByControl_[control] = view.get();
        views_.push_back(std::move(view));
    }
}

// The name and description read by assistive technology.
void FormWindow::describe(const ControlView& view) {
    const forms::Control& control = *view.control();
    if (control.kind() != forms::ControlKind::Label) {
        accessibility().name(view.hwnd(), layer::spokenName(control));
    }
    accessibility().description(view.hwnd(), layer::spokenDescription(control));
}

// The tooltips of the controls that have a key, made when the mouse first comes over the window
// (every control passes WM_SETCURSOR on to it): until then nobody can see them.
void FormWindow::addToolTips() {
    if (toolTips_) {
        return;
    }
    toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!toolTips_) {
        return;
    }
    for (const auto& view : views_) {
        const std::u16string tip = layer::toolTip(*view->control());
        if (tip.empty()) {
            continue;
        }
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(view->hwnd());
        std::wstring text(tip.begin(), tip.end());
        tool.lpszText = text.data();
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// What the design's tab order does not name has no tab stop.
void FormWindow::removeTabStops() {
    const auto& tabOrder = form_->tabOrder();
    for (const auto& view : views_) {
        if (std::find(tabOrder.begin(), tabOrder.end(), view->control()) == tabOrder.end()) {
            const LONG_PTR style = GetWindowLongPtrW(view->hwnd(), GWL_STYLE);
            if (style & WS_TABSTOP) {
                SetWindowLongPtrW(view->hwnd(), GWL_STYLE,
                                  style & ~static_cast<LONG_PTR>(WS_TABSTOP));
            }
        }
    }
}

// The design's keys, each a click on its control from anywhere in the window.
void FormWindow::createShortcuts() {
    std::vector<ACCEL> keys;
    for (const auto& control : form_->controls()) {
        const forms::Shortcut& key = control->shortcut();
        if (key.empty()) {
            continue;
        }
        const auto id = static_cast<WORD>(firstShortcutCommand + keys.size());
        BYTE modifiers = FVIRTKEY;
        modifiers |= key.control ? FCONTROL : 0;
        modifiers |= key.alt ? FALT : 0;
        modifiers |= key.shift ? FSHIFT : 0;
        keys.push_back({modifiers, static_cast<WORD>(key.key), id});
        shortcutTargets_[id] = control.get();
    }
    if (!keys.empty()) {
        accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    }
}

// A window shown is activated; one shown while another program is in front is brought forward.
void FormWindow::show() {
    ShowWindow(hwnd_, SW_SHOW);
    if (GetForegroundWindow() != hwnd_) {
        SetForegroundWindow(hwnd_);
    }
}

void FormWindow::detach() {
    for (const auto& view : views_) {
        view->detach();
    }
    form_ = nullptr;
}

void FormWindow::mirrorMenu(const forms::MenuItem& item) {
    const UINT id = commandOf(item);
    if (id != 0) {
        EnableMenuItem(GetMenu(hwnd_), id,
                       MF_BYCOMMAND | (item.enabled() ? MF_ENABLED : MF_GRAYED));
        DrawMenuBar(hwnd_);
    }
}

ControlView* FormWindow::view(const forms::Control& control) const {
    auto found = viewsByControl_.find(&control);
    return found == viewsByControl_.end() ? nullptr : found->second;
}

ControlView* FormWindow::viewOf(HWND control) const {
    ControlView* view = ControlView::of(control);
    return view && &view->window() == this ? view : nullptr;
}

UINT FormWindow::commandOf(const forms::MenuItem& item) const {
    auto found = commandsOfMenus_.find(&item);
    return found == commandsOfMenus_.end() ? 0 : found->second;
}

void FormWindow::userFocused(ControlView& view) {
    layer_.userFocused(view);
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return window ? window->handle(message, wParam, lParam)
                  : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(wParam, lParam);
        return 0;
    case WM_GETOBJECT:
        accessibility().clientAsked();
        break;
    case WM_SETCURSOR:
        addToolTips();
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        if (ControlView* shown = viewOf(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = shown->colourFor(reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
        }
        break;
    case WM_CLOSE:
        // The window itself never closes: the model unloads the form, and the window goes.
        if (form_) {
            events_.close(*form_);
        }
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            sizeReport_.report();
        }
        break;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        applyDpi(HIWORD(wParam));
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void FormWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    for (const auto& view : views_) {
        view->applyDpi(dpi);
        InvalidateRect(view->hwnd(), nullptr, TRUE);
    }
}

// A menu command, a design key (an accelerator), or a control's notification.
void FormWindow::command(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (lParam != 0) {
        if (ControlView* shown = viewOf(reinterpret_cast<HWND>(lParam))) {
            shown->command(HIWORD(wParam));
        }
        return;
    }
    if (!form_) {
        return;
    }
    if (HIWORD(wParam) == 1) {
        auto target = shortcutTargets_.find(id);
        if (target != shortcutTargets_.end()) {
            events_.click(*target->second);
        }
        return;
    }
    auto item = menuCommands_.find(id);
    if (item != menuCommands_.end()) {
        events_.chooseMenu(*item->second);
    }
}

} // namespace kalpeno::win32
