#include "qt/window/MenuBarStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QWidget>

namespace kalpeno::qt {

// A style of its own kind, so that the application's style is neither shared nor taken over.
MenuBarStyle::MenuBarStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int MenuBarStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == QStyle::SH_MenuBar_AltKeyNavigation) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

// The item highlighted from the keyboard is drawn as one opened with the mouse: the application's
// style draws a menu bar item highlighted only while its menu is open, so the keyboard's place in
// the bar would not be seen.
void MenuBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuBarItem && (option->state & State_Selected) && widget &&
        widget->hasFocus()) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem highlighted = *item;
            highlighted.state |= State_Sunken;
            QProxyStyle::drawControl(element, &highlighted, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace kalpeno::qt
