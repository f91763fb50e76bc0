// The windowed program started on the shipped data with a temporary settings file: the
// main window, a chart, and the commands a user runs first.
#include "app/Artwork.h"
#include "app/ChartView.h"
#include "app/DeepSkyDialog.h"
#include "app/Dialogs.h"
#include "app/GridDialog.h"
#include "app/MainFrame.h"
#include "app/MinorBodyDialogs.h"
#include "app/ObjectDialogs.h"
#include "app/PlaceDialogs.h"
#include "app/PropertiesDialog.h"
#include "app/SkyvaneApp.h"
#include "app/StarProp.h"
#include "app/TimeDialogs.h"
#include "catalog/ObjectProperties.h"
#include "chart/Navigation.h"
#include "chart/Trails.h"
#include "chart/ZoomTables.h"
#include "settings/AppSettings.h"
#include "ui/QtSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
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

    // The named star of that proper name.
    const catalog::NamedStar* namedStar(std::string_view name) const {
        for (const catalog::NamedStar& star : skyvane->catalogues().stars.namedStars())
            if (star.properName() == name)
                return &star;
        return nullptr;
    }
    const catalog::DsoObject* messierObject(int number) const {
        for (const catalog::DsoObject& object : skyvane->catalogues().deepSky.objects())
            if (object.messier() == number)
                return &object;
        return nullptr;
    }
    // Centres the chart on an object in a field of 10 degrees, so that nothing else lies
    // within the pick tolerance, draws it, and gives the object's pixel.
    static QPoint centreOn(app::CSkyvaneView* view, const astro::SkyPoint& object) {
        chart::ChartViewState& state = view->state();
        chart::CentreOn(state.chart, object);
        chart::SetFieldOfView(state, 10.0);
        view->grab();
        chart::ScreenPoint pixel;
        EXPECT_TRUE(state.chart.IsOnChart(object, pixel)) << object.GetName();
        return {pixel.x, pixel.y};
    }
    // Runs action; a modal window it opens is handed to look during its modal run and then
    // closed. Returns whether one opened. A pick menu (more than one object under the
    // cursor) is closed as a failure.
    static bool whenModal(const std::function<void()>& action,
                          const std::function<void(QWidget*)>& look) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ADD_FAILURE() << "a menu opened instead";
                popup->close();
                return;
            }
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            opened = true;
            look(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
                dialog->reject();
        });
        action();
        QApplication::processEvents();
        return opened;
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
    EXPECT_FALSE(frame->action(Cmd::FilePrint)->isEnabled());
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
    // The chart runs on the computer's clock, so any one pixel may be crossed by a line of
    // the turning sky: most of the chart is background, and a fair number of pixels is not.
    const QImage shot = view->grab().toImage();
    int lit = 0;
    int sampled = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2, ++sampled)
            lit += shot.pixelColor(x, y) != QColor(0, 0, 0);
    EXPECT_LT(lit, sampled / 4) << "the background is black";
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
    app::CSkyvaneView* view = openChart();
    // A closed chart hands its settings to the next new one.
    frame->trigger(Cmd::ZoomIn);
    frame->trigger(Cmd::GridAzimuthal);
    frame->trigger(Cmd::RotateEcliptic);
    const double zoom = view->state().chart.zoom();
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
    const chart::SkyChart& next = openChart()->state().chart;
    EXPECT_NEAR(next.zoom(), zoom, 1e-6);
    EXPECT_EQ(next.settings.azimuthalGrid, 1);
    EXPECT_EQ(next.rotationMode(), chart::RotationEcliptic);
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

