#include "scenario/ScenarioFile.h"

#include "program/Program.h"
#include "scenario/Utf.h"

#include <charconv>
#include <fstream>

namespace kalpeno::scenario {

namespace {

const forms::ControlDesign* findControl(const forms::FormDesign& design, std::u16string_view name,
                                        int index) {
    for (const forms::ControlDesign& control : design.controls) {
        if (control.name == name && control.index == index) {
            return &control;
        }
    }
    return nullptr;
}

bool hasMenu(std::span<const forms::MenuDesign> menus, std::u16string_view name) {
    for (const forms::MenuDesign& menu : menus) {
        if ((menu.name == name && menu.items.empty()) || hasMenu(menu.items, name)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::optional<long long> parseInteger(std::string_view word) {
    long long value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::u16string ScenarioFile::text(const Token& token) const {
    std::optional<std::u16string> decoded = fromUtf8(token.text);
    if (!decoded) {
        throw ScenarioError("a string that is not UTF-8");
    }
    return *decoded;
}

void ScenarioFile::check(const ScenarioLine& line, bool holds, const std::string& expected,
                         const std::string& got) {
    if (holds) {
        ++result_.passed;
        return;
    }
    ++result_.failed;
    out_ << file_ << ':' << line.number << ": expected " << expected << ", got " << got << '\n';
}

ScenarioFile::Target ScenarioFile::resolve(const std::string& name, bool allowProperty) const {
    std::vector<std::string> parts = split(name, '.');
    Target target;
    if (parts.size() > 1 && findDesign(*fromUtf8(parts[0]))) {
        target.path.form = *fromUtf8(parts[0]);
        parts.erase(parts.begin());
    }
    const forms::FormDesign& design = *findDesign(target.path.form);
    std::string control = parts[0];
    const std::size_t open = control.find('(');
    if (open != std::string::npos && control.back() == ')') {
        const std::optional<long long> index =
            parseInteger(std::string_view(control).substr(open + 1, control.size() - open - 2));
        if (!index || *index < 0 || *index > 32767) {
            throw ScenarioError("bad index in " + name);
        }
        target.path.index = static_cast<int>(*index);
        control.resize(open);
    }
    const std::optional<std::u16string> controlName = fromUtf8(control);
    target.path.name = controlName.value_or(u"");
    const bool known = findControl(design, target.path.name, target.path.index) != nullptr;
    if (!known && allowProperty && parts.size() == 1 && target.path.index < 0 &&
        name.find('.') != std::string::npos && (control == "Loaded" || control == "Visible")) {
        target.formOnly = true;
        target.property = target.path.name;
        return target;
    }
    if (!known) {
        throw ScenarioError("unknown name " + name);
    }
    if (parts.size() == 2 && allowProperty) {
        target.property = *fromUtf8(parts[1]);
    } else if (parts.size() != 1) {
        throw ScenarioError("unknown name " + name);
    }
    return target;
}

void ScenarioFile::run(const ScenarioLine& line) {
    const Token& command = line.tokens.front();
    if (command.kind != Token::Kind::Word) {
        throw ScenarioError("a line must start with a command");
    }
    if (command.text == "expect") {
        expect(line);
    } else if (command.text == "write" || command.text == "remove") {
        fileCommand(command.text, line);
    } else {
        event(command.text, line);
    }
}

void ScenarioFile::event(const std::string& command, const ScenarioLine& line) {
    const std::vector<Token>& t = line.tokens;
    if (t.size() < 2 || t[1].kind != Token::Kind::Word) {
        throw ScenarioError(command + " needs a name");
    }
    if (command == "close" && t.size() == 2) {
        const std::optional<std::u16string> form = fromUtf8(t[1].text);
        if (!form || !findDesign(*form)) {
            throw ScenarioError("unknown window " + t[1].text);
        }
        session_.close(*form);
        return;
    }
    if (command == "menu" && t.size() == 2) {
        std::vector<std::string> parts = split(t[1].text, '.');
        std::u16string form = u"Kalpeno";
        if (parts.size() == 2) {
            form = fromUtf8(parts[0]).value_or(u"");
            parts.erase(parts.begin());
        }
        const forms::FormDesign* design = findDesign(form);
        const std::u16string item = fromUtf8(parts[0]).value_or(u"");
        if (parts.size() != 1 || !design || !hasMenu(design->menus, item)) {
            throw ScenarioError("unknown menu command " + t[1].text);
        }
        session_.menu(form, item);
        return;
    }
    const ControlPath path = resolve(t[1].text, false).path;
    if ((command == "click" || command == "focus") && t.size() == 2) {
        command == "click" ? session_.click(path) : session_.focus(path);
    } else if (command == "type" && t.size() == 3 && t[2].kind == Token::Kind::String) {
        const std::u16string typed = text(t[2]);
        for (std::size_t i = 0; i < typed.size(); ++i) {
            char32_t c = typed[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < typed.size()) {
                c = 0x10000 + ((c - 0xD800) << 10) + (typed[++i] - 0xDC00);
            }
            session_.key(path, c);
        }
    } else if (command == "paste" && t.size() == 3 && t[2].kind == Token::Kind::String) {
        session_.paste(path, text(t[2]));
    } else if (command == "key" && t.size() == 3 && t[2].kind == Token::Kind::Word) {
        const std::string& key = t[2].text;
        std::optional<long long> code = key == "Enter"       ? 13
                                        : key == "Backspace" ? 8
                                        : key == "Space"     ? 32
                                                             : parseInteger(key);
        if (!code || *code <= 0 || *code > 0x10FFFF) {
            throw ScenarioError("unknown key " + key);
        }
        session_.key(path, static_cast<char32_t>(*code));
    } else if (command == "caret" && t.size() == 3 && t[2].kind == Token::Kind::Word) {
        std::optional<std::size_t> position;
        if (t[2].text != "end") {
            const std::optional<long long> value = parseInteger(t[2].text);
            if (!value || *value < 0) {
                throw ScenarioError("bad caret position " + t[2].text);
            }
            position = static_cast<std::size_t>(*value);
        }
        session_.caret(path, position);
    } else {
        throw ScenarioError("cannot read the command " + command);
    }
}

void ScenarioFile::fileCommand(const std::string& command, const ScenarioLine& line) {
    const std::vector<Token>& t = line.tokens;
    const bool write = command == "write";
    if (t.size() != (write ? 3u : 2u) || t[1].kind != Token::Kind::Word ||
        (write && t[2].kind != Token::Kind::String) || t[1].text.find('/') != std::string::npos) {
        throw ScenarioError(command + " needs a file name in the program folder" +
                            (write ? " and a string" : ""));
    }
    const std::filesystem::path file = appDir_ / t[1].text;
    if (write) {
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream << t[2].text;
        if (!stream) {
            const std::u8string name = file.u8string();
            throw ScenarioError("cannot write " + std::string(name.begin(), name.end()));
        }
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

} // namespace kalpeno::scenario
