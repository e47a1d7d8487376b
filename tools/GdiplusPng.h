#pragma once
// The PNG encoder of GDI+, for the build's Windows tools that write PNG files (the icon writer,
// the screenshot tool). GDI+ must be started.

#include <windows.h>

#include <gdiplus.h>

#include <optional>
#include <string_view>
#include <vector>

namespace kalpeno::tools {

inline std::optional<CLSID> pngEncoder() {
    UINT count = 0;
    UINT bytes = 0;
    ::Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<::Gdiplus::ImageCodecInfo*>(buffer.data());
    ::Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(codecs[i].MimeType) == L"image/png") {
            return codecs[i].Clsid;
        }
    }
    return std::nullopt;
}

} // namespace kalpeno::tools
