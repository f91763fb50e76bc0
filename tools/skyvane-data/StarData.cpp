// skyvane-data stars: the resident star files from the Hipparcos star list, the Bright Star
// Catalogue and the HIP-keyed cross identifications, names, variable and double stars.
//
// Every Hipparcos star becomes a record of SKY2000_data.skd, and so does every star of the
// Bright Star Catalogue that none of them matches. A catalogue star matches the Hipparcos
// star that the cross identifications give for its HR or HD number when the two positions
// agree within an arc minute; when several stars compete for one (the components of a
// double that Hipparcos lists once), the pair closest in position and magnitude wins. A
// matched star takes V, B-V, spectral type, HD, SAO, Bayer letter, Flamsteed number and
// double-star data from the catalogue (V and B-V from Hipparcos where the catalogue has
// none) and keeps its Hipparcos position. Records run brightest first.
//
// Proper names come from the HIP-keyed name list. A catalogue star keeps the catalogue's
// Bayer letter and Flamsteed number, those of its own constellation: the HIP-keyed lists also
// carry letters and numbers given in a neighbouring constellation (54 And for phi Per) and
// Gould numbers of southern stars, so they only designate the stars the catalogue lacks, and
// there a number counts as Flamsteed's only in a constellation where the catalogue has
// Flamsteed numbers and when it is at most 140.
//
// Every catalogue star and every other star with a proper name, a Bayer letter or a
// Flamsteed number gets a record in bright_data.skd, in the same order, from record 1.
// tycho_2_b.skd is written empty: no Tycho-2 data is shipped, and stars have no Tycho-2
// identifier (0/0).

#include "DataCommands.h"
#include "StarSources.h"

#include "catalog/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace datatool {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSkyRecordSize = 64;
constexpr std::size_t kBrightRecordSize = 36;
constexpr std::size_t kMaxNamedStars = 10000;
constexpr std::size_t kMaxStars = 244000; // the two resident arrays hold 10,000 + 244,000
constexpr std::size_t kNameBytes = 31;    // 32-byte field, always NUL-terminated

constexpr int kNoMagnitude = -10000; // thousandths
constexpr int kNoHundredths = -10000;
constexpr float kNoSeparation = -100.0f;
constexpr double kNoPeriod = -100.0;
constexpr int kNoVariabilityType = -100;

// Flamsteed's numbers end at 140 (in Taurus); higher numbers in the lists are Gould's.
constexpr int kHighestFlamsteed = 140;

// Largest distance between a catalogue position and the Hipparcos star it is matched to.
constexpr double kMatchRadiusArcsec = 60.0;
// How a magnitude difference weighs against a distance when components compete for one
// Hipparcos star: 0.1 magnitude as much as one arc second.
constexpr double kArcsecPerMagnitude = 10.0;

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToArcsec = 180.0 * 3600.0 / kPi;

// A star of the merged list.
struct Star {
    int hip = 0; // 0 for a catalogue star without Hipparcos match
    int hr = 0;  // 0 when not in the Bright Star Catalogue
    double raDeg = 0.0;
    double decDeg = 0.0;
    std::optional<double> v;
    std::optional<double> bMinusV;
    int hd = 0;
    int sao = 0;
    std::string spectral;
    stars::Designation designation; // name already in Windows-1252
    std::optional<double> separation;
    std::optional<double> dmag;
    stars::Variability variability;
    int brightIndex = 0;

    bool named() const {
        return hr != 0 || designation.bayerCode != 0 || designation.flamsteed != 0 ||
               !designation.name.empty();
    }
};

std::array<double, 3> unitVector(double raDeg, double decDeg) {
    const double ra = raDeg * kDegToRad;
    const double dec = decDeg * kDegToRad;
    return {std::cos(dec) * std::cos(ra), std::sin(dec), std::cos(dec) * std::sin(ra)};
}

double separationArcsec(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    const double cx = a[1] * b[2] - a[2] * b[1];
    const double cy = a[2] * b[0] - a[0] * b[2];
    const double cz = a[0] * b[1] - a[1] * b[0];
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), dot) * kRadToArcsec;
}

std::int16_t scaled16(double value, double scale) {
    const long long n = std::llround(value * scale);
    return static_cast<std::int16_t>(std::clamp(n, -32767LL, 32767LL));
}

std::int16_t magnitudeField(const std::optional<double>& magnitude) {
    return magnitude ? scaled16(*magnitude, 1000.0) : static_cast<std::int16_t>(kNoMagnitude);
}

