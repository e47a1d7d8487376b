#include "win32/Fonts.h"

#include "layer/Units.h"
#include "win32/Wide.h"

#include <array>
#include <cmath>

namespace kalpeno::win32 {

namespace {

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool installed(const std::u16string& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(reinterpret_cast<char16_t*>(wanted.lfFaceName), LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

Fonts::~Fonts() {
    for (const auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
}

std::u16string Fonts::installedFace(std::u16string_view face) {
    auto known = faces_.find(face);
    if (known != faces_.end()) {
        return known->second;
    }
    std::u16string chosen;
    for (const std::u16string& candidate :
         {std::u16string(face), std::u16string(u"Yu Gothic UI"), std::u16string(u"Meiryo UI"),
          std::u16string(u"MS UI Gothic")}) {
        if (installed(candidate)) {
            chosen = candidate;
            break;
        }
    }
    if (chosen.empty()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        chosen = fromWide(metrics.lfMessageFont.lfFaceName,
                          wcsnlen(metrics.lfMessageFont.lfFaceName, LF_FACESIZE));
    }
    faces_.emplace(std::u16string(face), chosen);
    return chosen;
}

HFONT Fonts::font(const forms::FontSpec& design, int dpi) {
    const std::u16string face(design.face.empty() ? u"ＭＳ Ｐゴシック" : design.face);
    const int points = static_cast<int>(std::lround((design.points > 0 ? design.points : 9) * 100));
    const auto key = std::make_tuple(face, points, dpi);
    auto known = fonts_.find(key);
    if (known != fonts_.end()) {
        return known->second;
    }
    LOGFONTW wanted{};
    wanted.lfHeight = -layer::pointsToPixels(points / 100.0, dpi);
    wanted.lfWeight = FW_NORMAL;
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    wanted.lfOutPrecision = OUT_DEFAULT_PRECIS;
    wanted.lfQuality = CLEARTYPE_QUALITY;
    wanted.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    installedFace(face).copy(reinterpret_cast<char16_t*>(wanted.lfFaceName), LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&wanted);
    fonts_.emplace(key, font);
    return font;
}

} // namespace kalpeno::win32
