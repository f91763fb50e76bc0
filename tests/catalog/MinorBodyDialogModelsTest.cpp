// The models behind the asteroid and comet managers and the asteroid filters: the rows and
// their check boxes, find, select, Exit with the plotting question, the filter fields and
// their validation, and the filters run over bodies of the shipped catalogue.

#include "catalog/MinorBodyDialogModels.h"
#include "ChartTestUtil.h"
#include "astro/Frames.h"
#include "astro/MinorBodyLine.h"
#include "catalog/MinorBodyCatalog.h"
#include "chart/ChartViewState.h"
#include "chart/Selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using catalog::AsteroidFiltersModel;
using catalog::MinorBodyListModel;
using Field = AsteroidFiltersModel::Field;

const fs::path kDataDir = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";

astro::Asteroid asteroid(int number, const char* name, double h = 10.0) {
    char buf[160];
    std::snprintf(buf, sizeof buf,
                  "%5d %-26s %11.3f %10.6f %10.6f %10.6f %13.8f %10.8f %10.3f %5.2f", number, name,
                  2460000.5, 73.5, 80.3, 10.6, 2.7, 0.1, 0.15, h);
    auto parsed = astro::parseAsteroidLine(buf);
    EXPECT_TRUE(parsed.has_value()) << buf;
    return parsed.value_or(astro::Asteroid{});
}

astro::Comet comet(const char* name) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-32s %11.3f %10.6f %10.6f %10.6f %13.8f %10.8f %5.2f", name,
                  2460500.25, 111.3, 58.4, 162.3, 0.5, 0.9, 12.0);
    auto parsed = astro::parseCometLine(buf);
    EXPECT_TRUE(parsed.has_value()) << buf;
    return parsed.value_or(astro::Comet{});
}

double degreesBetween(const astro::SkyPoint& a, const astro::SkyPoint& b) {
    return std::acos(std::clamp(a.dot(b), -1.0, 1.0)) * 57.29578;
}

TEST(MinorBodyListModel, RowsTotalAndChecksFollowTheBodies) {
    std::vector<astro::Asteroid> bodies = {asteroid(1, "Ceres"), asteroid(0, "2019 AB1"),
                                           asteroid(433, "Eros")};
    bodies[2].shown = 1;
    MinorBodyListModel list(MinorBodyListModel::Kind::Asteroids);
    list.fill(std::span<astro::Asteroid>(bodies));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.row(0).name, "Ceres");
    EXPECT_EQ(list.row(0).number, "1");
    EXPECT_EQ(list.row(1).name, "2019 AB1");
    EXPECT_EQ(list.row(1).number, "") << "an unnumbered asteroid shows no number";
    EXPECT_EQ(list.row(2).number, "433");
    EXPECT_FALSE(list.checked(0));
    EXPECT_TRUE(list.checked(2));
    EXPECT_EQ(list.totalText(), "Total: 3");

    // A refill starts again from the bodies.
    std::vector<astro::Asteroid> other = {asteroid(4, "Vesta")};
    list.fill(std::span<astro::Asteroid>(other));
    EXPECT_EQ(list.totalText(), "Total: 1");
    EXPECT_FALSE(list.checked(0));

    std::vector<astro::Comet> comets = {comet("1P/Halley")};
    MinorBodyListModel cometList(MinorBodyListModel::Kind::Comets);
    cometList.fill(std::span<astro::Comet>(comets));
    EXPECT_EQ(cometList.row(0).name, "1P/Halley");
    EXPECT_EQ(cometList.row(0).number, "") << "comets have no number column";
    EXPECT_STREQ(cometList.selectMessage(), "Please, select comet");
    EXPECT_STREQ(list.selectMessage(), "Please, select asteroid");
}

TEST(MinorBodyListModel, FindIgnoresCaseButNotPartOfAName) {
    std::vector<astro::Asteroid> bodies = {asteroid(2, "Pallas"), asteroid(1, "Ceres"),
                                           asteroid(99, "CERES")};
    MinorBodyListModel list(MinorBodyListModel::Kind::Asteroids);
    list.fill(std::span<astro::Asteroid>(bodies));

    const auto found = list.find("ceres");
    ASSERT_TRUE(found.row.has_value());
    EXPECT_EQ(*found.row, 1u) << "the first match in list order";
    EXPECT_TRUE(found.message.empty());

    const auto partial = list.find("cere");
    EXPECT_FALSE(partial.row.has_value());
    EXPECT_EQ(partial.message, "Can't find cere");
    EXPECT_EQ(list.find("").message, "Can't find ");
}

