// The search dialogs' models: their lists, finds and messages over the shipped catalogues and
// over small hand-made star files, and the question asked before centring on a result.
#include "catalog/SearchModels.h"

#include "catalog/Catalogues.h"
#include "catalog/TychoStore.h"
#include "chart/Navigation.h"
#include "chart/SkyChart.h"

#include "FileBytes.h"
#include "ShippedCatalogues.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using catalog::SearchChoice;
using catalog::SearchFindResult;
using catalog::StarSearchModel;

namespace {

const fs::path kDataDir = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";

std::vector<std::string> firstCells(const catalog::SearchListModel& m) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < m.visibleCount(); ++i)
        out.push_back(m.visibleRow(i).cells[0]);
    return out;
}

// The cells of the row a find selected; empty cells when it selected no visible row.
std::vector<std::string> foundCells(const catalog::SearchListModel& m, const SearchFindResult& r) {
    if (!r.row || *r.row >= m.visibleCount())
        return std::vector<std::string>(m.columns().size());
    return m.visibleRow(*r.row).cells;
}

// The shipped catalogues, loaded once, and a chart in London on a December night.
class SearchShipped : public testutil::ShippedCatalogues {
protected:
    void SetUp() override {
        chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
        chart.UpdateTime();
    }

    chart::SkyChart chart; // London, as a new chart
};

} // namespace

// ---- constellations and the list behaviour every dialog shares

TEST_F(SearchShipped, EveryConstellationIsListedChosenAndCentredOn) {
    catalog::ConstellationSearchModel m(catalogues->constellations);
    ASSERT_EQ(m.visibleCount(), 88u);
    EXPECT_EQ(m.choose().message, "Please, select constellation");
    EXPECT_EQ(m.columns()[0].title, std::string("Name"));
    EXPECT_EQ(m.columns()[1].width, 80);

    const auto& entries = catalogues->constellations.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].name);
        // Filtering by the abbreviation keeps the constellation in view; choosing it gives
        // its list index, and Goto looks at its label point.
        m.setFilter(entries[i].abbreviation);
        std::optional<std::size_t> at;
        for (std::size_t v = 0; v < m.visibleCount(); ++v)
            if (m.rowIndex(v) == i)
                at = v;
        ASSERT_TRUE(at);
        const SearchChoice c = m.chooseRow(*at);
        ASSERT_TRUE(c.ok());
        EXPECT_EQ(c.constellation, static_cast<int>(i));
        EXPECT_EQ(c.object, nullptr);
        ASSERT_TRUE(chart::CentreOnConstellation(chart, catalogues->constellations, i));
        const astro::SkyPoint looked = chart.fromChartFrame(chart.target());
        EXPECT_LT(testutil::separationDeg(looked,
                                          astro::SkyPoint(entries[i].labelRa, entries[i].labelDec)),
                  1e-6);
    }
    EXPECT_FALSE(chart::CentreOnConstellation(chart, catalogues->constellations, 88));
}

TEST_F(SearchShipped, TheFilterKeepsListOrderIgnoresCaseAndTheSelectionFollowsIt) {
    catalog::ConstellationSearchModel m(catalogues->constellations);
    // The "Ursa" rows in the order of the list, whatever the case typed.
    std::vector<std::string> ursa;
    for (const auto& e : catalogues->constellations.entries())
        if (e.name.starts_with("Ursa"))
            ursa.push_back(e.name);
    ASSERT_EQ(ursa.size(), 2u);
    m.setFilter("uRSA");
    EXPECT_EQ(firstCells(m), ursa);

    // Every cell counts, and a part of a word too: "ari" is in the names of Aquarius, Aries,
    // Carina and Sagittarius and in the abbreviation "Ari"; nowhere else.
    std::vector<std::string> ari;
    for (const auto& e : catalogues->constellations.entries())
        if (e.name == "Aquarius" || e.name == "Aries" || e.name == "Carina" ||
            e.name == "Sagittarius")
            ari.push_back(e.name);
    m.setFilter("ari");
    EXPECT_EQ(firstCells(m), ari);

    // The selection stays on its row while it is shown and goes when it is hidden.
    m.setFilter("");
    ASSERT_EQ(m.visibleCount(), 88u);
    const std::size_t uma =
        static_cast<std::size_t>(catalogues->constellations.ConstellationNumber("UMa") - 1);
    m.select(uma);
    m.setFilter("Major");
    ASSERT_TRUE(m.selected());
    EXPECT_EQ(m.visibleRow(*m.selected()).cells[1], "UMa");
    EXPECT_EQ(m.choose().constellation, static_cast<int>(uma));
    m.setFilter("Minor");
    EXPECT_FALSE(m.selected());
    EXPECT_EQ(m.choose().message, "Please, select constellation");
    m.setFilter("no such text");
    EXPECT_EQ(m.visibleCount(), 0u);
    m.select(0); // nothing to select
    EXPECT_FALSE(m.selected());
}

