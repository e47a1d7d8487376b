#include "calculator/NumberRules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace kalpeno::calculator {

namespace {

// A double rounded to 15 significant digits: value = 0.d1d2...d15 × 10^(exponent + 1).
struct Decimal15 {
    bool negative = false;
    std::string digits; // 15 digits, the first non-zero unless the number is zero
    int exponent = 0;   // decimal exponent of the first digit
};

Decimal15 decimal15(double number) {
    Decimal15 d;
    d.negative = std::signbit(number) && number != 0;
    if (number == 0) {
        d.digits.assign(15, '0');
        return d;
    }
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(number), std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    // "d.dddddddddddddde+XX"
    d.digits.reserve(15);
    d.digits += text[0];
    d.digits.append(text.substr(2, 14));
    const std::string_view exponent = text.substr(text.find('e') + 1);
    std::from_chars(exponent.data() + (exponent[0] == '+' ? 1 : 0),
                    exponent.data() + exponent.size(), d.exponent);
    return d;
}

std::u16string widen(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string groupThousands(std::string_view digits) {
    std::string result;
    result.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result += ',';
        }
        result += digits[i];
    }
    return result;
}

// Saturating decimal value of a run of digits.
long long readExponent(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
    }
    return value;
}

// What from_chars calls out of range is an overflow when the number's magnitude is 10 or more.
bool isOverflow(std::string_view mantissa, long long exponent) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return false;
    }
    const long long position = first < point ? static_cast<long long>(point - first)
                                             : -static_cast<long long>(first - point - 1);
    return position + exponent > 0;
}

} // namespace

std::optional<double> TextToNumber(std::u16string_view text) {
    std::string kept; // the characters that are not ignored, while they can still form a number
    kept.reserve(text.size());
    for (char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n') {
            continue;
        }
        if (c >= 0x80) {
            break;
        }
        kept += static_cast<char>(c);
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < kept.size() && (kept[i] == '+' || kept[i] == '-')) {
        negative = kept[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    bool digits = false;
    bool point = false;
    for (; i < kept.size(); ++i) {
        if (kept[i] >= '0' && kept[i] <= '9') {
            digits = true;
        } else if (kept[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return 0.0;
    }
    const std::string_view mantissa(kept.data() + mantissaStart, i - mantissaStart);
    std::string_view exponentDigits;
    bool negativeExponent = false;
    if (i < kept.size() && (kept[i] == 'E' || kept[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < kept.size() && (kept[j] == '+' || kept[j] == '-')) {
            negativeExponent = kept[j] == '-';
            ++j;
        }
        const std::size_t start = j;
        while (j < kept.size() && kept[j] >= '0' && kept[j] <= '9') {
            ++j;
        }
        if (j > start) {
            exponentDigits = std::string_view(kept.data() + start, j - start);
            i = j;
        }
    }
    const std::string_view number(kept.data() + mantissaStart, i - mantissaStart);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const long long exponent = readExponent(exponentDigits);
        if (isOverflow(mantissa, negativeExponent ? -exponent : exponent)) {
            return std::nullopt;
        }
        value = 0;
    } else if (result.ec != std::errc{}) {
        value = 0;
    }
    return negative ? -value : value;
}

std::u16string NumberToText(double number) {
    if (std::isnan(number)) {
        return u"-1.#IND";
    }
    if (std::isinf(number)) {
        return number < 0 ? u"-1.#INF" : u" 1.#INF";
    }
    if (number == 0) {
        return u" 0";
    }
    const Decimal15 d = decimal15(number);
    std::string significant = d.digits.substr(0, d.digits.find_last_not_of('0') + 1);
    std::string text = d.negative ? "-" : " ";
    if (d.exponent < -4 || d.exponent >= 15) {
        text += significant[0];
        if (significant.size() > 1) {
            text += '.';
            text.append(significant, 1);
        }
        std::array<char, 8> exponent{};
        const int magnitude = std::abs(d.exponent);
        auto end = std::to_chars(exponent.data(), exponent.data() + exponent.size(), magnitude).ptr;
        text += d.exponent < 0 ? "E-" : "E+";
        if (magnitude < 10) {
            text += '0';
        }
        text.append(exponent.data(), end);
    } else if (d.exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
        if (significant.size() < integerDigits) {
            significant.append(integerDigits - significant.size(), '0');
        }
        text.append(significant, 0, integerDigits);
        if (significant.size() > integerDigits) {
            text += '.';
            text.append(significant, integerDigits);
        }
    } else {
        text += '.';
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        text += significant;
    }
    return widen(text);
}

std::u16string FormatPicture(double value, std::u16string_view picture) {
    const std::size_t point = picture.find(u'.');
    const std::size_t decimals =
        point == std::u16string_view::npos
            ? 0
            : static_cast<std::size_t>(
                  std::count(picture.begin() + static_cast<long>(point), picture.end(), u'#'));
    const bool grouping = picture.find(u',') != std::u16string_view::npos;
    if (!std::isfinite(value)) {
        return NumberToText(value);
    }
    const Decimal15 d = decimal15(value);
    // The exact decimal digits, with `integerDigits` of them before the point.
    std::string digits = d.digits;
    long long integerDigits = d.exponent + 1;
    if (integerDigits < 0) {
        digits.insert(0, static_cast<std::size_t>(-integerDigits), '0');
        integerDigits = 0;
    }
    if (static_cast<long long>(digits.size()) < integerDigits) {
        digits.append(static_cast<std::size_t>(integerDigits) - digits.size(), '0');
    }
    const auto keep = static_cast<std::size_t>(integerDigits) + decimals;
    if (digits.size() > keep) {
        const bool roundUp = digits[keep] >= '5';
        digits.resize(keep);
        if (roundUp) {
            std::size_t i = keep;
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(0, 1, '1');
                ++integerDigits;
            } else {
                ++digits[i - 1];
            }
        }
    }
    std::string integer = digits.substr(0, static_cast<std::size_t>(integerDigits));
    std::string fraction = digits.substr(static_cast<std::size_t>(integerDigits));
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    fraction.erase(std::min(fraction.find_last_not_of('0') + 1, fraction.size()));
    std::string text = d.negative && (!integer.empty() || !fraction.empty()) ? "-" : "";
    text += grouping ? groupThousands(integer) : integer;
    text += '.';
    text += fraction;
    return widen(text);
}

std::u16string CharFromCode(std::int16_t code) {
    if (code < 0) {
        return u"\uFFFD";
    }
    return std::u16string(1, static_cast<char16_t>(code));
}

std::int16_t CodeOfChar(std::u16string_view text) {
    return text.empty() ? std::int16_t{0} : static_cast<std::int16_t>(text.front());
}

} // namespace kalpeno::calculator
