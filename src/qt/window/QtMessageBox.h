#pragma once

#include "forms/ModelObserver.h"

#include <functional>

class QMessageBox;

namespace kalpeno::qt {

// The handlers' message box on screen: a modal QMessageBox with the text as plain text, one OK
// button, no icon and the model's title ("Kalpeno"). The handler waits until it is closed.
class QtMessageBox : public forms::MessageBoxPort {
public:
    void showMessage(std::u16string_view text, std::u16string_view title) override;

    // Called with each box once it is on screen and modal, from within its event loop; the
    // scenario session and the tests read the box there and close it with its OK button.
    std::function<void(QMessageBox&)> onShown;
};

} // namespace kalpeno::qt
