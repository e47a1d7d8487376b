#pragma once
// The window layer's translations between the model's units and Qt's: UTF-16 text, 0x00BBGGRR
// colours, and twips to device-independent pixels (15 twips to a pixel, as at 96 dpi; Qt scales
// device-independent pixels on a HiDPI screen, so the layout keeps its proportions there).

#include "forms/Design.h"
#include "layer/Units.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

namespace kalpeno::qt {

inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) {
    return text.toStdU16String();
}

inline QColor toQColor(forms::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline forms::Colour toColour(const QColor& colour) {
    return static_cast<forms::Colour>(colour.red()) |
           static_cast<forms::Colour>(colour.green()) << 8 |
           static_cast<forms::Colour>(colour.blue()) << 16;
}

// The horizontal part of a control's alignment; each kind of control adds its own vertical one.
inline Qt::Alignment horizontalAlignmentOf(forms::Alignment alignment) {
    switch (alignment) {
    case forms::Alignment::Right:
        return Qt::AlignRight;
    case forms::Alignment::Centre:
        return Qt::AlignHCenter;
    case forms::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

inline int toPixels(int twips) {
    return layer::twipsToPixels(twips);
}

inline int toTwips(int pixels) {
    return layer::pixelsToTwips(pixels);
}

inline QRect toPixels(const forms::Bounds& bounds) {
    const layer::PixelRect rect = layer::toPixels(bounds);
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

} // namespace kalpeno::qt
