// skyvane-data places: the permanent fixed places of the observing-place dialog.
//
//   places.skd   297 towns of the town database (places/citydb.sqlite): capitals and large
//                towns of every country of the program's flag table that the database knows,
//                sorted by country and town. The list is chosen so that entry 211, the place
//                of a new chart, is London and the last entry is the only one in Yugoslavia
//                (Belgrade): the loader stops after the first place of that country. Countries
//                are spelled as the flag table spells them ("UK", "USA", "Czech", "Korea");
//                time zones are the standard-time offsets of the database, in hours.

#include "DataCommands.h"

#include "catalog/Places.h"
#include "catalog/Windows1252.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace datatool {

namespace {

namespace fs = std::filesystem;

// The towns taken per country, in the program's spelling of the country. A town whose name
// the database holds more than once for the country is written "name|province". Towns whose
// database position is far from the real town are left out (the database's Hong Kong lies
// in the sea, its Newcastle is Newcastle-under-Lyme).
struct Selection {
    const char* country;
    std::vector<const char*> towns;
};

const std::vector<Selection>& selection() {
    static const std::vector<Selection> kSelection = {
        {"Afghanistan", {"Kabul"}},
        {"Algeria", {"Algiers", "Oran", "Qustantinah"}},
        {"Angola", {"Huambo", "Luanda"}},
        {"Argentina", {"Buenos Aires"}},
        {"Australia",
         {"Adelaide", "Brisbane", "Canberra", "Darwin", "Hobart", "Melbourne", "Perth", "Sydney"}},
        {"Austria", {"Innsbruck", "Linz", "Salzburg", "Vienna"}},
        {"Belgium", {"Antwerp", "Brussels", "Oostende"}},
        {"Brazil", {"Brasilia", "Manaus", "Recife", "Rio de Janeiro", "São Paulo"}},
        {"Bulgaria", {"Sofia"}},
        {"Canada",
         {"Calgary", "Edmonton", "Halifax", "Montreal", "Ottawa", "Quebec", "Regina", "St. John's",
          "Toronto", "Vancouver", "Victoria", "Winnipeg", "Yellowknife"}},
        {"China", {"Beijing", "Canton", "Lhasa", "Shanghai"}},
        {"Chile", {"Antofagasta", "Santiago"}},
        {"Colombia", {"Barranquilla", "Bogotá"}},
        {"Cuba", {"Havana"}},
        {"Cyprus", {"Nicosia"}},
        {"Czech", {"Prague"}},
        {"Denmark", {"Aarhus", "Copenhagen", "Odense"}},
        {"Egypt", {"Alexandria", "Aswan", "Cairo"}},
        {"Ethiopia", {"Addis Ababa"}},
        {"Finland", {"Helsinki", "Oulu", "Turku"}},
        {"France",
         {"Bordeaux", "Lille", "Lyon", "Marseille", "Nantes", "Nice", "Paris", "Strasbourg",
          "Toulouse"}},
        {"Germany",
         {"Berlin", "Bremen", "Cologne", "Dresden", "Frankfurt", "Hamburg", "Hannover", "Leipzig",
          "Munich", "Stuttgart"}},
        {"Greece", {"Athens", "Thessaloníki"}},
        {"Hungary", {"Budapest", "Debrecen", "Szeged"}},
        {"Iceland", {"Reykjavik"}},
        {"India", {"Bangalore", "Chennai", "Hyderabad", "Kolkata", "Mumbai", "New Delhi", "Pune"}},
        {"Indonesia", {"Jakarta", "Ujung Pandang"}},
        {"Iran", {"Esfahan", "Shiraz", "Tabriz", "Tehran"}},
        {"Iraq", {"Baghdad"}},
        {"Ireland", {"Cork", "Dublin", "Galway"}},
        {"Israel", {"Haifa", "Jerusalem", "Tel Aviv"}},
        {"Italy",
         {"Bologna", "Florence", "Genoa", "Milan", "Naples", "Palermo", "Rome", "Turin", "Venice"}},
        {"Japan", {"Fukuoka", "Kyoto", "Nagoya", "Osaka", "Sapporo", "Tokyo"}},
        {"Kenya", {"Mombasa", "Nairobi"}},
        {"Korea", {"Busan", "Daegu", "Pyongyang", "Seoul"}},
        {"Libya", {"Benghazi", "Tripoli"}},
        {"Luxembourg", {"Luxembourg City"}},
        {"Malaysia", {"Kuala Lumpur", "Kuching"}},
        {"Mexico", {"Acapulco", "Mexico City"}},
        {"Morocco", {"Casablanca", "Marrakech", "Rabat"}},
        {"Netherlands", {"Amsterdam", "Groningen", "Rotterdam"}},
        {"New Zealand", {"Auckland", "Christchurch", "Dunedin", "Wellington"}},
        {"Nigeria", {"Abuja", "Kano", "Lagos"}},
        {"Norway", {"Bergen", "Oslo", "Tromsø"}},
        {"Pakistan", {"Islamabad", "Karachi", "Lahore"}},
        {"Panama", {"Panama City"}},
        {"Paraguay", {"Asunción"}},
        {"Peru", {"Lima"}},
        {"Philippines", {"Manila"}},
        {"Poland", {"Gdansk", "Poznan", "Warsaw"}},
        {"Portugal", {"Funchal", "Lisbon", "Oporto"}},
        {"Romania", {"Bucharest"}},
        {"Russia",
         {"Ekaterinburg", "Irkutsk", "Khabarovsk", "Krasnoyarsk", "Moscow", "Murmansk",
          "Novosibirsk", "Omsk", "St. Petersburg", "Vladivostok", "Yakutsk"}},
        {"Senegal", {"Dakar"}},
        {"Slovakia", {"Stara Lesna"}},
        {"South Africa", {"Cape Town", "Durban", "Johannesburg", "Pretoria"}},
        {"Spain",
         {"Barcelona", "Las Palmas de Gran Canaria", "Madrid", "Málaga", "Palma de Mallorca",
          "Sevilla", "Valéncia"}},
        {"Sudan", {"Khartoum"}},
        {"Sweden", {"Gothenburg", "Kiruna", "Malmö", "Stockholm"}},
        {"Switzerland", {"Bern", "Geneva", "Zürich"}},
        {"Thailand", {"Bangkok", "Chiang Mai"}},
        {"Turkey", {"Ankara", "Istanbul"}},
        {"Uganda", {"Kampala"}},
        {"UK",
         {"Aberdeen", "Belfast", "Birmingham", "Bristol", "Cardiff", "Edinburgh", "Glasgow",
          "Leeds", "Liverpool", "London", "Manchester", "Nottingham", "Oxford", "Plymouth",
          "Portsmouth", "Sheffield", "Southampton", "York"}},
        {"Uruguay", {"Montevideo"}},
        // A town per state, the capital or the largest, and the large cities.
        {"USA",
         {"Albany|New York",
          "Albuquerque",
          "Anchorage",
          "Atlanta",
          "Augusta|Maine",
          "Austin|Texas",
          "Baltimore",
          "Baton Rouge",
          "Billings",
          "Birmingham",
          "Bismarck",
          "Boise",
          "Boston",
          "Burlington|Vermont",
          "Charleston|West Virginia",
          "Charlotte",
          "Cheyenne",
          "Chicago",
          "Cincinnati",
          "Cleveland|Ohio",
          "Columbia|South Carolina",
          "Columbus|Ohio",
          "Concord|New Hampshire",
          "Dallas",
          "Denver",
          "Des Moines",
          "Detroit",
          "Dover|Delaware",
          "El Paso",
          "Fargo",
          "Hartford",
          "Helena",
          "Honolulu",
          "Houston",
          "Indianapolis",
          "Jackson|Mississippi",
          "Jacksonville|Florida",
          "Juneau",
          "Kansas City|Missouri",
          "Las Vegas",
          "Little Rock",
          "Los Angeles",
          "Louisville|Kentucky",
          "Memphis",
          "Miami",
          "Milwaukee",
          "Minneapolis",
          "Nashville",
          "New Orleans",
          "New York",
          "Newark|New Jersey",
          "Oklahoma City",
          "Omaha",
          "Philadelphia",
          "Phoenix",
          "Pittsburgh",
          "Portland|Oregon",
          "Providence",
          "Raleigh",
          "Reno",
          "Richmond|Virginia",
          "Sacramento",
          "Salt Lake City",
          "San Antonio",
          "San Diego",
          "San Francisco",
          "Santa Fe",
          "Seattle",
          "Sioux Falls",
          "St. Louis",
          "Tampa",
          "Tucson",
          "Washington|DC",
          "Wichita"}},
        {"Venezuela", {"Caracas"}},
        {"Yugoslavia", {"Belgrade"}},
    };
    return kSelection;
}

// The database's names of a country of the flag table.
std::vector<std::string> sourceCountries(const std::string& country) {
    if (country == "Czech")
        return {"Czechia"};
    if (country == "Korea")
        return {"South Korea", "North Korea"};
    if (country == "UK")
        return {"United Kingdom"};
    return {country};
}

struct Town {
    std::string name;
    std::string province;
    std::string country;
    std::string latitude;
    std::string longitude;
    std::optional<double> timeZone;
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

std::vector<Town> readTowns(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        throw DataError("places: cannot read " + file.string());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw DataError("places: cannot open " + file.string() + ": " + message);
    }
    sqlite3_stmt* statement = nullptr;
    const char* query = "SELECT Name, Province, Country, Latitude, Longitude, TZ FROM city";
    if (sqlite3_prepare_v2(db, query, -1, &statement, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw DataError("places: " + file.string() + " is not a town database: " + message);
    }
    std::vector<Town> towns;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Town t;
        t.name = columnText(statement, 0);
        t.province = columnText(statement, 1);
        t.country = columnText(statement, 2);
        t.latitude = columnText(statement, 3);
        t.longitude = columnText(statement, 4);
        if (sqlite3_column_type(statement, 5) != SQLITE_NULL)
            t.timeZone = sqlite3_column_double(statement, 5);
        towns.push_back(std::move(t));
    }
    const std::string message = sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    if (rc != SQLITE_DONE)
        throw DataError("places: cannot read " + file.string() + ": " + message);
    return towns;
}

// An angle of the database: an optional minus sign, then degrees (perhaps with a decimal
// part), and optionally whole minutes and seconds, each number followed by its mark (°, ',
// "). Blanks around the parts are allowed.
std::optional<double> parseAngle(const std::string& text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    auto number = [&](bool allowFraction) -> std::optional<double> {
        skipBlanks();
        const std::size_t start = i;
        while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) ||
                                   (allowFraction && text[i] == '.')))
            ++i;
        if (i == start)
            return std::nullopt;
        const std::string digits = text.substr(start, i - start);
        char* end = nullptr;
        const double value = std::strtod(digits.c_str(), &end);
        if (end != digits.c_str() + digits.size() || !std::isfinite(value))
            return std::nullopt;
        return value;
    };
    auto mark = [&](std::string_view m) {
        skipBlanks();
        if (text.compare(i, m.size(), m) != 0)
            return false;
        i += m.size();
        return true;
    };
    skipBlanks();
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    const auto degrees = number(true);
    if (!degrees)
        return std::nullopt;
    double value = *degrees;
    if (mark("°")) {
        const auto minutes = number(false);
        if (!minutes || *minutes >= 60.0 || !mark("'"))
            return std::nullopt;
        value += *minutes / 60.0;
        skipBlanks();
        if (i < text.size()) {
            const auto seconds = number(false);
            if (!seconds || *seconds >= 60.0 || !mark("\""))
                return std::nullopt;
            value += *seconds / 3600.0;
        }
    }
    skipBlanks();
    if (i != text.size())
        return std::nullopt;
    return negative ? -value : value;
}

