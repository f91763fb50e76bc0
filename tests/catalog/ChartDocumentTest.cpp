// The chart document: every item written and read back, the byte layout, files cut short at
// every byte, hostile counts and values, catalogue selections that no longer fit, the trail
// limit, and saving that fails.

#include "catalog/ChartDocument.h"
#include "ChartTestUtil.h"
#include "TestUtil.h"
#include "catalog/LittleEndian.h"
#include "chart/GridDrawing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <string>
#include <vector>

// The largest single allocation made while tracking is on, so that a test can show that a
// hostile count never turns into a huge allocation.
namespace {
std::atomic<bool> g_trackAllocations{false};
std::atomic<std::size_t> g_largestAllocation{0};
} // namespace

// Every form of the plain operator new and delete is replaced together (the nothrow ones
// included, which the standard library's temporary buffers use), so that whatever one of
// them allocates the matching one frees. Array forms call these by default.
namespace {
void* trackedAllocation(std::size_t n) noexcept {
    if (g_trackAllocations.load(std::memory_order_relaxed)) {
        std::size_t seen = g_largestAllocation.load(std::memory_order_relaxed);
        while (n > seen && !g_largestAllocation.compare_exchange_weak(seen, n)) {
        }
    }
    return std::malloc(n == 0 ? 1 : n);
}
} // namespace

