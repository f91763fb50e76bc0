#include "chart/Selection.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using chart::ObjectManager;
using chart::SelectionOutcome;

class Selection : public ::testing::Test {
protected:
    void SetUp() override { state.rebuildDrawList = false; }

    // Answers the questions with the given reply and records them.
    chart::AskYesNo answer(bool yes) {
        return [this, yes](std::string_view q) {
            questions.emplace_back(q);
            return yes;
        };
    }

    chart::ChartViewState state;
    std::vector<std::string> questions;
};

} // namespace

TEST_F(Selection, PlottingOnWithNothingSelectedAsksForASelectionAndStaysOn) {
    struct Case {
        SelectionOutcome (*toggle)(chart::ChartViewState&, std::size_t);
        int chart::ChartSettings::*flag;
        const char* message;
        ObjectManager manager;
    };
    const Case cases[] = {
        {chart::TogglePlotAsteroids, &chart::ChartSettings::plotAsteroids,
         "Please, select asteroids for plotting", ObjectManager::Asteroids},
        {chart::TogglePlotComets, &chart::ChartSettings::plotComets,
         "Please, select comets for plotting", ObjectManager::Comets},
        {chart::TogglePlotDeepSky, &chart::ChartSettings::plotDeepSky,
         "Please, select objects for plotting", ObjectManager::DeepSky},
    };
    for (const Case& c : cases) {
        int& flag = state.chart.settings.*c.flag;
        ASSERT_EQ(flag, 0) << c.message;
        state.rebuildDrawList = false;

        SelectionOutcome out = c.toggle(state, 0);
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.openManager, c.manager);
        EXPECT_EQ(flag, 1) << c.message;
        EXPECT_FALSE(out.rebuild);
        EXPECT_FALSE(state.rebuildDrawList);

        // Switching off needs no selection and rebuilds.
        out = c.toggle(state, 0);
        EXPECT_EQ(flag, 0);
        EXPECT_TRUE(out.message.empty());
        EXPECT_EQ(out.openManager, ObjectManager::None);
        EXPECT_TRUE(out.rebuild && out.redraw);
        EXPECT_TRUE(state.rebuildDrawList);

        // With a selection it simply switches on.
        state.rebuildDrawList = false;
        out = c.toggle(state, 3);
        EXPECT_EQ(flag, 1);
        EXPECT_TRUE(out.message.empty());
        EXPECT_EQ(out.openManager, ObjectManager::None);
        EXPECT_TRUE(out.rebuild && out.redraw);
        EXPECT_TRUE(state.rebuildDrawList);
    }
}

TEST_F(Selection, DeepSkyManageFollowUp) {
    // A selection while plotting is off: asked, and No keeps it off.
    SelectionOutcome out = chart::FinishDeepSkyManage(state, 12, answer(false));
    EXPECT_EQ(questions,
              std::vector<std::string>{"Deep sky objects plotting is not activated. Activate?"});
    EXPECT_EQ(state.chart.settings.plotDeepSky, 0);
    EXPECT_TRUE(out.rebuild && out.redraw && state.rebuildDrawList);
    EXPECT_TRUE(out.message.empty());

    // Yes switches it on.
    questions.clear();
    chart::FinishDeepSkyManage(state, 12, answer(true));
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(state.chart.settings.plotDeepSky, 1);

    // Already on: nothing to ask.
    questions.clear();
    chart::FinishDeepSkyManage(state, 5, answer(false));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(state.chart.settings.plotDeepSky, 1);

    // An empty selection switches plotting off without asking.
    state.rebuildDrawList = false;
    out = chart::FinishDeepSkyManage(state, 0, answer(true));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(state.chart.settings.plotDeepSky, 0);
    EXPECT_TRUE(out.rebuild && state.rebuildDrawList);
}

TEST_F(Selection, MinorBodyManagerExitAsksWithItsOwnQuestion) {
    chart::FinishAsteroidManager(state, 2, answer(true));
    chart::FinishCometManager(state, 1, answer(false));
    EXPECT_EQ(questions, (std::vector<std::string>{"Plotting is not activated. Activate?",
                                                   "Plotting is not activated. Activate?"}));
    EXPECT_EQ(state.chart.settings.plotAsteroids, 1);
    EXPECT_EQ(state.chart.settings.plotComets, 0);

    // The empty-selection path of "Plot": the flag stayed on, the manager chose nothing, so
    // plotting goes off again.
    questions.clear();
    chart::TogglePlotComets(state, 0);
    ASSERT_EQ(state.chart.settings.plotComets, 1);
    chart::FinishCometManager(state, 0, answer(true));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(state.chart.settings.plotComets, 0);
}

