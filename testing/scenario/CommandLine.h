#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kalpeno::scenario {

// The arguments of a test tool as UTF-8, whatever form the system passes them in: on Windows
// argv is in the ANSI code page, which cannot name every file, so the UTF-16 command line is
// read instead.
std::vector<std::string> commandLine(int argc, char** argv);

// A path given as UTF-8.
inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace kalpeno::scenario