void* operator new(std::size_t n) {
    if (void* p = trackedAllocation(n))
        return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    return trackedAllocation(n);
}
void* operator new[](std::size_t n) {
    return ::operator new(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    return trackedAllocation(n);
}
// Kept out of line, so that the compiler does not pair the free() with a new-expression.
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

namespace fs = std::filesystem;
using catalog::AsteroidCatalog;
using catalog::ChartDocumentParts;
using catalog::CometCatalog;
using catalog::DsoSelectionSettings;

const fs::path kDataDir = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";

// One chart with everything a document reaches.
struct World {
    chart::SkyChart chart;
    DsoSelectionSettings deepSky;
    AsteroidCatalog asteroids;
    CometCatalog comets;
    ChartDocumentParts parts() { return {chart, deepSky, asteroids, comets}; }
};

std::string encode(const World& w) {
    std::string bytes;
    EXPECT_EQ(catalog::EncodeChartDocument(w.chart, w.deepSky, w.asteroids, w.comets, bytes), "");
    return bytes;
}

// Everything a load may change: the document the world would write, and its catalogues.
std::string snapshot(const World& w) {
    std::string s = encode(w);
    s += "|" + w.asteroids.name() + "|" + std::to_string(w.asteroids.size());
    s += "|" + w.comets.name() + "|" + std::to_string(w.comets.size());
    return s;
}

void writeFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The first n lines of a shipped catalogue, as a catalogue file of its own.
void writeCatalogueLines(const fs::path& from, const fs::path& to, int n) {
    std::ifstream in(from);
    std::string text, line;
    for (int i = 0; i < n && std::getline(in, line); ++i)
        text += line + "\n";
    writeFile(to, text);
}

void patchI32(std::string& bytes, std::size_t at, std::int32_t v) {
    catalog::writeI32(bytes.data() + at, v);
}

chart::Trail makeTrail(const std::string& name, int points) {
    chart::Trail t;
    t.name = name;
    t.colours.standardTrail = {1, 2, 3};
    t.colours.trueTrail = {4, 5, 6};
    t.colours.standardLabel = {7, 8, 9};
    t.colours.trueLabel = {10, 11, 12};
    t.colours.printerTrail = {13, 14, 15};
    t.colours.printerLabel = {16, 17, 18};
    t.font.faceName = "Liberation Serif";
    t.font.height = -17;
    t.font.weight = 700;
    t.font.italic = true;
    t.font.charSet = 238;
    t.font.pitchAndFamily = 0x12;
    t.computings = 42;
    t.density = 3;
    t.makePens();
    t.pens[chart::Trail::PenRed] = {chart::PenStyle::Dot, 3, {250, 1, 2}};
    for (int i = 0; i < points; ++i)
        t.appendPoint(astro::SkyPoint(0.5 * i, -30.0 + i), "12.8.2026 " + std::to_string(i));
    return t;
}

// Every value of the chart away from its default.
void fillNonDefault(World& w, int rotation) {
    chart::SkyChart& c = w.chart;
    chart::ChartSettings& s = c.settings;
    s.rotationMode = rotation;
    c.setZoom(0.375);
    c.setTarget(astro::SkyPoint(17.25, -41.5));
    s.place = {12, 48.25, 11.5, 16};
    s.equatorialGrid = 0;
    s.equatorialGridSettings = {12.5, 90.0, 70.0, 2.5, 60.0, -45.0, 0, 1, 0, 0};
    s.azimuthalGrid = 1;
    s.azimuthalGridSettings = {15.0, 120.0, 75.0, 3.0, 75.0, -75.0, 0, 0, 0, 0};
    s.eclipticGrid = 0;
    s.eclipticGridSettings = {5.0, 30.0, 60.0, 1.0, 45.0, -30.0, 1, 1, 0, 0};
    c.clock.Local = astro::DateTime(2026, 7, 14, 21, 30, 15);
    c.clock.Universal = astro::DateTime(2026, 7, 14, 18, 30, 15);
    c.clock.LocalCopy = astro::DateTime(2026, 7, 14, 21, 0, 0);
    c.clock.DaylightSaving = 1;
    c.clock.AutoUpdate = 0;
    c.clock.Pace = -600;
    c.clock.UpdatePeriod = 5000;
    s.constellationFigures = 0;
    s.constellationBoundaries = 1;
    s.constellationNames = 0;
    s.namesAbbreviated = 0;
    s.namesLockedWithFigures = 0;
    s.autoMagnitudeLimit = 0;
    s.magnitudeLimit = 8.5;
    s.onlyVisiblePart = 1;
    s.starLabels = 0;
    s.starLabelKind = 3;
    s.labelMagnitudeLimit = 2.75;
    for (std::size_t i = 0; i < chart::kSolarBodyCount; ++i)
        s.bodies[i] = {static_cast<int>(i % 2), static_cast<int>((i + 1) % 3 == 0)};
    s.plotDeepSky = 1;
    s.deepSkyLabels = 0;
    s.deepSkyLabelMode = chart::DeepSkyLabelNgc;
    s.deepSkyLabelMagnitudeLimit = 9.5;
    s.plotAsteroids = 1;
    s.asteroidLabels = 0;
    s.asteroidLabelMode = chart::AsteroidLabelMagnitude;
    s.plotComets = 1;
    s.cometLabels = 0;

    DsoSelectionSettings& d = w.deepSky;
    d.mode = DsoSelectionSettings::ByType;
    for (std::size_t i = 0; i < d.typeSwitches.size(); ++i)
        d.typeSwitches[i] = static_cast<int>(i % 3 == 0) + static_cast<int>(i == 4) * 5;
    d.sizeFilter = 1;
    d.minSize = 7.5f;
    d.magnitudeFilter = 1;
    d.maxMagnitude = 10.25f;
    d.areaFilter = 1;
    d.areaCenterRa = 13.4;
    d.areaCenterDec = -12.7;
    d.areaRadius = 8.5;
    d.areaRaHours = 13;
    d.areaRaMinutes = 24.5f;
    d.areaDec = -12.5f;
    d.areaAzDegrees = 210;
    d.areaAzMinutes = 12.25f;
    d.areaAltitude = 33.5;

    c.trails.clear();
    c.trails.add(makeTrail("Trail of Mars", 7));
    c.trails.add(makeTrail("Trail of Vénus", 0));
}

// The document of a world without its catalogues (whose names a load resolves).
std::string encodeSettings(const World& w) {
    std::string bytes;
    EXPECT_EQ(
        catalog::EncodeChartDocument(w.chart, w.deepSky, AsteroidCatalog{}, CometCatalog{}, bytes),
        "");
    return bytes;
}

// b holds what a held. Directions come back from their stored vectors (their RA and Dec
// derived with the program's own degrees per radian), so they are compared as directions;
// then, with a's directions put in, b must write every item byte for byte as a does.
void expectSameChart(const World& a, World& b) {
    EXPECT_LT(testutil::separationDeg(a.chart.target(), b.chart.target()), 1e-9);
    EXPECT_NEAR(a.chart.target().ra(), b.chart.target().ra(), 1e-6);
    b.chart.setTarget(a.chart.target());
    ASSERT_EQ(a.chart.trails.size(), b.chart.trails.size());
    for (std::size_t i = 0; i < a.chart.trails.size(); ++i) {
        const auto& from = a.chart.trails[i].points();
        chart::Trail& to = b.chart.trails[i];
        EXPECT_EQ(to.body(), nullptr);
        ASSERT_EQ(from.size(), to.points().size());
        std::vector<chart::TrailPoint> read = to.points();
        to.clearPoints();
        for (std::size_t k = 0; k < from.size(); ++k) {
            EXPECT_LT(testutil::separationDeg(from[k].direction, read[k].direction), 1e-9);
            to.appendPoint(from[k].direction, read[k].label);
        }
    }
    const std::string x = encodeSettings(a);
    const std::string y = encodeSettings(b);
    ASSERT_EQ(x.size(), y.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        ASSERT_EQ(x[i], y[i]) << "first difference at byte " << i;
}

// The widths of the items of a document without catalogues and trails, in order.
constexpr std::size_t kItemWidths[] = {8, 48, 4,  4,  8,  8,   4, 4,  48, 16, 4, 48, 16,
                                       4, 48, 16, 12, 12, 12,  4, 12, 8,  12, 8, 16, 8,
                                       8, 8,  48, 12, 4,  120, 8, 16, 12, 4,  8, 4,  4};
constexpr std::size_t itemOffset(std::size_t item) { // item numbers from 1, 36 and later shifted
    std::size_t at = 0;
    for (std::size_t i = 0; i + 1 < item; ++i)
        at += kItemWidths[i];
    return at;
}
constexpr std::size_t kAsteroidPresentItem = 36; // index 35 of kItemWidths
constexpr std::size_t kTrailCountOffset = itemOffset(39);

TEST(ChartDocument, EveryItemRoundTripsInEachRotationMode) {
    testutil::TempDir dir("skv");
    // The catalogues live below a data folder; the asteroid one is named relative to it.
    const fs::path asteroidFile = dir / "data" / "asteroids" / "sbdb_asteroids.skd";
    fs::create_directories(asteroidFile.parent_path());
    fs::copy_file(kDataDir / "asteroids" / "sbdb_asteroids.skd", asteroidFile);
    const fs::path cometFile = dir / "data" / "comets" / "sbdb_comets.skd";
    fs::create_directories(cometFile.parent_path());
    fs::copy_file(kDataDir / "comets" / "sbdb_comets.skd", cometFile);

    for (int rotation :
         {chart::RotationEquatorial, chart::RotationEcliptic, chart::RotationAzimuthal}) {
        SCOPED_TRACE(rotation);
        World a;
        fillNonDefault(a, rotation);
        AsteroidCatalog loaded;
        ASSERT_TRUE(catalog::LoadAsteroidCatalog(loaded, asteroidFile).ok());
        ASSERT_GT(loaded.size(), 7000u);
        std::vector<chart::PlottedAsteroid> bodies(loaded.bodies().begin(), loaded.bodies().end());
        a.asteroids.replace(std::move(bodies), "asteroids/sbdb_asteroids.skd");
        a.asteroids.bodies()[0].shown = 1;
        a.asteroids.bodies()[5].shown = 1;
        a.asteroids.bodies()[7000].shown = 1;
        ASSERT_TRUE(catalog::LoadCometCatalog(a.comets, cometFile).ok());
        a.comets.bodies()[1].shown = 1;
        // The chart as it would be shown, so that zoom and grids are what a redraw leaves.
        a.chart.SetView();
        a.chart.UpdateTime();
        chart::UpdateGridSettings(a.chart);

        const fs::path file = dir / "chart.skv";
        ASSERT_EQ(catalog::SaveChartDocument(file, a.chart, a.deepSky, a.asteroids, a.comets), "");
        EXPECT_FALSE(fs::exists(dir / "chart.skv.tmp"));

        World b;
        b.chart.trails.add(makeTrail("old", 2));
        int replaced = 0;
        catalog::ChartDocumentLoadOptions options;
        options.dataFolder = dir / "data";
        options.fixedPlaceCount = 297;
        options.cataloguesReplaced = [&replaced] { ++replaced; };
        std::vector<std::string> notes;
        ASSERT_EQ(catalog::LoadChartDocument(file, b.parts(), options, &notes), "");
        EXPECT_TRUE(notes.empty()) << notes.front();
        EXPECT_EQ(replaced, 1);
        expectSameChart(a, b);

        ASSERT_EQ(b.asteroids.size(), a.asteroids.size());
        EXPECT_EQ(b.asteroids.name(), asteroidFile.string());
        std::vector<std::size_t> shown;
        for (std::size_t i = 0; i < b.asteroids.size(); ++i)
            if (b.asteroids.bodies()[i].shown)
                shown.push_back(i);
        EXPECT_EQ(shown, (std::vector<std::size_t>{0, 5, 7000}));
        ASSERT_EQ(b.comets.size(), a.comets.size());
        EXPECT_EQ(b.comets.bodies()[1].shown, 1);
        EXPECT_EQ(b.comets.bodies()[0].shown, 0);
    }
}

TEST(ChartDocument, LayoutHasTheItemWidthsAndOffsets) {
    World w;
    fillNonDefault(w, chart::RotationAzimuthal);
    w.chart.trails.clear();
    const std::string bytes = encode(w);
    std::size_t total = 0;
    for (std::size_t width : kItemWidths)
        total += width;
    ASSERT_EQ(total, 648u);
    ASSERT_EQ(bytes.size(), total);

    EXPECT_EQ(catalog::readF64(bytes.data() + 0), 0.375);
    // The target record: class tag 1, padding 0, RA, Dec, unit vector.
    EXPECT_EQ(catalog::readI32(bytes.data() + 8), 1);
    EXPECT_EQ(catalog::readI32(bytes.data() + 12), 0);
    EXPECT_NEAR(catalog::readF64(bytes.data() + 16), 17.25, 1e-12);
    EXPECT_NEAR(catalog::readF64(bytes.data() + 24), -41.5, 1e-12);
    EXPECT_EQ(catalog::readF64(bytes.data() + 32), w.chart.target().x());
    EXPECT_EQ(catalog::readF64(bytes.data() + 40), w.chart.target().y());
    EXPECT_EQ(catalog::readF64(bytes.data() + 48), w.chart.target().z());
    EXPECT_LT(w.chart.target().y(), -0.6);
    EXPECT_EQ(catalog::readI32(bytes.data() + 56), chart::RotationAzimuthal);
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(4)), 12);
    EXPECT_EQ(catalog::readF64(bytes.data() + itemOffset(5)), 48.25);
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(7)), 16);
    EXPECT_EQ(catalog::readF64(bytes.data() + itemOffset(9)), 12.5);
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(20)), 1); // daylight saving
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(21) + 4), -600);
    EXPECT_EQ(catalog::readF64(bytes.data() + itemOffset(24)), 8.5);
    // The deep-sky block starts with plotting and the label magnitude as a float.
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(32)), 1);
    EXPECT_EQ(catalog::readF32(bytes.data() + itemOffset(32) + 12), 9.5f);
    // The first type switch is "chAsterism" (index 6 of the chart's own order).
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(32) + 20), w.deepSky.typeSwitches[6]);
    EXPECT_EQ(catalog::readF64(bytes.data() + itemOffset(34)), 13.4);
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(35) + 8), chart::AsteroidLabelMagnitude);
    // No catalogues: item 36 and 41 are 0 with nothing of 37-39 and 42-44.
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(kAsteroidPresentItem)), 0);
    EXPECT_EQ(catalog::readI32(bytes.data() + itemOffset(kAsteroidPresentItem) + 4), 1);
    EXPECT_EQ(catalog::readI32(bytes.data() + kTrailCountOffset), 0);

    // A trail adds its record: 326 bytes and 78 per point.
    w.chart.trails.add(makeTrail("Trail of Mars", 4));
    EXPECT_EQ(encode(w).size(), total + 326 + 4 * 78);
}

