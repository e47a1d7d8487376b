#include "qt/MenuBarStyle.h"

#include <QApplication>
#include <QStyleFactory>

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

} // namespace kalpeno::qt
