#pragma once

class QWidget;

namespace kalpeno::qt {

// What assistive technology is told of the windows and of the controls Qt does not describe as
// the design means them:
// - a form's window is a frame, named by its caption;
// - a picture with a click handler (a letter of a calculator) is a button whose one action,
//   press, is a click on it, with the design's key as its key binding; the other pictures are
//   graphics;
// - a read-only text box (a total box, an operand display) is a text that can be read but not
//   edited.
// Installed once, before the first window is asked for its interface.
void installControlAccessibility();

// Called once a control's widget is built. Qt asks for a widget's interface as soon as the widget
// announces its first change, which a box does while it is still being built; an interface made
// then for a read-only box does not know that it is one, and is replaced.
void controlBuilt(QWidget& widget);

} // namespace kalpeno::qt
