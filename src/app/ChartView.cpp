#include "app/ChartView.h"

#include "app/DeepSkyDialog.h"
#include "app/Dialogs.h"
#include "app/EphemerisDialogs.h"
#include "app/GridDialog.h"
#include "app/MinorBodyDialogs.h"
#include "app/ObjectDialogs.h"
#include "app/PlaceDialogs.h"
#include "app/PropertiesDialog.h"
#include "app/SchemeDialog.h"
#include "app/SearchDialogs.h"
#include "app/SkyvaneApp.h"
#include "app/StarProp.h"
#include "app/TimeDialogs.h"
#include "catalog/ObjectProperties.h"
#include "catalog/TychoStore.h"
#include "chart/ChartPrinting.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartSettingsStore.h"
#include "chart/ConstellationDrawing.h"
#include "chart/Navigation.h"
#include "chart/ObjectDialogs.h"
#include "chart/Selection.h"
#include "chart/StarDialogs.h"
#include "chart/Trails.h"
#include "chart/ZoomTables.h"
#include "ui/PainterSurface.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr int kPaceTimerMs = 1000;
constexpr int kFirstPickCommand = 10101;

int flip(int value) {
    return value ? 0 : 1;
}

} // namespace

CSkyvaneView::CSkyvaneView(SkyvaneApp& app, QWidget* parent) : QWidget(parent), m_app(app) {
    // Every redraw covers the whole window: no erasing, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setMinimumSize(120, 90);

    catalog::Catalogues& catalogues = app.catalogues();
    // A new chart starts where the last one ended: its settings, colours and fonts come
    // from the settings store.
    chart::ReadChartSettings(app.store(), m_state.chart, m_scheme, catalogues.places.size());
    chart::SkyChart& chart = m_state.chart;
    chart.objects.starArrays[0] = &catalogues.stars.namedStarList();
    chart.objects.starArrays[1] = &catalogues.stars.catalogStarList();
    m_sources = {&catalogues.constellations, &catalogues.stars.tycho()};
    // The chart stands at its stored observing place.
    applyStoredPlace(catalogues.places, chart);
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();
    chart.invalidate = [this] { update(); };

    m_starProp = new StarProp(
        this, [this] { return PropertiesContextOf(m_app, m_state); },
        [this] { return m_app.viewMode(); });
    connect(m_starProp, &StarProp::fullPropertiesRequested, this,
            [this] { ShowFullProperties(m_starProp->object()); });
    // A moved or zoomed view, a press or a new pick hides the short window.
    m_state.hidePopup = [this] { m_starProp->hide(); };

    attachObjectLists();
    connect(&app, &SkyvaneApp::objectListsChanged, this, [this] {
        // The asteroid and comet lists are rebuilt: an object shown from them goes.
        m_starProp->dismiss();
        attachObjectLists();
        update();
    });

    connect(&app, &SkyvaneApp::viewModeChanged, this, [this] { update(); });

    connect(&m_paceTimer, &QTimer::timeout, this, [this] { chart::PaceTick(m_state.chart); });
    m_paceTimer.start(kPaceTimerMs);
    connect(&m_updateTimer, &QTimer::timeout, this, [this] {
        chart::UpdateNow(m_state.chart);
        Q_EMIT stateChanged();
    });
    m_updateTimer.start(std::max(0, static_cast<int>(chart.clock.UpdatePeriod)));
}

CSkyvaneView::~CSkyvaneView() {
    // The next new chart starts from this one.
    chart::WriteChartSettings(m_app.store(), m_state.chart, m_scheme);
}

void CSkyvaneView::attachObjectLists() {
    chart::SkyChart& chart = m_state.chart;
    chart.objects.deepSky = &m_app.catalogues().deepSky.selectedList();
    m_asteroidList.reset(m_app.asteroids.bodies());
    m_cometList.reset(m_app.comets.bodies());
    chart.objects.asteroids = &m_asteroidList;
    chart.objects.comets = &m_cometList;
    // The selected bodies are computed for the chart's instant before they are drawn.
    const astro::ObservationParams params = chart.MakeObservationParams();
    m_asteroidList.compute(params);
    m_cometList.compute(params);
    m_state.rebuildDrawList = true;
}

