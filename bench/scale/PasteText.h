#pragma once
// The text of the paste benchmarks: a calculation of seven-digit numbers joined by "+", as long
// as asked, so that a paste grows the entry box and the operand displays and writes a tape line
// for every eighth character.

#include <cstddef>
#include <string>

namespace kalpeno::bench {

inline std::u16string pasteText(std::size_t length) {
    std::u16string text;
    text.reserve(length);
    while (text.size() < length) {
        text += text.size() % 8 == 7 ? u'+' : static_cast<char16_t>(u'1' + text.size() % 8);
    }
    return text;
}

} // namespace kalpeno::bench
