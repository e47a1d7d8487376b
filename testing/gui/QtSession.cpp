#include "gui/QtSession.h"

#include "gui/GuiSession.h"

namespace kalpeno::qt {

std::unique_ptr<scenario::Session> makeQtSession(const std::u16string& appDir) {
    return std::make_unique<GuiSession>(appDir);
}

} // namespace kalpeno::qt
