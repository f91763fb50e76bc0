#pragma once

#include "astro/SkyPoint.h"
#include "chart/ChartSources.h"
#include "chart/ChartViewState.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

// The chart window's commands and mouse actions on its state. Each returns whether the
// window must be repainted; a command that changes what the draw list holds also sets the
// state's rebuild flag.

// "Zoom In" / "Zoom Out": by 1.25 within the zoom limits (the enable rules are
// SkyChart::CanZoomIn / CanZoomOut).
bool ZoomIn(ChartViewState& state);
bool ZoomOut(ChartViewState& state);
// The "Zoom" dialog's result: a vertical field in degrees.
bool SetFieldOfView(ChartViewState& state, double fieldDegrees);

// Arrow moves by a fraction of the field: up and down in latitude of the rotation frame,
// left and right in its longitude. They do not rebuild the draw list.
bool MoveUp(SkyChart& chart);
bool MoveDown(SkyChart& chart);
bool MoveLeft(SkyChart& chart);
bool MoveRight(SkyChart& chart);

// "North", "East", "South", "West" look at altitude 45 degrees in that direction, "Zenith"
// and "Nadir" straight up and down; each with zoom 1.0.
enum class Cardinal { North, East, South, West, Zenith, Nadir };
bool LookTowards(ChartViewState& state, Cardinal direction);

// "Centre": the target becomes an equatorial direction carried into the rotation frame; the
// zoom stays.
bool CentreOn(SkyChart& chart, const astro::SkyPoint& equatorial);

// Search "Star...", "Planet...", "Asteroid...", "Co&met...", "Deep Sky Object...": before
// the chart centres on the object found, the question to ask when it is below the horizon
// ("Star is not visible. Centre anyway?" for a star, "%s is not visible. Centre anyway?" with
// the object's name for anything else); none when it is above the horizon. A Yes, or no
// question, is followed by CentreOn.
inline constexpr const char* kStarNotVisibleQuestion = "Star is not visible. Centre anyway?";
std::optional<std::string> GotoQuestion(const SkyChart& chart, const astro::SkyPoint& object);
// "%s is not visible. Centre anyway?" with the name.
std::string NotVisibleQuestion(std::string_view name);
// Search "Constellation...": the target becomes the label point of the constellation with
// this index, without a question. False (nothing changes) for an index outside the list.
bool CentreOnConstellation(SkyChart& chart, const ConstellationSource& constellations,
                           std::size_t index);

// Dragging with the left button: the press point is the sky under the cursor (a press off
// the projected disc leaves the idle marker), each move shifts the target so that the sky
// follows the cursor, the release ends the drag.
void PressLeft(ChartViewState& state, int x, int y);
bool DragTo(ChartViewState& state, int x, int y);
void ReleaseLeft(ChartViewState& state);
bool IsDragging(const ChartViewState& state);
// A double click centres the chart on the point (zoom unchanged); off the disc nothing.
bool DoubleClickAt(ChartViewState& state, int x, int y);

// What the status read-out shows for the sky under the cursor.
struct HoverReadout {
    double ra = 0.0;  // hours, J2000
    double dec = 0.0; // degrees
    std::string constellation;
    double azimuth = 0.0; // degrees from north through east, [0, 360)
    double altitude = 0.0;
    double eclipticLongitude = 0.0; // degrees
    double eclipticLatitude = 0.0;
};
// None off the projected disc. Without constellation data the constellation is empty.
std::optional<HoverReadout> HoverAt(const SkyChart& chart, int x, int y,
                                    const ConstellationSource* constellations);
// One line of it: "RA 5h 55m 10.3s  Dec +7° 24' 25"  Ori  Az ...  Alt ...  Ecl ...".
std::string HoverText(const HoverReadout& readout);

// Right-button picking: the first three objects within 5 pixels of the click in draw-list
// order, then faint stars of the loaded slots (identifiers from 1,000,000 up: slot + 1 in
// the millions, index within the slot below). The identifiers go into state.pickedObjects
// (-1 for none).
struct PickResult {
    int count = 0;
    std::array<int, 3> ids{-1, -1, -1};
    std::array<std::string, 3> names;
};
inline constexpr double kPickTolerance = 5.0;
inline constexpr int kFaintStarIdBase = 1000000;
PickResult PickObjects(ChartViewState& state, int x, int y, FaintStarSource* faintStars);
// The object a picked identifier stands for; null when it no longer exists.
astro::SkyPoint* PickedObject(const ChartViewState& state, int id, FaintStarSource* faintStars);

// The "Zoom" dialog: one field, the vertical field of view in degrees.
class ZoomDialogModel {
public:
    static constexpr const char* kTitle = "Zoom";
    static constexpr const char* kLabel = "Vertical screen size in degrees:";
    static constexpr const char* kUnit = "°";
    static constexpr const char* kRangeMessage = "Please, write a value between 0.25 and 180";

    explicit ZoomDialogModel(double zoom);
    // The field's initial text, "%.1f" of the field in degrees.
    const std::string& text() const { return m_text; }
    // The message that refuses the text, or none when it is accepted (then zoom() holds it).
    std::optional<std::string> validate(std::string_view text);
    double zoom() const { return m_zoom; }

private:
    std::string m_text;
    double m_zoom;
};

// The clock commands: "Update Now" derives universal time and runs the time step; the auto
// update toggle and the period change follow the same road. Timer 1 (each second) advances
// the clock by the pace without recomputing.
void UpdateNow(SkyChart& chart);
// Switches "Auto Update Mode"; returns whether timer 2 runs afterwards.
bool ToggleAutoUpdate(SkyChart& chart);
void PaceTick(SkyChart& chart);

} // namespace chart
