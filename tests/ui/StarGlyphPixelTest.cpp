// The star glyphs as they come out in pixels, through the painter surface.

#include "chart/ChartRenderer.h"
#include "chart/SkyChart.h"
#include "chart/StarDrawing.h"
#include "ui/PainterSurface.h"

#include "chart/ChartTestUtil.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

using chart::Colour;
using settings::ViewType;

using PixelMap = std::map<std::pair<int, int>, Colour>;

class GlyphStar : public chart::StarObject {
public:
    GlyphStar(const astro::SkyPoint& at, float mag, int cls)
        : StarObject(at.x(), at.y(), at.z()), magnitude(mag), colour(cls) {}
    int GetType() const override { return astro::KindCatalogStar; }
    float GetMagnitude() const override { return magnitude; }
    int colourClass() const override { return colour; }
    bool isVariable() const override { return variable; }
    bool isDouble() const override { return isDoubleStar; }

    float magnitude;
    int colour;
    bool variable = false;
    bool isDoubleStar = false;
};

struct Extent {
    int left, top, right, bottom; // inclusive
    bool operator==(const Extent&) const = default;
};

class StarGlyphPixels : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override {
        testutil::setUpChart(chart, kWidth, kHeight);
        chart.settings.autoMagnitudeLimit = 0;
        chart.settings.magnitudeLimit = 6.0;
        chart.SetView(0.7f, chart.target());
        const chart::ScreenPoint p = chart.Project(chart.target());
        x = p.x;
        y = p.y;
    }

    static Colour backgroundOf(ViewType view) {
        return view == ViewType::BlackWhite ? Colour{235, 235, 235} : Colour{0, 0, 0};
    }

    // Draws the star on the view's background and returns every pixel that changed.
    PixelMap render(chart::StarObject& star, ViewType view) {
        const Colour bg = backgroundOf(view);
        image = QImage(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(QColor(bg.r, bg.g, bg.b));
        {
            ui::PainterSurface surface(image);
            chart::DrawContext ctx(surface, chart, view, scheme);
            ctx.SelectElement(settings::ChartElement::SkyObjects);
            chart::DrawObject(ctx, star);
        }
        PixelMap painted;
        for (int py = 0; py < kHeight; ++py) {
            for (int px = 0; px < kWidth; ++px) {
                const Colour c = at(px, py);
                if (c != bg)
                    painted[{px, py}] = c;
            }
        }
        return painted;
    }

    Colour at(int px, int py) const {
        const QRgb v = image.pixel(px, py);
        return {static_cast<std::uint8_t>(qRed(v)), static_cast<std::uint8_t>(qGreen(v)),
                static_cast<std::uint8_t>(qBlue(v))};
    }

    static Extent extentOf(const PixelMap& pixels) {
        Extent e{1000, 1000, -1, -1};
        for (const auto& [p, c] : pixels) {
            e.left = std::min(e.left, p.first);
            e.top = std::min(e.top, p.second);
            e.right = std::max(e.right, p.first);
            e.bottom = std::max(e.bottom, p.second);
        }
        return e;
    }

    // A disc of half-size k around the star lies in its box, the pixels x - k .. x + k - 1,
    // and reaches its left and top edges; the painter may leave out the last column and
    // row of an even-sized box.
    ::testing::AssertionResult isDisc(const PixelMap& pixels, int k) const {
        const Extent e = extentOf(pixels);
        const bool ok = e.left == x - k && e.top == y - k &&
                        (e.right == x + k - 1 || e.right == x + k - 2) &&
                        (e.bottom == y + k - 1 || e.bottom == y + k - 2);
        if (ok)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "extent " << e.left - x << ".." << e.right - x << " x " << e.top - y << ".."
               << e.bottom - y << " for half-size " << k;
    }
    Extent disc(int k) const { return {x - k, y - k, x + k - 1, y + k - 1}; }

    chart::SkyChart chart;
    settings::ColorScheme scheme;
    QImage image;
    int x = 0;
    int y = 0;
};

// Magnitudes of the classes 1..6 at limit 6.
constexpr float kClassMagnitude[7] = {0.0f, 5.5f, 4.5f, 3.5f, 2.5f, 1.5f, 0.5f};

} // namespace

