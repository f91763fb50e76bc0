#pragma once

#include "astro/SkyPoint.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace chart {

class SkyChart;

// Faint stars of the region files are drawn only when the limiting magnitude is above this.
inline constexpr double kFaintStarLimit = 9.5;

// One straight stroke of a constellation figure, between two J2000 directions.
struct FigureSegment {
    astro::SkyPoint first;
    astro::SkyPoint second;
};

// The constellation data the chart draws: boundary polylines (J2000 vertices in order),
// the stick figures of the 88 constellations, and the table of names with the points where
// they are written. The catalogue implements it; the chart only reads.
class ConstellationSource {
public:
    virtual ~ConstellationSource() = default;

    virtual std::size_t boundaryCount() const = 0;
    virtual std::span<const astro::SkyPoint> boundary(std::size_t i) const = 0;

    virtual std::size_t figureCount() const = 0;
    virtual std::span<const FigureSegment> figure(std::size_t i) const = 0;

    virtual std::size_t nameCount() const = 0;
    // Full name ("Ursa Major") or abbreviation ("UMa") of table entry i.
    virtual std::string_view name(std::size_t i, bool abbreviated) const = 0;
    // Where entry i's name is written (J2000).
    virtual astro::SkyPoint namePoint(std::size_t i) const = 0;

    // Abbreviation of the constellation that contains a J2000 direction ("" without data).
    virtual std::string abbreviationAt(const astro::SkyPoint& direction) const = 0;
};

// The faint stars read region by region for the part of the sky a chart shows. The store
// implements it; the chart loads the regions before it draws them and walks the slots in
// slot order, then record order.
class FaintStarSource {
public:
    virtual ~FaintStarSource() = default;

    // Whether the faint-star files are there at all.
    virtual bool available() const = 0;
    // Reloads the slots with the regions the chart shows (none when its limiting magnitude
    // is not above 9.5).
    virtual void LoadVisibleRegions(const SkyChart& chart) = 0;
    virtual std::size_t slotCount() const = 0;
    // Stars of a slot as loaded by the last LoadVisibleRegions; empty for a free slot.
    virtual std::size_t starCount(std::size_t slot) const = 0;
    virtual astro::SkyPoint* star(std::size_t slot, std::size_t i) = 0;
};

// Where the chart finds the catalogue data it draws besides its draw list. Either may be
// null: nothing of that kind is drawn.
struct ChartSources {
    const ConstellationSource* constellations = nullptr;
    FaintStarSource* faintStars = nullptr;
};

} // namespace chart
