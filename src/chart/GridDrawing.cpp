#include "chart/GridDrawing.h"

#include "astro/Frames.h"
#include "chart/SkyChart.h"
#include "chart/ZoomTables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace chart {

namespace {

constexpr double kFullCircleMinutes = 1440.0;
// Sampling loops compare accumulated positions with a little slack.
constexpr double kSlack = 1e-9;
// Half the length of the tick that marks an inscription on a main circle, pixels.
constexpr int kTickHalfLength = 4;
// The pole cross stands this far from the pole, degrees of latitude.
constexpr double kPoleCrossLatitude = 89.0;

// A value at least `minimum`; a missing (NaN) value gives the minimum.
double atLeast(double value, double minimum) {
    return value >= minimum ? value : minimum;
}

settings::ChartElement gridElement(GridKind kind) {
    switch (kind) {
    case GridKind::Ecliptic:
        return settings::ChartElement::EclipticGrid;
    case GridKind::Azimuthal:
        return settings::ChartElement::AzimuthalGrid;
    default:
        return settings::ChartElement::EquatorialGrid;
    }
}

// "%.0f°" for a whole number of degrees, "%.1f°" otherwise.
std::string degreesLabel(double degrees) {
    char buf[32];
    if (degrees == std::floor(degrees))
        std::snprintf(buf, sizeof buf, "%.0f\u00B0", degrees);
    else
        std::snprintf(buf, sizeof buf, "%.1f\u00B0", degrees);
    return buf;
}

// Makes the points of one grid in its own frame and tests them for drawing.
class GridGeometry {
public:
    GridGeometry(const DrawContext& ctx, GridKind kind, const GridSettings& grid)
        : m_ctx(ctx), m_kind(kind), m_horizonTest(grid.onlyVisible != 0 || ctx.onlyVisiblePart()) {}

    // The equatorial direction of frame longitude `minutes` and latitude `degrees`.
    astro::SkyPoint point(double minutes, double degrees) const {
        const astro::SkyPoint p(minutes / 60.0, degrees);
        const astro::CoordinateFrames& frames = m_ctx.chart().frames();
        switch (m_kind) {
        case GridKind::Ecliptic:
            return astro::fromEcliptic(p, frames);
        case GridKind::Azimuthal:
            return astro::fromHorizontal(p, frames);
        default:
            return p;
        }
    }

    // On chart and, when only the visible part is drawn, above the horizon.
    bool accepted(const astro::SkyPoint& p, Point& px) const {
        return m_ctx.onChart(p, px) && (!m_horizonTest || m_ctx.aboveHorizon(p));
    }
    bool accepted(double minutes, double degrees, Point& px) const {
        return accepted(point(minutes, degrees), px);
    }