TEST_F(AppSmoke, GridPropertiesRefusesOnItsPageAndSetsTheGrids) {
    app::CSkyvaneView* view = openChart();
    ASSERT_NE(view, nullptr);
    chart::ChartViewState& state = view->state();
    using GridModel = chart::GridPropertiesDialogModel;
    {
        GridModel model(state.chart.settings);
        app::GridPropertiesDialog dialog(view, model);
        std::vector<QString> messages;
        dialog.setShowMessage([&messages](const QString& text) { messages.push_back(text); });
        dialog.show();
        ASSERT_EQ(dialog.tabs()->count(), 3);
        EXPECT_EQ(dialog.tabs()->tabText(1), "Azimuthal");
        const auto& eq = dialog.page(GridModel::PageEquatorial);
        EXPECT_EQ(eq.longitudeDensity->text(),
                  QString::fromStdString(model.pages[0].longitudeDensity));
        eq.manual->click();
        eq.longitudeDensity->setText("60");
        eq.latitudeDensity->setText("25");
        dialog.tabs()->setCurrentIndex(GridModel::PageEcliptic);
        dialog.accept();
        EXPECT_EQ(messages,
                  std::vector<QString>{"Declination line density must be between 1 and 20"});
        EXPECT_EQ(dialog.tabs()->currentIndex(), GridModel::PageEquatorial);
        EXPECT_EQ(dialog.focusWidget(), eq.latitudeDensity);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }

    // Through the command's entry point: the equatorial grid turns manual, the others keep
    // their automatic spacing for the view.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<app::GridPropertiesDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const auto& eq = dialog->page(GridModel::PageEquatorial);
        eq.manual->click();
        eq.longitudeDensity->setText("30");
        eq.latitudeDensity->setText("7");
        dialog->accept();
    });
    ASSERT_TRUE(app::runGridProperties(view, state));
    const chart::GridSettings& g = state.chart.settings.equatorialGridSettings;
    EXPECT_EQ(g.automatic, 0);
    EXPECT_EQ(g.parallelSpacing, 7.0);
    EXPECT_EQ(g.meridianSpacing, 30.0);
    EXPECT_EQ(g.meridianExtent, 84.0);
    EXPECT_LE(g.topParallel, 84.0);
    EXPECT_GE(g.bottomParallel, -84.0);
    EXPECT_EQ(state.chart.settings.eclipticGridSettings.automatic, 1);
}
TEST_F(AppSmoke, TimeSpecifyingSetsTheChartClock) {
    app::CSkyvaneView* view = openChart();
    chart::SkyChart& chart = view->state().chart;
    chart.site.timeZone = 2.0f;
    chart.clock.DaylightSaving = 0;
    const double julianDayBefore = chart.julianDay();

    QString refusal;
    bool stayedOpen = false;
    bool readoutsRun = false;
    QString stepped;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<app::TimeSpecifyingDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        readoutsRun = dialog->refreshTimer()->isActive() &&
                      dialog->refreshTimer()->interval() == 1000 &&
                      QRegularExpression("^\\d\\d/\\d\\d/\\d{4}  \\d\\d:\\d\\d:\\d\\d$")
                          .match(dialog->computerReadout()->text())
                          .hasMatch();
        dialog->dateEdit()->setDate(QDate(2026, 6, 21));
        dialog->hourField()->setText("24");
        dialog->minuteField()->setText("15");
        // The arrows stay within the field's range.
        dialog->secondField()->setText("58");
        dialog->secondField()->stepBy(5);
        stepped = dialog->secondField()->text();
        dialog->secondField()->stepBy(-29);
        stepped += " " + dialog->secondField()->text();
        dialog->daylightBox()->setChecked(true);
        // The refusal is answered as soon as its message box is up.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                refusal = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        dialog->accept();
        stayedOpen = dialog->isVisible();
        dialog->hourField()->setText("22");
        dialog->accept();
    });
    app::runTimeSpecifying(view, chart);

    EXPECT_TRUE(readoutsRun);
    EXPECT_EQ(stepped, "59 30");
    EXPECT_EQ(refusal, "Invalid hour value");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(chart.clock.Local, astro::DateTime(2026, 6, 21, 22, 15, 30));
    EXPECT_EQ(chart.clock.DaylightSaving, 1);
    EXPECT_NEAR(chart.clock.Local - chart.clock.Universal, 0.124956, 1e-9);
    // The time step ran for the new instant (its Julian day is taken to the whole second).
    EXPECT_NE(chart.julianDay(), julianDayBefore);
    EXPECT_NEAR(chart.julianDay(), 2461212.5 + (22.0 + 15.5 / 60.0) / 24.0 - 0.124956, 1e-5);
}
TEST_F(AppSmoke, ObservingPlaceMovesTheChartToAnotherFixedPlace) {
    app::CSkyvaneView* view = openChart();
    chart::SkyChart& chart = view->state().chart;
    ASSERT_EQ(chart.settings.place.fixedPlace, catalog::PlaceList::kDefaultPlace);
    chart.clock.DaylightSaving = 0;
    const astro::SkyPoint zenithBefore = chart.zenithOfDate();
    auto button = [](QWidget* dialog, const QString& text) -> QPushButton* {
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    };
    // Answers the next message box with OK and keeps its text.
    auto answerMessage = [](QString& text) {
        QTimer::singleShot(0, [&text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
    };

    QString opening, permanent, refusal, sydneyZone;
    bool fixedAtOpening = false, freeAfterEdit = false, fixedAgain = false;
    bool conditionsStayedOpen = false, globeRoundTrip = false;
    int sydney = -1;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<app::ObservingPlaceDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opening = dialog->placeChoice()->currentText();
        fixedAtOpening =
            dialog->fixedBox()->isChecked() && dialog->placeChoice()->isVisible() &&
            dialog->latitudeField(0)->value() == 51 && dialog->latitudeField(1)->value() == 30 &&
            dialog->northSouth()->currentText() == "N" && dialog->eastWest()->currentText() == "W";

        // The globe faces London; a point of Europe maps to a pixel and back.
        QPointF pixel;
        double lat = 0.0, lon = 0.0;
        globeRoundTrip = dialog->globe()->pixelOf(40.0, 10.0, pixel) &&
                         dialog->globe()->positionAt(pixel, lat, lon) &&
                         std::fabs(lat - 40.0) < 1e-6 && std::fabs(lon - 10.0) < 1e-6 &&
                         !dialog->globe()->pixelOf(-51.5, 179.0, pixel);

        answerMessage(permanent);
        dialog->removeButton()->click();

        sydney = dialog->placeChoice()->findText("Sydney, Australia");
        ASSERT_GE(sydney, 0);
        dialog->placeChoice()->setCurrentIndex(sydney);
        sydneyZone = dialog->timeZoneChoice()->currentText();
        // A changed second makes the place free; typing it back makes it fixed again.
        const int seconds = dialog->longitudeField(2)->value();
        dialog->longitudeField(2)->setValue(seconds == 59 ? 58 : seconds + 1);
        freeAfterEdit = !dialog->fixedBox()->isChecked() && !dialog->placeChoice()->isVisible() &&
                        !dialog->removeButton()->isEnabled();
        dialog->longitudeField(2)->setValue(seconds);
        fixedAgain = dialog->fixedBox()->isChecked() && dialog->placeChoice()->isVisible();

        // The atmosphere: a refused height keeps the conditions dialog open.
        QTimer::singleShot(0, [&] {
            auto* conditions =
                qobject_cast<app::AdditionalConditionsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(conditions, nullptr);
            conditions->heightField()->setText("20000");
            answerMessage(refusal);
            conditions->accept();
            conditionsStayedOpen = conditions->isVisible();
            conditions->heightField()->setText("250");
            conditions->temperatureField()->setText("-5");
            conditions->accept();
        });
        button(dialog, "Additional conditions...")->click();
        dialog->accept();
    });
    EXPECT_TRUE(app::runObservingPlace(view, *skyvane, chart));

    EXPECT_EQ(opening, "London, UK");
    EXPECT_TRUE(fixedAtOpening);
    EXPECT_TRUE(globeRoundTrip);
    EXPECT_EQ(permanent, "You can't remove permanent fixed places");
    EXPECT_EQ(sydneyZone, "GMT +10:00");
    EXPECT_TRUE(freeAfterEdit);
    EXPECT_TRUE(fixedAgain);
    EXPECT_EQ(refusal, "Please enter a number between -100 and 15000.");
    EXPECT_TRUE(conditionsStayedOpen);

    // The chart stands at Sydney as a fixed place, with the new atmosphere.
    const catalog::PlaceEntry& entry = *skyvane->catalogues().places.at(sydney);
    EXPECT_EQ(chart.settings.place.fixedPlace, sydney);
    EXPECT_EQ(chart.settings.place.latitude, -1000.0);
    EXPECT_EQ(chart.settings.place.longitude, -1000.0);
    EXPECT_EQ(chart.site.latitude, entry.latitude);
    EXPECT_EQ(chart.site.longitude, entry.longitude);
    EXPECT_EQ(chart.site.timeZone, 10.0f);
    EXPECT_EQ(chart.frames().conditions.height, 250.0);
    EXPECT_EQ(chart.frames().conditions.temperature, -5.0);
    EXPECT_EQ(chart.frames().conditions.pressure, 1000.0);
    // Universal time follows the new zone, and the zenith moved to Sydney's latitude.
    EXPECT_NEAR(chart.clock.Local - chart.clock.Universal, 10.0 * 3600.0 * 1.157e-5, 1e-9);
    EXPECT_NEAR(chart.zenithOfDate().dec(), entry.latitude, 1e-6);
    EXPECT_GT(astro::angularDistance(zenithBefore, chart.zenithOfDate()), 80.0);
}
TEST_F(AppSmoke, ASavedChartOpensAgainInItsOwnWindowAndABadFileOpensNothing) {
    app::CSkyvaneView* view = openChart();
    chart::SkyChart& chart = view->state().chart;
    chart.setZoom(0.3);
    chart.settings.constellationBoundaries = 1;
    const QString path = dir.filePath("orion.skv");
    ASSERT_TRUE(frame->saveActiveTo(path));
    EXPECT_EQ(frame->mdiArea()->subWindowList().front()->windowTitle(), "orion.skv");
    ASSERT_FALSE(frame->recentFiles().files().empty());
    EXPECT_EQ(frame->recentFiles().files().front(),
              QFileInfo(path).absoluteFilePath().toStdString());

    ASSERT_TRUE(frame->openDocument(path));
    const auto windows = frame->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const auto* opened = qobject_cast<app::CSkyvaneView*>(windows.back()->widget());
    ASSERT_NE(opened, nullptr);
    EXPECT_NEAR(opened->state().chart.zoom(), 0.3, 1e-6); // the view keeps a float zoom
    EXPECT_EQ(opened->state().chart.settings.constellationBoundaries, 1);

    // A file cut short opens no window.
    QFile cut(dir.filePath("cut.skv"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(QByteArray(40, '\0'));
    cut.close();
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            box->accept();
    });
    EXPECT_FALSE(frame->openDocument(dir.filePath("cut.skv")));
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
}

