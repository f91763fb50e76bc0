#pragma once

#include "astro/SkyPoint.h"
#include "chart/ChartSettings.h"

#include <string>

namespace chart {

// A deep-sky object as the chart's label layer sees it: the catalogue derives its objects
// from this class and answers with their texts.
class DeepSkyObject : public astro::SkyPoint {
public:
    using SkyPoint::SkyPoint;

    int GetType() const override { return astro::KindDeepSky; }

    // The text of the object's label in a DeepSkyLabelMode; empty when the object has none
    // of that kind (no Messier number, no common name), and then no label is written.
    virtual std::string labelText(int mode) const = 0;
    // The magnitude the label limit is compared with; kNoMagnitude when it is not known.
    virtual float labelMagnitude() const { return GetMagnitude(); }
};

} // namespace chart