// ---- the Sun, Moon and planets

TEST_F(SearchShipped, BodiesAreListedInChartOrderWithTheirConstellation) {
    catalog::BodySearchModel m(chart.solarSystem, &catalogues->constellations);
    EXPECT_EQ(firstCells(m),
              (std::vector<std::string>{"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
                                        "Neptune", "Pluto", "Sun", "Moon"}));
    // The Sun crosses Ophiuchus from 29 November to 17 December (IAU boundaries).
    EXPECT_EQ(m.visibleRow(8).cells[1], "Ophiuchus");
    EXPECT_EQ(m.choose().message, "Please, select object");

    // Goto on the Sun at 22:00 UT in London in December asks first.
    const SearchChoice sun = m.chooseRow(8);
    ASSERT_TRUE(sun.ok());
    EXPECT_EQ(sun.object, chart.solarSystem.body(8));
    EXPECT_EQ(chart::GotoQuestion(chart, *sun.object), "Sun is not visible. Centre anyway?");
}

// ---- deep sky

TEST_F(SearchShipped, TheWholeDeepSkyCatalogueFindsByNgcMessierAndCommonName) {
    catalog::DeepSkySearchModel m(catalogues->deepSky, &catalogues->constellations, false);
    EXPECT_TRUE(m.onlySelected());
    EXPECT_EQ(m.title(), "Find deep sky object  -  only selected for plotting");
    EXPECT_EQ(m.visibleCount(), 0u); // the chart plots no deep-sky objects
    m.setOnlySelected(false);
    EXPECT_EQ(m.title(),
              "Find deep sky object  -  list of NGC 2000.0 catalogue ( in original order )");
    ASSERT_EQ(m.rows().size(), catalogues->deepSky.objects().size());
    EXPECT_EQ(m.commonNames().size(), catalogues->deepSky.names().size());

    const SearchFindResult ngc = m.findNgc("7000");
    ASSERT_TRUE(ngc.found()) << ngc.message;
    EXPECT_EQ(foundCells(m, ngc),
              (std::vector<std::string>{"7000", "", "Bright emission or reflection nebula",
                                        "Cygnus", "North America Nebula", "-"}));
    EXPECT_EQ(m.selected(), ngc.row);

    // The catalogue keeps IC objects as "I434"; the letter case is free.
    const SearchFindResult ic = m.findNgc("i434");
    ASSERT_TRUE(ic.found());
    EXPECT_EQ(foundCells(m, ic)[0], "I434");
    EXPECT_EQ(foundCells(m, ic)[3], "Orion");
    EXPECT_EQ(m.findNgc("IC 434").message, "Can't find NGC IC 434");

    const SearchFindResult m31 = m.findMessier("31");
    ASSERT_TRUE(m31.found());
    EXPECT_EQ(foundCells(m, m31)[0], "224");
    EXPECT_EQ(foundCells(m, m31)[1], "31");
    EXPECT_EQ(foundCells(m, m31)[3], "Andromeda");
    const SearchChoice chosen = m.choose();
    ASSERT_TRUE(chosen.ok());
    EXPECT_EQ(chosen.object->GetName(), "NGC 224");
    // No atlas images are shipped.
    EXPECT_EQ(m.image().message, "There is not image for this object!");

    EXPECT_EQ(m.findMessier("0").message, "Please enter an integer between 1 and 110.");
    EXPECT_EQ(m.findMessier("111").message, "Please enter an integer between 1 and 110.");
    EXPECT_EQ(m.findMessier("M31").message, "Please enter an integer.");
    EXPECT_EQ(m.findNgc("99999").message, "Can't find NGC 99999");

    // The box entry of the North America Nebula leads to the object with its names index.
    const auto& names = catalogues->deepSky.names();
    std::optional<std::size_t> entry;
    for (std::size_t i = 0; i < names.size() && !entry; ++i)
        if (names[i].commonName == "North America Nebula")
            entry = i;
    ASSERT_TRUE(entry);
    const std::string boxText = m.commonNames()[*entry];
    EXPECT_TRUE(boxText.starts_with("North America Nebula")) << boxText;
    const SearchFindResult byName = m.findCommonName(boxText);
    ASSERT_TRUE(byName.found()) << byName.message;
    EXPECT_EQ(foundCells(m, byName)[0], "7000");
    // Common names are compared with their letter case.
    EXPECT_FALSE(m.findCommonName(std::string_view("north america nebula")).found());
}

