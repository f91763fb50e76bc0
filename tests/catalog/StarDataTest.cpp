// Checks of the shipped resident star files (data/SKY2000_data.skd, bright_data.skd,
// tycho_2_b.skd), read byte by byte, against their record layouts and against the Bright Star
// Catalogue they were built from.

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";
constexpr double kPi = 3.14159265358979323846;

using testutil::readBytes;

int get16(const std::string& b, std::size_t at) {
    const auto u = static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                              (static_cast<unsigned char>(b[at + 1]) << 8));
    return static_cast<std::int16_t>(u);
}

std::uint32_t getU32(const std::string& b, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t k = 0; k < 4; ++k)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + k])) << (8 * k);
    return u;
}

std::int32_t get32(const std::string& b, std::size_t at) {
    return static_cast<std::int32_t>(getU32(b, at));
}

float getFloat(const std::string& b, std::size_t at) {
    const std::uint32_t u = getU32(b, at);
    float f = 0.0f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

double getDouble(const std::string& b, std::size_t at) {
    const std::uint64_t u = getU32(b, at) | (std::uint64_t{getU32(b, at + 4)} << 32);
    double d = 0.0;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

struct SkyRecord {
    int packedTyc = 0;
    int tyc2 = 0;
    double x = 0, y = 0, z = 0;
    int bt = 0;
    int vt = 0;
    int hd = 0;
    int sao = 0;
    std::string spectralField; // the raw 4 bytes
    int brightIndex = 0;
    float separation = 0;
    int dmag = 0;
    int amplitude = 0;
    double period = 0;
    int variabilityType = 0;
    bool paddingZero = true;

    double raDeg() const {
        const double ra = std::atan2(z, x) * 180.0 / kPi;
        return ra < 0.0 ? ra + 360.0 : ra;
    }
    double decDeg() const { return std::asin(std::clamp(y, -1.0, 1.0)) * 180.0 / kPi; }
    int magnitude() const { return vt != -10000 ? vt : bt; }
};

struct BrightRecord {
    int bayer = 0;
    int bayerIndex = 0;
    int flamsteed = 0;
    std::string nameField; // the raw 32 bytes
    std::string name() const { return nameField.substr(0, nameField.find('\0')); }
};

SkyRecord decodeSky(const std::string& b, std::size_t at) {
    SkyRecord r;
    r.packedTyc = get16(b, at);
    r.tyc2 = get16(b, at + 2);
    r.x = get32(b, at + 4) / 1e9;
    r.y = get32(b, at + 8) / 1e9;
    r.z = get32(b, at + 12) / 1e9;
    r.bt = get16(b, at + 16);
    r.vt = get16(b, at + 18);
    r.hd = get32(b, at + 20);
    r.sao = get32(b, at + 24);
    r.spectralField = b.substr(at + 28, 4);
    r.brightIndex = get16(b, at + 32);
    r.separation = getFloat(b, at + 36);
    r.dmag = get16(b, at + 40);
    r.amplitude = get16(b, at + 42);
    r.period = getDouble(b, at + 48);
    r.variabilityType = get16(b, at + 56);
    for (const std::size_t pad : {34u, 35u, 44u, 45u, 46u, 47u, 58u, 59u, 60u, 61u, 62u, 63u})
        r.paddingZero = r.paddingZero && b[at + pad] == '\0';
    return r;
}

struct StarFiles {
    std::string skyBytes;
    std::string brightBytes;
    std::vector<SkyRecord> sky;
    std::vector<BrightRecord> bright; // record 0 included
};

const StarFiles& shipped() {
    static const StarFiles files = [] {
        StarFiles f;
        f.skyBytes = readBytes(kDataDir / "SKY2000_data.skd");
        f.brightBytes = readBytes(kDataDir / "bright_data.skd");
        for (std::size_t at = 0; at + 64 <= f.skyBytes.size(); at += 64)
            f.sky.push_back(decodeSky(f.skyBytes, at));
        for (std::size_t at = 0; at + 36 <= f.brightBytes.size(); at += 36) {
            BrightRecord r;
            r.bayer = static_cast<signed char>(f.brightBytes[at]);
            r.bayerIndex = static_cast<signed char>(f.brightBytes[at + 1]);
            r.flamsteed = get16(f.brightBytes, at + 2);
            r.nameField = f.brightBytes.substr(at + 4, 32);
            f.bright.push_back(r);
        }
        return f;
    }();
    return files;
}

// The SKY2000 records carrying an HD number.
std::vector<const SkyRecord*> byHd(int hd) {
    std::vector<const SkyRecord*> found;
    for (const SkyRecord& r : shipped().sky) {
        if (r.hd == hd)
            found.push_back(&r);
    }
    return found;
}

// The one named record of an HD number (fails the test when there is none).
const SkyRecord& namedStar(int hd) {
    for (const SkyRecord* r : byHd(hd)) {
        if (r->brightIndex != 0)
            return *r;
    }
    ADD_FAILURE() << "no named record with HD " << hd;
    static const SkyRecord none;
    return none;
}

const BrightRecord& brightOf(const SkyRecord& r) {
    static const BrightRecord none;
    const auto& bright = shipped().bright;
    return r.brightIndex > 0 && static_cast<std::size_t>(r.brightIndex) < bright.size()
               ? bright[static_cast<std::size_t>(r.brightIndex)]
               : none;
}

double separationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const auto v = [](double ra, double dec) {
        const double a = ra * kPi / 180.0, d = dec * kPi / 180.0;
        return std::array<double, 3>{std::cos(d) * std::cos(a), std::sin(d),
                                     std::cos(d) * std::sin(a)};
    };
    const auto p = v(ra1, dec1), q = v(ra2, dec2);
    const double cx = p[1] * q[2] - p[2] * q[1], cy = p[2] * q[0] - p[0] * q[2],
                 cz = p[0] * q[1] - p[1] * q[0];
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz),
                      p[0] * q[0] + p[1] * q[1] + p[2] * q[2]) *
           180.0 / kPi * 3600.0;
}

