#include "scenario/ScenarioParser.h"

#include <cctype>

namespace kalpeno::scenario {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the string that starts at text[i] (a '"'); i ends after the closing quote.
std::string readString(const std::string& text, std::size_t& i, int line) {
    std::string bytes;
    for (++i; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            ++i;
            return bytes;
        }
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i >= text.size()) {
            break;
        }
        switch (text[i]) {
        case '"':
            bytes += '"';
            break;
        case '\\':
            bytes += '\\';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'x': {
            const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                throw SyntaxError(line, "\\x needs two hexadecimal digits");
            }
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            throw SyntaxError(line, std::string("unknown escape \\") + text[i]);
        }
    }
    throw SyntaxError(line, "a string is not closed");
}

} // namespace

std::vector<ScenarioLine> parseScenario(const std::string& content) {
    std::vector<ScenarioLine> lines;
    std::size_t start = 0;
    int number = 0;
    while (start <= content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        const std::string text = content.substr(start, end - start);
        start = end + 1;
        ++number;
        ScenarioLine line{number, {}};
        std::size_t i = 0;
        while (i < text.size()) {
            if (isBlank(text[i])) {
                ++i;
            } else if (line.tokens.empty() && text[i] == '#') {
                break;
            } else if (text[i] == '"') {
                line.tokens.push_back({Token::Kind::String, readString(text, i, number)});
                if (i < text.size() && !isBlank(text[i])) {
                    throw SyntaxError(number, "a string must be followed by a blank");
                }
            } else {
                const std::size_t from = i;
                while (i < text.size() && !isBlank(text[i])) {
                    if (text[i] == '"') {
                        throw SyntaxError(number, "a quote inside a word");
                    }
                    ++i;
                }
                line.tokens.push_back({Token::Kind::Word, text.substr(from, i - from)});
            }
        }
        if (!line.tokens.empty()) {
            lines.push_back(std::move(line));
        }
        if (end == content.size()) {
            break;
        }
    }
    return lines;
}

} // namespace kalpeno::scenario
