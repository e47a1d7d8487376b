#include "fuzz/InvariantChecker.h"

#include "calculator/Kalpeno.h"
#include "forms/CaptionControl.h"
#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/TextBox.h"
#include "fuzz/DisplayForm.h"

#include <algorithm>
#include <array>

namespace kalpeno::fuzz {

namespace {

constexpr std::array<std::u16string_view, 6> programMessages{
    u"電卓のA,B,C又は全クリアのボタンをクリックしてください。",
    u"演算子は取り消しできません。",
    u"ほかの電卓でしか使えません",
    u"Help.txtファイルがありません。",
    u"0 で除算しました。",
    u"オーバーフローしました。",
};

constexpr std::u16string_view separator = u"-------------";

bool isTotalBox(const forms::Control& control) {
    const std::u16string& name = control.name();
    return control.form().name() == u"Kalpeno" &&
           (name == u"Text2" || name == u"Text4" || name == u"Text6");
}

bool isTape(const forms::Control& control) {
    return control.form().name() == u"Kalpeno" && control.kind() == forms::ControlKind::ListBox;
}

// UTF-16 to printable ASCII with \u escapes, for failure reports.
std::string escaped(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += hex[(c >> shift) & 0xF];
            }
        }
    }
    return out;
}

} // namespace

void InvariantChecker::report(std::string what, std::u16string_view text) {
    if (!failure_) {
        failure_ = std::move(what) + (text.empty() ? "" : ": \"" + escaped(text) + "\"");
    }
}

void InvariantChecker::checkState(const calculator::Kalpeno& window) {
    if (window.ActiveCalc != 1 && window.ActiveCalc != 3 && window.ActiveCalc != 5) {
        report("ActiveCalc is " + std::to_string(window.ActiveCalc));
    }
    if (window.OpCount < 0) {
        report("OpCount is " + std::to_string(window.OpCount));
    }
}

void InvariantChecker::addToDigest(const forms::Control& control, forms::Property property) {
    digest_.add(control.form().name());
    digest_.add(control.qualifiedName());
    digest_.add(static_cast<std::uint64_t>(property));
    if (const auto* box = dynamic_cast<const forms::TextBox*>(&control)) {
        digest_.add(box->text());
        digest_.add(box->caret());
    } else if (const auto* list = dynamic_cast<const forms::ListBox*>(&control)) {
        digest_.add(list->lines().size());
        digest_.add(list->lines().empty() ? u"" : list->lines().back());
    } else if (const auto* captioned = dynamic_cast<const forms::CaptionControl*>(&control)) {
        digest_.add(captioned->caption());
    }
    digest_.add(control.visible() << 1 | control.enabled());
    digest_.add(control.backColour().value_or(0xFFFFFFFF));
}

void InvariantChecker::controlChanged(forms::Control& control, forms::Property property) {
    addToDigest(control, property);
    if (property == forms::Property::LinesAdded && isTape(control)) {
        checkTapeLine(control);
    } else if (property == forms::Property::Text && isTotalBox(control)) {
        const std::u16string& text = static_cast<const forms::TextBox&>(control).text();
        if (!text.empty() && !isDisplayForm(text)) {
            report("total box " + escaped(control.name()) + " holds no display text", text);
        }
    }
}

// A tape line is a display text, the separator, or, right after the separator, the total
// box's text of a completion with nothing pending (which may be empty).
void InvariantChecker::checkTapeLine(const forms::Control& tape) {
    const auto& lines = static_cast<const forms::ListBox&>(tape).lines();
    const std::u16string& line = lines.back();
    if (line == separator || isDisplayForm(line)) {
        return;
    }
    if (line.empty() && lines.size() >= 2 && lines[lines.size() - 2] == separator) {
        return;
    }
    report("tape " + escaped(tape.name()) + " got a line of no known kind", line);
}

void InvariantChecker::formLoaded(forms::Form& form) {
    digest_.add(form.name());
    if (form.name() != u"Kalpeno" && form.name() != u"frmHelp" && form.name() != u"frmVersion4") {
        report("a form of no known name was loaded", form.name());
    }
}

void InvariantChecker::showMessage(std::u16string_view text, std::u16string_view title) {
    ++messages_;
    digest_.add(text);
    if (std::find(programMessages.begin(), programMessages.end(), text) == programMessages.end()) {
        report("a message that is not the program's", text);
    }
    if (title != u"Kalpeno") {
        report("a message box titled", title);
    }
}

} // namespace kalpeno::fuzz
