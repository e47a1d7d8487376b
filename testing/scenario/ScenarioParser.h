#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace kalpeno::scenario {

// One word or one double-quoted string of a scenario line. A string's text holds its bytes with
// the escapes \" \\ \r \n \t \xHH resolved.
struct Token {
    enum class Kind { Word, String };
    Kind kind = Kind::Word;
    std::string text;
};

struct ScenarioLine {
    int number = 0;
    std::vector<Token> tokens; // never empty
};

class SyntaxError : public std::runtime_error {
public:
    SyntaxError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// Splits a scenario file into its command lines; blank lines and comments are dropped.
std::vector<ScenarioLine> parseScenario(const std::string& content);

} // namespace kalpeno::scenario
