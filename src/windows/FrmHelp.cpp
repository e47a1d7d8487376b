#include "windows/FrmHelp.h"

#include "forms/Application.h"
#include "forms/TextFileInput.h"
#include "forms/system/System.h"

#include <array>
#include <exception>

namespace kalpeno::windows {

namespace {

constexpr std::array designControls{
    forms::ControlDesign{.kind = forms::ControlKind::TextBox,
                         .name = u"Text1",
                         .bounds = {120, 0, 9495, 6375},
                         .accessibleName = u"ヘルプの本文",
                         .font = {u"ＭＳ Ｐゴシック", 12},
                         .backColour = 0x00E0E0E0,
                         .flags = {.multiLine = true, .verticalScrollBar = true}},
};

constexpr std::array<forms::MenuDesign, 1> designMenus{{{u"mnuModoru", u"電卓へ戻る", {}}}};
constexpr std::array<forms::ControlRef, 1> designTabOrder{{{u"Text1"}}};

} // namespace

const forms::FormDesign& FrmHelp::design() {
    static const forms::FormDesign form{
        .name = u"frmHelp",
        .caption = u"Help",
        .clientWidth = 9750,
        .clientHeight = 6495,
        .resizable = true,
        .icon = u"help",
        .controls = designControls,
        .menus = designMenus,
        .tabOrder = designTabOrder,
    };
    return form;
}

FrmHelp::FrmHelp(forms::Application& app) : Form(app, design()), Text1(textBox(u"Text1")) {
    menu(u"mnuModoru").onClick = [this] { mnuModoru_Click(); };
}

std::u16string FrmHelp::MyPath() const {
    std::u16string path = app().path();
    if (path.empty() || path.back() != forms::system::folderSeparator()) {
        path += forms::system::folderSeparator();
    }
    return path;
}

// The error trap of the load: every failure, whatever its kind, ends in the one message and an
// empty window, and the load itself ends normally.
void FrmHelp::Form_Load() {
    std::optional<std::u16string> text;
    try {
        text = readHelpFile();
    } catch (const std::exception&) {
        text.reset();
    }
    if (!text) {
        app().msgBox(u"Help.txtファイルがありません。");
        return;
    }
    Text1.setText(std::move(*text));
}

// Every line, the last one included, is followed by CR LF.
std::optional<std::u16string> FrmHelp::readHelpFile() const {
    if (app().path().empty()) {
        return std::nullopt; // the program folder is not known
    }
    std::optional<forms::TextFileInput> file = forms::TextFileInput::open(MyPath() + u"Help.txt");
    if (!file) {
        return std::nullopt;
    }
    return file->remainingLines();
}

void FrmHelp::Form_Resize() {
    Text1.move({0, 0, ScaleWidth(), ScaleHeight()});
}

void FrmHelp::mnuModoru_Click() {
    app().unload(*this);
}

} // namespace kalpeno::windows
