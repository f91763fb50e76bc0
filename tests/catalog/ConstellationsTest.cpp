#include "catalog/Constellations.h"

#include "TestUtil.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using catalog::ConstellationData;

constexpr double kRad = std::numbers::pi / 180.0;

// ---- fixture files ----------------------------------------------------------------------------

struct Bytes {
    std::vector<unsigned char> data;

    Bytes& f64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            data.push_back(static_cast<unsigned char>(bits >> (8 * i)));
        return *this;
    }
    Bytes& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(u >> (8 * i)));
        return *this;
    }
    // Raw bytes padded with NULs to the width (no NUL at all when the text fills it).
    Bytes& text(const std::string& raw, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            data.push_back(i < raw.size() ? static_cast<unsigned char>(raw[i]) : 0);
        return *this;
    }
    void write(const fs::path& file, std::size_t dropTail = 0) const {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size() - dropTail));
    }
};

Bytes& boundaryRecord(Bytes& b, double ra, double dec, const std::string& text) {
    return b.f64(ra).f64(dec).text(text, 8);
}

Bytes& bandRecord(Bytes& b, double lo, double hi, double dec, const std::string& abbr) {
    return b.f64(lo).f64(hi).f64(dec).text(abbr, 24);
}

Bytes& listRecord(Bytes& b, int number, const std::string& name, const std::string& abbr,
                  const std::string& genitive) {
    return b.i32(number).text(name, 30).text(abbr, 30).text(genitive, 32).f64(1.5).f64(-2.5);
}

Bytes& figureRecord(Bytes& b, double ra1, double dec1, double ra2, double dec2, int number) {
    return b.f64(ra1).f64(dec1).f64(ra2).f64(dec2).i32(number).i32(0);
}

// A B1875 position carried to J2000 with ERFA directly (precession-bias matrix, its own axes),
// as the J2000 position the look-up is asked about.
astro::SkyPoint b1875ToJ2000(double raHours, double decDeg) {
    double rbp[3][3], p[3], q[3], a = 0.0, d = 0.0;
    eraPmat06(catalog::kB1875JulianDay, 0.0, rbp);
    eraS2c(raHours * 15.0 * kRad, decDeg * kRad, p);
    eraTrxp(rbp, p, q);
    eraC2s(q, &a, &d);
    return astro::SkyPoint(eraAnp(a) / kRad / 15.0, d / kRad);
}

TEST(ConstellationFiles, MissingFilesLeaveEverythingEmpty) {
    testutil::TempDir dir("constellations");
    ConstellationData data;
    EXPECT_EQ(data.LoadBoundaries(dir.path()), 0u);
    EXPECT_EQ(data.LoadBoundaryBands(dir.path()), 0u);
    EXPECT_EQ(data.LoadConstellationList(dir.path()), 0u);
    EXPECT_EQ(data.LoadFigures(dir.path()), 0u);
    EXPECT_TRUE(data.outlines().empty());
    EXPECT_EQ(data.FindConstellationAt(5.9, 7.4), "Oct");
    EXPECT_EQ(data.abbreviationAt(astro::SkyPoint(5.9, 7.4)), "");
    EXPECT_EQ(data.ConstellationNumber("Ori"), ConstellationData::kNoConstellation);
    EXPECT_EQ(data.ConstellationNumber(""), ConstellationData::kNoConstellation);
    EXPECT_EQ(data.ConstellationFormByNumber(1, 1), "");
}

