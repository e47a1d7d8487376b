// Kalpeno: three calculators side by side. The model (forms::Application with the program's
// forms) runs every handler; the Qt window layer shows its windows and turns the user's actions
// into its events. The event loop ends when the model reports that the program has ended (the
// menu command "電卓の終了", or the last shown window closed).
#include "forms/Application.h"
#include "program/Program.h"
#include "qt/Conversions.h"
#include "qt/window/QtLayer.h"
#include "qt/window/QtMessageBox.h"
#include "windows/Release.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace {

// fontconfig reads its configuration files (about 3 ms of parsing) when the first font is asked
// for, after Qt has connected to the display. Another core reads them meanwhile. Nothing asks for
// a font before the join; had anything, fontconfig would still keep one configuration, since it
// may be set up from two threads at once.
std::jthread readFontConfiguration() {
    try {
        return std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        return {}; // no thread to be had: read with the first font, as without this
    }
}

} // namespace

int main(int argc, char** argv) {
    std::jthread fontConfiguration = readFontConfiguration();
    QApplication qtApp(argc, argv);
    if (fontConfiguration.joinable()) {
        fontConfiguration.join();
    }
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Kalpeno"));
    // The desktop entry's name, by which a Wayland desktop gives the windows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(KALPENO_APP_ID));

    kalpeno::qt::QtMessageBox messageBox;
    kalpeno::forms::Application app(kalpeno::qt::toU16(QCoreApplication::applicationDirPath()),
                                    messageBox);
    kalpeno::qt::QtLayer windows(app);
    QObject::connect(&windows, &kalpeno::qt::QtLayer::programFinished, &qtApp,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    kalpeno::startProgram(app);
    if (app.ended()) {
        return 0;
    }
    return QApplication::exec();
}
