#include "qt/window/QtMessageBox.h"

#include "qt/Conversions.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace kalpeno::qt {

void QtMessageBox::showMessage(std::u16string_view text, std::u16string_view title) {
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    if (onShown) {
        QTimer::singleShot(0, &box, [this, &box] { onShown(box); });
    }
    box.exec();
    // The window that was active before the box becomes active again, as on Windows.
    if (owner && owner->isVisible()) {
        owner->activateWindow();
    }
}

} // namespace kalpeno::qt