TEST(ConstellationFiles, BoundaryOutlinesFollowTheTextsAndStopAtTheEndMark) {
    testutil::TempDir dir("constellations");
    Bytes b;
    boundaryRecord(b, 1.0, 10.0, "000"); // the initial remembered text still opens an outline
    boundaryRecord(b, 2.0, 10.0, "000");
    boundaryRecord(b, 23.95, 5.0, "AAA"); // kept as written: no shift, no wrap
    boundaryRecord(b, 0.5, 5.0, "AAA");
    boundaryRecord(b, 3.0, -20.0, "BBB");
    boundaryRecord(b, 4.0, 4.0, "AAA");      // a text that comes back opens a new outline
    boundaryRecord(b, 5.0, 5.0, "ABCDEFGH"); // no NUL: all eight bytes name it
    boundaryRecord(b, std::numeric_limits<double>::quiet_NaN(), 5.0, "ABCDEFGH");
    boundaryRecord(b, 6.0, 6.0, "ABCDEFGH");
    boundaryRecord(b, 100.0, 0.0, "END");
    boundaryRecord(b, 7.0, 7.0, "CCC");
    b.write(dir.path() / "Boundaries.skd");

    ConstellationData data;
    ASSERT_EQ(data.LoadBoundaries(dir.path()), 5u);
    const auto& o = data.outlines();
    EXPECT_EQ(data.outlineNames(),
              (std::vector<std::string>{"000", "AAA", "BBB", "AAA", "ABCDEFGH"}));
    ASSERT_EQ(o[1].size(), 2u);
    EXPECT_DOUBLE_EQ(o[1][0].ra(), 23.95);
    EXPECT_DOUBLE_EQ(o[1][1].ra(), 0.5);
    EXPECT_NEAR(o[2][0].y(), std::sin(-20.0 * kRad), 1e-6);
    EXPECT_EQ(o[3].size(), 1u);
    ASSERT_EQ(o[4].size(), 2u);
    EXPECT_DOUBLE_EQ(o[4][1].dec(), 6.0);

    // Without the end mark, a short final record ends the read; loading again replaces.
    Bytes c;
    boundaryRecord(c, 1.0, 1.0, "AAA");
    boundaryRecord(c, 2.0, 2.0, "AAA");
    c.write(dir.path() / "Boundaries.skd", 10);
    ASSERT_EQ(data.LoadBoundaries(dir.path()), 1u);
    EXPECT_EQ(data.outlines()[0].size(), 1u);
}

TEST(ConstellationFiles, OutlinesStopAtTheirCapacity) {
    testutil::TempDir dir("constellations");
    Bytes b;
    for (int i = 0; i < 130; ++i)
        boundaryRecord(b, 1.0, 1.0, "T" + std::to_string(i));
    b.write(dir.path() / "Boundaries.skd");
    ConstellationData data;
    EXPECT_EQ(data.LoadBoundaries(dir.path()), ConstellationData::kOutlineCapacity);
    EXPECT_EQ(data.outlineNames().back(), "T121");
}

TEST(ConstellationFiles, BandWalkPrecessesToB1875AndTakesTheFirstMatch) {
    testutil::TempDir dir("constellations");
    Bytes b;
    bandRecord(b, 0.0, 24.0, 50.0, "Aaa");
    bandRecord(b, 0.0, 12.0, -90.0, "Bbb");
    bandRecord(b, 12.0, 24.0, -60.0, "Ccc");
    bandRecord(b, 0.0, 24.0, -90.0, "Abcdefghijklmnopqrstuvwx"); // 24 bytes, no NUL
    bandRecord(b, 0.0, 24.0, -90.0, "Never");
    b.write(dir.path() / "BoundariesC.skd", 30);

    ConstellationData data;
    ASSERT_EQ(data.LoadBoundaryBands(dir.path()), 4u);
    EXPECT_EQ(data.bands()[3].abbreviation, "Abcdefghijklmnopqrstuvw");

    // At 0.5 h the equator moved by 0.7 degrees since 1875: both points lie above +50 at
    // J2000, but only the first lies above +50 at B1875.
    const astro::SkyPoint above = b1875ToJ2000(0.5, 50.05);
    const astro::SkyPoint below = b1875ToJ2000(0.5, 49.95);
    ASSERT_GT(below.dec(), 50.5);
    EXPECT_EQ(data.FindConstellationAt(above), "Aaa");
    EXPECT_EQ(data.FindConstellationAt(below.ra(), below.dec()), "Bbb");
    EXPECT_EQ(data.abbreviationAt(below), "Bbb");

    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(11.999, -30.0)), "Bbb");
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(12.001, -30.0)), "Ccc");
    // Between 12 h and 24 h nothing reaches south of -60 but the band without NUL.
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(18.0, -70.0)), "Abcdefghijklmnopqrstuvw");
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(23.999, -30.0)), "Ccc");
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(0.001, -30.0)), "Bbb");
}

TEST(ConstellationFiles, BandsSouthOfEveryBandGiveOctAndTheTableStopsAtItsCapacity) {
    testutil::TempDir dir("constellations");
    Bytes b;
    for (int i = 0; i < 400; ++i)
        bandRecord(b, 0.0, 24.0, 80.0 - 0.1 * i, "B" + std::to_string(i));
    b.write(dir.path() / "BoundariesC.skd");
    ConstellationData data;
    ASSERT_EQ(data.LoadBoundaryBands(dir.path()), ConstellationData::kBandCapacity);
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(3.0, 80.05)), "B0");
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(3.0, 79.95)), "B1");
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(3.0, 44.25)), "B358");
    EXPECT_EQ(data.FindConstellationAt(b1875ToJ2000(3.0, 20.0)), "Oct");
    EXPECT_EQ(data.FindConstellationAt(std::numeric_limits<double>::quiet_NaN(), 0.0), "Oct");
}

