#pragma once

#include "forms/CaptionControl.h"
#include "qt/controls/ControlView.h"

#include <QPushButton>

namespace kalpeno::qt {

// A command button. It takes the keyboard focus by Tab only: a click leaves the focus where it
// is, so the user can click the keypad and go on typing in the entry box.
class ButtonWidget : public QPushButton, public ControlView {
public:
    ButtonWidget(forms::CommandButton& button, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Button; }

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

private:
    forms::CommandButton* button() const { return static_cast<forms::CommandButton*>(control()); }
    void showCaption();
};

} // namespace kalpeno::qt
