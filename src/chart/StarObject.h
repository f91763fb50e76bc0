#pragma once

#include "astro/SkyPoint.h"

#include <string_view>

namespace chart {

// What the label layer may write beside a star.
struct StarLabelInfo {
    std::string_view properName; // empty when none
    int bayerCode = 0;           // Symbol-font letter code; 0 or a code that maps to "-": none
    int bayerIndex = 0;          // the 1 of alpha-1; 0 when none
    int flamsteed = 0;           // 0 when none
};

// The common base of the three star kinds (Tycho-2 slot stars 18, catalogue stars 19, named
// stars 20): what the glyph and label rules need to know about a star. The draw operations
// of every view type are implemented once here, from these answers.
class StarObject : public astro::SkyPoint {
public:
    using astro::SkyPoint::SkyPoint;

    // Colour class 0 (M) .. 6 (O), 7 for any other letter; above 7 the star is not drawn.
    virtual int colourClass() const = 0;
    // A variable star (its period is known) draws as a ring in the Red and Black&White views.
    virtual bool isVariable() const { return false; }
    // A double or multiple star (its separation is known) gets a bar.
    virtual bool isDouble() const { return false; }
    virtual StarLabelInfo labelInfo() const { return {}; }

    void DrawTrueView(DrawContext& ctx) override;
    void DrawStandardView(DrawContext& ctx) override;
    void DrawRedView(DrawContext& ctx) override;
    void DrawBlackWhiteView(DrawContext& ctx) override;
    void PrintBlackWhite(DrawContext& ctx) override;
    void PrintColour(DrawContext& ctx) override;
};

// True for the kinds that derive from StarObject.
inline bool isStarKind(int kind) {
    return kind == astro::KindTychoStar || kind == astro::KindCatalogStar ||
           kind == astro::KindNamedStar;
}

} // namespace chart
