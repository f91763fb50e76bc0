// Ephemeris tables: the rows of a body at regular instants, the settings dialog's rules, the
// text file and the printed pages.
#include "catalog/EphemerisTable.h"

#include "TestUtil.h"
#include "astro/Format.h"
#include "astro/Frames.h"
#include "astro/Time.h"
#include "catalog/Catalogues.h"
#include "catalog/ObjectProperties.h"
#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"
#include "ephemlib/GetSSOData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using catalog::EphemerisRequest;
using catalog::EphemerisTable;

namespace {

const fs::path kDataDir = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

EphemerisRequest everyColumn(astro::DateTime start, int count, double stepDays) {
    EphemerisRequest r;
    r.shown.fill(true);
    r.startLocal = start;
    r.count = count;
    r.stepDays = stepDays;
    return r;
}

class Ephemeris : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        constellations = std::make_unique<catalog::ConstellationData>();
        constellations->LoadBoundaryBands(kDataDir);
    }
    static void TearDownTestSuite() { constellations.reset(); }

    void SetUp() override {
        chart.site = astro::Site{52.52, 13.40, 1.0f, 0.0, 10.0, 1000.0};
        chart.clock.Universal = astro::DateTime(2026, 12, 8, 21, 0, 0);
        chart.clock.DaylightSaving = 0;
        chart.UpdateTime();
    }

    EphemerisTable table(const astro::SolarSystemBody& body, const EphemerisRequest& r) {
        return catalog::ComputeEphemeris(body, chart, constellations.get(), r);
    }

    static std::unique_ptr<catalog::ConstellationData> constellations;
    chart::SkyChart chart;
};

std::unique_ptr<catalog::ConstellationData> Ephemeris::constellations;

TEST_F(Ephemeris, DefaultSettingsGiveFiftyDailyRowsFromTodayAtTheLocalHour) {
    const catalog::EphemerisSettingsModel model(chart.solarSystem.mars,
                                                astro::DateTime(2026, 12, 8, 0, 0, 0), 22);
    EXPECT_EQ(model.title(), "Ephemeris - Mars");
    EXPECT_FALSE(model.validate());
    const EphemerisRequest r = model.request();
    EXPECT_EQ(r.count, 50);
    EXPECT_DOUBLE_EQ(r.stepDays, 1.0);
    EXPECT_EQ(r.startLocal.toIsoString(), "2026-12-08T22:00:00");
    for (const bool shown : r.shown)
        EXPECT_FALSE(shown); // every check box starts unchecked

    const EphemerisTable t = table(chart.solarSystem.mars, r);
    ASSERT_EQ(t.rowCount, 50u);
    EXPECT_EQ(t.title, "Mars");
    const std::vector<std::string>& local = t.columns[catalog::ColumnLocalTime].cells;
    EXPECT_EQ(local[0], "12/08/2026 22:00:00");
    EXPECT_EQ(local[1], "12/09/2026 22:00:00");
    EXPECT_EQ(local[49], "01/26/2027 22:00:00");
    // Zone +1, no daylight saving: an hour behind.
    EXPECT_EQ(t.columns[catalog::ColumnUniversalTime].cells[0], "12/08/2026 21:00:00");
    EXPECT_TRUE(t.shownColumns().empty());
}

TEST_F(Ephemeris, ZoneAndDaylightSavingGiveTheUniversalTimeToTheSecond) {
    chart.site.timeZone = 1.0f;
    chart.clock.DaylightSaving = 1;
    const EphemerisTable t = table(chart.solarSystem.sun,
                                   everyColumn(astro::DateTime(2026, 7, 1, 12, 0, 0), 3, 1.0 / 24));
    EXPECT_EQ(t.columns[catalog::ColumnUniversalTime].cells[0], "07/01/2026 10:00:00");
    EXPECT_EQ(t.columns[catalog::ColumnUniversalTime].cells[2], "07/01/2026 12:00:00");
    EXPECT_EQ(t.columns[catalog::ColumnLocalTime].cells[2], "07/01/2026 14:00:00");
    // The Julian day is the universal instant's.
    EXPECT_EQ(t.columns[catalog::ColumnJulianDay].cells[0],
              astro::formatFixed(astro::julianDay(astro::DateTime(2026, 7, 1, 10, 0, 0)), 4));
    // A zone west of Greenwich and a half-hour zone.
    chart.clock.DaylightSaving = 0;
    chart.site.timeZone = -5.5f;
    const EphemerisTable west = table(chart.solarSystem.sun,
                                      everyColumn(astro::DateTime(2026, 7, 1, 20, 15, 0), 1, 1));
    EXPECT_EQ(west.columns[catalog::ColumnUniversalTime].cells[0], "07/02/2026 01:45:00");
}

