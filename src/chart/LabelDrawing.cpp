#include "chart/LabelDrawing.h"

#include "astro/MinorBody.h"
#include "astro/TextNumber.h"
#include "chart/DeepSkyObject.h"
#include "chart/SkyChart.h"

namespace chart {

namespace {

// Where a label is anchored: the object's pixel when it is on the chart (on paper, through the
// page projection, when it is also on the window's chart) and, when only the visible part is
// drawn, above the horizon.
bool labelAnchor(const DrawContext& ctx, const astro::SkyPoint& p, Point& px) {
    if (!ctx.onChart(p, px))
        return false;
    if (ctx.print() && !ctx.chart().IsOnChart(p))
        return false;
    return !ctx.onlyVisiblePart() || ctx.aboveHorizon(p);
}

void writeLabel(Surface& surface, Point at, const std::string& text) {
    if (!text.empty())
        surface.text(at.x, at.y, text);
}

void drawBodyLabels(DrawContext& ctx, const SkyChart& chart) {
    ctx.SelectElement(settings::ChartElement::PlanetLabels);
    const int offset = ctx.print() ? 0 : kBodyLabelOffset;
    for (int id = 0; id < static_cast<int>(kSolarBodyCount); ++id) {
        const BodyPresentation& shown = chart.settings.bodies[static_cast<std::size_t>(id)];
        if (!shown.plot || !shown.label)
            continue;
        const astro::SolarSystemBody* body = chart.solarSystem.byLibraryId(id);
        Point px;
        if (!body || !labelAnchor(ctx, *body, px))
            continue;
        writeLabel(ctx.surface(), {px.x + offset, px.y + offset}, body->GetName());
    }
}

void drawAsteroidLabels(DrawContext& ctx, const SkyChart& chart) {
    const ChartSettings& options = chart.settings;
    ComputedObjectList* asteroids = chart.objects.asteroids;
    if (!options.plotAsteroids || !options.asteroidLabels || !asteroids)
        return;
    ctx.SelectElement(settings::ChartElement::AsteroidLabels);
    const std::size_t n = asteroids->size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto* asteroid = dynamic_cast<const astro::MinorBody*>(asteroids->at(i));
        Point px;
        if (!asteroid || !labelAnchor(ctx, *asteroid, px))
            continue;
        writeLabel(ctx.surface(), px,
                   AsteroidLabelText(options.asteroidLabelMode, asteroid->number(),
                                     asteroid->name(), asteroid->results.magnitude));
    }
}

void drawCometLabels(DrawContext& ctx, const SkyChart& chart) {
    const ChartSettings& options = chart.settings;
    ComputedObjectList* comets = chart.objects.comets;
    if (!options.plotComets || !options.cometLabels || !comets)
        return;
    ctx.SelectElement(settings::ChartElement::CometLabels);
    const std::size_t n = comets->size();
    for (std::size_t i = 0; i < n; ++i) {
        const astro::SkyPoint* comet = comets->at(i);
        Point px;
        if (!comet || !labelAnchor(ctx, *comet, px))
            continue;
        writeLabel(ctx.surface(), px, comet->GetName());
    }
}

} // namespace

std::string AsteroidLabelText(int mode, int number, const std::string& name, double magnitude) {
    switch (mode) {
    case AsteroidLabelNumber:
        return number != 0 ? std::to_string(number) : std::string();
    case AsteroidLabelName:
        return name;
    case AsteroidLabelMagnitude:
        return astro::formatFixed(magnitude, 1);
    default:
        return {};
    }
}

void DrawDeepSkyLabels(DrawContext& ctx, const DrawList& list) {
    const ChartSettings& options = ctx.chart().settings;
    if (!options.plotDeepSky || !options.deepSkyLabels)
        return;
    ctx.SelectElement(settings::ChartElement::DeepSkyLabels);
    const float limit = static_cast<float>(options.deepSkyLabelMagnitudeLimit);
    for (const astro::SkyPoint* object : list) {
        if (object->GetType() != astro::KindDeepSky)
            continue;
        const auto* dso = dynamic_cast<const DeepSkyObject*>(object);
        if (!dso || dso->labelMagnitude() > limit)
            continue;
        Point px;
        if (!labelAnchor(ctx, *dso, px))
            continue;
        writeLabel(ctx.surface(), px, dso->labelText(options.deepSkyLabelMode));
    }
}

void DrawSolarSystemLabels(DrawContext& ctx, const SkyChart& chart) {
    drawBodyLabels(ctx, chart);
    drawAsteroidLabels(ctx, chart);
    drawCometLabels(ctx, chart);
}

} // namespace chart
