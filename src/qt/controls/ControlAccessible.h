#pragma once

class QWidget;

namespace kalpeno::qt {

// What assistive technology is told of the windows and of the controls Qt does not describe as
// the design means them:
// - a form's window is a frame, named by its caption;
// - a picture with a click handler (a letter of a calculator) is a button whose one action,
//   press, is a click on it, with the design's key as its key binding; the other pictures are
//   graphics;
// - a one-line text box reads out the model's text, caret and selection, also where it shows a
//   window of a long text; a read-only one (a total box, an operand display) is a text that can
//   be read but not edited.
// Installed once, before the first window is asked for its interface.
void installControlAccessibility();

// Called once a control's widget is built. Qt asks for a widget's interface as soon as the widget
// announces its first change, which a box does while it is still being built; the interface made
// then is Qt's own line edit's, and is replaced.
void controlBuilt(QWidget& widget);

} // namespace kalpeno::qt