TEST(MinorBodyListModel, SelectAllSetsBothAndExitCopiesTheCheckBoxes) {
    std::vector<astro::Asteroid> bodies = {asteroid(1, "Ceres"), asteroid(2, "Pallas"),
                                           asteroid(3, "Juno")};
    MinorBodyListModel list(MinorBodyListModel::Kind::Asteroids);
    list.fill(std::span<astro::Asteroid>(bodies));

    list.selectAll();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(list.checked(i));
        EXPECT_EQ(bodies[i].shown, 1);
    }
    list.deselectAll();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(list.checked(i));
        EXPECT_EQ(bodies[i].shown, 0);
    }

    // A check box changes its body only on Exit.
    list.setChecked(0, true);
    list.setChecked(2, true);
    EXPECT_EQ(bodies[0].shown, 0);
    EXPECT_EQ(list.checkedCount(), 2u);
    EXPECT_EQ(list.exit(), 2u);
    EXPECT_EQ(bodies[0].shown, 1);
    EXPECT_EQ(bodies[1].shown, 0);
    EXPECT_EQ(bodies[2].shown, 1);

    // Unchecking a plotted body clears its flag.
    list.setChecked(0, false);
    EXPECT_EQ(list.exit(), 1u);
    EXPECT_EQ(bodies[0].shown, 0);
}

TEST(MinorBodyListModel, ExitCountDecidesThePlottingFlag) {
    chart::ChartViewState state;
    int asked = 0;
    const chart::AskYesNo yes = [&asked](std::string_view question) {
        ++asked;
        EXPECT_EQ(question, "Plotting is not activated. Activate?");
        return true;
    };
    std::vector<astro::Asteroid> bodies = {asteroid(1, "Ceres"), asteroid(2, "Pallas")};
    MinorBodyListModel list(MinorBodyListModel::Kind::Asteroids);
    list.fill(std::span<astro::Asteroid>(bodies));

    // Nothing checked: plotting goes off without a question.
    state.chart.settings.plotAsteroids = 1;
    chart::FinishAsteroidManager(state, list.exit(), yes);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(state.chart.settings.plotAsteroids, 0);

    // Something checked while plotting is off: the question, and Yes switches it on.
    list.setChecked(1, true);
    chart::FinishAsteroidManager(state, list.exit(), yes);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(state.chart.settings.plotAsteroids, 1);
}

class AsteroidFilters : public ::testing::Test {
protected:
    void SetUp() override { testutil::setUpChart(chart, 800, 600); }
    chart::SkyChart chart;
};

TEST_F(AsteroidFilters, FieldsStartAtTheChartCentre) {
    chart.setTarget(astro::SkyPoint(5.5 + 12.25 / 60.0, -20.04));
    const AsteroidFiltersModel model(chart);
    EXPECT_FALSE(model.numberFilter);
    EXPECT_FALSE(model.magnitudeFilter);
    EXPECT_FALSE(model.areaFilter);
    EXPECT_FALSE(model.horizontalForm);
    EXPECT_FALSE(model.numberFieldsEnabled());
    EXPECT_FALSE(model.equatorialFieldsEnabled());
    EXPECT_FALSE(model.radiusFieldEnabled());
    EXPECT_EQ(model.fromText, "1");
    EXPECT_EQ(model.magnitudeText, "14.0");
    EXPECT_EQ(model.radiusText, "10");
    EXPECT_EQ(model.raHoursText, "5");
    EXPECT_EQ(model.raMinutesText, "42.2") << "42.25 minutes";
    EXPECT_EQ(model.decText, "-20.0");

    // Turned round the azimuthal poles the chart keeps its target in horizontal
    // coordinates; the fields still show right ascension and declination.
    chart.SetRotationMode(chart::RotationAzimuthal);
    const AsteroidFiltersModel turned(chart);
    EXPECT_EQ(turned.raHoursText, "5");
    EXPECT_EQ(turned.raMinutesText, "42.2");
    EXPECT_EQ(turned.decText, "-20.0");

    // The horizontal fields describe the same point: read back, they give the centre.
    AsteroidFiltersModel horizontal(chart);
    horizontal.areaFilter = true;
    horizontal.horizontalForm = true;
    EXPECT_TRUE(horizontal.horizontalFieldsEnabled());
    EXPECT_FALSE(horizontal.equatorialFieldsEnabled());
    ASSERT_FALSE(horizontal.validate().has_value());
    EXPECT_LT(degreesBetween(horizontal.target(), chart.fromChartFrame(chart.target())), 0.1);
}

