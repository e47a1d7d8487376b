#include "scenario/HeadlessSession.h"

#include "program/Program.h"
#include "scenario/Utf.h"

namespace kalpeno::scenario {

std::u16string displayName(const forms::Control& control) {
    if (control.form().name() == u"Kalpeno") {
        return control.qualifiedName();
    }
    return control.form().name() + u'.' + control.qualifiedName();
}

HeadlessSession::HeadlessSession(const std::u16string& appDir) : app_(appDir, messages_) {
    startProgram(app_);
}

forms::Form& HeadlessSession::shownForm(const std::u16string& name) {
    if (app_.ended()) {
        throw ScenarioError("the program has ended");
    }
    forms::Form* form = app_.loaded(name);
    if (!form || !form->visible()) {
        throw ScenarioError("the window " + toUtf8(name) + " is not shown");
    }
    return *form;
}

forms::Control& HeadlessSession::target(const ControlPath& path) {
    forms::Form& form = shownForm(path.form);
    forms::Control* control = form.find(path.name, path.index);
    if (!control) {
        throw ScenarioError("no control " + toUtf8(path.name) + " in " + toUtf8(path.form));
    }
    return *control;
}

void HeadlessSession::click(const ControlPath& path) {
    forms::Control& control = target(path);
    if (control.kind() != forms::ControlKind::CommandButton &&
        control.kind() != forms::ControlKind::Image &&
        control.kind() != forms::ControlKind::PictureBox) {
        throw ScenarioError(toUtf8(path.name) + " is not a button or a picture");
    }
    app_.click(control);
}

void HeadlessSession::menu(const std::u16string& form, const std::u16string& item) {
    forms::MenuItem* menuItem = shownForm(form).findMenu(item);
    if (!menuItem || !menuItem->items().empty()) {
        throw ScenarioError(toUtf8(item) + " is no menu command of " + toUtf8(form));
    }
    app_.chooseMenu(*menuItem);
}

void HeadlessSession::key(const ControlPath& path, char32_t key) {
    auto* box = dynamic_cast<forms::TextBox*>(&target(path));
    if (!box) {
        throw ScenarioError(toUtf8(path.name) + " is not a text box");
    }
    app_.pressKey(*box, key);
}

void HeadlessSession::paste(const ControlPath& path, const std::u16string& text) {
    auto* box = dynamic_cast<forms::TextBox*>(&target(path));
    if (!box) {
        throw ScenarioError(toUtf8(path.name) + " is not a text box");
    }
    app_.paste(*box, text);
}

void HeadlessSession::caret(const ControlPath& path, std::optional<std::size_t> position) {
    auto* box = dynamic_cast<forms::TextBox*>(&target(path));
    if (!box) {
        throw ScenarioError(toUtf8(path.name) + " is not a text box");
    }
    app_.moveCaret(*box, position.value_or(box->text().size()));
}

void HeadlessSession::focus(const ControlPath& path) {
    app_.giveFocus(target(path));
}

void HeadlessSession::close(const std::u16string& form) {
    app_.close(shownForm(form));
}

Observation HeadlessSession::read(const ControlPath& path, Aspect aspect) {
    Observation seen;
    forms::Form* form = app_.loaded(path.form);
    forms::Control* control = form ? form->find(path.name, path.index) : nullptr;
    if (!control) {
        return seen;
    }
    switch (aspect) {
    case Aspect::Text:
        if (auto* box = dynamic_cast<forms::TextBox*>(control)) {
            seen.text = box->text();
        }
        break;
    case Aspect::Caption:
        if (auto* captioned = dynamic_cast<forms::CaptionControl*>(control)) {
            seen.text = captioned->caption();
        }
        break;
    case Aspect::Lines:
        if (auto* list = dynamic_cast<forms::ListBox*>(control)) {
            seen.lines = list->lines();
        }
        break;
    case Aspect::Visible:
        seen.flag = control->visible();
        break;
    case Aspect::Enabled:
        seen.flag = control->enabled();
        break;
    case Aspect::BackColour:
        seen.colour = control->backColour();
        break;
    }
    return seen;
}

std::optional<bool> HeadlessSession::formLoaded(const std::u16string& form) {
    return app_.loaded(form) != nullptr;
}

std::optional<bool> HeadlessSession::formVisible(const std::u16string& form) {
    forms::Form* loaded = app_.loaded(form);
    return loaded && loaded->visible();
}

std::u16string HeadlessSession::focusName() {
    return app_.focus() ? displayName(*app_.focus()) : std::u16string();
}

std::vector<std::u16string> HeadlessSession::takeMessages() {
    std::vector<std::u16string> taken(messages_.texts.begin() + static_cast<long>(messagesTaken_),
                                      messages_.texts.end());
    messagesTaken_ = messages_.texts.size();
    return taken;
}

bool HeadlessSession::ended() {
    return app_.ended();
}

const calculator::Kalpeno* HeadlessSession::calculatorWindow() {
    return dynamic_cast<const calculator::Kalpeno*>(app_.loaded(u"Kalpeno"));
}

} // namespace kalpeno::scenario
