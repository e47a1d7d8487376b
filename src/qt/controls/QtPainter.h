#pragma once

#include "artwork/Painter.h"

class QPainter;

namespace kalpeno::qt {

class DesignFonts;

// The artwork's shapes painted with QPainter. Fonts without the design's fonts (the icon export
// runs without them) take the sans serif for every face.
class QtPainter : public artwork::Painter {
public:
    QtPainter(QPainter& painter, DesignFonts* fonts) : painter_(painter), fonts_(fonts) {}

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
    QPainter& painter_;
    DesignFonts* fonts_;
};

} // namespace kalpeno::qt
