#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace kalpeno::qt {

// Paints the rows of a tape: the item's panel (selection, focus) as the style draws it, and the
// line's text from a kept layout. A tape repaints every row in view for each line added, and
// laying each row's text out again was most of that repaint. Lines repeat (the separator, the
// same operands), so the layouts are kept by text, a few hundred at most.
class TapeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& layout(const QString& line) const;

    mutable QHash<QString, QStaticText> layouts_;
};

} // namespace kalpeno::qt
