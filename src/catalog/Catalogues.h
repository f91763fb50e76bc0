#pragma once

#include "catalog/Constellations.h"
#include "catalog/DeepSky.h"
#include "catalog/Places.h"
#include "catalog/Stars.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace catalog {

// Every catalogue the program holds for its whole run. Charts only point into them.
class Catalogues {
public:
    Catalogues() = default;
    ~Catalogues();
    Catalogues(const Catalogues&) = delete;
    Catalogues& operator=(const Catalogues&) = delete;

    StarCatalog stars;
    ConstellationData constellations;
    PlaceList places;
    DsoCatalog deepSky;

    // What the loading met: the star files' error (then the program has no stars) and the
    // other files' problems. The loading always goes on to the next catalogue.
    struct Report {
        std::string starError;
        std::vector<std::string> problems;
        // One line for every damaged file, each named once: a size that is no whole number
        // of records or not the number of records the file must hold, or a size other than
        // the one the data folder's manifest lists. What could be read of it was read.
        std::vector<std::string> damaged;
    };

    // Loads in the program's order: stars, boundaries and their bands, constellation names,
    // figures, places, deep-sky objects; tells the step about to run ("Loading stars...").
    // The constellation look-up of the star names is registered once the bands are in.
    Report LoadAll(const std::filesystem::path& dataDir,
                   const std::function<void(const std::string&)>& progress = {});
};

// The start-up message that names every damaged file of a load, one per line; empty when
// none is damaged.
std::string DamagedFilesMessage(const std::vector<std::string>& damaged);

} // namespace catalog
