// The forms runtime's needs of Linux: ICU for UTF-8 and code page 932, POSIX for files.
#include "forms/Utf.h"
#include "forms/system/System.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalpeno::forms {

std::optional<std::u16string> fromUtf8(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        return std::nullopt;
    }
    std::u16string result(static_cast<std::size_t>(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8(result.data(), length, nullptr, text.data(), static_cast<int32_t>(text.size()),
                  &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> toUtf8(std::u16string_view text, BadUtf16 bad) {
    // -1: no substitute, an unpaired surrogate is an error.
    const UChar32 substitute = bad == BadUtf16::Replace ? 0xFFFD : -1;
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8WithSub(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()),
                       substitute, nullptr, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        return std::nullopt;
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(result.data(), length, nullptr, text.data(),
                       static_cast<int32_t>(text.size()), substitute, nullptr, &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return result;
}

} // namespace kalpeno::forms

namespace kalpeno::forms::system {

char16_t folderSeparator() {
    return u'/';
}

bool isRoot(std::u16string_view folder) {
    return folder == u"/";
}

namespace {

struct CloseConverter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

// ICU's converter of Windows' code page 932, which stops at anything its table does not hold.
Converter openCp932() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

struct CloseFile {
    int fd;
    ~CloseFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

} // namespace

struct Cp932Table::Converters {
    Converter cp932 = openCp932();
};

Cp932Table::Cp932Table() : converters_(std::make_unique<Converters>()) {}
Cp932Table::~Cp932Table() = default;

std::optional<char16_t> Cp932Table::character(std::string_view bytes) const {
    UConverter* converter = converters_->cp932.get();
    if (!converter) {
        return std::nullopt;
    }
    std::array<UChar, 4> units{};
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    const int32_t count = ucnv_toUChars(converter, units.data(), units.size(), bytes.data(),
                                        static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status) || count != 1) {
        return std::nullopt;
    }
    return units[0];
}

std::optional<std::string> Cp932Table::bytes(char16_t character) const {
    UConverter* converter = converters_->cp932.get();
    if (!converter) {
        return std::nullopt;
    }
    std::array<char, 8> bytes{};
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    const int32_t count =
        ucnv_fromUChars(converter, bytes.data(), bytes.size(), &character, 1, &status);
    if (U_FAILURE(status) || count <= 0) {
        return std::nullopt;
    }
    return std::string(bytes.data(), static_cast<std::size_t>(count));
}

// O_NONBLOCK keeps a FIFO from blocking the open; fstat on the opened descriptor then refuses
// everything that is not a regular file.
bool readRegularFile(std::u16string_view path, std::size_t limit,
                     const std::function<void(std::size_t size)>& opened,
                     const std::function<bool(std::string_view piece)>& piece) {
    // A name that is not exactly UTF-16, or that holds a NUL, names no file.
    const std::optional<std::string> name = toUtf8(path);
    if (!name || name->empty() || name->find('\0') != std::string::npos) {
        return false;
    }
    CloseFile file{::open(name->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > limit) {
        return false;
    }
    opened(static_cast<std::size_t>(info.st_size));
    std::array<char, 65536> buffer;
    std::size_t total = 0;
    for (;;) {
        const ssize_t count = ::read(file.fd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        total += static_cast<std::size_t>(count);
        if (total > limit || !piece({buffer.data(), static_cast<std::size_t>(count)})) {
            return false;
        }
    }
}

} // namespace kalpeno::forms::system
