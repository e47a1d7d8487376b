#include "win32/ControlView.h"

#include "layer/Presentation.h"
#include "layer/Units.h"
#include "win32/Accessibility.h"
#include "win32/Fonts.h"
#include "win32/FormWindow.h"
#include "win32/Wide.h"

#include <unordered_map>

namespace kalpeno::win32 {

namespace {

// The view of each subclassed control. Kept here rather than in the control's user data: under
// Wine, each SetWindowLongPtr of the user data is a call of its server.
std::unordered_map<HWND, ControlView*>& viewsOfControls() {
    static std::unordered_map<HWND, ControlView*> views;
    return views;
}

} // namespace

ControlView* ControlView::of(HWND control) {
    const auto& views = viewsOfControls();
    auto found = views.find(control);
    return found == views.end() ? nullptr : found->second;
}

ControlView::ControlView(forms::Control& control, UserEvents& events, FormWindow& window)
    : control_(&control), events_(events), window_(window) {}

ControlView::~ControlView() {
    if (hwnd_) {
        viewsOfControls().erase(hwnd_);
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        DestroyWindow(hwnd_);
    }
    if (brush_) {
        DeleteObject(brush_);
    }
}

// Made at its place, with its text, visibility and font: each change afterwards costs Wine a
// call of its server.
void ControlView::create(const wchar_t* className, DWORD style, DWORD exStyle,
                         const std::u16string& text) {
    dpi_ = window_.dpi();
    const layer::PixelRect place = layer::toPixels(control_->bounds(), dpi_);
    const DWORD visible = control_->visible() ? WS_VISIBLE : 0;
    hwnd_ = CreateWindowExW(exStyle, className, wide(text),
                            WS_CHILD | WS_CLIPSIBLINGS | visible | style, place.left, place.top,
                            place.width, place.height, window_.hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(window_.controlId())),
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(window_.fonts().font(control_->font(), dpi_)), FALSE);
    if (!hwnd_) {
        return;
    }
    viewsOfControls()[hwnd_] = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewProc)));
}

LRESULT CALLBACK ControlView::viewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlView* view = of(hwnd);
    if (!view) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_SETFOCUS) {
        view->window_.userFocused(*view);
    }
    if (message == WM_GETOBJECT) {
        view->window_.accessibility().clientAsked();
    }
    if (message == WM_NCDESTROY) {
        viewsOfControls().erase(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(view->original_));
        view->hwnd_ = nullptr;
        return CallWindowProcW(view->original_, hwnd, message, wParam, lParam);
    }
    return view->handle(message, wParam, lParam);
}

LRESULT ControlView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return passOn(message, wParam, lParam);
}

LRESULT ControlView::passOn(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(original_, hwnd_, message, wParam, lParam);
}

void ControlView::mirror(forms::Property property) {
    if (!control_ || !hwnd_) {
        return;
    }
    switch (property) {
    case forms::Property::Visible:
        ShowWindow(hwnd_, control_->visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case forms::Property::Enabled:
        EnableWindow(hwnd_, control_->enabled());
        break;
    case forms::Property::BackColour:
        mirrorBackColour();
        break;
    case forms::Property::Bounds:
        applyDpi(dpi_);
        break;
    default:
        mirrorOwn(property);
        break;
    }
}

void ControlView::mirrorAll() {
    if (!control_ || !hwnd_) {
        return;
    }
    mirrorBackColour();
    if (!control_->enabled()) {
        EnableWindow(hwnd_, FALSE);
    }
    mirrorAllOwn();
}

void ControlView::applyDpi(int dpi) {
    dpi_ = dpi;
    if (!control_ || !hwnd_) {
        return;
    }
    const layer::PixelRect place = layer::toPixels(control_->bounds(), dpi);
    SetWindowPos(hwnd_, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(window_.fonts().font(control_->font(), dpi)), TRUE);
}

void ControlView::mirrorBackColour() {
    const std::optional<forms::Colour> colour = control_->backColour();
    if (!colour || colour == brushColour_) {
        return; // a colour item chosen again, or a control already in the colour
    }
    if (brush_) {
        DeleteObject(brush_);
    }
    brush_ = CreateSolidBrush(toColorRef(*colour));
    brushColour_ = colour;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH ControlView::colourFor(HDC dc) {
    if (!brush_) {
        return nullptr;
    }
    SetBkColor(dc, toColorRef(*brushColour_));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return brush_;
}

ControlView::ContextChoice ControlView::chooseInContextMenu(POINT point, bool canCopy,
                                                            std::optional<bool> canPaste) const {
    enum : UINT { copyItem = 1, pasteItem, selectAllItem };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (canCopy ? 0 : MF_GRAYED), copyItem,
                reinterpret_cast<const wchar_t*>(layer::copyCaption));
    if (canPaste) {
        AppendMenuW(menu, MF_STRING | (*canPaste ? 0 : MF_GRAYED), pasteItem,
                    reinterpret_cast<const wchar_t*>(layer::pasteCaption));
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, selectAllItem,
                reinterpret_cast<const wchar_t*>(layer::selectAllCaption));
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, point.x, point.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
    case copyItem:
        return ContextChoice::Copy;
    case pasteItem:
        return ContextChoice::Paste;
    case selectAllItem:
        return ContextChoice::SelectAll;
    default:
        return ContextChoice::None;
    }
}

} // namespace kalpeno::win32
