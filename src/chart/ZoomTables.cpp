#include "chart/ZoomTables.h"

#include "astro/Angles.h"

#include <algorithm>
#include <cmath>

namespace chart {

double clampZoom(double zoom) {
    if (std::isnan(zoom))
        return kMaxZoom;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

double fieldOfViewDegrees(double zoom) {
    return 2.0 * std::asin(astro::clampUnit(zoom / 2.0)) * astro::kDegPerRad;
}

double zoomForField(double fieldDegrees) {
    return 2.0 * std::sin(astro::degToRad(fieldDegrees / 2.0));
}

int StarSizeClass(float z) {
    if (z < 0.85f)
        return 1;
    if (z <= 1.07f)
        return 2;
    return 3;
}

StarBreakpoints TrueViewBreakpoints(float z) {
    // Bands from wide to narrow; each later band that matches overrides.
    StarBreakpoints t{0.1f, 0.4f, 0.7f, 1.5f, 2.0f, 2.5f, 3.0f};
    if (z > 1.07f && z < 1.29f)
        t = {0.1f, 0.4f, 0.8f, 1.6f, 2.0f, 2.5f, 3.5f};
    if (z >= 0.85f && z <= 1.07f)
        t = {0.1f, 0.5f, 1.0f, 2.0f, 3.0f, 3.7f, 4.3f};
    if (z >= 0.68f && z < 0.85f)
        t = {0.1f, 0.5f, 1.0f, 2.0f, 3.0f, 3.8f, 4.6f};
    if (z >= 0.52f && z < 0.68f)
        t = {0.1f, 0.6f, 1.1f, 2.1f, 3.2f, 4.0f, 5.2f};
    if (z >= 0.43f && z < 0.52f)
        t = {0.1f, 0.6f, 1.2f, 2.2f, 3.4f, 4.3f, 5.7f};
    if (z >= 0.35f && z < 0.43f)
        t = {0.2f, 0.7f, 1.2f, 2.3f, 3.6f, 4.6f, 5.9f};
    if (z >= 0.26f && z < 0.35f)
        t = {0.2f, 0.8f, 1.3f, 2.4f, 3.8f, 4.9f, 6.2f};
    if (z >= 0.17f && z < 0.26f)
        t = {0.2f, 0.9f, 1.4f, 2.5f, 4.0f, 5.1f, 6.4f};
    if (z < 0.17f)
        t = {0.2f, 1.0f, 1.4f, 2.5f, 4.1f, 5.2f, 6.6f};
    return t;
}

float AutoMagnitudeLimit(float zoom) {
    struct Row {
        float minZoom;
        float limit;
    };
    static constexpr Row kRows[] = {
        {1.7321f, 4.0f},  {1.0746f, 5.0f},  {0.8452f, 6.0f},  {0.6346f, 6.5f}, {0.4838f, 6.8f},
        {0.3473f, 7.0f},  {0.2264f, 7.5f},  {0.1569f, 8.0f},  {0.1047f, 8.5f}, {0.0697f, 9.0f},
        {0.0349f, 10.0f}, {0.0175f, 11.5f}, {0.0087f, 13.0f},
    };
    for (const Row& r : kRows)
        if (zoom >= r.minZoom)
            return r.limit;
    return 15.0f;
}

} // namespace chart
