// The Win32 layer where the scenario files do not reach: what assistive technology reads of a
// picture and its default action, the design's fonts on the native controls, Tab in the design's
// order, the design keys, the edits an EDIT refuses, and a long calculation shown as an excerpt.
#include "forms/Form.h"
#include "forms/TextBox.h"
#include "scenario/ScratchFolder.h"
#include "win32/Clipboard.h"
#include "win32/ControlView.h"
#include "win32/EditView.h"
#include "win32/FormWindow.h"
#include "win32/Wide.h"
#include "win32/Win32Session.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>

namespace kalpeno::win32 {
namespace {

// Assistive technology's objects cross the apartment as the program's do.
const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

class Win32LayerTest : public testing::Test {
protected:
    ControlView& view(std::u16string_view name, int index = -1) {
        FormWindow* window = session_.layer().window(u"Kalpeno");
        forms::Control* control = window->form()->find(name, index);
        return *window->view(*control);
    }
    HWND hwnd(std::u16string_view name, int index = -1) { return view(name, index).hwnd(); }
    forms::TextBox& box(std::u16string_view name) {
        return static_cast<forms::TextBox&>(*view(name).control());
    }

    scenario::ScratchFolder folder_{"kalpeno-win32"};
    Win32Session session_{folder_.path().u16string()};
};

std::u16string text(BSTR value) {
    std::u16string result = value ? fromWide(value, SysStringLen(value)) : u"";
    SysFreeString(value);
    return result;
}

struct PictureCase {
    const char16_t* name;
    long role;
    const char16_t* spoken;
    const char16_t* description;
    const char16_t* key;
};

class PictureTest : public Win32LayerTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(PictureTest, IsWhatAssistiveTechnologyReads) {
    IAccessible* picture = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(hwnd(GetParam().name), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&picture)),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    picture->get_accRole(self, &role);
    EXPECT_EQ(role.lVal, GetParam().role);
    BSTR value = nullptr;
    picture->get_accName(self, &value);
    EXPECT_EQ(text(value), GetParam().spoken);
    picture->get_accDescription(self, &value);
    EXPECT_EQ(text(value), GetParam().description);
    picture->get_accKeyboardShortcut(self, &value);
    EXPECT_EQ(text(value), GetParam().key);
    picture->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTest,
    testing::Values(PictureCase{u"Image1", ROLE_SYSTEM_PUSHBUTTON, u"電卓Aを選ぶ",
                                u"ショートカットキー: Ctrl+1", u"Ctrl+1"},
                    PictureCase{u"Image3", ROLE_SYSTEM_PUSHBUTTON, u"電卓Cを選ぶ",
                                u"ショートカットキー: Ctrl+3", u"Ctrl+3"},
                    PictureCase{u"Image4", ROLE_SYSTEM_GRAPHIC, u"電卓Aを使用中", u"", u""}),
    [](const auto& info) {
        return std::string(info.param.name,
                           info.param.name + std::char_traits<char16_t>::length(info.param.name));
    });

// The default action clicks the picture; the focus goes where the click puts it, never to the
// picture.
TEST_F(Win32LayerTest, APicturesDefaultActionClicksIt) {
    IAccessible* picture = nullptr;
    AccessibleObjectFromWindow(hwnd(u"Image2"), OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&picture));
    ASSERT_NE(picture, nullptr);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(picture->accDoDefaultAction(self), S_OK);
    picture->Release();
    session_.settle();
    EXPECT_EQ(session_.calculatorWindow()->ActiveCalc, 3);
    EXPECT_EQ(GetFocus(), hwnd(u"Text3"));
}

struct FontCase {
    const char16_t* name;
    int index;
    LONG height; // pixels at 96 dpi
};

class FontTest : public Win32LayerTest, public testing::WithParamInterface<FontCase> {};

