#pragma once

#include "forms/Design.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace kalpeno::qt {

// The fonts of the design: a face where it is installed, else the first installed stand-in for
// it (QFont::substitutes; the window layer names IPA P Gothic for the Windows Gothic). Fonts are
// asked for by the installed family's own name, so that Qt never looks for a missing face (each
// miss costs a fontconfig fallback search per script), and which family stands for a face is
// found once (asking fontconfig costs about as much as the search).
class DesignFonts {
public:
    QFont font(std::u16string_view face, double points);
    QFont font(const forms::FontSpec& design) { return font(design.face, design.points); }

private:
    const QString& family(std::u16string_view face);

    std::map<std::u16string, QString, std::less<>> families_;
    QStringList installed_;
};

} // namespace kalpeno::qt
