#include "win32/LabelView.h"

#include "win32/Accessibility.h"
#include "win32/FormWindow.h"
#include "win32/Wide.h"

namespace kalpeno::win32 {

namespace {

DWORD alignmentStyle(forms::Alignment alignment) {
    switch (alignment) {
    case forms::Alignment::Right:
        return SS_RIGHT;
    case forms::Alignment::Centre:
        return SS_CENTER;
    case forms::Alignment::Left:
        break;
    }
    return SS_LEFT;
}

} // namespace

LabelView::LabelView(forms::Label& label, UserEvents& events, FormWindow& window)
    : ControlView(label, events, window) {
    create(L"STATIC", SS_NOPREFIX | alignmentStyle(label.alignment()), 0, label.caption());
    if (label.caption().empty()) {
        window.accessibility().name(hwnd(), label.accessibleName());
    }
}

void LabelView::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Caption) {
        showCaption();
    }
}

void LabelView::mirrorAllOwn() {} // made with its caption

// While the label shows nothing (the operator display before an operator), its name is its
// purpose.
void LabelView::showCaption() {
    const auto& caption = static_cast<forms::CaptionControl*>(control())->caption();
    SetWindowTextW(hwnd(), wide(caption));
    window().accessibility().name(hwnd(), caption.empty() ? control()->accessibleName() : u"");
}

} // namespace kalpeno::win32
