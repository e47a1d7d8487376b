#pragma once

#include "forms/Control.h"

#include <QString>

namespace kalpeno::qt {

// The Japanese name that assistive technology reads for a control: what it is and, for the
// boxes and pictures of a calculator, which calculator it belongs to ("電卓Aの入力"). A control
// without an entry of its own is named by its caption.
QString accessibleName(const forms::Control& control);

} // namespace kalpeno::qt