std::optional<double> blueMagnitude(const Star& star) {
    if (star.v && star.bMinusV)
        return *star.v + *star.bMinusV;
    return std::nullopt;
}

// The order of the file: by the magnitude that the program shows (V, else B), in the
// stored thousandths so that the file is monotonic; stars without any magnitude last; ties
// by HIP number, then catalogue-only stars by HR number.
auto orderKey(const Star& star) {
    int magnitude = 32767 + 1;
    if (star.v)
        magnitude = magnitudeField(star.v);
    else if (const std::optional<double> b = blueMagnitude(star))
        magnitude = magnitudeField(b);
    return std::make_tuple(magnitude, star.hip == 0 ? 1 : 0, star.hip, star.hr);
}

void writeSkyRecord(const Star& star, char* record) {
    // Bytes 0-3: Tycho-2 identifier 0/0, none. Padding stays zero.
    const std::array<double, 3> u = unitVector(star.raDeg, star.decDeg);
    for (std::size_t k = 0; k < 3; ++k)
        catalog::writeI32(record + 4 + 4 * k, static_cast<std::int32_t>(std::llround(u[k] * 1e9)));
    catalog::writeI16(record + 16, magnitudeField(blueMagnitude(star)));
    catalog::writeI16(record + 18, magnitudeField(star.v));
    catalog::writeI32(record + 20, star.hd);
    catalog::writeI32(record + 24, star.sao);
    // At most three characters and a NUL; no type is three blanks.
    const std::string spectral = star.spectral.empty() ? "   " : star.spectral.substr(0, 3);
    std::memcpy(record + 28, spectral.data(), spectral.size());
    catalog::writeI16(record + 32, static_cast<std::int16_t>(star.brightIndex));
    catalog::writeF32(record + 36,
                      star.separation ? static_cast<float>(*star.separation) : kNoSeparation);
    catalog::writeI16(record + 40,
                      star.dmag ? scaled16(*star.dmag, 100.0) : std::int16_t{kNoHundredths});
    const stars::Variability& var = star.variability;
    catalog::writeI16(record + 42, var.amplitude ? scaled16(*var.amplitude, 100.0)
                                                 : std::int16_t{kNoHundredths});
    catalog::writeF64(record + 48, var.period ? *var.period : kNoPeriod);
    catalog::writeI16(record + 56, static_cast<std::int16_t>(var.type));
}

void writeBrightRecord(const Star& star, char* record) {
    const stars::Designation& d = star.designation;
    record[0] = static_cast<char>(static_cast<std::int8_t>(d.bayerCode));
    record[1] = static_cast<char>(static_cast<std::int8_t>(d.bayerIndex));
    catalog::writeI16(record + 2, static_cast<std::int16_t>(d.flamsteed));
    std::memcpy(record + 4, d.name.data(), std::min(d.name.size(), kNameBytes));
}

// Takes over what the Bright Star Catalogue knows of a star it matches or adds.
void applyCatalogueStar(const stars::BscStar& bsc, Star& star) {
    star.hr = bsc.hr;
    if (bsc.v) {
        star.v = bsc.v;
        if (bsc.bMinusV)
            star.bMinusV = bsc.bMinusV;
    } else if (!star.bMinusV) {
        star.bMinusV = bsc.bMinusV;
    }
    if (bsc.hd != 0)
        star.hd = bsc.hd;
    if (bsc.sao != 0)
        star.sao = bsc.sao;
    star.spectral = bsc.spectral;
    star.designation.bayerCode = bsc.bayerCode;
    star.designation.bayerIndex = bsc.bayerCode != 0 ? bsc.bayerIndex : 0;
    star.designation.flamsteed = bsc.flamsteed;
    star.dmag = bsc.dmag;
    star.separation = bsc.separation;
}

// Fills the fields of a star's designation that are still unknown from one of the HIP-keyed
// lists (see the top of the file for what a catalogue star takes).
void addDesignations(const stars::Designation& from, bool inCatalogue,
                     const std::set<std::string>& flamsteedConstellations, stars::Designation& to) {
    if (to.name.empty())
        to.name = stars::toWindows1252(from.name, kNameBytes);
    if (inCatalogue)
        return;
    if (to.bayerCode == 0 && from.bayerCode != 0) {
        to.bayerCode = from.bayerCode;
        to.bayerIndex = from.bayerIndex;
    }
    if (to.flamsteed == 0 && from.flamsteed <= kHighestFlamsteed &&
        flamsteedConstellations.count(from.flamsteedConstellation) != 0)
        to.flamsteed = from.flamsteed;
}

