// The checks of a scenario file: `expect WHAT VALUE...`.
#include "scenario/ScenarioFile.h"

#include "program/Program.h"
#include "scenario/StateFields.h"
#include "scenario/Utf.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace kalpeno::scenario {

namespace {

std::string quote(std::u16string_view text) {
    std::string out = "\"";
    for (char c : toUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02X", static_cast<unsigned char>(c));
            out += hex.data();
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string quoteAll(const std::vector<std::u16string>& texts) {
    if (texts.empty()) {
        return "nothing";
    }
    std::string out;
    for (const auto& text : texts) {
        out += (out.empty() ? "" : " ") + quote(text);
    }
    return out;
}

std::string hexColour(std::optional<forms::Colour> colour) {
    if (!colour) {
        return "the default colour";
    }
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%08X", *colour);
    return text.data();
}

// A number as its 15 significant digits: numbers are compared as the calculator carries them.
std::string digits15(double value) {
    if (value == 0) {
        value = 0; // negative zero is zero
    }
    std::array<char, 40> text{};
    auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                             std::chars_format::scientific, 14)
                   .ptr;
    return std::string(text.data(), end);
}

std::string shortest(double value) {
    std::array<char, 40> text{};
    auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

std::optional<bool> parseBool(const Token& token) {
    if (token.kind == Token::Kind::Word && token.text == "true")
        return true;
    if (token.kind == Token::Kind::Word && token.text == "false")
        return false;
    return std::nullopt;
}

std::string boolText(std::optional<bool> flag) {
    return !flag ? "nothing" : *flag ? "true" : "false";
}

const forms::ControlDesign* designOf(const ControlPath& path) {
    const forms::FormDesign* design = findDesign(path.form);
    for (const forms::ControlDesign& control : design->controls) {
        if (control.name == path.name && control.index == path.index) {
            return &control;
        }
    }
    return nullptr;
}

} // namespace

void ScenarioFile::expect(const ScenarioLine& line) {
    const std::vector<Token>& t = line.tokens;
    if (t.size() < 2 || t[1].kind != Token::Kind::Word) {
        throw ScenarioError("expect needs what to check");
    }
    const std::string& what = t[1].text;
    const std::vector<Token> values(t.begin() + 2, t.end());
    if (what == "messages") {
        std::vector<std::u16string> expected;
        for (const Token& value : values) {
            expected.push_back(text(value));
        }
        const std::vector<std::u16string> shown = session_.takeMessages();
        check(line, shown == expected, quoteAll(expected), quoteAll(shown));
        return;
    }
    if (what == "ended" || what == "focus") {
        if (values.size() != 1) {
            throw ScenarioError("expect " + what + " needs one value");
        }
        if (what == "ended") {
            const std::optional<bool> expected = parseBool(values[0]);
            if (!expected) {
                throw ScenarioError("expect ended needs true or false");
            }
            const bool ended = session_.ended();
            check(line, ended == *expected, boolText(expected), boolText(ended));
            return;
        }
        const std::u16string expected = text(values[0]);
        const std::u16string focus = session_.focusName();
        check(line, focus == expected, toUtf8(expected), focus.empty() ? "nothing" : toUtf8(focus));
        return;
    }
    if (expectStateField(what, line)) {
        return;
    }
    expectControl(resolve(what, true), line);
}

bool ScenarioFile::expectStateField(const std::string& name, const ScenarioLine& line) {
    const std::optional<std::u16string> field = fromUtf8(name);
    const calculator::Kalpeno* window = session_.calculatorWindow();
    if (!field || !isStateField(*field)) {
        return false;
    }
    const std::vector<Token> values(line.tokens.begin() + 2, line.tokens.end());
    if (values.size() != 1) {
        throw ScenarioError("expect " + name + " needs one value");
    }
    if (!window) {
        check(line, false, values[0].text, "the window Kalpeno is not loaded");
        return true;
    }
    const StateValue value = *stateField(*window, *field);
    if (const auto* textValue = std::get_if<std::u16string>(&value)) {
        const std::u16string expected = text(values[0]);
        check(line, *textValue == expected, quote(expected), quote(*textValue));
    } else if (const auto* integer = std::get_if<long long>(&value)) {
        long long expected = 0;
        const std::string& word = values[0].text;
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), expected);
        if (ec != std::errc{} || end != word.data() + word.size()) {
            throw ScenarioError("expect " + name + " needs an integer");
        }
        check(line, *integer == expected, word, std::to_string(*integer));
    } else {
        const double number = std::get<double>(value);
        double expected = 0;
        const std::string& word = values[0].text;
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), expected);
        if (ec != std::errc{} || end != word.data() + word.size()) {
            throw ScenarioError("expect " + name + " needs a number");
        }
        check(line, digits15(number) == digits15(expected), word, shortest(number));
    }
    return true;
}

