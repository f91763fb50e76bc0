#include "catalog/ObjectProperties.h"

#include "astro/BodyText.h"
#include "astro/Format.h"
#include "astro/MinorBody.h"
#include "astro/SolarSystemBody.h"
#include "astro/TextNumber.h"
#include "astro/Time.h"
#include "catalog/Constellations.h"
#include "catalog/DeepSky.h"
#include "catalog/Places.h"
#include "catalog/Stars.h"
#include "chart/BayerLetters.h"
#include "chart/ChartPrinting.h"
#include "chart/SkyChart.h"
#include "chart/SolarSystemObjects.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

namespace catalog {

namespace {

constexpr const char* kLine = "\r\n  ";

std::string fixed(double value, int decimals) {
    return astro::formatFixed(value, decimals);
}

std::string integer(int value) {
    return std::to_string(value);
}

bool isBodyKind(int kind) {
    return kind >= astro::KindSun && kind <= astro::KindComet;
}

bool isFixedKind(int kind) {
    return kind == astro::KindDeepSky || chart::isStarKind(kind);
}

// The kinds of the full text and of the short window.
bool isPlanetKind(int kind) {
    return (kind >= astro::KindMercury && kind <= astro::KindPluto) && kind != astro::KindMoon;
}

// A star's magnitude as the files give it; the two sentinels of "none".
std::optional<float> knownMagnitude(float m) {
    if (!std::isfinite(m) || m == kNoStarMagnitude || m == astro::kNoMagnitude)
        return std::nullopt;
    return m;
}

// ---- identifying a picked object

const astro::SolarSystemBody* asBody(const astro::SkyPoint& o) {
    return isBodyKind(o.GetType()) ? dynamic_cast<const astro::SolarSystemBody*>(&o) : nullptr;
}
const TychoStar* asTycho(const astro::SkyPoint& o) {
    return chart::isStarKind(o.GetType()) ? dynamic_cast<const TychoStar*>(&o) : nullptr;
}
const CatalogStar* asCatalogStar(const astro::SkyPoint& o) {
    const int k = o.GetType();
    return k == astro::KindCatalogStar || k == astro::KindNamedStar
               ? dynamic_cast<const CatalogStar*>(&o)
               : nullptr;
}
const NamedStar* asNamedStar(const astro::SkyPoint& o) {
    return o.GetType() == astro::KindNamedStar ? dynamic_cast<const NamedStar*>(&o) : nullptr;
}
const DsoObject* asDeepSky(const astro::SkyPoint& o) {
    return o.GetType() == astro::KindDeepSky ? dynamic_cast<const DsoObject*>(&o) : nullptr;
}

std::string constellationAbbreviation(const astro::SkyPoint& o, const PropertiesContext& ctx) {
    return ctx.constellations ? ctx.constellations->FindConstellationAt(o) : std::string();
}

// "α1 Lyr": the Greek letter, its index when there is one, a blank and the constellation.
std::string bayerText(const NamedStar& star, const std::string& constellation) {
    std::string text(chart::BayerLetterUtf8(star.bayerCode()));
    if (star.bayerIndex() > 0)
        text += integer(star.bayerIndex());
    return text + " " + constellation;
}

// ---- the blocks of the stars

std::string variabilityBlock(const CatalogStar& star) {
    std::string t = "  Variability\r\n";
    if (star.isVariable()) {
        const std::optional<std::string_view> type = star.variabilityText();
        t += "     Type of variability: " + std::string(type.value_or(std::string_view())) + "\r\n";
        const std::optional<float> amplitude = star.amplitude();
        t += amplitude ? "     Amplitude: " + fixed(*amplitude, 2) : std::string("     Amplitude:");
        t += "\r\n";
        t += "     Period: " + fixed(star.period().value_or(0.0), 2) + " days";
    } else {
        t += "     None";
    }
    return t + "\r\n";
}

std::string multiplicityBlock(const CatalogStar& star) {
    std::string t = "  Multiplicity\r\n";
    if (const std::optional<float> separation = star.separation()) {
        t += "     Separation: " + fixed(*separation, 3) + " asec\r\n";
        t += "     Magnitude difference: ";
        if (const std::optional<float> d = star.magnitudeDifference())
            t += fixed(*d, 2);
    } else {
        t += "     None";
    }
    return t + "\r\n";
}

std::string starMagnitudesText(const TychoStar& star) {
    std::string t;
    const std::optional<float> b = star.blueMagnitude();
    t += b ? "Blue magnitude:  " + fixed(*b, 2) + kLine : std::string("Blue magnitude:") + kLine;
    const std::optional<float> v = star.visualMagnitude();
    t += v ? "Visual magnitude:  " + fixed(*v, 2) + kLine : std::string("Visual magnitude:") + kLine;
    return t;
}

// The catalogue star's lines from the Tycho-2 number on.
std::string catalogStarText(const CatalogStar& star, const PropertiesContext& ctx) {
    std::string t;
    if (star.tyc1() != 0)
        t += "Tycho-2 number:  TYC " + star.identifierText() + kLine;
    if (const std::optional<int> hd = star.hdNumber())
        t += "HD number:  " + integer(*hd) + kLine;
    if (const std::optional<int> sao = star.saoNumber())
        t += "SAO number:  " + integer(*sao) + kLine;
    t += "Constellation:  " + ConstellationNameOf(star, ctx) + kLine;
    t += starMagnitudesText(star);
    t += "Spectral class: " + star.spectralType().value_or(std::string()) + kLine;
    t += "\r\n";
    t += variabilityBlock(star);
    t += "\r\n";
    t += multiplicityBlock(star);
    t += kLine + astro::riseTransitSetLongText(EventsOf(star, ctx));
    t += CoordinatesBlock(star, ctx);
    t += ObservingPlaceBlock(ctx);
    return t;
}

std::string namedStarText(const NamedStar& star, const PropertiesContext& ctx) {
    std::string t = kLine;
    if (!star.properName().empty())
        t += "Proper name:  " + std::string(star.properName()) + kLine;
    const std::string abbreviation = constellationAbbreviation(star, ctx);
    if (!chart::BayerLetterUtf8(star.bayerCode()).empty())
        t += "Bayer letter:  " + bayerText(star, abbreviation) + kLine;
    if (star.flamsteed() > 0)
        t += "Flamsteed number:  " + integer(star.flamsteed()) + " " + abbreviation + kLine;
    return t + catalogStarText(star, ctx);
}

std::string tychoStarText(const TychoStar& star, const PropertiesContext& ctx) {
    std::string t = kLine;
    t += "Tycho-2 number:  TYC " + star.identifierText() + kLine;
    t += "Constellation:  " + ConstellationNameOf(star, ctx) + kLine;
    t += starMagnitudesText(star);
    t += kLine + astro::riseTransitSetLongText(EventsOf(star, ctx));
    t += CoordinatesBlock(star, ctx);
    t += ObservingPlaceBlock(ctx);
    return t;
}

// ---- deep sky

// Designations equal but for blanks and letter case: "NGC 224" and "ngc224".
bool sameDesignation(std::string_view a, std::string_view b) {
    auto next = [](std::string_view t, std::size_t& i) {
        while (i < t.size() && t[i] == ' ')
            ++i;
        return i < t.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(t[i++])))
                            : '\0';
    };
    std::size_t i = 0, j = 0;
    for (;;) {
        const char x = next(a, i);
        const char y = next(b, j);
        if (x != y)
            return false;
        if (x == '\0')
            return true;
    }
}

