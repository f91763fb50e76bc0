#pragma once

#include "astro/SolarSystemBody.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace astro {

// Fills the name field of an element block: trailing blanks removed, at most 47 bytes kept
// (cut before a partial UTF-8 sequence), the rest of the field zero.
void setElementName(ephem::ElementBlock& block, std::string_view name);
// The name held by a block, up to its first zero byte (at most the 48 bytes of the field).
std::string elementName(const ephem::ElementBlock& block);

// An asteroid or comet: a body whose position the library computes from the orbital
// elements of `block`. The stored block keeps the object's own number at offset 136; only
// the copy handed to the library carries the minor-body id 99. Minor bodies are created
// hidden (shown 0) and labelled, and arrays of them are default-constructed in one piece.
class MinorBody : public SolarSystemBody {
public:
    ephem::ElementBlock block;

    MinorBody() { shown = 0; }
    explicit MinorBody(const ephem::ElementBlock& elements) : block(elements) { shown = 0; }
    // The eleven element doubles in block order, the name and the number.
    MinorBody(std::span<const double, 11> elements, std::string_view name, std::int32_t number);

    void Compute(ObservationParams p) override;

    std::string name() const { return elementName(block); }
    std::int32_t number() const { return block.bodyId; }
};

// Values of one asteroid line of a catalogue.
struct AsteroidValues {
    std::int32_t number = 0;
    std::string_view name;
    double elementA = 0.0; // elements A to D are copied unchanged (see ephem::ElementBlock)
    double elementB = 0.0;
    double elementC = 0.0;
    double elementD = 0.0;
    double axis = 0.0; // semi-major axis a, AU
    double eccentricity = 0.0;
    double slope = 0.0;        // G
    double absMagnitude = 0.0; // H
};

// Values of one comet line of a catalogue.
struct CometValues {
    std::string_view name;
    double elementA = 0.0;
    double elementB = 0.0;
    double elementC = 0.0;
    double elementD = 0.0;
    double perihelion = 0.0; // perihelion distance q, AU
    double eccentricity = 0.0;
    double absMagnitude = 0.0; // H
};

// Julian day of 2000-01-01 00:00, the fixed epoch written into every minor-body block.
double minorBodyEpoch();

class Asteroid : public MinorBody {
public:
    using MinorBody::MinorBody;
    explicit Asteroid(const AsteroidValues& v) : MinorBody(makeBlock(v)) {}

    // "number name", or the name alone when the number is 0.
    std::string GetName() const override;
    int GetType() const override { return KindAsteroid; }

    // Mean daily motion in degrees per day, 360 / (sqrt(a^3) * 365.25). An axis that is
    // not a positive finite number (or so small that the motion overflows) gives 0.
    static double meanDailyMotion(double axis);
    static ephem::ElementBlock makeBlock(const AsteroidValues& v);
};

class Comet : public MinorBody {
public:
    using MinorBody::MinorBody;
    explicit Comet(const CometValues& v) : MinorBody(makeBlock(v)) {}

    std::string GetName() const override { return name(); }
    int GetType() const override { return KindComet; }

    // The value of the axis slot: q / (1 - e) for an elliptic orbit (e < 1), otherwise q
    // unchanged. Should the quotient not be finite, q is kept as well.
    static double axisSlot(double perihelion, double eccentricity);
    // Slope G and mean motion 0, number -1.
    static ephem::ElementBlock makeBlock(const CometValues& v);
};

} // namespace astro
