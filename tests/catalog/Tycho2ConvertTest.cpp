#include "catalog/Tycho2Convert.h"
#include "catalog/TychoStore.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kDeg = 0.017453292519943295;

// ---- Writing the official fixed-column formats ------------------------------------------------

// A number right-aligned in width columns, or blanks when absent.
std::string num(std::optional<double> v, int width, int decimals) {
    if (!v)
        return std::string(static_cast<std::size_t>(width), ' ');
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, *v);
    return buf;
}

std::string tyc(int t1, int t2, int t3) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d %05d %d", t1, t2, t3);
    return buf;
}

struct CatalogStar {
    int t1, t2, t3;
    std::optional<double> meanRA, meanDec; // blank: pflag X
    std::optional<double> bt, vt;
    double obsRA = 0.0, obsDec = 0.0;
};

std::string catalogLine(const CatalogStar& s) {
    const bool mean = s.meanRA.has_value();
    const auto some = [&](double v) { return mean ? std::optional<double>(v) : std::nullopt; };
    std::string l =
        tyc(s.t1, s.t2, s.t3) + "|" + (mean ? " " : "X") + "|" + num(s.meanRA, 12, 8) + "|" +
        num(s.meanDec, 12, 8) + "|" + num(some(-12.5), 7, 1) + "|" + num(some(3.4), 7, 1) + "|" +
        num(some(40), 3, 0) + "|" + num(some(41), 3, 0) + "|" + num(some(2.1), 4, 1) + "|" +
        num(some(2.2), 4, 1) + "|" + num(some(1989.12), 7, 2) + "|" + num(some(1990.03), 7, 2) +
        "|" + num(some(5), 2, 0) + "|" + num(1.1, 3, 1) + "|" + num(0.9, 3, 1) + "|" +
        num(1.0, 3, 1) + "|" + num(1.2, 3, 1) + "|" + num(s.bt, 6, 3) + "|" +
        num(s.bt ? 0.1 : std::optional<double>(), 5, 3) + "|" + num(s.vt, 6, 3) + "|" +
        num(s.vt ? 0.1 : std::optional<double>(), 5, 3) + "|999|T|" + std::string(9, ' ') + "|" +
        num(s.obsRA, 12, 8) + "|" + num(s.obsDec, 12, 8) + "|1.62|1.71| 55.0| 60.1| |-0.2";
    return l;
}

struct SupplementStar {
    int t1, t2, t3;
    char flag; // H or T
    double ra, dec;
    std::optional<double> pmRA, pmDE;
    char mflag;
    std::optional<double> bt, vt;
};

std::string supplementLine(const SupplementStar& s) {
    return tyc(s.t1, s.t2, s.t3) + "|" + s.flag + "|" + num(s.ra, 12, 8) + "|" + num(s.dec, 12, 8) +
           "|" + num(s.pmRA, 7, 1) + "|" + num(s.pmDE, 7, 1) + "|" + num(12.0, 5, 1) + "|" +
           num(11.0, 5, 1) + "|" + num(s.pmRA ? 1.5 : std::optional<double>(), 5, 1) + "|" +
           num(s.pmDE ? 1.5 : std::optional<double>(), 5, 1) + "|" + s.mflag + "|" +
           num(s.bt, 6, 3) + "|" + num(s.bt ? 0.2 : std::optional<double>(), 5, 3) + "|" +
           num(s.vt, 6, 3) + "|" + num(s.vt ? 0.2 : std::optional<double>(), 5, 3) + "|123| |" +
           (s.flag == 'H' ? "  1234A" : "       ");
}

void writeText(const fs::path& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& l : lines)
        out << l << "\r\n";
}

// ---- Reading the converted files --------------------------------------------------------------

std::vector<unsigned char> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int64_t le(const std::vector<unsigned char>& b, std::size_t at, int width) {
    std::uint64_t u = 0;
    for (int i = width - 1; i >= 0; --i)
        u = (u << 8) | b.at(at + static_cast<std::size_t>(i));
    const int shift = 64 - 8 * width;
    return static_cast<std::int64_t>(u << shift) >> shift; // sign-extend
}

struct Record {
    int packed, tyc2;
    std::int64_t x, y, z;
    int bt, vt;
};

std::vector<Record> starRecords(const fs::path& path) {
    const auto b = readBytes(path);
    EXPECT_EQ(b.size() % 20, 0u) << path;
    std::vector<Record> out;
    for (std::size_t at = 0; at + 20 <= b.size(); at += 20)
        out.push_back(Record{static_cast<int>(le(b, at, 2)), static_cast<int>(le(b, at + 2, 2)),
                             le(b, at + 4, 4), le(b, at + 8, 4), le(b, at + 12, 4),
                             static_cast<int>(le(b, at + 16, 2)),
                             static_cast<int>(le(b, at + 18, 2))});
    return out;
}

