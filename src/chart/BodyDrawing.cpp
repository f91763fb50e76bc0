#include "chart/BodyDrawing.h"

#include "chart/SkyChart.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

using settings::ViewType;

constexpr double kDegPerRad = 57.29578;

// ---- Colours of the glyph table

constexpr DiscColours kRedDisc{{80, 0, 0}, {150, 0, 0}, {255, 0, 0}};
constexpr DiscColours kBlackWhiteDisc{{185, 185, 185}, {105, 105, 105}, {0, 0, 0}};

constexpr DiscColours kStandardDisc[] = {
    {{80, 80, 80}, {150, 150, 150}, {255, 255, 255}},  // Mercury
    {{80, 80, 100}, {150, 150, 180}, {235, 235, 255}}, // Venus
    {{80, 80, 80}, {180, 150, 150}, {255, 235, 235}},  // Mars
    {{80, 80, 80}, {180, 180, 150}, {255, 255, 235}},  // Jupiter
    {{80, 80, 80}, {180, 180, 150}, {255, 255, 235}},  // Saturn
};

constexpr GlowColours kGlow[] = {
    {{{150, 150, 150}, {90, 90, 90}, {60, 60, 60}, {40, 40, 40}}},    // Mercury
    {{{255, 255, 255}, {110, 110, 140}, {60, 60, 100}, {0, 0, 50}}},  // Venus
    {{{235, 235, 235}, {130, 90, 90}, {90, 40, 40}, {50, 0, 0}}},     // Mars
    {{{255, 255, 255}, {130, 130, 90}, {90, 90, 50}, {40, 40, 0}}},   // Jupiter
    {{{230, 230, 230}, {110, 110, 110}, {70, 70, 70}, {50, 50, 50}}}, // Saturn
};

// Uranus, Neptune and Pluto in the Standard View; the other views share one colour.
constexpr Colour kStandardCircle[] = {{100, 140, 100}, {100, 100, 140}, {110, 110, 110}};

constexpr DiscColours kSunDisc[] = {
    {{115, 115, 60}, {255, 255, 150}, {255, 255, 235}}, // Standard
    {{75, 75, 40}, {175, 175, 100}, {175, 175, 150}},   // True
    kRedDisc,
    kBlackWhiteDisc,
};

constexpr MoonColours kMoon[] = {
    {{192, 192, 192}, {128, 128, 128}, {60, 60, 60}}, // Standard
    {{100, 100, 100}, {70, 70, 70}, {40, 40, 40}},    // True
    {{255, 0, 0}, {128, 0, 0}, {60, 0, 0}},           // Red
    {{0, 0, 0}, {128, 128, 128}, {230, 230, 230}},    // Black&White
};

// Index of a screen view type into the tables above (Standard, True, Red, Black&White).
std::size_t viewIndex(ViewType view) {
    switch (view) {
    case ViewType::True:
        return 1;
    case ViewType::Red:
        return 2;
    case ViewType::BlackWhite:
        return 3;
    default:
        return 0;
    }
}

// Mercury 0, Venus 1, Mars 2, Jupiter 3, Saturn 4; -1 for the other kinds.
int discPlanetIndex(int kind) {
    switch (kind) {
    case astro::KindMercury:
        return 0;
    case astro::KindVenus:
        return 1;
    case astro::KindMars:
        return 2;
    case astro::KindJupiter:
        return 3;
    case astro::KindSaturn:
        return 4;
    default:
        return -1;
    }
}

// Uranus 0, Neptune 1, Pluto 2; -1 for the other kinds.
int ringPlanetIndex(int kind) {
    switch (kind) {
    case astro::KindUranus:
        return 0;
    case astro::KindNeptune:
        return 1;
    case astro::KindPluto:
        return 2;
    default:
        return -1;
    }
}

DiscColours planetDisc(int index, ViewType view) {
    switch (view) {
    case ViewType::Red:
        return kRedDisc;
    case ViewType::BlackWhite:
        return kBlackWhiteDisc;
    default:
        return kStandardDisc[index];
    }
}

Colour ringColour(int index, ViewType view) {
    switch (view) {
    case ViewType::True:
        return {80, 80, 80};
    case ViewType::Red:
        return {150, 0, 0};
    case ViewType::BlackWhite:
        return {150, 150, 150};
    default:
        return kStandardCircle[index];
    }
}

