#include "chart/GridDrawing.h"

namespace chart {

void ApplyAutomaticSpacing(GridSettings&, double, double) {}
void ComputeParallelRange(GridSettings&, double, double) {}
std::string GridLongitudeLabel(GridKind, int) { return {}; }
std::string GridLatitudeLabel(int) { return {}; }
void DrawGrid(DrawContext&, GridKind) {}

} // namespace chart
