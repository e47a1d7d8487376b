#include "qt/boxes/LineEditStyle.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>

namespace kalpeno::qt {

// A style of its own kind, so that the application's style is neither shared nor taken over.
LineEditStyle::LineEditStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void LineEditStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (qobject_cast<QLineEdit*>(widget)) {
        widget->setAttribute(Qt::WA_OpaquePaintEvent);
    }
}

void LineEditStyle::unpolish(QWidget* widget) {
    if (qobject_cast<QLineEdit*>(widget)) {
        widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    QProxyStyle::unpolish(widget);
}

void LineEditStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element == PE_PanelLineEdit && frame) {
        painter->fillRect(option->rect, option->palette.base());
        if (frame->lineWidth > 0) {
            drawFrame(*option, *painter);
        }
        return;
    }
    if (element == PE_FrameLineEdit) {
        drawFrame(*option, *painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Four filled strips of whole pixels: no path, no antialiasing. With the focus, a second, paler
// line inside the first makes the focused box stand out as the rounded focus frame did.
void LineEditStyle::drawFrame(const QStyleOption& option, QPainter& painter) const {
    const bool focused = option.state.testFlag(State_HasFocus);
    const QColor outline = focused ? option.palette.highlight().color().darker(125)
                                   : option.palette.window().color().darker(140);
    const auto strips = [&painter](const QRect& r, const QColor& colour) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), colour);
        painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), colour);
    };
    strips(option.rect, outline);
    if (focused && option.rect.width() > 4 && option.rect.height() > 4) {
        QColor inner = option.palette.highlight().color();
        inner.setAlpha(80);
        strips(option.rect.adjusted(1, 1, -1, -1), inner);
    }
}

} // namespace kalpeno::qt
