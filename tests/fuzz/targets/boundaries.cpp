// Constellation outlines (Boundaries.skd) from any bytes.

#include "FuzzSupport.h"

#include "catalog/Constellations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteFile(folder / catalog::ConstellationData::kBoundariesFile, fuzz::AsText(data, size));
    catalog::ConstellationData constellations;
    const std::size_t outlines = constellations.LoadBoundaries(folder);
    FUZZ_CHECK(outlines <= catalog::ConstellationData::kOutlineCapacity);
    FUZZ_CHECK(outlines == constellations.boundaryCount());
    for (std::size_t i = 0; i < outlines; ++i)
        FUZZ_CHECK(constellations.boundary(i).size() <=
                   catalog::ConstellationData::kOutlinePointCapacity);
    FUZZ_CHECK(constellations.boundary(outlines).empty());
    (void)constellations.damaged();
    return 0;
}