TEST_F(Ephemeris, RowsCarryTheLibraryPlaceAndThePlaceInTheSky) {
    // Mars stands in the south-east before dawn.
    const astro::DateTime start(2026, 12, 9, 5, 0, 0);
    const astro::DateTime ut(2026, 12, 9, 4, 0, 0);
    const EphemerisTable t = table(chart.solarSystem.mars, everyColumn(start, 2, 1.0));
    // The library's apparent place for the row's universal instant (one hour behind).
    astro::Site site = chart.site;
    const astro::ObservationParams p = astro::makeObservationParams(ut, site, 0);
    ephem::ElementBlock mars;
    mars.bodyId = ephem::BodyMars;
    ephem::EphemerisResult r;
    ASSERT_EQ(GetSSOData(mars, p, &r), 0);
    EXPECT_EQ(t.columns[catalog::ColumnRightAscension].cells[0], astro::formatHours(r.ra, 2));
    EXPECT_EQ(t.columns[catalog::ColumnDeclination].cells[0], astro::formatDegrees(r.dec, 1, true));
    EXPECT_EQ(t.columns[catalog::ColumnMagnitude].cells[0], astro::formatFixed(r.magnitude, 1));
    EXPECT_EQ(t.columns[catalog::ColumnDistance].cells[0], astro::formatFixed(r.distance, 4) + " au");
    EXPECT_EQ(t.columns[catalog::ColumnConstellation].cells[0],
              constellations->FindConstellationAt(astro::SkyPoint(r.ra, r.dec)));

    // The altitude is refracted and the azimuth counted from north: compare with the
    // unrefracted horizontal place of the same instant.
    astro::CoordinateFrames frames;
    frames.setZenith(astro::chartZenith(ut, site.latitude, site.longitude), astro::julianDay(ut));
    const astro::SkyPoint geometric = astro::toHorizontal(astro::SkyPoint(r.ra, r.dec), frames);
    const astro::SkyPoint refracted =
        astro::toHorizontalRefracted(astro::SkyPoint(r.ra, r.dec), frames);
    ASSERT_GT(refracted.dec(), geometric.dec()); // refraction lifts
    EXPECT_EQ(t.columns[catalog::ColumnAltitude].cells[0],
              astro::formatDegrees(refracted.dec(), 1, true));
    EXPECT_EQ(t.columns[catalog::ColumnAzimuth].cells[0],
              astro::formatDegrees(catalog::ShownAzimuth(geometric.ra()), 2, false));
    // The rise, transit and set of Mars at Berlin that day.
    EXPECT_FALSE(t.columns[catalog::ColumnRise].cells[0].empty());
    EXPECT_NE(t.columns[catalog::ColumnRise].cells[0], t.columns[catalog::ColumnRise].cells[1]);
}

