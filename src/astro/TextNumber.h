#pragma once

#include <string>
#include <string_view>

namespace astro {

// Numbers kept as text (settings, catalogue fields) are read the way the C library's decimal conversion reads them: a
// leading number is taken (blanks before it skipped) and text that is not a number gives 0.
// Reading and writing never depend on the process locale, and a value that is not finite
// ("nan", "inf", an overflow) gives 0 too.
double parseLeadingNumber(std::string_view text);

// Fixed-point text with the given number of decimals, as "%f" (6), "%.2f", "%.1f" write it,
// always with a decimal point.
std::string formatFixed(double value, int decimals);

} // namespace astro