// A world with catalogues and trails to load into, and a document that holds all of it.
struct SweepSetup {
    testutil::TempDir dir{"skv-sweep"};
    std::string document;
    fs::path asteroidFile = dir / "a.skd";
    fs::path cometFile = dir / "c.skd";

    SweepSetup() {
        writeCatalogueLines(kDataDir / "asteroids" / "sbdb_asteroids.skd", asteroidFile, 3);
        writeCatalogueLines(kDataDir / "comets" / "sbdb_comets.skd", cometFile, 2);
        World w;
        fillNonDefault(w, chart::RotationEcliptic);
        EXPECT_TRUE(catalog::LoadAsteroidCatalog(w.asteroids, asteroidFile).ok());
        EXPECT_TRUE(catalog::LoadCometCatalog(w.comets, cometFile).ok());
        w.asteroids.bodies()[2].shown = 1;
        document = encode(w);
    }
};

TEST(ChartDocument, ADocumentCutAtEveryByteFailsAndChangesNothing) {
    SweepSetup setup;
    World target;
    target.chart.trails.add(makeTrail("kept", 3));
    ASSERT_TRUE(catalog::LoadAsteroidCatalog(target.asteroids, setup.asteroidFile).ok());
    target.asteroids.bodies()[0].shown = 1;
    const std::string before = snapshot(target);
    const std::string expected = "An attempt was made to access chart.skv past its end.";
    for (std::size_t n = 0; n < setup.document.size(); ++n) {
        const std::string message = catalog::ApplyChartDocument(
            std::string_view(setup.document).substr(0, n), "chart.skv", target.parts());
        ASSERT_EQ(message, expected) << "cut at " << n;
        ASSERT_EQ(snapshot(target), before) << "cut at " << n;
    }
    EXPECT_EQ(target.asteroids.bodies()[0].shown, 1);

    // Through a file the message names the file; the whole document still loads.
    const fs::path file = setup.dir / "short.skv";
    writeFile(file, std::string_view(setup.document).substr(0, setup.document.size() - 1));
    EXPECT_EQ(catalog::LoadChartDocument(file, target.parts()),
              "An attempt was made to access " + file.string() + " past its end.");
    EXPECT_EQ(catalog::ApplyChartDocument(setup.document, "chart.skv", target.parts()), "");
    EXPECT_EQ(target.chart.settings.rotationMode, chart::RotationEcliptic);
    EXPECT_EQ(target.asteroids.size(), 3u);
    EXPECT_EQ(target.asteroids.bodies()[2].shown, 1);
    EXPECT_EQ(target.asteroids.bodies()[0].shown, 0);
}