// "NGC 224", "NGC I434", or "Non NGC object" for the four Messier objects outside NGC/IC.
std::string deepSkyHeading(const DsoObject& object) {
    return object.outsideNgc() ? std::string("Non NGC object")
                               : "NGC " + std::string(object.designation());
}

std::string deepSkyText(const DsoObject& object, const PropertiesContext& ctx) {
    std::string t = kLine + deepSkyHeading(object);
    if (object.messier() != 0)
        t += "   ( M" + integer(object.messier()) + " )";
    t += "\r\n\r\n  ";
    const std::string_view common = ctx.deepSky ? ctx.deepSky->commonName(object) : "";
    std::string_view second = ctx.deepSky ? ctx.deepSky->listedDesignation(object) : "";
    // The designation the name is listed under is worth a line only when it is another
    // name than the heading's ("M 42" under NGC 1976, not "NGC 224" again under NGC 224).
    if (sameDesignation(second, object.GetName()))
        second = {};
    t += "Common name:  " + std::string(common);
    if (second.empty())
        t += kLine;
    else
        t += "\r\n      " + std::string(second) + "\r\n\r\n  ";
    t += "Type:  " + std::string(object.typeText()) + kLine;
    const float size = object.size();
    t += size != kNoDsoValue && std::isfinite(size) ? "Size:  " + fixed(size, 1) + "'"
                                                    : std::string("Size:  ");
    t += kLine;
    const float m = object.magnitude();
    if (m == kNoDsoValue || !std::isfinite(m))
        t += "Visual magnitude:  ";
    else if (object.magnitudeQualifier() == 'p')
        t += "Photographic magnitude:  " + astro::magnitudeText(m);
    else
        t += "Visual magnitude:  " + astro::magnitudeText(m);
    t += kLine;
    t += "Constellation:  " + ConstellationNameOf(object, ctx) + kLine;
    t += CoordinatesBlock(object, ctx);
    t += kLine;
    t += "Source of entry:  " + std::string(object.sourceText()) + "\r\n\r\n  ";
    t += kLine;
    t += "Description:  " + object.expandedDescription() + "\r\n\r\n  ";
    t += kLine + astro::riseTransitSetLongText(EventsOf(object, ctx));
    t += ObservingPlaceBlock(ctx);
    return t;
}