TEST_P(FontTest, IsTheDesignsGothicInShiftJis) {
    const auto font = reinterpret_cast<HFONT>(
        SendMessageW(hwnd(GetParam().name, GetParam().index), WM_GETFONT, 0, 0));
    LOGFONTW shown{};
    ASSERT_NE(GetObjectW(font, sizeof shown, &shown), 0);
    EXPECT_EQ(shown.lfHeight, -GetParam().height);
    EXPECT_EQ(shown.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_STREQ(shown.lfFaceName, L"ＭＳ Ｐゴシック");
}

INSTANTIATE_TEST_SUITE_P(Controls, FontTest,
                         testing::Values(FontCase{u"Text1", -1, 15}, FontCase{u"Text3", -1, 16},
                                         FontCase{u"Label2", 0, 24}, FontCase{u"Text7", -1, 13},
                                         FontCase{u"Command9", -1, 12}));

// Tab goes through the design's order, the entry and total boxes first, and round again.
TEST_F(Win32LayerTest, TabFollowsTheDesignsOrder) {
    const std::pair<const char16_t*, int> order[] = {
        {u"Text2", -1}, {u"Text3", -1},   {u"Text4", -1},  {u"Text5", -1},
        {u"Text6", -1}, {u"Command2", 0}, {u"Command2", 1}};
    ASSERT_EQ(GetFocus(), hwnd(u"Text1"));
    for (const auto& [name, index] : order) {
        session_.pressKey(GetFocus(), VK_TAB);
        EXPECT_EQ(GetFocus(), hwnd(name, index)) << std::string(name, name + 8);
    }
    SetFocus(hwnd(u"Command1"));
    session_.settle();
    session_.pressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), hwnd(u"Text1"));
}

TEST_F(Win32LayerTest, TheDesignsKeysClickTheirPictures) {
    session_.pressKey(hwnd(u"Text1"), '2', false, true);
    EXPECT_EQ(session_.calculatorWindow()->ActiveCalc, 3);
    session_.pressKey(hwnd(u"Text3"), '3', false, true);
    EXPECT_EQ(session_.calculatorWindow()->ActiveCalc, 5);
}

struct RefusedCase {
    const char* name;
    UINT key;
    bool shift;
    bool control;
};

class RefusedKeyTest : public Win32LayerTest, public testing::WithParamInterface<RefusedCase> {};

// Keys that would change the text without the key-press handler leave it as it is.
TEST_P(RefusedKeyTest, LeavesTheTextAsItIs) {
    session_.paste({u"Kalpeno", u"Text1"}, u"12+3");
    session_.caret({u"Kalpeno", u"Text1"}, 2);
    session_.pressKey(hwnd(u"Text1"), GetParam().key, GetParam().shift, GetParam().control);
    EXPECT_EQ(box(u"Text1").text(), u"12+3");
    EXPECT_EQ(windowText(hwnd(u"Text1")), u"12+3");
}

INSTANTIATE_TEST_SUITE_P(Keys, RefusedKeyTest,
                         testing::Values(RefusedCase{"Delete", VK_DELETE, false, false},
                                         RefusedCase{"ShiftDelete", VK_DELETE, true, false},
                                         RefusedCase{"CtrlX", 'X', false, true},
                                         RefusedCase{"CtrlZ", 'Z', false, true},
                                         RefusedCase{"CtrlBackspace", VK_BACK, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Ctrl+A selects the model's whole text, also beyond the window of a long one, and Ctrl+C copies
// it; the EDIT itself holds a window around the caret.
TEST_F(Win32LayerTest, ALongCalculationIsShownAsAWindowAndCopiedWhole) {
    std::u16string calculation;
    for (int i = 0; i < 20000; ++i) {
        calculation += u"1+";
    }
    session_.paste({u"Kalpeno", u"Text1"}, calculation);
    EXPECT_LE(windowText(hwnd(u"Text1")).size(), editWindow.length);
    EXPECT_EQ(static_cast<EditView&>(view(u"Text1")).shownText(), calculation);
    session_.pressKey(hwnd(u"Text1"), 'A', false, true);
    session_.pressKey(hwnd(u"Text1"), 'C', false, true);
    EXPECT_EQ(clipboardText(hwnd(u"Text1")), calculation);
    session_.pressKey(hwnd(u"Text1"), VK_HOME);
    EXPECT_EQ(box(u"Text1").caret(), 0u);
}

} // namespace
} // namespace kalpeno::win32