TEST(ChartDocument, HostileCountsNeverAllocateHugelyOrCrash) {
    World source;
    fillNonDefault(source, chart::RotationEquatorial);
    source.chart.trails.clear();
    source.chart.trails.add(makeTrail("Trail of Mars", 0));
    const std::string base = encode(source);
    const std::size_t trailCount = kTrailCountOffset;
    const std::size_t pointCount = base.size() - 4;
    const std::size_t asteroidPresent = itemOffset(kAsteroidPresentItem);

    // Asteroid catalogue present with a count of 2^31 - 1 and no flags behind it.
    std::string asteroids = base.substr(0, asteroidPresent);
    asteroids += std::string(4, '\0');
    patchI32(asteroids, asteroidPresent, 1);
    asteroids += std::string(300, '\0');
    asteroids.replace(asteroidPresent + 4, 5, "x.skd");
    asteroids += std::string(4, '\0');
    patchI32(asteroids, asteroidPresent + 304, std::numeric_limits<std::int32_t>::max());
    asteroids += base.substr(asteroidPresent + 4);

    std::string trails = base;
    patchI32(trails, trailCount, 1000000000);
    std::string points = base;
    patchI32(points, pointCount, std::numeric_limits<std::int32_t>::max());
    std::string negative = base;
    patchI32(negative, pointCount, -5);

    World target;
    const std::string before = snapshot(target);
    const std::string pastEnd = "An attempt was made to access doc past its end.";
    g_largestAllocation = 0;
    g_trackAllocations = true;
    const std::string m1 = catalog::ApplyChartDocument(asteroids, "doc", target.parts());
    const std::string m2 = catalog::ApplyChartDocument(trails, "doc", target.parts());
    const std::string m3 = catalog::ApplyChartDocument(points, "doc", target.parts());
    const std::string m4 = catalog::ApplyChartDocument(negative, "doc", target.parts());
    g_trackAllocations = false;
    EXPECT_EQ(m1, pastEnd);
    EXPECT_EQ(m2, pastEnd);
    EXPECT_EQ(m3, pastEnd);
    EXPECT_EQ(m4, "The chart document \"doc\" is damaged: the trail point count is negative (-5).");
    EXPECT_LT(g_largestAllocation.load(), std::size_t{1} << 20);
    EXPECT_EQ(snapshot(target), before);
}

