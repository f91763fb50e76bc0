#include "catalog/Stars.h"
#include "catalog/ConstellationLookup.h"
#include "catalog/TychoStore.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"
#include "FileBytes.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using catalog::CatalogStar;
using catalog::NamedStar;
using catalog::StarCatalog;
using catalog::TychoStore;

namespace {

using testutil::Bytes;

struct Sky2000 {
    int packed = 1, tyc2 = 1;
    double ra = 0.0, dec = 0.0;
    int bt = -10000, vt = -10000, hd = 0, sao = 0;
    std::string spectral = "   ";
    int index = 0;
    float separation = -100.0f;
    int magDiff = -10000, amplitude = -10000;
    double period = -100.0;
    int variability = -100;

    Bytes bytes() const {
        Bytes r;
        r.i16(packed).i16(tyc2).direction(ra, dec).i16(bt).i16(vt).i32(hd).i32(sao);
        r.text(spectral, 4).i16(index).i16(0).f32(separation).i16(magDiff).i16(amplitude);
        r.i32(0).f64(period).i16(variability).text("", 6);
        return r;
    }
};

Bytes bright(int bayer, int bayerIndex, int flamsteed, const std::string& name) {
    return Bytes().i8(bayer).i8(bayerIndex).i16(flamsteed).text(name, 32);
}

Bytes tycho(int packed, int tyc2, double ra, double dec, int bt, int vt) {
    return Bytes().i16(packed).i16(tyc2).direction(ra, dec).i16(bt).i16(vt);
}

class StarFiles : public ::testing::Test {
protected:
    const testutil::TempDir temp{"stars"};
    const fs::path dir = temp.path();
};

class FixedLookup : public catalog::ConstellationLookup {
public:
    std::string abbreviationAt(const astro::SkyPoint&) const override { return "Cyg"; }
};

} // namespace

TEST(StarFields, LookupTablesAndColourClasses) {
    EXPECT_EQ(catalog::SpectralClassIndex('k'), 7);
    EXPECT_EQ(catalog::BayerLetterChar(8), 'q');
    EXPECT_EQ(catalog::BayerLetterChar(25), '-');
    EXPECT_EQ(catalog::BayerLetterUtf8(8), "θ");
    EXPECT_EQ(catalog::BayerLetterUtf8(21), "φ");
    EXPECT_EQ(catalog::BayerLetterUtf8(0), "");
    EXPECT_EQ(catalog::VariabilityText(5), "eclipsing binary systems");
    EXPECT_EQ(catalog::VariabilityText(7), "");
    // The Sun (0.65), Vega (0.0), Rigel (-0.03), Betelgeuse (1.85), Arcturus (1.23).
    EXPECT_EQ(catalog::SpectralClassFromColour(0.65), 2);
    EXPECT_EQ(catalog::SpectralClassFromColour(0.0), 4);
    EXPECT_EQ(catalog::SpectralClassFromColour(-0.03), 5);
    EXPECT_EQ(catalog::SpectralClassFromColour(1.85), 0);
    EXPECT_EQ(catalog::SpectralClassFromColour(1.23), 1);
    EXPECT_EQ(catalog::SpectralClassFromColour(-0.35), 6);
    EXPECT_EQ(catalog::SpectralClassFromColour(std::nan("")), 7);
}

