#pragma once

#include "astro/SolarSystemBody.h"

#include <cstdint>
#include <string>

namespace astro {

// Display texts of a body's computed values. Numbers are written with a '.' whatever the
// process locale. A value that is not a finite number gives an empty text (for the Moon's
// phase, an empty day part).

// "%.1f"
std::string magnitudeText(double magnitude);
// "%.3f", the illuminated fraction of a body other than the Moon.
std::string phaseText(double phase);
// "Full Moon", "Third Quarter", "New Moon", "First Quarter" for the principal phase codes 0 to
// 3; empty for any other code.
const char* moonPhaseName(std::int32_t code);
// The principal phase name ("Full Moon", "Third Quarter", "New Moon", "First Quarter" for
// codes 0 to 3, nothing for any other code) directly followed by "-2.4 days" before the
// phase or "+2.4 days" from it on (a count of zero, also -0, takes the plus sign).
std::string moonPhaseText(std::int32_t phaseCode, double days);
// "%.4f au", or "%.4f E.r." (Earth radii) for the Moon.
std::string distanceText(double distance, bool moon);
// "%.2f" and a double-quote character: seconds of arc.
std::string diameterText(double arcSeconds);
// A rise, transit or set time in local clock hours, "06h 42m 10s"; empty when negative (the
// event does not happen that day).
std::string eventTimeText(double hours);
// Unsigned degrees, minutes and seconds; empty for the Sun.
std::string elongationText(double degrees, bool sun);

// Every text of a computed body, as the ephemeris table shows them.
struct BodyTexts {
    std::string magnitude;
    std::string phase; // the phase name and days for the Moon
    std::string distance;
    std::string diameter;
    std::string rise;
    std::string transit;
    std::string set;
    std::string elongation;
};

// The texts of body's last results, with the elongation given in degrees (ignored for the
// Sun).
BodyTexts bodyTexts(const SolarSystemBody& body, double elongationDegrees);

} // namespace astro
