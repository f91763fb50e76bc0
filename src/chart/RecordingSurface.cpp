#include "chart/RecordingSurface.h"

#include <cmath>
#include <cstdlib>

namespace chart {

namespace {

// Counts code points: every byte that is not a UTF-8 continuation byte starts one.
std::size_t codePoints(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

} // namespace

RecordingSurface::RecordingSurface(int width, int height) : m_width(width), m_height(height) {}

Operation& RecordingSurface::record(OpKind kind) {
    Operation& op = m_ops.emplace_back();
    op.kind = kind;
    op.state = m_state;
    return op;
}

void RecordingSurface::setPixel(int x, int y, Colour colour) {
    Operation& op = record(OpKind::Pixel);
    op.points = {{x, y}};
    op.colour = colour;
}

void RecordingSurface::line(int x1, int y1, int x2, int y2) {
    record(OpKind::Line).points = {{x1, y1}, {x2, y2}};
}

void RecordingSurface::polyline(const std::vector<Point>& points) {
    record(OpKind::Polyline).points = points;
}

void RecordingSurface::ellipse(const Rect& box) {
    record(OpKind::Ellipse).rect = box;
}

void RecordingSurface::polygon(const std::vector<Point>& points) {
    record(OpKind::Polygon).points = points;
}

void RecordingSurface::fillRect(const Rect& rect, Colour colour) {
    Operation& op = record(OpKind::FillRect);
    op.rect = rect;
    op.colour = colour;
}

void RecordingSurface::text(int x, int y, std::string_view utf8) {
    Operation& op = record(OpKind::Text);
    op.points = {{x, y}};
    op.text = std::string(utf8);
}

Size RecordingSurface::textExtent(std::string_view utf8) const {
    const int h = m_state.font.height == 0 ? kDefaultFontHeight : std::abs(m_state.font.height);
    const double w = kCharWidthFactor * h * static_cast<double>(codePoints(utf8));
    return {static_cast<int>(std::lround(w)), h};
}

std::size_t RecordingSurface::count(OpKind kind) const {
    std::size_t n = 0;
    for (const Operation& op : m_ops) {
        if (op.kind == kind) {
            ++n;
        }
    }
    return n;
}

const Operation* RecordingSurface::find(OpKind kind, std::size_t n) const {
    for (const Operation& op : m_ops) {
        if (op.kind == kind) {
            if (n == 0) {
                return &op;
            }
            --n;
        }
    }
    return nullptr;
}

std::vector<const Operation*> RecordingSurface::all(OpKind kind) const {
    std::vector<const Operation*> out;
    for (const Operation& op : m_ops) {
        if (op.kind == kind) {
            out.push_back(&op);
        }
    }
    return out;
}

const Operation* RecordingSurface::findText(std::string_view text) const {
    for (const Operation& op : m_ops) {
        if (op.kind == OpKind::Text && op.text == text) {
            return &op;
        }
    }
    return nullptr;
}

} // namespace chart
