#pragma once

#include "forms/Control.h"

#include <string>

namespace kalpeno::forms {

// A control whose only text is a caption: labels and command buttons.
class CaptionControl : public Control {
public:
    CaptionControl(Form& form, const ControlDesign& design)
        : Control(form, design), caption_(design.caption), alignment_(design.flags.alignment) {}

    const std::u16string& caption() const { return caption_; }
    void setCaption(std::u16string caption) {
        caption_ = std::move(caption);
        changed(Property::Caption);
    }
    Alignment alignment() const { return alignment_; }

private:
    std::u16string caption_;
    Alignment alignment_;
};

using Label = CaptionControl;
using CommandButton = CaptionControl;

} // namespace kalpeno::forms
