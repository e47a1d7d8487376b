#pragma once

#include "forms/Control.h"
#include "qt/ControlView.h"

#include <QPixmap>
#include <QWidget>

namespace kalpeno::qt {

// An image (its picture stretched to the control) or a picture box (its picture at its own size,
// from the top-left corner). It never takes the focus. A picture without a click handler of its
// own is transparent for the mouse, so a click on it reaches the picture beneath: the visible
// marker over the active calculator's letter lets a click through to the letter.
class PictureWidget : public QWidget, public ControlView {
public:
    PictureWidget(forms::Control& picture, const QPixmap& pixmap, UserEvents& events,
                  QWidget* parent);

    QWidget& widget() override { return *this; }

protected:
    void mirrorOwn(forms::Property) override {}
    void mirrorAllOwn() override {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
    bool stretched_;
    bool pressed_ = false;
};

} // namespace kalpeno::qt
