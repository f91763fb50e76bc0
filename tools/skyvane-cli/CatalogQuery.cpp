#include "CatalogQuery.h"
#include "Commands.h"

#include "Args.h"

#include "astro/MinorBody.h"
#include "catalog/Catalogues.h"
#include "catalog/MinorBodyCatalog.h"
#include "catalog/TextUtil.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace cli {

CatalogQuery parseCatalogQuery(const std::vector<std::string>& words, const std::string& missing,
                               const std::vector<std::string>& valueOptions) {
    CatalogQuery query;
    std::vector<std::string>& options = query.options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].starts_with("--")) {
            options.push_back(words[i]);
            if (i + 1 < words.size())
                options.push_back(words[++i]);
            continue;
        }
        query.text += (query.text.empty() ? "" : " ") + words[i];
    }
    const Args a(options, valueOptions, {});
    if (query.text.empty())
        throw UsageError(missing);
    query.dataDir = a.text("--data", defaultDataFolder());
    return query;
}

std::optional<std::string_view> afterPrefix(std::string_view query, std::string_view prefix) {
    if (query.size() < prefix.size() ||
        !catalog::equalsIgnoringCase(query.substr(0, prefix.size()), prefix))
        return std::nullopt;
    std::string_view rest = query.substr(prefix.size());
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    return rest;
}

namespace {

// A periodic comet's number and letter, "12P" of "12P/Pons-Brooks"; empty for any other
// name.
std::string_view periodicDesignation(std::string_view name) {
    const std::size_t slash = name.find('/');
    if (slash == std::string_view::npos || slash < 2)
        return {};
    const std::string_view d = name.substr(0, slash);
    for (std::size_t i = 0; i + 1 < d.size(); ++i)
        if (d[i] < '0' || d[i] > '9')
            return {};
    return d.back() == 'P' || d.back() == 'D' ? d : std::string_view();
}

// The first body of the catalogue files in folder whose name or full name is the query; a
// periodic comet is found by its number and letter too ("12P").
template <class Body, class Catalog, class Load>
std::optional<Body> findMinorBody(const std::filesystem::path& folder, const std::string& query,
                                  Load load) {
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    // A full name wins over a periodic comet's number met earlier.
    std::optional<Body> byNumber;
    for (const std::filesystem::path& file : files) {
        Catalog catalog;
        if (!load(catalog, file, catalog::CatalogLoadOptions{}).ok())
            continue;
        for (const auto& body : catalog.bodies()) {
            const std::string name = body.name();
            if (catalog::equalsIgnoringCase(name, query) ||
                catalog::equalsIgnoringCase(body.GetName(), query))
                return Body(body);
            const std::string_view periodic = periodicDesignation(name);
            if (!byNumber && !periodic.empty() && catalog::equalsIgnoringCase(periodic, query))
                byNumber = Body(body);
        }
    }
    if (byNumber)
        return byNumber;
    return std::nullopt;
}

} // namespace

std::optional<astro::Asteroid> findAsteroid(const std::filesystem::path& folder,
                                            const std::string& query) {
    return findMinorBody<astro::Asteroid, catalog::AsteroidCatalog>(folder, query,
                                                                    catalog::LoadAsteroidCatalog);
}

std::optional<astro::Comet> findComet(const std::filesystem::path& folder,
                                      const std::string& query) {
    return findMinorBody<astro::Comet, catalog::CometCatalog>(folder, query,
                                                              catalog::LoadCometCatalog);
}

void loadCatalogues(catalog::Catalogues& catalogues, const std::filesystem::path& dataDir) {
    const catalog::Catalogues::Report report = catalogues.LoadAll(dataDir);
    if (!report.starError.empty())
        std::fprintf(stderr, "skyvane-cli: %s\n", report.starError.c_str());
    reportDamaged(report.damaged);
}

const char* kindName(int kind) {
    switch (kind) {
    case astro::KindSun:
        return "sun";
    case astro::KindMoon:
        return "moon";
    case astro::KindAsteroid:
        return "asteroid";
    case astro::KindComet:
        return "comet";
    case astro::KindDeepSky:
        return "deep-sky";
    case astro::KindTychoStar:
        return "tycho";
    case astro::KindCatalogStar:
        return "catalogue";
    case astro::KindNamedStar:
        return "named";
    default:
        return kind >= astro::KindMercury && kind <= astro::KindPluto ? "planet" : "point";
    }
}

} // namespace cli
