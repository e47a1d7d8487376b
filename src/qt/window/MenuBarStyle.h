#pragma once

#include <QProxyStyle>

namespace kalpeno::qt {

// The style of the windows' menu bars: the application's style, with the menu bar reachable from
// the keyboard as on the desktop the design comes from. A lone Alt (pressed and released with no
// other key) puts the keyboard into the menu bar with its first item highlighted; the arrows move
// along it and into a submenu, Enter or Space chooses, Esc gives the focus back to the control
// that had it. Qt's menu bar does all this itself once its style asks for it (MenuBarKeys adds F10,
// and a lone Alt where Qt misses it).
class MenuBarStyle : public QProxyStyle {
public:
    MenuBarStyle();

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace kalpeno::qt
