#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::forms {

// Sequential input of a text file in the Japanese ANSI code page (code page 932, forms/Cp932.h):
// open for input, read one line, test for the end, close. A line ends with CR LF or a lone CR;
// a lone LF stays inside its line; a last line without a line end is read like the others.
// The whole file is read and closed inside open(), so no descriptor stays open on any path,
// failures included.
class TextFileInput {
public:
    // Files larger than this count as unreadable: loading must never exhaust memory.
    static constexpr std::size_t maximumSize = 16 * 1024 * 1024;

    // The file's decoded text, or nothing when it is missing, is not a regular file (a folder, a
    // FIFO, a device, also behind a symbolic link), is larger than maximumSize or cannot be read or
    // decoded. Never blocks.
    static std::optional<TextFileInput> open(std::u16string_view path);

    bool eof() const { return position_ >= text_.size(); }
    // The next line, without its line end; valid until the next call.
    std::u16string_view lineInput();
    // The number of UTF-16 units of the decoded file.
    std::size_t size() const { return text_.size(); }
    // All the lines not read yet, each followed by CR LF, as reading them one by one and adding
    // CR LF to each would give; the file is at its end afterwards. When no line ends with a lone
    // CR, the text is handed on as it stands instead of being copied line by line.
    std::u16string remainingLines();

private:
    TextFileInput(std::u16string text, bool loneCr) : text_(std::move(text)), loneCr_(loneCr) {}
    std::u16string text_;
    std::size_t position_ = 0;
    bool loneCr_; // a CR not followed by LF ends a line somewhere
};

} // namespace kalpeno::forms
