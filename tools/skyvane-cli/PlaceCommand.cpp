#include "Commands.h"

#include "Args.h"
#include "Json.h"

#include "catalog/Places.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace cli {

namespace {

// The list index: decimal digits only, at most nine of them.
int parseIndex(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("place takes the index of a place (0, 1, ...), not '" + text + "'");
    return std::stoi(text);
}

} // namespace

int runPlace(const std::vector<std::string>& words) {
    if (words.empty() || words[0].starts_with("--"))
        throw UsageError("place needs the index of a place (0, 1, ...)");
    const int index = parseIndex(words[0]);
    const Args a(std::vector<std::string>(words.begin() + 1, words.end()), {"--data"}, {});
    const std::filesystem::path dataDir = a.text("--data", defaultDataFolder());

    catalog::PlaceList places;
    const std::size_t count = places.LoadPlaces(dataDir);
    reportDamaged(places.damaged());
    if (count == 0)
        throw UsageError("no places in " + (dataDir / catalog::PlaceList::kPermanentFile).string());
    if (!places.at(index))
        throw UsageError("no place " + std::to_string(index) + ": the list holds " +
                         std::to_string(count) + " places (0 to " + std::to_string(count - 1) +
                         ")");

    chart::ObservingPlaceSettings stored;
    stored.fixedPlace = index;
    const catalog::ObservingPlace place(places, stored);
    const catalog::PlaceEntry& e = *places.at(index);
    JsonLine()
        .add("index", index)
        .add("town", e.town)
        .add("country", e.country)
        .add("latitude", e.latitude)
        .add("longitude", e.longitude)
        .add("time_zone", static_cast<double>(e.timeZone))
        .add("time_zone_name", e.timeZoneName)
        .add("flag", e.flagBitmap)
        .add("permanent", catalog::PlaceList::isPermanent(index))
        .add("name", place.PlaceName())
        .add("latitude_text", place.LatitudeText())
        .add("longitude_text", place.LongitudeText())
        .print();
    return 0;
}

} // namespace cli