TEST_F(Ephemeris, KindsLeaveTheirColumnsEmpty) {
    const astro::DateTime start(2026, 12, 8, 22, 0, 0);
    const EphemerisTable sun = table(chart.solarSystem.sun, everyColumn(start, 5, 1.0));
    for (const int c : {catalog::ColumnElongation, catalog::ColumnMagnitude, catalog::ColumnPhase,
                        catalog::ColumnDistance, catalog::ColumnDiameter})
        for (const std::string& cell : sun.columns[static_cast<std::size_t>(c)].cells)
            EXPECT_EQ(cell, "") << sun.columns[static_cast<std::size_t>(c)].header;
    EXPECT_FALSE(sun.columns[catalog::ColumnRise].cells[0].empty());

    const EphemerisTable moon = table(chart.solarSystem.moon, everyColumn(start, 5, 1.0));
    for (const std::string& cell : moon.columns[catalog::ColumnDistance].cells)
        EXPECT_TRUE(cell.ends_with(" E.r.")) << cell;
    EXPECT_NE(moon.columns[catalog::ColumnPhase].cells[0].find(" days"), std::string::npos);
    EXPECT_FALSE(moon.columns[catalog::ColumnElongation].cells[0].empty());

    // Never-setting and never-rising bodies at the pole: the visibility texts in all three.
    chart.site.latitude = 89.0;
    const EphemerisTable polar = table(chart.solarSystem.sun, everyColumn(start, 1, 1.0));
    EXPECT_EQ(polar.columns[catalog::ColumnRise].cells[0], "Not visible"); // December
    EXPECT_EQ(polar.columns[catalog::ColumnSet].cells[0], "Not visible");

    // The dialog disables what a kind has not, and a disabled column is never shown.
    catalog::EphemerisSettingsModel model(chart.solarSystem.sun, start, 22);
    EXPECT_FALSE(model.columnEnabled(catalog::ColumnElongation));
    EXPECT_TRUE(model.columnEnabled(catalog::ColumnRise));
    model.shown.fill(true);
    EXPECT_FALSE(model.request().shown[catalog::ColumnElongation]);
    EXPECT_TRUE(model.request().shown[catalog::ColumnRise]);
    const catalog::EphemerisSettingsModel moonModel(chart.solarSystem.moon, start, 22);
    EXPECT_FALSE(moonModel.columnEnabled(catalog::ColumnMagnitude));
    EXPECT_TRUE(moonModel.columnEnabled(catalog::ColumnDistance));
}

TEST_F(Ephemeris, TheChartIsLeftAsItWas) {
    const astro::SkyPoint zenith = chart.frames().zenith();
    const astro::SkyPoint mars = chart.solarSystem.mars;
    const double marsRise = chart.solarSystem.mars.results.rise;
    const double jd = chart.julianDay();
    table(chart.solarSystem.mars, everyColumn(astro::DateTime(2030, 1, 1, 0, 0, 0), 20, 3.0));
    EXPECT_EQ(chart.frames().zenith().x(), zenith.x());
    EXPECT_EQ(chart.frames().zenith().z(), zenith.z());
    EXPECT_EQ(chart.solarSystem.mars.ra(), mars.ra());
    EXPECT_EQ(chart.solarSystem.mars.dec(), mars.dec());
    EXPECT_EQ(chart.solarSystem.mars.results.rise, marsRise);
    EXPECT_EQ(chart.julianDay(), jd);
}

TEST_F(Ephemeris, HiddenColumnsAreComputedButWrittenNowhere) {
    EphemerisRequest r = everyColumn(astro::DateTime(2026, 12, 8, 22, 0, 0), 3, 1.0);
    r.shown.fill(false);
    r.shown[catalog::ColumnLocalTime] = true;
    r.shown[catalog::ColumnAzimuth] = true;
    const EphemerisTable t = table(chart.solarSystem.jupiter, r);
    EXPECT_FALSE(t.columns[catalog::ColumnMagnitude].cells[0].empty());
    EXPECT_EQ(t.shownColumns().size(), 2u);

    const std::string text = catalog::EphemerisText(t, "Observing place: x");
    EXPECT_EQ(text.find("Magnitude"), std::string::npos);
    EXPECT_EQ(text.find(t.columns[catalog::ColumnMagnitude].cells[0] + " "), std::string::npos);
    EXPECT_NE(text.find("Azimuth"), std::string::npos);
    EXPECT_EQ(catalog::EphemerisCsv(t).find("Magnitude"), std::string::npos);
    EXPECT_EQ(catalog::EphemerisJsonLines(t).find("Magnitude"), std::string::npos);

    chart::RecordingSurface page(800, 1100);
    catalog::PrintEphemerisPage(page, t, "Observing place: x", 1);
    for (const chart::Operation* op : page.all(chart::OpKind::Text))
        EXPECT_NE(op->text, "Magnitude");
    // Header, two rules, three rows of two cells, the three title lines and the footer.
    EXPECT_EQ(page.count(chart::OpKind::Line), 2u);
    EXPECT_EQ(page.count(chart::OpKind::Text), 3u + 2u + 6u + 1u);
}

