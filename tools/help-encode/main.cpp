// kalpeno-help-encode SOURCE TARGET
//
// Turns the UTF-8 source of the help text into "Help.txt" in code page 932, the form the Help
// window reads. The build runs it; it fails, naming the line, rather than ship a text that the
// window would show differently from its source: every character must have a CP932 code, every
// line must end in CR LF, no control character other than a tab may occur, and the result,
// decoded the way the window decodes it, must give back the source exactly. A leading byte
// order mark is dropped. TARGET is replaced only when everything succeeded.
#include "forms/Cp932.h"
#include "forms/Utf.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

// The first UTF-16 unit that has no CP932 code, or the encoded bytes.
struct Encoded {
    std::string bytes;
    std::optional<std::size_t> unmappable;
};

// Code page 932 has no character beyond the BMP, so a surrogate has no code either.
Encoded encodeCp932(const std::u16string& text) {
    Encoded result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::optional<std::string> bytes = kalpeno::forms::encodeCp932(text[i]);
        if (!bytes) {
            result.unmappable = i;
            return result;
        }
        result.bytes += *bytes;
    }
    return result;
}

std::size_t lineOf(const std::u16string& text, std::size_t position) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < position && i < text.size(); ++i) {
        line += text[i] == u'\n' ? 1 : 0;
    }
    return line;
}

// The first position that breaks the line rules, if any.
std::optional<std::size_t> badLineEnd(const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) {
            return i;
        }
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            return i;
        }
        if ((c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7F) {
            return i;
        }
    }
    if (!text.empty() && text.back() != u'\n') {
        return text.size() - 1;
    }
    return std::nullopt;
}

int fail(const std::string& source, std::size_t line, const std::string& what) {
    std::cerr << source << ":" << line << ": " << what << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kalpeno-help-encode SOURCE TARGET\n";
        return 2;
    }
    const std::string source = argv[1];
    const std::filesystem::path target = argv[2];
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        return fail(source, 0, "cannot be read");
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<std::u16string> text = kalpeno::forms::fromUtf8(bytes);
    if (!text) {
        return fail(source, 0, "is not valid UTF-8");
    }
    if (!text->empty() && text->front() == u'\uFEFF') {
        text->erase(0, 1);
    }
    if (const std::optional<std::size_t> at = badLineEnd(*text)) {
        return fail(source, lineOf(*text, *at),
                    "every line must end in CR LF, with no control character but a tab");
    }
    const Encoded encoded = encodeCp932(*text);
    if (encoded.unmappable) {
        return fail(source, lineOf(*text, *encoded.unmappable),
                    "a character has no code in code page 932");
    }
    if (kalpeno::forms::decodeCp932(encoded.bytes) != *text) {
        return fail(source, 0, "does not read back as written");
    }
    std::filesystem::path partial = target;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(encoded.bytes.data(), static_cast<std::streamsize>(encoded.bytes.size()));
        if (!out.flush()) {
            return fail(target.string(), 0, "cannot be written");
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, target, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return fail(target.string(), 0, "cannot be written");
    }
    return 0;
}