// ---- bodies

std::string bodyText(const astro::SolarSystemBody& body, const PropertiesContext& ctx) {
    const int kind = body.GetType();
    const ephem::EphemerisResult& r = body.results;
    std::string t = kLine + body.GetName() + kLine;
    t += CoordinatesBlock(body, ctx);
    t += "\r\n  Constellation:  " + ConstellationNameOf(body, ctx);
    if (kind == astro::KindMoon) {
        t += "\r\n  Phase:  ";
        const double d = std::isfinite(r.moonPhaseDays) ? r.moonPhaseDays : 0.0;
        t += d >= 0.0 ? fixed(d, 1) + " days past " : fixed(-d, 1) + " days before ";
        t += astro::moonPhaseName(r.moonPhase);
        t += "\r\n  True geocentric distance:  " + fixed(r.distance, 4) + " E.r.";
    } else if (kind != astro::KindSun) {
        t += "\r\n  Visual magnitude: " + astro::magnitudeText(r.magnitude);
        if (isPlanetKind(kind))
            t += "\r\n  Equatorial diameter:  " + fixed(r.diameter, 2) + "\"";
        t += "\r\n  Phase:  " + fixed(r.phase, 3);
        t += "\r\n  True geocentric distance:  " + fixed(r.distance, 4) + " au";
    }
    t += "\r\n\r\n  ";
    t += astro::riseTransitSetShortText(EventsOf(body, ctx));
    t += "\r\n\r\n  ";
    t += ElongationsBlock(body, ctx);
    t += "\r\n";
    t += ObservingPlaceBlock(ctx);
    return t;
}

// ---- the short window

ShortLine field(std::string label, std::string value = {}) {
    ShortLine line;
    line.label = std::move(label);
    line.value = std::move(value);
    return line;
}

