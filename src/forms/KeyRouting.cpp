#include "forms/KeyRouting.h"

#include "forms/Cp932.h"

#include <array>
#include <utility>

namespace kalpeno::forms {

namespace {

// What Japanese input methods send for the calculator's keys besides the full-width forms.
constexpr std::array<std::pair<char32_t, char32_t>, 11> kanaModeKeys{{
    {U'\u3000', U' '}, // ideographic space
    {U'\u2212', U'-'}, // minus sign
    {U'\u30FC', U'-'}, // prolonged sound mark
    {U'\uFF70', U'-'}, // its half-width form
    {U'\u2010', U'-'}, // hyphen
    {U'\u30FB', U'/'}, // katakana middle dot
    {U'\uFF65', U'/'}, // its half-width form
    {U'\u00F7', U'/'}, // division sign
    {U'\u3002', U'.'}, // ideographic full stop
    {U'\uFF61', U'.'}, // its half-width form
    {U'\u00D7', U'*'}, // multiplication sign
}};

} // namespace

char32_t KeyRouting::fold(char32_t key) {
    if (key >= U'\uFF01' && key <= U'\uFF5E') {
        const char32_t ascii = key - 0xFEE0;
        return (ascii >= U'0' && ascii <= U'9') || ascii == U'.' || ascii == U'+' ||
                       ascii == U'-' || ascii == U'*' || ascii == U'/' || ascii == U'='
                   ? ascii
                   : key;
    }
    for (const auto& [from, to] : kanaModeKeys) {
        if (key == from) {
            return to;
        }
    }
    return key;
}

std::int16_t KeyRouting::keyAscii(char32_t key) {
    const std::optional<std::string> bytes = encodeCp932(key);
    if (!bytes) {
        return '?';
    }
    const auto first = static_cast<unsigned char>((*bytes)[0]);
    if (bytes->size() == 1) {
        return static_cast<std::int16_t>(first);
    }
    const auto second = static_cast<unsigned char>((*bytes)[1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(first << 8 | second));
}

} // namespace kalpeno::forms
