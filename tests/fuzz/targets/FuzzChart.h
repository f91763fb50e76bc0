#pragma once

// One chart for the targets that show what they read: London, 2026 December 8 22:00 UT.

#include "chart/SkyChart.h"

namespace fuzz {

inline chart::SkyChart& FixedChart() {
    static chart::SkyChart* chart = [] {
        auto* c = new chart::SkyChart;
        c->clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
        c->site.latitude = 51.5;
        c->site.longitude = -0.13;
        c->UpdateTime();
        c->SetClientSize(640, 480);
        return c;
    }();
    return *chart;
}

} // namespace fuzz
