#include "chart/Navigation.h"

#include "astro/Format.h"
#include "astro/Frames.h"
#include "astro/TextNumber.h"
#include "chart/StarObject.h"
#include "chart/ZoomTables.h"

#include <cmath>

namespace chart {

using astro::SkyPoint;

namespace {

constexpr double kZoomStep = 1.25;

// A command that jumps to a new view: the projection follows at once and the draw list is
// refilled at the next redraw.
bool jumpTo(ChartViewState& state, double zoom, const SkyPoint& target) {
    state.chart.SetView(static_cast<float>(clampZoom(zoom)), target);
    state.rebuildDrawList = true;
    return true;
}

void hidePopupOf(ChartViewState& state) {
    if (state.hidePopup)
        state.hidePopup();
}

double verticalField(const SkyChart& chart) {
    return fieldOfViewDegrees(chart.zoom());
}

// Shifts the target by minutes of frame longitude and degrees of frame latitude.
bool shiftTarget(SkyChart& chart, double dLongitudeMinutes, double dLatitudeDegrees) {
    SkyPoint target = chart.target();
    target.shift(dLongitudeMinutes, dLatitudeDegrees);
    chart.setTarget(target);
    return true;
}

bool samePoint(const SkyPoint& a, const SkyPoint& b) {
    return a.ra() == b.ra() && a.dec() == b.dec();
}

// Records one picked object; returns whether there is room for more.
bool addPick(PickResult& result, int id, const SkyPoint& object) {
    const auto n = static_cast<std::size_t>(result.count);
    result.ids[n] = id;
    result.names[n] = object.GetName();
    ++result.count;
    return result.count < 3;
}

bool withinTolerance(const SkyChart& chart, const SkyPoint& object, int x, int y) {
    ScreenPoint pixel;
    if (!chart.IsOnChart(object, pixel))
        return false;
    const double dx = pixel.x - x;
    const double dy = pixel.y - y;
    return std::sqrt(dx * dx + dy * dy) <= kPickTolerance;
}

} // namespace

bool ZoomIn(ChartViewState& state) {
    if (!state.chart.CanZoomIn())
        return false;
    return jumpTo(state, state.chart.zoom() / kZoomStep, state.chart.target());
}

bool ZoomOut(ChartViewState& state) {
    if (!state.chart.CanZoomOut())
        return false;
    return jumpTo(state, state.chart.zoom() * kZoomStep, state.chart.target());
}

bool SetFieldOfView(ChartViewState& state, double fieldDegrees) {
    return jumpTo(state, zoomForField(fieldDegrees), state.chart.target());
}

// The arrows move by a fifteenth of the vertical field: F/15 degrees of latitude, or as
// many degrees of longitude (4 F/15 minutes of time).
bool MoveUp(SkyChart& chart) {
    return shiftTarget(chart, 0.0, verticalField(chart) / 15.0);
}

bool MoveDown(SkyChart& chart) {
    return shiftTarget(chart, 0.0, -verticalField(chart) / 15.0);
}

bool MoveLeft(SkyChart& chart) {
    return shiftTarget(chart, 4.0 * verticalField(chart) / 15.0, 0.0);
}

bool MoveRight(SkyChart& chart) {
    return shiftTarget(chart, -4.0 * verticalField(chart) / 15.0, 0.0);
}

bool LookTowards(ChartViewState& state, Cardinal direction) {
    // Horizontal longitude counts from the south point towards the east point.
    double hours = 0.0;
    double altitude = 45.0;
    switch (direction) {
    case Cardinal::North:
        hours = 12.0;
        break;
    case Cardinal::East:
        hours = 6.0;
        break;
    case Cardinal::South:
        hours = 0.0;
        break;
    case Cardinal::West:
        hours = 18.0;
        break;
    case Cardinal::Zenith:
        altitude = 90.0;
        break;
    case Cardinal::Nadir:
        altitude = -90.0;
        break;
    }
    SkyChart& chart = state.chart;
    const SkyPoint equatorial = astro::fromHorizontal(SkyPoint(hours, altitude), chart.frames());
    return jumpTo(state, 1.0, chart.toChartFrame(equatorial));
}

bool CentreOn(SkyChart& chart, const SkyPoint& equatorial) {
    chart.setTarget(chart.toChartFrame(equatorial));
    return true;
}

std::string NotVisibleQuestion(std::string_view name) {
    return std::string(name) + " is not visible. Centre anyway?";
}

std::optional<std::string> GotoQuestion(const SkyChart& chart, const SkyPoint& object) {
    if (chart.isAboveHorizon(object))
        return std::nullopt;
    if (isStarKind(object.GetType()))
        return std::string(kStarNotVisibleQuestion);
    return NotVisibleQuestion(object.GetName());
}

bool CentreOnConstellation(SkyChart& chart, const ConstellationSource& constellations,
                           std::size_t index) {
    if (index >= constellations.nameCount())
        return false;
    return CentreOn(chart, constellations.namePoint(index));
}

void PressLeft(ChartViewState& state, int x, int y) {
    hidePopupOf(state);
    SkyPoint p;
    // A press off the disc starts no drag, whatever an unfinished one left behind.
    state.pressPoint = state.chart.PixelToSky(x, y, p) ? p : state.idleMarker;
}

bool DragTo(ChartViewState& state, int x, int y) {
    if (!IsDragging(state))
        return false;
    SkyChart& chart = state.chart;
    // The projection follows the target moved by the previous step even when no redraw
    // came in between, so that moves arriving faster than repaints do not add up.
    chart.SetView();
    SkyPoint p;
    if (!chart.PixelToSky(x, y, p))
        return false;
    const SkyPoint& press = state.pressPoint;
    return shiftTarget(chart, (press.ra() - p.ra()) * 60.0, press.dec() - p.dec());
}

void ReleaseLeft(ChartViewState& state) {
    state.pressPoint = state.idleMarker;
}

bool IsDragging(const ChartViewState& state) {
    return !samePoint(state.pressPoint, state.idleMarker);
}

bool DoubleClickAt(ChartViewState& state, int x, int y) {
    hidePopupOf(state);
    SkyPoint p;
    if (!state.chart.PixelToSky(x, y, p))
        return false;
    state.chart.setTarget(p);
    return true;
}

std::optional<HoverReadout> HoverAt(const SkyChart& chart, int x, int y,
                                    const ConstellationSource* constellations) {
    SkyPoint framePoint;
    if (!chart.PixelToSky(x, y, framePoint))
        return std::nullopt;
    const SkyPoint equatorial = chart.fromChartFrame(framePoint);
    const SkyPoint horizontal = astro::toHorizontal(equatorial, chart.frames());
    const SkyPoint ecliptic = astro::toEcliptic(equatorial, chart.frames());

    HoverReadout r;
    r.ra = equatorial.ra();
    r.dec = equatorial.dec();
    if (constellations)
        r.constellation = constellations->abbreviationAt(equatorial);
    double azimuth = astro::azimuthFromNorth(horizontal.ra());
    if (azimuth < 0.0)
        azimuth += 360.0;
    if (azimuth >= 360.0)
        azimuth -= 360.0;
    r.azimuth = azimuth;
    r.altitude = horizontal.dec();
    r.eclipticLongitude = 15.0 * ecliptic.ra();
    r.eclipticLatitude = ecliptic.dec();
    return r;
}

std::string HoverText(const HoverReadout& r) {
    std::string text =
        "RA " + astro::formatHours(r.ra, 1) + "  Dec " + astro::formatDegrees(r.dec, 0, true);
    if (!r.constellation.empty())
        text += "  " + r.constellation;
    text += "  Az" + astro::formatDegrees(r.azimuth, 0, false);
    text += "  Alt " + astro::formatDegrees(r.altitude, 0, true);
    text += "  Ecl" + astro::formatDegrees(r.eclipticLongitude, 0, false) + " " +
            astro::formatDegrees(r.eclipticLatitude, 0, true);
    return text;
}

PickResult PickObjects(ChartViewState& state, int x, int y, FaintStarSource* faintStars) {
    hidePopupOf(state);
    PickResult result;
    const SkyChart& chart = state.chart;

    // The first candidates in list order, not the nearest.
    bool room = true;
    const std::size_t n = state.drawList.size();
    for (std::size_t i = 0; i < n && room; ++i) {
        const SkyPoint* object = state.drawList[i];
        if (object && withinTolerance(chart, *object, x, y))
            room = addPick(result, static_cast<int>(i), *object);
    }

    if (room && faintStars) {
        const double limit = chart.magnitudeLimit();
        const std::size_t slots = faintStars->slotCount();
        for (std::size_t slot = 0; slot < slots && room; ++slot) {
            const std::size_t count = faintStars->starCount(slot);
            for (std::size_t i = 0; i < count && room; ++i) {
                if (i >= static_cast<std::size_t>(kFaintStarIdBase))
                    break; // beyond what an identifier can encode
                const SkyPoint* star = faintStars->star(slot, i);
                if (!star || star->GetMagnitude() > limit || !withinTolerance(chart, *star, x, y))
                    continue;
                const int id = static_cast<int>(slot + 1) * kFaintStarIdBase + static_cast<int>(i);
                room = addPick(result, id, *star);
            }
        }
    }

    state.pickedObjects = result.ids;
    return result;
}

SkyPoint* PickedObject(const ChartViewState& state, int id, FaintStarSource* faintStars) {
    if (id < 0)
        return nullptr;
    if (id < kFaintStarIdBase) {
        const auto index = static_cast<std::size_t>(id);
        return index < state.drawList.size() ? state.drawList[index] : nullptr;
    }
    if (!faintStars)
        return nullptr;
    const auto slot = static_cast<std::size_t>(id / kFaintStarIdBase - 1);
    const auto index = static_cast<std::size_t>(id % kFaintStarIdBase);
    if (slot >= faintStars->slotCount() || index >= faintStars->starCount(slot))
        return nullptr;
    return faintStars->star(slot, index);
}

ZoomDialogModel::ZoomDialogModel(double zoom)
    : m_text(astro::formatFixed(fieldOfViewDegrees(zoom), 1)), m_zoom(zoom) {}

std::optional<std::string> ZoomDialogModel::validate(std::string_view text) {
    const double v = astro::parseLeadingNumber(text);
    if (!(v >= 0.25 && v <= 180.0))
        return std::string(kRangeMessage);
    m_zoom = zoomForField(v);
    return std::nullopt;
}

void UpdateNow(SkyChart& chart) {
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();
}

bool ToggleAutoUpdate(SkyChart& chart) {
    if (chart.clock.AutoUpdate != 1) {
        // Timer 2 starts again after an immediate update.
        chart.clock.DeriveUniversal(chart.site.timeZone);
        chart.UpdateTime();
        chart.clock.AutoUpdate = 1;
        return true;
    }
    // Timer 2 stops after one last update.
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.clock.AutoUpdate = 0;
    chart.UpdateTime();
    return false;
}

void PaceTick(SkyChart& chart) {
    chart.clock.Tick();
}

} // namespace chart
