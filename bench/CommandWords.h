#pragma once
// The words of a program's command as the X benchmarks take it (NAME=COMMAND): split at blanks.

#include <sstream>
#include <string>
#include <vector>

namespace kalpeno::bench {

inline std::vector<std::string> splitWords(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace kalpeno::bench