struct IndexRecord {
    std::int64_t firstCatalog, firstSupplement;
    double raMin, raMax, decMin, decMax;
};

std::vector<IndexRecord> indexRecords(const fs::path& path) {
    const auto b = readBytes(path);
    EXPECT_EQ(b.size() % 40, 0u);
    const auto f64 = [&](std::size_t at) {
        return std::bit_cast<double>(static_cast<std::uint64_t>(le(b, at, 8)));
    };
    std::vector<IndexRecord> out;
    for (std::size_t at = 0; at + 40 <= b.size(); at += 40)
        out.push_back(IndexRecord{le(b, at, 4), le(b, at + 4, 4), f64(at + 8), f64(at + 16),
                                  f64(at + 24), f64(at + 32)});
    return out;
}

// Angle in arc seconds between a stored direction and (ra, dec) in degrees.
double offsetArcsec(const Record& r, double ra, double dec) {
    const double x = std::cos(dec * kDeg) * std::cos(ra * kDeg);
    const double y = std::sin(dec * kDeg);
    const double z = std::cos(dec * kDeg) * std::sin(ra * kDeg);
    const double a[3] = {r.x / 1e9, r.y / 1e9, r.z / 1e9};
    const double cx = a[1] * z - a[2] * y, cy = a[2] * x - a[0] * z, cz = a[0] * y - a[1] * x;
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), a[0] * x + a[1] * y + a[2] * z) /
           kDeg * 3600.0;
}

const Record* findRecord(const std::vector<Record>& records, int packed, int tyc2) {
    const auto it = std::find_if(records.begin(), records.end(), [&](const Record& r) {
        return r.packed == packed && r.tyc2 == tyc2;
    });
    return it == records.end() ? nullptr : &*it;
}

// ---- Resident SKY2000 records ----------------------------------------------------------------

struct Direction {
    double x, y, z;
};

Direction direction(double ra, double dec) {
    return {std::cos(dec * kDeg) * std::cos(ra * kDeg), std::sin(dec * kDeg),
            std::cos(dec * kDeg) * std::sin(ra * kDeg)};
}

double separationArcsec(const Direction& a, const Direction& b) {
    const double cx = a.y * b.z - a.z * b.y, cy = a.z * b.x - a.x * b.z, cz = a.x * b.y - a.y * b.x;
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), a.x * b.x + a.y * b.y + a.z * b.z) /
           kDeg * 3600.0;
}

// The direction `arcsec` away from d towards position angle pa (radians).
Direction offsetBy(const Direction& d, double arcsec, double pa) {
    const double ra = std::atan2(d.z, d.x);
    const double dec = std::asin(d.y);
    const Direction east{-std::sin(ra), 0.0, std::cos(ra)};
    const Direction north{-std::sin(dec) * std::cos(ra), std::cos(dec),
                          -std::sin(dec) * std::sin(ra)};
    const double r = arcsec / 3600.0 * kDeg;
    const double e = std::sin(r) * std::sin(pa), n = std::sin(r) * std::cos(pa);
    return {d.x * std::cos(r) + e * east.x + n * north.x,
            d.y * std::cos(r) + e * east.y + n * north.y,
            d.z * std::cos(r) + e * east.z + n * north.z};
}

// A 64-byte record: identifier (0/0 for none) and the direction as int32 x 1e9, rest zero.
void addResident(std::vector<unsigned char>& file, int packed, int tyc2, const Direction& d) {
    std::vector<unsigned char> r(catalog::kSky2000RecordBytes, 0);
    const auto put = [&](std::size_t at, std::int64_t v, int width) {
        for (int i = 0; i < width; ++i)
            r[at + static_cast<std::size_t>(i)] =
                static_cast<unsigned char>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF);
    };
    put(0, packed, 2);
    put(2, tyc2, 2);
    put(4, std::llround(d.x * 1e9), 4);
    put(8, std::llround(d.y * 1e9), 4);
    put(12, std::llround(d.z * 1e9), 4);
    file.insert(file.end(), r.begin(), r.end());
}

// The direction a resident record stands for after its x 1e9 rounding.
Direction stored(const Direction& d) {
    return {static_cast<double>(std::llround(d.x * 1e9)) / 1e9,
            static_cast<double>(std::llround(d.y * 1e9)) / 1e9,
            static_cast<double>(std::llround(d.z * 1e9)) / 1e9};
}

