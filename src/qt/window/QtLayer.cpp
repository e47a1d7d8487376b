#include "qt/window/QtLayer.h"

#include "qt/controls/ControlView.h"
#include "qt/window/FormWindow.h"

#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QTimer>

#include <algorithm>

template class kalpeno::layer::MirroringLayer<kalpeno::qt::FormWindow>;

namespace kalpeno::qt {

QtLayer::QtLayer(forms::Application& app)
    : MirroringLayer(app), events_(app, [](std::function<void()> action) {
          QTimer::singleShot(0, qApp, std::move(action));
      }) {
    installFontSubstitutes();
    events_.afterEvent = [this] { syncFocus(); };
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { userMovedFocus(now); });
    follow();
}

// Nothing the widgets do while they are destroyed (a focus change ending an open composition)
// reaches the model.
QtLayer::~QtLayer() {
    app_.removeObserver(*this);
    UserEvents::Busy busy(events_);
    windows_.clear();
    for (const QPointer<FormWindow>& window : retired_) {
        delete window.data();
    }
}

// The design's font is a Windows font; where it is missing, IPA P Gothic (a proportional
// Japanese Gothic of the same metrics class) stands in for it.
void QtLayer::installFontSubstitutes() {
    const QString gothic = QStringLiteral(u"ＭＳ Ｐゴシック");
    if (!QFont::substitutes(gothic).contains(QStringLiteral("IPAPGothic"))) {
        QFont::insertSubstitutions(
            gothic, {QStringLiteral("IPAPGothic"), QStringLiteral(u"IPA Pゴシック")});
    }
}

QAction* QtLayer::action(const forms::MenuItem& item) const {
    FormWindow* shown = window(item.form());
    return shown ? shown->action(item) : nullptr;
}

void QtLayer::formLoaded(forms::Form& form) {
    UserEvents::Busy busy(events_);
    windows_.add(form, std::make_unique<FormWindow>(form, events_, artwork_, fonts_, lineEditStyle_,
                                                    menuBarStyle_));
}

void QtLayer::formShown(forms::Form& form) {
    UserEvents::Busy busy(events_);
    if (FormWindow* shown = window(form)) {
        shown->show();
        shown->activateWindow();
    }
}

void QtLayer::formUnloading(forms::Form& form) {
    UserEvents::Busy busy(events_);
    std::unique_ptr<FormWindow> going = windows_.take(form);
    if (!going) {
        return;
    }
    std::erase_if(retired_, [](const QPointer<FormWindow>& window) { return window.isNull(); });
    FormWindow* window = going.release();
    QMenu* menu = openContextMenu(*window);
    window->detach();
    window->hide();
    retired_.emplace_back(window);
    if (menu) {
        // The menu runs an event loop of its own inside the event handler of one of the window's
        // widgets: it is closed, and the window goes once the menu has gone, which is when that
        // handler has returned; never under the handler's feet.
        connect(menu, &QObject::destroyed, window, &QObject::deleteLater);
        menu->close();
    } else {
        window->deleteLater();
    }
}

// The context menu of a box or a tape of the window, if one is open.
QMenu* QtLayer::openContextMenu(const FormWindow& window) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu && window.viewOf(menu->parentWidget()) ? menu : nullptr;
}

void QtLayer::focusChanged(forms::Control* control) {
    UserEvents::Busy busy(events_);
    showFocus(control);
}

void QtLayer::programEnded() {
    emit programFinished();
}

// The model's focus on screen: its window becomes the active one and the widget takes the focus.
void QtLayer::showFocus(forms::Control* control) {
    if (!control) {
        return;
    }
    FormWindow* shown = window(control->form());
    ControlView* target = view(*control);
    if (!shown || !target || !shown->isVisible()) {
        return;
    }
    if (!shown->isActiveWindow()) {
        shown->raise();
        shown->activateWindow();
    }
    target->widget().setFocus(Qt::OtherFocusReason);
}

// After an event: Qt may have moved the focus by itself (a focused widget hidden or disabled, a
// message box closed); the model's focus is put back. Another window is activated only when none
// is active, so as not to take the activation from a window the user has just clicked.
void QtLayer::syncFocus() {
    forms::Control* control = app_.focus();
    ControlView* target = control ? view(*control) : nullptr;
    if (!target || !target->widget().isVisible()) {
        return;
    }
    QWidget& widget = target->widget();
    if (!QApplication::activeWindow()) {
        widget.window()->activateWindow(); // no window is active (a message box has just gone)
    }
    if (QApplication::focusWidget() != &widget) {
        widget.setFocus(Qt::OtherFocusReason);
    }
}

// Qt moved the focus: the user pressed Tab, clicked into a list or activated another window.
// The model hears of it once control is back in the event loop, so that it is never told while
// it is busy, nor in the middle of Qt's own handling of the widgets.
void QtLayer::userMovedFocus(QWidget* now) {
    if (!now) {
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, widget = QPointer<QWidget>(now)] { reportFocus(widget); },
        Qt::QueuedConnection);
}

void QtLayer::reportFocus(QPointer<QWidget> widget) {
    if (!widget || QApplication::focusWidget() != widget || events_.busy() ||
        QApplication::activeModalWidget()) {
        return;
    }
    reportUserFocus(viewOf(widget));
}

} // namespace kalpeno::qt
