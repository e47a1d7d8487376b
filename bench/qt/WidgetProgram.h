#pragma once
// A fresh program on the real widgets of the Qt window layer (offscreen platform), driven as a
// user drives it: mouse clicks and key presses are sent to the widgets (QTest), and every event
// is followed by the event loop's pending work (repaints included) before it counts as done.
// Message boxes are recorded rather than shown, so nothing modal can stop a benchmark; the
// benchmarks' own sessions raise none.

#include "forms/Application.h"
#include "qt/window/QtLayer.h"
#include "scenario/RecordingMessageBox.h"

#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace kalpeno::bench {

class WidgetProgram {
public:
    explicit WidgetProgram(const std::u16string& appDir = u"/nonexistent");
    ~WidgetProgram();

    forms::Application& app() { return app_; }
    qt::QtLayer& layer() { return *layer_; }

    // The widget of a control of a shown window; throws std::logic_error when there is none.
    QWidget& widget(std::u16string_view form, std::u16string_view control, int index = -1);
    QWidget& widget(std::u16string_view control, int index = -1) {
        return widget(u"Kalpeno", control, index);
    }

    // A left click on the widget, then the pending work of the event loop.
    void click(QWidget& widget);
    // One key press into the widget (8 Backspace, 13 Enter, or a character), then the pending
    // work of the event loop.
    void key(QWidget& widget, char32_t key);
    // Runs what the event loop has pending: posted events, layout, repaints.
    static void settle();

    std::size_t messages() const { return messages_.texts.size(); }

private:
    scenario::RecordingMessageBox messages_;
    forms::Application app_;
    std::unique_ptr<qt::QtLayer> layer_;
};

} // namespace kalpeno::bench
