#include "bench/scale/SessionScript.h"

#include <array>
#include <random>

namespace kalpeno::bench {

namespace {

constexpr std::array<std::u16string_view, 3> pictures{u"Image1", u"Image2", u"Image3"};
constexpr std::array<std::u16string_view, 3> entries{u"Text1", u"Text3", u"Text5"};
// The recall button of the calculator before B and before C.
constexpr std::array<std::u16string_view, 3> recallOfPrevious{u"", u"Command6", u"Command7"};
constexpr std::u16string_view operatorKeys = u"+-*/";

// Keypad element of a digit: "1" to "9" are Command2(0) to Command2(8), "0" is Command2(9).
int digitIndex(int digit) {
    return digit == 0 ? 9 : digit - 1;
}

class Generator {
public:
    Generator(std::size_t events, std::uint32_t seed) : limit_(events), random_(seed) {
        out_.reserve(events);
    }

    std::vector<ScriptEvent> run() {
        while (!full()) {
            if (chance(0.5)) {
                mouseCalculation();
            } else {
                keyboardRun();
            }
        }
        return std::move(out_);
    }

private:
    bool full() const { return out_.size() >= limit_; }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

    void click(std::u16string_view control, int index = -1) {
        if (!full()) {
            out_.push_back({EventKind::Click, control, index, 0});
        }
    }
    void key(std::u16string_view box, char32_t key) {
        if (!full()) {
            out_.push_back({EventKind::Key, box, -1, key});
        }
    }

    // Digits of an operand: never starts with 0, so no divisor is ever zero; sometimes a point.
    std::vector<int> operandDigits() {
        std::vector<int> digits;
        const int length = between(1, 6);
        const int point = chance(0.2) && length > 1 ? between(1, length - 1) : -1;
        for (int i = 0; i < length; ++i) {
            if (i == point) {
                digits.push_back(10);
            }
            digits.push_back(i == 0 ? between(1, 9) : between(0, 9));
        }
        return digits;
    }

    void mouseOperand() {
        for (int d : operandDigits()) {
            click(u"Command2", d == 10 ? 10 : digitIndex(d));
        }
    }

    void mouseCalculation() {
        click(pictures[static_cast<std::size_t>(between(0, 2))]);
        const int operands = between(2, 4);
        for (int i = 0; i < operands; ++i) {
            if (i > 0) {
                click(u"Command3", between(0, 3));
            }
            mouseOperand();
            if (i == 0 && chance(0.1)) {
                click(u"Command1"); // Clear, and start the calculation again
                mouseOperand();
            }
        }
        click(u"cmdKotae1");
    }

    void typedOperand(std::u16string_view box) {
        for (int d : operandDigits()) {
            key(box, d == 10 ? U'.' : static_cast<char32_t>(U'0' + d));
        }
        if (chance(0.1)) {
            key(box, 8);
            key(box, static_cast<char32_t>(U'0' + between(1, 9)));
        }
    }

    // All clear, then a calculation typed into A, B and C in turn, each ended with Enter; B and C
    // sometimes start from the total of the calculator before them.
    void keyboardRun() {
        click(u"Command9");
        for (std::size_t calc = 0; calc < 3; ++calc) {
            const std::u16string_view box = entries[calc];
            const bool recall = calc > 0 && chance(0.5);
            if (recall) {
                click(recallOfPrevious[calc]);
            }
            const int operands = between(2, 4);
            for (int i = 0; i < operands; ++i) {
                if (i > 0) {
                    key(box, operatorKeys[static_cast<std::size_t>(between(0, 3))]);
                }
                if (i > 0 || !recall) {
                    typedOperand(box);
                }
            }
            key(box, 13);
        }
    }

    std::size_t limit_;
    std::mt19937 random_;
    std::vector<ScriptEvent> out_;
};

} // namespace

SessionScript SessionScript::generate(std::size_t events, std::uint32_t seed) {
    SessionScript script;
    script.events_ = Generator(events, seed).run();
    return script;
}

} // namespace kalpeno::bench
