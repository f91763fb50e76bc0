#include "catalog/DsoDialogModel.h"

#include "astro/Frames.h"
#include "catalog/Constellations.h"
#include "catalog/DeepSky.h"
#include "chart/ChartSettings.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using catalog::DsoCatalog;
using catalog::DsoDialogModel;
using catalog::DsoObject;
using catalog::DsoSelectionSettings;
using Field = DsoDialogModel::Field;
using Form = DsoDialogModel::AreaForm;

constexpr double kRadian = 57.29578;

double number(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// Degrees between two directions.
double separation(const astro::SkyPoint& a, const astro::SkyPoint& b) {
    return std::acos(std::clamp(a.dot(b), -1.0, 1.0)) * kRadian;
}

TEST(DsoDialogModel, OpensWithTheStoredSelection) {
    const DsoDialogModel m{DsoSelectionSettings{}};
    EXPECT_EQ(m.mode, DsoSelectionSettings::OnlyMessier);
    for (bool on : m.types)
        EXPECT_FALSE(on);
    EXPECT_FALSE(m.sizeFilter);
    EXPECT_EQ(m.sizeText, "20.0");
    EXPECT_FALSE(m.magnitudeFilter);
    EXPECT_EQ(m.magnitudeText, "12.0");
    EXPECT_FALSE(m.areaFilter);
    EXPECT_EQ(m.areaForm, Form::Equatorial);
    EXPECT_EQ(m.raHoursText, "6");
    EXPECT_EQ(m.azDegreesText, "0");
    EXPECT_EQ(m.radiusText, "5.0");
    EXPECT_FALSE(m.validate());

    // Stored values come back unchanged through OK, also those with more decimals.
    DsoSelectionSettings s;
    s.mode = DsoSelectionSettings::ByType;
    s.typeSwitches[4] = 1;
    s.magnitudeFilter = 1;
    s.minSize = 2.25f;
    s.maxMagnitude = 10.3f;
    s.areaFilter = 1;
    s.areaRaHours = 18;
    s.areaRaMinutes = 53.6f;
    s.areaDec = 33.0f;
    s.areaRadius = 2.125;
    const DsoDialogModel stored(s);
    EXPECT_EQ(stored.sizeText, "2.25");
    EXPECT_EQ(stored.magnitudeText, "10.3");
    EXPECT_EQ(stored.raMinutesText, "53.6");
    EXPECT_EQ(stored.radiusText, "2.125");
    const DsoSelectionSettings back = stored.accept(astro::CoordinateFrames{});
    EXPECT_EQ(back.mode, s.mode);
    EXPECT_EQ(back.typeSwitches, s.typeSwitches);
    EXPECT_EQ(back.magnitudeFilter, 1);
    EXPECT_EQ(back.sizeFilter, 0);
    EXPECT_EQ(back.minSize, s.minSize);
    EXPECT_EQ(back.maxMagnitude, s.maxMagnitude);
    EXPECT_EQ(back.areaRaMinutes, s.areaRaMinutes);
    EXPECT_EQ(back.areaRadius, s.areaRadius);
    EXPECT_NEAR(back.areaCenterRa, 18.0 + 53.6 / 60.0, 1e-6);
    EXPECT_NEAR(back.areaCenterDec, 33.0, 1e-9);

    // A stored mode outside 1..3 selects as "Only Messier" and is shown so.
    s.mode = 7;
    EXPECT_EQ(DsoDialogModel(s).mode, DsoSelectionSettings::OnlyMessier);
}

TEST(DsoDialogModel, EnableRules) {
    DsoDialogModel m{DsoSelectionSettings{}};
    for (int mode : {1, 2})
        EXPECT_FALSE((m.mode = mode, m.typesEnabled())) << mode;
    m.mode = 3;
    EXPECT_TRUE(m.typesEnabled());

    EXPECT_FALSE(m.sizeFieldEnabled());
    EXPECT_FALSE(m.magnitudeFieldEnabled());
    m.sizeFilter = true;
    EXPECT_TRUE(m.sizeFieldEnabled());
    EXPECT_FALSE(m.magnitudeFieldEnabled()) << "each filter has its own box";
    m.magnitudeFilter = true;
    EXPECT_TRUE(m.magnitudeFieldEnabled());

    EXPECT_FALSE(m.areaControlsEnabled());
    EXPECT_FALSE(m.equatorialFieldsEnabled());
    EXPECT_FALSE(m.horizontalFieldsEnabled());
    m.areaFilter = true;
    EXPECT_TRUE(m.areaControlsEnabled());
    EXPECT_TRUE(m.equatorialFieldsEnabled());
    EXPECT_FALSE(m.horizontalFieldsEnabled());
    m.areaForm = Form::Horizontal;
    EXPECT_FALSE(m.equatorialFieldsEnabled());
    EXPECT_TRUE(m.horizontalFieldsEnabled());
}

TEST(DsoDialogModel, SetCurrentTargetAndZenithFillBothForms) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 800, 600);

    // A target on the meridian, 30 degrees above the south point.
    const astro::SkyPoint south = astro::fromHorizontal(astro::SkyPoint(0.0, 30.0), chart.frames());
    chart.setTarget(chart.toChartFrame(south));
    DsoDialogModel m{DsoSelectionSettings{}};
    m.setCurrentTarget(chart);
    EXPECT_EQ(m.azDegreesText, "180");
    EXPECT_EQ(m.azMinutesText, "0.0");
    EXPECT_EQ(m.altText, "30.0");
    const int hours = static_cast<int>(south.ra());
    EXPECT_EQ(m.raHoursText, std::to_string(hours));
    EXPECT_NEAR(number(m.raMinutesText), (south.ra() - hours) * 60.0, 0.051);
    EXPECT_NEAR(number(m.decText), south.dec(), 0.051);

    // The target of a chart turned round the azimuthal poles is the same sky.
    const DsoDialogModel before = m;
    chart.SetRotationMode(chart::RotationAzimuthal);
    m.setCurrentTarget(chart);
    EXPECT_EQ(m.raHoursText, before.raHoursText);
    EXPECT_EQ(m.raMinutesText, before.raMinutesText);
    EXPECT_EQ(m.decText, before.decText);
    EXPECT_EQ(m.azDegreesText, "180");
    EXPECT_EQ(m.altText, "30.0");

    // The zenith: its altitude is 90 and its declination the latitude (carried to J2000).
    m.setCurrentZenith(chart);
    EXPECT_EQ(m.altText, "90.0");
    EXPECT_NEAR(number(m.decText), 51.5, 0.5);
    const double lst = chart.frames().zenith().ra();
    EXPECT_NEAR(std::stoi(m.raHoursText) + number(m.raMinutesText) / 60.0, lst, 0.002);
}

