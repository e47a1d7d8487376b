#include "forms/KeyRouting.h"

#include <unicode/ucnv.h>

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

void KeyRouting::CloseConverter::operator()(UConverter* converter) const {
    ucnv_close(converter);
}

KeyRouting::KeyRouting() {
    UErrorCode status = U_ZERO_ERROR;
    cp932_.reset(ucnv_open("windows-31j", &status));
    if (U_SUCCESS(status) && cp932_) {
        status = U_ZERO_ERROR;
        ucnv_setSubstChars(cp932_.get(), "?", 1, &status);
    } else {
        cp932_.reset();
    }
}

KeyRouting::~KeyRouting() = default;

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

std::int16_t KeyRouting::keyAscii(char32_t key) const {
    if (key < 0x80) {
        return static_cast<std::int16_t>(key);
    }
    if (!cp932_ || key > 0x10FFFF) {
        return '?';
    }
    std::array<char16_t, 2> units{};
    int length = 1;
    if (key >= 0x10000) {
        units[0] = static_cast<char16_t>(0xD800 + ((key - 0x10000) >> 10));
        units[1] = static_cast<char16_t>(0xDC00 + ((key - 0x10000) & 0x3FF));
        length = 2;
    } else {
        units[0] = static_cast<char16_t>(key);
    }
    std::array<char, 8> bytes{};
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(cp932_.get());
    const int32_t count =
        ucnv_fromUChars(cp932_.get(), bytes.data(), bytes.size(), units.data(), length, &status);
    if (U_FAILURE(status) || count <= 0) {
        return '?';
    }
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (count == 1) {
        return static_cast<std::int16_t>(first);
    }
    const auto second = static_cast<unsigned char>(bytes[1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(first << 8 | second));
}

} // namespace kalpeno::forms