struct Sources {
    std::vector<stars::HipStar> hipparcos;
    std::vector<stars::BscStar> bsc;
    std::vector<stars::CrossIdLine> crossIds;
    std::unordered_map<int, stars::Designation> designations;
    std::unordered_map<int, stars::Designation> starNames;
    std::unordered_map<int, stars::Variability> variables;
    std::unordered_map<int, double> doubles;
};

Sources readSources(const fs::path& dir) {
    Sources s;
    s.hipparcos = stars::readHipparcosJsonXz((dir / "d3-celestial/stars.14.json.xz").string());
    s.bsc = stars::readBrightStarCatalogue((dir / "bsc5/bsc5.dat").string());
    s.crossIds = stars::readCrossIds((dir / "stellarium/cross-id.dat").string());
    s.designations = stars::readDesignationList((dir / "stellarium/name.fab").string());
    s.starNames = stars::readStarNames((dir / "d3-celestial/starnames.json").string());
    s.variables = stars::readGcvs((dir / "stellarium/gcvs_hip_part.dat").string());
    s.doubles = stars::readWdsSeparations((dir / "stellarium/wds_hip_part.dat").string());
    return s;
}

// Pairs catalogue stars with Hipparcos stars one to one (see the top of the file). Returns,
// for each catalogue star, the index of its Hipparcos star in `list`, or -1.
std::vector<long> matchCatalogueStars(const Sources& s, const std::vector<Star>& list) {
    std::unordered_map<int, std::size_t> indexOfHip;
    for (std::size_t i = 0; i < list.size(); ++i)
        indexOfHip.emplace(list[i].hip, i);
    std::unordered_map<int, std::vector<std::size_t>> byHr;
    std::unordered_map<int, std::vector<std::size_t>> byHd;
    for (const stars::CrossIdLine& line : s.crossIds) {
        const auto it = indexOfHip.find(line.hip);
        if (it == indexOfHip.end())
            continue;
        if (line.hr != 0)
            byHr[line.hr].push_back(it->second);
        if (line.hd != 0)
            byHd[line.hd].push_back(it->second);
    }

    struct Candidate {
        double cost;
        std::size_t bsc;
        std::size_t star;
    };
    std::vector<Candidate> candidates;
    for (std::size_t b = 0; b < s.bsc.size(); ++b) {
        const stars::BscStar& bsc = s.bsc[b];
        std::vector<std::size_t> options;
        if (const auto it = byHr.find(bsc.hr); it != byHr.end())
            options = it->second;
        if (const auto it = byHd.find(bsc.hd); bsc.hd != 0 && it != byHd.end())
            options.insert(options.end(), it->second.begin(), it->second.end());
        std::sort(options.begin(), options.end());
        options.erase(std::unique(options.begin(), options.end()), options.end());
        const std::array<double, 3> at = unitVector(bsc.raDeg, bsc.decDeg);
        for (const std::size_t i : options) {
            const double d = separationArcsec(at, unitVector(list[i].raDeg, list[i].decDeg));
            if (d > kMatchRadiusArcsec)
                continue;
            const double dv = bsc.v && list[i].v ? std::abs(*bsc.v - *list[i].v) : 0.0;
            candidates.push_back({d + kArcsecPerMagnitude * dv, b, i});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return std::tie(a.cost, a.bsc, a.star) < std::tie(b.cost, b.bsc, b.star);
    });
    std::vector<long> match(s.bsc.size(), -1);
    std::vector<bool> taken(list.size(), false);
    for (const Candidate& c : candidates) {
        if (match[c.bsc] >= 0 || taken[c.star])
            continue;
        match[c.bsc] = static_cast<long>(c.star);
        taken[c.star] = true;
    }
    return match;
}

