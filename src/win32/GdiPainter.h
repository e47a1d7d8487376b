#pragma once

#include "artwork/Painter.h"

#include <windows.h>

#include <gdiplus.h>

namespace kalpeno::win32 {

// GDI+ for the whole program, called before anything paints with it: started the first time, so
// that no window waits for it before it shows, and shut down when the program ends.
void startGdiplus();

// The artwork's shapes painted with GDI+, antialiased where the artwork asks for it.
class GdiPainter : public artwork::Painter {
public:
    explicit GdiPainter(::Gdiplus::Graphics& graphics);

    void setAntialiasing(bool on) override;
    void fillRect(const artwork::Rect& rect, artwork::Colour colour) override;
    void fillGradient(const artwork::Rect& rect, artwork::Colour top,
                      artwork::Colour bottom) override;
    void fillPath(const artwork::Path& path, artwork::Colour colour) override;
    void strokeLine(artwork::Point from, artwork::Point to, const artwork::Pen& pen) override;
    void strokePath(const artwork::Path& path, const artwork::Pen& pen,
                    const artwork::Rect& clip) override;
    void drawText(const artwork::Rect& box, std::u16string_view text, const artwork::Font& font,
                  artwork::Colour colour, artwork::Align align) override;

private:
    ::Gdiplus::Graphics& graphics_;
};

} // namespace kalpeno::win32
