// The constellation figures (Figures.skd) from any bytes.

#include "FuzzSupport.h"

#include "catalog/Constellations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteFile(folder / catalog::ConstellationData::kFiguresFile, fuzz::AsText(data, size));
    catalog::ConstellationData constellations;
    (void)constellations.LoadFigures(folder);
    FUZZ_CHECK(constellations.figureCount() <= catalog::ConstellationData::kConstellationCount);
    std::size_t segments = 0;
    for (std::size_t i = 0; i <= constellations.figureCount(); ++i) {
        const auto figure = constellations.figure(i);
        FUZZ_CHECK(figure.size() <= catalog::ConstellationData::kFigureSegmentCapacity);
        segments += figure.size();
    }
    FUZZ_CHECK(constellations.figure(constellations.figureCount()).empty());
    (void)segments;
    (void)constellations.damaged();
    return 0;
}
