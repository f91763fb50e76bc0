// The windowed program started on the shipped data with a temporary settings file: the
// main window, a chart, and the commands a user runs first.
#include "app/Artwork.h"
#include "app/ChartView.h"
#include "app/DeepSkyDialog.h"
#include "app/Dialogs.h"
#include "app/MainFrame.h"
#include "app/MinorBodyDialogs.h"
#include "app/SkyvaneApp.h"
#include "chart/Trails.h"
#include "chart/ZoomTables.h"
#include "settings/AppSettings.h"
#include "ui/QtSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using app::Cmd;

const std::filesystem::path kData = SKYVANE_TEST_DATA_DIR "/../data";

class AppSmoke : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<ui::QtSettingsStore>(iniPath());
        start();
    }
    void TearDown() override {
        frame.reset();
        skyvane.reset();
    }
    std::string iniPath() const { return dir.filePath("settings.ini").toStdString(); }

    // Start-up as main() does it, without the splash.
    void start() {
        skyvane = std::make_unique<app::SkyvaneApp>(*store, kData);
        const auto report = skyvane->loadCatalogues({});
        ASSERT_TRUE(report.starError.empty()) << report.starError;
        frame = std::make_unique<app::CMainFrame>(*skyvane);
        frame->resize(1000, 700);
        frame->show();
    }
    app::CSkyvaneView* openChart() {
        app::CSkyvaneView* view = frame->newChart();
        QApplication::processEvents();
        return view;
    }

    QTemporaryDir dir;
    std::unique_ptr<ui::QtSettingsStore> store;
    std::unique_ptr<app::SkyvaneApp> skyvane;
    std::unique_ptr<app::CMainFrame> frame;
};

TEST_F(AppSmoke, FirstStartWithEmptySettings) {
    EXPECT_EQ(skyvane->viewMode(), 4) << "Black&White View";
    EXPECT_EQ(skyvane->adornedDialogs(), 0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(frame->toolbar(i)->isVisible()) << i;
    EXPECT_EQ(frame->toolBarArea(frame->toolbar(1)), Qt::TopToolBarArea);
    EXPECT_EQ(frame->toolBarArea(frame->toolbar(2)), Qt::LeftToolBarArea);
    EXPECT_EQ(frame->toolBarArea(frame->toolbar(3)), Qt::RightToolBarArea);
    EXPECT_EQ(frame->toolbar(1)->allowedAreas(), Qt::TopToolBarArea);

    // Without a chart the chart commands are off.
    EXPECT_FALSE(frame->action(Cmd::ZoomIn)->isEnabled());
    app::CSkyvaneView* first = openChart();
    app::CSkyvaneView* second = openChart();
    ASSERT_NE(first, nullptr);
    const auto windows = frame->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->windowTitle(), "Map-1");
    EXPECT_EQ(windows[1]->windowTitle(), "Map-2");
    EXPECT_TRUE(frame->action(Cmd::ZoomIn)->isEnabled());
    EXPECT_TRUE(frame->action(Cmd::ViewBlackWhite)->isChecked());

    // "New Window" opens a second window on the active document.
    frame->mdiArea()->setActiveSubWindow(windows[1]);
    frame->trigger(Cmd::WindowNew);
    EXPECT_EQ(frame->mdiArea()->subWindowList().back()->windowTitle(), "Map-2:2");
    EXPECT_NE(second, frame->activeView());
    // Features still to come are in the menus, disabled.
    EXPECT_FALSE(frame->action(Cmd::SearchStar)->isEnabled());
    EXPECT_FALSE(frame->action(Cmd::FileSave)->isEnabled());
}

TEST_F(AppSmoke, ZoomCommandsFollowTheirEnableRules) {
    app::CSkyvaneView* view = openChart();
    chart::SkyChart& chart = view->state().chart;
    chart.setZoom(1.0);
    for (int i = 0; i < 9; ++i)
        frame->trigger(Cmd::ZoomIn);
    EXPECT_NEAR(chart.zoom(), 1.0 / std::pow(1.25, 9), 1e-6);
    EXPECT_TRUE(frame->action(Cmd::ZoomIn)->isEnabled());

    chart.setZoom(1.9);
    frame->trigger(Cmd::ZoomOut);
    EXPECT_DOUBLE_EQ(chart.zoom(), 2.0);
    EXPECT_FALSE(frame->action(Cmd::ZoomOut)->isEnabled());
    frame->trigger(Cmd::ZoomOut); // disabled: nothing happens
    EXPECT_DOUBLE_EQ(chart.zoom(), 2.0);
}

