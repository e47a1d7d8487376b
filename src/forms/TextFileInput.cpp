#include "forms/TextFileInput.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

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

// Runs the converter over all of bytes; the output grows as needed, so nothing is cut.
bool convert(UConverter* converter, std::string_view bytes, std::u16string& text) {
    text.assign(bytes.size() + 16, u'\0');
    const char* source = bytes.data();
    const char* const sourceEnd = bytes.data() + bytes.size();
    std::size_t written = 0;
    for (;;) {
        UChar* target = text.data() + written;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(converter, &target, text.data() + text.size(), &source, sourceEnd, nullptr,
                       true, &status);
        written = static_cast<std::size_t>(target - text.data());
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            text.resize(text.size() * 2);
            continue;
        }
        if (U_FAILURE(status)) {
            return false;
        }
        text.resize(written);
        return true;
    }
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
    std::string controls;
    for (int byte = 0; byte < 0x20; ++byte) {
        controls += static_cast<char>(byte);
    }
    controls += '\x7F';
    std::u16string decoded;
    if (!convert(converter, controls, decoded) || decoded.size() != controls.size()) {
        return correction;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (decoded[i] < correction.size()) {
            correction[decoded[i]] = static_cast<char16_t>(static_cast<unsigned char>(controls[i]));
        }
    }
    return correction;
}

std::optional<std::string> utf8Path(std::u16string_view path) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8(nullptr, 0, &length, path.data(), static_cast<int32_t>(path.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        return std::nullopt;
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    status = U_ZERO_ERROR;
    u_strToUTF8(result.data(), length + 1, nullptr, path.data(), static_cast<int32_t>(path.size()),
                &status);
    if (U_FAILURE(status) || result.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return result;
}

// The bytes of a regular file of at most limit bytes. O_NONBLOCK keeps a FIFO from blocking
// the open; fstat on the opened descriptor then refuses everything that is not a regular file.
// A file that grows past the limit while it is read is refused as well.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit) {
    CloseFile file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > limit) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > limit) {
                return std::nullopt;
            }
            bytes.resize(std::min(limit + 1, bytes.size() + 65536));
        }
        const ssize_t count = ::read(file.fd, bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace

std::optional<std::u16string> TextFileInput::decodeCp932(std::string_view bytes) {
    const Converter converter = openCp932();
    if (!converter) {
        return std::nullopt;
    }
    const std::array<char16_t, 0x80> correction = controlCorrection(converter.get());
    std::u16string text;
    if (!convert(converter.get(), bytes, text)) {
        return std::nullopt;
    }
    for (char16_t& c : text) {
        if (c < correction.size()) {
            c = correction[c];
        }
        if (c == u'\0') {
            c = u'\uFFFD';
        }
    }
    return text;
}

std::optional<TextFileInput> TextFileInput::open(std::u16string_view path) {
    const std::optional<std::string> name = utf8Path(path);
    if (!name || name->empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = readRegularFile(*name, maximumSize);
    if (!bytes) {
        return std::nullopt;
    }
    std::optional<std::u16string> text = decodeCp932(*bytes);
    if (!text) {
        return std::nullopt;
    }
    return TextFileInput(std::move(*text));
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

} // namespace kalpeno::forms
