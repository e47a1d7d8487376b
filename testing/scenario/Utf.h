#pragma once

#include "forms/Utf.h"

#include <string>
#include <string_view>

namespace kalpeno::scenario {

using forms::fromUtf8;

// A text for a report or a check's message: UTF-8, with U+FFFD for an unpaired surrogate.
inline std::string toUtf8(std::u16string_view text) {
    return forms::toUtf8(text, forms::BadUtf16::Replace).value_or(std::string());
}

} // namespace kalpeno::scenario
