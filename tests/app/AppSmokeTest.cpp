// The windowed program started on the shipped data with a temporary settings file: the
// main window, a chart, and the commands a user runs first.
#include "app/Artwork.h"
#include "app/ChartView.h"
#include "app/DeepSkyDialog.h"
#include "app/Dialogs.h"
#include "app/EphemerisDialogs.h"
#include "app/GridDialog.h"
#include "app/MainFrame.h"
#include "app/MinorBodyDialogs.h"
#include "app/ObjectDialogs.h"
#include "app/PlaceDialogs.h"
#include "app/PropertiesDialog.h"
#include "app/SearchDialogs.h"
#include "app/SkyvaneApp.h"
#include "app/StarProp.h"
#include "app/StatusPanes.h"
#include "app/TimeDialogs.h"
#include "app/WebLinks.h"
#include "catalog/EphemerisTable.h"
#include "catalog/ObjectProperties.h"
#include "chart/ChartClock.h"
#include "chart/Navigation.h"
#include "chart/Trails.h"
#include "chart/ZoomTables.h"
#include "settings/AppSettings.h"
#include "settings/WebLinks.h"
#include "ui/QtSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
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
#include <set>
#include <string>
#include <vector>

namespace {

using app::Cmd;

const std::filesystem::path kData = SKYVANE_TEST_DATA_DIR "/../data";

constexpr Cmd kSearchCommands[] = {Cmd::SearchConstellation, Cmd::SearchStar,  Cmd::SearchPlanet,
                                   Cmd::SearchAsteroid,      Cmd::SearchComet, Cmd::SearchDeepSky};

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

    // Without a chart the chart commands are off; the searches need a chart too.
    EXPECT_FALSE(frame->action(Cmd::ZoomIn)->isEnabled());
    for (const Cmd search : kSearchCommands)
        EXPECT_FALSE(frame->action(search)->isEnabled());
    app::CSkyvaneView* first = openChart();
    for (const Cmd search : kSearchCommands)
        EXPECT_TRUE(frame->action(search)->isEnabled());
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
    // Printing and the status commands are there for a chart.
    EXPECT_TRUE(frame->action(Cmd::FilePrint)->isEnabled());
    EXPECT_TRUE(frame->action(Cmd::StatusArrange)->isEnabled());
}

// The panes' rectangles as the windows stand.
std::vector<QRect> paneGeometries(const app::StatusPaneSet& set) {
    std::vector<QRect> out;
    for (int i = 0; i < chart::kPaneCount; ++i)
        out.push_back(set.window(static_cast<chart::PaneId>(i))->geometry());
    return out;
}

TEST_F(AppSmoke, StatusPanesAreArrangedASecondAfterTheFirstStartAndKeepTheirPlaces) {
    openChart();
    app::StatusPaneSet& panes = frame->statusPanes();
    using chart::PaneId;
    // Before the second is up the panes stand where the first start put them.
    for (const PaneId id : {PaneId::Time, PaneId::Equatorial})
        EXPECT_EQ(panes.window(id)->geometry().bottomRight(), QPoint(299, 299))
            << "fitted from the 200 x 200 square at (100, 100)";
    QTest::qWait(1300);
    const QRect work = frame->screen()->availableGeometry();
    const std::vector<QRect> placed = paneGeometries(panes);
    const PaneId row[] = {PaneId::Location, PaneId::Time, PaneId::Zoom, PaneId::Equatorial,
                          PaneId::Azimuthal};
    for (std::size_t i = 0; i < std::size(row); ++i) {
        const QRect r = placed[static_cast<std::size_t>(row[i])];
        EXPECT_EQ(r.bottom() + 1, work.bottom() + 1 - 6) << i;
        EXPECT_TRUE(panes.window(row[i])->isVisible()) << i;
        if (i > 0) {
            EXPECT_EQ(r.left(), placed[static_cast<std::size_t>(row[i - 1])].right() + 1 + 2) << i;
        }
    }
    // Centred: the ecliptic pane ends the row when it fits, else it stands above.
    const QRect ecliptic = placed[static_cast<std::size_t>(PaneId::Ecliptic)];
    const QRect azimuthal = placed[static_cast<std::size_t>(PaneId::Azimuthal)];
    const bool inRow = ecliptic.bottom() == azimuthal.bottom();
    if (!inRow) {
        EXPECT_EQ(ecliptic.bottom() + 1, azimuthal.top() - 2) << "above the azimuthal pane";
    }
    const int rowRight = (inRow ? ecliptic : azimuthal).right() + 1 + (inRow ? 0 : 2);
    EXPECT_NEAR(placed[0].left() - work.left(), work.right() + 1 - rowRight, 2)
        << "the row is centred";
    const QRect compass = placed[static_cast<std::size_t>(PaneId::Compass)];
    EXPECT_EQ(compass.left(), work.left() + work.width() - 2 * compass.width());

    // A new run finds them where they were.
    frame.reset();
    skyvane.reset();
    start();
    openChart();
    EXPECT_EQ(paneGeometries(frame->statusPanes()), placed);
}

TEST_F(AppSmoke, StatusPanesShowTheChartAndFollowTheDialogAndTheirMenu) {
    app::CSkyvaneView* view = openChart();
    app::StatusPaneSet& panes = frame->statusPanes();
    using chart::PaneId;
    chart::StatusPanes& model = panes.model();
    EXPECT_EQ(model.pane(PaneId::Location).lines.back(), "   DST: No");
    EXPECT_EQ(model.pane(PaneId::Zoom).lines.front().rfind("Field:  ", 0), 0u);
    EXPECT_GT(model.pane(PaneId::Zoom).lines.front().size(), std::string("Field:  ").size());
    // The limiting magnitude that follows the zoom is set by the first redraw; the pane
    // shows that one, not the one the settings held.
    view->repaint();
    QApplication::processEvents();
    const chart::SkyChart& shown = view->state().chart;
    EXPECT_EQ(model.pane(PaneId::Zoom).lines.back(),
              chart::StatusPanes::ZoomLines(std::nullopt, shown.magnitudeLimit()).back());

    // The mouse over the sky fills the coordinate panes.
    QTest::mouseMove(view, QPoint(view->width() / 2, view->height() / 2));
    QApplication::processEvents();
    ASSERT_TRUE(view->pointer().has_value());
    EXPECT_EQ(model.pane(PaneId::Equatorial).lines.front().rfind("RA: ", 0), 0u);
    EXPECT_NE(model.pane(PaneId::Equatorial).lines.front(), "RA:   Dec: ");
    EXPECT_EQ(model.pane(PaneId::Azimuthal).lines.back(),
              "Constellation: " + view->pointer()->constellation);

    // "Con&stellation" off, then on with "Azimuth/Altitude": only the azimuthal pane grows.
    auto runDialog = [&](bool constellation, int radio) {
        QTimer::singleShot(0, [&, constellation, radio] {
            auto* dialog =
                qobject_cast<app::StatusPropertiesDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
                if (box->text() == "Con&stellation")
                    box->setChecked(constellation);
            const auto radios = dialog->findChildren<QRadioButton*>();
            ASSERT_EQ(radios.size(), 3);
            EXPECT_EQ(radios[0]->isEnabled(), constellation);
            radios[radio]->setChecked(true);
            dialog->accept();
        });
        frame->trigger(Cmd::StatusProperties);
    };
    runDialog(false, 0);
    const std::vector<QRect> without = paneGeometries(panes);
    runDialog(true, 1);
    const std::vector<QRect> with = paneGeometries(panes);
    for (int i = 0; i < chart::kPaneCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (static_cast<PaneId>(i) == PaneId::Azimuthal)
            EXPECT_GT(with[k].height(), without[k].height());
        else
            EXPECT_EQ(with[k].height(), without[k].height()) << i;
    }
    EXPECT_TRUE(model.azConstFlag);
    EXPECT_FALSE(model.eqConstFlag || model.ecConstFlag);

    // Hidden from its menu, then Arrange: the row closes up.
    panes.Hide(PaneId::Zoom);
    EXPECT_FALSE(panes.window(PaneId::Zoom)->isVisible());
    frame->trigger(Cmd::StatusArrange);
    EXPECT_EQ(panes.window(PaneId::Equatorial)->geometry().left(),
              panes.window(PaneId::Time)->geometry().right() + 1 + 2);
}

