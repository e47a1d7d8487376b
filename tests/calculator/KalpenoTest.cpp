// The calculator window driven directly, for what a scenario cannot reach: Keisan called with
// chosen operands, and the operator count at its 16-bit limit.
#include "calculator/Kalpeno.h"

#include "forms/Application.h"
#include "program/Program.h"
#include "scenario/RecordingMessageBox.h"
#include "scenario/Utf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalpeno::calculator {
namespace {

class KalpenoTest : public testing::Test {
protected:
    KalpenoTest() : app_(u"/tmp", messages_) {
        startProgram(app_);
        window_ = dynamic_cast<Kalpeno*>(app_.loaded(u"Kalpeno"));
    }
    // Every case starts from the program as it starts: its calculator window loaded and shown.
    void SetUp() override {
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(window_->visible());
    }

    Kalpeno& window() { return *window_; }
    std::string text(std::u16string_view box) {
        return scenario::toUtf8(window_->textBox(box).text());
    }
    std::string label6() { return scenario::toUtf8(window_->caption(u"Label6").caption()); }
    std::vector<std::u16string> lines(std::u16string_view tape) {
        return window_->listBox(tape).lines();
    }
    void click(std::u16string_view name, int index = -1) {
        ASSERT_TRUE(app_.click(window_->control(name, index)));
    }
    // Selects a calculator by its letter picture: 0 for A, 1 for B, 2 for C.
    void select(int calculator) {
        const char16_t* pictures[] = {u"Image1", u"Image2", u"Image3"};
        click(pictures[calculator]);
    }

