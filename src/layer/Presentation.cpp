#include "layer/Presentation.h"

#include "forms/CaptionControl.h"

namespace kalpeno::layer {

std::u16string spokenName(const forms::Control& control) {
    if (!control.accessibleName().empty()) {
        return control.accessibleName();
    }
    if (const auto* captioned = dynamic_cast<const forms::CaptionControl*>(&control)) {
        if (!captioned->caption().empty()) {
            return captioned->caption();
        }
    }
    return control.qualifiedName();
}

std::u16string spokenDescription(const forms::Control& control) {
    if (!control.shortcut().empty()) {
        return u"ショートカットキー: " + shortcutText(control.shortcut());
    }
    if (control.kind() == forms::ControlKind::Label) {
        return control.accessibleName();
    }
    return {};
}

std::u16string toolTip(const forms::Control& control) {
    if (control.shortcut().empty()) {
        return {};
    }
    return spokenName(control) + u" (" + shortcutText(control.shortcut()) + u")";
}

std::u16string shortcutText(const forms::Shortcut& shortcut) {
    std::u16string text;
    if (shortcut.control) {
        text += u"Ctrl+";
    }
    if (shortcut.alt) {
        text += u"Alt+";
    }
    if (shortcut.shift) {
        text += u"Shift+";
    }
    text += shortcut.key;
    return text;
}

bool takesFocus(const forms::Control& control) {
    return control.tabIndex() >= 0 || control.kind() == forms::ControlKind::TextBox;
}

std::u16string menuText(std::u16string_view caption) {
    std::u16string text;
    for (char16_t c : caption) {
        text += c;
        if (c == u'&') {
            text += u'&';
        }
    }
    return text;
}

} // namespace kalpeno::layer