TEST_F(AppSmoke, APaneIsDraggedIntoFreeSpaceButNotOntoAnother) {
    openChart();
    app::StatusPaneSet& panes = frame->statusPanes();
    using chart::PaneId;
    frame->trigger(Cmd::StatusArrange);
    app::StatusPaneWindow* time = panes.window(PaneId::Time);
    const QRect start = time->geometry();
    const QRect zoom = panes.window(PaneId::Zoom)->geometry();
    const QPoint grip(5, 5);

    // Onto the zoom pane beside it: refused.
    QTest::mousePress(time, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(time, grip + QPoint(zoom.left() - start.left(), 0));
    QTest::mouseRelease(time, Qt::LeftButton, Qt::NoModifier, grip);
    EXPECT_EQ(time->geometry(), start);

    // Straight up, clear of the row: it follows the mouse, and the model with it.
    QTest::mousePress(time, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(time, grip + QPoint(0, -start.height() - 40));
    QTest::mouseRelease(time, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(time->geometry().topLeft(), start.topLeft() + QPoint(0, -start.height() - 40));
    EXPECT_EQ(panes.model().pane(PaneId::Time).rect.top, time->geometry().top());
}

TEST_F(AppSmoke, DockedStatusBarsStartHiddenAndSwitchByTheViewMenu) {
    openChart();
    app::DockedStatusBar* standard = frame->dockedBar(1);
    app::DockedStatusBar* minimal = frame->dockedBar(2);
    EXPECT_FALSE(standard->isVisible());
    EXPECT_FALSE(minimal->isVisible());
    EXPECT_FALSE(frame->action(Cmd::StatusShow)->isChecked());

    frame->trigger(Cmd::StatusShow);
    EXPECT_TRUE(standard->isVisible());
    EXPECT_FALSE(minimal->isVisible());
    EXPECT_TRUE(frame->action(Cmd::StatusShow)->isChecked());
    EXPECT_TRUE(frame->action(Cmd::StatusStandard)->isChecked());
    const QStringList rows = standard->texts();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].contains("DST: No")) << rows[0].toStdString();
    EXPECT_TRUE(rows[0].contains(QRegularExpression("Zoom: \\d+\\.\\d°"))) << rows[0].toStdString();
    EXPECT_TRUE(rows[0].contains(QRegularExpression("Stars: \\d+\\.\\d"))) << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith("    Eq: ")) << rows[1].toStdString();

    frame->trigger(Cmd::StatusMinimal);
    EXPECT_FALSE(standard->isVisible());
    EXPECT_TRUE(minimal->isVisible());
    EXPECT_EQ(minimal->texts().size(), 1);
    frame->trigger(Cmd::StatusShow);
    EXPECT_FALSE(minimal->isVisible());
}

TEST_F(AppSmoke, PrintAsksForTheOptionsFirstAndPreviewNeverDoes) {
    openChart();
    QPrinter& printer = skyvane->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath("chart.pdf");
    printer.setOutputFileName(pdf);

    // Cancel in "Print Options": no printer dialog, no page.
    QString first;
    EXPECT_TRUE(whenModal([&] { frame->trigger(Cmd::FilePrint); },
                          [&](QWidget* w) { first = w->windowTitle(); }));
    EXPECT_EQ(first, "Print Options");
    EXPECT_FALSE(QFile::exists(pdf));

    // OK with "Color" and a comment, then the printer's dialog: one page is printed.
    bool printerAsked = false;
    QTimer::singleShot(0, [&] {
        auto* options = qobject_cast<app::PrintOptionsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        const auto radios = options->findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 2);
        EXPECT_TRUE(radios[1]->isChecked()) << "black and white until told otherwise";
        radios[0]->setChecked(true);
        options->findChild<QLineEdit*>()->setText("Finder chart");
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                printerAsked = true;
                dialog->accept();
            }
        });
        options->accept();
    });
    frame->trigger(Cmd::FilePrint);
    QApplication::processEvents();
    EXPECT_TRUE(printerAsked);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/Count 1"));

    // The preview opens on its own window, without the options.
    bool preview = false;
    EXPECT_TRUE(whenModal([&] { frame->trigger(Cmd::FilePrintPreview); }, [&](QWidget* w) {
        preview = qobject_cast<QPrintPreviewDialog*>(w) != nullptr;
    }));
    EXPECT_TRUE(preview);
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
    EXPECT_TRUE(ephemeris) << "an asteroid has an ephemeris";
    EXPECT_TRUE(trail);
    // Computed for the chart's instant before the text was built.
    EXPECT_DOUBLE_EQ(ceres.ra(), expected.ra());
    EXPECT_DOUBLE_EQ(ceres.dec(), expected.dec());
    ASSERT_EQ(state.chart.trails.size(), 1u);
    EXPECT_EQ(state.chart.trails.begin()->name, "Trail of " + ceres.GetName());
}

// ---- ephemeris tables

// The count of pages of a PDF file as Qt writes them (one "/Type /Page" object a page).
int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString pdf = QString::fromLatin1(file.readAll());
    return static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page(?![a-zA-Z])")));
}

std::string readAll(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

constexpr Cmd kEphemerisCommands[] = {
    Cmd::EphemerisSun,     Cmd::EphemerisMoon,    Cmd::EphemerisMercury, Cmd::EphemerisVenus,
    Cmd::EphemerisMars,    Cmd::EphemerisJupiter, Cmd::EphemerisSaturn,  Cmd::EphemerisUranus,
    Cmd::EphemerisNeptune, Cmd::EphemerisPluto};

// The web commands and "Help Topics" open addresses through the opener hook, so that no
// browser starts; the frame runs on a data folder of its own in the test's folder, so that
// the scratch file is written there.
class WebSmoke : public AppSmoke {
protected:
    void SetUp() override {
        AppSmoke::SetUp();
        app::urlOpenerHook() = [this](const QUrl& url) { opened.push_back(url); };
    }
    void TearDown() override {
        app::urlOpenerHook() = nullptr;
        AppSmoke::TearDown();
    }
    // The frame again, on an empty data folder below base.
    void startOn(const std::filesystem::path& base) {
        frame.reset();
        skyvane.reset();
        std::filesystem::create_directories(base / "data");
        skyvane = std::make_unique<app::SkyvaneApp>(*store, base / "data");
        frame = std::make_unique<app::CMainFrame>(*skyvane);
        frame->show();
    }
    std::vector<QUrl> opened;
};

TEST_F(WebSmoke, EachWebCommandEmptiesTheScratchFileAndOpensItsPage) {
    const std::filesystem::path base = dir.filePath("base").toStdString();
    startOn(base);
    const std::filesystem::path scratch = base / "tmp.html";
    struct Case {
        Cmd id;
        settings::WebPage page;
    };
    for (const Case& c : {Case{Cmd::WebHome, settings::WebPage::Home},
                          Case{Cmd::WebDownload, settings::WebPage::Download},
                          Case{Cmd::WebComets, settings::WebPage::Comets},
                          Case{Cmd::WebAsteroids, settings::WebPage::Asteroids}}) {
        SCOPED_TRACE(app::commandInfo(c.id).text);
        EXPECT_TRUE(frame->action(c.id)->isEnabled()) << "enabled without a chart";
        {
            std::ofstream out(scratch, std::ios::binary);
            out << "<html>an earlier page</html>";
        }
        opened.clear();
        QString shown;
        bool linksOpen = false;
        const bool modal = whenModal([&] { frame->trigger(c.id); }, [&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            shown = box->text();
            for (QLabel* label : box->findChildren<QLabel*>())
                if (label->text() == shown)
                    linksOpen = label->openExternalLinks() &&
                                (label->textInteractionFlags() & Qt::LinksAccessibleByMouse);
        });
        ASSERT_TRUE(std::filesystem::is_regular_file(scratch));
        EXPECT_EQ(std::filesystem::file_size(scratch), 0u);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened.front().toString().toStdString(), settings::WebPageAddress(c.page));

        const auto sources = settings::OrbitSources(c.page);
        EXPECT_EQ(modal, !sources.empty()) << "only the catalogue pages offer the sources";
        for (const auto& source : sources)
            EXPECT_TRUE(shown.contains(QString::fromUtf8(source.address.data(),
                                                         static_cast<qsizetype>(source.address.size()))))
                << source.address;
        if (modal) {
            EXPECT_TRUE(linksOpen) << "the links of the message can be clicked";
        }
    }
    // Nothing but the scratch file was written beside the data folder.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(base))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"data", "tmp.html"}));
}

TEST_F(WebSmoke, AScratchFileThatCannotBeWrittenStillOpensThePage) {
    const std::filesystem::path base = dir.filePath("base").toStdString();
    startOn(base);
    std::filesystem::create_directories(base / "tmp.html");
    frame->trigger(Cmd::WebDownload);
    EXPECT_TRUE(std::filesystem::is_directory(base / "tmp.html"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front().toString().toStdString(),
              settings::WebPageAddress(settings::WebPage::Download));
}

TEST_F(WebSmoke, HelpTopicsOpensTheShippedGuideOrSaysThatItIsMissing) {
    EXPECT_TRUE(frame->action(Cmd::HelpTopics)->isEnabled());
    EXPECT_FALSE(whenModal([&] { frame->trigger(Cmd::HelpTopics); }, [](QWidget*) {}));
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_TRUE(opened.front().isLocalFile());
    const QFileInfo guide(opened.front().toLocalFile());
    EXPECT_TRUE(guide.isAbsolute());
    EXPECT_TRUE(guide.isFile());
    EXPECT_EQ(guide.canonicalFilePath(),
              QFileInfo(QString::fromStdString(settings::HelpGuidePath(kData).string()))
                  .canonicalFilePath());

    startOn(dir.filePath("empty").toStdString());
    opened.clear();
    QString message;
    EXPECT_TRUE(whenModal([&] { frame->trigger(Cmd::HelpTopics); }, [&](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w))
            message = box->text();
    }));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(message.toStdString(),
              settings::HelpGuideMissingMessage(settings::HelpGuidePath(skyvane->dataFolder())));
}