// The order of the list: letters without regard to case or accents, then the bytes.
std::string sortKey(const std::string& utf8) {
    // Base letters of the Windows-1252 bytes 0xC0..0xFF.
    static constexpr std::string_view kFolded = "aaaaaaaceeeeiiiidnooooo\xD7ouuuuyts"
                                                "aaaaaaaceeeeiiiidnooooo\xF7ouuuuyty";
    static_assert(kFolded.size() == 64);
    std::string key;
    for (const char c : catalog::utf8ToWindows1252(utf8)) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'A' && b <= 'Z')
            key += static_cast<char>(b - 'A' + 'a');
        else if (b >= 0xC0)
            key += kFolded[b - 0xC0];
        else if (b == 0x8A || b == 0x9A)
            key += 's';
        else if (b == 0x8E || b == 0x9E)
            key += 'z';
        else
            key += c;
    }
    return key;
}

bool listOrder(const catalog::PlaceRecord& a, const catalog::PlaceRecord& b) {
    const auto ka = std::make_tuple(sortKey(a.country), sortKey(a.town), a.country, a.town);
    const auto kb = std::make_tuple(sortKey(b.country), sortKey(b.town), b.country, b.town);
    return ka < kb;
}

const Town& findTown(const std::vector<Town>& towns, const std::string& country,
                     const std::string& wanted) {
    const std::size_t bar = wanted.find('|');
    const std::string name = wanted.substr(0, bar);
    const std::optional<std::string> province =
        bar == std::string::npos ? std::nullopt : std::optional(wanted.substr(bar + 1));
    const std::vector<std::string> sources = sourceCountries(country);
    const Town* found = nullptr;
    for (const Town& t : towns) {
        if (t.name != name || std::find(sources.begin(), sources.end(), t.country) == sources.end())
            continue;
        if (province && t.province != *province)
            continue;
        if (found)
            throw DataError("places: the town database holds '" + name + "' (" + country +
                            ") more than once; name its province");
        found = &t;
    }
    if (!found)
        throw DataError("places: '" + wanted + "' (" + country + ") is not in the town database");
    return *found;
}

