#pragma once

#include "astro/SkyPoint.h"
#include "chart/Projection.h"
#include "chart/Surface.h"
#include "settings/ColorScheme.h"

#include <cstddef>
#include <vector>

namespace chart {

class SkyChart;
class StarPalette;

// Pens, colours and fonts of the scheme as the surface takes them.
Colour toColour(const settings::SchemeColor& c);
Colour colourFromRef(std::uint32_t colorRef);
Pen toPen(const settings::SchemePen& p);
Font toFont(const settings::SchemeFont& f);

// How a chart is printed: the page's projection and whether in black and white or colour.
// The print scheme's fonts and solid pens are multiplied by scale (device units per scheme
// pixel); black-and-white printing draws every pen and text in black.
struct PrintContext {
    ProjectionParams params;
    bool blackAndWhite = true;
    double scale = 1.0;
};

// Everything a layer or a sky object needs while one picture is drawn: the surface, the
// chart with its projection and horizon, the view type with its scheme, and when printing
// the print projection.
class DrawContext {
public:
    DrawContext(Surface& surface, const SkyChart& chart, settings::ViewType view,
                const settings::ColorScheme& scheme, const PrintContext* print = nullptr);

    Surface& surface() const { return m_surface; }
    const SkyChart& chart() const { return m_chart; }
    // The screen view type; when printing, the scheme used is the printer's.
    settings::ViewType view() const { return m_view; }
    const settings::ColorScheme& scheme() const { return m_scheme; }
    const PrintContext* print() const { return m_print; }
    const ProjectionParams* printParams() const { return m_print ? &m_print->params : nullptr; }
    const StarPalette& palette() const;

    // The chart's background: light grey in the Black&White View, black otherwise; white on
    // paper.
    Colour background() const;

    // Pixel of an equatorial direction (through the print projection when printing).
    Point pixel(const astro::SkyPoint& p) const;
    // The on-chart test: the direction lies on the target's side of the sky and its pixel
    // within [0, 2 cx] x [0, 2 cy], bounds included. Gives the pixel when true.
    bool onChart(const astro::SkyPoint& p, Point& px) const;
    bool onChart(const astro::SkyPoint& p) const {
        Point unused;
        return onChart(p, unused);
    }
    bool aboveHorizon(const astro::SkyPoint& p) const;
    // "Draw Only Visible Part".
    bool onlyVisiblePart() const;
    // On chart and, when only the visible part is drawn, above the horizon.
    bool visible(const astro::SkyPoint& p, Point& px) const {
        return onChart(p, px) && (!onlyVisiblePart() || aboveHorizon(p));
    }

    // Selects the attributes of a chart element: the screen element of the view type, or,
    // when printing, the print element of the printer scheme.
    void SelectElement(settings::ChartElement element,
                       const settings::ElementContext& context = {});
    // The same by a print element code (1..12 black and white, 13..24 colour); an unknown
    // code selects nothing.
    void SelectPrintElement(int code, const settings::ElementContext& context = {});
    // The pen of the sky-object element in force (red or black in those views), if any.
    const Pen* objectPen() const { return m_hasObjectPen ? &m_objectPen : nullptr; }

private:
    Surface& m_surface;
    const SkyChart& m_chart;
    settings::ViewType m_view;
    const settings::ColorScheme& m_scheme;
    const PrintContext* m_print;
    Pen m_objectPen;
    bool m_hasObjectPen = false;
};

// Collects the accepted samples of a curve and draws them as polylines cut into runs: a
// rejected sample ends the current run, a run of two or more points is drawn, a run of one
// is dropped. The buffer is allocated once with its capacity; samples beyond it are ignored.
class PolylineRuns {
public:
    static constexpr std::size_t kGridCapacity = 3000;
    static constexpr std::size_t kBoundaryCapacity = 2000;

    PolylineRuns(Surface& surface, std::size_t capacity);

    void accept(Point p);
    void reject();
    // Draws the last run.
    void finish() { reject(); }
    // Whether the run in progress holds any point.
    bool inRun() const { return !m_points.empty(); }
    std::size_t polylinesDrawn() const { return m_drawn; }

private:
    Surface& m_surface;
    std::size_t m_capacity;
    std::vector<Point> m_points;
    std::size_t m_drawn = 0;
};

} // namespace chart
