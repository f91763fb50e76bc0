// Writes a synthetic Tycho-2 of the real catalogue's size and layout, for measuring the chart
// on what a user who loads the whole catalogue has:
//
//   catalog.dat  2,539,913 lines of the official 206-column format (CR LF), sorted by region;
//   suppl_1.dat  17,588 lines of the 122-column supplement format;
//   index.dat    9,538 lines: the first record numbers of each region in both files, its
//                RA/Dec box in degrees, and the closing line.
//
// The sky is cut into 9,537 regions of about equal area (4.3 square degrees, as the real
// regions on average): 96 declination bands of 1.875 degrees, each split in right ascension
// in proportion to its area, numbered from the equator to the north pole and then from the
// equator to the south pole, as the real regions are.
//
// The stars: every resident star of 9.5 and brighter (SKY2000_data.skd of the data folder) at
// its own position, as the real catalogue holds them, and then field stars up to the counts of
// the real sky: magnitudes from the whole-sky star counts, log N(<V) rising by 0.435 a
// magnitude through N(<9) = 117,000, with the catalogue's completeness falling off past
// 11.5 (92 % there, half at 12.04, which gives the catalogue's size) and nothing fainter than
// 12.5; positions drawn from a density that is about eight times
// higher in the galactic plane than at the poles (more so for the faint stars) and higher
// again toward the galactic centre. Colours, proper motions and the other columns are
// plausible values; a few stars have no mean position (pflag X) or no BT. The output depends
// only on the seed.
//
//   synthetic_tycho2 DATA_DIR OUT_DIR [--stars N] [--seed S]
#include "catalog/Stars.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kRegions = 9537;
constexpr int kBands = 96;
constexpr double kBandHeight = 180.0 / kBands;
constexpr long kCatalogLines = 2539913;
constexpr long kSupplementLines = 17588;
constexpr double kFaintest = 12.5;

// ---- The regions --------------------------------------------------------------------------

struct Band {
    double decLow, decHigh;
    int cells;
    int firstRegion; // from 1
};

struct Layout {
    std::vector<Band> bands; // by declination, south to north

    Layout() {
        std::vector<double> area(kBands);
        double total = 0.0;
        for (int b = 0; b < kBands; ++b) {
            const double lo = -90.0 + b * kBandHeight;
            area[b] = std::sin((lo + kBandHeight) * kDeg) - std::sin(lo * kDeg);
            total += area[b];
        }
        // Cells in proportion to the area; the rounding left over goes to the largest bands.
        std::vector<int> cells(kBands);
        int sum = 0;
        for (int b = 0; b < kBands; ++b) {
            cells[b] = std::max(1, static_cast<int>(std::floor(kRegions * area[b] / total)));
            sum += cells[b];
        }
        std::vector<int> order(kBands);
        for (int b = 0; b < kBands; ++b)
            order[b] = b;
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const double fa = kRegions * area[a] / total - cells[a];
            const double fb = kRegions * area[b] / total - cells[b];
            return fa != fb ? fa > fb : a < b;
        });
        for (int i = 0; sum < kRegions; ++i, ++sum)
            ++cells[order[static_cast<std::size_t>(i) % order.size()]];

        bands.resize(kBands);
        int next = 1;
        // North from the equator up, then south from the equator down.
        for (int b = kBands / 2; b < kBands; ++b) {
            bands[b] = Band{-90.0 + b * kBandHeight, -90.0 + (b + 1) * kBandHeight, cells[b], next};
            next += cells[b];
        }
        for (int b = kBands / 2 - 1; b >= 0; --b) {
            bands[b] = Band{-90.0 + b * kBandHeight, -90.0 + (b + 1) * kBandHeight, cells[b], next};
            next += cells[b];
        }
        if (next != kRegions + 1)
            throw std::logic_error("the region layout does not add up");
    }

    int bandOf(double decDeg) const {
        return std::clamp(static_cast<int>(std::floor((decDeg + 90.0) / kBandHeight)), 0,
                          kBands - 1);
    }

    int regionOf(double raDeg, double decDeg) const {
        const Band& b = bands[bandOf(decDeg)];
        const int cell = std::clamp(static_cast<int>(std::floor(raDeg / 360.0 * b.cells)), 0,
                                    b.cells - 1);
        return b.firstRegion + cell;
    }

    // The box of a region: {raMin, raMax, decMin, decMax} in degrees.
    std::array<double, 4> box(int region) const {
        for (const Band& b : bands)
            if (region >= b.firstRegion && region < b.firstRegion + b.cells) {
                const double w = 360.0 / b.cells;
                const int cell = region - b.firstRegion;
                return {cell * w, (cell + 1) * w, b.decLow, b.decHigh};
            }
        return {0, 0, 0, 0};
    }
};

