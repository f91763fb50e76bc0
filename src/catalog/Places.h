#pragma once

#include "astro/Frames.h"
#include "chart/ChartSettings.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// ---- countries and time zones ---------------------------------------------------------------

struct Country {
    std::string name; // at most 49 characters
    int flagBitmap = -1;
};

// The countries a place can belong to, each with the id of its flag bitmap.
class CountryList {
public:
    static constexpr std::size_t kCapacity = 500;
    static constexpr std::size_t kNameBytes = 49;

    // The 72 countries the program knows at start-up.
    static const CountryList& BuiltIn();

    // False (and nothing added) at the capacity; a longer name is cut to kNameBytes.
    bool add(std::string_view name, int flagBitmap);
    // The flag of the country of that name, compared without regard to letter case; -1 when
    // the country is not in the list.
    int flagBitmap(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != nullptr; }

    const std::vector<Country>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }

private:
    const Country* find(std::string_view name) const;
    std::vector<Country> m_entries;
};

struct TimeZoneEntry {
    float hours = 0.0f; // east of Greenwich
    std::string name;   // "GMT +05:30"
};

// The time zones of the place dialogs.
class TimeZoneList {
public:
    static constexpr std::size_t kCapacity = 32;
    // "GMT" and seven blanks: the zone of Greenwich and of a new chart's free place.
    static constexpr int kGreenwich = 13;

    // The 30 zones from -12 to +12 hours, index 13 being Greenwich.
    static const TimeZoneList& BuiltIn();

    bool add(float hours, std::string_view name); // false at the capacity
    // The entry at the index; none outside the list.
    const TimeZoneEntry* at(int index) const;
    // The first entry whose hours equal the given ones exactly: its index or name; -1 and ""
    // when none does (a zone of 5.75 hours has no name).
    int indexOf(float hours) const;
    std::string nameOf(float hours) const;
    // The index of the entry with that name; -1 for "" or an unknown name.
    int indexOfName(std::string_view name) const;

    const std::vector<TimeZoneEntry>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }

private:
    std::vector<TimeZoneEntry> m_entries;
};

// ---- the place record ------------------------------------------------------------------------

// One 128-byte record of "places.skd" and "AddFixedPlaces.skd", little-endian: town name
// (char[50], NUL-terminated), country (char[50]), 4 bytes padding, latitude (float64,
// degrees north), longitude (float64, degrees east), time zone (float32, hours east of
// Greenwich), 4 bytes padding. The texts are Windows-1252 in the file and UTF-8 here.
struct PlaceRecord {
    static constexpr std::size_t kSize = 128;
    static constexpr std::size_t kTextBytes = 50;

    std::string town;
    std::string country;
    double latitude = 0.0;
    double longitude = 0.0;
    float timeZone = 0.0f;
};

// The 128 bytes of a record; each text is cut to 49 bytes of Windows-1252 so that its NUL
// fits, padding is zero.
std::string encodePlaceRecord(const PlaceRecord& record);
// A record from 128 bytes. A text without a NUL is taken in its full 50 bytes. A coordinate
// that is not a number becomes 0, one beyond its range is limited to +-90 or +-180 degrees;
// a time zone that is not a number or lies beyond +-14 hours becomes 0. So a damaged record
// still gives a usable place and the places after it keep their positions in the list.
PlaceRecord decodePlaceRecord(std::string_view bytes);

// ---- the place list --------------------------------------------------------------------------

struct PlaceEntry {
    std::string town;
    std::string country;
    double latitude = 0.0;    // degrees, north positive
    double longitude = 0.0;   // degrees, east positive
    float timeZone = 0.0f;    // hours east of Greenwich
    std::string timeZoneName; // of the zone with exactly these hours; "" when none has
    int flagBitmap = -1;      // of the country; -1 when the country is not known
};

// The fixed observing places: the permanent places shipped in "places.skd" followed by the
// places the user added, kept in "AddFixedPlaces.skd". Both files live in the data folder.
class PlaceList {
public:
    static constexpr std::size_t kCapacity = 2000;
    // Entries below this index are permanent: they cannot be removed, even when the
    // permanent file holds fewer places.
    static constexpr int kPermanentCount = 297;
    // The fixed place of a new chart: London.
    static constexpr int kDefaultPlace = 211;
    // Reading the permanent file ends after the first place of this country.
    static constexpr std::string_view kLastPermanentCountry = "Yugoslavia";

    static constexpr const char* kPermanentFile = "places.skd";
    static constexpr const char* kUserFile = "AddFixedPlaces.skd";
    // Scratch file through which the user file is rewritten.
    static constexpr const char* kScratchFile = "temp1.skd";

    // Empties the list and reads both files; returns the number of entries. A missing file
    // adds nothing; a short final record ends a file; reading stops at the capacity.
    std::size_t LoadPlaces(const std::filesystem::path& dataDir,
                           const CountryList& countries = CountryList::BuiltIn(),
                           const TimeZoneList& zones = TimeZoneList::BuiltIn());
    // The files of the last load whose size is not a whole number of records (or, for the
    // permanent file, not its 297), one line each; their whole records were read.
    const std::vector<std::string>& damaged() const { return m_damaged; }