void writeBytes(const fs::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// ---- The fixture ------------------------------------------------------------------------------
//
// Region 1: faint stars, a bright one by VT, one bright by BT alone (no VT), one at exactly
//           9.5, a faint one with TYC3 2 and no VT; a supplement star with proper motion.
// Region 2: no stars. Region 3: a star without a mean position and a truncated line.
// Region 5: 1,800 catalogue stars and one supplement star, 1,801 together; the faintest is
//           catalogue star 5-777-1. Region 7: supplement only. Region 9000: a supplement star
//           with TYC3 4 (cannot be packed). Region 9537: TYC3 3, index line without bounds.

constexpr int kFaintestTyc2 = 777;

struct Fixture {
    explicit Fixture(const std::string& tag) : temp("tycho2-" + tag) {}

    testutil::TempDir temp;
    fs::path dir = temp.path();
    catalog::Tycho2Inputs inputs;
    std::vector<std::string> catalogLines;
};

Fixture writeFixture(const std::string& tag) {
    Fixture f(tag);
    std::vector<CatalogStar> stars = {
        {1, 1, 1, 10.0, 5.0, 11.2, 10.8, 10.0, 5.0},
        {1, 2, 1, 10.5, 5.5, 8.6, 8.0, 10.5, 5.5},
        {1, 3, 1, 10.6, 5.6, 9.2, std::nullopt, 10.6, 5.6},
        {1, 4, 2, 10.7, 5.7, 10.5, std::nullopt, 10.7, 5.7},
        {1, 5, 1, 10.8, 5.8, 10.1, 9.5, 10.8, 5.8},
        {3, 1, 1, std::nullopt, std::nullopt, 11.5, 11.0, 40.0, -20.0},
        {3, 2, 1, 41.0, -21.0, 11.5, 11.0, 41.0, -21.0}, // truncated below
        {3, 3, 1, 42.0, -22.0, 12.5, 12.0, 42.0, -22.0},
    };
    for (int i = 1; i <= 1800; ++i) {
        const double vt = i == kFaintestTyc2 ? 13.0 : 10.0 + 0.001 * i;
        stars.push_back({5, i, 1, 70.0 + 0.001 * i, 30.0, vt + 0.5, vt, 70.0, 30.0});
    }
    stars.push_back({9537, 1, 3, 350.0, -80.0, 12.5, 12.0, 350.0, -80.0});
    std::vector<int> perRegionCatalog(catalog::kTycho2Regions + 1, 0);
    for (const CatalogStar& s : stars) {
        f.catalogLines.push_back(catalogLine(s));
        ++perRegionCatalog[static_cast<std::size_t>(s.t1)];
    }
    f.catalogLines[6].resize(150); // a truncated line still occupies a record of the original

    const std::vector<SupplementStar> supplement = {
        {1, 6, 1, 'H', 10.2, 5.2, 1000.0, -500.0, ' ', 10.9, 10.1},
        {5, 1801, 1, 'T', 70.5, 30.5, std::nullopt, std::nullopt, ' ', 11.0, 10.5},
        {7, 1, 1, 'T', 80.0, 40.0, std::nullopt, std::nullopt, ' ', 8.1, 7.5},
        {7, 2, 1, 'T', 80.1, 40.1, std::nullopt, std::nullopt, 'B', 12.0, std::nullopt},
        {9000, 1, 4, 'T', 200.0, 10.0, std::nullopt, std::nullopt, ' ', 11.0, 10.5},
    };
    std::vector<std::string> supplementLines;
    std::vector<int> perRegionSupplement(catalog::kTycho2Regions + 1, 0);
    for (const SupplementStar& s : supplement) {
        supplementLines.push_back(supplementLine(s));
        ++perRegionSupplement[static_cast<std::size_t>(s.t1)];
    }

    // index.dat as the official one: record numbers from 1, a closing line, bounds in degrees.
    std::vector<std::string> indexLines;
    long recCatalog = 1, recSupplement = 1;
    for (int region = 1; region <= catalog::kTycho2Regions + 1; ++region) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%7ld|%6ld|", recCatalog, recSupplement);
        std::string line = buf;
        if (region == catalog::kTycho2Regions) {
            line += "      |      |      |      ";
        } else {
            const double raMin = (region % 48) * 7.5 - 0.01;
            const double decMin = -90.0 + (region % 23) * 7.5;
            std::snprintf(buf, sizeof buf, "%6.2f|%6.2f|%6.2f|%6.2f", raMin, raMin + 7.52, decMin,
                          decMin + 7.51);
            line += buf;
        }
        indexLines.push_back(line);
        if (region <= catalog::kTycho2Regions) {
            recCatalog += perRegionCatalog[static_cast<std::size_t>(region)];
            recSupplement += perRegionSupplement[static_cast<std::size_t>(region)];
        }
    }

    f.inputs.catalog = (f.dir / "catalog.dat").string();
    f.inputs.supplement = (f.dir / "suppl_1.dat").string();
    f.inputs.index = (f.dir / "index.dat").string();
    writeText(f.inputs.catalog, f.catalogLines);
    writeText(f.inputs.supplement, supplementLines);
    writeText(f.inputs.index, indexLines);
    return f;
}

