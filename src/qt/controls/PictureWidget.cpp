#include "qt/controls/PictureWidget.h"

#include "layer/Presentation.h"
#include "layer/UserEvents.h"
#include "qt/Conversions.h"
#include "qt/controls/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace kalpeno::qt {

PictureWidget::PictureWidget(forms::Control& picture, Artwork& artwork, UserEvents& events,
                             QWidget* parent)
    : QWidget(parent), ControlView(picture, events), artwork_(artwork), key_(picture.picture()),
      shortcut_(picture.shortcut().empty() ? QString()
                                           : toQString(layer::shortcutText(picture.shortcut()))),
      stretched_(picture.kind() == forms::ControlKind::Image),
      clickable_(static_cast<bool>(picture.onClick)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents, !clickable_);
    if (picture.visible()) {
        pixmap(); // shown from the start: drawn with the window
    }
}

const QPixmap& PictureWidget::pixmap() {
    if (!pixmap_) {
        pixmap_ = &artwork_.picture(key_);
    }
    return *pixmap_;
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretched_) {
        painter.drawPixmap(rect(), pixmap());
    } else {
        painter.drawPixmap(QPoint(0, 0), pixmap());
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
    if (click) {
        activate();
    }
}

void PictureWidget::activate() {
    if (control()) {
        events().click(*control());
    }
}

} // namespace kalpeno::qt
