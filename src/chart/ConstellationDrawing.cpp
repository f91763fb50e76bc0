#include "chart/ConstellationDrawing.h"

#include "chart/SkyChart.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

namespace chart {

namespace {

// Boundary edges are sampled in steps of 2 degrees of declination along a meridian and of
// 8 minutes of right ascension (2 degrees of hour angle) along a parallel.
constexpr double kMeridianStepDegrees = 2.0;
constexpr double kParallelStepMinutes = 8.0;

// Steps of one edge, leaving room in the buffer for its two ends.
constexpr int kMaxBoundarySteps = static_cast<int>(PolylineRuns::kBoundaryCapacity) - 2;

double wrapHours(double hours) {
    if (hours < 0.0)
        return hours + 24.0;
    if (hours >= 24.0)
        return hours - 24.0;
    return hours;
}

// Right ascension from one vertex to the next along the shorter arc, hours: negative when the
// next one lies less than 12 hours west, so that an edge across 0 h runs through 0 h. Exactly
// 12 hours counts as eastward.
double shorterArcHours(double from, double to) {
    double d = to - from;
    if (d > 12.0)
        d -= 24.0;
    else if (d <= -12.0)
        d += 24.0;
    return d;
}

int stepCount(double units) {
    return std::min(static_cast<int>(units), kMaxBoundarySteps);
}

// The pixels of one boundary edge from v to w: v, the stepped points, w. The coordinate that
// changes more (counted in steps) is stepped by its fixed step toward w, along the shorter
// arc in right ascension; the other one follows in proportion, so that an edge along a
// meridian keeps its right ascension, an edge along a parallel its declination, and an edge
// that is neither (vertices carried to another equinox) stays between its ends instead of
// turning a corner. An edge shorter than one step in both coordinates is its two ends.
void sampleBoundaryEdge(const DrawContext& ctx, const astro::SkyPoint& v, const astro::SkyPoint& w,
                        std::vector<Point>& out) {
    out.clear();
    out.push_back(ctx.pixel(v));
    const double dHours = shorterArcHours(v.ra(), w.ra());
    const double dMinutes = 60.0 * dHours;
    const double dDec = w.dec() - v.dec();
    const double raUnits = std::abs(dMinutes) / kParallelStepMinutes;
    const double decUnits = std::abs(dDec) / kMeridianStepDegrees;
    if (raUnits >= decUnits) {
        const int n = stepCount(raUnits);
        const double step = dMinutes < 0.0 ? -kParallelStepMinutes : kParallelStepMinutes;
        for (int k = 1; k <= n; ++k) {
            const double minutes = k * step;
            const double ra = wrapHours(v.ra() + minutes / 60.0);
            out.push_back(ctx.pixel(astro::SkyPoint(ra, v.dec() + dDec * (minutes / dMinutes))));
        }
    } else {
        const int n = stepCount(decUnits);
        const double step = dDec < 0.0 ? -kMeridianStepDegrees : kMeridianStepDegrees;
        for (int k = 1; k <= n; ++k) {
            const double degrees = k * step;
            const double ra = wrapHours(v.ra() + dHours * (degrees / dDec));
            out.push_back(ctx.pixel(astro::SkyPoint(ra, v.dec() + degrees)));
        }
    }
    out.push_back(ctx.pixel(w));
}

void toggle(int& flag) {
    flag = flag != 0 ? 0 : 1;
}

} // namespace

void DrawConstellationBoundaries(DrawContext& ctx, const ConstellationSource* source) {
    if (source == nullptr || ctx.chart().settings.constellationBoundaries == 0)
        return;
    ctx.SelectElement(settings::ChartElement::ConstellationBoundaries);
    std::vector<Point> points;
    points.reserve(PolylineRuns::kBoundaryCapacity);
    const std::size_t count = source->boundaryCount();
    for (std::size_t i = 0; i < count; ++i) {
        const std::span<const astro::SkyPoint> outline = source->boundary(i);
        for (std::size_t j = 1; j < outline.size(); ++j) {
            const astro::SkyPoint& v = outline[j - 1];
            const astro::SkyPoint& w = outline[j];
            // An edge with either end on the chart is drawn whole; the device clips it.
            if (!ctx.onChart(v) && !ctx.onChart(w))
                continue;
            sampleBoundaryEdge(ctx, v, w, points);
            ctx.surface().polyline(points);
        }
    }
}

void DrawConstellationFigures(DrawContext& ctx, const ConstellationSource* source) {
    if (source == nullptr || ctx.chart().settings.constellationFigures == 0)
        return;
    ctx.SelectElement(settings::ChartElement::ConstellationFigures);
    const bool onlyVisible = ctx.onlyVisiblePart();
    const std::size_t count = source->figureCount();
    for (std::size_t i = 0; i < count; ++i) {
        for (const FigureSegment& s : source->figure(i)) {
            Point a;
            Point b;
            const bool aOn = ctx.onChart(s.first, a);
            const bool bOn = ctx.onChart(s.second, b);
            if (!aOn && !bOn)
                continue;
            if (onlyVisible && !ctx.aboveHorizon(s.first) && !ctx.aboveHorizon(s.second))
                continue;
            if (!aOn)
                a = ctx.pixel(s.first);
            if (!bOn)
                b = ctx.pixel(s.second);
            ctx.surface().line(a.x, a.y, b.x, b.y);
        }
    }
}

void DrawConstellationNames(DrawContext& ctx, const ConstellationSource* source) {
    if (source == nullptr || ctx.chart().settings.constellationNames == 0)
        return;
    ctx.SelectElement(settings::ChartElement::ConstellationNames);
    const bool abbreviated = ctx.chart().settings.namesAbbreviated != 0;
    const std::size_t count = source->nameCount();
    for (std::size_t i = 0; i < count; ++i) {
        Point px;
        if (!ctx.visible(source->namePoint(i), px))
            continue;
        ctx.surface().text(px.x, px.y, source->name(i, abbreviated));
    }
}

void ToggleConstellationFigures(ChartSettings& settings) {
    toggle(settings.constellationFigures);
    if (settings.namesLockedWithFigures != 0)
        settings.constellationNames = settings.constellationFigures;
}

void ToggleConstellationNames(ChartSettings& settings) {
    toggle(settings.constellationNames);
}

void ToggleConstellationBoundaries(ChartSettings& settings) {
    toggle(settings.constellationBoundaries);
}

void ToggleNamesLockedWithFigures(ChartSettings& settings) {
    toggle(settings.namesLockedWithFigures);
    if (settings.namesLockedWithFigures != 0)
        settings.constellationNames = settings.constellationFigures;
}

void SetNamesAbbreviated(ChartSettings& settings, bool abbreviated) {
    settings.namesAbbreviated = abbreviated ? 1 : 0;
}

} // namespace chart