    Point pixel(double minutes, double degrees) const {
        return m_ctx.pixel(point(minutes, degrees));
    }

private:
    const DrawContext& m_ctx;
    GridKind m_kind;
    bool m_horizonTest;
};

// Longitudes of one circle of latitude: every step from 0 up to and including the full
// circle, then the closing point at longitude 0.
void drawParallel(const GridGeometry& geo, Surface& surface, double latitude, double stepMinutes) {
    PolylineRuns runs(surface, PolylineRuns::kGridCapacity);
    Point px;
    for (int i = 0;; ++i) {
        const double k = i * stepMinutes;
        if (k > kFullCircleMinutes + kSlack)
            break;
        if (geo.accepted(k, latitude, px))
            runs.accept(px);
        else
            runs.reject();
    }
    if (geo.accepted(0.0, latitude, px))
        runs.accept(px);
    runs.finish();
}

// One meridian from the top parallel down to the bottom one. It ends where it first leaves
// the drawn part of the sky after having entered it.
void drawMeridian(const GridGeometry& geo, Surface& surface, double minutes, double top,
                  double bottom, double step) {
    PolylineRuns runs(surface, PolylineRuns::kGridCapacity);
    Point px;
    bool entered = false;
    for (int i = 0;; ++i) {
        const double lat = top - i * step;
        if (lat <= bottom + kSlack)
            break;
        if (geo.accepted(minutes, lat, px)) {
            runs.accept(px);
            entered = true;
        } else if (entered) {
            runs.finish();
            return;
        } else {
            runs.reject();
        }
    }
    if (geo.accepted(minutes, bottom, px))
        runs.accept(px);
    runs.finish();
}

// A short stroke across the main circle through the pixel of longitude k, along the
// meridian.
void drawTick(const GridGeometry& geo, Surface& surface, double minutes, Point at,
              double fieldDegrees) {
    const double offset = std::min(fieldDegrees / 40.0, 2.0);
    const Point north = geo.pixel(minutes, offset);
    const Point south = geo.pixel(minutes, -offset);
    double dx = north.x - south.x;
    double dy = north.y - south.y;
    const double len = std::hypot(dx, dy);
    if (len < 1e-9) {
        dx = 0.0;
        dy = -1.0;
    } else {
        dx /= len;
        dy /= len;
    }
    const int ox = static_cast<int>(std::lround(dx * kTickHalfLength));
    const int oy = static_cast<int>(std::lround(dy * kTickHalfLength));
    surface.line(at.x - ox, at.y - oy, at.x + ox, at.y + oy);
}

// Sampling steps kept large enough for a line, with its closing or end point, to fit its
// buffer.
double parallelStepMinutes(const GridSettings& g) {
    const double fit = kFullCircleMinutes / static_cast<double>(PolylineRuns::kGridCapacity - 3);
    return atLeast(4.0 * g.sampleStep, fit);
}

double meridianStepDegrees(const GridSettings& g) {
    const double span = g.topParallel - g.bottomParallel;
    const double fit =
        span > 0.0 ? span / static_cast<double>(PolylineRuns::kGridCapacity - 3) : 0.01;
    return atLeast(g.sampleStep, fit);
}

void drawMainCircle(DrawContext& ctx, GridKind kind, const GridSettings& g) {
    Surface& surface = ctx.surface();
    const GridGeometry geo(ctx, kind, g);
    drawParallel(geo, surface, 0.0, parallelStepMinutes(g));

    if (g.inscriptions == 0)
        return;
    const double spacing = atLeast(g.meridianSpacing, 1.0);
    const double field = fieldOfViewDegrees(ctx.chart().zoom());
    Point px;
    for (int i = 0;; ++i) {
        const double k = i * spacing;
        if (k >= kFullCircleMinutes - kSlack)
            break;
        if (!geo.accepted(k, 0.0, px))
            continue;
        surface.text(px.x, px.y, GridLongitudeLabel(kind, static_cast<int>(std::lround(k))));
        drawTick(geo, surface, k, px, field);
    }
}

void drawFullGrid(DrawContext& ctx, GridKind kind, const GridSettings& g) {
    Surface& surface = ctx.surface();
    const GridGeometry geo(ctx, kind, g);
    const double parallelSpacing = atLeast(g.parallelSpacing, 1.0);
    const double meridianSpacing = atLeast(g.meridianSpacing, 1.0);
    const double top = g.topParallel;
    const double bottom = g.bottomParallel;

    auto forEachParallel = [&](auto&& f) {
        for (int j = 0;; ++j) {
            const double lat = top - j * parallelSpacing;
            if (lat < bottom - kSlack)
                break;
            f(lat);
        }
    };
    auto forEachMeridian = [&](auto&& f) {
        for (int i = 0;; ++i) {
            const double k = i * meridianSpacing;
            if (k >= kFullCircleMinutes - kSlack)
                break;
            f(k);
        }
    };

    // Inscriptions at the intersections: the longitude, and the latitude below it.
    if (g.inscriptions != 0) {
        forEachMeridian([&](double k) {
            const std::string longitude =
                GridLongitudeLabel(kind, static_cast<int>(std::lround(k)));
            forEachParallel([&](double lat) {
                Point px;
                if (!geo.accepted(k, lat, px))
                    return;
                surface.text(px.x, px.y, longitude);
                const int lineHeight = surface.textExtent(longitude).height;
                surface.text(px.x, px.y + lineHeight, GridLatitudeLabel(static_cast<int>(lat)));
            });
        });
    }

    const double lonStep = parallelStepMinutes(g);
    forEachParallel([&](double lat) { drawParallel(geo, surface, lat, lonStep); });

    const double latStep = meridianStepDegrees(g);
    forEachMeridian([&](double k) { drawMeridian(geo, surface, k, top, bottom, latStep); });

    // A cross over the pole of the frame that is on the chart.
    Point px;
    double poleLat = 0.0;
    if (geo.accepted(0.0, 90.0, px))
        poleLat = kPoleCrossLatitude;
    else if (geo.accepted(0.0, -90.0, px))
        poleLat = -kPoleCrossLatitude;
    if (poleLat != 0.0) {
        const Point a = geo.pixel(0.0, poleLat);
        const Point b = geo.pixel(720.0, poleLat);
        const Point c = geo.pixel(360.0, poleLat);
        const Point d = geo.pixel(1080.0, poleLat);
        surface.line(a.x, a.y, b.x, b.y);
        surface.line(c.x, c.y, d.x, d.y);
    }
}

} // namespace

