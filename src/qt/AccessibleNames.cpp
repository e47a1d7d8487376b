#include "qt/AccessibleNames.h"

#include "forms/CaptionControl.h"
#include "forms/Form.h"
#include "qt/Conversions.h"

#include <array>
#include <string_view>

namespace kalpeno::qt {

namespace {

struct NameRow {
    std::u16string_view form;
    std::u16string_view control;
    int index;
    std::u16string_view name;
};

constexpr std::array names{
    NameRow{u"Kalpeno", u"Text1", -1, u"電卓Aの入力"},
    NameRow{u"Kalpeno", u"Text3", -1, u"電卓Bの入力"},
    NameRow{u"Kalpeno", u"Text5", -1, u"電卓Cの入力"},
    NameRow{u"Kalpeno", u"Text2", -1, u"電卓Aの合計"},
    NameRow{u"Kalpeno", u"Text4", -1, u"電卓Bの合計"},
    NameRow{u"Kalpeno", u"Text6", -1, u"電卓Cの合計"},
    NameRow{u"Kalpeno", u"List1", -1, u"電卓Aの入力リスト"},
    NameRow{u"Kalpeno", u"List2", -1, u"電卓Bの入力リスト"},
    NameRow{u"Kalpeno", u"List3", -1, u"電卓Cの入力リスト"},
    NameRow{u"Kalpeno", u"Image1", -1, u"電卓Aを選ぶ"},
    NameRow{u"Kalpeno", u"Image2", -1, u"電卓Bを選ぶ"},
    NameRow{u"Kalpeno", u"Image3", -1, u"電卓Cを選ぶ"},
    NameRow{u"Kalpeno", u"Image4", -1, u"電卓Aを使用中"},
    NameRow{u"Kalpeno", u"Image5", -1, u"電卓Bを使用中"},
    NameRow{u"Kalpeno", u"Image6", -1, u"電卓Cを使用中"},
    NameRow{u"Kalpeno", u"Label2", 0, u"電卓Aの等号"},
    NameRow{u"Kalpeno", u"Label2", 1, u"電卓Bの等号"},
    NameRow{u"Kalpeno", u"Label2", 2, u"電卓Cの等号"},
    NameRow{u"Kalpeno", u"Label4", -1, u"電卓Aの入力リストの見出し"},
    NameRow{u"Kalpeno", u"Label5", -1, u"電卓Bの入力リストの見出し"},
    NameRow{u"Kalpeno", u"Label7", -1, u"電卓Cの入力リストの見出し"},
    NameRow{u"Kalpeno", u"Label8", -1, u"各電卓の見出し"},
    NameRow{u"Kalpeno", u"Label1", -1, u"計算の順番の見出し"},
    NameRow{u"Kalpeno", u"Label3", -1, u"計算の合計の見出し"},
    NameRow{u"Kalpeno", u"Command6", -1, u"電卓Aの合計を使う"},
    NameRow{u"Kalpeno", u"Command7", -1, u"電卓Bの合計を使う"},
    NameRow{u"Kalpeno", u"Command8", -1, u"電卓Cの合計を使う"},
    NameRow{u"Kalpeno", u"Command2", 0, u"数字の1"},
    NameRow{u"Kalpeno", u"Command2", 1, u"数字の2"},
    NameRow{u"Kalpeno", u"Command2", 2, u"数字の3"},
    NameRow{u"Kalpeno", u"Command2", 3, u"数字の4"},
    NameRow{u"Kalpeno", u"Command2", 4, u"数字の5"},
    NameRow{u"Kalpeno", u"Command2", 5, u"数字の6"},
    NameRow{u"Kalpeno", u"Command2", 6, u"数字の7"},
    NameRow{u"Kalpeno", u"Command2", 7, u"数字の8"},
    NameRow{u"Kalpeno", u"Command2", 8, u"数字の9"},
    NameRow{u"Kalpeno", u"Command2", 9, u"数字の0"},
    NameRow{u"Kalpeno", u"Command2", 10, u"小数点"},
    NameRow{u"Kalpeno", u"Command3", 0, u"足し算"},
    NameRow{u"Kalpeno", u"Command3", 1, u"引き算"},
    NameRow{u"Kalpeno", u"Command3", 2, u"掛け算"},
    NameRow{u"Kalpeno", u"Command3", 3, u"割り算"},
    NameRow{u"Kalpeno", u"cmdKotae1", -1, u"イコール"},
    NameRow{u"Kalpeno", u"Text7", -1, u"計算中の左の数"},
    NameRow{u"Kalpeno", u"Label6", -1, u"計算中の演算子"},
    NameRow{u"Kalpeno", u"Text9", -1, u"計算中の右の数"},
    NameRow{u"Kalpeno", u"Command9", -1, u"全クリア"},
    NameRow{u"Kalpeno", u"Command1", -1, u"クリア"},
    NameRow{u"frmHelp", u"Text1", -1, u"ヘルプの本文"},
    NameRow{u"frmVersion4", u"Picture1", -1, u"Kalpenoの絵"},
    NameRow{u"frmVersion4", u"Label1", -1, u"作者と日付"},
    NameRow{u"frmVersion4", u"Command1", -1, u"戻る"},
};

const NameRow* nameRow(const forms::Control& control) {
    for (const NameRow& row : names) {
        if (row.form == control.form().name() && row.control == control.name() &&
            row.index == control.index()) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

QString accessibleName(const forms::Control& control) {
    if (const NameRow* row = nameRow(control)) {
        return toQString(row->name);
    }
    if (const auto* captioned = dynamic_cast<const forms::CaptionControl*>(&control)) {
        if (!captioned->caption().empty()) {
            return toQString(captioned->caption());
        }
    }
    return toQString(control.qualifiedName());
}

QString accessibleDescription(const forms::Control& control) {
    if (!control.shortcut().empty()) {
        return QStringLiteral(u"ショートカットキー: ") + toQString(control.shortcut());
    }
    if (control.kind() == forms::ControlKind::Label) {
        const NameRow* row = nameRow(control);
        return row ? toQString(row->name) : QString();
    }
    return {};
}

QString toolTip(const forms::Control& control) {
    if (control.shortcut().empty()) {
        return {};
    }
    return accessibleName(control) + QStringLiteral(" (") + toQString(control.shortcut()) +
           QStringLiteral(")");
}

} // namespace kalpeno::qt
