#pragma once

#include "chart/ChartSettings.h"
#include "chart/ChartSources.h"
#include "chart/DrawContext.h"

namespace chart {

// Layer 4: every boundary polyline, pair by pair of vertices, when "Draw Boundaries" is on.
void DrawConstellationBoundaries(DrawContext& ctx, const ConstellationSource* source);
// Layer 5: the stick figures, when "Draw Figures" is on.
void DrawConstellationFigures(DrawContext& ctx, const ConstellationSource* source);
// Layer 7: the names (abbreviated or full), when "Draw Names" is on.
void DrawConstellationNames(DrawContext& ctx, const ConstellationSource* source);

// The menu toggles of the constellation settings and their rule: while the names are locked
// with the figures, toggling the figures sets the names to the same state; locking copies
// the figures' state to the names; unlocking changes neither.
void ToggleConstellationFigures(ChartSettings& settings);
void ToggleConstellationNames(ChartSettings& settings);
void ToggleConstellationBoundaries(ChartSettings& settings);
void ToggleNamesLockedWithFigures(ChartSettings& settings);
void SetNamesAbbreviated(ChartSettings& settings, bool abbreviated);

} // namespace chart