    // The entry at the index; none outside the list.
    const PlaceEntry* at(int index) const;
    static bool isPermanent(int index) { return index >= 0 && index < kPermanentCount; }
    // The entry nearest to a position (largest dot product of the unit vectors); -1 for an
    // empty list. Ties go to the first.
    int nearest(double latitude, double longitude) const;

    const std::vector<PlaceEntry>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }

private:
    bool add(const PlaceRecord& record, const CountryList& countries, const TimeZoneList& zones);
    std::vector<PlaceEntry> m_entries;
    std::vector<std::string> m_damaged;
};

// Appends a record to "AddFixedPlaces.skd" in the data folder (created when missing). The
// file is written anew as "temp1.skd" and renamed over the old one, so a failure leaves the
// old file as it was. Only whole records are carried over: a damaged tail shorter than a
// record, which the loader would ignore anyway, is dropped so that the new record stays
// aligned. Returns a message when the file could not be written.
std::optional<std::string> appendUserPlace(const std::filesystem::path& dataDir,
                                           const PlaceRecord& record);
// Rewrites "AddFixedPlaces.skd" without every record of that town and country, the same
// way. Returns a message when the file could not be written; a missing file is not an error.
std::optional<std::string> removeUserPlaces(const std::filesystem::path& dataDir,
                                            std::string_view town, std::string_view country);

// ---- angles as the place texts show them ------------------------------------------------------

// Whole degrees, minutes and seconds of the absolute value of an angle, and its sign. A value
// less than 0.06 arc second below a whole second counts as that second, so that an angle
// kept in single precision shows as it was typed.
struct AngleParts {
    int degrees = 0;
    int minutes = 0;
    int seconds = 0;
    bool negative = false;

    bool operator==(const AngleParts&) const = default;
};
AngleParts splitAngle(double degrees);

// "33° 30' 00\" S": degrees, the degree sign and a blank, two-digit minutes, an apostrophe
// and a blank, two-digit seconds, a double quote, a blank and N or S (E or W).
std::string latitudeText(double degrees);
std::string longitudeText(double degrees);

// ---- the observing place ---------------------------------------------------------------------

// The observing place of a chart: the stored values (a fixed place index, latitude and
// longitude with -1000 meaning "the fixed place", a time-zone index) read through the place
// and time-zone lists, which must outlive it.
//
// Defaults for values that name nothing: a fixed place index outside the place list (for
// example while "places.skd" is missing) gives London's position, 51° 30' N 0° 07' W, in
// the Greenwich zone, without a name or flag; a time-zone index outside the zone list gives
// the Greenwich zone.
class ObservingPlace {
public:
    static constexpr double kFromFixedPlace = chart::ObservingPlaceSettings::kFromFixedPlace;
    static constexpr double kFallbackLatitude = 51.5;
    static constexpr double kFallbackLongitude = -7.0 / 60.0;

    explicit ObservingPlace(const PlaceList& places, chart::ObservingPlaceSettings stored = {},
                            const TimeZoneList& zones = TimeZoneList::BuiltIn());

    const chart::ObservingPlaceSettings& stored() const { return m_stored; }
    void setStored(const chart::ObservingPlaceSettings& stored) { m_stored = stored; }

    // Latitude or longitude is the -1000 sentinel.
    bool IsFixed() const;
    double Latitude() const;
    double Longitude() const;
    float TimeZoneHours() const;
    std::string TimeZoneName() const;
    // -1 for a free place, else the country's flag.
    int FlagBitmap() const;
    // "London, UK" for a fixed place, "" for a free one.
    std::string PlaceName() const;
    std::string LatitudeText() const { return latitudeText(Latitude()); }
    std::string LongitudeText() const { return longitudeText(Longitude()); }

    // The place list entry the place takes its values from; none for a free place or an
    // index outside the list.
    const PlaceEntry* fixedEntry() const;

private:
    const TimeZoneEntry& ownZone() const;

    const PlaceList* m_places;
    const TimeZoneList* m_zones;
    chart::ObservingPlaceSettings m_stored;
};

// ---- the dialogs -----------------------------------------------------------------------------

// The framework's messages for refused dialog values.
std::string integerRangeMessage(int min, int max); // "Please enter an integer between 0 and 90."
std::string numberRangeMessage(double min, double max);
inline constexpr const char* kEnterNumberMessage = "Please enter a number.";
inline constexpr const char* kPermanentPlaceMessage = "You can't remove permanent fixed places";

// "Additional Conditions": the atmosphere of the observing place as three number fields,
// edited as texts and checked on OK in the order of the dialog.
class AdditionalConditionsDialog {
public:
    static constexpr double kHeightMin = -100.0, kHeightMax = 15000.0;
    static constexpr double kPressureMin = 0.0, kPressureMax = 10000.0;
    static constexpr double kTemperatureMin = -70.0, kTemperatureMax = 100.0;

    explicit AdditionalConditionsDialog(const astro::AtmosphericConditions& conditions);

