// The band table that says which constellation holds a position (BoundariesC.skd), from any
// bytes, then asked for positions all over the sky.

#include "FuzzSupport.h"

#include "catalog/Constellations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteFile(folder / catalog::ConstellationData::kBandsFile, fuzz::AsText(data, size));
    catalog::ConstellationData constellations;
    const std::size_t bands = constellations.LoadBoundaryBands(folder);
    FUZZ_CHECK(bands <= catalog::ConstellationData::kBandCapacity);
    for (double dec = -90.0; dec <= 90.0; dec += 22.5)
        for (double ra = 0.0; ra < 24.0; ra += 2.5) {
            const std::string at = constellations.FindConstellationAt(ra, dec);
            // the band record's 23 bytes of Windows-1252, each at most 3 bytes of UTF-8
            FUZZ_CHECK(at.size() <= 3 * 23);
        }
    (void)constellations.abbreviationAt(astro::SkyPoint(5.5, -1.0));
    (void)constellations.damaged();
    return 0;
}
