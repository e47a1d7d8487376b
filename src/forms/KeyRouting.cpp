#include "forms/KeyRouting.h"

#include <unicode/ucnv.h>

#include <array>

namespace kalpeno::forms {

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

char32_t KeyRouting::foldFullWidth(char32_t key) {
    switch (key) {
    case U'＋':
    case U'－':
    case U'＊':
    case U'／':
    case U'．':
        return key - 0xFEE0;
    case U'　':
        return U' ';
    default:
        break;
    }
    if (key >= U'０' && key <= U'９') {
        return key - 0xFEE0;
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
