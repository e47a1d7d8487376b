#pragma once
// The calculator window. Three calculators, A, B and C, share one keypad, one display area
// (Text7: left operand or running value, Label6: pending operator, Text9: right operand) and one
// set of state fields. A click or a key press runs one handler; the handler reads the operand
// texts, computes through the number rules and the arithmetic, and writes the boxes and tapes of
// the calculator that the Calculator record names. Totals are kept in TotalA/B/C for recall.

#include "calculator/Arithmetic.h"
#include "calculator/Calculator.h"
#include "forms/Form.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kalpeno::calculator {

// A state field's value, for checks from outside the window.

class Kalpeno : public forms::Form {
public:
    explicit Kalpeno(forms::Application& app);
    static const forms::FormDesign& design();

    // Window-level state fields, in their declared order.
    std::u16string LeftValue;
    std::u16string RightValue;
    std::u16string OpSymbol;
    std::u16string LastEntryChar;
    std::int32_t DisplayLength = 0;
    std::int16_t ActiveCalc = 1;
    std::int16_t OpCount = 0;
    double LastResult = 0;
    double TotalA = 0;
    double TotalB = 0;
    double TotalC = 0;
    double TapeValue = 0;
    std::u16string TapeLine;

    // What the keypad and the keyboard refuse to add to a completed calculation, and the line
    // between a calculation's operands and its result on the tape.
    static constexpr std::u16string_view completedMessage =
        u"電卓のA,B,C又は全クリアのボタンをクリックしてください。";
    static constexpr std::u16string_view separator = u"-------------";

    void Form_Load() override;
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Command2_Click(int Index);
    void Command3_Click(int Index);
    void cmdKotae1_Click();
    void Command1_Click();
    void Command9_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Text1_KeyPress(std::int16_t& KeyAscii);
    void Text3_KeyPress(std::int16_t& KeyAscii);
    void Text5_KeyPress(std::int16_t& KeyAscii);
    void mnuEnd_Click();
    void mnuHelp_Click();
    void mnuVersion_Click();
    void mnuWhite_Click();
    void mnuSilver_Click();
    void mnuYellow_Click();
    void mnuGreen_Click();
    void mnuBrown_Click();
    void mnuDefoult_Click();
    void Timer1_Timer() {}

    // Keisan(Hidari, Migi, Kigou): applies the pending operator Kigou to the operand texts and
    // shows the result in the active calculator's total box and in Text7. Answers false when the
    // calculation failed; the failure has then been shown and nothing was stored.
    [[nodiscard]] bool Keisan(const std::u16string& Hidari, const std::u16string& Migi,
                              const std::u16string& Kigou);

private:
    struct Row {
        const Calculator& record;
        forms::TextBox& entry;
        forms::TextBox& total;
        forms::ListBox& tape;
        forms::Control& selection;
        forms::Control& marker;
    };

    Row rowOf(const Calculator& record);
    void wireHandlers();
    Row* active();
    Row& row(std::size_t i) { return rows_[i]; }
    double& totalOf(const Calculator& calculator);
    void select(std::size_t calculator);
    void recall(std::size_t calculator);
    void keyPress(std::size_t calculator, std::int16_t& KeyAscii);
    void operatorKey(Row& calc, char16_t symbol);
    void enterKey(std::size_t calculator);
    bool writeOperandLine(Row& calc, const forms::TextBox& display);
    bool applyPendingOperator(Row& calc);
    bool takeOperandAsResult(Row& calc);
    void showResult(double result);
    void clearDisplays();
    void handOn(Row& from, Row& next);
    void backspaceKey(Row& calc, std::int16_t& KeyAscii);
    void clearAll();
    void paint(std::u16string_view menu);
    // Reads a display text by the text-to-number rule; a number beyond the range of a double is
    // reported as an overflow and answers nothing.
    std::optional<double> readNumber(std::u16string_view text);
    void reportFailure(ArithmeticFailure failure);
    void raiseOpCount();

    forms::TextBox& Text7;
    forms::TextBox& Text9;
    forms::Label& Label6;
    forms::CommandButton& Command1;
    forms::CommandButton& Command9;
    std::array<Row, 3> rows_;
};

} // namespace kalpeno::calculator
