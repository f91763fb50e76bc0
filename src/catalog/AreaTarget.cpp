#include "catalog/AreaTarget.h"

#include "astro/TextNumber.h"

#include <cmath>

namespace catalog {

namespace {

struct UnitsAndMinutes {
    int units;
    double minutes;
};

UnitsAndMinutes splitMinutes(double value, int turn) {
    const long long tenthsPerTurn = static_cast<long long>(turn) * 600;
    long long tenths = std::llround(value * 600.0) % tenthsPerTurn;
    if (tenths < 0)
        tenths += tenthsPerTurn;
    return {static_cast<int>(tenths / 600), static_cast<double>(tenths % 600) / 10.0};
}

} // namespace

std::string OneDecimalText(double value) {
    std::string text = astro::formatFixed(value, 1);
    if (text == "-0.0")
        text = "0.0";
    return text;
}

AreaTargetFields AreaTargetFieldsOf(const astro::SkyPoint& equatorial,
                                    const astro::CoordinateFrames& frames) {
    AreaTargetFields f;
    const UnitsAndMinutes ra = splitMinutes(equatorial.ra(), 24);
    f.raHours = std::to_string(ra.units);
    f.raMinutes = OneDecimalText(ra.minutes);
    f.dec = OneDecimalText(equatorial.dec());
    const astro::SkyPoint horizontal = astro::toHorizontal(equatorial, frames);
    const UnitsAndMinutes az = splitMinutes(astro::azimuthFromNorth(horizontal.ra()), 360);
    f.azDegrees = std::to_string(az.units);
    f.azMinutes = OneDecimalText(az.minutes);
    f.alt = OneDecimalText(horizontal.dec());
    return f;
}

} // namespace catalog
