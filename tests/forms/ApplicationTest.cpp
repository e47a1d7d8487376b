// The runtime's events and form lifecycle: what reaches a handler and what is refused, where the
// keyboard focus goes, when forms load and when the program ends, and what observers are told.
#include "TestForms.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kalpeno::forms {
namespace {

using fixtures::TestForm;
using fixtures::TestProgram;
using Focus = fixtures::StartedProgram<>;
using Lifecycle = fixtures::StartedProgram<>;
using Events = fixtures::StartedProgram<>;

// Records what the observers are told, one line per call.
class RecordingObserver : public ModelObserver {
public:
    void controlChanged(Control& control, Property property) override {
        changes.push_back({&control, property});
    }
    void formLoaded(Form& form) override { log.push_back(u"loaded " + form.name()); }
    void formShown(Form& form) override { log.push_back(u"shown " + form.name()); }
    void formUnloading(Form& form) override { log.push_back(u"unloading " + form.name()); }
    void focusChanged(Control* control) override {
        log.push_back(u"focus " + (control ? control->form().name() + u"." + control->name()
                                           : std::u16string(u"none")));
    }
    void programEnded() override { log.push_back(u"ended"); }

    struct Change {
        Control* control;
        Property property;
    };
    std::vector<Change> changes;
    std::vector<std::u16string> log;
};

std::string narrow(std::u16string_view text) {
    return {text.begin(), text.end()};
}

// --- Observer notifications ---------------------------------------------------------------

struct PropertyCase {
    const char* name;
    const char16_t* control;
    std::function<void(Form&)> change;
    Property property;
};

class PropertyNotificationTest : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(PropertyNotificationTest, EachChangeIsReportedOnceWithItsProperty) {
    TestProgram program;
    program.app.start(u"Main");
    RecordingObserver observer;
    program.app.addObserver(observer);
    GetParam().change(program.main());
    ASSERT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.changes[0].control, program.main().find(GetParam().control));
    EXPECT_EQ(observer.changes[0].property, GetParam().property);
    program.app.removeObserver(observer);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, PropertyNotificationTest,
    testing::Values(
        PropertyCase{"Text", u"Text1", [](Form& f) { f.textBox(u"Text1").setText(u"x"); },
                     Property::Text},
        PropertyCase{"Append", u"Text1", [](Form& f) { f.textBox(u"Text1").append(u"x"); },
                     Property::Text},
        PropertyCase{"Caret", u"Memo",
                     [](Form& f) {
                         f.textBox(u"Memo").setText(u"ab"); // caret 0, reported as Text
                     },
                     Property::Text},
        PropertyCase{"Caption", u"Label", [](Form& f) { f.caption(u"Label").setCaption(u"x"); },
                     Property::Caption},
        PropertyCase{"Visible", u"Picture",
                     [](Form& f) { f.control(u"Picture").setVisible(false); }, Property::Visible},
        PropertyCase{"Enabled", u"Button", [](Form& f) { f.control(u"Button").setEnabled(false); },
                     Property::Enabled},
        PropertyCase{"BackColour", u"List",
                     [](Form& f) { f.control(u"List").setBackColour(0x00C0FFFF); },
                     Property::BackColour},
        PropertyCase{"Bounds", u"Label",
                     [](Form& f) {
                         f.control(u"Label").move({1, 2, 3, 4});
                     },
                     Property::Bounds},
        PropertyCase{"AddItem", u"List", [](Form& f) { f.listBox(u"List").addItem(u"x"); },
                     Property::LinesAdded},
        PropertyCase{"Clear", u"List", [](Form& f) { f.listBox(u"List").clear(); },
                     Property::LinesCleared}),
    [](const ::testing::TestParamInfo<PropertyCase>& info) { return info.param.name; });

TEST(Notifications, CaretAndTypedKeysAreReported) {
    TestProgram program;
    program.app.start(u"Main");
    TextBox& box = program.main().textBox(u"Text1");
    box.setText(u"12");
    RecordingObserver observer;
    program.app.addObserver(observer);
    box.setCaret(1);
    ASSERT_TRUE(program.app.pressKey(box, U'x'));
    ASSERT_EQ(observer.changes.size(), 2u);
    EXPECT_EQ(observer.changes[0].property, Property::Caret);
    EXPECT_EQ(observer.changes[1].property, Property::Text);
    program.app.removeObserver(observer);
}

