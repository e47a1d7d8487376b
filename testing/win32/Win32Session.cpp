#include "win32/Win32Session.h"

#include "forms/Form.h"
#include "program/Program.h"
#include "scenario/HeadlessSession.h"
#include "scenario/Utf.h"
#include "win32/ButtonView.h"
#include "win32/Clipboard.h"
#include "win32/EditView.h"
#include "win32/FormWindow.h"
#include "win32/LabelView.h"
#include "win32/ListView.h"
#include "win32/MessageLoop.h"
#include "win32/Wide.h"

#include <array>

namespace kalpeno::win32 {

namespace {

using scenario::ScenarioError;

// The session whose message boxes the hook watches: one program at a time in a thread.
thread_local Win32Session* watching = nullptr;
thread_local std::vector<std::u16string>* shownMessages = nullptr;

LPARAM at(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

// The child of `parent` that a click at `point` (in its client coordinates) reaches, as the
// system finds it: the topmost visible child there that does not let the mouse through.
HWND childAt(HWND parent, POINT point) {
    POINT onScreen = point;
    ClientToScreen(parent, &onScreen);
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        if (!IsWindowVisible(child) || !PtInRect(&place, onScreen)) {
            continue;
        }
        if (SendMessageW(child, WM_NCHITTEST, 0, at(onScreen)) == HTTRANSPARENT) {
            continue;
        }
        return IsWindowEnabled(child) ? child : nullptr;
    }
    return nullptr;
}

} // namespace

Win32Session::Win32Session(const std::u16string& appDir) : app_(appDir, messageBox_), layer_(app_) {
    watching = this;
    shownMessages = &messages_;
    hook_ = SetWindowsHookExW(WH_CBT, watchMessageBoxes, nullptr, GetCurrentThreadId());
    startProgram(app_);
    settle();
}

Win32Session::~Win32Session() {
    if (hook_) {
        UnhookWindowsHookEx(hook_);
    }
    watching = nullptr;
    shownMessages = nullptr;
}

// A message box is read as it becomes active and closed with its OK button.
LRESULT CALLBACK Win32Session::watchMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && shownMessages) {
        auto box = reinterpret_cast<HWND>(wParam);
        std::array<wchar_t, 8> type{};
        GetClassNameW(box, type.data(), static_cast<int>(type.size()));
        if (std::wstring_view(type.data()) == L"#32770") {
            shownMessages->push_back(windowText(GetDlgItem(box, 0xFFFF)));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Win32Session::settle() {
    for (int round = 0; round < 8; ++round) {
        handleWaitingMessages(layer_);
        if (GetQueueStatus(QS_ALLINPUT | QS_ALLPOSTMESSAGE) == 0) {
            break;
        }
    }
}

FormWindow& Win32Session::shownWindow(const std::u16string& form) {
    if (app_.ended()) {
        throw ScenarioError("the program has ended");
    }
    FormWindow* window = layer_.window(form);
    if (!window || !IsWindowVisible(window->hwnd())) {
        throw ScenarioError("the window " + scenario::toUtf8(form) + " is not shown");
    }
    return *window;
}

ControlView& Win32Session::target(const scenario::ControlPath& path) {
    FormWindow& window = shownWindow(path.form);
    forms::Control* control = window.form() ? window.form()->find(path.name, path.index) : nullptr;
    ControlView* view = control ? window.view(*control) : nullptr;
    if (!view) {
        throw ScenarioError("no control " + scenario::toUtf8(path.name) + " in " +
                            scenario::toUtf8(path.form));
    }
    return *view;
}

ControlView& Win32Session::textBox(const scenario::ControlPath& path) {
    ControlView& view = target(path);
    if (!dynamic_cast<EditView*>(&view)) {
        throw ScenarioError(scenario::toUtf8(path.name) + " is not a text box");
    }
    return view;
}

void Win32Session::clickAt(HWND window, POINT point) {
    PostMessageW(window, WM_MOUSEMOVE, 0, at(point));
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(point));
    PostMessageW(window, WM_LBUTTONUP, 0, at(point));
    settle();
}

// A click at the control's place reaches whatever is on top there: a marker picture lets it
// through to the letter beneath; a hidden or disabled button is not clicked at all.
void Win32Session::click(const scenario::ControlPath& path) {
    ControlView& view = target(path);
    const forms::ControlKind kind = view.control()->kind();
    if (kind != forms::ControlKind::CommandButton && kind != forms::ControlKind::Image &&
        kind != forms::ControlKind::PictureBox) {
        throw ScenarioError(scenario::toUtf8(path.name) + " is not a button or a picture");
    }
    HWND parent = GetParent(view.hwnd());
    RECT place{};
    GetWindowRect(view.hwnd(), &place);
    POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    ScreenToClient(parent, &centre);
    if (HWND hit = childAt(parent, centre)) {
        MapWindowPoints(parent, hit, &centre, 1);
        clickAt(hit, centre);
    }
}

void Win32Session::menu(const std::u16string& form, const std::u16string& item) {
    FormWindow& window = shownWindow(form);
    forms::MenuItem* command = window.form() ? window.form()->findMenu(item) : nullptr;
    const UINT id = command ? window.commandOf(*command) : 0;
    if (id == 0) {
        throw ScenarioError(scenario::toUtf8(item) + " is no menu command of " +
                            scenario::toUtf8(form));
    }
    PostMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    settle();
}

// The key's press and release; the loop's TranslateMessage makes its character, with Shift and
// Ctrl held in the keyboard's state meanwhile.
void Win32Session::pressKey(HWND window, UINT key, bool shift, bool control) {
    BYTE before[256];
    GetKeyboardState(before);
    BYTE held[256];
    std::copy(std::begin(before), std::end(before), std::begin(held));
    held[VK_SHIFT] = shift ? 0x80 : 0;
    held[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(held);
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
    settle();
    SetKeyboardState(before);
}

void Win32Session::key(const scenario::ControlPath& path, char32_t key) {
    HWND box = textBox(path).hwnd();
    if (key == 8 || key == 13 || key == 32) {
        pressKey(box, key == 8 ? VK_BACK : key == 13 ? VK_RETURN : VK_SPACE);
        return;
    }
    if (key < 0x80) {
        const SHORT scan = VkKeyScanW(static_cast<wchar_t>(key));
        const bool typable = scan != -1 && (HIBYTE(scan) & ~1) == 0;
        if (typable) {
            pressKey(box, LOBYTE(scan), HIBYTE(scan) & 1);
            return;
        }
    }
    // As an input method gives it.
    if (key >= 0x10000) {
        PostMessageW(box, WM_CHAR, 0xD800 + ((key - 0x10000) >> 10), 1);
        PostMessageW(box, WM_CHAR, 0xDC00 + ((key - 0x10000) & 0x3FF), 1);
    } else {
        PostMessageW(box, WM_CHAR, key, 1);
    }
    settle();
}

// Ctrl+V with the text on the clipboard.
void Win32Session::paste(const scenario::ControlPath& path, const std::u16string& text) {
    HWND box = textBox(path).hwnd();
    if (!setClipboardText(box, text)) {
        throw ScenarioError("the clipboard cannot be opened");
    }
    pressKey(box, 'V', false, true);
}

// A click into the box where the caret is to go, once it is scrolled into view.
void Win32Session::clickIntoBox(ControlView& view, std::size_t position) {
    auto& box = static_cast<EditView&>(view);
    long inControl = box.positionInControl(position);
    if (inControl < 0) {
        // Outside the window of a long text: Home brings the start, and the arrow keys the rest.
        clickAt(box.hwnd(), {2, 2});
        pressKey(box.hwnd(), VK_HOME);
        inControl = box.positionInControl(position);
    }
    const auto shown = static_cast<WPARAM>(std::max(0L, inControl));
    SendMessageW(box.hwnd(), EM_SETSEL, shown, static_cast<LPARAM>(shown));
    SendMessageW(box.hwnd(), EM_SCROLLCARET, 0, 0);
    const LRESULT spot = SendMessageW(box.hwnd(), EM_POSFROMCHAR, shown, 0);
    RECT area{};
    GetClientRect(box.hwnd(), &area);
    POINT point{static_cast<short>(LOWORD(spot)), static_cast<short>(HIWORD(spot))};
    if (spot == -1) {
        point = {area.right - 2, area.bottom / 2};
    }
    TEXTMETRICW metrics{};
    HDC dc = GetDC(box.hwnd());
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box.hwnd(), WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(box.hwnd(), dc);
    point.y += metrics.tmHeight / 2;
    clickAt(box.hwnd(), point);
}

void Win32Session::caret(const scenario::ControlPath& path, std::optional<std::size_t> position) {
    ControlView& view = textBox(path);
    const auto* box = static_cast<const forms::TextBox*>(view.control());
    clickIntoBox(view, position.value_or(box->text().size()));
}

// A button takes the focus by Tab only: Tab is pressed until it has it.
void Win32Session::tabTo(ControlView& view) {
    HWND root = GetAncestor(view.hwnd(), GA_ROOT);
    if (GetActiveWindow() != root) {
        SetActiveWindow(root);
        settle();
    }
    const std::size_t presses = view.control()->form().tabOrder().size() + 1;
    for (std::size_t i = 0; i < presses && GetFocus() != view.hwnd(); ++i) {
        HWND from = GetFocus();
        pressKey(from ? from : root, VK_TAB);
    }
}

void Win32Session::focus(const scenario::ControlPath& path) {
    ControlView& view = target(path);
    if (view.control()->tabIndex() < 0 || !IsWindowVisible(view.hwnd()) ||
        !IsWindowEnabled(view.hwnd())) {
        return; // it takes no focus
    }
    if (auto* box = dynamic_cast<EditView*>(&view)) {
        clickIntoBox(view, box->shownCaret());
    } else if (dynamic_cast<ListView*>(&view)) {
        RECT area{};
        GetClientRect(view.hwnd(), &area);
        clickAt(view.hwnd(), {2, area.bottom - 2});
    } else {
        tabTo(view);
    }
}

void Win32Session::close(const std::u16string& form) {
    PostMessageW(shownWindow(form).hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    settle();
}

scenario::Observation Win32Session::read(const scenario::ControlPath& path,
                                         scenario::Aspect aspect) {
    scenario::Observation seen;
    FormWindow* window = layer_.window(path.form);
    forms::Control* control =
        window && window->form() ? window->form()->find(path.name, path.index) : nullptr;
    ControlView* view = control ? window->view(*control) : nullptr;
    if (!view) {
        return seen;
    }
    switch (aspect) {
    case scenario::Aspect::Text:
        if (auto* box = dynamic_cast<EditView*>(view)) {
            seen.text = box->shownText();
        }
        break;
    case scenario::Aspect::Caption:
        if (dynamic_cast<LabelView*>(view)) {
            seen.text = windowText(view->hwnd());
        } else if (dynamic_cast<ButtonView*>(view)) {
            std::u16string caption;
            const std::u16string shown = windowText(view->hwnd());
            for (std::size_t i = 0; i < shown.size(); ++i) {
                caption += shown[i];
                if (shown[i] == u'&' && i + 1 < shown.size() && shown[i + 1] == u'&') {
                    ++i; // "&&" shows one "&"
                }
            }
            seen.text = caption;
        }
        break;
    case scenario::Aspect::Lines:
        if (auto* list = dynamic_cast<ListView*>(view)) {
            seen.lines = list->shownLines();
        }
        break;
    case scenario::Aspect::Visible:
        seen.flag = (GetWindowLongPtrW(view->hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
        break;
    case scenario::Aspect::Enabled:
        seen.flag = IsWindowEnabled(view->hwnd()) != 0;
        break;
    case scenario::Aspect::BackColour:
        seen.colour = view->shownColour();
        break;
    }
    return seen;
}

std::optional<bool> Win32Session::formLoaded(const std::u16string& form) {
    return layer_.window(form) != nullptr;
}

std::optional<bool> Win32Session::formVisible(const std::u16string& form) {
    const FormWindow* window = layer_.window(form);
    return window && IsWindowVisible(window->hwnd());
}

std::u16string Win32Session::focusName() {
    ControlView* view = layer_.viewOf(GetFocus());
    if (!view || !view->control()) {
        return {};
    }
    return scenario::displayName(*view->control());
}

std::vector<std::u16string> Win32Session::takeMessages() {
    return std::exchange(messages_, {});
}

bool Win32Session::ended() {
    return app_.ended();
}

const calculator::Kalpeno* Win32Session::calculatorWindow() {
    return dynamic_cast<const calculator::Kalpeno*>(app_.loaded(u"Kalpeno"));
}

std::unique_ptr<scenario::Session> makeWin32Session(const std::u16string& appDir) {
    return std::make_unique<Win32Session>(appDir);
}

} // namespace kalpeno::win32