TEST_F(SearchShipped, ThePlottedDeepSkyListHoldsWhatTheChartDraws) {
    catalog::DsoSelectionSettings messier;
    messier.mode = catalog::DsoSelectionSettings::OnlyMessier;
    catalogues->deepSky.ApplyDsoSelection(messier);
    catalog::DeepSkySearchModel m(catalogues->deepSky, &catalogues->constellations, true);
    ASSERT_EQ(m.visibleCount(), catalogues->deepSky.selectedCount());
    ASSERT_GE(m.visibleCount(), 100u);
    for (std::size_t v = 0; v < m.visibleCount(); ++v)
        EXPECT_FALSE(m.visibleRow(v).cells[1].empty()) << m.visibleRow(v).cells[0];

    EXPECT_TRUE(m.findMessier("31").found());
    EXPECT_EQ(m.findNgc("7000").message, "Can't find NGC 7000"); // not a Messier object
    // The box has one entry per plotted object with a common name; each leads to its object.
    ASSERT_FALSE(m.commonNames().empty());
    for (std::size_t i = 0; i < m.commonNames().size(); ++i) {
        const SearchFindResult r = m.findCommonName(i);
        ASSERT_TRUE(r.found()) << m.commonNames()[i];
        EXPECT_TRUE(m.commonNames()[i].starts_with(foundCells(m, r)[4])) << m.commonNames()[i];
    }
    // Goto on 47 Tucanae (NGC 104) from London, where it never rises.
    m.setOnlySelected(false);
    ASSERT_TRUE(m.findNgc("104").found());
    EXPECT_EQ(chart::GotoQuestion(chart, *m.choose().object),
              "NGC 104 is not visible. Centre anyway?");
    // The chart drawing no deep-sky objects plots none of them.
    m.refresh(false);
    m.setOnlySelected(true);
    EXPECT_EQ(m.visibleCount(), 0u);
    EXPECT_TRUE(m.commonNames().empty());
}