TEST(DsoDialogModel, MinutesCarryInsteadOfReadingSixty) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    DsoDialogModel m{DsoSelectionSettings{}};
    m.setAreaTarget(astro::SkyPoint(5.0 + 59.97 / 60.0, -0.02), chart.frames());
    EXPECT_EQ(m.raHoursText, "6");
    EXPECT_EQ(m.raMinutesText, "0.0");
    EXPECT_EQ(m.decText, "0.0") << "no minus sign on a zero";
    m.setAreaTarget(astro::SkyPoint(23.0 + 59.98 / 60.0, 10.0), chart.frames());
    EXPECT_EQ(m.raHoursText, "0");
    EXPECT_EQ(m.raMinutesText, "0.0");
    m.setAreaTarget(astro::SkyPoint(12.0 + 7.24 / 60.0, -33.27), chart.frames());
    EXPECT_EQ(m.raHoursText, "12");
    EXPECT_EQ(m.raMinutesText, "7.2");
    EXPECT_EQ(m.decText, "-33.3");

    // An azimuth a hair short of north: (540 - az) / 15 hours from the south point.
    const double az = 359.0 + 59.98 / 60.0;
    const astro::SkyPoint horizontal((540.0 - az) / 15.0, 20.0);
    m.setAreaTarget(astro::fromHorizontal(horizontal, chart.frames()), chart.frames());
    EXPECT_EQ(m.azDegreesText, "0");
    EXPECT_EQ(m.azMinutesText, "0.0");
    EXPECT_EQ(m.altText, "20.0");
}

