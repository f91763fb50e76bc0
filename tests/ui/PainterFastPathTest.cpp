// The image surface writes single pixels and small ellipses straight into the image's bits
// and tells the painter of a pen or brush only when a shape needs it. Pixels, lines and large
// shapes must be what the painter itself draws: each case is drawn twice, once through the
// image surface and once through a surface on a painter (which always paints), and the two
// images must be equal pixel for pixel. Small ellipses are the painter's shape, stamped. On
// an image of device pixel ratio 2 the surface keeps logical pixels.
#include "ui/PainterSurface.h"

#include <QImage>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>
#include <tuple>
#include <vector>
#include <string>

namespace {

using chart::Brush;
using chart::Colour;
using chart::Pen;
using chart::PenStyle;
using chart::Rect;
using chart::Surface;

QImage blank(int w, int h, qreal ratio = 1.0) {
    QImage img(static_cast<int>(w * ratio), static_cast<int>(h * ratio), QImage::Format_RGB32);
    img.fill(QColor(10, 20, 30));
    img.setDevicePixelRatio(ratio);
    return img;
}

// The first differing pixel, or an empty text when the images are equal.
std::string difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       std::to_string(a.pixel(x, y)) + " against " + std::to_string(b.pixel(x, y));
    return {};
}

// The same drawing through the image surface and through a painter's surface.
void expectSameAsPainter(int w, int h, qreal ratio, const std::function<void(Surface&)>& draw) {
    QImage fast = blank(w, h, ratio);
    {
        ui::PainterSurface s(fast);
        ASSERT_EQ(s.width(), w);
        ASSERT_EQ(s.height(), h);
        draw(s);
    }
    QImage painted = blank(w, h, ratio);
    {
        QPainter painter(&painted);
        ui::PainterSurface s(painter, w, h);
        draw(s);
    }
    EXPECT_EQ(difference(fast, painted), "");
}

TEST(PainterFastPath, PixelsEverywhereIncludingEdgesOutsideAndClipped) {
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        expectSameAsPainter(40, 30, ratio, [](Surface& s) {
            for (int y = -3; y < 33; y += 2)
                for (int x = -3; x < 43; x += 3)
                    s.setPixel(x, y, Colour{static_cast<std::uint8_t>(x * 5 + 20), 200,
                                            static_cast<std::uint8_t>(y * 7 + 30)});
            s.setClip(Rect{5, 6, 20, 18});
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    if ((x + y) % 3 == 0)
                        s.setPixel(x, y, Colour{255, 255, 0});
            s.clearClip();
            s.setPixel(39, 29, Colour{1, 2, 3});
            s.setPixel(0, 0, Colour{4, 5, 6});
        });
    }
}

const Pen kPens[] = {Pen{PenStyle::Solid, 1, Colour{255, 0, 0}},
                     Pen{PenStyle::Dash, 1, Colour{0, 255, 0}},
                     Pen{PenStyle::Solid, 2, Colour{0, 0, 255}}, Pen{PenStyle::Null, 1, Colour{}}};
const Pen kStampedPens[] = {kPens[0], kPens[2], kPens[3]};
const Brush kBrushes[] = {Brush::none(), Brush::of(Colour{200, 100, 50})};

std::string caseName(qreal ratio, const Pen& pen, const Brush& brush) {
    return "ratio " + std::to_string(ratio) + " pen style " +
           std::to_string(static_cast<int>(pen.style)) + " width " + std::to_string(pen.width) +
           " brush " + std::to_string(brush.solid);
}

// Large ellipses and lines go to the painter, with the pen and brush last set, also when
// pixels were set in between.
TEST(PainterFastPath, LargeEllipsesAndLinesAsThePainterDrawsThem) {
    for (const qreal ratio : {1.0, 2.0})
        for (const Pen& pen : kPens)
            for (const Brush& brush : kBrushes) {
                SCOPED_TRACE(caseName(ratio, pen, brush));
                expectSameAsPainter(120, 90, ratio, [&](Surface& s) {
                    s.setPen(pen);
                    s.setBrush(brush);
                    s.ellipse(Rect{-5, -4, 25, 30});
                    if (pen.style == PenStyle::Dash)
                        s.ellipse(Rect{30, 60, 37, 66});
                    s.setPixel(3, 3, Colour{9, 9, 9});
                    s.ellipse(Rect{40, 10, 80, 50});
                    s.line(0, 80, 110, 85);
                    s.setClip(Rect{20, 10, 70, 60});
                    s.ellipse(Rect{60, 40, 100, 75});
                    s.clearClip();
                });
            }
}

