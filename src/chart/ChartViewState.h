#pragma once

#include "astro/SkyPoint.h"
#include "chart/DrawList.h"
#include "chart/SkyChart.h"

#include <array>
#include <functional>

namespace chart {

// What a chart window keeps besides its chart: the draw list and the flag that asks for it
// to be rebuilt, the points of a drag, the view at the last redraw and the objects offered by
// the last right click. The window class wraps this; it holds no window-system state.
class ChartViewState {
public:
    ChartViewState() = default;
    ChartViewState(const ChartViewState&) = delete;
    ChartViewState& operator=(const ChartViewState&) = delete;

    SkyChart chart;
    DrawList drawList;
    // Set after construction and by every command that changes the zoom, jumps to a new
    // view, changes the limiting magnitude or a selection.
    bool rebuildDrawList = true;

    astro::SkyPoint pressPoint{0.0, 0.0};
    astro::SkyPoint idleMarker{0.0, 0.0};
    astro::SkyPoint lastTarget{0.0, 0.0};
    double lastZoom = 0.0;
    std::array<int, 3> pickedObjects{-1, -1, -1};

    // Hides the short-properties popup; called when a redraw finds the view moved.
    std::function<void()> hidePopup;

    // The chart-state part of a redraw, before anything is drawn: the horizontal frame is
    // rebuilt from the zenith, the projection is set from the stored zoom and target, and
    // the draw list is rebuilt when asked for; otherwise a moved or zoomed view hides the
    // popup. The view is then remembered.
    void BeginRedraw();
};

} // namespace chart
