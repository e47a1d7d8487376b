#pragma once

#include "forms/CaptionControl.h"
#include "qt/controls/ControlView.h"

#include <QLabel>
#include <QStaticText>

namespace kalpeno::qt {

// A label: its caption as plain text, top-aligned as in the design. The caption's layout is made
// once and kept: a label next to a box repaints with the box at every key, and laying the text
// out again each time was most of the cost of that repaint.
class LabelWidget : public QLabel, public ControlView {
public:
    LabelWidget(forms::Label& label, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    forms::Label* label() const { return static_cast<forms::Label*>(control()); }
    void showCaption();
    void layOutCaption();

    QStaticText caption_;
    bool laidOut_ = false; // caption_ is laid out for the label's caption, size and font
};

} // namespace kalpeno::qt
