#include "chart/SkyChart.h"

#include "astro/Angles.h"

#include <array>
#include <cmath>
#include <utility>

namespace chart {

using astro::SkyPoint;

namespace {

// Pixel coordinates are truncated toward zero; the guard keeps a far-off point (a print
// scale of a narrow field) from overflowing the conversion.
int truncatePixel(double v) {
    constexpr double kLimit = 1.0e9;
    if (!(v > -kLimit))
        return static_cast<int>(-kLimit);
    if (!(v < kLimit))
        return static_cast<int>(kLimit);
    return static_cast<int>(v);
}

double nonZero(double v, double substitute) {
    return v == 0.0 ? substitute : v;
}

} // namespace

SkyChart::SkyChart() {
    m_zoom = ChartSettings::kDefaultZoom;
    m_target = SkyPoint(ChartSettings::kDefaultTargetRa, ChartSettings::kDefaultTargetDec);
    objects.bodies = &solarSystem;
    clock = ChartClock::fromSystemClock();
    clock.AutoUpdate = 1;
    clock.Pace = 1;
    clock.UpdatePeriod = 60000;
    clock.DeriveUniversal(site.timeZone);
    UpdateTime();
}

void SkyChart::SetClientSize(int width, int height) {
    m_clientWidth = width > 0 ? width : 0;
    m_clientHeight = height > 0 ? height : 0;
}

ProjectionParams SkyChart::ComputeProjection(const SkyPoint& target, double zoom, int cx, int cy) {
    using astro::clampUnit;
    using astro::kHalfPiRounded;
    using astro::kPiRounded;

    const double x = nonZero(target.x(), 0.00001);
    const double y = clampUnit(target.y());
    const double z = target.z();
    const double a = std::atan(z / x);
    const double cosAy = clampUnit(std::cos(a) * y);
    const double sinAy = clampUnit(std::sin(a) * y);

    // The axes as cosines of the angles they make with the frame's axes. a is the target's
    // longitude folded into (-90, 90) degrees, so on the near side (x > 0) each angle is
    // reflected through pi.
    //   V = (-cos l sin b, cos b, -sin l sin b),  U = (sin l, 0, -cos l)
    double angVx = std::acos(cosAy);
    double angVz = std::acos(sinAy);
    double angUx = kHalfPiRounded + a;
    double angUz = a;
    if (x > 0.0) {
        angVx = kPiRounded - angVx;
        angVz = kPiRounded - angVz;
        angUx = kPiRounded - angUx;
        angUz = kPiRounded - angUz;
    }

    const double s = 2.0 * cy / nonZero(zoom, 0.0001);
    ProjectionParams p;
    p.Vx = std::cos(angVx) * s;
    p.Vy = std::cos(std::asin(y)) * s;
    p.Vz = std::cos(angVz) * s;
    p.Ux = std::cos(angUx) * s;
    p.Uy = std::cos(kHalfPiRounded) * s;
    p.Uz = std::cos(angUz) * s;
    p.cx = cx;
    p.cy = cy;
    return p;
}

void SkyChart::SetView(float zoom, const SkyPoint& target) {
    m_zoom = clampZoom(zoom);
    m_target = target;

    const int cx = m_clientWidth / 2;
    const int cy = m_clientHeight / 2;
    m_projection = ComputeProjection(m_target, m_zoom, cx, cy);

    const float z = static_cast<float>(m_zoom);
    m_starSizeClass = StarSizeClass(z);
    m_breakpoints = TrueViewBreakpoints(z);
    if (settings.autoMagnitudeLimit)
        settings.magnitudeLimit = AutoMagnitudeLimit(z);
}

SkyPoint SkyChart::toChartFrame(const SkyPoint& eq) const {
    switch (settings.rotationMode) {
    case RotationEcliptic:
        return astro::toEcliptic(eq, m_frames);
    case RotationAzimuthal:
        return astro::toHorizontal(eq, m_frames);
    default:
        return eq;
    }
}

SkyPoint SkyChart::fromChartFrame(const SkyPoint& p) const {
    switch (settings.rotationMode) {
    case RotationEcliptic:
        return astro::fromEcliptic(p, m_frames);
    case RotationAzimuthal:
        return astro::fromHorizontal(p, m_frames);
    default:
        return SkyPoint(p.x(), p.y(), p.z());
    }
}

namespace {

// The direction in the rotation frame (the projection needs the vector only).
struct FrameVector {
    double x, y, z;
};

// The rotation from the equatorial frame into the chart's; null for the equatorial mode.
const astro::Frame* chartFrame(int rotationMode, const astro::CoordinateFrames& frames) {
    if (rotationMode == RotationEcliptic)
        return &frames.equatorialToEcliptic();
    if (rotationMode == RotationAzimuthal)
        return &frames.equatorialToHorizontal();
    return nullptr;
}

FrameVector inChartFrame(const SkyPoint& p, int rotationMode,
                         const astro::CoordinateFrames& frames) {
    const astro::Frame* frame = chartFrame(rotationMode, frames);
    if (!frame)
        return {p.x(), p.y(), p.z()};
    return {frame->b1.dot(p), frame->b2.dot(p), frame->b3.dot(p)};
}

ScreenPoint projectVector(const FrameVector& f, const ProjectionParams& c) {
    const double u = c.Ux * f.x + c.Uy * f.y + c.Uz * f.z;
    const double v = c.Vx * f.x + c.Vy * f.y + c.Vz * f.z;
    return {truncatePixel(c.cx + u), truncatePixel(c.cy - v)};
}

} // namespace

ScreenPoint SkyChart::Project(const SkyPoint& p, const ProjectionParams* print) const {
    return projectVector(inChartFrame(p, settings.rotationMode, m_frames),
                         print ? *print : m_projection);
}

bool SkyChart::IsOnChart(const SkyPoint& p, ScreenPoint& pixel,
                         const ProjectionParams* print) const {
    // The target lives in the rotation frame; a rotation keeps dot products.
    const FrameVector f = inChartFrame(p, settings.rotationMode, m_frames);
    if (f.x * m_target.x() + f.y * m_target.y() + f.z * m_target.z() < 0.0)
        return false;
    const ProjectionParams& c = print ? *print : m_projection;
    pixel = projectVector(f, c);
    return pixel.x >= 0 && pixel.x <= 2 * c.cx && pixel.y >= 0 && pixel.y <= 2 * c.cy;
}

SkyChart::ViewCone SkyChart::WindowCone() const {
    // In the equatorial frame the projection is u = p.Ue, v = p.Ve and the hemisphere test
    // p.Te >= 0, with Ue, Ve, Te the window axes and the target carried back through the
    // rotation frame's axes (no orthonormality assumed). A direction p = c t + s w (t the unit
    // target, w a unit vector across it) lands at (u, v) = c g + s M w, with g the axes' parts
    // along t and M their parts across it; so s <= (|(u, v)| + |g|) / sigma, sigma the smaller
    // singular value of M, and c = sqrt(1 - s^2) on the near hemisphere.
    const ProjectionParams& c = m_projection;
    const astro::Frame* frame = chartFrame(settings.rotationMode, m_frames);
    using Vec = std::array<double, 3>;
    const auto toEquatorial = [frame](double x, double y, double z) -> Vec {
        if (!frame)
            return {x, y, z};
        return {x * frame->b1.x() + y * frame->b2.x() + z * frame->b3.x(),
                x * frame->b1.y() + y * frame->b2.y() + z * frame->b3.y(),
                x * frame->b1.z() + y * frame->b2.z() + z * frame->b3.z()};
    };
    const auto dot = [](const Vec& a, const Vec& b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const Vec U = toEquatorial(c.Ux, c.Uy, c.Uz);
    const Vec V = toEquatorial(c.Vx, c.Vy, c.Vz);
    Vec t = toEquatorial(m_target.x(), m_target.y(), m_target.z());
    const double tn = std::sqrt(dot(t, t));
    ViewCone cone;
    if (!(tn > 0.5))
        return cone;
    for (double& v : t)
        v /= tn;
    // Two unit vectors across t.
    Vec e1 = std::abs(t[0]) < 0.9 ? Vec{0.0, t[2], -t[1]} : Vec{-t[2], 0.0, t[0]};
    const double n1 = std::sqrt(dot(e1, e1));
    for (double& v : e1)
        v /= n1;
    const Vec e2{t[1] * e1[2] - t[2] * e1[1], t[2] * e1[0] - t[0] * e1[2],
                 t[0] * e1[1] - t[1] * e1[0]};
    const double m11 = dot(U, e1), m12 = dot(U, e2), m21 = dot(V, e1), m22 = dot(V, e2);
    const double a = m11 * m11 + m21 * m21, b = m11 * m12 + m21 * m22, d = m12 * m12 + m22 * m22;
    const double lambda = 0.5 * (a + d) - std::sqrt(0.25 * (a - d) * (a - d) + b * b);
    if (!(lambda > 1e-12))
        return cone;
    const double along = std::hypot(dot(U, t), dot(V, t));
    // Pixels are truncated: a pixel within [0, 2 cx] lies less than cx + 1 from the centre.
    const double reach = std::hypot(c.cx + 2.0, c.cy + 2.0);
    const double sinMax = (reach + along) / std::sqrt(lambda);
    if (!(sinMax < 1.0))
        return cone;
    cone.ax = t[0];
    cone.ay = t[1];
    cone.az = t[2];
    cone.minCos = std::sqrt(1.0 - sinMax * sinMax) - 1e-6;
    return cone;
}

int SkyChart::ScreenX(const SkyPoint& p, const ProjectionParams* print) const {
    return Project(p, print).x;
}

int SkyChart::ScreenY(const SkyPoint& p, const ProjectionParams* print) const {
    return Project(p, print).y;
}

bool SkyChart::PixelToSky(int px, int py, SkyPoint& out) const {
    const ProjectionParams& c = m_projection;
    const double dx = px - c.cx;
    const double dy = c.cy - py;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double R = 2.0 * c.cy / nonZero(m_zoom, 0.0001);
    if (d > R)
        return false;
    const double r = astro::clampUnit(d / R);
    const double along = std::cos(std::asin(r));

    // U.p = dx, V.p = dy, T.p = along, solved by elimination with row pivoting.
    double m[3][4] = {
        {c.Ux, c.Uy, c.Uz, dx},
        {c.Vx, c.Vy, c.Vz, dy},
        {m_target.x(), m_target.y(), m_target.z(), along},
    };
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row)
            if (std::fabs(m[row][col]) > std::fabs(m[pivot][col]))
                pivot = row;
        if (pivot != col)
            std::swap(m[pivot], m[col]);
        const double div = nonZero(m[col][col], 0.0001);
        for (int row = col + 1; row < 3; ++row) {
            const double f = m[row][col] / div;
            for (int k = col; k < 4; ++k)
                m[row][k] -= f * m[col][k];
        }
    }
    double v[3];
    for (int row = 2; row >= 0; --row) {
        double sum = m[row][3];
        for (int k = row + 1; k < 3; ++k)
            sum -= m[row][k] * v[k];
        v[row] = sum / nonZero(m[row][row], 0.0001);
    }
    out = astro::unitDirection(v[0], v[1], v[2]);
    return true;
}

