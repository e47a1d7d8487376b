#include "fuzz/EventDriver.h"

#include "calculator/Kalpeno.h"
#include "forms/ListBox.h"
#include "forms/TextBox.h"
#include "program/Program.h"

#include <array>
#include <exception>
#include <vector>

namespace kalpeno::fuzz {

namespace {

// Keys worth hitting often: what the entry boxes accept, their full-width twins, and neighbours
// that must be refused (letters, "=", control codes, kana, ideographs, a character beyond the
// BMP, the replacement character).
constexpr std::array<char32_t, 48> likelyKeys{
    U'0',  U'1',  U'2',    U'3',  U'4',      U'5',      U'6',      U'7',      U'8',  U'9',
    U'.',  U'+',  U'-',    U'*',  U'/',      8,         13,        32,        U'０', U'５',
    U'９', U'．', U'＋',   U'－', U'＊',     U'／',     0x3000,    U'E',      U'e',  U'=',
    U'a',  U'X',  U'あ',   U'ｱ',  U'漢',     0xFFFD,    0,         9,         10,    27,
    127,   0xA5,  0x1F600, U',',  U'\u00e9', U'\u2212', U'\u00d7', U'\u00f7',
};

char32_t decodeKey(ByteReader& input) {
    const std::uint8_t b = input.byte();
    if (b < 224) {
        return likelyKeys[b % likelyKeys.size()];
    }
    // Any code point, lone surrogates included: a window layer may pass on what it is given.
    const std::uint32_t high = input.byte();
    return static_cast<char32_t>(((high << 16) | input.word()) % 0x110000);
}

template <class Wanted>
std::vector<Wanted*> controlsOf(forms::Application& app, bool (*keep)(const forms::Control&)) {
    std::vector<Wanted*> found;
    for (forms::Form* form : app.loadedForms()) {
        for (const auto& control : form->controls()) {
            if (keep(*control)) {
                found.push_back(static_cast<Wanted*>(control.get()));
            }
        }
    }
    return found;
}

bool clickable(const forms::Control& c) {
    return c.kind() == forms::ControlKind::CommandButton || c.kind() == forms::ControlKind::Image ||
           c.kind() == forms::ControlKind::PictureBox;
}
bool textBox(const forms::Control& c) {
    return c.kind() == forms::ControlKind::TextBox;
}
bool anyControl(const forms::Control&) {
    return true;
}

void collectCommands(const forms::MenuItem& item, std::vector<forms::MenuItem*>& out) {
    if (item.items().empty()) {
        out.push_back(const_cast<forms::MenuItem*>(&item));
    }
    for (const auto& sub : item.items()) {
        collectCommands(*sub, out);
    }
}

std::vector<forms::MenuItem*> menuCommands(forms::Application& app) {
    std::vector<forms::MenuItem*> commands;
    for (forms::Form* form : app.loadedForms()) {
        for (const auto& item : form->menus()) {
            collectCommands(*item, commands);
        }
    }
    return commands;
}

template <class T> T* choose(const std::vector<T*>& from, ByteReader& input) {
    return from.empty() ? nullptr : from[input.pick(from.size())];
}

} // namespace

EventDriver::EventDriver(std::u16string appPath) : appPath_(std::move(appPath)) {
    start();
}

EventDriver::~EventDriver() = default;

void EventDriver::start() {
    app_.reset();
    app_ = std::make_unique<forms::Application>(appPath_, checker_);
    app_->addObserver(checker_);
    startProgram(*app_);
    ++starts_;
    afterEvent();
}

void EventDriver::run(ByteReader& input) {
    while (!input.done() && !failure()) {
        step(input);
    }
}

void EventDriver::step(ByteReader& input) {
    dispatch(input.byte(), input);
    ++events_;
    afterEvent();
}

// Clicks and keys carry most of the weight: they are what reaches the calculator's states.
void EventDriver::dispatch(std::uint8_t kind, ByteReader& input) {
    forms::Application& app = *app_;
    switch (kind % 16) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        if (auto* control = choose(controlsOf<forms::Control>(app, clickable), input)) {
            app.click(*control);
        }
        return;
    case 6:
    case 7:
    case 8:
    case 9:
        if (auto* box = choose(controlsOf<forms::TextBox>(app, textBox), input)) {
            app.pressKey(*box, decodeKey(input));
        }
        return;
    case 10: // a burst of keys into one box, as typing a number is, or the same keys pasted
        if (auto* box = choose(controlsOf<forms::TextBox>(app, textBox), input)) {
            const bool paste = input.byte() & 1;
            std::u16string text;
            for (std::size_t n = 1 + input.pick(8); n > 0 && !app.ended(); --n) {
                const char32_t key = decodeKey(input);
                if (!paste) {
                    app.pressKey(*box, key);
                } else if (key < 0x10000) {
                    text += static_cast<char16_t>(key);
                } else {
                    text += static_cast<char16_t>(0xD800 + ((key - 0x10000) >> 10));
                    text += static_cast<char16_t>(0xDC00 + ((key - 0x10000) & 0x3FF));
                }
            }
            if (paste) {
                app.paste(*box, text);
            }
        }
        return;
    case 11:
        if (auto* box = choose(controlsOf<forms::TextBox>(app, textBox), input)) {
            app.moveCaret(*box, input.byte());
        }
        return;
    case 12:
        if (auto* control = choose(controlsOf<forms::Control>(app, anyControl), input)) {
            app.giveFocus(*control);
        }
        return;
    case 13:
    case 14:
        if (auto* item = choose(menuCommands(app), input)) {
            app.chooseMenu(*item);
        }
        return;
    default: {
        const std::vector<forms::Form*> forms = app.loadedForms();
        forms::Form* form = choose(forms, input);
        if (!form) {
            return;
        }
        if (input.byte() < 32) {
            app.close(*form);
        } else {
            const auto width = static_cast<std::int16_t>(input.word());
            app.resize(*form, width, static_cast<std::int16_t>(input.word()));
        }
        return;
    }
    }
}

void EventDriver::afterEvent() {
    if (app_->ended()) {
        if (!app_->loadedForms().empty()) {
            checker_.report("forms are still loaded after the program ended");
        }
        start();
        return;
    }
    if (app_->loadedForms().empty()) {
        checker_.report("no window is loaded, yet the program runs");
    }
    if (const auto* window = dynamic_cast<const calculator::Kalpeno*>(app_->loaded(u"Kalpeno"))) {
        checker_.checkState(*window);
    }
}

std::size_t EventDriver::unitsHeld() const {
    std::size_t units = 0;
    for (forms::Form* form : app_->loadedForms()) {
        for (const auto& control : form->controls()) {
            if (const auto* box = dynamic_cast<const forms::TextBox*>(control.get())) {
                units += box->text().size();
            } else if (const auto* list = dynamic_cast<const forms::ListBox*>(control.get())) {
                for (const std::u16string& line : list->lines()) {
                    units += line.size() + 1;
                }
            }
        }
    }
    return units;
}

} // namespace kalpeno::fuzz
