// kalpeno-floor.exe: the floor for the Windows program's start-up and memory. A bare Win32
// window with the calculator window's menu bar and as many native controls of each kind, at the
// same size, built by the same build: what any native program of this shape costs, against
// which the program's own cost is measured.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void add(HWND parent, const wchar_t* type, DWORD style, DWORD exStyle, int count, int& id) {
    for (int i = 0; i < count; ++i, ++id) {
        CreateWindowExW(exStyle, type, L"0", WS_CHILD | WS_VISIBLE | style, 10 + (id % 10) * 55,
                        40 + (id / 10) * 40, 50, 30, parent, reinterpret_cast<HMENU>(id),
                        GetModuleHandleW(nullptr), nullptr);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = windowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"KalpenoFloor";
    RegisterClassExW(&type);
    HMENU bar = CreateMenu();
    for (const wchar_t* item : {L"電卓の終了", L"情報", L"ヘルプ"}) {
        AppendMenuW(bar, MF_STRING, 1, item);
    }
    HMENU colours = CreatePopupMenu();
    for (const wchar_t* item : {L"白", L"灰色", L"黄色", L"緑", L"茶色", L"標準"}) {
        AppendMenuW(colours, MF_STRING, 2, item);
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(colours), L"背景色");
    HWND window = CreateWindowExW(
        0, L"KalpenoFloor", L"floor", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        CW_USEDEFAULT, CW_USEDEFAULT, 605, 570, nullptr, bar, instance, nullptr);
    int id = 1000;
    add(window, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, id);
    add(window, L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL, WS_EX_CLIENTEDGE, 3, id);
    add(window, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 21, id);
    add(window, L"STATIC", SS_LEFT, 0, 16, id); // the labels, and the pictures
    ShowWindow(window, SW_SHOW);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
