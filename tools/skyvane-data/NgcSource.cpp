#include "NgcSource.h"

#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace datatool::ngc {

namespace {

constexpr int kLastNgc = 7840;
constexpr int kLastIc = 5386;
constexpr int kLastMessier = 110;

// Columns first..last, 1-based and inclusive, cut to what the line holds.
std::string_view column(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size())
        return {};
    return line.substr(first - 1, std::min(last, line.size()) - (first - 1));
}

std::string quoted(std::string_view s) {
    return "'" + std::string(s) + "'";
}

bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number written with digits only, at most 5 of them.
std::optional<int> parseCount(std::string_view s) {
    s = catalog::trimBlanksAndTabs(s);
    if (!isDigits(s) || s.size() > 5)
        return std::nullopt;
    int value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

// A decimal number filling the whole (trimmed) field, such as "42.3", "15." or "178.".
std::optional<double> parseNumber(std::string_view s) {
    return catalog::parseWholeDouble(catalog::trimBlanksAndTabs(s));
}

int requireCount(std::string_view field, const char* what, int low, int high) {
    const std::optional<int> value = parseCount(field);
    if (!value || *value < low || *value > high)
        throw std::invalid_argument(std::string(what) + " " + quoted(field) +
                                    " is not a whole number from " + std::to_string(low) + " to " +
                                    std::to_string(high));
    return *value;
}

// An optional number: blank is none, anything else must read within [low, high].
std::optional<double> optionalNumber(std::string_view field, const char* what, double low,
                                     double high) {
    if (catalog::trimBlanksAndTabs(field).empty())
        return std::nullopt;
    const std::optional<double> value = parseNumber(field);
    if (!value || *value < low || *value > high)
        throw std::invalid_argument(std::string(what) + " " + quoted(field) +
                                    " is not a number from " + std::to_string(low) + " to " +
                                    std::to_string(high));
    return value;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The lower-case Greek letters (UTF-8) that star-based object names use, and their names.
constexpr std::array<std::pair<std::string_view, std::string_view>, 24> kGreek{{
    {"\u03B1", "alpha"},   {"\u03B2", "beta"},  {"\u03B3", "gamma"},   {"\u03B4", "delta"},
    {"\u03B5", "epsilon"}, {"\u03B6", "zeta"},  {"\u03B7", "eta"},     {"\u03B8", "theta"},
    {"\u03B9", "iota"},    {"\u03BA", "kappa"}, {"\u03BB", "lambda"},  {"\u03BC", "mu"},
    {"\u03BD", "nu"},      {"\u03BE", "xi"},    {"\u03BF", "omicron"}, {"\u03C0", "pi"},
    {"\u03C1", "rho"},     {"\u03C3", "sigma"}, {"\u03C4", "tau"},     {"\u03C5", "upsilon"},
    {"\u03C6", "phi"},     {"\u03C7", "chi"},   {"\u03C8", "psi"},     {"\u03C9", "omega"},
}};

std::string spellGreek(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        bool replaced = false;
        for (const auto& [letter, name] : kGreek) {
            if (utf8.substr(i, letter.size()) == letter) {
                out += name;
                i += letter.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += utf8[i++];
    }
    return out;
}

} // namespace

NgcEntry parseNgcLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    if (line.size() < 32)
        throw std::invalid_argument("line has " + std::to_string(line.size()) +
                                    " characters; designation, position and constellation "
                                    "need 32");
    NgcEntry entry;
    const std::optional<std::string> designation = normaliseDesignation(column(line, 1, 5));
    if (!designation)
        throw std::invalid_argument("designation " + quoted(column(line, 1, 5)) +
                                    " is not an NGC or IC number");
    entry.designation = *designation;

    const std::string_view type = catalog::trimBlanksAndTabs(column(line, 7, 9));
    entry.type = type.empty() ? std::string(" ") : std::string(type);

    const int raH = requireCount(column(line, 11, 12), "RA hours", 0, 23);
    const std::optional<double> raM = parseNumber(column(line, 14, 17));
    if (!raM || *raM < 0.0 || *raM >= 60.0)
        throw std::invalid_argument("RA minutes " + quoted(column(line, 14, 17)) +
                                    " is not a number from 0 to below 60");
    entry.raHours = raH + *raM / 60.0;

    const char sign = line[19];
    if (sign != '+' && sign != '-')
        throw std::invalid_argument("declination sign " + quoted(column(line, 20, 20)) +
                                    " is neither '+' nor '-'");
    const int decD = requireCount(column(line, 21, 22), "Dec degrees", 0, 90);
    const int decM = requireCount(column(line, 24, 25), "Dec minutes", 0, 59);
    if (decD == 90 && decM != 0)
        throw std::invalid_argument("declination beyond 90 degrees");
    entry.decDegrees = (sign == '-' ? -1.0 : 1.0) * (decD + decM / 60.0);

    const char source = line[26];
    if (static_cast<unsigned char>(source) < 0x20 || static_cast<unsigned char>(source) > 0x7E)
        throw std::invalid_argument("source code is not a printable character");
    entry.source = source;

    const std::string_view constellation = column(line, 30, 32);
    if (!std::all_of(constellation.begin(), constellation.end(), isLetter))
        throw std::invalid_argument("constellation " + quoted(constellation) +
                                    " is not a three-letter abbreviation");
    entry.constellation = std::string(constellation);

    const std::string_view limit = column(line, 33, 33);
    if (!limit.empty() && limit != " " && limit != "<")
        throw std::invalid_argument("size qualifier " + quoted(limit) +
                                    " is neither blank nor '<'");
    entry.sizeIsUpperLimit = limit == "<";
    entry.size = optionalNumber(column(line, 34, 38), "size", 0.0, 10000.0);
    entry.magnitude = optionalNumber(column(line, 41, 44), "magnitude", -30.0, 40.0);

    const std::string_view qualifier = column(line, 45, 45);
    if (!qualifier.empty() && qualifier != " " && qualifier != "p")
        throw std::invalid_argument("magnitude qualifier " + quoted(qualifier) +
                                    " is neither blank nor 'p'");
    entry.magnitudeQualifier = qualifier == "p" ? 'p' : ' ';

    std::string description(catalog::trimBlanksAndTabs(column(line, 47, line.size())));
    for (char& c : description) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    if (description.size() > kDescriptionBytes)
        description = std::string(
            catalog::trimBlanksAndTabs(std::string_view(description).substr(0, kDescriptionBytes)));
    entry.description = std::move(description);
    return entry;
}

std::optional<std::string> normaliseDesignation(std::string_view field) {
    field = catalog::trimBlanksAndTabs(field);
    const bool ic = !field.empty() && (field.front() == 'I' || field.front() == 'i');
    if (ic)
        field = catalog::trimBlanksAndTabs(field.substr(1));
    const std::optional<int> number = parseCount(field);
    if (!number || *number < 1 || *number > (ic ? kLastIc : kLastNgc))
        return std::nullopt;
    return (ic ? "I" : "") + std::to_string(*number);
}

std::optional<MessierEntry> parseMessierLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    line = catalog::trimBlanksAndTabs(line);
    if (line.empty())
        return std::nullopt;
    if (line.front() != 'M')
        throw std::invalid_argument("line does not start with 'M'");
    line.remove_prefix(1);
    line = catalog::trimBlanksAndTabs(line);
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    MessierEntry entry;
    entry.number = requireCount(line.substr(0, digits), "Messier number", 1, kLastMessier);
    const std::string_view rest = catalog::trimBlanksAndTabs(line.substr(digits));
    if (!rest.empty()) {
        const std::optional<std::string> designation = normaliseDesignation(rest);
        if (!designation)
            throw std::invalid_argument("designation " + quoted(rest) +
                                        " is not an NGC or IC number");
        entry.designation = *designation;
    }
    return entry;
}

