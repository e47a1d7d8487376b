#pragma once

#include "qt/TextBoxWidget.h"

#include <QLineEdit>

namespace kalpeno::qt {

// A single-line text box: the entry, total and display boxes (TextBoxWidget.h says how typing
// reaches the model). Its caret is the model's; a click or an arrow key moves it there.
class TextBoxLineEdit : public TextBoxWidget<QLineEdit> {
public:
    TextBoxLineEdit(forms::TextBox& box, UserEvents& events, QWidget* parent);

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;
    void reportCaret() override;
    bool hasSelection() const override { return hasSelectedText(); }
    void clearSelection() override { deselect(); }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void showText();
    void showCaret();
};

} // namespace kalpeno::qt
