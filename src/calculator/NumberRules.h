#pragma once
// The number rules of the calculator: how display texts become numbers and numbers become
// display texts. All of them are locale-independent (the decimal point is always ".") and work on
// the decimal form of a double rounded to 15 significant digits, so a number carried through a
// display box as text keeps 15 significant digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::calculator {

// The display pictures; all four give the same text for every number.
inline constexpr std::u16string_view PictureTotalKeisan = u"##,###,###,###,###.##";
inline constexpr std::u16string_view PictureTotal = u"##,###,###,###.##";
inline constexpr std::u16string_view PictureOperandEquals = u"##,###,###.##";
inline constexpr std::u16string_view PictureOperandFirst = u"#,###,###,###.##";

// Reads the longest leading number of a text, ignoring blanks, tabs and line feeds wherever they
// stand: an optional sign, digits with at most one ".", then optionally "E" or "e", a sign and
// digits. Text without a leading number gives 0; a number too small for a double gives 0.
// Answers nothing when the number lies beyond the range of a double.
std::optional<double> TextToNumber(std::u16string_view text);

// " 15", "-3", " .5", " 1E+15", " 1E-05": a blank or "-", at most 15 significant digits without
// trailing zeros, no "0" before the point below 1, the exponent form from 10^15 on and below 10^-4.
// Negative zero is zero.
std::u16string NumberToText(double number);

// "1,234.57", ".5", "1,234.", ".": rounded to the picture's decimals (two) on the 15-digit
// decimal form, a final 5 away from zero; thousands grouped when the picture has a ","; the point
// always written; decimals without trailing zeros; no digit for an integer part of 0.
std::u16string FormatPicture(double value, std::u16string_view picture);

// The one-character text of a character code, and the code of a text's first character
// (0 for an empty text).
std::u16string CharFromCode(std::int16_t code);
std::int16_t CodeOfChar(std::u16string_view text);

} // namespace kalpeno::calculator
