// Speed of the ephemeris library's one call against libnova, body by body, and of the
// lunar theory alone (BM_LunarTheory/<series>: one geocentric position).
//
// For each body three benchmarks run over the same sequence of instants at one place:
//   BM_GetSSOData/<body>             our call: apparent topocentric position and the rise,
//                                    transit and set of the day
//   BM_Libnova_Position/<body>       libnova's apparent equatorial position only
//   BM_Libnova_PositionRiseSet/<body> libnova's position plus its rise/transit/set of the day
// The minor bodies (Ceres, and 1P/Halley as a comet) go through our call with body id 99 and
// through libnova's elliptic-orbit routines with the same elements.
// Every iteration takes the next instant of the sequence; consecutive instants lie on
// different days and at different times of day, so nothing computed for one call can be
// reused by the next.
#include "astro/DateTime.h"
#include "astro/ObservationParams.h"
#include "astro/Time.h"
#include "ephemlib/ElpMpp02.h"
#include "ephemlib/GetSSOData.h"
#include "ephemlib/Records.h"
#include "ephemlib/Theories.h"

#include <benchmark/benchmark.h>
#include <libnova/libnova.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// Fixed place: 48.85 N, 2.35 E, 35 m, clock one hour ahead of UT.
constexpr double kLatitude = 48.85;
constexpr double kLongitude = 2.35;
constexpr float kTimeZone = 1.0f;
constexpr double kHeight = 35.0;

constexpr std::size_t kInstants = 1024; // a power of two: the index wraps with a mask

// The instants of every benchmark: from 1990 on, 37 days and 5 h 17 min apart, so each
// one falls on another day and at another time of day than the one before.
const std::vector<astro::ObservationParams>& instants() {
    static const std::vector<astro::ObservationParams> list = [] {
        astro::Site site;
        site.latitude = kLatitude;
        site.longitude = kLongitude;
        site.timeZone = kTimeZone;
        site.height = kHeight;
        const astro::DateTime start(1990, 1, 1, 0, 0, 0);
        const double step = 37.0 + (5.0 * 60.0 + 17.0) / 1440.0;
        std::vector<astro::ObservationParams> v;
        v.reserve(kInstants);
        for (std::size_t i = 0; i < kInstants; ++i) {
            const astro::DateTime ut = start.addDays(step * static_cast<double>(i));
            v.push_back(astro::makeObservationParams(ut, site, 0));
        }
        return v;
    }();
    return list;
}

ln_lnlat_posn libnovaObserver() {
    ln_lnlat_posn obs{};
    obs.lng = kLongitude;
    obs.lat = kLatitude;
    return obs;
}

ephem::ElementBlock planetBlock(ephem::BodyId id) {
    ephem::ElementBlock b;
    b.bodyId = id;
    return b;
}

void setName(ephem::ElementBlock& b, const char* name) {
    std::strncpy(b.name, name, sizeof(b.name) - 1);
}

// Ceres, elements roughly as of 2023 (ecliptic and equinox J2000).
constexpr double kCeresPerihelionJd = 2459920.0;
constexpr double kCeresPerihelionArg = 73.4;
constexpr double kCeresNode = 80.26;
constexpr double kCeresInclination = 10.59;
constexpr double kCeresAxis = 2.7675;
constexpr double kCeresMeanMotion = 0.2141;
constexpr double kCeresEccentricity = 0.0789;

ephem::ElementBlock ceresBlock() {
    ephem::ElementBlock b;
    b.bodyId = ephem::BodyMinor;
    b.elements[ephem::ElemPerihelionTime] = kCeresPerihelionJd;
    b.elements[ephem::ElemPerihelionArg] = kCeresPerihelionArg;
    b.elements[ephem::ElemNode] = kCeresNode;
    b.elements[ephem::ElemInclination] = kCeresInclination;
    b.elements[ephem::ElemAxis] = kCeresAxis;
    b.elements[ephem::ElemMeanMotion] = kCeresMeanMotion;
    b.elements[ephem::ElemEccentricity] = kCeresEccentricity;
    b.elements[ephem::ElemSlopeG] = 0.12;
    b.elements[ephem::ElemEpoch] = 2460200.5;
    b.elements[ephem::ElemAbsMagnitude] = 3.34;
    setName(b, "(1) Ceres");
    return b;
}

// 1P/Halley, elements of the 1986 apparition (ecliptic and equinox J2000).
constexpr double kHalleyPerihelionJd = 2446470.95;
constexpr double kHalleyPerihelionArg = 111.85;
constexpr double kHalleyNode = 58.86;
constexpr double kHalleyInclination = 162.26;
constexpr double kHalleyAxis = 17.93;
constexpr double kHalleyEccentricity = 0.9673;

