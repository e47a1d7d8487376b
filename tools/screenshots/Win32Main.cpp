// kalpeno-screenshots OUTDIR (Windows)
// Captures the three windows of the program as the screen shows them, as PNG files in OUTDIR,
// after the same short calculation on each calculator as on Linux, with the Help window showing
// the Help.txt beside the executable: kalpeno.png, help.png and version.png at 96 dpi, and
// kalpeno@2x.png ... at 192 (the system's dpi decides; tests/win32/screenshots.sh runs it at
// both). The program is driven through its native controls, as `kalpeno-scenario --gui` drives
// it.
#include "scenario/CommandLine.h"
#include "scenario/Demo.h"
#include "win32/FormWindow.h"
#include "win32/GdiPainter.h"
#include "win32/Win32Session.h"

#include "GdiplusPng.h"

#include <windows.h>

#include <gdiplus.h>
#include <objbase.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace gp = ::Gdiplus;
using kalpeno::tools::pngEncoder;

// The window, frame and menu bar included, brought to the top and painted first.
bool capture(HWND window, const std::filesystem::path& file, const CLSID& png,
             kalpeno::win32::Win32Session& session) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    session.settle();
    RECT place{};
    GetWindowRect(window, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    SelectObject(memory, old);
    bool saved = false;
    {
        gp::Bitmap image(bitmap, nullptr);
        saved = image.Save(file.c_str(), &png, nullptr) == gp::Ok;
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = kalpeno::scenario::commandLine(argc, argv);
    if (args.size() != 2) {
        std::cerr << "usage: kalpeno-screenshots OUTDIR\n";
        return 2;
    }
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::filesystem::path folder = kalpeno::scenario::pathFromUtf8(args[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    const std::filesystem::path beside = std::filesystem::path(program).parent_path();

    kalpeno::win32::Win32Session session(beside.u16string());
    kalpeno::scenario::playDemo(session);
    kalpeno::win32::startGdiplus();
    const std::optional<CLSID> png = pngEncoder();
    if (!png) {
        std::cerr << "kalpeno-screenshots: no PNG encoder\n";
        return 1;
    }
    const int dpi = static_cast<int>(GetDpiForSystem());
    const std::wstring suffix = dpi == 96 ? L"" : L"@" + std::to_wstring(dpi / 96) + L"x";
    bool saved = true;
    for (const auto& [form, name] :
         {std::pair{u"Kalpeno", L"kalpeno"}, std::pair{u"frmHelp", L"help"},
          std::pair{u"frmVersion4", L"version"}}) {
        kalpeno::win32::FormWindow* window = session.layer().window(form);
        const std::filesystem::path file = folder / (std::wstring(name) + suffix + L".png");
        if (!window || !capture(window->hwnd(), file, *png, session)) {
            std::wcerr << L"kalpeno-screenshots: cannot write " << file.wstring() << L'\n';
            saved = false;
        }
    }
    return saved ? 0 : 1;
}
