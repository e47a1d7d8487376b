#include "win32/EditView.h"

#include "win32/Clipboard.h"
#include "win32/FormWindow.h"
#include "win32/Wide.h"

#include <imm.h>

#include <algorithm>

namespace kalpeno::win32 {

namespace {

DWORD styleOf(const forms::TextBox& box) {
    DWORD style = WS_TABSTOP | ES_NOHIDESEL;
    if (box.multiLine()) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (box.verticalScrollBar()) {
            style |= WS_VSCROLL;
        }
    } else {
        style |= ES_AUTOHSCROLL;
        if (box.alignment() == forms::Alignment::Right) {
            style |= ES_RIGHT;
        } else if (box.alignment() == forms::Alignment::Centre) {
            style |= ES_CENTER;
        }
    }
    if (box.readOnly()) {
        style |= ES_READONLY;
    }
    return style;
}

bool held(int key) {
    return GetKeyState(key) < 0;
}

// What a key does to the caret or the selection only; the EDIT moves them.
bool isNavigation(WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
        return true;
    default:
        return false;
    }
}

} // namespace

EditView::EditView(forms::TextBox& box, UserEvents& events, FormWindow& window)
    : ControlView(box, events, window), multiLine_(box.multiLine()) {
    create(L"EDIT", styleOf(box), WS_EX_CLIENTEDGE);
    SendMessageW(hwnd(), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

EditView::~EditView() {
    events().endComposition(*this);
}

EditView::Selection EditView::selection() const {
    Selection range;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&range.start),
                 reinterpret_cast<LPARAM>(&range.end));
    return range;
}

std::u16string EditView::shownText() const {
    if (box()) {
        const std::u16string_view model = box()->text();
        if (start_ <= model.size() &&
            std::u16string_view(shown_) == model.substr(start_, shown_.size()) &&
            (multiLine_ ? shown_.size() == model.size()
                        : start_ + shown_.size() == editWindow.end(model, start_))) {
            return std::u16string(model);
        }
    }
    return shown_;
}

std::size_t EditView::shownCaret() const {
    return caret_;
}

long EditView::positionInControl(std::size_t position) const {
    return layer::TextExcerpt::within(position, start_, shown_.size());
}

void EditView::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Text) {
        showText();
    } else if (property == forms::Property::Caret) {
        showCaret();
    }
}

// An empty box is as it was made.
void EditView::mirrorAllOwn() {
    if (box() && !box()->text().empty()) {
        showText();
    }
}

// A changed text shows no selection.
void EditView::showText() {
    if (box()) {
        allSelected_ = false;
        showSelection(box()->caret());
    }
}

// A caret that is already there keeps the selection that ends at it.
void EditView::showCaret() {
    if (box() && caret_ != box()->caret()) {
        allSelected_ = false;
        showSelection(box()->caret());
    }
}

void EditView::showSelection(std::size_t caret) {
    const std::u16string_view text = box()->text();
    caret = std::min(caret, text.size());
    const std::size_t start = multiLine_ ? 0 : editWindow.start(text, caret, start_);
    const std::size_t end = multiLine_ ? text.size() : editWindow.end(text, start);
    start_ = start;
    replaceShown(std::u16string(text.substr(start, end - start)));
    showing_ = true;
    const auto at = static_cast<WPARAM>(caret - start);
    SendMessageW(hwnd(), EM_SETSEL, at, static_cast<LPARAM>(at));
    SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
    showing_ = false;
    caret_ = caret;
}

// Only the part that differs is replaced, so that a key into a long text costs little.
void EditView::replaceShown(const std::u16string& wanted) {
    if (wanted == shown_) {
        return;
    }
    showing_ = true;
    if (shown_.size() + wanted.size() < 8192 || box()->readOnly()) {
        SetWindowTextW(hwnd(), wide(wanted));
    } else {
        const std::size_t most = std::min(shown_.size(), wanted.size());
        std::size_t prefix = 0;
        while (prefix < most && shown_[prefix] == wanted[prefix]) {
            ++prefix;
        }
        std::size_t suffix = 0;
        while (suffix < most - prefix &&
               shown_[shown_.size() - 1 - suffix] == wanted[wanted.size() - 1 - suffix]) {
            ++suffix;
        }
        SendMessageW(hwnd(), EM_SETSEL, prefix, static_cast<LPARAM>(shown_.size() - suffix));
        const std::u16string middle = wanted.substr(prefix, wanted.size() - suffix - prefix);
        SendMessageW(hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide(middle)));
    }
    shown_ = wanted;
    showing_ = false;
}

