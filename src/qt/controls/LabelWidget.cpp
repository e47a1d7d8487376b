#include "qt/controls/LabelWidget.h"

#include "qt/Conversions.h"

#include <QEvent>
#include <QPainter>

namespace kalpeno::qt {

LabelWidget::LabelWidget(forms::Label& label, UserEvents& events, QWidget* parent)
    : QLabel(parent), ControlView(label, events) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setAlignment(Qt::AlignTop | horizontalAlignmentOf(label.alignment()));
}

void LabelWidget::mirrorOwn(forms::Property property) {
    if (property == forms::Property::Caption) {
        showCaption();
    }
}

void LabelWidget::mirrorAllOwn() {
    showCaption();
}

// The label's text stays the caption (the sessions read it); the kept layout follows it. A screen
// reader reads what the label shows as its name ("+" in the operator display while "+" is
// pending), and its purpose, the description, while it shows nothing.
void LabelWidget::showCaption() {
    const QString caption = toQString(label()->caption());
    if (caption != text()) {
        setText(caption);
        caption_.setText(caption);
        laidOut_ = false;
        setAccessibleName(caption.isEmpty() ? accessibleDescription() : caption);
    }
}

// Each line aligned within the label's width as the design aligns it, never wrapped. Made when
// the label is first painted after a change, so that building a window lays out no text.
void LabelWidget::layOutCaption() {
    laidOut_ = true;
    caption_.setTextFormat(Qt::PlainText);
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::NoWrap);
    caption_.setTextOption(option);
    caption_.setTextWidth(contentsRect().width());
    caption_.prepare(QTransform(), font());
}

// As the label would paint its text: from the top, in the window text colour of the label's
// state.
void LabelWidget::paintEvent(QPaintEvent*) {
    if (caption_.text().isEmpty()) {
        return;
    }
    if (!laidOut_) {
        layOutCaption();
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawStaticText(contentsRect().topLeft(), caption_);
}

void LabelWidget::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    laidOut_ = false;
}

void LabelWidget::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        laidOut_ = false;
    }
}

} // namespace kalpeno::qt
