// The texts of the settings file: numbers, colours, pens, fonts and grid texts. A text either
// gives the fallback or a value within the documented ranges, and a decoded value survives
// encoding and decoding again unchanged.

#include "FuzzSupport.h"

#include "chart/ChartSettingsStore.h"
#include "settings/ColorScheme.h"
#include "settings/SettingsStore.h"

#include <cmath>

namespace {

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3
                                 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);

    (void)settings::parseLeadingNumber(text);

    const settings::SchemeColor colorFallback{1, 2, 3};
    const settings::SchemeColor color = settings::decodeColor(text, colorFallback);
    for (int component : {color.r, color.g, color.b})
        FUZZ_CHECK(component >= 0 && component <= 255);
    FUZZ_CHECK(settings::decodeColor(settings::encodeColor(color), {}) == color);

    const settings::SchemePen penFallback{settings::kPenDot, 3, 0x123456};
    const settings::SchemePen pen = settings::decodePen(text, penFallback);
    FUZZ_CHECK(pen.style >= 0 && pen.style <= 6);
    FUZZ_CHECK(pen.width >= 0 && pen.width <= settings::kMaxPenWidth);
    FUZZ_CHECK(pen.color <= 0xFFFFFFu);
    FUZZ_CHECK(settings::decodePen(settings::encodePen(pen), {}) == pen);

    settings::SchemeFont fontFallback;
    fontFallback.faceName = "Fallback";
    const settings::SchemeFont font = settings::decodeFont(text, fontFallback);
    FUZZ_CHECK(font.weight >= 0 && font.weight <= 1000);
    FUZZ_CHECK(font.faceName.size() <= settings::kMaxFaceNameLength);
    if (isUtf8(text.size() > 65 ? text.substr(65) : std::string_view{}))
        FUZZ_CHECK(isUtf8(font.faceName));
    FUZZ_CHECK(settings::decodeFont(settings::encodeFont(font), {}) == font);

    (void)chart::ParseGridText(text);
    chart::GridSettings grid;
    chart::ApplyGridText(text, grid);
    for (double spacing : {grid.parallelSpacing, grid.sampleStep})
        FUZZ_CHECK(spacing >= 0.0099 && spacing <= 90.0);
    FUZZ_CHECK(grid.meridianSpacing >= 0.0099 && grid.meridianSpacing <= 1440.0);
    FUZZ_CHECK(grid.meridianExtent >= 0.0 && grid.meridianExtent <= 90.0);
    for (double parallel : {grid.topParallel, grid.bottomParallel})
        FUZZ_CHECK(parallel >= -90.0 && parallel <= 90.0);
    chart::GridSettings again;
    chart::ApplyGridText(chart::FormatGridText(grid), again);
    FUZZ_CHECK(std::abs(again.parallelSpacing - grid.parallelSpacing) < 0.01);
    return 0;
}
