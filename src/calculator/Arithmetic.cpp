#include "calculator/Arithmetic.h"

#include <cmath>

namespace kalpeno::calculator {

std::u16string_view failureMessage(ArithmeticFailure failure) {
    switch (failure) {
    case ArithmeticFailure::DivisionByZero:
        return u"0 で除算しました。";
    case ArithmeticFailure::Overflow:
        break;
    }
    return u"オーバーフローしました。";
}

bool isOperator(std::u16string_view symbol) {
    return symbol == u"+" || symbol == u"-" || symbol == u"*" || symbol == u"/";
}

ArithmeticResult applyOperator(std::u16string_view symbol, double left, double right) {
    double result = 0;
    if (symbol == u"+") {
        result = left + right;
    } else if (symbol == u"-") {
        result = left - right;
    } else if (symbol == u"*") {
        result = left * right;
    } else if (symbol == u"/") {
        if (right == 0) {
            return ArithmeticFailure::DivisionByZero;
        }
        result = left / right;
    } else {
        return NoOperator{};
    }
    if (!std::isfinite(result)) {
        return ArithmeticFailure::Overflow;
    }
    return result;
}

} // namespace kalpeno::calculator
