// The list of the 88 constellations with their names and label points (Constellations.skd),
// from any bytes, then looked up by name and number.

#include "FuzzSupport.h"

#include "catalog/Constellations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteFile(folder / catalog::ConstellationData::kListFile, fuzz::AsText(data, size));
    catalog::ConstellationData constellations;
    const std::size_t entries = constellations.LoadConstellationList(folder);
    FUZZ_CHECK(entries <= catalog::ConstellationData::kConstellationCount);
    for (std::size_t i = 0; i <= entries; ++i) {
        const std::string name(constellations.name(i, false));
        (void)constellations.name(i, true);
        (void)constellations.namePoint(i);
        const int number = constellations.ConstellationNumber(name);
        FUZZ_CHECK(number >= 1 && number <= catalog::ConstellationData::kNoConstellation);
        for (int form = 0; form <= 4; ++form) {
            (void)constellations.ConstellationForm(name, form);
            (void)constellations.ConstellationFormByNumber(static_cast<int>(i) + 1, form);
        }
    }
    (void)constellations.ConstellationNumber("Cyg");
    (void)constellations.damaged();
    return 0;
}
