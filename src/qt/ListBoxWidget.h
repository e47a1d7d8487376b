#pragma once

#include "forms/ListBox.h"
#include "qt/ControlView.h"

#include <QListWidget>

namespace kalpeno::qt {

// A tape: the model's lines, one row each. The user may select rows and copy them (Ctrl+C or
// the context menu's "コピー"); the rows themselves change only with the model.
class ListBoxWidget : public QListWidget, public ControlView {
public:
    ListBoxWidget(forms::ListBox& list, UserEvents& events, QWidget* parent);

    QWidget& widget() override { return *this; }
    QPalette::ColorRole colourRole() const override { return QPalette::Base; }

    // The selected rows, in order, one line each.
    QString selectedText() const;
    void copySelection() const;

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    forms::ListBox* list() const { return static_cast<forms::ListBox*>(control()); }
    void showAllLines();
    void showAddedLine();
};

} // namespace kalpeno::qt
