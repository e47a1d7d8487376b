// The number rules on any input: any text through TextToNumber, any double through NumberToText
// and FormatPicture. The number text must read back to the number's 15-digit value, and the
// display text must have the display form and lie within half a hundredth of that value.
#include "calculator/NumberRules.h"
#include "fuzz/Digest.h"
#include "fuzz/DisplayForm.h"
#include "fuzz/FuzzCheck.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace kalpeno::calculator;
using kalpeno::fuzz::isDisplayForm;
using kalpeno::fuzz::isNumberText;
using kalpeno::fuzz::require;

constexpr std::array pictures{PictureTotalKeisan, PictureTotal, PictureOperandEquals,
                              PictureOperandFirst};

// The number rounded to 15 significant digits, by the C library rather than the rules.
double rounded15(double number) {
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%.14e", number);
    return std::strtod(text.data(), nullptr);
}

// The value a display text stands for, read by the C library after the commas are dropped.
double displayValue(const std::u16string& text) {
    std::string plain;
    for (char16_t c : text) {
        if (c != u',') {
            plain += static_cast<char>(c);
        }
    }
    return std::strtod(plain.c_str(), nullptr);
}

void checkNumber(double number) {
    const std::u16string text = NumberToText(number);
    kalpeno::fuzz::inputDigest().add(text);
    require(!text.empty(), "NumberToText gave an empty text");
    if (!std::isfinite(number)) {
        for (std::u16string_view picture : pictures) {
            FormatPicture(number, picture);
        }
        return;
    }
    require(isNumberText(text), "NumberToText gave a text of the wrong form");
    const double expected = rounded15(number);
    const std::optional<double> back = TextToNumber(text);
    if (std::isinf(expected)) {
        require(!back, "a number text beyond the range of a double was read as a number");
    } else {
        require(back && *back == expected, "the number text does not read back to its value");
    }
    const std::u16string shown = FormatPicture(number, pictures[0]);
    kalpeno::fuzz::inputDigest().add(shown);
    require(isDisplayForm(shown), "FormatPicture gave a text of the wrong form");
    for (std::u16string_view picture : pictures) {
        require(FormatPicture(number, picture) == shown, "the pictures disagree");
    }
    if (std::isfinite(expected)) {
        const double value = displayValue(shown);
        const double slack = 0.005 + std::fabs(expected) * 1e-15;
        require(std::fabs(value - expected) <= slack, "the display text is off its value");
        require((shown[0] == u'-') == (value != 0 && expected < 0), "the display text's sign");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 8) {
        double number = 0;
        std::memcpy(&number, data, sizeof number);
        checkNumber(number);
    }
    // The whole input as a text, once byte by byte and once as UTF-16 units.
    std::u16string bytes(data, data + size);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    for (const std::u16string& text : {bytes, units}) {
        if (const std::optional<double> number = TextToNumber(text)) {
            require(std::isfinite(*number), "TextToNumber gave a number beyond the range");
            checkNumber(*number);
        }
    }
    return 0;
}
