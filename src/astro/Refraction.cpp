#include "astro/Refraction.h"

#include "astro/Angles.h"

#include <cmath>

namespace astro {

namespace {
double tanDeg(double deg) {
    return std::tan(degToRad(deg));
}
} // namespace

double refraction(double h, double P, double T) {
    if (h < -2.0 || h >= 90.0)
        return 0.0;
    if (h > 15.0)
        return 0.00452 * P / (tanDeg(h) * (273.0 + T));

    // Near the horizon the formula is in terms of the apparent altitude x; solve
    // x = h + R(x) by four secant steps.
    const double p = (P - 80.0) / 930.0;
    const double t = (T - 10.0) * 0.0048;
    double x = h;
    double prevX = h;
    double prevR = 0.0;
    double R = 0.0;
    for (int i = 0; i < 4; ++i) {
        const double r0 = 1.0 / tanDeg(x + 7.31 / (x + 4.4)); // arc minutes
        R = r0 * p / ((r0 + 39.0) * t + 60.0);
        const double dx = x - prevX;
        const double df = R - prevR - dx;
        double next;
        if (dx != 0.0 && df != 0.0)
            next = x - (h + R - x) * dx / df;
        else
            next = h + R;
        prevX = x;
        prevR = R;
        x = next;
    }
    return R;
}

} // namespace astro