TEST_F(AppSmoke, TheUserGuideUsesTheMenuTextsOfTheProgram) {
    QFile file(QString::fromStdString(settings::HelpGuidePath(kData).string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    for (Cmd id : {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSaveAs, Cmd::FilePrint,
                   Cmd::FilePrintPreview, Cmd::FilePrintSetup, Cmd::ColorsFonts, Cmd::ZoomIn,
                   Cmd::ZoomOut, Cmd::ZoomDialog, Cmd::SearchConstellation, Cmd::SearchStar,
                   Cmd::SearchPlanet, Cmd::SearchAsteroid, Cmd::SearchComet, Cmd::SearchDeepSky,
                   Cmd::ViewStandard, Cmd::ViewTrue, Cmd::ViewRed, Cmd::ViewBlackWhite,
                   Cmd::OnlyVisiblePart, Cmd::ObservingPlace, Cmd::GridEquatorial,
                   Cmd::GridAzimuthal, Cmd::GridEcliptic, Cmd::ShortProperties,
                   Cmd::TimeSpecifying, Cmd::TimePace, Cmd::UpdateNow, Cmd::AutoUpdate,
                   Cmd::AutoUpdatePeriod, Cmd::DrawBoundaries, Cmd::DrawFigures, Cmd::DrawNames,
                   Cmd::EphemerisMars, Cmd::AsteroidsManage, Cmd::WebComets, Cmd::WebAsteroids,
                   Cmd::WindowNew}) {
        // The menu text as shown: the accelerator marks go, "&&" is one "&" (in HTML "&amp;").
        QString shown = QString::fromUtf8(app::commandInfo(id).text.data(),
                                          static_cast<qsizetype>(app::commandInfo(id).text.size()));
        shown.replace("&&", "\x01").remove('&').replace("\x01", "&amp;");
        EXPECT_TRUE(html.contains(shown)) << shown.toStdString();
    }
}

class EphemerisSmoke : public AppSmoke {
protected:
    // A look-out that did not meet its window stops with the test.
    void TearDown() override {
        lookouts.clear();
        AppSmoke::TearDown();
    }

    // Hands the first modal window of type T that opens within two seconds (looked for
    // every 10 ms, so that it may come after the current modal window has closed) to look,
    // then closes it if look did not. The flag tells whether one came.
    template <typename T> std::shared_ptr<bool> onNextModal(std::function<void(T*)> look) {
        auto came = std::make_shared<bool>(false);
        auto tries = std::make_shared<int>(0);
        QTimer* timer = lookouts.emplace_back(std::make_unique<QTimer>()).get();
        QObject::connect(timer, &QTimer::timeout, [=] {
            auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!modal && ++*tries < 200)
                return;
            timer->stop();
            if (!modal)
                return;
            *came = true;
            look(modal);
            if (modal->isVisible())
                modal->close();
        });
        timer->start(10);
        return came;
    }

    // A table of Mars for the chart of view, with the given columns and rows one day apart.
    catalog::EphemerisTable marsTable(app::CSkyvaneView* view,
                                      std::initializer_list<std::size_t> columns, int rows) {
        const chart::SkyChart& chart = view->state().chart;
        catalog::EphemerisSettingsModel model(chart.solarSystem.mars,
                                              astro::DateTime(2026, 3, 1, 0, 0, 0), 21);
        for (const std::size_t c : columns)
            model.shown[c] = true;
        model.count = std::to_string(rows);
        EXPECT_FALSE(model.validate());
        return catalog::ComputeEphemeris(chart.solarSystem.mars, chart,
                                         &skyvane->catalogues().constellations, model.request());
    }
    std::string placeLine(app::CSkyvaneView* view) const {
        return catalog::EphemerisPlaceLine(view->state().chart, &skyvane->catalogues().places);
    }

    std::vector<std::unique_ptr<QTimer>> lookouts;
};

TEST_F(EphemerisSmoke, TheBodyCommandsNeedAChartAndOpenTheSettingsWithTheKindsColumns) {
    for (const Cmd id : kEphemerisCommands)
        EXPECT_FALSE(frame->action(id)->isEnabled()) << "no chart";
    app::CSkyvaneView* view = openChart();
    for (const Cmd id : kEphemerisCommands)
        EXPECT_TRUE(frame->action(id)->isEnabled()) << static_cast<int>(id);
    const chart::SkyChart& chart = view->state().chart;

    // The boxes no value exists for, per kind; a planet has them all.
    const std::set<std::string> sunOff = {"Magnitude", "Phase", "Equatorial diameter", "Elongation",
                                          "True geoc. distance"};
    const std::set<std::string> moonOff = {"Magnitude", "Equatorial diameter"};
    const struct {
        Cmd command;
        const char* title;
        std::set<std::string> disabled;
    } bodies[] = {{Cmd::EphemerisSun, "Ephemeris - Sun", sunOff},
                  {Cmd::EphemerisMoon, "Ephemeris - Moon", moonOff},
                  {Cmd::EphemerisMars, "Ephemeris - Mars", {}}};
    const QDate today = [] {
        const astro::DateTime t = chart::ChartClock::fromSystemClock().Local;
        return QDate(t.year(), t.month(), t.day());
    }();
    for (const auto& body : bodies) {
        SCOPED_TRACE(body.title);
        QString title;
        std::set<std::string> disabled;
        std::vector<std::string> labels;
        int checked = 0;
        QDate date;
        QString hour, minute, second, interval, count;
        bool days = false;
        const bool opened = whenModal(
            [&] { frame->trigger(body.command); },
            [&](QWidget* modal) {
                auto* d = qobject_cast<app::EphemerisSettingsDialog*>(modal);
                ASSERT_NE(d, nullptr);
                title = d->windowTitle();
                for (std::size_t c = 0; c < 18; ++c) {
                    QCheckBox* box = d->columnBox(c);
                    labels.push_back(box->text().toStdString());
                    if (!box->isEnabled())
                        disabled.insert(box->text().toStdString());
                    checked += box->isChecked();
                }
                date = d->dateField()->date();
                hour = d->hourField()->text();
                minute = d->minuteField()->text();
                second = d->secondField()->text();
                interval = d->intervalField()->text();
                count = d->countField()->text();
                days = d->unitButton(catalog::EphemerisSettingsModel::Unit::Days)->isChecked();
            });
        ASSERT_TRUE(opened);
        EXPECT_EQ(title, body.title);
        const auto& expectedLabels = catalog::EphemerisCheckLabels();
        EXPECT_EQ(labels, std::vector<std::string>(expectedLabels.begin(), expectedLabels.end()));
        EXPECT_EQ(disabled, body.disabled);
        EXPECT_EQ(checked, 0);
        // Today from the computer's clock at the chart's own local hour.
        EXPECT_EQ(date, today);
        EXPECT_EQ(hour, QString::number(chart.clock.Local.hour()));
        EXPECT_EQ(minute, "0");
        EXPECT_EQ(second, "0");
        EXPECT_EQ(interval, "1");
        EXPECT_TRUE(days);
        EXPECT_EQ(count, "50");
    }
}

TEST_F(EphemerisSmoke, SpinButtonsStayInTheFieldsRangeButTypingIsFree) {
    using Model = catalog::EphemerisSettingsModel;
    app::SpinEdit hour(nullptr, Model::rangeOf(Model::Field::Hour), "22");
    hour.stepBy(1);
    EXPECT_EQ(hour.text(), "23");
    hour.stepBy(1);
    EXPECT_EQ(hour.text(), "23") << "not past 23";
    hour.stepBy(-100);
    EXPECT_EQ(hour.text(), "0");
    // Typed text outside the range or not a number at all stays as typed.
    hour.setText("");
    hour.setFocus();
    QTest::keyClicks(&hour, "99x");
    EXPECT_EQ(hour.text(), "99x");
    hour.stepBy(1);
    EXPECT_EQ(hour.text(), "1") << "from the range's low end";
    app::SpinEdit count(nullptr, Model::rangeOf(Model::Field::Count), "1000");
    count.stepBy(5);
    EXPECT_EQ(count.text(), "1000");
}

TEST_F(EphemerisSmoke, OkShowsTheTableOfTheCheckedColumnsAndLeavesTheChartAlone) {
    app::CSkyvaneView* view = openChart();
    const chart::SkyChart& chart = view->state().chart;
    const double marsRa = chart.solarSystem.mars.ra();
    const double marsDec = chart.solarSystem.mars.dec();
    catalog::EphemerisRequest asked;

    std::shared_ptr<bool> shown;
    QString title, fontFamily;
    int fontPixels = 0, rows = 0;
    bool fontBold = true, editable = true;
    QStringList headers;
    std::vector<int> widths;
    std::vector<std::string> firstRow, lastRow;
    const bool opened = whenModal(
        [&] { frame->trigger(Cmd::EphemerisMars); },
        [&](QWidget* modal) {
            auto* d = qobject_cast<app::EphemerisSettingsDialog*>(modal);
            ASSERT_NE(d, nullptr);
            using C = catalog::EphemerisColumnId;
            for (const C c : {C::ColumnUniversalTime, C::ColumnRightAscension, C::ColumnDeclination,
                              C::ColumnConstellation})
                d->columnBox(c)->setChecked(true);
            // Every other column is computed but not shown.
            shown = onNextModal<app::EphemerisResultDialog>([&](app::EphemerisResultDialog* r) {
                title = r->windowTitle();
                QTableWidget* list = r->list();
                fontFamily = list->font().family();
                fontPixels = list->font().pixelSize();
                fontBold = list->font().bold();
                editable = list->editTriggers() != QAbstractItemView::NoEditTriggers;
                rows = list->rowCount();
                for (int c = 0; c < list->columnCount(); ++c) {
                    headers << list->horizontalHeaderItem(c)->text();
                    widths.push_back(list->columnWidth(c));
                    firstRow.push_back(list->item(0, c)->text().toStdString());
                    lastRow.push_back(list->item(rows - 1, c)->text().toStdString());
                }
                for (const C c : {C::ColumnUniversalTime, C::ColumnRightAscension})
                    EXPECT_EQ(r->table().columns[c].cells.size(), r->table().rowCount);
                EXPECT_EQ(r->table().columns[C::ColumnMagnitude].cells.size(), r->table().rowCount)
                    << "hidden columns are computed too";
            });
            catalog::EphemerisSettingsModel model(chart.solarSystem.mars,
                                                  chart::ChartClock::fromSystemClock().Local,
                                                  chart.clock.Local.hour());
            for (const C c : {C::ColumnUniversalTime, C::ColumnRightAscension, C::ColumnDeclination,
                              C::ColumnConstellation})
                model.shown[c] = true;
            asked = model.request();
            d->accept();
        });
    ASSERT_TRUE(opened);
    ASSERT_TRUE(*shown) << "no result dialog";
    EXPECT_EQ(title, "Mars");
    EXPECT_EQ(fontFamily, "Times New Roman");
    EXPECT_EQ(fontPixels, 13);
    EXPECT_FALSE(fontBold);
    EXPECT_FALSE(editable);
    EXPECT_EQ(headers, QStringList({"UT", "RA", "Declination", "Constellation"}));
    ASSERT_EQ(rows, 50);

    // The same rows as the table computed from the dialog's defaults; each list column is
    // 7 pixels a character of its widest text, at least 45.
    const catalog::EphemerisTable expected = catalog::ComputeEphemeris(
        chart.solarSystem.mars, chart, &skyvane->catalogues().constellations, asked);
    const auto columns = expected.shownColumns();
    ASSERT_EQ(columns.size(), 4u);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(widths[c], std::max(7 * columns[c]->width, 45)) << columns[c]->header;
        EXPECT_EQ(firstRow[c], columns[c]->cells.front());
        EXPECT_EQ(lastRow[c], columns[c]->cells.back());
    }
    EXPECT_GE(widths[0], 7 * 19) << "\"MM/DD/YYYY hh:mm:ss\"";
    EXPECT_EQ(widths[3], 91) << "\"Constellation\", 13 characters";
    // One day apart from today at the chart's hour.
    const astro::DateTime start = asked.startLocal;
    EXPECT_EQ(start.hour(), chart.clock.Local.hour());
    EXPECT_EQ(asked.stepDays, 1.0);
    EXPECT_EQ(chart.solarSystem.mars.ra(), marsRa);
    EXPECT_EQ(chart.solarSystem.mars.dec(), marsDec);
}

