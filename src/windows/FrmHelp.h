#pragma once
// The auxiliary windows. frmHelp shows "Help.txt" from the program folder, read once per load;
// frmVersion4 shows the program's picture and notice. Both are modeless and share no state with
// the calculator window.

#include "forms/Form.h"

#include <string>

namespace kalpeno::windows {

class FrmHelp : public forms::Form {
public:
    explicit FrmHelp(forms::Application& app);
    static const forms::FormDesign& design();

    // The program folder with a separator at its end.
    std::u16string MyPath() const;

    void Form_Load() override;
    void Form_Resize() override;
    void mnuModoru_Click();

private:
    forms::TextBox& Text1;
};

} // namespace kalpeno::windows
