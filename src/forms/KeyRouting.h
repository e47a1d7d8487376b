#pragma once

#include <cstdint>
#include <memory>

struct UConverter;

namespace kalpeno::forms {

// What a key-press handler sees of a typed, committed or pasted character. The characters that
// a Japanese input method gives for the calculator's keys fold to their ASCII twins: the
// full-width forms (０ to ９, ．, ＋, －, ＊, ／, ＝ and the ideographic space) and what kana mode
// sends for "-", "/", "." and "*" (−, ー, ｰ, ‐; ・, ･, ÷; 。, ｡; ×). Any other character outside
// ASCII reaches the handler as its code in the Japanese ANSI code page (CP932) as a signed
// 16-bit value.
class KeyRouting {
public:
    KeyRouting();
    ~KeyRouting();
    KeyRouting(const KeyRouting&) = delete;
    KeyRouting& operator=(const KeyRouting&) = delete;

    static char32_t fold(char32_t key);
    // The KeyAscii of a key (already folded).
    std::int16_t keyAscii(char32_t key) const;

private:
    struct CloseConverter {
        void operator()(UConverter* converter) const;
    };
    std::unique_ptr<UConverter, CloseConverter> cp932_;
};

} // namespace kalpeno::forms
