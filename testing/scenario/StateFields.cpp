#include "scenario/StateFields.h"

#include <algorithm>
#include <array>

namespace kalpeno::scenario {

namespace {

using calculator::Kalpeno;

struct Field {
    std::u16string_view name;
    StateValue (*read)(const Kalpeno&);
};

// The window-level state fields, in their declared order.
const std::array<Field, 13> fields{{
    {u"LeftValue", [](const Kalpeno& k) -> StateValue { return k.LeftValue; }},
    {u"RightValue", [](const Kalpeno& k) -> StateValue { return k.RightValue; }},
    {u"OpSymbol", [](const Kalpeno& k) -> StateValue { return k.OpSymbol; }},
    {u"LastEntryChar", [](const Kalpeno& k) -> StateValue { return k.LastEntryChar; }},
    {u"DisplayLength", [](const Kalpeno& k) -> StateValue { return k.DisplayLength + 0LL; }},
    {u"ActiveCalc", [](const Kalpeno& k) -> StateValue { return k.ActiveCalc + 0LL; }},
    {u"OpCount", [](const Kalpeno& k) -> StateValue { return k.OpCount + 0LL; }},
    {u"LastResult", [](const Kalpeno& k) -> StateValue { return k.LastResult; }},
    {u"TotalA", [](const Kalpeno& k) -> StateValue { return k.TotalA; }},
    {u"TotalB", [](const Kalpeno& k) -> StateValue { return k.TotalB; }},
    {u"TotalC", [](const Kalpeno& k) -> StateValue { return k.TotalC; }},
    {u"TapeValue", [](const Kalpeno& k) -> StateValue { return k.TapeValue; }},
    {u"TapeLine", [](const Kalpeno& k) -> StateValue { return k.TapeLine; }},
}};

const Field* find(std::u16string_view name) {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&](const Field& field) { return field.name == name; });
    return found == fields.end() ? nullptr : &*found;
}

} // namespace

bool isStateField(std::u16string_view name) {
    return find(name) != nullptr;
}

std::optional<StateValue> stateField(const Kalpeno& window, std::u16string_view name) {
    const Field* field = find(name);
    return field ? std::optional<StateValue>(field->read(window)) : std::nullopt;
}

} // namespace kalpeno::scenario
