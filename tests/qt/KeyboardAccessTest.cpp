// The keyboard's ways to what would otherwise take the mouse: F10 and a lone Alt into the menu
// bars, Esc back to the control that had the focus, Ctrl+1, Ctrl+2 and Ctrl+3 as clicks on the
// letters; and what assistive technology is told of the windows and controls.
#include "GuiProgram.h"

#include "calculator/Kalpeno.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <vector>

namespace kalpeno::qt::test {

namespace {

class KeyboardAccessTest : public GuiProgram {
protected:
    // A key as the user presses it: to the open menu if there is one, else to the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target) {
            target = QApplication::focusWidget();
        }
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
        GuiSession::settle();
    }

    QString highlighted(std::u16string_view form = u"Kalpeno") {
        QAction* action = window(form)->findChild<QMenuBar*>()->activeAction();
        return action ? action->text() : QString();
    }

    const calculator::Kalpeno& calculator() { return *session().calculatorWindow(); }
    bool shown(const char16_t* name) { return app().loaded(u"Kalpeno")->control(name).visible(); }
};

TEST_F(KeyboardAccessTest, F10HighlightsTheFirstMenuItemAndEscGivesTheFocusBack) {
    session().focus({.name = u"Text3"});
    press(Qt::Key_F10);
    EXPECT_EQ(QApplication::focusWidget(), window()->findChild<QMenuBar*>());
    EXPECT_EQ(highlighted(), QStringLiteral(u"電卓の終了"));
    press(Qt::Key_Right);
    EXPECT_EQ(highlighted(), QStringLiteral(u"情報"));
    press(Qt::Key_Escape);
    EXPECT_EQ(highlighted(), QString());
    EXPECT_EQ(QApplication::focusWidget(), widget(QStringLiteral("Text3")));
    EXPECT_EQ(session().focusName(), u"Text3");
}

TEST_F(KeyboardAccessTest, ALoneAltEntersTheMenuBarAndAltWithAKeyDoesNot) {
    QWidget* text1 = widget(QStringLiteral("Text1"));
    QTest::keyPress(text1, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(text1, Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(text1, Qt::Key_Alt, Qt::AltModifier);
    GuiSession::settle();
    EXPECT_EQ(highlighted(), QString());
    EXPECT_EQ(QApplication::focusWidget(), text1);
    QTest::keyClick(text1, Qt::Key_Alt, Qt::AltModifier);
    GuiSession::settle();
    EXPECT_EQ(highlighted(), QStringLiteral(u"電卓の終了"));
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), text1);
}

// X11 reports Alt going down with Alt already among the modifiers, which Qt's menu bar does not
// take for a lone Alt.
TEST_F(KeyboardAccessTest, ALoneAltAsX11ReportsItEntersTheMenuBar) {
    QWidget* text1 = widget(QStringLiteral("Text1"));
    for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent alt(type, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(text1, &alt);
    }
    GuiSession::settle();
    EXPECT_EQ(highlighted(), QStringLiteral(u"電卓の終了"));
    EXPECT_EQ(QApplication::focusWidget(), window()->findChild<QMenuBar*>());
}

TEST_F(KeyboardAccessTest, EnterChoosesACommandAsAClickWould) {
    press(Qt::Key_F10);
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    EXPECT_EQ(session().formVisible(u"frmVersion4"), true);
    EXPECT_EQ(session().focusName(), u"frmVersion4.Command1");
}

TEST_F(KeyboardAccessTest, DownOpensTheColourMenuAndEnterChoosesItsItem) {
    session().focus({.name = u"Text5"});
    press(Qt::Key_F10);
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_Right);
    }
    EXPECT_EQ(highlighted(), QStringLiteral(u"背景色"));
    press(Qt::Key_Down);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->activeAction()->text(), QStringLiteral(u"白"));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(app().loaded(u"Kalpeno")->control(u"List1").backColour(), 0x00E0E0E0u);
    EXPECT_EQ(session().focusName(), u"Text5");
    EXPECT_EQ(QApplication::focusWidget(), widget(QStringLiteral("Text5")));
}

