#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Readers of the public star catalogues that `skyvane-data stars` merges, and the small
// translations (Greek letters, variability classes, spectral types, Windows-1252 text) that
// the star files need. Every reader throws datatool::DataError with the file and line for
// a file it cannot read or a line whose identifying fields are unusable; an optional field
// that does not parse counts as absent.
namespace datatool::stars {

// A star of the Bright Star Catalogue with a J2000 position (the 14 entries without one,
// novae and galaxies kept for their numbers, are not returned; a line too short to hold a
// position is an error).
struct BscStar {
    int hr = 0;
    double raDeg = 0.0;
    double decDeg = 0.0;
    std::optional<double> v;
    std::optional<double> bMinusV;
    int hd = 0;
    int sao = 0;
    int flamsteed = 0;
    int bayerCode = 0;
    int bayerIndex = 0;
    std::string constellation; // abbreviation of the designation, as "UMi"
    std::string spectral;      // short spectral type (spectralTypeCode), empty when unknown
    std::optional<double> dmag;
    std::optional<double> separation; // arc seconds, only when greater than 0
};

// A Hipparcos star: identifier, J2000 position, V and B-V.
struct HipStar {
    int hip = 0;
    double raDeg = 0.0;
    double decDeg = 0.0;
    std::optional<double> v;
    std::optional<double> bMinusV;
};

// One line of the HIP cross-identification table (a HIP number may have several, one per
// component).
struct CrossIdLine {
    int hip = 0;
    int sao = 0;
    int hd = 0;
    int hr = 0;
};

// Designations of a star; a field is 0 or empty when unknown. The name is UTF-8.
struct Designation {
    int bayerCode = 0;
    int bayerIndex = 0;
    int flamsteed = 0;
    std::string flamsteedConstellation; // the constellation the number was given in
    std::string name;
};

// Variability of a star from the GCVS: amplitude (maximum to minimum, magnitudes), period
// (days) and the variability type code (1..6, -100 none).
struct Variability {
    std::optional<double> amplitude;
    std::optional<double> period;
    int type = -100;
};

std::vector<BscStar> readBrightStarCatalogue(const std::string& path);
// The GeoJSON star list, compressed with xz.
std::vector<HipStar> readHipparcosJsonXz(const std::string& path);
std::vector<CrossIdLine> readCrossIds(const std::string& path);
// "HIP|designation_constellation" lines: Greek letter with an optional index, or a number.
std::unordered_map<int, Designation> readDesignationList(const std::string& path);
// HIP-keyed JSON object with "name", "bayer", "flam" and "c" (constellation).
std::unordered_map<int, Designation> readStarNames(const std::string& path);
std::unordered_map<int, Variability> readGcvs(const std::string& path);
// Separations in arc seconds; the first usable entry of each HIP number.
std::unordered_map<int, double> readWdsSeparations(const std::string& path);

// The variability type code of a GCVS type such as "EA/SD", "SRB:", "UV+BY"; the first
// class of a combination decides. -100 when the class is unknown, constant or missing.
int variabilityTypeCode(std::string_view gcvsType);

// The short spectral type stored with a star: the class letter (two for WC, WN and white
// dwarfs) and the subclass digits of an MK type, at most 3 characters, without prefixes
// such as "g" or "sd" and without the luminosity class: "K0IIIbCN-0.5" -> "K0",
// "gG9" -> "G9", "B9.5V" -> "B9", "WC8+O9I" -> "WC8". Empty when no class letter is found.
std::string spectralTypeCode(std::string_view mkType);

// Bayer letter codes 1..24 (alpha..omega): from the catalogue's three-letter abbreviation
// ("Alp", "Mu") or from the lower-case Greek letter in UTF-8 ("α"). 0 when not a letter.
int bayerCodeFromAbbreviation(std::string_view abbreviation);
int bayerCodeFromGreek(std::string_view utf8Letter);

// Reads a Bayer letter with an optional superscript index ("β1", "ψ10") or a Flamsteed
// number ("58") of the given constellation into the designation; anything else leaves it
// unchanged. Fields already set stay.
void addDesignation(std::string_view text, std::string_view constellation,
                    Designation& designation);

// UTF-8 to Windows-1252: characters that code page lacks become their closest plain letter
// (a letter with a mark its base letter, a thin or non-breaking space a space, invisible
// marks nothing, anything else '?'); malformed UTF-8 bytes become '?'. The result is cut to
// maxBytes and trimmed of blanks.
std::string toWindows1252(std::string_view utf8, std::size_t maxBytes);

} // namespace datatool::stars