// Should anything but the mirroring change the EDIT's text, the model's text comes back.
void EditView::command(WORD notification) {
    if (notification == EN_CHANGE && !showing_ && box() && windowText(hwnd()) != shown_) {
        shown_ = windowText(hwnd());
        showText();
    }
}

LRESULT EditView::moving(UINT message, WPARAM wParam, LPARAM lParam) {
    const Selection before = selection();
    const LRESULT result = passOn(message, wParam, lParam);
    reportCaret(before);
    return result;
}

// The caret is the end of the selection that moved.
void EditView::reportCaret(Selection before) {
    const Selection after = selection();
    std::size_t inControl = caret_ - std::min(caret_, start_);
    if (after.start == after.end) {
        inControl = after.start;
    } else if (after.start != before.start && after.end == before.end) {
        inControl = after.start;
    } else if (after.end != before.end) {
        inControl = after.end;
    }
    if (after.start != before.start || after.end != before.end) {
        allSelected_ = false;
    }
    caret_ = start_ + inControl;
    if (box() && box()->caret() != caret_) {
        events().moveCaret(*box(), caret_);
    }
}

LRESULT EditView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter is the calculator's, not the dialog manager's.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = passOn(message, wParam, lParam);
        if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
            msg->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_KEYDOWN:
        if (keyDown(wParam)) {
            return 0;
        }
        if (isNavigation(wParam)) {
            return moving(message, wParam, lParam);
        }
        return passOn(message, wParam, lParam);
    case WM_CHAR:
        character(static_cast<wchar_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return moving(message, wParam, lParam);
    case WM_MOUSEMOVE:
        return (wParam & MK_LBUTTON) ? moving(message, wParam, lParam)
                                     : passOn(message, wParam, lParam);
    case WM_PASTE:
        pasteClipboard();
        return 0;
    case WM_COPY:
        copySelection();
        return 0;
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return 0; // edits that would bypass the key-press handlers
    case WM_CONTEXTMENU:
        contextMenu(lParam);
        return 0;
    case WM_IME_STARTCOMPOSITION:
        composing_ = true;
        events().beginComposition(*this);
        return passOn(message, wParam, lParam);
    case WM_IME_ENDCOMPOSITION:
        composing_ = false;
        events().endComposition(*this);
        return passOn(message, wParam, lParam);
    case WM_IME_COMPOSITION:
        if (imeComposition(lParam)) {
            return 0;
        }
        return passOn(message, wParam,
                      lParam & ~(GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR |
                                 GCS_RESULTREADCLAUSE));
    case WM_KILLFOCUS:
        finishComposition(); // a composition still open is committed here, into this box
        return passOn(message, wParam, lParam);
    default:
        return passOn(message, wParam, lParam);
    }
}

// Keys that act before the EDIT's own handling; true when the key was taken.
bool EditView::keyDown(WPARAM key) {
    const bool control = held(VK_CONTROL);
    const bool shift = held(VK_SHIFT);
    if (key == VK_DELETE) {
        return true; // Delete, and Shift+Delete (cut), do nothing
    }
    if (key == VK_INSERT) {
        if (shift && !control) {
            pasteClipboard();
        } else if (control && !shift) {
            copySelection();
        }
        return true;
    }
    if (key == 'A' && control && !shift) {
        selectAllText();
        return true;
    }
    // Home and End reach the ends of the model's text, also beyond the excerpt of a long one.
    if (!multiLine_ && (key == VK_HOME || key == VK_END) && !shift && box()) {
        const std::size_t to = key == VK_HOME ? 0 : box()->text().size();
        if (to != caret_) {
            events().moveCaret(*box(), to);
        }
        showSelection(box()->caret());
        return true;
    }
    return false;
}

