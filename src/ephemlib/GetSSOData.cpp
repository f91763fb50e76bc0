#include "ephemlib/GetSSOData.h"

#include "ephemlib/Physical.h"
#include "ephemlib/Theories.h"
#include "ephemlib/TwoBody.h"
#include "ephemlib/Vsop87.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>

namespace ephem {

namespace {

constexpr double kSiderealTurnsPerDay = 1.00273781191135448;
// Instants further than this from J2000 are refused: no theory means anything there.
constexpr double kMaxDaysFromJ2000 = 3.0e6;
// Series terms smaller than these (radians or au, scaled by the power of time) are left out.
// The position of the instant drops terms below 1e-9, which moves no planet by more than
// 0.02" (the series themselves are good to about 0.1"); everything that only has to be good
// to a fraction of an arc second (light time, velocity, rise and set, the Moon's phases)
// uses the short series.
constexpr double kFullCutoff = 1.0e-9;
constexpr double kFastCutoff = 1.0e-6;

// The Moon's short series is off by up to 4": it serves light time, motion and the
// phases; wherever the series of the other bodies are summed to full accuracy, so is the
// Moon's.
MoonSeries moonSeries(double cutoff) {
    return cutoff < kFastCutoff ? MoonSeries::Precise : MoonSeries::Fast;
}

Vec3 toVec(const double v[3]) { return {v[0], v[1], v[2]}; }

Vec3 mulTransposed(const double m[3][3], const Vec3& v) {
    return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z,
            m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
            m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
}

// The Earth's orientation during one call: precession and nutation are taken at the
// instant and held for the day around it (they move by a fraction of an arc second a day);
// the rotation follows the sidereal rate.
struct EarthOrientation {
    double rnpb[3][3]{};
    double gstRef = 0.0;
    double jdUTRef = 0.0;

