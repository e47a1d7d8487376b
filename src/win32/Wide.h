#pragma once
// The model's UTF-16 text as the Win32 API's wide strings (wchar_t is 16 bits on Windows, so the
// text passes unchanged), and 0x00BBGGRR colours, which are COLORREFs as they are.

#include "forms/Design.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace kalpeno::win32 {

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string fromWide(const std::wstring& text) {
    return fromWide(text.data(), text.size());
}

inline COLORREF toColorRef(forms::Colour colour) {
    return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

// A window's text.
inline std::u16string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return fromWide(text);
}

} // namespace kalpeno::win32
