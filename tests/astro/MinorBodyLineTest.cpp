#include "astro/MinorBodyLine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// Fixed columns as the catalogues write them.
const char* kCeres = "    1 Ceres                      2461599.500   73.29000   80.25000   10.59000 "
                     "   2.76600000  0.0785000      0.120  3.34";
const char* kHalley = "1P/Halley                        2446470.500  111.33000   58.42000  162.26000 "
                      "   0.58600000  0.9670000   5.5";
} // namespace

TEST(MinorBodyLine, AsteroidFieldsByColumn) {
    const auto a = astro::parseAsteroidLine(kCeres);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GetName(), "1 Ceres");
    EXPECT_EQ(a->number(), 1);
    const double* e = a->block.elements;
    EXPECT_DOUBLE_EQ(e[ephem::ElemPerihelionTime], 2461599.5);
    EXPECT_DOUBLE_EQ(e[ephem::ElemPerihelionArg], 73.29);
    EXPECT_DOUBLE_EQ(e[ephem::ElemNode], 80.25);
    EXPECT_DOUBLE_EQ(e[ephem::ElemInclination], 10.59);
    EXPECT_DOUBLE_EQ(e[ephem::ElemAxis], 2.766);
    EXPECT_DOUBLE_EQ(e[ephem::ElemEccentricity], 0.0785);
    EXPECT_DOUBLE_EQ(e[ephem::ElemSlopeG], 0.12);
    EXPECT_DOUBLE_EQ(e[ephem::ElemAbsMagnitude], 3.34);
    EXPECT_NEAR(e[ephem::ElemMeanMotion], 360.0 / (std::sqrt(2.766 * 2.766 * 2.766) * 365.25), 1e-12);
}

TEST(MinorBodyLine, CometFieldsByColumn) {
    const auto c = astro::parseCometLine(kHalley);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->GetName(), "1P/Halley");
    const double* e = c->block.elements;
    EXPECT_NEAR(e[ephem::ElemAxis], 0.586 / (1.0 - 0.967), 1e-9);
    EXPECT_DOUBLE_EQ(e[ephem::ElemAbsMagnitude], 5.5);
    EXPECT_DOUBLE_EQ(e[ephem::ElemMeanMotion], 0.0);
}

TEST(MinorBodyLine, ShortOrGarbledLines) {
    EXPECT_FALSE(astro::parseAsteroidLine(""));
    EXPECT_FALSE(astro::parseAsteroidLine(std::string(kCeres).substr(0, 95)));
    EXPECT_FALSE(astro::parseCometLine("Comet"));
    // A line that reaches the eccentricity but lacks G and H reads them as 0.
    const auto shortAst = astro::parseAsteroidLine(std::string(kCeres).substr(0, 102));
    ASSERT_TRUE(shortAst);
    EXPECT_DOUBLE_EQ(shortAst->block.elements[ephem::ElemAbsMagnitude], 0.0);
    // Letters where numbers belong read as 0; the number field may hold garbage too.
    std::string garbled = kCeres;
    garbled.replace(0, 5, "  abc");
    garbled.replace(92, 10, "  xx.yy   ");
    const auto g = astro::parseAsteroidLine(garbled);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->GetName(), "Ceres");
    EXPECT_DOUBLE_EQ(g->block.elements[ephem::ElemEccentricity], 0.0);
    EXPECT_EQ(astro::lineField("abc", 5, 9), "");
    EXPECT_DOUBLE_EQ(astro::lineNumber(" 12.5e1 ", 0, 7), 125.0);
}