// What TranslateMessage made of a key: typed characters go to the model; the control characters
// of Ctrl with a letter are the commands of copy and paste, or edits that do nothing.
void EditView::character(wchar_t unit) {
    const auto c = static_cast<char16_t>(unit);
    if (c >= 0xD800 && c < 0xDC00) {
        highSurrogate_ = c;
        return;
    }
    if (c >= 0xDC00 && c < 0xE000) {
        if (highSurrogate_) {
            press(0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) +
                  (c - 0xDC00));
        }
        highSurrogate_ = 0;
        return;
    }
    highSurrogate_ = 0;
    switch (c) {
    case 0x16: // Ctrl+V
        pasteClipboard();
        return;
    case 0x03: // Ctrl+C
        copySelection();
        return;
    case 8:
    case 13:
        // Ctrl+Backspace and Ctrl+Enter are commands the program does not have.
        if (!held(VK_CONTROL)) {
            press(c);
        }
        return;
    default:
        if (c >= 0x20 && c != 0x7F) {
            press(c);
        }
        // Ctrl+X, Ctrl+Z, Ctrl+Y, Ctrl+Backspace and the other control characters: nothing
    }
}

// The committed text of a composition goes into the model as a paste; the composition itself
// stays the input method's. True when nothing else is left for the EDIT to show.
bool EditView::imeComposition(LPARAM parts) {
    if (!(parts & GCS_RESULTSTR)) {
        return false;
    }
    HIMC context = ImmGetContext(hwnd());
    if (context) {
        const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
        if (bytes > 0) {
            std::wstring result(static_cast<std::size_t>(bytes) / sizeof(wchar_t), L'\0');
            ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                     static_cast<DWORD>(bytes));
            ImmReleaseContext(hwnd(), context);
            pasteText(fromWide(result));
        } else {
            ImmReleaseContext(hwnd(), context);
        }
    }
    return !(parts & (GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS));
}

void EditView::finishComposition() {
    if (!composing_) {
        return;
    }
    composing_ = false;
    events().endComposition(*this);
    if (HIMC context = ImmGetContext(hwnd())) {
        ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
        ImmReleaseContext(hwnd(), context);
    }
}

void EditView::press(char32_t key) {
    if (box()) {
        events().pressKey(*box(), key);
    }
}

void EditView::pasteText(const std::u16string& text) {
    if (box()) {
        events().paste(*box(), text);
    }
}

void EditView::pasteClipboard() {
    if (const std::optional<std::u16string> text = clipboardText(hwnd())) {
        pasteText(*text);
    }
}

void EditView::copySelection() {
    const Selection range = selection();
    if (range.start == range.end || !box()) {
        return;
    }
    const std::u16string_view text = box()->text();
    if (allSelected_ && range.start == 0 && range.end >= shown_.size()) {
        setClipboardText(hwnd(), std::u16string(text));
        return;
    }
    const std::size_t from = std::min(text.size(), start_ + range.start);
    const std::size_t to = std::min(text.size(), start_ + range.end);
    setClipboardText(hwnd(), std::u16string(text.substr(from, to - from)));
}

// All of the model's text; the caret goes to its end.
void EditView::selectAllText() {
    if (!box()) {
        return;
    }
    const std::size_t end = box()->text().size();
    if (caret_ != end) {
        events().moveCaret(*box(), end);
        showSelection(box()->caret());
    }
    showing_ = true;
    SendMessageW(hwnd(), EM_SETSEL, 0, -1);
    showing_ = false;
    allSelected_ = true;
}

void EditView::contextMenu(LPARAM where) {
    POINT point{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {
        GetCaretPos(&point);
        ClientToScreen(hwnd(), &point);
    }
    const Selection range = selection();
    const bool canPaste = box() && !box()->readOnly() && IsClipboardFormatAvailable(CF_UNICODETEXT);
    switch (chooseInContextMenu(point, range.start != range.end, canPaste)) {
    case ContextChoice::Copy:
        copySelection();
        break;
    case ContextChoice::Paste:
        pasteClipboard();
        break;
    case ContextChoice::SelectAll:
        selectAllText();
        break;
    case ContextChoice::None:
        break;
    }
}

} // namespace kalpeno::win32
