// The Help window on its own: the program folder it reads "Help.txt" from, what its load puts
// into the text box (or the one message when the file cannot be read), and its text box
// following the client area.
#include "windows/FrmHelp.h"

#include "forms/Application.h"
#include "program/Program.h"
#include "scenario/OpenDescriptors.h"
#include "scenario/RecordingMessageBox.h"
#include "scenario/ScratchFolder.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace kalpeno::windows {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr std::u16string_view missingMessage = u"Help.txtファイルがありません。";

using scenario::openDescriptors;

// A program started from its own new, empty folder.
class HelpWindowTest : public testing::Test {
protected:
    forms::Application& start(std::u16string appPath) {
        app_ = std::make_unique<forms::Application>(std::move(appPath), messages_);
        startProgram(*app_);
        return *app_;
    }
    forms::Application& start() { return start(folder_.u16string()); }
    void write(std::string_view bytes, const fs::path& folder) {
        std::ofstream out(folder / "Help.txt", std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void write(std::string_view bytes) { write(bytes, folder_); }
    // "ヘルプ" in the calculator window.
    FrmHelp& openHelp() {
        forms::Application& app = *app_;
        app.chooseMenu(app.loaded(u"Kalpeno")->menu(u"mnuHelp"));
        return dynamic_cast<FrmHelp&>(*app.loaded(u"frmHelp"));
    }
    const forms::TextBox& text(const FrmHelp& help) const { return help.textBox(u"Text1"); }

    scenario::ScratchFolder scratch_{"kalpeno-help"};
    const fs::path folder_ = scratch_.path();
    scenario::RecordingMessageBox messages_;
    std::unique_ptr<forms::Application> app_;
};

struct PathCase {
    const char* name;
    std::u16string appPath;
    std::u16string myPath;
};

class MyPathTest : public HelpWindowTest, public testing::WithParamInterface<PathCase> {};

TEST_P(MyPathTest, EndsInOneSeparator) {
    forms::Application& app = start(GetParam().appPath);
    const auto& help = dynamic_cast<const FrmHelp&>(app.form(u"frmHelp"));
    EXPECT_EQ(help.MyPath(), GetParam().myPath);
}

#if defined(_WIN32)
INSTANTIATE_TEST_SUITE_P(Folders, MyPathTest,
                         testing::Values(PathCase{"Plain", u"C:\\Kalpeno", u"C:\\Kalpeno\\"},
                                         PathCase{"TrailingSeparator", u"C:\\Kalpeno\\",
                                                  u"C:\\Kalpeno\\"},
                                         PathCase{"DriveRoot", u"C:\\", u"C:\\"},
                                         PathCase{"Japanese", u"C:\\Users\\ユーザー\\電卓",
                                                  u"C:\\Users\\ユーザー\\電卓\\"}),
                         [](const auto& info) { return std::string(info.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(
    Folders, MyPathTest,
    testing::Values(PathCase{"Plain", u"/opt/kalpeno", u"/opt/kalpeno/"},
                    PathCase{"TrailingSeparator", u"/opt/kalpeno/", u"/opt/kalpeno/"},
                    PathCase{"Root", u"/", u"/"},
                    PathCase{"BackslashIsPartOfTheName", u"/opt/a\\", u"/opt/a\\/"},
                    PathCase{"Japanese", u"/home/ユーザー/電卓", u"/home/ユーザー/電卓/"}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

// A program folder named in characters beyond the Japanese ANSI code page: the name stays
// UTF-16 (or UTF-8) all the way to the system.
TEST_F(HelpWindowTest, ProgramFolderNamedBeyondTheAnsiCodePage) {
    const fs::path folder = folder_ / u8"電卓 한국어 😀";
    fs::create_directory(folder);
    write("\x93\x64\x91\xEC\r\n", folder);
    start(folder.u16string());
    EXPECT_EQ(text(openHelp()).text(), u"電卓\r\n");
    EXPECT_TRUE(messages_.texts.empty());
}

struct LoadCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

class HelpLoadTest : public HelpWindowTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(HelpLoadTest, EveryLineIsFollowedByCrLf) {
    write(GetParam().bytes);
    start();
    const FrmHelp& help = openHelp();
    EXPECT_EQ(text(help).text(), GetParam().text);
    EXPECT_TRUE(messages_.texts.empty());
    EXPECT_EQ(text(help).caret(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HelpLoadTest,
    testing::Values(LoadCase{"Empty", "", u""},
                    LoadCase{"TwoLines", "abc\r\ndef\r\n", u"abc\r\ndef\r\n"},
                    LoadCase{"WithoutFinalLineEnd", "abc\r\ndef", u"abc\r\ndef\r\n"},
                    LoadCase{"LoneCr", "abc\rdef", u"abc\r\ndef\r\n"},
                    LoadCase{"LfOnlyIsOneLine", "abc\ndef\n", u"abc\ndef\n\r\n"},
                    LoadCase{"EmptyLines", "\r\n\r\n", u"\r\n\r\n"},
                    LoadCase{"ShiftJis", "\x93\x64\x91\xEC\x81\x60\x87\x40\r\n", u"電卓～①\r\n"},
                    LoadCase{"BrokenBytes", "a\x80\x82\r\nb\0c"s,
                             u"a\uFFFD\uFFFD\r\nb\uFFFDc\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::function<void(const fs::path& file)> make;
};

class HelpFailureTest : public HelpWindowTest, public testing::WithParamInterface<FailureCase> {};

// The message, then an empty window that is shown all the same; nothing stays open.
TEST_P(HelpFailureTest, ShowsTheMessageAndAnEmptyWindow) {
    GetParam().make(folder_ / "Help.txt");
    start();
    const int before = openDescriptors();
    const FrmHelp& help = openHelp();
    EXPECT_EQ(messages_.texts, std::vector<std::u16string>{std::u16string(missingMessage)});
    EXPECT_EQ(messages_.lastTitle, u"Kalpeno");
    EXPECT_EQ(text(help).text(), u"");
    EXPECT_TRUE(help.visible());
    EXPECT_EQ(openDescriptors(), before);
}

std::vector<FailureCase> failures() {
    std::vector<FailureCase> cases{
        {"Missing", [](const fs::path&) {}},
        {"Folder", [](const fs::path& f) { fs::create_directory(f); }},
        {"TooLarge",
         [](const fs::path& f) {
             { std::ofstream create(f); }
             fs::resize_file(f, 16 * 1024 * 1024 + 1);
         }},
    };
#if !defined(_WIN32)
    cases.push_back({"Fifo", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }});
    cases.push_back({"Device", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }});
    cases.push_back({"DanglingLink", [](const fs::path& f) { fs::create_symlink("gone", f); }});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Files, HelpFailureTest, testing::ValuesIn(failures()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpWindowTest, UnknownProgramFolderCountsAsMissingFile) {
    start(u"");
    const FrmHelp& help = openHelp();
    EXPECT_EQ(messages_.texts, std::vector<std::u16string>{std::u16string(missingMessage)});
    EXPECT_EQ(text(help).text(), u"");
}

TEST_F(HelpWindowTest, FileIsReadOncePerLoad) {
    write("first\r\n");
    start();
    openHelp();
    write("second\r\n");
    const FrmHelp& help = openHelp();
    EXPECT_EQ(text(help).text(), u"first\r\n");
}

struct SizeCase {
    const char* name;
    int width;
    int height;
};

class HelpResizeTest : public HelpWindowTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(HelpResizeTest, TextBoxFillsTheClientArea) {
    start();
    FrmHelp& help = openHelp();
    EXPECT_EQ(text(help).bounds(), (forms::Bounds{0, 0, 9750, 6495})); // as first shown
    app_->resize(help, GetParam().width, GetParam().height);
    EXPECT_EQ(text(help).bounds(), (forms::Bounds{0, 0, GetParam().width, GetParam().height}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, HelpResizeTest,
                         testing::Values(SizeCase{"Larger", 15000, 9000},
                                         SizeCase{"Smaller", 3000, 1500},
                                         SizeCase{"Minimised", 0, 0},
                                         SizeCase{"WideAndFlat", 20000, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalpeno::windows