TEST_F(Selection, LabelTogglesRedrawWithoutRebuilding) {
    ASSERT_EQ(state.chart.settings.cometLabels, 1);
    ASSERT_EQ(state.chart.settings.deepSkyLabels, 1);
    SelectionOutcome out = chart::ToggleCometLabels(state);
    EXPECT_EQ(state.chart.settings.cometLabels, 0);
    EXPECT_TRUE(out.redraw);
    EXPECT_FALSE(out.rebuild || state.rebuildDrawList);
    chart::ToggleCometLabels(state);
    EXPECT_EQ(state.chart.settings.cometLabels, 1);
    out = chart::ToggleDeepSkyLabels(state);
    EXPECT_EQ(state.chart.settings.deepSkyLabels, 0);
    EXPECT_TRUE(out.redraw);
    EXPECT_EQ(state.chart.settings.cometLabels, 1);
}

TEST(ObjectSettings, DefaultsOfANewChart) {
    const chart::ChartSettings s;
    for (const chart::BodyPresentation& b : s.bodies) {
        EXPECT_EQ(b.plot, 1);
        EXPECT_EQ(b.label, 1);
    }
    EXPECT_EQ(s.plotDeepSky, 0);
    EXPECT_EQ(s.deepSkyLabels, 1);
    EXPECT_EQ(s.deepSkyLabelMode, chart::DeepSkyLabelMessier);
    EXPECT_DOUBLE_EQ(s.deepSkyLabelMagnitudeLimit, 12.0);
    EXPECT_EQ(s.asteroidLabelMode, chart::AsteroidLabelNumber);

    // Kind codes map onto the bodies; other kinds have no presentation.
    EXPECT_EQ(s.bodyPresentation(astro::KindSun), &s.bodies[chart::SolarBodySun]);
    EXPECT_EQ(s.bodyPresentation(astro::KindMoon), &s.bodies[chart::SolarBodyMoon]);
    EXPECT_EQ(s.bodyPresentation(astro::KindPluto), &s.bodies[chart::SolarBodyPluto]);
    EXPECT_EQ(s.bodyPresentation(astro::KindBody), nullptr);
    EXPECT_EQ(s.bodyPresentation(astro::KindAsteroid), nullptr);
    for (int id = 0; id < 10; ++id)
        EXPECT_EQ(chart::SolarBodyName(id),
                  chart::SkyChart().solarSystem.byLibraryId(id)->GetName());
}

TEST_F(Selection, PlanetsPresentationDialog) {
    state.chart.settings.bodies[chart::SolarBodyPluto].label = 0;
    chart::PlanetsPresentationDialogModel model(state.chart.settings);
    EXPECT_STREQ(model.kTitle, "Planets presentation");
    EXPECT_EQ(chart::SolarBodyName(model.kDialogOrder[1]), "Moon");
    EXPECT_TRUE(model.plot[chart::SolarBodyPluto]);
    EXPECT_FALSE(model.label[chart::SolarBodyPluto]);

    model.plot[chart::SolarBodyMoon] = false;
    model.label[chart::SolarBodyPluto] = true;
    model.label[chart::SolarBodySun] = false;
    const SelectionOutcome out = chart::ApplyPlanetsPresentation(state, model);
    EXPECT_EQ(state.chart.settings.bodies[chart::SolarBodyMoon].plot, 0);
    EXPECT_EQ(state.chart.settings.bodies[chart::SolarBodyMoon].label, 1);
    EXPECT_EQ(state.chart.settings.bodies[chart::SolarBodyPluto].label, 1);
    EXPECT_EQ(state.chart.settings.bodies[chart::SolarBodySun].label, 0);
    EXPECT_EQ(state.chart.settings.bodies[chart::SolarBodySun].plot, 1);
    // Plotting changes what the draw list holds.
    EXPECT_TRUE(out.rebuild && out.redraw && state.rebuildDrawList);
    state.BeginRedraw();
    for (const astro::SkyPoint* entry : state.drawList)
        EXPECT_NE(entry->GetType(), astro::KindMoon);
}

