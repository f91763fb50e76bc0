#include "Commands.h"

#include "Args.h"
#include "CatalogQuery.h"
#include "ChartOptions.h"
#include "Json.h"

#include "astro/Format.h"
#include "astro/MinorBody.h"
#include "astro/MinorBodyLine.h"
#include "astro/RiseSet.h"
#include "catalog/Catalogues.h"
#include "catalog/ObjectProperties.h"
#include "catalog/TextUtil.h"
#include "chart/SkyChart.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cli {

namespace {

const std::vector<std::string> kValueOptions = {"--ut",  "--lat",   "--lon",      "--tz",
                                                "--dst", "--height", "--place",   "--data",
                                                "--asteroid", "--comet"};
const std::vector<std::string> kFlagOptions = {"--json", "--short"};

bool isValueOption(const std::string& w) {
    for (const std::string& o : kValueOptions)
        if (o == w)
            return true;
    return false;
}

// The words that name the object, joined by blanks, and the options.
struct InfoArgs {
    std::string object;
    std::vector<std::string> options;
};

InfoArgs splitWords(const std::vector<std::string>& words) {
    InfoArgs r;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].starts_with("--")) {
            r.options.push_back(words[i]);
            if (isValueOption(words[i]) && i + 1 < words.size())
                r.options.push_back(words[++i]);
            continue;
        }
        r.object += (r.object.empty() ? "" : " ") + words[i];
    }
    return r;
}

const char* visibilityName(astro::Visibility v) {
    switch (v) {
    case astro::Visibility::NeverRises:
        return "never rises";
    case astro::Visibility::NeverSets:
        return "never sets";
    default:
        return "rises and sets";
    }
}

std::string withLineFeeds(const std::string& crlf) {
    std::string out;
    out.reserve(crlf.size());
    for (std::size_t i = 0; i < crlf.size(); ++i)
        if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n'))
            out += crlf[i];
    return out;
}

void printJson(const astro::SkyPoint& object, const catalog::PropertiesContext& ctx) {
    JsonLine line;
    const int kind = object.GetType();
    line.add("name", object.GetName()).add("kind", kindName(kind));
    line.add("title", catalog::PropertiesTitle(object));
    const catalog::ObjectPlace place = catalog::PlaceOf(object, ctx);
    line.add("ra", place.ra).add("dec", place.dec);
    line.add("ra_text", astro::formatHours(place.ra, 2));
    line.add("dec_text", astro::formatDegrees(place.dec, 1, true));
    line.add("azimuth", place.azimuth).add("altitude", place.altitude);
    line.add("ecliptic_longitude", place.eclipticLongitude)
        .add("ecliptic_latitude", place.eclipticLatitude);
    line.add("constellation", catalog::ConstellationNameOf(object, ctx));
    if (const auto* body = dynamic_cast<const astro::SolarSystemBody*>(&object)) {
        const ephem::EphemerisResult& r = body->results;
        if (kind != astro::KindSun && kind != astro::KindMoon)
            line.add("magnitude", r.magnitude).add("phase", r.phase);
        line.add("distance", r.distance);
        if (kind >= astro::KindSun && kind <= astro::KindPluto)
            line.add("diameter", r.diameter);
        if (kind == astro::KindMoon)
            line.add("phase_code", static_cast<int>(r.moonPhase))
                .add("phase_days", r.moonPhaseDays);
    } else if (const float m = object.GetMagnitude(); m > -10.0f) {
        line.add("magnitude", static_cast<double>(m));
    }
    const astro::RiseTransitSet events = catalog::EventsOf(object, ctx);
    line.add("visibility", visibilityName(events.visibility));
    if (events.visibility == astro::Visibility::RisesAndSets) {
        line.add("rise", events.rise).add("transit", events.transit).add("set", events.set);
        line.add("rise_text", astro::eventHoursText(events.rise))
            .add("transit_text", astro::eventHoursText(events.transit))
            .add("set_text", astro::eventHoursText(events.set));
    }
    if (ctx.bodies && dynamic_cast<const astro::SolarSystemBody*>(&object)) {
        for (const int id : {0, 3, 1, 2, 4, 5, 6, 7, 8, 9}) {
            const astro::SolarSystemBody* other = ctx.bodies->byLibraryId(id);
            if (other && other->GetType() != kind)
                line.add("elongation_" + other->GetName(), astro::angularDistance(object, *other));
        }
    }
    line.add("ut", catalog::PropertiesUniversalTime(ctx.params).toIsoString());
    line.add("latitude", ctx.params.latitude).add("longitude", ctx.params.longitude);
    if (!ctx.placeName.empty())
        line.add("place", ctx.placeName);
    line.print();
}