class Tycho2Convert : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fixture_ = new Fixture(writeFixture("main"));
        out_ = new fs::path(fixture_->dir / "out");
        fs::create_directories(*out_);
        report_ =
            new catalog::Tycho2Report(catalog::convertTycho2(fixture_->inputs, out_->string()));
    }
    static void TearDownTestSuite() {
        delete report_;
        delete out_;
        delete fixture_;
    }
    static Fixture* fixture_;
    static fs::path* out_;
    static catalog::Tycho2Report* report_;
};

Fixture* Tycho2Convert::fixture_ = nullptr;
fs::path* Tycho2Convert::out_ = nullptr;
catalog::Tycho2Report* Tycho2Convert::report_ = nullptr;

} // namespace

TEST_F(Tycho2Convert, FixtureLinesHaveTheOfficialLengths) {
    // Guards the fixture itself: a builder slip would test the parser against a wrong format.
    EXPECT_EQ(fixture_->catalogLines[0].size(), 206u);
    EXPECT_EQ(fixture_->catalogLines[5].size(), 206u);
    EXPECT_EQ(supplementLine({1, 1, 1, 'H', 1, 1, 1.0, 1.0, ' ', 1.0, 1.0}).size(), 122u);
}

TEST_F(Tycho2Convert, RecordCountsAndIndex) {
    const auto cat = starRecords(*out_ / "tycho_2.skd");
    const auto sup = starRecords(*out_ / "supply_1.skd");
    const auto bright = starRecords(*out_ / "tycho_2_b.skd");
    const auto index = indexRecords(*out_ / "tycho_2_index.skd");
    // Region 1: 2 faint, region 3: 2 (one line malformed), region 5: 1,799, region 9537: 1.
    EXPECT_EQ(cat.size(), 2u + 2u + 1799u + 1u);
    EXPECT_EQ(sup.size(), 3u);
    EXPECT_EQ(bright.size(), 4u);
    ASSERT_EQ(index.size(), static_cast<std::size_t>(catalog::kTycho2Regions) + 1);

    // Record i describes TYC1 = i + 1; first record numbers count from 1.
    const std::vector<std::pair<int, std::pair<int, int>>> firsts = {
        {1, {1, 1}},       {2, {3, 2}},       {3, {3, 2}},      {4, {5, 2}},
        {5, {5, 2}},       {6, {1804, 3}},    {7, {1804, 3}},   {8, {1804, 4}},
        {9000, {1804, 4}}, {9001, {1804, 4}}, {9537, {1804, 4}}};
    for (const auto& [region, first] : firsts) {
        const IndexRecord& r = index[static_cast<std::size_t>(region - 1)];
        EXPECT_EQ(r.firstCatalog, first.first) << "region " << region;
        EXPECT_EQ(r.firstSupplement, first.second) << "region " << region;
    }
    // The closing record points one past the last records.
    EXPECT_EQ(index.back().firstCatalog, static_cast<std::int64_t>(cat.size()) + 1);
    EXPECT_EQ(index.back().firstSupplement, static_cast<std::int64_t>(sup.size()) + 1);

    // Every region's records carry its TYC1, and the numbers never go backwards.
    for (std::size_t i = 0; i + 1 < index.size(); ++i) {
        ASSERT_LE(index[i].firstCatalog, index[i + 1].firstCatalog);
        ASSERT_LE(index[i].firstSupplement, index[i + 1].firstSupplement);
        for (auto k = index[i].firstCatalog; k < index[i + 1].firstCatalog; ++k)
            ASSERT_EQ(cat[static_cast<std::size_t>(k - 1)].packed % 10000, static_cast<int>(i) + 1);
        for (auto k = index[i].firstSupplement; k < index[i + 1].firstSupplement; ++k)
            ASSERT_EQ(sup[static_cast<std::size_t>(k - 1)].packed % 10000, static_cast<int>(i) + 1);
    }
}