TEST(DsoDialogModel, RefusesFieldsInDialogOrder) {
    DsoDialogModel m{DsoSelectionSettings{}};
    auto refusal = [&m] { return m.validate(); };

    for (const char* text : {"24", "-1", "100"}) {
        m.raHoursText = text;
        ASSERT_TRUE(refusal()) << text;
        EXPECT_EQ(refusal()->field, Field::RaHours);
        EXPECT_EQ(refusal()->message, "Please enter an integer between 0 and 23.");
    }
    for (const char* text : {"6.5", "", "6h", "x"}) {
        m.raHoursText = text;
        ASSERT_TRUE(refusal()) << text;
        EXPECT_EQ(refusal()->message, "Please enter an integer.") << text;
    }
    for (const char* text : {"0", "23", " 7 ", "+12"}) {
        m.raHoursText = text;
        EXPECT_FALSE(refusal()) << text;
    }

    m.azDegreesText = "360";
    ASSERT_TRUE(refusal());
    EXPECT_EQ(refusal()->field, Field::AzDegrees);
    EXPECT_EQ(refusal()->message, "Please enter an integer between 0 and 359.");
    m.azDegreesText = "359";
    EXPECT_FALSE(refusal());

    // Number fields take any number; a text that is not one is refused.
    m.altText = "-95.5";
    m.radiusText = "1e1";
    EXPECT_FALSE(refusal());
    m.radiusText = "five";
    ASSERT_TRUE(refusal());
    EXPECT_EQ(refusal()->field, Field::Radius);
    EXPECT_EQ(refusal()->message, "Please enter a number.");

    // The first refused field is reported, also when its filter is off.
    m.raHoursText = "30";
    EXPECT_EQ(refusal()->field, Field::RaHours);
    m.decText = "north";
    EXPECT_EQ(refusal()->field, Field::RaHours);
    m.magnitudeText = "12,5";
    EXPECT_EQ(refusal()->field, Field::Magnitude);
    m.sizeText = " ";
    EXPECT_EQ(refusal()->field, Field::Size);
    EXPECT_EQ(refusal()->message, "Please enter a number.");
}

TEST(DsoDialogModel, OkHandsBackEveryValue) {
    DsoDialogModel m{DsoSelectionSettings{}};
    m.mode = 3;
    m.types[0] = true;  // Galaxy
    m.types[13] = true; // nonexistent
    m.sizeFilter = true;
    m.sizeText = "10.5";
    m.magnitudeFilter = true;
    m.magnitudeText = " 9 ";
    m.areaFilter = true;
    m.raHoursText = "5";
    m.raMinutesText = "35.3";
    m.decText = "-5.4";
    m.azDegreesText = "123";
    m.azMinutesText = "4.5";
    m.altText = "12.5";
    m.radiusText = "3";
    ASSERT_FALSE(m.validate());
    const DsoSelectionSettings s = m.accept(astro::CoordinateFrames{});
    EXPECT_EQ(s.mode, 3);
    for (std::size_t i = 0; i < catalog::kDsoTypeCount; ++i)
        EXPECT_EQ(s.typeSwitches[i], i == 0 || i == 13 ? 1 : 0) << i;
    EXPECT_EQ(s.sizeFilter, 1);
    EXPECT_FLOAT_EQ(s.minSize, 10.5f);
    EXPECT_EQ(s.magnitudeFilter, 1);
    EXPECT_FLOAT_EQ(s.maxMagnitude, 9.0f);
    EXPECT_EQ(s.areaFilter, 1);
    EXPECT_EQ(s.areaRaHours, 5);
    EXPECT_FLOAT_EQ(s.areaRaMinutes, 35.3f);
    EXPECT_FLOAT_EQ(s.areaDec, -5.4f);
    EXPECT_EQ(s.areaAzDegrees, 123);
    EXPECT_FLOAT_EQ(s.areaAzMinutes, 4.5f);
    EXPECT_DOUBLE_EQ(s.areaAltitude, 12.5);
    EXPECT_DOUBLE_EQ(s.areaRadius, 3.0);
    // The centre comes from the RA/Dec form, whatever the Az/Alt fields hold.
    EXPECT_NEAR(s.areaCenterRa, 5.0 + 35.3 / 60.0, 1e-12);
    EXPECT_NEAR(s.areaCenterDec, -5.4, 1e-12);

    m.raMinutesText = "-30";
    EXPECT_NEAR(m.accept(astro::CoordinateFrames{}).areaCenterRa, 4.5, 1e-12);
    m.raHoursText = "0";
    EXPECT_NEAR(m.accept(astro::CoordinateFrames{}).areaCenterRa, 23.5, 1e-12)
        << "the centre wraps into the day";
}

