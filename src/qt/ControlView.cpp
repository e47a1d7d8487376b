#include "qt/ControlView.h"

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
    mirrorFont();
    mirrorBackColour();
    widget().setEnabled(control_->enabled());
    mirrorAllOwn();
    widget().setVisible(control_->visible());
}

// A control without a font of its own keeps the window's default font.
void ControlView::mirrorFont() {
    const forms::FontSpec& design = control_->font();
    if (design.face.empty()) {
        return;
    }
    QFont font(toQString(design.face));
    font.setPointSizeF(design.points);
    widget().setFont(font);
}

void ControlView::mirrorBackColour() {
    const std::optional<forms::Colour> colour = control_->backColour();
    if (!colour) {
        return;
    }
    QWidget& shown = widget();
    QPalette palette = shown.palette();
    palette.setColor(colourRole(), toQColor(*colour));
    shown.setPalette(palette);
    if (colourRole() == QPalette::Window) {
        shown.setAutoFillBackground(true);
    }
}

} // namespace kalpeno::qt