TEST(SearchDeepSky, ImageColumnAndImageChoice) {
    catalog::DsoCatalog dso;
    catalog::DsoFields with, without;
    with.designation = "1";
    with.typeCode = "Gx";
    without.designation = "2";
    without.typeCode = "OC";
    without.ra = 3.0;
    without.namesIndex = static_cast<int>(dso.appendName({"Test Cluster", ""}));
    dso.appendObject(catalog::DsoObject(with));
    dso.appendObject(catalog::DsoObject(without));
    dso.SetImageTable({{7, "1", -1}});

    catalog::DeepSkySearchModel m(dso, nullptr, false);
    m.setOnlySelected(false);
    ASSERT_EQ(m.visibleCount(), 2u);
    EXPECT_EQ(m.visibleRow(0).cells[5], "Yes");
    EXPECT_EQ(m.visibleRow(1).cells[5], "-");
    EXPECT_EQ(m.visibleRow(1).cells[4], "Test Cluster");
    // Without a designation listed, the box shows the common name alone.
    EXPECT_EQ(m.commonNames(), (std::vector<std::string>{"Test Cluster"}));

    EXPECT_EQ(m.image().message, "Please, select object from the list");
    m.select(0);
    EXPECT_EQ(m.image().object, m.visibleRow(0).object);
    m.select(1);
    EXPECT_EQ(m.image().message, "There is not image for this object!");
    EXPECT_EQ(m.findCommonName(std::string_view("Nothing")).message, "Can't find Nothing");
}

// ---- asteroids and comets

TEST(SearchMinorBodies, WithoutACatalogueNothingIsFoundByNumber) {
    catalog::AsteroidCatalog none;
    catalog::AsteroidSearchModel m(none);
    EXPECT_EQ(m.visibleCount(), 0u);
    EXPECT_EQ(m.findNumber(catalog::AsteroidSearchModel::kInitialNumber).message,
              "Can't find asteroid with number 1");
    EXPECT_EQ(m.findNumber(" 433 ").message, "Can't find asteroid with number 433");
    EXPECT_EQ(m.findNumber("Eros").message, "Please enter an integer.");
    EXPECT_EQ(m.findName("Eros").message, "Can't find Eros");
    EXPECT_EQ(m.choose().message, "Please, select asteroid");

    catalog::CometCatalog noComets;
    catalog::CometSearchModel c(noComets);
    EXPECT_EQ(c.findName("1P/Halley").message, "Can't find 1P/Halley");
    EXPECT_EQ(c.choose().message, "Please, select comet");
    EXPECT_EQ(c.columns().size(), 1u);
    EXPECT_EQ(c.columns()[0].width, 250);
}

TEST_F(SearchShipped, ShippedAsteroidsAndCometsAreFoundAndComputedForInfo) {
    catalog::AsteroidCatalog asteroids;
    ASSERT_TRUE(
        catalog::LoadAsteroidCatalog(asteroids, kDataDir / "asteroids" / "sbdb_asteroids.skd")
            .ok());
    catalog::AsteroidSearchModel m(asteroids);
    ASSERT_EQ(m.visibleCount(), asteroids.size());
    EXPECT_EQ(m.visibleRow(0).cells, (std::vector<std::string>{"Ceres", "1"}));

    const SearchFindResult vesta = m.findNumber("4");
    ASSERT_TRUE(vesta.found());
    EXPECT_EQ(foundCells(m, vesta)[0], "Vesta");
    EXPECT_EQ(m.findName("vESTA").row, vesta.row);
    EXPECT_EQ(m.findNumber("999999999").message, "Can't find asteroid with number 999999999");

    // A find whose row the filter hides clears the filter and selects the row.
    m.setFilter("Pallas");
    ASSERT_EQ(m.visibleCount(), 1u);
    const SearchFindResult juno = m.findName("Juno");
    ASSERT_TRUE(juno.found());
    EXPECT_TRUE(juno.filterCleared);
    EXPECT_EQ(m.filter(), "");
    EXPECT_EQ(foundCells(m, juno)[1], "3");

    // Info computes the body for the chart's instant: a hidden asteroid has no position yet.
    SearchChoice c = m.choose();
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.object->dec(), 90.0);
    catalog::ComputeForInfo(*c.object, chart.MakeObservationParams());
    EXPECT_LT(std::abs(c.object->dec()), 40.0); // Juno keeps within 13 degrees of the ecliptic

    // Only those selected for plotting, in catalogue order.
    asteroids.bodies()[3].shown = 1;
    asteroids.bodies()[1].shown = 1;
    m.setOnlySelected(true);
    EXPECT_EQ(firstCells(m), (std::vector<std::string>{"Pallas", "Vesta"}));
    EXPECT_EQ(m.findNumber("1").message, "Can't find asteroid with number 1");
    EXPECT_EQ(m.findNumber("4").row, std::optional<std::size_t>(1));

    catalog::CometCatalog comets;
    ASSERT_TRUE(catalog::LoadCometCatalog(comets, kDataDir / "comets" / "sbdb_comets.skd").ok());
    catalog::CometSearchModel cm(comets);
    const SearchFindResult halley = cm.findName("1p/halley");
    ASSERT_TRUE(halley.found());
    const SearchChoice h = cm.choose();
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(h.object->GetType(), astro::KindComet);
    EXPECT_EQ(h.object->GetName(), "1P/Halley");
    cm.setOnlySelected(true);
    EXPECT_EQ(cm.visibleCount(), 0u);
    EXPECT_EQ(cm.findName("1P/Halley").message, "Can't find 1P/Halley");
}

