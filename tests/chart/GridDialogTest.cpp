#include "chart/GridDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using chart::ChartSettings;
using chart::GridSettings;
using Model = chart::GridPropertiesDialogModel;

Model::PageState& pageOf(Model& model, int page) {
    return model.pages[static_cast<std::size_t>(page)];
}

void setManual(Model& model, int page, const std::string& longitude, const std::string& latitude) {
    Model::PageState& state = pageOf(model, page);
    state.automatic = false;
    state.longitudeDensity = longitude;
    state.latitudeDensity = latitude;
}

TEST(GridDialog, PagesStartFromTheGridSettings) {
    ChartSettings settings;
    settings.equatorialGridSettings = {5.0, 30.0, 85.0, 1.0, 80.0, -80.0, 0, 1, 0, 0};
    settings.azimuthalGridSettings = {2.0, 30.0, 88.0, 0.5, 80.0, -80.0, 1, 0, 1, 1};
    settings.eclipticGridSettings = {20.0, 120.0, 80.0, 10.0, 80.0, -80.0, 1, 1, 1, 0};
    const Model model(settings);

    const Model::PageState& eq = model.pages[Model::PageEquatorial];
    EXPECT_FALSE(eq.fullDrawing);
    EXPECT_TRUE(eq.onlyVisible);
    EXPECT_FALSE(eq.inscriptions);
    EXPECT_FALSE(eq.automatic);
    EXPECT_EQ(eq.longitudeDensity, "30") << "right ascension in minutes as stored";
    EXPECT_EQ(eq.latitudeDensity, "5");

    const Model::PageState& az = model.pages[Model::PageAzimuthal];
    EXPECT_TRUE(az.fullDrawing);
    EXPECT_FALSE(az.onlyVisible);
    EXPECT_TRUE(az.inscriptions);
    EXPECT_TRUE(az.automatic);
    EXPECT_EQ(az.longitudeDensity, "7.5") << "30 minutes of azimuth are 7.5 degrees";
    EXPECT_EQ(az.latitudeDensity, "2");

    const Model::PageState& ecl = model.pages[Model::PageEcliptic];
    EXPECT_TRUE(ecl.fullDrawing);
    EXPECT_FALSE(ecl.automatic);
    EXPECT_EQ(ecl.longitudeDensity, "30");
    EXPECT_EQ(ecl.latitudeDensity, "20");

    // A fractional spacing keeps at most two decimals, without trailing zeros.
    settings.equatorialGridSettings.parallelSpacing = 0.25;
    settings.eclipticGridSettings.meridianSpacing = 1.0;
    const Model fractional(settings);
    EXPECT_EQ(fractional.pages[Model::PageEquatorial].latitudeDensity, "0.25");
    EXPECT_EQ(fractional.pages[Model::PageEcliptic].longitudeDensity, "0.25");
}

TEST(GridDialog, RefusalsComeOnePerOkInPageAndFieldOrder) {
    Model model{ChartSettings{}};
    // Every field of every page out of range, the three pages manual.
    setManual(model, Model::PageEquatorial, "3.9", "20.5");
    setManual(model, Model::PageAzimuthal, "0", "-1");
    setManual(model, Model::PageEcliptic, "91", "0.5");

    struct Step {
        int page;
        int field;
        const char* message;
        const char* fix;
    };
    const std::vector<Step> steps = {
        {0, Model::FieldLongitude, "RA line density must be between 4 and 360", "4"},
        {0, Model::FieldLatitude, "Declination line density must be between 1 and 20", "20"},
        {1, Model::FieldLongitude, "Azimuth line density must be between 1 and 90", "90"},
        {1, Model::FieldLatitude, "Altitude line density must be between 1 and 20", "1"},
        {2, Model::FieldLongitude, "Longitude line density must be between 1 and 90", "1"},
        {2, Model::FieldLatitude, "Latitude line density must be between 1 and 20", "20"},
    };
    for (const Step& step : steps) {
        const auto refusal = model.validate();
        ASSERT_TRUE(refusal) << step.message;
        EXPECT_EQ(refusal->page, step.page);
        EXPECT_EQ(refusal->field, step.field);
        EXPECT_EQ(refusal->message, step.message);
        Model::PageState& state = pageOf(model, step.page);
        (step.field == Model::FieldLongitude ? state.longitudeDensity : state.latitudeDensity) =
            step.fix;
    }
    EXPECT_FALSE(model.validate()) << "every bound itself is accepted";

    // The upper bound of the right ascension and text that is no number.
    pageOf(model, Model::PageEquatorial).longitudeDensity = "360";
    EXPECT_FALSE(model.validate());
    pageOf(model, Model::PageEquatorial).longitudeDensity = "360.01";
    ASSERT_TRUE(model.validate());
    EXPECT_EQ(model.validate()->message, "RA line density must be between 4 and 360");
    pageOf(model, Model::PageEquatorial).longitudeDensity = "60";
    pageOf(model, Model::PageAzimuthal).latitudeDensity = "ten";
    ASSERT_TRUE(model.validate());
    EXPECT_EQ(model.validate()->page, Model::PageAzimuthal);
    EXPECT_EQ(model.validate()->field, Model::FieldLatitude);
}