TEST(ConstellationFiles, ListTextsAndLookUps) {
    testutil::TempDir dir("constellations");
    Bytes b;
    listRecord(b, 1, "Andromeda", "And", "Andromedae");
    listRecord(b, 7, "Bo\xF6tes", "Boo", "Bo\xF6tis");      // Windows-1252 o-umlaut
    listRecord(b, 3, std::string(30, 'N'), "", "\x80\x81"); // no NUL; euro, undefined byte
    for (int i = 4; i <= 90; ++i)
        listRecord(b, i, "C" + std::to_string(i), "X" + std::to_string(i), "");
    b.write(dir.path() / "Constellations.skd", 5);

    ConstellationData data;
    ASSERT_EQ(data.LoadConstellationList(dir.path()), 88u);
    const auto& e = data.entries();
    EXPECT_EQ(e[1].name, "Bo\u00f6tes");
    EXPECT_EQ(e[1].genitive, "Bo\u00f6tis");
    EXPECT_EQ(e[2].name, std::string(30, 'N'));
    EXPECT_EQ(e[2].genitive, "\u20ac?");
    EXPECT_DOUBLE_EQ(e[0].labelRa, 1.5);
    EXPECT_DOUBLE_EQ(e[0].labelDec, -2.5);

    // Numbers come from the position in the list; look-ups by number use the stored one.
    EXPECT_EQ(data.ConstellationNumber("Bo\u00f6tis"), 2);
    EXPECT_EQ(data.ConstellationNumber("Boo"), 2);
    EXPECT_EQ(data.ConstellationNumber("boo"), ConstellationData::kNoConstellation);
    EXPECT_EQ(data.ConstellationNumber("X89"), ConstellationData::kNoConstellation);
    EXPECT_EQ(data.ConstellationNumber(""), ConstellationData::kNoConstellation);
    EXPECT_EQ(data.ConstellationFormByNumber(7, 2), "Boo");
    EXPECT_EQ(data.ConstellationFormByNumber(2, 1), "");
    EXPECT_EQ(data.ConstellationFormByNumber(1, 0), " ");
    EXPECT_EQ(data.ConstellationFormByNumber(1, 4), " ");
    EXPECT_EQ(data.ConstellationForm("Andromedae", 1), "Andromeda");
    EXPECT_EQ(data.ConstellationForm("Andromeda", 3), "Andromedae");
    EXPECT_EQ(data.ConstellationForm("Nowhere", 1), "");
}

TEST(ConstellationFiles, FigureNumbersOutsideTheListAreSkipped) {
    testutil::TempDir dir("constellations");
    Bytes b;
    figureRecord(b, 1.0, 10.0, 2.0, 20.0, 1);
    figureRecord(b, 3.0, 30.0, 4.0, 40.0, 88);
    for (int bad : {0, 89, -1, std::numeric_limits<std::int32_t>::max(),
                    std::numeric_limits<std::int32_t>::min()})
        figureRecord(b, 5.0, 5.0, 6.0, 6.0, bad);
    figureRecord(b, 7.0, 70.0, 8.0, 80.0, 1);
    figureRecord(b, 9.0, 9.0, 9.5, 9.5, 2);
    b.write(dir.path() / "Figures.skd", 1);

    ConstellationData data;
    ASSERT_EQ(data.LoadFigures(dir.path()), 3u);
    const auto& f = data.figures();
    ASSERT_EQ(f[0].segments.size(), 2u);
    EXPECT_EQ(f[0].number, 1);
    EXPECT_DOUBLE_EQ(f[0].segments[1].second.dec(), 80.0);
    EXPECT_NEAR(f[0].segments[1].second.y(), std::sin(80.0 * kRad), 1e-6);
    EXPECT_EQ(f[87].segments.size(), 1u);
    EXPECT_EQ(f[87].number, 88);
    EXPECT_TRUE(f[1].segments.empty());
    EXPECT_EQ(f[1].number, 0);
}

// ---- the shipped files ------------------------------------------------------------------------