// ---- The maria

// Outlines traced on a map of the near side, projected onto the disc.
constexpr MareVertex kMare0[] = {{-1.6, 7.0}, {-1.2, 6.3}, {-0.4, 6.5}, {-0.2, 7.1}};
// Mare Crisium
constexpr MareVertex kMare1[] = {{6.2, -3.4}, {6.8, -3.0}, {7.2, -2.1}, {7.1, -1.3},
                                 {6.4, -1.4}, {5.8, -2.1}, {5.8, -3.0}};
// Mare Vaporum
constexpr MareVertex kMare2[] = {{0.8, -2.3}, {1.2, -1.6}, {0.2, -1.3}, {-0.3, -2.1}};
// Mare Imbrium, with Sinus Iridum in the north-west
constexpr MareVertex kMare3[] = {
    {-2.6, -6.1}, {-2.1, -6.0}, {-1.7, -5.9}, {-1.2, -5.8}, {-0.8, -5.7}, {-0.3, -5.6},
    {0.1, -5.4},  {0.5, -5.1},  {0.6, -4.7},  {0.6, -4.2},  {0.3, -3.8},  {0.0, -3.5},
    {-0.2, -3.1}, {-0.6, -2.8}, {-1.0, -2.5}, {-1.4, -2.4}, {-1.8, -2.3}, {-2.3, -2.3},
    {-2.7, -2.4}, {-3.2, -2.5}, {-3.6, -2.8}, {-4.0, -3.0}, {-4.2, -3.4}, {-4.3, -3.9},
    {-4.3, -4.3}, {-4.0, -4.7}, {-3.7, -5.0}, {-3.7, -5.4}, {-3.4, -5.7}, {-3.0, -5.9}};
// Mare Tranquillitatis
constexpr MareVertex kMare4[] = {
    {3.1, -2.5}, {3.4, -2.3}, {3.8, -2.2}, {4.1, -2.1}, {4.4, -1.9}, {4.8, -1.8}, {5.2, -1.9},
    {5.4, -1.7}, {5.7, -1.4}, {5.7, -1.0}, {5.7, -0.7}, {5.6, -0.3}, {5.4, 0.0},  {5.1, 0.2},
    {4.8, 0.4},  {4.5, 0.3},  {4.1, 0.3},  {3.8, 0.1},  {3.5, -0.1}, {3.2, -0.3}, {2.8, -0.2},
    {2.6, -0.4}, {2.5, -0.7}, {2.7, -1.1}, {2.8, -1.4}, {2.9, -1.7}, {3.0, -2.1}};
// Mare Serenitatis
constexpr MareVertex kMare5[] = {{2.5, -4.7}, {3.3, -3.8}, {2.9, -2.8},
                                 {1.7, -2.7}, {0.9, -3.7}, {1.4, -4.7}};
// Mare Fecunditatis
constexpr MareVertex kMare6[] = {{6.4, -0.2}, {6.8, 1.1}, {6.2, 2.4}, {5.5, 1.9}, {5.6, 0.3}};
// Mare Nectaris
constexpr MareVertex kMare7[] = {{4.7, 1.3}, {4.9, 2.6}, {3.8, 2.4}};
// Sinus Aestuum
constexpr MareVertex kMare8[] = {{-0.6, -1.8}, {-1.2, -1.0}, {-1.8, -1.7}};
// Oceanus Procellarum
constexpr MareVertex kMare9[] = {
    {-3.8, -6.6}, {-3.6, -6.3}, {-3.7, -6.0}, {-3.9, -5.7}, {-4.1, -5.3}, {-4.3, -5.0},
    {-4.5, -4.7}, {-4.6, -4.3}, {-4.6, -3.9}, {-4.4, -3.6}, {-4.3, -3.2}, {-4.0, -2.9},
    {-3.8, -2.6}, {-3.5, -2.4}, {-3.3, -2.1}, {-3.1, -1.7}, {-3.0, -1.4}, {-3.1, -1.0},
    {-3.3, -0.7}, {-3.5, -0.3}, {-3.7, 0.0},  {-4.0, 0.3},  {-4.2, 0.6},  {-4.5, 0.9},
    {-4.7, 1.2},  {-4.9, 1.5},  {-5.1, 1.8},  {-5.4, 1.8},  {-5.8, 1.7},  {-6.1, 1.4},
    {-6.3, 1.2},  {-6.6, 0.9},  {-6.9, 0.6},  {-7.1, 0.3},  {-7.2, -0.1}, {-7.3, -0.5},
    {-7.4, -0.8}, {-7.5, -1.2}, {-7.5, -1.6}, {-7.4, -2.0}, {-7.4, -2.4}, {-7.3, -2.7},
    {-7.2, -3.1}, {-7.0, -3.5}, {-6.9, -3.8}, {-6.6, -4.1}, {-6.4, -4.5}, {-6.2, -4.7},
    {-5.9, -5.0}, {-5.7, -5.3}, {-5.4, -5.6}, {-5.1, -5.8}, {-4.8, -6.1}, {-4.5, -6.3},
    {-4.2, -6.5}};
