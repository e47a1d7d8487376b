#pragma once

#include "forms/CaptionControl.h"
#include "qt/ControlView.h"

#include <QLabel>

namespace kalpeno::qt {

// A label: its caption as plain text, top-aligned as in the design.
class LabelWidget : public QLabel, public ControlView {
public:
    LabelWidget(forms::Label& label, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

private:
    forms::Label* label() const { return static_cast<forms::Label*>(control()); }
};

} // namespace kalpeno::qt
