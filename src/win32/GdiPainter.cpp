#include "win32/GdiPainter.h"

#include <initializer_list>
#include <memory>
#include <span>
#include <string>

namespace kalpeno::win32 {

namespace gp = ::Gdiplus;

namespace {

gp::Color toColor(artwork::Colour colour) {
    return gp::Color(colour.alpha, colour.red, colour.green, colour.blue);
}

gp::RectF toRectF(const artwork::Rect& rect) {
    return gp::RectF(static_cast<gp::REAL>(rect.left), static_cast<gp::REAL>(rect.top),
                     static_cast<gp::REAL>(rect.width), static_cast<gp::REAL>(rect.height));
}

gp::PointF toPointF(artwork::Point point) {
    return gp::PointF(static_cast<gp::REAL>(point.x), static_cast<gp::REAL>(point.y));
}

void addTo(gp::GraphicsPath& shape, const artwork::Path& path) {
    gp::PointF last;
    for (const artwork::Path::Element& element : path.elements()) {
        switch (element.kind) {
        case artwork::Path::Kind::Move:
            shape.StartFigure();
            last = toPointF(element.points[0]);
            break;
        case artwork::Path::Kind::Line: {
            const gp::PointF to = toPointF(element.points[0]);
            shape.AddLine(last, to);
            last = to;
            break;
        }
        case artwork::Path::Kind::Cubic: {
            const gp::PointF to = toPointF(element.points[2]);
            shape.AddBezier(last, toPointF(element.points[0]), toPointF(element.points[1]), to);
            last = to;
            break;
        }
        case artwork::Path::Kind::Close:
            shape.CloseFigure();
            break;
        }
    }
}

// A GDI+ pen of the artwork's, with square ends as the artwork's lines have.
class ShapedPen {
public:
    explicit ShapedPen(const artwork::Pen& pen)
        : pen_(toColor(pen.colour), static_cast<gp::REAL>(pen.width)) {
        pen_.SetStartCap(gp::LineCapSquare);
        pen_.SetEndCap(gp::LineCapSquare);
        pen_.SetLineJoin(pen.roundJoin ? gp::LineJoinRound : gp::LineJoinMiter);
    }
    gp::Pen* get() { return &pen_; }

private:
    gp::Pen pen_;
};

// The first installed of the faces the artwork's face may be: the design's Gothic, or a sans
// serif with a bold face (Segoe UI and Arial on Windows, Tahoma under Wine).
std::unique_ptr<gp::FontFamily> familyOf(artwork::Face face) {
    static const wchar_t* const gothic[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI"};
    static const wchar_t* const sans[] = {L"Segoe UI", L"Arial", L"Tahoma",
                                          L"Microsoft Sans Serif"};
    // Without a sans serif, the Gothic stands in for it.
    for (const std::span<const wchar_t* const> names :
         {face == artwork::Face::Gothic ? std::span<const wchar_t* const>() : sans,
          std::span<const wchar_t* const>(gothic)}) {
        for (const wchar_t* name : names) {
            auto family = std::make_unique<gp::FontFamily>(name);
            if (family->IsAvailable()) {
                return family;
            }
        }
    }
    const gp::FontFamily* generic = gp::FontFamily::GenericSansSerif();
    return generic && generic->IsAvailable() ? std::unique_ptr<gp::FontFamily>(generic->Clone())
                                             : nullptr;
}

class Gdiplus {
public:
    Gdiplus() {
        gp::GdiplusStartupInput input;
        gp::GdiplusStartup(&token_, &input, nullptr);
    }
    ~Gdiplus() { gp::GdiplusShutdown(token_); }
    Gdiplus(const Gdiplus&) = delete;
    Gdiplus& operator=(const Gdiplus&) = delete;

private:
    ULONG_PTR token_ = 0;
};

} // namespace

void startGdiplus() {
    static const Gdiplus started;
}

// Pixel centres at half pixels, as the artwork's coordinates mean them.
GdiPainter::GdiPainter(gp::Graphics& graphics) : graphics_(graphics) {
    graphics_.SetPixelOffsetMode(gp::PixelOffsetModeHalf);
}

void GdiPainter::setAntialiasing(bool on) {
    graphics_.SetSmoothingMode(on ? gp::SmoothingModeAntiAlias : gp::SmoothingModeNone);
    graphics_.SetTextRenderingHint(on ? gp::TextRenderingHintAntiAlias
                                      : gp::TextRenderingHintSingleBitPerPixelGridFit);
}

void GdiPainter::fillRect(const artwork::Rect& rect, artwork::Colour colour) {
    gp::SolidBrush brush(toColor(colour));
    graphics_.FillRectangle(&brush, toRectF(rect));
}

void GdiPainter::fillGradient(const artwork::Rect& rect, artwork::Colour top,
                              artwork::Colour bottom) {
    const gp::RectF area = toRectF(rect);
    gp::LinearGradientBrush brush(area, toColor(top), toColor(bottom),
                                  gp::LinearGradientModeVertical);
    brush.SetWrapMode(gp::WrapModeTileFlipXY); // no seam of the opposite colour at an edge
    graphics_.FillRectangle(&brush, area);
}

void GdiPainter::fillPath(const artwork::Path& path, artwork::Colour colour) {
    gp::GraphicsPath shape;
    addTo(shape, path);
    gp::SolidBrush brush(toColor(colour));
    graphics_.FillPath(&brush, &shape);
}

void GdiPainter::strokeLine(artwork::Point from, artwork::Point to, const artwork::Pen& pen) {
    ShapedPen shaped(pen);
    graphics_.DrawLine(shaped.get(), toPointF(from), toPointF(to));
}

void GdiPainter::strokePath(const artwork::Path& path, const artwork::Pen& pen,
                            const artwork::Rect& clip) {
    gp::GraphicsPath shape;
    addTo(shape, path);
    ShapedPen shaped(pen);
    graphics_.SetClip(toRectF(clip));
    graphics_.DrawPath(shaped.get(), &shape);
    graphics_.ResetClip();
}

void GdiPainter::drawText(const artwork::Rect& box, std::u16string_view text,
                          const artwork::Font& font, artwork::Colour colour, artwork::Align align) {
    const gp::FontStyle style = font.bold ? gp::FontStyleBold : gp::FontStyleRegular;
    const auto size = static_cast<gp::REAL>(font.pixelSize);
    const std::unique_ptr<gp::FontFamily> family = familyOf(font.face);
    if (!family) {
        return; // no font at all: the artwork keeps its shapes
    }
    gp::Font face(family.get(), size, style, gp::UnitPixel);
    gp::StringFormat format;
    format.SetAlignment(align == artwork::Align::Centre ? gp::StringAlignmentCenter
                                                        : gp::StringAlignmentNear);
    format.SetLineAlignment(gp::StringAlignmentCenter);
    format.SetFormatFlags(gp::StringFormatFlagsNoWrap);
    gp::SolidBrush brush(toColor(colour));
    const std::wstring wide(text.begin(), text.end());
    graphics_.DrawString(wide.c_str(), static_cast<INT>(wide.size()), &face, toRectF(box), &format,
                         &brush);
}

} // namespace kalpeno::win32
