#pragma once

#include <QWidget>

#include <functional>

namespace kalpeno::qt {

// The client area of a form's window: the controls sit on it at their design places, and a
// change of its size is told to whoever shows the form.
class ClientArea : public QWidget {
public:
    ClientArea(QSize designSize, QWidget* parent) : QWidget(parent), designSize_(designSize) {}

    QSize sizeHint() const override { return designSize_; }

    std::function<void(QSize)> onResize;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize designSize_;
};

} // namespace kalpeno::qt