TEST(SearchMinorBodies, AnUnnumberedAsteroidHasAnEmptyNumberCell) {
    catalog::AsteroidCatalog cat;
    std::vector<chart::PlottedAsteroid> bodies;
    astro::AsteroidValues v;
    v.name = "2026 AB";
    v.axis = 2.5;
    v.absMagnitude = 15.0;
    bodies.emplace_back(astro::Asteroid(v));
    v.number = 7;
    v.name = "Iris";
    bodies.emplace_back(astro::Asteroid(v));
    cat.replace(std::move(bodies), "test");
    catalog::AsteroidSearchModel m(cat);
    EXPECT_EQ(m.visibleRow(0).cells, (std::vector<std::string>{"2026 AB", ""}));
    EXPECT_EQ(m.visibleRow(1).cells, (std::vector<std::string>{"Iris", "7"}));
    // Number 0 stands for "none" in the list but is still a number the user may enter.
    EXPECT_EQ(m.findNumber("0").row, std::optional<std::size_t>(0));
}

// ---- stars in the shipped catalogue

TEST_F(SearchShipped, StarsAreFoundEachWay) {
    catalog::StarCatalog& stars = catalogues->stars;
    const catalog::ConstellationData& con = catalogues->constellations;
    StarSearchModel m(stars, con);
    EXPECT_EQ(m.way, StarSearchModel::Way::ProperName);
    EXPECT_EQ(m.choose().message, "Isn't exist in Skyvane star catalog"); // no name chosen yet
    const auto& names = m.properNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "Mizar"), names.end());
    EXPECT_EQ(m.constellationNames().size(), 88u);
    EXPECT_EQ(StarSearchModel::bayerLetters()[5], "ζ");

    auto found = [&] {
        const SearchChoice c = m.choose();
        return c.ok() ? c.object->GetName() : c.message;
    };
    m.properName = "Mizar";
    EXPECT_EQ(found(), "Mizar");
    m.properName = "mizar"; // proper names keep their letter case
    EXPECT_EQ(found(), "Isn't exist in Skyvane star catalog");

    m.way = StarSearchModel::Way::Bayer;
    m.bayerLetter = 5; // zeta
    m.bayerConstellation = con.ConstellationNumber("UMa") - 1;
    EXPECT_EQ(found(), "Mizar");
    m.bayerLetter = 0;
    m.bayerConstellation = con.ConstellationNumber("UMi") - 1;
    EXPECT_EQ(found(), "Polaris");
    m.useIndex = true; // Polaris has no index
    EXPECT_EQ(found(), "Isn't exist in Skyvane star catalog");

    m.way = StarSearchModel::Way::Flamsteed;
    m.flamsteedText = "79";
    m.flamsteedConstellation = con.ConstellationNumber("UMa") - 1;
    EXPECT_EQ(found(), "Mizar");
    m.flamsteedConstellation = con.ConstellationNumber("UMi") - 1;
    EXPECT_EQ(found(), "Isn't exist in Skyvane star catalog");

    m.way = StarSearchModel::Way::Sao;
    m.saoText = "308";
    EXPECT_EQ(found(), "Polaris");
    m.way = StarSearchModel::Way::Hd;
    m.hdText = "116656";
    EXPECT_EQ(found(), "Mizar");

    // Polaris never sets in London; Acrux never rises there.
    chart::SkyChart london;
    london.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    london.UpdateTime();
    EXPECT_FALSE(chart::GotoQuestion(london, *catalog::FindStarBySao(stars, 308)));
    m.way = StarSearchModel::Way::ProperName;
    m.properName = "Acrux";
    const SearchChoice acrux = m.choose();
    ASSERT_TRUE(acrux.ok());
    EXPECT_EQ(chart::GotoQuestion(london, *acrux.object), "Star is not visible. Centre anyway?");
}

