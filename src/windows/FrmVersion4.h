#pragma once

#include "forms/Form.h"

namespace kalpeno::windows {

class FrmVersion4 : public forms::Form {
public:
    explicit FrmVersion4(forms::Application& app);
    static const forms::FormDesign& design();

    void Command1_Click();
};

} // namespace kalpeno::windows
