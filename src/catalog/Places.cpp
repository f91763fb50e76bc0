#include "catalog/Places.h"

#include "catalog/AtomicFile.h"
#include "catalog/DataFiles.h"
#include "catalog/LittleEndian.h"
#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

namespace catalog {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTownOffset = 0;
constexpr std::size_t kCountryOffset = 50;
constexpr std::size_t kLatitudeOffset = 104;
constexpr std::size_t kLongitudeOffset = 112;
constexpr std::size_t kTimeZoneOffset = 120;
// Zones further from Greenwich than this are not zones.
constexpr float kTimeZoneLimit = 14.0f;
// Angles shown within this many arc seconds below a whole second show as that second.
constexpr double kSecondsTolerance = 0.06;
constexpr double kDegreesPerRadian = 57.29577951308232;

// A NUL-terminated Windows-1252 text of a record as UTF-8; without a NUL the full width.
std::string recordText(std::string_view field) {
    return windows1252ToUtf8(upToNul(field));
}

double limited(double value, double limit) {
    if (!std::isfinite(value))
        return 0.0;
    return std::clamp(value, -limit, limit);
}

std::string writeError(const fs::path& path, const std::string& reason) {
    return "Cannot write " + path.string() + ": " + reason;
}

// Rewrites the user file through the scratch file and a rename: every whole record of the
// old file that `keep` accepts is copied, record by record, then `extra` is appended. The
// old file is replaced only once the new content is completely on disk; on any failure it
// stays as it was and the scratch file is removed.
template <typename Keep>
std::optional<std::string> rewriteUserFile(const fs::path& dataDir, Keep keep,
                                           const std::string& extra) {
    const fs::path scratch = dataDir / PlaceList::kScratchFile;
    const fs::path target = dataDir / PlaceList::kUserFile;
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    const bool exists = status.type() != fs::file_type::not_found;
    if (ec && exists)
        return "Cannot read " + target.string() + ": " + ec.message();

    // Once created, the scratch file is removed again unless it replaces the user file.
    AtomicFile out(target, scratch);
    if (!out.isOpen())
        return writeError(scratch, "the file cannot be created");
    if (exists) {
        std::ifstream in(target, std::ios::binary);
        if (!in)
            return "Cannot read " + target.string();
        std::string record(PlaceRecord::kSize, '\0');
        while (in.read(record.data(), static_cast<std::streamsize>(record.size())))
            if (keep(record))
                out.write(record);
        if (in.bad())
            return "Cannot read " + target.string();
    }
    out.write(extra);
    AtomicWriteFailure failure;
    if (out.commit(&failure))
        return std::nullopt;
    if (failure.step == AtomicWriteFailure::Step::Rename)
        return writeError(target, failure.reason);
    // Writing the scratch file failed (a full disk, most often): the user file is untouched.
    return writeError(target, "its new version could not be written to " + scratch.string() +
                                  " (is the disk full?); the file is unchanged");
}

std::string twoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::string angleText(double degrees, char positive, char negative) {
    const AngleParts p = splitAngle(degrees);
    return std::to_string(p.degrees) + "° " + twoDigits(p.minutes) + "' " + twoDigits(p.seconds) +
           "\" " + (p.negative ? negative : positive);
}

// The framework writes the bounds of a number range with 15 significant digits.
std::string boundText(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

// A number field as the framework reads it: blanks around a decimal number; nothing else.
std::optional<double> parseNumber(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    const auto end = text.find_last_not_of(" \t");
    const std::string body = text.substr(begin, end - begin + 1);
    if (body.find_first_of("xX") != std::string::npos) // no hexadecimal numbers
        return std::nullopt;
    char* stop = nullptr;
    const double value = std::strtod(body.c_str(), &stop);
    if (stop != body.c_str() + body.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string fieldText(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

std::optional<std::string> checkNumber(const std::string& text, double min, double max) {
    const auto value = parseNumber(text);
    if (!value)
        return std::string(kEnterNumberMessage);
    if (*value < min || *value > max)
        return numberRangeMessage(min, max);
    return std::nullopt;
}

std::optional<std::string> checkInteger(int value, int min, int max) {
    if (value < min || value > max)
        return integerRangeMessage(min, max);
    return std::nullopt;
}

double unitX(double lat, double lon) {
    return std::cos(lat / kDegreesPerRadian) * std::cos(lon / kDegreesPerRadian);
}
double unitY(double lat, double lon) {
    return std::cos(lat / kDegreesPerRadian) * std::sin(lon / kDegreesPerRadian);
}
double unitZ(double lat) {
    return std::sin(lat / kDegreesPerRadian);
}

} // namespace

// ---- countries and time zones ---------------------------------------------------------------

const CountryList& CountryList::BuiltIn() {
    static const CountryList list = [] {
        static constexpr std::pair<const char*, int> kRows[] = {
            {"Afghanistan", 150}, {"Albania", 147},   {"Algeria", 148},      {"Andorra", 151},
            {"Angola", 152},      {"Argentina", 149}, {"Australia", 153},    {"Austria", 154},
            {"Belgium", 155},     {"Brazil", 156},    {"Bulgaria", 157},     {"Canada", 158},
            {"China", 160},       {"Chile", 161},     {"Colombia", 162},     {"Cuba", 163},
            {"Cyprus", 164},      {"Czech", 165},     {"Denmark", 166},      {"Egypt", 167},
            {"Ethiopia", 168},    {"Finland", 169},   {"France", 170},       {"Germany", 171},
            {"Greece", 172},      {"Hungary", 173},   {"Iceland", 174},      {"India", 175},
            {"Indonesia", 176},   {"Iran", 177},      {"Iraq", 178},         {"Ireland", 179},
            {"Israel", 180},      {"Italy", 181},     {"Japan", 182},        {"Kenya", 183},
            {"Korea", 184},       {"Libya", 185},     {"Luxembourg", 186},   {"Malaysia", 187},
            {"Mexico", 188},      {"Mongolia", 189},  {"Morocco", 190},      {"Netherlands", 191},
            {"New Zealand", 192}, {"Nigeria", 193},   {"Norway", 194},       {"Pakistan", 195},
            {"Panama", 196},      {"Paraguay", 197},  {"Peru", 198},         {"Philippines", 199},
            {"Poland", 200},      {"Portugal", 201},  {"Romania", 202},      {"Russia", 203},
            {"Senegal", 204},     {"Slovakia", 205},  {"South Africa", 206}, {"Spain", 207},
            {"Sudan", 208},       {"Sweden", 209},    {"Switzerland", 210},  {"Thailand", 211},
            {"Turkey", 212},      {"Uganda", 213},    {"UK", 214},           {"Uruguay", 215},
            {"USA", 216},         {"Venezuela", 217}, {"Vietnam", 218},      {"Yugoslavia", 219}};
        CountryList l;
        for (const auto& [name, id] : kRows)
            l.add(name, id);
        return l;
    }();
    return list;
}

bool CountryList::add(std::string_view name, int flag) {
    if (m_entries.size() >= kCapacity)
        return false;
    m_entries.push_back({std::string(name.substr(0, kNameBytes)), flag});
    return true;
}

const Country* CountryList::find(std::string_view name) const {
    for (const Country& c : m_entries)
        if (equalsIgnoringCase(c.name, name))
            return &c;
    return nullptr;
}

int CountryList::flagBitmap(std::string_view name) const {
    const Country* c = find(name);
    return c ? c->flagBitmap : -1;
}

const TimeZoneList& TimeZoneList::BuiltIn() {
    static const TimeZoneList list = [] {
        static constexpr std::pair<const char*, float> kRows[] = {
            {"GMT -12:00", -12.0f}, {"GMT -11:00", -11.0f}, {"GMT -10:00", -10.0f},
            {"GMT -09:00", -9.0f},  {"GMT -08:00", -8.0f},  {"GMT -07:00", -7.0f},
            {"GMT -06:00", -6.0f},  {"GMT -05:00", -5.0f},  {"GMT -04:00", -4.0f},
            {"GMT -03:30", -3.5f},  {"GMT -03:00", -3.0f},  {"GMT -02:00", -2.0f},
            {"GMT -01:00", -1.0f},  {"GMT       ", 0.0f},   {"GMT +01:00", 1.0f},
            {"GMT +02:00", 2.0f},   {"GMT +03:00", 3.0f},   {"GMT +03:30", 3.5f},
            {"GMT +04:00", 4.0f},   {"GMT +04:30", 4.5f},   {"GMT +05:00", 5.0f},
            {"GMT +05:30", 5.5f},   {"GMT +06:00", 6.0f},   {"GMT +07:00", 7.0f},
            {"GMT +08:00", 8.0f},   {"GMT +09:00", 9.0f},   {"GMT +09:30", 9.5f},
            {"GMT +10:00", 10.0f},  {"GMT +11:00", 11.0f},  {"GMT +12:00", 12.0f}};
        TimeZoneList l;
        for (const auto& [name, hours] : kRows)
            l.add(hours, name);
        return l;
    }();
    return list;
}

bool TimeZoneList::add(float hours, std::string_view name) {
    if (m_entries.size() >= kCapacity)
        return false;
    m_entries.push_back({hours, std::string(name)});
    return true;
}

const TimeZoneEntry* TimeZoneList::at(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size())
        return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

int TimeZoneList::indexOf(float hours) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].hours == hours)
            return static_cast<int>(i);
    return -1;
}

std::string TimeZoneList::nameOf(float hours) const {
    const TimeZoneEntry* e = at(indexOf(hours));
    return e ? e->name : std::string();
}

int TimeZoneList::indexOfName(std::string_view name) const {
    if (name.empty())
        return -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].name == name)
            return static_cast<int>(i);
    return -1;
}

