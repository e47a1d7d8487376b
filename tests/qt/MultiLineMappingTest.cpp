#include "qt/boxes/MultiLineMapping.h"

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

class MultiLineMappingTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(MultiLineMappingTest, ShowsAndReadsBack) {
    const TextCase& c = GetParam();
    EXPECT_EQ(editorText(c.model), QString::fromUtf16(c.editor));
    EXPECT_EQ(modelText(QString::fromUtf16(c.editor)), std::u16string(c.model));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MultiLineMappingTest,
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
    EXPECT_EQ(ShownPositions(c.model).editor(c.modelPosition), c.editorPosition);
    EXPECT_EQ(ShownPositions(c.model).model(c.editorPosition), c.modelPosition);
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

TEST(MultiLineMappingTest, LineSeparatorReadsBackAsCrLf) {
    EXPECT_EQ(modelText(QString::fromUtf16(u"a\u2028b\u2029")), u"a\r\nb\r\n");
}

struct SameCase {
    const char16_t* a;
    const char16_t* b;
    bool same;
};

TEST(MultiLineMappingTest, LinesAreTheSameWhicheverSeparatorEndsThem) {
    for (const SameCase& c :
         {SameCase{u"a\u2028b\u2029", u"a\u2029b\u2029", true},
          SameCase{u"a\u2029b", u"a\u2028b", true}, SameCase{u"a\u2029b", u"a\u2029c", false},
          SameCase{u"a\u2029", u"a\u2029\u2029", false}, SameCase{u"a\u2028", u"a ", false}}) {
        EXPECT_EQ(sameLines(QString::fromUtf16(c.a), QString::fromUtf16(c.b)), c.same)
            << QString::fromUtf16(c.a).toStdString();
    }
}

TEST(MultiLineMappingTest, LongTextsHoldAtMostMaxParagraphs) {
    for (const qsizetype lines :
         {qsizetype{1}, maxParagraphs, maxParagraphs + 1, 10 * maxParagraphs,
          10 * maxParagraphs + 1, qsizetype{1'000'000}}) {
        const qsizetype per = linesPerParagraph(lines);
        EXPECT_EQ(per == 1, lines <= maxParagraphs) << lines;
        EXPECT_LE((lines + per - 1) / per, maxParagraphs) << lines;
    }
}

TEST(MultiLineMappingTest, GroupingKeepsEachNthParagraphEnd) {
    QString part = QString::fromUtf16(u"a\u2029b\u2029c\u2029d\u2029e\u2029\u240D");
    groupLines(part, 3);
    EXPECT_EQ(part, QString::fromUtf16(u"a\u2028b\u2028c\u2029d\u2028e\u2028\u240D"));
    QString single = QString::fromUtf16(u"a\u2029b\u2029");
    groupLines(single, 1);
    EXPECT_EQ(single, QString::fromUtf16(u"a\u2029b\u2029"));
    // A paragraph long enough already ends where it is.
    const QString longLine(splitLength, u'x');
    QString afterLong = longLine + QString::fromUtf16(u"\u2029a\u2029b\u2029");
    groupLines(afterLong, 3);
    EXPECT_EQ(afterLong, longLine + QString::fromUtf16(u"\u2029a\u2028b\u2029"));
}

// A long line is split every splitLength characters, never inside a surrogate pair nor right
// before its line end; a split has an editor position but no model position of its own.
TEST(MultiLineMappingTest, LongLinesAreSplitWhereNoCharacterIsCut) {
    const auto n = static_cast<std::size_t>(splitLength);
    const QString paragraph = QString(QChar(paragraphSeparator));
    struct SplitCase {
        std::u16string model;
        QString editor;
    };
    for (const SplitCase& c :
         {SplitCase{std::u16string(2 * n + 1, u'7'),
                    QString(n, u'7') + paragraph + QString(n, u'7') + paragraph + u'7'},
          SplitCase{std::u16string(n, u'7') + u"\r\n7", QString(n, u'7') + paragraph + u'7'},
          SplitCase{std::u16string(n - 1, u'7') + u"\U0001F600+",
                    QString(n - 1, u'7') + QString::fromUtf16(u"\U0001F600") + paragraph + u'+'}}) {
        EXPECT_EQ(editorText(c.model), c.editor);
    }
    const std::u16string line = std::u16string(2 * n + 1, u'7') + u"\r\n";
    const int split = static_cast<int>(n);
    for (const PositionCase& c : {PositionCase{"BeforeSplit", nullptr, n, split},
                                  PositionCase{"AfterSplit", nullptr, n + 1, split + 2},
                                  PositionCase{"LineEnd", nullptr, 2 * n + 1, 2 * split + 3},
                                  PositionCase{"End", nullptr, 2 * n + 3, 2 * split + 4}}) {
        EXPECT_EQ(ShownPositions(line).editor(c.modelPosition), c.editorPosition) << c.name;
        EXPECT_EQ(ShownPositions(line).model(c.editorPosition), c.modelPosition) << c.name;
    }
    EXPECT_EQ(ShownPositions(line).model(split + 1), n); // the next paragraph's start
}

// Every caret's editor position is the length of the editor's text up to it, and maps back; texts
// with lines, lone CR and LF, surrogate pairs and splits, with a short split length.
TEST(TextPositionTest, PositionsAgreeWithTheEditorsText) {
    constexpr qsizetype split = 4;
    for (const std::u16string text :
         {u"", u"abcdefghij", u"ab\r\ncdefgh\r\n\r\nijklmnopq", u"abc\U0001F600\U0001F600x\r\n",
          u"abcd\r\nefgh\rijkl\nmnop\r", u"\r\r\n\n\r\n\U0001F600abcd\U0001F600"}) {
        const ShownPositions positions(text, split);
        for (std::size_t m = 0; m <= text.size(); ++m) {
            if (m > 0 && m < text.size() &&
                ((text[m - 1] == u'\r' && text[m] == u'\n') || QChar::isLowSurrogate(text[m]))) {
                continue; // no caret is inside a CR LF or a surrogate pair
            }
            const int e = static_cast<int>(editorText(text.substr(0, m), split).size());
            EXPECT_EQ(positions.editor(m), e) << m;
            EXPECT_EQ(positions.model(e), m) << m;
        }
        EXPECT_EQ(positions.editorSize(), editorText(text, split).size());
    }
}

TEST(TextPositionTest, PositionBeyondTheTextIsItsEnd) {
    EXPECT_EQ(ShownPositions(u"ab\r\n").model(10), 4U);
    EXPECT_EQ(ShownPositions(u"ab\r\n").editor(10), 3);
}

} // namespace

} // namespace kalpeno::qt::test
