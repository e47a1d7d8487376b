#include "calculator/Kalpeno.h"

#include "calculator/NumberRules.h"
#include "forms/Application.h"
#include "forms/Timer.h"

#include <limits>

namespace kalpeno::calculator {

namespace {

constexpr std::u16string_view ownTotalMessage = u"ほかの電卓でしか使えません";

bool endsWith(const std::u16string& text, char16_t c) {
    return !text.empty() && text.back() == c;
}

} // namespace

Kalpeno::Kalpeno(forms::Application& app)
    : Form(app, design()), Text7(textBox(u"Text7")), Text9(textBox(u"Text9")),
      Label6(caption(u"Label6")), Command1(caption(u"Command1")),
      Command9(caption(u"Command9")), rows_{rowOf(Calculators[0]), rowOf(Calculators[1]),
                                            rowOf(Calculators[2])} {
    wireHandlers();
}

// The controls the record names for one calculator.
Kalpeno::Row Kalpeno::rowOf(const Calculator& record) {
    return {record,
            textBox(record.entryBox),
            textBox(record.totalBox),
            listBox(record.tape),
            control(record.selectionPicture),
            control(record.markerPicture)};
}

void Kalpeno::wireHandlers() {
    control(u"Image1").onClick = [this] { Image1_Click(); };
    control(u"Image2").onClick = [this] { Image2_Click(); };
    control(u"Image3").onClick = [this] { Image3_Click(); };
    for (int i = 0; i <= 10; ++i) {
        control(u"Command2", i).onClick = [this, i] { Command2_Click(i); };
    }
    for (int i = 0; i <= 3; ++i) {
        control(u"Command3", i).onClick = [this, i] { Command3_Click(i); };
    }
    control(u"cmdKotae1").onClick = [this] { cmdKotae1_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command9.onClick = [this] { Command9_Click(); };
    control(u"Command6").onClick = [this] { Command6_Click(); };
    control(u"Command7").onClick = [this] { Command7_Click(); };
    control(u"Command8").onClick = [this] { Command8_Click(); };
    textBox(u"Text1").onKeyPress = [this](std::int16_t& k) { Text1_KeyPress(k); };
    textBox(u"Text3").onKeyPress = [this](std::int16_t& k) { Text3_KeyPress(k); };
    textBox(u"Text5").onKeyPress = [this](std::int16_t& k) { Text5_KeyPress(k); };
    menu(u"mnuEnd").onClick = [this] { mnuEnd_Click(); };
    menu(u"mnuHelp").onClick = [this] { mnuHelp_Click(); };
    menu(u"mnuVersion").onClick = [this] { mnuVersion_Click(); };
    menu(u"mnuWhite").onClick = [this] { mnuWhite_Click(); };
    menu(u"mnuSilver").onClick = [this] { mnuSilver_Click(); };
    menu(u"mnuYellow").onClick = [this] { mnuYellow_Click(); };
    menu(u"mnuGreen").onClick = [this] { mnuGreen_Click(); };
    menu(u"mnuBrown").onClick = [this] { mnuBrown_Click(); };
    menu(u"mnuDefoult").onClick = [this] { mnuDefoult_Click(); };
    get<forms::Timer>(u"Timer1").onTimer = [this] { Timer1_Timer(); };
}

Kalpeno::Row* Kalpeno::active() {
    for (Row& calc : rows_) {
        if (calc.record.code == ActiveCalc) {
            return &calc;
        }
    }
    return nullptr;
}

double& Kalpeno::totalOf(const Calculator& calculator) {
    switch (calculator.total) {
    case TotalField::A:
        return TotalA;
    case TotalField::B:
        return TotalB;
    case TotalField::C:
        break;
    }
    return TotalC;
}

std::optional<double> Kalpeno::readNumber(std::u16string_view text) {
    std::optional<double> number = TextToNumber(text);
    if (!number) {
        reportFailure(ArithmeticFailure::Overflow);
    }
    return number;
}

void Kalpeno::reportFailure(ArithmeticFailure failure) {
    app().msgBox(failureMessage(failure));
}

// OpCount is a 16-bit count: from 32767 on it stays there, and every further operator works as
// a later operator.
void Kalpeno::raiseOpCount() {
    if (OpCount < std::numeric_limits<std::int16_t>::max()) {
        ++OpCount;
    }
}

void Kalpeno::Form_Load() {
    ActiveCalc = 1;
    clearDisplays();
    OpCount = 0;
    row(0).marker.setVisible(true);
}

void Kalpeno::Image1_Click() {
    select(0);
}
void Kalpeno::Image2_Click() {
    select(1);
}
void Kalpeno::Image3_Click() {
    select(2);
}

// Empties the display area: both operand displays and the operator display.
void Kalpeno::clearDisplays() {
    Text7.setText(u"");
    Text9.setText(u"");
    Label6.setCaption(u"");
}

void Kalpeno::select(std::size_t calculator) {
    Row& chosen = row(calculator);
    for (Row& calc : rows_) {
        calc.marker.setVisible(&calc == &chosen);
    }
    Command1.setEnabled(true);
    ActiveCalc = chosen.record.code;
    chosen.entry.setText(u"");
    chosen.total.setText(u"");
    chosen.tape.clear();
    app().setFocus(chosen.entry);
    clearDisplays();
    OpCount = 0;
}

void Kalpeno::mnuEnd_Click() {
    app().End();
}

bool Kalpeno::Keisan(const std::u16string& Hidari, const std::u16string& Migi,
                     const std::u16string& Kigou) {
    Row* calc = active();
    if (!calc || !isOperator(Kigou)) {
        return true;
    }
    const std::optional<double> left = readNumber(Hidari);
    if (!left) {
        return false;
    }
    const std::optional<double> right = readNumber(Migi);
    if (!right) {
        return false;
    }
    const ArithmeticResult result = applyOperator(Kigou, *left, *right);
    if (const auto* failure = std::get_if<ArithmeticFailure>(&result)) {
        reportFailure(*failure);
        return false;
    }
    showResult(std::get<double>(result));
    return true;
}

// What Keisan does with a result: it becomes LastResult and is shown in the active calculator's
// total box and in Text7, and the right operand display is emptied.
void Kalpeno::showResult(double result) {
    LastResult = result;
    if (Row* calc = active()) {
        calc->total.setText(FormatPicture(LastResult, PictureTotalKeisan));
    }
    Text7.setText(NumberToText(LastResult));
    Text9.setText(u"");
}

void Kalpeno::Command2_Click(int Index) {
    Row* calc = active();
    if (!calc) {
        return;
    }
    if (endsWith(calc->entry.text(), u'=')) {
        app().msgBox(completedMessage);
        return;
    }
    const std::u16string& c = caption(u"Command2", Index).caption();
    calc->entry.append(c);
    (OpCount == 0 ? Text7 : Text9).append(c);
}

void Kalpeno::Command3_Click(int Index) {
    Row* calc = active();
    if (!calc) {
        return;
    }
    const std::u16string s = caption(u"Command3", Index).caption();
    raiseOpCount();
    if (OpCount == 1) {
        Label6.setCaption(s);
        calc->entry.append(s);
        const std::optional<double> left = readNumber(Text7.text());
        if (!left) {
            return;
        }
        calc->tape.addItem(FormatPicture(*left, PictureOperandFirst));
        return;
    }
    calc->entry.append(s);
    RightValue = Text9.text();
    LeftValue = Text7.text();
    const std::optional<double> right = readNumber(Text9.text());
    if (!right) {
        return;
    }
    calc->tape.addItem(FormatPicture(*right, PictureOperandFirst));
    OpSymbol = Label6.caption();
    if (!Keisan(LeftValue, RightValue, OpSymbol)) {
        return;
    }
    Label6.setCaption(s);
}

// With no operator pending, the calculation has one operand, the number in Text7, and that
// number is its result: the tape records it and the total box and total field take it.
void Kalpeno::cmdKotae1_Click() {
    Row* calc = active();
    if (!calc) {
        return;
    }
    RightValue = Text9.text();
    LeftValue = Text7.text();
    calc->entry.append(u"=");
    const bool pending = isOperator(Label6.caption());
    const std::optional<double> tapeValue = readNumber(pending ? Text9.text() : Text7.text());
    if (!tapeValue) {
        return;
    }
    TapeValue = *tapeValue;
    TapeLine = FormatPicture(TapeValue, PictureOperandEquals);
    calc->tape.addItem(TapeLine);
    calc->tape.addItem(std::u16string(separator));
    double result = TapeValue;
    if (pending) {
        const std::optional<double> left = readNumber(LeftValue);
        if (!left) {
            return;
        }
        const ArithmeticResult computed = applyOperator(Label6.caption(), *left, TapeValue);
        if (const auto* failure = std::get_if<ArithmeticFailure>(&computed)) {
            reportFailure(*failure);
            return;
        }
        result = std::get<double>(computed);
    }
    LastResult = result;
    calc->total.setText(FormatPicture(LastResult, PictureTotal));
    Text7.setText(NumberToText(LastResult));
    calc->tape.addItem(FormatPicture(LastResult, PictureTotal));
    totalOf(calc->record) = LastResult;
}

void Kalpeno::Command1_Click() {
    Row* calc = active();
    if (!calc) {
        return;
    }
    calc->entry.setText(u"");
    Text7.setText(u"");
    Text9.setText(u"");
    calc->total.setText(u"");
    Label6.setCaption(u"");
    calc->tape.clear();
    OpCount = 0;
    app().setFocus(calc->entry);
}

void Kalpeno::Command9_Click() {
    clearAll();
    row(0).marker.setVisible(true);
    row(1).marker.setVisible(false);
    row(2).marker.setVisible(false);
    Command1.setEnabled(true);
}

// What All clear and the blank key in C share: every box and tape emptied, A active with the
// focus in its entry box, the display area empty.
void Kalpeno::clearAll() {
    for (Row& calc : rows_) {
        calc.entry.setText(u"");
        calc.total.setText(u"");
    }
    for (Row& calc : rows_) {
        calc.tape.clear();
    }
    OpCount = 0;
    app().setFocus(row(0).entry);
    ActiveCalc = 1;
    clearDisplays();
}

void Kalpeno::Command6_Click() {
    recall(0);
}
void Kalpeno::Command7_Click() {
    recall(1);
}
void Kalpeno::Command8_Click() {
    recall(2);
}

void Kalpeno::recall(std::size_t calculator) {
    const Calculator& source = row(calculator).record;
    if (ActiveCalc == source.code) {
        app().msgBox(ownTotalMessage);
        return;
    }
    Row* calc = active();
    if (!calc) {
        return;
    }
    const std::u16string t = NumberToText(totalOf(source));
    if (OpCount >= 1) {
        calc->entry.append(t);
        Text9.setText(t);
    } else {
        calc->entry.setText(t);
        Text7.setText(t);
    }
}

void Kalpeno::mnuHelp_Click() {
    app().show(u"frmHelp");
}
void Kalpeno::mnuVersion_Click() {
    app().show(u"frmVersion4");
}

} // namespace kalpeno::calculator
