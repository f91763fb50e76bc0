#include "catalog/Places.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using catalog::AngleParts;
using catalog::ObservingPlace;
using catalog::ObservingPlaceDialog;
using catalog::PlaceFields;
using catalog::PlaceList;
using catalog::PlaceRecord;

class PlacesDir : public testutil::TempDir {
public:
    PlacesDir() : TempDir("places") {}
    fs::path user() const { return path() / PlaceList::kUserFile; }
};

PlaceRecord place(const std::string& town, const std::string& country, double lat = 10.0,
                  double lon = 20.0, float zone = 1.0f) {
    return {town, country, lat, lon, zone};
}

void writeRecords(const fs::path& file, const std::vector<PlaceRecord>& records,
                  const std::string& tail = {}) {
    std::ofstream out(file, std::ios::binary);
    for (const PlaceRecord& r : records)
        out << catalog::encodePlaceRecord(r);
    out << tail;
}

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A permanent file of the full 297 places, the last in Yugoslavia, then one place past it
// that the loader must not read.
void writePermanent(const fs::path& dir) {
    std::vector<PlaceRecord> records;
    for (int i = 0; i < PlaceList::kPermanentCount - 1; ++i)
        records.push_back(place("Town" + std::to_string(i), "France", 45.0, 2.0));
    records.push_back(place("Belgrade", "Yugoslavia", 44.8, 20.5));
    records.push_back(place("Beyond", "Spain"));
    writeRecords(dir / PlaceList::kPermanentFile, records);
}

PlaceFields fields(AngleParts lat, AngleParts lon, int zone) {
    return {lat, lon, zone};
}

// ---- texts and arithmetic ---------------------------------------------------------------------

TEST(PlaceTexts, DegreesMinutesSecondsWithHemisphere) {
    EXPECT_EQ(catalog::latitudeText(-33.5), "33° 30' 00\" S");
    EXPECT_EQ(catalog::longitudeText(-0.1), "0° 06' 00\" W");
    EXPECT_EQ(catalog::latitudeText(0.0), "0° 00' 00\" N");
    EXPECT_EQ(catalog::longitudeText(-0.0), "0° 00' 00\" E");
    EXPECT_EQ(catalog::longitudeText(179.0 + 59.0 / 60 + 59.5 / 3600), "179° 59' 59\" E");
    EXPECT_EQ(catalog::latitudeText(std::numeric_limits<double>::quiet_NaN()), "0° 00' 00\" N");
}

TEST(PlaceTexts, SinglePrecisionValuesShowAsTyped) {
    // What OK stores for a free place must show back as the same fields, or reopening the
    // dialog would turn the place into a neighbour one second away.
    PlaceList empty;
    ObservingPlace none(empty);
    astro::AtmosphericConditions air;
    for (int d : {0, 1, 33, 51, 89, 90, 127, 179, 180})
        for (int m = 0; m < 60; ++m)
            for (int s = 0; s < 60; ++s) {
                if ((d == 90 || d == 180) && (m || s))
                    continue;
                ObservingPlaceDialog dialog(empty, "/nonexistent", none, air);
                // A zero angle has no hemisphere.
                const int latDegrees = d > 90 ? d - 90 : d;
                const AngleParts typed{latDegrees, m, s, latDegrees + m + s > 0};
                const AngleParts typedLon{d, m, s, false};
                dialog.editFields(fields(typed, typedLon, 13));
                const auto stored = dialog.accept();
                ASSERT_EQ(catalog::splitAngle(stored.latitude), typed) << d << " " << m << " " << s;
                ASSERT_EQ(catalog::splitAngle(stored.longitude), typedLon)
                    << d << " " << m << " " << s;
            }
}

