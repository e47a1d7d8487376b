#include "qt/window/MenuBarKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

namespace kalpeno::qt {

MenuBarKeys::MenuBarKeys(QWidget& window, QMenuBar& bar)
    : QObject(&window), window_(window), bar_(bar) {
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    f10->setAutoRepeat(false);
    connect(f10, &QShortcut::activated, this, [this] { toggle(); });
    window.installEventFilter(this);
}

// What the menu bar itself answers to: Alt going down (its shortcut-override event, which a key
// event of Alt reports with Alt held) and coming up with nothing between.
void MenuBarKeys::toggle() {
    QKeyEvent altDown(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(&window_, &altDown);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(&window_, &altUp);
}

// Alt reaches the window from whatever control has the focus (none of them takes it); from then
// until it comes up, every event of the application is looked at.
bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
    const auto* key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
                          ? static_cast<const QKeyEvent*>(event)
                          : nullptr;
    if (!armed_) {
        if (watched == &window_ && key && event->type() == QEvent::KeyPress &&
            key->key() == Qt::Key_Alt && !key->isAutoRepeat()) {
            arm();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (key->key() != Qt::Key_Alt) {
            disarm();
        }
        break;
    case QEvent::KeyRelease:
        if (key->key() == Qt::Key_Alt) {
            disarm();
            QMetaObject::invokeMethod(
                this, [this] { altReleased(); }, Qt::QueuedConnection);
        } else {
            disarm();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::WindowDeactivate:
        disarm();
        break;
    default:
        break;
    }
    return false;
}

void MenuBarKeys::arm() {
    armed_ = true;
    barHadFocus_ = bar_.hasFocus();
    qApp->installEventFilter(this);
}

void MenuBarKeys::disarm() {
    armed_ = false;
    qApp->removeEventFilter(this);
}

// Qt's menu bar has had the release first: if it took or gave back the keyboard, that was it.
void MenuBarKeys::altReleased() {
    if (bar_.hasFocus() == barHadFocus_ && bar_.isVisible() && window_.isActiveWindow()) {
        toggle();
    }
}

} // namespace kalpeno::qt
