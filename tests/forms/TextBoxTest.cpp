// What a text box does with the keys that reach it: insert at the caret, Backspace before the
// caret (a surrogate pair or a CR LF as one character), Enter only in a multi-line box.
#include "TestForms.h"

#include <gtest/gtest.h>

#include <string>

namespace kalpeno::forms {
namespace {

std::string utf8(std::u16string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if (c < 0x800) {
            result += static_cast<char>(0xC0 | c >> 6);
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            result += static_cast<char>(0xE0 | c >> 12);
            result += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | c >> 18);
            result += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            result += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

enum class Box { SingleLine, MultiLine, ReadOnly };

struct EditCase {
    const char* name;
    Box box;
    const char16_t* initial;
    std::size_t caret; // placed after the initial text is set
    const char32_t* keys;
    const char16_t* text;
    std::size_t caretAfter;
};

class TextBoxEditTest : public fixtures::StartedProgram<::testing::TestWithParam<EditCase>> {};

TEST_P(TextBoxEditTest, EditsAtTheCaret) {
    const EditCase& c = GetParam();
    const char16_t* names[] = {u"Text1", u"Memo", u"Fixed"};
    TextBox& box = program.main().textBox(names[static_cast<int>(c.box)]);
    box.setText(c.initial);
    ASSERT_TRUE(program.app.moveCaret(box, c.caret));
    for (const char32_t* key = c.keys; *key; ++key) {
        ASSERT_TRUE(program.app.pressKey(box, *key));
    }
    EXPECT_EQ(utf8(box.text()), utf8(c.text));
    EXPECT_EQ(box.caret(), c.caretAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextBoxEditTest,
    testing::Values(
        EditCase{"AppendAtEnd", Box::SingleLine, u"12", 2, U"3", u"123", 3},
        EditCase{"InsertInside", Box::SingleLine, u"12", 1, U"+", u"1+2", 2},
        EditCase{"InsertAtStart", Box::SingleLine, u"12", 0, U"ab", u"ab12", 2},
        EditCase{"BackspaceAtEnd", Box::SingleLine, u"123", 3, U"\b", u"12", 2},
        EditCase{"BackspaceInside", Box::SingleLine, u"12+3", 1, U"\b", u"2+3", 0},
        EditCase{"BackspaceAtStart", Box::SingleLine, u"12", 0, U"\b", u"12", 0},
        EditCase{"BackspaceEmpty", Box::SingleLine, u"", 0, U"\b\b", u"", 0},
        EditCase{"CaretBeyondEnd", Box::SingleLine, u"12", 99, U"3", u"123", 3},
        EditCase{"EnterInSingleLine", Box::SingleLine, u"12", 2, U"\r", u"12", 2},
        EditCase{"FullWidthWithoutHandler", Box::SingleLine, u"", 0, U"１あ", u"１あ", 2},
        EditCase{"SurrogatePair", Box::SingleLine, u"a", 1, U"😀b", u"a😀b", 4},
        EditCase{"BackspaceSurrogatePair", Box::SingleLine, u"a😀", 3, U"\b", u"a", 1},
        EditCase{"CaretInsidePair", Box::SingleLine, u"a😀b", 2, U"x", u"ax😀b", 2},
        EditCase{"EnterInMultiLine", Box::MultiLine, u"ab", 1, U"\r", u"a\r\nb", 3},
        EditCase{"BackspaceCrLf", Box::MultiLine, u"a\r\nb", 3, U"\b", u"ab", 1},
        EditCase{"CaretInsideCrLf", Box::MultiLine, u"a\r\nb", 2, U"x", u"ax\r\nb", 2},
        EditCase{"BackspaceCaretInsideCrLf", Box::MultiLine, u"a\r\nb", 2, U"\b", u"\r\nb", 0},
        EditCase{"TypingAfterCrLf", Box::MultiLine, u"a", 1, U"\rb\b\b", u"a", 1},
        EditCase{"ReadOnlyIgnoresKeys", Box::ReadOnly, u"12", 1, U"3\b\r", u"12", 1}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

struct PasteCase {
    const char* name;
    Box box;
    const char16_t* initial;
    std::size_t caret;
    const char16_t* pasted;
    const char16_t* text;
};

class TextBoxPasteTest : public TextBoxEditTest {};

// Without a key-press handler: a single-line box takes the text up to its first line end, a
// multi-line box all of it with the box's CR LF line ends; control characters are no text.
TEST_F(TextBoxPasteTest, InsertsAtTheCaret) {
    const PasteCase cases[] = {
        {"SingleAtCaret", Box::SingleLine, u"12", 1, u"ab", u"1ab2"},
        {"SingleStopsAtCrLf", Box::SingleLine, u"", 0, u"1\r\n2", u"1"},
        {"SingleStopsAtLf", Box::SingleLine, u"", 0, u"1\n2", u"1"},
        {"SingleDropsControls", Box::SingleLine, u"", 0,
         u"a\tb\x01\x7f"
         u"c",
         u"abc"},
        {"SingleAstral", Box::SingleLine, u"", 0, u"x😀", u"x😀"},
        {"MultiLineEnds", Box::MultiLine, u"", 0, u"a\rb\nc\r\nd", u"a\r\nb\r\nc\r\nd"},
        {"MultiKeepsTab", Box::MultiLine, u"xy", 1, u"\t\x01", u"x\ty"},
        {"ReadOnly", Box::ReadOnly, u"12", 1, u"3", u"12"},
    };
    const char16_t* names[] = {u"Text1", u"Memo", u"Fixed"};
    for (const PasteCase& c : cases) {
        TextBox& box = program.main().textBox(names[static_cast<int>(c.box)]);
        box.setText(c.initial);
        ASSERT_TRUE(program.app.moveCaret(box, c.caret));
        ASSERT_TRUE(program.app.paste(box, c.pasted));
        EXPECT_EQ(utf8(box.text()), utf8(c.text)) << c.name;
    }
}

// Each character goes through the handler as a typed one; a message ends the paste, whether the
// character was refused or taken, a silent swallow does not; observers hear of the text once.
TEST_F(TextBoxPasteTest, GoesThroughTheHandlerAndIsToldOnce) {
    struct Counter : ModelObserver {
        void controlChanged(Control&, Property p) override { texts += p == Property::Text; }
        void formLoaded(Form&) override {}
        void formShown(Form&) override {}
        void formUnloading(Form&) override {}
        void focusChanged(Control*) override {}
        void programEnded() override {}
        int texts = 0;
    } counter;
    TextBox& box = program.main().textBox(u"Text1");
    box.onKeyPress = [&](std::int16_t& k) {
        if (k == 'x') {
            k = 0;
        } else if (k == '!') {
            k = 0;
            program.app.msgBox(u"no");
        }
    };
    program.app.addObserver(counter);
    ASSERT_TRUE(program.app.paste(box, u"1x２−3!45"));
    EXPECT_EQ(utf8(box.text()), "12-3");
    EXPECT_EQ(program.messages.texts.size(), 1u);
    EXPECT_EQ(counter.texts, 1);
    box.onKeyPress = [&](std::int16_t& k) {
        if (k == '/') {
            program.app.msgBox(u"told"); // taken, with a message
        }
    };
    ASSERT_TRUE(program.app.paste(box, u"/6/7"));
    program.app.removeObserver(counter);
    EXPECT_EQ(utf8(box.text()), "12-3/");
    EXPECT_EQ(program.messages.texts.size(), 2u);
}

// setText replaces the whole text; the caret goes to the end of a single-line box, so typing
// continues the record, and to the start of a multi-line one.
using TextBoxText = fixtures::StartedProgram<>;

TEST_F(TextBoxText, SetTextPlacesTheCaret) {
    TextBox& single = program.main().textBox(u"Text1");
    TextBox& memo = program.main().textBox(u"Memo");
    single.setText(u"abc");
    EXPECT_EQ(single.caret(), 3u);
    single.setCaret(1);
    single.append(u"de");
    EXPECT_EQ(single.text(), u"abcde");
    EXPECT_EQ(single.caret(), 5u);
    single.setText(u"");
    EXPECT_EQ(single.caret(), 0u);
    memo.setText(u"line one\r\nline two");
    EXPECT_EQ(memo.caret(), 0u);
}

TEST_F(TextBoxText, DesignFlagsReachTheBox) {
    const TextBox& fixed = program.main().textBox(u"Fixed");
    EXPECT_TRUE(fixed.readOnly());
    EXPECT_EQ(fixed.alignment(), Alignment::Right);
    EXPECT_TRUE(program.main().textBox(u"Memo").multiLine());
    EXPECT_FALSE(program.main().textBox(u"Text1").multiLine());
}

} // namespace
} // namespace kalpeno::forms
