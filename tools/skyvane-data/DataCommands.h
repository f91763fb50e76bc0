#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The catalogue builders of skyvane-data. Each reads public source catalogues (by default
// below data/sources) and writes the program's binary data files (by default into data/),
// deterministically: the same sources give the same bytes. Each returns the exit code and
// prints one line per file written with its record count.
namespace datatool {

// A bad command line or an unreadable source: printed on one line, exit code 2.
struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Options common to the builders: --sources DIR, --out DIR.
struct Paths {
    std::string sources = "data/sources";
    std::string out = "data";
};

// Writes bytes as the whole of a data file through "<path>.tmp" and a rename, so that a
// failure never leaves a partly written data file behind. Throws DataError ("cannot write
// ...") when that fails; the temporary file is then left as it is.
void writeDataFile(const std::filesystem::path& path, std::string_view bytes);
// The whole of a source file; a file over maxBytes is refused with a DataError.
std::string readSourceFile(const std::filesystem::path& path,
                           std::uintmax_t maxBytes = 256u * 1024u * 1024u);
// An xz-compressed source file, unpacked; more than maxBytes of output is refused.
std::string readXzSourceFile(const std::filesystem::path& path,
                             std::size_t maxBytes = 512u * 1024u * 1024u);

int runConstellations(const Paths& paths, const std::vector<std::string>& args);
int runStars(const Paths& paths, const std::vector<std::string>& args);
int runTycho2(const Paths& paths, const std::vector<std::string>& args);
int runNgc(const Paths& paths, const std::vector<std::string>& args);       // NgcData.cpp
int runPlaces(const Paths& paths, const std::vector<std::string>& args);    // PlaceData.cpp
int runAsteroids(const Paths& paths, const std::vector<std::string>& args); // MinorBodyData.cpp
int runComets(const Paths& paths, const std::vector<std::string>& args);    // MinorBodyData.cpp
// The manifest of the output folder (DataFile.cpp).
int runManifest(const Paths& paths, const std::vector<std::string>& args);

} // namespace datatool
