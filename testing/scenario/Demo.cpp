#include "scenario/Demo.h"

#include <initializer_list>
#include <string_view>

namespace kalpeno::scenario {

namespace {

void clickButtons(Session& session, std::u16string_view picture,
                  std::initializer_list<ControlPath> buttons) {
    session.click({.name = std::u16string(picture)});
    for (const ControlPath& button : buttons) {
        session.click(button);
    }
}

ControlPath digit(int index) {
    return {.name = u"Command2", .index = index};
}
ControlPath op(int index) {
    return {.name = u"Command3", .index = index};
}

} // namespace

void playDemo(Session& session) {
    const ControlPath equals{.name = u"cmdKotae1"};
    clickButtons(session, u"Image1", {digit(0), digit(1), op(0), digit(2), equals});
    clickButtons(session, u"Image2", {digit(6), op(2), digit(5), equals});
    clickButtons(session, u"Image3", {digit(0), digit(9), digit(9), op(3), digit(7), equals});
    session.menu(u"Kalpeno", u"mnuHelp");
    session.menu(u"Kalpeno", u"mnuVersion");
}

} // namespace kalpeno::scenario
