#include "catalog/DsoSettingsStore.h"

#include "astro/TextNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace catalog {

namespace {

constexpr std::string_view kNgc = "NGC";

void writeNumber(settings::SettingsStore& store, std::string_view key, double value) {
    store.writeString(kNgc, key, astro::formatFixed(value, 6));
}

float readFloat(const settings::SettingsStore& store, std::string_view key,
                std::string_view fallback) {
    const double v = store.getNumber(kNgc, key, fallback);
    // A number beyond single precision cannot have been written by the program.
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        return static_cast<float>(astro::parseLeadingNumber(fallback));
    return static_cast<float>(v);
}

} // namespace

DsoSelectionSettings ReadDsoSelection(const settings::SettingsStore& store) {
    const DsoSelectionSettings d;
    DsoSelectionSettings s;

    s.mode = store.getInt(kNgc, "GenSelFlag", d.mode);
    if (s.mode != DsoSelectionSettings::All && s.mode != DsoSelectionSettings::OnlyMessier &&
        s.mode != DsoSelectionSettings::ByType)
        s.mode = DsoSelectionSettings::OnlyMessier;
    for (std::size_t i = 0; i < kDsoTypeCount; ++i)
        s.typeSwitches[i] = store.getInt(kNgc, kDsoTypeSwitchKeys[i], 0);

    s.sizeFilter = store.getInt(kNgc, "chSizeFilter", d.sizeFilter);
    s.minSize = readFloat(store, "EdMaxSize", "20.0");
    s.magnitudeFilter = store.getInt(kNgc, "chMagnFilter", d.magnitudeFilter);
    s.maxMagnitude = readFloat(store, "EdMaxMagn", "12.0");

    s.areaFilter = store.getInt(kNgc, "chAreaFilter", d.areaFilter);
    s.areaRaMinutes = readFloat(store, "EdRAMin", "0");
    s.areaRaHours = store.getInt(kNgc, "edRAHour", d.areaRaHours);
    s.areaDec = readFloat(store, "EdDecl", "0");
    s.areaAzDegrees = store.getInt(kNgc, "edAzDeg", d.areaAzDegrees);
    s.areaAzMinutes = readFloat(store, "EdAzMin", "0");
    s.areaAltitude = store.getNumber(kNgc, "EdAlt", "0");
    s.areaRadius = store.getNumber(kNgc, "EdRadius", "5");

    double ra = std::fmod(store.getNumber(kNgc, "AreaCenterRA", "0"), 24.0);
    if (ra < 0.0)
        ra += 24.0;
    s.areaCenterRa = ra;
    s.areaCenterDec = std::clamp(store.getNumber(kNgc, "AreaCenterDec", "0"), -90.0, 90.0);
    return s;
}

void WriteDsoSelection(settings::SettingsStore& store, const DsoSelectionSettings& s) {
    store.writeInt(kNgc, "GenSelFlag", s.mode);
    for (std::size_t i = 0; i < kDsoTypeCount; ++i)
        store.writeInt(kNgc, kDsoTypeSwitchKeys[i], s.typeSwitches[i]);
    store.writeInt(kNgc, "chSizeFilter", s.sizeFilter);
    writeNumber(store, "EdMaxSize", static_cast<double>(s.minSize));
    store.writeInt(kNgc, "chMagnFilter", s.magnitudeFilter);
    writeNumber(store, "EdMaxMagn", static_cast<double>(s.maxMagnitude));
    store.writeInt(kNgc, "chAreaFilter", s.areaFilter);
    writeNumber(store, "EdRAMin", static_cast<double>(s.areaRaMinutes));
    store.writeInt(kNgc, "edRAHour", s.areaRaHours);
    writeNumber(store, "EdDecl", static_cast<double>(s.areaDec));
    store.writeInt(kNgc, "edAzDeg", s.areaAzDegrees);
    writeNumber(store, "EdAzMin", static_cast<double>(s.areaAzMinutes));
    writeNumber(store, "EdAlt", s.areaAltitude);
    writeNumber(store, "EdRadius", s.areaRadius);
    writeNumber(store, "AreaCenterRA", s.areaCenterRa);
    writeNumber(store, "AreaCenterDec", s.areaCenterDec);
}

} // namespace catalog
