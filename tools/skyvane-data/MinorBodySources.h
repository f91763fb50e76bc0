#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pieces of `skyvane-data asteroids|comets` that do not depend on where the elements come
// from: the orbit quantities the catalogue lines need, the lines themselves, the Minor Planet
// Center's packed forms and its two element formats, and the choice of bodies when a source
// holds more than a catalogue can take.
//
// Every orbit is heliocentric with angles referred to the ecliptic and equinox J2000; times
// are Julian days (TT). A catalogue line's element A is the time of perihelion passage, B the
// argument of perihelion, C the longitude of the ascending node, D the inclination.
namespace datatool::minor {

// Slope parameter given to an asteroid whose source has none (the usual value of the H, G
// magnitude law).
inline constexpr double kDefaultSlope = 0.15;
// Absolute magnitude given to a body whose source has none: faint, so that a body of unknown
// brightness is never shown as a bright one.
inline constexpr double kDefaultMagnitude = 20.0;
// A comet of at most this period (years) counts as periodic when choosing comets.
inline constexpr double kPeriodicLimitYears = 200.0;

struct AsteroidRecord {
    long number = 0;  // 0 for an unnumbered body
    std::string name; // UTF-8: the name, or the provisional designation
    double perihelionTime = 0.0;
    double perihelionArg = 0.0;
    double node = 0.0;
    double inclination = 0.0;
    double axis = 0.0; // semi-major axis, au
    double eccentricity = 0.0;
    double slope = kDefaultSlope;
    double absMagnitude = kDefaultMagnitude;
};

struct CometRecord {
    std::string name; // UTF-8, as "1P/Halley" or "C/2020 F3 (NEOWISE)"
    double perihelionTime = 0.0;
    double perihelionArg = 0.0;
    double node = 0.0;
    double inclination = 0.0;
    double perihelion = 0.0; // perihelion distance q, au
    double eccentricity = 0.0;
    double absMagnitude = kDefaultMagnitude;
    bool hasMagnitude = false; // absMagnitude came from the source
};

// A text that is a decimal number and nothing else (blanks around it allowed); nothing for
// an empty text, "nan", "inf" or any other text.
std::optional<double> readNumber(std::string_view text);

// Mean daily motion (degrees per day) of a heliocentric orbit of semi-major axis a, with the
// Gaussian constant, as the ephemeris library moves the body.
double meanMotion(double axis);

// The time of the perihelion passage nearest the epoch of a body with mean anomaly M at that
// epoch: epoch - M / n with M taken into (-180, 180] degrees. Nothing for an axis that is not
// positive or a value that is not finite.
std::optional<double> perihelionTimeNearEpoch(double epoch, double meanAnomaly, double axis);

// The catalogue lines (without line feed) of astro/MinorBodyLine.h. Names are written in
// Windows-1252 and cut to their columns; numbers are right-aligned in their fields with as
// many decimals as fit (up to 3 for the perihelion time, 6 for angles, 8 for a, q and e, 3
// for G, 2 for H). An asteroid numbered 100000 or more does not fit the five number columns:
// it is written as unnumbered with its number before its name, "123456 Name". A name longer
// than its columns loses a trailing part in parentheses (the discoverers) before it is cut.
// Nothing when a value is not finite or does not fit its columns even without decimals.
std::optional<std::string> asteroidLine(const AsteroidRecord& r);
std::optional<std::string> cometLine(const CometRecord& r);

// A number and name split from the full names of the Small-Body Database:
// "     1 Ceres (A801 AA)" gives 1 "Ceres", " 54520 (2000 PJ30)" 54520 "2000 PJ30",
// "       (2022 OU15)" 0 "2022 OU15".
struct Designation {
    long number = 0;
    std::string name;
};
Designation splitSbdbAsteroidName(std::string_view fullName);
// A comet's full name without its surrounding blanks ("    1P/Halley" gives "1P/Halley").
std::string sbdbCometName(std::string_view fullName);
// The readable designation of MPCORB.DAT: "(1) Ceres" gives 1 "Ceres", "(3708) 1974 FV1" 3708
// "1974 FV1", "2019 AB1" 0 "2019 AB1".
Designation splitMpcReadableName(std::string_view readable);

// Packed forms of the Minor Planet Center.
// Epoch "K2555" (century letter I, J or K, year, month 1-9 A-C, day 1-9 A-V): the Julian day
// of that date at 0h TT.
std::optional<double> unpackEpoch(std::string_view packed);
// Number "00001", "A0001" (100001), "~0000" (620000 and up, base 62).
std::optional<long> unpackNumber(std::string_view packed);
// Minor-planet provisional designation "K19A01B" gives "2019 AB1", "J95X00A" "1995 XA",
// "PLS2040" "2040 P-L", "T1S3138" "3138 T-1".
std::optional<std::string> unpackProvisional(std::string_view packed);
// Comet provisional designation "K20F030" gives "2020 F3"; a fragment letter in the last
// place is written upper-case after a hyphen ("K20F03a" gives "2020 F3-A"), and a designation
// ending in an upper-case letter is read as a minor planet's.
std::optional<std::string> unpackCometProvisional(std::string_view packed);

// One line of MPCORB.DAT (the export format for minor-planet orbits): nothing for a line that
// is not an orbit (the header, blank lines, a field that does not read as a number). The
// name is the readable designation, else the unpacked designation.
std::optional<AsteroidRecord> parseMpcorbLine(std::string_view line);
// One line of CometEls.txt (the export format for comet orbits): nothing for a line that is
// not an orbit.
std::optional<CometRecord> parseCometElsLine(std::string_view line);

// The comets a catalogue keeps when there are more than `capacity`, as indices into
// `comets` in their original order: first the periodic comets with a known magnitude, then
// the others with a known magnitude, then the rest, the latest perihelion passages first
// within each of those groups (ties by position).
std::vector<std::size_t> chooseComets(const std::vector<CometRecord>& comets, std::size_t capacity);

// Keeps the `capacity` brightest asteroids (smallest H; ties by arrival) of a stream in their
// order of arrival, without holding more than `capacity` of them at any time.
class BrightestAsteroids {
public:
    explicit BrightestAsteroids(std::size_t capacity) : m_capacity(capacity) {}
    void add(AsteroidRecord record);
    std::size_t seen() const { return m_seen; }
    // The kept records in order of arrival; the object is empty afterwards.
    std::vector<AsteroidRecord> take();

private:
    struct Entry {
        double magnitude;
        std::size_t order;
        AsteroidRecord record;
    };
    std::size_t m_capacity;
    std::size_t m_seen = 0;
    std::vector<Entry> m_heap; // the faintest kept record on top
};

} // namespace datatool::minor