TEST_F(AsteroidFilters, MinutesThatRoundUpCarryIntoTheWholeValue) {
    // 23h 59.97m would read "23" and "60.0", a right ascension of 24h that OK refuses.
    chart.setTarget(astro::SkyPoint(23.0 + 59.97 / 60.0, 10.0));
    AsteroidFiltersModel model(chart);
    EXPECT_EQ(model.raHoursText, "0");
    EXPECT_EQ(model.raMinutesText, "0.0");
    model.areaFilter = true;
    EXPECT_FALSE(model.validate().has_value());
}

TEST_F(AsteroidFilters, ValidationOrderAndMessages) {
    AsteroidFiltersModel m(chart);
    EXPECT_FALSE(m.validate().has_value()) << "nothing switched on";

    m.numberFilter = true;
    m.fromText = "0";
    m.toText = "5";
    m.areaFilter = true;
    m.radiusText = "0.4";
    auto r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter a positive number") << "the number range comes first";
    EXPECT_EQ(r->field, Field::From);

    m.fromText = "1";
    m.toText = "0";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter a positive number");
    EXPECT_EQ(r->field, Field::To);

    m.fromText = "10";
    m.toText = "5";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter a correct value");
    EXPECT_EQ(r->field, Field::To);

    m.fromText = "5";
    m.toText = "10";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter radius between 0.5 and 60");

    // The target is checked before the radius.
    m.raHoursText = "24";
    m.raMinutesText = "0";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter a correct value");
    EXPECT_EQ(r->field, Field::RaHours);
    m.raHoursText = "23";
    m.raMinutesText = "59.9";
    m.decText = "90.5";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->field, Field::Dec);
    m.decText = "-90";

    for (const char* bad : {"0.4", "60.1", "", "ten"}) {
        m.radiusText = bad;
        r = m.validate();
        ASSERT_TRUE(r.has_value()) << bad;
        EXPECT_EQ(r->message, "Please, enter radius between 0.5 and 60") << bad;
    }
    for (const char* good : {"0.5", "60", " 10 "}) {
        m.radiusText = good;
        EXPECT_FALSE(m.validate().has_value()) << good;
    }

    m.horizontalForm = true;
    m.azDegreesText = "359";
    m.azMinutesText = "60";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter a correct value");
    EXPECT_EQ(r->field, Field::AzDegrees);
    m.azMinutesText = "59";
    m.altText = "-91";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->field, Field::Alt);
    m.altText = "45";
    EXPECT_FALSE(m.validate().has_value());

    // Text that is no number at all is refused too.
    m.numberFilter = true;
    m.fromText = "1.5";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, "Please, enter a positive number");
    m.fromText = "1";
    m.magnitudeFilter = true;
    m.magnitudeText = "bright";
    r = m.validate();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->field, Field::Magnitude);
}

TEST_F(AsteroidFilters, HorizontalTargetPointsWhereTheUserSays) {
    AsteroidFiltersModel m(chart);
    m.areaFilter = true;
    m.horizontalForm = true;
    // Due south at altitude 30 and due east on the horizon.
    m.azDegreesText = "180";
    m.azMinutesText = "0";
    m.altText = "30";
    ASSERT_FALSE(m.validate().has_value());
    astro::SkyPoint h = astro::toHorizontal(m.target(), chart.frames());
    EXPECT_NEAR(astro::azimuthFromNorth(h.ra()), 180.0, 1e-6);
    EXPECT_NEAR(h.dec(), 30.0, 1e-6);
    m.azDegreesText = "90";
    m.azMinutesText = "30";
    m.altText = "0";
    ASSERT_FALSE(m.validate().has_value());
    h = astro::toHorizontal(m.target(), chart.frames());
    EXPECT_NEAR(astro::azimuthFromNorth(h.ra()), 90.5, 1e-6);
    EXPECT_NEAR(h.dec(), 0.0, 1e-6);
}

