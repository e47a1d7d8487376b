#pragma once
// Code page 932, the Japanese ANSI code page, in which Help.txt is read and a key-press handler
// sees a character (KeyAscii). The rule is the program's own and the same on every system; only
// the table of characters comes from the system (forms/system/System.h):
// - a byte below 0x80 is the character of its value, except NUL, which becomes U+FFFD: a text
//   box cannot show it, and a window layer that passes text on as a C string would end there;
// - a lead byte (0x81 to 0x9F, 0xE0 to 0xFC) and a trail byte (0x40 to 0x7E, 0x80 to 0xFC) are
//   one character, or one U+FFFD where the table has none;
// - a lead byte not followed by a trail byte is one U+FFFD, and the byte after it is read afresh,
//   also at the end of the text;
// - 0xA1 to 0xDF are the half-width katakana; every other byte is one U+FFFD. Windows' table
//   gives 0x80, 0xA0 and 0xFD to 0xFF private characters (U+0080, U+F8F0 to U+F8F3) that no
//   Shift_JIS text means, and ICU's has none for them: they are no character on either system.
// - A character's bytes are those the system's table gives it, provided that they read back as
//   that character; else it has none (U+0080 and U+F8F0 to U+F8F3 on Windows, U+F86F in ICU).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::forms {

struct Cp932Rule; // the table the rule is read from

// Decodes code page 932 piece by piece as the bytes come; a lead byte at the end of a piece
// waits for the next one.
class Cp932Decoder {
public:
    Cp932Decoder();
    // Appends the characters of the next bytes to out.
    void add(std::string_view bytes, std::u16string& out);
    // Ends the text: a lead byte left over becomes U+FFFD.
    void finish(std::u16string& out);

private:
    const Cp932Rule& rule_;
    int pendingLead_ = -1;
};

// All of a text at once.
std::u16string decodeCp932(std::string_view bytes);

// The bytes of one character, or nothing when code page 932 has none for it. ASCII is itself.
std::optional<std::string> encodeCp932(char32_t character);

} // namespace kalpeno::forms
