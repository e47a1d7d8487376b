#pragma once
// The program's artwork (artwork/Artwork.h) as Windows shows it: a picture painted at the size
// of its control on the screen, and the windows' icons.

#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <string_view>

namespace kalpeno::win32 {

// The picture stretched to width × height pixels; null for a key that names none.
std::unique_ptr<::Gdiplus::Bitmap> paintPicture(std::u16string_view key, int width, int height);
// An icon of size × size pixels, as a bitmap with alpha, or as an icon for the caller to destroy;
// null for a key that names none.
std::unique_ptr<::Gdiplus::Bitmap> paintIconBitmap(std::u16string_view key, int size);
HICON paintIcon(std::u16string_view key, int size);
// The icon of the key at the size, from the program file's resources (kalpeno.rc), else painted.
HICON loadIcon(std::u16string_view key, int size);
// The resource number of an icon's key in the program file (kalpeno.rc), or 0.
int iconResource(std::u16string_view key);

} // namespace kalpeno::win32
