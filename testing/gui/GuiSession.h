#pragma once

#include "forms/Application.h"
#include "qt/window/QtLayer.h"
#include "qt/window/QtMessageBox.h"
#include "scenario/Session.h"

#include <QPoint>

class QWidget;

namespace kalpeno::qt {

class ControlView;
class FormWindow;

// One running program on the real widgets, driven as a user would: QTest clicks at a control's
// place, key presses into a box, clicks into a box for the caret and the focus, Tab for a
// button's focus, QAction::trigger for a menu command, QWidget::close for a close box. Checks
// read the widgets: the text of a line edit, the rows of a list, visibility, palette colour, the
// focus widget, the text of each message box that popped up (each is closed with its OK button
// at once). State fields come from the model behind the widgets.
class GuiSession : public scenario::Session {
public:
    explicit GuiSession(const std::u16string& appDir);
    ~GuiSession() override;

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
    QtLayer& layer() { return layer_; }
    // Lets Qt deliver what the last event started (window activation, deferred deletes).
    static void settle();

private:
    FormWindow& shownWindow(const std::u16string& form);
    ControlView& target(const scenario::ControlPath& path);
    void clickAt(QWidget& widget, QPoint point);
    void clickIntoBox(ControlView& box, std::size_t position);
    void tabTo(ControlView& control);

    QtMessageBox messageBox_;
    std::vector<std::u16string> messages_;
    forms::Application app_;
    QtLayer layer_;
};

} // namespace kalpeno::qt
