#include "qt/boxes/KeyTranslation.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace kalpeno::qt::test {

namespace {

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;
    KeyEffect effect;
    std::vector<char32_t> keys;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class KeyMeaningTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMeaningTest, Means) {
    const KeyCase& c = GetParam();
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, QString::fromUtf16(c.text));
    const KeyMeaning meaning = keyMeaning(event);
    EXPECT_EQ(meaning.effect, c.effect);
    EXPECT_EQ(meaning.keys, c.keys);
}

constexpr auto none = Qt::NoModifier;
constexpr auto ctrl = Qt::ControlModifier;
constexpr auto keypad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMeaningTest,
    ::testing::Values(
        KeyCase{"Digit", Qt::Key_1, none, u"1", KeyEffect::Keys, {U'1'}},
        KeyCase{"Space", Qt::Key_Space, none, u" ", KeyEffect::Keys, {U' '}},
        KeyCase{"FullWidthDigit", Qt::Key_unknown, none, u"１", KeyEffect::Keys, {U'１'}},
        KeyCase{"Kana", Qt::Key_unknown, none, u"あ", KeyEffect::Keys, {U'あ'}},
        KeyCase{"Astral", Qt::Key_unknown, none, u"\U0001F600", KeyEffect::Keys, {U'\U0001F600'}},
        KeyCase{"Backspace", Qt::Key_Backspace, none, u"\b", KeyEffect::Keys, {8}},
        KeyCase{"Return", Qt::Key_Return, none, u"\r", KeyEffect::Keys, {13}},
        KeyCase{"KeypadEnter", Qt::Key_Enter, keypad, u"\r", KeyEffect::Keys, {13}},
        KeyCase{"KeypadDigit", Qt::Key_7, keypad, u"7", KeyEffect::Keys, {U'7'}},
        KeyCase{"KeypadDecimalComma", Qt::Key_Comma, keypad, u",", KeyEffect::Keys, {U'.'}},
        KeyCase{"KeypadDecimalPoint", Qt::Key_Period, keypad, u".", KeyEffect::Keys, {U'.'}},
        KeyCase{"MainComma", Qt::Key_Comma, none, u",", KeyEffect::Keys, {U','}},
        KeyCase{"Delete", Qt::Key_Delete, none, u"\x7f", KeyEffect::Refused, {}},
        KeyCase{"CtrlBackspace", Qt::Key_Backspace, ctrl, u"", KeyEffect::Refused, {}},
        // The edits that would bypass the handlers: cut, undo and redo, and deletions.
        KeyCase{"CtrlX", Qt::Key_X, ctrl, u"\x18", KeyEffect::Refused, {}},
        KeyCase{"CtrlZ", Qt::Key_Z, ctrl, u"\x1a", KeyEffect::Refused, {}},
        KeyCase{"CtrlShiftZ", Qt::Key_Z, ctrl | Qt::ShiftModifier, u"\x1a", KeyEffect::Refused, {}},
        KeyCase{"CtrlY", Qt::Key_Y, ctrl, u"\x19", KeyEffect::Refused, {}},
        KeyCase{"ShiftDelete", Qt::Key_Delete, Qt::ShiftModifier, u"", KeyEffect::Refused, {}},
        KeyCase{"CtrlDelete", Qt::Key_Delete, ctrl, u"", KeyEffect::Refused, {}},
        KeyCase{"CtrlLetter", Qt::Key_Q, ctrl, u"q", KeyEffect::Refused, {}},
        KeyCase{"CtrlLetterAsControl", Qt::Key_Q, ctrl, u"\x11", KeyEffect::Unhandled, {}},
        KeyCase{"Paste", Qt::Key_V, ctrl, u"\x16", KeyEffect::Paste, {}},
        KeyCase{"ShiftInsert", Qt::Key_Insert, Qt::ShiftModifier, u"", KeyEffect::Paste, {}},
        KeyCase{"Copy", Qt::Key_C, ctrl, u"\x03", KeyEffect::Copy, {}},
        KeyCase{"Left", Qt::Key_Left, none, u"", KeyEffect::Navigation, {}},
        KeyCase{"ShiftEnd", Qt::Key_End, Qt::ShiftModifier, u"", KeyEffect::Navigation, {}},
        KeyCase{"SelectAll", Qt::Key_A, ctrl, u"\x01", KeyEffect::Navigation, {}},
        KeyCase{"Escape", Qt::Key_Escape, none, u"\x1b", KeyEffect::Unhandled, {}},
        KeyCase{"F1", Qt::Key_F1, none, u"", KeyEffect::Unhandled, {}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

} // namespace

} // namespace kalpeno::qt::test
