#include "win32/ListView.h"

#include "win32/Clipboard.h"
#include "win32/FormWindow.h"
#include "win32/Wide.h"

#include <vector>

namespace kalpeno::win32 {

namespace {} // namespace

ListView::ListView(forms::ListBox& list, UserEvents& events, FormWindow& window)
    : ControlView(list, events, window) {
    create(L"LISTBOX",
           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
           WS_EX_CLIENTEDGE);
}

std::vector<std::u16string> ListView::shownLines() const {
    std::vector<std::u16string> lines;
    const auto count = SendMessageW(hwnd(), LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        const auto length = SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<std::size_t>(length));
        lines.push_back(fromWide(line));
    }
    return lines;
}

void ListView::mirrorOwn(forms::Property property) {
    if (property == forms::Property::LinesCleared) {
        SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
        shown_ = 0;
    } else if (property == forms::Property::LinesAdded && !addPending_) {
        addPending_ = true;
        events().whenIdle([this, alive = window().alive()] {
            if (*alive) {
                addPending();
            }
        });
    }
}

void ListView::mirrorAllOwn() {
    addPending(); // a new list holds no lines yet
}

void ListView::addPending() {
    addPending_ = false;
    if (!list()) {
        return;
    }
    const std::vector<std::u16string>& lines = list()->lines();
    if (shown_ >= lines.size()) {
        return;
    }
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd(), LB_INITSTORAGE, lines.size() - shown_, (lines.size() - shown_) * 16);
    for (; shown_ < lines.size(); ++shown_) {
        SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(lines[shown_])));
    }
    SendMessageW(hwnd(), LB_SETTOPINDEX, shown_ - 1, 0);
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT ListView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
        if (wParam == 'C' || wParam == VK_INSERT) {
            copySelection();
            return 0;
        }
        if (wParam == 'A') {
            selectAll();
            return 0;
        }
    }
    if (message == WM_CONTEXTMENU) {
        contextMenu(lParam);
        return 0;
    }
    return passOn(message, wParam, lParam);
}

void ListView::copySelection() {
    const auto count = SendMessageW(hwnd(), LB_GETSELCOUNT, 0, 0);
    if (count <= 0 || !list()) {
        return;
    }
    std::vector<int> rows(static_cast<std::size_t>(count));
    SendMessageW(hwnd(), LB_GETSELITEMS, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(rows.data()));
    std::u16string text;
    for (int row : rows) {
        if (static_cast<std::size_t>(row) < list()->lines().size()) {
            text += list()->lines()[static_cast<std::size_t>(row)];
            text += u"\r\n";
        }
    }
    setClipboardText(hwnd(), text);
}

void ListView::selectAll() {
    SendMessageW(hwnd(), LB_SETSEL, TRUE, -1);
}

void ListView::contextMenu(LPARAM where) {
    POINT point{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {
        RECT place{};
        GetWindowRect(hwnd(), &place);
        point = {place.left + 4, place.top + 4};
    }
    const bool selected = SendMessageW(hwnd(), LB_GETSELCOUNT, 0, 0) > 0;
    const ContextChoice chosen = chooseInContextMenu(point, selected, std::nullopt);
    if (chosen == ContextChoice::Copy) {
        copySelection();
    } else if (chosen == ContextChoice::SelectAll) {
        selectAll();
    }
}

} // namespace kalpeno::win32
