#include "qt/controls/Artwork.h"

#include "artwork/Artwork.h"
#include "qt/controls/QtPainter.h"

#include <QPainter>

namespace kalpeno::qt {

namespace {

constexpr qreal detail = 2; // pictures are drawn at twice their size

QPixmap drawPicture(std::u16string_view key, DesignFonts& fonts) {
    const std::optional<artwork::Size> size = artwork::pictureSize(key);
    if (!size) {
        return {};
    }
    QPixmap pixmap(QSize(size->width, size->height) * detail);
    pixmap.setDevicePixelRatio(detail);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QtPainter shapes(painter, &fonts);
    artwork::paintPicture(key, shapes);
    return pixmap;
}

QIcon drawIcon(std::u16string_view key) {
    QIcon icon;
    if (!artwork::isIcon(key)) {
        return icon;
    }
    for (const int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            QtPainter shapes(painter, nullptr);
            artwork::paintIcon(key, size, shapes);
        }
        icon.addPixmap(pixmap);
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

} // namespace kalpeno::qt
