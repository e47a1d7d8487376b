#pragma once

#include "forms/CaptionControl.h"
#include "win32/ControlView.h"

namespace kalpeno::win32 {

// A label as a native STATIC: its caption, aligned as the design aligns it, never wrapped, with
// no "&" mnemonic. A screen reader reads what it shows as its name, and its purpose (the
// design's name) as its description.
class LabelView : public ControlView {
public:
    LabelView(forms::Label& label, UserEvents& events, FormWindow& window);

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

private:
    void showCaption();
};

} // namespace kalpeno::win32
