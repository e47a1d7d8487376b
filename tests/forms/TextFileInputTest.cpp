// Sequential text-file input: CP932 bytes become the text the Help window shows, line by line,
// and every file that is not a readable regular file of at most 16 MiB counts as unreadable
// without blocking, without exhausting memory and without leaving a descriptor open.
#include "forms/TextFileInput.h"
#include "forms/Cp932.h"
#include "scenario/OpenDescriptors.h"
#include "scenario/ScratchFolder.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace kalpeno::forms {
namespace {

namespace fs = std::filesystem;

std::u16string u16(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

using scenario::openDescriptors;

// A new empty folder per test, removed afterwards.
class TemporaryFolder : public testing::Test {
protected:
    fs::path file() const { return folder_ / "Help.txt"; }
    std::optional<TextFileInput> openFile() const {
        return TextFileInput::open(file().u16string());
    }

    scenario::ScratchFolder scratch_{"kalpeno-tfi"};
    const fs::path folder_ = scratch_.path();
};

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, DecodesCodePage932) {
    EXPECT_EQ(decodeCp932(GetParam().bytes), GetParam().text);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodeTest,
    testing::Values(DecodeCase{"Empty", "", u""}, DecodeCase{"Ascii", "abc 123", u"abc 123"},
                    DecodeCase{"BackslashAndTildeStayAscii", "\\~", u"\\~"},
                    DecodeCase{"Hiragana", "\x82\xA0\x82\xA2", u"あい"},
                    DecodeCase{"Kanji", "\x93\x64\x91\xEC", u"電卓"},
                    DecodeCase{"HalfWidthKatakana", "\xB1\xDD", u"ｱﾝ"},
                    DecodeCase{"WaveDashIsFullWidthTilde", "\x81\x60", u"\uFF5E"},
                    DecodeCase{"FullWidthMinus", "\x81\x7C", u"\uFF0D"},
                    DecodeCase{"FullWidthBackslash", "\x81\x5F", u"\uFF3C"},
                    DecodeCase{"FullWidthCent", "\x81\x91", u"\uFFE0"},
                    DecodeCase{"NecCircledOne", "\x87\x40", u"①"},
                    DecodeCase{"NecSelectedIbmKanji", "\xED\x40", u"\u7E8A"},
                    DecodeCase{"IbmSmallRomanOne", "\xFA\x40", u"\u2170"},
                    DecodeCase{"UserDefinedArea", "\xF0\x40", u"\uE000"},
                    DecodeCase{"ControlsKeepTheirValues", "\t\x1A\x1C\x7F",
                               u"\t\u001A\u001C\u007F"},
                    DecodeCase{"NulIsReplaced", "a\0b"s, u"a\uFFFDb"},
                    DecodeCase{"Byte80", "a\x80z", u"a\uFFFDz"},
                    DecodeCase{"ByteA0", "a\xA0z", u"a\uFFFDz"},
                    DecodeCase{"BytesFDtoFF", "\xFD\xFE\xFFz", u"\uFFFD\uFFFD\uFFFDz"},
                    DecodeCase{"LeadByteAtEnd", "ab\x82", u"ab\uFFFD"},
                    DecodeCase{"LeadByteBeforeBlank", "\x82 z", u"\uFFFD z"},
                    DecodeCase{"LeadByteBeforeLineEnd", "\x82\r\nz", u"\uFFFD\r\nz"},
                    DecodeCase{"UnassignedPair", "\x85\x40z", u"\uFFFDz"},
                    DecodeCase{"UnassignedPairInNecArea", "\xEF\x40z", u"\uFFFDz"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
};

class LineInputTest : public TemporaryFolder, public testing::WithParamInterface<LinesCase> {};

TEST_P(LineInputTest, SplitsAtCrLfAndLoneCr) {
    writeBytes(file(), GetParam().bytes);
    std::optional<TextFileInput> input = openFile();
    ASSERT_TRUE(input);
    std::vector<std::u16string> lines;
    while (!input->eof() && lines.size() <= GetParam().lines.size()) {
        lines.emplace_back(input->lineInput());
    }
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineInputTest,
    testing::Values(LinesCase{"Empty", "", {}},
                    LinesCase{"CrLf", "abc\r\ndef\r\n", {u"abc", u"def"}},
                    LinesCase{"LastLineWithoutEnd", "abc\r\ndef", {u"abc", u"def"}},
                    LinesCase{"LoneCr", "abc\rdef\r", {u"abc", u"def"}},
                    LinesCase{"LoneLfStaysInside", "a\nb\n", {u"a\nb\n"}},
                    LinesCase{"OneEmptyLine", "\r\n", {u""}},
                    LinesCase{"TwoEmptyLines", "\r\n\r\n", {u"", u""}},
                    LinesCase{"CrThenCrLf", "a\r\r\nb", {u"a", u"", u"b"}},
                    LinesCase{"LfThenCr", "a\n\rb", {u"a\n", u"b"}},
                    LinesCase{"Japanese", "\x93\x64\x91\xEC\r\n\x82\xA0", {u"電卓", u"あ"}},
                    LinesCase{"BrokenCharacterKeepsLineEnd", "\x82\r\nx", {u"\uFFFD", u"x"}}),
    [](const auto& info) { return std::string(info.param.name); });

// What reading every line and adding CR LF to each gives.
std::u16string linesOneByOne(TextFileInput& input) {
    std::u16string lines;
    while (!input.eof()) {
        lines += input.lineInput();
        lines += u"\r\n";
    }
    return lines;
}

class RemainingLinesTest : public TemporaryFolder, public testing::WithParamInterface<LinesCase> {};

TEST_P(RemainingLinesTest, AreTheLinesReadOneByOne) {
    writeBytes(file(), GetParam().bytes);
    std::optional<TextFileInput> one = openFile();
    std::optional<TextFileInput> all = openFile();
    ASSERT_TRUE(one && all);
    std::u16string expected;
    for (const std::u16string& line : GetParam().lines) {
        expected += line + u"\r\n";
    }
    EXPECT_EQ(linesOneByOne(*one), expected);
    EXPECT_EQ(all->remainingLines(), expected);
    EXPECT_TRUE(all->eof());
}

// The decoder works through the file in pieces of 8192 units and 65536 bytes: a CR LF or a lone
// CR on the border of two pieces must be told apart as well as inside one.
const std::string a8191(8191, 'a');
const std::string a65535(65535, 'a');

INSTANTIATE_TEST_SUITE_P(
    Files, RemainingLinesTest,
    testing::Values(LinesCase{"Empty", "", {}},
                    LinesCase{"CrLf", "abc\r\ndef\r\n", {u"abc", u"def"}},
                    LinesCase{"LastLineWithoutEnd", "abc\r\ndef", {u"abc", u"def"}},
                    LinesCase{"LoneCrInside", "abc\rdef\r\n", {u"abc", u"def"}},
                    LinesCase{"LoneCrAtEnd", "abc\r\ndef\r", {u"abc", u"def"}},
                    LinesCase{"LoneLfAtEnd", "a\n", {u"a\n"}},
                    LinesCase{"CrLfThenLf", "a\r\n\n", {u"a", u"\n"}},
                    LinesCase{"OneEmptyLine", "\r\n", {u""}},
                    LinesCase{"NulAndControls", "a\0\x1A\r\n"s, {u"a\uFFFD\u001A"}},
                    LinesCase{"BrokenCharacterAtEnd", "ab\r\n\x82", {u"ab", u"\uFFFD"}},
                    LinesCase{"CrAtEndOfPieceThenLf", a8191 + "\r\nb", {u16(a8191), u"b"}},
                    LinesCase{"CrAtEndOfPieceAlone", a8191 + "\rb\r\n", {u16(a8191), u"b"}},
                    LinesCase{"CrAtEndOfReadThenLf", a65535 + "\r\nb", {u16(a65535), u"b"}},
                    LinesCase{"CrAtEndOfReadAlone", a65535 + "\rb", {u16(a65535), u"b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TemporaryFolder, ManyLinesAreReadCompletely) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += std::to_string(i) + "\r\n";
    }
    writeBytes(file(), bytes);
    std::optional<TextFileInput> input = openFile();
    ASSERT_TRUE(input);
    int count = 0;
    std::u16string last;
    while (!input->eof()) {
        last = input->lineInput();
        ++count;
    }
    EXPECT_EQ(count, 200000);
    EXPECT_EQ(last, u"199999");
}

TEST_F(TemporaryFolder, FileOfExactlyTheLimitIsRead) {
    { std::ofstream create(file(), std::ios::binary); }
    fs::resize_file(file(), TextFileInput::maximumSize);
    std::optional<TextFileInput> input = openFile();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->size(), TextFileInput::maximumSize);
}

#if !defined(_WIN32)
TEST_F(TemporaryFolder, SymbolicLinkToRegularFileIsRead) {
    writeBytes(folder_ / "real.txt", "abc\r\n");
    fs::create_symlink(folder_ / "real.txt", file());
    std::optional<TextFileInput> input = openFile();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->lineInput(), u"abc");
}
#endif

// Files that another program holds open while a test runs; closed when the test ends.
#if defined(_WIN32)
std::vector<HANDLE> heldFiles;
void releaseHeldFiles() {
    for (HANDLE file : heldFiles) {
        CloseHandle(file);
    }
    heldFiles.clear();
}
#else
void releaseHeldFiles() {}
#endif

struct BadFileCase {
    const char* name;
    std::function<void(const fs::path& file)> make;
};

class UnreadableFileTest : public TemporaryFolder, public testing::WithParamInterface<BadFileCase> {
protected:
    void TearDown() override { releaseHeldFiles(); }
};

// None of these may block, and none may leave a descriptor open.
TEST_P(UnreadableFileTest, CountsAsUnreadable) {
    GetParam().make(file());
    const int before = openDescriptors();
    EXPECT_FALSE(openFile());
    EXPECT_EQ(openDescriptors(), before);
}

// What no system reads as a file, then what each system has besides.
std::vector<BadFileCase> unreadableFiles() {
    std::vector<BadFileCase> cases{
        {"Missing", [](const fs::path&) {}},
        {"Folder", [](const fs::path& f) { fs::create_directory(f); }},
        {"LargerThanLimit",
         [](const fs::path& f) {
             { std::ofstream create(f, std::ios::binary); }
             fs::resize_file(f, TextFileInput::maximumSize + 1);
         }},
    };
#if defined(_WIN32)
    // Held open by another program that shares it with nobody, as an editor may.
    cases.push_back({"HeldWithoutSharing", [](const fs::path& f) {
                         const HANDLE held =
                             CreateFileW(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
                         ASSERT_NE(held, INVALID_HANDLE_VALUE);
                         heldFiles.push_back(held);
                     }});
#else
    cases.push_back({"Fifo", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }});
    cases.push_back(
        {"LinkToDevZero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }});
    cases.push_back(
        {"LinkToDevNull", [](const fs::path& f) { fs::create_symlink("/dev/null", f); }});
    cases.push_back({"DanglingLink",
                     [](const fs::path& f) { fs::create_symlink(f.parent_path() / "gone", f); }});
    cases.push_back({"LinkToItself", [](const fs::path& f) { fs::create_symlink(f, f); }});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableFileTest, testing::ValuesIn(unreadableFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextFileInputPathTest, PathsThatNameNoFileAreUnreadable) {
    EXPECT_FALSE(TextFileInput::open(u""));
    EXPECT_FALSE(TextFileInput::open(std::u16string(u"/tmp/a\0b", 8)));
    EXPECT_FALSE(TextFileInput::open(u"/tmp/\xD800.txt")); // a lone surrogate
}

} // namespace
} // namespace kalpeno::forms