TEST_F(Tycho2Convert, RegionBoundsFromIndexElseFromStars) {
    const auto index = indexRecords(*out_ / "tycho_2_index.skd");
    ASSERT_EQ(index.size(), 9538u);
    // Region 2 (no stars) keeps the bounds index.dat gives: 2 x 7.5 - 0.01 = 14.99 etc.
    EXPECT_DOUBLE_EQ(index[1].raMin, 14.99);
    EXPECT_DOUBLE_EQ(index[1].raMax, 22.51);
    EXPECT_DOUBLE_EQ(index[1].decMin, -75.0);
    EXPECT_DOUBLE_EQ(index[1].decMax, -67.49);
    // Region 9537 has no bounds in index.dat: the box of its one star at (350, -80).
    const IndexRecord& last = index[9536];
    EXPECT_NEAR(last.raMin, 350.0, 0.011);
    EXPECT_NEAR(last.raMax, 350.0, 0.011);
    EXPECT_LE(last.raMin, 350.0);
    EXPECT_GE(last.raMax, 350.0);
    EXPECT_LE(last.decMin, -80.0);
    EXPECT_GE(last.decMax, -80.0);
    EXPECT_NEAR(last.decMin, -80.0, 0.011);
    EXPECT_EQ(report_->boundsFromIndex, catalog::kTycho2Regions - 1);
    EXPECT_EQ(report_->boundsFromStars, 1);
    EXPECT_EQ(report_->boundsZero, 0);
}

TEST_F(Tycho2Convert, EncodingsOfPositionMagnitudeAndIdentifier) {
    const auto cat = starRecords(*out_ / "tycho_2.skd");
    const auto sup = starRecords(*out_ / "supply_1.skd");

    const Record* first = findRecord(cat, 1, 1);
    ASSERT_NE(first, nullptr);
    const double d = 5.0 * kDeg, a = 10.0 * kDeg;
    EXPECT_NEAR(static_cast<double>(first->x), std::cos(d) * std::cos(a) * 1e9, 1.0);
    EXPECT_NEAR(static_cast<double>(first->y), std::sin(d) * 1e9, 1.0);
    EXPECT_NEAR(static_cast<double>(first->z), std::cos(d) * std::sin(a) * 1e9, 1.0);
    EXPECT_EQ(first->bt, 11200);
    EXPECT_EQ(first->vt, 10800);

    // TYC 1-4-2: component 2 packs as 10001; no VT gives -10000.
    const Record* second = findRecord(cat, 10001, 4);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->bt, 10500);
    EXPECT_EQ(second->vt, -10000);

    // TYC 9537-1-3 packs as 29537.
    const Record* last = findRecord(cat, 29537, 1);
    ASSERT_NE(last, nullptr);
    EXPECT_LT(offsetArcsec(*last, 350.0, -80.0), 0.001);

    // No mean position (pflag X): the observed position is used.
    const Record* observed = findRecord(cat, 3, 1);
    ASSERT_NE(observed, nullptr);
    EXPECT_LT(offsetArcsec(*observed, 40.0, -20.0), 0.001);
    EXPECT_EQ(report_->observedPositions, 1);

    // A supplement star with proper motion is carried from 1991.25 to 2000.
    const Record* moving = findRecord(sup, 1, 6);
    ASSERT_NE(moving, nullptr);
    const double years = 8.75;
    const double dec2000 = 5.2 + (-500.0 * years) / 3.6e6;
    const double ra2000 = 10.2 + (1000.0 * years) / 3.6e6 / std::cos(5.2 * kDeg);
    EXPECT_LT(offsetArcsec(*moving, ra2000, dec2000), 0.01);
    EXPECT_GT(offsetArcsec(*moving, 10.2, 5.2), 9.0);
    // A supplement star with BT only.
    const Record* blueOnly = findRecord(sup, 7, 2);
    ASSERT_NE(blueOnly, nullptr);
    EXPECT_EQ(blueOnly->bt, 12000);
    EXPECT_EQ(blueOnly->vt, -10000);
}

TEST_F(Tycho2Convert, BrightStarsGoToTheBrightFile) {
    const auto cat = starRecords(*out_ / "tycho_2.skd");
    const auto sup = starRecords(*out_ / "supply_1.skd");
    const auto bright = starRecords(*out_ / "tycho_2_b.skd");
    // In region order, catalogue before supplement: 1-2-1 (VT 8.0), 1-3-1 (BT 9.2, no VT),
    // 1-5-1 (VT exactly 9.5), then supplement 7-1-1 (VT 7.5).
    ASSERT_EQ(bright.size(), 4u);
    EXPECT_EQ(bright[0].packed, 1);
    EXPECT_EQ(bright[0].tyc2, 2);
    EXPECT_EQ(bright[0].vt, 8000);
    EXPECT_EQ(bright[0].bt, 8600);
    EXPECT_EQ(bright[1].tyc2, 3);
    EXPECT_EQ(bright[1].vt, -10000);
    EXPECT_EQ(bright[1].bt, 9200);
    EXPECT_EQ(bright[2].tyc2, 5);
    EXPECT_EQ(bright[2].vt, 9500);
    EXPECT_EQ(bright[3].packed, 7);
    EXPECT_EQ(bright[3].tyc2, 1);
    EXPECT_LT(offsetArcsec(bright[3], 80.0, 40.0), 0.001);
    // None of them is also in a region file.
    for (const Record& b : bright) {
        EXPECT_EQ(findRecord(cat, b.packed, b.tyc2), nullptr);
        EXPECT_EQ(findRecord(sup, b.packed, b.tyc2), nullptr);
    }
    EXPECT_EQ(report_->catalog.bright, 3);
    EXPECT_EQ(report_->supplement.bright, 1);
}

