#pragma once
// The scenario runner drives a fresh program through user events and checks what its windows
// then hold. A Session is one running program as the runner sees it: the headless model
// (HeadlessSession) or the real Qt widgets (the window layer's session, for --gui). The runner
// parses the file, resolves names and compares values; a session only delivers events and reads.

#include "calculator/Kalpeno.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalpeno::scenario {

// A control named in a scenario: `Text1`, `Command2(10)`, `frmHelp.Text1`.
struct ControlPath {
    std::u16string form = u"Kalpeno";
    std::u16string name;
    int index = -1;
};

// An event that cannot be run (a window that is not shown, the program has ended, a control
// of the wrong kind): a scenario error.
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a check reads of a control.
enum class Aspect { Text, Caption, Lines, Visible, Enabled, BackColour };

// The value read; nothing when the control's form is not loaded or it has no such aspect.
struct Observation {
    std::optional<std::u16string> text;               // Text, Caption
    std::optional<std::vector<std::u16string>> lines; // Lines
    std::optional<bool> flag;                         // Visible, Enabled
    std::optional<forms::Colour> colour;              // BackColour
};

class Session {
public:
    virtual ~Session() = default;

    // Events; each throws ScenarioError when it cannot be run.
    virtual void click(const ControlPath& control) = 0;
    virtual void menu(const std::u16string& form, const std::u16string& item) = 0;
    // One key press: 8 Backspace, 13 Enter, 32 Space, or any character.
    virtual void key(const ControlPath& box, char32_t key) = 0;
    // Ctrl+V of the text, with the caret where it is.
    virtual void paste(const ControlPath& box, const std::u16string& text) = 0;
    // Caret position, or the end when none is given.
    virtual void caret(const ControlPath& box, std::optional<std::size_t> position) = 0;
    virtual void focus(const ControlPath& control) = 0;
    virtual void close(const std::u16string& form) = 0;

    // Checks. Reading never loads a form.
    virtual Observation read(const ControlPath& control, Aspect aspect) = 0;
    virtual std::optional<bool> formLoaded(const std::u16string& form) = 0;
    virtual std::optional<bool> formVisible(const std::u16string& form) = 0;
    // "Text3", "frmHelp.Text1", "Command2(0)"; empty when nothing holds the focus.
    virtual std::u16string focusName() = 0;
    // The texts of the message boxes shown since the last call.
    virtual std::vector<std::u16string> takeMessages() = 0;
    virtual bool ended() = 0;
    // The calculator window's model, for state fields; null when it is not loaded.
    virtual const calculator::Kalpeno* calculatorWindow() = 0;
};

} // namespace kalpeno::scenario
