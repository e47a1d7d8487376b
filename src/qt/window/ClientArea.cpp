#include "qt/window/ClientArea.h"

#include <QResizeEvent>

namespace kalpeno::qt {

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) {
        onResize(event->size());
    }
}

} // namespace kalpeno::qt
