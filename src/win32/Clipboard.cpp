#include "win32/Clipboard.h"

#include <cstring>

namespace kalpeno::win32 {

namespace {

// Another program may hold the clipboard for a moment.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

} // namespace

std::optional<std::u16string> clipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !openClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            // The size bounds the text too: the clipboard's owner may leave out the NUL.
            const std::size_t most = GlobalSize(data) / sizeof(char16_t);
            std::size_t length = 0;
            while (length < most && units[length] != u'\0') {
                ++length;
            }
            text.emplace(units, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool setClipboardText(HWND owner, const std::u16string& text) {
    if (!openClipboard(owner)) {
        return false;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (data) {
        if (void* target = GlobalLock(data)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(data);
            placed = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
        }
        if (!placed) {
            GlobalFree(data);
        }
    }
    CloseClipboard();
    return placed;
}

} // namespace kalpeno::win32
