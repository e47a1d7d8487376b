#pragma once

#include "forms/Control.h"

#include <QString>

namespace kalpeno::qt {

// The Japanese name that assistive technology reads for a control: what it is and, for the
// boxes and pictures of a calculator, which calculator it belongs to ("電卓Aの入力"). A control
// without an entry of its own is named by its caption.
QString accessibleName(const forms::Control& control);

// What is read besides the name: the design's key for a control that has one ("ショートカット
// キー: Ctrl+1"), and a label's purpose (a label's name is what it shows); empty for the others.
QString accessibleDescription(const forms::Control& control);

// The tooltip of a control with a key of its own: its name and the key; empty for the others.
QString toolTip(const forms::Control& control);

} // namespace kalpeno::qt
