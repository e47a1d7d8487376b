// The tapes on the widgets: rows follow the model's lines, the newest line stays in view, a line
// wider than the tape is shown whole, the mouse and the keys select as in a list, a selection
// survives new lines, and assistive technology sees the lines as a list's items.
#include "GuiProgram.h"

#include "forms/ListBox.h"
#include "qt/tape/TapeView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <vector>

namespace kalpeno::qt::test {

namespace {

class TapeTest : public GuiProgram {
protected:
    forms::ListBox& lines() { return app().loaded(u"Kalpeno")->listBox(u"List1"); }
    TapeView* tape() { return widget<TapeView>(QStringLiteral("List1")); }

    void addLines(int count) {
        for (int i = 0; i < count; ++i) {
            lines().addItem(u"1,234.");
        }
        GuiSession::settle();
    }

    bool rowInView(int row) { return tape()->viewport()->rect().contains(tape()->rowRect(row)); }

    std::vector<int> selectedRows() {
        std::vector<int> rows;
        for (int row = 0; row < tape()->count(); ++row) {
            if (tape()->isSelected(row)) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    QPoint middleOf(int row) { return tape()->rowRect(row).center(); }
};

TEST_F(TapeTest, NewestLineStaysInViewAndRowsAreOneLineHigh) {
    addLines(200);
    ASSERT_EQ(tape()->count(), 200);
    EXPECT_TRUE(rowInView(199));
    EXPECT_FALSE(rowInView(0));
    const int height = tape()->rowHeight();
    EXPECT_GE(height, tape()->fontMetrics().height());
    EXPECT_LT(height, 2 * tape()->fontMetrics().height());
    EXPECT_EQ(tape()->verticalScrollBar()->value(), tape()->verticalScrollBar()->maximum());
    EXPECT_EQ(tape()->rowAt(middleOf(199)), 199);
    EXPECT_EQ(tape()->rowAt(QPoint(2, tape()->rowRect(199).bottom() + 1)), -1);
}

TEST_F(TapeTest, LineWiderThanTheTapeIsShownWholeUntilCleared) {
    const std::u16string wide(60, u'8');
    lines().addItem(wide);
    GuiSession::settle();
    EXPECT_GE(tape()->columnWidth(), tape()->fontMetrics().horizontalAdvance(toQString(wide)));
    EXPECT_GT(tape()->horizontalScrollBar()->maximum(), 0);
    lines().clear();
    lines().addItem(u"1.");
    GuiSession::settle();
    EXPECT_EQ(tape()->count(), 1);
    EXPECT_EQ(tape()->line(0), QStringLiteral("1."));
    EXPECT_EQ(tape()->columnWidth(), tape()->viewport()->width());
    EXPECT_EQ(tape()->horizontalScrollBar()->maximum(), 0);
}

// Rows moved on the screen as they scroll by must be what a fresh paint of the tape shows: after a
// scroll by the bar, and after lines added at the end (as "=" adds three).
TEST_F(TapeTest, ScrolledRowsOnTheScreenAreThoseAFreshPaintShows) {
    const auto onScreen = [this] {
        const QPoint at = tape()->mapTo(tape()->window(), QPoint());
        return tape()
            ->screen()
            ->grabWindow(tape()->window()->winId(), at.x(), at.y(), tape()->width(),
                         tape()->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto painted = [this] {
        return tape()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    for (int i = 0; i < 60; ++i) {
        lines().addItem(i % 3 == 2 ? u"-------------" : toU16(QString::number(i)) + u".");
    }
    tape()->setFocus();
    tape()->setCurrentRow(55);
    GuiSession::settle();
    tape()->verticalScrollBar()->setValue(tape()->verticalScrollBar()->value() - 2);
    GuiSession::settle();
    ASSERT_FALSE(onScreen().isNull());
    EXPECT_EQ(onScreen(), painted()) << "scrolled by the bar";
    for (int step = 0; step < 2; ++step) {
        for (const char16_t* added : {u"7.", u"-------------", u"21."}) {
            lines().addItem(added);
        }
        GuiSession::settle();
        EXPECT_EQ(onScreen(), painted()) << "lines added, step " << step;
    }
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int startRow;
    int expectedRow;
    std::vector<int> selected;
};

class TapeKeyTest : public TapeTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(TapeKeyTest, MovesTheCurrentLineAndTheSelection) {
    addLines(30);
    tape()->setFocus();
    tape()->setCurrentRow(GetParam().startRow);
    QTest::keyClick(tape(), GetParam().key, GetParam().modifiers);
    EXPECT_EQ(tape()->currentRow(), GetParam().expectedRow);
    EXPECT_EQ(selectedRows(), GetParam().selected);
    EXPECT_TRUE(rowInView(GetParam().expectedRow));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TapeKeyTest,
    ::testing::Values(
        KeyCase{"Down", Qt::Key_Down, {}, 3, 4, {4}}, KeyCase{"Up", Qt::Key_Up, {}, 3, 2, {2}},
        KeyCase{"UpAtTheTop", Qt::Key_Up, {}, 0, 0, {0}},
        KeyCase{"DownAtTheEnd", Qt::Key_Down, {}, 29, 29, {29}},
        KeyCase{"Home", Qt::Key_Home, {}, 20, 0, {0}}, KeyCase{"End", Qt::Key_End, {}, 2, 29, {29}},
        KeyCase{"PageUpStopsAtTheTop", Qt::Key_PageUp, {}, 3, 0, {0}},
        KeyCase{"ShiftDownExtends", Qt::Key_Down, Qt::ShiftModifier, 3, 4, {3, 4}},
        KeyCase{"ShiftHomeExtends", Qt::Key_Home, Qt::ShiftModifier, 2, 0, {0, 1, 2}},
        KeyCase{"CtrlDownMovesOnlyTheCurrent", Qt::Key_Down, Qt::ControlModifier, 3, 4, {3}},
        KeyCase{"CtrlSpaceToggles", Qt::Key_Space, Qt::ControlModifier, 3, 3, {}},
        KeyCase{"CtrlASelectsAll", Qt::Key_A, Qt::ControlModifier, 3, 3,
                [] {
                    std::vector<int> all(30);
                    for (int i = 0; i < 30; ++i) {
                        all[static_cast<std::size_t>(i)] = i;
                    }
                    return all;
                }()},
        KeyCase{"RightStays", Qt::Key_Right, {}, 5, 5, {5}},
        KeyCase{"LeftStays", Qt::Key_Left, {}, 5, 5, {5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TapeTest, PageDownMovesByTheRowsInView) {
    addLines(100);
    tape()->setFocus();
    tape()->setCurrentRow(0);
    const int rows = tape()->viewport()->height() / tape()->rowHeight();
    QTest::keyClick(tape(), Qt::Key_PageDown);
    EXPECT_EQ(tape()->currentRow(), rows);
    EXPECT_TRUE(rowInView(rows));
}

struct ClickCase {
    const char* name;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> clicks; // rows, in view
    std::vector<int> selected;
    int current;
};

class TapeClickTest : public TapeTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(TapeClickTest, SelectsAsAListDoes) {
    addLines(10);
    for (const auto& [row, modifiers] : GetParam().clicks) {
        QTest::mouseClick(tape()->viewport(), Qt::LeftButton, modifiers, middleOf(row));
    }
    EXPECT_EQ(selectedRows(), GetParam().selected);
    EXPECT_EQ(tape()->currentRow(), GetParam().current);
    EXPECT_EQ(QApplication::focusWidget(), tape());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, TapeClickTest,
    ::testing::Values(
        ClickCase{"One", {{4, {}}}, {4}, 4},
        ClickCase{"AnotherReplaces", {{4, {}}, {6, {}}}, {6}, 6},
        ClickCase{"ShiftExtends", {{4, {}}, {7, Qt::ShiftModifier}}, {4, 5, 6, 7}, 7},
        ClickCase{"ShiftExtendsUpwards", {{6, {}}, {4, Qt::ShiftModifier}}, {4, 5, 6}, 4},
        ClickCase{"CtrlAdds", {{4, {}}, {7, Qt::ControlModifier}}, {4, 7}, 7},
        ClickCase{"CtrlRemoves", {{4, {}}, {4, Qt::ControlModifier}}, {}, 4},
        ClickCase{"CtrlShiftAddsARange",
                  {{1, {}}, {4, Qt::ControlModifier}, {6, Qt::ControlModifier | Qt::ShiftModifier}},
                  {1, 4, 5, 6},
                  6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TapeTest, DragSelectsTheRowsPassedAndAClickBelowTheLinesClearsThem) {
    addLines(10);
    QTest::mousePress(tape()->viewport(), Qt::LeftButton, {}, middleOf(2));
    QMouseEvent move(QEvent::MouseMove, middleOf(5), tape()->viewport()->mapToGlobal(middleOf(5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tape()->viewport(), &move);
    QTest::mouseRelease(tape()->viewport(), Qt::LeftButton, {}, middleOf(5));
    EXPECT_EQ(selectedRows(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(tape()->currentRow(), 5);
    QTest::mouseClick(tape()->viewport(), Qt::LeftButton, {},
                      QPoint(2, tape()->rowRect(9).bottom() + 4));
    EXPECT_TRUE(selectedRows().empty());
}

TEST_F(TapeTest, TabLeavesTheTape) {
    addLines(3);
    session().focus({.name = u"List1"});
    ASSERT_EQ(QApplication::focusWidget(), tape());
    QTest::keyClick(tape(), Qt::Key_Tab);
    GuiSession::settle();
    EXPECT_NE(QApplication::focusWidget(), tape());
}

TEST_F(TapeTest, FocusByTheKeyboardMakesTheNewestLineCurrent) {
    addLines(40);
    tape()->setFocus(Qt::TabFocusReason);
    GuiSession::settle();
    EXPECT_EQ(tape()->currentRow(), 39);
    EXPECT_TRUE(selectedRows().empty());
    QTest::keyClick(tape(), Qt::Key_Up);
    EXPECT_EQ(tape()->currentRow(), 38);
}

TEST_F(TapeTest, SelectionSurvivesNewLinesAndIsCopied) {
    lines().addItem(u"12.");
    lines().addItem(u"+3.");
    GuiSession::settle();
    tape()->setSelected(1, true);
    addLines(50);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(tape(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("+3."));
}

TEST_F(TapeTest, ClearingTheLinesClearsTheSelectionAndTheCurrentRow) {
    addLines(5);
    tape()->setCurrentRow(2);
    lines().clear();
    GuiSession::settle();
    addLines(3);
    EXPECT_EQ(tape()->currentRow(), -1);
    EXPECT_TRUE(selectedRows().empty());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(tape(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST_F(TapeTest, AssistiveTechnologySeesTheLinesAsListItems) {
    lines().addItem(u"12.");
    lines().addItem(u"-------------");
    GuiSession::settle();
    tape()->setFocus();
    tape()->setCurrentRow(1);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(tape());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral(u"電卓Aの入力リスト"));
    ASSERT_EQ(list->childCount(), 2);
    QAccessibleInterface* row = list->child(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->role(), QAccessible::ListItem);
    EXPECT_EQ(row->text(QAccessible::Name), QStringLiteral("-------------"));
    EXPECT_TRUE(row->state().selected);
    EXPECT_TRUE(row->state().focused);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_EQ(list->indexOfChild(row), 1);
    EXPECT_EQ(row->parent(), list);
    EXPECT_EQ(list->childAt(row->rect().center().x(), row->rect().center().y()), row);
    lines().clear();
    GuiSession::settle();
    EXPECT_EQ(list->childCount(), 0);
    EXPECT_FALSE(row->isValid());
}

} // namespace

} // namespace kalpeno::qt::test
