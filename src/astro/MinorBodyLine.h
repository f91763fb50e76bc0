#pragma once

#include "astro/MinorBody.h"

#include <optional>
#include <string_view>

namespace astro {

// One line of an asteroid or comet catalogue: fixed columns (counted from 0, both ends
// included), numbers read as the C library reads them (a leading number; anything else 0).
//   asteroid: number 0-4, name 6-31, A 33-43, B 45-54, C 56-65, D 67-76, a 78-90,
//             e 92-101, G 103-112, H 114-118
//   comet:    name 0-31, A, B, C, D as above, q 78-90, e 92-101, H 103-107
// A line too short to hold the eccentricity gives nothing.
std::optional<Asteroid> parseAsteroidLine(std::string_view line);
std::optional<Comet> parseCometLine(std::string_view line);

// The text of columns first..last of a line (clipped to the line), and its leading number.
std::string_view lineField(std::string_view line, int first, int last);
double lineNumber(std::string_view line, int first, int last);

} // namespace astro
