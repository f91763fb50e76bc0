#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astro {
class Asteroid;
class Comet;
} // namespace astro

namespace catalog {
class Catalogues;
class DsoCatalog;
class DsoObject;
class StarCatalog;
class TychoStar;
} // namespace catalog

namespace cli {

// A look-up in a catalogue: the object is named by the words that are not options (an
// option "--name" takes the word after it), joined by blanks; "--data DIR" names the folder
// of the data files.
struct CatalogQuery {
    std::string text;
    std::filesystem::path dataDir;
    // The option words with their values, for the command's own Args.
    std::vector<std::string> options;
};

// Throws UsageError for an option that is not one of valueOptions (each taking a value),
// and with `missing` when no word names an object.
CatalogQuery parseCatalogQuery(const std::vector<std::string>& words, const std::string& missing,
                               const std::vector<std::string>& valueOptions = {"--data"});

// "HD 48915", "hd48915": the text after a catalogue prefix in any letter case, without the
// blanks between; none when the query does not start with the prefix.
std::optional<std::string_view> afterPrefix(std::string_view query, std::string_view prefix);

// The star a query names: "HD n", "SAO n", "HIP n" (through the cross identifications under
// dataDir/sources), "TYC a-b-c" (the resident stars, then the Tycho-2 store), or a proper name
// or star name ("Vega", "61 Cyg") in any letter case. Null when no star has it; a malformed
// number throws UsageError.
const catalog::TychoStar* findStar(catalog::StarCatalog& stars, const std::string& query,
                                   const std::filesystem::path& dataDir);

// True for "NGC n", "IC n" and "M n" (blanks and letter case free).
bool namesDeepSkyNumber(std::string_view query);
// The deep-sky object a query names: "NGC n", "IC n", "M n", a common name or a designation.
// Null when none has it; a Messier number out of range throws UsageError.
const catalog::DsoObject* findDeepSky(const catalog::DsoCatalog& dso, const std::string& query);

// The first asteroid or comet of the catalogue files in folder (in file-name order) whose
// name ("Ceres") or full name ("1 Ceres") is the query, in any letter case; not computed.
std::optional<astro::Asteroid> findAsteroid(const std::filesystem::path& folder,
                                            const std::string& query);
std::optional<astro::Comet> findComet(const std::filesystem::path& folder,
                                      const std::string& query);

// Loads every catalogue of dataDir as the program does; a star file that cannot be read is
// told on standard error and the rest still loads. Damaged files go to reportDamaged.
void loadCatalogues(catalog::Catalogues& catalogues, const std::filesystem::path& dataDir);

// The JSON name of an object's kind: "sun", "moon", "planet", "asteroid", "comet",
// "deep-sky", "tycho", "catalogue", "named", "point".
const char* kindName(int kind);

} // namespace cli
