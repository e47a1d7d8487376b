#include "forms/Cp932.h"

#include "forms/system/System.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace kalpeno::forms {

namespace {

constexpr char16_t replacement = u'\uFFFD';
constexpr std::size_t leads = 60;   // 0x81 to 0x9F, 0xE0 to 0xFC
constexpr std::size_t trails = 188; // 0x40 to 0x7E, 0x80 to 0xFC

bool isLead(unsigned byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool isTrail(unsigned byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}
bool isKatakana(unsigned byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}
std::size_t pairIndex(unsigned lead, unsigned trail) {
    const std::size_t l = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
    const std::size_t t = trail <= 0x7E ? trail - 0x40 : trail - 0x80 + 63;
    return l * trails + t;
}

} // namespace

// The rule's whole table, read from the system's once, at first use: what each byte and each
// pair of a lead and a trail byte stand for, and the bytes of each character that has some.
struct Cp932Rule {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pairs = std::vector<char16_t>(leads * trails, replacement);
    // Each character that has bytes, in order, with them (one byte, or the lead byte << 8 and
    // the trail byte).
    std::vector<std::pair<char16_t, std::uint16_t>> bytesOf;

    Cp932Rule() {
        const system::Cp932Table system;
        for (unsigned byte = 0; byte < single.size(); ++byte) {
            single[byte] = byte != 0 && byte < 0x80 ? static_cast<char16_t>(byte) : replacement;
            if (isKatakana(byte)) {
                const char bytes[] = {static_cast<char>(byte)};
                single[byte] = system.character({bytes, 1}).value_or(replacement);
            }
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            for (unsigned trail = 0x40; isLead(lead) && trail <= 0xFC; ++trail) {
                if (isTrail(trail)) {
                    const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
                    pairs[pairIndex(lead, trail)] =
                        system.character({bytes, 2}).value_or(replacement);
                }
            }
        }
        std::vector<char16_t> characters(single.begin() + 0xA1, single.begin() + 0xE0);
        characters.insert(characters.end(), pairs.begin(), pairs.end());
        std::sort(characters.begin(), characters.end());
        characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
        for (char16_t character : characters) {
            addBytes(system, character);
        }
    }

    // The system's bytes for a character, kept if they read back as that character.
    void addBytes(const system::Cp932Table& system, char16_t character) {
        if (character == replacement) {
            return;
        }
        const std::optional<std::string> bytes = system.bytes(character);
        if (!bytes || bytes->empty() || bytes->size() > 2) {
            return;
        }
        const auto first = static_cast<unsigned char>((*bytes)[0]);
        if (bytes->size() == 1 && isKatakana(first) && single[first] == character) {
            bytesOf.emplace_back(character, first);
        } else if (bytes->size() == 2) {
            const auto second = static_cast<unsigned char>((*bytes)[1]);
            if (isLead(first) && isTrail(second) && pairs[pairIndex(first, second)] == character) {
                bytesOf.emplace_back(character, static_cast<std::uint16_t>(first << 8 | second));
            }
        }
    }

    static const Cp932Rule& get() {
        static const Cp932Rule rule;
        return rule;
    }
};

Cp932Decoder::Cp932Decoder() : rule_(Cp932Rule::get()) {}

void Cp932Decoder::add(std::string_view bytes, std::u16string& out) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (pendingLead_ >= 0) {
            const auto lead = static_cast<unsigned>(pendingLead_);
            pendingLead_ = -1;
            if (isTrail(byte)) {
                out += rule_.pairs[pairIndex(lead, byte)];
                continue;
            }
            out += replacement; // and the byte is read afresh
        }
        if (isLead(byte)) {
            pendingLead_ = byte;
        } else {
            out += rule_.single[byte];
        }
    }
}

void Cp932Decoder::finish(std::u16string& out) {
    if (pendingLead_ >= 0) {
        out += replacement;
        pendingLead_ = -1;
    }
}

std::u16string decodeCp932(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    Cp932Decoder decoder;
    decoder.add(bytes, text);
    decoder.finish(text);
    return text;
}

std::optional<std::string> encodeCp932(char32_t character) {
    if (character < 0x80) {
        return std::string(1, static_cast<char>(character));
    }
    if (character > 0xFFFF) {
        return std::nullopt;
    }
    const auto& bytesOf = Cp932Rule::get().bytesOf;
    const auto found =
        std::lower_bound(bytesOf.begin(), bytesOf.end(), character,
                         [](const auto& entry, char32_t c) { return entry.first < c; });
    if (found == bytesOf.end() || found->first != character) {
        return std::nullopt;
    }
    const std::uint16_t bytes = found->second;
    if (bytes < 0x100) {
        return std::string(1, static_cast<char>(bytes));
    }
    return std::string{static_cast<char>(bytes >> 8), static_cast<char>(bytes & 0xFF)};
}

} // namespace kalpeno::forms
