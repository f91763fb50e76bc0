#pragma once

#include "astro/SkyPoint.h"

namespace astro {

// Mean obliquity of the ecliptic at J2000, degrees. The ecliptic pole lies at 18 h,
// +(90 - kObliquity) degrees.
inline constexpr double kObliquity = 23.4392911;

// A rotation given by three orthonormal basis directions: transform(v) = (b1.v, b2.v, b3.v).
struct Frame {
    SkyPoint b1;
    SkyPoint b2;
    SkyPoint b3;
};

SkyPoint transform(const SkyPoint& v, const Frame& f);
// The inverse rotation: the columns of the frame as its rows.
Frame transposed(const Frame& f);

// The equatorial-to-horizontal frame of a zenith, as rows: the south point of the horizon
// (90 degrees below the zenith on its meridian), the zenith, the east point. All three are
// directions of the zenith's own frame.
Frame horizontalFrameOf(const SkyPoint& zenith);

// Height, temperature and pressure of the observing place's air.
struct AtmosphericConditions {
    double height = 0.0;       // metres, -100 .. 15000
    double temperature = 10.0; // degrees Celsius, -70 .. 100
    double pressure = 1000.0;  // millibar, 0 .. 10000
};

// The four frames of a chart and the zenith they were built from.
//
// Every catalogue position is referred to the equator and equinox J2000. The zenith comes
// from sidereal time as a direction of the equator of date, so the horizontal frame's
// three basis directions are built from it and then each carried to J2000 by precession;
// the zenith the horizon test uses is the carried one.
class CoordinateFrames {
public:
    CoordinateFrames();

    // Builds the horizontal frames from a zenith of the equator of date at the given Julian
    // day.
    void setZenith(const SkyPoint& zenithOfDate, double julianDay);

    // Zenith in the J2000 frame, and as given (equator of date).
    const SkyPoint& zenith() const { return m_zenith; }
    const SkyPoint& zenithOfDate() const { return m_zenithOfDate; }
    double julianDay() const { return m_julianDay; }

    const Frame& eclipticToEquatorial() const { return m_eclToEq; }
    const Frame& equatorialToEcliptic() const { return m_eqToEcl; }
    const Frame& equatorialToHorizontal() const { return m_eqToHor; }
    const Frame& horizontalToEquatorial() const { return m_horToEq; }

    AtmosphericConditions conditions;

private:
    Frame m_eclToEq;
    Frame m_eqToEcl;
    Frame m_eqToHor;
    Frame m_horToEq;
    SkyPoint m_zenith;
    SkyPoint m_zenithOfDate;
    double m_julianDay = 0.0;
};

// Between equatorial (J2000) and horizontal (ra = angle from the south point towards the
// east point in hours, dec = altitude). The refracted forms raise the altitude by the
// refraction going to the horizon, and lower the apparent altitude by the refraction
// (computed as if it were the true one) coming from it.
SkyPoint toHorizontal(const SkyPoint& p, const CoordinateFrames& frames);
SkyPoint toHorizontalRefracted(const SkyPoint& p, const CoordinateFrames& frames);
SkyPoint fromHorizontal(const SkyPoint& p, const CoordinateFrames& frames);
SkyPoint fromHorizontalRefracted(const SkyPoint& p, const CoordinateFrames& frames);

SkyPoint toEcliptic(const SkyPoint& p, const CoordinateFrames& frames);
SkyPoint fromEcliptic(const SkyPoint& p, const CoordinateFrames& frames);

// Azimuth shown to the user, degrees from north through east, from the horizontal ra.
double azimuthFromNorth(double horizontalRaHours);

} // namespace astro
