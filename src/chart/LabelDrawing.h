#pragma once

#include "chart/DrawContext.h"
#include "chart/DrawList.h"

#include <string>

namespace chart {

class SkyChart;

// Layer 8: the labels of the draw list's deep-sky objects, when deep-sky objects are plotted
// and their labels are on. Each object on the chart (and above the horizon when only the
// visible part is drawn) whose magnitude is within the label limit writes its text of the
// label mode at its pixel; an object without that text writes nothing.
void DrawDeepSkyLabels(DrawContext& ctx, const DrawList& list);

// Layer 10: the names of the ten bodies in the order Sun, Mercury, Venus, Moon, Mars,
// Jupiter, Saturn, Uranus, Neptune, Pluto (each when plotted and labelled), 2 pixels right of
// and below the body's pixel on the screen and at the pixel on paper; then the labels of the
// selected asteroids by the label mode, then the names of the selected comets.
void DrawSolarSystemLabels(DrawContext& ctx, const SkyChart& chart);

// The label of an asteroid: "%d" of its number (empty for number 0), its name, or "%0.1f" of
// its magnitude.
std::string AsteroidLabelText(int mode, int number, const std::string& name, double magnitude);

// Screen offset of a body label from the body's pixel.
inline constexpr int kBodyLabelOffset = 2;

} // namespace chart