TEST_F(Ephemeris, TextFileLinesUpTheShownColumns) {
    EphemerisRequest r = everyColumn(astro::DateTime(2026, 12, 8, 22, 0, 0), 4, 1.0);
    r.shown.fill(false);
    for (const int c : {catalog::ColumnLocalTime, catalog::ColumnAltitude, catalog::ColumnPhase})
        r.shown[static_cast<std::size_t>(c)] = true;
    const EphemerisTable t = table(chart.solarSystem.venus, r);
    const std::string text = catalog::EphemerisText(t, "Observing place:    Latitude: 52");
    const std::vector<std::string> l = lines(text);
    ASSERT_EQ(l.size(), 1u + 2u + 1u + 2u + 1u + 4u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "Ephemeris of Venus");
    EXPECT_EQ(l[2], "Created by Skyvane v.3.0");
    EXPECT_EQ(l[3], "Observing place:    Latitude: 52");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "");
    // "Local Time" is padded to the 19 characters of a date-time and three blanks; the
    // altitude's "°" is one character of two bytes.
    EXPECT_EQ(l[6].rfind("Local Time" + std::string(12, ' ') + "Altitude", 0), 0u) << l[6];
    const std::string& row = l[7];
    EXPECT_EQ(row.rfind("12/08/2026 22:00:00   ", 0), 0u);
    const std::string altitude = t.columns[catalog::ColumnAltitude].cells[0];
    const int altitudeWidth = t.columns[catalog::ColumnAltitude].width;
    EXPECT_EQ(altitudeWidth, 14); // "+12° 34' 56.7"": 15 bytes, 14 characters
    EXPECT_EQ(row.substr(22, altitude.size()), altitude);
    EXPECT_EQ(row.substr(22 + altitude.size(), 4), std::string(3, ' ') + t.columns[catalog::ColumnPhase].cells[0].substr(0, 1));
    EXPECT_EQ(text.back(), '\n');
}

TEST(EphemerisPrint, PagesHoldFortyFiveRows) {
    EXPECT_EQ(catalog::EphemerisPageCount(44), 1);
    EXPECT_EQ(catalog::EphemerisPageCount(45), 2);
    EXPECT_EQ(catalog::EphemerisPageCount(90), 3);
    EXPECT_EQ(catalog::EphemerisPageCount(0), 1);

    EphemerisTable t;
    t.title = "Mars";
    t.columns[0].header = "Local Time";
    t.columns[0].shown = true;
    for (int i = 0; i < 50; ++i)
        t.columns[0].cells.push_back("row " + std::to_string(i));
    t.rowCount = 50;
    chart::RecordingSurface first(700, 1000);
    catalog::PrintEphemerisPage(first, t, "Observing place:", 1);
    chart::RecordingSurface second(700, 1000);
    catalog::PrintEphemerisPage(second, t, "Observing place:", 2);
    auto texts = [](const chart::RecordingSurface& s) {
        std::vector<std::string> out;
        for (const chart::Operation* op : s.all(chart::OpKind::Text))
            out.push_back(op->text);
        return out;
    };
    const std::vector<std::string> a = texts(first);
    const std::vector<std::string> b = texts(second);
    // Title lines, the header, the rows of the page and the footer.
    ASSERT_EQ(a.size(), 3u + 1u + 45u + 1u);
    EXPECT_EQ(a[0], "Ephemeris of Mars");
    EXPECT_EQ(a[4], "row 0");
    EXPECT_EQ(a[48], "row 44");
    EXPECT_EQ(a.back(), "Page 1/2");
    ASSERT_EQ(b.size(), 3u + 1u + 5u + 1u);
    EXPECT_EQ(b[4], "row 45");
    EXPECT_EQ(b.back(), "Page 2/2");

    // The layout follows the page: T = 6H/7, rows from 2R/3 down, the footer low in R.
    const int H = 1000, T = 6 * H / 7, R = H - T;
    const chart::Operation* header = first.find(chart::OpKind::Text, 3);
    EXPECT_EQ(header->points[0].y, 2 * R / 3);
    EXPECT_EQ(first.find(chart::OpKind::Text, 49)->points[0].y, T + 2 * R / 3 + R / 6);
    const int fontHeight = (T - 45 * 15) / 45;
    EXPECT_EQ(header->state.font.height, fontHeight);
    EXPECT_EQ(first.find(chart::OpKind::Text, 0)->state.font.weight, 700);
    EXPECT_EQ(header->state.font.weight, 400);
    // Consecutive rows are a line height and 15 apart.
    EXPECT_EQ(first.find(chart::OpKind::Text, 5)->points[0].y -
                  first.find(chart::OpKind::Text, 4)->points[0].y,
              fontHeight + 15);
}

