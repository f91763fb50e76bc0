// The properties of picked objects: the full texts of every kind with their shared blocks,
// the short window's lines, and the rules both follow (azimuth, local time, missing values).
#include "catalog/ObjectProperties.h"

#include "astro/BodyText.h"
#include "astro/Format.h"
#include "astro/MinorBody.h"
#include "astro/RiseSet.h"
#include "catalog/Catalogues.h"
#include "chart/SkyChart.h"

#include "ShippedCatalogues.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using catalog::PropertiesContext;
using catalog::ShortLine;

namespace {

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Every line break of a properties text is CR-LF.
bool onlyCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            return false;
    }
    return true;
}

const ShortLine* lineWithLabel(const std::vector<ShortLine>& lines, const std::string& label) {
    for (const ShortLine& l : lines)
        if (!l.isHeading() && l.label == label)
            return &l;
    return nullptr;
}

std::string headingText(const ShortLine& line) {
    std::string t;
    for (const catalog::ShortRun& r : line.heading)
        t += r.text;
    return t;
}

// The shipped catalogues, loaded once, and a chart at a chosen place and instant.
class Properties : public testutil::ShippedCatalogues {
protected:
    void SetUp() override { at(51.5074, -0.1278, 0.0f, 0, astro::DateTime(2026, 12, 8, 22, 0, 0)); }

    // The chart at a free place (no name), zone and daylight saving, computed for the UT.
    void at(double lat, double lon, float zone, int dst, const astro::DateTime& ut) {
        chart.site = astro::Site{lat, lon, zone, 0.0, 10.0, 1000.0};
        chart.settings.place.latitude = lat;
        chart.settings.place.longitude = lon;
        chart.clock.Universal = ut;
        chart.clock.DaylightSaving = dst;
        chart.UpdateTime();
        ctx = catalog::MakePropertiesContext(chart, &catalogues->places,
                                             &catalogues->constellations, &catalogues->deepSky);
    }

    static const catalog::NamedStar& named(std::string_view name) {
        for (const catalog::NamedStar& s : catalogues->stars.namedStars())
            if (s.properName() == name)
                return s;
        ADD_FAILURE() << "no star " << name;
        return catalogues->stars.namedStars()[0];
    }
    static const catalog::DsoObject& messier(int m) {
        for (const catalog::DsoObject& o : catalogues->deepSky.objects())
            if (o.messier() == m)
                return o;
        ADD_FAILURE() << "no M" << m;
        return catalogues->deepSky.objects()[0];
    }

    chart::SkyChart chart;
    PropertiesContext ctx;
};

