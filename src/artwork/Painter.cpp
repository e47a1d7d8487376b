#include "artwork/Painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kalpeno::artwork {

namespace {

struct Hsv {
    double hue; // degrees, or -1 for a grey
    double saturation;
    double value;
};

Hsv toHsv(Colour colour) {
    const double r = colour.red / 255.0;
    const double g = colour.green / 255.0;
    const double b = colour.blue / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;
    Hsv hsv{-1, max == 0 ? 0 : delta / max, max};
    if (delta > 0) {
        double hue = max == r   ? (g - b) / delta
                     : max == g ? 2 + (b - r) / delta
                                : 4 + (r - g) / delta;
        hue *= 60;
        hsv.hue = hue < 0 ? hue + 360 : hue;
    }
    return hsv;
}

Colour fromHsv(const Hsv& hsv, std::uint8_t alpha) {
    auto channel = [](double v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    if (hsv.hue < 0 || hsv.saturation == 0) {
        const std::uint8_t v = channel(hsv.value);
        return {v, v, v, alpha};
    }
    const double h = hsv.hue / 60;
    const int sector = static_cast<int>(std::floor(h)) % 6;
    const double f = h - std::floor(h);
    const double v = hsv.value;
    const double p = v * (1 - hsv.saturation);
    const double q = v * (1 - hsv.saturation * f);
    const double t = v * (1 - hsv.saturation * (1 - f));
    const double rgb[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    return {channel(rgb[sector][0]), channel(rgb[sector][1]), channel(rgb[sector][2]), alpha};
}

Point onEllipse(const Rect& box, double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    return {box.left + box.width / 2 * (1 + std::cos(radians)),
            box.top + box.height / 2 * (1 - std::sin(radians))};
}

} // namespace

Colour lighter(Colour colour, int factor) {
    if (factor < 100) {
        return darker(colour, 10000 / std::max(factor, 1));
    }
    Hsv hsv = toHsv(colour);
    hsv.value = hsv.value * factor / 100;
    if (hsv.value > 1) {
        hsv.saturation = std::max(0.0, hsv.saturation - (hsv.value - 1));
        hsv.value = 1;
    }
    return fromHsv(hsv, colour.alpha);
}

Colour darker(Colour colour, int factor) {
    if (factor < 100) {
        return lighter(colour, 10000 / std::max(factor, 1));
    }
    Hsv hsv = toHsv(colour);
    hsv.value = hsv.value * 100 / factor;
    return fromHsv(hsv, colour.alpha);
}

// Each piece of at most 90 degrees is one cubic curve, with its control points on the tangents.
void Path::arc(const Rect& box, double start, double sweep) {
    moveTo(onEllipse(box, start));
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / 90)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3 * std::tan(step * std::numbers::pi / 180 / 4);
    const double rx = box.width / 2;
    const double ry = box.height / 2;
    for (int i = 0; i < pieces; ++i) {
        const double a = (start + step * i) * std::numbers::pi / 180;
        const double b = (start + step * (i + 1)) * std::numbers::pi / 180;
        const Point from = onEllipse(box, start + step * i);
        const Point to = onEllipse(box, start + step * (i + 1));
        cubicTo({from.x - k * rx * std::sin(a), from.y - k * ry * std::cos(a)},
                {to.x + k * rx * std::sin(b), to.y + k * ry * std::cos(b)}, to);
    }
}

void Path::ellipse(const Rect& box) {
    arc(box, 0, 360);
    close();
}

void Path::roundedRect(const Rect& rect, double radius) {
    const double right = rect.left + rect.width;
    const double bottom = rect.top + rect.height;
    const double d = 2 * radius;
    arc({right - d, rect.top, d, d}, 0, 90);
    const auto corner = [&](const Rect& box, double start) {
        lineTo(onEllipse(box, start));
        const Path piece = [&] {
            Path p;
            p.arc(box, start, 90);
            return p;
        }();
        elements_.insert(elements_.end(), piece.elements_.begin() + 1, piece.elements_.end());
    };
    corner({rect.left, rect.top, d, d}, 90);
    corner({rect.left, bottom - d, d, d}, 180);
    corner({right - d, bottom - d, d, d}, 270);
    close();
}

} // namespace kalpeno::artwork
