#include "qt/controls/QtPainter.h"

#include "qt/Conversions.h"
#include "qt/window/DesignFonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kalpeno::qt {

namespace {

QColor toQColor(artwork::Colour colour) {
    return QColor(colour.red, colour.green, colour.blue, colour.alpha);
}

QRectF toQRect(const artwork::Rect& rect) {
    return QRectF(rect.left, rect.top, rect.width, rect.height);
}

QPointF toQPoint(artwork::Point point) {
    return QPointF(point.x, point.y);
}

QPainterPath toQPath(const artwork::Path& path) {
    QPainterPath shape;
    for (const artwork::Path::Element& element : path.elements()) {
        switch (element.kind) {
        case artwork::Path::Kind::Move:
            shape.moveTo(toQPoint(element.points[0]));
            break;
        case artwork::Path::Kind::Line:
            shape.lineTo(toQPoint(element.points[0]));
            break;
        case artwork::Path::Kind::Cubic:
            shape.cubicTo(toQPoint(element.points[0]), toQPoint(element.points[1]),
                          toQPoint(element.points[2]));
            break;
        case artwork::Path::Kind::Close:
            shape.closeSubpath();
            break;
        }
    }
    return shape;
}

QPen toQPen(const artwork::Pen& pen) {
    return QPen(toQColor(pen.colour), pen.width, Qt::SolidLine, Qt::SquareCap,
                pen.roundJoin ? Qt::RoundJoin : Qt::MiterJoin);
}

} // namespace

void QtPainter::setAntialiasing(bool on) {
    painter_.setRenderHint(QPainter::Antialiasing, on);
    painter_.setRenderHint(QPainter::TextAntialiasing, on);
}

void QtPainter::fillRect(const artwork::Rect& rect, artwork::Colour colour) {
    painter_.fillRect(toQRect(rect), toQColor(colour));
}

void QtPainter::fillGradient(const artwork::Rect& rect, artwork::Colour top,
                             artwork::Colour bottom) {
    QLinearGradient gradient(0, rect.top, 0, rect.top + rect.height);
    gradient.setColorAt(0, toQColor(top));
    gradient.setColorAt(1, toQColor(bottom));
    painter_.fillRect(toQRect(rect), gradient);
}

void QtPainter::fillPath(const artwork::Path& path, artwork::Colour colour) {
    painter_.fillPath(toQPath(path), toQColor(colour));
}

void QtPainter::strokeLine(artwork::Point from, artwork::Point to, const artwork::Pen& pen) {
    painter_.setPen(toQPen(pen));
    painter_.drawLine(toQPoint(from), toQPoint(to));
}

void QtPainter::strokePath(const artwork::Path& path, const artwork::Pen& pen,
                           const artwork::Rect& clip) {
    painter_.save();
    painter_.setClipRect(toQRect(clip));
    painter_.setPen(toQPen(pen));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(toQPath(path));
    painter_.restore();
}

void QtPainter::drawText(const artwork::Rect& box, std::u16string_view text,
                         const artwork::Font& font, artwork::Colour colour, artwork::Align align) {
    QFont qfont = font.face == artwork::Face::Gothic && fonts_
                      ? fonts_->font(u"ＭＳ Ｐゴシック", 9)
                      : QFont(QStringLiteral("Sans Serif"));
    qfont.setBold(font.bold);
    qfont.setPixelSize(font.pixelSize);
    painter_.setFont(qfont);
    painter_.setPen(toQColor(colour));
    const Qt::Alignment horizontal =
        align == artwork::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    painter_.drawText(toQRect(box), horizontal | Qt::AlignVCenter, toQString(text));
}

} // namespace kalpeno::qt
