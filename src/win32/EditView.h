#pragma once

#include "forms/TextBox.h"
#include "layer/TextExcerpt.h"
#include "win32/ControlView.h"

#include <string>

namespace kalpeno::win32 {

// The excerpt of a long text an EDIT shows: Wine's single-line EDIT takes time that grows faster
// than its text, about 3 ms a key at 1,000 characters and 65 ms at 4,000.
inline constexpr layer::TextExcerpt editWindow{1024, 256};

// A text box as a native EDIT (one line, or several with a vertical scroll bar). The text and
// caret are the model's, and the EDIT never edits its own text: every typed character goes to
// the model as a key press, and pasted text (Ctrl+V, Shift+Insert, the context menu) and the
// text an input method commits as the model's paste, so that the box's key-press handler
// decides about each character and the model's box inserts; the EDIT only shows the result.
// Selecting, copying and moving the caret stay with the EDIT, and a caret move is reported to
// the model. Delete, Cut, Undo and Redo do nothing. The composition of an input method is the
// input method's own until it is committed; one cut short by another event is committed into
// this box first.
class EditView : public ControlView, public UserEvents::Composition {
public:
    EditView(forms::TextBox& box, UserEvents& events, FormWindow& window);
    ~EditView() override;

    // The text and caret shown, in the model's terms (a long one-line text is shown as an excerpt
    // of it; the whole text when the excerpt shows the model's).
    std::u16string shownText() const;
    std::size_t shownCaret() const;
    // Where in the EDIT a model position is shown, or -1 when it is outside the excerpt.
    long positionInControl(std::size_t position) const;

    void finishComposition() override;
    void command(WORD notification) override;

protected:
    void mirrorOwn(forms::Property property) override;
    void mirrorAllOwn() override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    forms::TextBox* box() const { return static_cast<forms::TextBox*>(control()); }
    struct Selection {
        DWORD start = 0;
        DWORD end = 0;
    };
    Selection selection() const;

    void showText();
    void showCaret();
    void showSelection(std::size_t caret);
    void replaceShown(const std::u16string& wanted);
    // Lets the EDIT handle a message that may move its caret or selection, then tells the model.
    LRESULT moving(UINT message, WPARAM wParam, LPARAM lParam);
    void reportCaret(Selection before);

    bool keyDown(WPARAM key);
    void character(wchar_t unit);
    bool imeComposition(LPARAM parts);
    void press(char32_t key);
    void pasteText(const std::u16string& text);
    void pasteClipboard();
    void copySelection();
    void selectAllText();
    void contextMenu(LPARAM where);

    bool multiLine_;
    std::u16string shown_;     // what the EDIT holds
    std::size_t start_ = 0;    // the model's position of its first character
    std::size_t caret_ = 0;    // the model's position of the EDIT's caret
    bool showing_ = false;     // the EDIT is being set from the model
    bool allSelected_ = false; // select all covers the model's whole text, beyond the excerpt
    bool composing_ = false;
    char16_t highSurrogate_ = 0;
};

} // namespace kalpeno::win32