TEST_F(EphemerisSmoke, AFieldOutOfRangeIsRefusedWithItsMessageAndTheDialogStaysOpen) {
    openChart();
    struct Case {
        app::SpinEdit* (app::EphemerisSettingsDialog::*field)() const;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {&app::EphemerisSettingsDialog::countField, "0",
         "Please enter an integer between 1 and 1000."},
        {&app::EphemerisSettingsDialog::countField, "1001",
         "Please enter an integer between 1 and 1000."},
        {&app::EphemerisSettingsDialog::hourField, "24",
         "Please enter an integer between 0 and 23."},
        {&app::EphemerisSettingsDialog::secondField, "x",
         "Please enter an integer between 0 and 59."},
        {&app::EphemerisSettingsDialog::intervalField, "0",
         "Please enter an integer between 1 and 10000."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString message;
        bool stillOpen = false, focused = false;
        std::shared_ptr<bool> boxCame, resultCame;
        const bool opened = whenModal(
            [&] { frame->trigger(Cmd::EphemerisMars); },
            [&](QWidget* modal) {
                auto* d = qobject_cast<app::EphemerisSettingsDialog*>(modal);
                ASSERT_NE(d, nullptr);
                app::SpinEdit* field = (d->*c.field)();
                field->setText(c.text);
                boxCame =
                    onNextModal<QMessageBox>([&](QMessageBox* box) { message = box->text(); });
                d->accept();
                stillOpen = d->isVisible() && d->result() != QDialog::Accepted;
                focused = d->focusWidget() == field || field->isAncestorOf(d->focusWidget());
                // Nothing was computed: no result dialog comes after the refusal.
                resultCame = onNextModal<app::EphemerisResultDialog>([](auto*) {});
            });
        ASSERT_TRUE(opened);
        ASSERT_TRUE(*boxCame);
        EXPECT_EQ(message, c.message);
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(focused);
        QTest::qWait(50);
        EXPECT_FALSE(*resultCame);
        lookouts.clear();
    }
}

TEST_F(EphemerisSmoke, SaveWritesTheTextFileThroughTheFileDialogWithItsFilters) {
    app::CSkyvaneView* view = openChart();
    using C = catalog::EphemerisColumnId;
    const catalog::EphemerisTable table =
        marsTable(view, {C::ColumnLocalTime, C::ColumnAltitude, C::ColumnMagnitude}, 12);
    const std::string expected = catalog::EphemerisText(table, placeLine(view));
    ASSERT_NE(expected.find("Ephemeris of Mars"), std::string::npos);
    app::EphemerisResultDialog dialog(view, table, placeLine(view));
    EXPECT_EQ(dialog.windowTitle(), "Mars");
    EXPECT_EQ(dialog.list()->rowCount(), 12);

    // Straight to a path: the text file, byte for byte; an existing file is replaced.
    const QString path = dir.filePath("mars.txt");
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly | QIODevice::Text));
    EXPECT_TRUE(dialog.saveTo(path));
    EXPECT_EQ(readAll(path), expected);

    // A folder that does not exist: the writer's message, nothing written.
    const QString missing = dir.filePath("no/such/folder/mars.txt");
    QString message;
    std::shared_ptr<bool> box =
        onNextModal<QMessageBox>([&](QMessageBox* b) { message = b->text(); });
    EXPECT_FALSE(dialog.saveTo(missing));
    ASSERT_TRUE(*box);
    EXPECT_TRUE(message.startsWith("Cannot ")) << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));

    // "&Save...": the save dialog with the two filters; a name without extension gets
    // ".txt"; cancelling writes nothing.
    QStringList filters;
    QString suffix;
    bool saveMode = false;
    std::shared_ptr<bool> chooser = onNextModal<QFileDialog>([&](QFileDialog* f) {
        filters = f->nameFilters();
        suffix = f->defaultSuffix();
        saveMode = f->acceptMode() == QFileDialog::AcceptSave;
        f->setDirectory(dir.path());
        // Typed into the name field, as selectFile() leaves a focused field alone.
        auto* name = f->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("chosen");
        static_cast<QDialog*>(f)->accept(); // the file dialog's own check of the name
    });
    dialog.saveButton()->click();
    ASSERT_TRUE(*chooser);
    EXPECT_EQ(filters, QStringList({"Text Files (*.txt)", "All Files (*.*)"}));
    EXPECT_EQ(suffix, "txt");
    EXPECT_TRUE(saveMode);
    EXPECT_EQ(readAll(dir.filePath("chosen.txt")), expected);

    chooser = onNextModal<QFileDialog>([&](QFileDialog* f) {
        f->setDirectory(dir.path());
        f->selectFile("cancelled");
        f->reject();
    });
    dialog.saveButton()->click();
    ASSERT_TRUE(*chooser);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("cancelled.txt")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("cancelled")));
}

