// The asteroid and comet catalogue lines: each line of the input read as both, and the first
// orbit of each kind computed, whose result must be finite numbers whatever the elements.

#include "FuzzSupport.h"

#include "astro/MinorBodyLine.h"
#include "astro/Time.h"
#include "ephemlib/GetSSOData.h"

#include <cmath>

namespace {

void compute(const ephem::ElementBlock& block) {
    static const astro::ObservationParams params = [] {
        astro::Site site;
        site.latitude = 51.5;
        site.longitude = -0.13;
        return astro::makeObservationParams(astro::DateTime(2026, 12, 8, 22, 0, 0), site, 0);
    }();
    ephem::EphemerisResult result;
    (void)GetSSOData(block, params, &result);
    for (double value : {result.ra, result.dec, result.distance, result.diameter,
                         result.magnitude, result.phase, result.rise, result.transit, result.set})
        FUZZ_CHECK(std::isfinite(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bool asteroidDone = false;
    bool cometDone = false;
    fuzz::ForEachLine(fuzz::AsText(data, size), [&](std::string_view line) {
        if (auto asteroid = astro::parseAsteroidLine(line); asteroid && !asteroidDone) {
            compute(asteroid->block);
            asteroidDone = true;
        }
        if (auto comet = astro::parseCometLine(line); comet && !cometDone) {
            compute(comet->block);
            cometDone = true;
        }
    });
    return 0;
}
