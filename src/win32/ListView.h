#pragma once

#include "forms/ListBox.h"
#include "win32/ControlView.h"

#include <string>
#include <vector>

namespace kalpeno::win32 {

// A tape as a native LISTBOX with extended selection: the system's own selection, keys,
// scrolling and accessibility. The lines added during one event are added together once it has
// ended (a paste may add hundreds of thousands), without a repaint for each, and the newest line
// is brought into view. Ctrl+C, Ctrl+Insert and the context menu copy the selected lines, one a
// line; Ctrl+A and the context menu select them all.
class ListView : public ControlView {
public:
    ListView(forms::ListBox& list, UserEvents& events, FormWindow& window);

    // The lines the LISTBOX holds (the scenario session reads them).
    std::vector<std::u16string> shownLines() const;

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    forms::ListBox* list() const { return static_cast<forms::ListBox*>(control()); }
    void addPending();
    void copySelection();
    void selectAll();
    void contextMenu(LPARAM where);

    std::size_t shown_ = 0; // the model's lines the LISTBOX holds
    bool addPending_ = false;
};

} // namespace kalpeno::win32