TEST_F(SearchShipped, NumberFieldsAreRangeCheckedForTheChosenWayOnly) {
    StarSearchModel m(catalogues->stars, catalogues->constellations);
    m.saoText = "0";
    EXPECT_FALSE(m.validate()); // the SAO field is not the chosen way's
    m.way = StarSearchModel::Way::Sao;
    for (const char* text : {"0", "258998"}) {
        m.saoText = text;
        const auto r = m.validate();
        ASSERT_TRUE(r) << text;
        EXPECT_EQ(r->field, StarSearchModel::Field::Sao);
        EXPECT_EQ(r->message, "Please enter an integer between 1 and 258997.");
        EXPECT_EQ(m.choose().message, "Please enter an integer between 1 and 258997.");
    }
    m.saoText = "258997";
    EXPECT_FALSE(m.validate());
    m.saoText = "12a";
    EXPECT_EQ(m.validate()->message, "Please enter an integer.");

    m.way = StarSearchModel::Way::Hd;
    m.hdText = "359022";
    EXPECT_EQ(m.validate()->message, "Please enter an integer between 1 and 359021.");
    m.way = StarSearchModel::Way::Tycho;
    m.tyc1Text = "9537";
    m.tyc2Text = "12122";
    m.tyc3Text = "4";
    EXPECT_EQ(m.validate()->field, StarSearchModel::Field::Tyc2); // checked in field order
    m.tyc2Text = "12121";
    EXPECT_EQ(m.validate()->message, "Please enter an integer between 1 and 3.");
    m.way = StarSearchModel::Way::Bayer;
    m.indexText = "100";
    EXPECT_FALSE(m.validate()); // the index counts only with "Index:"
    m.useIndex = true;
    EXPECT_EQ(m.validate()->message, "Please enter an integer between 1 and 99.");
    m.way = StarSearchModel::Way::Flamsteed;
    m.flamsteedText = "0";
    EXPECT_EQ(m.validate()->field, StarSearchModel::Field::Flamsteed);
}

// ---- stars in hand-made files

