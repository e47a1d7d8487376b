#pragma once
// The window layer's translations between the model's units and Qt's: UTF-16 text, 0x00BBGGRR
// colours, and twips to device-independent pixels (15 twips to a pixel, as at 96 dpi; Qt scales
// device-independent pixels on a HiDPI screen, so the layout keeps its proportions there).

#include "forms/Design.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

namespace kalpeno::qt {

inline constexpr int twipsPerPixel = 15;

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

// The captions of the context menus of the text boxes and the tapes.
inline constexpr char16_t copyCaption[] = u"コピー";
inline constexpr char16_t pasteCaption[] = u"貼り付け";
inline constexpr char16_t selectAllCaption[] = u"すべて選択";

inline int toPixels(int twips) {
    return (twips >= 0 ? twips + twipsPerPixel / 2 : twips - twipsPerPixel / 2) / twipsPerPixel;
}

inline int toTwips(int pixels) {
    return pixels * twipsPerPixel;
}

// Edges are rounded, so that neighbouring controls stay neighbours.
inline QRect toPixels(const forms::Bounds& bounds) {
    const int left = toPixels(bounds.left);
    const int top = toPixels(bounds.top);
    return QRect(left, top, toPixels(bounds.left + bounds.width) - left,
                 toPixels(bounds.top + bounds.height) - top);
}

} // namespace kalpeno::qt
