// What the test support asks of Windows.
#include "forms/Utf.h"
#include "scenario/CommandLine.h"
#include "scenario/OpenDescriptors.h"

#include <windows.h>

#include <shellapi.h>

namespace kalpeno::scenario {

int openDescriptors() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return static_cast<int>(count);
}

std::vector<std::string> commandLine(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide && i < count; ++i) {
        const std::u16string argument(reinterpret_cast<const char16_t*>(wide[i]));
        arguments.push_back(forms::toUtf8(argument, forms::BadUtf16::Replace).value_or(""));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace kalpeno::scenario
