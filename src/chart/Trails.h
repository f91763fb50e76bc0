#pragma once

#include "astro/DateTime.h"
#include "astro/SkyPoint.h"
#include "astro/SolarSystemBody.h"
#include "chart/Surface.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

class DrawContext;
class SkyChart;

// The six colours of a trail, in the order the chart document keeps them.
struct TrailColours {
    Colour standardTrail{130, 130, 200};
    Colour trueTrail{50, 50, 100};
    Colour standardLabel{200, 200, 130};
    Colour trueLabel{90, 90, 50};
    Colour printerTrail{0, 0, 255};
    Colour printerLabel{255, 0, 0};

    friend bool operator==(const TrailColours&, const TrailColours&) = default;
};

// "Arial", height 15, normal weight.
Font defaultTrailFont();

// A copy of a body of the solar system as an object of its own class: the Sun, the Moon, a
// planet, an asteroid or a comet (with its element block), taken from the body's kind. The
// copy holds every field of the body (direction, flags, last results and parameters) and
// computes itself as the body does. A body of any other kind is copied as a plain body,
// which keeps its direction and computes nothing.
std::unique_ptr<astro::SolarSystemBody> CloneBody(const astro::SolarSystemBody& body);

// One point of a trail: the body's direction at one instant and the label written there.
struct TrailPoint {
    astro::SkyPoint direction;
    std::string label;
};

// The path of one body over a time span, computed once when the trail is made.
class Trail {
public:
    static constexpr std::size_t kMaxLabelLength = 29;
    static constexpr std::size_t kMaxPoints = 1000;
    enum PenIndex : std::size_t {
        PenStandard = 0, // width 1, Standard View trail colour
        PenTrue,         // width 1, True View trail colour
        PenRed,          // width 1, red
        PenBlack,        // width 1, black
        PenPrinter,      // width 2, printer trail colour
        kPenCount
    };

    TrailColours colours;
    Font font = defaultTrailFont();
    // The two further values of the trail dialog: the number of computings asked for (kept
    // with the trail and used by nothing else) and the label density (a label at every
    // density-th point, none for 0).
    std::int32_t computings = 0;
    std::int32_t density = 5;
    std::array<Pen, kPenCount> pens;
    std::string name;

    // Default colours and font, pens made from the colours, no body and no points.
    Trail();
    Trail(const Trail& other);
    Trail& operator=(const Trail& other);
    Trail(Trail&&) noexcept = default;
    Trail& operator=(Trail&&) noexcept = default;
    ~Trail() = default;

    // The five pens made afresh from the colours.
    void makePens();

    // The trail's own copy of its body; null for a trail read back without one.
    const astro::SolarSystemBody* body() const { return m_body.get(); }
    astro::SolarSystemBody* body() { return m_body.get(); }
    void setBody(const astro::SolarSystemBody& body) { m_body = CloneBody(body); }

    const std::vector<TrailPoint>& points() const { return m_points; }
    // Appends a point; the label is cut to 29 bytes (never inside a UTF-8 sequence). A
    // trail holds at most 1000 points; a point beyond them is refused with false.
    bool appendPoint(const astro::SkyPoint& direction, std::string_view label);
    void clearPoints() { m_points.clear(); }

private:
    std::unique_ptr<astro::SolarSystemBody> m_body;
    std::vector<TrailPoint> m_points;
};

// The chart's trails in the order they were made, at most 100.
class TrailList {
public:
    static constexpr std::size_t kCapacity = 100;

    std::size_t size() const { return m_trails.size(); }
    bool empty() const { return m_trails.empty(); }
    bool full() const { return m_trails.size() >= kCapacity; }
    const Trail& operator[](std::size_t i) const { return m_trails[i]; }
    Trail& operator[](std::size_t i) { return m_trails[i]; }
    // Null for an index outside the list.
    const Trail* at(std::size_t i) const { return i < m_trails.size() ? &m_trails[i] : nullptr; }
    auto begin() const { return m_trails.begin(); }
    auto end() const { return m_trails.end(); }

    // Appends the trail; a full list refuses it, returns false and stays as it was.
    bool add(Trail trail);
    // Deletes the trail at the index; false (and nothing deleted) outside the list.
    bool remove(std::size_t i);
    void clear() { m_trails.clear(); }

private:
    std::vector<Trail> m_trails;
};

// The unit of the trail dialog's interval.
enum class TrailIntervalUnit { Days, Hours, Seconds };

// What the trail dialog hands back on OK: everything needed to make one trail.
struct TrailSettings {
    astro::DateTime startLocal;   // the first instant, in the chart's local time
    double intervalDays = 1.0;    // between consecutive points
    std::int32_t computings = 20; // number of points, 0..1000
    std::int32_t density = 5;
    bool drawDate = true;
    bool drawTime = false;
    Font font = defaultTrailFont();
    TrailColours colours;
};

// The trail dialog: start local date and time, interval, number of computings, labels and
// colours of one new trail.
class TrailDialogModel {
public:
    struct Range {
        int low;
        int high;
    };
    // The ranges of the up-down controls.
    static constexpr Range kHourRange{0, 23};
    static constexpr Range kMinuteRange{0, 59};
    static constexpr Range kSecondRange{0, 59};
    static constexpr Range kIntervalRange{1, 10000};
    static constexpr Range kComputingsRange{2, 1000};
    static constexpr Range kDensityRange{0, 100};

