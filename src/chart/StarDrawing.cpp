#include "chart/StarDrawing.h"

#include "chart/BayerLetters.h"
#include "chart/SkyChart.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace chart {

namespace {

std::uint8_t truncatedChannel(double v) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v), 0, 255));
}

Colour scaled(Colour c, double factor) {
    return {truncatedChannel(c.r * factor), truncatedChannel(c.g * factor),
            truncatedChannel(c.b * factor)};
}

Colour divided(Colour c, double divisor) {
    return {truncatedChannel(c.r / divisor), truncatedChannel(c.g / divisor),
            truncatedChannel(c.b / divisor)};
}

constexpr std::array<Colour, StarPalette::kSize> kScreenColours = {{
    {255, 255, 255}, // 0..6: the grey levels of the True View, brightest first
    {213, 213, 213}, {211, 211, 211}, {179, 179, 179}, {138, 138, 138},
    {115, 115, 115}, {93, 93, 93},    {0, 0, 0},       {255, 0, 0},
    {63, 0, 0},      {0, 0, 63},      {65, 65, 65}, // 11: the grey of the faintest True View stars
    {185, 59, 59},                                  // 12: M
    {223, 161, 111},                                // 13: K
    {208, 208, 115},                                // 14: G
    {223, 223, 164},                                // 15: F
    {200, 200, 200},                                // 16: A
    {184, 184, 255},                                // 17: B
    {140, 140, 255},                                // 18: O
    {150, 150, 150},                                // 19: any other letter
    {90, 90, 190},   {124, 42, 42},   {150, 150, 255},
}};

// On white paper the colour classes take stronger colours; the rest is as on the screen.
std::array<Colour, StarPalette::kSize> printColours() {
    std::array<Colour, StarPalette::kSize> c = kScreenColours;
    c[12] = {255, 0, 0};
    c[13] = {255, 128, 0};
    c[14] = {255, 255, 0};
    c[15] = {255, 255, 150};
    c[16] = {210, 210, 210};
    c[17] = {100, 100, 255};
    c[18] = {0, 0, 255};
    return c;
}

bool drawableClass(int colourClass) {
    return colourClass >= 0 && colourClass <= 7;
}

// On chart and the pixel to draw at. On paper the star must also be on the window's chart:
// the page shows what the window shows, and no more where the page has room.
bool placeOnChart(const DrawContext& ctx, const astro::SkyPoint& p, Point& px) {
    if (!ctx.onChart(p, px))
        return false;
    return !ctx.print() || ctx.chart().IsOnChart(p);
}

float magnitudeLimit(const DrawContext& ctx) {
    return static_cast<float>(ctx.chart().magnitudeLimit());
}

// A faint True View star: one pixel of the grey's level with a classColour of the colour class;
// the stars beyond the last breakpoint are tinted a little less.
Colour tinted(std::uint8_t grey, int colourClass, bool faintest) {
    int r = grey;
    int g = grey;
    int b = grey;
    switch (colourClass) {
    case 0:
    case 1:
        r += 10;
        break;
    case 2:
    case 3: {
        const int d = faintest ? 7 : 10;
        r += d;
        g += d;
        break;
    }
    case 4:
        r += 5;
        g += 5;
        b += 5;
        break;
    case 5:
        b += 10;
        break;
    case 6:
        b += faintest ? 12 : 15;
        break;
    default:
        break;
    }
    return {static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>(g & 0xFF),
            static_cast<std::uint8_t>(b & 0xFF)};
}

void cross(Surface& s, Point p, Colour centre, Colour arms) {
    s.setPixel(p.x, p.y, centre);
    s.setPixel(p.x + 1, p.y, arms);
    s.setPixel(p.x - 1, p.y, arms);
    s.setPixel(p.x, p.y + 1, arms);
    s.setPixel(p.x, p.y - 1, arms);
}

Rect box(Point p, int halfSize) {
    return {p.x - halfSize, p.y - halfSize, p.x + halfSize, p.y + halfSize};
}

// The glyphs of the Red and Black&White views: one ink, a ring for a variable star, a bar
// across a double star.
void drawMonochrome(const StarObject& star, DrawContext& ctx, Colour ink) {
    if (!drawableClass(star.colourClass()))
        return;
    Point p;
    if (!ctx.onChart(star, p))
        return;
    Surface& s = ctx.surface();
    const Pen* pen = ctx.objectPen();
    s.setPen(pen ? *pen : Pen{PenStyle::Solid, 1, ink});
    s.setBrush(Brush::of(star.isVariable() ? ctx.background() : ink));

    const int cls = MagnitudeClass(star.GetMagnitude(), magnitudeLimit(ctx));
    if (cls == 1) {
        s.setPixel(p.x, p.y, ink);
        return;
    }
    if (cls == 2) {
        s.setPixel(p.x, p.y, ink);
        s.setPixel(p.x + 1, p.y, ink);
        s.setPixel(p.x, p.y + 1, ink);
        s.setPixel(p.x + 1, p.y + 1, ink);
        return;
    }
    const int half = cls - 1; // classes 3..6: 2..5
    if (star.isDouble()) {
        const int bar = cls + 1; // 4..7
        s.line(p.x - bar, p.y, p.x + bar, p.y);
    }
    s.ellipse(box(p, half));
}

