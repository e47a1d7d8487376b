#pragma once

#include <cstdint>

namespace kalpeno::forms {

// What a key-press handler sees of a typed, committed or pasted character. The characters that
// a Japanese input method gives for the calculator's keys fold to their ASCII twins: the
// full-width forms (０ to ９, ．, ＋, －, ＊, ／, ＝ and the ideographic space) and what kana mode
// sends for "-", "/", "." and "*" (−, ー, ｰ, ‐; ・, ･, ÷; 。, ｡; ×). Any other character outside
// ASCII reaches the handler as its code in the Japanese ANSI code page (CP932, forms/Cp932.h) as
// a signed 16-bit value, and one that the code page does not have as "?".
class KeyRouting {
public:
    static char32_t fold(char32_t key);
    // The KeyAscii of a key (already folded).
    static std::int16_t keyAscii(char32_t key);
};

} // namespace kalpeno::forms
