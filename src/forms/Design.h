#pragma once
// The forms runtime: a headless model of windows (forms) and their controls.
//
// Data flow: a form is built from its design table (ControlDesign rows, in twips and 0x00BBGGRR
// colours). The Application owns the loaded forms and is the one entry point for user events
// (click, menu, key press, caret, focus, close). An event runs the control's handler, which
// changes control properties; every change is reported to the ModelObserver(s) at once, so a
// window layer mirrors the model without polling. The model is the single source of truth.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kalpeno::forms {

// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;

// Position and size in twips (1/1440 inch; 15 twips to a pixel at 96 dpi).
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// An empty face means the form's default font.
struct FontSpec {
    std::u16string_view face;
    double points = 0;
};

enum class ControlKind { TextBox, ListBox, Label, CommandButton, Image, PictureBox, Timer };

enum class Alignment { Left, Right, Centre };

struct ControlFlags {
    bool multiLine = false;
    bool readOnly = false;
    bool verticalScrollBar = false;
    bool hidden = false;
    bool disabled = false;
    Alignment alignment = Alignment::Left;
};

// A key with its modifiers, as data: each window layer makes its own kind of shortcut of it.
struct Shortcut {
    bool control = false;
    bool alt = false;
    bool shift = false;
    char16_t key = 0; // a digit or a capital letter; 0 for none
    constexpr bool empty() const { return key == 0; }
    friend constexpr bool operator==(const Shortcut&, const Shortcut&) = default;
};

// One row of a form's design table.
struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::u16string_view name;
    int index = -1; // element of a control array, or -1
    Bounds bounds;
    std::u16string_view caption; // caption of labels and buttons, initial text of boxes
    // What assistive technology reads as the control's name ("電卓Aの入力"), and with its key the
    // tooltip; a label's is read as its description, its name being what it shows. Empty: the
    // caption names the control.
    std::u16string_view accessibleName;
    FontSpec font;
    std::optional<Colour> backColour; // none: the window layer's default
    ControlFlags flags;
    std::u16string_view picture; // artwork key of images and picture boxes
    int interval = 0;            // timers, in milliseconds
    // A key that acts anywhere in the form's window as a click on the control (Ctrl+1), for
    // what would otherwise take the mouse; none by default.
    Shortcut shortcut;
};

struct MenuDesign {
    std::u16string_view name;
    std::u16string_view caption;
    std::span<const MenuDesign> items; // a submenu, or empty for a command
};

// A control named in a tab order list, with its array index or -1.
struct ControlRef {
    std::u16string_view name;
    int index = -1;
};

struct FormDesign {
    std::u16string_view name;
    std::u16string_view caption;
    int clientWidth = 0; // twips
    int clientHeight = 0;
    bool resizable = false;
    std::u16string_view icon; // artwork key
    std::span<const ControlDesign> controls;
    std::span<const MenuDesign> menus;
    std::span<const ControlRef> tabOrder;
};

} // namespace kalpeno::forms
