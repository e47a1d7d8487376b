// The tapes on the widgets: rows follow the model's lines, the newest line stays in view, a line
// wider than the tape is shown whole, the keys move as in a list, and a selection survives new
// lines.
#include "GuiProgram.h"

#include "forms/ListBox.h"
#include "qt/ListBoxWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

namespace kalpeno::qt::test {

namespace {

class TapeTest : public GuiProgram {
protected:
    forms::ListBox& lines() { return app().loaded(u"Kalpeno")->listBox(u"List1"); }
    ListBoxWidget* tape() { return widget<ListBoxWidget>(QStringLiteral("List1")); }

    void addLines(int count) {
        for (int i = 0; i < count; ++i) {
            lines().addItem(u"1,234.");
        }
        GuiSession::settle();
    }

    bool rowInView(int row) {
        const QRect shown = tape()->visualRect(tape()->model()->index(row, 0));
        return tape()->viewport()->rect().contains(shown);
    }
};

TEST_F(TapeTest, NewestLineStaysInViewAndRowsAreOneLineHigh) {
    addLines(200);
    ASSERT_EQ(tape()->count(), 200);
    EXPECT_TRUE(rowInView(199));
    EXPECT_FALSE(rowInView(0));
    const int height = tape()->rowHeight(0);
    EXPECT_GE(height, tape()->fontMetrics().height());
    EXPECT_LT(height, 2 * tape()->fontMetrics().height());
    EXPECT_EQ(tape()->rowHeight(199), height);
    EXPECT_EQ(tape()->verticalScrollBar()->value(), tape()->verticalScrollBar()->maximum());
}

TEST_F(TapeTest, LineWiderThanTheTapeIsShownWholeUntilCleared) {
    const std::u16string wide(60, u'8');
    lines().addItem(wide);
    GuiSession::settle();
    EXPECT_GE(tape()->columnWidth(0), tape()->fontMetrics().horizontalAdvance(toQString(wide)));
    EXPECT_GT(tape()->horizontalScrollBar()->maximum(), 0);
    lines().clear();
    lines().addItem(u"1.");
    GuiSession::settle();
    EXPECT_EQ(tape()->count(), 1);
    EXPECT_EQ(tape()->line(0), QStringLiteral("1."));
    EXPECT_EQ(tape()->columnWidth(0), tape()->viewport()->width());
    EXPECT_EQ(tape()->horizontalScrollBar()->maximum(), 0);
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    int startRow;
    int expectedRow;
};

class TapeKeyTest : public TapeTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(TapeKeyTest, MovesTheCurrentLine) {
    addLines(30);
    tape()->setFocus();
    tape()->setCurrentIndex(tape()->model()->index(GetParam().startRow, 0));
    QTest::keyClick(tape(), GetParam().key);
    EXPECT_EQ(tape()->currentIndex().row(), GetParam().expectedRow);
    EXPECT_EQ(tape()->currentIndex().column(), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, TapeKeyTest,
                         ::testing::Values(KeyCase{"Down", Qt::Key_Down, 3, 4},
                                           KeyCase{"Up", Qt::Key_Up, 3, 2},
                                           KeyCase{"Home", Qt::Key_Home, 20, 0},
                                           KeyCase{"End", Qt::Key_End, 2, 29},
                                           KeyCase{"RightStays", Qt::Key_Right, 5, 5},
                                           KeyCase{"LeftStays", Qt::Key_Left, 5, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TapeTest, TabLeavesTheTape) {
    addLines(3);
    session().focus({.name = u"List1"});
    ASSERT_EQ(QApplication::focusWidget(), tape());
    QTest::keyClick(tape(), Qt::Key_Tab);
    GuiSession::settle();
    EXPECT_NE(QApplication::focusWidget(), tape());
}

TEST_F(TapeTest, SelectionSurvivesNewLinesAndIsCopied) {
    lines().addItem(u"12.");
    lines().addItem(u"+3.");
    GuiSession::settle();
    tape()->selectionModel()->select(tape()->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    addLines(50);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(tape(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("+3."));
}

TEST_F(TapeTest, CopyWithoutSelectionLeavesTheClipboard) {
    addLines(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(tape(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

} // namespace

} // namespace kalpeno::qt::test
