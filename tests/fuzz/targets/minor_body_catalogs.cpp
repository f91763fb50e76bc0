// An asteroid or comet catalogue file from any bytes, loaded as both as the program loads
// them.

#include "FuzzSupport.h"

#include "catalog/MinorBodyCatalog.h"

namespace {

template <class Catalog, class Load>
void load(Catalog& catalog, Load loadCatalog, std::size_t capacity,
          const std::filesystem::path& file) {
    const catalog::CatalogLoadResult result = loadCatalog(catalog, file, {});
    FUZZ_CHECK(result.ok());
    FUZZ_CHECK(catalog.size() == result.loaded);
    FUZZ_CHECK(catalog.size() <= capacity);
    FUZZ_CHECK(result.loaded + result.skipped <= result.lines);
    for (const auto& body : catalog.bodies())
        (void)body.GetName();
    (void)result.notes("bodies");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::ScratchFolder::path() / "catalogue.txt";
    fuzz::WriteFile(file, fuzz::AsText(data, size));
    static catalog::AsteroidCatalog* asteroids = new catalog::AsteroidCatalog;
    static catalog::CometCatalog* comets = new catalog::CometCatalog;
    load(*asteroids, catalog::LoadAsteroidCatalog, catalog::kAsteroidCapacity, file);
    load(*comets, catalog::LoadCometCatalog, catalog::kCometCapacity, file);
    return 0;
}
