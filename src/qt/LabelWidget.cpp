#include "qt/LabelWidget.h"

#include "qt/Conversions.h"

namespace kalpeno::qt {

namespace {

Qt::Alignment alignmentOf(forms::Alignment alignment) {
    switch (alignment) {
    case forms::Alignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case forms::Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case forms::Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

} // namespace

LabelWidget::LabelWidget(forms::Label& label, UserEvents& events, QWidget* parent)
    : QLabel(parent), ControlView(label, events) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setAlignment(alignmentOf(label.alignment()));
}

void LabelWidget::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Caption) {
        setText(toQString(label()->caption()));
    }
}

void LabelWidget::mirrorAllOwn() {
    setText(toQString(label()->caption()));
}

} // namespace kalpeno::qt
