#pragma once

namespace kalpeno::qt {

// Makes the tapes known to assistive technology as lists whose items are their lines: each row
// reports its text, whether it is selected and whether it is the current one. Installed once,
// before the first tape is asked for its interface.
void installListBoxAccessibility();

} // namespace kalpeno::qt
