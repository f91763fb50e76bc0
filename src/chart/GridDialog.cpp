#include "chart/GridDialog.h"

#include "astro/TextNumber.h"

#include <algorithm>
#include <cstddef>

namespace chart {

namespace {

using Model = GridPropertiesDialogModel;

// The accepted range of one density field and its refusal.
struct DensityRange {
    double min;
    double max;
    const char* message;
};

constexpr DensityRange kLongitudeRanges[Model::kPageCount] = {
    {4.0, 360.0, "RA line density must be between 4 and 360"},
    {1.0, 90.0, "Azimuth line density must be between 1 and 90"},
    {1.0, 90.0, "Longitude line density must be between 1 and 90"},
};
constexpr DensityRange kLatitudeRanges[Model::kPageCount] = {
    {1.0, 20.0, "Declination line density must be between 1 and 20"},
    {1.0, 20.0, "Altitude line density must be between 1 and 20"},
    {1.0, 20.0, "Latitude line density must be between 1 and 20"},
};

// Minutes of frame longitude per unit of the page's longitude density: minutes of time on
// the equatorial page, degrees (4 minutes each) on the others.
double minutesPerLongitudeUnit(int page) {
    return page == Model::PageEquatorial ? 1.0 : 4.0;
}

// The shortest plain decimal text with at most two decimals.
std::string densityText(double value) {
    std::string text = astro::formatFixed(value, 2);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

bool inRange(double v, const DensityRange& range) {
    return v >= range.min && v <= range.max;
}

// The meridians of a manual grid run to the last multiple of the parallel spacing at or below
// 90 degrees: the rest of 90 is found by subtraction.
double meridianExtent(double parallelSpacing) {
    double rest = 90.0;
    while (rest >= parallelSpacing)
        rest -= parallelSpacing;
    return 90.0 - rest;
}

} // namespace

GridSettings& GridSettingsOfPage(ChartSettings& settings, int page) {
    switch (page) {
    case Model::PageAzimuthal:
        return settings.azimuthalGridSettings;
    case Model::PageEcliptic:
        return settings.eclipticGridSettings;
    default:
        return settings.equatorialGridSettings;
    }
}

const GridSettings& GridSettingsOfPage(const ChartSettings& settings, int page) {
    return GridSettingsOfPage(const_cast<ChartSettings&>(settings), page);
}

GridPropertiesDialogModel::GridPropertiesDialogModel(const ChartSettings& settings) {
    for (int page = 0; page < kPageCount; ++page) {
        const GridSettings& grid = GridSettingsOfPage(settings, page);
        PageState& state = pages[static_cast<std::size_t>(page)];
        state.fullDrawing = grid.mode == 1;
        state.onlyVisible = grid.onlyVisible != 0;
        state.inscriptions = grid.inscriptions != 0;
        state.automatic = grid.automatic != 0;
        state.longitudeDensity = densityText(grid.meridianSpacing / minutesPerLongitudeUnit(page));
        state.latitudeDensity = densityText(grid.parallelSpacing);
    }
}

std::optional<GridPropertiesDialogModel::Refusal> GridPropertiesDialogModel::validate() const {
    for (int page = 0; page < kPageCount; ++page) {
        const PageState& state = pages[static_cast<std::size_t>(page)];
        if (state.automatic)
            continue;
        const DensityRange& longitude = kLongitudeRanges[page];
        if (!inRange(astro::parseLeadingNumber(state.longitudeDensity), longitude))
            return Refusal{page, FieldLongitude, longitude.message};
        const DensityRange& latitude = kLatitudeRanges[page];
        if (!inRange(astro::parseLeadingNumber(state.latitudeDensity), latitude))
            return Refusal{page, FieldLatitude, latitude.message};
    }
    return std::nullopt;
}

bool GridPropertiesDialogModel::apply(ChartSettings& settings) const {
    if (validate())
        return false;
    for (int page = 0; page < kPageCount; ++page) {
        const PageState& state = pages[static_cast<std::size_t>(page)];
        GridSettings& grid = GridSettingsOfPage(settings, page);
        grid.mode = state.fullDrawing ? 1 : 0;
        grid.onlyVisible = state.onlyVisible ? 1 : 0;
        grid.inscriptions = state.inscriptions ? 1 : 0;
        grid.automatic = state.automatic ? 1 : 0;
        if (state.automatic)
            continue;
        const double d = astro::parseLeadingNumber(state.latitudeDensity);
        grid.parallelSpacing = d;
        grid.meridianSpacing =
            astro::parseLeadingNumber(state.longitudeDensity) * minutesPerLongitudeUnit(page);
        grid.meridianExtent = meridianExtent(d);
        grid.bottomParallel = -grid.meridianExtent;
        grid.sampleStep = std::min(grid.meridianSpacing / 4.0 / 5.0, d / 5.0);
    }
    return true;
}

} // namespace chart
