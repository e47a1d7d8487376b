#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::forms {

// What becomes of an unpaired surrogate in UTF-16 turned into UTF-8.
enum class BadUtf16 {
    Refuse,  // the conversion fails (a file name must be exactly what it says)
    Replace, // U+FFFD stands for it (a text shown in a report)
};

// UTF-8 and the model's UTF-16 through ICU; nothing when the input is not well formed.
std::optional<std::u16string> fromUtf8(std::string_view text);
std::optional<std::string> toUtf8(std::u16string_view text, BadUtf16 bad = BadUtf16::Refuse);

} // namespace kalpeno::forms