    scenario::RecordingMessageBox messages_;
    forms::Application app_;
    Kalpeno* window_ = nullptr;
};

// --- Keisan ---------------------------------------------------------------------------------

struct KeisanCase {
    const char* name;
    int calculator; // 0 A, 1 B, 2 C
    const char16_t* hidari;
    const char16_t* migi;
    const char16_t* kigou;
    double lastResult;
    const char* total;
    const char* text7;
};

class KeisanTest : public KalpenoTest, public testing::WithParamInterface<KeisanCase> {};

TEST_P(KeisanTest, ShowsTheResultInTheActiveTotalBoxAndText7) {
    const KeisanCase& c = GetParam();
    select(c.calculator);
    window().textBox(u"Text9").setText(u"9");
    EXPECT_TRUE(window().Keisan(c.hidari, c.migi, c.kigou));
    EXPECT_DOUBLE_EQ(window().LastResult, c.lastResult);
    const char16_t* totals[] = {u"Text2", u"Text4", u"Text6"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(text(totals[i]), i == c.calculator ? c.total : "") << scenario::toUtf8(totals[i]);
    }
    EXPECT_EQ(text(u"Text7"), c.text7);
    EXPECT_EQ(text(u"Text9"), "");
    EXPECT_TRUE(messages_.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Operands, KeisanTest,
    testing::Values(KeisanCase{"Minus", 0, u"12", u"3", u"-", 9, "9.", " 9"},
                    KeisanCase{"DivisorIsMigi", 1, u" 7", u"2", u"/", 3.5, "3.5", " 3.5"},
                    KeisanCase{"Third", 2, u"1", u"3", u"/", 1.0 / 3, ".33", " .333333333333333"},
                    KeisanCase{"ThirdTimesThree", 2, u" .333333333333333", u"3", u"*",
                               0.999999999999999, "1.", " .999999999999999"},
                    KeisanCase{"EmptyRightIsZero", 0, u"5", u"", u"+", 5, "5.", " 5"},
                    KeisanCase{"Negative", 0, u"3", u"5", u"-", -2, "-2.", "-2"},
                    KeisanCase{"Zero", 1, u"3", u"3", u"-", 0, ".", " 0"},
                    KeisanCase{"NegativeZero", 1, u"0", u"-5", u"*", 0, ".", " 0"},
                    KeisanCase{"Plus", 2, u"12", u"3", u"+", 15, "15.", " 15"},
                    KeisanCase{"DisplayFormIsReadToTheComma", 0, u"1,234", u"1", u"+", 2, "2.",
                               " 2"},
                    KeisanCase{"Huge", 0, u"1E+15", u"1000", u"*", 1e18,
                               "1,000,000,000,000,000,000.", " 1E+18"},
                    KeisanCase{"Tiny", 0, u"1E-300", u"1E-300", u"*", 0, ".", " 0"},
                    KeisanCase{"ZeroDividend", 1, u"0", u"4", u"/", 0, ".", " 0"}),
    [](const testing::TestParamInfo<KeisanCase>& info) { return info.param.name; });

// Any other symbol ends Keisan at once: nothing stored, no box changed, Text9 kept.
TEST_F(KalpenoTest, KeisanWithoutAnOperatorChangesNothing) {
    for (const char16_t* symbol : {u"", u"=", u"x", u"++", u" +"}) {
        window().LastResult = 42;
        window().textBox(u"Text2").setText(u"old");
        window().textBox(u"Text7").setText(u"5");
        window().textBox(u"Text9").setText(u"3");
        EXPECT_TRUE(window().Keisan(u"5", u"3", symbol));
        EXPECT_EQ(window().LastResult, 42);
        EXPECT_EQ(text(u"Text2"), "old");
        EXPECT_EQ(text(u"Text7"), "5");
        EXPECT_EQ(text(u"Text9"), "3");
    }
    EXPECT_TRUE(messages_.texts.empty());
}

struct FailureCase {
    const char* name;
    const char16_t* hidari;
    const char16_t* migi;
    const char16_t* kigou;
    const char16_t* message;
};

class KeisanFailureTest : public KalpenoTest, public testing::WithParamInterface<FailureCase> {};

// A failed calculation shows its message and stores nothing: every box and LastResult stay.
TEST_P(KeisanFailureTest, ShowsTheMessageAndChangesNothing) {
    const FailureCase& c = GetParam();
    select(1);
    window().LastResult = 42;
    window().textBox(u"Text4").setText(u"old");
    window().textBox(u"Text7").setText(u"7");
    window().textBox(u"Text9").setText(u"9");
    EXPECT_FALSE(window().Keisan(c.hidari, c.migi, c.kigou));
    EXPECT_EQ(window().LastResult, 42);
    EXPECT_EQ(text(u"Text4"), "old");
    EXPECT_EQ(text(u"Text7"), "7");
    EXPECT_EQ(text(u"Text9"), "9");
    EXPECT_EQ(messages_.texts, std::vector<std::u16string>{c.message});
}

constexpr const char16_t* byZero = u"0 で除算しました。";
constexpr const char16_t* overflow = u"オーバーフローしました。";

INSTANTIATE_TEST_SUITE_P(
    Operands, KeisanFailureTest,
    testing::Values(FailureCase{"FiveByZero", u"5", u"0", u"/", byZero},
                    FailureCase{"ZeroByZero", u"0", u"0", u"/", byZero},
                    FailureCase{"ByEmpty", u"5", u"", u"/", byZero},
                    FailureCase{"ByNegativeZero", u"5", u"-0", u"/", byZero},
                    FailureCase{"ByZeroDisplay", u"5", u".", u"/", byZero},
                    FailureCase{"ProductOverflows", u"1E+200", u"1E+200", u"*", overflow},
                    FailureCase{"SumOverflows", u"1.7E+308", u"1.7E+308", u"+", overflow},
                    FailureCase{"DifferenceOverflows", u"-1.7E+308", u"1.7E+308", u"-", overflow},
                    FailureCase{"QuotientOverflows", u"1E+300", u"1E-300", u"/", overflow},
                    FailureCase{"LeftBeyondRange", u"1E999", u"1", u"+", overflow},
                    FailureCase{"RightBeyondRange", u"1", u"1E999", u"+", overflow}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

// --- The operator count at its limit ------------------------------------------------------

// OpCount is a 16-bit count: an operator that would raise it beyond 32767 leaves it there and
// works as every later operator (applies the pending operator, becomes pending itself).
TEST_F(KalpenoTest, KeypadOperatorCountStopsAt32767) {
    select(1);
    click(u"Command2", 0); // "1"
    for (int i = 0; i < 32767; ++i) {
        click(u"Command3", 0); // "+"
    }
    EXPECT_EQ(window().OpCount, 32767);
    click(u"Command2", 1); // "2"
    click(u"Command3", 2); // "*": 1 + 2
    EXPECT_EQ(window().OpCount, 32767);
    EXPECT_EQ(text(u"Text4"), "3.");
    EXPECT_EQ(text(u"Text7"), " 3");
    EXPECT_EQ(label6(), "*");
    click(u"Command2", 3); // "4"
    click(u"Command3", 1); // "-": 3 * 4
    EXPECT_EQ(window().OpCount, 32767);
    EXPECT_EQ(text(u"Text7"), " 12");
    EXPECT_EQ(label6(), "-");
    EXPECT_EQ(lines(u"List2").size(), 32767u + 2u);
    EXPECT_EQ(scenario::toUtf8(lines(u"List2").back()), "4.");
    click(u"cmdKotae1");
    EXPECT_EQ(window().TotalB, 12);
    EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(KalpenoTest, KeyboardOperatorCountStopsAt32767) {
    forms::TextBox& text1 = window().textBox(u"Text1");
    ASSERT_TRUE(app_.pressKey(text1, U'6'));
    for (int i = 0; i < 32767; ++i) {
        ASSERT_TRUE(app_.pressKey(text1, U'-'));
    }
    EXPECT_EQ(window().OpCount, 32767);
    ASSERT_TRUE(app_.pressKey(text1, U'2'));
    ASSERT_TRUE(app_.pressKey(text1, U'/')); // 6 - 2
    EXPECT_EQ(window().OpCount, 32767);
    EXPECT_EQ(text(u"Text7"), " 4");
    EXPECT_EQ(label6(), "/");
    ASSERT_TRUE(app_.pressKey(text1, U'8'));
    ASSERT_TRUE(app_.pressKey(text1, U'\r')); // 4 / 8, hands on to B
    EXPECT_EQ(window().TotalA, 0.5);
    EXPECT_EQ(window().OpCount, 0);
    EXPECT_EQ(window().ActiveCalc, 3);
    EXPECT_EQ(text(u"Text2"), ".5");
    EXPECT_TRUE(messages_.texts.empty());
}

// --- Failure inside a handler --------------------------------------------------------------

// An operand display beyond the range of a double (typed digit by digit) fails where it is read:
// the steps before stay, nothing after happens, and the program goes on.
TEST_F(KalpenoTest, AnOperandBeyondTheRangeFailsWhereItIsRead) {
    select(0);
    forms::TextBox& text1 = window().textBox(u"Text1");
    for (int i = 0; i < 400; ++i) {
        ASSERT_TRUE(app_.pressKey(text1, U'9'));
    }
    ASSERT_TRUE(app_.pressKey(text1, U'+'));
    EXPECT_EQ(messages_.texts, std::vector<std::u16string>{overflow});
    EXPECT_EQ(window().OpCount, 1);
    EXPECT_TRUE(lines(u"List1").empty());
    EXPECT_EQ(label6(), ""); // the failing read comes before the new operator is shown
    EXPECT_EQ(text(u"Text1"), std::string(400, '9') + "+");
    // The program goes on: the next operand and Enter still work on what the displays hold.
    ASSERT_TRUE(app_.pressKey(text1, U'1'));
    EXPECT_EQ(text(u"Text9"), "1");
}

} // namespace
} // namespace kalpeno::calculator