TEST(PlaceArithmetic, CoordinatesAreLimitedAndSigned) {
    PlaceList empty;
    ObservingPlaceDialog dialog(empty, "/nonexistent", ObservingPlace(empty), {});
    dialog.editFields(fields({90, 30, 0, false}, {180, 30, 0, true}, 5));
    auto stored = dialog.accept();
    EXPECT_EQ(stored.latitude, 90.0);
    EXPECT_EQ(stored.longitude, -180.0);
    EXPECT_EQ(stored.timeZone, 5);

    // OK computes in single precision: 51° 30' 07" is not the double value.
    dialog.editFields(fields({51, 30, 7, true}, {0, 7, 0, false}, -1));
    stored = dialog.accept();
    EXPECT_EQ(stored.latitude, -static_cast<double>(51.0f + 30.0f / 60.0f + 7.0f / 3600.0f));
    EXPECT_NE(stored.latitude, -(51.0 + 30.0 / 60.0 + 7.0 / 3600.0));
    EXPECT_EQ(stored.timeZone, catalog::TimeZoneList::kGreenwich) << "no zone chosen";

    catalog::NewPlaceFields added{"Pole", "Nowhere", 90, 30, 0, true, 10, 30, 0, true, 17};
    const PlaceRecord r = catalog::newPlaceRecord(added);
    EXPECT_EQ(r.latitude, -90.0);
    EXPECT_EQ(r.longitude, -10.5);
    EXPECT_EQ(r.timeZone, 3.5f);
    added.timeZone = 99;
    EXPECT_EQ(catalog::newPlaceRecord(added).timeZone, 0.0f);
}

// ---- lists and the observing place -------------------------------------------------------------

TEST(TimeZones, NamesByExactHours) {
    const auto& zones = catalog::TimeZoneList::BuiltIn();
    ASSERT_EQ(zones.size(), 30u);
    EXPECT_EQ(zones.at(13)->name, "GMT       ");
    EXPECT_EQ(zones.nameOf(-3.5f), "GMT -03:30");
    EXPECT_EQ(zones.nameOf(5.75f), "");
    EXPECT_EQ(zones.at(30), nullptr);
    EXPECT_EQ(zones.at(-1), nullptr);
    EXPECT_EQ(catalog::CountryList::BuiltIn().size(), 72u);
    EXPECT_EQ(catalog::CountryList::BuiltIn().flagBitmap("uk"), 214);
    EXPECT_EQ(catalog::CountryList::BuiltIn().flagBitmap("Atlantis"), -1);
}

TEST(ObservingPlace, FixedFreeAndOutOfRangeIndices) {
    PlacesDir dir;
    writeRecords(dir.path() / PlaceList::kPermanentFile,
                 {place("Cape Town", "South Africa", -33.9, 18.4, 2.0f),
                  place("Kathmandu", "Nepal", 27.7, 85.3, 5.75f)});
    PlaceList places;
    ASSERT_EQ(places.LoadPlaces(dir.path()), 2u);

    // Only one coordinate is the sentinel: still the fixed place.
    ObservingPlace p(places, {0, -1000.0, 5.0, 20});
    EXPECT_TRUE(p.IsFixed());
    EXPECT_EQ(p.Latitude(), -33.9);
    EXPECT_EQ(p.Longitude(), 18.4);
    EXPECT_EQ(p.TimeZoneHours(), 2.0f);
    EXPECT_EQ(p.TimeZoneName(), "GMT +02:00");
    EXPECT_EQ(p.FlagBitmap(), 206);
    EXPECT_EQ(p.PlaceName(), "Cape Town, South Africa");

    p.setStored({1, -1000.0, -1000.0, 13});
    EXPECT_EQ(p.TimeZoneHours(), 5.75f);
    EXPECT_EQ(p.TimeZoneName(), "");
    EXPECT_EQ(p.FlagBitmap(), -1) << "Nepal has no flag";

    p.setStored({0, 12.25, -70.5, 9});
    EXPECT_FALSE(p.IsFixed());
    EXPECT_EQ(p.Latitude(), 12.25);
    EXPECT_EQ(p.TimeZoneHours(), -3.5f);
    EXPECT_EQ(p.FlagBitmap(), -1);
    EXPECT_EQ(p.PlaceName(), "");
    EXPECT_EQ(p.LongitudeText(), "70° 30' 00\" W");

    p.setStored({0, 12.25, -70.5, 45});
    EXPECT_EQ(p.TimeZoneName(), "GMT       ");
    for (int bad : {-1, 2, 5000}) {
        p.setStored({bad, -1000.0, -1000.0, 13});
        EXPECT_EQ(p.LatitudeText(), "51° 30' 00\" N");
        EXPECT_EQ(p.LongitudeText(), "0° 07' 00\" W");
        EXPECT_EQ(p.TimeZoneHours(), 0.0f);
        EXPECT_EQ(p.PlaceName(), "");
        EXPECT_EQ(p.FlagBitmap(), -1);
    }
}