void printShort(const std::vector<catalog::ShortLine>& lines) {
    for (const catalog::ShortLine& l : lines) {
        if (l.isHeading()) {
            std::string t;
            for (const catalog::ShortRun& r : l.heading)
                t += r.text;
            std::printf("%s\n", t.c_str());
        } else {
            std::printf("%s%s\n", l.label.c_str(), l.value.c_str());
        }
    }
}

} // namespace

int runInfo(const std::vector<std::string>& words) {
    const InfoArgs split = splitWords(words);
    const Args a(split.options, kValueOptions, kFlagOptions);
    const int sources = !split.object.empty() + a.has("--asteroid") + a.has("--comet");
    if (sources != 1)
        throw UsageError("info needs one object: a name or number, --asteroid \"LINE\" or "
                         "--comet \"LINE\"");
    const std::filesystem::path dataDir = a.text("--data", defaultDataFolder());

    catalog::Catalogues catalogues;
    loadCatalogues(catalogues, dataDir);

    // The chart's instant and place: a fixed place of the list (London unless told), or a
    // free place with its own zone.
    chart::SkyChart chart;
    placeChart(a, catalogues.places, chart);
    const catalog::PropertiesContext ctx = catalog::MakePropertiesContext(
        chart, &catalogues.places, &catalogues.constellations, &catalogues.deepSky);

    // The object: an element line, a body, a deep-sky number, a star, a deep-sky name, an
    // asteroid or comet of the shipped catalogues. A minor body is computed for the instant.
    std::optional<astro::Asteroid> asteroid;
    std::optional<astro::Comet> comet;
    const astro::SkyPoint* object = nullptr;
    auto computed = [&ctx](auto& body) -> const astro::SkyPoint* {
        if (!body)
            return nullptr;
        body->Compute(ctx.params);
        return &*body;
    };
    if (a.has("--asteroid") || a.has("--comet")) {
        const bool isComet = a.has("--comet");
        const std::string line = a.text(isComet ? "--comet" : "--asteroid", "");
        object = isComet ? computed(comet = astro::parseCometLine(line))
                         : computed(asteroid = astro::parseAsteroidLine(line));
        if (!object)
            throw UsageError(std::string("cannot read that ") + (isComet ? "comet" : "asteroid") +
                             " line: it needs the fixed columns of the catalogue format");
    } else {
        const std::string& query = split.object;
        for (std::size_t i = 0; i < chart::SolarSystemObjects::kCount && !object; ++i) {
            const astro::SolarSystemBody* body = chart.solarSystem.body(i);
            if (body && catalog::equalsIgnoringCase(body->GetName(), query))
                object = body;
        }
        if (!object && namesDeepSkyNumber(query))
            object = findDeepSky(catalogues.deepSky, query);
        if (!object)
            object = findStar(catalogues.stars, query, dataDir);
        if (!object)
            object = findDeepSky(catalogues.deepSky, query);
        if (!object)
            object = computed(asteroid = findAsteroid(dataDir / "asteroids", query));
        if (!object)
            object = computed(comet = findComet(dataDir / "comets", query));
        if (!object) {
            std::fprintf(stderr, "skyvane-cli: no body, star, deep-sky object, asteroid or comet '%s' in %s\n",
                         query.c_str(), dataDir.c_str());
            return 1;
        }
    }

    if (a.has("--json"))
        printJson(*object, ctx);
    else if (a.has("--short"))
        printShort(catalog::ShortPropertiesLines(*object, ctx));
    else
        std::printf("%s\n%s\n", catalog::PropertiesTitle(*object).c_str(),
                    withLineFeeds(catalog::FullPropertiesText(*object, ctx)).c_str());
    return 0;
}

} // namespace cli
