#include "artwork/Artwork.h"

#include <array>

namespace kalpeno::artwork {

namespace {

constexpr Size tileSize{41, 55};
constexpr Size versionSize{362, 183};

constexpr Colour letterBlue{0, 0, 192};
constexpr Colour tileGrey{192, 192, 192};
constexpr Colour white{255, 255, 255};

Font letterFont(int pixels) {
    return {Face::Sans, pixels, true};
}

// The centre line of a bold capital A, B or C within `box`. The tiles' letters are drawn as
// strokes rather than text: they need no font engine, and look the same whatever fonts are
// installed.
Path letterPath(char16_t letter, const Rect& box) {
    const double x = box.left;
    const double y = box.top;
    const double w = box.width;
    const double h = box.height;
    Path path;
    if (letter == u'A') {
        path.moveTo({x, y + h});
        path.lineTo({x + w / 2, y});
        path.lineTo({x + w, y + h});
        path.moveTo({x + w * 0.24, y + h * 0.66});
        path.lineTo({x + w * 0.76, y + h * 0.66});
    } else if (letter == u'B') {
        const double middle = y + h * 0.47;
        path.moveTo({x, y});
        path.lineTo({x + w * 0.5, y});
        path.cubicTo({x + w * 0.9, y}, {x + w * 0.9, middle}, {x + w * 0.5, middle});
        path.lineTo({x, middle});
        path.close();
        path.moveTo({x + w * 0.52, middle});
        path.cubicTo({x + w, middle}, {x + w, y + h}, {x + w * 0.52, y + h});
        path.lineTo({x, y + h});
        path.lineTo({x, middle});
        path.close();
    } else if (letter == u'C') {
        path.arc(box, 48, 264);
    }
    return path;
}

// The letter fills half the tile's height, centred.
void paintLetter(Painter& painter, const Rect& area, char16_t letter) {
    const double capHeight = area.height * 0.51;
    const double width = capHeight * 0.98;
    const double stroke = capHeight * 0.22;
    const Rect outer{area.left + (area.width - width) / 2, area.top + (area.height - capHeight) / 2,
                     width, capHeight};
    const double inset = stroke / 2;
    const Rect inner{outer.left + inset, outer.top + inset, outer.width - stroke,
                     outer.height - stroke};
    painter.strokePath(letterPath(letter, inner), {letterBlue, stroke}, outer);
}

// A raised tile with a capital letter, as the calculators' selection pictures and markers, in
// the whole pixels left, top, width, height.
void paintTile(Painter& painter, int left, int top, int width, int height, char16_t letter,
               Colour background) {
    const double right = left + width - 1;
    const double bottom = top + height - 1;
    painter.fillRect({double(left), double(top), double(width), double(height)}, background);
    const Pen light{lighter(background, 140), 2};
    painter.strokeLine({left + 1.0, top + 1.0}, {right - 1, top + 1.0}, light);
    painter.strokeLine({left + 1.0, top + 1.0}, {left + 1.0, bottom - 1}, light);
    const Pen dark{darker(background, 160), 2};
    painter.strokeLine({left + 1.0, bottom}, {right, bottom}, dark);
    painter.strokeLine({right, top + 1.0}, {right, bottom}, dark);
    paintLetter(painter, {double(left), double(top), double(width), double(height)}, letter);
}

void paintVersion(Painter& painter) {
    painter.fillGradient({0, 0, double(versionSize.width), double(versionSize.height)},
                         {16, 40, 120}, {110, 170, 230});
    painter.drawText({20, 18, 220, 60}, u"Kalpeno", letterFont(44), white, Align::Left);
    painter.drawText({22, 84, 220, 26}, u"三つの電卓で計算を記録", {Face::Gothic, 17, false}, white,
                     Align::Left);
    const Pen faint{{255, 255, 255, 140}, 1};
    for (int line = 0; line < 3; ++line) {
        painter.strokeLine({22, 126.0 + line * 12}, {200, 126.0 + line * 12}, faint);
    }
    constexpr std::array<Colour, 3> markers{Colour{255, 255, 192}, Colour{128, 224, 128},
                                            Colour{255, 176, 64}};
    for (int i = 0; i < 3; ++i) {
        paintTile(painter, 236 + i * 40, 64 + (i % 2) * 14, 34, 46, static_cast<char16_t>(u'A' + i),
                  i == 0 ? markers[0] : tileGrey);
    }
}

// A calculator: a body, a display and a keypad with an orange equals key.
void paintProgramIcon(Painter& painter, int size) {
    painter.setAntialiasing(size > 16);
    const double unit = size / 16.0;
    Path body;
    body.roundedRect({1.5 * unit, 0.5 * unit, 13 * unit, 15 * unit}, unit);
    painter.fillPath(body, {64, 64, 80});
    painter.fillRect({3 * unit, 2 * unit, 10 * unit, 3 * unit}, {192, 255, 192});
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 2 && column == 2;
            painter.fillRect(
                {(3 + column * 3.5) * unit, (6.5 + row * 3) * unit, 2.5 * unit, 2 * unit},
                equals ? Colour{255, 160, 32} : Colour{224, 224, 224});
        }
    }
}

// A round badge with one character, for the Help ("?") and Version ("i") windows.
void paintBadge(Painter& painter, int size, std::u16string_view mark, Colour colour) {
    painter.setAntialiasing(true);
    Path badge;
    badge.ellipse({0.5, 0.5, size - 1.0, size - 1.0});
    painter.fillPath(badge, colour);
    painter.drawText({0, 0, double(size), double(size)}, mark, letterFont(size * 3 / 4), white,
                     Align::Centre);
}

} // namespace

std::optional<Size> pictureSize(std::u16string_view key) {
    if (key == u"version") {
        return versionSize;
    }
    if (key.size() == 5 && key.starts_with(u"tile") && key[4] >= u'A' && key[4] <= u'C') {
        return tileSize;
    }
    if (key == u"markerA" || key == u"markerB" || key == u"markerC") {
        return tileSize;
    }
    return std::nullopt;
}

void paintPicture(std::u16string_view key, Painter& painter) {
    painter.setAntialiasing(true);
    if (key == u"version") {
        paintVersion(painter);
        return;
    }
    if (!pictureSize(key)) {
        return;
    }
    const char16_t letter = key.back();
    Colour background = tileGrey;
    if (key == u"markerA") {
        background = {255, 255, 192}; // 0x00C0FFFF
    } else if (key == u"markerB") {
        background = {128, 224, 128};
    } else if (key == u"markerC") {
        background = {255, 176, 64};
    }
    paintTile(painter, 0, 0, tileSize.width, tileSize.height, letter, background);
}

bool isIcon(std::u16string_view key) {
    return key == u"kalpeno" || key == u"help" || key == u"version";
}

void paintIcon(std::u16string_view key, int size, Painter& painter) {
    if (key == u"kalpeno") {
        paintProgramIcon(painter, size);
    } else if (key == u"help") {
        paintBadge(painter, size, u"?", {32, 96, 200});
    } else if (key == u"version") {
        paintBadge(painter, size, u"i", {32, 140, 96});
    }
}

} // namespace kalpeno::artwork
