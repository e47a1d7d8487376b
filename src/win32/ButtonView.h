#pragma once

#include "forms/CaptionControl.h"
#include "win32/ControlView.h"

namespace kalpeno::win32 {

// A command button as a native BUTTON: a click (the mouse, Space, or Enter while it has the
// focus) is the model's click.
class ButtonView : public ControlView {
public:
    ButtonView(forms::CommandButton& button, UserEvents& events, FormWindow& window);
    void command(WORD notification) override;

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

private:
    void showCaption();
};

} // namespace kalpeno::win32
