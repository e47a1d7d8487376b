#pragma once
// How many widgets of each kind the calculator window has, so that the floor program builds a
// window of the same size in widgets. kalpeno-bench-scale checks these counts against the
// calculator window's design table and reports a mismatch.

namespace kalpeno::bench {

struct FloorWidgets {
    int labels;   // captions and the operator display
    int pictures; // the letter pictures
    int lineEdits;
    int lists;
    int buttons;
    int total() const { return labels + pictures + lineEdits + lists + buttons; }
};

inline constexpr FloorWidgets floorWidgets{
    .labels = 10, .pictures = 6, .lineEdits = 8, .lists = 3, .buttons = 21};

// The menu bar of the calculator window: four menus, the last one with six items.
inline constexpr int floorMenus = 4;
inline constexpr int floorSubItems = 6;

} // namespace kalpeno::bench
