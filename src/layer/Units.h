#pragma once
// The design's units on a screen: twips (1/1440 inch, 15 to a pixel at 96 dpi) and points
// (1/72 inch) to pixels at a screen's dots per inch. Edges are rounded, so that neighbouring
// controls stay neighbours.

#include "forms/Design.h"

namespace kalpeno::layer {

inline constexpr int standardDpi = 96;

inline constexpr int twipsToPixels(int twips, int dpi = standardDpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled >= 0 ? scaled + 720 : scaled - 720) / 1440);
}

inline constexpr int pixelsToTwips(int pixels, int dpi = standardDpi) {
    const long long scaled = static_cast<long long>(pixels) * 1440;
    return static_cast<int>((scaled + dpi / 2) / dpi);
}

// A font's height in pixels for its size in points.
inline constexpr int pointsToPixels(double points, int dpi = standardDpi) {
    return static_cast<int>(points * dpi / 72 + 0.5);
}

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr PixelRect toPixels(const forms::Bounds& bounds, int dpi = standardDpi) {
    const int left = twipsToPixels(bounds.left, dpi);
    const int top = twipsToPixels(bounds.top, dpi);
    return {left, top, twipsToPixels(bounds.left + bounds.width, dpi) - left,
            twipsToPixels(bounds.top + bounds.height, dpi) - top};
}

} // namespace kalpeno::layer
