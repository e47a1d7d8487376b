#pragma once

#include "layer/TextWindow.h"
#include "qt/TextBoxWidget.h"

#include <QLineEdit>

#include <cstddef>
#include <string>

namespace kalpeno::qt {

// The window of a long text a line edit shows: Qt lays out 4,096 characters in about a
// millisecond.
inline constexpr layer::TextWindow textWindow{4096, 1024};

// A single-line text box: the entry, total and display boxes (TextBoxWidget.h says how typing
// reaches the model). Its caret is the model's; a click or an arrow key moves it there.
//
// A long text is shown as a window of it around the caret (layer/TextWindow.h). Positions in the
// widget are the model's less the window's start. A selection may reach beyond the window
// (Shift+Home, select all): the widget then shows the part of it inside, and the box keeps its far
// end. Home, End, select all, copy, the selection clipboard and the screen reader's text all take
// the model's text, not the window's.
class TextBoxLineEdit : public TextBoxWidget<QLineEdit> {
public:
    TextBoxLineEdit(forms::TextBox& box, UserEvents& events, QWidget* parent);

    // The text the box shows, in the model's terms: the model's text when the window shows the
    // part of it it should.
    std::u16string shownText() const;
    // The caret and the selection's anchor (the caret when nothing is selected) in the model.
    std::size_t shownCaret() const;
    std::size_t shownAnchor() const;
    // Where a model position is in the widget; -1 when outside the window.
    int widgetPosition(std::size_t position) const;
    std::size_t modelPosition(int position) const {
        return start_ + static_cast<std::size_t>(position);
    }

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;
    void reportCaret() override;
    bool hasSelection() const override { return hasSelectedText(); }
    void clearSelection() override;
    void copySelection() override;
    void selectAllText() override;

    bool moveInModel(const QKeyEvent& event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void showText();
    void showCaret();
    // Shows the selection from anchor to caret, moving the window to the caret if need be: the
    // mirroring of the model's caret, which is not reported back.
    void showSelection(std::size_t anchor, std::size_t caret);
    // The same for a selection the user made, and the model learns where the caret is.
    void select(std::size_t anchor, std::size_t caret);
    bool reachesBeyond() const { return farAnchor_ != noAnchor && hasSelectedText(); }
    void publishSelection();
    QString farSelection() const; // the model's text of a selection reaching beyond

    static constexpr std::size_t noAnchor = static_cast<std::size_t>(-1);
    std::size_t start_ = 0;            // where the window begins in the model's text
    std::size_t farAnchor_ = noAnchor; // a selection's anchor outside the window
};

} // namespace kalpeno::qt
