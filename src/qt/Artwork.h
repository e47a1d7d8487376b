#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>
#include <map>
#include <string>
#include <string_view>

class QPainter;

namespace kalpeno::qt {

class DesignFonts;

// The program's artwork, drawn by the program itself and nothing fetched: the letter tiles of
// the three calculators ("tileA".."tileC", blue letters on grey), their markers ("markerA"..
// "markerC", on light yellow, green and orange), the Version window's picture ("version",
// 362 × 183 pixels) and the window icons ("kalpeno", "help", "version"). Each is drawn once, at
// twice its size for HiDPI screens, and kept.
class Artwork {
public:
    explicit Artwork(DesignFonts& fonts) : fonts_(fonts) {}

    // A null pixmap for a key that names no picture.
    const QPixmap& picture(std::u16string_view key);
    const QIcon& icon(std::u16string_view key);

    // The program's icon ("kalpeno"), `size` pixels square. The build exports the icon theme's
    // files from this same drawing (tools/icons).
    static void paintProgramIcon(QPainter& painter, int size);

private:
    DesignFonts& fonts_;
    std::map<std::u16string, QPixmap, std::less<>> pictures_;
    std::map<std::u16string, QIcon, std::less<>> icons_;
};

} // namespace kalpeno::qt
