#pragma once
// The auxiliary windows. frmHelp shows "Help.txt" from the program folder, read once per load;
// frmVersion4 shows the program's picture and notice. Both are modeless and share no state with
// the calculator window.

#include "forms/Form.h"

#include <optional>
#include <string>

namespace kalpeno::windows {

class FrmHelp : public forms::Form {
public:
    explicit FrmHelp(forms::Application& app);
    static const forms::FormDesign& design();

    // The program folder with one "/" at its end; a folder that already ends in "/" (the root)
    // is returned unchanged.
    std::u16string MyPath() const;

    void Form_Load() override;
    void Form_Resize() override;
    void mnuModoru_Click();

private:
    // The text of "Help.txt" as the window shows it, or nothing when it cannot be read.
    std::optional<std::u16string> readHelpFile() const;

    forms::TextBox& Text1;
};

} // namespace kalpeno::windows