// Mare Humorum
constexpr MareVertex kMare10[] = {{-4.4, 2.6}, {-4.0, 3.9}, {-5.2, 3.3}};
// Sinus Medii
constexpr MareVertex kMare11[] = {{0.7, -0.6}, {0.3, 0.1}, {-0.3, -0.5}};
// Mare Cognitum
constexpr MareVertex kMare12[] = {{-2.9, 0.9}, {-2.6, 1.8}, {-3.7, 1.5}};
// Mare Smythii, at the limb
constexpr MareVertex kMare13[] = {{7.8, -0.9}, {7.9, 0.7}, {7.7, 0.7}};
// Mare Frigoris
constexpr MareVertex kMare14[] = {{-2.7, -6.8}, {-0.7, -7.1}, {1.4, -6.9},
                                  {2.6, -6.6},  {1.7, -6.3},  {-0.8, -6.5}};
// Mare Nubium
constexpr MareVertex kMare15[] = {{-2.7, 1.7}, {-1.3, 1.9}, {-1.0, 3.0}, {-1.4, 4.0},
                                  {-2.6, 3.8}, {-3.2, 3.3}, {-3.4, 2.2}};

constexpr std::span<const MareVertex> kMaria[kMariaCount] = {
    kMare0, kMare1, kMare2,  kMare3,  kMare4,  kMare5,  kMare6,  kMare7,
    kMare8, kMare9, kMare10, kMare11, kMare12, kMare13, kMare14, kMare15};

// Pixel of the centre plus an offset, truncated toward zero.
Point offsetPixel(Point c, double dx, double dy) {
    return {static_cast<int>(c.x + dx), static_cast<int>(c.y + dy)};
}

// ---- Helpers of the draw operations

Colour schemeColour(const DrawContext& ctx, ViewType view, settings::ColorItem item) {
    return toColour(ctx.scheme().color(view, item));
}

// The pattern of an asteroid (an X) or a comet (a cross): nine pixels.
void xMark(Surface& s, Point p, Colour c) {
    s.setPixel(p.x, p.y, c);
    for (int k = 1; k <= 2; ++k) {
        s.setPixel(p.x + k, p.y + k, c);
        s.setPixel(p.x - k, p.y - k, c);
        s.setPixel(p.x + k, p.y - k, c);
        s.setPixel(p.x - k, p.y + k, c);
    }
}

void crossMark(Surface& s, Point p, Colour c) {
    s.setPixel(p.x, p.y, c);
    for (int k = 1; k <= 2; ++k) {
        s.setPixel(p.x + k, p.y, c);
        s.setPixel(p.x - k, p.y, c);
        s.setPixel(p.x, p.y + k, c);
        s.setPixel(p.x, p.y - k, c);
    }
}

// On the page and on the window's chart: the page shows what the window shows.
bool placeOnPage(const DrawContext& ctx, const astro::SkyPoint& p, Point& px) {
    if (!ctx.onChart(p, px))
        return false;
    return !ctx.print() || ctx.chart().IsOnChart(p);
}

// Page pixels per window pixel (1 on the screen).
double pageScale(const DrawContext& ctx) {
    if (const ProjectionParams* page = ctx.printParams()) {
        const int windowCy = ctx.chart().projection().cy;
        if (windowCy > 0)
            return static_cast<double>(page->cy) / windowCy;
    }
    return 1.0;
}

