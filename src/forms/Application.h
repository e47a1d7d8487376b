#pragma once

#include "forms/Form.h"
#include "forms/KeyRouting.h"
#include "forms/ModelObserver.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalpeno::forms {

using FormFactory = std::function<std::unique_ptr<Form>(class Application&)>;

// The running program: its forms, the keyboard focus, the message box and the program folder,
// and the entry points of user events. Events and handlers run one at a time; a handler runs to
// its end (a message box being closed first) before the event call returns.
class Application {
public:
    // appPath: the program folder (App.Path), given by whoever starts the program.
    Application(std::u16string appPath, MessageBoxPort& messageBox);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void registerForm(std::u16string name, FormFactory factory);
    void addObserver(ModelObserver& observer);
    void removeObserver(ModelObserver& observer);

    // App.Path: no trailing "/" except at the root.
    const std::u16string& path() const { return path_; }

    // Loads and shows the start-up form.
    void start(std::u16string_view formName);
    bool ended() const { return ended_; }
    // End: the program stops at once; every form is discarded without further handlers.
    void End();

    // The form if it is loaded; never loads it (for checks and the window layer).
    Form* loaded(std::u16string_view name) const;
    bool isLoaded(const Form& form) const;
    std::vector<Form*> loadedForms() const;
    // A handler's use of a form: loads it hidden if it is not loaded.
    Form& form(std::u16string_view name);
    // Show: modeless; loads the form if needed; a shown form is brought to the front unchanged.
    void show(std::u16string_view name);
    // Unload: discards the form and its values.
    void unload(Form& form);

    Control* focus() const { return focus_; }
    // SetFocus, and a click into a box.
    void setFocus(Control& control);

    // An OK message box with the title "Kalpeno"; returns when it is closed.
    void msgBox(std::u16string_view text);

    // User events. Each answers false when it could not reach its target (the program has ended,
    // the window is not shown, the control is disabled or hidden), as on screen.
    bool click(Control& control);
    bool chooseMenu(MenuItem& item);
    // One key press: 8 is Backspace, 13 Enter, anything else a character.
    bool pressKey(TextBox& box, char32_t key);
    // Ctrl+V, with the caret where it is. A single-line box takes the text up to its first line
    // end, each character through the key rules exactly as typed (control characters are no
    // text); a character whose handler shows a message ends the paste: the user is told once,
    // and the rest is not typed behind the message (after "=" it would only meet the same
    // refusal, after an overflow bring more messages). A multi-line box gets the whole text
    // inserted at its caret. The change of each text, caret and caption is told once, when the
    // paste is done.
    bool paste(TextBox& box, std::u16string_view text);
    bool moveCaret(TextBox& box, std::size_t caret);
    bool giveFocus(Control& control);
    bool close(Form& form);
    // The window layer reports the size of a form's client area in twips.
    bool resize(Form& form, int width, int height);

    // For the controls: report a change to every observer.
    void notifyControl(Control& control, Property property);
    void notifyMenu(MenuItem& item);

private:
    class Dispatch;
    class Coalesce;
    enum class KeyOutcome { Inserted, Swallowed, Told }; // Told: a message was shown
    KeyOutcome typeKey(TextBox& box, char32_t key);
    bool reachable(const Control& control) const;
    Control* pictureBeneath(const Control& control) const;
    Form& load(std::u16string_view name);
    void activate(Form& form);
    void setFocusTo(Control* control);
    void endIfNothingShown();
    template <class F> void notify(F&& call);

    std::u16string path_;
    MessageBoxPort& messageBox_;
    std::map<std::u16string, FormFactory, std::less<>> factories_;
    std::vector<std::unique_ptr<Form>> forms_;     // loaded forms, in load order
    std::vector<std::unique_ptr<Form>> discarded_; // unloaded during an event; freed after it
    std::vector<Form*> activation_;                // shown forms, most recently active last
    std::vector<ModelObserver*> observers_;
    int notifying_ = 0;
    int coalescing_ = 0;
    std::vector<std::pair<Control*, Property>> coalesced_; // told when the coalescing ends
    std::size_t messagesShown_ = 0;
    Control* focus_ = nullptr;
    int dispatchDepth_ = 0;
    bool ended_ = false;
};

} // namespace kalpeno::forms
