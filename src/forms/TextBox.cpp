#include "forms/TextBox.h"

namespace kalpeno::forms {

namespace {

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

TextBox::TextBox(Form& form, const ControlDesign& design)
    : Control(form, design), text_(design.caption), multiLine_(design.flags.multiLine),
      readOnly_(design.flags.readOnly), verticalScrollBar_(design.flags.verticalScrollBar),
      alignment_(design.flags.alignment) {}

void TextBox::setText(std::u16string text) {
    text_ = std::move(text);
    caret_ = multiLine_ ? 0 : text_.size();
    changed(Property::Text);
}

void TextBox::append(std::u16string_view text) {
    text_.append(text);
    caret_ = multiLine_ ? 0 : text_.size();
    changed(Property::Text);
}

void TextBox::setCaret(std::size_t caret) {
    caret = std::min(caret, text_.size());
    // Never inside a surrogate pair or a CR LF line break, which are one character each.
    if (caret > 0 && caret < text_.size() &&
        (isLowSurrogate(text_[caret]) || (text_[caret] == u'\n' && text_[caret - 1] == u'\r'))) {
        --caret;
    }
    if (caret == caret_) {
        return;
    }
    caret_ = caret;
    changed(Property::Caret);
}

void TextBox::insertKey(char32_t key) {
    if (readOnly_) {
        return;
    }
    if (key == 8) {
        if (caret_ == 0) {
            return;
        }
        std::size_t from = caret_ - 1;
        if (from > 0 && isLowSurrogate(text_[from])) {
            --from;
        } else if (from > 0 && text_[from] == u'\n' && text_[from - 1] == u'\r') {
            --from;
        }
        text_.erase(from, caret_ - from);
        caret_ = from;
        changed(Property::Text);
        return;
    }
    std::u16string piece;
    if (key == 13) {
        if (!multiLine_) {
            return;
        }
        piece = u"\r\n";
    } else if (key >= 0x10000) {
        key -= 0x10000;
        piece += static_cast<char16_t>(0xD800 + (key >> 10));
        piece += static_cast<char16_t>(0xDC00 + (key & 0x3FF));
    } else {
        piece += static_cast<char16_t>(key);
    }
    text_.insert(caret_, piece);
    caret_ += piece.size();
    changed(Property::Text);
}

void TextBox::insertText(std::u16string_view text) {
    if (readOnly_) {
        return;
    }
    std::u16string piece;
    piece.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            piece += u"\r\n";
        } else if (c == u'\t' || (c >= 0x20 && c != 0x7F)) {
            piece += c;
        }
    }
    if (piece.empty()) {
        return;
    }
    text_.insert(caret_, piece);
    caret_ += piece.size();
    changed(Property::Text);
}

} // namespace kalpeno::forms
