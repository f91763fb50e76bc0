// The fixed places (places.skd and the user's AddFixedPlaces.skd) from any bytes: loaded,
// shown as the places dialog shows them, and a place added to and removed from the user's
// file, which must keep every whole place it held.

#include "FuzzSupport.h"

#include "catalog/Places.h"

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using catalog::PlaceList;
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteParts(folder, fuzz::AsText(data, size),
                     {PlaceList::kPermanentFile, PlaceList::kUserFile});
    PlaceList places;
    const std::size_t count = places.LoadPlaces(folder);
    FUZZ_CHECK(count <= PlaceList::kCapacity);
    FUZZ_CHECK(count == places.entries().size());
    for (const catalog::PlaceEntry& place : places.entries()) {
        FUZZ_CHECK(std::abs(place.latitude) <= 90.0 && std::abs(place.longitude) <= 180.0);
        FUZZ_CHECK(std::abs(place.timeZone) <= 14.0f);
        (void)catalog::latitudeText(place.latitude);
        (void)catalog::longitudeText(place.longitude);
    }
    const int nearest = places.nearest(48.2, 16.4);
    FUZZ_CHECK(nearest < static_cast<int>(count));
    FUZZ_CHECK(places.at(static_cast<int>(count)) == nullptr);

    // Adding a place keeps all that were there; removing it takes only that town.
    const catalog::PlaceRecord added{"Fuzzton", "Nowhere", 10.5, -20.25, 1.0f};
    if (const auto message = catalog::appendUserPlace(folder, added)) {
        std::fprintf(stderr, "%s\n", message->c_str());
        std::abort();
    }
    const std::size_t afterAdd = places.LoadPlaces(folder);
    FUZZ_CHECK(afterAdd == std::min(count + 1, PlaceList::kCapacity));
    FUZZ_CHECK(!catalog::removeUserPlaces(folder, "Fuzzton", "Nowhere"));
    FUZZ_CHECK(places.LoadPlaces(folder) <= afterAdd);
    return 0;
}
