#include "chart/DrawContext.h"

#include "chart/SkyChart.h"
#include "chart/StarDrawing.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

std::uint8_t channel(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

PenStyle penStyle(int style) {
    switch (style) {
    case settings::kPenDash:
    case settings::kPenDashDot:
    case settings::kPenDashDotDot:
        return PenStyle::Dash;
    case settings::kPenDot:
        return PenStyle::Dot;
    case settings::kPenNull:
        return PenStyle::Null;
    default:
        return PenStyle::Solid;
    }
}

std::uint8_t byteField(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

} // namespace

Colour toColour(const settings::SchemeColor& c) {
    return {channel(c.r), channel(c.g), channel(c.b)};
}

Colour colourFromRef(std::uint32_t colorRef) {
    return toColour(settings::fromColorRef(colorRef));
}

Pen toPen(const settings::SchemePen& p) {
    return {penStyle(p.style), std::clamp(p.width, 0, settings::kMaxPenWidth),
            colourFromRef(p.color)};
}

Font toFont(const settings::SchemeFont& f) {
    Font font;
    font.height = f.height;
    font.width = f.width;
    font.escapement = f.escapement;
    font.orientation = f.orientation;
    font.weight = f.weight;
    font.italic = f.italic != 0;
    font.underline = f.underline != 0;
    font.strikeOut = f.strikeOut != 0;
    font.charSet = byteField(f.charSet);
    font.outPrecision = byteField(f.outPrecision);
    font.clipPrecision = byteField(f.clipPrecision);
    font.quality = byteField(f.quality);
    font.pitchAndFamily = byteField(f.pitchAndFamily);
    font.faceName = f.faceName;
    return font;
}

DrawContext::DrawContext(Surface& surface, const SkyChart& chart, settings::ViewType view,
                         const settings::ColorScheme& scheme, const PrintContext* print)
    : m_surface(surface), m_chart(chart), m_view(view), m_scheme(scheme), m_print(print) {}

const StarPalette& DrawContext::palette() const {
    return m_print ? printStarPalette() : screenStarPalette();
}

Colour DrawContext::background() const {
    if (m_print)
        return {255, 255, 255};
    if (m_view == settings::ViewType::BlackWhite)
        return {235, 235, 235};
    return {0, 0, 0};
}

Point DrawContext::pixel(const astro::SkyPoint& p) const {
    const ScreenPoint s = m_chart.Project(p, printParams());
    return {s.x, s.y};
}

bool DrawContext::onChart(const astro::SkyPoint& p, Point& px) const {
    ScreenPoint s;
    if (!m_chart.IsOnChart(p, s, printParams()))
        return false;
    px = {s.x, s.y};
    return true;
}

bool DrawContext::aboveHorizon(const astro::SkyPoint& p) const {
    return m_chart.isAboveHorizon(p);
}

bool DrawContext::onlyVisiblePart() const {
    return m_chart.settings.onlyVisiblePart != 0;
}

void DrawContext::SelectElement(settings::ChartElement element,
                                const settings::ElementContext& context) {
    const settings::ViewType schemeView = m_print ? settings::ViewType::Printer : m_view;
    const settings::ElementStyle style =
        settings::elementStyle(m_scheme, schemeView, element, context);
    if (element == settings::ChartElement::SkyObjects) {
        m_hasObjectPen = style.pen.has_value();
        if (m_print && m_print->blackAndWhite) {
            m_objectPen = Pen{PenStyle::Solid, 1, {0, 0, 0}};
            m_hasObjectPen = true;
        } else if (style.pen) {
            m_objectPen = toPen(*style.pen);
        }
        if (m_hasObjectPen)
            m_surface.setPen(m_objectPen);
        return;
    }
    const bool black = m_print && m_print->blackAndWhite;
    const double scale = m_print ? m_print->scale : 1.0;
    if (style.pen) {
        Pen pen = toPen(*style.pen);
        // Dots and dashes hold for thin pens only, so those keep their width.
        if (pen.style == PenStyle::Solid && scale != 1.0)
            pen.width = std::max(1, static_cast<int>(std::lround(std::max(pen.width, 1) * scale)));
        if (black)
            pen.colour = {0, 0, 0};
        m_surface.setPen(pen);
    }
    if (style.textColor)
        m_surface.setTextColour(black ? Colour{0, 0, 0} : toColour(*style.textColor));
    if (style.font) {
        Font font = toFont(*style.font);
        if (scale != 1.0)
            font.height = static_cast<int>(std::lround(font.height * scale));
        m_surface.setFont(font);
    }
    if (style.transparentBackground)
        m_surface.setTransparentBackground(true);
    if (style.leftTopAlignment)
        m_surface.setTextAlign(kLeftTop);
}

void DrawContext::SelectPrintElement(int code, const settings::ElementContext& context) {
    const auto element = settings::printElement(code);
    if (!element)
        return;
    // The print scheme is the printer's whether the page is black and white or colour.
    const PrintContext* saved = m_print;
    const PrintContext paper{m_print ? m_print->params : ProjectionParams{},
                             element->blackAndWhite, m_print ? m_print->scale : 1.0};
    m_print = &paper;
    SelectElement(element->element, context);
    m_print = saved;
}

PolylineRuns::PolylineRuns(Surface& surface, std::size_t capacity)
    : m_surface(surface), m_capacity(capacity) {
    m_points.reserve(capacity);
}

void PolylineRuns::accept(Point p) {
    if (m_points.size() < m_capacity)
        m_points.push_back(p);
}

void PolylineRuns::reject() {
    if (m_points.size() >= 2) {
        m_surface.polyline(m_points);
        ++m_drawn;
    }
    m_points.clear();
}

} // namespace chart
