#include "program/Program.h"

#include "calculator/Kalpeno.h"
#include "windows/FrmHelp.h"
#include "windows/FrmVersion4.h"

namespace kalpeno {

void registerForms(forms::Application& app) {
    app.registerForm(u"Kalpeno", [](forms::Application& a) {
        return std::make_unique<calculator::Kalpeno>(a);
    });
    app.registerForm(u"frmHelp", [](forms::Application& a) {
        return std::make_unique<windows::FrmHelp>(a);
    });
    app.registerForm(u"frmVersion4", [](forms::Application& a) {
        return std::make_unique<windows::FrmVersion4>(a);
    });
}

void startProgram(forms::Application& app) {
    registerForms(app);
    app.start(u"Kalpeno");
}

} // namespace kalpeno
