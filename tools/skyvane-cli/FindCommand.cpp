#include "Commands.h"

#include "Args.h"
#include "CatalogQuery.h"
#include "ChartOptions.h"
#include "Json.h"

#include "astro/MinorBody.h"
#include "catalog/Catalogues.h"
#include "catalog/SearchModels.h"
#include "catalog/TextUtil.h"
#include "chart/BayerLetters.h"
#include "chart/SkyChart.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

namespace {

// The Greek letters by name, in the order of the Bayer letter codes 1..24.
constexpr std::array<std::string_view, 24> kGreekNames = {
    "alpha", "beta",  "gamma",  "delta",   "epsilon", "zeta", "eta",     "theta",
    "iota",  "kappa", "lambda", "mu",      "nu",      "xi",   "omicron", "pi",
    "rho",   "sigma", "tau",    "upsilon", "phi",     "chi",  "psi",     "omega"};

// The list index of the constellation named by its name, abbreviation or genitive in any
// letter case.
std::optional<std::size_t> constellationIndex(const catalog::ConstellationData& constellations,
                                              std::string_view text) {
    const auto& entries = constellations.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (catalog::equalsIgnoringCase(entries[i].name, text) ||
            catalog::equalsIgnoringCase(entries[i].abbreviation, text) ||
            catalog::equalsIgnoringCase(entries[i].genitive, text))
            return i;
    return std::nullopt;
}

// "alpha UMi", "α UMi", "alpha1 Cen", "alpha-2 Cen", "alpha 2 Cen": the letter code, the
// optional index and the constellation number; none when the words are not of that form.
struct BayerName {
    int code = 0;
    std::optional<int> index;
    int constellation = 0;
};

std::optional<BayerName> parseBayer(const catalog::ConstellationData& constellations,
                                    std::string_view query) {
    const std::size_t blank = query.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    std::string_view letter = query.substr(0, blank);
    std::string_view rest = catalog::trimBlanks(query.substr(blank + 1));

    BayerName name;
    for (int code = 1; code <= 24 && name.code == 0; ++code) {
        for (std::string_view form :
             {kGreekNames[static_cast<std::size_t>(code - 1)], chart::BayerLetterUtf8(code)}) {
            if (letter.size() >= form.size() &&
                catalog::equalsIgnoringCase(letter.substr(0, form.size()), form)) {
                // "omicron" is not "o" followed by letters: the rest must be an index.
                std::string_view tail = letter.substr(form.size());
                if (!tail.empty() && tail.front() == '-')
                    tail.remove_prefix(1);
                if (!tail.empty() && tail.find_first_not_of("0123456789") != std::string_view::npos)
                    continue;
                name.code = code;
                if (!tail.empty())
                    name.index = std::stoi(std::string(tail.substr(0, 3)));
                break;
            }
        }
    }
    if (name.code == 0)
        return std::nullopt;
    // "alpha 2 Cen": the index as a word of its own.
    if (!name.index && !rest.empty() && std::isdigit(static_cast<unsigned char>(rest.front()))) {
        const std::size_t end = rest.find(' ');
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view digits = rest.substr(0, end);
        if (digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        name.index = std::stoi(std::string(digits));
        rest = catalog::trimBlanks(rest.substr(end + 1));
    }
    const std::optional<std::size_t> c = constellationIndex(constellations, rest);
    if (!c)
        return std::nullopt;
    name.constellation = static_cast<int>(*c) + 1;
    return name;
}

double rounded(double v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::round(v * f) / f;
}

class Printer {
public:
    explicit Printer(const catalog::ConstellationData& constellations)
        : m_constellations(constellations) {}

    void constellation(const catalog::ConstellationEntry& e) {
        JsonLine line;
        line.add("kind", "constellation").add("name", e.name);
        line.add("abbreviation", e.abbreviation).add("genitive", e.genitive);
        line.add("ra", e.labelRa).add("dec", e.labelDec);
        line.print();
        ++m_count;
    }

    // A body of the solar system carries its magnitude in its results; the Sun and the Moon
    // are left without one, as in the properties.
    void object(const astro::SkyPoint& o, std::optional<double> magnitude) {
        JsonLine line;
        line.add("kind", kindName(o.GetType())).add("name", o.GetName());
        line.add("ra", rounded(o.ra(), 9)).add("dec", rounded(o.dec(), 6));
        if (magnitude)
            line.add("magnitude", rounded(*magnitude, 3));
        if (!m_constellations.bands().empty())
            line.add("constellation", m_constellations.FindConstellationAt(o));
        line.print();
        ++m_count;
    }

    int count() const { return m_count; }

private:
    const catalog::ConstellationData& m_constellations;
    int m_count = 0;
};

std::optional<double> bodyMagnitude(const astro::SolarSystemBody& body) {
    const int kind = body.GetType();
    if (kind == astro::KindSun || kind == astro::KindMoon)
        return std::nullopt;
    return body.results.magnitude;
}

std::optional<double> starMagnitude(const catalog::TychoStar& star) {
    const float m = star.GetMagnitude();
    return m > catalog::kNoStarMagnitude ? std::optional<double>(m) : std::nullopt;
}

} // namespace

int runFind(const std::vector<std::string>& words) {
    const CatalogQuery q = parseCatalogQuery(words, "find needs a name or designation to look for",
                                             {"--data", "--ut", "--lat", "--lon"});
    const Args a(q.options, {"--data", "--ut", "--lat", "--lon"}, {});
    if (a.has("--lat") != a.has("--lon"))
        throw UsageError("--lat and --lon go together");
    const std::string& query = q.text;

    // The chart the bodies are computed for: London unless told, now unless told.
    chart::SkyChart chart;
    if (a.has("--lat")) {
        chart.site.latitude = a.number("--lat", 0.0, -90.0, 90.0);
        chart.site.longitude = a.number("--lon", 0.0, -180.0, 360.0);
        chart.settings.place.latitude = chart.site.latitude;
        chart.settings.place.longitude = chart.site.longitude;
    }
    chart.clock.Universal = parseUt(a, false);

    catalog::Catalogues catalogues;
    loadCatalogues(catalogues, q.dataDir);
    chart.UpdateTime();
    const astro::ObservationParams params = chart.MakeObservationParams();
    Printer out(catalogues.constellations);

    if (const auto c = constellationIndex(catalogues.constellations, query))
        out.constellation(catalogues.constellations.entries()[*c]);

    for (std::size_t i = 0; i < chart::SolarSystemObjects::kCount; ++i) {
        const astro::SolarSystemBody* body = chart.solarSystem.body(i);
        if (catalog::equalsIgnoringCase(body->GetName(), query))
            out.object(*body, bodyMagnitude(*body));
    }

    if (const catalog::DsoObject* dso = findDeepSky(catalogues.deepSky, query))
        out.object(*dso, dso->magnitude() != catalog::kNoDsoValue
                             ? std::optional<double>(dso->magnitude())
                             : std::nullopt);

    const catalog::TychoStar* star = findStar(catalogues.stars, query, q.dataDir);
    if (!star)
        if (const auto bayer = parseBayer(catalogues.constellations, query))
            star = catalog::FindStarByBayer(catalogues.stars, catalogues.constellations,
                                            bayer->code, bayer->constellation, bayer->index);
    if (star)
        out.object(*star, starMagnitude(*star));

    if (std::optional<astro::Asteroid> asteroid = findAsteroid(q.dataDir / "asteroids", query)) {
        asteroid->Compute(params);
        out.object(*asteroid, bodyMagnitude(*asteroid));
    }
    if (std::optional<astro::Comet> comet = findComet(q.dataDir / "comets", query)) {
        comet->Compute(params);
        out.object(*comet, bodyMagnitude(*comet));
    }

    if (out.count() == 0) {
        std::fprintf(stderr,
                     "skyvane-cli: no constellation, body, deep-sky object, star, asteroid or "
                     "comet '%s' in %s\n",
                     query.c_str(), q.dataDir.c_str());
        return 1;
    }
    return 0;
}

} // namespace cli