TEST_F(AppSmoke, TheColoursAndFontsDialogOpensOnTheChartsScheme) {
    app::CSkyvaneView* view = openChart();
    EXPECT_TRUE(frame->action(Cmd::ColorsFonts)->isEnabled());
    const settings::ColorScheme before = view->scheme();
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            dialog->reject();
        }
    });
    frame->trigger(Cmd::ColorsFonts);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(view->scheme() == before) << "closed without a change";
}

TEST_F(AppSmoke, APickShowsTheShortPropertiesAndAPressOnThemOpensTheFullOnes) {
    app::CSkyvaneView* view = openChart();
    ASSERT_EQ(view->state().chart.settings.shortProperties, 1) << "on by default";
    const catalog::NamedStar* vega = namedStar("Vega");
    ASSERT_NE(vega, nullptr);
    app::StarProp* prop = view->findChild<app::StarProp*>("StarProp");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->windowTitle(), "Star Properties");
    EXPECT_FALSE(prop->isVisible()) << "created hidden";

    const QPoint at = centreOn(view, *vega);
    const bool dialogOnPick = whenModal(
        [&] { QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, at); }, [](QWidget*) {});
    EXPECT_FALSE(dialogOnPick);
    ASSERT_TRUE(prop->isVisible());
    EXPECT_EQ(prop->object(), vega);
    // At the top left of the chart, as large as its lines.
    EXPECT_EQ(prop->pos(), QPoint(0, 0));
    EXPECT_EQ(prop->size(), prop->textExtent());
    const auto lines =
        catalog::ShortPropertiesLines(*vega, app::PropertiesContextOf(*skyvane, view->state()));
    EXPECT_GE(prop->height(), 12 * static_cast<int>(lines.size()));
    EXPECT_GT(prop->width(), 30);
    EXPECT_LT(prop->width(), 500);

    // Drawn over the chart in the display mode's colours: the outline all round the window,
    // the background inside it, and text.
    frame->trigger(Cmd::ViewStandard);
    ASSERT_EQ(skyvane->viewMode(), 1);
    const catalog::ShortColours colours = catalog::ShortPropertiesColours(skyvane->viewMode());
    const QColor background(colours.background[0], colours.background[1], colours.background[2]);
    const QColor outline(colours.outline[0], colours.outline[1], colours.outline[2]);
    const QColor text(colours.text[0], colours.text[1], colours.text[2]);
    const QImage shot = view->grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, prop->height() / 2), outline);
    EXPECT_EQ(shot.pixelColor(1, prop->height() / 2), outline);
    EXPECT_EQ(shot.pixelColor(prop->width() / 2, 1), outline);
    EXPECT_EQ(shot.pixelColor(prop->width() - 1, prop->height() / 2), outline);
    EXPECT_EQ(shot.pixelColor(prop->width() / 2, prop->height() - 1), outline);
    EXPECT_EQ(shot.pixelColor(prop->width() - 4, prop->height() - 4), background);
    int textPixels = 0;
    for (int y = 2; y < prop->height(); ++y)
        for (int x = 2; x < prop->width(); ++x)
            textPixels += shot.pixelColor(x, y) == text;
    EXPECT_GT(textPixels, 30);

    // A left press opens the full properties of the object and hides the short window.
    QString title;
    bool shortWindowHidden = false;
    bool ephemerisOff = false;
    const bool opened =
        whenModal([&] { QTest::mousePress(prop, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); },
                  [&](QWidget* modal) {
                      auto* dialog = qobject_cast<app::PropertiesDialog*>(modal);
                      ASSERT_NE(dialog, nullptr);
                      EXPECT_EQ(dialog->objectName(), "Properties");
                      title = dialog->windowTitle();
                      shortWindowHidden = !prop->isVisible();
                      ephemerisOff = !dialog->ephemerisButton()->isEnabled();
                      dialog->closeButton()->click();
                  });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(title.startsWith("About ")) << title.toStdString();
    EXPECT_EQ(title.toStdString(), catalog::PropertiesTitle(*vega));
    EXPECT_TRUE(shortWindowHidden);
    EXPECT_TRUE(ephemerisOff);
    EXPECT_EQ(frame->activeView(), view);

    // The next pick shows it again; a right press opens the full properties too.
    whenModal([&] { QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, at); },
              [](QWidget*) {});
    ASSERT_TRUE(prop->isVisible());
    EXPECT_TRUE(
        whenModal([&] { QTest::mousePress(prop, Qt::RightButton, Qt::NoModifier, QPoint(5, 5)); },
                  [](QWidget*) {}));

    // Moving the chart hides it.
    whenModal([&] { QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, at); },
              [](QWidget*) {});
    ASSERT_TRUE(prop->isVisible());
    frame->trigger(Cmd::MoveLeft);
    view->grab();
    EXPECT_FALSE(prop->isVisible());
}

