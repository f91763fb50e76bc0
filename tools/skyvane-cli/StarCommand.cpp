#include "Commands.h"

#include "Args.h"
#include "CatalogQuery.h"
#include "Json.h"

#include "astro/Format.h"
#include "catalog/ConstellationLookup.h"
#include "catalog/Constellations.h"
#include "catalog/SearchModels.h"
#include "catalog/Stars.h"
#include "catalog/TextUtil.h"
#include "catalog/TychoStore.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

namespace {

// A positive whole number written with digits only.
struct CrossIds {
    int sao = 0;
    int hd = 0;
};

// The SAO and HD numbers of a Hipparcos star from the tab-separated cross identifications
// (HIP, component, SAO, HD, HR); none when the file or the star is missing.
std::optional<CrossIds> hipCrossIdentification(const std::filesystem::path& file, int hip) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cols;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cols.push_back(line.substr(start, tab - start));
        cols.push_back(line.substr(start));
        if (cols.size() < 4 || std::atoi(cols[0].c_str()) != hip)
            continue;
        return CrossIds{std::atoi(cols[2].c_str()), std::atoi(cols[3].c_str())};
    }
    return std::nullopt;
}

std::optional<int> parseNumber(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n > 0 ? std::optional<int>(n) : std::nullopt;
}

int requireNumber(std::string_view text, const std::string& query) {
    const auto n = parseNumber(text);
    if (!n)
        throw UsageError("'" + query + "' needs a positive catalogue number");
    return *n;
}

// A magnitude or another small float of the files, without float noise in the output.
double rounded(double v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::round(v * f) / f;
}

void printStar(const catalog::TychoStar& star, const std::string& constellation) {
    JsonLine line;
    line.add("name", star.GetName());
    const int type = star.GetType();
    line.add("kind", type == astro::KindNamedStar     ? "named"
                     : type == astro::KindCatalogStar ? "catalogue"
                                                      : "tycho");
    if (star.tyc1() != 0)
        line.add("tyc", star.identifierText());
    const auto* cat =
        type != astro::KindTychoStar ? static_cast<const catalog::CatalogStar*>(&star) : nullptr;
    const auto* named =
        type == astro::KindNamedStar ? static_cast<const catalog::NamedStar*>(&star) : nullptr;
    if (cat) {
        if (auto hd = cat->hdNumber())
            line.add("hd", *hd);
        if (auto sao = cat->saoNumber())
            line.add("sao", *sao);
    }
    if (named) {
        if (named->bayerCode() >= 1 && named->bayerCode() <= 24) {
            line.add("bayer", std::string(catalog::BayerLetterUtf8(named->bayerCode())));
            if (named->bayerIndex() != 0)
                line.add("bayer_index", named->bayerIndex());
        }
        if (named->flamsteed() != 0)
            line.add("flamsteed", named->flamsteed());
        if (!named->properName().empty())
            line.add("proper_name", std::string(named->properName()));
    }
    line.add("ra", star.ra()).add("dec", star.dec());
    line.add("ra_text", astro::formatHours(star.ra(), 1));
    line.add("dec_text", astro::formatDegrees(star.dec(), 0, true));
    line.add("magnitude", rounded(star.GetMagnitude(), 3));
    if (auto bt = star.blueMagnitude())
        line.add("bt", rounded(*bt, 3));
    if (auto vt = star.visualMagnitude())
        line.add("vt", rounded(*vt, 3));
    if (cat) {
        if (auto sp = cat->spectralType())
            line.add("spectral_type", *sp);
        line.add("spectral_class", cat->spectralClassIndex());
        if (auto v = cat->separation())
            line.add("separation", rounded(*v, 3));
        if (auto v = cat->magnitudeDifference())
            line.add("magnitude_difference", rounded(*v, 2));
        if (auto v = cat->amplitude())
            line.add("amplitude", rounded(*v, 2));
        if (auto v = cat->period())
            line.add("period", *v);
        if (auto v = cat->variabilityType()) {
            line.add("variability_type", *v);
            line.add("variability", std::string(*cat->variabilityText()));
        }
    }
    if (!constellation.empty())
        line.add("constellation", constellation);
    line.print();
}

