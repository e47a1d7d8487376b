#include "qt/Artwork.h"

#include "qt/DesignFonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace kalpeno::qt {

namespace {

constexpr qreal detail = 2; // pictures are drawn at twice their size
constexpr QSize tileSize(41, 55);
constexpr QSize versionSize(362, 183);

const QColor letterBlue(0, 0, 192);
const QColor tileGrey(192, 192, 192);

QPixmap canvas(QSize size) {
    QPixmap pixmap(size * detail);
    pixmap.setDevicePixelRatio(detail);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont letterFont(int pixels) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}

// The centre line of a bold capital A, B or C within `box`. The tiles' letters are drawn as
// strokes rather than text: the calculator window needs no font engine of its own for them, and
// they look the same whatever fonts are installed.
QPainterPath letterPath(QChar letter, const QRectF& box) {
    const qreal x = box.left();
    const qreal y = box.top();
    const qreal w = box.width();
    const qreal h = box.height();
    QPainterPath path;
    if (letter == u'A') {
        path.moveTo(x, y + h);
        path.lineTo(x + w / 2, y);
        path.lineTo(x + w, y + h);
        path.moveTo(x + w * 0.24, y + h * 0.66);
        path.lineTo(x + w * 0.76, y + h * 0.66);
    } else if (letter == u'B') {
        const qreal middle = y + h * 0.47;
        path.moveTo(x, y);
        path.lineTo(x + w * 0.5, y);
        path.cubicTo(x + w * 0.9, y, x + w * 0.9, middle, x + w * 0.5, middle);
        path.lineTo(x, middle);
        path.closeSubpath();
        path.moveTo(x + w * 0.52, middle);
        path.cubicTo(x + w, middle, x + w, y + h, x + w * 0.52, y + h);
        path.lineTo(x, y + h);
        path.lineTo(x, middle);
        path.closeSubpath();
    } else if (letter == u'C') {
        path.arcMoveTo(box, 48);
        path.arcTo(box, 48, 264);
    }
    return path;
}

void paintLetter(QPainter& painter, const QRect& area, QChar letter) {
    const qreal capHeight = area.height() * 0.51;
    const qreal width = capHeight * 0.98;
    const qreal stroke = capHeight * 0.22;
    const QRectF outer(area.left() + (area.width() - width) / 2,
                       area.top() + (area.height() - capHeight) / 2, width, capHeight);
    const qreal inset = stroke / 2;
    painter.save();
    painter.setClipRect(outer);
    painter.setPen(QPen(letterBlue, stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(letterPath(letter, outer.adjusted(inset, inset, -inset, -inset)));
    painter.restore();
}

// A raised tile with a capital letter, as the calculators' selection pictures and markers.
void paintTile(QPainter& painter, const QRect& area, QChar letter, const QColor& background) {
    painter.fillRect(area, background);
    painter.setPen(QPen(background.lighter(140), 2));
    painter.drawLine(area.topLeft() + QPoint(1, 1), area.topRight() + QPoint(-1, 1));
    painter.drawLine(area.topLeft() + QPoint(1, 1), area.bottomLeft() + QPoint(1, -1));
    painter.setPen(QPen(background.darker(160), 2));
    painter.drawLine(area.bottomLeft() + QPoint(1, 0), area.bottomRight());
    painter.drawLine(area.topRight() + QPoint(0, 1), area.bottomRight());
    paintLetter(painter, area, letter);
}

QPixmap tile(QChar letter, const QColor& background) {
    QPixmap pixmap = canvas(tileSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintTile(painter, QRect(QPoint(0, 0), tileSize), letter, background);
    return pixmap;
}

QPixmap versionPicture(DesignFonts& fonts) {
    QPixmap pixmap = canvas(versionSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, versionSize.height());
    sky.setColorAt(0, QColor(16, 40, 120));
    sky.setColorAt(1, QColor(110, 170, 230));
    painter.fillRect(QRect(QPoint(0, 0), versionSize), sky);
    painter.setPen(Qt::white);
    painter.setFont(letterFont(44));
    painter.drawText(QRect(20, 18, 220, 60), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Kalpeno"));
    QFont gothic = fonts.font(u"ＭＳ Ｐゴシック", 9);
    gothic.setPixelSize(17);
    painter.setFont(gothic);
    painter.drawText(QRect(22, 84, 220, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral(u"三つの電卓で計算を記録"));
    painter.setPen(QPen(QColor(255, 255, 255, 140), 1));
    for (int line = 0; line < 3; ++line) {
        painter.drawLine(22, 126 + line * 12, 200, 126 + line * 12);
    }
    const std::array<QColor, 3> markers{QColor(255, 255, 192), QColor(128, 224, 128),
                                        QColor(255, 176, 64)};
    for (int i = 0; i < 3; ++i) {
        const QRect place(236 + i * 40, 64 + (i % 2) * 14, 34, 46);
        paintTile(painter, place, QChar(u'A' + i), i == 0 ? markers[0] : tileGrey);
    }
    return pixmap;
}

// The program's icon, as the window's.
QPixmap calculatorIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Artwork::paintProgramIcon(painter, size);
    return pixmap;
}

// A round badge with one character, for the Help ("?") and Version ("i") windows.
QPixmap badgeIcon(int size, QChar mark, const QColor& colour) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    painter.setPen(Qt::white);
    painter.setFont(letterFont(size * 3 / 4));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(mark));
    return pixmap;
}

QPixmap drawPicture(std::u16string_view key, DesignFonts& fonts) {
    if (key == u"tileA" || key == u"tileB" || key == u"tileC") {
        return tile(QChar(key.back()), tileGrey);
    }
    if (key == u"markerA") {
        return tile(u'A', QColor(255, 255, 192)); // 0x00C0FFFF
    }
    if (key == u"markerB") {
        return tile(u'B', QColor(128, 224, 128));
    }
    if (key == u"markerC") {
        return tile(u'C', QColor(255, 176, 64));
    }
    if (key == u"version") {
        return versionPicture(fonts);
    }
    return {};
}

QIcon drawIcon(std::u16string_view key) {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        if (key == u"kalpeno") {
            icon.addPixmap(calculatorIcon(size));
        } else if (key == u"help") {
            icon.addPixmap(badgeIcon(size, u'?', QColor(32, 96, 200)));
        } else if (key == u"version") {
            icon.addPixmap(badgeIcon(size, u'i', QColor(32, 140, 96)));
        }
    }
    return icon;
}

} // namespace

const QPixmap& Artwork::picture(std::u16string_view key) {
    auto found = pictures_.find(key);
    if (found == pictures_.end()) {
        found = pictures_.emplace(std::u16string(key), drawPicture(key, fonts_)).first;
    }
    return found->second;
}

const QIcon& Artwork::icon(std::u16string_view key) {
    auto found = icons_.find(key);
    if (found == icons_.end()) {
        found = icons_.emplace(std::u16string(key), drawIcon(key)).first;
    }
    return found->second;
}

// A calculator: a body, a display and a keypad with an orange equals key.
void Artwork::paintProgramIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(64, 64, 80));
    painter.drawRoundedRect(QRectF(1.5 * unit, 0.5 * unit, 13 * unit, 15 * unit), unit, unit);
    painter.setBrush(QColor(192, 255, 192));
    painter.drawRect(QRectF(3 * unit, 2 * unit, 10 * unit, 3 * unit));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 2 && column == 2;
            painter.setBrush(equals ? QColor(255, 160, 32) : QColor(224, 224, 224));
            painter.drawRect(
                QRectF((3 + column * 3.5) * unit, (6.5 + row * 3) * unit, 2.5 * unit, 2 * unit));
        }
    }
}

} // namespace kalpeno::qt
