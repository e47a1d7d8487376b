#pragma once

#include "forms/Control.h"
#include "qt/ControlView.h"

#include <QPixmap>
#include <QWidget>

#include <string>

namespace kalpeno::qt {

class Artwork;

// An image (its picture stretched to the control) or a picture box (its picture at its own size,
// from the top-left corner). It never takes the focus. A picture without a click handler of its
// own is transparent for the mouse, so a click on it reaches the picture beneath: the visible
// marker over the active calculator's letter lets a click through to the letter. A picture that
// starts hidden is drawn (by the artwork, which outlives the window) only when it is first
// painted, so it costs nothing until it is shown.
class PictureWidget : public QWidget, public ControlView {
public:
    PictureWidget(forms::Control& picture, Artwork& artwork, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }

protected:
    void mirrorOwn(forms::Property) override {}
    void mirrorAllOwn() override {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QPixmap& pixmap();

    Artwork& artwork_;
    std::u16string key_;
    const QPixmap* pixmap_ = nullptr;
    bool stretched_;
    bool pressed_ = false;
};

} // namespace kalpeno::qt