template <class Stars, class Match>
const catalog::TychoStar* findIn(const Stars& stars, Match match) {
    for (const auto& s : stars)
        if (match(s))
            return &s;
    return nullptr;
}

} // namespace

const catalog::TychoStar* findStar(catalog::StarCatalog& stars, const std::string& query,
                                   const std::filesystem::path& dataDir) {
    const catalog::TychoStar* found = nullptr;
    if (auto hip = afterPrefix(query, "HIP")) {
        // The star files keep no Hipparcos numbers: go through the cross identifications
        // the star files were built from.
        const int n = requireNumber(*hip, query);
        const std::filesystem::path crossIds = dataDir / "sources" / "stellarium" / "cross-id.dat";
        const auto ids = hipCrossIdentification(crossIds, n);
        if (!ids)
            throw UsageError("HIP " + std::to_string(n) + " is not in " + crossIds.string());
        if (ids->hd > 0)
            found = catalog::FindStarByHd(stars, ids->hd);
        if (!found && ids->sao > 0)
            found = catalog::FindStarBySao(stars, ids->sao);
    } else if (auto hd = afterPrefix(query, "HD")) {
        found = catalog::FindStarByHd(stars, requireNumber(*hd, query));
    } else if (auto sao = afterPrefix(query, "SAO")) {
        found = catalog::FindStarBySao(stars, requireNumber(*sao, query));
    } else if (auto tyc = afterPrefix(query, "TYC")) {
        int t1 = 0, t2 = 0, t3 = 0;
        char end = 0;
        const std::string id(*tyc);
        if (std::sscanf(id.c_str(), "%d-%d-%d%c", &t1, &t2, &t3, &end) != 3 || t1 < 1 || t2 < 1 ||
            t3 < 1 || t3 > 3)
            throw UsageError("'" + query + "' is not a Tycho-2 identifier such as TYC 4-1234-1");
        found = catalog::FindStarByTycho(stars, t1, t2, t3);
    } else {
        found = findIn(stars.namedStars(), [&](const catalog::NamedStar& s) {
            return catalog::equalsIgnoringCase(s.properName(), query);
        });
        if (!found)
            found = findIn(stars.namedStars(), [&](const catalog::NamedStar& s) {
                return catalog::equalsIgnoringCase(s.GetName(), query);
            });
    }
    return found;
}

int runStar(const std::vector<std::string>& words) {
    const CatalogQuery q =
        parseCatalogQuery(words, "star needs a name, 'HD n', 'SAO n' or 'TYC a-b-c'");
    const std::string& query = q.text;
    const std::filesystem::path& dataDir = q.dataDir;
    catalog::StarCatalog stars;
    const catalog::StarLoadResult loaded = stars.LoadStarCatalogs(dataDir);
    if (!loaded.ok()) {
        std::fprintf(stderr, "skyvane-cli: %s\n", loaded.error.c_str());
        return 1;
    }
    catalog::ConstellationData constellations;
    const bool haveBands = constellations.LoadBoundaryBands(dataDir) > 0;
    std::vector<std::string> damaged = loaded.damaged;
    for (const std::string& line : constellations.damaged())
        damaged.push_back(line);
    reportDamaged(damaged);
    if (haveBands)
        catalog::setConstellationLookup(&constellations);

    const catalog::TychoStar* found = findStar(stars, query, dataDir);
    if (!found) {
        std::fprintf(stderr, "skyvane-cli: no star '%s' in the star files of %s\n", query.c_str(),
                     dataDir.c_str());
        catalog::setConstellationLookup(nullptr);
        return 1;
    }
    const std::string constellation = haveBands ? constellations.FindConstellationAt(*found) : "";
    printStar(*found, constellation);
    catalog::setConstellationLookup(nullptr);
    return 0;
}

} // namespace cli
