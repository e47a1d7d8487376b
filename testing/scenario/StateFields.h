#pragma once

#include "calculator/Kalpeno.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kalpeno::scenario {

// A state field of the calculator window as a scenario reads it ("expect OpSymbol "+""): a
// whole number, a real number or a text.
using StateValue = std::variant<long long, double, std::u16string>;

bool isStateField(std::u16string_view name);
// The field of that name, or nothing.
std::optional<StateValue> stateField(const calculator::Kalpeno& window, std::u16string_view name);

} // namespace kalpeno::scenario
