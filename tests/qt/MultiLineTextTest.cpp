#include "qt/MultiLineText.h"

#include <gtest/gtest.h>

namespace kalpeno::qt::test {

namespace {

struct TextCase {
    const char* name;
    const char16_t* model;
    const char16_t* editor; // U+2029 ends a paragraph
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class MultiLineTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(MultiLineTextTest, ShowsAndReadsBack) {
    const TextCase& c = GetParam();
    EXPECT_EQ(editorText(c.model), QString::fromUtf16(c.editor));
    EXPECT_EQ(modelText(QString::fromUtf16(c.editor)), std::u16string(c.model));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MultiLineTextTest,
    ::testing::Values(TextCase{"Empty", u"", u""}, TextCase{"OneLine", u"abc\r\n", u"abc\u2029"},
                      TextCase{"TwoLines", u"abc\r\ndef\r\n", u"abc\u2029def\u2029"},
                      TextCase{"LoneLf", u"a\nb\r\n", u"a\u240Ab\u2029"},
                      TextCase{"LoneCr", u"a\rb", u"a\u240Db"},
                      TextCase{"CrBeforeCrLf", u"\r\r\n", u"\u240D\u2029"},
                      TextCase{"LfCr", u"\n\r", u"\u240A\u240D"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct PositionCase {
    const char* name;
    const char16_t* model;
    std::size_t modelPosition;
    int editorPosition;
};

void PrintTo(const PositionCase& c, std::ostream* out) {
    *out << c.name;
}

class TextPositionTest : public ::testing::TestWithParam<PositionCase> {};

TEST_P(TextPositionTest, MapsBothWays) {
    const PositionCase& c = GetParam();
    EXPECT_EQ(editorPosition(c.model, c.modelPosition), c.editorPosition);
    EXPECT_EQ(modelPosition(c.model, c.editorPosition), c.modelPosition);
}

INSTANTIATE_TEST_SUITE_P(Positions, TextPositionTest,
                         ::testing::Values(PositionCase{"Start", u"ab\r\ncd", 0, 0},
                                           PositionCase{"BeforeLineEnd", u"ab\r\ncd", 2, 2},
                                           PositionCase{"AfterLineEnd", u"ab\r\ncd", 4, 3},
                                           PositionCase{"End", u"ab\r\ncd", 6, 5},
                                           PositionCase{"AfterLoneLf", u"a\nb", 2, 2},
                                           PositionCase{"TwoLineEnds", u"\r\n\r\n", 4, 2}),
                         [](const ::testing::TestParamInfo<PositionCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(TextPositionTest, PositionBeyondTheTextIsItsEnd) {
    EXPECT_EQ(modelPosition(u"ab\r\n", 10), 4U);
    EXPECT_EQ(editorPosition(u"ab\r\n", 10), 3);
}

} // namespace

} // namespace kalpeno::qt::test
