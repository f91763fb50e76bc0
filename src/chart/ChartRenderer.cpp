#include "chart/ChartRenderer.h"

#include "chart/ChartViewState.h"
#include "chart/ConstellationDrawing.h"
#include "chart/GridDrawing.h"
#include "chart/LabelDrawing.h"
#include "chart/SkyChart.h"
#include "chart/StarDrawing.h"
#include "chart/Trails.h"

namespace chart {

void DrawObject(DrawContext& ctx, astro::SkyPoint& object) {
    if (const PrintContext* print = ctx.print()) {
        if (print->blackAndWhite)
            object.PrintBlackWhite(ctx);
        else
            object.PrintColour(ctx);
        return;
    }
    switch (ctx.view()) {
    case settings::ViewType::True:
        object.DrawTrueView(ctx);
        break;
    case settings::ViewType::Red:
        object.DrawRedView(ctx);
        break;
    case settings::ViewType::BlackWhite:
        object.DrawBlackWhiteView(ctx);
        break;
    default:
        object.DrawStandardView(ctx);
        break;
    }
}

NorthDirection NorthDirectionAt(const SkyChart& chart, const ProjectionParams* page) {
    const astro::SkyPoint target = chart.fromChartFrame(chart.target());
    const astro::SkyPoint north(target.ra(), target.dec() + 6.0);
    const ScreenPoint t = chart.Project(target, page);
    const ScreenPoint n = chart.Project(north, page);
    return {static_cast<double>(n.x - t.x), -static_cast<double>(n.y - t.y)};
}

void DrawSkyObjects(DrawContext& ctx, const DrawList& list, FaintStarSource* faintStars) {
    ctx.SelectElement(settings::ChartElement::SkyObjects);
    const bool onlyVisible = ctx.onlyVisiblePart();
    // A star is drawn only where its centre is on the chart; other objects (a comet's tail,
    // a body's disc, an outline) may reach in from outside and always go to their draw.
    const SkyChart::ViewCone cone = ctx.print() ? SkyChart::ViewCone{} : ctx.chart().WindowCone();
    const auto leftOut = [&list, &cone](std::size_t i) {
        const DrawList::Direction& d = list.direction(i);
        return d.star() && cone.excludes(d.x, d.y, d.z);
    };
    // The objects lie apart in memory and each costs a wait when first read: the ones to be
    // drawn are asked for a few entries ahead.
    constexpr std::size_t kAhead = 6;
    const std::size_t entries = list.size();
    for (std::size_t i = 0; i < entries; ++i) {
        if (i + kAhead < entries && !leftOut(i + kAhead))
            __builtin_prefetch(list[i + kAhead]);
        if (leftOut(i))
            continue;
        astro::SkyPoint* object = list[i];
        if (onlyVisible && !ctx.aboveHorizon(*object))
            continue;
        DrawObject(ctx, *object);
    }

    const SkyChart& chart = ctx.chart();
    const double limit = chart.magnitudeLimit();
    if (!faintStars || limit <= kFaintStarLimit || !faintStars->available())
        return;
    faintStars->LoadVisibleRegions(chart);
    for (std::size_t slot = 0; slot < faintStars->slotCount(); ++slot) {
        const std::size_t n = faintStars->starCount(slot);
        for (std::size_t i = 0; i < n; ++i) {
            astro::SkyPoint* star = faintStars->star(slot, i);
            if (cone.excludes(*star) || star->GetMagnitude() > limit)
                continue;
            if (onlyVisible && !ctx.aboveHorizon(*star))
                continue;
            DrawObject(ctx, *star);
        }
    }
}

void DrawLayers(DrawContext& ctx, const DrawList& list, const ChartSources& sources) {
    DrawEquatorialGrid(ctx);
    DrawEclipticGrid(ctx);
    DrawAzimuthalGrid(ctx);
    DrawConstellationBoundaries(ctx, sources.constellations);
    DrawConstellationFigures(ctx, sources.constellations);
    if (ctx.print())
        DrawConstellationNames(ctx, sources.constellations);
    DrawSkyObjects(ctx, list, sources.faintStars);
    if (!ctx.print())
        DrawConstellationNames(ctx, sources.constellations);
    DrawDeepSkyLabels(ctx, list);
    DrawStarLabels(ctx, list, sources.faintStars);
    DrawSolarSystemLabels(ctx, ctx.chart());
    DrawTrails(ctx, ctx.chart().trails);
}

NorthDirection OnDraw(ChartViewState& state, Surface& surface, settings::ViewType view,
                      const settings::ColorScheme& scheme, const ChartSources& sources) {
    SkyChart& chart = state.chart;
    surface.clearClip();
    DrawContext ctx(surface, chart, view, scheme);
    // The whole surface, which is at least as large as the window.
    surface.fillRect({0, 0, surface.width(), surface.height()}, ctx.background());

    // Frame, projection, draw list (or the popup rule), remembered view.
    state.BeginRedraw();
    // Automatic grid spacings and the range of parallels follow the view.
    UpdateGridSettings(chart);
    const NorthDirection north = NorthDirectionAt(chart);
    DrawLayers(ctx, state.drawList, sources);
    return north;
}

} // namespace chart
