#pragma once

#include "astro/Frames.h"
#include "astro/SkyPoint.h"

#include <string>

namespace catalog {

// The target fields of an area filter as the filter dialogs show a direction: right
// ascension as whole hours and minutes ("%.1f"), declination "%.1f"; azimuth (from the north
// through the east) as whole degrees and minutes, altitude "%.1f". Minutes are rounded to a
// tenth with the carry taken into the whole units, so they never read 60.0 and a full turn
// reads 0; a value that rounds to zero never shows a minus sign.
struct AreaTargetFields {
    std::string raHours;
    std::string raMinutes;
    std::string dec;
    std::string azDegrees;
    std::string azMinutes;
    std::string alt;
};

AreaTargetFields AreaTargetFieldsOf(const astro::SkyPoint& equatorial,
                                    const astro::CoordinateFrames& frames);

// "%.1f", without a minus sign on a value that rounds to zero.
std::string OneDecimalText(double value);

} // namespace catalog