TEST_F(StarFiles, ResidentFilesGiveTheirFields) {
    // A component-3 identifier; a variable double star with a four-letter type (cut to
    // three) and one with an unknown variability code; a star without Tycho identifier, HD
    // number or spectral type (SAO name, colour from B-V 1.2).
    const Sky2000 packedStar{.packed = 29537,
                             .tyc2 = 12,
                             .ra = 5.0,
                             .dec = 30.0,
                             .bt = 9123,
                             .hd = 100,
                             .spectral = "K0"};
    const Sky2000 variable{.bt = 1500,
                           .vt = 1400,
                           .spectral = "B8Ia",
                           .separation = 4.5f,
                           .magDiff = 250,
                           .amplitude = 120,
                           .period = 2110.0,
                           .variability = 2};
    Sky2000 odd = variable;
    odd.variability = 9;
    const Sky2000 sao{.packed = 0, .tyc2 = 0, .bt = 1500, .vt = 300, .sao = 308};
    // Named stars: index 5, a blank name, a Flamsteed number, indexes outside the file.
    const Sky2000 name5{.bt = 9123, .index = 5}, noName{.tyc2 = 2, .index = 3},
        flamsteed{.index = 4}, beyond{.packed = 0, .hd = 48915, .index = 4000},
        negative{.index = -2};
    const std::vector<const Sky2000*> records{&packedStar, &name5,  &variable, &noName,  &flamsteed,
                                              &sao,        &beyond, &odd,      &negative};

    Bytes main;
    for (const Sky2000* s : records)
        main.append(s->bytes());
    main.text("short", 30); // a truncated final record
    main.write(dir / "SKY2000_data.skd");

    Bytes names = bright(2, 0, 0, "record zero");
    names.append(bright(2, 0, 0, "one")).append(bright(2, 0, 0, "two"));
    names.append(bright(7, 0, 0, "   ")).append(bright(0, 0, 61, ""));
    names.append(bright(1, 2, 0, "  Caf\xE9 Star  ")); // bytes 180..215
    names.write(dir / "bright_data.skd");

    Bytes faint = tycho(4, 1234, 12.0, -45.0, 11200, 10500);
    faint.append(tycho(4, 1235, 12.1, -45.0, 11300, -10000)).text("cut", 7);
    faint.write(dir / "tycho_2_b.skd");

    StarCatalog cat;
    const auto result = cat.LoadStarCatalogs(dir);
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(cat.namedStars().size(), 5u);
    ASSERT_EQ(cat.catalogStars().size(), 6u); // four of the main file, two faint ones
    EXPECT_EQ(cat.namedStarList().size(), 5u);
    EXPECT_EQ(cat.catalogStarList().at(5), &cat.catalogStars()[5]);
    EXPECT_EQ(cat.tycho().TychoAvailable(), 0); // no region files here

    const CatalogStar& p = cat.catalogStars()[0];
    EXPECT_EQ(p.tyc1(), 9537);
    EXPECT_EQ(p.tyc3(), 3);
    EXPECT_EQ(p.GetName(), "TYC 9537-12-3");
    EXPECT_EQ(p.GetType(), 19);
    EXPECT_FLOAT_EQ(p.GetMagnitude(), 9.123f);
    EXPECT_FALSE(p.visualMagnitude());
    EXPECT_EQ(p.spectralType(), "K0");
    EXPECT_EQ(p.spectralClassIndex(), 1);
    EXPECT_EQ(p.hdNumber(), 100);
    EXPECT_FALSE(p.saoNumber());
    EXPECT_FALSE(p.period() || p.amplitude() || p.separation() || p.variabilityType());
    EXPECT_NEAR(p.ra(), 5.0, 1e-6);
    EXPECT_NEAR(p.dec(), 30.0, 1e-5);

    const CatalogStar& v = cat.catalogStars()[1];
    EXPECT_EQ(v.spectralType(), "B8I");
    EXPECT_EQ(v.spectralClassIndex(), 5);
    EXPECT_FLOAT_EQ(*v.separation(), 4.5f);
    EXPECT_FLOAT_EQ(*v.magnitudeDifference(), 2.5f);
    EXPECT_FLOAT_EQ(*v.amplitude(), 1.2f);
    EXPECT_DOUBLE_EQ(*v.period(), 2110.0);
    EXPECT_EQ(v.variabilityText(), "pulsating");
    EXPECT_EQ(cat.catalogStars()[3].variabilityType(), 9);
    EXPECT_EQ(cat.catalogStars()[3].variabilityText(), "");

    const CatalogStar& s = cat.catalogStars()[2];
    EXPECT_EQ(s.GetName(), "SAO 308");
    EXPECT_FALSE(s.spectralType());
    EXPECT_EQ(s.spectralClassIndex(), 1); // B-V 1.2

    const CatalogStar& f = cat.catalogStars()[4];
    EXPECT_EQ(f.GetName(), "TYC 4-1234-1");
    EXPECT_FLOAT_EQ(f.GetMagnitude(), 10.5f);
    EXPECT_FLOAT_EQ(*f.blueMagnitude(), 11.2f);
    EXPECT_FALSE(f.hdNumber() || f.spectralType() || f.period() || f.variabilityType());
    EXPECT_EQ(f.spectralClassIndex(), 7); // a Tycho star keeps the class of its spectral type
    EXPECT_FLOAT_EQ(cat.catalogStars()[5].GetMagnitude(), 11.3f);

    const NamedStar& n5 = cat.namedStars()[0];
    EXPECT_EQ(n5.GetType(), 20);
    EXPECT_EQ(n5.bayerCode(), 1);
    EXPECT_EQ(n5.bayerIndex(), 2);
    EXPECT_EQ(n5.properName(), "Café Star");
    EXPECT_EQ(n5.GetName(), "Café Star");

    const NamedStar& empty = cat.namedStars()[1];
    EXPECT_EQ(empty.bayerCode(), 7);
    EXPECT_EQ(empty.GetName(), "TYC 1-2-1");
    EXPECT_FLOAT_EQ(empty.GetMagnitude(), -10.0f);
    EXPECT_FALSE(empty.spectralType());
    EXPECT_EQ(empty.spectralClassIndex(), 7);

    const NamedStar& f61 = cat.namedStars()[2];
    EXPECT_EQ(f61.GetName(), "61");
    FixedLookup lookup;
    catalog::setConstellationLookup(&lookup);
    EXPECT_EQ(f61.GetName(), "61 Cyg");
    catalog::setConstellationLookup(nullptr);

    // Name indexes outside the file give stars without names.
    for (const NamedStar* out : {&cat.namedStars()[3], &cat.namedStars()[4]}) {
        EXPECT_EQ(out->bayerCode(), 0);
        EXPECT_EQ(out->flamsteed(), 0);
        EXPECT_TRUE(out->properName().empty());
    }
    EXPECT_EQ(cat.namedStars()[3].GetName(), "HD 48915");
}

