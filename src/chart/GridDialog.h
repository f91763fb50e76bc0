#pragma once

#include "chart/ChartSettings.h"

#include <array>
#include <optional>
#include <string>

namespace chart {

// "Grid Properties": one page per grid, in the order equatorial, azimuthal, ecliptic. Each
// page has the drawing choice (main circle or "Full drawing"), the boxes "Draw only visible
// part" and "Inscriptions", the mode ("Automatic" or "Manual") and two density fields.
//
// The longitude density is in minutes of time on the equatorial page (the stored meridian
// spacing as it is) and in degrees on the two others (the stored spacing / 4); the latitude
// density is the parallel spacing in degrees. Densities are shown in the shortest plain
// decimal form with at most two decimals ("60", "7.5", "0.25"), always with a point.
//
// Densities are read locale-free as the C library's decimal conversion reads them: the leading
// number is taken and text that is not a number reads as 0. Every range starts at 1 or more,
// so such text is refused on a "Manual" page; on an "Automatic" page the fields are not read
// at all.
class GridPropertiesDialogModel {
public:
    enum Page : int { PageEquatorial = 0, PageAzimuthal = 1, PageEcliptic = 2 };
    enum Field : int { FieldLongitude = 0, FieldLatitude = 1 };
    static constexpr int kPageCount = 3;

    static constexpr const char* kTitle = "Grid Properties";
    static constexpr const char* kPageTitles[kPageCount] = {"Equatorial", "Azimuthal", "Ecliptic"};
    static constexpr const char* kDrawingGroup = "Drawing";
    static constexpr const char* kMainCircle[kPageCount] = {"Equator", "Horizon", "Ecliptic"};
    static constexpr const char* kFullDrawing = "Full drawing";
    static constexpr const char* kOnlyVisible = "Draw only visible part";
    static constexpr const char* kInscriptions = "Inscriptions";
    static constexpr const char* kModeGroup = "Mode";
    static constexpr const char* kAutomatic = "Automatic";
    static constexpr const char* kManual = "Manual";
    static constexpr const char* kLongitudeLabels[kPageCount] = {
        "RA line density:", "Azimuth line density:", "Long. line density:"};
    static constexpr const char* kLatitudeLabels[kPageCount] = {
        "Dec line density:", "Altitude line density:", "Lat. line density:"};
    static constexpr const char* kLongitudeUnits[kPageCount] = {"m", "°", "°"};
    static constexpr const char* kLatitudeUnit = "°";

    // What one page shows.
    struct PageState {
        bool fullDrawing = true;
        bool onlyVisible = false;
        bool inscriptions = true;
        bool automatic = true;
        std::string longitudeDensity;
        std::string latitudeDensity;
    };

    // A refused field: the page to bring to the front, the field to focus, the message.
    struct Refusal {
        int page = 0;
        int field = FieldLongitude;
        std::string message;
    };

    explicit GridPropertiesDialogModel(const ChartSettings& settings);

    std::array<PageState, kPageCount> pages;

    // The first refused density of a "Manual" page, pages and fields in order; none when
    // every manual page holds valid densities.
    std::optional<Refusal> validate() const;

    // Sets the three grids' settings from the pages. For a "Manual" page also the spacings:
    // parallel spacing d (the latitude density), meridian spacing in minutes, meridian extent
    // 90 - (90 mod d), bottom parallel -extent and the sample step; an "Automatic" grid keeps
    // its spacings for the automatic rule. Changes nothing and returns false when validate()
    // refuses.
    bool apply(ChartSettings& settings) const;
};

// The grid settings a page edits, by page index.
GridSettings& GridSettingsOfPage(ChartSettings& settings, int page);
const GridSettings& GridSettingsOfPage(const ChartSettings& settings, int page);

} // namespace chart