catalog::PlaceRecord placeOf(const Town& town, const std::string& country) {
    const std::string where = "places: " + town.name + " (" + country + "): ";
    const auto latitude = parseAngle(town.latitude);
    const auto longitude = parseAngle(town.longitude);
    if (!latitude || std::fabs(*latitude) > 90.0)
        throw DataError(where + "latitude '" + town.latitude + "' is not an angle");
    if (!longitude || std::fabs(*longitude) > 180.0)
        throw DataError(where + "longitude '" + town.longitude + "' is not an angle");
    if (!town.timeZone || !std::isfinite(*town.timeZone) || std::fabs(*town.timeZone) > 14.0)
        throw DataError(where + "no usable time zone");
    if (catalog::utf8ToWindows1252(town.name).size() >= catalog::PlaceRecord::kTextBytes)
        throw DataError(where + "the name is longer than a record holds");
    catalog::PlaceRecord r;
    r.town = town.name;
    r.country = country;
    r.latitude = *latitude;
    r.longitude = *longitude;
    r.timeZone = static_cast<float>(*town.timeZone);
    return r;
}

// The rules the program relies on: the count of permanent places, the place of a new chart
// and the country that ends the permanent file.
void checkList(const std::vector<catalog::PlaceRecord>& places, const std::vector<Town>& towns) {
    using catalog::PlaceList;
    const catalog::CountryList& flags = catalog::CountryList::BuiltIn();
    if (places.size() != static_cast<std::size_t>(PlaceList::kPermanentCount))
        throw DataError("places: " + std::to_string(places.size()) + " places chosen, not " +
                        std::to_string(PlaceList::kPermanentCount));
    const catalog::PlaceRecord& home = places[PlaceList::kDefaultPlace];
    if (home.town != "London" || home.country != "UK")
        throw DataError("places: entry " + std::to_string(PlaceList::kDefaultPlace) + " is " +
                        home.town + ", " + home.country + ", not London, UK");
    for (std::size_t i = 0; i < places.size(); ++i) {
        const bool last = i + 1 == places.size();
        if ((places[i].country == PlaceList::kLastPermanentCountry) != last)
            throw DataError("places: the only place in " +
                            std::string(PlaceList::kLastPermanentCountry) +
                            " must be the last one");
        if (!flags.contains(places[i].country))
            throw DataError("places: country '" + places[i].country + "' has no flag");
        if (i > 0 && places[i - 1].town == places[i].town &&
            places[i - 1].country == places[i].country)
            throw DataError("places: " + places[i].town + ", " + places[i].country +
                            " is chosen twice");
    }
    std::set<std::string> chosen, known;
    for (const catalog::PlaceRecord& p : places)
        chosen.insert(p.country);
    for (const Town& t : towns)
        known.insert(t.country);
    for (const catalog::Country& c : flags.entries()) {
        if (chosen.count(c.name))
            continue;
        for (const std::string& source : sourceCountries(c.name))
            if (known.count(source))
                throw DataError("places: no town of " + c.name + " chosen");
    }
}

} // namespace

