#include "forms/TextFileInput.h"

#include "forms/Cp932.h"
#include "forms/system/System.h"

namespace kalpeno::forms {

namespace {

// Whether a CR not followed by LF ends a line somewhere.
bool hasLoneCr(std::u16string_view text) {
    for (std::size_t cr = text.find(u'\r'); cr != std::u16string_view::npos;
         cr = text.find(u'\r', cr + 1)) {
        if (cr + 1 == text.size() || text[cr + 1] != u'\n') {
            return true;
        }
    }
    return false;
}

} // namespace

// The bytes are decoded as they come, into one text reserved for them all (every byte gives at
// most one UTF-16 unit), so a large file never passes through memory more often than that.
std::optional<TextFileInput> TextFileInput::open(std::u16string_view path) {
    std::u16string text;
    Cp932Decoder decoder;
    const bool read = system::readRegularFile(
        path, maximumSize, [&](std::size_t size) { text.reserve(size + 2); },
        [&](std::string_view piece) {
            decoder.add(piece, text);
            return true;
        });
    if (!read) {
        return std::nullopt;
    }
    decoder.finish(text);
    const bool loneCr = hasLoneCr(text);
    return TextFileInput(std::move(text), loneCr);
}

std::u16string_view TextFileInput::lineInput() {
    const std::u16string_view rest = std::u16string_view(text_).substr(position_);
    const std::size_t end = rest.find(u'\r');
    if (end == std::u16string_view::npos) {
        position_ = text_.size();
        return rest;
    }
    position_ += end + 1;
    if (position_ < text_.size() && text_[position_] == u'\n') {
        ++position_;
    }
    return rest.substr(0, end);
}

std::u16string TextFileInput::remainingLines() {
    if (position_ == 0 && !loneCr_) {
        // Every line already ends with CR LF, except perhaps the last one.
        std::u16string text = std::move(text_);
        text_.clear();
        if (!text.empty() && !std::u16string_view(text).ends_with(u"\r\n")) {
            text += u"\r\n";
        }
        return text;
    }
    std::u16string lines;
    lines.reserve(text_.size() - position_ + 2);
    while (!eof()) {
        lines += lineInput();
        lines += u"\r\n";
    }
    return lines;
}

} // namespace kalpeno::forms
