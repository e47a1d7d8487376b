#pragma once

#include "forms/Control.h"

#include <string>
#include <vector>

namespace kalpeno::forms {

// An unsorted list box: lines are only ever added at the end or all removed.
class ListBox : public Control {
public:
    using Control::Control;

    const std::vector<std::u16string>& lines() const { return lines_; }
    void addItem(std::u16string line) {
        lines_.push_back(std::move(line));
        changed(Property::LinesAdded);
    }
    void clear() {
        lines_.clear();
        changed(Property::LinesCleared);
    }

private:
    std::vector<std::u16string> lines_;
};

} // namespace kalpeno::forms
