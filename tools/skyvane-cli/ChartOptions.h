#pragma once

#include "Args.h"

#include "astro/DateTime.h"
#include "chart/SkyChart.h"

namespace catalog {
class PlaceList;
}

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

// The options that put a chart at an observing place and instant: --place N (a fixed place
// of the list, 211 London unless told) or --lat DEG --lon DEG (a free place), --tz HOURS (the
// fixed place's zone, or 0), --dst 0|1, --height M, --ut TIME (now unless told).
inline const std::vector<std::string> kPlaceOptions = {"--place", "--lat",    "--lon", "--tz",
                                                       "--dst",   "--height", "--ut"};
// Sets the chart's place, zone, daylight saving and instant from those options and computes
// it; throws UsageError for a place given both ways or half a position.
void placeChart(const Args& a, const catalog::PlaceList& places, chart::SkyChart& chart);

} // namespace cli
