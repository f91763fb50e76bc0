#include "catalog/Catalogues.h"

#include "catalog/ConstellationLookup.h"

namespace catalog {

Catalogues::~Catalogues() {
    setConstellationLookup(nullptr);
}

Catalogues::Report Catalogues::LoadAll(const std::filesystem::path& dataDir,
                                       const std::function<void(const std::string&)>& progress) {
    auto step = [&progress](const char* text) {
        if (progress)
            progress(text);
    };
    Report report;
    step("Loading stars...");
    report.starError = stars.LoadStarCatalogs(dataDir).error;

    step("Loading constellations...");
    if (constellations.LoadBoundaries(dataDir) == 0)
        report.problems.push_back("no constellation boundaries in " +
                                  (dataDir / ConstellationData::kBoundariesFile).string());
    constellations.LoadBoundaryBands(dataDir);
    setConstellationLookup(&constellations);
    if (constellations.LoadConstellationList(dataDir) == 0)
        report.problems.push_back("no constellation names in " +
                                  (dataDir / ConstellationData::kListFile).string());
    constellations.LoadFigures(dataDir);

    step("Loading places...");
    if (places.LoadPlaces(dataDir) == 0)
        report.problems.push_back("no places in " + (dataDir / PlaceList::kPermanentFile).string());

    step("Loading deep sky objects...");
    const DsoLoadResult dso = deepSky.LoadDsoCatalog(dataDir, &constellations);
    report.problems.insert(report.problems.end(), dso.problems.begin(), dso.problems.end());
    return report;
}

} // namespace catalog
