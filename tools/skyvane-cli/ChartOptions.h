#pragma once

#include "Args.h"

#include "astro/DateTime.h"
#include "chart/SkyChart.h"

#include <string>
#include <utility>
#include <vector>

namespace cli {

// --ut as a date and time; without it the system clock (or, when required, a UsageError).
astro::DateTime parseUt(const Args& a, bool required);

// "A<sep>B" as two numbers, or the fallback when the option is absent.
std::pair<double, double> parsePair(const Args& a, const std::string& name, char sep,
                                    std::pair<double, double> fallback);

int rotationFromName(const std::string& name);

// The options that place a chart: --size WxH, --lat, --lon, --ut, --fov (vertical field),
// --target RAh,DECdeg (equatorial) and --rotation. Defaults are those of a new chart.
inline const std::vector<std::string> kChartOptions = {"--size", "--fov", "--target", "--rotation",
                                                       "--ut",   "--lat", "--lon"};
void configureChart(const Args& a, chart::SkyChart& chart);

} // namespace cli
