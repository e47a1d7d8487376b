#pragma once

#include <filesystem>

namespace kalpeno::scenario {

// How many file descriptors the process has open: the same before and after an operation that
// must leave none open.
inline int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

} // namespace kalpeno::scenario