TEST_F(Tycho2Convert, OverfullRegionLosesItsFaintestStar) {
    const auto cat = starRecords(*out_ / "tycho_2.skd");
    const auto sup = starRecords(*out_ / "supply_1.skd");
    const auto index = indexRecords(*out_ / "tycho_2_index.skd");
    const auto inRegion = [](const std::vector<IndexRecord>& idx, int region, bool catalogue) {
        const auto& a = idx[static_cast<std::size_t>(region - 1)];
        const auto& b = idx[static_cast<std::size_t>(region)];
        return catalogue ? b.firstCatalog - a.firstCatalog : b.firstSupplement - a.firstSupplement;
    };
    // 1,800 catalogue + 1 supplement star: the limit holds for the two files together.
    EXPECT_EQ(inRegion(index, 5, true) + inRegion(index, 5, false), 1800);
    EXPECT_EQ(inRegion(index, 5, false), 1);
    EXPECT_EQ(findRecord(cat, 5, kFaintestTyc2), nullptr);
    EXPECT_NE(findRecord(cat, 5, kFaintestTyc2 - 1), nullptr);
    EXPECT_NE(findRecord(cat, 5, 1800), nullptr); // the faintest of the kept ones, 11.8
    EXPECT_NE(findRecord(sup, 5, 1801), nullptr);
    // The kept stars stay in catalogue order.
    const auto firstOf5 = static_cast<std::size_t>(index[4].firstCatalog - 1);
    for (std::size_t k = firstOf5 + 1; k < firstOf5 + 1799; ++k)
        ASSERT_LT(cat[k - 1].tyc2, cat[k].tyc2);
    EXPECT_EQ(report_->catalog.dropped, 1);
    EXPECT_EQ(report_->supplement.dropped, 0);
    EXPECT_EQ(report_->overfullRegions, 1);
}

TEST_F(Tycho2Convert, ProblemsAreCountedAndReported) {
    EXPECT_EQ(report_->catalog.lines, 1809);
    EXPECT_EQ(report_->catalog.malformed, 1);
    EXPECT_EQ(report_->supplement.malformed, 0);
    EXPECT_EQ(report_->supplement.unpackable, 1); // TYC 9000-1-4 does not fit 16 bits
    EXPECT_EQ(report_->catalog.outOfOrder, 0);
    EXPECT_EQ(report_->indexMalformed, 0);
    // The truncated line still counts in index.dat's record numbers of region 3.
    EXPECT_EQ(report_->indexCountMismatches, 1);
    ASSERT_FALSE(report_->samples.empty());
    EXPECT_NE(report_->samples.front().find("catalog.dat line 7"), std::string::npos)
        << report_->samples.front();
    EXPECT_EQ(report_->indexRecords, 9538);
}

TEST(Tycho2ConvertResident, SkipsBrightStarsAlreadyResidentAndIsDeterministic) {
    const Fixture f = writeFixture("resident");
    // Four SKY2000 records: TYC 1-2-1 without a position; a star with neither identifier nor
    // position; a star without identifier (0/0) exactly where the bright 1-3-1 is; and one 30"
    // from the bright 1-5-1.
    std::vector<unsigned char> sky(2 * catalog::kSky2000RecordBytes, 0);
    sky[0] = 1;
    sky[2] = 2;
    sky[catalog::kSky2000RecordBytes + 20] = 7; // an HD number only
    addResident(sky, 0, 0, direction(10.6, 5.6));
    addResident(sky, 0, 0, offsetBy(direction(10.8, 5.8), 30.0, 0.7));
    const fs::path resident = f.dir / "SKY2000_data.skd";
    writeBytes(resident, sky);

    catalog::Tycho2Inputs inputs = f.inputs;
    inputs.resident = resident.string();
    const fs::path outA = f.dir / "a", outB = f.dir / "b";
    fs::create_directories(outA);
    fs::create_directories(outB);
    const auto report = catalog::convertTycho2(inputs, outA.string());
    catalog::convertTycho2(inputs, outB.string());

    const auto bright = starRecords(outA / "tycho_2_b.skd");
    ASSERT_EQ(bright.size(), 2u);
    EXPECT_EQ(findRecord(bright, 1, 2), nullptr); // by identifier
    EXPECT_EQ(findRecord(bright, 1, 3), nullptr); // by position
    EXPECT_NE(findRecord(bright, 1, 5), nullptr); // 30" off: another star
    EXPECT_NE(findRecord(bright, 7, 1), nullptr);
    EXPECT_EQ(report.catalog.resident, 2);
    EXPECT_EQ(report.supplement.resident, 0);
    EXPECT_EQ(report.residentByPosition, 1);
    EXPECT_EQ(report.residentRecords, 4);
    EXPECT_EQ(report.residentPositions, 2);
    EXPECT_EQ(report.residentIdentifiers, 1);
    // Skipped stars go nowhere else either.
    EXPECT_EQ(findRecord(starRecords(outA / "tycho_2.skd"), 1, 3), nullptr);

    for (const char* name : {"tycho_2.skd", "supply_1.skd", "tycho_2_b.skd", "tycho_2_index.skd"}) {
        EXPECT_EQ(readBytes(outA / name), readBytes(outB / name)) << name;
        EXPECT_FALSE(fs::exists(outA / (std::string(name) + ".tmp"))) << name;
    }
    // The converted files pass the checks the program makes of them.
    const std::vector<std::string> damage = catalog::TychoStore::CheckFiles(outA);
    EXPECT_TRUE(damage.empty()) << damage.front();
}

