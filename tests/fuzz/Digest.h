#pragma once
// A running hash (64-bit FNV-1a) of what a run showed: two builds that behave alike give the same
// digest for the same inputs, which is how the Windows build's runs are compared with Linux's.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalpeno::fuzz {

class Digest {
public:
    void add(std::uint64_t value) {
        for (int shift = 0; shift < 64; shift += 8) {
            addByte(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void add(std::u16string_view text) {
        add(text.size());
        for (char16_t unit : text) {
            addByte(static_cast<std::uint8_t>(unit));
            addByte(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    std::uint64_t value() const { return hash_; }
    void reset() { hash_ = offset; }

private:
    static constexpr std::uint64_t offset = 0xcbf29ce484222325;
    void addByte(std::uint8_t byte) {
        hash_ ^= byte;
        hash_ *= 0x100000001b3;
    }
    std::uint64_t hash_ = offset;
};

// Sixteen hex digits.
inline std::string hex(std::uint64_t value) {
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 0xF];
    }
    return text;
}

// The digest of the fuzz input being run: a target adds what the input made the program show;
// the regression runner prints it for each input when asked (--digest).
inline Digest& inputDigest() {
    static Digest digest;
    return digest;
}

} // namespace kalpeno::fuzz
