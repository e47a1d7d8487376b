// kalpeno-help-encode SOURCE TARGET
//
// Turns the UTF-8 source of the help text into "Help.txt" in code page 932, the form the Help
// window reads. The build runs it; it fails, naming the line, rather than ship a text that the
// window would show differently from its source: every character must have a CP932 code, every
// line must end in CR LF, no control character other than a tab may occur, and the result,
// decoded the way the window decodes it, must give back the source exactly. A leading byte
// order mark is dropped. TARGET is replaced only when everything succeeded.
#include "forms/TextFileInput.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

namespace {

struct CloseConverter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

// A converter that stops at the first byte or character it cannot convert.
Converter strictConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setFallback(converter.get(), false);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

std::optional<std::u16string> decodeUtf8(const std::string& bytes) {
    const Converter utf8 = strictConverter("UTF-8");
    if (!utf8) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::u16string text(bytes.size() + 1, u'\0');
    const int32_t length = ucnv_toUChars(utf8.get(), text.data(), static_cast<int32_t>(text.size()),
                                         bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The first UTF-16 unit that has no CP932 code, or the encoded bytes.
struct Encoded {
    std::string bytes;
    std::optional<std::size_t> unmappable;
};

Encoded encodeCp932(const std::u16string& text) {
    Encoded result;
    const Converter cp932 = strictConverter("windows-31j");
    if (!cp932) {
        result.unmappable = 0;
        return result;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t width = U16_IS_LEAD(text[i]) && i + 1 < text.size() ? 2 : 1;
        char buffer[8];
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = ucnv_fromUChars(cp932.get(), buffer, sizeof buffer, text.data() + i,
                                               static_cast<int32_t>(width), &status);
        if (U_FAILURE(status) || length <= 0) {
            result.unmappable = i;
            return result;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(length));
        i += width - 1;
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
    std::optional<std::u16string> text = decodeUtf8(bytes);
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
    if (kalpeno::forms::TextFileInput::decodeCp932(encoded.bytes) != *text) {
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