ShortLine heading(std::string text) {
    ShortLine line;
    line.heading.push_back({ShortFont::Large, std::move(text)});
    return line;
}

// Whole degrees, minutes and seconds of a non-negative angle, the seconds rounded to the
// given decimals and carried into the minutes and degrees when they reach 60.
struct Dms {
    int degrees;
    int minutes;
    double seconds;
};
Dms splitDms(double a, int decimals) {
    if (!std::isfinite(a))
        a = 0.0;
    a = std::fabs(a);
    const double scale = std::pow(10.0, decimals);
    double total = std::round(a * 3600.0 * scale) / scale;
    int d = static_cast<int>(std::floor(total / 3600.0));
    total -= d * 3600.0;
    int m = static_cast<int>(std::floor(total / 60.0));
    double s = total - m * 60.0;
    if (s < 0.0)
        s = 0.0;
    if (m >= 60) {
        m -= 60;
        ++d;
    }
    return {d, m, s};
}

std::string azimuthValue(double azimuth) {
    const Dms v = splitDms(azimuth, 2);
    return " " + integer(v.degrees % 360) + "\u00b0 " + integer(v.minutes) + "' " +
           fixed(v.seconds, 2) + "\"";
}

std::string altitudeValue(double altitude) {
    const Dms v = splitDms(altitude, 1);
    return std::string(" ") + (altitude >= 0.0 ? '+' : '-') + integer(v.degrees) + "\u00b0 " +
           integer(v.minutes) + "' " + fixed(v.seconds, 1) + "\"";
}

void addPositionLines(std::vector<ShortLine>& lines, const astro::SkyPoint& o,
                      const PropertiesContext& ctx) {
    const ObjectPlace place = PlaceOf(o, ctx);
    lines.push_back(field("Az:", azimuthValue(place.azimuth)));
    lines.push_back(field("Alt:", altitudeValue(place.altitude)));
}

void addEventLines(std::vector<ShortLine>& lines, const astro::SkyPoint& o,
                   const PropertiesContext& ctx) {
    const astro::EventCells cells = astro::ephemerisEventCells(EventsOf(o, ctx));
    auto value = [](const std::string& cell) { return cell.empty() ? cell : " " + cell; };
    lines.push_back(field("Rise:", value(cells.rise)));
    lines.push_back(field("Transit:", value(cells.transit)));
    lines.push_back(field("Set:", value(cells.set)));
}

void addStarLines(std::vector<ShortLine>& lines, const TychoStar& star, bool catalogue) {
    lines.push_back(field("TYC:", star.tyc1() != 0 ? " " + star.identifierText() + " " : ""));
    const CatalogStar* c = catalogue ? static_cast<const CatalogStar*>(&star) : nullptr;
    if (c) {
        const std::optional<int> hd = c->hdNumber();
        lines.push_back(field("HD:", hd ? " " + integer(*hd) + " " : ""));
        const std::optional<int> sao = c->saoNumber();
        lines.push_back(field("SAO:", sao ? " " + integer(*sao) + " " : ""));
    }
    const std::optional<float> m = knownMagnitude(star.GetMagnitude());
    lines.push_back(field("Mag:", m ? " " + astro::magnitudeText(*m) : ""));
    if (c) {
        const std::optional<std::string> type = c->spectralType();
        lines.push_back(field("Class:", type ? " " + *type : ""));
    }
}

} // namespace

PropertiesContext MakePropertiesContext(const chart::SkyChart& chart, const PlaceList* places,
                                        const ConstellationData* constellations,
                                        const DsoCatalog* deepSky) {
    PropertiesContext ctx;
    ctx.params = chart.MakeObservationParams();
    ctx.frames = chart.frames();
    if (places)
        ctx.placeName = ObservingPlace(*places, chart.settings.place).PlaceName();
    ctx.bodies = &chart.solarSystem;
    ctx.constellations = constellations;
    ctx.deepSky = deepSky;
    return ctx;
}

