// kalpeno-icons OUT.ico KEY SIZE... (Windows)
// Writes one of the program's icons (artwork/Artwork.h: "kalpeno", "help", "version"), painted
// by the program's own code, as a Windows icon file with one PNG image a size, for the program
// file's resources.
#include "win32/Artwork.h"
#include "win32/GdiPainter.h"

#include "GdiplusPng.h"

#include <windows.h>

#include <gdiplus.h>
#include <objbase.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace gp = ::Gdiplus;
using kalpeno::tools::pngEncoder;

std::string png(gp::Bitmap& bitmap, const CLSID& encoder) {
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    std::string bytes;
    if (bitmap.Save(stream, &encoder, nullptr) == gp::Ok) {
        STATSTG info{};
        stream->Stat(&info, STATFLAG_NONAME);
        bytes.resize(static_cast<std::size_t>(info.cbSize.QuadPart));
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ULONG read = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    }
    stream->Release();
    return bytes;
}

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::cerr << "usage: kalpeno-icons OUT.ico KEY SIZE...\n";
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    kalpeno::win32::startGdiplus();
    const std::optional<CLSID> encoder = pngEncoder();
    const std::wstring_view keyArgument = argv[2];
    const std::u16string key(keyArgument.begin(), keyArgument.end());
    std::vector<std::pair<int, std::string>> images;
    for (int i = 3; i < argc; ++i) {
        const int size = _wtoi(argv[i]);
        const auto bitmap = kalpeno::win32::paintIconBitmap(key, size);
        if (!bitmap || !encoder || size > 256) {
            std::wcerr << L"kalpeno-icons: cannot paint " << argv[2] << L" at " << argv[i] << L'\n';
            return 1;
        }
        images.emplace_back(size, png(*bitmap, *encoder));
    }
    std::string file;
    put(file, 0, 2); // reserved
    put(file, 1, 2); // an icon
    put(file, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const auto& [size, data] : images) {
        put(file, size == 256 ? 0 : size, 1);
        put(file, size == 256 ? 0 : size, 1);
        put(file, 0, 2);  // no palette
        put(file, 1, 2);  // planes
        put(file, 32, 2); // bits a pixel
        put(file, static_cast<std::uint32_t>(data.size()), 4);
        put(file, offset, 4);
        offset += static_cast<std::uint32_t>(data.size());
    }
    for (const auto& [size, data] : images) {
        file += data;
    }
    std::ofstream out(std::filesystem::path(argv[1]), std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
