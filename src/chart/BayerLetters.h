#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace chart {

// Bayer letter codes 1..24 are the Greek letters alpha..omega in alphabetical order. The
// catalogue files and the properties window know them by the letter that shows each one in
// the Symbol font; the chart writes the Greek letter itself.

inline constexpr std::array<char, 24> kBayerSymbolLetters = {
    'a', 'b', 'g', 'd', 'e', 'z', 'h', 'q', 'i', 'k', 'l', 'm',
    'n', 'x', 'o', 'p', 'r', 's', 't', 'u', 'f', 'c', 'y', 'w'};

inline constexpr std::array<std::string_view, 24> kBayerGreekLetters = {
    "α", "β", "γ", "δ", "ε", "ζ", "η", "θ", "ι", "κ", "λ", "μ",
    "ν", "ξ", "ο", "π", "ρ", "σ", "τ", "υ", "φ", "χ", "ψ", "ω"};

// The Symbol-font letter of a code: 1 'a', 2 'b', 3 'g', ... 24 'w'; any other code gives
// '-', no Bayer letter.
constexpr char BayerLetterChar(int code) {
    return code >= 1 && code <= 24 ? kBayerSymbolLetters[static_cast<std::size_t>(code - 1)] : '-';
}

// The Greek letter of a code as UTF-8 ("α" .. "ω"); empty for no letter.
constexpr std::string_view BayerLetterUtf8(int code) {
    return code >= 1 && code <= 24 ? kBayerGreekLetters[static_cast<std::size_t>(code - 1)]
                                   : std::string_view();
}

} // namespace chart
