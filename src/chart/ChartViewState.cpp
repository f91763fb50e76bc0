#include "chart/ChartViewState.h"

namespace chart {

void ChartViewState::BeginRedraw() {
    chart.RebuildHorizontalFrame();
    chart.SetView();
    if (rebuildDrawList) {
        rebuildDrawList = false;
        chart.RebuildDrawList(drawList);
    } else {
        const astro::SkyPoint& t = chart.target();
        const bool moved = t.x() != lastTarget.x() || t.y() != lastTarget.y() ||
                           t.z() != lastTarget.z() || chart.zoom() != lastZoom;
        if (moved && hidePopup)
            hidePopup();
    }
    lastTarget = chart.target();
    lastZoom = chart.zoom();
}

} // namespace chart
