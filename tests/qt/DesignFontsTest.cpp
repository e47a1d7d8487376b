// The design's fonts: a face that is not installed is asked for by its installed stand-in's own
// name, in the design's size; a face with no installed stand-in is kept as it is.
#include "qt/window/DesignFonts.h"

#include <QFont>
#include <QFontDatabase>

#include <gtest/gtest.h>

namespace kalpeno::qt::test {

namespace {

struct FontCase {
    const char* name;
    std::u16string_view face;
    double points;
    const char* family;
};

class DesignFontsTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(DesignFontsTest, AsksForTheInstalledFamilyInTheDesignSize) {
    const FontCase& c = GetParam();
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic"))) {
        GTEST_SKIP() << "IPA P Gothic is not installed";
    }
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    DesignFonts fonts;
    for (int round = 0; round < 2; ++round) { // the second time from what was found the first
        const QFont font = fonts.font(c.face, c.points + round);
        // Qt keeps substitutes in lower case; families are matched without regard to case.
        EXPECT_EQ(font.family().compare(QString::fromLatin1(c.family), Qt::CaseInsensitive), 0)
            << font.family().toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points + round);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faces, DesignFontsTest,
    ::testing::Values(FontCase{"WindowsGothic", u"ＭＳ Ｐゴシック", 11.25, "IPAPGothic"},
                      FontCase{"Installed", u"IPAPGothic", 9, "IPAPGothic"},
                      FontCase{"NoStandIn", u"Kalpeno No Such Face", 18, "Kalpeno No Such Face"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

} // namespace kalpeno::qt::test