namespace {

using testutil::Bytes;

// A 64-byte resident record: Tycho identifier (TYC3 1), position, V 5.00, HD and SAO numbers,
// and the index of its name record (0: none).
Bytes residentRecord(int tyc1, int tyc2, double ra, double dec, int hd, int sao, int nameIndex) {
    Bytes r;
    r.i16(tyc1).i16(tyc2).direction(ra, dec).i16(5200).i16(5000).i32(hd).i32(sao);
    r.text("A0", 4).i16(nameIndex).i16(0).f32(-100.0f).i16(-10000).i16(-10000);
    r.i32(0).f64(-100.0).i16(-100).text("", 6);
    return r;
}

Bytes nameRecord(int bayer, int bayerIndex, int flamsteed, const std::string& name) {
    return Bytes().i8(bayer).i8(bayerIndex).i16(flamsteed).text(name, 32);
}

struct StarSpec {
    double ra, dec;
    int bayer, bayerIndex, flamsteed;
    std::string name;
    int tyc1 = 0, tyc2 = 0, hd = 0, sao = 0;
};

// Named stars in the given order (name records 1..n), the shipped constellation data, and
// optionally a Tycho-2 region file pair with one region over the whole sky.
class SearchStarFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(constellations.LoadBoundaryBands(kDataDir), 0u);
        ASSERT_EQ(constellations.LoadConstellationList(kDataDir), 88u);
    }

    void writeStars(const std::vector<StarSpec>& named, const std::vector<StarSpec>& plain = {}) {
        Bytes main, names = nameRecord(0, 0, 0, "");
        int index = 1;
        for (const StarSpec& s : named) {
            main.append(residentRecord(s.tyc1, s.tyc2, s.ra, s.dec, s.hd, s.sao, index++));
            names.append(nameRecord(s.bayer, s.bayerIndex, s.flamsteed, s.name));
        }
        for (const StarSpec& s : plain)
            main.append(residentRecord(s.tyc1, s.tyc2, s.ra, s.dec, s.hd, s.sao, 0));
        main.write(dir / "SKY2000_data.skd");
        names.write(dir / "bright_data.skd");
        Bytes().write(dir / "tycho_2_b.skd");
    }

    // Regions for TYC1 1 .. the largest given, each over the whole sky and holding the stars
    // (TYC1, TYC2, TYC3) of its TYC1 in the main file.
    void writeRegions(const std::vector<std::array<int, 3>>& ids) {
        int regions = 0;
        for (const auto& id : ids)
            regions = std::max(regions, id[0]);
        Bytes main, index;
        int first = 1;
        for (int tyc1 = 1; tyc1 <= regions; ++tyc1) {
            index.i32(first).i32(1).f64(0.0).f64(360.0).f64(-90.0).f64(90.0);
            for (const auto& id : ids)
                if (id[0] == tyc1) {
                    main.i16(id[0] + 10000 * (id[2] - 1)).i16(id[1]).direction(6.0, -30.0);
                    main.i16(11000).i16(10500);
                    ++first;
                }
        }
        index.i32(first).i32(1).text("", 32);
        main.write(dir / "tycho_2.skd");
        Bytes().write(dir / "supply_1.skd");
        index.write(dir / "tycho_2_index.skd");
    }

    int number(const char* abbreviation) const {
        return constellations.ConstellationNumber(abbreviation);
    }

    const testutil::TempDir temp{"search-stars"};
    const fs::path dir = temp.path();
    catalog::ConstellationData constellations;
    catalog::StarCatalog stars;
};

// Positions inside Centaurus (near alpha Centauri) and Crux.
constexpr double kCenRa = 14.66, kCenDec = -60.83;
constexpr double kCruRa = 12.44, kCruDec = -63.1;

} // namespace

