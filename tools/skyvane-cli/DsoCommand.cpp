#include "Commands.h"

#include "Args.h"
#include "CatalogQuery.h"
#include "Json.h"

#include "astro/Format.h"
#include "catalog/Constellations.h"
#include "catalog/DeepSky.h"
#include "catalog/TextUtil.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

namespace {

// The text after a catalogue prefix ("NGC 224", "ngc224"); none when the query does not
// start with the prefix followed by a digit, with or without blanks between.
std::optional<std::string_view> numberAfterPrefix(std::string_view query, std::string_view prefix) {
    const std::optional<std::string_view> rest = afterPrefix(query, prefix);
    if (!rest || rest->empty() || !std::isdigit(static_cast<unsigned char>(rest->front())))
        return std::nullopt;
    return rest;
}

std::string_view withoutLeadingZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    return digits;
}

int requireMessier(std::string_view digits, const std::string& query) {
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || n > 1000)
            throw UsageError("'" + query + "' is not a Messier number such as M 31");
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > 110)
        throw UsageError("'" + query + "': Messier numbers run from 1 to 110");
    return n;
}

template <class Match>
const catalog::DsoObject* findObject(const catalog::DsoCatalog& dso, Match match) {
    for (const catalog::DsoObject& o : dso.objects())
        if (match(o))
            return &o;
    return nullptr;
}

const catalog::DsoObject* findByDesignation(const catalog::DsoCatalog& dso,
                                            std::string_view designation) {
    return findObject(dso, [designation](const catalog::DsoObject& o) {
        return catalog::equalsIgnoringCase(o.designation(), designation);
    });
}

// The object of a common name: exact letter case first, then any.
const catalog::DsoObject* findByName(const catalog::DsoCatalog& dso, const std::string& query) {
    const auto& names = dso.names();
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool same = pass == 0 ? names[i].commonName == query
                                        : catalog::equalsIgnoringCase(names[i].commonName, query);
            if (!same)
                continue;
            const int index = static_cast<int>(i);
            if (const auto* o = findObject(
                    dso, [index](const catalog::DsoObject& x) { return x.namesIndex() == index; }))
                return o;
            if (!names[i].designation.empty())
                if (const auto* o = findByDesignation(dso, names[i].designation))
                    return o;
        }
    }
    return nullptr;
}

double rounded(double v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::round(v * f) / f;
}

// "+41° 16' 00"": the declination is a 32-bit float in the file, so it is rounded to whole
// arc seconds before it is split (the catalogue gives whole arc minutes).
std::string declinationText(double dec) {
    const long long total = std::llround(std::fabs(dec) * 3600.0);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%c%02lld\u00b0 %02lld' %02lld\"", dec < 0.0 ? '-' : '+',
                  total / 3600, total / 60 % 60, total % 60);
    return buf;
}

void printObject(const catalog::DsoCatalog& dso, const catalog::DsoObject& o,
                 const catalog::ConstellationData& constellations) {
    JsonLine line;
    line.add("name", o.GetName());
    line.add("designation", std::string(o.designation()));
    if (o.messier() != 0)
        line.add("messier", o.messier()).add("messier_text", o.messierText());
    if (const catalog::DsoNameEntry* e = dso.nameEntry(o)) {
        line.add("common_name", e->commonName);
        if (!e->designation.empty())
            line.add("listed_designation", e->designation);
    }
    line.add("type_code", std::string(o.typeCode()));
    line.add("type", std::string(o.typeText()));
    line.add("ra", rounded(o.ra(), 9)).add("dec", rounded(o.dec(), 6));
    line.add("ra_text", astro::formatHours(o.ra(), 1));
    line.add("dec_text", declinationText(o.dec()));
    line.add("constellation", std::string(o.constellation()));
    if (o.constellationNumber() != catalog::ConstellationData::kNoConstellation) {
        line.add("constellation_number", o.constellationNumber());
        line.add("constellation_name",
                 constellations.ConstellationFormByNumber(o.constellationNumber(), 1));
    }
    if (o.size() != catalog::kNoDsoValue)
        line.add("size", rounded(o.size(), 2));
    if (o.magnitude() != catalog::kNoDsoValue) {
        line.add("magnitude", rounded(o.magnitude(), 2));
        line.add("magnitude_kind", o.magnitudeQualifier() == 'p' ? "photographic" : "visual");
    }
    line.add("source_code", std::string(1, o.sourceCode()));
    line.add("source", std::string(o.sourceText()));
    line.add("description", std::string(o.description()));
    line.add("expanded_description", o.expandedDescription());
    if (o.imageNumber() != catalog::kNoDsoImage)
        line.add("image", o.imageNumber());
    line.print();
}

} // namespace

bool namesDeepSkyNumber(std::string_view query) {
    return numberAfterPrefix(query, "NGC") || numberAfterPrefix(query, "IC") ||
           numberAfterPrefix(query, "M");
}

const catalog::DsoObject* findDeepSky(const catalog::DsoCatalog& dso, const std::string& query) {
    const catalog::DsoObject* found = nullptr;
    if (auto ngc = numberAfterPrefix(query, "NGC")) {
        found = findByDesignation(dso, withoutLeadingZeros(*ngc));
    } else if (auto ic = numberAfterPrefix(query, "IC")) {
        found = findByDesignation(dso, "I" + std::string(withoutLeadingZeros(*ic)));
    } else if (auto m = numberAfterPrefix(query, "M")) {
        const int messier = requireMessier(*m, query);
        found = findObject(
            dso, [messier](const catalog::DsoObject& o) { return o.messier() == messier; });
    } else {
        found = findByName(dso, query);
        if (!found)
            found = findByDesignation(dso, query);
    }
    return found;
}

int runDso(const std::vector<std::string>& words) {
    const CatalogQuery q =
        parseCatalogQuery(words, "dso needs 'NGC n', 'IC n', 'M n' or a common name");
    const std::string& query = q.text;
    const std::filesystem::path& dataDir = q.dataDir;
    catalog::ConstellationData constellations;
    constellations.LoadConstellationList(dataDir);
    catalog::DsoCatalog dso;
    const catalog::DsoLoadResult loaded = dso.LoadDsoCatalog(dataDir, &constellations);
    for (const std::string& problem : loaded.problems)
        std::fprintf(stderr, "skyvane-cli: %s\n", problem.c_str());
    std::vector<std::string> damaged = constellations.damaged();
    damaged.insert(damaged.end(), loaded.damaged.begin(), loaded.damaged.end());
    reportDamaged(damaged);

    const catalog::DsoObject* found = findDeepSky(dso, query);
    if (!found) {
        std::fprintf(stderr, "skyvane-cli: no deep-sky object '%s' in the files of %s\n",
                     query.c_str(), dataDir.c_str());
        return 1;
    }
    printObject(dso, *found, constellations);
    return 0;
}

} // namespace cli
