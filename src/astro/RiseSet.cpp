#include "astro/RiseSet.h"

#include "astro/DateTime.h"
#include "astro/Format.h"
#include "astro/Precession.h"
#include "astro/SkyPoint.h"
#include "astro/Time.h"

#include <cmath>
#include <cstdint>

namespace astro {

namespace {

// The search counts a second as 1.157e-5 days, a rounded 1/86400: an offset of s "seconds"
// lands 0.035% short of s true seconds (30 s after a whole day). Every reported time is read
// back from the instant actually reached, so the shortfall moves nothing it reports.
constexpr double kDaysPerSearchSecond = 1.157e-05;

// The window of the search, in search seconds from 00:00 UT (about 2.3 days).
constexpr int kSearchLimit = 200000;

// Steps of the search, in search seconds.
constexpr int kBelowStep = 1800; // to an instant below the horizon, and to the setting
constexpr int kRiseStep = 300;   // to the rising; back into the visible arc
constexpr int kFineStep = 15;    // the last refinement of either crossing

DateTime searchInstant(const DateTime& t0, double searchSeconds) {
    return t0.addDays(searchSeconds * kDaysPerSearchSecond);
}

// UT hours of the day of an instant, from its fields rounded to the second.
double hoursOfDay(const DateTime& t) {
    const DateTime::Fields f = t.fields();
    return f.hour + f.minute / 60.0 + f.second / 3600.0;
}

// The horizon test of the search: whether the object (J2000) is above the horizon of the
// rise/set zenith at t0 plus s search seconds. The zenith is a direction of the equator of
// date; it is carried to J2000 before it meets the object.
class HorizonTest {
public:
    HorizonTest(const SkyPoint& objectJ2000, const DateTime& t0, const ObservationParams& p)
        : m_object(objectJ2000), m_t0(t0), m_daylightSaving(p.daylightSaving) {
        m_site.latitude = p.latitude;
        m_site.longitude = p.longitude;
        m_site.timeZone = p.timeZone;
        m_site.height = p.height;
        m_site.temperature = p.temperature;
        m_site.pressure = p.pressure;
    }

