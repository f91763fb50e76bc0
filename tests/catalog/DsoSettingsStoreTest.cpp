#include "catalog/DsoSettingsStore.h"

#include "chart/ChartSettingsStore.h"
#include "chart/SkyChart.h"

#include <gtest/gtest.h>

using catalog::DsoSelectionSettings;
using catalog::kDsoTypeCount;
using catalog::kDsoTypeSwitchKeys;
using catalog::ReadDsoSelection;
using catalog::WriteDsoSelection;
using settings::MemorySettingsStore;

namespace {

DsoSelectionSettings unusualSelection() {
    DsoSelectionSettings s;
    s.mode = DsoSelectionSettings::ByType;
    for (std::size_t i = 0; i < kDsoTypeCount; ++i)
        s.typeSwitches[i] = (i * 7) % 3 == 0 ? 1 : 0;
    s.sizeFilter = 1;
    s.minSize = 20.5f;
    s.magnitudeFilter = 1;
    s.maxMagnitude = 9.1f;
    s.areaFilter = 1;
    s.areaCenterRa = 5.5875;
    s.areaCenterDec = -5.391111;
    s.areaRadius = 12.5;
    s.areaRaHours = 5;
    s.areaRaMinutes = 35.3f;
    s.areaDec = -5.4f;
    s.areaAzDegrees = 123;
    s.areaAzMinutes = 45.5f;
    s.areaAltitude = 33.3;
    return s;
}

} // namespace

TEST(DsoSettingsStore, AnEmptyStoreGivesTheSelectionOfANewChart) {
    const MemorySettingsStore empty;
    const DsoSelectionSettings s = ReadDsoSelection(empty);
    EXPECT_EQ(s.mode, DsoSelectionSettings::OnlyMessier);
    for (int on : s.typeSwitches)
        EXPECT_EQ(on, 0);
    EXPECT_EQ(s.sizeFilter, 0);
    EXPECT_FLOAT_EQ(s.minSize, 20.0f);
    EXPECT_EQ(s.magnitudeFilter, 0);
    EXPECT_FLOAT_EQ(s.maxMagnitude, 12.0f);
    EXPECT_EQ(s.areaFilter, 0);
    EXPECT_DOUBLE_EQ(s.areaCenterRa, 0.0);
    EXPECT_DOUBLE_EQ(s.areaCenterDec, 0.0);
    EXPECT_DOUBLE_EQ(s.areaRadius, 5.0);
    EXPECT_EQ(s.areaRaHours, 6);
    EXPECT_FLOAT_EQ(s.areaRaMinutes, 0.0f);
    EXPECT_EQ(s.areaAzDegrees, 0);
    EXPECT_DOUBLE_EQ(s.areaAltitude, 0.0);
}