TEST_F(SearchStarFiles, WithoutAnIndexTheFirstBayerStarInCatalogueOrderWins) {
    // An alpha of another constellation first, then alpha-1 and alpha-2 of Centaurus.
    writeStars({{kCruRa, kCruDec, 1, 0, 0, "Acrux"},
                {kCenRa, kCenDec, 1, 1, 0, "Alpha One"},
                {kCenRa + 0.01, kCenDec, 1, 2, 0, "Alpha Two"},
                {kCenRa, kCenDec + 1.0, 2, 0, 5, "Beta"}});
    ASSERT_TRUE(stars.LoadStarCatalogs(dir).ok());

    const catalog::NamedStar* first =
        catalog::FindStarByBayer(stars, constellations, 1, number("Cen"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->properName(), "Alpha One");
    EXPECT_EQ(catalog::FindStarByBayer(stars, constellations, 1, number("Cen"), 2)->properName(),
              "Alpha Two");
    EXPECT_EQ(catalog::FindStarByBayer(stars, constellations, 1, number("Cru"))->properName(),
              "Acrux");
    EXPECT_EQ(catalog::FindStarByBayer(stars, constellations, 1, number("Cen"), 3), nullptr);
    EXPECT_EQ(catalog::FindStarByBayer(stars, constellations, 3, number("Cen")), nullptr);
    EXPECT_EQ(catalog::FindStarByFlamsteed(stars, constellations, 5, number("Cen"))->properName(),
              "Beta");

    // The dialog takes the letter's and the constellation's positions in its boxes.
    StarSearchModel m(stars, constellations);
    EXPECT_EQ(m.properNames(),
              (std::vector<std::string>{"Acrux", "Alpha One", "Alpha Two", "Beta"}));
    m.way = StarSearchModel::Way::Bayer;
    m.bayerLetter = 0;
    m.bayerConstellation = number("Cen") - 1;
    EXPECT_EQ(m.choose().object, first);
    m.useIndex = true;
    m.indexText = "2";
    EXPECT_EQ(m.choose().object->GetName(), "Alpha Two");
}

TEST_F(SearchStarFiles, CatalogueOrderNotTheIndexDecides) {
    writeStars({{kCenRa, kCenDec, 1, 2, 0, "Alpha Two"}, {kCenRa, kCenDec, 1, 1, 0, "Alpha One"}});
    ASSERT_TRUE(stars.LoadStarCatalogs(dir).ok());
    EXPECT_EQ(catalog::FindStarByBayer(stars, constellations, 1, number("Cen"))->properName(),
              "Alpha Two");
    EXPECT_EQ(catalog::FindStarByBayer(stars, constellations, 1, number("Cen"), 1)->properName(),
              "Alpha One");
}

TEST_F(SearchStarFiles, NumbersAreSearchedInTheNamedStarsThenTheCatalogueStarsThenTheRegions) {
    // The same SAO number on a named and a catalogue star: the named one is found. The
    // Tycho identifier 1-8-1 is both resident and in the region file.
    writeStars({{kCenRa, kCenDec, 1, 0, 0, "Named", 1, 8, 100, 200}},
               {{kCruRa, kCruDec, 0, 0, 0, "", 3, 10, 300, 200},
                {kCruRa, kCruDec, 0, 0, 0, "", 3, 11, 400, 500}});
    writeRegions({{1, 8, 1}, {2, 77, 2}});
    ASSERT_TRUE(stars.LoadStarCatalogs(dir).ok());
    ASSERT_EQ(stars.tycho().TychoAvailable(), 1);

    EXPECT_EQ(catalog::FindStarBySao(stars, 200)->GetType(), astro::KindNamedStar);
    EXPECT_EQ(catalog::FindStarBySao(stars, 500)->hdNumber(), 400);
    EXPECT_EQ(catalog::FindStarByHd(stars, 300)->GetType(), astro::KindCatalogStar);
    EXPECT_EQ(catalog::FindStarByHd(stars, 301), nullptr);
    EXPECT_EQ(catalog::FindStarByTycho(stars, 1, 8, 1)->GetType(), astro::KindNamedStar);

    StarSearchModel m(stars, constellations);
    m.way = StarSearchModel::Way::Tycho;
    m.tyc1Text = "2";
    m.tyc2Text = "77";
    m.tyc3Text = "2";
    const SearchChoice c = m.choose();
    ASSERT_TRUE(c.ok()) << c.message;
    EXPECT_EQ(c.object->GetType(), astro::KindTychoStar);
    EXPECT_EQ(c.object->GetName(), "TYC 2-77-2");
    EXPECT_NEAR(c.object->dec(), -30.0, 1e-6);
    // The star found stays the model's while the store goes on searching.
    EXPECT_NE(stars.tycho().FindTychoStar(1, 8, 1), nullptr);
    EXPECT_EQ(c.object->GetName(), "TYC 2-77-2");

    m.tyc3Text = "1";
    EXPECT_EQ(m.choose().message, "Isn't exist in Skyvane star catalog");
}

TEST_F(SearchStarFiles, WithoutRegionFilesOnlyResidentStarsAreFound) {
    writeStars({{kCenRa, kCenDec, 1, 0, 0, "Named", 1, 8, 100, 200}});
    ASSERT_TRUE(stars.LoadStarCatalogs(dir).ok());
    ASSERT_EQ(stars.tycho().TychoAvailable(), 0);
    EXPECT_NE(catalog::FindStarByTycho(stars, 1, 8, 1), nullptr);
    EXPECT_EQ(catalog::FindStarByTycho(stars, 2, 77, 2), nullptr);
}