bool SkyChart::isAboveHorizon(const SkyPoint& eq) const {
    return astro::isAboveHorizon(m_frames.zenith(), eq);
}

void SkyChart::SetRotationMode(int mode) {
    if (mode == settings.rotationMode)
        return;
    if (mode != RotationEquatorial && mode != RotationEcliptic && mode != RotationAzimuthal)
        return;
    const SkyPoint equatorial = fromChartFrame(m_target);
    settings.rotationMode = mode;
    m_target = toChartFrame(equatorial);
    requestRepaint();
}

void SkyChart::RebuildHorizontalFrame() {
    m_frames.setZenith(m_zenithOfDate, m_julianDay);
}

astro::ObservationParams SkyChart::MakeObservationParams() const {
    astro::Site s = site;
    s.height = m_frames.conditions.height;
    s.temperature = m_frames.conditions.temperature;
    s.pressure = m_frames.conditions.pressure;
    return astro::makeObservationParams(clock.Universal, s, clock.DaylightSaving);
}

void SkyChart::UpdateTime() {
    m_julianDay = astro::julianDay(clock.Universal);
    m_zenithOfDate = astro::chartZenith(clock.Universal, site.latitude, site.longitude);
    RebuildHorizontalFrame();

    const astro::ObservationParams params = MakeObservationParams();
    if (objects.bodies)
        objects.bodies->compute(params);
    if (objects.asteroids)
        objects.asteroids->compute(params);
    if (objects.comets)
        objects.comets->compute(params);
    requestRepaint();
}

