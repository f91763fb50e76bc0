#include "chart/StarDrawing.h"

namespace chart {

StarPalette::StarPalette(const std::array<Colour, kSize>&) : m_entries{} {}
const StarPalette& screenStarPalette() {
    static const StarPalette p(std::array<Colour, StarPalette::kSize>{});
    return p;
}
const StarPalette& printStarPalette() { return screenStarPalette(); }
int MagnitudeClass(float, float) { return 1; }
void DrawStarLabels(DrawContext&, const DrawList&, FaintStarSource*) {}
void StarObject::DrawTrueView(DrawContext&) {}
void StarObject::DrawStandardView(DrawContext&) {}
void StarObject::DrawRedView(DrawContext&) {}
void StarObject::DrawBlackWhiteView(DrawContext&) {}
void StarObject::PrintBlackWhite(DrawContext&) {}
void StarObject::PrintColour(DrawContext&) {}

} // namespace chart
