#include "catalog/Catalogues.h"

#include "catalog/ConstellationLookup.h"
#include "catalog/DataFiles.h"

#include <algorithm>

namespace catalog {

Catalogues::~Catalogues() {
    setConstellationLookup(nullptr);
}

std::string DamagedFilesMessage(const std::vector<std::string>& damaged) {
    if (damaged.empty())
        return {};
    std::string text = damaged.size() == 1
                           ? "A catalogue file is damaged. The chart shows what it holds, so "
                             "objects may be missing:\n\n"
                           : "Some catalogue files are damaged. The chart shows what they hold, "
                             "so objects may be missing:\n\n";
    for (const std::string& line : damaged)
        text += line + "\n";
    text += "\nInstall the program's data again or convert the catalogues again; "
            "\"skyvane-cli check-data\" checks every file of the data folder.";
    return text;
}

Catalogues::Report Catalogues::LoadAll(const std::filesystem::path& dataDir,
                                       const std::function<void(const std::string&)>& progress) {
    auto step = [&progress](const char* text) {
        if (progress)
            progress(text);
    };
    Report report;
    step("Loading stars...");
    StarLoadResult starResult = stars.LoadStarCatalogs(dataDir);
    report.starError = std::move(starResult.error);
    report.damaged = std::move(starResult.damaged);

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

    for (const std::vector<std::string>& lines :
         {constellations.damaged(), places.damaged(), dso.damaged})
        report.damaged.insert(report.damaged.end(), lines.begin(), lines.end());
    // The sizes the manifest lists catch a file cut at a record boundary; a file the
    // loaders named already is not named twice.
    for (std::string& line : ManifestSizeDamage(dataDir)) {
        const std::string file = line.substr(0, line.find(" is damaged: "));
        const bool named = std::any_of(report.damaged.begin(), report.damaged.end(),
                                       [&file](const std::string& d) {
                                           return d.compare(0, file.size() + 1, file + " ") == 0;
                                       });
        if (!named)
            report.damaged.push_back(std::move(line));
    }
    return report;
}

} // namespace catalog
