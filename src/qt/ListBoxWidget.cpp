#include "qt/ListBoxWidget.h"

#include "qt/Conversions.h"
#include "qt/UserEvents.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace kalpeno::qt {

ListBoxWidget::ListBoxWidget(forms::ListBox& list, UserEvents& events, QWidget* parent)
    : QListWidget(parent), ControlView(list, events) {
    setFocusPolicy(Qt::StrongFocus);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setAcceptDrops(false);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ListBoxWidget::mirrorOwn(forms::Property property) {
    if (property == forms::Property::LinesAdded) {
        showAddedLine();
    } else if (property == forms::Property::LinesCleared) {
        clear();
    }
}

void ListBoxWidget::mirrorAllOwn() {
    showAllLines();
}

void ListBoxWidget::showAllLines() {
    clear();
    for (const std::u16string& line : list()->lines()) {
        addItem(toQString(line));
    }
    scrollToBottom();
}

// One line more at the end: one row added, never a rebuild.
void ListBoxWidget::showAddedLine() {
    const auto& lines = list()->lines();
    if (static_cast<std::size_t>(count()) + 1 != lines.size()) {
        showAllLines();
        return;
    }
    addItem(toQString(lines.back()));
    scrollToBottom();
}

QString ListBoxWidget::selectedText() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) {
        lines.push_back(row.data().toString());
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
    QListWidget::keyPressEvent(event);
}

// A click into the list gives it the focus, as a click into a text box does.
void ListBoxWidget::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (control() && event->button() == Qt::LeftButton) {
        events().giveFocus(*control());
    }
}

void ListBoxWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral(u"コピー"));
    copyAction->setEnabled(!selectedItems().isEmpty());
    QAction* selectAllAction = menu.addAction(QStringLiteral(u"すべて選択"));
    selectAllAction->setEnabled(count() > 0);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copyAction) {
        copySelection();
    } else if (chosen == selectAllAction) {
        selectAll();
    }
}

} // namespace kalpeno::qt
