#pragma once

#include "astro/DateTime.h"
#include "chart/Navigation.h"
#include "settings/SettingsStore.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace chart {

// The seven floating status panes of the main window, in their fixed order.
enum class PaneId { Location, Time, Zoom, Equatorial, Azimuthal, Ecliptic, Compass };
inline constexpr int kPaneCount = 7;

// A pane's screen rectangle in pixels.
struct PaneRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool intersects(const PaneRect& o) const {
        return left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
    }
    bool operator==(const PaneRect&) const = default;
};

// The fixed description of a pane: its settings section, title (empty for none) and the
// template lines its size is measured from (the location pane measures its content).
struct PaneInfo {
    const char* section;
    const char* title;
    std::vector<std::string> templates;
};
const PaneInfo& paneInfo(PaneId id);

inline constexpr const char* kFlagsSection = "Status_Flags";
inline constexpr const char* kConstellationTemplate = "Constellation: WWW";
// The size of a pane that has no stored place, and where it stands until arranged.
inline constexpr PaneRect kUnplacedRect{100, 100, 200, 200};
// The compass draws itself in a fixed square.
inline constexpr int kCompassSize = 80;

// Width and height in pixels of a text in the pane font (the title font when `title`).
using MeasureText = std::function<std::pair<int, int>(std::string_view text, bool title)>;

struct PaneState {
    bool visible = true;
    PaneRect rect;
    std::vector<std::string> lines; // content lines set by the chart
};

// The placement and flags of the status panes: read from and written to the settings, fitted
// to their texts, arranged along the bottom of a work area and dragged without overlapping.
class StatusPanes {
public:
    StatusPanes();

    // Reads every pane's section and the flags. True when some pane had no stored size (it
    // is then put at (100, 100), 200 x 200): the caller arranges the panes a second later.
    bool Load(const settings::SettingsStore& store);
    // Writes "Visible", "Left", "Top", "Width", "Height" of every pane and the four flags.
    void SaveAll(settings::SettingsStore& store) const;

    PaneState& pane(PaneId id) { return m_panes[static_cast<std::size_t>(id)]; }
    const PaneState& pane(PaneId id) const { return m_panes[static_cast<std::size_t>(id)]; }

    int countryFlag = 1;
    // Which coordinate pane adds the constellation line; at most one is set.
    bool eqConstFlag = false;
    bool azConstFlag = true;
    bool ecConstFlag = false;
    bool constellationLine(PaneId id) const;

    // The lines a pane's size is measured from: its templates (the location pane's content)
    // and the constellation template when that pane shows the constellation.
    std::vector<std::string> sizeLines(PaneId id) const;
    // New size from the title and the size lines: 3 + widest + 3 wide (at least 3 + title
    // width), 3 + the line heights (one pixel less for each line after the first) + 3 high,
    // the title counting as the first line; the bottom-right corner stays in place.
    void FitToContent(PaneId id, const MeasureText& measure);
    void FitAll(const MeasureText& measure);

    // Along the bottom of a work area (width, height), centred, 2 pixels apart, the
    // ecliptic pane above the azimuthal one when it does not fit, the compass at the right.
    void ArrangeAll(int workWidth, int workHeight);
    // Whether the rectangle overlaps a visible pane other than `except`.
    bool Overlaps(const PaneRect& rect, PaneId except) const;
    // Moves a pane to a new top-left corner unless that makes it overlap another visible
    // pane while it overlaps none where it stands. True when moved.
    bool MoveTo(PaneId id, int left, int top);

    // The text lines of the coordinate panes under the mouse.
    static std::vector<std::string> EquatorialLines(double raHours, double decDegrees);
    static std::vector<std::string> AzimuthalLines(double azimuth, double altitude);
    static std::vector<std::string> EclipticLines(double longitude, double latitude);
    static std::vector<std::string> TimeLines(int month, int day, int year, int hour, int minute,
                                              int second, int paceSeconds);
    static std::vector<std::string> ZoomLines(std::optional<double> fieldDegrees,
                                              std::optional<double> starLimit);
    // The observing place: its name (when it has one) and its latitude and longitude, each
    // indented by three blanks, then "   DST: Yes" or "   DST: No".
    static std::vector<std::string> LocationLines(const std::string& name,
                                                  const std::string& latitude,
                                                  const std::string& longitude, bool dst);
    // The coordinate pane's lines for a readout under the mouse (none: the bare labels),
    // with the constellation line when the pane shows it.
    std::vector<std::string> CoordinateLines(PaneId id,
                                             const std::optional<HoverReadout>& readout) const;

private:
    std::array<PaneState, kPaneCount> m_panes;
};

// What the docked status bars show of the active chart; a field without a value (no chart,
// the mouse off the sky) keeps its bare label.
struct StatusBarState {
    std::string place; // "London, UK" or the coordinates of a free place
    bool dst = false;
    std::optional<astro::DateTime> local;
    bool dateOnly = false; // the date alone, as "%02d/%02d/%04d"
    std::optional<astro::SkyPoint> zenith;
    std::optional<double> fieldDegrees;
    std::optional<double> starLimit;
    std::optional<HoverReadout> pointer;
};
// The standard bar: two rows of fields, place and time, zenith, zoom and stars on the first,
// the pointer's equatorial and horizontal place and constellation on the second.
std::array<std::vector<std::string>, 2> StandardBarFields(const StatusBarState& state);
// The minimal bar: place, time, stars, the pointer's place and constellation, in one row.
std::vector<std::string> MinimalBarFields(const StatusBarState& state);

// The "Status" dialog: which panes show, the national flag, and the constellation line.
class StatusDialogModel {
public:
    static constexpr const char* kTitle = "Status";
    // Check box texts in pane order (location .. compass), then the flag and constellation.
    static constexpr std::array<const char*, kPaneCount> kPaneBoxes = {
        "&Location", "&Time", "&Field and stars magnitude", "&RA/Dec", "&Azimuth/Altitude",
        "&Longitude/Latitude (Ecliptical)", "&Compass"};
    static constexpr const char* kFlagBox = "&National flag";
    static constexpr const char* kConstellationBox = "Con&stellation";
    static constexpr std::array<const char*, 3> kRadios = {"RA/Dec", "Azimuth/Altitude",
                                                           "Longitude/Latitude"};

    explicit StatusDialogModel(const StatusPanes& panes);
    std::array<bool, kPaneCount> visible{};
    bool nationalFlag = true;
    bool constellation = false;
    int constellationPane = 1; // 0 equatorial, 1 azimuthal, 2 ecliptic
    // The radio buttons are enabled only while the constellation box is checked.
    bool radiosEnabled() const { return constellation; }
    // OK: visibility, flag and the constellation flags (only the chosen one set).
    void Apply(StatusPanes& panes) const;
};

} // namespace chart
