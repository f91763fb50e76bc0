#pragma once

#include "chart/ChartSources.h"
#include "chart/DrawContext.h"
#include "chart/DrawList.h"
#include "chart/StarObject.h"
#include "chart/Surface.h"

#include <array>
#include <cstddef>

namespace chart {

// One entry of the star palette: the base colour with its derived shades.
struct PaletteEntry {
    Colour base;   // solid brush and width-1 pen
    Colour bright; // each channel x 1.1, truncated, at most 255 (brush)
    Colour dim;    // each channel / 2.5, truncated (width-1 pen)
    Colour half;   // each channel / 1.5, truncated
};

// The 23 star colours: entries 0..6 the grey levels of the True View, 11 its faintest grey,
// 12 + c the colour of colour class c (0 M .. 7 other).
class StarPalette {
public:
    static constexpr std::size_t kSize = 23;
    static constexpr std::size_t kClassBase = 12;

    explicit StarPalette(const std::array<Colour, kSize>& base);

    const PaletteEntry& operator[](std::size_t i) const { return m_entries[i]; }
    const PaletteEntry& forClass(int colourClass) const {
        return m_entries[kClassBase + static_cast<std::size_t>(colourClass)];
    }

private:
    std::array<PaletteEntry, kSize> m_entries;
};

// The screen palette and the palette of printing.
const StarPalette& screenStarPalette();
const StarPalette& printStarPalette();

// Glyph size class 1 (faintest step just above the limit) to 6 (five steps brighter and
// more) of the Standard, Red and Black&White views.
int MagnitudeClass(float magnitude, float limit);

// Radius in page units of a star's disc on paper. The disc has the size of the star's screen
// glyph of its magnitude class, scaled by pageScale, the page's pixels per window pixel (the
// page shows the window's vertical field), so that it keeps its size on the paper whatever
// the printer's resolution. At least 1.
int PrintStarRadius(float magnitude, float limit, double pageScale);

// Layer 9: star labels of the draw list's named stars (in the magnitude presentation also
// catalogue stars, then the loaded faint stars), when "Draw Labels" is on.
void DrawStarLabels(DrawContext& ctx, const DrawList& list, FaintStarSource* faintStars);

} // namespace chart
