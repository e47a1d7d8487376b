// The number rules: how display texts become numbers, how numbers become the texts of the
// operand displays, and how the pictures show them in the total boxes and on the tapes.
#include "calculator/NumberRules.h"

#include "scenario/Utf.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <optional>
#include <string>

namespace kalpeno::calculator {
namespace {

// --- TextToNumber ---------------------------------------------------------------------------

struct TextCase {
    const char16_t* text;
    double number;
};

class TextToNumberTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextToNumberTest, ReadsTheLeadingNumber) {
    const std::optional<double> number = TextToNumber(GetParam().text);
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(*number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToNumberTest,
    testing::Values(
        // The rule's own table.
        TextCase{u"12", 12}, TextCase{u" 1 2", 12}, TextCase{u".5", 0.5},
        TextCase{u" .333333333333333", 0.333333333333333}, TextCase{u"-3", -3},
        TextCase{u"12+3", 12}, TextCase{u"1.2.3", 1.2}, TextCase{u"1,234.", 1},
        TextCase{u"1E+15", 1e15}, TextCase{u"=", 0}, TextCase{u"", 0},
        // Blanks, tabs and line feeds anywhere, also inside the exponent.
        TextCase{u"\t1\n2 . 5", 12.5}, TextCase{u"1 E + 3", 1000}, TextCase{u"- 4", -4},
        // Signs, points and exponents.
        TextCase{u"+7", 7}, TextCase{u".", 0}, TextCase{u"-", 0}, TextCase{u"+", 0},
        TextCase{u"-.25", -0.25}, TextCase{u"12.", 12}, TextCase{u"007", 7}, TextCase{u"1e3", 1000},
        TextCase{u"1E-05", 0.00001}, TextCase{u"2.5E2", 250}, TextCase{u"5.E3", 5000},
        TextCase{u"+.5", 0.5}, TextCase{u"1E", 1}, TextCase{u"1E+", 1}, TextCase{u"1E-x", 1},
        TextCase{u"1EE5", 1}, TextCase{u"--5", 0}, TextCase{u"+-5", 0}, TextCase{u"1-2", 1},
        TextCase{u"3*4", 3},
        // The comma stops the number, so a display-form text reads up to its first ",".
        TextCase{u"1,234,567.5", 1}, TextCase{u",5", 0},
        // Letters, and characters outside ASCII, end the number.
        TextCase{u"12abc", 12}, TextCase{u"abc12", 0}, TextCase{u"1\u30002", 1},
        TextCase{u"\uFF11", 0}, TextCase{u"5\r6", 5},
        // What the number-to-text rule writes is read back.
        TextCase{u" 1E+15", 1e15}, TextCase{u"-1.5E-05", -1.5e-05},
        TextCase{u" 1.79769313486231E+308", 1.79769313486231e308},
        TextCase{u" 4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
        // Too small for a double: zero, without failure.
        TextCase{u"1E-999", 0}, TextCase{u"-1E-999", 0}, TextCase{u"1E-99999999999999", 0},
        TextCase{u"0E999", 0}, TextCase{u"0.000E99999", 0}));

TEST(TextToNumberOverflow, NumbersBeyondTheRangeOfADoubleAnswerNothing) {
    const std::u16string fourHundredNines(400, u'9');
    const std::u16string cases[] = {
        u"1E999",
        u"-1E999",
        u"1.8E308",
        u"1E99999999999999",
        u"0.001E400",
        u".1E310",
        fourHundredNines,
        // The largest double written to 15 digits rounds up beyond the range.
        u" 1.79769313486232E+308",
    };
    for (const std::u16string& text : cases) {
        EXPECT_FALSE(TextToNumber(text).has_value()) << scenario::toUtf8(text);
    }
}

TEST(TextToNumberOverflow, TheLargestDoubleIsStillANumber) {
    EXPECT_EQ(TextToNumber(u"1.7976931348623157E308"), std::numeric_limits<double>::max());
    EXPECT_EQ(TextToNumber(u"0.0000000001E318"), 1e308);
}

// --- NumberToText ---------------------------------------------------------------------------

struct NumberCase {
    double number;
    const char16_t* text;
};

class NumberToTextTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberToTextTest, WritesTheOperandText) {
    EXPECT_EQ(scenario::toUtf8(NumberToText(GetParam().number)), scenario::toUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberToTextTest,
    testing::Values(
        // The rule's own table.
        NumberCase{15, u" 15"}, NumberCase{0, u" 0"}, NumberCase{0.5, u" .5"},
        NumberCase{-3, u"-3"}, NumberCase{-0.25, u"-.25"}, NumberCase{1234567.891, u" 1234567.891"},
        NumberCase{1.0 / 3, u" .333333333333333"}, NumberCase{2.0 / 3, u" .666666666666667"},
        NumberCase{1e15, u" 1E+15"}, NumberCase{0.00001, u" 1E-05"},
        // Negative zero is zero.
        NumberCase{-0.0, u" 0"}, NumberCase{0 * -5.0, u" 0"},
        // The exponent form starts below 10^-4 and at 10^15.
        NumberCase{0.0001, u" .0001"}, NumberCase{0.00005, u" 5E-05"},
        NumberCase{0.00009999999999999999, u" .0001"},
        NumberCase{0.0000999999999999999, u" 9.99999999999999E-05"},
        NumberCase{0.00012345, u" .00012345"}, NumberCase{-0.00005, u"-5E-05"},
        NumberCase{999999999999999, u" 999999999999999"}, NumberCase{999999999999999.9, u" 1E+15"},
        NumberCase{1.5e15, u" 1.5E+15"}, NumberCase{-1e15, u"-1E+15"},
        NumberCase{123456789012345678.0, u" 1.23456789012346E+17"}, NumberCase{1e308, u" 1E+308"},
        NumberCase{-1e-300, u"-1E-300"},
        NumberCase{std::numeric_limits<double>::max(), u" 1.79769313486232E+308"},
        NumberCase{std::numeric_limits<double>::denorm_min(), u" 4.94065645841247E-324"},
        NumberCase{1.25e-10, u" 1.25E-10"},
        // Fifteen significant digits, trailing zeros and a bare point dropped.
        NumberCase{0.1 + 0.2, u" .3"}, NumberCase{1.0 / 3 * 3, u" 1"},
        NumberCase{0.999999999999999, u" .999999999999999"}, NumberCase{100, u" 100"},
        NumberCase{1234.5, u" 1234.5"}, NumberCase{-20, u"-20"}, NumberCase{0.25, u" .25"},
        NumberCase{-0.5, u"-.5"}, NumberCase{123456789.123456789, u" 123456789.123457"},
        NumberCase{2.675, u" 2.675"}, NumberCase{-1234.5, u"-1234.5"}));

// --- FormatPicture --------------------------------------------------------------------------

struct PictureCase {
    double number;
    const char16_t* text;
};

class FormatPictureTest : public testing::TestWithParam<PictureCase> {};

// All four pictures give the same text for every number.
TEST_P(FormatPictureTest, ShowsTheNumberWithEveryPicture) {
    for (std::u16string_view picture :
         {PictureTotalKeisan, PictureTotal, PictureOperandEquals, PictureOperandFirst}) {
        EXPECT_EQ(scenario::toUtf8(FormatPicture(GetParam().number, picture)),
                  scenario::toUtf8(GetParam().text))
            << scenario::toUtf8(picture);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatPictureTest,
    testing::Values(
        // The rule's own table.
        PictureCase{1234.5, u"1,234.5"}, PictureCase{1234, u"1,234."},
        PictureCase{1234.567, u"1,234.57"}, PictureCase{0.5, u".5"}, PictureCase{2.0 / 3, u".67"},
        PictureCase{0, u"."}, PictureCase{-1234.5, u"-1,234.5"},
        PictureCase{1234567890123, u"1,234,567,890,123."},
        PictureCase{1e15, u"1,000,000,000,000,000."},
        // Rounding on the 15-digit decimal form, a final 5 away from zero.
        PictureCase{2.675, u"2.68"}, PictureCase{1.005, u"1.01"}, PictureCase{0.005, u".01"},
        PictureCase{-0.005, u"-.01"}, PictureCase{999.995, u"1,000."},
        PictureCase{-999.995, u"-1,000."}, PictureCase{0.125, u".13"},
        PictureCase{0.994999, u".99"}, PictureCase{99.999, u"100."},
        PictureCase{0.999999999999999, u"1."}, PictureCase{1.0 / 3 * 0.999999999999999, u".33"},
        // Zero and negative zero, and numbers that round to zero.
        PictureCase{-0.0, u"."}, PictureCase{0 * -5.0, u"."}, PictureCase{0.004, u"."},
        PictureCase{1e-300, u"."},
        // Grouping of the whole integer part.
        PictureCase{1, u"1."}, PictureCase{12, u"12."}, PictureCase{123, u"123."},
        PictureCase{999, u"999."}, PictureCase{1000, u"1,000."}, PictureCase{-1000, u"-1,000."},
        PictureCase{15, u"15."}, PictureCase{-2, u"-2."}, PictureCase{0.25, u".25"},
        PictureCase{1234567.891, u"1,234,567.89"}, PictureCase{0.1, u".1"},
        // Huge numbers keep every digit before the point.
        PictureCase{123456789012345678.0, u"123,456,789,012,346,000."}));

TEST(FormatPictureHuge, TheLargestNumbersAreWrittenInFull) {
    std::string hundredE306 = "100";
    for (int group = 0; group < 102; ++group) {
        hundredE306 += ",000";
    }
    EXPECT_EQ(scenario::toUtf8(FormatPicture(1e308, PictureTotal)), hundredE306 + ".");
    EXPECT_EQ(scenario::toUtf8(FormatPicture(-1e308, PictureTotal)), "-" + hundredE306 + ".");
    EXPECT_EQ(scenario::toUtf8(FormatPicture(std::numeric_limits<double>::max(), PictureTotal))
                  .substr(0, 24),
              "179,769,313,486,232,000,");
}

// --- Character conversions ------------------------------------------------------------------

TEST(CharacterConversions, CodesAndTheirCharacters) {
    EXPECT_EQ(CharFromCode(53), u"5");
    EXPECT_EQ(CharFromCode(32), u" ");
    EXPECT_EQ(CharFromCode(46), u".");
    EXPECT_EQ(CodeOfChar(u" "), 32);
    EXPECT_EQ(CodeOfChar(u"+3"), 43);
    EXPECT_EQ(CodeOfChar(u""), 0);
}

// --- Locale ---------------------------------------------------------------------------------

// A German-style locale writes a decimal comma and groups with points.
class CommaDecimal : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class ForeignLocale : public testing::Test {
protected:
    void SetUp() override {
        previous_ = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
        const char* c = std::setlocale(LC_ALL, nullptr);
        previousC_ = c ? c : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                break;
            }
        }
    }
    void TearDown() override {
        std::locale::global(previous_);
        std::setlocale(LC_ALL, previousC_.c_str());
    }

private:
    std::locale previous_;
    std::string previousC_;
};

TEST_F(ForeignLocale, ThePointStaysThePoint) {
    EXPECT_EQ(TextToNumber(u"1.5"), 1.5);
    EXPECT_EQ(TextToNumber(u"1,5"), 1);
    EXPECT_EQ(scenario::toUtf8(NumberToText(1234.5)), " 1234.5");
    EXPECT_EQ(scenario::toUtf8(NumberToText(1e-5)), " 1E-05");
    EXPECT_EQ(scenario::toUtf8(FormatPicture(1234567.891, PictureTotal)), "1,234,567.89");
}

// --- Round trips ----------------------------------------------------------------------------

// A result carried through Text7 as text keeps its 15 significant digits, whatever its size.
TEST(RoundTrip, TheOperandTextReadsBackToTheSame15Digits) {
    const double numbers[] = {
        1.0 / 3, 2.0 / 3,    -1.0 / 7, 1e15,
        1e-5,    123456.789, -9.87e-7, 4.56e200,
        1e-300,  0.0001,     1e308,    -5060 * std::numeric_limits<double>::denorm_min()};
    for (double number : numbers) {
        const std::u16string text = NumberToText(number);
        const std::optional<double> back = TextToNumber(text);
        ASSERT_TRUE(back.has_value()) << scenario::toUtf8(text);
        EXPECT_EQ(scenario::toUtf8(NumberToText(*back)), scenario::toUtf8(text));
    }
}

} // namespace
} // namespace kalpeno::calculator
