#pragma once

#include "forms/Application.h"
#include "scenario/Session.h"
#include "win32/Win32Layer.h"
#include "win32/Win32MessageBox.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kalpeno::win32 {

class ControlView;
class FormWindow;

// One running program on the real native controls, driven as a user would, through the message
// loop: a click is the left button pressed and released on whatever lies at the control's
// place; a key is the key's press and release posted to the box, which the loop's dialog manager
// and TranslateMessage turn into its character (a character no key of the keyboard gives comes
// as an input method gives it, WM_CHAR); a paste is Ctrl+V with the text on the clipboard; the
// caret and the focus are set by clicks into a box, a button's focus by Tab; a menu command is
// the menu's WM_COMMAND; a close box is SC_CLOSE. Checks read the controls: the text of an EDIT
// (in the model's terms where it shows a window of a long text), the lines of a LISTBOX,
// visibility, the colour a control is painted in, the focus, and the text of each message box
// that popped up, each closed with its OK button at once. State fields come from the model.
class Win32Session : public scenario::Session {
public:
    explicit Win32Session(const std::u16string& appDir);
    ~Win32Session() override;

    void click(const scenario::ControlPath& control) override;
    void menu(const std::u16string& form, const std::u16string& item) override;
    void key(const scenario::ControlPath& box, char32_t key) override;
    void paste(const scenario::ControlPath& box, const std::u16string& text) override;
    void caret(const scenario::ControlPath& box, std::optional<std::size_t> position) override;
    void focus(const scenario::ControlPath& control) override;
    void close(const std::u16string& form) override;

    scenario::Observation read(const scenario::ControlPath& control,
                               scenario::Aspect aspect) override;
    std::optional<bool> formLoaded(const std::u16string& form) override;
    std::optional<bool> formVisible(const std::u16string& form) override;
    std::u16string focusName() override;
    std::vector<std::u16string> takeMessages() override;
    bool ended() override;
    const calculator::Kalpeno* calculatorWindow() override;

    forms::Application& application() { return app_; }
    Win32Layer& layer() { return layer_; }
    // Lets the message loop handle what the last event started.
    void settle();
    // A key's press and release posted to a window, with Shift and Ctrl held meanwhile, then
    // the loop's handling of them.
    void pressKey(HWND window, UINT key, bool shift = false, bool control = false);

private:
    static LRESULT CALLBACK watchMessageBoxes(int code, WPARAM wParam, LPARAM lParam);
    FormWindow& shownWindow(const std::u16string& form);
    ControlView& target(const scenario::ControlPath& path);
    ControlView& textBox(const scenario::ControlPath& path);
    void clickAt(HWND window, POINT point);
    void clickIntoBox(ControlView& box, std::size_t position);
    void tabTo(ControlView& control);

    Win32MessageBox messageBox_;
    std::vector<std::u16string> messages_;
    forms::Application app_;
    Win32Layer layer_;
    HHOOK hook_ = nullptr;
};

// For `kalpeno-scenario --gui` on Windows.
std::unique_ptr<scenario::Session> makeWin32Session(const std::u16string& appDir);

} // namespace kalpeno::win32
