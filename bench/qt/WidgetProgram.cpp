#include "bench/qt/WidgetProgram.h"

#include "program/Program.h"
#include "qt/controls/ControlView.h"
#include "qt/window/FormWindow.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <stdexcept>

namespace kalpeno::bench {

WidgetProgram::WidgetProgram(const std::u16string& appDir) : app_(appDir, messages_) {
    layer_ = std::make_unique<qt::QtLayer>(app_);
    startProgram(app_);
    settle();
}

WidgetProgram::~WidgetProgram() {
    app_.removeObserver(*layer_);
    layer_.reset();
    settle();
}

QWidget& WidgetProgram::widget(std::u16string_view form, std::u16string_view control, int index) {
    forms::Form* loaded = app_.loaded(form);
    forms::Control* found = loaded ? loaded->find(control, index) : nullptr;
    qt::ControlView* view = found ? layer_->view(*found) : nullptr;
    if (!view) {
        throw std::logic_error("no widget for that control");
    }
    return view->widget();
}

void WidgetProgram::click(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton);
    settle();
}

void WidgetProgram::key(QWidget& widget, char32_t key) {
    switch (key) {
    case 8:
        QTest::keyClick(&widget, Qt::Key_Backspace);
        break;
    case 13:
        QTest::keyClick(&widget, Qt::Key_Return);
        break;
    default:
        // The characters of the sessions are ASCII: QTest sends them with their key and text.
        QTest::keyClick(&widget, static_cast<char>(key));
        break;
    }
    settle();
}

void WidgetProgram::settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace kalpeno::bench