TEST_F(EphemerisSmoke, ThePageLoopPrintsAPageFor45RowsAndTheChosenRange) {
    app::CSkyvaneView* view = openChart();
    using C = catalog::EphemerisColumnId;
    const std::string place = placeLine(view);
    // rows / 45 + 1 pages: 45 rows take a second page.
    const std::pair<int, int> counts[] = {{1, 1}, {44, 1}, {45, 2}, {60, 2}, {91, 3}};
    for (const auto& [rows, pages] : counts) {
        const catalog::EphemerisTable table =
            marsTable(view, {C::ColumnLocalTime, C::ColumnRightAscension}, rows);
        const QString path = dir.filePath(QString("pages-%1.pdf").arg(rows));
        {
            QPdfWriter writer(path);
            writer.setResolution(300);
            ASSERT_TRUE(app::printEphemerisPages(writer, table, place)) << rows;
        }
        EXPECT_EQ(pdfPageCount(path), pages) << rows << " rows";
    }

    // Through a printer as "&Print..." uses it, a range of pages: only page 2 of 3.
    const catalog::EphemerisTable table = marsTable(view, {C::ColumnLocalTime}, 100);
    const QString path = dir.filePath("printer.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        EXPECT_EQ(QSize(printer.width(), printer.height()),
                  printer.pageRect(QPrinter::DevicePixel).size().toSize())
            << "the surface is the printable rectangle";
        ASSERT_TRUE(app::printEphemerisPages(printer, table, place, 2, 2));
    }
    EXPECT_EQ(pdfPageCount(path), 1);

    // "Print Pre&view..." shows the pages of the same loop.
    app::EphemerisResultDialog dialog(view, table, place);
    int previewPages = -1;
    std::shared_ptr<bool> preview = onNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        auto* pages = d->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        QApplication::processEvents();
        previewPages = pages->pageCount();
    });
    dialog.previewButton()->click();
    ASSERT_TRUE(*preview);
    EXPECT_EQ(previewPages, 3) << "100 rows";
}

TEST_F(EphemerisSmoke, ThePropertiesEphemerisButtonOpensTheSettingsOfTheObjectShown) {
    app::CSkyvaneView* view = openChart();
    const astro::SolarSystemBody& mars = view->state().chart.solarSystem.mars;
    {
        // Without an ephemeris action the button stays off.
        app::PropertiesDialog dialog(view, mars, app::PropertiesContextOf(*skyvane, view->state()),
                                     {});
        EXPECT_FALSE(dialog.ephemerisButton()->isEnabled());
    }
    bool enabled = false;
    QString settingsTitle;
    std::shared_ptr<bool> settings;
    const bool opened = whenModal(
        [&] { view->ShowFullProperties(&mars); },
        [&](QWidget* modal) {
            auto* d = qobject_cast<app::PropertiesDialog*>(modal);
            ASSERT_NE(d, nullptr);
            enabled = d->ephemerisButton()->isEnabled();
            settings = onNextModal<app::EphemerisSettingsDialog>(
                [&](app::EphemerisSettingsDialog* s) { settingsTitle = s->windowTitle(); });
            d->ephemerisButton()->click();
        });
    ASSERT_TRUE(opened);
    EXPECT_TRUE(enabled);
    ASSERT_TRUE(*settings);
    EXPECT_EQ(settingsTitle, "Ephemeris - Mars");
}

// ---- the search dialogs

// Answers every message box that comes up while it lives with its answer (OK when the box
// has no such button) and keeps the texts, in order.
class MessageBoxes {
public:
    explicit MessageBoxes(QMessageBox::StandardButton first = QMessageBox::Ok) : answer(first) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(5);
    }
    QMessageBox::StandardButton answer;
    std::vector<std::string> texts;

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts.push_back(box->text().toStdString());
        QAbstractButton* b = box->button(answer);
        if (!b)
            b = box->button(QMessageBox::Ok);
        ASSERT_NE(b, nullptr) << box->text().toStdString();
        b->click();
    }
    QTimer m_timer;
};

class SearchSmoke : public AppSmoke {
protected:
    // The centre of the chart as a J2000 direction.
    static astro::SkyPoint centreOf(const app::CSkyvaneView* view) {
        const chart::SkyChart& chart = view->state().chart;
        return chart.fromChartFrame(chart.target());
    }
    // Runs a Search command; look gets its dialog while it runs. True when it opened.
    template <class Dialog> bool search(Cmd command, const std::function<void(Dialog&)>& look) {
        return whenModal([&] { frame->trigger(command); },
                         [&](QWidget* modal) {
                             auto* dialog = qobject_cast<Dialog*>(modal);
                             ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
                             look(*dialog);
                         });
    }
    static QStringList column(const QTableWidget* table, int c) {
        QStringList texts;
        for (int r = 0; r < table->rowCount(); ++r)
            texts << table->item(r, c)->text();
        return texts;
    }
    // The first row whose cell in column c has the text; -1 when none has.
    static int rowOf(const QTableWidget* table, const QString& text, int c = 0) {
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, c)->text() == text)
                return r;
        return -1;
    }
    // The row the list shows selected; -1 for none.
    static int selectedRow(const QTableWidget* table) {
        const QList<QTableWidgetItem*> items = table->selectedItems();
        return items.isEmpty() ? -1 : items.front()->row();
    }
    static void clickRow(QTableWidget* table, int row, Qt::MouseButton button = Qt::LeftButton) {
        table->scrollToItem(table->item(row, 0));
        const QPoint at = table->visualItemRect(table->item(row, 0)).center();
        if (button == Qt::LeftButton) {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            return;
        }
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, table->viewport()->mapToGlobal(at));
        QApplication::sendEvent(table->viewport(), &menu);
    }
    static std::vector<int> widths(const QTableWidget* table) {
        std::vector<int> w;
        for (int c = 0; c < table->columnCount(); ++c)
            w.push_back(table->columnWidth(c));
        return w;
    }
    static QStringList headers(const QTableWidget* table) {
        QStringList h;
        for (int c = 0; c < table->columnCount(); ++c)
            h << table->horizontalHeaderItem(c)->text();
        return h;
    }
    // The full properties opened by action: their title, or empty when none opened.
    static QString propertiesTitle(const std::function<void()>& action) {
        QString title;
        whenModal(action, [&title](QWidget* modal) {
            auto* properties = qobject_cast<app::PropertiesDialog*>(modal);
            ASSERT_NE(properties, nullptr) << modal->metaObject()->className();
            title = properties->windowTitle();
            properties->closeButton()->click();
        });
        return title;
    }
    // Goto moves the centre onto the object. The way into the horizontal frame and back
    // costs a few arc seconds; a degree is a dozen pixels of the starting chart.
    static constexpr double kOnTarget = 0.01; // degrees
};

TEST_F(SearchSmoke, ConstellationsFilterAsTheUserTypesAndGotoCentresOnTheLabelPoint) {
    app::CSkyvaneView* view = openChart();
    const catalog::ConstellationData& constellations = skyvane->catalogues().constellations;
    ASSERT_EQ(constellations.entries().size(), 88u);
    const astro::SkyPoint before = centreOf(view);
    MessageBoxes boxes;
    QStringList names, ursa, none;
    bool openWithoutSelection = false, openWhenHidden = false, keptSelection = false;
    const bool opened = search<app::ConstellationSearchDialog>(
        Cmd::SearchConstellation, [&](app::ConstellationSearchDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Constellations");
            QTableWidget* table = dialog.table();
            EXPECT_EQ(headers(table), QStringList({"Name", "Abbreviation"}));
            EXPECT_EQ(widths(table), std::vector<int>({150, 80}));
            EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
            EXPECT_EQ(dialog.infoButton(), nullptr);
            names = column(table, 0);
            // Goto without a selection keeps the dialog open.
            dialog.gotoButton()->click();
            openWithoutSelection = dialog.isVisible();

            // The filter narrows the list as the user types, in list order and letter case
            // aside; a click on a row selects it, and the selection outlives a filter that
            // still shows it.
            QTest::keyClicks(dialog.filterBox(), "URSA");
            ursa = column(table, 0);
            ASSERT_EQ(table->rowCount(), 2);
            clickRow(table, 0);
            dialog.filterBox()->clear();
            ASSERT_EQ(table->rowCount(), 88);
            keptSelection = table->item(selectedRow(table), 0)->text() == "Ursa Major";
            // A filter that hides the selected row drops the selection.
            QTest::keyClicks(dialog.filterBox(), "zzz");
            none = column(table, 0);
            dialog.gotoButton()->click();
            openWhenHidden = dialog.isVisible();
            dialog.filterBox()->setText("Ursa Major");
            clickRow(table, 0);
            dialog.gotoButton()->click();
        });
    ASSERT_TRUE(opened);
    ASSERT_EQ(names.size(), 88);
    for (int i = 0; i < 88; ++i)
        EXPECT_EQ(names[i].toStdString(),
                  constellations.entries()[static_cast<std::size_t>(i)].name);
    EXPECT_TRUE(openWithoutSelection);
    EXPECT_EQ(ursa, QStringList({"Ursa Major", "Ursa Minor"}));
    EXPECT_TRUE(keptSelection);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(openWhenHidden);
    // No question for a constellation.
    EXPECT_EQ(boxes.texts, std::vector<std::string>(2, "Please, select constellation"));
    const int uma = constellations.ConstellationNumber("Ursa Major") - 1;
    ASSERT_GE(uma, 0);
    const astro::SkyPoint label = constellations.namePoint(static_cast<std::size_t>(uma));
    EXPECT_GT(astro::angularDistance(before, label), 1.0) << "the chart started elsewhere";
    EXPECT_LT(astro::angularDistance(centreOf(view), label), kOnTarget);

    // Orion, found by its abbreviation.
    search<app::ConstellationSearchDialog>(Cmd::SearchConstellation,
                                           [&](app::ConstellationSearchDialog& dialog) {
                                               dialog.filterBox()->setText("Ori");
                                               ASSERT_EQ(dialog.table()->rowCount(), 1);
                                               clickRow(dialog.table(), 0);
                                               dialog.gotoButton()->click();
                                           });
    const int ori = constellations.ConstellationNumber("Orion") - 1;
    EXPECT_LT(astro::angularDistance(centreOf(view),
                                     constellations.namePoint(static_cast<std::size_t>(ori))),
              kOnTarget);
}