// ---- The sky -------------------------------------------------------------------------------

// Galactic latitude and longitude (degrees) of a J2000 direction.
void galactic(double raDeg, double decDeg, double& l, double& b) {
    static constexpr double m[3][3] = {{-0.0548755604, -0.8734370902, -0.4838350155},
                                       {+0.4941094279, -0.4448296300, +0.7469822445},
                                       {-0.8676661490, -0.1980763734, +0.4559837762}};
    const double x = std::cos(decDeg * kDeg) * std::cos(raDeg * kDeg);
    const double y = std::cos(decDeg * kDeg) * std::sin(raDeg * kDeg);
    const double z = std::sin(decDeg * kDeg);
    const double gx = m[0][0] * x + m[0][1] * y + m[0][2] * z;
    const double gy = m[1][0] * x + m[1][1] * y + m[1][2] * z;
    const double gz = m[2][0] * x + m[2][1] * y + m[2][2] * z;
    b = std::asin(std::clamp(gz, -1.0, 1.0)) / kDeg;
    l = std::atan2(gy, gx) / kDeg;
}

// Star density relative to the galactic poles, for stars of magnitude mag: the plane's
// excess grows toward fainter magnitudes, and toward the galactic centre.
double density(double l, double b, double mag) {
    const double plane = (3.0 + 1.1 * std::max(0.0, mag - 6.0)) * std::exp(-std::abs(b) / 9.0);
    const double dl = std::remainder(l, 360.0);
    const double centre = 1.0 + 0.8 * std::exp(-(dl * dl) / (2.0 * 50.0 * 50.0));
    return 1.0 + plane * centre;
}

// Stars per 0.01 magnitude of the whole sky, up to kFaintest.
std::vector<double> magnitudeCounts(double brightest) {
    std::vector<double> n;
    for (double m = brightest; m < kFaintest; m += 0.01) {
        const double mid = m + 0.005;
        const double cumulative = 117000.0 * std::pow(10.0, 0.435 * (mid - 9.0));
        const double perMag = std::log(10.0) * 0.435 * cumulative;
        const double completeness = 1.0 / (1.0 + std::exp((mid - 12.04) / 0.22));
        n.push_back(perMag * 0.01 * completeness);
    }
    return n;
}

struct Star {
    double ra, dec; // degrees
    float vt, bt;   // magnitudes; NAN for none
    int region;
    bool observedOnly; // pflag X
};

// ---- The text formats -------------------------------------------------------------------------

