#pragma once
// What the program's artwork is painted with: a few shapes, colours and texts, in pixels of the
// picture (each window layer scales them to its screen). Each layer paints them with its own
// toolkit (Qt's QPainter, Windows' GDI+); the artwork itself (Artwork.h) is drawn once, here.

#include <cstdint>
#include <string_view>
#include <vector>

namespace kalpeno::artwork {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

// As a lamp turned up or down: the colour's value times factor/100 (lighter) or 100/factor
// (darker), its hue kept; past full value, lighter takes from the saturation instead.
Colour lighter(Colour colour, int factor);
Colour darker(Colour colour, int factor);

struct Point {
    double x = 0;
    double y = 0;
};

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Straight lines and cubic curves; an arc of an ellipse is added as cubic curves.
class Path {
public:
    enum class Kind { Move, Line, Cubic, Close };
    struct Element {
        Kind kind;
        Point points[3]; // the end point, or a curve's two control points and its end
    };

    void moveTo(Point to) { elements_.push_back({Kind::Move, {to}}); }
    void lineTo(Point to) { elements_.push_back({Kind::Line, {to}}); }
    void cubicTo(Point first, Point second, Point to) {
        elements_.push_back({Kind::Cubic, {first, second, to}});
    }
    void close() { elements_.push_back({Kind::Close, {}}); }
    // A new subpath along the ellipse in `box`, from `start` degrees (0 at three o'clock,
    // counterclockwise on the screen) through `sweep` degrees.
    void arc(const Rect& box, double start, double sweep);
    void ellipse(const Rect& box);
    void roundedRect(const Rect& rect, double radius);

    const std::vector<Element>& elements() const { return elements_; }

private:
    std::vector<Element> elements_;
};

struct Pen {
    Colour colour;
    double width = 1;
    bool roundJoin = false; // else mitred; line ends are square
};

enum class Face { Sans, Gothic }; // a bold-capable sans serif, and the design's "ＭＳ Ｐゴシック"

struct Font {
    Face face = Face::Sans;
    int pixelSize = 12;
    bool bold = false;
};

enum class Align { Left, Centre }; // texts are centred vertically in their box

class Painter {
public:
    virtual ~Painter() = default;
    virtual void setAntialiasing(bool on) = 0;
    virtual void fillRect(const Rect& rect, Colour colour) = 0;
    // From `top` at the rectangle's top edge to `bottom` at its bottom edge.
    virtual void fillGradient(const Rect& rect, Colour top, Colour bottom) = 0;
    virtual void fillPath(const Path& path, Colour colour) = 0;
    virtual void strokeLine(Point from, Point to, const Pen& pen) = 0;
    virtual void strokePath(const Path& path, const Pen& pen, const Rect& clip) = 0;
    virtual void drawText(const Rect& box, std::u16string_view text, const Font& font,
                          Colour colour, Align align) = 0;
};

} // namespace kalpeno::artwork
