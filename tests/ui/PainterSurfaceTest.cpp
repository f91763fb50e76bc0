#include "ui/PainterSurface.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <utility>

namespace {

using chart::Colour;

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kGreen{0, 255, 0};

using PixelSet = std::set<std::pair<int, int>>;

QImage blank(int w, int h, Colour c = kWhite) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(c.r, c.g, c.b));
    return img;
}

bool isColour(const QImage& img, int x, int y, Colour c) {
    return img.pixel(x, y) == qRgb(c.r, c.g, c.b);
}

PixelSet pixelsOf(const QImage& img, Colour c) {
    PixelSet out;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (isColour(img, x, y, c)) {
                out.insert({x, y});
            }
        }
    }
    return out;
}

chart::Font pixelFont(int height, const char* face = "Arial") {
    chart::Font f;
    f.height = height;
    f.faceName = face;
    return f;
}

// --- Lines -------------------------------------------------------------------------------

TEST(PainterSurfaceLines, OnePixelLinesSetExactlyTheirPixelsAndLeaveOutTheLastPoint) {
    QImage img = blank(24, 24);
    {
        ui::PainterSurface s(img);
        s.setPen({chart::PenStyle::Solid, 1, kBlack});
        s.line(2, 3, 12, 3);   // horizontal
        s.line(20, 2, 20, 10); // vertical
        s.line(2, 8, 12, 18);  // diagonal
    }
    PixelSet expected;
    for (int i = 0; i < 10; ++i) {
        expected.insert({2 + i, 3});
        expected.insert({2 + i, 8 + i});
    }
    for (int y = 2; y < 10; ++y) {
        expected.insert({20, y});
    }
    EXPECT_EQ(pixelsOf(img, kBlack), expected);
    // Nothing else changed: every other pixel is still white, no grey from antialiasing.
    EXPECT_EQ(pixelsOf(img, kWhite).size(), 24u * 24u - expected.size());
}

TEST(PainterSurfaceLines, PolylineJoinsItsSegmentsWithoutTheFinalPoint) {
    QImage img = blank(16, 16);
    {
        ui::PainterSurface s(img);
        s.setPen({chart::PenStyle::Solid, 0, kRed});
        s.polyline({{2, 2}, {10, 2}, {10, 8}});
        s.polyline({{1, 14}}); // a single point draws nothing
    }
    PixelSet expected;
    for (int x = 2; x <= 10; ++x) {
        expected.insert({x, 2});
    }
    for (int y = 3; y < 8; ++y) {
        expected.insert({10, y});
    }
    EXPECT_EQ(pixelsOf(img, kRed), expected);
}

TEST(PainterSurfaceLines, DashesDotsWidthAndNullPen) {
    QImage img = blank(80, 20);
    {
        ui::PainterSurface s(img);
        s.setPen({chart::PenStyle::Dash, 1, kBlack});
        s.line(0, 2, 72, 2);
        s.setPen({chart::PenStyle::Dot, 1, kBlack});
        s.line(0, 5, 72, 5);
        s.setPen({chart::PenStyle::Solid, 3, kBlack});
        s.line(10, 12, 60, 12);
        s.setPen({chart::PenStyle::Null, 1, kBlack});
        s.line(0, 18, 72, 18);
    }
    int dash = 0;
    int dot = 0;
    for (int x = 0; x < 80; ++x) {
        dash += isColour(img, x, 2, kBlack) ? 1 : 0;
        dot += isColour(img, x, 5, kBlack) ? 1 : 0;
        EXPECT_TRUE(isColour(img, x, 18, kWhite)) << x;
    }
    // Dashes cover three quarters of the line, dots half of it.
    EXPECT_NEAR(dash, 54, 6);
    EXPECT_NEAR(dot, 36, 6);
    for (int y = 11; y <= 13; ++y) {
        EXPECT_TRUE(isColour(img, 35, y, kBlack)) << y;
    }
    EXPECT_TRUE(isColour(img, 35, 9, kWhite));
    EXPECT_TRUE(isColour(img, 35, 15, kWhite));
}

// --- Shapes ------------------------------------------------------------------------------

