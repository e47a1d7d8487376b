#pragma once

#include "layer/TextExcerpt.h"
#include "qt/boxes/EntryBox.h"

#include <QLineEdit>

#include <cstddef>
#include <string>

namespace kalpeno::qt {

// The excerpt of a long text a line edit shows: Qt lays out 4,096 characters in about a
// millisecond.
inline constexpr layer::TextExcerpt textWindow{4096, 1024};

// A single-line text box: the entry, total and display boxes (EntryBox.h says how typing
// reaches the model). Its caret is the model's; a click or an arrow key moves it there.
//
// A long text is shown as an excerpt of it around the caret (layer/TextExcerpt.h). Positions in the
// widget are the model's less the excerpt's start. A selection may reach beyond the excerpt
// (Shift+Home, select all): the widget then shows the part of it inside, and the box keeps its far
// end. Home, End, select all, copy, the selection clipboard and the screen reader's text all take
// the model's text, not the excerpt's.
class SingleLineBox : public EntryBox<QLineEdit> {
public:
    SingleLineBox(forms::TextBox& box, UserEvents& events, QWidget* parent);

    // The text the box shows, in the model's terms: the model's text when the excerpt shows the
    // part of it it should.
    std::u16string shownText() const;
    // The caret and the selection's anchor (the caret when nothing is selected) in the model.
    std::size_t shownCaret() const;
    std::size_t shownAnchor() const;
    // The model's position of a position in the widget.
    std::size_t modelPosition(int position) const {
        return start_ + static_cast<std::size_t>(position);
    }

protected:
    void showText() override;
    void showCaret() override;
    void reportCaret() override;
    std::size_t caretInModel() const override { return shownCaret(); }
    std::size_t modelPositionAt(QPoint point) override {
        return modelPosition(cursorPositionAt(point));
    }
    void selectByThirdClick(QPoint) override { selectAllText(); }
    bool hasSelection() const override { return hasSelectedText(); }
    void clearSelection() override;
    void copySelection() override;
    void selectAllText() override;

    bool moveInModel(const QKeyEvent& event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Shows the selection from anchor to caret, moving the excerpt to the caret if need be: the
    // mirroring of the model's caret, which is not reported back.
    void showSelection(std::size_t anchor, std::size_t caret);
    // The same for a selection the user made, and the model learns where the caret is.
    void select(std::size_t anchor, std::size_t caret);
    bool reachesBeyond() const { return farAnchor_ != noAnchor && hasSelectedText(); }
    void publishSelection();
    QString farSelection() const; // the model's text of a selection reaching beyond

    static constexpr std::size_t noAnchor = static_cast<std::size_t>(-1);
    std::size_t start_ = 0;            // where the excerpt begins in the model's text
    std::size_t farAnchor_ = noAnchor; // a selection's anchor outside the excerpt
};

} // namespace kalpeno::qt
