#include "qt/PictureWidget.h"

#include "qt/UserEvents.h"

#include <QMouseEvent>
#include <QPainter>

namespace kalpeno::qt {

PictureWidget::PictureWidget(forms::Control& picture, const QPixmap& pixmap, UserEvents& events,
                             QWidget* parent)
    : QWidget(parent), ControlView(picture, events), pixmap_(pixmap),
      stretched_(picture.kind() == forms::ControlKind::Image) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents, !picture.onClick);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretched_) {
        painter.drawPixmap(rect(), pixmap_);
    } else {
        painter.drawPixmap(QPoint(0, 0), pixmap_);
    }
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

// A click is a press and a release of the left button on the picture.
void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && control()) {
        events().click(*control());
    }
}

} // namespace kalpeno::qt