std::optional<double> number(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size())
        return std::nullopt;
    std::string_view s = line.substr(first - 1, std::min(last, line.size()) - (first - 1));
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size())
        return std::nullopt;
    return value;
}

// The Bright Star Catalogue stars that have a J2000 position.
struct BscEntry {
    int hr = 0;
    int hd = 0;
    double raDeg = 0.0;
    double decDeg = 0.0;
    std::optional<double> v;
    int flamsteed = 0;
};

std::vector<BscEntry> brightStarCatalogue() {
    std::vector<BscEntry> out;
    std::ifstream in(kDataDir / "sources" / "bsc5" / "bsc5.dat");
    std::string line;
    while (std::getline(in, line)) {
        const auto rah = number(line, 76, 77), ram = number(line, 78, 79),
                   ras = number(line, 80, 83), ded = number(line, 85, 86),
                   dem = number(line, 87, 88), des = number(line, 89, 90);
        if (!rah || !ram || !ras || !ded || !dem || !des)
            continue;
        BscEntry e;
        e.hr = static_cast<int>(number(line, 1, 4).value_or(0));
        e.hd = static_cast<int>(number(line, 26, 31).value_or(0));
        e.raDeg = 15.0 * (*rah + *ram / 60.0 + *ras / 3600.0);
        e.decDeg = (line[83] == '-' ? -1.0 : 1.0) * (*ded + *dem / 60.0 + *des / 3600.0);
        e.v = number(line, 103, 107);
        e.flamsteed = static_cast<int>(number(line, 5, 7).value_or(0));
        out.push_back(e);
    }
    return out;
}

TEST(ShippedStarFiles, SizesAndCapacities) {
    const StarFiles& f = shipped();
    ASSERT_FALSE(f.skyBytes.empty()) << "missing " << (kDataDir / "SKY2000_data.skd");
    EXPECT_EQ(f.skyBytes.size() % 64, 0u);
    EXPECT_EQ(f.brightBytes.size() % 36, 0u);
    std::error_code ec;
    EXPECT_EQ(fs::file_size(kDataDir / "tycho_2_b.skd", ec), 0u);
    EXPECT_FALSE(ec) << "tycho_2_b.skd must exist (empty)";

    std::size_t named = 0;
    for (const SkyRecord& r : f.sky)
        named += r.brightIndex != 0;
    EXPECT_LE(named, 10000u);
    EXPECT_LE(f.sky.size(), 244000u);
    // All of Hipparcos (about 118,000 stars), not only the bright ones.
    EXPECT_GT(f.sky.size() - named, 100000u);
    EXPECT_EQ(f.bright.size(), named + 1);
}