    EarthOrientation(double jdUT, double jdTT) : jdUTRef(jdUT) {
        eraPnm00b(jdTT, 0.0, rnpb);
        gstRef = eraGst00b(jdUT, 0.0);
    }
    double gst(double jdUT) const { return gstRef + kTwoPi * kSiderealTurnsPerDay * (jdUT - jdUTRef); }
    // A vector fixed to the Earth, as a direction of the J2000 equator at an instant.
    Vec3 toCelestial(const Vec3& terrestrial, double jdUT) const {
        const double g = gst(jdUT);
        const double c = std::cos(g), s = std::sin(g);
        const Vec3 trueOfDate{c * terrestrial.x - s * terrestrial.y,
                              s * terrestrial.x + c * terrestrial.y, terrestrial.z};
        return mulTransposed(rnpb, trueOfDate);
    }
};

struct Site {
    Vec3 position; // au, Earth-fixed
    Vec3 up;       // unit, Earth-fixed (the normal of the ellipsoid)
    Vec3 east;
    bool valid = false;
};

Site makeSite(double latDeg, double lonDeg, double heightM) {
    Site s;
    double xyz[3];
    const double lon = lonDeg * kDegToRad, lat = latDeg * kDegToRad;
    if (eraGd2gc(1, lon, lat, heightM, xyz) != 0)
        return s;
    s.position = Vec3{xyz[0], xyz[1], xyz[2]} / (kAuKm * 1000.0);
    s.up = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    s.east = {-std::sin(lon), std::cos(lon), 0.0};
    s.valid = s.position.finite();
    return s;
}

struct Body {
    BodyId id = BodySun;
    const VsopPlanet* planet = nullptr;
    OrbitElements orbit;
    bool minor = false;
    bool comet = false;
    double H = 0.0, G = 0.0, K = 5.0;
};

// Heliocentric position of a body other than the Moon (the Sun is at the origin).
bool heliocentric(const Body& b, double jdTT, double cutoff, Vec3& out) {
    if (b.id == BodySun) {
        out = {};
        return true;
    }
    if (b.id == BodyPluto) {
        out = plutoHeliocentric(jdTT);
        return out.finite();
    }
    if (b.minor) {
        Vec3 pos, vel;
        if (!twoBodyState(b.orbit, jdTT, pos, vel))
            return false;
        out = eclipticJ2000ToEquatorial(pos);
        return out.finite();
    }
    out = vsopHeliocentric(*b.planet, jdTT, cutoff);
    return out.finite();
}

Vec3 earthHeliocentric(double jdTT, double cutoff) {
    return vsopHeliocentric(vsop87data::earth, jdTT, cutoff);
}

Vec3 earthVelocity(double jdTT) {
    const double h = 0.02;
    return (earthHeliocentric(jdTT + h, kFastCutoff) - earthHeliocentric(jdTT - h, kFastCutoff)) /
           (2.0 * h);
}

// Everything about the observer and the Earth that holds for the day of one call.
struct Context {
    Body body;
    const EarthOrientation* orientation = nullptr;
    Site site;
    double deltaTDays = 0.0;
    Vec3 earthVelocity; // au per day, at the instant
};

// Where the body was when the light seen at the Earth's centre at jdTT left it.
struct Retarded {
    Vec3 geocentric;  // body minus the Earth's centre, au
    Vec3 helio;       // heliocentric position of the body at the emission, au
    Vec3 earth;       // heliocentric position of the Earth's centre at jdTT, au
    double tau = 0.0; // light time, days
};

// Light time is iterated from `tau` with the short series; the last evaluation uses the
// series cut at `cutoff`. The Earth's series is cut in proportion to the body's distance:
// an error of the Earth's position turns the line of sight by its size over the distance.
bool retarded(const Context& c, double jdTT, double cutoff, double tau, int iterations,
              Retarded& out) {
    const double fast = std::max(cutoff, kFastCutoff);
    const Vec3 earthFast = earthHeliocentric(jdTT, fast);
    auto bodyAt = [&](double t, double seriesCutoff, const Vec3& earth, Vec3& helio) {
        if (c.body.id == BodyMoon) {
            // The Moon's light left it when the Earth stood a little behind; aberration,
            // applied with the Earth's velocity, counts on that.
            helio = earth - c.earthVelocity * (jdTT - t) +
                    moonGeocentric(t, moonSeries(seriesCutoff));
            return true;
        }
        return heliocentric(c.body, t, seriesCutoff, helio);
    };
    Vec3 helio;
    for (int i = 0; i < iterations; ++i) {
        if (!bodyAt(jdTT - tau, fast, earthFast, helio))
            return false;
        tau = (helio - earthFast).norm() * kLightDaysPerAu;
    }
    Vec3 earth = earthFast;
    if (c.body.id != BodyMoon && cutoff < fast) {
        const double distance = tau / kLightDaysPerAu;
        const double earthCutoff = cutoff * std::max(1.0, distance);
        if (earthCutoff < fast)
            earth = earthHeliocentric(jdTT, earthCutoff);
    }
    if (!bodyAt(jdTT - tau, cutoff, earth, helio))
        return false;
    out.geocentric = helio - earth;
    out.helio = helio;
    out.earth = earth;
    out.tau = tau;
    return out.geocentric.finite();
}

// The apparent direction from the observer (unit, J2000 equator) of a body whose retarded
// geocentric vector is given, at a UT instant; optionally with the Sun's light deflection.
Vec3 apparentDirection(const Context& c, const Vec3& geocentric, const Vec3& helio,
                       const Vec3& earth, double jdUT, bool deflect, Vec3* topocentric = nullptr) {
    const Vec3 siteGeo = c.orientation->toCelestial(c.site.position, jdUT);
    const Vec3 topo = geocentric - siteGeo;
    if (topocentric)
        *topocentric = topo;
    const Vec3 observer = earth + siteGeo;
    const Vec3 u = topo.unit();
    double p[3] = {u.x, u.y, u.z};
    const double em = observer.norm();
    if (deflect && c.body.id != BodySun && c.body.id != BodyMoon && em > 0.0) {
        const Vec3 q = helio.unit();
        const Vec3 e = observer.unit();
        double qq[3] = {q.x, q.y, q.z}, ee[3] = {e.x, e.y, e.z};
        double bent[3];
        // Behind the Sun's disc the point-mass deflection would grow without bound; the
        // limiter makes it fall off linearly towards the centre of the disc instead.
        const double sunRadius = equatorialRadiusKm(BodySun) / (em * kAuKm);
        eraLd(1.0, p, qq, ee, em, 0.5 * sunRadius * sunRadius, bent);
        std::copy(bent, bent + 3, p);
    }
    // Annual and diurnal aberration.
    const double omega = kTwoPi * kSiderealTurnsPerDay;
    const Vec3 siteVelTerrestrial{-omega * c.site.position.y, omega * c.site.position.x, 0.0};
    const Vec3 v = (c.earthVelocity + c.orientation->toCelestial(siteVelTerrestrial, jdUT)) *
                   kLightDaysPerAu;
    double vv[3] = {v.x, v.y, v.z};
    const double bm1 = std::sqrt(std::max(0.0, 1.0 - v.dot(v)));
    double aberrated[3];
    eraAb(p, vv, em, bm1, aberrated);
    return toVec(aberrated).unit();
}

double standardAltitude(BodyId id, double topocentricDistanceAu) {
    if (id == BodySun)
        return -0.8333;
    if (id == BodyMoon) {
        const double ratio = equatorialRadiusKm(BodyMoon) / (topocentricDistanceAu * kAuKm);
        return -0.5667 - std::asin(std::clamp(ratio, 0.0, 1.0)) * kRadToDeg;
    }
    return -0.5667;
}

// Rise, transit and set within one civil day. The body's retarded geocentric vector is
// computed at five instants of the day and interpolated between them (it moves smoothly:
// the Earth's rotation enters only through the observer's place, which is computed for
// every instant); hourly samples locate each event and a bracketed secant search pins it.
class DayEvents {
public:
    static constexpr int kNodes = 5;

