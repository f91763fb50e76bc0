#pragma once

#include <string>

namespace chart {
class DrawContext; // what a sky object draws into; defined by the chart library
}

namespace astro {

// Kind codes returned by GetType.
enum Kind : int {
    KindPoint = 1,
    KindBody = 4,
    KindSun = 5,
    KindMercury = 6,
    KindVenus = 7,
    KindMoon = 8,
    KindMars = 9,
    KindJupiter = 10,
    KindSaturn = 11,
    KindUranus = 12,
    KindNeptune = 13,
    KindPluto = 14,
    KindAsteroid = 15,
    KindComet = 16,
    KindDeepSky = 17,
    KindTychoStar = 18,
    KindCatalogStar = 19,
    KindNamedStar = 20,
};

// Sentinels of optional values.
inline constexpr float kNoMagnitude = -100.0f;
inline constexpr int kNoNumber = -100;

// A direction on the sky, kept both as a spherical pair and as a unit vector.
//
// ra is in hours (the longitude-like angle of whichever frame the direction is expressed
// in: right ascension, ecliptic longitude / 15, or the azimuth angle from the south point
// towards the east point / 15) and dec in degrees (declination, ecliptic latitude or
// altitude). The vector has y towards the frame's pole, x towards ra 0 on its equator and
// z towards ra 6 h. Every constructor and mutator keeps the two forms consistent.
//
// SkyPoint is also the base of every drawable sky object; the objects live by value in
// fixed arrays, so the class holds no heap storage.
class SkyPoint {
public:
    // The north pole of the frame: ra 0, dec +90.
    SkyPoint() = default;
    SkyPoint(double raHours, double decDegrees) { set(raHours, decDegrees); }
    // From a vector (x, y, z); ra and dec are derived from it.
    SkyPoint(double x, double y, double z) { setVector(x, y, z); }

    virtual ~SkyPoint() = default;
    SkyPoint(const SkyPoint&) = default;
    SkyPoint& operator=(const SkyPoint&) = default;

    void set(double raHours, double decDegrees);
    void setVector(double x, double y, double z);
    // Takes over the other direction's vector and derives ra and dec from it; the object's
    // own identity (name, magnitude, ...) stays.
    void assignDirection(const SkyPoint& other) { setVector(other.m_x, other.m_y, other.m_z); }

    double ra() const { return m_ra; }
    double dec() const { return m_dec; }
    double x() const { return m_x; }
    double y() const { return m_y; }
    double z() const { return m_z; }

    // Right ascension and declination derived afresh from the vector.
    double derivedRa() const;
    double derivedDec() const;

    double dot(const SkyPoint& o) const { return m_x * o.m_x + m_y * o.m_y + m_z * o.m_z; }

    // Moves the direction by dRaMinutes minutes of time and dDecDegrees degrees; ra wraps
    // once into [0, 24] and dec is clamped to [-90, +90].
    void shift(double dRaMinutes, double dDecDegrees);

    // Virtual operations, in this order.
    virtual std::string GetName() const { return "Sky Point"; }
    virtual int GetType() const { return KindPoint; }
    virtual float GetMagnitude() const { return kNoMagnitude; }
    virtual int GetNumber() const { return kNoNumber; }
    virtual void DrawTrueView(chart::DrawContext&) {}
    virtual void DrawStandardView(chart::DrawContext&) {}
    virtual void DrawRedView(chart::DrawContext&) {}
    virtual void DrawBlackWhiteView(chart::DrawContext&) {}
    virtual void PrintBlackWhite(chart::DrawContext&) {}
    virtual void PrintColour(chart::DrawContext&) {}

private:
    double m_ra = 0.0;
    double m_dec = 90.0;
    double m_x = 0.0;
    double m_y = 1.0;
    double m_z = 0.0;
};

// The unit vector along (x, y, z); the zero vector gives the pole.
SkyPoint unitDirection(double x, double y, double z);

// Right ascension (hours, [0, 24)) and declination (degrees) of a vector, with the clamps
// and substitutes that keep degenerate vectors finite.
double raFromVector(double x, double y, double z);
double decFromVector(double y);

// Angle between two directions in degrees.
double angularDistance(const SkyPoint& a, const SkyPoint& b);

// True when the object is above the mathematical horizon of the zenith, with a tolerance
// of about 0.006 degrees; both directions in the same frame.
bool isAboveHorizon(const SkyPoint& zenith, const SkyPoint& object);

} // namespace astro
