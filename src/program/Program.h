#pragma once
// The program as a whole: the three forms registered with an Application, and the calculator
// window started. Used alike by the real program, the scenario runner, the tests and the fuzzers.

#include "forms/Application.h"

namespace kalpeno {

void registerForms(forms::Application& app);

// The design of a form of the program by its name, whether or not it is loaded; null for a name
// that is no form of the program.
const forms::FormDesign* findDesign(std::u16string_view form);

// Registers the forms and opens the calculator window, as starting the program does.
void startProgram(forms::Application& app);

} // namespace kalpeno
