#include "qt/controls/ButtonWidget.h"

#include "layer/UserEvents.h"
#include "qt/Conversions.h"

namespace kalpeno::qt {

ButtonWidget::ButtonWidget(forms::CommandButton& button, UserEvents& events, QWidget* parent)
    : QPushButton(parent), ControlView(button, events) {
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (control()) {
            this->events().click(*control());
        }
    });
}

void ButtonWidget::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Caption) {
        showCaption();
    }
}

void ButtonWidget::mirrorAllOwn() {
    showCaption();
}

// A caption is shown as it is: "&" marks no access key.
void ButtonWidget::showCaption() {
    setText(toQString(button()->caption()).replace(u'&', QStringLiteral("&&")));
}

} // namespace kalpeno::qt