    bool up(int s) const {
        const ObservationParams at =
            makeObservationParams(searchInstant(m_t0, s), m_site, m_daylightSaving);
        const SkyPoint zenith = rotate(precessionDateToJ2000(at.julianDay), riseSetZenith(at));
        return isAboveHorizon(zenith, m_object);
    }

private:
    SkyPoint m_object;
    DateTime m_t0;
    Site m_site;
    std::int32_t m_daylightSaving;
};

constexpr const char* kNeverRisesText = "Not visible from the current\r\n  observing place";
constexpr const char* kNeverSetsText = "Always visible from the current\r\n  observing place";
constexpr const char* kLongTextEnd = "\r\n  ";

} // namespace

Visibility classifyVisibility(double declinationDegrees, double latitudeDegrees) {
    if (std::fabs(declinationDegrees - latitudeDegrees) >= 90.0)
        return Visibility::NeverRises;
    const double sum = declinationDegrees + latitudeDegrees;
    if (sum > 90.0 || sum < -90.0)
        return Visibility::NeverSets;
    return Visibility::RisesAndSets;
}

void findRiseTransitSet(double raHours, double decDegrees, const ObservationParams& p, double& rise,
                        double& transit, double& set) {
    const DateTime t0(p.year, p.month, static_cast<int>(std::trunc(p.day)), 0, 0, 0);
    // A date outside the calendar's range, or a window running past its end, finds nothing.
    if (!t0.isValid() || !searchInstant(t0, kSearchLimit).isValid())
        return;

    const HorizonTest test(SkyPoint(raHours, decDegrees), t0, p);
    // Every loop below either stops on its test or runs out of its bound (the window's end
    // going forward, 00:00 UT going back); running out means the crossing was not found.
    int s = 0;

    // An instant below the horizon, so that an object up at 00:00 UT is first followed to
    // its setting.
    while (s < kSearchLimit && test.up(s))
        s += kBelowStep;
    if (s >= kSearchLimit)
        return;

    // The rising: forward to the first sample above the horizon, then back to the last one
    // below it.
    while (s < kSearchLimit && !test.up(s))
        s += kRiseStep;
    if (s >= kSearchLimit)
        return;
    // Going back never passes the instant found below the horizon (the steps are multiples
    // of 15 s), so reaching 00:00 UT means 00:00 itself was that instant: the object was
    // below there and rose within the first 15 s, and 00:00 is the last sample below.
    while (s > 0 && test.up(s))
        s -= kFineStep;
    const int sRise = s;

    // The setting: from 30 s past the rise forward to a sample below the horizon, back into
    // the visible arc, then forward to the first sample below it. An arc so short that the
    // way back finds no sample above the horizon has no setting found.
    s += 2 * kFineStep;
    while (s < kSearchLimit && test.up(s))
        s += kBelowStep;
    bool setFound = s < kSearchLimit;
    if (setFound) {
        while (s > 0 && !test.up(s))
            s -= kRiseStep;
        setFound = s > 0;
    }
    if (setFound) {
        while (s < kSearchLimit && test.up(s))
            s += kFineStep;
        setFound = s < kSearchLimit;
    }
    const int sSet = s;

    rise = toLocalHours(hoursOfDay(searchInstant(t0, sRise)), p.timeZone, p.daylightSaving);
    if (setFound)
        set = toLocalHours(hoursOfDay(searchInstant(t0, sSet)), p.timeZone, p.daylightSaving);
    if (setFound) {
        const double sTransit = (sSet - sRise) / 2.0 + sRise;
        transit =
            toLocalHours(hoursOfDay(searchInstant(t0, sTransit)), p.timeZone, p.daylightSaving);
    }
}

RiseTransitSet fixedObjectEvents(double raHours, double decDegrees, const ObservationParams& p) {
    RiseTransitSet events;
    events.visibility = classifyVisibility(decDegrees, p.latitude);
    if (events.visibility == Visibility::RisesAndSets)
        findRiseTransitSet(raHours, decDegrees, p, events.rise, events.transit, events.set);
    return events;
}

RiseTransitSet bodyEvents(double decDegrees, double latitudeDegrees, double rise, double transit,
                          double set) {
    RiseTransitSet events;
    events.visibility = classifyVisibility(decDegrees, latitudeDegrees);
    if (events.visibility == Visibility::RisesAndSets) {
        events.rise = rise;
        events.transit = transit;
        events.set = set;
    }
    return events;
}

std::string eventHoursText(double hours) {
    // Written so that a NaN, which no event time should be, also shows empty.
    if (!(hours >= 0.0))
        return {};
    return formatHours(hours, 0);
}

EventCells ephemerisEventCells(const RiseTransitSet& events) {
    switch (events.visibility) {
    case Visibility::NeverRises:
        return {"Not visible", "Not visible", "Not visible"};
    case Visibility::NeverSets:
        return {"Always visible", "Always visible", "Always visible"};
    case Visibility::RisesAndSets:
        break;
    }
    return {eventHoursText(events.rise), eventHoursText(events.transit),
            eventHoursText(events.set)};
}

std::string riseTransitSetShortText(const RiseTransitSet& events) {
    switch (events.visibility) {
    case Visibility::NeverRises:
        return kNeverRisesText;
    case Visibility::NeverSets:
        return kNeverSetsText;
    case Visibility::RisesAndSets:
        break;
    }
    return "Rise:  " + eventHoursText(events.rise) +
           "\r\n  Transit:  " + eventHoursText(events.transit) +
           "\r\n  Set:  " + eventHoursText(events.set);
}

std::string riseTransitSetLongText(const RiseTransitSet& events) {
    return riseTransitSetShortText(events) + kLongTextEnd;
}

} // namespace astro