    DayEvents(const Context& c, double start, double tau) : m_c(c), m_start(start) {
        // A second of the Moon's rise is half an arc second of its motion: its nodes take
        // the precise series.
        const double cutoff = c.body.id == BodyMoon ? kFullCutoff : kFastCutoff;
        for (int k = 0; k < kNodes; ++k) {
            const double t = start + static_cast<double>(k) / (kNodes - 1);
            Retarded r;
            if (!retarded(c, t + c.deltaTDays, cutoff, tau, 0, r)) {
                m_ok = false;
                return;
            }
            m_geo[k] = r.geocentric;
            m_helio[k] = r.helio;
            m_earth[k] = r.earth;
        }
    }

    // Event times (UT Julian days) in [start, start + 1); NaN where the event does not occur.
    void find(double& rise, double& transit, double& set) const {
        rise = transit = set = std::nan("");
        if (!m_ok)
            return;
        constexpr int kSteps = 24;
        double t[kSteps + 1], f[kSteps + 1], g[kSteps + 1];
        for (int i = 0; i <= kSteps; ++i) {
            t[i] = m_start + static_cast<double>(i) / kSteps;
            sample(t[i], f[i], g[i]);
        }
        for (int i = 0; i < kSteps; ++i) {
            if (std::isnan(rise) && f[i] < 0.0 && f[i + 1] >= 0.0)
                rise = refine(t[i], t[i + 1], f[i], f[i + 1], false);
            if (std::isnan(set) && f[i] >= 0.0 && f[i + 1] < 0.0)
                set = refine(t[i], t[i + 1], f[i], f[i + 1], false);
            if (std::isnan(transit) && g[i] > 0.0 && g[i + 1] <= 0.0)
                transit = refine(t[i], t[i + 1], g[i], g[i + 1], true);
        }
        const double end = m_start + 1.0;
        for (double* e : {&rise, &transit, &set})
            if (!(*e >= m_start && *e < end))
                *e = std::nan("");
    }

private:
    // Lagrange interpolation through the equally spaced nodes.
    Vec3 interpolate(const Vec3 (&v)[kNodes], double jdUT) const {
        const double x = (jdUT - m_start) * (kNodes - 1);
        Vec3 sum;
        for (int k = 0; k < kNodes; ++k) {
            double w = 1.0;
            for (int j = 0; j < kNodes; ++j)
                if (j != k)
                    w *= (x - j) / static_cast<double>(k - j);
            sum += v[k] * w;
        }
        return sum;
    }

