#pragma once

#include "forms/Control.h"
#include "qt/controls/ControlView.h"

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
// painted, so it costs nothing until it is shown. A picture with a click handler can also be
// clicked through its accessible action (and by the design's key for it, which its window
// handles).
class PictureWidget : public QWidget, public ControlView {
public:
    PictureWidget(forms::Control& picture, Artwork& artwork, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }

    // Has a click handler of its own.
    bool clickable() const { return clickable_; }
    // The design's key for a click on it ("Ctrl+1"), or empty.
    const QString& shortcut() const { return shortcut_; }
    // A click on the picture, by the mouse or through assistive technology.
    void activate();

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
    QString shortcut_;
    bool stretched_;
    bool clickable_;
    bool pressed_ = false;
};

} // namespace kalpeno::qt