void CSkyvaneView::paintEvent(QPaintEvent*) {
    // One back buffer as large as the screen (or the window, when that is larger), reused
    // by every redraw. On a high-density screen it has the screen's device pixels: the chart
    // draws in logical pixels and the painter carries them to device pixels, so lines and
    // text are sharp and the one-pixel rules keep their logical size.
    const qreal ratio = devicePixelRatioF();
    QSize need = size();
    if (const QScreen* s = screen())
        need = need.expandedTo(s->size());
    const QSize device(static_cast<int>(std::ceil(need.width() * ratio)),
                       static_cast<int>(std::ceil(need.height() * ratio)));
    if (m_buffer.devicePixelRatio() != ratio || m_buffer.width() < device.width() ||
        m_buffer.height() < device.height()) {
        m_buffer = QImage(device, QImage::Format_RGB32);
        m_buffer.setDevicePixelRatio(ratio);
    }
    redraw();
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, width(), height()), m_buffer,
                      QRectF(0, 0, width() * ratio, height() * ratio));
    if (m_state.chart.magnitudeLimit() != m_paintedLimit) {
        m_paintedLimit = m_state.chart.magnitudeLimit();
        Q_EMIT stateChanged();
    }
}

void CSkyvaneView::redraw() {
    ui::PainterSurface surface(m_buffer);
    m_north = chart::OnDraw(m_state, surface, m_app.viewType(), m_scheme, m_sources);
}

void CSkyvaneView::resizeEvent(QResizeEvent*) {
    m_state.chart.SetClientSize(width(), height());
    update();
}

void CSkyvaneView::changed(bool rebuild) {
    if (rebuild)
        m_state.rebuildDrawList = true;
    update();
    Q_EMIT stateChanged();
}

void CSkyvaneView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        chart::PressLeft(m_state, p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        pickAt(p, event->globalPosition().toPoint());
    }
}

void CSkyvaneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        if (chart::DragTo(m_state, p.x(), p.y()))
            update();
        return;
    }
    m_pointer = chart::HoverAt(m_state.chart, p.x(), p.y(), m_sources.constellations);
    if (m_pointer)
        Q_EMIT statusMessage(QString::fromStdString(chart::HoverText(*m_pointer)));
    Q_EMIT pointerMoved();
}

void CSkyvaneView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        chart::ReleaseLeft(m_state);
}

void CSkyvaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && chart::DoubleClickAt(m_state, p.x(), p.y()))
        update();
}

void CSkyvaneView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        runCommand(Cmd::MoveLeft);
        break;
    case Qt::Key_Up:
        runCommand(Cmd::MoveUp);
        break;
    case Qt::Key_Right:
        runCommand(Cmd::MoveRight);
        break;
    case Qt::Key_Down:
        runCommand(Cmd::MoveDown);
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void CSkyvaneView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    Q_EMIT stateChanged();
}

void CSkyvaneView::pickAt(QPoint at, QPoint global) {
    const chart::PickResult picked =
        chart::PickObjects(m_state, at.x(), at.y(), m_sources.faintStars);
    if (picked.count == 0)
        return;
    if (picked.count == 1) {
        showObject(picked.ids[0]);
        return;
    }
    QMenu menu(this);
    for (int i = 0; i < picked.count; ++i) {
        QAction* item =
            menu.addAction(QString::fromStdString(picked.names[static_cast<std::size_t>(i)]));
        item->setData(kFirstPickCommand + i);
    }
    if (const QAction* chosen = menu.exec(global)) {
        const int n = chosen->data().toInt() - kFirstPickCommand;
        if (n >= 0 && n < picked.count)
            showObject(picked.ids[static_cast<std::size_t>(n)]);
    }
}

void CSkyvaneView::showObject(int id) {
    ShowObject(chart::PickedObject(m_state, id, m_sources.faintStars));
}

