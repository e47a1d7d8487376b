// The selection rules of a list, on ten rows: what each press, key and drag leaves selected and
// current, and what the view is asked to do.
#include "forms/ListSelection.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kalpeno::forms {
namespace {

using Key = ListSelection::Key;
using Result = ListSelection::Result;

enum class Do { Press, RightPress, Drag, KeyPress, KeyboardFocus };

constexpr ListSelection::Modifiers none{};
constexpr ListSelection::Modifiers shift{.shift = true};
constexpr ListSelection::Modifiers ctrl{.control = true};
constexpr ListSelection::Modifiers ctrlShift{.shift = true, .control = true};

struct Step {
    Do what;
    int row = 0; // the row pressed or dragged to
    ListSelection::Modifiers modifiers = none;
    Key key = Key::Up;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<int> selected;
    int current;
    Result last; // what the last step did
};

Result run(ListSelection& list, const Step& step) {
    switch (step.what) {
    case Do::Press:
        return list.leftPress(step.row, step.modifiers);
    case Do::RightPress:
        return list.rightPress(step.row);
    case Do::Drag:
        return list.dragTo(step.row);
    case Do::KeyPress:
        return list.press(step.key, step.modifiers, 4);
    case Do::KeyboardFocus:
        list.enterByKeyboard();
        return Result::Changed;
    }
    return Result::Ignored;
}

class ListSelectionTest : public testing::TestWithParam<Case> {};

TEST_P(ListSelectionTest, LeavesTheRowsSelectedAndCurrent) {
    ListSelection list;
    list.reset(10);
    Result last = Result::Ignored;
    for (const Step& step : GetParam().steps) {
        last = run(list, step);
    }
    std::vector<int> selected;
    for (int row = 0; row < list.count(); ++row) {
        if (list.isSelected(row)) {
            selected.push_back(row);
        }
    }
    EXPECT_EQ(selected, GetParam().selected);
    EXPECT_EQ(list.current(), GetParam().current);
    EXPECT_EQ(last, GetParam().last);
}

const Case cases[] = {
    {"UpWithoutCurrentStartsAtTheNewest",
     {{Do::KeyPress, 0, none, Key::Up}},
     {9},
     9,
     Result::Moved},
    {"SpaceWithoutCurrentSelectsTheNewest",
     {{Do::KeyPress, 0, none, Key::Space}},
     {9},
     9,
     Result::Moved},
    {"SpaceSelectsInPlace",
     {{Do::Press, 3}, {Do::KeyPress, 0, ctrl, Key::Down}, {Do::KeyPress, 0, none, Key::Space}},
     {3, 4},
     4,
     Result::Changed},
    {"KeyboardFocusMakesTheNewestCurrentUnselected", {{Do::KeyboardFocus}}, {}, 9, Result::Changed},
    {"ShiftKeyWithoutAnchorSelectsAlone",
     {{Do::KeyboardFocus}, {Do::KeyPress, 0, shift, Key::Up}},
     {8},
     8,
     Result::Moved},
    {"CtrlShiftKeyKeepsTheOthers",
     {{Do::Press, 1}, {Do::Press, 5, ctrl}, {Do::KeyPress, 0, ctrlShift, Key::Down}},
     {1, 5, 6},
     6,
     Result::Moved},
    {"PageDownStopsAtTheEnd",
     {{Do::Press, 7}, {Do::KeyPress, 0, none, Key::PageDown}},
     {9},
     9,
     Result::Moved},
    {"PageUpMovesByTheRowsInView",
     {{Do::Press, 7}, {Do::KeyPress, 0, none, Key::PageUp}},
     {3},
     3,
     Result::Moved},
    {"ShiftPressExtendsInPlace",
     {{Do::Press, 2}, {Do::Press, 4, shift}},
     {2, 3, 4},
     4,
     Result::Changed},
    {"DragRunsFromTheAnchorUpwards",
     {{Do::Press, 4}, {Do::Drag, 1}},
     {1, 2, 3, 4},
     1,
     Result::Moved},
    {"DragBeyondTheEndStopsAtTheLastRow",
     {{Do::Press, 4}, {Do::Drag, 20}},
     {4, 5, 6, 7, 8, 9},
     9,
     Result::Moved},
    {"CtrlPressStartsNoDrag", {{Do::Press, 4, ctrl}, {Do::Drag, 6}}, {4}, 4, Result::Ignored},
    {"PressBelowTheRowsStartsNoDrag",
     {{Do::Press, 3}, {Do::Press, -1}, {Do::Drag, 6}},
     {},
     3,
     Result::Ignored},
    {"ShiftPressBelowTheRowsKeepsTheSelection",
     {{Do::Press, 3}, {Do::Press, -1, shift}},
     {3},
     3,
     Result::Changed},
    {"RightPressKeepsASelectedRow",
     {{Do::Press, 2}, {Do::Press, 5, ctrl}, {Do::RightPress, 5}},
     {2, 5},
     5,
     Result::Ignored},
    {"RightPressOnAnotherRowSelectsIt",
     {{Do::Press, 2}, {Do::RightPress, 7}},
     {7},
     7,
     Result::Moved},
};

INSTANTIATE_TEST_SUITE_P(Steps, ListSelectionTest, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

// The view repaints only the rows it is told of: those whose selection or current state changed.
TEST(ListSelection, ReportsEachChangedRowAndTheNewCurrentRow) {
    ListSelection list;
    list.reset(10);
    list.setCurrent(3);
    std::set<int> changed;
    std::vector<int> currents;
    list.rowChanged = [&](int row) { changed.insert(row); };
    list.currentChanged = [&](int row) { currents.push_back(row); };
    list.press(Key::Down, none, 4);
    EXPECT_EQ(changed, (std::set<int>{3, 4}));
    EXPECT_EQ(currents, std::vector<int>{4});
}

// New rows come unselected and keep the selection; a reset or an empty list has none.
TEST(ListSelection, NewRowsKeepTheSelectionAndAResetDropsIt) {
    ListSelection list;
    EXPECT_EQ(list.press(Key::Down, none, 4), Result::Ignored);
    EXPECT_EQ(list.setCurrent(0), Result::Ignored);
    list.reset(2);
    list.setCurrent(1);
    list.append();
    EXPECT_TRUE(list.isSelected(1));
    EXPECT_FALSE(list.isSelected(2));
    list.reset(3);
    EXPECT_FALSE(list.anySelected());
    EXPECT_EQ(list.current(), -1);
}

} // namespace
} // namespace kalpeno::forms