void ApplyAutomaticSpacing(GridSettings& grid, double zoom, double targetLatitude) {
    const double lat = std::abs(targetLatitude);
    if (zoom > 1.732) {
        grid.parallelSpacing = 20.0;
        grid.meridianSpacing = 120.0;
        grid.meridianExtent = 80.0;
        grid.sampleStep = 10.0;
    } else if (zoom > 0.5176) {
        grid.parallelSpacing = 10.0;
        grid.meridianSpacing = 60.0;
        grid.meridianExtent = 80.0;
        grid.sampleStep = 5.0;
    } else if (zoom > 0.2611) {
        grid.parallelSpacing = 5.0;
        grid.meridianSpacing = lat > 70.0 ? 120.0 : lat > 40.0 ? 60.0 : 30.0;
        grid.meridianExtent = 85.0;
        grid.sampleStep = 2.0;
    } else if (zoom > 0.0698) {
        grid.parallelSpacing = 2.0;
        grid.meridianSpacing = lat > 80.0   ? 120.0
                               : lat > 70.0 ? 60.0
                               : lat > 60.0 ? 30.0
                               : lat > 30.0 ? 20.0
                                            : 12.0;
        grid.meridianExtent = 88.0;
        grid.sampleStep = 0.5;
    } else {
        grid.parallelSpacing = 1.0;
        grid.meridianSpacing = lat > 80.0   ? 30.0
                               : lat > 70.0 ? 20.0
                               : lat > 60.0 ? 12.0
                               : lat > 30.0 ? 8.0
                                            : 4.0;
        grid.meridianExtent = 88.0;
        grid.sampleStep = 0.2;
    }
    grid.bottomParallel = -grid.meridianExtent;
}

void ComputeParallelRange(GridSettings& grid, double targetLatitude, double fieldDegrees) {
    // A spacing below one degree walks like one degree through the truncation, and would
    // stop at zero.
    const double spacing = atLeast(grid.parallelSpacing, 1.0);
    const double extent = std::min(grid.meridianExtent, 90.0);
    const double upper = targetLatitude + fieldDegrees / 1.4;
    const double lower = targetLatitude - fieldDegrees / 1.4;
    bool topFound = false;
    bool bottomFound = false;
    for (double k = std::trunc(extent); k > -extent; k = std::trunc(k - spacing)) {
        if (!topFound && k <= upper) {
            grid.topParallel = k;
            topFound = true;
        }
        if (!bottomFound && k <= lower) {
            grid.bottomParallel = k;
            bottomFound = true;
        }
        if (topFound && bottomFound)
            break;
    }
}

