#include "astro/Frames.h"

#include "astro/Precession.h"
#include "astro/Refraction.h"
#include "astro/Time.h"

#include <cmath>

namespace astro {

SkyPoint transform(const SkyPoint& v, const Frame& f) {
    // The basis directions come from rounded angle factors and are orthogonal only to about
    // 1e-8; the result is brought back to unit length, or the derived right ascension would
    // wander by arc seconds near 6 h and 18 h and distances near zero would not be zero.
    return astro::unitDirection(f.b1.dot(v), f.b2.dot(v), f.b3.dot(v));
}

Frame transposed(const Frame& f) {
    return {SkyPoint(f.b1.x(), f.b2.x(), f.b3.x()), SkyPoint(f.b1.y(), f.b2.y(), f.b3.y()),
            SkyPoint(f.b1.z(), f.b2.z(), f.b3.z())};
}

Frame horizontalFrameOf(const SkyPoint& zenith) {
    const double lst = zenith.ra();
    const double lat = zenith.dec();

    double southRa = lst;
    if (lat < 0.0) {
        southRa += 12.0;
        if (southRa >= 24.0)
            southRa -= 24.0;
    }
    double southDec = lat - 90.0;
    if (southDec < -90.0)
        southDec = -90.0 - lat;

    double eastRa = lst + 6.0;
    if (eastRa >= 24.0)
        eastRa -= 24.0;

    return {SkyPoint(southRa, southDec), SkyPoint(lst, lat), SkyPoint(eastRa, 0.0)};
}

CoordinateFrames::CoordinateFrames() {
    const double poleDec = 90.0 - kObliquity;
    m_eclToEq = {SkyPoint(0.0, 0.0), SkyPoint(6.0, poleDec), SkyPoint(6.0, -kObliquity)};
    m_eqToEcl = {SkyPoint(0.0, 0.0), SkyPoint(18.0, poleDec), SkyPoint(6.0, kObliquity)};
    setZenith(SkyPoint(), julianDayJ2000());
}

void CoordinateFrames::setZenith(const SkyPoint& zenithOfDate, double jd) {
    m_zenithOfDate = zenithOfDate;
    m_julianDay = jd;
    const Frame ofDate = horizontalFrameOf(zenithOfDate);
    const Rotation toJ2000 = precessionDateToJ2000(jd);
    m_eqToHor = {rotate(toJ2000, ofDate.b1), rotate(toJ2000, ofDate.b2),
                 rotate(toJ2000, ofDate.b3)};
    m_horToEq = transposed(m_eqToHor);
    m_zenith = m_eqToHor.b2;
}

SkyPoint toHorizontal(const SkyPoint& p, const CoordinateFrames& frames) {
    return transform(p, frames.equatorialToHorizontal());
}

SkyPoint toHorizontalRefracted(const SkyPoint& p, const CoordinateFrames& frames) {
    SkyPoint h = toHorizontal(p, frames);
    const AtmosphericConditions& c = frames.conditions;
    h.shift(0.0, refraction(h.dec(), c.pressure, c.temperature));
    return h;
}

SkyPoint fromHorizontal(const SkyPoint& p, const CoordinateFrames& frames) {
    return transform(p, frames.horizontalToEquatorial());
}

SkyPoint fromHorizontalRefracted(const SkyPoint& p, const CoordinateFrames& frames) {
    SkyPoint h = p;
    const AtmosphericConditions& c = frames.conditions;
    h.shift(0.0, -refraction(h.dec(), c.pressure, c.temperature));
    return fromHorizontal(h, frames);
}

SkyPoint toEcliptic(const SkyPoint& p, const CoordinateFrames& frames) {
    return transform(p, frames.equatorialToEcliptic());
}

SkyPoint fromEcliptic(const SkyPoint& p, const CoordinateFrames& frames) {
    return transform(p, frames.eclipticToEquatorial());
}

double azimuthFromNorth(double horizontalRaHours) {
    return std::fmod(540.0 - 15.0 * horizontalRaHours, 360.0);
}

} // namespace astro
