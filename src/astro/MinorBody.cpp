#include "astro/MinorBody.h"

#include "astro/Time.h"

#include <cmath>
#include <cstring>

namespace astro {

namespace {

constexpr std::size_t kNameCapacity = sizeof(ephem::ElementBlock::name) - 1; // 47 bytes
constexpr double kMagnitudeSlope = 5.0;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Length of name cut to at most max bytes without splitting a UTF-8 sequence.
std::size_t cutLength(std::string_view name, std::size_t max) {
    if (name.size() <= max)
        return name.size();
    std::size_t n = max;
    // Back off over continuation bytes to the start of the sequence that does not fit; a
    // UTF-8 sequence has at most three of them, so bytes that are not UTF-8 lose no more.
    for (int k = 0; k < 3 && n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80; ++k)
        --n;
    return n;
}

} // namespace

void setElementName(ephem::ElementBlock& block, std::string_view name) {
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    std::memset(block.name, 0, sizeof block.name);
    const std::size_t n = cutLength(name, kNameCapacity);
    if (n > 0)
        std::memcpy(block.name, name.data(), n);
}

std::string elementName(const ephem::ElementBlock& block) {
    const void* end = std::memchr(block.name, 0, sizeof block.name);
    const std::size_t n = end ? static_cast<std::size_t>(static_cast<const char*>(end) - block.name)
                              : sizeof block.name;
    return std::string(block.name, n);
}

double minorBodyEpoch() {
    return julianDay(2000, 1, 1, 0, 0, 0.0);
}

MinorBody::MinorBody(std::span<const double, 11> elements, std::string_view name,
                     std::int32_t number) {
    shown = 0;
    for (std::size_t i = 0; i < elements.size(); ++i)
        block.elements[i] = elements[i];
    setElementName(block, name);
    block.bodyId = number;
}

void MinorBody::Compute(ObservationParams p) {
    ephem::ElementBlock request = block;
    request.bodyId = ephem::BodyMinor;
    computeWith(request, p);
}

std::string Asteroid::GetName() const {
    if (number() == 0)
        return name();
    return std::to_string(number()) + " " + name();
}

double Asteroid::meanDailyMotion(double axis) {
    if (!(axis > 0.0) || !std::isfinite(axis))
        return 0.0;
    const double n = 360.0 / (std::sqrt(axis * axis * axis) * 365.25);
    return std::isfinite(n) ? n : 0.0;
}

namespace {

// The block of a minor body: the catalogue's four elements as they stand, then the orbit's
// size, motion and shape, the magnitude values, the fixed epoch and the fixed 5.0.
ephem::ElementBlock minorBlock(const double (&angles)[4], double axis, double motion, double e,
                               double slope, double h, std::string_view name, std::int32_t number) {
    ephem::ElementBlock b;
    b.elements[ephem::ElemPerihelionTime] = angles[0];
    b.elements[ephem::ElemPerihelionArg] = angles[1];
    b.elements[ephem::ElemNode] = angles[2];
    b.elements[ephem::ElemInclination] = angles[3];
    b.elements[ephem::ElemAxis] = axis;
    b.elements[ephem::ElemMeanMotion] = motion;
    b.elements[ephem::ElemEccentricity] = e;
    b.elements[ephem::ElemSlopeG] = slope;
    b.elements[ephem::ElemEpoch] = minorBodyEpoch();
    b.elements[ephem::ElemAbsMagnitude] = h;
    b.elements[ephem::ElemCometK] = kMagnitudeSlope;
    setElementName(b, name);
    b.bodyId = number;
    return b;
}

} // namespace

ephem::ElementBlock Asteroid::makeBlock(const AsteroidValues& v) {
    return minorBlock({v.elementA, v.elementB, v.elementC, v.elementD}, v.axis,
                      meanDailyMotion(v.axis), v.eccentricity, v.slope, v.absMagnitude, v.name,
                      v.number);
}

double Comet::axisSlot(double perihelion, double eccentricity) {
    if (!(eccentricity < 1.0))
        return perihelion;
    const double a = perihelion / (1.0 - eccentricity);
    return std::isfinite(a) ? a : perihelion;
}

ephem::ElementBlock Comet::makeBlock(const CometValues& v) {
    return minorBlock({v.elementA, v.elementB, v.elementC, v.elementD},
                      axisSlot(v.perihelion, v.eccentricity), 0.0, v.eccentricity, 0.0,
                      v.absMagnitude, v.name, -1);
}

} // namespace astro
