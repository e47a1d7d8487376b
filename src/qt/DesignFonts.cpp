#include "qt/DesignFonts.h"

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
    QString chosen = toQString(face);
    if (!QFontDatabase::hasFamily(chosen)) {
        for (const QString& standIn : QFont::substitutes(chosen)) {
            if (QFontDatabase::hasFamily(standIn)) {
                chosen = standIn;
                break;
            }
        }
    }
    return families_.emplace(std::u16string(face), chosen).first->second;
}

} // namespace kalpeno::qt