TEST(ShippedStarFiles, BrightIndexesAreOneToOne) {
    const StarFiles& f = shipped();
    ASSERT_FALSE(f.bright.empty());
    EXPECT_EQ(f.brightBytes.substr(0, 36), std::string(36, '\0')) << "record 0 is unused";
    std::vector<int> uses(f.bright.size(), 0);
    for (const SkyRecord& r : f.sky) {
        ASSERT_GE(r.brightIndex, 0);
        ASSERT_LT(static_cast<std::size_t>(r.brightIndex), f.bright.size());
        ++uses[static_cast<std::size_t>(r.brightIndex)];
    }
    for (std::size_t i = 1; i < uses.size(); ++i)
        EXPECT_EQ(uses[i], 1) << "bright record " << i;
}

TEST(ShippedStarFiles, FieldsHoldValidValues) {
    std::size_t bad = 0;
    for (const SkyRecord& r : shipped().sky) {
        const double length = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
        const std::string& sp = r.spectralField;
        const bool spectralOk =
            sp == std::string("   \0", 4) ||
            (sp[0] >= 'A' && sp[0] <= 'Z' && sp[3] == '\0' && sp.find(' ') == std::string::npos);
        const bool ok =
            r.packedTyc == 0 && r.tyc2 == 0 && std::abs(length - 1.0) < 1e-8 && r.paddingZero &&
            r.vt > -2000 && r.vt < 15000 && (r.bt == -10000 || (r.bt > -2000 && r.bt < 20000)) &&
            r.hd >= 0 && r.sao >= 0 && spectralOk &&
            (r.separation == -100.0f || r.separation > 0.0f) && (r.dmag == -10000 || r.dmag >= 0) &&
            (r.amplitude == -10000 || r.amplitude >= 0) && (r.period == -100.0 || r.period > 0.0) &&
            (r.variabilityType == -100 || (r.variabilityType >= 1 && r.variabilityType <= 6));
        if (!ok && ++bad <= 5)
            ADD_FAILURE() << "bad SKY2000 record: HD " << r.hd << " V " << r.vt << " spectral '"
                          << sp << "'";
    }
    EXPECT_EQ(bad, 0u);

    const auto& bright = shipped().bright;
    for (std::size_t i = 1; i < bright.size(); ++i) {
        const BrightRecord& b = bright[i];
        EXPECT_TRUE(b.bayer >= 0 && b.bayer <= 24) << i;
        EXPECT_TRUE(b.bayerIndex >= 0 && b.bayerIndex <= 20 && (b.bayer != 0 || !b.bayerIndex))
            << i;
        EXPECT_TRUE(b.flamsteed >= 0 && b.flamsteed <= 140) << i; // 140 Tau is the highest
        EXPECT_EQ(b.nameField.back(), '\0') << "name of record " << i << " not terminated";
        const std::string name = b.name();
        EXPECT_EQ(b.nameField.find_first_not_of('\0', name.size()), std::string::npos) << i;
        if (!name.empty()) {
            EXPECT_TRUE(name.front() != ' ' && name.back() != ' ') << "'" << name << "'";
        }
    }
}

TEST(ShippedStarFiles, BrightestFirst) {
    const auto& sky = shipped().sky;
    ASSERT_FALSE(sky.empty());
    for (std::size_t i = 1; i < sky.size(); ++i)
        ASSERT_LE(sky[i - 1].magnitude(), sky[i].magnitude()) << "record " << i;
    EXPECT_EQ(sky.front().hd, 48915); // Sirius
}

// Every catalogue star with a position is a named record carrying its HD number, its V, its
// Flamsteed number and a position within an arc minute (companions that Hipparcos lists once
// are kept as stars of their own).
TEST(ShippedStarFiles, EveryBrightStarCatalogueStarIsPresent) {
    const std::vector<BscEntry> bsc = brightStarCatalogue();
    ASSERT_GT(bsc.size(), 9000u);
    std::multimap<int, const SkyRecord*> namedByHd;
    std::size_t named = 0;
    for (const SkyRecord& r : shipped().sky) {
        if (r.brightIndex != 0) {
            namedByHd.emplace(r.hd, &r);
            ++named;
        }
    }
    EXPECT_GE(named, bsc.size());
    std::size_t missing = 0;
    for (const BscEntry& e : bsc) {
        if (e.hd == 0)
            continue;
        bool found = false;
        for (auto [it, end] = namedByHd.equal_range(e.hd); it != end && !found; ++it) {
            const SkyRecord& r = *it->second;
            found = separationArcsec(e.raDeg, e.decDeg, r.raDeg(), r.decDeg()) < 60.0 &&
                    (!e.v || r.vt == static_cast<int>(std::lround(*e.v * 1000.0))) &&
                    brightOf(r).flamsteed == e.flamsteed;
        }
        if (!found && ++missing <= 5)
            ADD_FAILURE() << "HR " << e.hr << " (HD " << e.hd << ") missing";
    }
    EXPECT_EQ(missing, 0u);

    // A star outside the catalogue is named only for a designation or a proper name.
    std::set<int> bscHd;
    for (const BscEntry& e : bsc)
        bscHd.insert(e.hd);
    std::size_t extra = 0;
    for (const SkyRecord& r : shipped().sky) {
        if (r.brightIndex == 0 || bscHd.count(r.hd) != 0)
            continue;
        ++extra;
        const BrightRecord& b = brightOf(r);
        EXPECT_TRUE(b.bayer != 0 || b.flamsteed != 0 || !b.name().empty()) << "HD " << r.hd;
    }
    EXPECT_GT(extra, 0u) << "fainter stars with a Bayer letter or name are named too";
}