TEST_F(StarGlyphPixels, StandardViewGlyphOfEachClass) {
    const chart::PaletteEntry& k = chart::screenStarPalette().forClass(1);
    GlyphStar star(chart.target(), kClassMagnitude[1], 1);

    PixelMap p = render(star, ViewType::Standard);
    EXPECT_EQ(p, (PixelMap{{{x, y}, k.half}}));

    star.magnitude = kClassMagnitude[2];
    p = render(star, ViewType::Standard);
    EXPECT_EQ(p, (PixelMap{{{x, y}, k.base},
                           {{x + 1, y}, k.dim},
                           {{x - 1, y}, k.dim},
                           {{x, y + 1}, k.dim},
                           {{x, y - 1}, k.dim}}));

    star.magnitude = kClassMagnitude[3];
    p = render(star, ViewType::Standard);
    EXPECT_TRUE(isDisc(p, 2));
    EXPECT_EQ(at(x, y), k.bright);
    EXPECT_EQ(at(x - 2, y), k.dim); // the outline

    star.magnitude = kClassMagnitude[4];
    p = render(star, ViewType::Standard);
    EXPECT_TRUE(isDisc(p, 3));
    EXPECT_EQ(at(x, y), k.bright);
    for (const auto& [dx, dy] : {std::pair{1, 1}, {1, -2}, {-2, -2}, {-2, 1}})
        EXPECT_EQ(at(x + dx, y + dy), k.dim) << dx << " " << dy;
    EXPECT_EQ(at(x - 1, y), k.base); // the fill
    EXPECT_EQ(at(x - 3, y), k.dim);

    // A core in the bright brush inside a base-colour outline, within the dim-edged disc.
    for (int cls : {5, 6}) {
        star.magnitude = kClassMagnitude[cls];
        p = render(star, ViewType::Standard);
        const int outer = cls - 1;
        const int inner = cls - 3;
        EXPECT_TRUE(isDisc(p, outer)) << cls;
        EXPECT_EQ(at(x - outer, y), k.dim);
        EXPECT_EQ(at(x - outer + 1, y), k.base); // the outer disc's fill
        EXPECT_EQ(at(x - inner, y), k.base);     // the core's outline
        PixelMap core;
        for (const auto& [pos, c] : p)
            if (c == k.bright)
                core[pos] = c;
        if (cls == 6) {
            EXPECT_EQ(at(x, y), k.bright);
            EXPECT_FALSE(core.empty());
        }
        if (!core.empty()) {
            const Extent e = extentOf(core);
            const Extent box = disc(inner);
            EXPECT_GE(e.left, box.left);
            EXPECT_LE(e.right, box.right);
        }
    }
}

TEST_F(StarGlyphPixels, RedAndBlackWhiteViewGlyphOfEachClass) {
    for (const auto& [view, ink] : {std::pair{ViewType::Red, Colour{255, 0, 0}},
                                    std::pair{ViewType::BlackWhite, Colour{0, 0, 0}}}) {
        GlyphStar star(chart.target(), kClassMagnitude[1], 4);
        EXPECT_EQ(render(star, view), (PixelMap{{{x, y}, ink}}));
        star.magnitude = kClassMagnitude[2];
        EXPECT_EQ(
            render(star, view),
            (PixelMap{{{x, y}, ink}, {{x + 1, y}, ink}, {{x, y + 1}, ink}, {{x + 1, y + 1}, ink}}));
        for (int cls = 3; cls <= 6; ++cls) {
            star.magnitude = kClassMagnitude[cls];
            const PixelMap p = render(star, view);
            EXPECT_TRUE(isDisc(p, cls - 1)) << cls;
            for (const auto& [pos, c] : p)
                EXPECT_EQ(c, ink);
            EXPECT_EQ(at(x, y), ink); // a filled disc
        }
    }
}

