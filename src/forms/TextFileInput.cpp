#include "forms/TextFileInput.h"

#include "forms/Utf.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kalpeno::forms {

namespace {

constexpr const char* cp932 = "windows-31j";

struct CloseFile {
    int fd;
    ~CloseFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

struct CloseConverter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

// Every byte sequence that does not decode, illegal or unassigned, becomes one U+FFFD.
void replaceWithFffd(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                     UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    const UChar replacement = 0xFFFD;
    *status = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

Converter openCp932() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(cp932, &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter.get(), replaceWithFffd, nullptr, nullptr, nullptr, &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// ICU's table for code page 932 follows the IBM PC convention for a few control bytes (0x1A
// decodes as U+001C, 0x1C as U+007F, 0x7F as U+001A), while Windows maps every control byte to
// the control character of the same value. The correction is read from the converter itself,
// so it stays right whatever ICU's table does. Control bytes are never trail bytes, and no
// double-byte character decodes to a control character, so the correction is exact.
std::array<char16_t, 0x80> controlCorrection(UConverter* converter) {
    std::array<char16_t, 0x80> correction{};
    for (std::size_t c = 0; c < correction.size(); ++c) {
        correction[c] = static_cast<char16_t>(c);
    }
    std::array<char, 0x21> controls{};
    for (int byte = 0; byte < 0x20; ++byte) {
        controls[static_cast<std::size_t>(byte)] = static_cast<char>(byte);
    }
    controls[0x20] = '\x7F';
    std::array<UChar, 2 * controls.size()> decoded{};
    UChar* target = decoded.data();
    const char* source = controls.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, decoded.data() + decoded.size(), &source,
                   controls.data() + controls.size(), nullptr, true, &status);
    ucnv_reset(converter);
    if (U_FAILURE(status) || target != decoded.data() + controls.size()) {
        return correction;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (decoded[i] < correction.size()) {
            correction[decoded[i]] = static_cast<char16_t>(static_cast<unsigned char>(controls[i]));
        }
    }
    return correction;
}

// Decodes code page 932 piece by piece as the bytes come, into one text. Each piece is decoded
// into a small buffer, corrected there and appended, so the text is written once and large files
// never pass through memory more often than that. Also notes whether the text has a lone CR (one
// not followed by LF), which decides whether its lines can be handed on as they stand.
class Cp932Decoder {
public:
    // Nothing when ICU's converter for CP932 is not available.
    static std::optional<Cp932Decoder> create(std::size_t expectedBytes) {
        Converter converter = openCp932();
        if (!converter) {
            return std::nullopt;
        }
        return Cp932Decoder(std::move(converter), expectedBytes);
    }

    // Decodes the next bytes; last ends the text, so that an unfinished character at the end
    // becomes U+FFFD. False when ICU fails.
    bool add(std::string_view bytes, bool last) {
        const char* source = bytes.data();
        const char* const sourceEnd = bytes.data() + bytes.size();
        for (;;) {
            UChar* target = piece_.data();
            UErrorCode status = U_ZERO_ERROR;
            ucnv_toUnicode(converter_.get(), &target, piece_.data() + piece_.size(), &source,
                           sourceEnd, nullptr, last, &status);
            if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR) {
                return false;
            }
            append(static_cast<std::size_t>(target - piece_.data()));
            if (status != U_BUFFER_OVERFLOW_ERROR) {
                if (last && endsWithCr_) {
                    loneCr_ = true;
                }
                return true;
            }
        }
    }

    bool hasLoneCr() const { return loneCr_; }
    std::u16string take() { return std::move(text_); }

private:
    Cp932Decoder(Converter converter, std::size_t expectedBytes)
        : converter_(std::move(converter)), correction_(controlCorrection(converter_.get())) {
        for (std::size_t c = 0; c < special_.size(); ++c) {
            special_[c] = correction_[c] != c || c == u'\0';
        }
        // Every byte decodes to at most one UTF-16 unit, so this is all the text ever needs, with
        // room for a CR LF after the last line.
        text_.reserve(expectedBytes + 2);
    }

    // Corrects the first count units of the piece and appends them to the text.
    void append(std::size_t count) {
        char16_t* const begin = piece_.data();
        char16_t* const end = begin + count;
        for (char16_t* p = begin; p != end; ++p) {
            if (*p < special_.size() && special_[*p]) {
                *p = correction_[*p] == u'\0' ? u'\uFFFD' : correction_[*p];
            }
        }
        for (char16_t* p = begin; p != end; ++p) {
            if (*p == u'\r' && p + 1 != end && p[1] != u'\n') {
                loneCr_ = true;
            }
        }
        if (count > 0) {
            if (endsWithCr_ && *begin != u'\n') {
                loneCr_ = true;
            }
            endsWithCr_ = end[-1] == u'\r';
        }
        text_.append(begin, count);
    }

    Converter converter_;
    std::array<char16_t, 0x80> correction_;
    std::array<bool, 0x80> special_{};
    std::array<char16_t, 8192> piece_{};
    std::u16string text_;
    bool endsWithCr_ = false;
    bool loneCr_ = false;
};

// Reads a regular file of at most limit bytes and decodes its bytes as they come; nothing when it
// cannot be read or decoded.
// O_NONBLOCK keeps a FIFO from blocking the open; fstat on the opened descriptor then refuses
// everything that is not a regular file. A file that grows past the limit while it is read is
// refused as well.
std::optional<Cp932Decoder> decodeRegularFile(const std::string& path, std::size_t limit) {
    CloseFile file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > limit) {
        return std::nullopt;
    }
    std::optional<Cp932Decoder> decoder =
        Cp932Decoder::create(static_cast<std::size_t>(info.st_size));
    if (!decoder) {
        return std::nullopt;
    }
    std::array<char, 65536> buffer;
    std::size_t total = 0;
    for (;;) {
        const ssize_t count = ::read(file.fd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        total += static_cast<std::size_t>(count);
        if (total > limit) {
            return std::nullopt;
        }
        if (!decoder->add({buffer.data(), static_cast<std::size_t>(count)}, count == 0)) {
            return std::nullopt;
        }
        if (count == 0) {
            return decoder;
        }
    }
}

} // namespace

std::optional<std::u16string> TextFileInput::decodeCp932(std::string_view bytes) {
    std::optional<Cp932Decoder> decoder = Cp932Decoder::create(bytes.size());
    if (!decoder || !decoder->add(bytes, true)) {
        return std::nullopt;
    }
    return decoder->take();
}

std::optional<TextFileInput> TextFileInput::open(std::u16string_view path) {
    // A name that is not exactly UTF-16, or that holds a NUL, names no file.
    const std::optional<std::string> name = toUtf8(path);
    if (!name || name->empty() || name->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::optional<Cp932Decoder> decoded = decodeRegularFile(*name, maximumSize);
    if (!decoded) {
        return std::nullopt;
    }
    return TextFileInput(decoded->take(), decoded->hasLoneCr());
}

std::u16string_view TextFileInput::lineInput() {
    const std::u16string_view rest = std::u16string_view(text_).substr(position_);
    const std::size_t end = rest.find(u'\r');
    if (end == std::u16string_view::npos) {
        position_ = text_.size();
        return rest;
    }
    position_ += end + 1;
    if (position_ < text_.size() && text_[position_] == u'\n') {
        ++position_;
    }
    return rest.substr(0, end);
}

std::u16string TextFileInput::remainingLines() {
    if (position_ == 0 && !loneCr_) {
        // Every line already ends with CR LF, except perhaps the last one.
        std::u16string text = std::move(text_);
        text_.clear();
        if (!text.empty() && !std::u16string_view(text).ends_with(u"\r\n")) {
            text += u"\r\n";
        }
        return text;
    }
    std::u16string lines;
    lines.reserve(text_.size() - position_ + 2);
    while (!eof()) {
        lines += lineInput();
        lines += u"\r\n";
    }
    return lines;
}

} // namespace kalpeno::forms
