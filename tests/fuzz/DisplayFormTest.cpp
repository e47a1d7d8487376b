// The fuzzers' own shape checks: an oracle that accepted everything would hide every fault.
#include "fuzz/DisplayForm.h"

#include <gtest/gtest.h>

namespace kalpeno::fuzz {
namespace {

struct Shape {
    std::u16string_view text;
    bool accepted;
};

TEST(FuzzOracle, DisplayForm) {
    const Shape shapes[] = {
        {u"1,234.5", true},   {u"1,234.", true},   {u".5", true},           {u".", true},
        {u"-1,234.57", true}, {u"-.05", true},     {u"123,456,789.", true}, {u"", false},
        {u"-.", false},       {u"1234.", false},   {u"1,23.", false},       {u",123.", false},
        {u"1,234", false},    {u"0.5", false},     {u".50", false},         {u".123", false},
        {u"01,234.", false},  {u" 1.", false},     {u"1,234.5 ", false},    {u"1.#INF", false},
        {u"--1.", false},     {u"1,,234.", false},
    };
    for (const Shape& s : shapes) {
        EXPECT_EQ(isDisplayForm(s.text), s.accepted) << std::string(s.text.begin(), s.text.end());
    }
}

TEST(FuzzOracle, NumberText) {
    const Shape shapes[] = {
        {u" 15", true},
        {u" 0", true},
        {u" .5", true},
        {u"-3", true},
        {u"-.25", true},
        {u" 1E+15", true},
        {u" 1E-05", true},
        {u" 1.5E+308", true},
        {u" .333333333333333", true},
        {u" 123456789012345", true},
        {u"15", false},
        {u"-0", false},
        {u" 0.5", false},
        {u" 1.", false},
        {u" 1.50", false},
        {u" 1E15", false},
        {u" 1E+5", false},
        {u" 10E+15", false},
        {u" 1234567890123456", false},
        {u" 1,234", false},
        {u" -1", false},
        {u" 1.#INF", false},
    };
    for (const Shape& s : shapes) {
        EXPECT_EQ(isNumberText(s.text), s.accepted) << std::string(s.text.begin(), s.text.end());
    }
}

TEST(FuzzOracle, Utf16) {
    const Shape shapes[] = {
        {u"abc", true},
        {u"\U0001F600", true},
        {u"", true},
        {std::u16string_view(u"\xD800", 1), false},
        {std::u16string_view(u"\xDC00x", 2), false},
        {std::u16string_view(u"a\xD83D", 2), false},
    };
    for (const Shape& s : shapes) {
        EXPECT_EQ(isValidUtf16(s.text), s.accepted);
    }
}

} // namespace
} // namespace kalpeno::fuzz