TEST_F(StarGlyphPixels, VariableDoubleStarIsARingCrossedByABar) {
    for (const auto& [view, ink] : {std::pair{ViewType::Red, Colour{255, 0, 0}},
                                    std::pair{ViewType::BlackWhite, Colour{0, 0, 0}}}) {
        const Colour bg = backgroundOf(view);
        GlyphStar star(chart.target(), kClassMagnitude[6], 2);
        star.variable = true;
        star.isDoubleStar = true;
        render(star, view);
        // The ring: background inside, ink on the circle.
        EXPECT_EQ(at(x, y), bg);
        EXPECT_EQ(at(x - 2, y), bg); // the bar does not show inside the ring
        EXPECT_EQ(at(x - 5, y), ink);
        EXPECT_EQ(at(x + 2, y), bg);
        EXPECT_EQ(at(x, y - 5), ink);
        EXPECT_EQ(at(x, y + 2), bg);
        // The ring closes on the right and at the bottom too.
        EXPECT_TRUE(at(x + 3, y) == ink || at(x + 4, y) == ink);
        EXPECT_TRUE(at(x, y + 3) == ink || at(x, y + 4) == ink);
        // The bar beyond the ring, from x - 7 up to but not including x + 7, one pixel high.
        for (int bx : {x - 7, x - 6, x + 5, x + 6})
            EXPECT_EQ(at(bx, y), ink) << bx;
        EXPECT_EQ(at(x + 7, y), bg);
        EXPECT_EQ(at(x - 8, y), bg);
        EXPECT_EQ(at(x - 7, y - 1), bg);
        EXPECT_EQ(at(x - 7, y + 1), bg);

        // Not variable: the disc is filled; not double: no bar.
        star.variable = false;
        render(star, view);
        EXPECT_EQ(at(x, y), ink);
        star.isDoubleStar = false;
        const PixelMap p = render(star, view);
        EXPECT_TRUE(isDisc(p, 5));
    }
}

TEST_F(StarGlyphPixels, TrueViewGlyphChangesAtEachBreakpoint) {
    const chart::StarPalette& pal = chart::screenStarPalette();
    const chart::StarBreakpoints& t = chart.starBreakpoints();
    const chart::PaletteEntry& a = pal.forClass(4);
    // Centre colour and arms of the bands, brightest first; class 4 tints its faint
    // pixels 5 brighter.
    const Colour centres[8] = {pal[0].base, pal[1].base,     pal[2].base,  pal[3].base,
                               pal[4].base, {120, 120, 120}, {98, 98, 98}, {70, 70, 70}};
    const Colour arms[5] = {a.half, a.half, a.dim, a.dim, a.dim};
    for (std::size_t k = 0; k < 7; ++k) {
        for (std::size_t side = 0; side < 2; ++side) {
            const float m = side == 0 ? t[k] : std::nextafter(t[k], 99.0f);
            const std::size_t band = k + side;
            GlyphStar star(chart.target(), m, 4);
            const PixelMap p = render(star, ViewType::True);
            EXPECT_EQ(at(x, y), centres[band]) << k << " " << side;
            if (band < 5) {
                EXPECT_EQ(p, (PixelMap{{{x, y}, centres[band]},
                                       {{x + 1, y}, arms[band]},
                                       {{x - 1, y}, arms[band]},
                                       {{x, y + 1}, arms[band]},
                                       {{x, y - 1}, arms[band]}}))
                    << k << " " << side;
            } else {
                EXPECT_EQ(p.size(), 1u) << k << " " << side;
            }
        }
    }
}

TEST_F(StarGlyphPixels, ClassSevenIsGreyAndAboveSevenIsNotDrawn) {
    GlyphStar grey(chart.target(), kClassMagnitude[4], 7);
    const PixelMap p = render(grey, ViewType::Standard);
    EXPECT_TRUE(isDisc(p, 3));
    for (const auto& [pos, c] : p)
        EXPECT_TRUE(c.r == c.g && c.g == c.b) << pos.first << "," << pos.second;
    EXPECT_EQ(at(x, y), (Colour{165, 165, 165}));
    EXPECT_EQ(at(x - 1, y), (Colour{150, 150, 150}));
    grey.magnitude = 3.5f; // between the sixth and seventh breakpoints here
    render(grey, ViewType::True);
    EXPECT_EQ(at(x, y), (Colour{115, 115, 115}));

    for (int cls : {8, 200}) {
        GlyphStar corrupt(chart.target(), kClassMagnitude[6], cls);
        for (ViewType view :
             {ViewType::Standard, ViewType::True, ViewType::Red, ViewType::BlackWhite})
            EXPECT_TRUE(render(corrupt, view).empty()) << cls;
    }
}
