#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::scenario {

// UTF-8 and UTF-16 through ICU; nothing when the input is not well formed.
std::optional<std::u16string> fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

} // namespace kalpeno::scenario
