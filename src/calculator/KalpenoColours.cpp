// The background colour menu: five items paint the nine boxes of the three calculators in one
// colour, "標準" gives each calculator its design colour back; "白", "灰色" and "黄色" also paint
// the Help window's text box, which loads that window hidden when it is not loaded.
#include "calculator/Kalpeno.h"

#include "forms/Application.h"

namespace kalpeno::calculator {

namespace {

struct ColourItem {
    std::u16string_view menu;
    std::optional<forms::Colour> colour; // none: each calculator's design colour
    bool paintsHelp;
};

constexpr std::array<ColourItem, 6> colourItems{{
    {u"mnuWhite", 0x00FFFFFF, true},
    {u"mnuSilver", 0x00E0E0E0, true},
    {u"mnuYellow", 0x00C0FFFF, true},
    {u"mnuGreen", 0x00C0FFC0, false},
    {u"mnuBrown", 0x00C0E0FF, false},
    {u"mnuDefoult", std::nullopt, false},
}};

} // namespace

void Kalpeno::mnuWhite_Click() {
    paint(u"mnuWhite");
}
void Kalpeno::mnuSilver_Click() {
    paint(u"mnuSilver");
}
void Kalpeno::mnuYellow_Click() {
    paint(u"mnuYellow");
}
void Kalpeno::mnuGreen_Click() {
    paint(u"mnuGreen");
}
void Kalpeno::mnuBrown_Click() {
    paint(u"mnuBrown");
}
void Kalpeno::mnuDefoult_Click() {
    paint(u"mnuDefoult");
}

// In the fixed order List1, List2, List3, Text1, Text3, Text5, Text2, Text4, Text6.
void Kalpeno::paint(std::u16string_view menu) {
    const ColourItem* item = nullptr;
    for (const ColourItem& candidate : colourItems) {
        if (candidate.menu == menu) {
            item = &candidate;
        }
    }
    if (!item) {
        return;
    }
    auto colourOf = [&](const Row& calc) {
        return item->colour.value_or(calc.record.designColour);
    };
    for (Row& calc : rows_) {
        calc.tape.setBackColour(colourOf(calc));
    }
    for (Row& calc : rows_) {
        calc.entry.setBackColour(colourOf(calc));
    }
    for (Row& calc : rows_) {
        calc.total.setBackColour(colourOf(calc));
    }
    if (item->paintsHelp) {
        app().form(u"frmHelp").textBox(u"Text1").setBackColour(*item->colour);
    }
}

} // namespace kalpeno::calculator