TEST(DsoDialogModel, AzimuthAndAltitudeAreTurnedIntoRaAndDec) {
    // At the start of 2000 the horizontal frame needs no precession, so the textbook formulas
    // with the chart's sidereal time and latitude give the horizontal position of a star.
    chart::SkyChart chart;
    chart.clock.Universal = astro::DateTime(2000, 1, 2, 4, 0, 0);
    chart.site.latitude = 40.0;
    chart.site.longitude = -75.0;
    chart.UpdateTime();
    const double lst = chart.frames().zenith().ra();
    const double lat = chart.frames().zenith().dec() / kRadian;

    const astro::SkyPoint betelgeuse(5.919529, 7.407064);
    const double hourAngle = (lst - betelgeuse.ra()) * 15.0 / kRadian;
    const double dec = betelgeuse.dec() / kRadian;
    const double alt = std::asin(std::sin(lat) * std::sin(dec) +
                                 std::cos(lat) * std::cos(dec) * std::cos(hourAngle));
    double az = std::atan2(-std::cos(dec) * std::sin(hourAngle),
                           std::sin(dec) * std::cos(lat) -
                               std::cos(dec) * std::cos(hourAngle) * std::sin(lat)) *
                kRadian;
    if (az < 0.0)
        az += 360.0;
    ASSERT_GT(alt * kRadian, 10.0) << "the star is up in this test";

    DsoDialogModel m{DsoSelectionSettings{}};
    m.areaFilter = true;
    m.areaForm = Form::Horizontal;
    const int degrees = static_cast<int>(az);
    m.azDegreesText = std::to_string(degrees);
    m.azMinutesText = std::to_string((az - degrees) * 60.0);
    m.altText = std::to_string(alt * kRadian);
    ASSERT_FALSE(m.validate());
    const DsoSelectionSettings s = m.accept(chart.frames());
    EXPECT_LT(separation(astro::SkyPoint(s.areaCenterRa, s.areaCenterDec), betelgeuse), 0.01);

    // "Set current target" and OK agree in the horizontal form, to the rounding of the texts.
    chart.setTarget(chart.toChartFrame(betelgeuse));
    DsoDialogModel round{DsoSelectionSettings{}};
    round.setCurrentTarget(chart);
    EXPECT_EQ(round.azDegreesText, std::to_string(degrees));
    round.areaForm = Form::Horizontal;
    const DsoSelectionSettings r = round.accept(chart.frames());
    EXPECT_LT(separation(astro::SkyPoint(r.areaCenterRa, r.areaCenterDec), betelgeuse), 0.06);
    round.areaForm = Form::Equatorial;
    const DsoSelectionSettings e = round.accept(chart.frames());
    EXPECT_LT(separation(astro::SkyPoint(e.areaCenterRa, e.areaCenterDec), betelgeuse), 0.06);
}

// ---- with the shipped catalogue ---------------------------------------------------------------

class DsoDialogCatalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path data = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";
        if (!fs::exists(data / DsoCatalog::kCatalogFile))
            return;
        catalogue = new DsoCatalog;
        constellations.LoadConstellationList(data);
        catalogue->LoadDsoCatalog(data, &constellations);
    }
    static void TearDownTestSuite() {
        delete catalogue;
        catalogue = nullptr;
    }
    void SetUp() override {
        if (!catalogue)
            GTEST_SKIP() << "the deep-sky files are not built yet";
    }
    static const DsoObject* messier(int number) {
        for (const DsoObject& o : catalogue->objects())
            if (o.messier() == number)
                return &o;
        return nullptr;
    }
    static const DsoObject* ngc(std::string_view designation) {
        for (const DsoObject& o : catalogue->objects())
            if (o.designation() == designation)
                return &o;
        return nullptr;
    }

    static inline DsoCatalog* catalogue = nullptr;
    static inline catalog::ConstellationData constellations;
};

