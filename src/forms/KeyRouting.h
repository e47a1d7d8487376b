#pragma once

#include <cstdint>
#include <memory>

struct UConverter;

namespace kalpeno::forms {

// What a key-press handler sees of a typed character. Full-width forms of the calculator's
// characters (０ to ９, ．, ＋, －, ＊, ／ and the ideographic space), as an input method gives
// them in full-width mode, fold to their ASCII twins; any other character outside ASCII reaches
// the handler as its code in the Japanese ANSI code page (CP932) as a signed 16-bit value.
class KeyRouting {
public:
    KeyRouting();
    ~KeyRouting();
    KeyRouting(const KeyRouting&) = delete;
    KeyRouting& operator=(const KeyRouting&) = delete;

    static char32_t foldFullWidth(char32_t key);
    // The KeyAscii of a key (already folded).
    std::int16_t keyAscii(char32_t key) const;

private:
    struct CloseConverter {
        void operator()(UConverter* converter) const;
    };
    std::unique_ptr<UConverter, CloseConverter> cp932_;
};

} // namespace kalpeno::forms
