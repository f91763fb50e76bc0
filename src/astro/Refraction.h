#pragma once

namespace astro {

// Atmospheric refraction in degrees for a true altitude h (degrees), pressure P (millibar)
// and temperature T (degrees Celsius). Zero below -2 degrees and at the zenith.
double refraction(double altitude, double pressure, double temperature);

} // namespace astro