    static constexpr const char* kStartGroup = "Start local date/time";
    static constexpr const char* kIntervalGroup = "Time interval";
    static constexpr const char* kUnitDays = "Days";
    static constexpr const char* kUnitHours = "Hours";
    static constexpr const char* kUnitSeconds = "Seconds";
    static constexpr const char* kComputingsGroup = "Number of computings";
    static constexpr const char* kComputingsLeft = "<--------";
    static constexpr const char* kComputingsRight = "-------->";
    static constexpr const char* kLabelsGroup = "Labels";
    static constexpr const char* kDensityLabel = "Density:";
    static constexpr const char* kDrawDate = "Draw date";
    static constexpr const char* kDrawTime = "Draw time";
    static constexpr const char* kFontButton = "Font...";
    static constexpr const char* kSetDefault = "Set default";
    static constexpr const char* kColoursGroup = "Colors";
    static constexpr const char* kStandardTrailButton = "Standard View; Trails...";
    static constexpr const char* kStandardLabelButton = "Standard View; Labels...";
    static constexpr const char* kTrueTrailButton = "True View; Trails...";
    static constexpr const char* kTrueLabelButton = "True View; Labels...";
    static constexpr const char* kPrinterTrailButton = "Printer; Trails...";
    static constexpr const char* kPrinterLabelButton = "Printer; Labels...";

    // The title names the trail; the date starts at the current date and the hour at the
    // chart's local hour.
    TrailDialogModel(std::string title, const astro::DateTime& currentDate, int localHour);
    // For a body of a chart: the title is the trail's name, the hour the chart clock's.
    static TrailDialogModel forBody(const astro::SolarSystemBody& body, const SkyChart& chart,
                                    const astro::DateTime& currentDate);

    const std::string& title() const { return m_title; }

    // Date of the picker (its time of day is ignored) and the time fields.
    astro::DateTime date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int interval = 1;
    TrailIntervalUnit unit = TrailIntervalUnit::Days;
    int computings = 20;
    int density = 5;
    bool drawDate = true;
    bool drawTime = false;
    Font font = defaultTrailFont();
    TrailColours colours;

    // "Set default" of the labels and of the colours.
    void setDefaultFont() { font = defaultTrailFont(); }
    void setDefaultColours() { colours = TrailColours{}; }

    // OK: the values as entered, without messages. What no control can produce is brought
    // back to something a trail can be made from: the time fields into their ranges, an
    // interval below 1 to 1 (so consecutive points never stand still), the number of
    // computings into 0..1000.
    TrailSettings accept() const;

private:
    std::string m_title;
};

// "Trail of " and the body's name.
std::string TrailName(const astro::SolarSystemBody& body);

// Makes a trail of the body from the dialog's values for the chart's place and time zone.
// The local-time offset is the zone (hours) x 3600 x 1.157e-5 days, plus 0.041652 days under
// daylight saving; the first instant in universal time is the start less that offset, and
// each of the computings advances it by the interval. Each point is the trail's copy of the
// body computed for its instant, labelled with the local date ("%d.%d.%d " month, day,
// year) and time ("%02d:%02d") as asked. Computing stops at an instant outside the
// calendar's range.
Trail CreateTrail(const TrailSettings& settings, const astro::SolarSystemBody& body,
                  const SkyChart& chart);

// The "Trails" list: every trail by name, one selected.
class TrailListModel {
public:
    static constexpr const char* kTitle = "Trails";
    static constexpr const char* kDelete = "&Delete";
    static constexpr const char* kDeleteAll = "Delete &all";
    static constexpr const char* kGoto = "&Goto";
    static constexpr const char* kClose = "&Close";

    // The first trail is selected when there is one.
    explicit TrailListModel(TrailList& trails);

    std::vector<std::string> items() const;
    std::optional<std::size_t> selected() const { return m_selected; }
    // An index outside the list selects nothing.
    void select(std::optional<std::size_t> index);

    bool canDelete() const { return m_selected.has_value(); }
    bool canDeleteAll() const { return !m_trails.empty(); }
    bool canGoto() const;

    // Deletes the selected trail; the trail now at its place (or the last one) is selected.
    bool deleteSelected();
    bool deleteAll();
    // Centres the chart on the selected trail's middle point, carried into the rotation
    // frame; the zoom stays. False when there is nothing to go to.
    bool gotoSelected(SkyChart& chart) const;
    // The point "Goto" centres on: the middle one, so that a path which fits in the field is
    // shown whole around the centre.
    static const TrailPoint* gotoPoint(const Trail& trail);

private:
    TrailList& m_trails;
    std::optional<std::size_t> m_selected;
};

// The trail layer: every trail in list order, its path, its point marks and its labels in
// its own pens, colours and font for the view type, or on paper in its printer pen and
// colours (black when printing in black and white).
void DrawTrails(DrawContext& ctx, const TrailList& trails);

} // namespace chart
