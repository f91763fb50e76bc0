#pragma once

#include "chart/ChartSettings.h"
#include "chart/DrawContext.h"

#include <string>

namespace chart {

class SkyChart;

enum class GridKind { Equatorial, Ecliptic, Azimuthal };

// Spacings that follow the zoom: parallel and meridian spacing, meridian extent and sample
// step from the zoom and the target's latitude in the grid's frame (degrees); the bottom
// parallel is reset to -extent.
void ApplyAutomaticSpacing(GridSettings& grid, double zoom, double targetLatitude);

// The first and last parallel drawn: walking down from trunc(extent) by the spacing, the
// first parallel at or below targetLatitude + F/1.4 and the first at or below
// targetLatitude - F/1.4 (F the vertical field in degrees). A bound never met keeps its
// previous value.
void ComputeParallelRange(GridSettings& grid, double targetLatitude, double fieldDegrees);

// The inscriptions of a grid: longitude label of meridian k (minutes of frame longitude) and
// latitude label of a parallel (degrees).
std::string GridLongitudeLabel(GridKind kind, int minutes);
std::string GridLatitudeLabel(int degrees);

// The settings of a grid in the chart, and the chart flag that shows it.
const GridSettings& GridSettingsOf(const ChartSettings& settings, GridKind kind);
GridSettings& GridSettingsOf(ChartSettings& settings, GridKind kind);
bool GridShown(const ChartSettings& settings, GridKind kind);

// The target's latitude in the grid's frame (degrees).
double TargetLatitudeInGrid(const SkyChart& chart, GridKind kind);

// The settings a grid is drawn with in the chart's current view: its stored settings with,
// when automatic, the spacings of the zoom, and the range of parallels of the view.
GridSettings ViewGridSettings(const SkyChart& chart, GridKind kind);

// Writes the spacings (when automatic) and the range of parallels of the current view into
// the chart's settings of every shown grid. The redraw calls it after the projection is set
// and before the layers are drawn, so that the stored values follow the view.
void UpdateGridSettings(SkyChart& chart);

// The grid layers (element 1, 3, 2): each draws when its chart flag is on, with the spacings
// and range of parallels of the current view (ViewGridSettings).
void DrawGrid(DrawContext& ctx, GridKind kind);
inline void DrawEquatorialGrid(DrawContext& ctx) {
    DrawGrid(ctx, GridKind::Equatorial);
}
inline void DrawEclipticGrid(DrawContext& ctx) {
    DrawGrid(ctx, GridKind::Ecliptic);
}
inline void DrawAzimuthalGrid(DrawContext& ctx) {
    DrawGrid(ctx, GridKind::Azimuthal);
}

} // namespace chart