ephem::ElementBlock halleyBlock() {
    ephem::ElementBlock b;
    b.bodyId = ephem::BodyMinor;
    b.elements[ephem::ElemPerihelionTime] = kHalleyPerihelionJd;
    b.elements[ephem::ElemPerihelionArg] = kHalleyPerihelionArg;
    b.elements[ephem::ElemNode] = kHalleyNode;
    b.elements[ephem::ElemInclination] = kHalleyInclination;
    b.elements[ephem::ElemAxis] = kHalleyAxis;
    b.elements[ephem::ElemMeanMotion] = 0.0;
    b.elements[ephem::ElemEccentricity] = kHalleyEccentricity;
    b.elements[ephem::ElemSlopeG] = 0.0;
    b.elements[ephem::ElemEpoch] = kHalleyPerihelionJd;
    b.elements[ephem::ElemAbsMagnitude] = 5.5;
    b.elements[ephem::ElemCometK] = 5.0;
    setName(b, "1P/Halley");
    return b;
}

// Gaussian mean daily motion, degrees per day, for a semi-major axis in au.
double meanMotion(double a) {
    return 0.9856076686 / (a * std::sqrt(a));
}

ln_ell_orbit libnovaOrbit(double perihelionJd, double w, double node, double i, double a,
                          double e) {
    ln_ell_orbit o{};
    o.a = a;
    o.e = e;
    o.i = i;
    o.w = w;
    o.omega = node;
    o.n = meanMotion(a);
    o.JD = perihelionJd;
    return o;
}

ln_ell_orbit ceresOrbit() {
    return libnovaOrbit(kCeresPerihelionJd, kCeresPerihelionArg, kCeresNode, kCeresInclination,
                        kCeresAxis, kCeresEccentricity);
}

ln_ell_orbit halleyOrbit() {
    return libnovaOrbit(kHalleyPerihelionJd, kHalleyPerihelionArg, kHalleyNode, kHalleyInclination,
                        kHalleyAxis, kHalleyEccentricity);
}

// ----- our call -----