// A faint resident star (kind 19) with a Tycho-2 number but neither HD nor SAO number.
catalog::CatalogStar faintResident() {
    std::array<unsigned char, catalog::kTychoRecordSize> r{};
    auto put16 = [&r](std::size_t at, int v) {
        r[at] = static_cast<unsigned char>(v & 0xFF);
        r[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
    };
    auto put32 = [&r](std::size_t at, std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (std::size_t i = 0; i < 4; ++i)
            r[at + i] = static_cast<unsigned char>((u >> (8 * i)) & 0xFF);
    };
    const astro::SkyPoint p(5.5, 10.0);
    put16(0, 123);
    put16(2, 456);
    put32(4, static_cast<std::int32_t>(std::lround(p.x() * 1e9)));
    put32(8, static_cast<std::int32_t>(std::lround(p.y() * 1e9)));
    put32(12, static_cast<std::int32_t>(std::lround(p.z() * 1e9)));
    put16(16, 9870);
    put16(18, 9120);
    return catalog::CatalogStar::FromTychoRecord(r);
}

TEST_F(Properties, NamedStarTextHasItsNamesNumbersBlocksAndCircumpolarCase) {
    const catalog::NamedStar& vega = named("Vega");
    const std::string t = catalog::FullPropertiesText(vega, ctx);
    EXPECT_EQ(catalog::PropertiesTitle(vega), "About Vega");
    EXPECT_EQ(t.rfind("\r\n  Proper name:  Vega\r\n  ", 0), 0u) << t;
    EXPECT_NE(t.find("Bayer letter:  \u03b1 Lyr\r\n  "), std::string::npos);
    EXPECT_NE(t.find("Flamsteed number:  3 Lyr\r\n  "), std::string::npos);
    EXPECT_NE(t.find("HD number:  172167\r\n  SAO number:  67174\r\n  Constellation:  Lyra\r\n  "),
              std::string::npos);
    EXPECT_EQ(t.find("Tycho-2 number"), std::string::npos); // the resident stars carry none
    EXPECT_NE(t.find("Visual magnitude:  0.03\r\n  Spectral class: A0\r\n  "), std::string::npos);
    // Vega is variable and double in the catalogue.
    EXPECT_NE(t.find("  Variability\r\n     Type of variability: pulsating\r\n     Amplitude: 0.09"
                     "\r\n     Period: 0.19 days\r\n"),
              std::string::npos);
    EXPECT_NE(t.find("  Multiplicity\r\n     Separation: 62.800 asec\r\n     Magnitude difference: "
                     "10.40\r\n"),
              std::string::npos);
    // At London (+51.5) Vega (+38.8) never sets.
    EXPECT_NE(t.find("\r\n  Always visible from the current\r\n  observing place\r\n  "),
              std::string::npos);
    EXPECT_EQ(t.find("Rise:"), std::string::npos);
    EXPECT_NE(t.find("Coordinates:\r\n     Equatorial\r\n        R. A. :  18h 36m 56."),
              std::string::npos);
    EXPECT_NE(t.find("Observing place:"), std::string::npos);
    EXPECT_TRUE(onlyCrLf(t));
}

TEST_F(Properties, ObjectThatNeverRisesShowsTheTwoLineText) {
    const std::string t = catalog::FullPropertiesText(named("Achernar"), ctx); // -57 at +51.5
    EXPECT_NE(t.find("\r\n  Not visible from the current\r\n  observing place\r\n  "),
              std::string::npos);
    EXPECT_EQ(t.find("Rise:"), std::string::npos);
}

TEST_F(Properties, StarWithoutHdAndSaoOmitsTheLinesAndShowsBareLabels) {
    const catalog::CatalogStar star = faintResident();
    ASSERT_FALSE(star.hdNumber() || star.saoNumber());
    const std::string t = catalog::FullPropertiesText(star, ctx);
    EXPECT_EQ(t.rfind("\r\n  Tycho-2 number:  TYC 123-456-1\r\n  Constellation:  ", 0), 0u) << t;
    EXPECT_EQ(t.find("HD number"), std::string::npos);
    EXPECT_EQ(t.find("SAO number"), std::string::npos);
    EXPECT_NE(t.find("Blue magnitude:  9.87\r\n  Visual magnitude:  9.12\r\n  Spectral class: \r\n"),
              std::string::npos);
    EXPECT_NE(t.find("  Variability\r\n     None\r\n"), std::string::npos);
    EXPECT_NE(t.find("  Multiplicity\r\n     None\r\n"), std::string::npos);
    // Dec +10 at +51.5 rises and sets: three times.
    EXPECT_NE(t.find("\r\n  Rise:  "), std::string::npos);
    EXPECT_NE(t.find("\r\n  Transit:  "), std::string::npos);
    EXPECT_NE(t.find("\r\n  Set:  "), std::string::npos);

    const std::vector<ShortLine> lines = catalog::ShortPropertiesLines(star, ctx);
    ASSERT_TRUE(lineWithLabel(lines, "HD:") && lineWithLabel(lines, "SAO:"));
    EXPECT_EQ(lineWithLabel(lines, "HD:")->value, "");
    EXPECT_EQ(lineWithLabel(lines, "SAO:")->value, "");
    EXPECT_EQ(lineWithLabel(lines, "Class:")->value, "");
    EXPECT_EQ(lineWithLabel(lines, "TYC:")->value, " 123-456-1 ");
    EXPECT_EQ(lineWithLabel(lines, "Mag:")->value, " 9.1");
}

TEST_F(Properties, ShortWindowLinesFollowTheKindsLayout) {
    const std::vector<ShortLine> vega = catalog::ShortPropertiesLines(named("Vega"), ctx);
    ASSERT_FALSE(vega.empty());
    ASSERT_TRUE(vega[0].isHeading());
    EXPECT_EQ(headingText(vega[0]), "Vega  \u03b1 Lyr");
    bool greek = false;
    for (const catalog::ShortRun& r : vega[0].heading)
        greek |= r.font == catalog::ShortFont::Greek && r.text == "\u03b1";
    EXPECT_TRUE(greek);
    std::vector<std::string> labels;
    for (std::size_t i = 1; i < vega.size(); ++i)
        labels.push_back(vega[i].label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Flamst:", "TYC:", "HD:", "SAO:", "Mag:", "Class:",
                                                "Az:", "Alt:"}));
    EXPECT_EQ(lineWithLabel(vega, "Flamst:")->value, " 3 ");
    EXPECT_EQ(lineWithLabel(vega, "TYC:")->value, "");
    EXPECT_EQ(lineWithLabel(vega, "HD:")->value, " 172167 ");
    EXPECT_EQ(lineWithLabel(vega, "Class:")->value, " A0");

    const std::vector<ShortLine> m31 = catalog::ShortPropertiesLines(messier(31), ctx);
    EXPECT_EQ(headingText(m31[0]), "NGC 224   ( M31 )");
    EXPECT_EQ(lineWithLabel(m31, "Type:")->value, " Galaxy");
    EXPECT_EQ(lineWithLabel(m31, "Size:")->value, " 178.0'");
    EXPECT_EQ(lineWithLabel(m31, "Mag:")->value, " 3.5");
    // M102 has no names entry, no NGC number and no type.
    const std::vector<ShortLine> m102 = catalog::ShortPropertiesLines(messier(102), ctx);
    EXPECT_EQ(headingText(m102[0]), "Non NGC object   ( M102 )");

    const std::vector<ShortLine> moon = catalog::ShortPropertiesLines(chart.solarSystem.moon, ctx);
    EXPECT_EQ(headingText(moon[0]), "Moon");
    ASSERT_NE(lineWithLabel(moon, "Phase:"), nullptr);
    EXPECT_NE(lineWithLabel(moon, "Phase:")->value.find(" days"), std::string::npos);
    EXPECT_TRUE(lineWithLabel(moon, "Rise:") && lineWithLabel(moon, "Set:"));
    const std::vector<ShortLine> mars = catalog::ShortPropertiesLines(chart.solarSystem.mars, ctx);
    EXPECT_EQ(lineWithLabel(mars, "Vis. magn:")->value,
              " " + astro::formatFixed(chart.solarSystem.mars.results.magnitude, 1));
    const std::vector<ShortLine> sun = catalog::ShortPropertiesLines(chart.solarSystem.sun, ctx);
    EXPECT_EQ(lineWithLabel(sun, "Vis. magn:"), nullptr);
    EXPECT_NE(lineWithLabel(sun, "Transit:"), nullptr);
}

