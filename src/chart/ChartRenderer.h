#pragma once

#include "chart/ChartSources.h"
#include "chart/DrawContext.h"
#include "chart/DrawList.h"
#include "settings/ColorScheme.h"

namespace chart {

class ChartViewState;

// The on-screen direction of celestial north at the target, for the compass: pixels to the
// right and upward.
struct NorthDirection {
    double x = 0.0;
    double y = 0.0;
};

// Celestial north at the chart's target, through the window's projection or a page's.
NorthDirection NorthDirectionAt(const SkyChart& chart, const ProjectionParams* page = nullptr);

// One object by its draw operation for the view type, or by its print operation on paper.
void DrawObject(DrawContext& ctx, astro::SkyPoint& object);

// The sky-objects layer: every draw-list entry by its draw operation for the view type (or
// print operation), skipping entries below the horizon when only the visible part is drawn,
// then the faint stars of the regions the chart shows when the limit is above 9.5.
void DrawSkyObjects(DrawContext& ctx, const DrawList& list, FaintStarSource* faintStars);

// The eleven layers in their fixed order, onto a surface whose background is already
// filled: grids, boundaries, figures, objects, constellation names, deep-sky labels, star
// labels, body/asteroid/comet labels, trails. On paper the constellation names go under the
// objects instead.
void DrawLayers(DrawContext& ctx, const DrawList& list, const ChartSources& sources);

// The whole redraw of a chart window into its back buffer: the horizontal frame from the
// zenith, the background of the view type over the whole surface, the projection from the
// stored zoom and target, the draw-list rebuild (or the popup rule), then every layer.
// Returns the north direction for the compass. The window copies the surface afterwards.
NorthDirection OnDraw(ChartViewState& state, Surface& surface, settings::ViewType view,
                      const settings::ColorScheme& scheme, const ChartSources& sources);

} // namespace chart