TEST(DsoSettingsStore, WriteThenReadKeepsEveryValueUnderItsOwnName) {
    const DsoSelectionSettings a = unusualSelection();
    MemorySettingsStore store;
    WriteDsoSelection(store, a);

    // Each type switch under its own key.
    for (std::size_t i = 0; i < kDsoTypeCount; ++i)
        EXPECT_EQ(store.readInt("NGC", kDsoTypeSwitchKeys[i]), a.typeSwitches[i]) << i;
    EXPECT_EQ(store.readInt("NGC", "GenSelFlag"), 3);
    EXPECT_EQ(store.readString("NGC", "EdMaxSize"), "20.500000");
    EXPECT_EQ(store.readString("NGC", "EdRadius"), "12.500000");
    EXPECT_EQ(store.readString("NGC", "AreaCenterRA"), "5.587500");
    EXPECT_EQ(store.readString("NGC", "AreaCenterDec"), "-5.391111");
    EXPECT_EQ(store.readInt("NGC", "edRAHour"), 5);
    EXPECT_EQ(store.readInt("NGC", "edAzDeg"), 123);
    EXPECT_FALSE(store.readInt("NGC", "EdMaxMagn").has_value());
    // The chart's values of the section are not the selection's to write.
    EXPECT_FALSE(store.readInt("NGC", "DrawFlag").has_value());

    const DsoSelectionSettings b = ReadDsoSelection(store);
    EXPECT_EQ(b.mode, a.mode);
    EXPECT_EQ(b.typeSwitches, a.typeSwitches);
    EXPECT_EQ(b.sizeFilter, 1);
    EXPECT_FLOAT_EQ(b.minSize, 20.5f);
    EXPECT_EQ(b.magnitudeFilter, 1);
    EXPECT_FLOAT_EQ(b.maxMagnitude, 9.1f);
    EXPECT_EQ(b.areaFilter, 1);
    EXPECT_DOUBLE_EQ(b.areaCenterRa, 5.5875);
    EXPECT_DOUBLE_EQ(b.areaCenterDec, -5.391111);
    EXPECT_DOUBLE_EQ(b.areaRadius, 12.5);
    EXPECT_EQ(b.areaRaHours, 5);
    EXPECT_FLOAT_EQ(b.areaRaMinutes, 35.3f);
    EXPECT_FLOAT_EQ(b.areaDec, -5.4f);
    EXPECT_EQ(b.areaAzDegrees, 123);
    EXPECT_FLOAT_EQ(b.areaAzMinutes, 45.5f);
    EXPECT_NEAR(b.areaAltitude, 33.3, 1e-12);
}

TEST(DsoSettingsStore, SharesItsSectionWithTheChartWithoutLosingValues) {
    chart::SkyChart chart;
    chart.settings.plotDeepSky = 1;
    chart.settings.deepSkyLabelMode = chart::DeepSkyLabelCommonName;
    MemorySettingsStore store;
    chart::WriteChartSettings(store, chart, settings::ColorScheme());
    WriteDsoSelection(store, unusualSelection());

    chart::SkyChart back;
    settings::ColorScheme scheme;
    chart::ReadChartSettings(store, back, scheme, 300);
    EXPECT_EQ(back.settings.plotDeepSky, 1);
    EXPECT_EQ(back.settings.deepSkyLabelMode, chart::DeepSkyLabelCommonName);
    EXPECT_EQ(ReadDsoSelection(store).mode, DsoSelectionSettings::ByType);
}

TEST(DsoSettingsStore, GarbageAndWrongTypesGiveTheDocumentedDefaults) {
    MemorySettingsStore store;
    store.writeInt("NGC", "GenSelFlag", 9);
    store.writeString("NGC", "chGalaxy", "1");
    store.writeString("NGC", "EdMaxMagn", "faint");
    store.writeInt("NGC", "EdMaxSize", 30);
    store.writeString("NGC", "AreaCenterRA", "25.5");
    store.writeString("NGC", "AreaCenterDec", "-100");
    DsoSelectionSettings s = ReadDsoSelection(store);
    EXPECT_EQ(s.mode, DsoSelectionSettings::OnlyMessier);
    EXPECT_EQ(s.typeSwitches[0], 0);          // a text is no switch
    EXPECT_FLOAT_EQ(s.maxMagnitude, 0.0f);    // not a number: 0
    EXPECT_FLOAT_EQ(s.minSize, 20.0f);        // an integer is no text
    EXPECT_DOUBLE_EQ(s.areaCenterRa, 1.5);    // modulo 24 hours
    EXPECT_DOUBLE_EQ(s.areaCenterDec, -90.0); // clamped

    store.writeString("NGC", "GenSelFlag", "1");
    store.writeString("NGC", "EdMaxSize", "1e60");
    s = ReadDsoSelection(store);
    EXPECT_EQ(s.mode, DsoSelectionSettings::OnlyMessier);
    EXPECT_FLOAT_EQ(s.minSize, 20.0f); // beyond single precision
    store.writeInt("NGC", "GenSelFlag", 1);
    EXPECT_EQ(ReadDsoSelection(store).mode, DsoSelectionSettings::All);
}
