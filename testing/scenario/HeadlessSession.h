#pragma once

#include "forms/Application.h"
#include "scenario/RecordingMessageBox.h"
#include "scenario/Session.h"

namespace kalpeno::scenario {

// A fresh program on the headless model: message boxes are recorded and closed with OK at once.
class HeadlessSession : public Session {
public:
    explicit HeadlessSession(const std::u16string& appDir);

    void click(const ControlPath& control) override;
    void menu(const std::u16string& form, const std::u16string& item) override;
    void key(const ControlPath& box, char32_t key) override;
    void paste(const ControlPath& box, const std::u16string& text) override;
    void caret(const ControlPath& box, std::optional<std::size_t> position) override;
    void focus(const ControlPath& control) override;
    void close(const std::u16string& form) override;

    Observation read(const ControlPath& control, Aspect aspect) override;
    std::optional<bool> formLoaded(const std::u16string& form) override;
    std::optional<bool> formVisible(const std::u16string& form) override;
    std::u16string focusName() override;
    std::vector<std::u16string> takeMessages() override;
    bool ended() override;
    const calculator::Kalpeno* calculatorWindow() override;

    forms::Application& application() { return app_; }

private:
    // The control of a shown window that an event goes to.
    forms::Control& target(const ControlPath& path);
    forms::Form& shownForm(const std::u16string& name);

    scenario::RecordingMessageBox messages_;
    forms::Application app_;
    std::size_t messagesTaken_ = 0;
};

// The name a check uses for a control: "Text3", "Command2(0)", "frmHelp.Text1".
std::u16string displayName(const forms::Control& control);

} // namespace kalpeno::scenario