int scaled(int windowPixels, double scale, int least) {
    const double v = windowPixels * scale;
    if (!(v < kMaxDiscRadius))
        return kMaxDiscRadius;
    return std::max(least, static_cast<int>(v));
}

Rect boxAround(Point p, int r) {
    return {p.x - r, p.y - r, p.x + r, p.y + r};
}

// A disc of radius r on paper.
void printDisc(Surface& s, Point p, int r, Colour outline, Colour fill) {
    s.setPen(Pen{PenStyle::Solid, 1, outline});
    s.setBrush(Brush::of(fill));
    s.ellipse({p.x - r, p.y - r, p.x + r + 1, p.y + r + 1});
}

// The lines of an X (diagonals) or a cross (axes) of half-size h on paper.
void printMark(Surface& s, Point p, int h, int width, Colour ink, bool diagonal) {
    s.setPen(Pen{PenStyle::Solid, width, ink});
    if (diagonal) {
        s.line(p.x - h, p.y - h, p.x + h + 1, p.y + h + 1);
        s.line(p.x - h, p.y + h, p.x + h + 1, p.y - h - 1);
    } else {
        s.line(p.x - h, p.y, p.x + h + 1, p.y);
        s.line(p.x, p.y - h, p.x, p.y + h + 1);
    }
}

// The chart's field in degrees as the disc sizes take it; 0 when the zoom leaves the formula
// without meaning.
double discField(double zoom) {
    const double chord = zoom - 0.01;
    if (!(chord > 0.0))
        return 0.0;
    return 2.0 * std::asin(std::min(chord / 2.0, 1.0)) * kDegPerRad;
}

// (half the client height / field) / 1.94, truncated; limited to [least, most].
int discRadius(double zoom, int clientHeight, int least, int most) {
    const double field = discField(zoom);
    if (!(field > 0.0))
        return least;
    const double r = (static_cast<double>(clientHeight / 2) / field) / 1.94;
    if (!(r < most))
        return most;
    return std::max(least, static_cast<int>(r));
}

} // namespace

// ---- Glyph pieces

void DrawDoubleDisc(Surface& s, Point p, int radius, const DiscColours& colours) {
    s.setPen(Pen{PenStyle::Solid, 1, colours.outline});
    s.setBrush(Brush::of(colours.outerFill));
    s.ellipse(boxAround(p, radius));
    s.setPen(Pen{PenStyle::Solid, 1, colours.outerFill});
    s.setBrush(Brush::of(colours.innerFill));
    s.ellipse(boxAround(p, radius - 1));
}

void DrawGlow(Surface& s, Point p, const GlowColours& c) {
    s.setPixel(p.x, p.y, c[0]);
    s.setPixel(p.x + 1, p.y, c[1]);
    s.setPixel(p.x - 1, p.y, c[1]);
    s.setPixel(p.x, p.y + 1, c[1]);
    s.setPixel(p.x, p.y - 1, c[1]);
    s.setPixel(p.x + 1, p.y + 1, c[2]);
    s.setPixel(p.x - 1, p.y - 1, c[2]);
    s.setPixel(p.x + 1, p.y - 1, c[2]);
    s.setPixel(p.x - 1, p.y + 1, c[2]);
    s.setPixel(p.x + 2, p.y, c[2]);
    s.setPixel(p.x - 2, p.y, c[2]);
    s.setPixel(p.x, p.y + 2, c[2]);
    s.setPixel(p.x, p.y - 2, c[2]);
    s.setPixel(p.x + 3, p.y, c[3]);
    s.setPixel(p.x - 3, p.y, c[3]);
    s.setPixel(p.x, p.y + 3, c[3]);
    s.setPixel(p.x, p.y - 3, c[3]);
}

void DrawCircle(Surface& s, Point p, Colour colour) {
    s.setPen(Pen{PenStyle::Solid, 1, colour});
    s.setBrush(Brush::none());
    s.setTransparentBackground(true);
    s.ellipse(boxAround(p, 4));
}

int SunDiscRadius(double zoom, int clientHeight) {
    return discRadius(zoom, clientHeight, kMinSunRadius, kMaxDiscRadius);
}