// ---- loading -----------------------------------------------------------------------------------

TEST(LoadPlaces, StopsAfterYugoslaviaThenReadsUserPlaces) {
    PlacesDir dir;
    writePermanent(dir.path());
    writeRecords(dir.user(), {place("Mine", "uk", 1.0, 2.0, 5.5f)}, "short tail");
    PlaceList places;
    ASSERT_EQ(places.LoadPlaces(dir.path()), 298u);
    EXPECT_EQ(places.at(296)->town, "Belgrade");
    EXPECT_EQ(places.at(297)->town, "Mine");
    EXPECT_EQ(places.at(297)->flagBitmap, 214);
    EXPECT_EQ(places.at(297)->timeZoneName, "GMT +05:30");
    EXPECT_EQ(places.at(298), nullptr);
    EXPECT_EQ(places.at(-1), nullptr);
}

TEST(LoadPlaces, DamagedAndMissingFiles) {
    PlacesDir dir;
    PlaceList places;
    EXPECT_EQ(places.LoadPlaces(dir.path()), 0u);
    EXPECT_EQ(places.nearest(0.0, 0.0), -1);

    // A record without NUL, one with garbage numbers, then a truncated one.
    std::string noNul = catalog::encodePlaceRecord(place("", "", 1.0, 2.0));
    std::fill(noNul.begin(), noNul.begin() + 100, 'x');
    PlaceRecord garbage = place("Garbage", "France");
    garbage.latitude = std::numeric_limits<double>::quiet_NaN();
    garbage.longitude = -1e300;
    garbage.timeZone = 1e30f;
    writeRecords(dir.path() / PlaceList::kPermanentFile, {garbage}, noNul + noNul.substr(0, 127));
    ASSERT_EQ(places.LoadPlaces(dir.path()), 2u);
    EXPECT_EQ(places.at(0)->latitude, 0.0);
    EXPECT_EQ(places.at(0)->longitude, -180.0);
    EXPECT_EQ(places.at(0)->timeZone, 0.0f);
    EXPECT_EQ(places.at(1)->town, std::string(50, 'x'));
    EXPECT_EQ(places.at(1)->country, std::string(50, 'x'));

    // More user places than the list holds.
    writeRecords(dir.user(), std::vector<PlaceRecord>(2100, place("Many", "Peru")));
    EXPECT_EQ(places.LoadPlaces(dir.path()), PlaceList::kCapacity);
}

TEST(LoadPlaces, TextsAreWindows1252InTheFile) {
    PlacesDir dir;
    writeRecords(dir.path() / PlaceList::kPermanentFile,
                 {place("Zürich", "Switzerland"), place(std::string(60, 'a'), "Peru")});
    const std::string bytes = readAll(dir.path() / PlaceList::kPermanentFile);
    ASSERT_EQ(bytes.size(), 2 * PlaceRecord::kSize);
    EXPECT_EQ(bytes.substr(0, 7), std::string("Z\xFCrich") + '\0');
    PlaceList places;
    ASSERT_EQ(places.LoadPlaces(dir.path()), 2u);
    EXPECT_EQ(places.at(0)->town, "Zürich");
    EXPECT_EQ(places.at(1)->town, std::string(49, 'a')) << "cut so that the NUL fits";
}

// ---- the dialog --------------------------------------------------------------------------------

class PlaceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        writePermanent(dir.path());
        places.LoadPlaces(dir.path());
    }
    ObservingPlaceDialog open(chart::ObservingPlaceSettings stored = {}) {
        return ObservingPlaceDialog(places, dir.path(), ObservingPlace(places, stored), {});
    }
    PlacesDir dir;
    PlaceList places;
};

TEST_F(PlaceDialogTest, TypingBackTheSelectedPlaceMakesItFixedAgain) {
    ObservingPlaceDialog dialog = open({296, -1000.0, -1000.0, 13});
    ASSERT_TRUE(dialog.fixedMode());
    const PlaceFields belgrade = dialog.fields();
    EXPECT_EQ(belgrade, fields({44, 48, 0, false}, {20, 30, 0, false}, 14));

    PlaceFields edited = belgrade;
    edited.longitude.seconds = 1;
    dialog.editFields(edited);
    EXPECT_FALSE(dialog.fixedMode());
    EXPECT_FALSE(dialog.removeEnabled());
    edited.longitude.seconds = 0;
    edited.latitude.negative = true;
    dialog.editFields(edited);
    EXPECT_FALSE(dialog.fixedMode()) << "hemisphere differs";
    edited.latitude.negative = false;
    edited.timeZone = 15;
    dialog.editFields(edited);
    EXPECT_FALSE(dialog.fixedMode()) << "zone differs";
    dialog.editFields(belgrade);
    EXPECT_TRUE(dialog.fixedMode());
    const auto fixed = dialog.accept();
    EXPECT_EQ(fixed.fixedPlace, 296);
    EXPECT_EQ(fixed.latitude, -1000.0);
    EXPECT_EQ(fixed.longitude, -1000.0);
    EXPECT_EQ(fixed.timeZone, 13);

    dialog.toggleFixedMode();
    EXPECT_FALSE(dialog.fixedMode());
    EXPECT_EQ(dialog.fields(), belgrade);
    const auto free = dialog.accept();
    EXPECT_EQ(free.timeZone, 14);
    EXPECT_NEAR(free.latitude, 44.8, 1e-5);
}

TEST_F(PlaceDialogTest, ZoneWithoutNameMatchesOnlyAnEmptyChoice) {
    ASSERT_FALSE(
        catalog::appendUserPlace(dir.path(), place("Kathmandu", "Nepal", 27.7, 85.3, 5.75f)));
    places.LoadPlaces(dir.path());
    ObservingPlaceDialog dialog = open({297, -1000.0, -1000.0, 13});
    EXPECT_EQ(dialog.fields().timeZone, -1);
    PlaceFields f = dialog.fields();
    dialog.editFields(f);
    EXPECT_TRUE(dialog.fixedMode());
    f.timeZone = 21; // "GMT +05:30"
    dialog.editFields(f);
    EXPECT_FALSE(dialog.fixedMode());
}

TEST_F(PlaceDialogTest, GlobeRightClick) {
    ObservingPlaceDialog dialog = open({0, 10.0, 10.0, 13});
    ASSERT_FALSE(dialog.fixedMode());
    dialog.globeRightClick(44.0, 21.0, true);
    EXPECT_EQ(dialog.selectedPlace(), 296);
    EXPECT_TRUE(dialog.fixedMode());
    dialog.globeRightClick(-12.5, 100.25, false);
    EXPECT_FALSE(dialog.fixedMode());
    EXPECT_EQ(dialog.fields().latitude, (AngleParts{12, 30, 0, true}));
    EXPECT_EQ(dialog.fields().longitude, (AngleParts{100, 15, 0, false}));
}

