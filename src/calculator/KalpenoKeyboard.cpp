// Keyboard entry into the three entry boxes. The handler of each box decides; the forms runtime
// then inserts the key into the box at its caret unless the handler swallowed it, so the handlers
// never write the typed character into the entry box themselves.
#include "calculator/Kalpeno.h"

#include "calculator/Arithmetic.h"
#include "calculator/NumberRules.h"
#include "forms/Application.h"

namespace kalpeno::calculator {

namespace {

// The KeyAscii codes the handlers know.
constexpr std::int16_t backspace = 8;
constexpr std::int16_t enter = 13;
constexpr std::int16_t blank = ' ';
constexpr std::int16_t point = '.';

bool isOperatorKey(std::int16_t k) {
    return k == '+' || k == '-' || k == '*' || k == '/';
}

bool passesFilter(std::int16_t k) {
    return isOperatorKey(k) || k == blank || k == backspace || k == enter || k == point ||
           (k >= '0' && k <= '9');
}

} // namespace

void Kalpeno::Text1_KeyPress(std::int16_t& KeyAscii) {
    keyPress(0, KeyAscii);
}
void Kalpeno::Text3_KeyPress(std::int16_t& KeyAscii) {
    keyPress(1, KeyAscii);
}
void Kalpeno::Text5_KeyPress(std::int16_t& KeyAscii) {
    keyPress(2, KeyAscii);
}

// Each handler works on its own calculator's boxes, whatever ActiveCalc says.
void Kalpeno::keyPress(std::size_t calculator, std::int16_t& KeyAscii) {
    Row& calc = row(calculator);
    const std::int16_t k = KeyAscii;
    if (!passesFilter(k)) {
        KeyAscii = 0;
        return;
    }
    if (!calc.entry.text().empty() && calc.entry.text().back() == u'=') {
        app().msgBox(completedMessage);
        KeyAscii = 0;
        return;
    }
    if (isOperatorKey(k)) {
        operatorKey(calc, static_cast<char16_t>(k));
    } else if (k == enter) {
        enterKey(calculator);
    } else if (k == blank && &calc.record == &Calculators[2]) { // the blank clears all in C
        clearAll();
    } else if (k == backspace) {
        backspaceKey(calc, KeyAscii);
    } else {
        (OpCount == 0 ? Text7 : Text9).append(CharFromCode(k));
    }
}

// Reads an operand display into TapeValue and writes its tape line. Answers false when the
// number is beyond the range of a double (the overflow has then been reported).
bool Kalpeno::writeOperandLine(Row& calc, const forms::TextBox& display) {
    const std::optional<double> value = readNumber(display.text());
    if (!value) {
        return false;
    }
    TapeValue = *value;
    TapeLine = FormatPicture(TapeValue, PictureTotal);
    calc.tape.addItem(TapeLine);
    return true;
}

// A later operator key and Enter: the right operand goes on the tape, then the pending operator
// is applied through Keisan. Answers false when that failed.
bool Kalpeno::applyPendingOperator(Row& calc) {
    LeftValue = Text7.text();
    RightValue = Text9.text();
    if (!writeOperandLine(calc, Text9)) {
        return false;
    }
    OpSymbol = Label6.caption();
    return Keisan(LeftValue, RightValue, OpSymbol);
}

// Enter with no operator pending: the calculation has one operand, the number in Text7, and that
// number is its result, shown as Keisan shows one. OpSymbol takes the (empty) operator display
// as on every Enter.
bool Kalpeno::takeOperandAsResult(Row& calc) {
    LeftValue = Text7.text();
    RightValue = Text9.text();
    if (!writeOperandLine(calc, Text7)) {
        return false;
    }
    OpSymbol = Label6.caption();
    showResult(TapeValue);
    return true;
}

void Kalpeno::operatorKey(Row& calc, char16_t symbol) {
    raiseOpCount();
    if (OpCount == 1) {
        if (!writeOperandLine(calc, Text7)) {
            return;
        }
    } else if (!applyPendingOperator(calc)) {
        return;
    }
    Label6.setCaption(std::u16string(1, symbol));
}

void Kalpeno::enterKey(std::size_t calculator) {
    Row& calc = row(calculator);
    calc.entry.append(u"=");
    const bool completed =
        isOperator(Label6.caption()) ? applyPendingOperator(calc) : takeOperandAsResult(calc);
    if (!completed) {
        return;
    }
    totalOf(calc.record) = LastResult;
    calc.tape.addItem(std::u16string(separator));
    calc.tape.addItem(calc.total.text());
    if (calculator < 2) {
        handOn(calc, row(calculator + 1));
        return;
    }
    app().setFocus(Command9);
    calc.marker.setVisible(false);
    calc.selection.setVisible(true);
    Command1.setEnabled(false);
}

// Enter in A or B passes the keyboard on to the next calculator.
void Kalpeno::handOn(Row& from, Row& next) {
    ActiveCalc = next.record.code;
    OpCount = 0;
    app().setFocus(next.entry);
    clearDisplays();
    next.marker.setVisible(true);
    from.marker.setVisible(false);
}

void Kalpeno::backspaceKey(Row& calc, std::int16_t& KeyAscii) {
    const std::u16string& entry = calc.entry.text();
    LastEntryChar = entry.empty() ? u"" : entry.substr(entry.size() - 1);
    if (LastEntryChar == u"+" || LastEntryChar == u"-" || LastEntryChar == u"*" ||
        LastEntryChar == u"/" || LastEntryChar == u"=") {
        KeyAscii = 0;
        app().msgBox(u"演算子は取り消しできません。");
        return;
    }
    forms::TextBox& display = OpCount == 0 ? Text7 : Text9;
    DisplayLength = static_cast<std::int32_t>(display.text().size());
    LeftValue = display.text();
    // An empty display stays empty; the box still deletes before its caret.
    if (DisplayLength > 0) {
        display.setText(LeftValue.substr(0, static_cast<std::size_t>(DisplayLength) - 1));
    }
}

} // namespace kalpeno::calculator