TEST(StarFields, StarsTellTheChartTheirColourMultiplicityAndLabels) {
    // A faint star's colour comes from BT - VT: 0.7 is a G star; without VT it is class 7.
    const catalog::TychoStar g(1, 1, 1.0, 0.0, 0.0, 11.2f, 10.5f);
    EXPECT_EQ(g.colourClass(), 2);
    EXPECT_EQ(catalog::TychoStar(1, 1, 1.0, 0.0, 0.0, 11.2f, -10.0f).colourClass(), 7);

    Sky2000 plain{.bt = 1500, .vt = 1400, .spectral = "M2"};
    Sky2000 variableDouble = plain;
    variableDouble.period = 2110.0;
    variableDouble.separation = 0.0f; // a separation of zero is still a double star
    const auto catalogStar = [](const Sky2000& r) {
        const Bytes b = r.bytes();
        return CatalogStar::FromCatalogRecord(
            std::span<const unsigned char, catalog::kSky2000RecordSize>(b.b.data(), 64));
    };
    const CatalogStar p = catalogStar(plain);
    const CatalogStar v = catalogStar(variableDouble);
    EXPECT_EQ(p.colourClass(), 0); // the spectral type wins over B-V
    EXPECT_FALSE(p.isVariable() || p.isDouble());
    EXPECT_TRUE(v.isVariable());
    EXPECT_TRUE(v.isDouble());
    const chart::StarObject& asDrawn = v;
    EXPECT_TRUE(asDrawn.isVariable());
    EXPECT_EQ(asDrawn.labelInfo().bayerCode, 0);

    const Bytes record = plain.bytes();
    const Bytes names = bright(11, 2, 47, " Alpha Name ");
    const NamedStar n = NamedStar::FromRecords(
        std::span<const unsigned char, catalog::kSky2000RecordSize>(record.b.data(), 64),
        names.b.data());
    const chart::StarLabelInfo info = static_cast<const chart::StarObject&>(n).labelInfo();
    EXPECT_EQ(info.properName, "Alpha Name");
    EXPECT_EQ(info.bayerCode, 11);
    EXPECT_EQ(info.bayerIndex, 2);
    EXPECT_EQ(info.flamsteed, 47);
}