std::string ListedDesignation::designation() const {
    switch (catalogue) {
    case Catalogue::Ngc:
        return std::to_string(number);
    case Catalogue::Ic:
        return "I" + std::to_string(number);
    case Catalogue::Messier:
        break;
    }
    return {};
}

std::string ListedDesignation::text() const {
    switch (catalogue) {
    case Catalogue::Ngc:
        return "NGC " + std::to_string(number);
    case Catalogue::Ic:
        return "IC " + std::to_string(number);
    case Catalogue::Messier:
        break;
    }
    return "M" + std::to_string(number);
}

std::optional<ListedDesignation> parseListedDesignation(std::string_view key) {
    key = catalog::trimBlanksAndTabs(key);
    std::size_t letters = 0;
    while (letters < key.size() && isLetter(key[letters]))
        ++letters;
    const std::string_view prefix = key.substr(0, letters);
    ListedDesignation listed;
    int last = 0;
    if (catalog::equalsIgnoringCase(prefix, "NGC")) {
        listed.catalogue = ListedDesignation::Catalogue::Ngc;
        last = kLastNgc;
    } else if (catalog::equalsIgnoringCase(prefix, "IC")) {
        listed.catalogue = ListedDesignation::Catalogue::Ic;
        last = kLastIc;
    } else if (catalog::equalsIgnoringCase(prefix, "M")) {
        listed.catalogue = ListedDesignation::Catalogue::Messier;
        last = kLastMessier;
    } else {
        return std::nullopt;
    }
    const std::optional<int> number = parseCount(key.substr(letters));
    if (!number || *number < 1 || *number > last)
        return std::nullopt;
    listed.number = *number;
    return listed;
}

std::string encodeCommonName(std::string_view utf8, std::size_t maxBytes) {
    std::string name(catalog::trimBlanksAndTabs(catalog::utf8ToWindows1252(spellGreek(utf8))));
    if (name.size() > maxBytes) {
        const std::size_t blank = name.rfind(' ', maxBytes);
        name.resize(blank != std::string::npos && blank >= maxBytes / 2 ? blank : maxBytes);
        name = std::string(catalog::trimBlanksAndTabs(name));
    }
    return name;
}

std::vector<NameCandidate> selectNames(std::vector<NameCandidate> candidates, std::size_t limit,
                                       std::size_t& dropped) {
    dropped = 0;
    if (candidates.size() > limit) {
        std::vector<std::size_t> order(candidates.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        const auto better = [&](std::size_t a, std::size_t b) {
            const NameCandidate& x = candidates[a];
            const NameCandidate& y = candidates[b];
            if ((x.messier != 0) != (y.messier != 0))
                return x.messier != 0;
            if (x.magnitude.has_value() != y.magnitude.has_value())
                return x.magnitude.has_value();
            if (x.magnitude && *x.magnitude != *y.magnitude)
                return *x.magnitude < *y.magnitude;
            return x.record < y.record;
        };
        std::stable_sort(order.begin(), order.end(), better);
        order.resize(limit);
        std::sort(order.begin(), order.end()); // back to the given order
        std::vector<NameCandidate> kept;
        kept.reserve(limit);
        for (const std::size_t k : order)
            kept.push_back(std::move(candidates[k]));
        dropped = candidates.size() - limit;
        candidates = std::move(kept);
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const NameCandidate& a, const NameCandidate& b) { return a.record < b.record; });
    return candidates;
}

} // namespace datatool::ngc