class ShippedConstellations : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path dir = SKYVANE_TEST_DATA_DIR "/../data";
        s_data = new ConstellationData;
        s_counts[0] = s_data->LoadBoundaries(dir);
        s_counts[1] = s_data->LoadBoundaryBands(dir);
        s_counts[2] = s_data->LoadConstellationList(dir);
        s_counts[3] = s_data->LoadFigures(dir);
    }
    static void TearDownTestSuite() {
        delete s_data;
        s_data = nullptr;
    }
    static const ConstellationData& data() { return *s_data; }

    static ConstellationData* s_data;
    static std::size_t s_counts[4];
};

ConstellationData* ShippedConstellations::s_data = nullptr;
std::size_t ShippedConstellations::s_counts[4] = {};

TEST_F(ShippedConstellations, CountsAndOrder) {
    EXPECT_EQ(s_counts[0], 89u); // Serpens has two outlines
    EXPECT_EQ(s_counts[1], 357u);
    EXPECT_EQ(s_counts[2], 88u);
    EXPECT_GT(s_counts[3], 600u);
    const auto& e = data().entries();
    ASSERT_EQ(e.size(), 88u);
    for (std::size_t i = 0; i < e.size(); ++i)
        EXPECT_EQ(e[i].number, static_cast<int>(i + 1));
    EXPECT_EQ(e.front().name, "Andromeda");
    EXPECT_EQ(e.back().name, "Vulpecula");
    auto plain = [](std::string s) {
        if (const auto p = s.find("\u00f6"); p != std::string::npos)
            s.replace(p, 2, "o");
        return s;
    };
    EXPECT_TRUE(std::is_sorted(e.begin(), e.end(), [&](const auto& a, const auto& b) {
        return plain(a.name) < plain(b.name);
    }));
    for (std::size_t i = 0; i < data().figures().size(); ++i) {
        EXPECT_FALSE(data().figures()[i].segments.empty()) << e[i].name;
        EXPECT_EQ(data().figures()[i].number, static_cast<int>(i + 1));
    }
}

TEST_F(ShippedConstellations, NameForms) {
    EXPECT_EQ(data().ConstellationForm("UMa", 1), "Ursa Major");
    EXPECT_EQ(data().ConstellationForm("Ursa Major", 2), "UMa");
    EXPECT_EQ(data().ConstellationForm("Ursae Majoris", 2), "UMa");
    EXPECT_EQ(data().ConstellationFormByNumber(data().ConstellationNumber("UMa"), 3),
              "Ursae Majoris");
    EXPECT_EQ(data().ConstellationNumber("Cygni"), data().ConstellationNumber("Cygnus"));
    EXPECT_EQ(data().ConstellationForm("Boo", 1), "Bo\u00f6tes");
    EXPECT_EQ(data().ConstellationForm("Ser", 1), "Serpens");
    EXPECT_EQ(data().ConstellationNumber("Vul"), 88);
}

TEST_F(ShippedConstellations, KnownPositions) {
    EXPECT_EQ(
        data().FindConstellationAt(2.0 + 31.0 / 60 + 49.0 / 3600, 89.0 + 15.0 / 60 + 51.0 / 3600),
        "UMi"); // Polaris
    EXPECT_EQ(data().FindConstellationAt(5.0 + 55.0 / 60, 7.0 + 24.0 / 60), "Ori");
    for (double ra : {0.0, 6.0, 13.3, 23.9})
        EXPECT_EQ(data().FindConstellationAt(ra, 90.0), "UMi") << ra;
    EXPECT_EQ(data().FindConstellationAt(12.0, -90.0), "Oct");
    EXPECT_EQ(data().FindConstellationAt(10.0 + 8.0 / 60 + 22.3 / 3600, 11.0 + 58.0 / 60), "Leo");
    EXPECT_EQ(data().FindConstellationAt(21.0 + 6.9 / 60, 38.0 + 45.0 / 60), "Cyg"); // 61 Cyg
    EXPECT_EQ(data().abbreviationAt(astro::SkyPoint(5.0 + 55.0 / 60, 7.0 + 24.0 / 60)), "Ori");
}

TEST_F(ShippedConstellations, EveryLabelLiesInItsConstellation) {
    for (const auto& e : data().entries())
        EXPECT_EQ(data().FindConstellationAt(e.labelRa, e.labelDec), e.abbreviation) << e.name;
}