TEST_F(KeyboardAccessTest, HelpWindowsMenuBarIsReachedTheSameWay) {
    writeHelpFile("abc\r\n");
    session().menu(u"Kalpeno", u"mnuHelp");
    press(Qt::Key_F10);
    EXPECT_EQ(highlighted(u"frmHelp"), QStringLiteral(u"電卓へ戻る"));
    press(Qt::Key_Escape);
    EXPECT_EQ(session().focusName(), u"frmHelp.Text1");
    press(Qt::Key_F10);
    press(Qt::Key_Return);
    EXPECT_EQ(session().formLoaded(u"frmHelp"), false);
    EXPECT_EQ(session().focusName(), u"Text1");
}

// Each key does what a click on its letter does, from wherever the focus is.
TEST_F(KeyboardAccessTest, CtrlDigitsSelectTheirCalculatorAsAClickOnTheLetter) {
    struct Case {
        Qt::Key key;
        int code;
        const char16_t* marker;
        const char16_t* entry;
        const char* focusBefore;
    };
    const std::vector<Case> cases{
        {Qt::Key_2, 3, u"Image5", u"Text3", "Text1"},
        {Qt::Key_3, 5, u"Image6", u"Text5", "List1"},
        {Qt::Key_1, 1, u"Image4", u"Text1", "Text6"},
        {Qt::Key_1, 1, u"Image4", u"Text1", "Text1"},
    };
    std::u16string active = u"Text1";
    for (const Case& c : cases) {
        for (const char16_t key : std::u16string(u"12+3")) {
            session().key({.name = active}, key);
        }
        active = c.entry;
        session().focus({.name = toU16(QString::fromLatin1(c.focusBefore))});
        press(c.key, Qt::ControlModifier);
        EXPECT_EQ(calculator().ActiveCalc, c.code) << c.focusBefore;
        EXPECT_EQ(calculator().OpCount, 0);
        EXPECT_TRUE(shown(c.marker));
        EXPECT_EQ(session().focusName(), c.entry);
        EXPECT_EQ(modelText(c.entry), u"");
        EXPECT_EQ(modelText(u"Text7"), u"");
    }
    EXPECT_FALSE(shown(u"Image5"));
    EXPECT_FALSE(shown(u"Image6"));
}

TEST_F(KeyboardAccessTest, CtrlDigitAfterEnterInCEnablesClearAgain) {
    press(Qt::Key_3, Qt::ControlModifier);
    for (const char16_t key : std::u16string(u"1+2\r")) {
        session().key({.name = u"Text5"}, key);
    }
    ASSERT_FALSE(app().loaded(u"Kalpeno")->control(u"Command1").enabled());
    ASSERT_FALSE(shown(u"Image6"));
    press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_TRUE(app().loaded(u"Kalpeno")->control(u"Command1").enabled());
    EXPECT_TRUE(widget(QStringLiteral("Command1"))->isEnabled());
    EXPECT_TRUE(shown(u"Image5"));
    EXPECT_EQ(session().focusName(), u"Text3");
}

TEST_F(KeyboardAccessTest, LettersNameTheirKeysAndNeverTakeTheFocus) {
    for (const auto& [name, key] : std::vector<std::pair<QString, QString>>{
             {QStringLiteral("Image1"), QStringLiteral("Ctrl+1")},
             {QStringLiteral("Image2"), QStringLiteral("Ctrl+2")},
             {QStringLiteral("Image3"), QStringLiteral("Ctrl+3")}}) {
        QWidget* letter = widget(name);
        EXPECT_TRUE(letter->toolTip().contains(key)) << letter->toolTip().toStdString();
        EXPECT_TRUE(letter->accessibleDescription().contains(key));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(letter)->text(QAccessible::Accelerator),
                  key);
    }
    press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), widget(QStringLiteral("Text3")));
}