TEST(Tycho2ConvertResident, PositionMatchAgreesWithAFullComparisonAllOverTheSky) {
    Fixture f = writeFixture("resident-sky");
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    // Bright stars of region 1 (positions need not lie in the region) and the offset of the
    // resident star made for each, in arc seconds; negative: none.
    struct Placed {
        double ra, dec, offset;
    };
    std::vector<Placed> placed = {
        {359.99999, 12.0, -1.0}, // resident across RA 0 (below)
        {10.0, 89.9995, -1.0},   // resident on the far side of the north pole (below)
        {45.0, -89.998, -1.0},   // the same at the south pole, but 14.4" apart (below)
        {123.4, 33.3, 9.0},      {200.0, -45.0, 11.0}, // just inside, just outside
        {0.0, 0.0, 0.0},         {0.0, 90.0, 5.0},     {180.0, -89.99, 10.5},
    };
    for (int i = 0; i < 2000; ++i) {
        const double ra = 360.0 * unit(rng);
        const double dec = std::asin(2.0 * unit(rng) - 1.0) / kDeg;
        const double pick = unit(rng);
        const double offset = pick < 0.25   ? -1.0
                              : pick < 0.60 ? 9.5 * unit(rng)
                                            : 10.5 + 40.0 * unit(rng);
        placed.push_back({ra, dec, offset});
    }

    std::vector<unsigned char> sky;
    std::vector<Direction> residents;
    const auto addAt = [&](const Direction& d) {
        addResident(sky, 0, 0, d);
        residents.push_back(stored(d));
    };
    addAt(direction(0.0005, 12.0));
    addAt(direction(190.0, 89.9995));
    addAt(direction(225.0, -89.998));
    std::vector<std::string> lines;
    std::vector<Direction> tycho;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Placed& p = placed[i];
        lines.push_back(
            catalogLine({1, static_cast<int>(i) + 1, 1, p.ra, p.dec, 8.6, 8.0, p.ra, p.dec}));
        // The position as the line gives it, to 8 decimals.
        tycho.push_back(direction(std::round(p.ra * 1e8) / 1e8, std::round(p.dec * 1e8) / 1e8));
        if (p.offset >= 0.0)
            addAt(offsetBy(tycho.back(), p.offset, 2.0 * std::numbers::pi * unit(rng)));
    }
    for (int i = 0; i < 20000; ++i) // field stars, not made near any bright one
        addAt(direction(360.0 * unit(rng), std::asin(2.0 * unit(rng) - 1.0) / kDeg));

    writeText(f.inputs.catalog, lines);
    writeText(f.inputs.supplement, {});
    const fs::path resident = f.dir / "SKY2000_data.skd";
    writeBytes(resident, sky);
    catalog::Tycho2Inputs inputs = f.inputs;
    inputs.resident = resident.string();
    const fs::path out = f.dir / "out";
    fs::create_directories(out);
    const auto report = catalog::convertTycho2(inputs, out.string());
    const auto bright = starRecords(out / "tycho_2_b.skd");

    int expectedSkipped = 0, nearMisses = 0, closeCalls = 0;
    for (std::size_t i = 0; i < tycho.size(); ++i) {
        double nearest = 1e9;
        for (const Direction& r : residents)
            nearest = std::min(nearest, separationArcsec(tycho[i], r));
        const bool skip = nearest <= catalog::kResidentMatchArcsec;
        expectedSkipped += skip ? 1 : 0;
        nearMisses += !skip && nearest < 12.0 ? 1 : 0;
        closeCalls += skip && nearest > 8.0 ? 1 : 0;
        EXPECT_EQ(findRecord(bright, 1, static_cast<int>(i) + 1) == nullptr, skip)
            << "star " << i << " at RA " << placed[i].ra << " Dec " << placed[i].dec
            << ", nearest resident " << nearest << "\"";
    }
    // The fixture exercises both sides of the radius closely.
    EXPECT_GT(nearMisses, 5);
    EXPECT_GT(closeCalls, 5);
    EXPECT_EQ(report.catalog.resident, expectedSkipped);
    EXPECT_EQ(report.residentByPosition, expectedSkipped);
    EXPECT_EQ(static_cast<std::int64_t>(bright.size()),
              static_cast<std::int64_t>(tycho.size()) - expectedSkipped);
    EXPECT_EQ(report.residentPositions, static_cast<std::int64_t>(residents.size()));
    EXPECT_EQ(report.residentIdentifiers, 0);

    // The special cases came out as their geometry says.
    EXPECT_EQ(findRecord(bright, 1, 1), nullptr); // 1.8" across RA 0
    EXPECT_EQ(findRecord(bright, 1, 2), nullptr); // 3.6" across the north pole
    EXPECT_NE(findRecord(bright, 1, 3), nullptr); // 14.4" across the south pole
    EXPECT_EQ(findRecord(bright, 1, 4), nullptr); // 9"
    EXPECT_NE(findRecord(bright, 1, 5), nullptr); // 11"
}

