#pragma once

#include "astro/Frames.h"
#include "astro/SkyPoint.h"
#include "catalog/DeepSky.h"

#include <array>
#include <optional>
#include <string>

namespace chart {
class SkyChart;
}

namespace catalog {

// "Deep Sky Objects - NGC 2000.0 catalogue": which objects the chart considers. The fields
// are texts as the user edits them; OK checks them in the order of the dialog and hands back
// the selection settings.
class DsoDialogModel {
public:
    static constexpr const char* kTitle = "Deep Sky Objects - NGC 2000.0 catalogue";
    // The selection modes 1, 2, 3.
    static constexpr std::array<const char*, 3> kModes = {"All", "Only Messier", "Selected"};
    // The type check boxes, in the order of kDsoTypeCodes.
    static constexpr std::array<const char*, kDsoTypeCount> kTypeTexts = {
        "Galaxy",
        "Open star cluster",
        "Globular star cluster",
        "Bright emission or reflection nebula",
        "Planetary nebula",
        "Cluster associated with nenulosity",
        "Asterism or group of a few stars",
        "Knot or nebulous region in an external galaxy",
        "Triple star",
        "Double star",
        "Single star",
        "Uncertain type or may not exist",
        "Undentified at the place given, or type unknown",
        "Object called nonexistent in the RNGC",
        "Photographic plate defect"};
    static constexpr const char* kSizeFilter = "Size filter";
    static constexpr const char* kLargerThan = "Larger than";
    static constexpr const char* kMagnitudeFilter = "Magnitude filter";
    static constexpr const char* kBrighterThan = "Brighter than magnitude";
    static constexpr const char* kAreaFilter = "Area filter";
    static constexpr const char* kTarget = "Target:";
    static constexpr const char* kRa = "RA:";
    static constexpr const char* kDec = "Dec:";
    static constexpr const char* kAz = "Az:";
    static constexpr const char* kAlt = "Alt:";
    static constexpr const char* kRadius = "Radius:";
    static constexpr const char* kSetTarget = "Set current target";
    static constexpr const char* kSetZenith = "Set current zenith";
    static constexpr const char* kLabels = "Labels...";

    // The whole hours of right ascension and the whole degrees of azimuth.
    static constexpr int kHoursMin = 0, kHoursMax = 23;
    static constexpr int kAzDegreesMin = 0, kAzDegreesMax = 359;

    // How the centre of the area filter is given.
    enum class AreaForm { Equatorial, Horizontal };

    // The edit fields, in the order they are checked.
    enum class Field {
        Size,
        Magnitude,
        RaHours,
        RaMinutes,
        Dec,
        AzDegrees,
        AzMinutes,
        Alt,
        Radius
    };

    struct Refusal {
        Field field;
        std::string message;
    };

    explicit DsoDialogModel(const DsoSelectionSettings& settings);

    int mode = DsoSelectionSettings::OnlyMessier; // 1 "All", 2 "Only Messier", 3 "Selected"
    std::array<bool, kDsoTypeCount> types{};

    bool sizeFilter = false;
    std::string sizeText; // arc minutes
    bool magnitudeFilter = false;
    std::string magnitudeText;

    bool areaFilter = false;
    AreaForm areaForm = AreaForm::Equatorial;
    std::string raHoursText;
    std::string raMinutesText;
    std::string decText;
    std::string azDegreesText;
    std::string azMinutesText;
    std::string altText;
    std::string radiusText; // degrees

    // Enable rules: the type boxes only in mode 3; each filter's fields with its check box;
    // within the area filter the fields of the chosen form.
    bool typesEnabled() const { return mode == DsoSelectionSettings::ByType; }
    bool sizeFieldEnabled() const { return sizeFilter; }
    bool magnitudeFieldEnabled() const { return magnitudeFilter; }
    bool areaControlsEnabled() const { return areaFilter; }
    bool equatorialFieldsEnabled() const { return areaFilter && areaForm == AreaForm::Equatorial; }
    bool horizontalFieldsEnabled() const { return areaFilter && areaForm == AreaForm::Horizontal; }

    // Fills the target fields of both forms with an equatorial direction: right ascension as
    // whole hours and minutes, declination, azimuth (from north through east) as whole
    // degrees and minutes, altitude; minutes and degrees with one decimal.
    void setAreaTarget(const astro::SkyPoint& equatorial, const astro::CoordinateFrames& frames);
    // "Set current target" and "Set current zenith".
    void setCurrentTarget(const chart::SkyChart& chart);
    void setCurrentZenith(const chart::SkyChart& chart);

    // The first field the framework would refuse, with its message ("Please enter an
    // integer.", "Please enter an integer between 0 and 23.", "Please enter a number."), or
    // nothing when every field is accepted.
    std::optional<Refusal> validate() const;

    // OK: the selection settings, with the area centre from the chosen form (an azimuth and
    // altitude are turned into equatorial coordinates through the chart's frames). Call
    // after validate() found nothing; a refused field keeps its previous value.
    DsoSelectionSettings accept(const astro::CoordinateFrames& frames) const;

private:
    DsoSelectionSettings m_initial;
};

} // namespace catalog
