#pragma once

#include <optional>
#include <string_view>
#include <variant>

namespace kalpeno::calculator {

// The two ways a calculation can fail. Each is shown to the user in a message box and ends the
// handler at the step where it arose; the failed computation stores nothing.
enum class ArithmeticFailure { DivisionByZero, Overflow };

std::u16string_view failureMessage(ArithmeticFailure failure);

struct NoOperator {};

bool isOperator(std::u16string_view symbol);

// Applies one operator symbol ("+", "-", "*", "/") to two numbers, left to right. Any other
// symbol, the empty one included, gives NoOperator.
using ArithmeticResult = std::variant<double, NoOperator, ArithmeticFailure>;
ArithmeticResult applyOperator(std::u16string_view symbol, double left, double right);

} // namespace kalpeno::calculator
