#include "qt/controls/ControlView.h"

#include "qt/Conversions.h"

#include <QWidget>

namespace kalpeno::qt {

void ControlView::mirror(forms::Property property) {
    if (!control_) {
        return;
    }
    QWidget& shown = widget();
    switch (property) {
    case forms::Property::Visible:
        shown.setVisible(control_->visible());
        break;
    case forms::Property::Enabled:
        shown.setEnabled(control_->enabled());
        break;
    case forms::Property::BackColour:
        mirrorBackColour();
        break;
    case forms::Property::Bounds:
        shown.setGeometry(toPixels(control_->bounds()));
        break;
    default:
        mirrorOwn(property);
        break;
    }
}

void ControlView::mirrorAll() {
    if (!control_) {
        return;
    }
    widget().setGeometry(toPixels(control_->bounds()));
    mirrorBackColour();
    widget().setEnabled(control_->enabled());
    mirrorAllOwn();
    widget().setVisible(control_->visible());
}

void ControlView::mirrorBackColour() {
    const std::optional<forms::Colour> colour = control_->backColour();
    if (!colour) {
        return;
    }
    QWidget& shown = widget();
    const QColor wanted = toQColor(*colour);
    if (shown.testAttribute(Qt::WA_SetPalette) && shown.palette().color(colourRole()) == wanted) {
        return; // a colour item chosen again, or a control already in the colour
    }
    QPalette palette = shown.palette();
    palette.setColor(colourRole(), wanted);
    shown.setPalette(palette);
    if (colourRole() == QPalette::Window) {
        shown.setAutoFillBackground(true);
    }
}

} // namespace kalpeno::qt