void CSkyvaneView::ShowObject(const astro::SkyPoint* object) {
    if (!object)
        return;
    m_starProp->setObject(object);
    if (m_state.chart.settings.shortProperties != 0)
        m_starProp->showAtTopLeft();
    else
        ShowFullProperties(object);
}

void CSkyvaneView::ShowFullProperties(const astro::SkyPoint* object) {
    if (!object)
        return;
    m_starProp->setObject(object);
    activate();
    m_starProp->hide();
    runPropertiesDialog(this, m_app, m_state, *object);
    // The dialog may have added a trail.
    changed(false);
}

void CSkyvaneView::activate() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
            break;
        }
    }
    setFocus(Qt::OtherFocusReason);
}

bool CSkyvaneView::runCommand(Cmd id) {
    chart::SkyChart& chart = m_state.chart;
    chart::ChartSettings& s = chart.settings;
    if (id == Cmd::FilePrint || id == Cmd::FilePrintPreview) {
        print(id == Cmd::FilePrintPreview);
        return true;
    }
    for (const BodyCommands& body : bodyCommands()) {
        if (id == body.centre) {
            if (const astro::SolarSystemBody* b = chart.solarSystem.byLibraryId(body.libraryId))
                chart::CentreOn(chart, *b);
            changed(false);
            return true;
        }
        if (id == body.trail) {
            if (const astro::SolarSystemBody* b = chart.solarSystem.byLibraryId(body.libraryId))
                trailDialog(*b);
            return true;
        }
        if (id == body.ephemeris) {
            if (const astro::SolarSystemBody* b = chart.solarSystem.byLibraryId(body.libraryId))
                OpenEphemeris(this, m_app, m_state, *b);
            return true;
        }
    }
    switch (id) {
    case Cmd::ZoomIn:
        if (chart.CanZoomIn() && chart::ZoomIn(m_state))
            changed(true);
        return true;
    case Cmd::ZoomOut:
        if (chart.CanZoomOut() && chart::ZoomOut(m_state))
            changed(true);
        return true;
    case Cmd::ZoomDialog:
        zoomDialog();
        return true;
    case Cmd::MoveLeft:
        chart::MoveLeft(chart);
        changed(false);
        return true;
    case Cmd::MoveRight:
        chart::MoveRight(chart);
        changed(false);
        return true;
    case Cmd::MoveUp:
        chart::MoveUp(chart);
        changed(false);
        return true;
    case Cmd::MoveDown:
        chart::MoveDown(chart);
        changed(false);
        return true;
    case Cmd::North:
    case Cmd::East:
    case Cmd::South:
    case Cmd::West:
    case Cmd::Zenith:
    case Cmd::Nadir: {
        static constexpr chart::Cardinal kDirections[] = {
            chart::Cardinal::North, chart::Cardinal::East,   chart::Cardinal::South,
            chart::Cardinal::West,  chart::Cardinal::Zenith, chart::Cardinal::Nadir};
        chart::LookTowards(m_state,
                           kDirections[static_cast<int>(id) - static_cast<int>(Cmd::North)]);
        changed(true);
        return true;
    }
    case Cmd::RotateEquatorial:
        chart.SetRotationMode(chart::RotationEquatorial);
        changed(false);
        return true;
    case Cmd::RotateAzimuthal:
        chart.SetRotationMode(chart::RotationAzimuthal);
        changed(false);
        return true;
    case Cmd::RotateEcliptic:
        chart.SetRotationMode(chart::RotationEcliptic);
        changed(false);
        return true;
    case Cmd::ViewStandard:
    case Cmd::ViewTrue:
    case Cmd::ViewRed:
    case Cmd::ViewBlackWhite:
        m_app.setViewMode(1 + static_cast<int>(id) - static_cast<int>(Cmd::ViewStandard));
        Q_EMIT stateChanged();
        return true;
    case Cmd::OnlyVisiblePart:
        s.onlyVisiblePart = flip(s.onlyVisiblePart);
        changed(false);
        return true;
    case Cmd::GridEquatorial:
        s.equatorialGrid = flip(s.equatorialGrid);
        changed(false);
        return true;
    case Cmd::GridAzimuthal:
        s.azimuthalGrid = flip(s.azimuthalGrid);
        changed(false);
        return true;
    case Cmd::GridEcliptic:
        s.eclipticGrid = flip(s.eclipticGrid);
        changed(false);
        return true;
    case Cmd::ShortProperties:
        s.shortProperties = flip(s.shortProperties);
        changed(false);
        return true;
    case Cmd::UpdateNow:
        chart::UpdateNow(chart);
        changed(false);
        return true;
    case Cmd::AutoUpdate:
        if (chart::ToggleAutoUpdate(chart))
            restartUpdateTimer();
        else
            m_updateTimer.stop();
        changed(false);
        return true;
    case Cmd::DrawBoundaries:
        chart::ToggleConstellationBoundaries(s);
        changed(false);
        return true;
    case Cmd::DrawFigures:
        chart::ToggleConstellationFigures(s);
        changed(false);
        return true;
    case Cmd::DrawNames:
        chart::ToggleConstellationNames(s);
        changed(false);
        return true;
    case Cmd::LockWithFigures:
        chart::ToggleNamesLockedWithFigures(s);
        changed(false);
        return true;
    case Cmd::AbbreviatedNames:
        chart::SetNamesAbbreviated(s, true);
        changed(false);
        return true;
    case Cmd::FullNames:
        chart::SetNamesAbbreviated(s, false);
        changed(false);
        return true;
    case Cmd::AutoMagnitude:
        s.autoMagnitudeLimit = flip(s.autoMagnitudeLimit);
        chart.SetView();
        changed(true);
        return true;
    case Cmd::MagnitudeLimit:
        magnitudeLimitDialog();
        return true;
    case Cmd::StarLabels:
        s.starLabels = flip(s.starLabels);
        changed(false);
        return true;
    case Cmd::LabelsPresentation:
        labelsDialog();
        return true;
    case Cmd::PlanetsPresentation: {
        chart::PlanetsPresentationDialogModel model(s);
        if (PlanetsPresentationDialog(this, model).exec() == QDialog::Accepted)
            follow(chart::ApplyPlanetsPresentation(m_state, model));
        return true;
    }
    case Cmd::AsteroidsPlot:
        follow(chart::TogglePlotAsteroids(m_state, m_asteroidList.size()));
        return true;
    case Cmd::CometsPlot:
        follow(chart::TogglePlotComets(m_state, m_cometList.size()));
        return true;
    case Cmd::DeepSkyPlot:
        follow(chart::TogglePlotDeepSky(m_state, m_app.catalogues().deepSky.selectedCount()));
        return true;
    case Cmd::CometsLabels:
        follow(chart::ToggleCometLabels(m_state));
        return true;
    case Cmd::DeepSkyLabels:
        follow(chart::ToggleDeepSkyLabels(m_state));
        return true;
    case Cmd::AsteroidsLabels: {
        chart::AsteroidLabelsDialogModel model(s);
        if (AsteroidLabelsDialog(this, model).exec() == QDialog::Accepted)
            follow(chart::ApplyAsteroidLabels(m_state, model));
        return true;
    }
    case Cmd::DeepSkyLabelsDialog: {
        chart::DeepSkyLabelsDialogModel model(s);
        if (DeepSkyLabelsDialog(this, model).exec() == QDialog::Accepted)
            follow(chart::ApplyDeepSkyLabels(m_state, model));
        return true;
    }
    case Cmd::TimeSpecifying:
        runTimeSpecifying(this, chart);
        changed(false);
        return true;
    case Cmd::TimePace:
        runPace(this, chart);
        changed(false);
        return true;
    case Cmd::AutoUpdatePeriod:
        runUpdatePeriod(this, chart, m_updateTimer);
        changed(false);
        return true;
    case Cmd::ObservingPlace:
        if (runObservingPlace(this, m_app, chart)) {
            chart::WriteChartSettings(m_app.store(), chart, m_scheme);
            changed(true);
        }
        return true;
    case Cmd::ColorsFonts:
        if (runSchemeDialog(this, m_scheme))
            changed(false);
        return true;
    case Cmd::GridProperties:
        if (runGridProperties(this, m_state))
            changed(false);
        return true;
    case Cmd::AsteroidsManage:
        openManager(chart::ObjectManager::Asteroids);
        return true;
    case Cmd::CometsManage:
        openManager(chart::ObjectManager::Comets);
        return true;
    case Cmd::DeepSkyManage:
        openManager(chart::ObjectManager::DeepSky);
        return true;
    case Cmd::SearchConstellation:
        search(SearchKind::Constellation);
        return true;
    case Cmd::SearchStar:
        search(SearchKind::Star);
        return true;
    case Cmd::SearchPlanet:
        search(SearchKind::Planet);
        return true;
    case Cmd::SearchAsteroid:
        search(SearchKind::Asteroid);
        return true;
    case Cmd::SearchComet:
        search(SearchKind::Comet);
        return true;
    case Cmd::SearchDeepSky:
        search(SearchKind::DeepSky);
        return true;
    case Cmd::Trails: {
        chart::TrailListModel model(chart.trails);
        TrailsDialog(this, model, chart).exec();
        changed(false);
        return true;
    }
    default:
        return false;
    }
}

