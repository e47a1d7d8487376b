#pragma once
// What a window layer shows of a control besides its value, the same in every layer: the name
// and description assistive technology reads, the tooltip, whether the keyboard's focus stops at
// it, a menu item's text, and the captions of the boxes' and tapes' context menus.

#include "forms/Control.h"
#include "forms/Design.h"

#include <string>

namespace kalpeno::layer {

// The name assistive technology reads: the design's, else the caption, else the design name.
std::u16string spokenName(const forms::Control& control);
// What is read besides the name: the control's key ("ショートカットキー: Ctrl+1"), or a label's
// design name (a label's name is what it shows). Empty for none.
std::u16string spokenDescription(const forms::Control& control);
// The tooltip of a control that has a key: its name and the key ("電卓Aを選ぶ (Ctrl+1)");
// empty for the others.
std::u16string toolTip(const forms::Control& control);
// A key as it is written for the user: "Ctrl+1".
std::u16string shortcutText(const forms::Shortcut& shortcut);
// Whether Tab and a click give the control the keyboard focus: the design's tab order names it,
// and a text box takes it from a click in any case.
bool takesFocus(const forms::Control& control);
// A caption as a menu item's text, where "&" marks the mnemonic: a caption's own "&" doubled.
std::u16string menuText(std::u16string_view caption);

// The captions of the context menus of the text boxes and the tapes.
inline constexpr char16_t copyCaption[] = u"コピー";
inline constexpr char16_t pasteCaption[] = u"貼り付け";
inline constexpr char16_t selectAllCaption[] = u"すべて選択";

} // namespace kalpeno::layer
