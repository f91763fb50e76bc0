#include "MinorBodySources.h"

#include "astro/Time.h"
#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <system_error>
#include <tuple>
#include <utility>

namespace datatool::minor {

namespace {

constexpr double kGaussDegreesPerDay = 0.01720209895 * 57.29577951308232;

// Columns of the catalogue lines, counted from 0, both ends included.
struct Columns {
    std::size_t first;
    std::size_t last;
    std::size_t width() const { return last - first + 1; }
};
constexpr Columns kAsteroidNumber{0, 4};
constexpr Columns kAsteroidName{6, 31};
constexpr Columns kCometName{0, 31};
constexpr Columns kElementA{33, 43};
constexpr Columns kElementB{45, 54};
constexpr Columns kElementC{56, 65};
constexpr Columns kElementD{67, 76};
constexpr Columns kAxis{78, 90};
constexpr Columns kEccentricity{92, 101};
constexpr Columns kSlope{103, 112};
constexpr Columns kAsteroidMagnitude{114, 118};
constexpr Columns kCometMagnitude{103, 107};

constexpr long kLargestFiveDigitNumber = 99999;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Columns first..last of a line counted from 0 (clipped to the line).
std::string_view field(std::string_view line, std::size_t first, std::size_t last) {
    if (first >= line.size())
        return {};
    return line.substr(first, last - first + 1);
}

// A field that must be a number and nothing else (blanks around it allowed).
std::optional<double> strictNumber(std::string_view text) {
    text = trim(text);
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.'))
        return std::nullopt;
    const std::optional<double> value = catalog::parseWholeDouble(text);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

std::optional<long> strictInteger(std::string_view text) {
    return catalog::parseWholeLong(trim(text));
}

// Value of a base-62 digit: 0-9, A-Z (10-35), a-z (36-61).
int base62(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 36;
    return -1;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

int centuryOf(char c) {
    switch (c) {
    case 'I':
        return 18;
    case 'J':
        return 19;
    case 'K':
        return 20;
    case 'L':
        return 21;
    default:
        return -1;
    }
}

// "K19" gives 2019.
std::optional<int> packedYear(std::string_view s) {
    const int century = centuryOf(s[0]);
    if (century < 0 || !isDigit(s[1]) || !isDigit(s[2]))
        return std::nullopt;
    return century * 100 + (s[1] - '0') * 10 + (s[2] - '0');
}

// The count of a packed provisional designation: "01" 1, "A0" 100, "a0" 360.
std::optional<int> packedCycle(char tens, char units) {
    const int t = base62(tens);
    if (t < 0 || !isDigit(units))
        return std::nullopt;
    return t * 10 + (units - '0');
}

double normalizeDegrees(double angle) {
    double a = std::fmod(angle, 360.0);
    if (a < 0.0)
        a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

// Text of a value right-aligned in `width` characters with at most `decimals` decimals: as
// many as fit. Nothing when the value is not finite or does not fit at all.
std::optional<std::string> fixedField(double value, std::size_t width, int decimals) {
    if (!std::isfinite(value))
        return std::nullopt;
    char buf[64];
    for (int d = decimals; d >= 0; --d) {
        const auto [ptr, ec] =
            std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, d);
        if (ec != std::errc{})
            continue;
        std::string text(buf, ptr);
        if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
            text.erase(0, 1); // no "-0.000"
        if (text.size() <= width)
            return std::string(width - text.size(), ' ') + text;
    }
    return std::nullopt;
}

// A name in Windows-1252 that fits `width` columns: a trailing " (...)" is dropped first,
// then the name is cut.
std::string fitName(std::string_view name, std::size_t width) {
    std::string text = catalog::utf8ToWindows1252(trim(name));
    if (text.size() > width && !text.empty() && text.back() == ')') {
        const auto open = text.rfind(" (");
        if (open != std::string::npos && open > 0)
            text.erase(open);
    }
    if (text.size() > width)
        text.resize(width);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Writes `text` into columns c of a line of blanks.
void put(std::string& line, Columns c, std::string_view text) {
    line.replace(c.first, std::min(text.size(), c.width()), text.substr(0, c.width()));
}

bool putNumber(std::string& line, Columns c, double value, int decimals) {
    const auto text = fixedField(value, c.width(), decimals);
    if (!text)
        return false;
    put(line, c, *text);
    return true;
}

bool putElements(std::string& line, double a, double b, double c, double d) {
    return putNumber(line, kElementA, a, 3) && putNumber(line, kElementB, normalizeDegrees(b), 6) &&
           putNumber(line, kElementC, normalizeDegrees(c), 6) && putNumber(line, kElementD, d, 6);
}

} // namespace

std::optional<double> readNumber(std::string_view text) {
    return strictNumber(text);
}

double meanMotion(double axis) {
    return kGaussDegreesPerDay / (axis * std::sqrt(axis));
}

std::optional<double> perihelionTimeNearEpoch(double epoch, double meanAnomaly, double axis) {
    if (!(axis > 0.0) || !std::isfinite(axis) || !std::isfinite(epoch) ||
        !std::isfinite(meanAnomaly))
        return std::nullopt;
    double m = normalizeDegrees(meanAnomaly);
    if (m > 180.0)
        m -= 360.0;
    const double tp = epoch - m / meanMotion(axis);
    if (!std::isfinite(tp))
        return std::nullopt;
    return tp;
}

std::optional<std::string> asteroidLine(const AsteroidRecord& r) {
    std::string line(kAsteroidMagnitude.last + 1, ' ');
    std::string name = r.name;
    long number = r.number;
    if (number < 0)
        number = 0;
    if (number > kLargestFiveDigitNumber) {
        const std::string digits = std::to_string(number);
        name = name.empty() || name == digits ? digits : digits + " " + name;
        number = 0;
    }
    put(line, kAsteroidNumber,
        *fixedField(static_cast<double>(number), kAsteroidNumber.width(), 0));
    put(line, kAsteroidName, fitName(name, kAsteroidName.width()));
    if (!putElements(line, r.perihelionTime, r.perihelionArg, r.node, r.inclination) ||
        !putNumber(line, kAxis, r.axis, 8) || !putNumber(line, kEccentricity, r.eccentricity, 8) ||
        !putNumber(line, kSlope, r.slope, 3) ||
        !putNumber(line, kAsteroidMagnitude, r.absMagnitude, 2))
        return std::nullopt;
    return line;
}

std::optional<std::string> cometLine(const CometRecord& r) {
    std::string line(kCometMagnitude.last + 1, ' ');
    put(line, kCometName, fitName(r.name, kCometName.width()));
    if (!putElements(line, r.perihelionTime, r.perihelionArg, r.node, r.inclination) ||
        !putNumber(line, kAxis, r.perihelion, 8) ||
        !putNumber(line, kEccentricity, r.eccentricity, 8) ||
        !putNumber(line, kCometMagnitude, r.absMagnitude, 2))
        return std::nullopt;
    return line;
}

Designation splitSbdbAsteroidName(std::string_view fullName) {
    std::string_view s = trim(fullName);
    Designation d;
    std::size_t digits = 0;
    while (digits < s.size() && isDigit(s[digits]))
        ++digits;
    if (digits > 0 && digits <= 9) {
        d.number = *strictInteger(s.substr(0, digits));
        s = trim(s.substr(digits));
    }
    if (!s.empty() && s.front() == '(') {
        // No name: the provisional designation in parentheses.
        const auto close = s.find(')');
        d.name =
            std::string(trim(s.substr(1, close == std::string_view::npos ? s.npos : close - 1)));
    } else {
        const auto open = s.find(" (");
        d.name = std::string(trim(s.substr(0, open)));
    }
    return d;
}

std::string sbdbCometName(std::string_view fullName) {
    return std::string(trim(fullName));
}

Designation splitMpcReadableName(std::string_view readable) {
    std::string_view s = trim(readable);
    Designation d;
    if (!s.empty() && s.front() == '(') {
        const auto close = s.find(')');
        if (close != std::string_view::npos) {
            if (const auto n = strictInteger(s.substr(1, close - 1)); n && *n > 0) {
                d.number = *n;
                s = trim(s.substr(close + 1));
            }
        }
    }
    d.name = std::string(s);
    return d;
}

std::optional<double> unpackEpoch(std::string_view packed) {
    if (packed.size() != 5)
        return std::nullopt;
    const auto year = packedYear(packed);
    const int month = base62(packed[3]);
    const int day = base62(packed[4]);
    if (!year || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return astro::julianDay(*year, month, static_cast<double>(day), 0, 0, 0.0);
}

std::optional<long> unpackNumber(std::string_view packed) {
    if (packed.size() != 5)
        return std::nullopt;
    if (packed[0] == '~') {
        long value = 0;
        for (std::size_t i = 1; i < 5; ++i) {
            const int v = base62(packed[i]);
            if (v < 0)
                return std::nullopt;
            value = value * 62 + v;
        }
        return 620000 + value;
    }
    const int lead = base62(packed[0]);
    const auto rest = strictInteger(packed.substr(1));
    if (lead < 0 || !rest || *rest < 0 || !std::all_of(packed.begin() + 1, packed.end(), isDigit))
        return std::nullopt;
    const long number = lead * 10000L + *rest;
    return number > 0 ? std::optional<long>(number) : std::nullopt;
}

std::optional<std::string> unpackProvisional(std::string_view packed) {
    if (packed.size() != 7)
        return std::nullopt;
    // Survey designations of the Palomar-Leiden and Trojan surveys.
    const std::string_view survey = packed.substr(0, 3);
    if (survey == "PLS" || survey == "T1S" || survey == "T2S" || survey == "T3S") {
        const std::string_view digits = packed.substr(3);
        if (!std::all_of(digits.begin(), digits.end(), isDigit))
            return std::nullopt;
        const std::string tag = survey == "PLS" ? "P-L" : std::string("T-") + survey[1];
        return std::string(digits) + " " + tag;
    }
    const auto year = packedYear(packed);
    const auto cycle = packedCycle(packed[4], packed[5]);
    if (!year || !isUpper(packed[3]) || !isUpper(packed[6]) || !cycle)
        return std::nullopt;
    std::string text = std::to_string(*year) + " " + packed[3] + packed[6];
    if (*cycle > 0)
        text += std::to_string(*cycle);
    return text;
}

std::optional<std::string> unpackCometProvisional(std::string_view packed) {
    if (packed.size() != 7)
        return std::nullopt;
    if (isUpper(packed[6]))
        return unpackProvisional(packed); // a designation given first to an asteroid
    const auto year = packedYear(packed);
    const auto cycle = packedCycle(packed[4], packed[5]);
    if (!year || !isUpper(packed[3]) || !cycle)
        return std::nullopt;
    std::string text = std::to_string(*year) + " " + packed[3] + std::to_string(*cycle);
    if (packed[6] >= 'a' && packed[6] <= 'z')
        text += std::string("-") + static_cast<char>(packed[6] - 'a' + 'A');
    else if (packed[6] != '0')
        return std::nullopt;
    return text;
}

std::optional<AsteroidRecord> parseMpcorbLine(std::string_view line) {
    // Columns of the export format (counted from 1 there): designation 1-7, H 9-13,
    // G 15-19, epoch 21-25, M 27-35, peri 38-46, node 49-57, incl 60-68, e 71-79,
    // n 81-91, a 93-103, ..., readable designation 167-194.
    if (line.size() < 103)
        return std::nullopt;
    const auto epoch = unpackEpoch(field(line, 20, 24));
    const auto m = strictNumber(field(line, 26, 34));
    const auto peri = strictNumber(field(line, 37, 45));
    const auto node = strictNumber(field(line, 48, 56));
    const auto incl = strictNumber(field(line, 59, 67));
    const auto e = strictNumber(field(line, 70, 78));
    const auto a = strictNumber(field(line, 92, 102));
    if (!epoch || !m || !peri || !node || !incl || !e || !a || *e < 0.0 || *e >= 1.0)
        return std::nullopt;
    const auto tp = perihelionTimeNearEpoch(*epoch, *m, *a);
    if (!tp)
        return std::nullopt;
    AsteroidRecord r;
    r.perihelionTime = *tp;
    r.perihelionArg = *peri;
    r.node = *node;
    r.inclination = *incl;
    r.axis = *a;
    r.eccentricity = *e;
    if (const auto h = strictNumber(field(line, 8, 12)))
        r.absMagnitude = *h;
    if (const auto g = strictNumber(field(line, 14, 18)))
        r.slope = *g;

    const Designation readable = splitMpcReadableName(field(line, 166, 193));
    if (!readable.name.empty()) {
        r.number = readable.number;
        r.name = readable.name;
        return r;
    }
    // No readable designation: unpack the designation of columns 1-7.
    const std::string_view packed = trim(field(line, 0, 6));
    if (packed.size() == 5) {
        const auto number = unpackNumber(packed);
        if (!number)
            return std::nullopt;
        r.number = *number;
        r.name = std::to_string(*number);
    } else if (const auto designation = unpackProvisional(packed)) {
        r.name = *designation;
    } else {
        return std::nullopt;
    }
    return r;
}

std::optional<CometRecord> parseCometElsLine(std::string_view line) {
    // Columns of the export format (counted from 1 there): number 1-4, orbit type 5,
    // provisional designation 6-12, perihelion year 15-18, month 20-21, day 23-29 (TT),
    // q 31-39, e 42-49, peri 52-59, node 62-69, incl 72-79, epoch 82-89, H 92-95, G 97-100,
    // designation and name 103-158.
    if (line.size() < 79)
        return std::nullopt;
    const auto year = strictInteger(field(line, 14, 17));
    const auto month = strictInteger(field(line, 19, 20));
    const auto day = strictNumber(field(line, 22, 28));
    const auto q = strictNumber(field(line, 30, 38));
    const auto e = strictNumber(field(line, 41, 48));
    const auto peri = strictNumber(field(line, 51, 58));
    const auto node = strictNumber(field(line, 61, 68));
    const auto incl = strictNumber(field(line, 71, 78));
    if (!year || !month || !day || !q || !e || !peri || !node || !incl || *month < 1 ||
        *month > 12 || *day < 0.0 || *day >= 32.0 || std::labs(*year) > 100000 || !(*q > 0.0) ||
        *e < 0.0)
        return std::nullopt;
    CometRecord r;
    r.perihelionTime =
        astro::julianDay(static_cast<int>(*year), static_cast<int>(*month), *day, 0, 0, 0.0);
    r.perihelionArg = *peri;
    r.node = *node;
    r.inclination = *incl;
    r.perihelion = *q;
    r.eccentricity = *e;
    if (const auto h = strictNumber(field(line, 91, 94))) {
        r.absMagnitude = *h;
        r.hasMagnitude = true;
    }
    r.name = std::string(trim(field(line, 102, 157)));
    if (r.name.empty()) {
        // Build the designation from the number, the orbit type and the packed designation.
        const auto number = strictInteger(field(line, 0, 3));
        const std::string_view type = trim(field(line, 4, 4));
        const auto provisional = unpackCometProvisional(trim(field(line, 5, 11)));
        if (number && *number > 0)
            r.name = std::to_string(*number) + std::string(type);
        else if (provisional && !type.empty())
            r.name = std::string(type) + "/" + *provisional;
        else
            return std::nullopt;
    }
    return r;
}

std::vector<std::size_t> chooseComets(const std::vector<CometRecord>& comets,
                                      std::size_t capacity) {
    std::vector<std::size_t> order(comets.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (comets.size() <= capacity)
        return order;
    auto group = [&](std::size_t i) {
        const CometRecord& c = comets[i];
        if (!c.hasMagnitude)
            return 2;
        if (c.eccentricity < 1.0) {
            const double a = c.perihelion / (1.0 - c.eccentricity);
            if (a * std::sqrt(a) <= kPeriodicLimitYears)
                return 0;
        }
        return 1;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return std::make_tuple(group(x), -comets[x].perihelionTime, x) <
               std::make_tuple(group(y), -comets[y].perihelionTime, y);
    });
    order.resize(capacity);
    std::sort(order.begin(), order.end());
    return order;
}

void BrightestAsteroids::add(AsteroidRecord record) {
    if (m_capacity == 0)
        return;
    const std::size_t order = m_seen++;
    auto fainterFirst = [](const Entry& x, const Entry& y) {
        return std::tie(x.magnitude, x.order) < std::tie(y.magnitude, y.order);
    };
    const double magnitude = record.absMagnitude;
    if (m_heap.size() < m_capacity) {
        m_heap.push_back({magnitude, order, std::move(record)});
        std::push_heap(m_heap.begin(), m_heap.end(), fainterFirst);
        return;
    }
    // A later record replaces the faintest kept one only when it is strictly brighter.
    if (!(magnitude < m_heap.front().magnitude))
        return;
    std::pop_heap(m_heap.begin(), m_heap.end(), fainterFirst);
    m_heap.back() = {magnitude, order, std::move(record)};
    std::push_heap(m_heap.begin(), m_heap.end(), fainterFirst);
}

std::vector<AsteroidRecord> BrightestAsteroids::take() {
    std::sort(m_heap.begin(), m_heap.end(),
              [](const Entry& x, const Entry& y) { return x.order < y.order; });
    std::vector<AsteroidRecord> out;
    out.reserve(m_heap.size());
    for (Entry& e : m_heap)
        out.push_back(std::move(e.record));
    m_heap.clear();
    m_seen = 0;
    return out;
}

} // namespace datatool::minor