TEST_F(ShippedConstellations, FiguresJoinTheRightStars) {
    // Dubhe and Betelgeuse (J2000) are ends of segments of their figures.
    auto nearEnd = [&](const char* abbr, const astro::SkyPoint& star) {
        const int n = data().ConstellationNumber(abbr);
        for (const auto& s : data().figures()[static_cast<std::size_t>(n - 1)].segments)
            if (testutil::separationDeg(s.first, star) < 0.01 ||
                testutil::separationDeg(s.second, star) < 0.01)
                return true;
        return false;
    };
    EXPECT_TRUE(nearEnd("UMa", astro::SkyPoint(11.0 + 3.0 / 60 + 43.67 / 3600, 61.7510)));
    EXPECT_TRUE(nearEnd("Ori", astro::SkyPoint(5.0 + 55.0 / 60 + 10.31 / 3600, 7.4071)));
    EXPECT_FALSE(nearEnd("Cyg", astro::SkyPoint(5.0 + 55.0 / 60 + 10.31 / 3600, 7.4071)));
}

TEST_F(ShippedConstellations, OutlinesAreClosedAndFinelySampled) {
    for (std::size_t i = 0; i < data().outlines().size(); ++i) {
        const auto& o = data().outlines()[i];
        ASSERT_GE(o.size(), 5u) << data().outlineNames()[i];
        EXPECT_EQ(o.front().ra(), o.back().ra()) << data().outlineNames()[i];
        EXPECT_EQ(o.front().dec(), o.back().dec()) << data().outlineNames()[i];
        double longest = 0.0;
        for (std::size_t k = 1; k < o.size(); ++k)
            longest = std::max(longest, testutil::separationDeg(o[k - 1], o[k]));
        EXPECT_LE(longest, 2.01) << data().outlineNames()[i];
    }
}