TEST(GridDialog, AutomaticPagesAreNotValidatedNorTheirSpacingsChanged) {
    ChartSettings settings;
    settings.azimuthalGridSettings = {2.0, 12.0, 88.0, 0.5, 40.0, -88.0, 1, 0, 1, 1};
    Model model(settings);
    Model::PageState& az = pageOf(model, Model::PageAzimuthal);
    ASSERT_TRUE(az.automatic);
    az.longitudeDensity = "garbage";
    az.latitudeDensity = "";
    az.fullDrawing = false;
    az.onlyVisible = true;
    az.inscriptions = false;
    // A manual page after it is still checked.
    setManual(model, Model::PageEcliptic, "500", "10");
    ASSERT_TRUE(model.validate());
    EXPECT_EQ(model.validate()->page, Model::PageEcliptic);
    pageOf(model, Model::PageEcliptic).longitudeDensity = "15";
    EXPECT_FALSE(model.validate());

    ASSERT_TRUE(model.apply(settings));
    const GridSettings& g = settings.azimuthalGridSettings;
    EXPECT_EQ(g.mode, 0);
    EXPECT_EQ(g.onlyVisible, 1);
    EXPECT_EQ(g.inscriptions, 0);
    EXPECT_EQ(g.automatic, 1);
    EXPECT_EQ(g.parallelSpacing, 2.0);
    EXPECT_EQ(g.meridianSpacing, 12.0);
    EXPECT_EQ(g.meridianExtent, 88.0);
    EXPECT_EQ(g.sampleStep, 0.5);
    EXPECT_EQ(g.topParallel, 40.0);
    EXPECT_EQ(g.bottomParallel, -88.0);
    EXPECT_EQ(settings.eclipticGridSettings.automatic, 0);
    EXPECT_EQ(settings.eclipticGridSettings.meridianSpacing, 60.0);
}

TEST(GridDialog, ManualPagesSetSpacingExtentAndSampleStep) {
    ChartSettings settings;
    Model model(settings);
    setManual(model, Model::PageEquatorial, "60", "7");
    setManual(model, Model::PageAzimuthal, "15", "20");
    setManual(model, Model::PageEcliptic, "1", "10");
    pageOf(model, Model::PageEquatorial).fullDrawing = false;
    ASSERT_TRUE(model.apply(settings));

    // Declination lines every 7 degrees end at +-84, the last multiple of 7 below 90.
    const GridSettings& eq = settings.equatorialGridSettings;
    EXPECT_EQ(eq.automatic, 0);
    EXPECT_EQ(eq.mode, 0);
    EXPECT_EQ(eq.parallelSpacing, 7.0);
    EXPECT_EQ(eq.meridianSpacing, 60.0);
    EXPECT_EQ(eq.meridianExtent, 84.0);
    EXPECT_EQ(eq.bottomParallel, -84.0);
    EXPECT_DOUBLE_EQ(eq.sampleStep, 1.4) << "7 / 5 is below 60 / 4 / 5 = 3";

    // 15 degrees of azimuth are 60 minutes; 90 mod 20 leaves 10.
    const GridSettings& az = settings.azimuthalGridSettings;
    EXPECT_EQ(az.meridianSpacing, 60.0);
    EXPECT_EQ(az.parallelSpacing, 20.0);
    EXPECT_EQ(az.meridianExtent, 80.0);
    EXPECT_EQ(az.bottomParallel, -80.0);
    EXPECT_DOUBLE_EQ(az.sampleStep, 3.0) << "60 / 4 / 5 is below 20 / 5";

    // A spacing that divides 90 lets the meridians reach the poles; one degree of longitude
    // samples every 0.2 degrees.
    const GridSettings& ecl = settings.eclipticGridSettings;
    EXPECT_EQ(ecl.meridianSpacing, 4.0);
    EXPECT_EQ(ecl.meridianExtent, 90.0);
    EXPECT_EQ(ecl.bottomParallel, -90.0);
    EXPECT_DOUBLE_EQ(ecl.sampleStep, 0.2);

    // A fractional spacing is subtracted the same way: 90 - 12 x 7.5 leaves nothing.
    setManual(model, Model::PageEcliptic, "7.5", "7.5");
    ASSERT_TRUE(model.apply(settings));
    EXPECT_EQ(settings.eclipticGridSettings.meridianSpacing, 30.0);
    EXPECT_EQ(settings.eclipticGridSettings.meridianExtent, 90.0);
    EXPECT_DOUBLE_EQ(settings.eclipticGridSettings.sampleStep, 1.5);
}

TEST(GridDialog, ARefusedDialogChangesNothing) {
    ChartSettings settings;
    const GridSettings before = settings.azimuthalGridSettings;
    Model model(settings);
    setManual(model, Model::PageAzimuthal, "0", "0");
    pageOf(model, Model::PageEquatorial).inscriptions = false;
    EXPECT_FALSE(model.apply(settings));
    EXPECT_EQ(settings.equatorialGridSettings.inscriptions, 1);
    EXPECT_EQ(settings.azimuthalGridSettings.automatic, before.automatic);
    EXPECT_EQ(settings.azimuthalGridSettings.parallelSpacing, before.parallelSpacing);
}

} // namespace