chart::PrintPlaceTexts PrintPlaceTextsOf(const chart::SkyChart& chart, const PlaceList* places) {
    // Only the name and the position: no need for the whole properties context (the status
    // bar asks for this at every mouse move).
    return {places ? ObservingPlace(*places, chart.settings.place).PlaceName() : std::string(),
            latitudeText(chart.site.latitude), longitudeText(chart.site.longitude)};
}

std::string PropertiesTitle(const astro::SkyPoint& object) {
    return "About " + object.GetName();
}

PropertiesButtons PropertiesButtonStates(const astro::SkyPoint& object, bool ephemerisAvailable) {
    PropertiesButtons b;
    const int kind = object.GetType();
    b.trail = isBodyKind(kind);
    b.ephemeris = b.trail && ephemerisAvailable;
    if (const DsoObject* dso = asDeepSky(object))
        b.image = dso->imageNumber() != kNoDsoImage;
    return b;
}

ObjectPlace PlaceOf(const astro::SkyPoint& object, const PropertiesContext& ctx) {
    ObjectPlace p;
    p.ra = object.ra();
    p.dec = object.dec();
    const astro::SkyPoint horizontal = astro::toHorizontal(object, ctx.frames);
    p.azimuth = ShownAzimuth(horizontal.ra());
    p.altitude = horizontal.dec();
    const astro::SkyPoint ecliptic = astro::toEcliptic(object, ctx.frames);
    p.eclipticLongitude = ecliptic.ra() * 15.0;
    p.eclipticLatitude = ecliptic.dec();
    return p;
}

astro::RiseTransitSet EventsOf(const astro::SkyPoint& object, const PropertiesContext& ctx) {
    if (const astro::SolarSystemBody* body = asBody(object)) {
        const ephem::EphemerisResult& r = body->results;
        return astro::bodyEvents(body->dec(), ctx.params.latitude, r.rise, r.transit, r.set);
    }
    if (isFixedKind(object.GetType()))
        return astro::fixedObjectEvents(object.ra(), object.dec(), ctx.params);
    astro::RiseTransitSet none;
    none.visibility = astro::classifyVisibility(object.dec(), ctx.params.latitude);
    return none;
}

std::string ConstellationNameOf(const astro::SkyPoint& object, const PropertiesContext& ctx) {
    if (!ctx.constellations)
        return {};
    const std::string abbreviation = ctx.constellations->FindConstellationAt(object);
    const std::string name = ctx.constellations->ConstellationForm(abbreviation, 1);
    // Without the list of names the abbreviation still tells where the object is.
    return name.empty() || name == " " ? abbreviation : name;
}

double ShownAzimuth(double horizontalLongitudeHours) {
    // 360 - 15 h, 0 for exactly 360, then turned by 180: the chart's azimuth from north.
    const double a = astro::azimuthFromNorth(horizontalLongitudeHours);
    return a < 0.0 ? a + 360.0 : (a >= 360.0 ? 0.0 : a);
}

astro::DateTime PropertiesUniversalTime(const astro::ObservationParams& p) {
    return astro::DateTime(p.year, p.month, static_cast<int>(p.day), p.hour, p.minute,
                           static_cast<int>(p.second));
}

astro::DateTime PropertiesLocalTime(const astro::ObservationParams& p) {
    const astro::DateTime ut = PropertiesUniversalTime(p);
    astro::DateTime local = ut;
    if (p.daylightSaving == 1)
        local += chart::ChartClock::kHourDays;
    local += static_cast<double>(p.timeZone) * 3600.0 * chart::ChartClock::kSecondDays;
    local += -0.0002314;
    // The rounded day fractions leave the seconds off by a few; step up to the universal
    // seconds. Twenty steps make up the 0.0002314 days taken off; the bound keeps an
    // invalid date from looping.
    for (int i = 0; i < 120 && local.isValid() && local.second() != ut.second(); ++i)
        local += chart::ChartClock::kSecondDays;
    return local;
}

