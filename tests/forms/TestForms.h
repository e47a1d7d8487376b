#pragma once
// Small forms for the runtime tests: a main window and a second window with one control of
// every kind, registered with an Application that records its message boxes.

#include "forms/Application.h"
#include "forms/Form.h"
#include "scenario/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kalpeno::forms::fixtures {

// Two pictures at one place: "Cover" (hidden, no handler) lies over "Picture".
inline constexpr ControlDesign testControls[] = {
    {.kind = ControlKind::TextBox, .name = u"Text1", .bounds = {0, 0, 1000, 300}},
    {.kind = ControlKind::TextBox,
     .name = u"Memo",
     .bounds = {0, 400, 1000, 900},
     .flags = {.multiLine = true}},
    {.kind = ControlKind::TextBox,
     .name = u"Fixed",
     .bounds = {0, 1400, 1000, 300},
     .flags = {.readOnly = true, .alignment = Alignment::Right}},
    {.kind = ControlKind::CommandButton,
     .name = u"Button",
     .bounds = {1200, 0, 500, 300},
     .caption = u"OK"},
    {.kind = ControlKind::CommandButton,
     .name = u"Off",
     .bounds = {1200, 400, 500, 300},
     .flags = {.disabled = true}},
    {.kind = ControlKind::CommandButton,
     .name = u"Gone",
     .bounds = {1200, 800, 500, 300},
     .flags = {.hidden = true}},
    {.kind = ControlKind::Image, .name = u"Picture", .bounds = {2000, 0, 600, 600}},
    {.kind = ControlKind::Image,
     .name = u"Cover",
     .bounds = {2000, 0, 600, 600},
     .flags = {.hidden = true}},
    {.kind = ControlKind::ListBox, .name = u"List", .bounds = {0, 1800, 1000, 900}},
    {.kind = ControlKind::Label, .name = u"Label", .bounds = {0, 2800, 1000, 300}},
};

inline constexpr MenuDesign testMenus[] = {{u"mnuGo", u"Go", {}}};

inline constexpr ControlRef testTabOrder[] = {{u"Text1"}, {u"Memo"}, {u"Fixed"}, {u"Button"}};

inline constexpr FormDesign mainDesign{.name = u"Main",
                                       .caption = u"Main",
                                       .clientWidth = 3000,
                                       .clientHeight = 3000,
                                       .controls = testControls,
                                       .menus = testMenus,
                                       .tabOrder = testTabOrder};

inline constexpr FormDesign secondDesign{.name = u"Second",
                                         .caption = u"Second",
                                         .clientWidth = 3000,
                                         .clientHeight = 3000,
                                         .controls = testControls,
                                         .menus = testMenus,
                                         .tabOrder = testTabOrder};

// A form whose load handler is the test's.
class TestForm : public Form {
public:
    TestForm(Application& app, const FormDesign& design, std::function<void(TestForm&)> onLoad)
        : Form(app, design), onLoad_(std::move(onLoad)) {}
    void Form_Load() override {
        if (onLoad_) {
            onLoad_(*this);
        }
    }

private:
    std::function<void(TestForm&)> onLoad_;
};

// An Application with "Main" and "Second" registered; `loads` counts the load handlers run.
class TestProgram {
public:
    TestProgram() : app(u"/program/", messages) {
        app.registerForm(u"Main", [this](Application& a) {
            return std::make_unique<TestForm>(a, mainDesign, [this](TestForm& f) { loaded(f); });
        });
        app.registerForm(u"Second", [this](Application& a) {
            return std::make_unique<TestForm>(a, secondDesign, [this](TestForm& f) { loaded(f); });
        });
    }

    Form& main() { return *app.loaded(u"Main"); }
    Form& second() { return *app.loaded(u"Second"); }

    scenario::RecordingMessageBox messages;
    Application app;
    int loads = 0;
    std::function<void(TestForm&)> onLoad;

private:
    void loaded(TestForm& form) {
        ++loads;
        if (onLoad) {
            onLoad(form);
        }
    }
};

// The program with its main window shown, for the tests that begin there (Base: a parameterised
// test's base, for one).
template <class Base = ::testing::Test> class StartedProgram : public Base {
protected:
    StartedProgram() { program.app.start(u"Main"); }
    TestProgram program;
};

} // namespace kalpeno::forms::fixtures