TEST(PainterSurfaceShapes, FilledEllipseHasTheAreaOfItsBoxAndStaysInside) {
    QImage img = blank(40, 40);
    const chart::Rect box{5, 7, 25, 27}; // 20 x 20
    {
        ui::PainterSurface s(img);
        s.setPen({chart::PenStyle::Null, 1, kBlack});
        s.setBrush(chart::Brush::of(kBlue));
        s.ellipse(box);
    }
    const PixelSet blue = pixelsOf(img, kBlue);
    for (const auto& [x, y] : blue) {
        EXPECT_TRUE(box.contains(x, y)) << x << "," << y;
    }
    const double r = box.width() / 2.0;
    EXPECT_GT(static_cast<double>(blue.size()), std::numbers::pi * (r - 1) * (r - 1));
    EXPECT_LE(static_cast<double>(blue.size()), std::numbers::pi * r * r);
    EXPECT_TRUE(blue.contains({15, 17}));  // centre
    EXPECT_FALSE(blue.contains({5, 7}));   // corners of the box
    EXPECT_FALSE(blue.contains({24, 26})); // are outside the ellipse
    // Only blue and white: the edge is not blended.
    EXPECT_EQ(blue.size() + pixelsOf(img, kWhite).size(), 40u * 40u);
}

TEST(PainterSurfaceShapes, OutlinedEllipseTouchesEveryEdgeOfItsBox) {
    QImage img = blank(30, 30);
    const chart::Rect box{4, 6, 15, 13}; // 11 x 7
    {
        ui::PainterSurface s(img);
        s.setPen({chart::PenStyle::Solid, 1, kBlack});
        s.setBrush(chart::Brush::of(kRed));
        s.ellipse(box);
    }
    const PixelSet outline = pixelsOf(img, kBlack);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto& [x, y] : outline) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, box.left);
    EXPECT_EQ(maxX, box.right - 1);
    EXPECT_EQ(minY, box.top);
    EXPECT_EQ(maxY, box.bottom - 1);
    EXPECT_TRUE(isColour(img, 9, 9, kRed)); // filled inside
}

TEST(PainterSurfaceShapes, PolygonUsesAlternateFill) {
    QImage img = blank(40, 40);
    {
        ui::PainterSurface s(img);
        s.setPen({chart::PenStyle::Null, 1, kBlack});
        s.setBrush(chart::Brush::of(kGreen));
        // A square with a square hole, traced as one outline through a bridge.
        s.polygon({{2, 2},
                   {22, 2},
                   {22, 22},
                   {2, 22},
                   {2, 2},
                   {8, 8},
                   {16, 8},
                   {16, 16},
                   {8, 16},
                   {8, 8}});
    }
    EXPECT_TRUE(isColour(img, 12, 12, kWhite)); // the hole
    EXPECT_TRUE(isColour(img, 5, 12, kGreen));  // the ring
    EXPECT_TRUE(isColour(img, 19, 12, kGreen));
    EXPECT_TRUE(isColour(img, 12, 19, kGreen));
    EXPECT_TRUE(isColour(img, 30, 30, kWhite)); // outside

    // A pentagram: under the alternate rule its central pentagon is not filled, its
    // points are.
    QImage star = blank(60, 60);
    {
        ui::PainterSurface s(star);
        s.setPen({chart::PenStyle::Null, 1, kBlack});
        s.setBrush(chart::Brush::of(kGreen));
        std::vector<chart::Point> pts;
        for (int k = 0; k < 5; ++k) {
            const double a = -std::numbers::pi / 2 + k * 4 * std::numbers::pi / 5;
            pts.push_back({static_cast<int>(std::lround(30 + 25 * std::cos(a))),
                           static_cast<int>(std::lround(30 + 25 * std::sin(a)))});
        }
        s.polygon(pts);
    }
    EXPECT_TRUE(isColour(star, 30, 31, kWhite));
    EXPECT_TRUE(isColour(star, 30, 10, kGreen)); // inside the top point
}

