#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace catalog {

// The fifteen object type codes of NGC 2000.0, in the order of the type switches of the
// deep-sky selection. The blank code " " is "unidentified at the place given, or type
// unknown".
inline constexpr std::size_t kDsoTypeCount = 15;
inline constexpr std::array<std::string_view, kDsoTypeCount> kDsoTypeCodes = {
    "Gx", "OC", "Gb", "Nb", "Pl", "C+N", "Ast", "Kt", "***", "D*", "*", "?", " ", "-", "PD"};

// The settings keys ("NGC" section) of the type switches, in the order of kDsoTypeCodes.
inline constexpr std::array<std::string_view, kDsoTypeCount> kDsoTypeSwitchKeys = {
    "chGalaxy",     "chOpenCluster",   "chGlobular",     "chBrightEmission", "chPlanetaryNebula",
    "chClusterAss", "chAsterism",      "chKnot",         "chTripleStar",     "chDoubleStar",
    "chSingleStar", "chUncertainType", "chUnidentified", "chNonexistent",    "chPhoto"};

// Position of a type code in kDsoTypeCodes, compared without regard to letter case; none for
// a code outside the fifteen.
std::optional<std::size_t> DsoTypeIndex(std::string_view code);

// The words of a type code ("gx" and "Gx" give "Galaxy"); empty for an unknown code.
std::string_view DsoTypeText(std::string_view code);

// The reference behind a source code of NGC 2000.0 (one of A a c d D F h k m n o r s t u v x z),
// ending with the number of NGC and IC entries taken from it; empty for any other code.
std::string_view DsoSourceText(char code);

// "M31" for Messier number 31; empty for 0.
std::string DsoMessierText(int messier);

// The 140 abbreviations of the descriptions, searched in table order with exact letter case.
struct DsoAbbreviation {
    std::string_view key;
    std::string_view expansion;
};
inline constexpr std::size_t kDsoAbbreviationCount = 140;
const std::array<DsoAbbreviation, kDsoAbbreviationCount>& DsoAbbreviations();

// The expansion of one abbreviation ("vF" is none, "v" is "very"); none when the token is not
// in the table.
std::optional<std::string_view> ExpandAbbreviation(std::string_view token);

// A catalogue description in words. At each place the longest abbreviation that matches the
// start of a run of letters is expanded and the scan goes on right after it; a run with no
// matching start is copied as it is. A parenthesised part is copied unchanged (an unclosed one
// up to the end, closed with ")"), and everything after a semicolon is copied unchanged. The
// description is trimmed of blanks and the result ends with the blank appended to it:
//   "vF,S,R"    -> "very faint,small in angular size,round "
//   "pB, *10 f" -> "pretty bright, a single star 10 following(eastward) "
std::string ExpandDescription(std::string_view description);

} // namespace catalog