    std::string height;      // "Height above sea level :", m
    std::string pressure;    // "Pressure :", millibars
    std::string temperature; // "Temperature :", ° C

    // The message of the first refused field ("Please enter a number." for a text that is not
    // a number, else the range message); nothing when all three are accepted.
    std::optional<std::string> validate() const;
    // The accepted values; call after validate() found nothing.
    astro::AtmosphericConditions values() const;
};

// What the "New fixed place" dialog hands back.
struct NewPlaceFields {
    std::string town;
    std::string country;
    int latitudeDegrees = 0, latitudeMinutes = 0, latitudeSeconds = 0;
    bool south = false;
    int longitudeDegrees = 0, longitudeMinutes = 0, longitudeSeconds = 0;
    bool west = false;
    int timeZone = TimeZoneList::kGreenwich; // index into the zone list
};

// The place the user adds: degrees + minutes/60 + seconds/3600, limited to 90 and 180 and
// negated for S and W; the hours of the chosen zone (Greenwich for an index outside the list).
PlaceRecord newPlaceRecord(const NewPlaceFields& fields,
                           const TimeZoneList& zones = TimeZoneList::BuiltIn());

// The coordinate fields of the "Observing Place" dialog: whole degrees, minutes, seconds and
// the hemisphere of each coordinate, and the chosen time zone.
struct PlaceFields {
    AngleParts latitude;  // negative: S
    AngleParts longitude; // negative: W
    int timeZone = -1;    // index into the zone list; -1 when none is chosen

    // The position the fields show: degrees + minutes/60 + seconds/3600, limited to 90 and
    // 180 and negated for S and W (the globe turns to it).
    double latitudeDegrees() const;
    double longitudeDegrees() const;

    bool operator==(const PlaceFields&) const = default;
};

// The data rules of the "Observing Place" dialog: which place is selected, whether the place
// is fixed, what the coordinate fields show, adding and removing user places, and what OK
// hands back. The place list is reloaded after each change of the user file.
class ObservingPlaceDialog {
public:
    static constexpr int kLatitudeDegreesMax = 90;
    static constexpr int kLongitudeDegreesMax = 180;
    static constexpr int kMinutesMax = 59;
    static constexpr int kSecondsMax = 59;

    ObservingPlaceDialog(PlaceList& places, std::filesystem::path dataDir,
                         const ObservingPlace& place,
                         const astro::AtmosphericConditions& conditions,
                         const CountryList& countries = CountryList::BuiltIn(),
                         const TimeZoneList& zones = TimeZoneList::BuiltIn());

    int selectedPlace() const { return m_selected; }
    // "Use fixed observing place"; the place choice is shown and "Remove current" enabled
    // only while it is set.
    bool fixedMode() const { return m_fixed; }
    bool removeEnabled() const { return m_fixed; }
    const PlaceFields& fields() const { return m_fields; }
    const astro::AtmosphericConditions& conditions() const { return m_conditions; }

    // The place choice: the entry becomes the selected place and its values fill the fields.
    // False (nothing changes) for an index outside the list.
    bool choosePlace(int index);
    // Flips the fixed mode; either way the selected place's values fill the fields.
    void toggleFixedMode();
    // An edit of the coordinate fields, a hemisphere or the time zone: the place is fixed
    // again exactly when every field equals the selected place's values.
    void editFields(const PlaceFields& fields);
    // A right click on the globe at a position: with "Selecting nearest fixed town" the
    // nearest place is chosen and the fixed mode set; otherwise the position fills the
    // coordinate fields as an edit.
    void globeRightClick(double latitude, double longitude, bool selectNearest);

    // "Additional conditions...": the edited values are kept only when that dialog ended with
    // OK and its values were accepted (false otherwise).
    bool applyAdditionalConditions(const AdditionalConditionsDialog& dialog);

    // "New...": appends the place to the user file, reloads the list and selects the new
    // place. Returns a message when nothing was added (the list is full or the file could
    // not be written).
    std::optional<std::string> addNewPlace(const NewPlaceFields& fields);
    // "Remove current": refuses permanent places (index below 297) with
    // kPermanentPlaceMessage; otherwise removes every user record with the selected place's
    // town and country, reloads the list and selects the entry before. Returns the message to
    // show, if any; with no place selected nothing happens.
    std::optional<std::string> removeCurrent();

    // OK: the message of the first coordinate field outside its range, or nothing.
    std::optional<std::string> validate() const;
    // OK: the stored place. Fixed: the selected index (211 when none is selected), -1000 for
    // both coordinates and zone 13. Free: degrees + minutes/60 + seconds/3600 in single
    // precision, limited to 90 and 180, negated for S and W, and the chosen zone (Greenwich
    // when none is chosen).
    chart::ObservingPlaceSettings accept() const;

private:
    PlaceFields fieldsOf(const PlaceEntry& entry) const;
    void showSelected();

    PlaceList* m_places;
    std::filesystem::path m_dataDir;
    const CountryList* m_countries;
    const TimeZoneList* m_zones;
    int m_selected = 0;
    bool m_fixed = false;
    PlaceFields m_fields;
    astro::AtmosphericConditions m_conditions;
};

} // namespace catalog
