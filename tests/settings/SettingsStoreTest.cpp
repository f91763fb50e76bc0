#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using settings::formatFixed;
using settings::MemorySettingsStore;
using settings::parseLeadingNumber;

TEST(SettingsStore, AbsentOrWronglyTypedValuesGiveTheDefault) {
    MemorySettingsStore store;
    EXPECT_EQ(store.getInt("ZoomTarRot", "Rotation", 1), 1);
    EXPECT_EQ(store.getString("ZoomTarRot", "Degree", "0.7"), "0.7");
    store.writeInt("ZoomTarRot", "Rotation", 3);
    store.writeString("ZoomTarRot", "Degree", "1.250000");
    EXPECT_EQ(store.getInt("ZoomTarRot", "Rotation", 1), 3);
    EXPECT_DOUBLE_EQ(store.getNumber("ZoomTarRot", "Degree", "0.7"), 1.25);
    EXPECT_DOUBLE_EQ(store.getNumber("ZoomTarRot", "Dec", "20"), 20.0);
    // A string where an integer belongs, and the other way round.
    store.writeString("Time", "Pace", "fast");
    EXPECT_EQ(store.getInt("Time", "Pace", 1), 1);
    store.writeInt("Stars", "MaxMagn", 7);
    EXPECT_DOUBLE_EQ(store.getNumber("Stars", "MaxMagn", "6.0"), 6.0);
    // Sections and keys are told apart exactly.
    EXPECT_EQ(store.getInt("zoomtarrot", "Rotation", 1), 1);
    store.writeInt("ZoomTarRot", "Rotation", 2);
    EXPECT_EQ(store.getInt("ZoomTarRot", "Rotation", 1), 2);
    EXPECT_EQ(store.size(), 4u);
}

TEST(SettingsStore, TextNumbersReadLikeTheCLibraryWithoutItsHazards) {
    EXPECT_DOUBLE_EQ(parseLeadingNumber("4.5"), 4.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("  -12.25xyz"), -12.25);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("+3"), 3.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(parseLeadingNumber("7 8"), 7.0);
    for (const char* bad : {"", "abc", "-", "nan", "inf", "-infinity", "1e999", "0x10"})
        EXPECT_DOUBLE_EQ(parseLeadingNumber(bad), 0.0) << bad;
}

TEST(SettingsStore, FixedTextIsIndependentOfTheLocale) {
    EXPECT_EQ(formatFixed(0.7, 6), "0.700000");
    EXPECT_EQ(formatFixed(-12.345, 2), "-12.35");
    EXPECT_EQ(formatFixed(1000.0, 1), "1000.0");
    EXPECT_EQ(formatFixed(std::nan(""), 1), "0.0");
    // A desktop locale with a decimal comma must not change what is stored.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(formatFixed(0.5, 1), "0.5");
        EXPECT_DOUBLE_EQ(parseLeadingNumber("0.75"), 0.75);
        std::setlocale(LC_NUMERIC, "C");
    }
    for (double v : {0.0, 1.5, -89.999999, 23.999999, 12345.678901})
        EXPECT_NEAR(parseLeadingNumber(formatFixed(v, 6)), v, 5e-7);
}
