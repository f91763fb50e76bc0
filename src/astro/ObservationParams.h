#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace astro {

// Instant (UT) and place of a position computation: an 88-byte little-endian record with no
// gaps, handed by value to the ephemeris library. The first 56 bytes (up to and including
// the daylight-saving flag) are the instant-and-place head; some callers fill only those.
struct ObservationParams {
    std::int32_t year = 2000;
    std::int32_t month = 1;
    double day = 1.0;                // whole number stored as double
    std::int32_t hour = 0;           // UT
    std::int32_t minute = 0;         // UT
    double second = 0.0;             // UT, whole number stored as double
    double latitude = 0.0;           // degrees, north positive
    double longitude = 0.0;          // degrees, east positive
    float timeZone = 0.0f;           // hours east of Greenwich
    std::int32_t daylightSaving = 0; // 1 = one hour ahead
    double julianDay = 0.0;
    double height = 0.0;       // metres above sea level
    double temperature = 10.0; // degrees Celsius
    double pressure = 1000.0;  // millibar

    friend bool operator==(const ObservationParams&, const ObservationParams&) = default;
};

inline constexpr std::size_t kObservationParamsHeadSize = 56;

static_assert(sizeof(ObservationParams) == 88);
static_assert(offsetof(ObservationParams, year) == 0);
static_assert(offsetof(ObservationParams, month) == 4);
static_assert(offsetof(ObservationParams, day) == 8);
static_assert(offsetof(ObservationParams, hour) == 16);
static_assert(offsetof(ObservationParams, minute) == 20);
static_assert(offsetof(ObservationParams, second) == 24);
static_assert(offsetof(ObservationParams, latitude) == 32);
static_assert(offsetof(ObservationParams, longitude) == 40);
static_assert(offsetof(ObservationParams, timeZone) == 48);
static_assert(offsetof(ObservationParams, daylightSaving) == 52);
static_assert(offsetof(ObservationParams, julianDay) == kObservationParamsHeadSize);
static_assert(offsetof(ObservationParams, height) == 64);
static_assert(offsetof(ObservationParams, temperature) == 72);
static_assert(offsetof(ObservationParams, pressure) == 80);
static_assert(sizeof(float) == 4 && sizeof(double) == 8);
// The record is handed over as raw bytes in little-endian order.
static_assert(std::endian::native == std::endian::little);

} // namespace astro