TEST_F(PlaceDialogTest, RangesOfTheFields) {
    ObservingPlaceDialog dialog = open();
    EXPECT_FALSE(dialog.validate());
    dialog.editFields(fields({91, 0, 0, false}, {0, 0, 0, false}, 13));
    EXPECT_EQ(dialog.validate(), "Please enter an integer between 0 and 90.");
    dialog.editFields(fields({10, 0, 0, false}, {181, 0, 0, false}, 13));
    EXPECT_EQ(dialog.validate(), "Please enter an integer between 0 and 180.");
    dialog.editFields(fields({10, 0, -1, false}, {1, 0, 0, false}, 13));
    EXPECT_EQ(dialog.validate(), "Please enter an integer between 0 and 59.");

    astro::AtmosphericConditions air{250.0, -5.0, 980.0};
    catalog::AdditionalConditionsDialog conditions(air);
    EXPECT_FALSE(conditions.validate());
    conditions.height = "-100.5";
    EXPECT_EQ(conditions.validate(), "Please enter a number between -100 and 15000.");
    EXPECT_FALSE(dialog.applyAdditionalConditions(conditions));
    conditions.height = " 15000 ";
    conditions.pressure = "12abc";
    EXPECT_EQ(conditions.validate(), "Please enter a number.");
    conditions.pressure = "0";
    conditions.temperature = "100.1";
    EXPECT_EQ(conditions.validate(), "Please enter a number between -70 and 100.");
    conditions.temperature = "-70";
    ASSERT_TRUE(dialog.applyAdditionalConditions(conditions));
    EXPECT_EQ(dialog.conditions().height, 15000.0);
    EXPECT_EQ(dialog.conditions().pressure, 0.0);
    EXPECT_EQ(dialog.conditions().temperature, -70.0);
}

// ---- adding and removing user places -----------------------------------------------------------

TEST_F(PlaceDialogTest, NewPlaceIsAppendedAndSelected) {
    writeRecords(dir.user(), {place("First", "Peru")}, "half a record");
    ObservingPlaceDialog dialog = open();
    ASSERT_FALSE(dialog.addNewPlace({"Second", "Chile", 33, 27, 0, true, 70, 40, 0, true, 8}));
    EXPECT_EQ(places.size(), 299u);
    EXPECT_EQ(dialog.selectedPlace(), 298);
    EXPECT_TRUE(dialog.fixedMode());
    EXPECT_EQ(places.at(298)->town, "Second") << "the damaged tail must not shift the record";
    EXPECT_EQ(places.at(298)->timeZone, -4.0f);
    EXPECT_EQ(readAll(dir.user()).size(), 2 * PlaceRecord::kSize);
    EXPECT_FALSE(fs::exists(dir.path() / PlaceList::kScratchFile));
}

TEST_F(PlaceDialogTest, RemovingDropsEveryRecordOfThatTownAndCountry) {
    writeRecords(dir.user(),
                 {place("Twice", "Peru", 1.0), place("Other", "Peru"), place("Twice", "Chile"),
                  place("Twice", "Peru", 2.0), place("Last", "Peru")});
    places.LoadPlaces(dir.path());
    ObservingPlaceDialog dialog = open({300, -1000.0, -1000.0, 13});
    ASSERT_EQ(places.at(300)->town, "Twice");
    EXPECT_FALSE(dialog.removeCurrent());

    ASSERT_EQ(places.size(), 300u);
    EXPECT_EQ(places.at(297)->town, "Other");
    EXPECT_EQ(places.at(298)->country, "Chile");
    EXPECT_EQ(places.at(299)->town, "Last");
    EXPECT_EQ(dialog.selectedPlace(), 299);
    EXPECT_EQ(readAll(dir.user()).size(), 3 * PlaceRecord::kSize);
}

TEST_F(PlaceDialogTest, PermanentPlacesCannotBeRemoved) {
    writeRecords(dir.user(), {place("Mine", "Peru")});
    places.LoadPlaces(dir.path());
    const std::string before = readAll(dir.user());
    ObservingPlaceDialog dialog = open({296, -1000.0, -1000.0, 13});
    EXPECT_EQ(dialog.removeCurrent(), "You can't remove permanent fixed places");
    EXPECT_EQ(places.size(), 298u);
    EXPECT_EQ(readAll(dir.user()), before);
}

