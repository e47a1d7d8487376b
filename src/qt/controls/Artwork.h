#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace kalpeno::qt {

class DesignFonts;

// The program's artwork (artwork/Artwork.h) as pixmaps and window icons: each picture is painted
// once, at twice its size for HiDPI screens, and kept.
class Artwork {
public:
    explicit Artwork(DesignFonts& fonts) : fonts_(fonts) {}

    // A null pixmap for a key that names no picture.
    const QPixmap& picture(std::u16string_view key);
    const QIcon& icon(std::u16string_view key);

private:
    DesignFonts& fonts_;
    std::map<std::u16string, QPixmap, std::less<>> pictures_;
    std::map<std::u16string, QIcon, std::less<>> icons_;
};

} // namespace kalpeno::qt