std::string GridLongitudeLabel(GridKind kind, int minutes) {
    char buf[32];
    switch (kind) {
    case GridKind::Equatorial:
        if (minutes % 60 == 0)
            std::snprintf(buf, sizeof buf, "%dh", minutes / 60);
        else
            std::snprintf(buf, sizeof buf, "%dh%dm", minutes / 60, minutes % 60);
        return buf;
    case GridKind::Ecliptic:
        return degreesLabel(minutes / 4.0);
    case GridKind::Azimuthal: {
        double azimuth = std::fmod(540.0 - minutes / 4.0, 360.0);
        if (azimuth < 0.0)
            azimuth += 360.0;
        if (azimuth >= 360.0)
            azimuth = 0.0;
        return degreesLabel(azimuth);
    }
    }
    return {};
}

std::string GridLatitudeLabel(int degrees) {
    return std::to_string(degrees) + "\u00B0";
}

namespace {

// The grid settings member of a chart's settings, const or not.
template <typename Settings> auto& gridSettingsMember(Settings& settings, GridKind kind) {
    switch (kind) {
    case GridKind::Ecliptic:
        return settings.eclipticGridSettings;
    case GridKind::Azimuthal:
        return settings.azimuthalGridSettings;
    default:
        return settings.equatorialGridSettings;
    }
}

} // namespace

const GridSettings& GridSettingsOf(const ChartSettings& settings, GridKind kind) {
    return gridSettingsMember(settings, kind);
}

GridSettings& GridSettingsOf(ChartSettings& settings, GridKind kind) {
    return gridSettingsMember(settings, kind);
}

bool GridShown(const ChartSettings& settings, GridKind kind) {
    switch (kind) {
    case GridKind::Ecliptic:
        return settings.eclipticGrid != 0;
    case GridKind::Azimuthal:
        return settings.azimuthalGrid != 0;
    default:
        return settings.equatorialGrid != 0;
    }
}

double TargetLatitudeInGrid(const SkyChart& chart, GridKind kind) {
    const astro::SkyPoint eq = chart.fromChartFrame(chart.target());
    switch (kind) {
    case GridKind::Ecliptic:
        return astro::toEcliptic(eq, chart.frames()).dec();
    case GridKind::Azimuthal:
        return astro::toHorizontal(eq, chart.frames()).dec();
    default:
        return eq.dec();
    }
}

GridSettings ViewGridSettings(const SkyChart& chart, GridKind kind) {
    GridSettings g = GridSettingsOf(chart.settings, kind);
    const double latitude = TargetLatitudeInGrid(chart, kind);
    if (g.automatic != 0)
        ApplyAutomaticSpacing(g, chart.zoom(), latitude);
    ComputeParallelRange(g, latitude, fieldOfViewDegrees(chart.zoom()));
    return g;
}

void UpdateGridSettings(SkyChart& chart) {
    for (const GridKind kind : {GridKind::Equatorial, GridKind::Ecliptic, GridKind::Azimuthal}) {
        if (GridShown(chart.settings, kind))
            GridSettingsOf(chart.settings, kind) = ViewGridSettings(chart, kind);
    }
}

void DrawGrid(DrawContext& ctx, GridKind kind) {
    const SkyChart& chart = ctx.chart();
    if (!GridShown(chart.settings, kind))
        return;
    const GridSettings g = ViewGridSettings(chart, kind);
    const bool mainCircleOnly = g.mode == 0;
    ctx.SelectElement(gridElement(kind), {mainCircleOnly, 1});
    ctx.surface().setTextAlign(kLeftTop);
    if (mainCircleOnly)
        drawMainCircle(ctx, kind, g);
    else
        drawFullGrid(ctx, kind, g);
}

} // namespace chart