TEST_F(AppSmoke, WithShortPropertiesOffAPickOpensTheFullPropertiesAtOnce) {
    app::CSkyvaneView* view = openChart();
    frame->trigger(Cmd::ShortProperties);
    ASSERT_EQ(view->state().chart.settings.shortProperties, 0);
    EXPECT_FALSE(frame->action(Cmd::ShortProperties)->isChecked());
    const catalog::NamedStar* vega = namedStar("Vega");
    ASSERT_NE(vega, nullptr);
    app::StarProp* prop = view->findChild<app::StarProp*>("StarProp");
    ASSERT_NE(prop, nullptr);
    QGuiApplication::clipboard()->clear();

    const QPoint at = centreOn(view, *vega);
    QString title, shown, copied, built;
    bool shortWindowShown = true;
    bool ephemeris = true, trail = true, image = true;
    const bool opened =
        whenModal([&] { QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, at); },
                  [&](QWidget* modal) {
                      auto* dialog = qobject_cast<app::PropertiesDialog*>(modal);
                      ASSERT_NE(dialog, nullptr);
                      title = dialog->windowTitle();
                      shortWindowShown = prop->isVisible();
                      built = QString::fromStdString(dialog->text());
                      shown = dialog->textField()->toPlainText();
                      EXPECT_TRUE(dialog->textField()->isReadOnly());
                      ephemeris = dialog->ephemerisButton()->isEnabled();
                      trail = dialog->trailButton()->isEnabled();
                      image = dialog->imageButton()->isEnabled();
                      dialog->copyButton()->click();
                      copied = QGuiApplication::clipboard()->text();
                      EXPECT_TRUE(dialog->isVisible()) << "copying keeps the dialog open";
                  });
    ASSERT_TRUE(opened);
    EXPECT_EQ(title.toStdString(), catalog::PropertiesTitle(*vega));
    EXPECT_FALSE(shortWindowShown);
    EXPECT_FALSE(prop->isVisible());
    // The builder's text, line for line with its leading blanks; the clipboard has it with
    // line feeds.
    EXPECT_TRUE(built.contains("\r\n"));
    const QString expected = QString(built).replace("\r\n", "\n");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(copied, expected);
    EXPECT_TRUE(shown.contains("\n  ")) << "leading blanks kept";
    // A star has no ephemeris, trail or image.
    EXPECT_FALSE(ephemeris);
    EXPECT_FALSE(trail);
    EXPECT_FALSE(image);
}

