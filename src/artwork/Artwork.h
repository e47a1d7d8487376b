#pragma once
// The program's artwork, drawn by the program itself and nothing fetched, once for every window
// layer: the letter tiles of the three calculators ("tileA".."tileC", blue letters on grey),
// their markers ("markerA".."markerC", on light yellow, green and orange), the Version window's
// picture ("version", 362 × 183 pixels) and the icons ("kalpeno", the program's; "help",
// "version", the windows'). A layer paints them with its own Painter, at any scale.

#include "artwork/Painter.h"

#include <optional>
#include <string_view>

namespace kalpeno::artwork {

struct Size {
    int width = 0;
    int height = 0;
};

// The size of a picture in pixels, or nothing for a key that names none.
std::optional<Size> pictureSize(std::u16string_view key);
void paintPicture(std::u16string_view key, Painter& painter);

// Whether the key names an icon; an icon is square and may be painted at any size.
bool isIcon(std::u16string_view key);
void paintIcon(std::u16string_view key, int size, Painter& painter);

} // namespace kalpeno::artwork
