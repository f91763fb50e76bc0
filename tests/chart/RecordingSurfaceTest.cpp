#include "chart/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using chart::Colour;
using chart::OpKind;
using chart::RecordingSurface;

TEST(RecordingSurface, RecordsEachCallWithItsArguments) {
    RecordingSurface s(640, 480);
    EXPECT_EQ(s.width(), 640);
    EXPECT_EQ(s.height(), 480);

    s.setPixel(3, 4, Colour{1, 2, 3});
    s.line(10, 20, 30, 40);
    s.polyline({{0, 0}, {5, 5}, {9, 2}});
    s.ellipse({1, 2, 11, 12});
    s.polygon({{0, 0}, {4, 0}, {4, 4}});
    s.fillRect({0, 0, 640, 480}, Colour{235, 235, 235});
    s.text(7, 8, "Sirius");

    const auto& ops = s.operations();
    ASSERT_EQ(ops.size(), 7u);
    EXPECT_EQ(ops[0].kind, OpKind::Pixel);
    EXPECT_EQ(ops[0].points, (std::vector<chart::Point>{{3, 4}}));
    EXPECT_EQ(ops[0].colour, (Colour{1, 2, 3}));
    EXPECT_EQ(ops[1].kind, OpKind::Line);
    EXPECT_EQ(ops[1].points, (std::vector<chart::Point>{{10, 20}, {30, 40}}));
    EXPECT_EQ(ops[2].points.size(), 3u);
    EXPECT_EQ(ops[2].points[2], (chart::Point{9, 2}));
    EXPECT_EQ(ops[3].kind, OpKind::Ellipse);
    EXPECT_EQ(ops[3].rect, (chart::Rect{1, 2, 11, 12}));
    EXPECT_EQ(ops[4].kind, OpKind::Polygon);
    EXPECT_EQ(ops[5].kind, OpKind::FillRect);
    EXPECT_EQ(ops[5].colour, (Colour{235, 235, 235}));
    EXPECT_EQ(ops[6].kind, OpKind::Text);
    EXPECT_EQ(ops[6].text, "Sirius");
    EXPECT_EQ(ops[6].points, (std::vector<chart::Point>{{7, 8}}));
}

TEST(RecordingSurface, EachOperationKeepsTheStateInForceWhenItWasDrawn) {
    RecordingSurface s(100, 100);
    const chart::Pen dotted{chart::PenStyle::Dot, 1, Colour{150, 150, 150}};
    const chart::Pen red{chart::PenStyle::Solid, 2, Colour{255, 0, 0}};
    chart::Font font;
    font.height = -12;
    font.faceName = "Arial";

    s.setPen(dotted);
    s.line(0, 0, 1, 1);
    s.setPen(red);
    s.setBrush(chart::Brush::of(Colour{0, 0, 255}));
    s.setFont(font);
    s.setTextColour(Colour{0, 255, 0});
    s.setTransparentBackground(true);
    s.setTextAlign(chart::kLeftBaseline);
    s.setClip({10, 10, 20, 20});
    s.text(5, 5, "N");
    s.clearClip();
    s.line(2, 2, 3, 3);

    const auto* first = s.find(OpKind::Line);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->state.pen, dotted);
    EXPECT_FALSE(first->state.brush.solid);
    EXPECT_FALSE(first->state.transparentBackground);
    EXPECT_EQ(first->state.textAlign, chart::kLeftTop);

    const auto* label = s.findText("N");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->state.pen, red);
    EXPECT_EQ(label->state.brush, chart::Brush::of(Colour{0, 0, 255}));
    EXPECT_EQ(label->state.font, font);
    EXPECT_EQ(label->state.textColour, (Colour{0, 255, 0}));
    EXPECT_TRUE(label->state.transparentBackground);
    EXPECT_EQ(label->state.textAlign, chart::kLeftBaseline);
    ASSERT_TRUE(label->state.clip.has_value());
    EXPECT_EQ(*label->state.clip, (chart::Rect{10, 10, 20, 20}));

    const auto* second = s.find(OpKind::Line, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->points[0], (chart::Point{2, 2}));
    EXPECT_FALSE(second->state.clip.has_value());
}

TEST(RecordingSurface, CountsAndFindsOperationsByKind) {
    RecordingSurface s(10, 10);
    s.line(0, 0, 1, 0);
    s.text(0, 0, "a");
    s.line(0, 1, 1, 1);
    s.text(0, 0, "b");
    s.line(0, 2, 1, 2);

    EXPECT_EQ(s.count(OpKind::Line), 3u);
    EXPECT_EQ(s.count(OpKind::Text), 2u);
    EXPECT_EQ(s.count(OpKind::Ellipse), 0u);
    EXPECT_EQ(s.find(OpKind::Ellipse), nullptr);
    EXPECT_EQ(s.find(OpKind::Line, 3), nullptr);
    ASSERT_NE(s.find(OpKind::Line, 2), nullptr);
    EXPECT_EQ(s.find(OpKind::Line, 2)->points[0].y, 2);
    EXPECT_EQ(s.find(OpKind::Text, 1)->text, "b");
    EXPECT_EQ(s.findText("c"), nullptr);

    const auto lines = s.all(OpKind::Line);
    ASSERT_EQ(lines.size(), 3u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]->points[0].y, static_cast<int>(i));
    }

    s.setPen({chart::PenStyle::Dash, 1, Colour{9, 9, 9}});
    s.clear();
    EXPECT_TRUE(s.operations().empty());
    EXPECT_EQ(s.state().pen.style, chart::PenStyle::Dash);
}

TEST(RecordingSurface, TextExtentFollowsTheFixedMetric) {
    RecordingSurface s(10, 10);
    chart::Font font;
    font.height = -20;
    s.setFont(font);
    const auto one = s.textExtent("M");
    EXPECT_EQ(one.height, 20);
    EXPECT_EQ(one.width, static_cast<int>(std::lround(RecordingSurface::kCharWidthFactor * 20)));
    EXPECT_EQ(s.textExtent("").width, 0);
    EXPECT_EQ(s.textExtent("MMMMM").width,
              static_cast<int>(std::lround(5 * RecordingSurface::kCharWidthFactor * 20)));
    // A multi-byte character counts once: "10°" is three characters, four bytes.
    EXPECT_EQ(s.textExtent("10\xC2\xB0").width, s.textExtent("100").width);

    font.height = 15; // a positive height measures the same
    s.setFont(font);
    EXPECT_EQ(s.textExtent("ab").height, 15);
    font.height = 0;
    s.setFont(font);
    EXPECT_EQ(s.textExtent("ab").height, RecordingSurface::kDefaultFontHeight);
}

} // namespace