TEST_F(PlaceDialogTest, FailedWriteKeepsTheOldFile) {
    writeRecords(dir.user(), {place("Keep", "Peru"), place("Me", "Peru")});
    places.LoadPlaces(dir.path());
    const std::string before = readAll(dir.user());
    // The scratch file cannot be created where a folder of that name stands.
    fs::create_directory(dir.path() / PlaceList::kScratchFile);

    ObservingPlaceDialog dialog = open({298, -1000.0, -1000.0, 13});
    const auto added = dialog.addNewPlace({"New", "Peru", 1, 0, 0, false, 1, 0, 0, false, 13});
    ASSERT_TRUE(added);
    EXPECT_NE(added->find(PlaceList::kScratchFile), std::string::npos) << *added;
    EXPECT_TRUE(dialog.removeCurrent());
    EXPECT_EQ(readAll(dir.user()), before);
    EXPECT_EQ(places.size(), 299u);
    EXPECT_EQ(dialog.selectedPlace(), 298);
}

TEST_F(PlaceDialogTest, FieldsGiveThePositionTheGlobeTurnsTo) {
    ObservingPlaceDialog dialog = open({296, -1000.0, -1000.0, 13});
    EXPECT_NEAR(dialog.fields().latitudeDegrees(), 44.8, 1e-9);
    EXPECT_NEAR(dialog.fields().longitudeDegrees(), 20.5, 1e-9);

    // Signs follow the hemispheres, and the sums are limited as OK limits them.
    const PlaceFields south = fields({33, 30, 0, true}, {0, 6, 0, true}, 13);
    EXPECT_DOUBLE_EQ(south.latitudeDegrees(), -33.5);
    EXPECT_DOUBLE_EQ(south.longitudeDegrees(), -0.1);
    const PlaceFields beyond = fields({90, 30, 0, false}, {180, 0, 1, true}, 13);
    EXPECT_DOUBLE_EQ(beyond.latitudeDegrees(), 90.0);
    EXPECT_DOUBLE_EQ(beyond.longitudeDegrees(), -180.0);

    // A free place shows where OK puts it, up to single precision.
    dialog.editFields(fields({12, 34, 56, true}, {123, 45, 6, false}, 20));
    const auto stored = dialog.accept();
    EXPECT_NEAR(dialog.fields().latitudeDegrees(), stored.latitude, 1e-5);
    EXPECT_NEAR(dialog.fields().longitudeDegrees(), stored.longitude, 1e-5);
}

// ---- the shipped file --------------------------------------------------------------------------

TEST(ShippedPlaces, PermanentListAsTheProgramExpectsIt) {
    const fs::path data = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";
    const std::string bytes = readAll(data / PlaceList::kPermanentFile);
    ASSERT_EQ(bytes.size(), PlaceList::kPermanentCount * PlaceRecord::kSize);

    PlaceList places;
    ASSERT_GE(places.LoadPlaces(data), static_cast<std::size_t>(PlaceList::kPermanentCount));
    const auto* london = places.at(PlaceList::kDefaultPlace);
    EXPECT_EQ(london->town, "London");
    EXPECT_EQ(london->country, "UK");
    EXPECT_EQ(london->timeZoneName, "GMT       ");
    EXPECT_EQ(ObservingPlace(places).PlaceName(), "London, UK");
    const auto* last = places.at(PlaceList::kPermanentCount - 1);
    EXPECT_EQ(last->town, "Belgrade");
    EXPECT_EQ(last->country, "Yugoslavia");

    auto lower = [](std::string t) {
        for (char& c : t)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    std::set<std::string> countries, towns;
    for (int i = 0; i < PlaceList::kPermanentCount; ++i) {
        const auto& e = *places.at(i);
        EXPECT_NE(e.flagBitmap, -1) << e.town << ", " << e.country;
        EXPECT_LE(std::fabs(e.latitude), 90.0);
        EXPECT_LE(std::fabs(e.longitude), 180.0);
        EXPECT_TRUE(towns.insert(e.town + ", " + e.country).second) << "twice: " << e.town;
        if (i > 0) {
            EXPECT_LE(lower(places.at(i - 1)->country), lower(e.country)) << "sorted by country";
        }
        countries.insert(e.country);
    }
    EXPECT_GE(countries.size(), 60u);
    EXPECT_TRUE(countries.count("USA") && countries.count("Korea") && countries.count("Czech"));
}

} // namespace
