#include "astro/BodyText.h"

#include "astro/Format.h"

#include <charconv>
#include <cmath>

namespace astro {

namespace {

// Fixed notation with the given number of decimals and a '.' as decimal point; empty for
// a value that is not finite.
std::string fixed(double value, int decimals) {
    if (!std::isfinite(value))
        return {};
    // Large enough for the 309 integer digits of the largest double.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return {};
    return std::string(buf, r.ptr);
}

// A value that rounds to zero reads "0.0", not "-0.0".
std::string withoutNegativeZero(std::string text) {
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

} // namespace

const char* moonPhaseName(std::int32_t code) {
    switch (code) {
    case 0:
        return "Full Moon";
    case 1:
        return "Third Quarter";
    case 2:
        return "New Moon";
    case 3:
        return "First Quarter";
    default:
        return "";
    }
}

std::string magnitudeText(double magnitude) {
    return withoutNegativeZero(fixed(magnitude, 1));
}

std::string phaseText(double phase) {
    return withoutNegativeZero(fixed(phase, 3));
}

std::string moonPhaseText(std::int32_t phaseCode, double days) {
    std::string text = moonPhaseName(phaseCode);
    if (!std::isfinite(days))
        return text;
    if (days < 0.0) {
        text += fixed(days, 1);
    } else {
        text += '+';
        text += fixed(days == 0.0 ? 0.0 : days, 1); // -0 prints as +0.0
    }
    text += " days";
    return text;
}

std::string distanceText(double distance, bool moon) {
    const std::string number = fixed(distance, 4);
    if (number.empty())
        return {};
    return number + (moon ? " E.r." : " au");
}

std::string diameterText(double arcSeconds) {
    const std::string number = fixed(arcSeconds, 2);
    if (number.empty())
        return {};
    return number + '"';
}

std::string eventTimeText(double hours) {
    if (!std::isfinite(hours) || hours < 0.0)
        return {};
    return formatHours(hours, 0);
}

std::string elongationText(double degrees, bool sun) {
    if (sun || !std::isfinite(degrees))
        return {};
    return formatDegrees(degrees, 0, false);
}

BodyTexts bodyTexts(const SolarSystemBody& body, double elongationDegrees) {
    const ephem::EphemerisResult& r = body.results;
    const int kind = body.GetType();
    const bool moon = kind == KindMoon;
    BodyTexts t;
    t.magnitude = magnitudeText(r.magnitude);
    t.phase = moon ? moonPhaseText(r.moonPhase, r.moonPhaseDays) : phaseText(r.phase);
    t.distance = distanceText(r.distance, moon);
    t.diameter = diameterText(r.diameter);
    t.rise = eventTimeText(r.rise);
    t.transit = eventTimeText(r.transit);
    t.set = eventTimeText(r.set);
    t.elongation = elongationText(elongationDegrees, kind == KindSun);
    return t;
}

} // namespace astro