int MoonDiscRadius(double zoom, int clientHeight) {
    return discRadius(zoom, clientHeight, kMinMoonRadius, kMaxMoonRadius);
}

std::span<const std::span<const MareVertex>> MariaOutlines() {
    return kMaria;
}

std::vector<Point> MarePolygon(std::size_t i, Point c, int r) {
    std::vector<Point> points;
    if (i >= kMariaCount)
        return points;
    const double unit = r / 8.0;
    points.reserve(kMaria[i].size());
    for (const MareVertex& v : kMaria[i])
        points.push_back(offsetPixel(c, v.a * unit, v.b * unit));
    return points;
}

std::vector<Point> MoonShadowPolygon(Point c, int r, int phase, double days) {
    std::vector<Point> points;
    if (phase < 0 || phase > 3)
        return points;
    if (!std::isfinite(days))
        days = 0.0;
    const double R = r + 1;
    const double a = std::abs(days) * 13.0 / 57.3;
    const bool after = days > 0.0;
    int side = 1;
    int terminator = 1;
    double halfWidth = 0.0;
    switch (phase) {
    case 0: // Full Moon
        side = after ? 1 : -1;
        terminator = side;
        halfWidth = R * std::sin(1.57 - a);
        break;
    case 1: // Third Quarter
        side = 1;
        terminator = after ? -side : side;
        halfWidth = R * std::sin(a);
        break;
    case 2: // New Moon
        side = after ? -1 : 1;
        terminator = -side;
        halfWidth = R * std::sin(1.57 - a);
        break;
    default: // First Quarter
        side = -1;
        terminator = after ? side : -side;
        halfWidth = R * std::sin(a);
        break;
    }

    static constexpr double kDegrees[14] = {0,  13,  26,  39,  52,  65,  78,
                                            90, 103, 116, 129, 142, 155, 168};
    double theta[15];
    for (int i = 0; i < 14; ++i)
        theta[i] = kDegrees[i] / 57.3;
    theta[14] = 3.14;

    points.reserve(30);
    for (int i = 0; i < 15; ++i)
        points.push_back(offsetPixel(c, side * R * std::sin(theta[i]), -R * std::cos(theta[i])));
    for (int i = 15; i < 30; ++i)
        points.push_back(offsetPixel(c, terminator * halfWidth * std::sin(theta[i - 15]),
                                     -R * std::cos(theta[29 - i])));
    return points;
}

void DrawMoonPhase(Surface& s, Point c, int r, int phase, double days, const MoonColours& colours) {
    s.setPen(Pen{PenStyle::Solid, 1, colours.disc});
    s.setBrush(Brush::of(colours.disc));
    s.ellipse(boxAround(c, r));

    // The maria are filled without an outline, so that they keep their shapes on a small disc.
    s.setPen(Pen{PenStyle::Null, 1, colours.maria});
    s.setBrush(Brush::of(colours.maria));
    for (std::size_t i = 0; i < kMariaCount; ++i)
        s.polygon(MarePolygon(i, c, r));

    const std::vector<Point> shadow = MoonShadowPolygon(c, r, phase, days);
    if (shadow.empty())
        return;
    s.setPen(Pen{PenStyle::Solid, 1, colours.shadow});
    s.setBrush(Brush::of(colours.shadow));
    s.polygon(shadow);
}

// ---- Draw operations

void DrawBodyGlyph(DrawContext& ctx, const astro::SolarSystemBody& body, ViewType view) {
    Point p;
    if (!ctx.onChart(body, p))
        return;
    Surface& s = ctx.surface();
    const int kind = body.GetType();
    if (const int i = discPlanetIndex(kind); i >= 0) {
        if (view == ViewType::True)
            DrawGlow(s, p, kGlow[i]);
        else
            DrawDoubleDisc(s, p, 5, planetDisc(i, view));
        return;
    }
    if (const int i = ringPlanetIndex(kind); i >= 0) {
        DrawCircle(s, p, ringColour(i, view));
        return;
    }
    const SkyChart& chart = ctx.chart();
    switch (kind) {
    case astro::KindSun:
        DrawDoubleDisc(s, p, SunDiscRadius(chart.zoom(), chart.clientHeight()),
                       kSunDisc[viewIndex(view)]);
        break;
    case astro::KindMoon:
        DrawMoonPhase(s, p, MoonDiscRadius(chart.zoom(), chart.clientHeight()),
                      body.results.moonPhase, body.results.moonPhaseDays, kMoon[viewIndex(view)]);
        break;
    case astro::KindAsteroid:
        xMark(s, p, schemeColour(ctx, view, settings::ColorItem::AstPoint));
        break;
    case astro::KindComet:
        crossMark(s, p, schemeColour(ctx, view, settings::ColorItem::ComPoint));
        break;
    default:
        break;
    }
}

