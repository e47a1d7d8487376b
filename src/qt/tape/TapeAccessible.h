#pragma once

namespace kalpeno::qt {

// Makes the tapes known to assistive technology as lists whose items are their lines: each row
// reports its text, whether it is selected and whether it is the current one. Installed once,
// before the first tape is asked for its interface.
void installTapeAccessibility();

class TapeView;

// What a list tells of its items coming and going, so that a screen reader can announce a new line
// on a tape: the row just added at the end, or every row, just before the tape is cleared. Nothing
// is sent while no assistive technology listens.
void announceLastRowAdded(TapeView& tape);
void announceRowsRemoved(TapeView& tape);

} // namespace kalpeno::qt
