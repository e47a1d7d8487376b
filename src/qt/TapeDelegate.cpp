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
    QStyleOptionViewItem item = option;
    item.features |= QStyleOptionViewItem::HasDisplay;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);

    QPalette::ColorGroup group =
        item.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !item.state.testFlag(QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const QPalette::ColorRole role =
        item.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    const QStaticText& text = layout(index.data(Qt::DisplayRole).toString());
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int height = item.fontMetrics.height();
    painter->save();
    painter->setClipRect(item.rect);
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, role));
    painter->drawStaticText(
        QPoint(item.rect.left() + margin, item.rect.top() + (item.rect.height() - height) / 2),
        text);
    painter->restore();

    if (item.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(item);
        focus.rect = item.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = item.palette.color(
            group,
            item.state.testFlag(QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
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