void PrintBodyGlyph(DrawContext& ctx, const astro::SolarSystemBody& body, bool blackAndWhite) {
    Point p;
    if (!placeOnPage(ctx, body, p))
        return;
    Surface& s = ctx.surface();
    const double scale = pageScale(ctx);
    const Colour black{0, 0, 0};
    const Colour paper{255, 255, 255};
    const int kind = body.GetType();

    if (kind == astro::KindAsteroid || kind == astro::KindComet) {
        const auto item = kind == astro::KindAsteroid ? settings::ColorItem::AstPoint
                                                      : settings::ColorItem::ComPoint;
        const Colour ink = blackAndWhite ? black : schemeColour(ctx, ViewType::Printer, item);
        printMark(s, p, scaled(2, scale, 2), std::max(1, static_cast<int>(scale / 2.0)), ink,
                  kind == astro::KindAsteroid);
        return;
    }
    if (const int i = discPlanetIndex(kind); i >= 0) {
        const DiscColours& c = kStandardDisc[i];
        printDisc(s, p, scaled(5, scale, 2), blackAndWhite ? black : c.outline,
                  blackAndWhite ? paper : c.outerFill);
        return;
    }
    if (const int i = ringPlanetIndex(kind); i >= 0) {
        const int r = scaled(4, scale, 2);
        s.setPen(Pen{PenStyle::Solid, 1, blackAndWhite ? black : kStandardCircle[i]});
        s.setBrush(Brush::none());
        s.setTransparentBackground(true);
        s.ellipse({p.x - r, p.y - r, p.x + r + 1, p.y + r + 1});
        return;
    }
    const SkyChart& chart = ctx.chart();
    if (kind == astro::KindSun) {
        const DiscColours& c = kSunDisc[0];
        printDisc(s, p, scaled(SunDiscRadius(chart.zoom(), chart.clientHeight()), scale, 2),
                  blackAndWhite ? black : c.outline, blackAndWhite ? paper : c.outerFill);
    } else if (kind == astro::KindMoon) {
        const MoonColours& c = kMoon[0];
        printDisc(s, p, scaled(MoonDiscRadius(chart.zoom(), chart.clientHeight()), scale, 2),
                  blackAndWhite ? black : c.shadow, blackAndWhite ? paper : c.disc);
    }
}

void DrawDeepSkyMark(DrawContext& ctx, const astro::SkyPoint& object) {
    Point p;
    if (!ctx.onChart(object, p))
        return;
    const ViewType view = ctx.print() ? ViewType::Printer : ctx.view();
    const Colour c = schemeColour(ctx, view, settings::ColorItem::DSOPoint);
    Surface& s = ctx.surface();
    static constexpr Point kPattern[] = {{0, 0},  {1, 1},   {-1, -1}, {-2, -2}, {-1, 1},
                                         {-2, 0}, {-3, -1}, {2, 0},   {1, -1},  {0, -2}};
    for (const Point d : kPattern)
        s.setPixel(p.x + d.x, p.y + d.y, c);
}

void PrintDeepSkyMark(DrawContext& ctx, const astro::SkyPoint& object, bool blackAndWhite) {
    Point p;
    if (!placeOnPage(ctx, object, p))
        return;
    const Colour ink = blackAndWhite
                           ? Colour{0, 0, 0}
                           : schemeColour(ctx, ViewType::Printer, settings::ColorItem::DSOPoint);
    const int r = scaled(3, pageScale(ctx), 2);
    Surface& s = ctx.surface();
    s.setPen(Pen{PenStyle::Solid, 1, ink});
    s.setBrush(Brush::none());
    s.setTransparentBackground(true);
    s.ellipse({p.x - r, p.y - r, p.x + r + 1, p.y + r + 1});
}

} // namespace chart
