// Nothing changes an entry box behind its key-press handler: pasted and input-method text is
// typed through the model one character at a time; Delete, Cut, Undo, Redo and drops do nothing.
#include "GuiProgram.h"

#include "qt/boxes/SingleLineBox.h"
#include "scenario/HeadlessSession.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

namespace kalpeno::qt::test {

namespace {

using scenario::ControlPath;

struct Shown {
    std::u16string entry, left, op, right;
    std::vector<std::u16string> tape;
    bool operator==(const Shown&) const = default;
};

Shown shownBy(scenario::Session& session) {
    auto text = [&](const char16_t* name, scenario::Aspect aspect) {
        return session.read({.name = name}, aspect).text.value_or(u"?");
    };
    return {text(u"Text1", scenario::Aspect::Text), text(u"Text7", scenario::Aspect::Text),
            text(u"Label6", scenario::Aspect::Caption), text(u"Text9", scenario::Aspect::Text),
            session.read({.name = u"List1"}, scenario::Aspect::Lines)
                .lines.value_or(std::vector<std::u16string>{})};
}

// What typing the text into Text1 gives on the headless model.
Shown typed(const std::u16string& text) {
    scenario::HeadlessSession headless(u"/nonexistent");
    for (const char16_t c : text) {
        headless.key({.name = u"Text1"}, c);
    }
    return shownBy(headless);
}

void commit(QWidget& box, const QString& preedit, const QString& committed) {
    QInputMethodEvent event(preedit, {});
    event.setCommitString(committed);
    QApplication::sendEvent(&box, &event);
    GuiSession::settle();
}

// Chooses the context menu's item of that text once the menu is open.
void chooseFromContextMenu(QWidget& box, const QString& item) {
    QTimer::singleShot(0, [item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == item) {
                menu->setActiveAction(action);
            }
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&box, &event);
    GuiSession::settle();
}

class EntryBoxTest : public GuiProgram {
protected:
    QLineEdit& text1() { return *widget<QLineEdit>(QStringLiteral("Text1")); }
    SingleLineBox& entry() { return *widget<SingleLineBox>(QStringLiteral("Text1")); }
};

// Every way of pasting types the clipboard's text, up to its first line end, through the box's
// key-press handler, as typing it on the headless model does; the box shows what the model has.
enum class PasteBy { CtrlV, ShiftInsert, ContextMenu };
struct PasteCase {
    const char* name;
    const char16_t* clipboard;
    PasteBy by;
    const char16_t* typedAs;
};

class EntryBoxPasteTest : public EntryBoxTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(EntryBoxPasteTest, IsTypedThroughTheHandler) {
    const PasteCase& c = GetParam();
    QGuiApplication::clipboard()->setText(QString::fromUtf16(c.clipboard));
    if (c.by == PasteBy::ContextMenu) {
        chooseFromContextMenu(text1(), QStringLiteral(u"貼り付け"));
    } else if (c.by == PasteBy::ShiftInsert) {
        QTest::keyClick(&text1(), Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        QTest::keyClick(&text1(), Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(shownBy(session()), typed(c.typedAs));
    EXPECT_EQ(text1().text(), toQString(modelText(u"Text1")));
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, EntryBoxPasteTest,
    ::testing::Values(PasteCase{"CtrlVACalculation", u"1+2", PasteBy::CtrlV, u"1+2"},
                      PasteCase{"CtrlVLettersInsertNothing", u"abc", PasteBy::CtrlV, u"abc"},
                      PasteCase{"ShiftInsert", u"12*3", PasteBy::ShiftInsert, u"12*3"},
                      PasteCase{"TheContextMenu", u"4-1x", PasteBy::ContextMenu, u"4-1x"},
                      PasteCase{"UpToTheFirstLineEnd", u"5+5\r\n6", PasteBy::CtrlV, u"5+5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryBoxTest, ALongPasteIsShownWhole) {
    const QString digits(40'000, u'8'); // beyond QLineEdit's default limit of 32,767
    QGuiApplication::clipboard()->setText(digits);
    QTest::keyClick(&text1(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(entry().shownText(), toU16(digits));
    EXPECT_EQ(widget<SingleLineBox>(QStringLiteral("Text7"))->shownText(), toU16(digits));
    EXPECT_LE(text1().text().size(), static_cast<qsizetype>(textWindow.length));
}

// A long text is shown as a window around the caret; the keys that go to the ends, the selection,
// copy and the screen reader's text are the model's.
struct WindowCase {
    const char* name;
    std::vector<QKeyCombination> keys;
    std::size_t fromEnd;   // where the caret ends, from the text's end
    std::size_t copiedEnd; // how many characters from the end a copy takes (0: nothing copied)
};

class LongEntryTest : public EntryBoxTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(LongEntryTest, KeysSelectAndCopyTheModelsText) {
    QString calculation;
    for (int i = 0; i < 2'000; ++i) {
        calculation += QStringLiteral("1234+");
    }
    const std::size_t size = static_cast<std::size_t>(calculation.size());
    QGuiApplication::clipboard()->setText(calculation);
    QTest::keyClick(&text1(), Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("none"));
    for (const QKeyCombination key : GetParam().keys) {
        QTest::keyClick(&text1(), key.key(), key.keyboardModifiers());
    }
    QTest::keyClick(&text1(), Qt::Key_C, Qt::ControlModifier);
    const std::size_t caret = size - GetParam().fromEnd;
    EXPECT_EQ(app().loaded(u"Kalpeno")->textBox(u"Text1").caret(), caret);
    EXPECT_EQ(entry().shownCaret(), caret);
    EXPECT_EQ(entry().shownText(), toU16(calculation));
    const std::size_t copied = GetParam().copiedEnd;
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              copied ? calculation.sliced(calculation.size() - static_cast<qsizetype>(copied))
                     : QStringLiteral("none"));
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&text1());
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->textInterface()->characterCount(), static_cast<int>(size));
    EXPECT_EQ(reader->textInterface()->cursorPosition(), static_cast<int>(caret));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, LongEntryTest,
    ::testing::Values(
        WindowCase{"Home", {Qt::Key_Home}, 10'000, 0},
        WindowCase{"ShiftHomeSelectsAll", {Qt::SHIFT | Qt::Key_Home}, 10'000, 10'000},
        WindowCase{"ShiftEndFromHome", {Qt::Key_Home, Qt::SHIFT | Qt::Key_End}, 0, 10'000},
        WindowCase{"CtrlA", {Qt::CTRL | Qt::Key_A}, 0, 10'000},
        WindowCase{"LeftEndsAFarSelection", {Qt::SHIFT | Qt::Key_Home, Qt::Key_Left}, 10'000, 0},
        WindowCase{"RightEndsAFarSelection", {Qt::SHIFT | Qt::Key_Home, Qt::Key_Right}, 0, 0},
        WindowCase{
            "SelectionInsideTheWindow", {Qt::SHIFT | Qt::Key_Left, Qt::SHIFT | Qt::Key_Left}, 2, 2},
        WindowCase{"HomeThenWordsRight",
                   {Qt::Key_Home, Qt::CTRL | Qt::Key_Right, Qt::CTRL | Qt::Key_Right},
                   9'995,
                   0}),
    [](const auto& info) { return std::string(info.param.name); });

// The window follows a caret the model moves, and an arrow key goes on from there.
TEST_F(EntryBoxTest, TheExcerptFollowsTheCaret) {
    QGuiApplication::clipboard()->setText(QString(20'000, u'7'));
    QTest::keyClick(&text1(), Qt::Key_V, Qt::ControlModifier);
    forms::TextBox& box = app().loaded(u"Kalpeno")->textBox(u"Text1");
    for (const std::size_t caret : {std::size_t{7'000}, std::size_t{19'990}, std::size_t{3}}) {
        box.setCaret(caret);
        EXPECT_EQ(entry().shownCaret(), caret);
        EXPECT_EQ(entry().shownText(), box.text());
        QTest::keyClick(&text1(), Qt::Key_Left);
        EXPECT_EQ(box.caret(), caret - 1);
    }
}

// Text set on the widget behind the model's back (as a screen reader may) gives way to the model's.
TEST_F(EntryBoxTest, TextSetOnTheWidgetGivesWayToTheModels) {
    session().key({.name = u"Text1"}, U'4');
    text1().setText(QStringLiteral("999"));
    EXPECT_EQ(text1().text(), QStringLiteral("4"));
}

TEST_F(EntryBoxTest, InputMethodTextIsTypedThroughTheHandler) {
    commit(text1(), QString(), QStringLiteral(u"１＋２"));
    EXPECT_EQ(shownBy(session()), typed(u"1+2"));
    commit(text1(), QString(), QStringLiteral(u"あ"));
    EXPECT_EQ(text1().text(), QStringLiteral("1+2"));
}

TEST_F(EntryBoxTest, TextBeingComposedIsNotInTheBox) {
    commit(text1(), QStringLiteral(u"３"), QString());
    EXPECT_EQ(text1().text(), QString());
    EXPECT_EQ(modelText(u"Text1"), u"");
}

TEST_F(EntryBoxTest, EnterThatConfirmsAConversionOnlyCommits) {
    commit(text1(), QString(), QStringLiteral("1+2"));
    commit(text1(), QStringLiteral(u"３"), QString());
    QTest::keyClick(&text1(), Qt::Key_Return);
    EXPECT_EQ(modelText(u"Text1"), u"1+23");
    EXPECT_EQ(text1().text(), QStringLiteral("1+23"));
    QTest::keyClick(&text1(), Qt::Key_Return);
    EXPECT_EQ(modelText(u"Text1"), u"1+23=");
}

// The sequences an input method sends: preedit updates then a commit; a commit with the key that
// made it; Space converting; a composition cut short by a focus change or a keypad click, after
// which the input method may send the same text again into the box that has the focus.
TEST_F(EntryBoxTest, CompositionsReachTheModelOnceAndOnlyWhenCommitted) {
    auto* text3 = widget<QLineEdit>(QStringLiteral("Text3"));
    commit(text1(), QStringLiteral(u"１"), QString());
    commit(text1(), QStringLiteral(u"１２"), QString());
    QTest::keyClick(&text1(), Qt::Key_Space); // converts; never a blank in the calculation
    EXPECT_EQ(modelText(u"Text7"), u"");
    commit(text1(), QString(), QStringLiteral(u"１２"));
    QTest::keyClick(&text1(), Qt::Key_Return); // the Enter that committed, passed on
    EXPECT_EQ(modelText(u"Text1"), u"12");
    EXPECT_EQ(text1().text(), QStringLiteral("12"));

    commit(text1(), QStringLiteral(u"＋３"), QString());
    text3->setFocus(Qt::MouseFocusReason);
    GuiSession::settle();
    commit(*text3, QString(), QStringLiteral(u"＋３")); // the input method's repeat
    EXPECT_EQ(modelText(u"Text1"), u"12+3");
    EXPECT_EQ(modelText(u"Text3"), u"");
    EXPECT_EQ(modelText(u"Text9"), u"3");

    text1().setFocus(Qt::MouseFocusReason);
    GuiSession::settle();
    commit(text1(), QStringLiteral(u"４"), QString());
    session().click({.name = u"Command3", .index = 2}); // "*" on the keypad
    EXPECT_EQ(modelText(u"Text1"), u"12+34*");
    EXPECT_EQ(text1().text(), QStringLiteral("12+34*"));
    commit(text1(), QString(), QStringLiteral(u"２\n５")); // several characters and a line end
    EXPECT_EQ(modelText(u"Text9"), u"2");
    EXPECT_EQ(shownBy(session()), typed(u"12+34*2"));
}

TEST_F(EntryBoxTest, DeleteCutUndoAndRedoDoNothing) {
    session().key({.name = u"Text1"}, U'1');
    session().key({.name = u"Text1"}, U'2');
    session().caret({.name = u"Text1"}, 1);
    QTest::keyClick(&text1(), Qt::Key_Delete);
    text1().selectAll();
    QTest::keyClick(&text1(), Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&text1(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&text1(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text1().text(), QStringLiteral("12"));
    EXPECT_EQ(modelText(u"Text1"), u"12");
}

TEST_F(EntryBoxTest, DropIsRefused) {
    QMimeData data;
    data.setText(QStringLiteral("99"));
    const QPoint place = text1().rect().center();
    QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&text1(), &enter);
    QDropEvent drop(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&text1(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_FALSE(text1().acceptDrops());
    EXPECT_EQ(text1().text(), QString());
    EXPECT_EQ(modelText(u"Text1"), u"");
}

TEST_F(EntryBoxTest, KeypadKeysAreTheMainKeysAndItsDecimalKeyGivesAPoint) {
    QTest::keyClick(&text1(), Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(&text1(), Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(&text1(), Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(&text1(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(&text1(), Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClick(&text1(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(modelText(u"Text1"), u"1.5+2=");
    EXPECT_EQ(text1().text(), QStringLiteral("1.5+2="));
}

TEST_F(EntryBoxTest, ArrowKeysMoveTheModelsCaret) {
    session().key({.name = u"Text1"}, U'1');
    session().key({.name = u"Text1"}, U'2');
    QTest::keyClick(&text1(), Qt::Key_Left);
    EXPECT_EQ(app().loaded(u"Kalpeno")->textBox(u"Text1").caret(), 1U);
    QTest::keyClick(&text1(), Qt::Key_Home);
    EXPECT_EQ(app().loaded(u"Kalpeno")->textBox(u"Text1").caret(), 0U);
    EXPECT_EQ(text1().cursorPosition(), 0);
}

TEST_F(EntryBoxTest, ReadOnlyTotalBoxCanBeSelectedAndCopied) {
    for (const char16_t c : std::u16string(u"12+3")) {
        session().key({.name = u"Text1"}, c);
    }
    session().click({.name = u"cmdKotae1"});
    auto& total = *widget<QLineEdit>(QStringLiteral("Text2"));
    EXPECT_TRUE(total.isReadOnly());
    EXPECT_EQ(total.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    total.selectAll();
    QTest::keyClick(&total, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("15."));
    QTest::keyClick(&total, Qt::Key_9);
    EXPECT_EQ(total.text(), QStringLiteral("15."));
}

} // namespace

} // namespace kalpeno::qt::test