TEST_F(AppSmoke, TheImageButtonFollowsTheObjectAndWritesTheImagePage) {
    app::CSkyvaneView* view = openChart();
    catalog::DsoCatalog& deepSky = skyvane->catalogues().deepSky;
    // The shipped data has no atlas images: M 1 is given image 4.
    deepSky.SetImageTable({{4, "", 1}});
    const catalog::DsoObject* m1 = messierObject(1);
    const catalog::DsoObject* m31 = messierObject(31);
    ASSERT_NE(m1, nullptr);
    ASSERT_NE(m31, nullptr);
    ASSERT_EQ(m1->imageNumber(), 4);
    ASSERT_EQ(m31->imageNumber(), catalog::kNoDsoImage);
    const catalog::PropertiesContext context = app::PropertiesContextOf(*skyvane, view->state());

    {
        app::PropertiesDialog dialog(view, *m31, context, {});
        EXPECT_FALSE(dialog.imageButton()->isEnabled());
        EXPECT_FALSE(dialog.trailButton()->isEnabled());
        EXPECT_FALSE(dialog.ephemerisButton()->isEnabled());
    }

    const QString images = dir.filePath("Images");
    ASSERT_TRUE(QDir().mkpath(images));
    std::vector<QUrl> opened;
    app::PropertiesActions actions;
    actions.imagesDir = images.toStdString();
    actions.openPage = [&opened](const QUrl& page) {
        opened.push_back(page);
        return true;
    };
    app::PropertiesDialog dialog(view, *m1, context, actions);
    ASSERT_TRUE(dialog.imageButton()->isEnabled());
    dialog.imageButton()->click();
    dialog.imageButton()->click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0], opened[1]) << "each page has its own number";
    for (const QUrl& page : opened) {
        ASSERT_TRUE(page.isLocalFile());
        const QFileInfo file(page.toLocalFile());
        EXPECT_EQ(file.absolutePath(), QFileInfo(images).absoluteFilePath());
        EXPECT_TRUE(file.fileName().startsWith("temp_")) << file.fileName().toStdString();
        std::ifstream in(file.filePath().toStdString());
        const std::string html((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(html.find("0004.jpg"), std::string::npos);
    }

    // Through the chart, with deep-sky plotting on and the short window off: M 31's
    // properties open with the image button off.
    frame->trigger(Cmd::DeepSkyPlot);
    frame->trigger(Cmd::ShortProperties);
    QString title;
    bool image = true;
    EXPECT_TRUE(whenModal([&] { view->ShowObject(m31); },
                          [&](QWidget* modal) {
                              auto* d = qobject_cast<app::PropertiesDialog*>(modal);
                              ASSERT_NE(d, nullptr);
                              title = d->windowTitle();
                              image = d->imageButton()->isEnabled();
                          }));
    EXPECT_EQ(title.toStdString(), catalog::PropertiesTitle(*m31));
    EXPECT_FALSE(image);
}

TEST_F(AppSmoke, TheAsteroidManagersInfoOpensTheFullPropertiesOfTheBody) {
    app::CSkyvaneView* view = openChart();
    const auto loaded = catalog::LoadAsteroidCatalog(skyvane->asteroids,
                                                     kData / "asteroids" / "sbdb_asteroids.skd");
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    skyvane->selectionsChanged();
    chart::ChartViewState& state = view->state();
    astro::MinorBody expected = skyvane->asteroids.bodies()[0];
    expected.Compute(state.chart.MakeObservationParams());

    app::AsteroidsDialog manager(view, *skyvane, state);
    manager.table()->selectRow(0);
    QPushButton* info = nullptr;
    for (QPushButton* b : manager.findChildren<QPushButton*>())
        if (b->text() == "&Info...")
            info = b;
    ASSERT_NE(info, nullptr);

    QString title, text;
    bool ephemeris = true, trail = false;
    const bool opened = whenModal([&] { info->click(); },
                                  [&](QWidget* modal) {
                                      auto* dialog = qobject_cast<app::PropertiesDialog*>(modal);
                                      ASSERT_NE(dialog, nullptr) << "not a message box";
                                      title = dialog->windowTitle();
                                      text = dialog->textField()->toPlainText();
                                      ephemeris = dialog->ephemerisButton()->isEnabled();
                                      trail = dialog->trailButton()->isEnabled();
                                      // "&Trail..." opens the trail dialog of the body, accepted
                                      // with its defaults.
                                      QTimer::singleShot(0, [] {
                                          if (auto* trailDialog = qobject_cast<app::TrailDialog*>(
                                                  QApplication::activeModalWidget()))
                                              trailDialog->accept();
                                      });
                                      dialog->trailButton()->click();
                                      dialog->closeButton()->click();
                                  });
    ASSERT_TRUE(opened);
    const astro::MinorBody& ceres = skyvane->asteroids.bodies()[0];
    EXPECT_EQ(title.toStdString(), catalog::PropertiesTitle(ceres));
    EXPECT_TRUE(text.contains("Ceres"));
    EXPECT_FALSE(ephemeris);
    EXPECT_TRUE(trail);
    // Computed for the chart's instant before the text was built.
    EXPECT_DOUBLE_EQ(ceres.ra(), expected.ra());
    EXPECT_DOUBLE_EQ(ceres.dec(), expected.dec());
    ASSERT_EQ(state.chart.trails.size(), 1u);
    EXPECT_EQ(state.chart.trails.begin()->name, "Trail of " + ceres.GetName());
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