TEST(EphemerisSettings, FieldsAreRangeChecked) {
    const astro::Sun sun;
    catalog::EphemerisSettingsModel m(sun, astro::DateTime(2026, 12, 8, 0, 0, 0), 7);
    EXPECT_EQ(m.hour, "7");
    m.hour = "24";
    ASSERT_TRUE(m.validate());
    EXPECT_EQ(m.validate()->message, "Please enter an integer between 0 and 23.");
    EXPECT_EQ(m.validate()->field, catalog::EphemerisSettingsModel::Field::Hour);
    m.hour = "23";
    m.minute = "x";
    EXPECT_EQ(m.validate()->field, catalog::EphemerisSettingsModel::Field::Minute);
    m.minute = "59";
    m.interval = "0";
    EXPECT_EQ(m.validate()->message, "Please enter an integer between 1 and 10000.");
    m.interval = "12";
    for (const char* count : {"0", "1001", "-5", "99999999999999"}) {
        m.count = count;
        ASSERT_TRUE(m.validate()) << count;
        EXPECT_EQ(m.validate()->message, "Please enter an integer between 1 and 1000.");
        EXPECT_EQ(m.validate()->field, catalog::EphemerisSettingsModel::Field::Count);
    }
    m.count = " 1000 ";
    EXPECT_FALSE(m.validate());
    m.unit = catalog::EphemerisSettingsModel::Unit::Hours;
    EXPECT_DOUBLE_EQ(m.request().stepDays, 0.5);
    m.unit = catalog::EphemerisSettingsModel::Unit::Seconds;
    EXPECT_DOUBLE_EQ(m.request().stepDays, 12.0 / 86400.0);
    EXPECT_EQ(m.request().count, 1000);
    EXPECT_EQ(m.request().startLocal.toIsoString(), "2026-12-08T23:59:00");
}

// The ranges the dialog's spin buttons keep to are the ranges validate() accepts: each end is
// taken, one beyond it is refused with that field's message.
TEST(EphemerisSettings, EachFieldsRangeIsWhatValidateAccepts) {
    using Field = catalog::EphemerisSettingsModel::Field;
    const astro::Sun sun;
    struct Case {
        Field field;
        std::string catalog::EphemerisSettingsModel::*text;
        int low;
        int high;
    };
    const Case cases[] = {{Field::Hour, &catalog::EphemerisSettingsModel::hour, 0, 23},
                          {Field::Minute, &catalog::EphemerisSettingsModel::minute, 0, 59},
                          {Field::Second, &catalog::EphemerisSettingsModel::second, 0, 59},
                          {Field::Interval, &catalog::EphemerisSettingsModel::interval, 1, 10000},
                          {Field::Count, &catalog::EphemerisSettingsModel::count, 1, 1000}};
    for (const Case& c : cases) {
        const catalog::EphemerisSettingsModel::Range range =
            catalog::EphemerisSettingsModel::rangeOf(c.field);
        EXPECT_EQ(range.low, c.low);
        EXPECT_EQ(range.high, c.high);
        catalog::EphemerisSettingsModel m(sun, astro::DateTime(2026, 12, 8, 0, 0, 0), 7);
        for (const int accepted : {range.low, range.high}) {
            m.*c.text = std::to_string(accepted);
            EXPECT_FALSE(m.validate()) << accepted;
        }
        for (const int refused : {range.low - 1, range.high + 1}) {
            m.*c.text = std::to_string(refused);
            ASSERT_TRUE(m.validate()) << refused;
            EXPECT_EQ(m.validate()->field, c.field);
            EXPECT_EQ(m.validate()->message, "Please enter an integer between " +
                                                 std::to_string(c.low) + " and " +
                                                 std::to_string(c.high) + ".");
        }
    }
}