// ---- the place record ------------------------------------------------------------------------

std::string encodePlaceRecord(const PlaceRecord& record) {
    std::string bytes(PlaceRecord::kSize, '\0');
    const std::string town = utf8ToWindows1252(record.town, PlaceRecord::kTextBytes - 1);
    const std::string country = utf8ToWindows1252(record.country, PlaceRecord::kTextBytes - 1);
    std::memcpy(bytes.data() + kTownOffset, town.data(), town.size());
    std::memcpy(bytes.data() + kCountryOffset, country.data(), country.size());
    writeF64(bytes.data() + kLatitudeOffset, record.latitude);
    writeF64(bytes.data() + kLongitudeOffset, record.longitude);
    writeF32(bytes.data() + kTimeZoneOffset, record.timeZone);
    return bytes;
}

PlaceRecord decodePlaceRecord(std::string_view bytes) {
    PlaceRecord r;
    if (bytes.size() < PlaceRecord::kSize)
        return r;
    r.town = recordText(bytes.substr(kTownOffset, PlaceRecord::kTextBytes));
    r.country = recordText(bytes.substr(kCountryOffset, PlaceRecord::kTextBytes));
    r.latitude = readF64(bytes.data() + kLatitudeOffset);
    r.longitude = readF64(bytes.data() + kLongitudeOffset);
    r.timeZone = readF32(bytes.data() + kTimeZoneOffset);
    r.latitude = limited(r.latitude, 90.0);
    r.longitude = limited(r.longitude, 180.0);
    if (!std::isfinite(r.timeZone) || std::fabs(r.timeZone) > kTimeZoneLimit)
        r.timeZone = 0.0f;
    return r;
}

