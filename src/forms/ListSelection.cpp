#include "forms/ListSelection.h"

#include <algorithm>

namespace kalpeno::forms {

bool ListSelection::isSelected(int row) const {
    return row >= 0 && row < count() && selected_[static_cast<std::size_t>(row)];
}

bool ListSelection::anySelected() const {
    return std::find(selected_.begin(), selected_.end(), true) != selected_.end();
}

void ListSelection::reset(int count) {
    selected_.assign(static_cast<std::size_t>(std::max(count, 0)), false);
    current_ = -1;
    anchor_ = -1;
    dragging_ = false;
}

void ListSelection::setSelected(int row, bool selected) {
    if (row < 0 || row >= count() || isSelected(row) == selected) {
        return;
    }
    selected_[static_cast<std::size_t>(row)] = selected;
    if (rowChanged) {
        rowChanged(row);
    }
}

void ListSelection::selectAll() {
    if (count() > 0) {
        selectRange(0, count() - 1, false);
    }
}

void ListSelection::clear() {
    for (int row = 0; row < count(); ++row) {
        setSelected(row, false);
    }
}

// The rows from one to the other, both included; the others keep their state or are cleared.
void ListSelection::selectRange(int from, int to, bool keepOthers) {
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    for (int row = 0; row < count(); ++row) {
        const bool inside = row >= low && row <= high;
        if (inside || !keepOthers) {
            setSelected(row, inside);
        }
    }
}

void ListSelection::changeCurrent(int row) {
    if (row == current_) {
        return;
    }
    const int before = current_;
    current_ = row;
    if (rowChanged) {
        if (before >= 0) {
            rowChanged(before);
        }
        if (row >= 0) {
            rowChanged(row);
        }
    }
    if (row >= 0 && currentChanged) {
        currentChanged(row);
    }
}

ListSelection::Result ListSelection::setCurrent(int row) {
    if (row < 0 || row >= count()) {
        return Result::Ignored;
    }
    selectRange(row, row, false);
    anchor_ = row;
    changeCurrent(row);
    return Result::Moved;
}

ListSelection::Result ListSelection::moveCurrent(int row, Modifiers modifiers) {
    row = std::clamp(row, 0, count() - 1);
    if (modifiers.shift && anchor_ >= 0) {
        selectRange(anchor_, row, modifiers.control);
    } else if (!modifiers.control) {
        selectRange(row, row, false);
        anchor_ = row;
    }
    changeCurrent(row);
    return Result::Moved;
}

ListSelection::Result ListSelection::press(Key key, Modifiers modifiers, int rowsInView) {
    if (count() == 0) {
        return Result::Ignored;
    }
    const int last = count() - 1;
    const int from = current_ >= 0 ? current_ : last;
    switch (key) {
    case Key::Up:
        return moveCurrent(current_ >= 0 ? from - 1 : last, modifiers);
    case Key::Down:
        return moveCurrent(current_ >= 0 ? from + 1 : last, modifiers);
    case Key::PageUp:
        return moveCurrent(from - rowsInView, modifiers);
    case Key::PageDown:
        return moveCurrent(from + rowsInView, modifiers);
    case Key::Home:
        return moveCurrent(0, modifiers);
    case Key::End:
        return moveCurrent(last, modifiers);
    case Key::Space:
        if (current_ < 0) {
            return moveCurrent(last, {});
        }
        if (modifiers.control) {
            setSelected(current_, !isSelected(current_));
            anchor_ = current_;
        } else {
            setSelected(current_, true);
        }
        return Result::Changed;
    }
    return Result::Ignored;
}

ListSelection::Result ListSelection::leftPress(int row, Modifiers modifiers) {
    Result result = Result::Changed;
    if (row < 0 || row >= count()) {
        row = -1;
        if (!modifiers.control && !modifiers.shift) {
            clear();
        }
    } else if (modifiers.shift && anchor_ >= 0) {
        selectRange(anchor_, row, modifiers.control);
        changeCurrent(row);
    } else if (modifiers.control) {
        setSelected(row, !isSelected(row));
        anchor_ = row;
        changeCurrent(row);
    } else {
        result = setCurrent(row);
    }
    dragging_ = row >= 0 && !modifiers.control;
    return result;
}

ListSelection::Result ListSelection::rightPress(int row) {
    if (row < 0 || row >= count() || isSelected(row)) {
        return Result::Ignored;
    }
    return setCurrent(row);
}

ListSelection::Result ListSelection::dragTo(int row) {
    if (!dragging_ || anchor_ < 0 || count() == 0) {
        return Result::Ignored;
    }
    row = std::clamp(row, 0, count() - 1);
    selectRange(anchor_, row, false);
    changeCurrent(row);
    return Result::Moved;
}

void ListSelection::enterByKeyboard() {
    if (current_ < 0 && count() > 0) {
        changeCurrent(count() - 1);
    }
}

} // namespace kalpeno::forms
