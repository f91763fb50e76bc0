#pragma once

#include "astro/SkyPoint.h"

#include <string>

namespace catalog {

// Which constellation contains a direction: the star names ("61 Cyg") need it. The
// application sets the loaded constellation data here once; before that, and in programs
// that load none, there is no lookup.
class ConstellationLookup {
public:
    virtual ~ConstellationLookup() = default;
    // Abbreviation ("Cyg") of the constellation containing an equatorial J2000 direction;
    // empty when none is known.
    virtual std::string abbreviationAt(const astro::SkyPoint& direction) const = 0;
};

void setConstellationLookup(const ConstellationLookup* lookup);
const ConstellationLookup* constellationLookup();

} // namespace catalog