// A shared edge of Camelopardalis and Ursa Minor on the B1875 parallel +80 (from 13 h 35 m to
// 14 h 30 m): a point just north of it is in Cam, a point just south in UMi.
TEST_F(ShippedConstellations, BothSidesOfTheCamUmiEdgeNearPlus80) {
    const auto& names = data().outlineNames();
    const auto cam = std::find(names.begin(), names.end(), "Cam") - names.begin();
    const auto umi = std::find(names.begin(), names.end(), "UMi") - names.begin();
    ASSERT_LT(static_cast<std::size_t>(cam), names.size());
    ASSERT_LT(static_cast<std::size_t>(umi), names.size());
    const auto& a = data().outlines()[static_cast<std::size_t>(cam)];
    const auto& b = data().outlines()[static_cast<std::size_t>(umi)];
    int checked = 0;
    for (std::size_t i = 1; i < a.size(); ++i) {
        const astro::SkyPoint& p = a[i - 1];
        const astro::SkyPoint& q = a[i];
        // Pieces of the parallel, not of the meridians that meet it at 13 h 35 m and 14 h 30 m.
        if (p.dec() < 78.5 || p.dec() > 81.5 || p.ra() < 13.3 || p.ra() > 14.8 ||
            std::abs(p.dec() - q.dec()) > 0.1)
            continue;
        // The two outlines may run along the edge in either direction.
        auto same = [](const astro::SkyPoint& u, const astro::SkyPoint& v) {
            return u.ra() == v.ra() && u.dec() == v.dec();
        };
        bool shared = false;
        for (std::size_t k = 1; k < b.size(); ++k)
            shared = shared || (same(b[k - 1], p) && same(b[k], q)) ||
                     (same(b[k - 1], q) && same(b[k], p));
        if (!shared)
            continue;
        // Midpoint and the edge's pole; step 0.01 degree to either side.
        const double mx = p.x() + q.x(), my = p.y() + q.y(), mz = p.z() + q.z();
        double nx = p.y() * q.z() - p.z() * q.y();
        double ny = p.z() * q.x() - p.x() * q.z();
        double nz = p.x() * q.y() - p.y() * q.x();
        const double nn = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double mm = std::sqrt(mx * mx + my * my + mz * mz);
        const double e = 0.01 * kRad;
        nx /= nn, ny /= nn, nz /= nn;
        if (ny < 0)
            nx = -nx, ny = -ny, nz = -nz;
        const astro::SkyPoint north =
            astro::unitDirection(mx / mm + e * nx, my / mm + e * ny, mz / mm + e * nz);
        const astro::SkyPoint south =
            astro::unitDirection(mx / mm - e * nx, my / mm - e * ny, mz / mm - e * nz);
        EXPECT_EQ(data().FindConstellationAt(north), "Cam") << north.ra() << " " << north.dec();
        EXPECT_EQ(data().FindConstellationAt(south), "UMi") << south.ra() << " " << south.dec();
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

// ---- independent point-in-polygon on the J2000 outlines -----------------------------------------

struct V3 {
    double x, y, z;
};
V3 vec(const astro::SkyPoint& p) {
    return {p.x(), p.y(), p.z()};
}
V3 cross(const V3& a, const V3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const V3& a, const V3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 unit(const V3& a) {
    const double n = std::sqrt(dot(a, a));
    return {a.x / n, a.y / n, a.z / n};
}
double angle(const V3& a, const V3& b) {
    const V3 c = cross(a, b);
    return std::atan2(std::sqrt(dot(c, c)), dot(a, b));
}

// Distance (radians) from x to the great-circle arc a-b.
double arcDistance(const V3& x, const V3& a, const V3& b) {
    const V3 n = unit(cross(a, b));
    if (dot(cross(a, x), n) >= 0 && dot(cross(x, b), n) >= 0)
        return std::abs(std::asin(std::clamp(dot(x, n), -1.0, 1.0)));
    return std::min(angle(x, a), angle(x, b));
}

// +1 when the interior of the closed ring (last point = first) lies to the left of the
// direction of travel, seen from outside the sphere: the sum of its turning angles is then
// positive (2 pi minus its area).
int interiorSide(const std::vector<V3>& ring) {
    const std::size_t n = ring.size() - 1;
    double turning = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const V3& a = ring[(i + n - 1) % n];
        const V3& b = ring[i];
        const V3& c = ring[(i + 1) % n];
        const V3 tin = cross(cross(a, b), b);
        const V3 tout = cross(cross(b, c), b);
        turning += std::atan2(dot(cross(tin, tout), b), dot(tin, tout));
    }
    return turning > 0 ? 1 : -1;
}

// How often the ring winds counter-clockwise around p (seen from outside).
int winding(const std::vector<V3>& ring, const V3& p) {
    const V3 axis = std::abs(p.y) < 0.9 ? V3{0, 1, 0} : V3{1, 0, 0};
    const V3 e1 = unit(cross(axis, p));
    const V3 e2 = cross(p, e1);
    double sum = 0.0;
    double prev = std::atan2(dot(ring[0], e2), dot(ring[0], e1));
    for (std::size_t i = 1; i < ring.size(); ++i) {
        const double az = std::atan2(dot(ring[i], e2), dot(ring[i], e1));
        double d = az - prev;
        while (d > std::numbers::pi)
            d -= 2 * std::numbers::pi;
        while (d < -std::numbers::pi)
            d += 2 * std::numbers::pi;
        sum += d;
        prev = az;
    }
    return static_cast<int>(std::lround(sum / (2 * std::numbers::pi)));
}

TEST_F(ShippedConstellations, RandomPointsLieInsideTheOutlineOfTheirConstellation) {
    std::vector<std::vector<V3>> rings;
    std::vector<int> sides;
    for (const auto& o : data().outlines()) {
        std::vector<V3> r;
        for (const auto& p : o)
            r.push_back(vec(p));
        sides.push_back(interiorSide(r));
        rings.push_back(std::move(r));
    }
    const double margin = 0.02 * kRad;
    int tested = 0;
    while (tested < 100) {
        const V3 p = vec(testutil::randomDirection());
        const V3 anti{-p.x, -p.y, -p.z};
        bool nearEdge = false;
        for (const auto& r : rings)
            for (std::size_t i = 1; i < r.size() && !nearEdge; ++i)
                nearEdge = arcDistance(p, r[i - 1], r[i]) < margin ||
                           arcDistance(anti, r[i - 1], r[i]) < margin;
        if (nearEdge)
            continue;
        std::vector<std::string> inside;
        for (std::size_t k = 0; k < rings.size(); ++k)
            if (winding(rings[k], p) * sides[k] == 1) {
                std::string name = data().outlineNames()[k];
                if (std::isdigit(static_cast<unsigned char>(name.back())))
                    name.pop_back(); // Ser1, Ser2
                inside.push_back(name);
            }
        const astro::SkyPoint sp(p.x, p.y, p.z);
        ASSERT_EQ(inside.size(), 1u) << sp.ra() << " " << sp.dec();
        EXPECT_EQ(data().FindConstellationAt(sp), inside[0]) << sp.ra() << " " << sp.dec();
        ++tested;
    }
}

} // namespace