TEST(PainterSurfaceShapes, ClipLimitsEveryOperationUntilCleared) {
    QImage img = blank(20, 20);
    {
        ui::PainterSurface s(img);
        s.setClip({5, 6, 10, 9});
        s.fillRect({0, 0, 20, 20}, kBlue);
        s.setPixel(1, 1, kRed); // outside the clip
        s.setPixel(7, 7, kRed); // inside
        s.setPen({chart::PenStyle::Solid, 1, kBlack});
        s.line(0, 15, 20, 15);
        s.clearClip();
        s.setPixel(0, 19, kGreen);
    }
    PixelSet clipped;
    for (int y = 6; y < 9; ++y) {
        for (int x = 5; x < 10; ++x) {
            clipped.insert({x, y});
        }
    }
    clipped.erase({7, 7});
    EXPECT_EQ(pixelsOf(img, kBlue), clipped);
    EXPECT_EQ(pixelsOf(img, kRed), (PixelSet{{7, 7}}));
    EXPECT_TRUE(pixelsOf(img, kBlack).empty());
    EXPECT_TRUE(isColour(img, 0, 19, kGreen));
}

// --- Text --------------------------------------------------------------------------------

TEST(PainterSurfaceText, TransparentTextUsesOnlyTheTextColourInsideItsCell) {
    QImage img = blank(80, 40, kBlue);
    chart::Size extent;
    {
        ui::PainterSurface s(img);
        s.setFont(pixelFont(-12));
        s.setTextColour(kRed);
        s.setTransparentBackground(true);
        s.setTextAlign(chart::kLeftTop);
        s.text(10, 8, "Hg");
        extent = s.textExtent("Hg");
    }
    const PixelSet red = pixelsOf(img, kRed);
    EXPECT_GT(red.size(), 10u);
    // No antialiasing and no background: every pixel is red or the untouched blue.
    EXPECT_EQ(red.size() + pixelsOf(img, kBlue).size(), 80u * 40u);
    for (const auto& [x, y] : red) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + extent.width);
        EXPECT_GE(y, 8);
        EXPECT_LT(y, 8 + extent.height);
    }
}

TEST(PainterSurfaceText, OpaqueTextPaintsItsCellInTheBackgroundColour) {
    QImage img = blank(80, 40, kBlue);
    chart::Size extent;
    {
        ui::PainterSurface s(img);
        s.setFont(pixelFont(-12));
        s.setTextColour(kRed);
        s.setBackgroundColour(kGreen);
        s.setTransparentBackground(false);
        s.text(10, 8, "Hg");
        extent = s.textExtent("Hg");
    }
    for (int y = 8; y < 8 + extent.height; ++y) {
        for (int x = 10; x < 10 + extent.width; ++x) {
            EXPECT_TRUE(isColour(img, x, y, kRed) || isColour(img, x, y, kGreen)) << x << "," << y;
        }
    }
    EXPECT_TRUE(isColour(img, 9, 8, kBlue));
    EXPECT_TRUE(isColour(img, 10, 7, kBlue));
}

TEST(PainterSurfaceText, AlignmentPlacesTheAnchor) {
    auto redBounds = [](chart::TextAlign align) {
        QImage img = blank(100, 60);
        {
            ui::PainterSurface s(img);
            s.setFont(pixelFont(-16));
            s.setTextColour(kRed);
            s.setTransparentBackground(true);
            s.setTextAlign(align);
            s.text(50, 30, "H");
        }
        chart::Rect b{1000, 1000, -1, -1};
        for (const auto& [x, y] : pixelsOf(img, kRed)) {
            b.left = std::min(b.left, x);
            b.top = std::min(b.top, y);
            b.right = std::max(b.right, x + 1);
            b.bottom = std::max(b.bottom, y + 1);
        }
        return b;
    };
    const chart::Rect top = redBounds(chart::kLeftTop);
    EXPECT_GE(top.left, 50);
    EXPECT_GE(top.top, 30);
    // "H" stands on the baseline: its lowest row is just above the anchor.
    const chart::Rect base = redBounds(chart::kLeftBaseline);
    EXPECT_EQ(base.bottom, 30);
    EXPECT_EQ(base.left, top.left);
    const chart::Rect right = redBounds({chart::HAlign::Right, chart::VAlign::Baseline});
    EXPECT_LE(right.right, 50);
    EXPECT_GE(right.right, 46);
    const chart::Rect centre = redBounds({chart::HAlign::Centre, chart::VAlign::Bottom});
    EXPECT_LT(centre.left, 50);
    EXPECT_GT(centre.right, 50);
    EXPECT_LT(centre.bottom, 30);
}

