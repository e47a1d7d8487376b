#include "program/Program.h"

#include "calculator/Kalpeno.h"
#include "windows/FrmHelp.h"
#include "windows/FrmVersion4.h"

namespace kalpeno {

void registerForms(forms::Application& app) {
    app.registerForm(
        u"Kalpeno", [](forms::Application& a) { return std::make_unique<calculator::Kalpeno>(a); });
    app.registerForm(u"frmHelp",
                     [](forms::Application& a) { return std::make_unique<windows::FrmHelp>(a); });
    app.registerForm(u"frmVersion4", [](forms::Application& a) {
        return std::make_unique<windows::FrmVersion4>(a);
    });
}

const forms::FormDesign* findDesign(std::u16string_view form) {
    for (const forms::FormDesign* design :
         {&calculator::Kalpeno::design(), &windows::FrmHelp::design(),
          &windows::FrmVersion4::design()}) {
        if (design->name == form) {
            return design;
        }
    }
    return nullptr;
}

void startProgram(forms::Application& app) {
    registerForms(app);
    app.start(u"Kalpeno");
}

} // namespace kalpeno