TEST(Notifications, LifecycleInOrder) {
    TestProgram program;
    RecordingObserver observer;
    program.app.addObserver(observer);
    program.app.start(u"Main");
    program.app.show(u"Second");
    ASSERT_TRUE(program.app.close(program.second()));
    ASSERT_TRUE(program.app.close(program.main()));
    const std::vector<std::u16string> expected = {
        u"loaded Main",
        u"shown Main",
        u"focus Main.Text1",
        u"loaded Second",
        u"shown Second",
        u"focus Second.Text1",
        u"unloading Second",
        u"focus Main.Text1",
        u"unloading Main",
        u"focus none",
        u"ended",
    };
    EXPECT_EQ(observer.log, expected);
}

// --- Focus ------------------------------------------------------------------------------

TEST_F(Focus, AShownWindowTakesItForItsFirstControlInTabOrder) {
    EXPECT_EQ(program.app.focus(), program.main().find(u"Text1"));
    program.app.show(u"Second");
    EXPECT_EQ(program.app.focus(), program.second().find(u"Text1"));
}

TEST_F(Focus, ClicksAndMenuCommandsLeaveItWhereItIs) {
    Form& main = program.main();
    int clicks = 0;
    main.control(u"Button").onClick = [&] { ++clicks; };
    main.control(u"Picture").onClick = [&] { ++clicks; };
    main.menu(u"mnuGo").onClick = [&] { ++clicks; };
    ASSERT_TRUE(program.app.giveFocus(main.control(u"Memo")));
    EXPECT_TRUE(program.app.click(main.control(u"Button")));
    EXPECT_TRUE(program.app.click(main.control(u"Picture")));
    EXPECT_TRUE(program.app.chooseMenu(main.menu(u"mnuGo")));
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(program.app.focus(), main.find(u"Memo"));
}

TEST_F(Focus, OnlyControlsInTheTabOrderCanBeGivenIt) {
    Form& main = program.main();
    EXPECT_TRUE(program.app.giveFocus(main.control(u"Button")));
    EXPECT_FALSE(program.app.giveFocus(main.control(u"Picture")));
    EXPECT_FALSE(program.app.giveFocus(main.control(u"List")));
    EXPECT_EQ(program.app.focus(), main.find(u"Button"));
}

// When the window holding the focus closes, it returns to the window active before, to the
// control that last held it there.
TEST_F(Focus, ReturnsToThePreviousWindowsLastControlOnClose) {
    ASSERT_TRUE(program.app.giveFocus(program.main().control(u"Button")));
    program.app.show(u"Second");
    ASSERT_TRUE(program.app.giveFocus(program.second().control(u"Memo")));
    ASSERT_TRUE(program.app.close(program.second()));
    EXPECT_EQ(program.app.focus(), program.main().find(u"Button"));
    EXPECT_FALSE(program.app.ended());
}

TEST_F(Focus, ClosingAWindowWithoutTheFocusLeavesItAlone) {
    program.app.show(u"Second");
    ASSERT_TRUE(program.app.giveFocus(program.main().control(u"Memo")));
    ASSERT_TRUE(program.app.close(program.second()));
    EXPECT_EQ(program.app.focus(), program.main().find(u"Memo"));
}

TEST_F(Focus, ShowingAShownWindowAgainKeepsItsLastControl) {
    program.app.show(u"Second");
    ASSERT_TRUE(program.app.giveFocus(program.second().control(u"Button")));
    ASSERT_TRUE(program.app.giveFocus(program.main().control(u"Memo")));
    program.app.show(u"Second");
    EXPECT_EQ(program.app.focus(), program.second().find(u"Button"));
    EXPECT_EQ(program.loads, 2);
}

// --- Loading and ending -------------------------------------------------------------------

TEST_F(Lifecycle, UsingAFormLoadsItHidden) {
    Form& second = program.app.form(u"Second");
    EXPECT_EQ(program.loads, 2);
    EXPECT_FALSE(second.visible());
    EXPECT_EQ(program.app.focus(), program.main().find(u"Text1"));
    EXPECT_EQ(&program.app.form(u"Second"), &second); // loaded once
    EXPECT_EQ(program.loads, 2);
    // Events do not reach a hidden window.
    EXPECT_FALSE(program.app.click(second.control(u"Button")));
    EXPECT_FALSE(program.app.pressKey(second.textBox(u"Text1"), U'1'));
    EXPECT_FALSE(program.app.close(second));
    // Showing it later keeps what it holds.
    second.textBox(u"Text1").setText(u"kept");
    program.app.show(u"Second");
    EXPECT_TRUE(second.visible());
    EXPECT_EQ(second.textBox(u"Text1").text(), u"kept");
}

TEST_F(Lifecycle, TheProgramEndsWhenItsLastShownWindowCloses) {
    program.app.show(u"Second");
    ASSERT_TRUE(program.app.close(program.main()));
    EXPECT_FALSE(program.app.ended());
    EXPECT_EQ(program.app.loaded(u"Main"), nullptr);
    EXPECT_EQ(program.app.focus(), program.second().find(u"Text1"));
    ASSERT_TRUE(program.app.close(program.second()));
    EXPECT_TRUE(program.app.ended());
    EXPECT_TRUE(program.app.loadedForms().empty());
}

