#include "calculator/Kalpeno.h"

namespace kalpeno::calculator {

namespace {

using forms::Alignment;
using forms::ControlDesign;
using forms::ControlFlags;
using forms::ControlKind;
using forms::ControlRef;
using forms::MenuDesign;

constexpr std::u16string_view gothic = u"ＭＳ Ｐゴシック";
constexpr forms::Colour grey = 0x00C0C0C0;
constexpr ControlFlags entryFlags{};
constexpr ControlFlags totalFlags{.readOnly = true, .alignment = Alignment::Right};
constexpr ControlFlags displayFlags{.readOnly = true};
constexpr ControlFlags hidden{.hidden = true};

constexpr ControlDesign label(std::u16string_view name, int index, forms::Bounds bounds,
                              std::u16string_view caption, std::u16string_view accessibleName,
                              forms::FontSpec font = {}) {
    return {.kind = ControlKind::Label,
            .name = name,
            .index = index,
            .bounds = bounds,
            .caption = caption,
            .accessibleName = accessibleName,
            .font = font};
}

constexpr ControlDesign button(std::u16string_view name, int index, forms::Bounds bounds,
                               std::u16string_view caption, std::u16string_view accessibleName) {
    return {.kind = ControlKind::CommandButton,
            .name = name,
            .index = index,
            .bounds = bounds,
            .caption = caption,
            .accessibleName = accessibleName};
}

constexpr ControlDesign box(std::u16string_view name, forms::Bounds bounds,
                            std::u16string_view accessibleName, double points, forms::Colour colour,
                            ControlFlags flags) {
    return {.kind = ControlKind::TextBox,
            .name = name,
            .bounds = bounds,
            .accessibleName = accessibleName,
            .font = {gothic, points},
            .backColour = colour,
            .flags = flags};
}

constexpr ControlDesign tape(std::u16string_view name, int left, std::u16string_view accessibleName,
                             forms::Colour colour) {
    return {.kind = ControlKind::ListBox,
            .name = name,
            .bounds = {left, 2640, 1935, 5010},
            .accessibleName = accessibleName,
            .font = {gothic, 11.25},
            .backColour = colour};
}

constexpr ControlDesign picture(std::u16string_view name, forms::Bounds bounds,
                                std::u16string_view accessibleName, std::u16string_view artwork,
                                ControlFlags flags = {}, forms::Shortcut shortcut = {}) {
    return {.kind = ControlKind::Image,
            .name = name,
            .bounds = bounds,
            .accessibleName = accessibleName,
            .flags = flags,
            .picture = artwork,
            .shortcut = shortcut};
}

constexpr forms::Colour yellow = 0x00C0FFFF;
constexpr forms::Colour green = 0x00C0FFC0;
constexpr forms::Colour orange = 0x00C0E0FF;

constexpr std::array designControls{
    label(u"Label8", -1, {120, 120, 615, 255}, u"各電卓", u"各電卓の見出し"),
    label(u"Label1", -1, {1440, 120, 2895, 255}, u"計算の順番を記録します。",
          u"計算の順番の見出し"),
    label(u"Label3", -1, {6600, 120, 1455, 255}, u"計算の合計", u"計算の合計の見出し",
          {gothic, 9.75}),
    // The letters can be clicked from the keyboard too: the pictures take no focus.
    picture(u"Image1", {120, 360, 615, 495}, u"電卓Aを選ぶ", u"tileA", {},
            {.control = true, .key = u'1'}),
    picture(u"Image2", {120, 1080, 615, 495}, u"電卓Bを選ぶ", u"tileB", {},
            {.control = true, .key = u'2'}),
    picture(u"Image3", {120, 1800, 615, 555}, u"電卓Cを選ぶ", u"tileC", {},
            {.control = true, .key = u'3'}),
    picture(u"Image4", {120, 360, 615, 495}, u"電卓Aを使用中", u"markerA", hidden),
    picture(u"Image5", {120, 1080, 615, 495}, u"電卓Bを使用中", u"markerB", hidden),
    picture(u"Image6", {120, 1800, 615, 555}, u"電卓Cを使用中", u"markerC", hidden),
    box(u"Text1", {840, 360, 5175, 495}, u"電卓Aの入力", 11.25, yellow, entryFlags),
    box(u"Text3", {840, 1080, 5175, 495}, u"電卓Bの入力", 12, green, entryFlags),
    box(u"Text5", {840, 1800, 5175, 495}, u"電卓Cの入力", 12, orange, entryFlags),
    label(u"Label2", 0, {6120, 360, 135, 375}, u"=", u"電卓Aの等号", {gothic, 18}),
    label(u"Label2", 1, {6120, 1200, 135, 375}, u"=", u"電卓Bの等号", {gothic, 18}),
    label(u"Label2", 2, {6120, 1800, 135, 375}, u"=", u"電卓Cの等号", {gothic, 18}),
    box(u"Text2", {6360, 360, 1815, 495}, u"電卓Aの合計", 11.25, yellow, totalFlags),
    box(u"Text4", {6360, 1080, 1815, 495}, u"電卓Bの合計", 12, green, totalFlags),
    box(u"Text6", {6360, 1800, 1815, 495}, u"電卓Cの合計", 12, orange, totalFlags),
    button(u"Command6", -1, {8280, 360, 375, 495}, u"AA", u"電卓Aの合計を使う"),
    button(u"Command7", -1, {8280, 1080, 375, 495}, u"BB", u"電卓Bの合計を使う"),
    button(u"Command8", -1, {8280, 1800, 375, 495}, u"CC", u"電卓Cの合計を使う"),
    label(u"Label4", -1, {480, 2400, 1575, 255}, u"Ａ電卓の入力リスト",
          u"電卓Aの入力リストの見出し"),
    label(u"Label5", -1, {2640, 2400, 1455, 255}, u"B電卓の入力リスト",
          u"電卓Bの入力リストの見出し"),
    label(u"Label7", -1, {4800, 2400, 1575, 255}, u"C電卓の入力リスト",
          u"電卓Cの入力リストの見出し"),
    tape(u"List1", 120, u"電卓Aの入力リスト", yellow),
    tape(u"List2", 2280, u"電卓Bの入力リスト", green),
    tape(u"List3", 4440, u"電卓Cの入力リスト", orange),
    button(u"Command2", 6, {6720, 2640, 375, 375}, u"7", u"数字の7"),
    button(u"Command2", 7, {7200, 2640, 375, 375}, u"8", u"数字の8"),
    button(u"Command2", 8, {7680, 2640, 375, 375}, u"9", u"数字の9"),
    button(u"Command3", 0, {8280, 2640, 375, 375}, u"+", u"足し算"),
    button(u"Command2", 3, {6720, 3120, 375, 375}, u"4", u"数字の4"),
    button(u"Command2", 4, {7200, 3120, 375, 375}, u"5", u"数字の5"),
    button(u"Command2", 5, {7680, 3120, 375, 375}, u"6", u"数字の6"),
    button(u"Command3", 1, {8280, 3120, 375, 375}, u"-", u"引き算"),
    button(u"Command2", 0, {6720, 3600, 375, 375}, u"1", u"数字の1"),
    button(u"Command2", 1, {7200, 3600, 375, 375}, u"2", u"数字の2"),
    button(u"Command2", 2, {7680, 3600, 375, 375}, u"3", u"数字の3"),
    button(u"Command3", 2, {8280, 3600, 375, 375}, u"*", u"掛け算"),
    button(u"Command2", 9, {6720, 4080, 855, 375}, u"0", u"数字の0"),
    button(u"Command2", 10, {7680, 4080, 375, 375}, u".", u"小数点"),
    button(u"Command3", 3, {8280, 4080, 375, 375}, u"/", u"割り算"),
    button(u"cmdKotae1", -1, {6720, 4680, 1335, 375}, u"=", u"イコール"),
    box(u"Text7", {6960, 5640, 1695, 285}, u"計算中の左の数", 9.75, grey, displayFlags),
    ControlDesign{.kind = ControlKind::Label,
                  .name = u"Label6",
                  .bounds = {6600, 6000, 255, 255},
                  .accessibleName = u"計算中の演算子",
                  .font = {gothic, 14.25},
                  .backColour = grey},
    box(u"Text9", {6960, 6000, 1695, 285}, u"計算中の右の数", 9.75, grey, displayFlags),
    button(u"Command9", -1, {6720, 6840, 855, 540}, u"全クリア", u"全クリア"),
    button(u"Command1", -1, {7920, 6840, 855, 495}, u"クリア", u"クリア"),
    ControlDesign{.kind = ControlKind::Timer,
                  .name = u"Timer1",
                  .flags = {.disabled = true},
                  .interval = 36000},
};

constexpr std::array<MenuDesign, 6> colourItems{{
    {u"mnuWhite", u"白", {}},
    {u"mnuSilver", u"灰色", {}},
    {u"mnuYellow", u"黄色", {}},
    {u"mnuGreen", u"緑", {}},
    {u"mnuBrown", u"茶色", {}},
    {u"mnuDefoult", u"標準", {}},
}};

constexpr std::array<MenuDesign, 4> designMenus{{
    {u"mnuEnd", u"電卓の終了", {}},
    {u"mnuVersion", u"情報", {}},
    {u"mnuHelp", u"ヘルプ", {}},
    {u"mnuBackColor", u"背景色", colourItems},
}};

constexpr std::array<ControlRef, 32> designTabOrder{{
    {u"Text1"},       {u"Text2"},        {u"Text3"},       {u"Text4"},       {u"Text5"},
    {u"Text6"},       {u"Command2", 0},  {u"Command2", 1}, {u"Command2", 2}, {u"Command2", 3},
    {u"Command2", 4}, {u"Command2", 5},  {u"Command2", 6}, {u"Command2", 7}, {u"Command2", 8},
    {u"Command2", 9}, {u"Command3", 0},  {u"Command3", 1}, {u"Command3", 2}, {u"Command3", 3},
    {u"cmdKotae1"},   {u"Command2", 10}, {u"Text7"},       {u"Text9"},       {u"List1"},
    {u"List2"},       {u"List3"},        {u"Command6"},    {u"Command7"},    {u"Command8"},
    {u"Command9"},    {u"Command1"},
}};

} // namespace

const forms::FormDesign& Kalpeno::design() {
    static const forms::FormDesign form{
        .name = u"Kalpeno",
        .caption = u"Orlanvi",
        .clientWidth = 8985,
        .clientHeight = 7875,
        .resizable = false,
        .icon = u"kalpeno",
        .controls = designControls,
        .menus = designMenus,
        .tabOrder = designTabOrder,
    };
    return form;
}

} // namespace kalpeno::calculator
