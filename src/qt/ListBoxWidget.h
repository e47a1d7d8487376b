#pragma once

#include "forms/ListBox.h"
#include "qt/ControlView.h"

#include <QTableView>

namespace kalpeno::qt {

class TapeModel;

// A tape: the model's lines, one row each. The user may select rows and copy them (Ctrl+C or
// the context menu's "コピー"); the rows themselves change only with the model.
//
// A table of one stretched column with fixed row heights and no headers or grid: it looks like
// a plain list, and a line added at the end costs the same however long the tape is (a list
// view lays out every row again for each new one).
class ListBoxWidget : public QTableView, public ControlView {
public:
    ListBoxWidget(forms::ListBox& list, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Base; }

    // The rows shown, and the text of one.
    int count() const;
    QString line(int row) const;

    // The selected rows, in order, one line each.
    QString selectedText() const;
    void copySelection() const;

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    forms::ListBox* list() const { return static_cast<forms::ListBox*>(control()); }
    void showAllLines();
    void showAddedLine();
    void fitRowHeight();
    void widenFor(const QString& line);
    void resetWidth();

    TapeModel* rows_;
    int margins_ = 0;            // an item's width beyond its text's advance
    int widest_ = 0;             // the widest line shown so far, in pixels with the item's margins
    bool scrollPending_ = false; // lines were added; the view goes to the end once for them
};

} // namespace kalpeno::qt
