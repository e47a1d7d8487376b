#include "qt/window/DesignFonts.h"

#include "qt/Conversions.h"

#include <QFontDatabase>

namespace kalpeno::qt {

QFont DesignFonts::font(std::u16string_view face, double points) {
    QFont font(family(face));
    font.setPointSizeF(points);
    return font;
}

const QString& DesignFonts::family(std::u16string_view face) {
    auto found = families_.find(face);
    if (found != families_.end()) {
        return found->second;
    }
    // The installed families are read once; QFontDatabase::hasFamily would first resolve each
    // name as a fontconfig alias, a match against every installed font.
    if (installed_.isEmpty()) {
        installed_ = QFontDatabase::families();
    }
    const auto isInstalled = [this](const QString& family) {
        return installed_.contains(family, Qt::CaseInsensitive);
    };
    QString chosen = toQString(face);
    if (!isInstalled(chosen)) {
        for (const QString& standIn : QFont::substitutes(chosen)) {
            if (isInstalled(standIn)) {
                chosen = standIn;
                break;
            }
        }
    }
    return families_.emplace(std::u16string(face), chosen).first->second;
}

} // namespace kalpeno::qt
