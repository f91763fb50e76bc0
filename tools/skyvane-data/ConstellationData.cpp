// skyvane-data constellations: the four constellation files of the program.
//
//   Boundaries.skd   the IAU boundary outlines (Delporte, B1875), with points added along the
//                    B1875 parallels and meridians, precessed to J2000; each outline closed
//   BoundariesC.skd  the band table of the point look-up (Roman 1987, B1875), in search order
//   Constellations.skd  the 88 constellations in alphabetical order of their Latin names
//   Figures.skd      the stick figures as segments between Hipparcos stars (J2000)

#include "DataCommands.h"

#include "catalog/LittleEndian.h"
#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"

#include "astro/Angles.h"
#include "astro/Precession.h"
#include "astro/SkyPoint.h"
#include "catalog/Constellations.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

namespace datatool {

namespace {

namespace fs = std::filesystem;

// A B1875 parallel between two boundary vertices is a small circle; drawn as chords between
// added points it stays within this many degrees of the true edge.
constexpr double kParallelTolerance = 0.0005;
// Grid of the added points along a parallel: 360 / N degrees of right ascension, N from this
// list, the coarsest that keeps the tolerance. The points sit at whole multiples of the step,
// so the two constellations on either side of an edge get the same points.
constexpr int kParallelGrid[] = {180, 360, 720, 1440, 2880, 5760};
// Points added along a meridian every whole degree of declination, so that no edge of the
// outlines is long.
constexpr double kMeridianStep = 1.0;

struct Constellation {
    std::string name; // UTF-8
    std::string abbreviation;
    std::string genitive;
    double labelRa = 0.0; // hours, J2000
    double labelDec = 0.0;
};

struct Vertex {
    double ra = 0.0; // hours
    double dec = 0.0;
};

struct Outline {
    std::string text; // "And", "Ser1", ...
    std::vector<Vertex> vertices;
};

// ---- text -----------------------------------------------------------------------------------

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Code points of UTF-8 text; a malformed sequence gives U+FFFD.
std::vector<char32_t> codePoints(const std::string& s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (t & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Plain letters of U+00C0..U+00FF and U+0100..U+017F.
constexpr const char* kLatin1Plain = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTs"
                                     "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
constexpr const char* kLatinExtAPlain = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIi"
                                        "IiJjJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSs"
                                        "SsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(std::char_traits<char>::length(kLatin1Plain) == 0x40);
static_assert(std::char_traits<char>::length(kLatinExtAPlain) == 0x80);

char plainLetter(char32_t c) {
    if (c >= 0xC0 && c <= 0xFF)
        return kLatin1Plain[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F)
        return kLatinExtAPlain[c - 0x100];
    return '?';
}

// Sort key of a Latin name: plain lower-case letters, so that "Boötes" sorts as "Bootes".
std::string sortKey(const std::string& utf8) {
    std::string out;
    for (char32_t c : codePoints(utf8))
        out += c < 0x80 ? static_cast<char>(c) : plainLetter(c);
    return lower(out);
}

// ---- files ----------------------------------------------------------------------------------

nlohmann::json parseJson(const std::string& text, const fs::path& path) {
    try {
        return nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        throw DataError(path.string() + ": " + e.what());
    }
}

void putDouble(std::vector<unsigned char>& out, double v) {
    out.resize(out.size() + 8);
    catalog::writeF64(out.data() + out.size() - 8, v);
}

void putInt32(std::vector<unsigned char>& out, std::int32_t v) {
    out.resize(out.size() + 4);
    catalog::writeI32(out.data() + out.size() - 4, v);
}

// A NUL-terminated Windows-1252 text in a field of the given width.
void putText(std::vector<unsigned char>& out, const std::string& utf8, std::size_t width) {
    const std::string bytes = catalog::utf8ToWindows1252(utf8);
    if (bytes.size() >= width)
        throw DataError("text '" + utf8 + "' does not fit a field of " + std::to_string(width) +
                        " bytes");
    out.insert(out.end(), bytes.begin(), bytes.end());
    out.insert(out.end(), width - bytes.size(), 0);
}

void writeFile(const fs::path& path, const std::vector<unsigned char>& bytes) {
    writeDataFile(path,
                  std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A number that fills the whole of the text (blanks around it allowed).
bool parseNumber(const std::string& text, double& value) {
    const std::string t = trim(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(value);
}

bool parseInt(const std::string& text, long& value) {
    const std::string t = trim(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(t.c_str(), &end, 10);
    return end == t.c_str() + t.size();
}

// ---- the constellation list -------------------------------------------------------------------

// The 88 constellations from d3-celestial's list, in alphabetical order of the Latin name. The
// list has the two parts of Serpens as two entries with one abbreviation: they become the one
// constellation "Serpens", labelled where its first part (the head, the larger) is.
std::vector<Constellation> readConstellations(const fs::path& sources) {
    const fs::path path = sources / "d3-celestial" / "constellations.json";
    const nlohmann::json doc = parseJson(readSourceFile(path), path);
    std::vector<Constellation> list;
    std::set<std::string> seen;
    try {
        for (const auto& f : doc.at("features")) {
            const auto& p = f.at("properties");
            Constellation c;
            c.abbreviation = p.at("desig").get<std::string>();
            c.name = p.at("name").get<std::string>();
            c.genitive = p.at("gen").get<std::string>();
            const auto& xy = f.at("geometry").at("coordinates");
            const double lon = xy.at(0).get<double>();
            c.labelDec = xy.at(1).get<double>();
            c.labelRa = lon / 15.0;
            if (c.labelRa < 0.0)
                c.labelRa += 24.0;
            if (!seen.insert(c.abbreviation).second) {
                if (c.abbreviation != "Ser")
                    throw DataError(path.string() + ": constellation " + c.abbreviation +
                                    " listed twice");
                continue;
            }
            if (c.abbreviation == "Ser")
                c.name = "Serpens";
            list.push_back(std::move(c));
        }
    } catch (const nlohmann::json::exception& e) {
        throw DataError(path.string() + ": " + e.what());
    }
    if (list.size() != catalog::ConstellationData::kConstellationCount)
        throw DataError(path.string() + ": " + std::to_string(list.size()) +
                        " constellations instead of 88");
    std::sort(list.begin(), list.end(), [](const Constellation& a, const Constellation& b) {
        return sortKey(a.name) < sortKey(b.name);
    });
    return list;
}

// Index in the list of the constellation with this abbreviation in any letter case; -1 when
// none has it.
int findAbbreviation(const std::vector<Constellation>& list, const std::string& abbr) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (catalog::equalsIgnoringCase(list[i].abbreviation, abbr))
            return static_cast<int>(i);
    return -1;
}

std::vector<unsigned char> listRecords(const std::vector<Constellation>& list) {
    std::vector<unsigned char> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        putInt32(out, static_cast<std::int32_t>(i + 1));
        putText(out, list[i].name, 30);
        putText(out, list[i].abbreviation, 30);
        putText(out, list[i].genitive, 32);
        putDouble(out, list[i].labelRa);
        putDouble(out, list[i].labelDec);
    }
    return out;
}

// ---- boundaries -------------------------------------------------------------------------------

// The outlines of boundaries_b1875.dat: fixed columns "RA(h) sign Dec(deg) ABBR O|I" (the sign
// blank at declination 0), each constellation's vertices in order, "SER1" and "SER2" for the two
// parts of Serpens.
std::vector<Outline> readOutlines(const fs::path& sources, const std::vector<Constellation>& list) {
    const fs::path path = sources / "constellations" / "boundaries_b1875.dat";
    std::istringstream in(readSourceFile(path));
    std::vector<Outline> outlines;
    std::string line;
    std::string previous;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (trim(line).empty())
            continue;
        const std::string where = path.string() + ":" + std::to_string(lineNumber) + ": ";
        Vertex v;
        if (line.size() < 23 || !parseNumber(line.substr(0, 8), v.ra) ||
            (line[9] != '+' && line[9] != '-' && line[9] != ' ') ||
            !parseNumber(line.substr(10, 8), v.dec))
            throw DataError(where + "not a boundary vertex: '" + line + "'");
        if (line[9] == '-')
            v.dec = -v.dec;
        if (v.ra < 0.0 || v.ra > 24.0 || std::abs(v.dec) > 90.0)
            throw DataError(where + "position out of range");
        if (v.ra == 24.0)
            v.ra = 0.0;
        const std::string raw = trim(line.substr(19, 4));
        std::string base = raw;
        std::string part;
        if (!base.empty() && base.back() >= '1' && base.back() <= '9') {
            part = base.substr(base.size() - 1);
            base.pop_back();
        }
        const int index = findAbbreviation(list, base);
        if (index < 0)
            throw DataError(where + "unknown constellation '" + raw + "'");
        if (raw != previous) {
            outlines.push_back({list[static_cast<std::size_t>(index)].abbreviation + part, {}});
            previous = raw;
        }
        outlines.back().vertices.push_back(v);
    }
    if (outlines.empty())
        throw DataError(path.string() + ": no boundary vertices");
    if (outlines.size() > catalog::ConstellationData::kOutlineCapacity)
        throw DataError(path.string() + ": more outlines than the program holds");
    return outlines;
}

// How far, in degrees, the chord of a parallel at this declination spanning this many degrees
// of right ascension strays from the parallel at its middle.
double parallelSag(double decDeg, double spanDeg) {
    const double d = std::abs(decDeg) * std::numbers::pi / 180.0;
    const double half = spanDeg * std::numbers::pi / 360.0;
    return (std::atan(std::tan(d) / std::cos(half)) - d) * 180.0 / std::numbers::pi;
}

int parallelGrid(double decDeg) {
    for (int n : kParallelGrid)
        if (parallelSag(decDeg, 360.0 / n) <= kParallelTolerance)
            return n;
    return kParallelGrid[std::size(kParallelGrid) - 1];
}

// The vertices of a closed outline with the edge points added, ending on the first vertex
// again. Every edge runs along a parallel (the shorter way round) or along a meridian.
std::vector<Vertex> densify(const Outline& outline) {
    constexpr double kEps = 1e-7;
    const std::vector<Vertex>& v = outline.vertices;
    std::vector<Vertex> out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Vertex a = v[i];
        const Vertex b = v[(i + 1) % v.size()];
        out.push_back(a);
        if (std::abs(a.dec - b.dec) < kEps) {
            double span = b.ra - a.ra;
            if (span > 12.0)
                span -= 24.0;
            if (span < -12.0)
                span += 24.0;
            const int n = parallelGrid(a.dec);
            const double step = 24.0 / n;
            if (span > 0.0) {
                for (long k = static_cast<long>(std::floor(a.ra / step + kEps)) + 1;
                     k * step < a.ra + span - kEps; ++k)
                    out.push_back({static_cast<double>(k % n) * 24.0 / n, a.dec});
            } else {
                for (long k = static_cast<long>(std::ceil(a.ra / step - kEps)) - 1;
                     k * step > a.ra + span + kEps; --k)
                    out.push_back({static_cast<double>(((k % n) + n) % n) * 24.0 / n, a.dec});
            }
        } else if (std::abs(a.ra - b.ra) < kEps) {
            if (b.dec > a.dec) {
                for (double d = std::floor(a.dec / kMeridianStep + kEps) + 1;
                     d * kMeridianStep < b.dec - kEps; d += 1.0)
                    out.push_back({a.ra, d * kMeridianStep});
            } else {
                for (double d = std::ceil(a.dec / kMeridianStep - kEps) - 1;
                     d * kMeridianStep > b.dec + kEps; d -= 1.0)
                    out.push_back({a.ra, d * kMeridianStep});
            }
        } else {
            throw DataError("boundary of " + outline.text + " has an edge from " +
                            std::to_string(a.ra) + " h " + std::to_string(a.dec) + " deg to " +
                            std::to_string(b.ra) + " h " + std::to_string(b.dec) +
                            " deg along neither a parallel nor a meridian");
        }
    }
    out.push_back(v.front());
    return out;
}

// B1875 to J2000 with the rotation of the program's look-up turned round, and the program's
// angle factors, so that the look-up brings a stored point back onto its B1875 edge.
Vertex toJ2000(const Vertex& b1875, const astro::Rotation& r) {
    const astro::SkyPoint p(b1875.ra, b1875.dec);
    const double v[3] = {p.x(), p.y(), p.z()};
    double o[3];
    for (int i = 0; i < 3; ++i)
        o[i] = r[i][0] * v[0] + r[i][1] * v[1] + r[i][2] * v[2];
    Vertex j;
    j.dec = std::atan2(o[1], std::hypot(o[0], o[2])) * astro::kDegPerRad;
    j.ra = std::atan2(o[2], o[0]) * astro::kDegPerRad / astro::kDegPerHour;
    if (j.ra < 0.0)
        j.ra += 24.0;
    if (j.ra >= 24.0)
        j.ra -= 24.0;
    return j;
}

std::vector<unsigned char> boundaryRecords(const std::vector<Outline>& outlines,
                                           std::size_t& points) {
    const astro::Rotation r = astro::precessionDateToJ2000(catalog::kB1875JulianDay);
    std::vector<unsigned char> out;
    points = 0;
    for (const Outline& o : outlines) {
        for (const Vertex& v : densify(o)) {
            const Vertex j = toJ2000(v, r);
            putDouble(out, j.ra);
            putDouble(out, j.dec);
            putText(out, o.text, 8);
            ++points;
        }
    }
    // The end mark.
    putDouble(out, 100.0);
    putDouble(out, 0.0);
    putText(out, "END", 8);
    return out;
}

// ---- bands --------------------------------------------------------------------------------------

// "H:MM:SS" hours or "[-]D:MM" degrees.
bool parseSexagesimal(const std::string& text, double& value) {
    std::string t = trim(text);
    double sign = 1.0;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        sign = t[0] == '-' ? -1.0 : 1.0;
        t.erase(0, 1);
    }
    double total = 0.0;
    double scale = 1.0;
    std::size_t start = 0;
    int parts = 0;
    while (start <= t.size() && parts < 3) {
        const std::size_t colon = t.find(':', start);
        const std::string piece =
            t.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        long n = 0;
        if (!parseInt(piece, n) || n < 0 || (parts > 0 && n >= 60))
            return false;
        total += static_cast<double>(n) * scale;
        scale /= 60.0;
        ++parts;
        if (colon == std::string::npos) {
            value = sign * total;
            return true;
        }
        start = colon + 1;
    }
    return false;
}

std::vector<unsigned char> bandRecords(const fs::path& sources,
                                       const std::vector<Constellation>& list, std::size_t& count) {
    const fs::path path = sources / "constellations" / "bands_b1875.dat";
    std::istringstream in(readSourceFile(path));
    std::vector<unsigned char> out;
    std::string line;
    int lineNumber = 0;
    double previousDec = 90.0;
    count = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (trim(line).empty())
            continue;
        const std::string where = path.string() + ":" + std::to_string(lineNumber) + ": ";
        std::istringstream words(line);
        std::string raLow, raHigh, decLow, abbr, extra;
        double lo = 0.0, hi = 0.0, dec = 0.0;
        if (!(words >> raLow >> raHigh >> decLow >> abbr) || (words >> extra) ||
            !parseSexagesimal(raLow, lo) || !parseSexagesimal(raHigh, hi) ||
            !parseSexagesimal(decLow, dec))
            throw DataError(where + "not a band: '" + line + "'");
        if (lo < 0.0 || hi > 24.0 || lo >= hi || std::abs(dec) > 90.0)
            throw DataError(where + "band out of range");
        if (dec > previousDec)
            throw DataError(where + "bands are not in order of declining declination");
        previousDec = dec;
        const int index = findAbbreviation(list, abbr);
        if (index < 0 || list[static_cast<std::size_t>(index)].abbreviation != abbr)
            throw DataError(where + "unknown constellation '" + abbr + "'");
        if (++count > catalog::ConstellationData::kBandCapacity)
            throw DataError(path.string() + ": more bands than the program holds");
        putDouble(out, lo);
        putDouble(out, hi);
        putDouble(out, dec);
        putText(out, abbr, 24);
    }
    if (count == 0)
        throw DataError(path.string() + ": no bands");
    return out;
}

// ---- figures ------------------------------------------------------------------------------------

// Hipparcos number to J2000 position (hours, degrees) from d3-celestial's star list.
std::unordered_map<long, Vertex> readHipparcos(const fs::path& sources) {
    const fs::path path = sources / "d3-celestial" / "stars.14.json.xz";
    const nlohmann::json doc = parseJson(readXzSourceFile(path, std::size_t{1} << 30), path);
    std::unordered_map<long, Vertex> stars;
    try {
        for (const auto& f : doc.at("features")) {
            const auto& xy = f.at("geometry").at("coordinates");
            Vertex v;
            v.ra = xy.at(0).get<double>() / 15.0;
            if (v.ra < 0.0)
                v.ra += 24.0;
            v.dec = xy.at(1).get<double>();
            stars[f.at("id").get<long>()] = v;
        }
    } catch (const nlohmann::json::exception& e) {
        throw DataError(path.string() + ": " + e.what());
    }
    return stars;
}

// Stick figures of constellationship.fab ("Abbr N hip1 hip2 ..." with N pairs), in order of the
// constellation number, each figure's segments in file order, a segment repeated in a figure
// written once.
std::vector<unsigned char>
figureRecords(const fs::path& sources, const std::vector<Constellation>& list, std::size_t& count) {
    const fs::path path = sources / "stellarium" / "constellationship.fab";
    std::istringstream in(readSourceFile(path));
    const std::unordered_map<long, Vertex> stars = readHipparcos(sources);
    std::map<int, std::vector<std::pair<long, long>>> figures;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (trim(line).empty() || trim(line)[0] == '#')
            continue;
        const std::string where = path.string() + ":" + std::to_string(lineNumber) + ": ";
        std::istringstream words(line);
        std::string abbr;
        long pairs = 0;
        if (!(words >> abbr >> pairs) || pairs < 1 || pairs > 1000)
            throw DataError(where + "not a figure line");
        const int index = findAbbreviation(list, abbr);
        if (index < 0)
            throw DataError(where + "unknown constellation '" + abbr + "'");
        auto& segments = figures[index + 1];
        for (long i = 0; i < pairs; ++i) {
            long a = 0, b = 0;
            if (!(words >> a >> b))
                throw DataError(where + "fewer stars than the " + std::to_string(pairs) +
                                " pairs announced");
            for (long hip : {a, b})
                if (!stars.contains(hip))
                    throw DataError(where + "HIP " + std::to_string(hip) + " is not in the " +
                                    "Hipparcos list");
            const bool repeated = std::any_of(segments.begin(), segments.end(), [&](const auto& s) {
                return (s.first == a && s.second == b) || (s.first == b && s.second == a);
            });
            if (!repeated)
                segments.emplace_back(a, b);
        }
    }
    if (figures.size() != list.size())
        throw DataError(path.string() + ": figures for " + std::to_string(figures.size()) +
                        " constellations instead of 88");
    std::vector<unsigned char> out;
    count = 0;
    for (const auto& [number, segments] : figures) {
        for (const auto& [a, b] : segments) {
            const Vertex& va = stars.at(a);
            const Vertex& vb = stars.at(b);
            putDouble(out, va.ra);
            putDouble(out, va.dec);
            putDouble(out, vb.ra);
            putDouble(out, vb.dec);
            putInt32(out, number);
            putInt32(out, 0);
            ++count;
        }
    }
    return out;
}

} // namespace