TEST_F(SearchSmoke, PlanetsListTheChartsBodiesAndARightClickOpensTheProperties) {
    app::CSkyvaneView* view = openChart();
    chart::SkyChart& chart = view->state().chart;
    const astro::SolarSystemBody* mars = chart.solarSystem.byLibraryId(4);
    ASSERT_NE(mars, nullptr);
    MessageBoxes boxes(QMessageBox::Yes);
    QStringList objects, where;
    QString title;
    bool openAfterInfo = false, marsSelected = false;
    const bool opened =
        search<app::BodySearchDialog>(Cmd::SearchPlanet, [&](app::BodySearchDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Find planet, Sun, Moon");
            QTableWidget* table = dialog.table();
            EXPECT_EQ(headers(table), QStringList({"Object", "Constellation"}));
            EXPECT_EQ(widths(table), std::vector<int>({100, 120}));
            objects = column(table, 0);
            where = column(table, 1);
            dialog.infoButton()->click(); // no selection
            const int row = rowOf(table, "Mars");
            ASSERT_GE(row, 0);
            title = propertiesTitle([&] { clickRow(table, row, Qt::RightButton); });
            openAfterInfo = dialog.isVisible();
            marsSelected = selectedRow(table) == row;
            dialog.gotoButton()->click();
        });
    ASSERT_TRUE(opened);
    ASSERT_EQ(objects.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(objects[i].toStdString(),
                  chart.solarSystem.body(static_cast<std::size_t>(i))->GetName());
        EXPECT_FALSE(where[i].isEmpty()) << objects[i].toStdString();
    }
    EXPECT_EQ(title.toStdString(), catalog::PropertiesTitle(*mars));
    EXPECT_TRUE(openAfterInfo);
    EXPECT_TRUE(marsSelected) << "the right click selects its row";
    std::vector<std::string> expected = {"Please, select object"};
    if (!chart.isAboveHorizon(*mars))
        expected.push_back("Mars is not visible. Centre anyway?");
    EXPECT_EQ(boxes.texts, expected);
    EXPECT_LT(astro::angularDistance(centreOf(view), *mars), kOnTarget);
}

TEST_F(SearchSmoke, AsteroidsAreFoundByNumberAndNameAndTheListFollowsTheManager) {
    app::CSkyvaneView* view = openChart();
    const auto loaded = catalog::LoadAsteroidCatalog(skyvane->asteroids,
                                                     kData / "asteroids" / "sbdb_asteroids.skd");
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    skyvane->selectionsChanged();
    chart::ChartViewState& state = view->state();
    struct HookGuard {
        ~HookGuard() { app::minorBodyQuestionHook() = nullptr; }
    } guard;
    app::minorBodyQuestionHook() = [](std::string_view) { return true; };
    MessageBoxes boxes(QMessageBox::Yes);

    std::size_t vesta = 0;
    while (vesta < skyvane->asteroids.size() && skyvane->asteroids.bodies()[vesta].number() != 4)
        ++vesta;
    ASSERT_LT(vesta, skyvane->asteroids.size());
    // Vesta is not plotted: the chart has not computed it.
    astro::MinorBody expected = skyvane->asteroids.bodies()[vesta];
    expected.Compute(state.chart.MakeObservationParams());

    QString numberText, foundByNumber, foundByName, filterAfterFind;
    bool focused = false;
    int rows = 0, plottedRows = -1, afterManage = -1;
    QString plottedName;
    const bool opened = search<app::MinorBodySearchDialog>(
        Cmd::SearchAsteroid, [&](app::MinorBodySearchDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Find asteroid");
            QTableWidget* table = dialog.table();
            EXPECT_EQ(headers(table), QStringList({"Name", "Number"}));
            EXPECT_EQ(widths(table), std::vector<int>({150, 70}));
            EXPECT_EQ(dialog.onlySelectedBox()->text(), "&Only selected for plotting");
            EXPECT_FALSE(dialog.onlySelectedBox()->isChecked());
            rows = table->rowCount();
            numberText = dialog.numberField()->text();

            dialog.numberField()->setText("4");
            dialog.findNumberButton()->click();
            const int byNumber = selectedRow(table);
            ASSERT_GE(byNumber, 0);
            foundByNumber =
                table->item(byNumber, 0)->text() + " " + table->item(byNumber, 1)->text();
            focused = dialog.focusWidget() == table && table->currentRow() == byNumber;
            dialog.numberField()->setText("2000000");
            dialog.findNumberButton()->click();
            // Found by name while the filter hides it: the filter goes.
            dialog.filterBox()->setText("vesta");
            dialog.nameField()->setText("cErEs");
            dialog.findNameButton()->click();
            ASSERT_GE(selectedRow(table), 0);
            foundByName = table->item(selectedRow(table), 0)->text();
            filterAfterFind = dialog.filterBox()->text();
            dialog.nameField()->setText("Nowhere");
            dialog.findNameButton()->click();

            // Nothing is plotted yet; the manager plots Ceres and the list follows.
            dialog.onlySelectedBox()->click();
            plottedRows = table->rowCount();
            EXPECT_TRUE(whenModal([&] { dialog.manageButton()->click(); },
                                  [](QWidget* modal) {
                                      auto* manager = qobject_cast<app::AsteroidsDialog*>(modal);
                                      ASSERT_NE(manager, nullptr);
                                      manager->table()->item(0, 0)->setCheckState(Qt::Checked);
                                      manager->accept();
                                  }));
            afterManage = table->rowCount();
            if (afterManage > 0)
                plottedName = table->item(0, 0)->text();

            dialog.onlySelectedBox()->click();
            dialog.numberField()->setText("4");
            dialog.findNumberButton()->click();
            dialog.gotoButton()->click();
        });
    ASSERT_TRUE(opened);
    EXPECT_EQ(rows, static_cast<int>(skyvane->asteroids.size()));
    EXPECT_EQ(numberText, "1");
    EXPECT_EQ(foundByNumber, "Vesta 4");
    EXPECT_TRUE(focused);
    EXPECT_EQ(foundByName, "Ceres");
    EXPECT_EQ(filterAfterFind, "");
    EXPECT_EQ(plottedRows, 0);
    EXPECT_EQ(afterManage, 1);
    EXPECT_EQ(plottedName, "Ceres");
    ASSERT_GE(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "Can't find asteroid with number 2000000");
    EXPECT_EQ(boxes.texts[1], "Can't find Nowhere");
    // Below the horizon the question came and was answered Yes.
    std::vector<std::string> questions(boxes.texts.begin() + 2, boxes.texts.end());
    if (state.chart.isAboveHorizon(expected))
        EXPECT_TRUE(questions.empty());
    else
        EXPECT_EQ(questions, std::vector<std::string>{skyvane->asteroids.bodies()[vesta].GetName() +
                                                      " is not visible. Centre anyway?"});
    // Computed for the chart's instant before the chart centred on it.
    EXPECT_LT(astro::angularDistance(centreOf(view), expected), kOnTarget);
}

