#include "qt/ListBoxWidget.h"

#include "qt/Conversions.h"
#include "qt/TapeDelegate.h"
#include "qt/TapeModel.h"
#include "qt/UserEvents.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace kalpeno::qt {

ListBoxWidget::ListBoxWidget(forms::ListBox& list, UserEvents& events, QWidget* parent)
    : QTableView(parent), ControlView(list, events), rows_(new TapeModel(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setAcceptDrops(false);
    setTabKeyNavigation(false); // Tab moves the focus on, as in every other control
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setItemDelegate(new TapeDelegate(this));
    setModel(rows_); // once the headers are hidden: they lay out nothing for it
    fitRowHeight();
}

int ListBoxWidget::count() const {
    return rows_->count();
}

QString ListBoxWidget::line(int row) const {
    return rows_->line(row);
}

void ListBoxWidget::mirrorOwn(forms::Property property) {
    if (property == forms::Property::LinesAdded) {
        showAddedLine();
    } else if (property == forms::Property::LinesCleared) {
        rows_->clear();
        resetWidth();
    }
}

void ListBoxWidget::mirrorAllOwn() {
    showAllLines();
}

void ListBoxWidget::showAllLines() {
    std::vector<QString> lines;
    lines.reserve(list()->lines().size());
    for (const std::u16string& line : list()->lines()) {
        lines.push_back(toQString(line));
    }
    resetWidth();
    for (const QString& line : lines) {
        widenFor(line);
    }
    rows_->setLines(std::move(lines));
    scrollToBottom();
}

namespace {

// Asks a tape to show its last line, once the lines an event adds are all there.
const QEvent::Type scrollToEnd = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

// One line more at the end: one row added, never a rebuild. The view goes to the end once for
// all the lines of one event ("=" adds three), each of which would otherwise lay out the rows
// in view and the scroll bars again. The request is posted at the normal priority, so it is
// handled before the repaint, which Qt posts at a low one: no frame shows the tape unscrolled.
void ListBoxWidget::showAddedLine() {
    const auto& lines = list()->lines();
    if (static_cast<std::size_t>(count()) + 1 != lines.size()) {
        showAllLines();
        return;
    }
    QString line = toQString(lines.back());
    widenFor(line);
    rows_->append(std::move(line));
    if (!scrollPending_) {
        scrollPending_ = true;
        QCoreApplication::postEvent(this, new QEvent(scrollToEnd));
    }
}

bool ListBoxWidget::event(QEvent* event) {
    if (event->type() == scrollToEnd) {
        scrollPending_ = false;
        scrollToBottom();
        return true;
    }
    return QTableView::event(event);
}

// Every row has the height of one line of the widget's font, as an item of a list has. The
// item's margins are measured once; a line's width is then its text's advance and those margins.
void ListBoxWidget::fitRowHeight() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const QSize item = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    margins_ = std::max(item.width() - option.fontMetrics.horizontalAdvance(option.text), 0);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(std::max(item.height(), 1));
}

// The column is as wide as the list, or as the widest line where that is wider: a line is never
// cut short, and the horizontal scroll bar reaches its end.
void ListBoxWidget::widenFor(const QString& line) {
    const int width = fontMetrics().horizontalAdvance(line) + margins_;
    if (width > widest_) {
        widest_ = width;
        horizontalHeader()->setMinimumSectionSize(widest_);
    }
}

void ListBoxWidget::resetWidth() {
    widest_ = 0;
    horizontalHeader()->setMinimumSectionSize(0);
}

QString ListBoxWidget::selectedText() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) {
        lines.push_back(line(row.row()));
    }
    return lines.join(u'\n');
}

void ListBoxWidget::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void ListBoxWidget::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Home and End go to the first and the last line, as in a list; there is only one column.
QModelIndex ListBoxWidget::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) {
        modifiers |= Qt::ControlModifier;
    }
    return QTableView::moveCursor(action, modifiers);
}

// A click into the list gives it the focus, as a click into a text box does.
void ListBoxWidget::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (control() && event->button() == Qt::LeftButton) {
        events().giveFocus(*control());
    }
}

void ListBoxWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral(u"コピー"));
    copyAction->setEnabled(selectionModel()->hasSelection());
    QAction* selectAllAction = menu.addAction(QStringLiteral(u"すべて選択"));
    selectAllAction->setEnabled(count() > 0);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copyAction) {
        copySelection();
    } else if (chosen == selectAllAction) {
        selectAll();
    }
}

void ListBoxWidget::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitRowHeight();
        const int rows = count();
        resetWidth();
        for (int row = 0; row < rows; ++row) {
            widenFor(line(row));
        }
    }
}

} // namespace kalpeno::qt