// ---- the place list --------------------------------------------------------------------------

bool PlaceList::add(const PlaceRecord& record, const CountryList& countries,
                    const TimeZoneList& zones) {
    if (m_entries.size() >= kCapacity)
        return false;
    PlaceEntry e;
    e.town = record.town;
    e.country = record.country;
    e.latitude = record.latitude;
    e.longitude = record.longitude;
    e.timeZone = record.timeZone;
    e.timeZoneName = zones.nameOf(record.timeZone);
    e.flagBitmap = countries.flagBitmap(record.country);
    m_entries.push_back(std::move(e));
    return true;
}

std::size_t PlaceList::LoadPlaces(const fs::path& dataDir, const CountryList& countries,
                                  const TimeZoneList& zones) {
    m_entries.clear();
    m_damaged.clear();
    for (const auto& [file, count] : {std::pair{kPermanentFile, std::size_t{kPermanentCount}},
                                      std::pair{kUserFile, std::size_t{0}}})
        if (std::string damage = RecordFileDamage(dataDir / file, PlaceRecord::kSize, count);
            !damage.empty())
            m_damaged.push_back(std::move(damage));
    std::string record(PlaceRecord::kSize, '\0');
    {
        std::ifstream in(dataDir / kPermanentFile, std::ios::binary);
        while (in && m_entries.size() < kCapacity) {
            if (!m_entries.empty() && m_entries.back().country == kLastPermanentCountry)
                break;
            if (!in.read(record.data(), static_cast<std::streamsize>(record.size())))
                break;
            add(decodePlaceRecord(record), countries, zones);
        }
    }
    std::ifstream in(dataDir / kUserFile, std::ios::binary);
    while (in && m_entries.size() < kCapacity &&
           in.read(record.data(), static_cast<std::streamsize>(record.size())))
        add(decodePlaceRecord(record), countries, zones);
    return m_entries.size();
}