// The pixels a surface drew differently from the background, relative to (x, y).
std::set<std::tuple<int, int, QRgb>> drawnAround(const QImage& img, int x, int y, int size) {
    std::set<std::tuple<int, int, QRgb>> out;
    const QRgb background = qRgb(10, 20, 30);
    for (int j = -4; j < size + 4; ++j)
        for (int i = -4; i < size + 4; ++i) {
            const int px = x + i, py = y + j;
            if (px >= 0 && py >= 0 && px < img.width() && py < img.height() &&
                img.pixel(px, py) != background)
                out.insert({i, j, img.pixel(px, py)});
        }
    return out;
}

// Small ellipses with solid outlines or none (star glyphs) are stamped: the same pixels
// wherever they lie, the painter's own. Dotted ones go to the painter (the test above).
TEST(PainterFastPath, SmallEllipsesAreStampedAsThePainterDrawsThem) {
    for (const qreal ratio : {1.0, 2.0})
        for (const Pen& pen : kStampedPens)
            for (const Brush& brush : kBrushes)
                for (int w = 1; w <= 24; w += (w < 8 ? 1 : 5)) {
                    const int h = w > 3 ? w - 1 : w;
                    SCOPED_TRACE(caseName(ratio, pen, brush) + " size " + std::to_string(w));
                    const int places[][2] = {{5, 5}, {37, 21}, {66, 44}};
                    QImage stamped = blank(100, 80, ratio);
                    QImage painted = blank(100, 80, ratio);
                    {
                        ui::PainterSurface s(stamped);
                        QPainter painter(&painted);
                        ui::PainterSurface reference(painter, 100, 80);
                        for (Surface* surface :
                             {static_cast<Surface*>(&s), static_cast<Surface*>(&reference)}) {
                            surface->setTransparentBackground(true);
                            surface->setPen(pen);
                            surface->setBrush(brush);
                            for (const auto& at : places)
                                surface->ellipse(Rect{at[0], at[1], at[0] + w, at[1] + h});
                        }
                    }
                    const int r = static_cast<int>(ratio);
                    const auto first = drawnAround(stamped, 5 * r, 5 * r, w * r);
                    for (const auto& at : places)
                        EXPECT_EQ(drawnAround(stamped, at[0] * r, at[1] * r, w * r), first);
                    // And the painter's own pixels at each place.
                    for (const auto& at : places)
                        EXPECT_EQ(drawnAround(painted, at[0] * r, at[1] * r, w * r), first);
                    if (w > 2 && (pen.style != PenStyle::Null || brush.solid)) {
                        EXPECT_FALSE(first.empty());
                    }
                }
}

// With an opaque background the painter draws small solid ellipses out of shape (its opaque
// mode is for the gaps of dotted lines); the stamp is the shape drawn with a transparent one.
TEST(PainterFastPath, SmallSolidEllipsesKeepTheirShapeOnAnOpaqueBackground) {
    QImage opaque = blank(40, 30), clear = blank(40, 30);
    for (const bool transparent : {false, true}) {
        QImage& img = transparent ? clear : opaque;
        ui::PainterSurface s(img);
        s.setTransparentBackground(transparent);
        s.setPen(Pen{PenStyle::Solid, 1, Colour{255, 0, 0}});
        s.setBrush(Brush::of(Colour{0, 0, 255}));
        s.ellipse(Rect{5, 5, 9, 8});
        s.ellipse(Rect{20, 10, 30, 20});
    }
    EXPECT_EQ(difference(opaque, clear), "");
    EXPECT_NE(opaque.pixel(5, 7), qRgb(10, 20, 30)); // the left rim of the small one
}

