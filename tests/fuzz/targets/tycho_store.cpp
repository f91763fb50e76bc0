// The Tycho-2 store (tycho_2.skd, supply_1.skd, tycho_2_index.skd) from any bytes: opened,
// its regions loaded for deep charts in several directions, and stars looked up by their
// identifiers.

#include "FuzzSupport.h"
#include "FuzzChart.h"

#include "catalog/Stars.h"
#include "catalog/TychoStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using catalog::TychoStore;
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteParts(folder, fuzz::AsText(data, size),
                     {TychoStore::kIndexFile, TychoStore::kMainFile, TychoStore::kSupplementFile});
    static TychoStore* store = new TychoStore;
    store->OpenTycho(folder);
    (void)TychoStore::CheckFiles(folder);
    if (!store->TychoAvailable())
        return 0;
    FUZZ_CHECK(store->regionCount() >= 0);

    chart::SkyChart& chart = fuzz::FixedChart();
    chart.settings.autoMagnitudeLimit = 0;
    chart.settings.magnitudeLimit = 12.0;
    const astro::SkyPoint targets[] = {{0.0, 0.0}, {20.5, 40.0}, {6.0, -60.0}, {12.0, 89.5}};
    for (const astro::SkyPoint& target : targets) {
        chart.SetView(2.0f, target);
        store->LoadVisibleRegions(chart);
        for (std::size_t slot = 0; slot <= store->slotCount(); ++slot) {
            const std::size_t count = store->starCount(slot);
            FUZZ_CHECK(count <= TychoStore::kRegionCapacity);
            for (std::size_t i = 0; i < count; i += 97) {
                astro::SkyPoint* star = store->star(slot, i);
                FUZZ_CHECK(star != nullptr);
                (void)star->GetName();
            }
            FUZZ_CHECK(store->star(slot, count) == nullptr);
        }
    }
    for (int tyc1 : {1, 2, 4000, 9537, 9538, 0, -1})
        for (int tyc2 : {1, 900, 12000})
            (void)store->FindTychoStar(tyc1, tyc2, 1);
    return 0;
}
