#pragma once

#include "astro/ObservationParams.h"

#include <string>

namespace astro {

// Whether an object rises and sets at a latitude, by the geometry of its diurnal circle.
enum class Visibility {
    NeverRises,
    NeverSets,
    RisesAndSets,
};

// The visibility rule: with the declination d and the latitude f in degrees, |d - f| >= 90
// never rises; otherwise d + f > 90 or d + f < -90 never sets; otherwise it rises and sets.
// The horizon is the mathematical one (no refraction, semi-diameter or parallax).
Visibility classifyVisibility(double declinationDegrees, double latitudeDegrees);

// Rise, transit and set of a fixed object (a star or a deep-sky object; right ascension in
// hours and declination in degrees, J2000) for the place of p, in local clock hours [0, 24).
//
// The search starts at 00:00 UT of p's date and steps through time in whole seconds (a
// second counted as 1.157e-5 days), testing the object against the horizon of the rise/set
// zenith (riseSetZenith, carried to J2000) with isAboveHorizon: first to an instant below
// the horizon (steps of 1800 s), then to the rising (300 s forward, 15 s back), then to the
// setting (1800 s forward, 300 s back, 15 s forward). The rise is the last instant sampled
// still below the horizon, up to 15 s before the true crossing; the set the first instant
// sampled below it; the transit the midpoint between the two. An object above the horizon
// at 00:00 UT is followed to its setting first, so the rise reported is the next one, up to
// 200,000 s after 00:00 UT. The local clock adds the time zone (and an hour under daylight
// saving) and wraps once into [0, 24).
//
// A crossing not found within 200,000 s (only objects within minutes of arc of the
// classification limits) leaves its output, and the transit, as they were: callers set
// them to a negative value first, which shows as an empty time. A date outside the
// calendar's range leaves all three.
void findRiseTransitSet(double raHours, double decDegrees, const ObservationParams& p,
                        double& rise, double& transit, double& set);

// Local clock hours of the three events; a negative hour means "not found" and shows empty.
struct RiseTransitSet {
    Visibility visibility = Visibility::RisesAndSets;
    double rise = -1.0;
    double transit = -1.0;
    double set = -1.0;
};

// The events of a fixed object: the visibility rule for its declination at p's latitude,
// then, only when it rises and sets, the search.
RiseTransitSet fixedObjectEvents(double raHours, double decDegrees, const ObservationParams& p);

// The events of a body of the solar system: the visibility rule for its declination, and the
// library's local clock hours (negative when the event does not happen that day).
RiseTransitSet bodyEvents(double decDegrees, double latitudeDegrees, double rise, double transit,
                          double set);

// A time of an event as the texts show it: formatHours at precision 0 ("06h 42m 10s"), empty
// for a negative hour (the event was not found or does not happen that day).
std::string eventHoursText(double hours);

// The three cells of an ephemeris row: "Not visible" (never rises) or "Always visible"
// (never sets) in each, otherwise the three event times.
struct EventCells {
    std::string rise;
    std::string transit;
    std::string set;
};
EventCells ephemerisEventCells(const RiseTransitSet& events);

// The properties text's forms, CR-LF separated:
// long (stars, deep-sky objects):
//   "Not visible from the current\r\n  observing place\r\n  ",
//   "Always visible from the current\r\n  observing place\r\n  " or
//   "Rise:  %s\r\n  Transit:  %s\r\n  Set:  %s\r\n  ";
// short (bodies): the same without the closing "\r\n  ".
std::string riseTransitSetLongText(const RiseTransitSet& events);
std::string riseTransitSetShortText(const RiseTransitSet& events);

} // namespace astro