TEST(Tycho2ConvertBadInput, WrongFilesGiveClearErrorsAndNoOutput) {
    const Fixture f = writeFixture("bad");
    const fs::path out = f.dir / "out";
    fs::create_directories(out);
    const auto failsWith = [&](const catalog::Tycho2Inputs& in, const std::string& words) {
        try {
            catalog::convertTycho2(in, out.string());
        } catch (const catalog::Tycho2Error& e) {
            EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
            EXPECT_TRUE(fs::is_empty(out)) << "left files behind after: " << e.what();
            return;
        }
        ADD_FAILURE() << "no error; expected one about " << words;
    };

    catalog::Tycho2Inputs in = f.inputs;
    in.index = f.inputs.catalog; // the catalogue passed as the index
    failsWith(in, "Tycho-2 index.dat");

    in = f.inputs;
    in.catalog = f.inputs.index; // the index passed as the catalogue
    failsWith(in, "no line in the format of the Tycho-2 catalogue");

    in = f.inputs;
    in.supplement = (f.dir / "missing.dat").string();
    failsWith(in, "cannot open");

    in = f.inputs;
    const fs::path oddResident = f.dir / "odd.skd";
    std::ofstream(oddResident, std::ios::binary) << std::string(65, '\0');
    in.resident = oddResident.string();
    failsWith(in, "not a multiple of 64");

    const fs::path emptyIndex = f.dir / "empty.dat";
    std::ofstream(emptyIndex, std::ios::binary).put('\n');
    in = f.inputs;
    in.index = emptyIndex.string();
    failsWith(in, "no line in the format");
}

TEST(Tycho2ConvertBadInput, GarbledAndMisorderedLinesAreSkipped) {
    const Fixture f = writeFixture("garbled");
    std::vector<std::string> lines = f.catalogLines;
    lines.insert(lines.begin() + 3, std::string(100000, 'x')); // no structure, very long
    std::string letters = lines[0];
    letters.replace(15, 12, "  ab.cdefghi"); // RA not a number
    lines.insert(lines.begin() + 4, letters);
    std::string wideTyc = lines[0];
    wideTyc.replace(0, 4, "9999"); // region beyond 9537
    lines.insert(lines.begin() + 5, wideTyc);
    std::string noMagnitude = lines[0];
    noMagnitude.replace(110, 6, "      ");
    noMagnitude.replace(123, 6, "      ");
    lines.insert(lines.begin() + 6, noMagnitude);
    lines.push_back(lines[0]);        // region 1 again after region 9537
    lines.push_back("0001 00009 1|"); // cut short, last line without a line end
    {
        std::ofstream out(f.inputs.catalog, std::ios::binary);
        for (std::size_t i = 0; i < lines.size(); ++i)
            out << lines[i] << (i + 1 < lines.size() ? "\n" : "");
    }
    const fs::path out = f.dir / "out";
    fs::create_directories(out);
    const auto report = catalog::convertTycho2(f.inputs, out.string());
    EXPECT_EQ(report.catalog.malformed, 1 + 4 + 1);
    EXPECT_EQ(report.catalog.outOfOrder, 1);
    EXPECT_EQ(starRecords(out / "tycho_2.skd").size(), 1804u);
    EXPECT_EQ(starRecords(out / "tycho_2_b.skd").size(), 4u);
}