TEST_F(SearchSmoke, CometsAreFoundByNameAndGotoCentresOnTheComputedComet) {
    app::CSkyvaneView* view = openChart();
    const auto loaded =
        catalog::LoadCometCatalog(skyvane->comets, kData / "comets" / "sbdb_comets.skd");
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    skyvane->selectionsChanged();
    std::size_t encke = 0;
    while (encke < skyvane->comets.size() &&
           skyvane->comets.bodies()[encke].GetName() != "2P/Encke")
        ++encke;
    ASSERT_LT(encke, skyvane->comets.size());
    astro::MinorBody expected = skyvane->comets.bodies()[encke];
    expected.Compute(view->state().chart.MakeObservationParams());
    MessageBoxes boxes(QMessageBox::Yes);
    QString found;
    const bool opened = search<app::MinorBodySearchDialog>(
        Cmd::SearchComet, [&](app::MinorBodySearchDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Find comet");
            QTableWidget* table = dialog.table();
            EXPECT_EQ(headers(table), QStringList({"Comet"}));
            EXPECT_EQ(widths(table), std::vector<int>({250}));
            EXPECT_EQ(table->rowCount(), static_cast<int>(skyvane->comets.size()));
            EXPECT_EQ(dialog.numberField(), nullptr) << "no number search";
            dialog.nameField()->setText("2p/encke");
            dialog.findNameButton()->click();
            ASSERT_GE(selectedRow(table), 0);
            found = table->item(selectedRow(table), 0)->text();
            dialog.gotoButton()->click();
        });
    ASSERT_TRUE(opened);
    EXPECT_EQ(found, "2P/Encke");
    if (view->state().chart.isAboveHorizon(expected))
        EXPECT_TRUE(boxes.texts.empty());
    else
        EXPECT_EQ(boxes.texts, std::vector<std::string>{"2P/Encke is not visible. Centre anyway?"});
    EXPECT_LT(astro::angularDistance(centreOf(view), expected), kOnTarget);
}

TEST_F(SearchSmoke, DeepSkyListsThePlottedOrAllObjectsAndFindsByMessierNgcAndCommonName) {
    app::CSkyvaneView* view = openChart();
    catalog::DsoCatalog& deepSky = skyvane->catalogues().deepSky;
    ASSERT_EQ(view->state().chart.settings.plotDeepSky, 0);
    deepSky.SetImageTable({{4, "", 1}}); // M 1 has an image, M 31 none
    const catalog::DsoObject* m31 = messierObject(31);
    ASSERT_NE(m31, nullptr);
    using Model = catalog::DeepSkySearchModel;
    MessageBoxes boxes(QMessageBox::Yes);
    QString plottedTitle, allTitle, m1Image, m31Row, ngc7000, ic434, andromeda, orion;
    int plottedRows = -1, allRows = -1, filteredRows = -1, commonNames = 0;
    bool everyRowHasTheText = true, openAfterImage = false;
    const bool opened =
        search<app::DeepSkySearchDialog>(Cmd::SearchDeepSky, [&](app::DeepSkySearchDialog& dialog) {
            QTableWidget* table = dialog.table();
            EXPECT_EQ(headers(table), QStringList({"NGC", "Messier", "Type", "Constellation",
                                                   "Common name", "Image"}));
            EXPECT_EQ(widths(table), std::vector<int>({50, 50, 200, 100, 170, 50}));
            // Only the plotted objects at first, and the chart plots none.
            EXPECT_TRUE(dialog.onlySelectedBox()->isChecked());
            plottedTitle = dialog.windowTitle();
            plottedRows = table->rowCount();
            dialog.onlySelectedBox()->click();
            allTitle = dialog.windowTitle();
            allRows = table->rowCount();
            commonNames = dialog.commonNameBox()->count();
            auto rowText = [table](int row) {
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << table->item(row, c)->text();
                return cells.join("|");
            };

            dialog.messierField()->setText("111");
            dialog.findMessierButton()->click();
            dialog.messierField()->setText("1");
            dialog.findMessierButton()->click();
            ASSERT_GE(selectedRow(table), 0);
            m1Image = table->item(selectedRow(table), 5)->text();
            dialog.messierField()->setText("31");
            dialog.findMessierButton()->click();
            ASSERT_GE(selectedRow(table), 0);
            m31Row = rowText(selectedRow(table));
            dialog.imageButton()->click();
            openAfterImage = dialog.isVisible();

            dialog.ngcField()->setText("7000");
            dialog.findNgcButton()->click();
            ngc7000 = table->item(selectedRow(table), 0)->text();
            dialog.ngcField()->setText("i434");
            dialog.findNgcButton()->click();
            ic434 = table->item(selectedRow(table), 0)->text();
            dialog.ngcField()->setText("99999");
            dialog.findNgcButton()->click();

            // The common-name box: its Find, and choosing an entry.
            QComboBox* names = dialog.commonNameBox();
            const int galaxy = names->findText("Andromeda Galaxy  - NGC 224");
            ASSERT_GE(galaxy, 0);
            names->setCurrentIndex(galaxy);
            dialog.findCommonNameButton()->click();
            andromeda = table->item(selectedRow(table), 0)->text();
            const int nebula = names->findText("Orion Nebula", Qt::MatchStartsWith);
            ASSERT_GE(nebula, 0);
            names->setCurrentIndex(nebula);
            Q_EMIT names->activated(nebula);
            orion = table->item(selectedRow(table), 4)->text();

            // The filter narrows the whole catalogue to the rows that mention it.
            QTest::keyClicks(dialog.filterBox(), "andromeda");
            filteredRows = table->rowCount();
            for (int r = 0; r < table->rowCount(); ++r)
                everyRowHasTheText =
                    everyRowHasTheText && rowText(r).contains("andromeda", Qt::CaseInsensitive);
            dialog.messierField()->setText("31");
            dialog.findMessierButton()->click();
            EXPECT_EQ(dialog.filterBox()->text(), "andromeda") << "M 31 is in the filtered list";
            dialog.gotoButton()->click();
        });
    ASSERT_TRUE(opened);
    EXPECT_EQ(plottedTitle, Model::kTitlePlotted);
    EXPECT_EQ(plottedRows, 0);
    EXPECT_EQ(allTitle, Model::kTitleAll);
    EXPECT_EQ(allRows, static_cast<int>(deepSky.objects().size()));
    EXPECT_EQ(commonNames, static_cast<int>(deepSky.names().size()));
    EXPECT_EQ(m1Image, "Yes");
    EXPECT_TRUE(m31Row.startsWith("224|31|Galaxy|Andromeda|Andromeda Galaxy|"))
        << m31Row.toStdString();
    EXPECT_TRUE(m31Row.endsWith("|-")) << m31Row.toStdString();
    EXPECT_TRUE(openAfterImage);
    EXPECT_EQ(ngc7000, "7000");
    EXPECT_EQ(ic434, "I434");
    EXPECT_EQ(andromeda, "224");
    EXPECT_TRUE(orion.startsWith("Orion Nebula")) << orion.toStdString();
    EXPECT_GT(filteredRows, 0);
    EXPECT_LT(filteredRows, allRows);
    EXPECT_TRUE(everyRowHasTheText);
    ASSERT_GE(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[0], "Please enter an integer between 1 and 110.");
    EXPECT_EQ(boxes.texts[1], "There is not image for this object!");
    EXPECT_EQ(boxes.texts[2], "Can't find NGC 99999");
    std::vector<std::string> questions(boxes.texts.begin() + 3, boxes.texts.end());
    if (view->state().chart.isAboveHorizon(*m31))
        EXPECT_TRUE(questions.empty());
    else
        EXPECT_EQ(questions.size(), 1u);
    EXPECT_LT(astro::angularDistance(centreOf(view), *m31), kOnTarget);

    // With the chart plotting the Messier objects, the plotted list holds them and M 31.
    frame->trigger(Cmd::DeepSkyPlot);
    int plotted = -1;
    search<app::DeepSkySearchDialog>(Cmd::SearchDeepSky, [&](app::DeepSkySearchDialog& dialog) {
        plotted = dialog.table()->rowCount();
        dialog.messierField()->setText("31");
        dialog.findMessierButton()->click();
        EXPECT_GE(selectedRow(dialog.table()), 0);
    });
    EXPECT_EQ(plotted, static_cast<int>(deepSky.selectedCount()));
}