// Level text is laid out once per font and text and drawn from then on: the same pixels as the
// painter's own drawing of it at the baseline the alignment gives, on an opaque background too.
TEST(PainterFastPath, TextLaidOutOnceIsTheTextThePainterDraws) {
    const chart::HAlign across[] = {chart::HAlign::Left, chart::HAlign::Centre,
                                    chart::HAlign::Right};
    const chart::VAlign down[] = {chart::VAlign::Top, chart::VAlign::Baseline,
                                  chart::VAlign::Bottom};
    for (const int height : {-9, -12, 16})
        for (const std::string face : {"Arial", "Courier New"})
            for (const bool transparent : {true, false}) {
                SCOPED_TRACE(face + " " + std::to_string(height) + " transparent " +
                             std::to_string(transparent));
                chart::Font font;
                font.height = height;
                font.faceName = face;
                QImage surfaceImage = blank(200, 120), reference = blank(200, 120);
                QPainter painter(&surfaceImage);
                ui::PainterSurface s(painter, 200, 120);
                s.setFont(font);
                s.setTextColour(Colour{250, 240, 0});
                s.setBackgroundColour(Colour{0, 0, 90});
                s.setTransparentBackground(transparent);
                const QFont qfont = painter.font();
                QPainter ref(&reference);
                ref.setRenderHint(QPainter::TextAntialiasing, false);
                ref.setFont(qfont);
                const QFontMetrics fm(qfont);
                int y = 20;
                for (const auto h : across)
                    for (const auto v : down) {
                        const std::string text = "Deneb 1.3";
                        for (int twice = 0; twice < 2; ++twice) { // the second from the cache
                            s.setTextAlign(chart::TextAlign{h, v});
                            s.text(100, y, text);
                        }
                        const QString q = QString::fromStdString(text);
                        const int w = fm.horizontalAdvance(q);
                        const int dx = h == chart::HAlign::Left ? 0
                                       : h == chart::HAlign::Centre ? -w / 2 : -w;
                        const int base = v == chart::VAlign::Top      ? fm.ascent()
                                         : v == chart::VAlign::Bottom ? -fm.descent() : 0;
                        if (!transparent)
                            ref.fillRect(QRect(100 + dx, y + base - fm.ascent(), w, fm.height()),
                                         QColor(0, 0, 90));
                        ref.setPen(QColor(250, 240, 0));
                        for (int twice = 0; twice < 2; ++twice)
                            ref.drawText(QPoint(100 + dx, y + base), q);
                        y += 11;
                    }
                painter.end();
                ref.end();
                EXPECT_EQ(difference(surfaceImage, reference), "");
            }
}

// A stamp keeps to the image and to the clip: what it leaves is what the unclipped stamp has
// there, and nothing outside changes.
TEST(PainterFastPath, StampsKeepToTheImageAndTheClip) {
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const Pen pen{PenStyle::Solid, 1, Colour{255, 0, 0}};
        const Brush brush = Brush::of(Colour{0, 200, 0});
        QImage whole = blank(60, 40, ratio);
        QImage cut = blank(60, 40, ratio);
        const Rect clip{10, 8, 30, 20};
        {
            ui::PainterSurface a(whole);
            ui::PainterSurface b(cut);
            for (Surface* s : {static_cast<Surface*>(&a), static_cast<Surface*>(&b)}) {
                s->setPen(pen);
                s->setBrush(brush);
            }
            b.setClip(clip);
            for (const Rect& box : {Rect{-6, -5, 6, 5}, Rect{50, 33, 66, 47}, Rect{5, 4, 20, 15},
                                    Rect{25, 15, 40, 30}}) {
                a.ellipse(box);
                b.ellipse(box);
            }
        }
        const int r = static_cast<int>(ratio);
        int inside = 0;
        for (int y = 0; y < cut.height(); ++y)
            for (int x = 0; x < cut.width(); ++x) {
                const bool allowed = clip.contains(x / r, y / r);
                if (allowed) {
                    ASSERT_EQ(cut.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
                    inside += whole.pixel(x, y) != qRgb(10, 20, 30);
                } else {
                    ASSERT_EQ(cut.pixel(x, y), qRgb(10, 20, 30)) << x << "," << y;
                }
            }
        EXPECT_GT(inside, 0);
        EXPECT_NE(whole.pixel(0, 0), qRgb(10, 20, 30)); // the stamp across the corner
    }
}

TEST(PainterFastPath, AtRatioTwoAPixelIsTwoByTwoDevicePixels) {
    QImage img = blank(20, 10, 2.0);
    {
        ui::PainterSurface s(img);
        EXPECT_EQ(s.width(), 20);
        EXPECT_EQ(s.height(), 10);
        s.setPixel(3, 4, Colour{255, 255, 255});
        s.setPixel(19, 9, Colour{255, 255, 255});
        s.setPixel(20, 9, Colour{255, 0, 0}); // outside: nothing
    }
    const QRgb white = qRgb(255, 255, 255);
    int whites = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            whites += img.pixel(x, y) == white;
    EXPECT_EQ(whites, 8);
    for (const auto& [x, y] : {std::pair{6, 8}, {7, 8}, {6, 9}, {7, 9}, {38, 18}, {39, 19}})
        EXPECT_EQ(img.pixel(x, y), white) << x << "," << y;
}

// The chart's one-pixel rules stay one logical pixel: two device pixels across.
TEST(PainterFastPath, AtRatioTwoAOnePixelLineIsTwoDevicePixelsWide) {
    QImage img = blank(20, 10, 2.0);
    {
        ui::PainterSurface s(img);
        s.setPen(Pen{PenStyle::Solid, 1, Colour{255, 255, 255}});
        s.line(2, 5, 18, 5);
    }
    int rows = 0;
    for (int y = 0; y < img.height(); ++y)
        rows += img.pixel(20, y) == qRgb(255, 255, 255);
    EXPECT_EQ(rows, 2);
}

} // namespace