TEST_F(DsoDialogCatalogue, AllSelectsTheWholeCatalogue) {
    DsoDialogModel m{DsoSelectionSettings{}};
    m.mode = 1;
    catalogue->ApplyDsoSelection(m.accept(astro::CoordinateFrames{}));
    EXPECT_EQ(catalogue->selectedCount(), catalogue->objects().size());
    EXPECT_GT(catalogue->selectedCount(), 13000u);
}

TEST_F(DsoDialogCatalogue, AreaAroundTheOrionNebula) {
    DsoDialogModel m{DsoSelectionSettings{}};
    m.mode = 1;
    m.areaFilter = true;
    m.raHoursText = "5";
    m.raMinutesText = "35.3";
    m.decText = "-5.4";
    m.radiusText = "1.0";
    catalogue->ApplyDsoSelection(m.accept(astro::CoordinateFrames{}));
    const astro::SkyPoint centre(5.0 + 35.3 / 60.0, -5.4);
    ASSERT_NE(messier(42), nullptr);
    EXPECT_TRUE(messier(42)->selected());
    EXPECT_TRUE(messier(43)->selected());
    EXPECT_FALSE(messier(31)->selected());
    EXPECT_FALSE(messier(78)->selected()) << "M78 is 2.5 degrees away";
    EXPECT_GT(catalogue->selectedCount(), 2u);
    EXPECT_LT(catalogue->selectedCount(), 60u);
    for (const DsoObject& o : catalogue->objects())
        EXPECT_EQ(o.selected(), separation(o, centre) <= 1.0) << o.GetName();
}

TEST_F(DsoDialogCatalogue, TypeAndMagnitudeFilters) {
    DsoDialogModel m{DsoSelectionSettings{}};
    m.mode = 3;
    m.types[4] = true; // planetary nebulae
    m.magnitudeFilter = true;
    m.magnitudeText = "9.0";
    catalogue->ApplyDsoSelection(m.accept(astro::CoordinateFrames{}));
    ASSERT_GT(catalogue->selectedCount(), 3u);
    EXPECT_TRUE(messier(27)->selected()) << "the Dumbbell Nebula, magnitude 7.6";
    EXPECT_TRUE(messier(57)->selected()) << "the Ring Nebula, magnitude 9.0, at the limit";
    for (const DsoObject& o : catalogue->objects()) {
        if (o.selected()) {
            EXPECT_EQ(o.typeCode(), "Pl") << o.GetName();
            EXPECT_LE(o.magnitude(), 9.0f) << o.GetName();
            EXPECT_NE(o.magnitude(), catalog::kNoDsoValue);
        }
    }

    // The type switches do nothing outside mode 3: "Only Messier" with a limit just below.
    m.mode = 2;
    m.magnitudeText = "8.9";
    catalogue->ApplyDsoSelection(m.accept(astro::CoordinateFrames{}));
    EXPECT_TRUE(messier(31)->selected());
    EXPECT_FALSE(messier(57)->selected()) << "M57 is fainter than 8.9";
    for (const DsoObject& o : catalogue->objects()) {
        if (o.selected()) {
            EXPECT_NE(o.messier(), 0);
        }
    }
}

TEST_F(DsoDialogCatalogue, AreaAroundTheZenithInHorizontalForm) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    DsoDialogModel m{DsoSelectionSettings{}};
    m.mode = 1;
    m.areaFilter = true;
    m.areaForm = Form::Horizontal;
    m.setCurrentZenith(chart);
    // The equatorial fields are spoilt on purpose: the horizontal form is the one used.
    m.raHoursText = "0";
    m.decText = "-80";
    m.radiusText = "10";
    catalogue->ApplyDsoSelection(m.accept(chart.frames()));
    ASSERT_GT(catalogue->selectedCount(), 10u);
    for (const DsoObject& o : catalogue->objects()) {
        const double altitude = astro::toHorizontal(o, chart.frames()).dec();
        if (o.selected())
            EXPECT_GT(altitude, 79.9) << o.GetName();
        else
            EXPECT_LT(altitude, 80.1) << o.GetName();
    }
}

} // namespace