bool CSkyvaneView::isEnabled(Cmd id) const {
    if (!commandInfo(id).available)
        return false;
    for (const BodyCommands& body : bodyCommands())
        if (id == body.trail)
            return !m_state.chart.trails.full();
    switch (id) {
    case Cmd::ZoomIn:
        return m_state.chart.CanZoomIn();
    case Cmd::ZoomOut:
        return m_state.chart.CanZoomOut();
    case Cmd::AutoUpdatePeriod:
        return m_state.chart.clock.AutoUpdate == 1;
    default:
        return true;
    }
}

std::optional<bool> CSkyvaneView::isChecked(Cmd id) const {
    const chart::SkyChart& chart = m_state.chart;
    const chart::ChartSettings& s = chart.settings;
    switch (id) {
    case Cmd::ViewStandard:
    case Cmd::ViewTrue:
    case Cmd::ViewRed:
    case Cmd::ViewBlackWhite:
        return m_app.viewMode() == 1 + static_cast<int>(id) - static_cast<int>(Cmd::ViewStandard);
    case Cmd::OnlyVisiblePart:
        return s.onlyVisiblePart != 0;
    case Cmd::RotateEquatorial:
        return chart.rotationMode() == chart::RotationEquatorial;
    case Cmd::RotateAzimuthal:
        return chart.rotationMode() == chart::RotationAzimuthal;
    case Cmd::RotateEcliptic:
        return chart.rotationMode() == chart::RotationEcliptic;
    case Cmd::GridEquatorial:
        return s.equatorialGrid != 0;
    case Cmd::GridAzimuthal:
        return s.azimuthalGrid != 0;
    case Cmd::GridEcliptic:
        return s.eclipticGrid != 0;
    case Cmd::ShortProperties:
        return s.shortProperties != 0;
    case Cmd::AutoUpdate:
        return chart.clock.AutoUpdate == 1;
    case Cmd::DrawBoundaries:
        return s.constellationBoundaries != 0;
    case Cmd::DrawFigures:
        return s.constellationFigures != 0;
    case Cmd::DrawNames:
        return s.constellationNames != 0;
    case Cmd::LockWithFigures:
        return s.namesLockedWithFigures != 0;
    case Cmd::AbbreviatedNames:
        return s.namesAbbreviated == 1;
    case Cmd::FullNames:
        return s.namesAbbreviated == 0;
    case Cmd::AutoMagnitude:
        return s.autoMagnitudeLimit != 0;
    case Cmd::StarLabels:
        return s.starLabels != 0;
    case Cmd::AsteroidsPlot:
        return s.plotAsteroids != 0;
    case Cmd::CometsPlot:
        return s.plotComets != 0;
    case Cmd::CometsLabels:
        return s.cometLabels != 0;
    case Cmd::DeepSkyPlot:
        return s.plotDeepSky != 0;
    case Cmd::DeepSkyLabels:
        return s.deepSkyLabels != 0;
    default:
        return std::nullopt;
    }
}