// The seconds of an "Az:"/"Alt:" value and the text before them.
std::pair<std::string, double> splitSeconds(const std::string& value) {
    const std::size_t at = value.rfind("' ");
    EXPECT_NE(at, std::string::npos) << value;
    EXPECT_EQ(value.back(), '"');
    return {value.substr(0, at + 2), std::stod(value.substr(at + 2))};
}

TEST_F(Properties, ShortWindowAzimuthAndAltitudeMatchTheHorizontalPlace) {
    // A direction at a known azimuth and altitude of the chart's horizon: 33 deg 30' 10" from
    // north (through east) and 20 deg 15' 20" high. The horizontal longitude counts from the
    // south point towards the east point, so that azimuth is 180 - 33.5028 deg.
    const double az = 33.5 + 10.0 / 3600.0;
    const double alt = 20.25 + 20.0 / 3600.0;
    const astro::SkyPoint horizontal((180.0 - az) / 15.0, alt);
    const astro::SkyPoint point = astro::fromHorizontal(horizontal, ctx.frames);
    const catalog::ObjectPlace place = catalog::PlaceOf(point, ctx);
    // The frames are orthogonal to about 1e-8 (their rounded constants): a hundredth of an
    // arc second.
    EXPECT_NEAR(place.azimuth, az, 1e-5);
    EXPECT_NEAR(place.altitude, alt, 1e-5);
    catalog::DsoObject shifted = messier(31);
    shifted.assignDirection(point);
    const std::vector<ShortLine> lines = catalog::ShortPropertiesLines(shifted, ctx);
    const auto [azText, azSeconds] = splitSeconds(lineWithLabel(lines, "Az:")->value);
    EXPECT_EQ(azText, " 33\u00b0 30' ");
    EXPECT_NEAR(azSeconds, 10.0, 0.02);
    const auto [altText, altSeconds] = splitSeconds(lineWithLabel(lines, "Alt:")->value);
    EXPECT_EQ(altText, " +20\u00b0 15' ");
    EXPECT_NEAR(altSeconds, 20.0, 0.06);

    shifted.assignDirection(astro::fromHorizontal(astro::SkyPoint(0.0, -5.5 - 7.0 / 3600.0), ctx.frames));
    const auto [belowText, belowSeconds] =
        splitSeconds(lineWithLabel(catalog::ShortPropertiesLines(shifted, ctx), "Alt:")->value);
    EXPECT_EQ(belowText, " -5\u00b0 30' ");
    EXPECT_NEAR(belowSeconds, 7.0, 0.06);
    // Seconds that round up to 60 are carried: 10 deg 59' 59.999" shows as 11 deg 0' 0.0".
    shifted.assignDirection(
        astro::fromHorizontal(astro::SkyPoint(0.0, 11.0 - 0.001 / 3600.0), ctx.frames));
    EXPECT_EQ(splitSeconds(lineWithLabel(catalog::ShortPropertiesLines(shifted, ctx), "Alt:")->value)
                  .first,
              " +11\u00b0 0' ");
}

