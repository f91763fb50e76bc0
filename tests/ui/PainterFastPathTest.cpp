// The image surface writes single pixels straight into the image's bits and tells the
// painter of a pen or brush only when a shape needs it. Whatever it draws must be what the
// painter itself draws: each case is drawn twice, once
// through the image surface and once through a surface on a painter (which always paints),
// and the two images must be equal pixel for pixel. On an image of device pixel ratio 2
// the surface keeps logical pixels.
#include "ui/PainterSurface.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
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

TEST(PainterFastPath, EllipsesAndLinesBetweenPixelsAsThePainterDrawsThem) {
    const Pen pens[] = {Pen{PenStyle::Solid, 1, Colour{255, 0, 0}},
                        Pen{PenStyle::Dash, 1, Colour{0, 255, 0}},
                        Pen{PenStyle::Solid, 2, Colour{0, 0, 255}},
                        Pen{PenStyle::Null, 1, Colour{}}};
    const Brush brushes[] = {Brush::none(), Brush::of(Colour{200, 100, 50})};
    for (const qreal ratio : {1.0, 2.0}) {
        for (const Pen& pen : pens) {
            for (const Brush& brush : brushes) {
                SCOPED_TRACE(std::to_string(ratio) + " pen style " +
                             std::to_string(static_cast<int>(pen.style)) + " width " +
                             std::to_string(pen.width) + " brush " + std::to_string(brush.solid));
                expectSameAsPainter(90, 60, ratio, [&](Surface& s) {
                    s.setPen(pen);
                    s.setBrush(brush);
                    // Every size up to the largest stamped and one beyond, at odd places, some
                    // reaching past the edges.
                    int x = -4, y = -3;
                    for (int size = 1; size <= 26; ++size) {
                        s.ellipse(Rect{x, y, x + size, y + size});
                        s.ellipse(Rect{x + 1, y + 2, x + 1 + size, y + 2 + size / 2 + 1});
                        x += size + 3;
                        if (x > 80) {
                            x = -5;
                            y += 24;
                        }
                    }
                    s.setPixel(3, 3, Colour{9, 9, 9}); // pen and brush stay as set
                    s.line(0, 50, 80, 55);
                    s.setClip(Rect{20, 10, 50, 40});
                    s.ellipse(Rect{15, 5, 30, 20});
                    s.ellipse(Rect{40, 30, 56, 46});
                    s.clearClip();
                });
            }
        }
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