std::string PropertiesDateTimeText(const astro::DateTime& dt) {
    return dt.toDisplayText();
}

std::string ObservingPlaceBlock(const PropertiesContext& ctx) {
    const astro::ObservationParams& p = ctx.params;
    std::string t = kLine;
    t += "Observing place:\r\n  ";
    if (!ctx.placeName.empty())
        t += "   " + ctx.placeName + kLine;
    t += "   Latitude: " + latitudeText(p.latitude) + " , Longitude: " + longitudeText(p.longitude);
    t += kLine;
    t += "Date/Time:";
    t += kLine;
    t += "   Local: " + PropertiesDateTimeText(PropertiesLocalTime(p)) +
         " ,  DST: " + (p.daylightSaving == 1 ? "Yes" : "No");
    t += kLine;
    const astro::DateTime ut = PropertiesUniversalTime(p);
    t += "   UT: " + PropertiesDateTimeText(ut);
    t += kLine;
    t += "   Julian day: " + fixed(astro::julianDay(ut), 4);
    t += kLine;
    return t;
}

std::string CoordinatesBlock(const astro::SkyPoint& object, const PropertiesContext& ctx) {
    const ObjectPlace p = PlaceOf(object, ctx);
    std::string t = kLine;
    t += "Coordinates:\r\n  ";
    t += "   Equatorial\r\n  ";
    t += "      R. A. :  " + astro::formatHours(p.ra, 2);
    t += "\r\n        Declination:  " + astro::formatDegrees(p.dec, 1, true);
    t += kLine;
    t += "   Azimuthal\r\n  ";
    // An azimuth that would print as 360 (at the text's hundredths of a second) is north, 0.
    const double azimuth = p.azimuth >= 360.0 - 0.005 / 3600.0 ? 0.0 : p.azimuth;
    t += "      Azimuth:  " + astro::formatDegrees(azimuth, 2, false);
    t += "\r\n        Altitude:  " + astro::formatDegrees(p.altitude, 1, true);
    t += kLine;
    t += "   Ecliptic\r\n  ";
    t += "      Longitude:  " + astro::formatDegrees(p.eclipticLongitude, 2, false);
    t += "\r\n        Latitude:  " + astro::formatDegrees(p.eclipticLatitude, 1, true);
    t += kLine;
    return t;
}

std::string ElongationsBlock(const astro::SkyPoint& object, const PropertiesContext& ctx) {
    // The Sun and the Moon first, then the planets outwards: library ids.
    static constexpr std::array<int, 10> kOrder = {0, 3, 1, 2, 4, 5, 6, 7, 8, 9};
    std::string t = "Elongation from";
    if (!ctx.bodies)
        return t;
    for (const int id : kOrder) {
        const astro::SolarSystemBody* body = ctx.bodies->byLibraryId(id);
        if (!body || body->GetType() == object.GetType())
            continue;
        t += "\r\n     " + body->GetName() + ":  " +
             astro::formatDegrees(astro::angularDistance(object, *body), 0, false);
    }
    return t;
}

std::string FullPropertiesText(const astro::SkyPoint& object, const PropertiesContext& ctx) {
    if (const astro::SolarSystemBody* body = asBody(object))
        return bodyText(*body, ctx);
    if (const NamedStar* named = asNamedStar(object))
        return namedStarText(*named, ctx);
    if (const CatalogStar* star = asCatalogStar(object))
        return kLine + catalogStarText(*star, ctx);
    if (const TychoStar* tycho = asTycho(object))
        return tychoStarText(*tycho, ctx);
    if (const DsoObject* dso = asDeepSky(object))
        return deepSkyText(*dso, ctx);
    return kLine + object.GetName() + kLine;
}