    // f = altitude above the standard altitude (degrees); g = eastward component of the
    // direction (positive before the upper transit).
    void sample(double jdUT, double& f, double& g) const {
        Vec3 topo;
        const Vec3 dir =
            apparentDirection(m_c, interpolate(m_geo, jdUT), interpolate(m_helio, jdUT),
                              interpolate(m_earth, jdUT), jdUT, false, &topo);
        const Vec3 up = m_c.orientation->toCelestial(m_c.site.up, jdUT);
        const Vec3 east = m_c.orientation->toCelestial(m_c.site.east, jdUT);
        const double alt = std::asin(std::clamp(up.dot(dir), -1.0, 1.0)) * kRadToDeg;
        f = alt - standardAltitude(m_c.body.id, topo.norm());
        g = east.dot(dir);
    }

    double value(double jdUT, bool meridian) const {
        double f = 0.0, g = 0.0;
        sample(jdUT, f, g);
        return meridian ? g : f;
    }

    // Illinois variant of the secant method on a bracket; stops at a hundredth of a second.
    double refine(double a, double b, double fa, double fb, bool meridian) const {
        constexpr double kTolerance = 0.01 / 86400.0;
        int side = 0;
        for (int iter = 0; iter < 60 && b - a > kTolerance; ++iter) {
            double c = (fa == fb) ? 0.5 * (a + b) : b - fb * (b - a) / (fb - fa);
            if (!(c > a && c < b))
                c = 0.5 * (a + b);
            const double fc = value(c, meridian);
            if (!std::isfinite(fc))
                return std::nan("");
            if (fc == 0.0)
                return c;
            if ((fc > 0.0) == (fb > 0.0)) {
                b = c;
                fb = fc;
                if (side == -1)
                    fa *= 0.5;
                side = -1;
            } else {
                a = c;
                fa = fc;
                if (side == 1)
                    fb *= 0.5;
                side = 1;
            }
        }
        return 0.5 * (a + b);
    }