TEST_F(StarFiles, MissingResidentFileIsAnErrorNamingIt) {
    Sky2000 star;
    star.bt = 5000;
    for (const char* missing : {"bright_data.skd", "SKY2000_data.skd", "tycho_2_b.skd"}) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        star.bytes().write(dir / "SKY2000_data.skd");
        bright(0, 0, 0, "").write(dir / "bright_data.skd");
        tycho(1, 1, 0, 0, 9000, 9000).write(dir / "tycho_2_b.skd");
        for (const char* f : {"tycho_2.skd", "supply_1.skd", "tycho_2_index.skd"})
            Bytes().write(dir / f);
        fs::remove(dir / missing);

        StarCatalog cat;
        const auto result = cat.LoadStarCatalogs(dir);
        EXPECT_FALSE(result.ok());
        EXPECT_NE(result.error.find(missing), std::string::npos) << result.error;
        // The Tycho-2 store is not opened after a failed step.
        EXPECT_EQ(cat.tycho().TychoAvailable(), 0);
    }
}

TEST_F(StarFiles, LoadingStopsAddingAtTheCapacities) {
    Sky2000 named;
    named.index = 1;
    Bytes main;
    for (std::size_t i = 0; i < StarCatalog::kNamedCapacity + 3; ++i)
        main.append(named.bytes());
    main.write(dir / "SKY2000_data.skd");
    bright(0, 0, 0, "").append(bright(0, 0, 0, "Star")).write(dir / "bright_data.skd");
    const Bytes one = tycho(1, 1, 1.0, 1.0, 9000, 9000);
    Bytes faint;
    for (std::size_t i = 0; i < StarCatalog::kCatalogCapacity + 5; ++i)
        faint.append(one);
    faint.write(dir / "tycho_2_b.skd");

    StarCatalog cat;
    ASSERT_TRUE(cat.LoadStarCatalogs(dir).ok());
    EXPECT_EQ(cat.namedStars().size(), StarCatalog::kNamedCapacity);
    EXPECT_EQ(cat.catalogStars().size(), StarCatalog::kCatalogCapacity);
    EXPECT_EQ(cat.namedStars().back().GetName(), "Star");
}

namespace {

// A Tycho-2 store over 10 x 10 degree regions covering the sky, region i holding stars
// with TYC1 i + 1: `perRegion` stars in the main file at the region's centre and one in the
// supplement.
struct Regions {
    struct Box {
        double raLow, raHigh, decLow, decHigh;
    };
    std::vector<Box> boxes;
    Bytes main, supplement, index;

