#pragma once

#include "astro/DateTime.h"
#include "astro/Frames.h"
#include "astro/ObservationParams.h"
#include "astro/RiseSet.h"
#include "astro/SkyPoint.h"

#include <string>
#include <vector>

namespace chart {
struct PrintPlaceTexts;
class SkyChart;
class SolarSystemObjects;
} // namespace chart

namespace catalog {

class ConstellationData;
class DsoCatalog;
class PlaceList;

// What the properties of a picked object are computed against: the chart's instant and
// place, its frames, the ten bodies as the chart last computed them, and the catalogues that
// name constellations and deep-sky objects. Every pointer may be null: the texts that need it
// are then left out or empty.
struct PropertiesContext {
    astro::ObservationParams params;  // instant (UT), place, zone, daylight saving
    astro::CoordinateFrames frames;   // horizontal and ecliptic frames of the instant
    std::string placeName;            // "London, UK"; empty for a free place
    const chart::SolarSystemObjects* bodies = nullptr;
    const ConstellationData* constellations = nullptr;
    const DsoCatalog* deepSky = nullptr;
};

// The context of a chart: its instant, place, frames and bodies; the place's name from the
// places list when the chart stands at a fixed place.
PropertiesContext MakePropertiesContext(const chart::SkyChart& chart, const PlaceList* places,
                                        const ConstellationData* constellations,
                                        const DsoCatalog* deepSky);

// The observing place as a printed chart writes it: the places list's name of a fixed place
// (none for a free one), and the chart's latitude and longitude.
chart::PrintPlaceTexts PrintPlaceTextsOf(const chart::SkyChart& chart, const PlaceList* places);

// "About " followed by the object's name: the title of the full properties.
std::string PropertiesTitle(const astro::SkyPoint& object);

// The full properties text of an object, chosen by its kind: the Sun, the Moon, planets,
// asteroids and comets, catalogue, Tycho-2 and named stars, deep-sky objects. CR-LF
// separated. Any other kind gives its name alone.
std::string FullPropertiesText(const astro::SkyPoint& object, const PropertiesContext& ctx);

// The buttons of the "Properties" dialog besides "C&lose" and "&Copy": "&Ephemeris..." for a
// body of the solar system once the ephemeris table is there, "&Trail..." for a body of the
// solar system (Sun to Pluto, asteroids and comets), "&Image..." for a deep-sky object with an
// atlas image.
struct PropertiesButtons {
    bool ephemeris = false;
    bool trail = false;
    bool image = false;
};
PropertiesButtons PropertiesButtonStates(const astro::SkyPoint& object, bool ephemerisAvailable);

// Where the object stands at the context's instant: J2000 right ascension (hours) and
// declination (degrees), the shown azimuth (degrees from north) and the altitude (degrees,
// without refraction, as the chart draws it), ecliptic longitude and latitude (degrees).
struct ObjectPlace {
    double ra = 0.0;
    double dec = 0.0;
    double azimuth = 0.0;
    double altitude = 0.0;
    double eclipticLongitude = 0.0;
    double eclipticLatitude = 0.0;
};
ObjectPlace PlaceOf(const astro::SkyPoint& object, const PropertiesContext& ctx);

// Rise, transit and set: for a body of the solar system the library's times of its last
// computation, for a fixed object the search; the visibility rule first for both.
astro::RiseTransitSet EventsOf(const astro::SkyPoint& object, const PropertiesContext& ctx);

// The full name of the constellation that contains the object ("Lyra"); empty without the
// constellation data.
std::string ConstellationNameOf(const astro::SkyPoint& object, const PropertiesContext& ctx);

// ---- the shared blocks of the full text (also for other texts of the program)

// "\r\n  Observing place:\r\n  ..." with the place's name, latitude and longitude, the local
// and universal date-time and the Julian day.
std::string ObservingPlaceBlock(const PropertiesContext& ctx);
// "\r\n  Coordinates:\r\n  ..." with the equatorial, azimuthal and ecliptic coordinates.
std::string CoordinatesBlock(const astro::SkyPoint& object, const PropertiesContext& ctx);
// "Elongation from" and the angular distance to each of the ten bodies but the object.
std::string ElongationsBlock(const astro::SkyPoint& object, const PropertiesContext& ctx);

// The universal date-time of the parameters' instant.
astro::DateTime PropertiesUniversalTime(const astro::ObservationParams& params);
// The local date-time the properties show: recomputed from the universal time by the day
// fractions of the chart clock.
astro::DateTime PropertiesLocalTime(const astro::ObservationParams& params);
// "%d/%d/%d  %d:%d:%d": month, day, year, hour, minute, second, unpadded.
std::string PropertiesDateTimeText(const astro::DateTime& dt);

// The azimuth shown, degrees from north in [0, 360), from the horizontal longitude in hours
// (counted from the south point towards the east point): 360 - 15 h, 0 for exactly 360,
// then turned by 180.
double ShownAzimuth(double horizontalLongitudeHours);

// ---- the short properties window

// The three fonts of the short window: "Arial" 12, "Arial" 16 and "Symbol" 24 (the Bayer
// letter, written as its Greek letter), all of weight 400.
enum class ShortFont {
    Small,
    Large,
    Greek,
};

struct ShortRun {
    ShortFont font = ShortFont::Small;
    std::string text;
};

// One line of the short window: either a heading of runs (the object's name; a named star's
// Bayer letter in the Greek font) or a field, its bare label ("TYC:") and what follows it
// (" 1234-567-1 "), empty when the value is missing. The values of the fields are aligned on
// the widest label.
struct ShortLine {
    std::vector<ShortRun> heading;
    std::string label;
    std::string value;
    bool isHeading() const { return !heading.empty(); }
};

// The lines of the short window for an object, by its kind.
std::vector<ShortLine> ShortPropertiesLines(const astro::SkyPoint& object,
                                            const PropertiesContext& ctx);

// The colours of the short window in a display mode (1 Standard, 2 True, 3 Red, 4
// Black&White; any other mode as 4): background, outline, text.
struct ShortColours {
    int background[3];
    int outline[3];
    int text[3];
};
ShortColours ShortPropertiesColours(int viewMode);

} // namespace catalog
