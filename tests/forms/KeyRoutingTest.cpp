// What a key-press handler sees of a typed character: full-width forms of the calculator's
// characters fold to ASCII, every other character outside ASCII arrives as its CP932 code.
#include "forms/KeyRouting.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kalpeno::forms {
namespace {

struct FoldCase {
    char32_t typed;
    char32_t folded;
};

class FoldTest : public testing::TestWithParam<FoldCase> {};

TEST_P(FoldTest, FoldsTheCalculatorsCharacters) {
    EXPECT_EQ(KeyRouting::fold(GetParam().typed), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(Characters, FoldTest,
                         testing::Values(
                             // The full-width twins of the accepted characters.
                             FoldCase{U'０', U'0'}, FoldCase{U'５', U'5'}, FoldCase{U'９', U'9'},
                             FoldCase{U'．', U'.'}, FoldCase{U'＋', U'+'}, FoldCase{U'－', U'-'},
                             FoldCase{U'＊', U'*'}, FoldCase{U'／', U'/'}, FoldCase{U'　', U' '},
                             FoldCase{U'＝', U'='},
                             // What kana mode sends for "-", "/", "." and "*".
                             FoldCase{U'−', U'-'}, FoldCase{U'ー', U'-'}, FoldCase{U'ｰ', U'-'},
                             FoldCase{U'‐', U'-'}, FoldCase{U'・', U'/'}, FoldCase{U'･', U'/'},
                             FoldCase{U'÷', U'/'}, FoldCase{U'。', U'.'}, FoldCase{U'｡', U'.'},
                             FoldCase{U'×', U'*'},
                             // Everything else stays as typed.
                             FoldCase{U'Ａ', U'Ａ'}, FoldCase{U'あ', U'あ'}, FoldCase{U'ｱ', U'ｱ'},
                             FoldCase{U'，', U'，'}, FoldCase{U'：', U'：'}, FoldCase{U'＼', U'＼'},
                             FoldCase{U'！', U'！'}, FoldCase{U'～', U'～'}, FoldCase{U'5', U'5'},
                             FoldCase{U'\b', U'\b'}, FoldCase{U'—', U'—'}, FoldCase{U'😀', U'😀'}));

struct CodeCase {
    char32_t key;
    std::int16_t keyAscii;
};

class KeyAsciiTest : public testing::TestWithParam<CodeCase> {};

TEST_P(KeyAsciiTest, GivesTheSigned16BitCp932Code) {
    const KeyRouting routing;
    EXPECT_EQ(routing.keyAscii(GetParam().key), GetParam().keyAscii);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, KeyAsciiTest,
    testing::Values(
        // ASCII is its own code.
        CodeCase{U'\b', 8}, CodeCase{U'\r', 13}, CodeCase{U' ', 32}, CodeCase{U'+', 43},
        CodeCase{U'0', 48}, CodeCase{U'9', 57}, CodeCase{U'=', 61}, CodeCase{U'X', 88},
        CodeCase{U'\x7f', 127},
        // Double-byte characters: lead byte high, so negative as a signed 16-bit value.
        CodeCase{U'あ', -32096}, // 0x82A0
        CodeCase{U'＝', -32383}, // 0x8181
        CodeCase{U'漢', -30017}, // 0x8ABF
        CodeCase{U'１', -32176}, // 0x8250, when it is not folded first
        CodeCase{U'　', -32448}, // 0x8140
        // Half-width katakana are single bytes above 0x7F.
        CodeCase{U'ｱ', 177}, CodeCase{U'｡', 161},
        // NEC's and IBM's rows: the system's choice where both hold a character.
        CodeCase{U'①', -30912}, // 0x8740
        CodeCase{U'ⅰ', -1472},  // 0xFA40
        // Characters CP932 cannot hold arrive as "?", and so do those whose bytes, in one
        // system's table or the other's, do not read back as them.
        CodeCase{U'😀', 63}, CodeCase{U'€', 63}, CodeCase{U'\u0080', 63}, CodeCase{U'\uF8F0', 63},
        CodeCase{U'\uF8F3', 63}, CodeCase{U'\uF86F', 63}));

} // namespace
} // namespace kalpeno::forms
