#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

// An RGB colour, each channel 0..255.
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// A device rectangle: the pixels with left <= x < right and top <= y < bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int width = 0;
    int height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// Dashes and dots apply to pens of width 0 or 1 only; wider pens draw solid. A null pen
// draws nothing (shapes are then filled only).
enum class PenStyle { Solid, Dash, Dot, Null };

// Width is in device pixels; 0 and 1 both mean a one-pixel line.
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Colour colour;

    friend bool operator==(const Pen&, const Pen&) = default;
};

// A brush fills shapes with one colour, or not at all.
struct Brush {
    bool solid = false;
    Colour colour;

    static Brush none() { return {}; }
    static Brush of(Colour c) { return {true, c}; }

    friend bool operator==(const Brush&, const Brush&) = default;
};

// The fields of a logical font description. A negative height asks for a character (em)
// height of -height pixels; a positive one for a cell height (ascent + descent) of height
// pixels; zero for the default size. Escapement is the text direction in tenths of a
// degree, counter-clockwise from the x axis. Weight runs 0..1000 (400 normal, 700 bold,
// 0 default). The low two bits of pitchAndFamily give the pitch (1 fixed, 2 variable) and
// the high nibble the family (0x10 serif, 0x20 sans serif, 0x30 monospace, 0x40 script,
// 0x50 decorative).
struct Font {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;

    friend bool operator==(const Font&, const Font&) = default;
};

// Where the anchor point of text() lies on the text's cell: left, centre or right edge;
// top, baseline or bottom.
enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Baseline, Bottom };

struct TextAlign {
    HAlign horizontal = HAlign::Left;
    VAlign vertical = VAlign::Top;

    friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

inline constexpr TextAlign kLeftTop{HAlign::Left, VAlign::Top};
inline constexpr TextAlign kLeftBaseline{HAlign::Left, VAlign::Baseline};

// An abstract 2-D drawing surface in device pixels, x to the right and y downward. The
// current pen, brush, font, text colour, background mode, text alignment and clip persist
// until changed. Lines and polylines draw with the pen and leave out their last point, so
// that consecutive segments do not touch a pixel twice. Closed shapes are outlined with
// the pen and filled with the brush. Text is UTF-8.
class Surface {
public:
    virtual ~Surface() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void setFont(const Font& font) = 0;
    virtual void setTextColour(Colour colour) = 0;
    // A transparent background leaves the pixels behind text and pen gaps untouched; an
    // opaque one paints them in the background colour (white until set).
    virtual void setTransparentBackground(bool transparent) = 0;
    virtual void setBackgroundColour(Colour colour) = 0;
    virtual void setTextAlign(TextAlign align) = 0;

    virtual void setPixel(int x, int y, Colour colour) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void polyline(const std::vector<Point>& points) = 0;
    // The ellipse inscribed in the box, within its pixels.
    virtual void ellipse(const Rect& box) = 0;
    // A closed polygon filled by the alternate (even-odd) rule.
    virtual void polygon(const std::vector<Point>& points) = 0;
    virtual void fillRect(const Rect& rect, Colour colour) = 0;
    virtual void text(int x, int y, std::string_view utf8) = 0;
    // Width of the advance and height of the cell of the text in the current font.
    virtual Size textExtent(std::string_view utf8) const = 0;

    // Drawing outside the clip rectangle leaves the pixels unchanged.
    virtual void setClip(const Rect& rect) = 0;
    virtual void clearClip() = 0;
};

} // namespace chart
