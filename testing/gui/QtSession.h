#pragma once

#include "scenario/Session.h"

#include <memory>
#include <string>

namespace kalpeno::qt {

// A fresh program on the real widgets, for `kalpeno-scenario --gui`: events are real mouse
// clicks and key presses sent to the widgets, and every check reads what the widgets show.
// A QApplication must exist (the offscreen platform will do).
std::unique_ptr<scenario::Session> makeQtSession(const std::u16string& appDir);

} // namespace kalpeno::qt
