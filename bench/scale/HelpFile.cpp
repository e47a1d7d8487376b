#include "bench/scale/HelpFile.h"

#include <fstream>

namespace kalpeno::bench {

namespace {

// One line of about 60 bytes: 24 hiragana (0x82 0x9F to 0x82 0xF1) and the line number.
std::string helpLine(std::size_t number) {
    std::string line;
    for (std::size_t i = 0; i < 24; ++i) {
        line += static_cast<char>(0x82);
        line += static_cast<char>(0x9F + (number + i) % 0x53);
    }
    line += ' ';
    line += std::to_string(number);
    line += "\r\n";
    return line;
}

} // namespace

bool writeHelpFile(const std::string& path, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 128);
    for (std::size_t number = 1; text.size() < bytes; ++number) {
        text += helpLine(number);
    }
    text.resize(bytes);
    if (bytes >= 2) { // the cut may split a two-byte character or a line end
        text[bytes - 2] = '\r';
        text[bytes - 1] = '\n';
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

} // namespace kalpeno::bench
