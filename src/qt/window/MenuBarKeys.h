#pragma once

#include <QObject>

class QMenuBar;
class QWidget;

namespace kalpeno::qt {

// The keyboard's ways into a window's menu bar, as on the desktop the design comes from: F10, or
// Alt pressed and released alone (no other key, click or change of focus between). Either puts
// the keyboard into the menu bar with its first item highlighted, or, when the menu bar has it,
// gives it back to the control that had it. Qt's menu bar does the rest (MenuBarStyle).
//
// Qt's menu bar knows a lone Alt itself where the platform reports the key as it expects; under
// X11 it does not. So a lone Alt is watched for here too, and acted on once Qt has had its turn,
// only if Qt did nothing with it.
class MenuBarKeys : public QObject {
public:
    MenuBarKeys(QWidget& window, QMenuBar& bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle();
    void arm();
    void disarm();
    void altReleased();

    QWidget& window_;
    QMenuBar& bar_;
    bool armed_ = false;
    bool barHadFocus_ = false; // when Alt went down
};

} // namespace kalpeno::qt
