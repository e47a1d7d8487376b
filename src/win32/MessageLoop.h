#pragma once

#include <windows.h>

namespace kalpeno::win32 {

class Win32Layer;

// The program's event loop: each message goes through the window's design keys and the dialog
// manager (Tab between the controls), else is translated (a key press becomes its character)
// and dispatched. Runs until the program ends.
int runMessageLoop(Win32Layer& layer);
// Handles the messages there are now, then returns (for a test that drives the windows).
void handleWaitingMessages(Win32Layer& layer);

} // namespace kalpeno::win32
