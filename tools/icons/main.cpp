// kalpeno-icons OUTDIR NAME SIZE...
// Exports the program's icon, drawn by the program's own code, into an icon theme's folders
// under OUTDIR: SIZExSIZE/apps/NAME.png for each SIZE, and scalable/apps/NAME.svg. The drawing
// is shapes only, so it needs no display and no fonts.
#include "artwork/Artwork.h"
#include "qt/controls/QtPainter.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <charconv>
#include <iostream>
#include <string_view>

namespace {

constexpr int scalableSize = 256; // the SVG's drawing size: whole numbers for every shape

bool makeFolder(const QDir& folder, const QString& path) {
    if (!folder.mkpath(path)) {
        std::cerr << "kalpeno-icons: cannot create " << folder.filePath(path).toStdString() << '\n';
        return false;
    }
    return true;
}

bool writePng(const QDir& folder, const QString& name, int size) {
    const QString path = QStringLiteral("%1x%1/apps").arg(size);
    if (!makeFolder(folder, path)) {
        return false;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        kalpeno::qt::QtPainter shapes(painter, nullptr);
        kalpeno::artwork::paintIcon(u"kalpeno", size, shapes);
    }
    const QString file = folder.filePath(path + u'/' + name + QStringLiteral(".png"));
    if (!image.save(file, "PNG")) {
        std::cerr << "kalpeno-icons: cannot write " << file.toStdString() << '\n';
        return false;
    }
    return true;
}

bool writeSvg(const QDir& folder, const QString& name) {
    const QString path = QStringLiteral("scalable/apps");
    if (!makeFolder(folder, path)) {
        return false;
    }
    const QString file = folder.filePath(path + u'/' + name + QStringLiteral(".svg"));
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(scalableSize, scalableSize));
    svg.setViewBox(QRect(0, 0, scalableSize, scalableSize));
    svg.setTitle(QStringLiteral("Kalpeno"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::cerr << "kalpeno-icons: cannot write " << file.toStdString() << '\n';
        return false;
    }
    {
        kalpeno::qt::QtPainter shapes(painter, nullptr);
        kalpeno::artwork::paintIcon(u"kalpeno", scalableSize, shapes);
    }
    return painter.end();
}

int parseSize(std::string_view text) {
    int size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    return error == std::errc() && end == text.data() + text.size() && size > 0 && size <= 1024
               ? size
               : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: kalpeno-icons OUTDIR NAME SIZE...\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool written = true;
    for (int i = 3; i < argc; ++i) {
        const int size = parseSize(argv[i]);
        if (size == 0) {
            std::cerr << "kalpeno-icons: not a size: " << argv[i] << '\n';
            return 2;
        }
        written = writePng(folder, name, size) && written;
    }
    return writeSvg(folder, name) && written ? 0 : 1;
}