TEST(ChartDocument, ASelectionIsKeptOnlyWhenTheCatalogueStillHasItsCount) {
    SweepSetup setup;
    World target;
    catalog::ChartDocumentLoadOptions options;
    std::vector<std::string> notes;
    ASSERT_EQ(catalog::ApplyChartDocument(setup.document, "d", target.parts(), options, &notes),
              "");
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(target.asteroids.bodies()[2].shown, 1);

    // The catalogue has grown by one body since the document was saved.
    writeCatalogueLines(kDataDir / "asteroids" / "sbdb_asteroids.skd", setup.asteroidFile, 4);
    target.asteroids.bodies()[0].shown = 1;
    ASSERT_EQ(catalog::ApplyChartDocument(setup.document, "d", target.parts(), options, &notes),
              "");
    ASSERT_EQ(target.asteroids.size(), 4u);
    for (const auto& a : target.asteroids.bodies())
        EXPECT_EQ(a.shown, 0);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("holds 4 asteroids, not the 3"), std::string::npos) << notes[0];
    EXPECT_EQ(target.comets.size(), 2u);

    // A catalogue that is gone leaves the list empty with a note; the load goes on.
    fs::remove(setup.asteroidFile);
    notes.clear();
    testutil::FakeBodies oldList(1);
    target.chart.objects.asteroids = &oldList;
    ASSERT_EQ(catalog::ApplyChartDocument(setup.document, "d", target.parts(), options, &notes),
              "");
    EXPECT_TRUE(target.asteroids.empty());
    EXPECT_TRUE(target.asteroids.name().empty());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(setup.asteroidFile.string()), std::string::npos) << notes[0];
    EXPECT_EQ(target.chart.settings.rotationMode, chart::RotationEcliptic);
    // Without a callback the chart no longer points into the replaced catalogues.
    EXPECT_EQ(target.chart.objects.asteroids, nullptr);

    // A document without catalogues drops the ones that were loaded.
    World none;
    std::string plain;
    ASSERT_EQ(
        catalog::EncodeChartDocument(none.chart, none.deepSky, none.asteroids, none.comets, plain),
        "");
    ASSERT_EQ(catalog::ApplyChartDocument(plain, "d", target.parts()), "");
    EXPECT_TRUE(target.comets.empty());
}

