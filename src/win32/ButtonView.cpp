#include "win32/ButtonView.h"

#include "layer/Presentation.h"
#include "win32/FormWindow.h"
#include "win32/Wide.h"

namespace kalpeno::win32 {

ButtonView::ButtonView(forms::CommandButton& button, UserEvents& events, FormWindow& window)
    : ControlView(button, events, window) {
    create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, layer::menuText(button.caption()));
}

void ButtonView::command(WORD notification) {
    if (notification == BN_CLICKED && control()) {
        events().click(*control());
    }
}

void ButtonView::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Caption) {
        showCaption();
    }
}

void ButtonView::mirrorAllOwn() {} // made with its caption

// A caption is shown as it is: "&" marks no access key.
void ButtonView::showCaption() {
    const auto& caption = static_cast<forms::CaptionControl*>(control())->caption();
    SetWindowTextW(hwnd(), wide(layer::menuText(caption)));
}

} // namespace kalpeno::win32