TEST(ShippedStarFiles, Sirius) {
    const SkyRecord& s = namedStar(48915);
    EXPECT_NEAR(s.vt / 1000.0, -1.46, 0.03);
    EXPECT_NEAR((s.bt - s.vt) / 1000.0, 0.0, 0.05); // B-V of an A star
    EXPECT_EQ(s.spectralField.substr(0, 2), "A1");
    EXPECT_LT(separationArcsec(s.raDeg(), s.decDeg(), 15.0 * (6 + 45 / 60.0 + 8.9 / 3600.0),
                               -(16 + 42 / 60.0 + 58 / 3600.0)),
              60.0);
    const BrightRecord& b = brightOf(s);
    EXPECT_EQ(b.name(), "Sirius");
    EXPECT_EQ(b.bayer, 1);
    EXPECT_EQ(b.flamsteed, 9);
    EXPECT_EQ(s.sao, 151881);
    EXPECT_NEAR(s.separation, 11.2, 0.05); // Sirius B
}

TEST(ShippedStarFiles, VariableStars) {
    const SkyRecord& betelgeuse = namedStar(39801);
    EXPECT_EQ(brightOf(betelgeuse).name(), "Betelgeuse");
    EXPECT_EQ(betelgeuse.variabilityType, 2); // semiregular: pulsating
    EXPECT_GT(betelgeuse.period, 100.0);
    EXPECT_GT(betelgeuse.amplitude, 0);
    EXPECT_EQ(betelgeuse.spectralField[0], 'M');
    EXPECT_GT(betelgeuse.bt - betelgeuse.vt, 1500); // very red

    const SkyRecord& algol = namedStar(19356);
    EXPECT_EQ(algol.variabilityType, 5); // eclipsing
    EXPECT_NEAR(algol.period, 2.867, 0.001);
    EXPECT_NEAR(algol.amplitude / 100.0, 1.27, 0.1);

    const SkyRecord& polaris = namedStar(8890);
    EXPECT_EQ(polaris.variabilityType, 2); // Cepheid
    EXPECT_NEAR(polaris.period, 3.97, 0.01);

    const SkyRecord& sirius = namedStar(48915);
    EXPECT_EQ(sirius.variabilityType, -100);
    EXPECT_EQ(sirius.period, -100.0);
    EXPECT_EQ(sirius.amplitude, -10000);
}

TEST(ShippedStarFiles, PolarisInUrsaMinor) {
    const SkyRecord& p = namedStar(8890);
    const BrightRecord& b = brightOf(p);
    EXPECT_EQ(b.name(), "Polaris");
    EXPECT_EQ(b.bayer, 1);
    EXPECT_EQ(b.bayerIndex, 0);
    EXPECT_EQ(b.flamsteed, 1);
    // J2000 02h 31m 49s +89 15' 51": inside Ursa Minor, whose region covers the pole.
    EXPECT_LT(separationArcsec(p.raDeg(), p.decDeg(), 15.0 * (2 + 31 / 60.0 + 49.1 / 3600.0),
                               89 + 15 / 60.0 + 51 / 3600.0),
              60.0);
    EXPECT_NEAR(p.vt / 1000.0, 2.02, 0.05);
}