void CSkyvaneView::follow(const chart::SelectionOutcome& outcome) {
    if (!outcome.message.empty())
        showMessage(this, QString::fromStdString(outcome.message));
    if (outcome.openManager != chart::ObjectManager::None)
        openManager(outcome.openManager);
    changed(outcome.rebuild);
}

void CSkyvaneView::openManager(chart::ObjectManager manager) {
    switch (manager) {
    case chart::ObjectManager::Asteroids:
        AsteroidsDialog(this, m_app, m_state).exec();
        break;
    case chart::ObjectManager::Comets:
        CometsDialog(this, m_app, m_state).exec();
        break;
    case chart::ObjectManager::DeepSky:
        DsoDialog(this, m_app, m_state).exec();
        break;
    case chart::ObjectManager::None:
        return;
    }
    changed(m_state.rebuildDrawList);
}

void CSkyvaneView::search(SearchKind kind) {
    // A moved view hides the short properties window.
    if (runSearch(this, m_app, m_state, kind) && m_state.hidePopup)
        m_state.hidePopup();
    // Besides a new target, a manager or the properties window opened from the dialog may
    // have changed the lists or added a trail.
    changed(false);
}

void CSkyvaneView::trailDialog(const astro::SolarSystemBody& body) {
    if (runTrailDialog(this, m_state.chart, body))
        changed(false);
}