    const Context& m_c;
    double m_start;
    bool m_ok = true;
    Vec3 m_geo[kNodes], m_helio[kNodes], m_earth[kNodes];
};

// Geocentric elongation of the Moon from the Sun in ecliptic longitude, degrees [0, 360).
double moonSunElongation(const Context& moonCtx, const Context& sunCtx, double jdUT) {
    const double jdTT = jdUT + moonCtx.deltaTDays;
    Retarded m, sn;
    if (!retarded(moonCtx, jdTT, kFastCutoff, 1.3 / 86400.0, 1, m) ||
        !retarded(sunCtx, jdTT, kFastCutoff, 0.0058, 1, sn))
        return std::nan("");
    const double ce = 0.917482137087, se = 0.397776982902;
    auto longitude = [&](const Vec3& d) { return std::atan2(ce * d.y + se * d.z, d.x) * kRadToDeg; };
    // Aberration moves both alike and cancels in the difference.
    const double e = std::fmod(longitude(m.geocentric) - longitude(sn.geocentric), 360.0);
    return e < 0.0 ? e + 360.0 : e;
}

// Instant (UT) of the principal phase whose elongation is `target` degrees, near `guess`.
double phaseInstant(const Context& moonCtx, const Context& sunCtx, double guess, double target) {
    double t = guess;
    for (int i = 0; i < 8; ++i) {
        const double e = moonSunElongation(moonCtx, sunCtx, t);
        if (std::isnan(e))
            return std::nan("");
        const double step = std::remainder(e - target, 360.0) / 12.190749; // mean rate, deg/day
        t -= step;
        if (std::fabs(step) < 1e-7)
            break;
    }
    return t;
}

void fillFailure(EphemerisResult& r) {
    r = EphemerisResult{};
    r.magnitude = 99.0;
}

bool allFinite(const EphemerisResult& r) {
    for (double v : {r.ra, r.dec, r.distance, r.diameter, r.magnitude, r.phase, r.set, r.transit,
                     r.rise, r.moonPhaseDays})
        if (!std::isfinite(v))
            return false;
    return true;
}

int compute(const ElementBlock& block, const astro::ObservationParams& params,
            EphemerisResult& r) {
    Context c;
    Body& body = c.body;
    body.id = static_cast<BodyId>(block.bodyId);
    if (body.id == BodyMinor) {
        body.minor = true;
        if (!orbitFromBlock(block, body.orbit))
            return -2;
        body.comet = block.elements[ElemMeanMotion] == 0.0;
        body.H = block.elements[ElemAbsMagnitude];
        body.G = block.elements[ElemSlopeG];
        body.K = block.elements[ElemCometK];
        if (!std::isfinite(body.H) || !std::isfinite(body.G) || !std::isfinite(body.K))
            return -2;
    } else if (body.id < BodySun || body.id > BodyPluto) {
        return -1;
    } else if (body.id != BodySun && body.id != BodyMoon && body.id != BodyPluto) {
        body.planet = vsopPlanet(body.id);
    }

    const double jdUT = params.julianDay;
    const double zone =
        static_cast<double>(params.timeZone) + (params.daylightSaving == 1 ? 1.0 : 0.0);
    if (!std::isfinite(jdUT) || std::fabs(jdUT - kJ2000) > kMaxDaysFromJ2000 ||
        !std::isfinite(params.latitude) || std::fabs(params.latitude) > 90.0 ||
        !std::isfinite(params.longitude) || std::fabs(params.longitude) > 360.0 ||
        !std::isfinite(zone) || std::fabs(zone) > 24.0)
        return -3;
    double height = params.height;
    if (!std::isfinite(height) || height < -1000.0 || height > 100000.0)
        height = 0.0;

    c.deltaTDays = deltaTSeconds(jdUT) / 86400.0;
    const double jdTT = jdUT + c.deltaTDays;
    const EarthOrientation orientation(jdUT, jdTT);
    c.orientation = &orientation;
    c.site = makeSite(params.latitude, params.longitude, height);
    if (!c.site.valid)
        return -3;
    c.earthVelocity = earthVelocity(jdTT);

    // The position at the instant.
    Retarded ret;
    if (!retarded(c, jdTT, kFullCutoff, 0.0, 3, ret))
        return -4;
    Vec3 topo;
    const Vec3 dir = apparentDirection(c, ret.geocentric, ret.helio, ret.earth, jdUT, true, &topo);
    double d[3] = {dir.x, dir.y, dir.z};
    double ra = 0.0, dec = 0.0;
    eraC2s(d, &ra, &dec);
    r.ra = eraAnp(ra) * kRadToDeg / 15.0;
    if (r.ra >= 24.0)
        r.ra -= 24.0;
    r.dec = dec * kRadToDeg;

    // Geometric distance from the Earth's centre at the instant.
    if (body.id == BodyMoon) {
        // The precise geocentric vector at the emission (the retarded one less the Earth's
        // motion during the light time) moved on by the Moon's own motion from the short
        // series: no second sum of the precise series.
        const Vec3 emitted = ret.helio - ret.earth + c.earthVelocity * ret.tau;
        const Vec3 motion = moonGeocentric(jdTT, MoonSeries::Fast) -
                            moonGeocentric(jdTT - ret.tau, MoonSeries::Fast);
        r.distance = (emitted + motion).norm() * kAuKm / kEarthRadiusKm;
    } else {
        // The body's motion during the light time, from the short series.
        Vec3 now, then;
        if (!heliocentric(body, jdTT, kFastCutoff, now) ||
            !heliocentric(body, jdTT - ret.tau, kFastCutoff, then))
            return -4;
        r.distance = (ret.helio + (now - then) - ret.earth).norm();
    }

    const double radius = body.minor ? 0.0 : equatorialRadiusKm(body.id);
    r.diameter = apparentDiameterArcsec(radius, topo.norm() * kAuKm);

    Sighting s;
    s.R = ret.earth.norm();
    s.r = ret.helio.norm();
    s.delta = ret.geocentric.norm();
    const double phaseAngleDeg = body.id == BodySun ? 0.0 : phaseAngle(s);
    r.phase = body.id == BodySun ? 1.0 : illuminatedFraction(phaseAngleDeg);
    if (body.minor) {
        r.magnitude = body.comet ? cometMagnitude(body.H, body.K, s)
                                 : asteroidMagnitude(body.H, body.G, s, phaseAngleDeg);
    } else {
        double ringTilt = 0.0;
        if (body.id == BodySaturn) {
            // The Earth's latitude above the ring plane, seen from Saturn.
            const Vec3 pole = fromSpherical(40.589 * kDegToRad, 83.537 * kDegToRad, 1.0);
            ringTilt = std::asin(std::clamp(pole.dot((-ret.geocentric).unit()), -1.0, 1.0)) *
                       kRadToDeg;
        }
        r.magnitude = planetMagnitude(body.id, s, phaseAngleDeg, ringTilt);
    }

    // Events of the local civil day that contains the instant.
    const double localJd = jdUT + zone / 24.0;
    const double dayStart = std::floor(localJd - 0.5) + 0.5 - zone / 24.0;
    double rise, transit, set;
    DayEvents(c, dayStart, ret.tau).find(rise, transit, set);
    auto clockHours = [dayStart](double t) {
        return std::isnan(t) ? -1.0 : std::clamp((t - dayStart) * 24.0, 0.0, 24.0 - 1e-9);
    };
    r.rise = clockHours(rise);
    r.transit = clockHours(transit);
    r.set = clockHours(set);

    if (body.id == BodyMoon) {
        // The nearer of the principal phases before and after the instant.
        Context sunCtx;
        sunCtx.body.id = BodySun;
        sunCtx.orientation = c.orientation;
        sunCtx.deltaTDays = c.deltaTDays;
        sunCtx.earthVelocity = c.earthVelocity;
        const double e = moonSunElongation(c, sunCtx, jdUT);
        if (std::isnan(e))
            return -4;
        const double previousTarget = std::floor(e / 90.0) * 90.0;
        const double nextTarget = previousTarget + 90.0;
        const double tPrev =
            phaseInstant(c, sunCtx, jdUT - (e - previousTarget) / 12.19, previousTarget);
        const double tNext = phaseInstant(c, sunCtx, jdUT + (nextTarget - e) / 12.19, nextTarget);
        const bool usePrevious = std::fabs(jdUT - tPrev) <= std::fabs(tNext - jdUT);
        const double target = usePrevious ? previousTarget : nextTarget;
        // Elongation 0 New, 90 First Quarter, 180 Full, 270 Third Quarter.
        static constexpr std::int32_t kCode[4] = {2, 3, 0, 1};
        r.moonPhase = kCode[static_cast<int>(std::lround(target / 90.0)) % 4];
        r.moonPhaseDays = jdUT - (usePrevious ? tPrev : tNext);
    }
    return 0;
}

} // namespace

} // namespace ephem

extern "C" int GetSSOData(ephem::ElementBlock block, astro::ObservationParams params,
                          ephem::EphemerisResult* result) {
    if (result == nullptr)
        return -1;
    ephem::EphemerisResult r;
    const int status = ephem::compute(block, params, r);
    if (status != 0 || !ephem::allFinite(r)) {
        ephem::fillFailure(*result);
        return status != 0 ? status : -5;
    }
    *result = r;
    return 0;
}
