#pragma once

#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"
#include "ephemlib/Records.h"

#include <cstdint>
#include <optional>
#include <string>

namespace astro {

// A body of the solar system whose position and physical data come from the ephemeris
// library. `results` holds the block of the last computation; `params` holds the
// instant-and-place head (the first 56 bytes) of the parameters of that computation, and a
// computation never writes its last 32 bytes. Copying copies every field member by member.
class SolarSystemBody : public SkyPoint {
public:
    std::int32_t shown = 1;    // 1 = drawn on the chart
    std::int32_t labelled = 1; // 1 = its name label is drawn
    ephem::EphemerisResult results;
    ObservationParams params;

    std::string GetName() const override { return "Solar System body"; }
    int GetType() const override { return KindBody; }

    // Asks the library for the body at the instant and place of p; the base does nothing.
    virtual void Compute(ObservationParams p) { (void)p; }
    // Draws the body's name label; the base draws nothing.
    virtual void DrawLabel(chart::DrawContext& dc) { (void)dc; }

    // Angular distance in degrees between the body's current direction and the Sun
    // computed afresh for p (so the body should have been computed for the same p). The
    // Sun's elongation is 0 by definition and is never shown.
    double elongation(const ObservationParams& p) const;

protected:
    // The common computation: stores the head of p into `params`, hands `block` and p to
    // the library, and takes the direction from the returned right ascension and
    // declination.
    void computeWith(const ephem::ElementBlock& block, const ObservationParams& p);
};

// The Sun, the Moon and the planets: bodies the library knows by their id alone.
class MajorBody : public SolarSystemBody {
public:
    // Computed again for the same instant and place (every rebuild of a chart's draw list
    // asks), the body stays as the last computation left it, unless its direction was
    // changed since.
    void Compute(ObservationParams p) override;
    virtual ephem::BodyId libraryId() const = 0;

private:
    std::optional<ObservationParams> m_computedFor;
};

class Sun : public MajorBody {
public:
    std::string GetName() const override { return "Sun"; }
    int GetType() const override { return KindSun; }
    ephem::BodyId libraryId() const override { return ephem::BodySun; }
};

class Mercury : public MajorBody {
public:
    std::string GetName() const override { return "Mercury"; }
    int GetType() const override { return KindMercury; }
    ephem::BodyId libraryId() const override { return ephem::BodyMercury; }
};

class Venus : public MajorBody {
public:
    std::string GetName() const override { return "Venus"; }
    int GetType() const override { return KindVenus; }
    ephem::BodyId libraryId() const override { return ephem::BodyVenus; }
};

class Moon : public MajorBody {
public:
    std::string GetName() const override { return "Moon"; }
    int GetType() const override { return KindMoon; }
    ephem::BodyId libraryId() const override { return ephem::BodyMoon; }
};

class Mars : public MajorBody {
public:
    std::string GetName() const override { return "Mars"; }
    int GetType() const override { return KindMars; }
    ephem::BodyId libraryId() const override { return ephem::BodyMars; }
};

class Jupiter : public MajorBody {
public:
    std::string GetName() const override { return "Jupiter"; }
    int GetType() const override { return KindJupiter; }
    ephem::BodyId libraryId() const override { return ephem::BodyJupiter; }
};

class Saturn : public MajorBody {
public:
    std::string GetName() const override { return "Saturn"; }
    int GetType() const override { return KindSaturn; }
    ephem::BodyId libraryId() const override { return ephem::BodySaturn; }
};

class Uranus : public MajorBody {
public:
    std::string GetName() const override { return "Uranus"; }
    int GetType() const override { return KindUranus; }
    ephem::BodyId libraryId() const override { return ephem::BodyUranus; }
};

class Neptune : public MajorBody {
public:
    std::string GetName() const override { return "Neptune"; }
    int GetType() const override { return KindNeptune; }
    ephem::BodyId libraryId() const override { return ephem::BodyNeptune; }
};

class Pluto : public MajorBody {
public:
    std::string GetName() const override { return "Pluto"; }
    int GetType() const override { return KindPluto; }
    ephem::BodyId libraryId() const override { return ephem::BodyPluto; }
};

} // namespace astro
