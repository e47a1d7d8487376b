#include "win32/PictureView.h"

#include "artwork/Artwork.h"
#include "layer/Units.h"
#include "win32/Artwork.h"
#include "win32/FormWindow.h"
#include "win32/GdiPainter.h"
#include "win32/PictureAccessible.h"

namespace kalpeno::win32 {

namespace gp = ::Gdiplus;

namespace {

constexpr wchar_t pictureClass[] = L"KalpenoPicture";

void registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = DefWindowProcW;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = pictureClass;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;
}

const wchar_t* classOf() {
    registerClass();
    return pictureClass;
}

} // namespace

PictureView::PictureView(forms::Control& picture, UserEvents& events, FormWindow& window)
    : ControlView(picture, events, window), key_(picture.picture()),
      stretched_(picture.kind() == forms::ControlKind::Image),
      clickable_(static_cast<bool>(picture.onClick)), accessible_(new PictureAccessible(*this)) {
    create(classOf(), 0);
}

PictureView::~PictureView() {
    accessible_->disconnect();
    accessible_->Release();
}

void PictureView::mirrorAllOwn() {
    painted_.reset();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureView::activate() {
    if (control()) {
        events().click(*control());
    }
}

LRESULT PictureView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        painted_.reset();
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_NCHITTEST:
        // A picture without a click lets the mouse through to what lies beneath it.
        return clickable_ ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(hwnd());
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release of the left button on the picture.
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT area{};
        GetClientRect(hwnd(), &area);
        const bool click = pressed_ && PtInRect(&area, at);
        pressed_ = false;
        ReleaseCapture();
        if (click) {
            activate();
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_APP: // the default action of assistive technology
        activate();
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            return LresultFromObject(__uuidof(IAccessible), wParam, accessible_);
        }
        break;
    default:
        break;
    }
    return passOn(message, wParam, lParam);
}

void PictureView::paint() {
    startGdiplus();
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT area{};
    GetClientRect(hwnd(), &area);
    int width = area.right;
    int height = area.bottom;
    if (!stretched_) {
        if (const std::optional<artwork::Size> size = artwork::pictureSize(key_)) {
            width = layer::twipsToPixels(size->width * 15, dpi());
            height = layer::twipsToPixels(size->height * 15, dpi());
        }
    }
    if (!painted_ || static_cast<int>(painted_->GetWidth()) != width ||
        static_cast<int>(painted_->GetHeight()) != height) {
        painted_ = win32::paintPicture(key_, width, height);
    }
    gp::Graphics graphics(dc);
    if (!stretched_) {
        gp::SolidBrush face(gp::Color(255, GetRValue(GetSysColor(COLOR_BTNFACE)),
                                      GetGValue(GetSysColor(COLOR_BTNFACE)),
                                      GetBValue(GetSysColor(COLOR_BTNFACE))));
        graphics.FillRectangle(&face, 0, 0, area.right, area.bottom);
    }
    if (painted_) {
        graphics.DrawImage(painted_.get(), 0, 0, width, height);
    }
    EndPaint(hwnd(), &paint);
}

} // namespace kalpeno::win32