class Writer {
public:
    explicit Writer(const fs::path& path) : m_path(path), m_file(std::fopen(path.c_str(), "wb")) {
        if (!m_file)
            throw std::runtime_error("cannot write " + path.string());
        std::setvbuf(m_file, nullptr, _IOFBF, 1 << 20);
    }
    ~Writer() {
        if (m_file)
            std::fclose(m_file);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void line(const char* text) {
        std::fputs(text, m_file);
        std::fputs("\r\n", m_file);
    }
    void close() {
        const bool ok = std::ferror(m_file) == 0;
        if (std::fclose(m_file) != 0 || !ok) {
            m_file = nullptr;
            throw std::runtime_error("writing " + m_path.string() + " failed");
        }
        m_file = nullptr;
    }

private:
    fs::path m_path;
    std::FILE* m_file;
};

// A number in width columns, or blanks when it is NAN.
void field(std::string& out, double v, int width, int decimals) {
    char buf[32];
    if (std::isnan(v))
        std::snprintf(buf, sizeof buf, "%*s", width, "");
    else
        std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, v);
    out += buf;
}

std::string catalogLine(const Star& s, int tyc2, std::mt19937_64& gen) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::normal_distribution<double> pm(0.0, 12.0);
    char head[32];
    std::snprintf(head, sizeof head, "%04d %05d 1|%c|", s.region, tyc2, s.observedOnly ? 'X' : ' ');
    std::string l = head;
    const double mean = s.observedOnly ? NAN : 1.0;
    field(l, s.ra * mean, 12, 8);
    l += '|';
    field(l, s.dec * mean, 12, 8);
    l += '|';
    field(l, pm(gen) * mean, 7, 1);
    l += '|';
    field(l, pm(gen) * mean, 7, 1);
    l += '|';
    field(l, std::round(20 + 60 * u(gen)) * mean, 3, 0);
    l += '|';
    field(l, std::round(20 + 60 * u(gen)) * mean, 3, 0);
    l += '|';
    field(l, (1.0 + 2.0 * u(gen)) * mean, 4, 1);
    l += '|';
    field(l, (1.0 + 2.0 * u(gen)) * mean, 4, 1);
    l += '|';
    field(l, (1985.0 + 6.0 * u(gen)) * mean, 7, 2);
    l += '|';
    field(l, (1985.0 + 6.0 * u(gen)) * mean, 7, 2);
    l += '|';
    field(l, std::round(3 + 20 * u(gen)) * mean, 2, 0);
    l += '|';
    for (int i = 0; i < 4; ++i) {
        field(l, 0.5 + 1.5 * u(gen), 3, 1);
        l += '|';
    }
    const double bt = std::isnan(s.bt) ? NAN : s.bt;
    const double vt = std::isnan(s.vt) ? NAN : s.vt;
    field(l, bt, 6, 3);
    l += '|';
    field(l, std::isnan(bt) ? NAN : 0.02 + 0.02 * std::max(0.0, bt - 8.0), 5, 3);
    l += '|';
    field(l, vt, 6, 3);
    l += '|';
    field(l, std::isnan(vt) ? NAN : 0.015 + 0.02 * std::max(0.0, vt - 8.0), 5, 3);
    l += "|999| |" + std::string(9, ' ') + "|";
    // The observed position (epoch about 1991.5) lies a few tenths of an arc second off.
    field(l, s.ra + (u(gen) - 0.5) * 1e-4, 12, 8);
    l += '|';
    field(l, s.dec + (u(gen) - 0.5) * 1e-4, 12, 8);
    l += "|1.62|1.71| 55.0| 60.1| |-0.2";
    return l;
}

std::string supplementLine(const Star& s, int tyc2, std::mt19937_64& gen) {
    std::normal_distribution<double> pm(0.0, 30.0);
    const bool hipparcos = s.vt < 9.0f;
    char head[32];
    std::snprintf(head, sizeof head, "%04d %05d 1|%c|", s.region, tyc2, hipparcos ? 'H' : 'T');
    std::string l = head;
    field(l, s.ra, 12, 8);
    l += '|';
    field(l, s.dec, 12, 8);
    l += '|';
    field(l, pm(gen), 7, 1);
    l += '|';
    field(l, pm(gen), 7, 1);
    l += "| 12.0| 11.0|  1.5|  1.5|" + std::string(1, hipparcos ? 'H' : ' ') + "|";
    field(l, hipparcos ? NAN : s.bt, 6, 3);
    l += '|';
    field(l, hipparcos ? NAN : 0.2, 5, 3);
    l += '|';
    field(l, s.vt, 6, 3);
    l += "|0.200|123| |" + std::string(hipparcos ? "  1234A" : "       ");
    return l;
}

