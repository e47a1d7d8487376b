#pragma once
// A "Help.txt" of a given size for the load benchmarks: lines of Japanese text in code page 932
// (two-byte hiragana) and ASCII digits, each ended with CR LF.

#include <cstddef>
#include <string>

namespace kalpeno::bench {

// Writes exactly `bytes` bytes to `path`; answers false when the file cannot be written.
bool writeHelpFile(const std::string& path, std::size_t bytes);

} // namespace kalpeno::bench