TEST_F(SearchSmoke, SearchStarEnablesOnlyTheChosenWaysFieldsAndRefusesOutOfRangeNumbers) {
    openChart();
    using Way = app::StarSearchDialog::Way;
    MessageBoxes boxes;
    bool hdFocused = false, stayedOpen = false;
    std::vector<std::string> enabled;
    QStringList letters;
    int constellationsListed = 0, properNames = 0;
    const bool opened =
        search<app::StarSearchDialog>(Cmd::SearchStar, [&](app::StarSearchDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Search Star");
            EXPECT_TRUE(dialog.wayButton(Way::ProperName)->isChecked());
            EXPECT_EQ(dialog.wayButton(Way::Bayer)->text(), "By &bayer letter");
            for (int i = 0; i < dialog.letterBox()->count(); ++i)
                letters << dialog.letterBox()->itemText(i);
            constellationsListed = dialog.bayerConstellationBox()->count();
            properNames = dialog.properNameBox()->count();
            // Which fields each way enables, in the order of the ways.
            const std::vector<std::pair<const char*, QWidget*>> fields = {
                {"name", dialog.properNameBox()},
                {"letter", dialog.letterBox()},
                {"bayerConstellation", dialog.bayerConstellationBox()},
                {"indexBox", dialog.indexBox()},
                {"index", dialog.indexField()},
                {"flamsteed", dialog.flamsteedField()},
                {"flamsteedConstellation", dialog.flamsteedConstellationBox()},
                {"sao", dialog.saoField()},
                {"hd", dialog.hdField()},
                {"tyc1", dialog.tychoField(0)},
                {"tyc2", dialog.tychoField(1)},
                {"tyc3", dialog.tychoField(2)}};
            auto enabledFields = [&fields] {
                std::string on;
                for (const auto& [name, widget] : fields)
                    if (widget->isEnabled())
                        on += std::string(on.empty() ? "" : " ") + name;
                return on;
            };
            for (const Way way :
                 {Way::ProperName, Way::Bayer, Way::Flamsteed, Way::Sao, Way::Hd, Way::Tycho}) {
                dialog.wayButton(way)->click();
                enabled.push_back(enabledFields());
            }
            dialog.wayButton(Way::Bayer)->click();
            dialog.indexBox()->click();
            enabled.push_back(enabledFields());

            // The framework's range check, the focus in the refused field.
            dialog.wayButton(Way::Hd)->click();
            EXPECT_EQ(dialog.hdField()->text(), "1");
            dialog.hdField()->setText("0");
            dialog.gotoButton()->click();
            hdFocused = dialog.focusWidget() == dialog.hdField();
            dialog.hdField()->setText("359022");
            dialog.infoButton()->click();
            dialog.wayButton(Way::Sao)->click();
            dialog.saoField()->setText("258998");
            dialog.gotoButton()->click();
            dialog.wayButton(Way::Tycho)->click();
            dialog.tychoField(2)->setText("4");
            dialog.gotoButton()->click();
            // No proper name chosen: no star.
            dialog.wayButton(Way::ProperName)->click();
            dialog.gotoButton()->click();
            stayedOpen = dialog.isVisible();
        });
    ASSERT_TRUE(opened);
    EXPECT_EQ(letters.size(), 24);
    EXPECT_EQ(letters.value(0), QString::fromUtf8("α"));
    EXPECT_EQ(letters.value(23), QString::fromUtf8("ω"));
    EXPECT_EQ(constellationsListed, 88);
    EXPECT_GT(properNames, 50);
    EXPECT_EQ(enabled, (std::vector<std::string>{"name", "letter bayerConstellation indexBox",
                                                 "flamsteed flamsteedConstellation", "sao", "hd",
                                                 "tyc1 tyc2 tyc3",
                                                 "letter bayerConstellation indexBox index"}));
    EXPECT_TRUE(hdFocused);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(boxes.texts,
              (std::vector<std::string>{"Please enter an integer between 1 and 359021.",
                                        "Please enter an integer between 1 and 359021.",
                                        "Please enter an integer between 1 and 258997.",
                                        "Please enter an integer between 1 and 3.",
                                        "Isn't exist in Skyvane star catalog"}));
}

TEST_F(SearchSmoke, SearchStarGoesToAStarByNameBayerLetterAndHdNumberAskingBelowTheHorizon) {
    app::CSkyvaneView* view = openChart();
    chart::SkyChart& chart = view->state().chart;
    using Way = app::StarSearchDialog::Way;
    const catalog::NamedStar* polaris = namedStar("Polaris");
    const catalog::NamedStar* canopus = namedStar("Canopus");
    const catalog::NamedStar* dubhe = namedStar("Dubhe");
    ASSERT_TRUE(polaris && canopus && dubhe);
    // From London Polaris never sets and Canopus never rises.
    ASSERT_TRUE(chart.isAboveHorizon(*polaris));
    ASSERT_FALSE(chart.isAboveHorizon(*canopus));
    ASSERT_EQ(dubhe->bayerCode(), 1) << "alpha";
    auto byName = [this](const char* name) {
        return search<app::StarSearchDialog>(
            Cmd::SearchStar, [name](app::StarSearchDialog& dialog) {
                dialog.properNameBox()->setCurrentIndex(dialog.properNameBox()->findText(name));
                dialog.gotoButton()->click();
            });
    };

    MessageBoxes boxes(QMessageBox::No);
    const astro::SkyPoint start = centreOf(view);
    ASSERT_TRUE(byName("Canopus"));
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Star is not visible. Centre anyway?"});
    EXPECT_LT(astro::angularDistance(centreOf(view), start), 1e-9) << "No leaves the chart";
    boxes.answer = QMessageBox::Yes;
    ASSERT_TRUE(byName("Canopus"));
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_LT(astro::angularDistance(centreOf(view), *canopus), kOnTarget);
    ASSERT_TRUE(byName("Polaris"));
    EXPECT_EQ(boxes.texts.size(), 2u) << "no question above the horizon";
    EXPECT_LT(astro::angularDistance(centreOf(view), *polaris), kOnTarget);

    // alpha Ursae Majoris.
    search<app::StarSearchDialog>(Cmd::SearchStar, [](app::StarSearchDialog& dialog) {
        dialog.wayButton(Way::Bayer)->click();
        dialog.letterBox()->setCurrentIndex(0);
        dialog.bayerConstellationBox()->setCurrentIndex(
            dialog.bayerConstellationBox()->findText("Ursa Major"));
        dialog.gotoButton()->click();
    });
    EXPECT_LT(astro::angularDistance(centreOf(view), *dubhe), kOnTarget);

    // A star of the catalogue list (not a named star) by its HD number; "&Info..." opens its
    // properties and keeps the dialog open.
    const catalog::StarCatalog& stars = skyvane->catalogues().stars;
    std::set<int> namedHd;
    for (const catalog::NamedStar& star : stars.namedStars())
        if (star.hdNumber())
            namedHd.insert(*star.hdNumber());
    const catalog::CatalogStar* hdStar = nullptr;
    for (const catalog::CatalogStar& star : stars.catalogStars())
        if (star.hdNumber() && !namedHd.count(*star.hdNumber())) {
            hdStar = &star;
            break;
        }
    ASSERT_NE(hdStar, nullptr);
    QString title;
    bool openAfterInfo = false;
    search<app::StarSearchDialog>(Cmd::SearchStar, [&](app::StarSearchDialog& dialog) {
        dialog.wayButton(Way::Hd)->click();
        dialog.hdField()->setText(QString::number(*hdStar->hdNumber()));
        title = propertiesTitle([&] { dialog.infoButton()->click(); });
        openAfterInfo = dialog.isVisible();
        dialog.gotoButton()->click();
    });
    EXPECT_EQ(title.toStdString(), catalog::PropertiesTitle(*hdStar));
    EXPECT_TRUE(openAfterInfo);
    EXPECT_LT(astro::angularDistance(centreOf(view), *hdStar), kOnTarget);
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

// A catalogue cut short at start-up: one message names every damaged file, and the program
// goes on with what they hold; a whole folder shows none.
TEST_F(AppSmoke, DamagedCatalogueFilesAreNamedInOneMessageAtStartUp) {
    const std::filesystem::path copy = dir.filePath("damaged").toStdString();
    std::filesystem::create_directories(copy);
    for (const auto& e : std::filesystem::directory_iterator(kData))
        if (e.is_regular_file())
            std::filesystem::copy_file(e.path(), copy / e.path().filename());
    std::filesystem::resize_file(copy / "SKY2000_data.skd", 64 * 1000 + 10);
    std::filesystem::resize_file(copy / "Figures.skd", 40 * 100);

    app::SkyvaneApp damaged(*store, copy);
    const catalog::Catalogues::Report report = damaged.loadCatalogues({});
    ASSERT_EQ(report.damaged.size(), 2u);
    QString text;
    EXPECT_TRUE(whenModal([&] { app::showLoadReport(frame.get(), report); }, [&](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            text = box->text();
            box->close();
        }
    }));
    EXPECT_TRUE(text.startsWith("Some catalogue files are damaged.")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString((copy / "SKY2000_data.skd").string()) +
                              " is damaged: its size, 64010 bytes"));
    EXPECT_TRUE(text.contains(QString::fromStdString((copy / "Figures.skd").string()) +
                              " is damaged: it has 4000 bytes where"));
    EXPECT_EQ(damaged.catalogues().stars.namedStars().size() +
                  damaged.catalogues().stars.catalogStars().size(),
              1000u);

    const catalog::Catalogues::Report whole = skyvane->loadCatalogues({});
    EXPECT_FALSE(whenModal([&] { app::showLoadReport(frame.get(), whole); }, [](QWidget* w) {
        w->close();
    }));
}
