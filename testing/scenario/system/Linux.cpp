// What the test support asks of Linux.
#include "scenario/CommandLine.h"
#include "scenario/OpenDescriptors.h"

#include <filesystem>

namespace kalpeno::scenario {

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

std::vector<std::string> commandLine(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace kalpeno::scenario
