#include "qt/TapeDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace kalpeno::qt {

namespace {

constexpr qsizetype keptLayouts = 512;

} // namespace

// What the style's item would show for a line of text alone: the panel, the text in the colour
// of the row's state, left-aligned within the style's text margin and centred in the row's
// height, and the focus frame of the current row.
void TapeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);

    QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !option.state.testFlag(QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const QPalette::ColorRole role =
        option.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    const QStaticText& text = layout(index.data(Qt::DisplayRole).toString());
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int height = option.fontMetrics.height();
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, role));
    painter->drawStaticText(QPoint(option.rect.left() + margin,
                                   option.rect.top() + (option.rect.height() - height) / 2),
                            text);
    painter->restore();

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = option.palette.color(
            group,
            option.state.testFlag(QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

const QStaticText& TapeDelegate::layout(const QString& line) const {
    auto found = layouts_.find(line);
    if (found != layouts_.end()) {
        return *found;
    }
    if (layouts_.size() >= keptLayouts) {
        layouts_.clear();
    }
    QStaticText text(line);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    return *layouts_.insert(line, text);
}

} // namespace kalpeno::qt
