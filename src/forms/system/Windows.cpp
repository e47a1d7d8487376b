// The forms runtime's needs of Windows, all from the Win32 API: UTF-8 and code page 932 through
// MultiByteToWideChar and WideCharToMultiByte, files through CreateFileW. Paths stay UTF-16 from
// the model to the system: nothing passes through the ANSI code page.
#include "forms/Utf.h"
#include "forms/system/System.h"

#include <windows.h>

#include <array>
#include <climits>

namespace kalpeno::forms {

namespace {

const wchar_t* wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

} // namespace

std::optional<std::u16string> fromUtf8(std::string_view text) {
    if (text.empty()) {
        return std::u16string();
    }
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::u16string result(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size,
                        reinterpret_cast<wchar_t*>(result.data()), length);
    return result;
}

std::optional<std::string> toUtf8(std::u16string_view text, BadUtf16 bad) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > INT_MAX / 3) {
        return std::nullopt;
    }
    // WC_ERR_INVALID_CHARS refuses an unpaired surrogate; without it, U+FFFD stands for one.
    const DWORD flags = bad == BadUtf16::Refuse ? WC_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, flags, wide(text), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::nullopt;
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, flags, wide(text), size, result.data(), length, nullptr, nullptr);
    return result;
}

} // namespace kalpeno::forms

namespace kalpeno::forms::system {

namespace {

constexpr UINT cp932 = 932;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

} // namespace

char16_t folderSeparator() {
    return u'\\';
}

bool isRoot(std::u16string_view folder) {
    return folder == u"\\" || (folder.size() == 3 && folder[1] == u':' && folder[2] == u'\\');
}

struct Cp932Table::Converters {};

Cp932Table::Cp932Table() = default;
Cp932Table::~Cp932Table() = default;

std::optional<char16_t> Cp932Table::character(std::string_view bytes) const {
    std::array<wchar_t, 4> units{};
    const int count = MultiByteToWideChar(cp932, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), units.data(),
                                          static_cast<int>(units.size()));
    if (count != 1) {
        return std::nullopt;
    }
    return static_cast<char16_t>(units[0]);
}

// WC_NO_BEST_FIT_CHARS: a character the table does not hold has no bytes, rather than those of
// a look-alike.
std::optional<std::string> Cp932Table::bytes(char16_t character) const {
    const wchar_t unit = static_cast<wchar_t>(character);
    std::array<char, 8> bytes{};
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(cp932, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, &usedDefault);
    if (count <= 0 || usedDefault) {
        return std::nullopt;
    }
    return std::string(bytes.data(), static_cast<std::size_t>(count));
}

// Only a disk file is read: a pipe, a console or another device is refused once open, before
// anything is read from it; a folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
bool readRegularFile(std::u16string_view path, std::size_t limit,
                     const std::function<void(std::size_t size)>& opened,
                     const std::function<bool(std::string_view piece)>& piece) {
    if (path.empty() || path.find(u'\0') != std::u16string_view::npos) {
        return false;
    }
    const std::u16string name(path);
    Handle file(CreateFileW(reinterpret_cast<const wchar_t*>(name.c_str()), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > limit) {
        return false;
    }
    opened(static_cast<std::size_t>(size.QuadPart));
    std::array<char, 65536> buffer;
    std::size_t total = 0;
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &count,
                      nullptr)) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        total += count;
        if (total > limit || !piece({buffer.data(), count})) {
            return false;
        }
    }
}

} // namespace kalpeno::forms::system