TEST(ChartDocument, AHundredTrailsLoadAndMoreAreLeftOut) {
    World source;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(source.chart.trails.add(makeTrail("Trail " + std::to_string(i), i % 3)));
    std::string bytes = encode(source);
    World target;
    std::vector<std::string> notes;
    ASSERT_EQ(catalog::ApplyChartDocument(bytes, "d", target.parts(), {}, &notes), "");
    ASSERT_EQ(target.chart.trails.size(), 100u);
    EXPECT_EQ(target.chart.trails[99].name, "Trail 99");
    EXPECT_EQ(target.chart.trails[98].points().size(), 2u);
    EXPECT_TRUE(notes.empty());

    // A 101st record (a copy of the last) is read and left out, with a note.
    const std::size_t lastSize = 326;
    bytes += bytes.substr(bytes.size() - lastSize);
    patchI32(bytes, kTrailCountOffset, 101);
    ASSERT_EQ(catalog::ApplyChartDocument(bytes, "d", target.parts(), {}, &notes), "");
    EXPECT_EQ(target.chart.trails.size(), 100u);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], "The chart document holds 101 trails; only the first 100 were loaded.");
}

TEST(ChartDocument, TextsPositionsAndValuesAreCheckedOnTheWayIn) {
    World source;
    source.chart.trails.add(makeTrail("Trail of Mars", 1));
    const std::string base = encode(source);
    const std::size_t trail = kTrailCountOffset + 4;
    const std::size_t name = trail + 24 + 60 + 8 + 80;
    const std::size_t point = name + 150 + 4;

    std::string bytes = base;
    // A name that fills its field without a zero, with a byte that is not UTF-8; a label
    // without a zero; a point whose vector is zero (its RA/Dec is taken); a tag of garbage.
    bytes.replace(name, 150, std::string(150, 'n'));
    bytes[name + 10] = '\xff';
    bytes.replace(point + 48, 30, std::string(30, 'L'));
    for (std::size_t k = 0; k < 24; ++k)
        bytes[point + 24 + k] = 0;
    patchI32(bytes, point, 0x7a7a7a7a);
    patchI32(bytes, 8, -3); // the target's class tag
    // Hostile plain values.
    catalog::writeF64(bytes.data() + 0, -2.0);              // zoom
    patchI32(bytes, 56, 9);                                 // rotation
    patchI32(bytes, itemOffset(4), 99999);                  // fixed place
    catalog::writeF64(bytes.data() + itemOffset(5), 500.0); // latitude
    patchI32(bytes, itemOffset(21) + 4, 1000000);           // pace
    catalog::writeF64(bytes.data() + itemOffset(24), 99.0); // magnitude limit
    catalog::writeF64(bytes.data() + itemOffset(9),         // parallel spacing
                      std::numeric_limits<double>::quiet_NaN());
    catalog::writeF64(bytes.data() + itemOffset(17), std::numeric_limits<double>::infinity());

    World target;
    target.chart.settings.autoMagnitudeLimit = 0;
    patchI32(bytes, itemOffset(25) + 4, 0); // automatic magnitude off in the document too
    ASSERT_EQ(catalog::ApplyChartDocument(bytes, "d", target.parts()), "");
    const chart::Trail& t = target.chart.trails[0];
    EXPECT_EQ(t.name, "nnnnnnnnnn?" + std::string(139, 'n'));
    EXPECT_EQ(t.points()[0].label, std::string(29, 'L'));
    EXPECT_LT(testutil::separationDeg(t.points()[0].direction, astro::SkyPoint(0.0, -30.0)), 1e-9);
    const chart::SkyChart& c = target.chart;
    EXPECT_NEAR(c.zoom(), 0.7, 1e-6);
    EXPECT_EQ(c.settings.rotationMode, chart::RotationEquatorial);
    EXPECT_EQ(c.settings.place.fixedPlace, 211);
    EXPECT_EQ(c.settings.place.latitude, -1000.0);
    EXPECT_EQ(c.settings.place.longitude, -1000.0);
    EXPECT_EQ(c.clock.Pace, 1);
    EXPECT_EQ(c.settings.magnitudeLimit, 6.0);
    // A shown automatic grid takes its spacing from the zoom; the stored one was refused.
    EXPECT_TRUE(std::isfinite(c.settings.equatorialGridSettings.parallelSpacing));
    // An invalid local time becomes a valid one.
    EXPECT_TRUE(c.clock.Local.isValid());
    EXPECT_TRUE(c.clock.Universal.isValid());

    // A target with neither a finite vector nor a finite RA/Dec is refused.
    std::string noTarget = base;
    for (std::size_t k = 16; k < 56; k += 8)
        catalog::writeF64(noTarget.data() + k, std::numeric_limits<double>::quiet_NaN());
    const std::string before = snapshot(target);
    EXPECT_EQ(catalog::ApplyChartDocument(noTarget, "d", target.parts()),
              "The chart document \"d\" is damaged: the chart's target is not a finite "
              "direction.");
    EXPECT_EQ(snapshot(target), before);
    // A non-finite vector with a finite RA/Dec takes the RA/Dec.
    std::string raDec = base;
    catalog::writeF64(raDec.data() + 16, 6.0);
    catalog::writeF64(raDec.data() + 24, 10.0);
    catalog::writeF64(raDec.data() + 32, std::numeric_limits<double>::infinity());
    ASSERT_EQ(catalog::ApplyChartDocument(raDec, "d", target.parts()), "");
    EXPECT_NEAR(target.chart.target().ra(), 6.0, 1e-9);
    EXPECT_NEAR(target.chart.target().dec(), 10.0, 1e-9);
}

