#pragma once
// Shape checks of the texts the calculator shows, written without the number rules themselves,
// so that a fault in those rules cannot hide itself.

#include <string_view>

namespace kalpeno::fuzz {

// "1,234.5", "-12.", ".", ".05": an optional "-", the integer part in groups of three digits
// separated by "," (the first group 1 to 3 digits, not starting with "0") or nothing, then ".",
// then up to two decimals not ending in "0". A "-" needs at least one digit.
bool isDisplayForm(std::u16string_view text);

// " 15", "-.25", " 1E+15", " 1.5E-07": a blank or "-", then digits with at most one "." that is
// neither last nor preceded by "0" alone, or a mantissa d[.ddd] with "E", a sign and two or
// more digits; at most 15 significant digits.
bool isNumberText(std::u16string_view text);

// Every unit of the text is part of a well-formed UTF-16 sequence: no unpaired surrogate.
bool isValidUtf16(std::u16string_view text);

} // namespace kalpeno::fuzz