TEST(PropertiesRules, AzimuthIsCountedFromNorthAndNever360) {
    EXPECT_DOUBLE_EQ(catalog::ShownAzimuth(0.0), 180.0); // the south point
    EXPECT_DOUBLE_EQ(catalog::ShownAzimuth(6.0), 90.0);  // the east point
    EXPECT_DOUBLE_EQ(catalog::ShownAzimuth(18.0), 270.0);
    // Exactly north: 360 - 180 + 180 reaches 360 and is shown as 0.
    EXPECT_DOUBLE_EQ(catalog::ShownAzimuth(12.0), 0.0);
    for (double h = 0.0; h <= 24.0; h += 0.37) {
        const double a = catalog::ShownAzimuth(h);
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 360.0);
    }
}

TEST_F(Properties, CoordinatesBlockShowsNorthAsZeroAzimuth) {
    // A hair west of north rounds to 360 in the text; it is shown as 0.
    const astro::SkyPoint north =
        astro::fromHorizontal(astro::SkyPoint(12.0 + 1e-10, 30.25 + 0.5 / 3600.0), ctx.frames);
    const std::string t = catalog::CoordinatesBlock(north, ctx);
    EXPECT_NE(t.find("Azimuth:   000\u00b0 00' 00.00\""), std::string::npos) << t;
    EXPECT_EQ(t.find("360\u00b0"), std::string::npos);
    EXPECT_NE(t.find("Altitude:  +30\u00b0 15' 00.5\""), std::string::npos) << t;
}