TEST_F(Ephemeris, AThousandRowsAtMostAndAsteroidsAreCopied) {
    EphemerisRequest r = everyColumn(astro::DateTime(2026, 12, 8, 22, 0, 0), 5000, 0.01);
    EXPECT_EQ(table(chart.solarSystem.pluto, r).rowCount, catalog::kEphemerisMaxRows);
    r.count = -3;
    EXPECT_EQ(table(chart.solarSystem.pluto, r).rowCount, 0u);

    astro::AsteroidValues v;
    v.number = 4;
    v.name = "Vesta";
    v.elementA = 2461200.5;
    v.elementB = 151.1;
    v.elementC = 103.8;
    v.elementD = 7.14;
    v.axis = 2.36;
    v.eccentricity = 0.089;
    v.slope = 0.32;
    v.absMagnitude = 3.2;
    const astro::Asteroid vesta(v);
    r.count = 3;
    const EphemerisTable t = table(vesta, r);
    EXPECT_EQ(t.title, "4 Vesta");
    ASSERT_EQ(t.rowCount, 3u);
    EXPECT_EQ(t.columns[catalog::ColumnDiameter].cells[0], "");
    EXPECT_FALSE(t.columns[catalog::ColumnMagnitude].cells[0].empty());
    EXPECT_EQ(vesta.results.rise, -1.0); // the asteroid itself was not computed
}

TEST(EphemerisFile, WrittenThroughATemporaryFile) {
    const testutil::TempDir dir("ephemeris");
    const fs::path file = dir.path() / "mars.txt";
    EXPECT_EQ(catalog::WriteEphemerisFile(file, "first\n"), "");
    EXPECT_EQ(catalog::WriteEphemerisFile(file, "second\n"), "");
    std::ifstream in(file);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "second\n");
    EXPECT_FALSE(fs::exists(dir.path() / "mars.txt.tmp"));
    const std::string error = catalog::WriteEphemerisFile(dir.path() / "no" / "such.txt", "x");
    EXPECT_NE(error.find("such.txt"), std::string::npos) << error;
}

} // namespace

namespace {

TEST(EphemerisPrint, WideTablesShrinkToThePageWidth) {
    EphemerisTable t;
    t.title = "Mars";
    for (std::size_t c = 0; c < catalog::kEphemerisColumnCount; ++c) {
        t.columns[c].header = catalog::EphemerisHeaders()[c];
        t.columns[c].shown = true;
        t.columns[c].cells = {"12/08/2026 22:00:00"};
    }
    t.rowCount = 1;
    // Narrow page: the last cell of the row still ends on the page.
    chart::RecordingSurface narrow(900, 1000);
    catalog::PrintEphemerisPage(narrow, t, "Observing place:", 1);
    const std::vector<const chart::Operation*> texts = narrow.all(chart::OpKind::Text);
    ASSERT_EQ(texts.size(), 3u + 18u + 18u + 1u);
    const chart::Operation* last = texts[3 + 18 + 17];
    const int end = last->points[0].x +
                    static_cast<int>(std::lround(19 * 0.6 * std::abs(last->state.font.height)));
    EXPECT_LE(end, 900);
    EXPECT_LT(last->state.font.height, (6 * 1000 / 7 - 45 * 15) / 45);
    // A page wide enough keeps the height's font.
    chart::RecordingSurface wide(20000, 1000);
    catalog::PrintEphemerisPage(wide, t, "Observing place:", 1);
    EXPECT_EQ(wide.find(chart::OpKind::Text, 3)->state.font.height, (6 * 1000 / 7 - 45 * 15) / 45);
}

} // namespace