void runGetSSOData(benchmark::State& state, const ephem::ElementBlock& block) {
    const auto& list = instants();
    std::size_t k = 0;
    int failures = 0;
    for (auto _ : state) {
        ephem::EphemerisResult r;
        failures += GetSSOData(block, list[k], &r) != 0 ? 1 : 0;
        benchmark::DoNotOptimize(r);
        k = (k + 1) & (kInstants - 1);
    }
    if (failures != 0) {
        state.SkipWithError("GetSSOData returned an error");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_GetSSOData(benchmark::State& state, ephem::BodyId id) {
    runGetSSOData(state, planetBlock(id));
}

void BM_GetSSOData(benchmark::State& state, ephem::ElementBlock (*makeBlock)()) {
    runGetSSOData(state, makeBlock());
}

// ----- libnova, major bodies -----

using LnEquFn = void (*)(double, ln_equ_posn*);
using LnRstFn = int (*)(double, ln_lnlat_posn*, ln_rst_time*);

void BM_Libnova_Position(benchmark::State& state, LnEquFn equ) {
    const auto& list = instants();
    std::size_t k = 0;
    for (auto _ : state) {
        ln_equ_posn pos{};
        equ(list[k].julianDay, &pos);
        benchmark::DoNotOptimize(pos);
        k = (k + 1) & (kInstants - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Libnova_PositionRiseSet(benchmark::State& state, LnEquFn equ, LnRstFn rst) {
    const auto& list = instants();
    ln_lnlat_posn obs = libnovaObserver();
    std::size_t k = 0;
    for (auto _ : state) {
        ln_equ_posn pos{};
        ln_rst_time times{};
        equ(list[k].julianDay, &pos);
        const int circumpolar = rst(list[k].julianDay, &obs, &times);
        benchmark::DoNotOptimize(pos);
        benchmark::DoNotOptimize(times);
        benchmark::DoNotOptimize(circumpolar);
        k = (k + 1) & (kInstants - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

// ----- libnova, minor bodies -----

void BM_Libnova_Position(benchmark::State& state, ln_ell_orbit (*makeOrbit)()) {
    const auto& list = instants();
    ln_ell_orbit orbit = makeOrbit();
    std::size_t k = 0;
    for (auto _ : state) {
        ln_equ_posn pos{};
        ln_get_ell_body_equ_coords(list[k].julianDay, &orbit, &pos);
        benchmark::DoNotOptimize(pos);
        k = (k + 1) & (kInstants - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Libnova_PositionRiseSet(benchmark::State& state, ln_ell_orbit (*makeOrbit)()) {
    const auto& list = instants();
    ln_ell_orbit orbit = makeOrbit();
    ln_lnlat_posn obs = libnovaObserver();
    std::size_t k = 0;
    for (auto _ : state) {
        ln_equ_posn pos{};
        ln_rst_time times{};
        ln_get_ell_body_equ_coords(list[k].julianDay, &orbit, &pos);
        const int circumpolar = ln_get_ell_body_rst(list[k].julianDay, &obs, &orbit, &times);
        benchmark::DoNotOptimize(pos);
        benchmark::DoNotOptimize(times);
        benchmark::DoNotOptimize(circumpolar);
        k = (k + 1) & (kInstants - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

// One geocentric position of the Moon from the lunar theory, the complete series or one of
// the truncations the library sums (the precise one at the instant and for rise and set,
// the fast one for light time and the phases).
enum class LunarChoice { Full, Precise, Fast };

void BM_LunarTheory(benchmark::State& state, LunarChoice choice) {
    const auto& list = instants();
    const ephem::LunarTerms full = ephem::LunarTerms::full();
    const ephem::LunarTerms& terms =
        choice == LunarChoice::Full      ? full
        : choice == LunarChoice::Precise ? ephem::moonTerms(ephem::MoonSeries::Precise)
                                         : ephem::moonTerms(ephem::MoonSeries::Fast);
    std::size_t k = 0;
    for (auto _ : state) {
        const double T = (list[k].julianDay - ephem::kJ2000) / 36525.0;
        benchmark::DoNotOptimize(ephem::lunarEclipticJ2000(T, terms));
        k = (k + 1) & (kInstants - 1);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["terms"] = terms.total();
}

} // namespace

// clang-format off
BENCHMARK_CAPTURE(BM_LunarTheory, Full, LunarChoice::Full);
BENCHMARK_CAPTURE(BM_LunarTheory, Precise, LunarChoice::Precise);
BENCHMARK_CAPTURE(BM_LunarTheory, Fast, LunarChoice::Fast);

BENCHMARK_CAPTURE(BM_GetSSOData, Sun, ephem::BodySun);
BENCHMARK_CAPTURE(BM_Libnova_Position, Sun, &ln_get_solar_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Sun, &ln_get_solar_equ_coords, &ln_get_solar_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Mercury, ephem::BodyMercury);
BENCHMARK_CAPTURE(BM_Libnova_Position, Mercury, &ln_get_mercury_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Mercury, &ln_get_mercury_equ_coords, &ln_get_mercury_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Venus, ephem::BodyVenus);
BENCHMARK_CAPTURE(BM_Libnova_Position, Venus, &ln_get_venus_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Venus, &ln_get_venus_equ_coords, &ln_get_venus_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Moon, ephem::BodyMoon);
BENCHMARK_CAPTURE(BM_Libnova_Position, Moon, &ln_get_lunar_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Moon, &ln_get_lunar_equ_coords, &ln_get_lunar_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Mars, ephem::BodyMars);
BENCHMARK_CAPTURE(BM_Libnova_Position, Mars, &ln_get_mars_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Mars, &ln_get_mars_equ_coords, &ln_get_mars_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Jupiter, ephem::BodyJupiter);
BENCHMARK_CAPTURE(BM_Libnova_Position, Jupiter, &ln_get_jupiter_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Jupiter, &ln_get_jupiter_equ_coords, &ln_get_jupiter_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Saturn, ephem::BodySaturn);
BENCHMARK_CAPTURE(BM_Libnova_Position, Saturn, &ln_get_saturn_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Saturn, &ln_get_saturn_equ_coords, &ln_get_saturn_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Uranus, ephem::BodyUranus);
BENCHMARK_CAPTURE(BM_Libnova_Position, Uranus, &ln_get_uranus_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Uranus, &ln_get_uranus_equ_coords, &ln_get_uranus_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Neptune, ephem::BodyNeptune);
BENCHMARK_CAPTURE(BM_Libnova_Position, Neptune, &ln_get_neptune_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Neptune, &ln_get_neptune_equ_coords, &ln_get_neptune_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Pluto, ephem::BodyPluto);
BENCHMARK_CAPTURE(BM_Libnova_Position, Pluto, &ln_get_pluto_equ_coords);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Pluto, &ln_get_pluto_equ_coords, &ln_get_pluto_rst);

BENCHMARK_CAPTURE(BM_GetSSOData, Ceres, &ceresBlock);
BENCHMARK_CAPTURE(BM_Libnova_Position, Ceres, &ceresOrbit);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Ceres, &ceresOrbit);

BENCHMARK_CAPTURE(BM_GetSSOData, Halley, &halleyBlock);
BENCHMARK_CAPTURE(BM_Libnova_Position, Halley, &halleyOrbit);
BENCHMARK_CAPTURE(BM_Libnova_PositionRiseSet, Halley, &halleyOrbit);
// clang-format on