void printDisc(const StarObject& star, DrawContext& ctx, bool blackAndWhite) {
    const int c = star.colourClass();
    if (!drawableClass(c))
        return;
    Point p;
    if (!placeOnChart(ctx, star, p))
        return;
    double pageScale = 1.0;
    if (const ProjectionParams* page = ctx.printParams()) {
        const int windowCy = ctx.chart().projection().cy;
        if (windowCy > 0)
            pageScale = static_cast<double>(page->cy) / windowCy;
    }
    const Colour ink = blackAndWhite ? Colour{0, 0, 0} : printStarPalette().forClass(c).base;
    const int r = PrintStarRadius(star.GetMagnitude(), magnitudeLimit(ctx), pageScale);
    Surface& s = ctx.surface();
    s.setPen(Pen{PenStyle::Solid, 1, ink});
    s.setBrush(Brush::of(ink));
    s.ellipse({p.x - r, p.y - r, p.x + r + 1, p.y + r + 1});
}

std::string formatMagnitude(float m) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(m));
    return buf;
}

std::string formatInt(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", v);
    return buf;
}

} // namespace

StarPalette::StarPalette(const std::array<Colour, kSize>& base) {
    for (std::size_t i = 0; i < kSize; ++i) {
        const Colour c = base[i];
        m_entries[i] = {c, scaled(c, 1.1), divided(c, 2.5), divided(c, 1.5)};
    }
}

const StarPalette& screenStarPalette() {
    static const StarPalette palette(kScreenColours);
    return palette;
}

const StarPalette& printStarPalette() {
    static const StarPalette palette(printColours());
    return palette;
}

int MagnitudeClass(float magnitude, float limit) {
    if (limit > 13.0f)
        limit = 13.0f;
    float step = 1.0f;
    if (limit < 5.5f)
        step = (limit + 0.5f) / 6.0f;
    for (int k = 1; k <= 5; ++k) {
        if (magnitude >= limit - static_cast<float>(k) * step)
            return k;
    }
    return 6;
}

int PrintStarRadius(float magnitude, float limit, double pageScale) {
    // Half the size of each class's screen glyph, in window pixels.
    static constexpr double kRadius[6] = {0.5, 1.0, 2.0, 3.0, 4.0, 5.0};
    const int cls = MagnitudeClass(magnitude, limit);
    const int r = static_cast<int>(kRadius[cls - 1] * pageScale);
    return std::max(1, r);
}

void StarObject::DrawStandardView(DrawContext& ctx) {
    const int c = colourClass();
    if (!drawableClass(c))
        return;
    Point p;
    if (!ctx.onChart(*this, p))
        return;
    const PaletteEntry& classColour = ctx.palette().forClass(c);
    Surface& s = ctx.surface();
    s.setBrush(Brush::of(classColour.base));
    s.setPen(Pen{PenStyle::Solid, 1, classColour.dim});

    switch (MagnitudeClass(GetMagnitude(), magnitudeLimit(ctx))) {
    case 1:
        s.setPixel(p.x, p.y, classColour.half);
        break;
    case 2:
        cross(s, p, classColour.base, classColour.dim);
        break;
    case 3:
        s.ellipse(box(p, 2));
        s.setPixel(p.x, p.y, classColour.bright);
        break;
    case 4:
        s.ellipse(box(p, 3));
        s.setPixel(p.x + 1, p.y + 1, classColour.dim);
        s.setPixel(p.x + 1, p.y - 2, classColour.dim);
        s.setPixel(p.x - 2, p.y - 2, classColour.dim);
        s.setPixel(p.x - 2, p.y + 1, classColour.dim);
        s.setPixel(p.x, p.y, classColour.bright);
        break;
    case 5:
        s.ellipse(box(p, 4));
        s.setBrush(Brush::of(classColour.bright));
        s.setPen(Pen{PenStyle::Solid, 1, classColour.base});
        s.ellipse(box(p, 2));
        break;
    default:
        s.ellipse(box(p, 5));
        s.setBrush(Brush::of(classColour.bright));
        s.setPen(Pen{PenStyle::Solid, 1, classColour.base});
        s.ellipse(box(p, 3));
        break;
    }
}

