#pragma once

#include <functional>
#include <vector>

namespace kalpeno::forms {

// Which rows of a list are selected and which one is current, as a list's mouse and keys change
// them. A click selects a row alone, Ctrl+click adds or removes it, Shift+click extends the
// selection from its anchor (the row last clicked or moved to alone), and a drag extends it from
// the anchor. The arrow, page, Home and End keys move the current row: alone they select it
// alone, with Shift they extend the selection, with Ctrl they move the current row only. Space
// selects the current row, Ctrl+Space adds or removes it. Rows are added at the end or all
// replaced, as a ListBox's lines are.
//
// A view owns one, tells it what the user did and repaints the rows it is told of.
class ListSelection {
public:
    enum class Key { Up, Down, PageUp, PageDown, Home, End, Space };
    struct Modifiers {
        bool shift = false;
        bool control = false;
    };
    // What an action did: nothing (a key the list leaves to others), changed the selection or the
    // current row in place, or moved to the current row, which the view brings into view.
    enum class Result { Ignored, Changed, Moved };

    // For each row whose selection changes, and for the rows that stop and start being current.
    std::function<void(int row)> rowChanged;
    // When another row becomes current.
    std::function<void(int row)> currentChanged;

    int count() const { return static_cast<int>(selected_.size()); }
    int current() const { return current_; }
    bool isSelected(int row) const;
    bool anySelected() const;
    bool dragging() const { return dragging_; }

    // All rows anew, none selected, none current.
    void reset(int count);
    // One row more at the end, not selected.
    void append() { selected_.push_back(false); }

    // Makes a row current and selects it alone; a row outside the list changes nothing.
    Result setCurrent(int row);
    void setSelected(int row, bool selected);
    void selectAll();
    void clear();

    // A key, with rowsInView rows in view for the page keys. Without a current row the keys
    // start from the newest row, which a list keeps in view.
    Result press(Key key, Modifiers modifiers, int rowsInView);
    // A left press on a row, or below the rows (-1); it starts a drag on a row unless Ctrl adds.
    Result leftPress(int row, Modifiers modifiers);
    // A right press keeps a selected row's selection for the context menu.
    Result rightPress(int row);
    // The left button, still down since a press on a row, is over a row: the selection runs from
    // the anchor to it.
    Result dragTo(int row);
    void endDrag() { dragging_ = false; }
    // The list comes into the focus by the keyboard: the newest row becomes current if none is,
    // unselected.
    void enterByKeyboard();

private:
    void selectRange(int from, int to, bool keepOthers);
    void changeCurrent(int row);
    Result moveCurrent(int row, Modifiers modifiers);

    std::vector<bool> selected_; // one flag a row
    int current_ = -1;
    int anchor_ = -1;
    bool dragging_ = false;
};

} // namespace kalpeno::forms
