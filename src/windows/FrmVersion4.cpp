#include "windows/FrmVersion4.h"

#include "forms/Application.h"
#include "windows/Release.h"

#include <array>

namespace kalpeno::windows {

namespace {

constexpr std::array designControls{
    forms::ControlDesign{.kind = forms::ControlKind::PictureBox,
                         .name = u"Picture1",
                         .bounds = {0, 0, 5655, 2775},
                         .accessibleName = u"Kalpenoの絵",
                         .picture = u"version"},
    forms::ControlDesign{
        .kind = forms::ControlKind::Label,
        .name = u"Label1",
        .bounds = {1920, 2880, 3135, 255},
        // The program, the release's version and its year, from the build.
        .caption = u"Kalpeno " KALPENO_VERSION u"　© " KALPENO_RELEASE_YEAR u" 開発チーム",
        .accessibleName = u"作者と日付"},
    forms::ControlDesign{.kind = forms::ControlKind::CommandButton,
                         .name = u"Command1",
                         .bounds = {4320, 3360, 975, 375},
                         .caption = u"戻る",
                         .accessibleName = u"戻る"},
};

constexpr std::array<forms::ControlRef, 1> designTabOrder{{{u"Command1"}}};

} // namespace

const forms::FormDesign& FrmVersion4::design() {
    static const forms::FormDesign form{
        .name = u"frmVersion4",
        .caption = u"Version 情報",
        .clientWidth = 5505,
        .clientHeight = 3765,
        .resizable = false,
        .icon = u"version",
        .controls = designControls,
        .menus = {},
        .tabOrder = designTabOrder,
    };
    return form;
}

FrmVersion4::FrmVersion4(forms::Application& app) : Form(app, design()) {
    control(u"Command1").onClick = [this] { Command1_Click(); };
}

void FrmVersion4::Command1_Click() {
    app().unload(*this);
}

} // namespace kalpeno::windows
