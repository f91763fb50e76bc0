#include "chart/ConstellationDrawing.h"

namespace chart {

void DrawConstellationBoundaries(DrawContext&, const ConstellationSource*) {}
void DrawConstellationFigures(DrawContext&, const ConstellationSource*) {}
void DrawConstellationNames(DrawContext&, const ConstellationSource*) {}
void ToggleConstellationFigures(ChartSettings&) {}
void ToggleConstellationNames(ChartSettings&) {}
void ToggleConstellationBoundaries(ChartSettings&) {}
void ToggleNamesLockedWithFigures(ChartSettings&) {}
void SetNamesAbbreviated(ChartSettings&, bool) {}

} // namespace chart
