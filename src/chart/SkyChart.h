#pragma once

#include "astro/Frames.h"
#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"
#include "astro/Time.h"
#include "chart/ChartClock.h"
#include "chart/ChartSettings.h"
#include "chart/DrawList.h"
#include "chart/Projection.h"
#include "chart/SkyObjects.h"
#include "chart/SolarSystemObjects.h"
#include "chart/Trails.h"
#include "chart/ZoomTables.h"

#include <functional>

namespace chart {

// The complete state of one sky chart: what is shown, where it looks (target, zoom,
// rotation frame), the projection derived from them, its time and place, and the objects it
// draws. It knows the window only as a client width and height.
class SkyChart {
public:
    SkyChart();
    // The chart points into its own members; it is never copied.
    SkyChart(const SkyChart&) = delete;
    SkyChart& operator=(const SkyChart&) = delete;

    ChartSettings settings;
    ChartClock clock;
    // The place the chart is computed for (latitude, longitude, zone); the atmosphere is in
    // frames().conditions. Starts at London.
    astro::Site site{51.5074, -0.1278, 0.0f, 0.0, 10.0, 1000.0};
    // The Sun, Moon and planets of this chart; objects.bodies points at them.
    SolarSystemObjects solarSystem;
    ChartObjects objects;
    // The paths of bodies made through the trail dialog, drawn as the last layer.
    TrailList trails;
    // Called whenever the chart needs repainting (the window invalidates itself).
    std::function<void()> invalidate;

    // Window.
    void SetClientSize(int width, int height);
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }

    // Projection: stores zoom and target (in the rotation frame) and recomputes the window
    // centre, the projection axes, the zoom-dependent star tables and, when automatic, the
    // limiting magnitude.
    void SetView(float zoom, const astro::SkyPoint& target);
    // Applies the stored zoom and target again (each redraw does).
    void SetView() { SetView(static_cast<float>(m_zoom), m_target); }

    double zoom() const { return m_zoom; }
    const astro::SkyPoint& target() const { return m_target; }
    // Moves the target only; the next SetView picks it up.
    void setTarget(const astro::SkyPoint& target) { m_target = target; }
    void setZoom(double zoom) { m_zoom = clampZoom(zoom); }

    double magnitudeLimit() const { return settings.magnitudeLimit; }
    int starSizeClass() const { return m_starSizeClass; }
    const StarBreakpoints& starBreakpoints() const { return m_breakpoints; }
    const ProjectionParams& projection() const { return m_projection; }

    bool CanZoomIn() const { return m_zoom > kMinZoom; }
    bool CanZoomOut() const { return m_zoom < kMaxZoom; }

    // Forward projection of an equatorial direction; with a print parameter set, through it.
    int ScreenX(const astro::SkyPoint& p, const ProjectionParams* print = nullptr) const;
    int ScreenY(const astro::SkyPoint& p, const ProjectionParams* print = nullptr) const;
    ScreenPoint Project(const astro::SkyPoint& p, const ProjectionParams* print = nullptr) const;

    // An equatorial direction is on the chart when it lies on the target's half of the sky
    // and its pixel is within [0, 2 cx] x [0, 2 cy], bounds included; the pixel is given back.
    bool IsOnChart(const astro::SkyPoint& p, ScreenPoint& pixel,
                   const ProjectionParams* print = nullptr) const;
    bool IsOnChart(const astro::SkyPoint& p, const ProjectionParams* print = nullptr) const {
        ScreenPoint unused;
        return IsOnChart(p, unused, print);
    }

    // A cone round the window's centre that holds every equatorial direction IsOnChart
    // accepts on the window (not on paper): a direction whose dot product with the axis is
    // below minCos is off the chart. The drawing loops test it before the full projection,
    // so a deep field does not project the whole sky. Valid until the view or the frames
    // change.
    struct ViewCone {
        double ax = 0.0, ay = 0.0, az = 0.0;
        double minCos = -2.0; // lets everything through
        bool excludes(double x, double y, double z) const {
            return x * ax + y * ay + z * az < minCos;
        }
        bool excludes(const astro::SkyPoint& p) const { return excludes(p.x(), p.y(), p.z()); }
    };
    ViewCone WindowCone() const;

    // Inverse projection of a window pixel to a direction in the rotation frame; false
    // outside the projected hemisphere.
    bool PixelToSky(int px, int py, astro::SkyPoint& out) const;

    // Equatorial direction into the rotation frame and back.
    astro::SkyPoint toChartFrame(const astro::SkyPoint& equatorial) const;
    astro::SkyPoint fromChartFrame(const astro::SkyPoint& framePoint) const;

    // Horizon test of an equatorial direction against the chart's zenith.
    bool isAboveHorizon(const astro::SkyPoint& equatorial) const;

    // Rotation frame: converts the target so the chart keeps looking at the same sky.
    int rotationMode() const { return settings.rotationMode; }
    void SetRotationMode(int mode);

    const astro::CoordinateFrames& frames() const { return m_frames; }
    astro::CoordinateFrames& frames() { return m_frames; }
    // Rebuilds the horizontal frames from the current zenith.
    void RebuildHorizontalFrame();

    // Time and place.
    void UpdateTime();
    astro::ObservationParams MakeObservationParams() const;
    double julianDay() const { return m_julianDay; }
    // Zenith of the equator of date (right ascension = local sidereal time).
    const astro::SkyPoint& zenithOfDate() const { return m_zenithOfDate; }

    // Clears and refills the draw list: stars within the limiting magnitude, selected
    // deep-sky objects, the ten bodies (recomputed), selected asteroids and comets.
    void RebuildDrawList(DrawList& list);

    // Projection axes for a target and zoom in a window of the given centre.
    static ProjectionParams ComputeProjection(const astro::SkyPoint& target, double zoom, int cx,
                                              int cy);

private:
    void requestRepaint();

    int m_clientWidth = 0;
    int m_clientHeight = 0;
    double m_zoom = ChartSettings::kDefaultZoom;
    astro::SkyPoint m_target;
    ProjectionParams m_projection;
    int m_starSizeClass = 1;
    StarBreakpoints m_breakpoints{};
    astro::CoordinateFrames m_frames;
    double m_julianDay = 0.0;
    astro::SkyPoint m_zenithOfDate;
};

} // namespace chart
