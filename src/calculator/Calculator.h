#pragma once

#include "forms/Design.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kalpeno::calculator {

// Which of the three totals a calculator keeps for recall.
enum class TotalField { A, B, C };

// The fixed record that ties each of A, B and C to its ActiveCalc code, its controls, its total
// and its design colour. Every handler that acts on "the active calculator" picks its row here.
struct Calculator {
    std::int16_t code;
    std::u16string_view letter;
    std::u16string_view entryBox;
    std::u16string_view totalBox;
    std::u16string_view tape;
    std::u16string_view selectionPicture;
    std::u16string_view markerPicture;
    std::u16string_view recallButton;
    TotalField total;
    forms::Colour designColour;
};

inline constexpr std::array<Calculator, 3> Calculators{{
    {1, u"A", u"Text1", u"Text2", u"List1", u"Image1", u"Image4", u"Command6", TotalField::A,
     0x00C0FFFF},
    {3, u"B", u"Text3", u"Text4", u"List2", u"Image2", u"Image5", u"Command7", TotalField::B,
     0x00C0FFC0},
    {5, u"C", u"Text5", u"Text6", u"List3", u"Image3", u"Image6", u"Command8", TotalField::C,
     0x00C0E0FF},
}};

} // namespace kalpeno::calculator
