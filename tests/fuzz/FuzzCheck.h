#pragma once
// How a fuzz target reports a broken rule: a line on standard error, then abort(), which both
// libFuzzer and the regression runner count as a finding.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kalpeno::fuzz {

[[noreturn]] inline void broken(std::string_view what) {
    std::fprintf(stderr, "broken rule: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

inline void require(bool holds, std::string_view what) {
    if (!holds) {
        broken(what);
    }
}

} // namespace kalpeno::fuzz