TEST_F(KeyboardAccessTest, ALettersOneActionIsItsClick) {
    QAccessibleInterface* letter =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Image3")));
    EXPECT_EQ(letter->role(), QAccessible::Button);
    EXPECT_EQ(letter->text(QAccessible::Name), QStringLiteral(u"電卓Cを選ぶ"));
    ASSERT_NE(letter->actionInterface(), nullptr);
    EXPECT_EQ(letter->actionInterface()->actionNames(),
              QStringList{QAccessibleActionInterface::pressAction()});
    letter->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    GuiSession::settle();
    EXPECT_EQ(calculator().ActiveCalc, 5);
    EXPECT_EQ(session().focusName(), u"Text5");
    QAccessibleInterface* marker =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Image6")));
    EXPECT_EQ(marker->role(), QAccessible::Graphic);
    EXPECT_TRUE(marker->actionInterface()->actionNames().isEmpty());
}

TEST_F(KeyboardAccessTest, WindowsAreFramesNamedByTheirCaptions) {
    QAccessibleInterface* calculatorWindow = QAccessible::queryAccessibleInterface(window());
    EXPECT_EQ(calculatorWindow->role(), QAccessible::Window);
    EXPECT_EQ(calculatorWindow->text(QAccessible::Name), QStringLiteral("Orlanvi"));
    session().menu(u"Kalpeno", u"mnuVersion");
    QAccessibleInterface* version = QAccessible::queryAccessibleInterface(window(u"frmVersion4"));
    EXPECT_EQ(version->role(), QAccessible::Window);
    EXPECT_EQ(version->text(QAccessible::Name), QStringLiteral(u"Version 情報"));
}

TEST_F(KeyboardAccessTest, LabelsReadWhatTheyShowAndKeepTheirPurpose) {
    QAccessibleInterface* operatorDisplay =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Label6")));
    EXPECT_EQ(operatorDisplay->text(QAccessible::Name), QStringLiteral(u"計算中の演算子"));
    for (const char16_t key : std::u16string(u"12+")) {
        session().key({.name = u"Text1"}, key);
    }
    EXPECT_EQ(operatorDisplay->text(QAccessible::Name), QStringLiteral("+"));
    EXPECT_EQ(operatorDisplay->text(QAccessible::Description), QStringLiteral(u"計算中の演算子"));
    session().click({.name = u"Image1"});
    EXPECT_EQ(operatorDisplay->text(QAccessible::Name), QStringLiteral(u"計算中の演算子"));
    QAccessibleInterface* heading =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Label3")));
    EXPECT_EQ(heading->text(QAccessible::Name), QStringLiteral(u"計算の合計"));
    EXPECT_EQ(heading->text(QAccessible::Description), QStringLiteral(u"計算の合計の見出し"));
}

TEST_F(KeyboardAccessTest, TotalsAndDisplaysAreReadOnlyTextEntryBoxesEditable) {
    for (const char16_t key : std::u16string(u"12+3+")) {
        session().key({.name = u"Text1"}, key);
    }
    for (const char* name : {"Text2", "Text4", "Text6", "Text7", "Text9"}) {
        QAccessibleInterface* box =
            QAccessible::queryAccessibleInterface(widget(QString::fromLatin1(name)));
        EXPECT_FALSE(box->state().editable) << name;
        EXPECT_TRUE(box->state().readOnly) << name;
        EXPECT_EQ(box->role(), QAccessible::EditableText) << name;
        ASSERT_NE(box->textInterface(), nullptr) << name;
        EXPECT_EQ(box->editableTextInterface(), nullptr) << name;
    }
    QAccessibleTextInterface* total =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Text2")))->textInterface();
    EXPECT_EQ(total->text(0, total->characterCount()), QStringLiteral("15."));
    QAccessibleInterface* entry =
        QAccessible::queryAccessibleInterface(widget(QStringLiteral("Text1")));
    EXPECT_TRUE(entry->state().editable);
    EXPECT_FALSE(entry->state().readOnly);
}

} // namespace

} // namespace kalpeno::qt::test