TEST_F(AppSmoke, RotationAndViewTypeCommandsChangeTheChartAndThePalette) {
    app::CSkyvaneView* view = openChart();
    frame->trigger(Cmd::RotateAzimuthal);
    EXPECT_EQ(view->state().chart.rotationMode(), chart::RotationAzimuthal);
    EXPECT_TRUE(frame->action(Cmd::RotateAzimuthal)->isChecked());
    EXPECT_FALSE(frame->action(Cmd::RotateEquatorial)->isChecked());

    const QColor startWindow = QApplication::palette().color(QPalette::Window);
    frame->trigger(Cmd::ViewRed);
    EXPECT_EQ(skyvane->viewMode(), 3);
    EXPECT_EQ(QApplication::palette().color(QPalette::WindowText), QColor(255, 0, 0));
    frame->trigger(Cmd::ViewTrue); // straight from the red scheme to the dark one
    EXPECT_EQ(QApplication::palette().color(QPalette::WindowText), QColor(65, 65, 65));
    frame->trigger(Cmd::ViewStandard);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), startWindow);
    EXPECT_TRUE(frame->action(Cmd::ViewStandard)->isChecked());

    // The chart is drawn in the view type's colours: the True View background is black.
    frame->trigger(Cmd::ViewTrue);
    const QImage shot = view->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, shot.height() / 2), QColor(0, 0, 0));
    int lit = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            lit += shot.pixelColor(x, y) != QColor(0, 0, 0);
    EXPECT_GT(lit, 100) << "stars, grid lines and names";
}

TEST_F(AppSmoke, DraggingMovesTheSkyAndArrowKeysStepIt) {
    app::CSkyvaneView* view = openChart();
    const astro::SkyPoint before = view->state().chart.target();
    const QPoint from(view->width() / 2, view->height() / 2);
    const QPoint to = from + QPoint(120, 40);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
    const astro::SkyPoint after = view->state().chart.target();
    EXPECT_GT(astro::angularDistance(before, after), 1.0);
    // The sky follows the cursor: dragging it right brings the eastern sky (east is on the
    // left of a sky chart) to the centre, a larger right ascension.
    EXPECT_GT(after.ra(), before.ra());

    const double dec = after.dec();
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_NEAR(view->state().chart.target().dec(),
                dec + chart::fieldOfViewDegrees(view->state().chart.zoom()) / 15.0, 1e-6);
}

TEST_F(AppSmoke, ToolbarVisibilityAndTheDisplayModeSurviveARestart) {
    openChart();
    frame->trigger(Cmd::ToolbarRotation);
    EXPECT_FALSE(frame->toolbar(2)->isVisible());
    frame->trigger(Cmd::ViewRed);
    frame->close();
    frame.reset();
    skyvane.reset();
    ASSERT_TRUE(store->sync());

    store = std::make_unique<ui::QtSettingsStore>(iniPath());
    start();
    EXPECT_EQ(skyvane->viewMode(), 3);
    EXPECT_FALSE(frame->toolbar(2)->isVisible());
    EXPECT_TRUE(frame->toolbar(1)->isVisible());
    EXPECT_TRUE(frame->toolbar(3)->isVisible());
}

TEST_F(AppSmoke, ConstellationAndStarCommandsToggleTheirSettings) {
    app::CSkyvaneView* view = openChart();
    const chart::ChartSettings& s = view->state().chart.settings;
    ASSERT_EQ(s.namesLockedWithFigures, 1);
    frame->trigger(Cmd::DrawFigures);
    EXPECT_EQ(s.constellationFigures, 0);
    EXPECT_EQ(s.constellationNames, 0) << "names locked with figures";
    EXPECT_FALSE(frame->action(Cmd::DrawNames)->isChecked());
    frame->trigger(Cmd::FullNames);
    EXPECT_EQ(s.namesAbbreviated, 0);
    EXPECT_TRUE(frame->action(Cmd::FullNames)->isChecked());
    frame->trigger(Cmd::GridAzimuthal);
    EXPECT_EQ(s.azimuthalGrid, 1);
    frame->trigger(Cmd::AutoUpdate);
    EXPECT_EQ(view->state().chart.clock.AutoUpdate, 0);
    EXPECT_FALSE(view->autoUpdateTimerActive());
    frame->trigger(Cmd::AutoUpdate);
    EXPECT_TRUE(view->autoUpdateTimerActive());
}

TEST_F(AppSmoke, AdornedDialogsTakeTheTextureOfTheViewType) {
    openChart();
    QWidget plain;
    app::adorn(&plain);
    EXPECT_FALSE(plain.autoFillBackground()) << "the option starts off";

    frame->trigger(Cmd::AdornedDialogs);
    EXPECT_TRUE(frame->action(Cmd::AdornedDialogs)->isChecked());
    QWidget pale;
    app::adorn(&pale); // Black&White View: the pale texture
    ASSERT_TRUE(pale.autoFillBackground());
    EXPECT_EQ(pale.palette().brush(QPalette::Window).textureImage(), app::dialogTexture(1));

    frame->trigger(Cmd::ViewRed);
    QWidget red;
    app::adorn(&red); // the Red View keeps its own colours
    EXPECT_FALSE(red.autoFillBackground());
}

