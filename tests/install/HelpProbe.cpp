// A probe loaded into the installed program (LD_PRELOAD) to check it from outside, through Qt's
// public API only: once the calculator window "Orlanvi" is shown, it chooses "ヘルプ", closes any
// message box that opens, and compares the Help window's text with the file named by
// KALPENO_PROBE_EXPECT (the UTF-8 source of Help.txt). It ends the program with status 0 when
// the Help window shows that text and no message box appeared, else with status 1, and says why
// on standard error.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int tickMs = 50;
constexpr int maxTicks = 400; // 20 s

QWidget* shownWindow(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == title) {
            return window;
        }
    }
    return nullptr;
}

// The text as lines, without line ends and without the empty lines at its end.
QStringList lines(QString text) {
    text.remove(u'\r');
    QStringList result = text.split(u'\n');
    while (!result.isEmpty() && result.back().isEmpty()) {
        result.removeLast();
    }
    return result;
}

void finish(int status, const QString& why) {
    std::fprintf(stderr, "help-probe: %s\n", why.toLocal8Bit().constData());
    QCoreApplication::exit(status);
}

class Probe : public QObject {
public:
    Probe() : QObject(QCoreApplication::instance()) {
        QFile expected(qEnvironmentVariable("KALPENO_PROBE_EXPECT"));
        if (expected.open(QIODevice::ReadOnly)) {
            expected_ = lines(QString::fromUtf8(expected.readAll()));
        }
        auto* timer = new QTimer(this);
        QObject::connect(timer, &QTimer::timeout, this, [this] { tick(); });
        timer->start(tickMs);
    }

private:
    void tick() {
        if (++ticks_ > maxTicks) {
            finish(1, QStringLiteral("no Help window within 20 s"));
            return;
        }
        closeMessageBoxes();
        if (!helpChosen_) {
            chooseHelp();
            return;
        }
        QWidget* help = shownWindow(QStringLiteral("Help"));
        auto* text = help ? help->findChild<QPlainTextEdit*>(QStringLiteral("Text1")) : nullptr;
        if (!text) {
            return;
        }
        if (!messages_.isEmpty()) {
            finish(1, QStringLiteral("message box: ") + messages_.join(QStringLiteral(" / ")));
        } else if (expected_.isEmpty()) {
            finish(1, QStringLiteral("no expected text in KALPENO_PROBE_EXPECT"));
        } else if (lines(text->toPlainText()) != expected_) {
            finish(1, QStringLiteral("the Help window does not show the expected text"));
        } else {
            finish(
                0,
                QStringLiteral("the Help window shows Help.txt, %1 lines").arg(expected_.size()));
        }
    }

    void chooseHelp() {
        QWidget* calculator = shownWindow(QStringLiteral("Orlanvi"));
        if (!calculator) {
            return;
        }
        for (QAction* action : calculator->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral(u"ヘルプ")) {
                // From the event loop, so that a message box's own loop still runs this probe.
                helpChosen_ = true;
                QTimer::singleShot(0, action, &QAction::trigger);
                return;
            }
        }
    }

    void closeMessageBoxes() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box && box->isVisible()) {
                messages_ << box->text();
                box->accept();
            }
        }
    }

    QStringList expected_;
    QStringList messages_;
    int ticks_ = 0;
    bool helpChosen_ = false;
};

void startProbe() {
    new Probe; // owned by the application
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
