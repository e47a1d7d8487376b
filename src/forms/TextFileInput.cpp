#include "forms/TextFileInput.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace kalpeno::forms {

namespace {

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

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit) {
    CloseFile file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > limit) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > limit) {
                return std::nullopt; // it grew past the limit while being read
            }
            bytes.resize(std::min(limit + 1, bytes.size() + 65536));
        }
        const ssize_t count = ::read(file.fd, bytes.data() + filled, bytes.size() - filled);
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

std::u16string TextFileInput::decodeCp932(std::string_view bytes) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, CloseConverter> converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) {
        return std::u16string(bytes.size(), u'\uFFFD');
    }
    ucnv_setToUCallBack(converter.get(), replaceWithFffd, nullptr, nullptr, nullptr, &status);
    std::u16string text(bytes.size() + 1, u'\0');
    const char* source = bytes.data();
    UChar* target = text.data();
    status = U_ZERO_ERROR;
    ucnv_toUnicode(converter.get(), &target, text.data() + text.size(), &source,
                   bytes.data() + bytes.size(), nullptr, true, &status);
    if (U_FAILURE(status)) {
        return std::u16string(bytes.size(), u'\uFFFD');
    }
    text.resize(static_cast<std::size_t>(target - text.data()));
    return text;
}

std::optional<TextFileInput> TextFileInput::open(std::u16string_view path) {
    const std::optional<std::string> name = utf8Path(path);
    if (!name) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = readRegularFile(*name, maximumSize);
    if (!bytes) {
        return std::nullopt;
    }
    return TextFileInput(decodeCp932(*bytes));
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