    void add(const Box& box, int mainStars, int supplementStars) {
        const int tyc1 = static_cast<int>(boxes.size()) + 1;
        index.i32(static_cast<std::int32_t>(main.b.size() / 20 + 1));
        index.i32(static_cast<std::int32_t>(supplement.b.size() / 20 + 1));
        index.f64(box.raLow).f64(box.raHigh).f64(box.decLow).f64(box.decHigh);
        const double ra = (box.raLow + box.raHigh) / 30.0, dec = (box.decLow + box.decHigh) / 2.0;
        for (int k = 0; k < mainStars; ++k)
            main.append(tycho(tyc1, k + 1, ra, dec, 11000, 10000 + k));
        for (int k = 0; k < supplementStars; ++k)
            supplement.append(tycho(tyc1 + 10000, 900 + k, ra, dec, 12000, 11000));
        boxes.push_back(box);
    }
    void write(const fs::path& dir) {
        Bytes closing = index;
        closing.i32(static_cast<std::int32_t>(main.b.size() / 20 + 1));
        closing.i32(static_cast<std::int32_t>(supplement.b.size() / 20 + 1)).text("", 32);
        main.write(dir / "tycho_2.skd");
        supplement.write(dir / "supply_1.skd");
        closing.write(dir / "tycho_2_index.skd");
    }
    static Regions skyGrid(int perRegion) {
        Regions r;
        for (int dec = -90; dec < 90; dec += 10)
            for (int ra = 0; ra < 360; ra += 10)
                r.add({double(ra), ra + 10.0, double(dec), dec + 10.0}, perRegion, 1);
        return r;
    }
};

void deepChart(chart::SkyChart& chart, float zoom, const astro::SkyPoint& target) {
    testutil::setUpChart(chart, 800, 600);
    chart.settings.autoMagnitudeLimit = 0;
    chart.settings.magnitudeLimit = 12.0;
    chart.SetView(zoom, target);
}

std::vector<int> loadedRegions(const TychoStore& store) {
    std::vector<int> out;
    for (const catalog::TychoSlot& s : store.slots())
        if (s.inUse)
            out.push_back(s.region);
    return out;
}

} // namespace

TEST_F(StarFiles, RegionFilesAreReadByTheirIndex) {
    Regions r;
    r.add({0, 10, 0, 10}, 3, 0);       // no supplement stars: same first number as the next
    r.add({10, 20, 0, 10}, 1000, 900); // more than a slot holds
    r.add({20, 30, 0, 10}, 2, 1);
    r.main.b[2 * 20] = 0; // the third star of region 0 is an empty record
    r.main.b[2 * 20 + 1] = 0;
    r.write(dir);

    TychoStore store;
    store.OpenTycho(dir);
    ASSERT_EQ(store.TychoAvailable(), 1);
    ASSERT_EQ(store.regionCount(), 3);
    EXPECT_EQ(store.region(0).count[0], 3);
    EXPECT_EQ(store.region(0).count[1], 0);
    EXPECT_EQ(store.region(1).count[1], 900);
    EXPECT_NEAR(store.region(1).raHigh, 20.0 / 15.0, 1e-12);
    EXPECT_NEAR(store.region(2).centre.ra(), 25.0 / 15.0, 1e-9);
    EXPECT_NEAR(store.region(2).centre.dec(), 5.0, 1e-9);

    chart::SkyChart chart;
    deepChart(chart, 2.0f, astro::SkyPoint(1.0, 5.0));
    store.LoadVisibleRegions(chart);
    ASSERT_EQ(loadedRegions(store), (std::vector<int>{0, 1, 2}));
    const auto& slots = store.slots();
    ASSERT_EQ(slots[0].starCount, 2);
    EXPECT_EQ(slots[0].loaded()[1].GetName(), "TYC 1-2-1");
    EXPECT_EQ(slots[1].starCount, 1800);
    EXPECT_EQ(slots[1].loaded()[1000].GetName(), "TYC 2-900-2"); // supplement after main
    ASSERT_EQ(slots[2].starCount, 3);
    EXPECT_EQ(slots[2].loaded()[2].tyc3(), 2);
    EXPECT_FLOAT_EQ(slots[2].loaded()[1].GetMagnitude(), 10.001f);

    const catalog::TychoStar* found = store.FindTychoStar(3, 900, 2);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetName(), "TYC 3-900-2");
    EXPECT_NE(store.FindTychoStar(2, 1000, 1), nullptr); // beyond the slot's capacity
    EXPECT_EQ(store.FindTychoStar(3, 900, 1), nullptr);
    EXPECT_EQ(store.FindTychoStar(4, 1, 1), nullptr);

    // A shallower chart leaves every slot free.
    chart.settings.magnitudeLimit = 9.5;
    store.LoadVisibleRegions(chart);
    EXPECT_TRUE(loadedRegions(store).empty());
}

