#pragma once

#include "forms/ModelObserver.h"

namespace kalpeno::win32 {

// The model's message box as the system's: MessageBoxW with the title, the text, an OK button
// and no icon, owned by the active window of the program, which it disables until it is closed;
// the handler waits for it.
class Win32MessageBox : public forms::MessageBoxPort {
public:
    void showMessage(std::u16string_view text, std::u16string_view title) override;
};

} // namespace kalpeno::win32