TEST_F(Selection, AsteroidLabelsDialog) {
    chart::AsteroidLabelsDialogModel model(state.chart.settings);
    EXPECT_STREQ(model.kTitle, "Asteroid Labels");
    EXPECT_TRUE(model.drawLabels);
    ASSERT_EQ(model.choice, 1);
    EXPECT_STREQ(model.kChoices[static_cast<std::size_t>(model.choice)], "Numbers");

    // Each choice stores its own mode.
    const struct {
        int choice;
        int mode;
    } cases[] = {{0, chart::AsteroidLabelName},
                 {1, chart::AsteroidLabelNumber},
                 {2, chart::AsteroidLabelMagnitude}};
    for (const auto& c : cases) {
        model.choice = c.choice;
        chart::ApplyAsteroidLabels(state, model);
        EXPECT_EQ(state.chart.settings.asteroidLabelMode, c.mode);
        EXPECT_EQ(chart::AsteroidLabelsDialogModel(state.chart.settings).choice, c.choice);
    }

    // Without labels the choices are disabled but keep their value.
    model.drawLabels = false;
    EXPECT_FALSE(model.choicesEnabled());
    const SelectionOutcome out = chart::ApplyAsteroidLabels(state, model);
    EXPECT_EQ(state.chart.settings.asteroidLabels, 0);
    EXPECT_EQ(state.chart.settings.asteroidLabelMode, chart::AsteroidLabelMagnitude);
    EXPECT_TRUE(out.redraw);
    EXPECT_FALSE(out.rebuild);

    // A stored mode that is none of the choices is kept.
    state.chart.settings.asteroidLabelMode = 9;
    chart::AsteroidLabelsDialogModel odd(state.chart.settings);
    EXPECT_EQ(odd.choice, -1);
    chart::ApplyAsteroidLabels(state, odd);
    EXPECT_EQ(state.chart.settings.asteroidLabelMode, 9);
}

TEST_F(Selection, DeepSkyLabelsDialogValidatesTheLimit) {
    chart::DeepSkyLabelsDialogModel model(state.chart.settings);
    EXPECT_STREQ(model.kTitle, "Deep sky objects labels");
    EXPECT_EQ(model.limitText, "12.0");
    ASSERT_EQ(model.choice, 2);
    EXPECT_STREQ(model.kChoices[2], "By Messier number");
    EXPECT_STREQ(model.kChoices[0], "By comman name");

    model.choice = 1; // "By NGC number"
    model.limitText = "0.9";
    SelectionOutcome out = chart::ApplyDeepSkyLabels(state, model);
    EXPECT_EQ(out.message, "Please enter a number between 1 and 30.");
    EXPECT_FALSE(out.redraw);
    EXPECT_EQ(state.chart.settings.deepSkyLabelMode, chart::DeepSkyLabelMessier);
    model.limitText = "30.1";
    EXPECT_EQ(model.validate(), "Please enter a number between 1 and 30.");
    model.limitText = "12,5";
    EXPECT_EQ(model.validate(), "Please enter a number.");
    model.limitText = "";
    EXPECT_EQ(model.validate(), "Please enter a number.");

    // Both ends are allowed; blanks around the number are.
    model.limitText = "30";
    EXPECT_EQ(model.validate(), std::nullopt);
    model.limitText = " 1.0 ";
    out = chart::ApplyDeepSkyLabels(state, model);
    EXPECT_TRUE(out.message.empty());
    EXPECT_TRUE(out.redraw);
    EXPECT_DOUBLE_EQ(state.chart.settings.deepSkyLabelMagnitudeLimit, 1.0);
    EXPECT_EQ(state.chart.settings.deepSkyLabelMode, chart::DeepSkyLabelNgc);

    model.drawLabels = false;
    EXPECT_FALSE(model.choicesEnabled());
    chart::ApplyDeepSkyLabels(state, model);
    EXPECT_EQ(state.chart.settings.deepSkyLabels, 0);
}