TEST(PropertiesRules, LocalTimeIsRecomputedFromUniversalTime) {
    astro::ObservationParams p;
    p.year = 2026;
    p.month = 12;
    p.day = 8;
    p.hour = 23;
    p.minute = 10;
    p.second = 37;
    p.timeZone = 2.0f;
    p.daylightSaving = 1;
    // Zone +2 under daylight saving: three hours ahead, into the next day, seconds kept.
    EXPECT_EQ(catalog::PropertiesDateTimeText(catalog::PropertiesLocalTime(p)), "12/9/2026  2:10:37");
    p.daylightSaving = 0;
    p.timeZone = -5.5f;
    EXPECT_EQ(catalog::PropertiesDateTimeText(catalog::PropertiesLocalTime(p)), "12/8/2026  17:40:37");
    for (int s = 0; s < 60; s += 7) {
        p.second = s;
        p.timeZone = 9.5f;
        EXPECT_EQ(catalog::PropertiesLocalTime(p).second(), s);
        EXPECT_EQ(catalog::PropertiesLocalTime(p).minute(), 40);
    }
    // An impossible date gives a text, not an endless loop.
    p.month = 13;
    EXPECT_FALSE(catalog::PropertiesDateTimeText(catalog::PropertiesLocalTime(p)).empty());
}

TEST_F(Properties, ObservingPlaceBlockNamesPlaceDatesAndJulianDay) {
    at(51.5074, -0.1278, 2.0f, 1, astro::DateTime(2026, 12, 8, 23, 10, 0));
    ctx.placeName = "London, UK";
    const std::string t = catalog::ObservingPlaceBlock(ctx);
    const std::string expected =
        "\r\n  Observing place:\r\n     London, UK\r\n     Latitude: " +
        catalog::latitudeText(51.5074) + " , Longitude: " + catalog::longitudeText(-0.1278) +
        "\r\n  Date/Time:\r\n     Local: 12/9/2026  2:10:0 ,  DST: Yes\r\n     UT: 12/8/2026  "
        "23:10:0\r\n     Julian day: 2461383.4653\r\n  ";
    EXPECT_EQ(t, expected);
    // A free place has no name line.
    ctx.placeName.clear();
    EXPECT_EQ(catalog::ObservingPlaceBlock(ctx).find("London"), std::string::npos);

    // The chart's own context names a fixed place from the places list.
    chart.settings.place = chart::ObservingPlaceSettings{};
    const PropertiesContext fixed = catalog::MakePropertiesContext(
        chart, &catalogues->places, &catalogues->constellations, &catalogues->deepSky);
    EXPECT_EQ(fixed.placeName, "London, UK");
}