TEST_F(StarFiles, TheStoreIsTheChartsFaintStarSource) {
    Regions r;
    r.add({0, 10, 0, 10}, 3, 1);
    r.add({200, 210, 0, 10}, 2, 0); // far from the chart
    r.write(dir);
    TychoStore store;
    chart::FaintStarSource& source = store;
    EXPECT_FALSE(source.available());
    EXPECT_EQ(source.starCount(0), 0u);
    store.OpenTycho(dir);
    EXPECT_TRUE(source.available());
    EXPECT_EQ(source.slotCount(), 50u);

    chart::SkyChart chart;
    deepChart(chart, 0.5f, astro::SkyPoint(0.33, 5.0));
    source.LoadVisibleRegions(chart);
    ASSERT_EQ(loadedRegions(store), std::vector<int>{0});
    ASSERT_EQ(source.starCount(0), 4u);
    EXPECT_EQ(source.starCount(1), 0u);
    EXPECT_EQ(source.starCount(50), 0u);
    EXPECT_EQ(source.star(0, 3), &store.slots()[0].loaded()[3]);
    EXPECT_EQ(source.star(0, 3)->GetName(), "TYC 1-900-2");
    EXPECT_EQ(source.star(0, 4), nullptr);
    EXPECT_EQ(source.star(1, 0), nullptr);

    chart.settings.magnitudeLimit = 9.0;
    source.LoadVisibleRegions(chart);
    EXPECT_EQ(source.starCount(0), 0u);
}

TEST_F(StarFiles, RegionCountsAreCutToTheFiles) {
    Regions r;
    r.add({0, 10, 0, 10}, 4, 1);
    r.add({10, 20, 0, 10}, 4, 1);
    r.write(dir);
    // The files lose their last records; a short record at the end does not count.
    r.main.b.resize(r.main.b.size() - 2 * 20 - 5);
    r.main.write(dir / "tycho_2.skd");
    Bytes().write(dir / "supply_1.skd");

    TychoStore store;
    store.OpenTycho(dir);
    ASSERT_EQ(store.regionCount(), 2);
    EXPECT_EQ(store.region(0).count[0], 4);
    EXPECT_EQ(store.region(1).count[0], 1);
    EXPECT_EQ(store.region(0).count[1], 0);
    EXPECT_EQ(store.region(1).count[1], 0);

    chart::SkyChart chart;
    deepChart(chart, 2.0f, astro::SkyPoint(1.0, 5.0));
    store.LoadVisibleRegions(chart);
    EXPECT_EQ(store.slots()[0].starCount, 4);
    EXPECT_EQ(store.slots()[1].starCount, 1);
}

TEST_F(StarFiles, AMissingRegionFileSwitchesTheTierOff) {
    Regions r = Regions::skyGrid(1);
    for (const char* missing : {"tycho_2.skd", "supply_1.skd", "tycho_2_index.skd"}) {
        r.write(dir);
        fs::remove(dir / missing);
        TychoStore store;
        store.OpenTycho(dir);
        EXPECT_EQ(store.TychoAvailable(), 0);
        EXPECT_EQ(store.regionCount(), 0);
        chart::SkyChart chart;
        deepChart(chart, 2.0f, astro::SkyPoint(1.0, 5.0));
        store.LoadVisibleRegions(chart);
        EXPECT_TRUE(loadedRegions(store).empty());
        EXPECT_EQ(store.FindTychoStar(1, 1, 1), nullptr);
    }
}