void CSkyvaneView::restartUpdateTimer() {
    m_updateTimer.start(std::max(0, static_cast<int>(m_state.chart.clock.UpdatePeriod)));
}

void CSkyvaneView::print(bool preview) {
    const std::optional<chart::PrintOptions> options = chart::PreparePrinting(
        preview,
        [this](chart::PrintOptionsDialog& dialog) {
            return PrintOptionsWindow(this, dialog).exec() == QDialog::Accepted;
        },
        m_printComment);
    if (!options)
        return;
    if (!preview)
        m_printComment = options->comment;
    QPrinter& printer = m_app.printer();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [this, &options](QPrinter* target) { printPage(*target, *options, true); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printPage(printer, *options, false))
        showMessage(this, "Cannot print the chart.");
}

bool CSkyvaneView::printPage(QPrinter& printer, const chart::PrintOptions& options,
                             bool preview) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        // The painter's origin is the top left of the printable rectangle, and the
        // printer's extent is that rectangle in its dots.
        ui::PainterSurface surface(painter, printer.width(), printer.height());
        chart::PrintPageRequest request;
        request.dotsPerMm = printer.resolution() / 25.4;
        request.preview = preview;
        request.options = options;
        request.place = catalog::PrintPlaceTextsOf(m_state.chart, &m_app.catalogues().places);
        chart::PrintChartPage(m_state, surface, m_scheme, m_sources, request);
    }
    return painter.end();
}

void CSkyvaneView::zoomDialog() {
    chart::ZoomDialogModel model(m_state.chart.zoom());
    if (ZoomDialog(this, model).exec() == QDialog::Accepted) {
        chart::SetFieldOfView(m_state, chart::fieldOfViewDegrees(model.zoom()));
        changed(true);
    }
}

void CSkyvaneView::magnitudeLimitDialog() {
    chart::MagnitudeLimitDialogModel model(m_state.chart.settings);
    if (MagnitudeLimitDialog(this, model).exec() == QDialog::Accepted) {
        model.apply(m_state.chart.settings);
        m_state.chart.SetView();
        changed(true);
    }
}

void CSkyvaneView::labelsDialog() {
    chart::LabelPresentationDialogModel model(m_state.chart.settings);
    if (LabelPresentationDialog(this, model).exec() == QDialog::Accepted) {
        model.apply(m_state.chart.settings);
        changed(false);
    }
}

} // namespace app
