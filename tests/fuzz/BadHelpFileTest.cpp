// Help.txt files that are not plain text files, or not plain text: each gives either the
// window's message and an empty window, or the decoded text, and none blocks or crashes.
#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/TextBox.h"
#include "forms/TextFileInput.h"
#include "program/Program.h"
#include "scenario/RecordingMessageBox.h"
#include "scenario/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kalpeno::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view missingMessage = u"Help.txtファイルがありません。";

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A program folder of its own for each case, and a program started in it.
class BadHelpFile : public ::testing::Test {
protected:
    fs::path helpFile() const { return folder_ / "Help.txt"; }

    // Opens the help window from the calculator's menu; answers its text.
    std::u16string openHelp() {
        app_ = std::make_unique<forms::Application>(folder_.u16string(), messages_);
        startProgram(*app_);
        app_->chooseMenu(app_->loaded(u"Kalpeno")->menu(u"mnuHelp"));
        const forms::Form* help = app_->loaded(u"frmHelp");
        EXPECT_TRUE(help && help->visible());
        return help ? help->textBox(u"Text1").text() : u"";
    }

    scenario::ScratchFolder scratch_{"kalpeno-badhelp"};
    fs::path folder_ = scratch_.path();
    scenario::RecordingMessageBox messages_;
    std::unique_ptr<forms::Application> app_;
};

struct Case {
    const char* name;
    std::function<void(const fs::path& helpFile)> make;
    bool message;         // the window's message, with an empty window
    std::u16string shown; // otherwise the text shown
};

// Those of every system; POSIX's own kinds of file follow.
std::vector<Case> cases() {
    std::vector<Case> all{
        {"Folder", [](const fs::path& f) { fs::create_directory(f); }, true, u""},
        {"OverSixteenMiB",
         [](const fs::path& f) {
             writeBytes(f, "");
             fs::resize_file(f, forms::TextFileInput::maximumSize + 1);
         },
         true, u""},
        {"InvalidCp932Bytes",
         [](const fs::path& f) {
             writeBytes(f, "a\x80"
                           "b\xA0\xFD\xFE\xFF\r\n");
         },
         false, u"a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD\r\n"},
        {"LeadByteAtTheEnd", [](const fs::path& f) { writeBytes(f, "ab\x82"); }, false,
         u"ab\uFFFD\r\n"},
        {"LeadByteBeforeCrLf", [](const fs::path& f) { writeBytes(f, "a\x82\r\nb"); }, false,
         u"a\uFFFD\r\nb\r\n"},
        {"NulBytes", [](const fs::path& f) { writeBytes(f, std::string_view("a\0b\r\n\0", 6)); },
         false, u"a\uFFFDb\r\n\uFFFD\r\n"},
        {"OnlyLineEnds", [](const fs::path& f) { writeBytes(f, "\r\r\n\r"); }, false,
         u"\r\n\r\n\r\n"},
    };
#if !defined(_WIN32)
    all.push_back(
        {"Fifo", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, true, u""});
    all.push_back({"DevZeroBehindSymlink",
                   [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }, true, u""});
    all.push_back({"DanglingSymlink",
                   [](const fs::path& f) { fs::create_symlink(f.parent_path() / "gone", f); }, true,
                   u""});
    all.push_back({"SymlinkToRegularFile",
                   [](const fs::path& f) {
                       writeBytes(f.parent_path() / "real.txt", "abc\r\n");
                       fs::create_symlink(f.parent_path() / "real.txt", f);
                   },
                   false, u"abc\r\n"});
#endif
    return all;
}

TEST_F(BadHelpFile, EachGivesTheMessageOrTheDecodedText) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const scenario::ScratchFolder caseFolder("kalpeno-badhelp");
        folder_ = caseFolder.path();
        c.make(helpFile());
        messages_.texts.clear();
        const std::u16string shown = openHelp();
        if (c.message) {
            EXPECT_EQ(messages_.texts, std::vector<std::u16string>{std::u16string(missingMessage)});
            EXPECT_EQ(shown, u"");
        } else {
            EXPECT_TRUE(messages_.texts.empty());
            EXPECT_EQ(shown, c.shown);
        }
    }
}

#if !defined(_WIN32)
TEST_F(BadHelpFile, UnreadableFileGivesTheMessage) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    writeBytes(helpFile(), "abc\r\n");
    fs::permissions(helpFile(), fs::perms::none);
    EXPECT_EQ(openHelp(), u"");
    EXPECT_EQ(messages_.texts, std::vector<std::u16string>{std::u16string(missingMessage)});
}
#endif

// The file is read once per load: a change while the window is open shows at the next load
// only, and a file removed while the window is open leaves its text in place.
TEST_F(BadHelpFile, ChangeWhileOpenShowsAtTheNextLoad) {
    writeBytes(helpFile(), "first\r\n");
    EXPECT_EQ(openHelp(), u"first\r\n");
    writeBytes(helpFile(), "second, longer\r\n");
    app_->chooseMenu(app_->loaded(u"Kalpeno")->menu(u"mnuHelp"));
    forms::Form* help = app_->loaded(u"frmHelp");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->textBox(u"Text1").text(), u"first\r\n");

    fs::remove(helpFile());
    EXPECT_EQ(help->textBox(u"Text1").text(), u"first\r\n");
    app_->close(*help);
    writeBytes(helpFile(), "second, longer\r\n");
    app_->chooseMenu(app_->loaded(u"Kalpeno")->menu(u"mnuHelp"));
    EXPECT_EQ(app_->loaded(u"frmHelp")->textBox(u"Text1").text(), u"second, longer\r\n");
    EXPECT_TRUE(messages_.texts.empty());
}

} // namespace
} // namespace kalpeno::fuzz
