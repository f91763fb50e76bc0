#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Readers of the NGC 2000.0 sources that `skyvane-data ngc` converts: the fixed-column
// catalogue lines, the Messier list and the designations under which common names are
// listed, plus the choice of the names that fit the names list. The line readers throw
// std::invalid_argument with a message naming the field for a line they cannot use; the
// caller adds the file and line number.
namespace datatool::ngc {

// One line of ngc2000.dat. Columns (1-based, inclusive): 1-5 designation, 7-9 type,
// 11-12 RA hours, 14-17 RA minutes, 20 Dec sign, 21-22 Dec degrees, 24-25 Dec minutes,
// 27 source, 30-32 constellation, 33 '<' for an upper limit, 34-38 size, 41-44 magnitude,
// 45 'p' for a photographic magnitude, 47 to the end of the line the description.
struct NgcEntry {
    std::string designation;    // "224" for NGC 224, "I4725" for IC 4725
    std::string type;           // "Gx", "C+N", "D*?"; " " when the field is blank
    double raHours = 0.0;       // J2000
    double decDegrees = 0.0;    // J2000
    char source = ' ';          // letter of the reference the modern data came from
    std::string constellation;  // "And"
    std::optional<double> size; // largest dimension, arc minutes
    bool sizeIsUpperLimit = false;
    std::optional<double> magnitude;
    char magnitudeQualifier = ' '; // 'p' photographic, ' ' visual
    std::string description;       // Dreyer's abbreviated description, trimmed, at most 50
};

constexpr std::size_t kDescriptionBytes = 50;

// Reads one catalogue line (a trailing '\r' is ignored). Designation, position and
// constellation are required; the size and magnitude fields may be blank (then absent)
// but not garbage; a line may end anywhere after the constellation. Everything that is
// read is range-checked (RA below 24 h, minutes below 60, |Dec| at most 90 degrees).
NgcEntry parseNgcLine(std::string_view line);

// The catalogue's way of writing a designation: "  224" -> "224", "I4725" or "I 342"
// -> "I4725", "I342". Leading zeros go; none for anything that is not an NGC number
// (1..7840) or an IC number (1..5386) in that form.
std::optional<std::string> normaliseDesignation(std::string_view field);

// One line of the Messier list: "M  31    224" gives {31, "224"}; a Messier object without
// an NGC or IC number ("M  40") gives an empty designation. None for a blank line; a line
// that does not start with "M" and a number from 1 to 110, or whose designation cannot be
// read, throws.
struct MessierEntry {
    int number = 0;
    std::string designation;
};
std::optional<MessierEntry> parseMessierLine(std::string_view line);

// The designation a common name is listed under in the deep-sky names: "NGC 224",
// "IC 434", "M 8" (prefixes in any letter case). None for other catalogues ("PGC 2557",
// "Sh2 264") and for keys without a usable number.
struct ListedDesignation {
    enum class Catalogue { Ngc, Ic, Messier };
    Catalogue catalogue = Catalogue::Ngc;
    int number = 0;
    // "224" or "I434" for an NGC or IC key, empty for a Messier key.
    std::string designation() const;
    // As shown beside the name: "NGC 224", "IC 434", "M8".
    std::string text() const;
};
std::optional<ListedDesignation> parseListedDesignation(std::string_view key);

// A common name as the names list stores it: Windows-1252, the lower-case Greek letters of
// star names spelled out ("χ Persei" -> "chi Persei"), at most maxBytes long; a longer name
// is cut at the last blank that keeps at least half of it, else after maxBytes.
std::string encodeCommonName(std::string_view utf8, std::size_t maxBytes);

// A common name that may enter the names list, for the catalogue record at `record`.
struct NameCandidate {
    std::string name;     // Windows-1252
    std::string listedAs; // "NGC 224"
    std::size_t record = 0;
    int messier = 0;
    std::optional<double> magnitude;
};

// Keeps at most `limit` names. When there are more, the best known stay: Messier objects
// first, then the brighter objects (those without a magnitude last), then catalogue order.
// The kept names come back in catalogue order (ties keep their given order); `dropped`
// receives how many were left out.
std::vector<NameCandidate> selectNames(std::vector<NameCandidate> candidates, std::size_t limit,
                                       std::size_t& dropped);

} // namespace datatool::ngc