TEST(ShippedStarFiles, DoubleStars) {
    const SkyRecord& albireo = namedStar(183912);
    EXPECT_EQ(brightOf(albireo).name(), "Albireo");
    EXPECT_EQ(brightOf(albireo).bayer, 2);
    EXPECT_EQ(brightOf(albireo).bayerIndex, 1);
    EXPECT_NEAR(albireo.separation, 34.7, 0.5);
    EXPECT_NEAR(albireo.dmag / 100.0, 2.0, 0.2);

    const SkyRecord& mizar = namedStar(116656);
    EXPECT_EQ(brightOf(mizar).name(), "Mizar");
    EXPECT_EQ(brightOf(mizar).bayer, 6); // zeta
    EXPECT_EQ(brightOf(mizar).flamsteed, 79);
    EXPECT_NE(mizar.dmag, -10000);

    std::size_t withSeparation = 0;
    for (const SkyRecord& r : shipped().sky)
        withSeparation += r.separation > 0.0f;
    EXPECT_GT(withSeparation, 10000u) << "double-star separations reach the faint stars too";
}

TEST(ShippedStarFiles, BayerIndexes) {
    struct Expected {
        int hd;
        int bayer;
        int index;
        int flamsteed;
    };
    for (const Expected& e :
         {Expected{192876, 1, 1, 5}, Expected{192947, 1, 2, 6},    // alpha Cap
          Expected{130819, 1, 1, 8}, Expected{130841, 1, 2, 9},    // alpha Lib
          Expected{183914, 2, 2, 6}, Expected{36486, 4, 0, 34}}) { // beta2 Cyg, delta Ori
        const BrightRecord& b = brightOf(namedStar(e.hd));
        EXPECT_EQ(b.bayer, e.bayer) << "HD " << e.hd;
        EXPECT_EQ(b.bayerIndex, e.index) << "HD " << e.hd;
        EXPECT_EQ(b.flamsteed, e.flamsteed) << "HD " << e.hd;
    }
    // Designations given in a neighbouring constellation are not taken over: alpha Sct is
    // "1 Aql", phi Per "54 And", and 51 And is upsilon Per.
    EXPECT_EQ(brightOf(namedStar(171443)).flamsteed, 0);
    EXPECT_EQ(brightOf(namedStar(171443)).bayer, 1);
    EXPECT_EQ(brightOf(namedStar(10516)).flamsteed, 0);
    EXPECT_EQ(brightOf(namedStar(9927)).bayer, 0);
    EXPECT_EQ(brightOf(namedStar(9927)).flamsteed, 51);
    // Omega is the last letter, 24.
    bool omega = false;
    for (std::size_t i = 1; i < shipped().bright.size(); ++i)
        omega = omega || shipped().bright[i].bayer == 24;
    EXPECT_TRUE(omega);
}

TEST(ShippedStarFiles, NamesAreWindows1252) {
    std::set<std::string> names;
    for (std::size_t i = 1; i < shipped().bright.size(); ++i)
        names.insert(shipped().bright[i].name());
    EXPECT_EQ(names.count("Cital\xE1"), 1u); // a-acute is one byte
    EXPECT_EQ(names.count("M\xF6nch"), 1u);
    EXPECT_EQ(names.count("Bibha"), 1u); // a-macron, missing from the code page, becomes a
    for (const std::string& name : names) {
        for (std::size_t k = 0; k + 1 < name.size(); ++k) {
            const auto c = static_cast<unsigned char>(name[k]);
            const auto next = static_cast<unsigned char>(name[k + 1]);
            EXPECT_FALSE(c >= 0xC2 && c <= 0xDF && next >= 0x80 && next <= 0xBF)
                << "'" << name << "' looks like UTF-8";
        }
    }
}

// Two runs of the converter give the same bytes, and the shipped files are what the
// converter makes of the shipped sources. Runs when the converter is built beside the tests.
TEST(ShippedStarFiles, ConverterIsDeterministicAndShippedFilesAreCurrent) {
    const fs::path tool = testutil::dataTool();
    if (!fs::exists(tool))
        GTEST_SKIP() << "skyvane-data not built beside the tests";
    const testutil::TempDir temp("stars");
    const fs::path& work = temp.path();
    std::vector<fs::path> outs{work / "a", work / "b"};
    for (const fs::path& out : outs) {
        const std::string command = "\"" + tool.string() + "\" stars --sources \"" +
                                    (kDataDir / "sources").string() + "\" --out \"" + out.string() +
                                    "\" > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (const char* file : {"SKY2000_data.skd", "bright_data.skd", "tycho_2_b.skd"}) {
        const std::string a = readBytes(outs[0] / file);
        EXPECT_EQ(a, readBytes(outs[1] / file)) << file << " differs between two runs";
        EXPECT_EQ(a, readBytes(kDataDir / file)) << "shipped " << file << " is out of date";
    }
}

} // namespace
