#pragma once

#include "astro/ObservationParams.h"

#include <cstddef>
#include <cstdint>

// The records of the ephemeris library's one call, GetSSOData: fixed little-endian layouts
// that callers fill and read byte for byte.

namespace ephem {

// Library body ids.
enum BodyId : std::int32_t {
    BodySun = 0,
    BodyMercury = 1,
    BodyVenus = 2,
    BodyMoon = 3,
    BodyMars = 4,
    BodyJupiter = 5,
    BodySaturn = 6,
    BodyUranus = 7,
    BodyNeptune = 8,
    BodyPluto = 9,
    BodyMinor = 99, // asteroid or comet: the elements of the block are used
};

// 144 bytes. For the Sun, Moon and planets only `bodyId` means anything. For a minor body:
//   elements[0] A  time of perihelion passage, Julian day (TT)
//   elements[1] B  argument of perihelion, degrees (ecliptic and equinox J2000)
//   elements[2] C  longitude of the ascending node, degrees
//   elements[3] D  inclination, degrees
//   elements[4]    semi-major axis a (AU); for e >= 1 the perihelion distance q
//   elements[5]    mean daily motion n, degrees per day (0 for comets)
//   elements[6]    eccentricity e
//   elements[7]    slope parameter G (asteroids; 0 for comets)
//   elements[8]    epoch of the elements, Julian day
//   elements[9]    absolute magnitude H
//   elements[10]   K: a comet's magnitude is H + 5 log10(delta) + 2 K log10(r); 5.0 gives the
//                  usual 10 log10(r). Asteroids use the H, G law.
struct ElementBlock {
    double elements[11] = {};
    char name[48] = {};
    std::int32_t bodyId = 0;
    std::int32_t reserved = 0;
};

// 104 bytes, written by the library.
struct EphemerisResult {
    double ra = 0.0;         // apparent right ascension, hours (equator and equinox J2000)
    double dec = 0.0;        // apparent declination, degrees
    double distance = 0.0;   // true geocentric distance, au; for the Moon, Earth radii
    double diameter = 0.0;   // apparent equatorial diameter, arc seconds
    double magnitude = 0.0;  // visual magnitude
    double phase = 0.0;      // illuminated fraction of the disc, 0..1
    double reserved1 = 0.0;  // not read by the program
    double set = -1.0;       // local clock hours of the events of the civil day containing the
    double transit = -1.0;   // instant; negative when the event does not happen that day
    double rise = -1.0;
    double moonPhaseDays = 0.0;    // Moon: days from the nearest principal phase (negative before)
    std::int32_t moonPhase = 0;    // Moon: 0 Full, 1 Third Quarter, 2 New, 3 First Quarter
    std::int32_t reserved2[3] = {};
};

static_assert(sizeof(ElementBlock) == 144);
static_assert(offsetof(ElementBlock, elements) == 0);
static_assert(offsetof(ElementBlock, name) == 88);
static_assert(offsetof(ElementBlock, bodyId) == 136);

static_assert(sizeof(EphemerisResult) == 104);
static_assert(offsetof(EphemerisResult, ra) == 0);
static_assert(offsetof(EphemerisResult, dec) == 8);
static_assert(offsetof(EphemerisResult, distance) == 16);
static_assert(offsetof(EphemerisResult, diameter) == 24);
static_assert(offsetof(EphemerisResult, magnitude) == 32);
static_assert(offsetof(EphemerisResult, phase) == 40);
static_assert(offsetof(EphemerisResult, set) == 56);
static_assert(offsetof(EphemerisResult, transit) == 64);
static_assert(offsetof(EphemerisResult, rise) == 72);
static_assert(offsetof(EphemerisResult, moonPhaseDays) == 80);
static_assert(offsetof(EphemerisResult, moonPhase) == 88);

// Element block slots by meaning.
enum ElementSlot : int {
    ElemPerihelionTime = 0,
    ElemPerihelionArg = 1,
    ElemNode = 2,
    ElemInclination = 3,
    ElemAxis = 4,
    ElemMeanMotion = 5,
    ElemEccentricity = 6,
    ElemSlopeG = 7,
    ElemEpoch = 8,
    ElemAbsMagnitude = 9,
    ElemCometK = 10,
};

} // namespace ephem
