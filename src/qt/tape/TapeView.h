#pragma once

#include "forms/ListBox.h"
#include "forms/ListSelection.h"
#include "qt/controls/ControlView.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <QStyleOptionViewItem>

#include <vector>

namespace kalpeno::qt {

// A tape: the model's lines, one row each, painted as Qt's item views paint their rows. The user
// may select rows (click, Shift and Ctrl clicks, a drag, the arrow and page keys, Ctrl+A; the
// rules are forms::ListSelection's) and copy them (Ctrl+C or the context menu's "コピー"); the
// rows themselves change only with the model.
//
// Its own small view rather than an item view: a tape only ever gains a line at the end or loses
// them all, so a line added costs one row's paint however long the tape is, and the view costs
// little to build. It scrolls a row at a time, as a list does; the column is as wide as the tape
// or as its widest line.
class TapeView : public QAbstractScrollArea, public ControlView {
public:
    TapeView(forms::ListBox& list, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Base; }

    // The rows shown, and the text of one.
    int count() const { return static_cast<int>(lines_.size()); }
    const QString& line(int row) const { return lines_[static_cast<std::size_t>(row)]; }

    int rowHeight() const;
    int columnWidth() const;
    // Where a row is in the viewport (it may lie outside it), and the row at a point of the
    // viewport (-1 where there is none).
    QRect rowRect(int row) const;
    int rowAt(QPoint point) const;

    // The current row (-1 before there is one); making a row current selects it alone.
    int currentRow() const { return selection_.current(); }
    void setCurrentRow(int row);

    bool isSelected(int row) const { return selection_.isSelected(row); }
    void setSelected(int row, bool selected) { selection_.setSelected(row, selected); }
    void selectAll() { selection_.selectAll(); }
    void clearSelection() { selection_.clear(); }

    // The selected rows, in order, one line each.
    QString selectedText() const;
    void copySelection() const;

    void scrollToBottom();

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    forms::ListBox* list() const { return static_cast<forms::ListBox*>(control()); }
    void showAllLines();
    void showAddedLine();
    void append(QString line);
    void measure() const;
    void widenFor(const QString& line);
    void fitWidth(); // the column's width for the lines shown
    int rowsInView() const;
    int offset() const;
    void followOffset(int dx);
    void updateScrollBars();
    void updateRow(int row);
    void ensureVisible(int row);
    void follow(forms::ListSelection::Result result);
    void announceCurrent(int row);
    QStyleOptionViewItem viewItemOption() const;
    void paintRow(QPainter& painter, QStyleOptionViewItem option, int row) const;
    const QStaticText& layout(const QString& line) const;

    std::vector<QString> lines_;     // a copy, so that a window whose form has gone can still paint
    forms::ListSelection selection_; // of the lines shown
    bool scrollPending_ = false;     // lines were added; the view goes to the end once for them
    int shownOffset_ = 0;            // the offset of the rows as last painted, in pixels

    mutable bool measured_ = false; // the row height and margins below fit the font and style
    mutable int rowHeight_ = 1;
    mutable int margins_ = 0; // an item's width beyond its text's advance
    int widest_ = 0;          // the widest line shown so far, in pixels with the item's margins

    // Lines repeat (the separator, the same operands), so their layouts are kept by text, a few
    // hundred at most.
    mutable QHash<QString, QStaticText> layouts_;
};

} // namespace kalpeno::qt
