// The program's own Help.txt, as the build places it beside the executables, shows its UTF-8
// source exactly: no message, no replacement character, every line ending in CR LF.
#include "forms/Application.h"
#include "forms/Utf.h"
#include "program/Program.h"
#include "scenario/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#if defined(KALPENO_BUILT_PROGRAM_DIR) && defined(KALPENO_HELP_SOURCE)

namespace kalpeno::windows {
namespace {

std::u16string helpSource() {
    std::ifstream in(KALPENO_HELP_SOURCE, std::ios::binary);
    return forms::fromUtf8(std::string(std::istreambuf_iterator<char>(in), {})).value_or(u"");
}

TEST(ShippedHelpTextTest, ShowsItsSourceExactly) {
    scenario::RecordingMessageBox messages;
    std::string folder = KALPENO_BUILT_PROGRAM_DIR;
    forms::Application app(std::u16string(folder.begin(), folder.end()), messages);
    startProgram(app);
    app.chooseMenu(app.loaded(u"Kalpeno")->menu(u"mnuHelp"));
    const std::u16string& shown = app.loaded(u"frmHelp")->textBox(u"Text1").text();
    EXPECT_TRUE(messages.texts.empty());
    const std::u16string source = helpSource();
    ASSERT_FALSE(source.empty());
    EXPECT_EQ(shown, source);
    EXPECT_EQ(shown.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_NE(shown.find(u"全クリア"), std::u16string::npos);
}

} // namespace
} // namespace kalpeno::windows

#endif
