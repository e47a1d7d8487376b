#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::forms {

// Sequential input of a text file in the Japanese ANSI code page (Windows code page 932):
// open for input, read one line, test for the end, close. A line ends with CR LF or a lone CR;
// a lone LF stays inside its line; a last line without a line end is read like the others.
// The file is read and closed when it is opened, so nothing stays open on any path.
class TextFileInput {
public:
    // Files larger than this count as unreadable: loading must never exhaust memory.
    static constexpr std::size_t maximumSize = 16 * 1024 * 1024;

    // The file's decoded text, or nothing when it is missing, is not a regular file (a folder, a
    // FIFO, a device), is larger than maximumSize or cannot be read. Never blocks. Bytes that are
    // not valid CP932 become U+FFFD.
    static std::optional<TextFileInput> open(std::u16string_view path);

    // The whole file decoded from CP932, without line splitting.
    static std::u16string decodeCp932(std::string_view bytes);

    bool eof() const { return position_ >= text_.size(); }
    // The next line, without its line end.
    std::u16string_view lineInput();
    // The number of UTF-16 units of the decoded file.
    std::size_t size() const { return text_.size(); }

private:
    explicit TextFileInput(std::u16string text) : text_(std::move(text)) {}
    std::u16string text_;
    std::size_t position_ = 0;
};

} // namespace kalpeno::forms
