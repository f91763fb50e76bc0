// The resident stars (SKY2000_data.skd with the names of bright_data.skd, and tycho_2_b.skd)
// from any bytes, with the names and the properties text of the stars read.

#include "FuzzSupport.h"
#include "FuzzChart.h"

#include "catalog/ObjectProperties.h"
#include "catalog/Stars.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using catalog::StarCatalog;
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteParts(folder, fuzz::AsText(data, size),
                     {StarCatalog::kMainFile, StarCatalog::kBrightFile,
                      StarCatalog::kFaintResidentFile});
    // The arrays are allocated once at full capacity, as in the program.
    static StarCatalog* stars = new StarCatalog;
    const catalog::StarLoadResult result = stars->LoadStarCatalogs(folder);
    FUZZ_CHECK(stars->namedStars().size() <= StarCatalog::kNamedCapacity);
    FUZZ_CHECK(stars->catalogStars().size() <= StarCatalog::kCatalogCapacity);
    if (!result.ok())
        FUZZ_CHECK(!result.error.empty());

    const chart::SkyChart& chart = fuzz::FixedChart();
    const catalog::PropertiesContext context =
        catalog::MakePropertiesContext(chart, nullptr, nullptr, nullptr);
    std::size_t shown = 0;
    for (const catalog::NamedStar& star : stars->namedStars()) {
        (void)star.GetName();
        (void)star.labelInfo();
        if (shown++ < 3)
            (void)catalog::FullPropertiesText(star, context);
    }
    shown = 0;
    for (const catalog::CatalogStar& star : stars->catalogStars()) {
        (void)star.GetName();
        if (shown++ < 3)
            (void)catalog::FullPropertiesText(star, context);
    }
    return 0;
}
