#include "fuzz/DisplayForm.h"

#include <cstddef>

namespace kalpeno::fuzz {

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Counts the digits from `i` on and moves `i` past them.
std::size_t digitRun(std::u16string_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i - start;
}

} // namespace

bool isDisplayForm(std::u16string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative) {
        ++i;
    }
    const std::size_t integerStart = i;
    const std::size_t first = digitRun(text, i);
    if (first > 3 || (first > 0 && text[integerStart] == u'0')) {
        return false;
    }
    while (first > 0 && i < text.size() && text[i] == u',') {
        ++i;
        if (digitRun(text, i) != 3) {
            return false;
        }
    }
    if (i >= text.size() || text[i] != u'.') {
        return false;
    }
    ++i;
    const std::size_t decimalStart = i;
    const std::size_t decimals = digitRun(text, i);
    if (i != text.size() || decimals > 2 || (decimals > 0 && text.back() == u'0')) {
        return false;
    }
    return !negative || first > 0 || decimals > 0 || decimalStart != text.size();
}

bool isNumberText(std::u16string_view text) {
    if (text.size() < 2 || (text[0] != u' ' && text[0] != u'-')) {
        return false;
    }
    std::size_t i = 1;
    const std::size_t integer = digitRun(text, i);
    std::size_t fraction = 0;
    bool point = false;
    if (i < text.size() && text[i] == u'.') {
        point = true;
        ++i;
        fraction = digitRun(text, i);
        if (fraction == 0 || text[i - 1] == u'0') {
            return false; // a point with nothing after it, or a trailing zero
        }
    }
    if (integer == 0 && !point) {
        return false;
    }
    if (i == text.size()) {
        // Plain form: no "0" before the point, no leading zeros, 15 significant digits at most.
        const bool zero = integer == 1 && text[1] == u'0' && !point;
        if (!zero && integer > 0 && text[1] == u'0') {
            return false;
        }
        std::size_t significant = integer + fraction;
        for (std::size_t k = 1; k < i && (text[k] == u'0' || text[k] == u'.'); ++k) {
            significant -= text[k] == u'0' ? 1 : 0;
        }
        return zero ? text[0] == u' ' : significant <= 15;
    }
    // Exponent form: one non-zero digit before the point.
    if (integer != 1 || text[1] == u'0' || integer + fraction > 15) {
        return false;
    }
    if (text[i] != u'E' || i + 1 >= text.size() || (text[i + 1] != u'+' && text[i + 1] != u'-')) {
        return false;
    }
    i += 2;
    return digitRun(text, i) >= 2 && i == text.size();
}

bool isValidUtf16(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                return false;
            }
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

} // namespace kalpeno::fuzz