TEST_F(AppSmoke, DeepSkyPlottingAndATrailReachTheChart) {
    app::CSkyvaneView* view = openChart();
    chart::ChartViewState& state = view->state();
    frame->trigger(Cmd::DeepSkyPlot); // the Messier objects are selected from the start
    EXPECT_EQ(state.chart.settings.plotDeepSky, 1);
    EXPECT_TRUE(frame->action(Cmd::DeepSkyPlot)->isChecked());
    view->grab();
    std::size_t deepSky = 0;
    for (const astro::SkyPoint* object : state.drawList)
        deepSky += object->GetType() == astro::KindDeepSky;
    EXPECT_EQ(deepSky, skyvane->catalogues().deepSky.selectedCount());
    EXPECT_GT(deepSky, 100u);

    // The trail dialog is accepted as it opens, with its defaults: 20 daily points.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    frame->trigger(Cmd::TrailMars);
    ASSERT_EQ(state.chart.trails.size(), 1u);
    const chart::Trail& trail = *state.chart.trails.begin();
    EXPECT_EQ(trail.name, "Trail of Mars");
    EXPECT_EQ(trail.points().size(), 20u);
}

TEST_F(AppSmoke, AsteroidManagerPlotsTheCheckedBody) {
    app::CSkyvaneView* view = openChart();
    ASSERT_NE(view, nullptr);
    const auto loaded = catalog::LoadAsteroidCatalog(skyvane->asteroids,
                                                     kData / "asteroids" / "sbdb_asteroids.skd");
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    skyvane->selectionsChanged();
    chart::ChartViewState& state = view->state();
    ASSERT_EQ(state.chart.settings.plotAsteroids, 0);

    // The plotting question is answered Yes and recorded.
    std::vector<std::string> questions;
    struct HookGuard {
        ~HookGuard() { app::minorBodyQuestionHook() = nullptr; }
    } guard;
    app::minorBodyQuestionHook() = [&questions](std::string_view question) {
        questions.emplace_back(question);
        return true;
    };
    {
        app::AsteroidsDialog dialog(view, *skyvane, state);
        QTableWidget* table = dialog.table();
        ASSERT_EQ(table->rowCount(), static_cast<int>(skyvane->asteroids.size()));
        ASSERT_EQ(table->item(0, 0)->text(), "Ceres");
        EXPECT_EQ(table->item(0, 1)->text(), "1");
        table->item(0, 0)->setCheckState(Qt::Checked);
        EXPECT_EQ(skyvane->asteroids.bodies()[0].shown, 0) << "copied only on Exit";
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(skyvane->asteroids.bodies()[0].shown, 1);
    EXPECT_EQ(skyvane->asteroids.bodies()[1].shown, 0);
    EXPECT_EQ(questions, std::vector<std::string>{"Plotting is not activated. Activate?"});
    EXPECT_EQ(state.chart.settings.plotAsteroids, 1);

    // The chart takes the new selection: Ceres is the one asteroid of its draw list.
    view->grab();
    std::size_t asteroids = 0;
    for (const astro::SkyPoint* object : state.drawList)
        asteroids += object->GetType() == astro::KindAsteroid;
    EXPECT_EQ(asteroids, 1u);
}

TEST_F(AppSmoke, DeepSkyManagerSelectsTheWholeCatalogue) {
    app::CSkyvaneView* view = openChart();
    ASSERT_NE(view, nullptr);
    chart::ChartViewState& state = view->state();
    const catalog::DsoCatalog& deepSky = skyvane->catalogues().deepSky;
    ASSERT_EQ(state.chart.settings.plotDeepSky, 0);
    const std::size_t messier = deepSky.selectedCount();
    ASSERT_LT(messier, deepSky.objects().size());

    std::vector<std::string> questions;
    {
        app::DsoDialog dialog(view, *skyvane, state);
        EXPECT_TRUE(dialog.modeButton(2)->isChecked());
        dialog.setAskYesNo([&questions](std::string_view question) {
            questions.emplace_back(question);
            return true;
        });
        dialog.modeButton(1)->click();
        EXPECT_EQ(dialog.model().mode, 1);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(skyvane->deepSkySelection.mode, 1);
    EXPECT_EQ(deepSky.selectedCount(), deepSky.objects().size());
    EXPECT_EQ(questions,
              std::vector<std::string>{"Deep sky objects plotting is not activated. Activate?"});
    EXPECT_EQ(state.chart.settings.plotDeepSky, 1);

    // The chart draws the new selection.
    view->grab();
    std::size_t drawn = 0;
    for (const astro::SkyPoint* object : state.drawList)
        drawn += object->GetType() == astro::KindDeepSky;
    EXPECT_EQ(drawn, deepSky.objects().size());
}
} // namespace

int main(int argc, char** argv) {
    // Without a display the tests run off screen (also when listed at build time).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