int runPlaces(const Paths& paths, const std::vector<std::string>& args) {
    if (!args.empty())
        throw DataError("places: unexpected argument '" + args.front() + "'");
    const std::vector<Town> towns = readTowns(fs::path(paths.sources) / "places" / "citydb.sqlite");

    std::vector<catalog::PlaceRecord> places;
    for (const Selection& s : selection())
        for (const char* wanted : s.towns)
            places.push_back(placeOf(findTown(towns, s.country, wanted), s.country));
    std::sort(places.begin(), places.end(), listOrder);
    checkList(places, towns);

    std::string bytes;
    std::set<std::string> countries;
    for (const catalog::PlaceRecord& p : places) {
        bytes += catalog::encodePlaceRecord(p);
        countries.insert(p.country);
    }
    const fs::path out(paths.out);
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec)
        throw DataError("cannot create " + out.string() + ": " + ec.message());
    const fs::path file = out / catalog::PlaceList::kPermanentFile;
    writeDataFile(file, bytes);
    std::printf("%s: %zu places in %zu countries (entry %d %s, %s; last %s, %s)\n",
                file.string().c_str(), places.size(), countries.size(),
                catalog::PlaceList::kDefaultPlace,
                places[catalog::PlaceList::kDefaultPlace].town.c_str(),
                places[catalog::PlaceList::kDefaultPlace].country.c_str(),
                places.back().town.c_str(), places.back().country.c_str());
    return 0;
}

} // namespace datatool