std::vector<ShortLine> ShortPropertiesLines(const astro::SkyPoint& object,
                                            const PropertiesContext& ctx) {
    std::vector<ShortLine> lines;
    const int kind = object.GetType();
    if (const NamedStar* named = asNamedStar(object)) {
        ShortLine name;
        if (!named->properName().empty())
            name.heading.push_back({ShortFont::Large, std::string(named->properName())});
        const std::string_view greek = chart::BayerLetterUtf8(named->bayerCode());
        if (!greek.empty()) {
            if (!name.heading.empty())
                name.heading.push_back({ShortFont::Large, "  "});
            name.heading.push_back({ShortFont::Greek, std::string(greek)});
            std::string rest;
            if (named->bayerIndex() > 0)
                rest += integer(named->bayerIndex());
            rest += " " + constellationAbbreviation(*named, ctx);
            name.heading.push_back({ShortFont::Large, rest});
        }
        if (name.heading.empty())
            name.heading.push_back({ShortFont::Large, named->GetName()});
        lines.push_back(std::move(name));
        lines.push_back(
            field("Flamst:", named->flamsteed() > 0 ? " " + integer(named->flamsteed()) + " " : ""));
        addStarLines(lines, *named, true);
        addPositionLines(lines, object, ctx);
    } else if (const CatalogStar* star = asCatalogStar(object)) {
        addStarLines(lines, *star, true);
        addPositionLines(lines, object, ctx);
    } else if (const TychoStar* tycho = asTycho(object)) {
        addStarLines(lines, *tycho, false);
        addPositionLines(lines, object, ctx);
    } else if (const astro::SolarSystemBody* body = asBody(object)) {
        lines.push_back(heading(body->GetName()));
        const ephem::EphemerisResult& r = body->results;
        if (kind == astro::KindMoon) {
            const double d = std::isfinite(r.moonPhaseDays) ? r.moonPhaseDays : 0.0;
            const std::string days = d < 0.0 ? fixed(d, 1) : "+" + fixed(d == 0.0 ? 0.0 : d, 1);
            lines.push_back(field("Phase:", std::string(" ") + astro::moonPhaseName(r.moonPhase) +
                                                " " + days + " days"));
        } else if (kind != astro::KindSun) {
            lines.push_back(field("Vis. magn:", " " + astro::magnitudeText(r.magnitude)));
        }
        addPositionLines(lines, object, ctx);
        if (kind <= astro::KindPluto)
            addEventLines(lines, object, ctx);
    } else if (const DsoObject* dso = asDeepSky(object)) {
        ShortLine name = heading(deepSkyHeading(*dso));
        if (dso->messier() != 0)
            name.heading.front().text += "   ( M" + integer(dso->messier()) + " )";
        lines.push_back(std::move(name));
        const std::string_view type = dso->typeText();
        lines.push_back(field("Type:", type.empty() ? "" : " " + std::string(type)));
        const float size = dso->size();
        lines.push_back(
            field("Size:", size != kNoDsoValue && std::isfinite(size) ? " " + fixed(size, 1) + "'"
                                                                      : ""));
        const float m = dso->magnitude();
        lines.push_back(
            field("Mag:", m != kNoDsoValue && std::isfinite(m) ? " " + astro::magnitudeText(m) : ""));
        addPositionLines(lines, object, ctx);
    } else {
        lines.push_back(heading(object.GetName()));
        addPositionLines(lines, object, ctx);
    }
    return lines;
}

ShortColours ShortPropertiesColours(int viewMode) {
    switch (viewMode) {
    case 1:
        return {{25, 25, 35}, {130, 130, 130}, {170, 170, 130}};
    case 2:
        return {{0, 0, 0}, {45, 45, 45}, {65, 65, 65}};
    case 3:
        return {{0, 0, 0}, {150, 0, 0}, {255, 0, 0}};
    default:
        return {{225, 225, 225}, {0, 0, 0}, {0, 0, 0}};
    }
}

} // namespace catalog