TEST_F(StarFiles, VisibleRegionsFollowTheChart) {
    Regions r = Regions::skyGrid(2);
    r.write(dir);
    TychoStore store;
    store.OpenTycho(dir);
    ASSERT_EQ(store.regionCount(), 36 * 18);
    const auto regionOf = [](double raHours, double decDeg) {
        return static_cast<int>((decDeg + 90) / 10) * 36 + static_cast<int>(raHours * 15 / 10);
    };

    // A narrow field inside one region: its centre is off the window, the window's points
    // lie in its box.
    chart::SkyChart chart;
    const astro::SkyPoint target(6.2, 43.0);
    deepChart(chart, 0.02f, target);
    store.LoadVisibleRegions(chart);
    const int home = regionOf(6.2, 43.0);
    ASSERT_EQ(loadedRegions(store), std::vector<int>{home});
    const chart::ScreenPoint c = chart.Project(store.region(home).centre);
    EXPECT_TRUE(c.x < 0 || c.x > 800 || c.y < 0 || c.y > 600);
    for (const catalog::TychoStar& s : store.slots()[0].loaded())
        EXPECT_EQ(s.tyc1(), home + 1);
    EXPECT_EQ(store.slots()[0].starCount, 3);

    // The same sky in the azimuthal frame loads the same region.
    chart.SetRotationMode(chart::RotationAzimuthal);
    chart.SetView();
    store.LoadVisibleRegions(chart);
    EXPECT_EQ(loadedRegions(store), std::vector<int>{home});

    // A wide field shows far more than 50 regions: the first 50 in index order are loaded.
    chart.SetRotationMode(chart::RotationEquatorial);
    chart.SetView(1.5f, astro::SkyPoint(3.0, 0.0));
    std::vector<int> visible;
    for (int i = 0; i < store.regionCount(); ++i)
        if (store.IsRegionVisible(store.region(i), chart))
            visible.push_back(i);
    ASSERT_GT(visible.size(), 100u);
    visible.resize(50);
    store.LoadVisibleRegions(chart);
    EXPECT_EQ(loadedRegions(store), visible);
    EXPECT_FALSE(store.IsRegionVisible(store.region(regionOf(15.0, 0.0)), chart));
    EXPECT_TRUE(store.IsRegionVisible(store.region(regionOf(3.0, 0.0)), chart));

    // Drawing only the visible part drops regions whose centre is below the horizon.
    chart.settings.onlyVisiblePart = 1;
    int below = 0;
    for (int i = 0; i < store.regionCount(); ++i) {
        const catalog::TychoRegion& region = store.region(i);
        if (!chart.isAboveHorizon(region.centre)) {
            EXPECT_FALSE(store.IsRegionVisible(region, chart));
            ++below;
        }
    }
    EXPECT_GT(below, 0);
    store.LoadVisibleRegions(chart);
    for (int i : loadedRegions(store))
        EXPECT_TRUE(chart.isAboveHorizon(store.region(i).centre));
}

// The files shipped in data/, when they have been built.
TEST(ShippedStars, ResidentFilesLoad) {
    const fs::path data = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";
    if (!fs::exists(data / "SKY2000_data.skd"))
        GTEST_SKIP() << "no star files in " << data;
    StarCatalog cat;
    const auto result = cat.LoadStarCatalogs(data);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_GT(cat.namedStars().size(), 100u);
    EXPECT_LE(cat.namedStars().size(), StarCatalog::kNamedCapacity);
    EXPECT_GT(cat.catalogStars().size(), 1000u);
    EXPECT_LE(cat.catalogStars().size(), StarCatalog::kCatalogCapacity);

    const auto byName = [&](std::string_view name) -> const NamedStar* {
        for (const NamedStar& s : cat.namedStars())
            if (s.properName() == name)
                return &s;
        return nullptr;
    };
    const NamedStar* sirius = byName("Sirius");
    ASSERT_NE(sirius, nullptr);
    EXPECT_NEAR(sirius->GetMagnitude(), -1.46, 0.05);
    EXPECT_NEAR(sirius->ra(), 6.75, 0.02);
    EXPECT_NEAR(sirius->dec(), -16.7, 0.1);
    const NamedStar* polaris = byName("Polaris");
    ASSERT_NE(polaris, nullptr);
    EXPECT_GT(polaris->dec(), 89.0);
    const NamedStar* betelgeuse = byName("Betelgeuse");
    ASSERT_NE(betelgeuse, nullptr);
    EXPECT_TRUE(betelgeuse->variabilityType());
    ASSERT_TRUE(betelgeuse->period());
    EXPECT_GT(*betelgeuse->period(), 100.0);
    EXPECT_EQ(betelgeuse->spectralClassIndex(), 0);
}

