#pragma once
// A fresh program on the real widgets, in an empty program folder of its own, for the widget
// tests. Widgets are found by their control names (the object names the window layer gives them).

#include "gui/GuiSession.h"
#include "qt/Conversions.h"
#include "qt/window/FormWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kalpeno::qt::test {

class GuiProgram : public ::testing::Test {
protected:
    GuiProgram() : session_(std::make_unique<GuiSession>(toU16(folder_.path()))) {}

    GuiSession& session() { return *session_; }
    forms::Application& app() { return session_->application(); }
    FormWindow* window(std::u16string_view form = u"Kalpeno") {
        return session_->layer().window(form);
    }

    template <class Widget = QWidget>
    Widget* widget(const QString& name, std::u16string_view form = u"Kalpeno") {
        FormWindow* shown = window(form);
        return shown ? shown->findChild<Widget*>(name) : nullptr;
    }

    // The text of the model's text box.
    std::u16string modelText(std::u16string_view box, std::u16string_view form = u"Kalpeno") {
        return app().loaded(form)->textBox(box).text();
    }

    void writeHelpFile(const QByteArray& bytes) {
        QFile file(folder_.filePath(QStringLiteral("Help.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir folder_;
    std::unique_ptr<GuiSession> session_;
};

} // namespace kalpeno::qt::test