TEST_F(Properties, ElongationsListEveryBodyButTheObjectItself) {
    const std::string moon = catalog::ElongationsBlock(chart.solarSystem.moon, ctx);
    EXPECT_EQ(moon.rfind("Elongation from\r\n     Sun:  ", 0), 0u);
    EXPECT_EQ(moon.find("Moon:"), std::string::npos);
    EXPECT_EQ(count(moon, "\r\n     "), 9u);

    astro::AsteroidValues ceres;
    ceres.number = 1;
    ceres.name = "Ceres";
    ceres.elementA = 2461600.5;
    ceres.elementB = 73.6;
    ceres.elementC = 80.3;
    ceres.elementD = 10.6;
    ceres.axis = 2.77;
    ceres.eccentricity = 0.079;
    ceres.slope = 0.12;
    ceres.absMagnitude = 3.34;
    astro::Asteroid asteroid(ceres);
    asteroid.Compute(ctx.params);
    const std::string a = catalog::ElongationsBlock(asteroid, ctx);
    EXPECT_EQ(count(a, "\r\n     "), 10u);
    const std::array<const char*, 10> order = {"Sun", "Moon", "Mercury", "Venus", "Mars",
                                               "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
    std::size_t last = 0;
    for (const char* body : order) {
        const std::size_t at = a.find(std::string("\r\n     ") + body + ":  ");
        ASSERT_NE(at, std::string::npos) << body;
        EXPECT_GE(at, last);
        last = at;
    }
    // The distance shown is the angle between the two directions.
    const std::string toSun = astro::formatDegrees(
        astro::angularDistance(asteroid, chart.solarSystem.sun), 0, false);
    EXPECT_NE(a.find("Sun:  " + toSun), std::string::npos);

    const std::string t = catalog::FullPropertiesText(asteroid, ctx);
    EXPECT_EQ(t.find("Equatorial diameter"), std::string::npos);
    EXPECT_NE(t.find("\r\n  Visual magnitude: "), std::string::npos);
    EXPECT_NE(t.find(" au"), std::string::npos);
}

TEST_F(Properties, BodyTextsCarryTheLibraryValues) {
    const astro::SolarSystemBody& mars = chart.solarSystem.mars;
    const std::string t = catalog::FullPropertiesText(mars, ctx);
    EXPECT_EQ(t.rfind("\r\n  Mars\r\n  \r\n  Coordinates:", 0), 0u) << t;
    EXPECT_NE(t.find("\r\n  Visual magnitude: " + astro::formatFixed(mars.results.magnitude, 1)),
              std::string::npos);
    EXPECT_NE(t.find("\r\n  Equatorial diameter:  " + astro::formatFixed(mars.results.diameter, 2) +
                     "\""),
              std::string::npos);
    EXPECT_NE(t.find("\r\n  True geocentric distance:  " +
                     astro::formatFixed(mars.results.distance, 4) + " au"),
              std::string::npos);
    const astro::RiseTransitSet events = catalog::EventsOf(mars, ctx);
    EXPECT_DOUBLE_EQ(events.rise, mars.results.rise);
    EXPECT_NE(t.find("\r\n\r\n  " + astro::riseTransitSetShortText(events) + "\r\n\r\n  Elongation"),
              std::string::npos);
    EXPECT_EQ(t.find("Mars:  "), std::string::npos);

    const std::string moon = catalog::FullPropertiesText(chart.solarSystem.moon, ctx);
    const double d = chart.solarSystem.moon.results.moonPhaseDays;
    const std::string phase = (d >= 0 ? astro::formatFixed(d, 1) + " days past "
                                      : astro::formatFixed(-d, 1) + " days before ") +
                              astro::moonPhaseName(chart.solarSystem.moon.results.moonPhase);
    EXPECT_NE(moon.find("\r\n  Phase:  " + phase + "\r\n  True geocentric distance:  "),
              std::string::npos)
        << moon;
    EXPECT_NE(moon.find(" E.r."), std::string::npos);
    EXPECT_EQ(moon.find("Visual magnitude"), std::string::npos);

    const std::string sun = catalog::FullPropertiesText(chart.solarSystem.sun, ctx);
    EXPECT_EQ(sun.find("Phase"), std::string::npos);
    EXPECT_EQ(sun.find("Sun:  "), std::string::npos);
    EXPECT_NE(sun.find("Constellation:  "), std::string::npos);
    for (const std::string* text : {&t, &moon, &sun})
        EXPECT_TRUE(onlyCrLf(*text));
}

TEST_F(Properties, DeepSkyTextNamesTypeSizeDescriptionAndEvents) {
    // Cape Town: M31 (+41.3) rises and sets at -33.9.
    at(-33.92, 18.42, 2.0f, 0, astro::DateTime(2026, 12, 8, 20, 0, 0));
    const catalog::DsoObject& m31 = messier(31);
    const std::string t = catalog::FullPropertiesText(m31, ctx);
    EXPECT_EQ(t.rfind("\r\n  NGC 224   ( M31 )\r\n\r\n  Common name:  Andromeda Galaxy\r\n  Type:  "
                      "Galaxy\r\n  Size:  178.0'\r\n  Visual magnitude:  3.5\r\n  Constellation:  "
                      "Andromeda\r\n  \r\n  Coordinates:",
                      0),
              0u)
        << t;
    EXPECT_NE(t.find("\r\n  Source of entry:  Hirshfeld"), std::string::npos);
    EXPECT_NE(t.find("\r\n  Description:  " + m31.expandedDescription() + "\r\n\r\n  "),
              std::string::npos);
    const astro::RiseTransitSet e = astro::fixedObjectEvents(m31.ra(), m31.dec(), ctx.params);
    ASSERT_EQ(e.visibility, astro::Visibility::RisesAndSets);
    EXPECT_NE(t.find("\r\n  Rise:  " + astro::eventHoursText(e.rise) + "\r\n  Transit:  " +
                     astro::eventHoursText(e.transit)),
              std::string::npos);
    EXPECT_LT(t.find("Rise:"), t.find("Observing place:"));
    EXPECT_TRUE(onlyCrLf(t));

    // M42 is listed under another designation than its own heading.
    const std::string m42 = catalog::FullPropertiesText(messier(42), ctx);
    const std::string_view listed = catalogues->deepSky.listedDesignation(messier(42));
    if (!listed.empty() && listed != messier(42).GetName()) {
        EXPECT_NE(m42.find("\r\n      " + std::string(listed) + "\r\n\r\n  Type:"), std::string::npos);
    }

    // A photographic magnitude, and no size.
    catalog::DsoFields f;
    f.designation = "9999";
    f.typeCode = "Gx";
    f.ra = 1.0;
    f.dec = 1.0;
    f.magnitude = 14.2f;
    f.magnitudeQualifier = 'p';
    const std::string faint = catalog::FullPropertiesText(catalog::DsoObject(f), ctx);
    EXPECT_NE(faint.find("\r\n  Size:  \r\n  Photographic magnitude:  14.2\r\n  "), std::string::npos)
        << faint;
    EXPECT_NE(faint.find("Common name:  \r\n  Type:  Galaxy"), std::string::npos);
}

TEST_F(Properties, ButtonsFollowTheKind) {
    const catalog::PropertiesButtons star = catalog::PropertiesButtonStates(named("Vega"), true);
    EXPECT_FALSE(star.trail || star.image || star.ephemeris);
    const catalog::PropertiesButtons mars =
        catalog::PropertiesButtonStates(chart.solarSystem.mars, false);
    EXPECT_TRUE(mars.trail);
    EXPECT_FALSE(mars.ephemeris);
    EXPECT_TRUE(catalog::PropertiesButtonStates(chart.solarSystem.mars, true).ephemeris);
    catalog::DsoObject m31 = messier(31);
    m31.setImageNumber(catalog::kNoDsoImage);
    EXPECT_FALSE(catalog::PropertiesButtonStates(m31, true).image);
    m31.setImageNumber(4);
    const catalog::PropertiesButtons dso = catalog::PropertiesButtonStates(m31, true);
    EXPECT_TRUE(dso.image);
    EXPECT_FALSE(dso.trail || dso.ephemeris);
}

TEST(PropertiesRules, ShortWindowColoursPerDisplayMode) {
    const catalog::ShortColours standard = catalog::ShortPropertiesColours(1);
    EXPECT_EQ(standard.background[2], 35);
    EXPECT_EQ(standard.text[0], 170);
    EXPECT_EQ(catalog::ShortPropertiesColours(2).outline[0], 45);
    EXPECT_EQ(catalog::ShortPropertiesColours(3).text[0], 255);
    EXPECT_EQ(catalog::ShortPropertiesColours(3).text[1], 0);
    EXPECT_EQ(catalog::ShortPropertiesColours(4).background[0], 225);
    EXPECT_EQ(catalog::ShortPropertiesColours(0).background[0], 225); // unknown: Black&White
}

} // namespace