TEST(ChartDocument, AGridIsRebuiltAutomaticallyOrKeptFixed) {
    for (int automatic : {0, 1}) {
        World source;
        source.chart.settings.equatorialGridSettings.parallelSpacing = 33.0;
        source.chart.settings.equatorialGridSettings.automatic = automatic;
        source.chart.setZoom(0.25);
        const std::string bytes = encode(source);
        World target;
        target.chart.SetClientSize(800, 600);
        ASSERT_EQ(catalog::ApplyChartDocument(bytes, "d", target.parts()), "");
        const double spacing = target.chart.settings.equatorialGridSettings.parallelSpacing;
        if (automatic)
            EXPECT_NE(spacing, 33.0);
        else
            EXPECT_EQ(spacing, 33.0);
    }
}

TEST(ChartDocument, AFailedSaveReportsAndKeepsTheOldFile) {
    testutil::TempDir dir("skv-save");
    const fs::path file = dir / "chart.skv";
    writeFile(file, "old contents");
    // The temporary file cannot be made: a folder stands in its place.
    fs::create_directories(dir / "chart.skv.tmp");
    World w;
    const std::string error =
        catalog::SaveChartDocument(file, w.chart, w.deepSky, w.asteroids, w.comets);
    EXPECT_NE(error.find("Cannot save the chart document \"" + file.string() + "\""),
              std::string::npos)
        << error;
    EXPECT_EQ(testutil::readBytes(file), "old contents");

    // A catalogue name too long for its field is refused, not cut.
    fs::remove(dir / "chart.skv.tmp");
    w.asteroids.replace({}, "/" + std::string(299, 'a'));
    const std::string tooLong =
        catalog::SaveChartDocument(file, w.chart, w.deepSky, w.asteroids, w.comets);
    EXPECT_NE(tooLong.find("longer than the 299 bytes"), std::string::npos) << tooLong;
    EXPECT_EQ(testutil::readBytes(file), "old contents");
    w.asteroids.replace({}, "/" + std::string(298, 'a'));
    EXPECT_EQ(catalog::SaveChartDocument(file, w.chart, w.deepSky, w.asteroids, w.comets), "");
    EXPECT_EQ(testutil::readBytes(file).size(), 648u + 300 + 4);
}

} // namespace
