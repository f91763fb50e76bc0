#include "astro/MinorBodyLine.h"

#include "astro/TextNumber.h"

#include <cmath>
#include <string>

namespace astro {

namespace {

constexpr std::size_t kMinimumLength = 102; // through the eccentricity

std::string_view trimRight(std::string_view s) {
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Elements A to D stand in the same columns in both kinds of line.
template <class Values> void readElements(std::string_view line, Values& v) {
    v.elementA = lineNumber(line, 33, 43);
    v.elementB = lineNumber(line, 45, 54);
    v.elementC = lineNumber(line, 56, 65);
    v.elementD = lineNumber(line, 67, 76);
}

} // namespace

std::string_view lineField(std::string_view line, int first, int last) {
    const auto begin = static_cast<std::size_t>(first);
    if (begin >= line.size() || last < first)
        return {};
    return line.substr(begin, static_cast<std::size_t>(last - first + 1));
}

double lineNumber(std::string_view line, int first, int last) {
    return parseLeadingNumber(lineField(line, first, last));
}

std::optional<Asteroid> parseAsteroidLine(std::string_view line) {
    if (line.size() < kMinimumLength)
        return std::nullopt;
    AsteroidValues v;
    const double number = lineNumber(line, 0, 4);
    v.number = std::fabs(number) < 2.0e9 ? static_cast<std::int32_t>(number) : 0;
    const std::string name(trimRight(lineField(line, 6, 31)));
    v.name = name;
    readElements(line, v);
    v.axis = lineNumber(line, 78, 90);
    v.eccentricity = lineNumber(line, 92, 101);
    v.slope = lineNumber(line, 103, 112);
    v.absMagnitude = lineNumber(line, 114, 118);
    return Asteroid(v);
}

std::optional<Comet> parseCometLine(std::string_view line) {
    if (line.size() < kMinimumLength)
        return std::nullopt;
    CometValues v;
    const std::string name(trimRight(lineField(line, 0, 31)));
    v.name = name;
    readElements(line, v);
    v.perihelion = lineNumber(line, 78, 90);
    v.eccentricity = lineNumber(line, 92, 101);
    v.absMagnitude = lineNumber(line, 103, 107);
    return Comet(v);
}

} // namespace astro