void SkyChart::RebuildDrawList(DrawList& list) {
    list.clear();
    const double limit = settings.magnitudeLimit;
    auto appendAll = [&list](SkyObjectList* source) {
        if (!source)
            return;
        const std::size_t n = source->size();
        for (std::size_t i = 0; i < n && list.append(source->at(i)); ++i) {
        }
    };

    for (SkyObjectList* stars : objects.starArrays) {
        if (!stars)
            continue;
        const std::size_t n = stars->size();
        if (const ObjectSummary* summaries = stars->summaries()) {
            for (std::size_t i = 0; i < n && !list.full(); ++i)
                if (summaries[i].magnitude <= limit)
                    list.append(stars->at(i), summaries[i]);
            continue;
        }
        for (std::size_t i = 0; i < n && !list.full(); ++i) {
            SkyPoint* star = stars->at(i);
            if (star->GetMagnitude() <= limit)
                list.append(star);
        }
    }
    if (settings.plotDeepSky)
        appendAll(objects.deepSky);
    if (objects.bodies) {
        // A body whose plot flag is off is neither drawn nor picked.
        const std::size_t n = objects.bodies->size();
        for (std::size_t i = 0; i < n && !list.full(); ++i) {
            SkyPoint* body = objects.bodies->at(i);
            const BodyPresentation* shown = settings.bodyPresentation(body->GetType());
            if (!shown || shown->plot)
                list.append(body);
        }
        objects.bodies->compute(MakeObservationParams());
    }
    if (settings.plotAsteroids)
        appendAll(objects.asteroids);
    if (settings.plotComets)
        appendAll(objects.comets);
}

void SkyChart::requestRepaint() {
    if (invalidate)
        invalidate();
}

} // namespace chart
