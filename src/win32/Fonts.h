#pragma once

#include "forms/Design.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace kalpeno::win32 {

// The design's fonts at a screen's dpi, made once each and kept: the face with the Shift-JIS
// character set at the design's size in points. Where the face is missing, the first installed
// of the Japanese UI faces stands in for it, else the system's message font.
class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT font(const forms::FontSpec& design, int dpi);
    // The forms' own font, for the controls that have none of their own.
    HFONT formFont(int dpi) { return font({u"ＭＳ Ｐゴシック", 9}, dpi); }

private:
    std::u16string installedFace(std::u16string_view face);

    std::map<std::tuple<std::u16string, int, int>, HFONT> fonts_;
    std::map<std::u16string, std::u16string, std::less<>> faces_;
};

} // namespace kalpeno::win32
