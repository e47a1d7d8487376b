#include "win32/Artwork.h"

#include "artwork/Artwork.h"
#include "win32/GdiPainter.h"

namespace kalpeno::win32 {

namespace gp = ::Gdiplus;

std::unique_ptr<gp::Bitmap> paintPicture(std::u16string_view key, int width, int height) {
    const std::optional<artwork::Size> size = artwork::pictureSize(key);
    if (!size || width <= 0 || height <= 0) {
        return nullptr;
    }
    auto bitmap = std::make_unique<gp::Bitmap>(width, height, PixelFormat32bppPARGB);
    gp::Graphics graphics(bitmap.get());
    graphics.Clear(gp::Color(0, 0, 0, 0));
    graphics.ScaleTransform(static_cast<gp::REAL>(width) / static_cast<gp::REAL>(size->width),
                            static_cast<gp::REAL>(height) / static_cast<gp::REAL>(size->height));
    GdiPainter painter(graphics);
    artwork::paintPicture(key, painter);
    return bitmap;
}

std::unique_ptr<gp::Bitmap> paintIconBitmap(std::u16string_view key, int size) {
    if (!artwork::isIcon(key) || size <= 0) {
        return nullptr;
    }
    auto bitmap = std::make_unique<gp::Bitmap>(size, size, PixelFormat32bppARGB);
    gp::Graphics graphics(bitmap.get());
    graphics.Clear(gp::Color(0, 0, 0, 0));
    GdiPainter painter(graphics);
    artwork::paintIcon(key, size, painter);
    return bitmap;
}

HICON paintIcon(std::u16string_view key, int size) {
    const std::unique_ptr<gp::Bitmap> bitmap = paintIconBitmap(key, size);
    HICON icon = nullptr;
    if (bitmap) {
        bitmap->GetHICON(&icon);
    }
    return icon;
}

int iconResource(std::u16string_view key) {
    return key == u"kalpeno" ? 1 : key == u"help" ? 2 : key == u"version" ? 3 : 0;
}

HICON loadIcon(std::u16string_view key, int size) {
    if (const int resource = iconResource(key)) {
        if (auto* icon =
                static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR))) {
            return icon;
        }
    }
    return paintIcon(key, size);
}

} // namespace kalpeno::win32
