#pragma once

#include "chart/Surface.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

// The attributes in force when an operation was recorded.
struct SurfaceState {
    Pen pen;
    Brush brush;
    Font font;
    Colour textColour;
    Colour backgroundColour{255, 255, 255};
    bool transparentBackground = false;
    TextAlign textAlign;
    std::optional<Rect> clip;
};

enum class OpKind { Pixel, Line, Polyline, Ellipse, Polygon, FillRect, Text };

// One recorded drawing call. Lines keep their two ends in points, polylines and polygons
// their vertices, a pixel its position; ellipses and fills keep their box in rect; pixels
// and fills their colour; text its anchor in points and its string in text.
struct Operation {
    OpKind kind = OpKind::Pixel;
    std::vector<Point> points;
    Rect rect;
    Colour colour;
    std::string text;
    SurfaceState state;
};

// A surface that draws nothing and records every drawing call with the state in force.
// Text is measured by a fixed metric: each character (UTF-8 code point) is 0.6 times the
// font's pixel height wide, rounded to the nearest pixel, and the cell is the pixel height
// high; the pixel height is |font.height|, or kDefaultFontHeight when that is 0.
class RecordingSurface : public Surface {
public:
    static constexpr double kCharWidthFactor = 0.6;
    static constexpr int kDefaultFontHeight = 12;

    RecordingSurface(int width, int height);

    int width() const override { return m_width; }
    int height() const override { return m_height; }

    void setPen(const Pen& pen) override { m_state.pen = pen; }
    void setBrush(const Brush& brush) override { m_state.brush = brush; }
    void setFont(const Font& font) override { m_state.font = font; }
    void setTextColour(Colour colour) override { m_state.textColour = colour; }
    void setTransparentBackground(bool transparent) override {
        m_state.transparentBackground = transparent;
    }
    void setBackgroundColour(Colour colour) override { m_state.backgroundColour = colour; }
    void setTextAlign(TextAlign align) override { m_state.textAlign = align; }

    void setPixel(int x, int y, Colour colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void polyline(const std::vector<Point>& points) override;
    void ellipse(const Rect& box) override;
    void polygon(const std::vector<Point>& points) override;
    void fillRect(const Rect& rect, Colour colour) override;
    void text(int x, int y, std::string_view utf8) override;
    Size textExtent(std::string_view utf8) const override;

    void setClip(const Rect& rect) override { m_state.clip = rect; }
    void clearClip() override { m_state.clip.reset(); }

    const SurfaceState& state() const { return m_state; }
    const std::vector<Operation>& operations() const { return m_ops; }
    std::size_t count(OpKind kind) const;
    // The n-th operation of the kind (counted from 0), or null.
    const Operation* find(OpKind kind, std::size_t n = 0) const;
    std::vector<const Operation*> all(OpKind kind) const;
    // The first text operation writing exactly this string, or null.
    const Operation* findText(std::string_view text) const;
    // Forgets the operations; the state stays.
    void clear() { m_ops.clear(); }

private:
    Operation& record(OpKind kind);

    int m_width;
    int m_height;
    SurfaceState m_state;
    std::vector<Operation> m_ops;
};

} // namespace chart
