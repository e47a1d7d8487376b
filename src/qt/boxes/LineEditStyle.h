#pragma once

#include <QProxyStyle>

namespace kalpeno::qt {

// The look of the one-line text boxes: the application's style, except that the box's panel and
// frame are straight lines of one pixel (the outline colour, or the highlight colour while the
// box has the focus) over the box's back colour. The frame is as wide as the style's own, so
// text and caret stay where they were; only the rounded, antialiased outline goes, which was
// most of the cost of every repaint of a box, and a box repaints at every key.
class LineEditStyle : public QProxyStyle {
public:
    LineEditStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    // The boxes paint every pixel of their rectangle: what lies under them is not painted first.
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

private:
    void drawFrame(const QStyleOption& option, QPainter& painter) const;
};

} // namespace kalpeno::qt