// The filters over the first bodies of the shipped catalogue, computed for the chart.
class AsteroidFiltersApplied : public AsteroidFilters {
protected:
    void SetUp() override {
        AsteroidFilters::SetUp();
        const auto result =
            catalog::LoadAsteroidCatalog(catalogue, kDataDir / "asteroids" / "sbdb_asteroids.skd");
        ASSERT_TRUE(result.ok()) << result.error;
        ASSERT_GE(catalogue.size(), 8u);
        bodies = catalogue.bodies().subspan(0, 8);
        list.fill(bodies);
        params = chart.MakeObservationParams();
    }
    std::vector<std::size_t> shownRows() const {
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            EXPECT_EQ(list.checked(i), bodies[i].shown != 0) << i;
            if (bodies[i].shown)
                rows.push_back(i);
        }
        return rows;
    }
    catalog::AsteroidCatalog catalogue;
    std::span<chart::PlottedAsteroid> bodies;
    MinorBodyListModel list{MinorBodyListModel::Kind::Asteroids};
    astro::ObservationParams params{};
};

TEST_F(AsteroidFiltersApplied, NumberRangeSelectsAndNeverClears) {
    bodies[7].shown = 1; // chosen by hand earlier
    list.fill(bodies);
    AsteroidFiltersModel m(chart);
    m.numberFilter = true;
    m.fromText = "2";
    m.toText = "4";
    ASSERT_FALSE(m.validate().has_value());
    std::size_t calls = 0;
    EXPECT_EQ(m.apply(list, params,
                      [&calls](std::size_t done, std::size_t total) {
                          ++calls;
                          EXPECT_EQ(done, calls);
                          EXPECT_EQ(total, 8u);
                      }),
              3u);
    EXPECT_EQ(calls, 8u);
    ASSERT_EQ(bodies[1].number(), 2);
    EXPECT_EQ(shownRows(), (std::vector<std::size_t>{1, 2, 3, 7}));

    // Run again with a range that excludes them: nothing is cleared.
    m.fromText = "1";
    m.toText = "1";
    ASSERT_FALSE(m.validate().has_value());
    EXPECT_EQ(m.apply(list, params), 1u);
    EXPECT_EQ(shownRows(), (std::vector<std::size_t>{0, 1, 2, 3, 7}));
}

TEST_F(AsteroidFiltersApplied, MagnitudeLimitUsesTheComputedMagnitude) {
    std::vector<double> magnitudes;
    for (chart::PlottedAsteroid& b : bodies) {
        b.Compute(params);
        magnitudes.push_back(b.results.magnitude);
    }
    std::vector<double> sorted = magnitudes;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_LT(sorted[2], sorted[3]);
    const double limit = (sorted[2] + sorted[3]) / 2.0;

    AsteroidFiltersModel m(chart);
    m.magnitudeFilter = true;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", limit);
    m.magnitudeText = text;
    ASSERT_FALSE(m.validate().has_value());
    EXPECT_EQ(m.apply(list, params), 3u);
    const std::vector<std::size_t> shown = shownRows();
    ASSERT_EQ(shown.size(), 3u);
    for (const std::size_t i : shown)
        EXPECT_LE(magnitudes[i], limit) << i;
}

TEST_F(AsteroidFiltersApplied, AreaAroundOneBodyAndFiltersCombined) {
    bodies[4].Compute(params);
    const double ra = bodies[4].ra();
    const double dec = bodies[4].dec();
    char minutes[32];
    char decText[32];
    std::snprintf(minutes, sizeof minutes, "%.4f", (ra - std::floor(ra)) * 60.0);
    std::snprintf(decText, sizeof decText, "%.4f", dec);

    AsteroidFiltersModel m(chart);
    m.areaFilter = true;
    m.raHoursText = std::to_string(static_cast<int>(std::floor(ra)));
    m.raMinutesText = minutes;
    m.decText = decText;
    m.radiusText = "0.5";
    ASSERT_FALSE(m.validate().has_value());
    EXPECT_LT(degreesBetween(m.target(), bodies[4]), 0.01);

    // Only the bodies within half a degree of the target pass.
    std::vector<std::size_t> near;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        bodies[i].Compute(params);
        if (degreesBetween(m.target(), bodies[i]) <= 0.5)
            near.push_back(i);
    }
    ASSERT_LT(near.size(), bodies.size());
    m.apply(list, params);
    EXPECT_EQ(shownRows(), near);

    // With a number filter that excludes the body as well, nothing more passes.
    list.deselectAll();
    m.numberFilter = true;
    m.fromText = "1";
    m.toText = "3";
    ASSERT_FALSE(m.validate().has_value());
    EXPECT_EQ(m.apply(list, params), 0u);
    EXPECT_TRUE(shownRows().empty());
}

} // namespace