void StarObject::DrawTrueView(DrawContext& ctx) {
    const int c = colourClass();
    if (!drawableClass(c))
        return;
    Point p;
    if (!ctx.onChart(*this, p))
        return;
    const StarPalette& palette = ctx.palette();
    const PaletteEntry& classColour = palette.forClass(c);
    const StarBreakpoints& t = ctx.chart().starBreakpoints();
    const float m = GetMagnitude();
    Surface& s = ctx.surface();

    if (m <= t[0])
        cross(s, p, palette[0].base, classColour.half);
    else if (m <= t[1])
        cross(s, p, palette[1].base, classColour.half);
    else if (m <= t[2])
        cross(s, p, palette[2].base, classColour.dim);
    else if (m <= t[3])
        cross(s, p, palette[3].base, classColour.dim);
    else if (m <= t[4])
        cross(s, p, palette[4].base, classColour.dim);
    else if (m <= t[5])
        s.setPixel(p.x, p.y, tinted(palette[5].base.r, c, false));
    else if (m <= t[6])
        s.setPixel(p.x, p.y, tinted(palette[6].base.r, c, false));
    else
        s.setPixel(p.x, p.y, tinted(palette[11].base.r, c, true));
}

void StarObject::DrawRedView(DrawContext& ctx) {
    drawMonochrome(*this, ctx, {255, 0, 0});
}

void StarObject::DrawBlackWhiteView(DrawContext& ctx) {
    drawMonochrome(*this, ctx, {0, 0, 0});
}

void StarObject::PrintBlackWhite(DrawContext& ctx) {
    printDisc(*this, ctx, true);
}

void StarObject::PrintColour(DrawContext& ctx) {
    printDisc(*this, ctx, false);
}

void DrawStarLabels(DrawContext& ctx, const DrawList& list, FaintStarSource* faintStars) {
    const SkyChart& chart = ctx.chart();
    const ChartSettings& options = chart.settings;
    if (!options.starLabels)
        return;
    int presentation = options.starLabelKind;
    if (presentation < 1 || presentation > 4)
        presentation = 1; // as the label font takes it
    ctx.SelectElement(settings::ChartElement::StarLabels, {false, presentation});

    Surface& surface = ctx.surface();
    const float labelLimit = static_cast<float>(options.labelMagnitudeLimit);

    // The Bayer index is written in the letter's face at a smaller height.
    Font letterFont;
    Font indexFont;
    if (presentation == 2) {
        const settings::ViewType schemeView =
            ctx.print() ? settings::ViewType::Printer : ctx.view();
        const settings::ElementStyle style = settings::elementStyle(
            ctx.scheme(), schemeView, settings::ChartElement::StarLabels, {false, presentation});
        if (style.font)
            letterFont = toFont(*style.font);
        indexFont = letterFont;
        indexFont.height = static_cast<int>(letterFont.height / 1.4);
    }

    const auto anchor = [&ctx](const astro::SkyPoint& p, Point& px) {
        return placeOnChart(ctx, p, px) && (!ctx.onlyVisiblePart() || ctx.aboveHorizon(p));
    };

    // Only stars are labelled here, each at its own pixel on the chart.
    const SkyChart::ViewCone cone = ctx.print() ? SkyChart::ViewCone{} : chart.WindowCone();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const DrawList::Direction& d = list.direction(i);
        const int kind = d.kind;
        if (kind != astro::KindNamedStar && !(presentation == 4 && kind == astro::KindCatalogStar))
            continue;
        if (cone.excludes(d.x, d.y, d.z))
            continue;
        astro::SkyPoint* object = list[i];
        if (object->GetMagnitude() > labelLimit)
            continue;
        Point px;
        if (!anchor(*object, px))
            continue;
        if (presentation == 4) {
            surface.text(px.x, px.y, formatMagnitude(object->GetMagnitude()));
            continue;
        }
        const auto* star = dynamic_cast<const StarObject*>(object);
        if (!star)
            continue;
        const StarLabelInfo info = star->labelInfo();
        if (presentation == 1) {
            if (!info.properName.empty())
                surface.text(px.x, px.y, info.properName);
        } else if (presentation == 2) {
            const std::string_view letter = BayerLetterUtf8(info.bayerCode);
            if (letter.empty())
                continue;
            surface.text(px.x, px.y, letter);
            if (info.bayerIndex != 0) {
                const Size extent = surface.textExtent(letter);
                surface.setFont(indexFont);
                surface.text(px.x + extent.width, px.y + extent.height / 2,
                             formatInt(info.bayerIndex));
                surface.setFont(letterFont);
            }
        } else if (info.flamsteed != 0) {
            surface.text(px.x, px.y, formatInt(info.flamsteed));
        }
    }

    // The faint stars as the object layer loaded and drew them.
    if (presentation != 4 || !faintStars || !faintStars->available())
        return;
    const double limit = chart.magnitudeLimit();
    if (limit <= kFaintStarLimit)
        return;
    for (std::size_t slot = 0; slot < faintStars->slotCount(); ++slot) {
        const std::size_t n = faintStars->starCount(slot);
        for (std::size_t i = 0; i < n; ++i) {
            const astro::SkyPoint* star = faintStars->star(slot, i);
            if (cone.excludes(*star))
                continue;
            const float m = star->GetMagnitude();
            if (m > limit || m > labelLimit)
                continue;
            Point px;
            if (anchor(*star, px))
                surface.text(px.x, px.y, formatMagnitude(m));
        }
    }
}

} // namespace chart