// A chart that pans keeps what its slots hold and reads only the regions coming into view;
// what it shows after every step is what a store that never saw the earlier views loads.
TEST_F(StarFiles, PanningReusesLoadedRegionsAndShowsWhatAFreshLoadShows) {
    Regions r;
    // Regions of 5 by 5 degrees around the equator, each with its own number of stars.
    for (int dec = -20; dec < 20; dec += 5)
        for (int ra = 0; ra < 360; ra += 5)
            r.add({double(ra), ra + 5.0, double(dec), dec + 5.0}, 1 + (ra / 5 + dec + 20) % 7,
                  ra % 3);
    r.write(dir);

    TychoStore panned;
    panned.OpenTycho(dir);
    ASSERT_EQ(panned.regionCount(), 8 * 72);
    chart::SkyChart chart;
    // Along the equator and back, a wide field among narrow ones, a shallow one between.
    const struct {
        double ra, dec;
        float zoom;
        double limit;
    } views[] = {{1.0, 0.0, 0.2f, 12}, {1.1, 1.0, 0.2f, 12}, {1.3, 2.0, 0.2f, 12},
                 {2.0, -3.0, 0.6f, 12}, {1.2, 1.0, 0.2f, 12}, {1.2, 1.0, 0.2f, 9},
                 {1.25, 0.5, 0.2f, 12}, {23.9, 0.0, 0.3f, 12}, {1.0, 0.0, 0.2f, 12}};
    for (const auto& v : views) {
        SCOPED_TRACE(std::to_string(v.ra) + " " + std::to_string(v.dec) + " zoom " +
                     std::to_string(v.zoom));
        deepChart(chart, v.zoom, astro::SkyPoint(v.ra, v.dec));
        chart.settings.magnitudeLimit = v.limit;
        panned.LoadVisibleRegions(chart);

        TychoStore fresh;
        fresh.OpenTycho(dir);
        fresh.LoadVisibleRegions(chart);
        ASSERT_EQ(loadedRegions(panned), loadedRegions(fresh));
        // The regions far from the window are passed over unasked: what is loaded is what
        // asking every region gives.
        std::vector<int> visible;
        for (int i = 0; i < fresh.regionCount() && v.limit > 9.5; ++i)
            if (fresh.IsRegionVisible(fresh.region(i), chart) && visible.size() < 50)
                visible.push_back(i);
        EXPECT_EQ(loadedRegions(fresh), visible);
        EXPECT_EQ(loadedRegions(fresh).empty(), v.limit <= 9.5);
        for (std::size_t s = 0; s < TychoStore::kSlotCount; ++s) {
            ASSERT_EQ(panned.starCount(s), fresh.starCount(s)) << "slot " << s;
            for (std::size_t i = 0; i < fresh.starCount(s); ++i) {
                EXPECT_EQ(panned.star(s, i)->GetName(), fresh.star(s, i)->GetName());
                EXPECT_EQ(panned.star(s, i)->GetMagnitude(), fresh.star(s, i)->GetMagnitude());
            }
        }
    }
}
