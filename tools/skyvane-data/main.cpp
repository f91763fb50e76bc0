#include "DataCommands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    R"(skyvane-data: builds Skyvane's catalogue files from public sources.

Usage:
  skyvane-data constellations [--sources DIR] [--out DIR]
      data/Boundaries.skd, BoundariesC.skd, Constellations.skd, Figures.skd
  skyvane-data stars [--sources DIR] [--out DIR]
      data/SKY2000_data.skd, bright_data.skd, tycho_2_b.skd
  skyvane-data tycho2 --catalog FILE --suppl FILE --index FILE [--resident FILE] [--out DIR]
      data/tycho_2.skd, supply_1.skd, tycho_2_index.skd, tycho_2_b.skd from the official
      Tycho-2 files; --resident SKY2000_data.skd leaves its stars out of tycho_2_b.skd
  skyvane-data ngc [--sources DIR] [--out DIR]
      data/ngc2000.skd, ngc2000names.skd
  skyvane-data places [--sources DIR] [--out DIR]
      data/places.skd
  skyvane-data asteroids [--sources DIR] [--out DIR] [--mpcorb FILE]
  skyvane-data comets [--sources DIR] [--out DIR] [--cometels FILE]
      catalogues in the program's text format under data/asteroids and data/comets, from
      the Small-Body Database exports in the sources or from the Minor Planet Center's
      MPCORB.DAT / CometEls.txt
  skyvane-data manifest [--out DIR]
      data/MANIFEST: the SHA-256 and size of every file of the folder but the sources and
      the Tycho-2 files, which skyvane-cli check-data verifies
  skyvane-data all [--sources DIR] [--out DIR]
      constellations, stars, ngc, places, asteroids and comets, then the manifest

Sources default to data/sources (see data/SOURCES.md), output to data.
)";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::fputs(kUsage, stdout);
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "--version") {
        std::puts("skyvane-data " SKYVANE_VERSION);
        return 0;
    }
    const std::string command = words[0];
    datatool::Paths paths;
    std::vector<std::string> rest;
    try {
        for (std::size_t i = 1; i < words.size(); ++i) {
            if ((words[i] == "--sources" || words[i] == "--out") && i + 1 < words.size()) {
                (words[i] == "--sources" ? paths.sources : paths.out) = words[i + 1];
                ++i;
            } else {
                rest.push_back(words[i]);
            }
        }
        if (command == "constellations")
            return datatool::runConstellations(paths, rest);
        if (command == "stars")
            return datatool::runStars(paths, rest);
        if (command == "tycho2")
            return datatool::runTycho2(paths, rest);
        if (command == "ngc")
            return datatool::runNgc(paths, rest);
        if (command == "places")
            return datatool::runPlaces(paths, rest);
        if (command == "asteroids")
            return datatool::runAsteroids(paths, rest);
        if (command == "comets")
            return datatool::runComets(paths, rest);
        if (command == "manifest")
            return datatool::runManifest(paths, rest);
        if (command == "all") {
            for (auto run : {datatool::runConstellations, datatool::runStars, datatool::runNgc,
                             datatool::runPlaces, datatool::runAsteroids, datatool::runComets}) {
                if (const int rc = run(paths, rest); rc != 0)
                    return rc;
            }
            return datatool::runManifest(paths, {});
        }
        throw datatool::DataError("unknown command '" + command + "' (see skyvane-data --help)");
    } catch (const datatool::DataError& e) {
        std::fprintf(stderr, "skyvane-data: %s\n", e.what());
        return 2;
    }
}
