#pragma once

#include "astro/MinorBody.h"
#include "astro/SkyPoint.h"
#include "astro/SolarSystemBody.h"
#include "chart/DrawContext.h"
#include "chart/Surface.h"
#include "settings/ColorScheme.h"

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace chart {

// ---- Glyph pieces

// The three colours of a double disc: the outer ellipse's outline and fill, and the inner
// ellipse's fill (its outline takes the outer fill).
struct DiscColours {
    Colour outline;
    Colour outerFill;
    Colour innerFill;
};

// The four colours of a glow, from the centre pixel outwards.
using GlowColours = std::array<Colour, 4>;

// The colours of the Moon's phase drawing: the lit disc, the maria and the shadow.
struct MoonColours {
    Colour disc;
    Colour maria;
    Colour shadow;
};

// An outer ellipse of the given radius around p, outlined and filled, and an inner one of
// radius - 1 in the outer fill and the inner fill.
void DrawDoubleDisc(Surface& s, Point p, int radius, const DiscColours& colours);
// Seventeen pixels: the centre, its four neighbours, the four diagonal neighbours with the
// pixels two away along the axes, and the pixels three away along the axes.
void DrawGlow(Surface& s, Point p, const GlowColours& colours);
// The outline of the box (x - 4, y - 4)..(x + 4, y + 4) with a width-1 pen, unfilled.
void DrawCircle(Surface& s, Point p, Colour colour);

// Radius in pixels of the Sun's disc: the Sun's diameter of about half a degree at the
// chart's scale, (half the client height / field) / 1.94 with the field
// 2 asin((zoom - 0.01) / 2) in degrees, truncated and at least 5. At fields so narrow that
// the formula has no meaning (zoom at or below 0.01) the disc keeps its least radius; the
// radius never exceeds kMaxDiscRadius.
inline constexpr int kMinSunRadius = 5;
inline constexpr int kMaxDiscRadius = 100000;
int SunDiscRadius(double zoom, int clientHeight);
// The Moon's radius: the same rule, limited to 5..50 pixels.
inline constexpr int kMinMoonRadius = 5;
inline constexpr int kMaxMoonRadius = 50;
int MoonDiscRadius(double zoom, int clientHeight);

// The maria: sixteen polygons whose vertices are in eighths of the Moon's radius, x to the
// right and y downward, north up as the Moon shows itself to an observer in the northern
// hemisphere (Mare Crisium on the right, Oceanus Procellarum on the left).
struct MareVertex {
    double a;
    double b;
};
inline constexpr std::size_t kMariaCount = 16;
std::span<const std::span<const MareVertex>> MariaOutlines();
// The pixels of mare i for a Moon of radius r centred at c.
std::vector<Point> MarePolygon(std::size_t i, Point c, int r);

// The shadow of the Moon for the principal phase (0 Full Moon, 1 Third Quarter, 2 New Moon,
// 3 First Quarter) and the signed days from it (negative before it): 30 vertices, fifteen
// along the limb from top to bottom on the shadow's side, fifteen along the terminator back
// to the top, for a shadow radius of r + 1. Empty for any other phase code.
std::vector<Point> MoonShadowPolygon(Point c, int r, int phase, double days);

// The whole phase drawing: disc, maria (filled only) and shadow, for a Moon of radius r.
void DrawMoonPhase(Surface& s, Point c, int r, int phase, double days, const MoonColours& colours);

// ---- The objects' draw operations

// A body's glyph on the screen in the view type: the Sun, the Moon and the planets by the
// glyph table, an asteroid as an X and a comet as a cross of nine pixels in the scheme's point
// colours. Nothing is drawn when the body is not on the chart.
void DrawBodyGlyph(DrawContext& ctx, const astro::SolarSystemBody& body, settings::ViewType view);
// The same body on paper: the Sun, the Moon and the planets as discs (Uranus, Neptune and
// Pluto as rings) in the Standard View colours, or black outlines on white paper in black and
// white; asteroids and comets as a small X or cross of lines in the printer's point colours
// (black in black and white). Glyphs keep their screen size on the page.
void PrintBodyGlyph(DrawContext& ctx, const astro::SolarSystemBody& body, bool blackAndWhite);

// A deep-sky object's mark on the screen: ten pixels in the view type's deep-sky point
// colour, whatever the object.
void DrawDeepSkyMark(DrawContext& ctx, const astro::SkyPoint& object);
// On paper a small ring in the printer's deep-sky point colour (black in black and white).
void PrintDeepSkyMark(DrawContext& ctx, const astro::SkyPoint& object, bool blackAndWhite);

// A body of the ephemeris (one of the ten, an asteroid or a comet) with its chart glyphs.
// It is still the body it extends, so everything that computes or lists the body keeps
// working; the chart's lists and the minor-body catalogues hold these.
template <class Body> class DrawnBody : public Body {
public:
    using Body::Body;
    DrawnBody() = default;
    explicit DrawnBody(const Body& body) : Body(body) {}

    void DrawTrueView(DrawContext& ctx) override {
        DrawBodyGlyph(ctx, *this, settings::ViewType::True);
    }
    void DrawStandardView(DrawContext& ctx) override {
        DrawBodyGlyph(ctx, *this, settings::ViewType::Standard);
    }
    void DrawRedView(DrawContext& ctx) override {
        DrawBodyGlyph(ctx, *this, settings::ViewType::Red);
    }
    void DrawBlackWhiteView(DrawContext& ctx) override {
        DrawBodyGlyph(ctx, *this, settings::ViewType::BlackWhite);
    }
    void PrintBlackWhite(DrawContext& ctx) override { PrintBodyGlyph(ctx, *this, true); }
    void PrintColour(DrawContext& ctx) override { PrintBodyGlyph(ctx, *this, false); }
};

using PlottedAsteroid = DrawnBody<astro::Asteroid>;
using PlottedComet = DrawnBody<astro::Comet>;

} // namespace chart
