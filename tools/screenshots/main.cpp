// kalpeno-screenshots OUTDIR
// Renders the three windows of the program to PNG files in OUTDIR, at device pixel ratio 1 and 2
// (kalpeno.png, kalpeno@2x.png, help.png, ...), after a short calculation on each calculator
// (12+3= on A, 7*6= on B, 100/8= on C), with the Help window showing the Help.txt beside the
// executable (or whatever the program shows without it). The program is driven through its real
// widgets, as the scenario runner's --gui mode drives it.
#include "gui/GuiSession.h"
#include "qt/Conversions.h"
#include "qt/window/FormWindow.h"
#include "scenario/Demo.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <iostream>

namespace {

// What QWidget::grab does, at a chosen device pixel ratio rather than the screen's.
QPixmap grabAt(QWidget& window, qreal ratio) {
    QPixmap pixmap(window.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(window.palette().window().color());
    window.render(&pixmap);
    return pixmap;
}

bool save(QWidget& window, const QDir& folder, const QString& name) {
    bool saved = true;
    for (const qreal ratio : {1.0, 2.0}) {
        const QString file = folder.filePath(ratio == 1 ? name + ".png" : name + "@2x.png");
        if (!grabAt(window, ratio).save(file)) {
            std::cerr << "kalpeno-screenshots: cannot write " << file.toStdString() << '\n';
            saved = false;
        }
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kalpeno-screenshots OUTDIR\n";
        return 2;
    }
    QApplication qtApp(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::cerr << "kalpeno-screenshots: cannot create " << argv[1] << '\n';
        return 1;
    }
    kalpeno::qt::GuiSession session(kalpeno::qt::toU16(QCoreApplication::applicationDirPath()));
    kalpeno::scenario::playDemo(session);
    kalpeno::qt::GuiSession::settle();

    bool saved = true;
    for (const auto& [form, name] :
         {std::pair{u"Kalpeno", "kalpeno"}, std::pair{u"frmHelp", "help"},
          std::pair{u"frmVersion4", "version"}}) {
        kalpeno::qt::FormWindow* window = session.layer().window(form);
        if (!window) {
            std::cerr << "kalpeno-screenshots: the window " << name << " is not open\n";
            saved = false;
            continue;
        }
        saved = save(*window, folder, QString::fromLatin1(name)) && saved;
    }
    return saved ? 0 : 1;
}
