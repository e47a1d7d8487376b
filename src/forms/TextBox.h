#pragma once

#include "forms/Control.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kalpeno::forms {

// A text box: its text, caret (in UTF-16 units), and the key-press handler that sees every
// typed character before the box does.
class TextBox : public Control {
public:
    TextBox(Form& form, const ControlDesign& design);

    const std::u16string& text() const { return text_; }
    // Replaces the whole text. The caret goes to the end of a single-line box (typing continues
    // the record) and to the start of a multi-line one.
    void setText(std::u16string text);
    // The same as setText with the text followed by more, in amortised constant time.
    void append(std::u16string_view text);

    std::size_t caret() const { return caret_; }
    // Clamped to the text; never inside a surrogate pair or a CR LF.
    void setCaret(std::size_t caret);

    bool multiLine() const { return multiLine_; }
    bool readOnly() const { return readOnly_; }
    bool verticalScrollBar() const { return verticalScrollBar_; }
    Alignment alignment() const { return alignment_; }

    // KeyAscii by reference; setting it to 0 swallows the key.
    std::function<void(std::int16_t& keyAscii)> onKeyPress;

    // What the box itself does with a key that was not swallowed: Backspace (8) deletes the
    // character before the caret, Enter (13) breaks the line of a multi-line box and inserts
    // nothing in a single-line one, any other character is inserted at the caret.
    void insertKey(char32_t key);
    // Inserts a text at the caret and puts the caret after it: a paste into a multi-line box.
    // Line ends become the box's CR LF; other control characters but the tab are dropped.
    void insertText(std::u16string_view text);

private:
    std::u16string text_;
    std::size_t caret_ = 0;
    bool multiLine_;
    bool readOnly_;
    bool verticalScrollBar_;
    Alignment alignment_;
};

} // namespace kalpeno::forms
