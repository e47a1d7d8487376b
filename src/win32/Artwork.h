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
// An icon of size × size pixels, for the caller to destroy; null for a key that names none.
HICON paintIcon(std::u16string_view key, int size);

} // namespace kalpeno::win32
