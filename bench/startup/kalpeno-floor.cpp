// The floor of the start-up benchmark: a bare Qt Widgets window with a menu bar and as many
// widgets as the calculator window, built by the same build with the same flags, and nothing
// else. No program can start faster with this toolkit, so the calculator is measured against it.
#include "bench/startup/FloorWidgets.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

using kalpeno::bench::floorWidgets;

constexpr int cell = 40;
constexpr int columns = 12;

// Places the n-th widget on a plain grid; where it stands does not matter for the floor.
void place(QWidget& widget, int n, int width = cell - 4) {
    widget.setGeometry((n % columns) * cell + 4, (n / columns) * cell + 4, width, cell - 8);
}

void buildMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    for (int i = 0; i < kalpeno::bench::floorMenus - 1; ++i) {
        bar->addAction(QStringLiteral("Item %1").arg(i));
    }
    QMenu* menu = bar->addMenu(QStringLiteral("Menu"));
    for (int i = 0; i < kalpeno::bench::floorSubItems; ++i) {
        menu->addAction(QStringLiteral("Sub %1").arg(i));
    }
}

void buildWidgets(QWidget& area) {
    int n = 0;
    for (int i = 0; i < floorWidgets.labels; ++i) {
        place(*new QLabel(QStringLiteral("L%1").arg(i), &area), n++);
    }
    for (int i = 0; i < floorWidgets.pictures; ++i) {
        place(*new QLabel(&area), n++);
    }
    for (int i = 0; i < floorWidgets.lineEdits; ++i) {
        place(*new QLineEdit(&area), n++);
    }
    for (int i = 0; i < floorWidgets.lists; ++i) {
        place(*new QListWidget(&area), n++);
    }
    for (int i = 0; i < floorWidgets.buttons; ++i) {
        place(*new QPushButton(QString::number(i), &area), n++);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("floor"));
    buildMenus(window);
    auto* area = new QWidget(&window);
    buildWidgets(*area);
    window.setCentralWidget(area);
    window.resize(columns * cell + 8, 500);
    window.show();
    return QApplication::exec();
}