const PlaceEntry* PlaceList::at(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size())
        return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

int PlaceList::nearest(double latitude, double longitude) const {
    const double x = unitX(latitude, longitude), y = unitY(latitude, longitude),
                 z = unitZ(latitude);
    int best = -1;
    double bestDot = -2.0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const PlaceEntry& e = m_entries[i];
        const double dot = x * unitX(e.latitude, e.longitude) + y * unitY(e.latitude, e.longitude) +
                           z * unitZ(e.latitude);
        if (dot > bestDot) {
            bestDot = dot;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::optional<std::string> appendUserPlace(const fs::path& dataDir, const PlaceRecord& record) {
    return rewriteUserFile(
        dataDir, [](const std::string&) { return true; }, encodePlaceRecord(record));
}

std::optional<std::string> removeUserPlaces(const fs::path& dataDir, std::string_view town,
                                            std::string_view country) {
    std::error_code ec;
    if (fs::status(dataDir / PlaceList::kUserFile, ec).type() == fs::file_type::not_found)
        return std::nullopt;
    return rewriteUserFile(
        dataDir,
        [&](const std::string& bytes) {
            const PlaceRecord place = decodePlaceRecord(bytes);
            return place.town != town || place.country != country;
        },
        std::string());
}

// ---- angles ----------------------------------------------------------------------------------

AngleParts splitAngle(double degrees) {
    AngleParts p;
    if (!std::isfinite(degrees))
        return p;
    p.negative = degrees < 0.0;
    // Far beyond any angle of a place; keeps the whole seconds within a long long.
    const double magnitude = std::min(std::fabs(degrees), 1.0e9);
    const auto seconds = static_cast<long long>(std::floor(magnitude * 3600.0 + kSecondsTolerance));
    p.degrees = static_cast<int>(seconds / 3600);
    p.minutes = static_cast<int>(seconds / 60 % 60);
    p.seconds = static_cast<int>(seconds % 60);
    return p;
}

std::string latitudeText(double degrees) {
    return angleText(degrees, 'N', 'S');
}
std::string longitudeText(double degrees) {
    return angleText(degrees, 'E', 'W');
}

// ---- the observing place ---------------------------------------------------------------------

ObservingPlace::ObservingPlace(const PlaceList& places, chart::ObservingPlaceSettings stored,
                               const TimeZoneList& zones)
    : m_places(&places), m_zones(&zones), m_stored(stored) {}

bool ObservingPlace::IsFixed() const {
    return m_stored.latitude == kFromFixedPlace || m_stored.longitude == kFromFixedPlace;
}

const PlaceEntry* ObservingPlace::fixedEntry() const {
    return IsFixed() ? m_places->at(m_stored.fixedPlace) : nullptr;
}

const TimeZoneEntry& ObservingPlace::ownZone() const {
    static const TimeZoneEntry kGreenwich{0.0f, "GMT       "};
    if (const TimeZoneEntry* e = m_zones->at(m_stored.timeZone))
        return *e;
    if (const TimeZoneEntry* e = m_zones->at(TimeZoneList::kGreenwich))
        return *e;
    return kGreenwich;
}

double ObservingPlace::Latitude() const {
    if (!IsFixed())
        return m_stored.latitude;
    const PlaceEntry* e = fixedEntry();
    return e ? e->latitude : kFallbackLatitude;
}

double ObservingPlace::Longitude() const {
    if (!IsFixed())
        return m_stored.longitude;
    const PlaceEntry* e = fixedEntry();
    return e ? e->longitude : kFallbackLongitude;
}

float ObservingPlace::TimeZoneHours() const {
    if (!IsFixed())
        return ownZone().hours;
    const PlaceEntry* e = fixedEntry();
    return e ? e->timeZone : 0.0f;
}

std::string ObservingPlace::TimeZoneName() const {
    if (!IsFixed())
        return ownZone().name;
    const PlaceEntry* e = fixedEntry();
    return e ? e->timeZoneName : m_zones->nameOf(0.0f);
}

int ObservingPlace::FlagBitmap() const {
    const PlaceEntry* e = fixedEntry();
    return e ? e->flagBitmap : -1;
}

std::string ObservingPlace::PlaceName() const {
    const PlaceEntry* e = fixedEntry();
    return e ? e->town + ", " + e->country : std::string();
}

// ---- the dialogs -----------------------------------------------------------------------------

std::string integerRangeMessage(int min, int max) {
    return "Please enter an integer between " + std::to_string(min) + " and " +
           std::to_string(max) + ".";
}

std::string numberRangeMessage(double min, double max) {
    return "Please enter a number between " + boundText(min) + " and " + boundText(max) + ".";
}

AdditionalConditionsDialog::AdditionalConditionsDialog(
    const astro::AtmosphericConditions& conditions)
    : height(fieldText(conditions.height)), pressure(fieldText(conditions.pressure)),
      temperature(fieldText(conditions.temperature)) {}

std::optional<std::string> AdditionalConditionsDialog::validate() const {
    if (auto m = checkNumber(height, kHeightMin, kHeightMax))
        return m;
    if (auto m = checkNumber(pressure, kPressureMin, kPressureMax))
        return m;
    return checkNumber(temperature, kTemperatureMin, kTemperatureMax);
}

astro::AtmosphericConditions AdditionalConditionsDialog::values() const {
    astro::AtmosphericConditions c;
    c.height = parseNumber(height).value_or(c.height);
    c.pressure = parseNumber(pressure).value_or(c.pressure);
    c.temperature = parseNumber(temperature).value_or(c.temperature);
    return c;
}

PlaceRecord newPlaceRecord(const NewPlaceFields& f, const TimeZoneList& zones) {
    PlaceRecord r;
    r.town = f.town;
    r.country = f.country;
    r.latitude =
        std::min(f.latitudeDegrees + f.latitudeMinutes / 60.0 + f.latitudeSeconds / 3600.0, 90.0);
    r.longitude = std::min(
        f.longitudeDegrees + f.longitudeMinutes / 60.0 + f.longitudeSeconds / 3600.0, 180.0);
    if (f.south)
        r.latitude = -r.latitude;
    if (f.west)
        r.longitude = -r.longitude;
    const TimeZoneEntry* zone = zones.at(f.timeZone);
    if (!zone)
        zone = zones.at(TimeZoneList::kGreenwich);
    r.timeZone = zone ? zone->hours : 0.0f;
    return r;
}

namespace {

double fieldAngle(const AngleParts& p, double limit) {
    const double v = std::min(p.degrees + p.minutes / 60.0 + p.seconds / 3600.0, limit);
    return p.negative ? -v : v;
}

} // namespace

double PlaceFields::latitudeDegrees() const {
    return fieldAngle(latitude, 90.0);
}

double PlaceFields::longitudeDegrees() const {
    return fieldAngle(longitude, 180.0);
}

ObservingPlaceDialog::ObservingPlaceDialog(PlaceList& places, fs::path dataDir,
                                           const ObservingPlace& place,
                                           const astro::AtmosphericConditions& conditions,
                                           const CountryList& countries, const TimeZoneList& zones)
    : m_places(&places), m_dataDir(std::move(dataDir)), m_countries(&countries), m_zones(&zones),
      m_conditions(conditions) {
    const int stored = place.stored().fixedPlace;
    m_selected = places.at(stored) ? stored : -1;
    m_fixed = place.IsFixed();
    m_fields.latitude = splitAngle(place.Latitude());
    m_fields.longitude = splitAngle(place.Longitude());
    m_fields.timeZone = place.IsFixed()
                            ? zones.indexOfName(place.TimeZoneName())
                            : (zones.at(place.stored().timeZone) ? place.stored().timeZone
                                                                 : TimeZoneList::kGreenwich);
}

PlaceFields ObservingPlaceDialog::fieldsOf(const PlaceEntry& entry) const {
    return {splitAngle(entry.latitude), splitAngle(entry.longitude),
            m_zones->indexOfName(entry.timeZoneName)};
}

void ObservingPlaceDialog::showSelected() {
    if (const PlaceEntry* e = m_places->at(m_selected))
        m_fields = fieldsOf(*e);
}

bool ObservingPlaceDialog::choosePlace(int index) {
    if (!m_places->at(index))
        return false;
    m_selected = index;
    m_fixed = true;
    showSelected();
    return true;
}

void ObservingPlaceDialog::toggleFixedMode() {
    m_fixed = !m_fixed;
    showSelected();
}

void ObservingPlaceDialog::editFields(const PlaceFields& fields) {
    m_fields = fields;
    const PlaceEntry* e = m_places->at(m_selected);
    if (!e) {
        m_fixed = false;
        return;
    }
    // The zones are compared by name, as the dialog shows them: a place whose zone has no
    // name matches only an empty zone choice.
    const PlaceFields place = fieldsOf(*e);
    const TimeZoneEntry* chosen = m_zones->at(fields.timeZone);
    m_fixed = fields.latitude == place.latitude && fields.longitude == place.longitude &&
              (chosen ? chosen->name : std::string()) == e->timeZoneName;
}

void ObservingPlaceDialog::globeRightClick(double latitude, double longitude, bool selectNearest) {
    if (selectNearest) {
        choosePlace(m_places->nearest(latitude, longitude));
        return;
    }
    PlaceFields f = m_fields;
    f.latitude = splitAngle(latitude);
    f.longitude = splitAngle(longitude);
    editFields(f);
}

bool ObservingPlaceDialog::applyAdditionalConditions(const AdditionalConditionsDialog& dialog) {
    if (dialog.validate())
        return false;
    m_conditions = dialog.values();
    return true;
}

std::optional<std::string> ObservingPlaceDialog::addNewPlace(const NewPlaceFields& fields) {
    if (m_places->size() >= PlaceList::kCapacity)
        return "The list of fixed places is full (" + std::to_string(PlaceList::kCapacity) +
               " places).";
    if (auto error = appendUserPlace(m_dataDir, newPlaceRecord(fields, *m_zones)))
        return error;
    m_places->LoadPlaces(m_dataDir, *m_countries, *m_zones);
    m_selected = static_cast<int>(m_places->size()) - 1;
    m_fixed = true;
    showSelected();
    return std::nullopt;
}

std::optional<std::string> ObservingPlaceDialog::removeCurrent() {
    if (PlaceList::isPermanent(m_selected))
        return std::string(kPermanentPlaceMessage);
    const PlaceEntry* e = m_places->at(m_selected);
    if (!e)
        return std::nullopt;
    if (auto error = removeUserPlaces(m_dataDir, e->town, e->country))
        return error;
    m_places->LoadPlaces(m_dataDir, *m_countries, *m_zones);
    m_selected = std::min(m_selected - 1, static_cast<int>(m_places->size()) - 1);
    showSelected();
    return std::nullopt;
}

std::optional<std::string> ObservingPlaceDialog::validate() const {
    const AngleParts& lat = m_fields.latitude;
    const AngleParts& lon = m_fields.longitude;
    for (auto m :
         {checkInteger(lat.degrees, 0, kLatitudeDegreesMax),
          checkInteger(lat.minutes, 0, kMinutesMax), checkInteger(lat.seconds, 0, kSecondsMax),
          checkInteger(lon.degrees, 0, kLongitudeDegreesMax),
          checkInteger(lon.minutes, 0, kMinutesMax), checkInteger(lon.seconds, 0, kSecondsMax)})
        if (m)
            return m;
    return std::nullopt;
}

chart::ObservingPlaceSettings ObservingPlaceDialog::accept() const {
    chart::ObservingPlaceSettings s;
    if (m_selected >= 0)
        s.fixedPlace = m_selected;
    if (m_fixed) {
        s.latitude = ObservingPlace::kFromFixedPlace;
        s.longitude = ObservingPlace::kFromFixedPlace;
        s.timeZone = TimeZoneList::kGreenwich;
        return s;
    }
    // Single precision, as the dialog has always computed it.
    auto combine = [](const AngleParts& p, float limit) {
        float v = static_cast<float>(p.degrees) + static_cast<float>(p.minutes) / 60.0f +
                  static_cast<float>(p.seconds) / 3600.0f;
        v = std::min(v, limit);
        return static_cast<double>(p.negative ? -v : v);
    };
    s.latitude = combine(m_fields.latitude, 90.0f);
    s.longitude = combine(m_fields.longitude, 180.0f);
    s.timeZone = m_zones->at(m_fields.timeZone) ? m_fields.timeZone : TimeZoneList::kGreenwich;
    return s;
}

} // namespace catalog