TEST_F(Lifecycle, HiddenFormsAreUnloadedWhenTheLastShownOneCloses) {
    program.app.form(u"Second");
    ASSERT_TRUE(program.app.close(program.main()));
    EXPECT_TRUE(program.app.ended());
    EXPECT_EQ(program.app.loaded(u"Second"), nullptr);
}

TEST_F(Lifecycle, AnUnloadedFormLoadsAfreshOnItsNextUse) {
    program.app.show(u"Second");
    program.second().textBox(u"Text1").setText(u"old");
    ASSERT_TRUE(program.app.close(program.second()));
    program.app.show(u"Second");
    EXPECT_EQ(program.loads, 3);
    EXPECT_EQ(program.second().textBox(u"Text1").text(), u"");
}

TEST_F(Lifecycle, EndStopsEverything) {
    program.app.show(u"Second");
    RecordingObserver observer;
    program.app.addObserver(observer);
    Form& main = program.main();
    main.control(u"Button").onClick = [&] { program.app.End(); };
    ASSERT_TRUE(program.app.click(main.control(u"Button")));
    EXPECT_TRUE(program.app.ended());
    EXPECT_TRUE(program.app.loadedForms().empty());
    EXPECT_EQ(std::count(observer.log.begin(), observer.log.end(), u"ended"), 1);
    program.app.End();
    EXPECT_EQ(std::count(observer.log.begin(), observer.log.end(), u"ended"), 1);
    program.app.removeObserver(observer);
}

TEST_F(Lifecycle, EventsAfterEndAreRefused) {
    Form& main = program.main();
    int calls = 0;
    main.control(u"Button").onClick = [&] {
        ++calls;
        program.app.End();
        // The handler runs to its end on a discarded form.
        main.textBox(u"Text1").setText(u"after End");
        program.app.setFocus(main.control(u"Memo"));
    };
    ASSERT_TRUE(program.app.click(main.control(u"Button")));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(program.app.focus(), nullptr);
    program.app.show(u"Second");
    EXPECT_EQ(program.app.loaded(u"Second"), nullptr);
}

// A handler may unload its own form; the key it was handling goes nowhere.
TEST_F(Lifecycle, AHandlerCanUnloadItsOwnForm) {
    program.app.show(u"Second");
    Form& second = program.second();
    second.control(u"Button").onClick = [&] {
        program.app.unload(second);
        second.caption(u"Label").setCaption(u"still safe");
    };
    ASSERT_TRUE(program.app.click(second.control(u"Button")));
    EXPECT_EQ(program.app.loaded(u"Second"), nullptr);
    EXPECT_EQ(program.app.focus(), program.main().find(u"Text1"));

    program.app.show(u"Second");
    Form& again = program.second();
    TextBox& box = again.textBox(u"Text1");
    box.onKeyPress = [&](std::int16_t&) { program.app.unload(again); };
    ASSERT_TRUE(program.app.pressKey(box, U'5'));
    EXPECT_EQ(program.app.loaded(u"Second"), nullptr);
    EXPECT_FALSE(program.app.ended());
}

TEST_F(Lifecycle, ALoadHandlerThatUnloadsItsFormIsNotShown) {
    program.onLoad = [&](TestForm& form) { program.app.unload(form); };
    program.app.show(u"Second");
    EXPECT_EQ(program.app.loaded(u"Second"), nullptr);
    EXPECT_FALSE(program.app.ended());
    EXPECT_EQ(program.app.focus(), program.main().find(u"Text1"));
}

// --- What reaches a handler ---------------------------------------------------------------

TEST_F(Events, DisabledAndHiddenControlsAreNotReached) {
    Form& main = program.main();
    int calls = 0;
    for (const char16_t* name : {u"Off", u"Gone"}) {
        main.control(name).onClick = [&] { ++calls; };
        EXPECT_FALSE(program.app.click(main.control(name))) << narrow(name);
    }
    main.textBox(u"Text1").setEnabled(false);
    EXPECT_FALSE(program.app.pressKey(main.textBox(u"Text1"), U'1'));
    EXPECT_FALSE(program.app.moveCaret(main.textBox(u"Text1"), 0));
    main.menu(u"mnuGo").setEnabled(false);
    main.menu(u"mnuGo").onClick = [&] { ++calls; };
    EXPECT_FALSE(program.app.chooseMenu(main.menu(u"mnuGo")));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(main.textBox(u"Text1").text(), u"");
}

