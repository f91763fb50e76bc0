#include "astro/TextNumber.h"

#include <charconv>
#include <cmath>

namespace astro {

double parseLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only a digit or a decimal point may start a number: no "inf", "nan" or hexadecimal.
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc{} || ptr == first || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        value = 0.0;
    char buf[400];
    const auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc{})
        return "0";
    return std::string(buf, ptr);
}

} // namespace astro