// ---- Generation ----------------------------------------------------------------------------

struct Options {
    fs::path data, out;
    long stars = kCatalogLines;
    unsigned long seed = 20261208;
};

Options parse(int argc, char** argv) {
    Options o;
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--stars" || a == "--seed") && i + 1 < argc) {
            const long v = std::strtol(argv[++i], nullptr, 10);
            if (v <= 0)
                throw std::runtime_error(a + " needs a positive number");
            if (a == "--stars")
                o.stars = v;
            else
                o.seed = static_cast<unsigned long>(v);
        } else {
            plain.push_back(a);
        }
    }
    if (plain.size() != 2)
        throw std::runtime_error("usage: synthetic_tycho2 DATA_DIR OUT_DIR [--stars N] [--seed S]");
    o.data = plain[0];
    o.out = plain[1];
    return o;
}

int run(const Options& o) {
    const Layout layout;
    std::mt19937_64 gen(o.seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::normal_distribution<double> colour(1.0, 0.45);

    // The resident stars of 9.5 and brighter, at their own positions.
    auto resident = std::make_unique<catalog::StarCatalog>();
    const catalog::StarLoadResult loaded = resident->LoadStarCatalogs(o.data);
    if (!loaded.ok())
        throw std::runtime_error(loaded.error);
    std::vector<Star> stars;
    stars.reserve(static_cast<std::size_t>(o.stars + kSupplementLines));
    std::vector<double> residentPerBin(magnitudeCounts(-2.0).size(), 0.0);
    const auto addResident = [&](const astro::SkyPoint& p) {
        const float mag = p.GetMagnitude();
        if (!(mag <= 9.5f))
            return;
        const double ra = p.derivedRa() * 15.0, dec = p.derivedDec();
        stars.push_back(Star{ra, dec, mag, static_cast<float>(mag + colour(gen)),
                             layout.regionOf(ra, dec), false});
        const auto bin = static_cast<std::size_t>(std::max(0.0, (mag + 2.0) / 0.01));
        if (bin < residentPerBin.size())
            residentPerBin[bin] += 1.0;
    };
    for (const auto& s : resident->namedStars())
        addResident(s);
    for (const auto& s : resident->catalogStars())
        addResident(s);
    const std::size_t residentCount = stars.size();

    // Field stars: each magnitude bin filled up to the real sky's count, less the resident
    // stars already there, and the whole scaled to the catalogue's size.
    std::vector<double> counts = magnitudeCounts(-2.0);
    for (std::size_t i = 0; i < counts.size(); ++i)
        counts[i] = std::max(0.0, counts[i] - residentPerBin[i]);
    const double fieldStars = static_cast<double>(o.stars) - static_cast<double>(residentCount);
    std::discrete_distribution<std::size_t> pickBin(counts.begin(), counts.end());
    const double maxDensity = density(0.0, 0.0, kFaintest);
    for (long n = 0; n < static_cast<long>(fieldStars); ++n) {
        const double mag = -2.0 + 0.01 * (static_cast<double>(pickBin(gen)) + u(gen));
        double ra, dec, l, b;
        do {
            ra = 360.0 * u(gen);
            dec = std::asin(2.0 * u(gen) - 1.0) / kDeg;
            galactic(ra, dec, l, b);
        } while (u(gen) * maxDensity > density(l, b, mag));
        Star s{ra, dec, static_cast<float>(mag), static_cast<float>(mag + colour(gen)),
               layout.regionOf(ra, dec), u(gen) < 0.005};
        if (u(gen) < 0.02)
            s.bt = NAN; // no BT: VT decides
        else if (u(gen) < 0.004)
            s.bt = s.vt, s.vt = NAN; // no VT: BT decides
        stars.push_back(s);
    }

    // The supplement: a third Hipparcos stars (flagged H) at the places of resident stars,
    // as the real supplement's are; the rest Tycho-1 stars of 9 to 12.
    std::vector<Star> supplement;
    for (long n = 0; n < kSupplementLines; ++n) {
        if (n % 3 == 0 && residentCount > 0) {
            Star s = stars[static_cast<std::size_t>(n / 3 * 7) % residentCount];
            s.observedOnly = false;
            if (s.vt < 9.0f) {
                supplement.push_back(s);
                continue;
            }
        }
        const double ra = 360.0 * u(gen), dec = std::asin(2.0 * u(gen) - 1.0) / kDeg;
        const double mag = 9.0 + 3.0 * u(gen);
        supplement.push_back(Star{ra, dec, static_cast<float>(mag),
                                  static_cast<float>(mag + colour(gen)), layout.regionOf(ra, dec),
                                  false});
    }

    const auto byRegion = [](const Star& a, const Star& b) { return a.region < b.region; };
    std::stable_sort(stars.begin(), stars.end(), byRegion);
    std::stable_sort(supplement.begin(), supplement.end(), byRegion);

    fs::create_directories(o.out);
    std::vector<long> firstCatalog(kRegions + 2, 0), firstSupplement(kRegions + 2, 0);
    // The catalogue, then the supplement: sorted by region, each region's first record noted.
    const auto writeRegions = [&](const char* name, const std::vector<Star>& list,
                                  std::vector<long>& first, auto lineOf) {
        Writer w(o.out / name);
        long record = 1;
        int region = 0, number = 0;
        for (const Star& s : list) {
            while (region < s.region)
                first[static_cast<std::size_t>(++region)] = record, number = 0;
            w.line(lineOf(s, ++number).c_str());
            ++record;
        }
        while (region <= kRegions)
            first[static_cast<std::size_t>(++region)] = record;
        w.close();
    };
    writeRegions("catalog.dat", stars, firstCatalog,
                 [&](const Star& s, int n) { return catalogLine(s, n, gen); });
    // Supplement numbers count down from the highest, clear of the catalogue's.
    writeRegions("suppl_1.dat", supplement, firstSupplement,
                 [&](const Star& s, int n) { return supplementLine(s, 12122 - n, gen); });
    {
        Writer w(o.out / "index.dat");
        for (int region = 1; region <= kRegions + 1; ++region) {
            char buf[64];
            const std::size_t r = static_cast<std::size_t>(region);
            if (region > kRegions) {
                std::snprintf(buf, sizeof buf, "%7ld|%6ld|      |      |      |      ",
                              firstCatalog[r], firstSupplement[r]);
            } else {
                const auto box = layout.box(region);
                // Bounds rounded safely: minima down, maxima up.
                const auto down = [](double v) { return std::floor(v * 100.0 - 1e-6) / 100.0; };
                const auto up = [](double v) { return std::ceil(v * 100.0 + 1e-6) / 100.0; };
                std::snprintf(buf, sizeof buf, "%7ld|%6ld|%6.2f|%6.2f|%6.2f|%6.2f",
                              firstCatalog[r], firstSupplement[r], down(box[0]),
                              std::min(360.0, up(box[1])), std::max(-90.0, down(box[2])),
                              std::min(90.0, up(box[3])));
            }
            w.line(buf);
        }
        w.close();
    }
    std::printf("%s: %zu stars (%zu resident stars of 9.5 and brighter), %s: %zu, index.dat: %d "
                "regions\n",
                (o.out / "catalog.dat").c_str(), stars.size(), residentCount,
                (o.out / "suppl_1.dat").c_str(), supplement.size(), kRegions);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "synthetic_tycho2: %s\n", e.what());
        return 1;
    }
}