std::vector<Star> mergeStars(const Sources& s) {
    std::vector<Star> list;
    list.reserve(s.hipparcos.size() + s.bsc.size());
    for (const stars::HipStar& hip : s.hipparcos) {
        Star star;
        star.hip = hip.hip;
        star.raDeg = hip.raDeg;
        star.decDeg = hip.decDeg;
        star.v = hip.v;
        star.bMinusV = hip.bMinusV;
        list.push_back(star);
    }
    const std::size_t hipparcosCount = list.size();

    const std::vector<long> match = matchCatalogueStars(s, list);
    for (std::size_t b = 0; b < s.bsc.size(); ++b) {
        const stars::BscStar& bsc = s.bsc[b];
        if (match[b] >= 0) {
            applyCatalogueStar(bsc, list[static_cast<std::size_t>(match[b])]);
        } else {
            Star star;
            star.raDeg = bsc.raDeg;
            star.decDeg = bsc.decDeg;
            applyCatalogueStar(bsc, star);
            list.push_back(star);
        }
    }

    // HD and SAO numbers of the first cross-identification line of a HIP number that has one
    // (the first line is the primary component).
    std::unordered_map<int, std::pair<int, int>> numbers;
    for (const stars::CrossIdLine& line : s.crossIds) {
        auto& [hd, sao] = numbers[line.hip];
        if (hd == 0)
            hd = line.hd;
        if (sao == 0)
            sao = line.sao;
    }
    std::set<std::string> flamsteedConstellations;
    for (const stars::BscStar& bsc : s.bsc) {
        if (bsc.flamsteed != 0)
            flamsteedConstellations.insert(bsc.constellation);
    }

    for (std::size_t i = 0; i < hipparcosCount; ++i) {
        Star& star = list[i];
        if (const auto it = numbers.find(star.hip); it != numbers.end()) {
            if (star.hd == 0)
                star.hd = it->second.first;
            if (star.sao == 0)
                star.sao = it->second.second;
        }
        const bool inCatalogue = star.hr != 0;
        if (const auto it = s.designations.find(star.hip); it != s.designations.end())
            addDesignations(it->second, inCatalogue, flamsteedConstellations, star.designation);
        if (const auto it = s.starNames.find(star.hip); it != s.starNames.end())
            addDesignations(it->second, inCatalogue, flamsteedConstellations, star.designation);
        if (const auto it = s.variables.find(star.hip); it != s.variables.end())
            star.variability = it->second;
        if (const auto it = s.doubles.find(star.hip); it != s.doubles.end() && !star.separation)
            star.separation = it->second;
    }

    std::sort(list.begin(), list.end(),
              [](const Star& a, const Star& b) { return orderKey(a) < orderKey(b); });
    return list;
}

} // namespace

int runStars(const Paths& paths, const std::vector<std::string>& args) {
    if (!args.empty())
        throw DataError("stars: unexpected argument '" + args.front() + "'");
    const Sources sources = readSources(paths.sources);
    std::vector<Star> list = mergeStars(sources);

    std::size_t named = 0;
    for (Star& star : list) {
        if (star.named())
            star.brightIndex = static_cast<int>(++named);
    }
    if (named > kMaxNamedStars)
        throw DataError("stars: " + std::to_string(named) + " named stars, more than the " +
                        std::to_string(kMaxNamedStars) + " the program holds");
    if (list.size() > kMaxStars)
        throw DataError("stars: " + std::to_string(list.size()) + " stars, more than the " +
                        std::to_string(kMaxStars) + " the program holds");

    std::string sky(list.size() * kSkyRecordSize, '\0');
    std::string bright((named + 1) * kBrightRecordSize, '\0'); // record 0 stays unused
    std::size_t withHd = 0, withSao = 0, withSpectral = 0, variable = 0, multiple = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Star& star = list[i];
        writeSkyRecord(star, sky.data() + i * kSkyRecordSize);
        if (star.brightIndex != 0)
            writeBrightRecord(star, bright.data() + static_cast<std::size_t>(star.brightIndex) *
                                                        kBrightRecordSize);
        withHd += star.hd != 0;
        withSao += star.sao != 0;
        withSpectral += !star.spectral.empty();
        variable += star.variability.type != kNoVariabilityType ||
                    star.variability.period.has_value() || star.variability.amplitude.has_value();
        multiple += star.separation.has_value() || star.dmag.has_value();
    }

    const fs::path out(paths.out);
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec)
        throw DataError("cannot create " + out.string() + ": " + ec.message());
    writeDataFile(out / "SKY2000_data.skd", sky);
    writeDataFile(out / "bright_data.skd", bright);
    writeDataFile(out / "tycho_2_b.skd", std::string());

    std::printf("%s: %zu stars (%zu named; HD %zu, SAO %zu, spectral type %zu, variable %zu, "
                "multiple %zu)\n",
                (out / "SKY2000_data.skd").string().c_str(), list.size(), named, withHd, withSao,
                withSpectral, variable, multiple);
    std::printf("%s: %zu records (record 0 unused)\n", (out / "bright_data.skd").string().c_str(),
                named + 1);
    std::printf("%s: 0 records\n", (out / "tycho_2_b.skd").string().c_str());
    return 0;
}

} // namespace datatool