int runConstellations(const Paths& paths, const std::vector<std::string>& args) {
    if (!args.empty())
        throw DataError("constellations: unexpected argument '" + args.front() + "'");
    const fs::path sources = paths.sources;
    const fs::path out = paths.out;
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec)
        throw DataError("cannot create " + out.string() + ": " + ec.message());

    const std::vector<Constellation> list = readConstellations(sources);
    const std::vector<Outline> outlines = readOutlines(sources, list);
    std::size_t points = 0;
    const std::vector<unsigned char> boundaries = boundaryRecords(outlines, points);
    std::size_t bandCount = 0;
    const std::vector<unsigned char> bands = bandRecords(sources, list, bandCount);
    std::size_t segmentCount = 0;
    const std::vector<unsigned char> figures = figureRecords(sources, list, segmentCount);

    using catalog::ConstellationData;
    writeFile(out / ConstellationData::kBoundariesFile, boundaries);
    std::printf("%s: %zu points in %zu outlines\n",
                (out / ConstellationData::kBoundariesFile).string().c_str(), points,
                outlines.size());
    writeFile(out / ConstellationData::kBandsFile, bands);
    std::printf("%s: %zu bands\n", (out / ConstellationData::kBandsFile).string().c_str(),
                bandCount);
    writeFile(out / ConstellationData::kListFile, listRecords(list));
    std::printf("%s: %zu constellations\n", (out / ConstellationData::kListFile).string().c_str(),
                list.size());
    writeFile(out / ConstellationData::kFiguresFile, figures);
    std::printf("%s: %zu segments\n", (out / ConstellationData::kFiguresFile).string().c_str(),
                segmentCount);
    return 0;
}

} // namespace datatool