TEST(PainterSurfaceText, ExtentIsPositiveAndGrowsWithTheString) {
    QImage img = blank(10, 10);
    ui::PainterSurface s(img);
    s.setFont(pixelFont(-12));
    const chart::Size one = s.textExtent("M");
    const chart::Size two = s.textExtent("MM");
    const chart::Size three = s.textExtent("MMM");
    EXPECT_GT(one.width, 0);
    EXPECT_LT(one.width, two.width);
    EXPECT_LT(two.width, three.width);
    EXPECT_EQ(s.textExtent("").width, 0);
    // The cell of a 12-pixel character height is a little taller than 12.
    EXPECT_GE(one.height, 12);
    EXPECT_LE(one.height, 18);
    EXPECT_EQ(two.height, one.height);

    // A positive height asks for the cell height.
    s.setFont(pixelFont(20));
    EXPECT_NEAR(s.textExtent("M").height, 20, 1);
    // A bold font is wider.
    chart::Font bold = pixelFont(-12);
    bold.weight = 700;
    s.setFont(bold);
    EXPECT_GT(s.textExtent("MMMMMMMMMM").width, 10 * one.width - 1);
}

TEST(PainterSurfaceText, ArialResolvesToAMetricCompatibleFace) {
    QImage img = blank(10, 10);
    ui::PainterSurface s(img);
    s.setFont(pixelFont(-14, "Arial"));
    const chart::Size arial = s.textExtent("Betelgeuse 0.45");
    s.setFont(pixelFont(-14, "Liberation Sans"));
    EXPECT_EQ(s.textExtent("Betelgeuse 0.45"), arial);
}

// --- Files -------------------------------------------------------------------------------

void drawScene(chart::Surface& s) {
    s.fillRect({0, 0, s.width(), s.height()}, kBlack);
    s.setPen({chart::PenStyle::Dot, 1, Colour{150, 150, 150}});
    s.line(0, 5, 60, 40);
    s.setPen({chart::PenStyle::Solid, 1, kWhite});
    s.setBrush(chart::Brush::of(kWhite));
    s.ellipse({20, 20, 26, 26});
    s.setFont(pixelFont(-12));
    s.setTextColour(Colour{255, 255, 0});
    s.setTransparentBackground(true);
    s.text(30, 30, "Vega");
}

TEST(PainterSurfaceFiles, PngReadsBackWithTheSamePixels) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("chart.png").toStdString();
    ASSERT_TRUE(ui::renderToPng(path, 64, 48, drawScene));

    QImage direct = blank(64, 48);
    {
        ui::PainterSurface s(direct);
        drawScene(s);
    }
    QImage read(QString::fromStdString(path));
    ASSERT_FALSE(read.isNull());
    ASSERT_EQ(read.size(), direct.size());
    read = read.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            differing += read.pixel(x, y) != direct.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_FALSE(pixelsOf(read, Colour{255, 255, 0}).empty());

    EXPECT_FALSE(
        ui::renderToPng(dir.filePath("missing/sub/chart.png").toStdString(), 8, 8, drawScene));
}

TEST(PainterSurfaceFiles, PdfIsWrittenAsAPdfDocument) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("chart.pdf");
    ASSERT_TRUE(ui::renderToPdf(path.toStdString(), 200, 150, drawScene));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_GT(bytes.size(), 200);
    EXPECT_TRUE(bytes.startsWith("%PDF"));

    EXPECT_FALSE(
        ui::renderToPdf(dir.filePath("missing/sub/chart.pdf").toStdString(), 8, 8, drawScene));
}

} // namespace

int main(int argc, char** argv) {
    // Without a display the tests draw off screen (also when listed at build time).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