// A hidden picture lets a click at its place through to the picture beneath it.
TEST_F(Events, AClickOnAHiddenPictureReachesThePictureBeneath) {
    Form& main = program.main();
    int beneath = 0;
    main.control(u"Picture").onClick = [&] { ++beneath; };
    EXPECT_TRUE(program.app.click(main.control(u"Cover")));
    main.control(u"Cover").setVisible(true);
    EXPECT_TRUE(program.app.click(main.control(u"Cover")));
    EXPECT_EQ(beneath, 2);
}

struct KeyCase {
    const char* name;
    char32_t typed;
    std::int16_t seen;    // KeyAscii the handler sees
    std::int16_t answer;  // what the handler leaves in KeyAscii; -1: unchanged
    const char16_t* text; // what the box then holds
};

class KeyPressTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyPressTest, TheHandlerSeesTheKeyFirst) {
    const KeyCase& c = GetParam();
    TestProgram program;
    program.app.start(u"Main");
    TextBox& box = program.main().textBox(u"Text1");
    std::int16_t seen = 0;
    box.onKeyPress = [&](std::int16_t& keyAscii) {
        seen = keyAscii;
        if (c.answer >= 0) {
            keyAscii = c.answer;
        }
    };
    ASSERT_TRUE(program.app.pressKey(box, c.typed));
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(box.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPressTest,
    testing::Values(KeyCase{"Ascii", U'7', 55, -1, u"7"}, KeyCase{"Swallowed", U'7', 55, 0, u""},
                    KeyCase{"Replaced", U'a', 97, 'A', u"A"},
                    KeyCase{"FullWidthDigit", U'１', 49, -1, u"1"},
                    KeyCase{"FullWidthPoint", U'．', 46, -1, u"."},
                    KeyCase{"FullWidthPlus", U'＋', 43, -1, u"+"},
                    KeyCase{"IdeographicSpace", U'　', 32, -1, u" "},
                    KeyCase{"Hiragana", U'あ', -32096, -1, u"あ"},
                    KeyCase{"HiraganaSwallowed", U'あ', -32096, 0, u""},
                    KeyCase{"FullWidthEquals", U'＝', 61, -1, u"="},
                    KeyCase{"KanaModeMinus", U'−', 45, -1, u"-"},
                    KeyCase{"Enter", U'\r', 13, -1, u""}, KeyCase{"Backspace", U'\b', 8, -1, u""}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

// The box that received a key inserts it, even when its handler moved the focus elsewhere.
TEST_F(Events, TheReceivingBoxInsertsEvenAfterTheFocusMoved) {
    Form& main = program.main();
    TextBox& box = main.textBox(u"Text1");
    box.onKeyPress = [&](std::int16_t&) { program.app.setFocus(main.control(u"Memo")); };
    ASSERT_TRUE(program.app.pressKey(box, U'4'));
    EXPECT_EQ(box.text(), u"4");
    EXPECT_EQ(main.textBox(u"Memo").text(), u"");
    EXPECT_EQ(program.app.focus(), main.find(u"Memo"));
}

// --- Message box and program folder ----------------------------------------------------

TEST(MessageBox, ShowsTheTextWithTheProgramsTitle) {
    TestProgram program;
    program.app.msgBox(u"電卓");
    EXPECT_EQ(program.messages.texts, std::vector<std::u16string>{u"電卓"});
    EXPECT_EQ(program.messages.lastTitle, u"Kalpeno");
}

struct PathCase {
    const char16_t* given;
    const char16_t* path;
};

class AppPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(AppPathTest, HasNoTrailingSeparatorExceptAtARoot) {
    scenario::RecordingMessageBox messages;
    const Application app(GetParam().given, messages);
    EXPECT_EQ(app.path(), GetParam().path);
}

#if defined(_WIN32)
INSTANTIATE_TEST_SUITE_P(Paths, AppPathTest,
                         testing::Values(PathCase{u"C:\\Kalpeno\\", u"C:\\Kalpeno"},
                                         PathCase{u"C:\\Kalpeno", u"C:\\Kalpeno"},
                                         PathCase{u"C:\\Kalpeno\\\\", u"C:\\Kalpeno"},
                                         PathCase{u"C:\\", u"C:\\"}, PathCase{u"\\", u"\\"}));
#else
INSTANTIATE_TEST_SUITE_P(Paths, AppPathTest,
                         testing::Values(PathCase{u"/opt/kalpeno/", u"/opt/kalpeno"},
                                         PathCase{u"/opt/kalpeno", u"/opt/kalpeno"},
                                         PathCase{u"/opt//", u"/opt"}, PathCase{u"/", u"/"},
                                         PathCase{u"//", u"/"}));
#endif

} // namespace
} // namespace kalpeno::forms