void ScenarioFile::expectControl(const Target& target, const ScenarioLine& line) {
    const std::vector<Token> values(line.tokens.begin() + 2, line.tokens.end());
    const std::u16string& form = target.path.form;
    if (target.formOnly) {
        if (values.size() != 1 || !parseBool(values[0])) {
            throw ScenarioError("expect needs true or false");
        }
        const std::optional<bool> seen =
            *target.property == u"Loaded" ? session_.formLoaded(form) : session_.formVisible(form);
        check(line, seen == parseBool(values[0]), values[0].text, boolText(seen));
        return;
    }
    const forms::ControlDesign& design = *designOf(target.path);
    std::u16string property = target.property.value_or(u"");
    if (property.empty()) {
        property = design.kind == forms::ControlKind::TextBox   ? u"Text"
                   : design.kind == forms::ControlKind::ListBox ? u"Lines"
                                                                : u"Caption";
    }
    const std::string notLoaded = "the window " + toUtf8(form) + " is not loaded";
    if (property == u"Lines") {
        std::vector<std::u16string> expected;
        for (const Token& value : values) {
            expected.push_back(text(value));
        }
        const Observation seen = session_.read(target.path, Aspect::Lines);
        check(line, seen.lines == expected, quoteAll(expected),
              seen.lines ? quoteAll(*seen.lines) : notLoaded);
        return;
    }
    if (values.size() != 1) {
        throw ScenarioError("expect needs one value");
    }
    if (property == u"Text" || property == u"Caption") {
        const std::u16string expected = text(values[0]);
        const Observation seen =
            session_.read(target.path, property == u"Text" ? Aspect::Text : Aspect::Caption);
        check(line, seen.text == expected, quote(expected),
              seen.text ? quote(*seen.text) : notLoaded);
    } else if (property == u"Visible" || property == u"Enabled") {
        const std::optional<bool> expected = parseBool(values[0]);
        if (!expected) {
            throw ScenarioError("expect needs true or false");
        }
        const Observation seen =
            session_.read(target.path, property == u"Visible" ? Aspect::Visible : Aspect::Enabled);
        check(line, seen.flag == expected, values[0].text,
              seen.flag ? boolText(seen.flag) : notLoaded);
    } else if (property == u"BackColor") {
        unsigned long colour = 0;
        const std::string& word = values[0].text;
        const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
        auto [end, ec] = std::from_chars(word.data() + (hex ? 2 : 0), word.data() + word.size(),
                                         colour, hex ? 16 : 10);
        if (ec != std::errc{} || end != word.data() + word.size() || colour > 0xFFFFFFFF) {
            throw ScenarioError("expect BackColor needs a colour such as 0x00C0FFFF");
        }
        const Observation seen = session_.read(target.path, Aspect::BackColour);
        const bool loaded = session_.formLoaded(form).value_or(false);
        check(line, loaded && seen.colour == static_cast<forms::Colour>(colour),
              hexColour(static_cast<forms::Colour>(colour)),
              loaded ? hexColour(seen.colour) : notLoaded);
    } else {
        throw ScenarioError("unknown property " + toUtf8(property));
    }
}

} // namespace kalpeno::scenario
