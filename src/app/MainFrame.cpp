#include "app/MainFrame.h"

#include "app/Artwork.h"
#include "app/ChartView.h"
#include "app/Dialogs.h"
#include "app/SkyvaneApp.h"
#include "app/StatusPanes.h"
#include "app/WebLinks.h"
#include "catalog/ChartDocument.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace app {

namespace {

// Commands whose menu item carries a check mark (radio groups included).
bool isCheckable(Cmd id) {
    switch (id) {
    case Cmd::AdornedDialogs:
    case Cmd::ToolbarMain:
    case Cmd::ToolbarRotation:
    case Cmd::ToolbarObjects:
    case Cmd::StatusShow:
    case Cmd::StatusStandard:
    case Cmd::StatusMinimal:
    case Cmd::ViewStandard:
    case Cmd::ViewTrue:
    case Cmd::ViewRed:
    case Cmd::ViewBlackWhite:
    case Cmd::OnlyVisiblePart:
    case Cmd::RotateEquatorial:
    case Cmd::RotateAzimuthal:
    case Cmd::RotateEcliptic:
    case Cmd::GridEquatorial:
    case Cmd::GridAzimuthal:
    case Cmd::GridEcliptic:
    case Cmd::ShortProperties:
    case Cmd::AutoUpdate:
    case Cmd::DrawBoundaries:
    case Cmd::DrawFigures:
    case Cmd::DrawNames:
    case Cmd::LockWithFigures:
    case Cmd::AbbreviatedNames:
    case Cmd::FullNames:
    case Cmd::AutoMagnitude:
    case Cmd::StarLabels:
    case Cmd::AsteroidsPlot:
    case Cmd::CometsPlot:
    case Cmd::CometsLabels:
    case Cmd::DeepSkyPlot:
    case Cmd::DeepSkyLabels:
        return true;
    default:
        return false;
    }
}

// Commands the main frame answers itself, with or without a chart.
bool isFrameCommand(Cmd id) {
    switch (id) {
    case Cmd::FileNew:
    case Cmd::FileOpen:
    case Cmd::FileSave:
    case Cmd::FileSaveAs:
    case Cmd::FileClose:
    case Cmd::FileExit:
    case Cmd::FilePrintSetup:
    case Cmd::StatusShow:
    case Cmd::StatusStandard:
    case Cmd::StatusMinimal:
    case Cmd::StatusArrange:
    case Cmd::StatusProperties:
    case Cmd::AdornedDialogs:
    case Cmd::ToolbarMain:
    case Cmd::ToolbarRotation:
    case Cmd::ToolbarObjects:
    case Cmd::WindowNew:
    case Cmd::WindowCascade:
    case Cmd::WindowTile:
    case Cmd::WindowArrangeIcons:
    case Cmd::HelpAbout:
    case Cmd::HelpTopics:
    case Cmd::WebHome:
    case Cmd::WebDownload:
    case Cmd::WebComets:
    case Cmd::WebAsteroids:
        return true;
    default:
        return false;
    }
}

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QString CSkyvaneDoc::title() const {
    if (!path.isEmpty())
        return QFileInfo(path).fileName();
    return "Map-" + QString::number(m_number);
}

CMainFrame::CMainFrame(SkyvaneApp& app) : m_app(app), m_mdi(new QMdiArea(this)) {
    setWindowTitle("Skyvane");
    setWindowIcon(applicationIcon());
    setCentralWidget(m_mdi);
    m_mdi->setBackground(QColor(64, 64, 72));
    setDockNestingEnabled(true);
    createActions();
    createMenus();
    createToolbars();
    m_recent.Load(m_app.store());
    refreshRecentFiles();
    statusBar()->showMessage("Ready");
    for (const int kind : {1, 2}) {
        auto* bar = new DockedStatusBar(static_cast<DockedStatusBar::Kind>(kind), this);
        statusBar()->addWidget(bar, 1);
        m_bars[static_cast<std::size_t>(kind - 1)] = bar;
    }
    applyStatusBars();
    // The floating panes, after the toolbars; without stored places they are arranged one
    // second later.
    m_panes = new StatusPaneSet(m_app, this);
    m_arrangePanes = m_panes->CreateAll();
    connect(m_panes, &StatusPaneSet::arrangeRequested, this, [this] { m_panes->ArrangeAll(); });
    connect(m_panes, &StatusPaneSet::propertiesRequested, this, [this] { m_panes->Properties(); });
    QTimer::singleShot(1000, this, [this] {
        if (m_arrangePanes)
            m_panes->ArrangeAll();
    });
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        refreshActions();
        refreshStatus(true);
    });
    connect(&m_app, &SkyvaneApp::viewModeChanged, this, [this] {
        refreshActions();
        m_panes->RepaintAll();
        m_panes->Fit(chart::PaneId::Location);
    });
    refreshActions();
}

CMainFrame::~CMainFrame() {
    m_panes->SaveAll();
    // The windows are destroyed after this object's own members: nothing they signal on the
    // way may reach it.
    m_mdi->disconnect(this);
    for (CSkyvaneView* view : findChildren<CSkyvaneView*>())
        view->disconnect(this);
}

void CMainFrame::createActions() {
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const auto id = static_cast<Cmd>(i);
        const CommandInfo& info = commandInfo(id);
        auto* a = new QAction(q(info.text), this);
        a->setToolTip(q(info.tooltip));
        a->setStatusTip(q(info.tooltip));
        a->setIcon(commandIcon(id));
        a->setIconVisibleInMenu(false);
        a->setCheckable(isCheckable(id));
        connect(a, &QAction::triggered, this, [this, id] { trigger(id); });
        m_actions[i] = a;
    }
    action(Cmd::FileNew)->setShortcut(QKeySequence::New);
    action(Cmd::FileExit)->setShortcut(QKeySequence::Quit);
    action(Cmd::UpdateNow)->setShortcut(QKeySequence(Qt::Key_F5));
    action(Cmd::ZoomIn)->setShortcut(QKeySequence(Qt::Key_Plus));
    action(Cmd::ZoomOut)->setShortcut(QKeySequence(Qt::Key_Minus));
    // Radio items: one of each group is chosen.
    for (const auto& group :
         {std::vector<Cmd>{Cmd::ViewStandard, Cmd::ViewTrue, Cmd::ViewRed, Cmd::ViewBlackWhite},
          std::vector<Cmd>{Cmd::RotateEquatorial, Cmd::RotateAzimuthal, Cmd::RotateEcliptic},
          std::vector<Cmd>{Cmd::AbbreviatedNames, Cmd::FullNames},
          std::vector<Cmd>{Cmd::StatusStandard, Cmd::StatusMinimal}}) {
        auto* g = new QActionGroup(this);
        for (const Cmd id : group)
            g->addAction(action(id));
    }
}

void CMainFrame::createMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, std::initializer_list<Cmd> ids) {
        for (const Cmd id : ids)
            menu->addAction(action(id));
    };

    QMenu* file = bar->addMenu("&File");
    add(file, {Cmd::FileNew, Cmd::FileOpen});
    // Items of the menus that only a chart window has. (Toolbar commands stay, disabled, so
    // that the toolbars keep their buttons.)
    m_chartFileItems = {action(Cmd::FileClose), action(Cmd::FileSaveAs), action(Cmd::FilePrint),
                        action(Cmd::FilePrintPreview)};
    add(file, {Cmd::FileClose, Cmd::FileSave, Cmd::FileSaveAs});
    file->addSeparator();
    add(file, {Cmd::FilePrint, Cmd::FilePrintPreview, Cmd::FilePrintSetup});
    m_chartFileItems.push_back(file->addSeparator());
    file->addSeparator();
    m_fileMenu = file;
    m_exitAction = action(Cmd::FileExit);
    add(file, {Cmd::FileExit});

    QMenu* view = bar->addMenu("&View");
    add(view, {Cmd::ColorsFonts, Cmd::AdornedDialogs});
    m_chartFileItems.push_back(action(Cmd::ColorsFonts));
    m_chartFileItems.push_back(action(Cmd::AdornedDialogs));
    QMenu* toolbars = view->addMenu("&Toolbars");
    add(toolbars, {Cmd::ToolbarMain, Cmd::ToolbarRotation, Cmd::ToolbarObjects});
    QMenu* status = view->addMenu("&Status");
    add(status, {Cmd::StatusShow});
    QMenu* type = status->addMenu("&Type");
    add(type, {Cmd::StatusStandard, Cmd::StatusMinimal});
    add(status, {Cmd::StatusArrange, Cmd::StatusProperties});
    m_chartFileItems.push_back(action(Cmd::StatusArrange));
    m_chartFileItems.push_back(action(Cmd::StatusProperties));
    view->addSeparator();
    add(view, {Cmd::ZoomIn, Cmd::ZoomOut, Cmd::ZoomDialog});

    QMenu* search = bar->addMenu("&Search");
    add(search, {Cmd::SearchConstellation, Cmd::SearchStar, Cmd::SearchPlanet, Cmd::SearchAsteroid,
                 Cmd::SearchComet, Cmd::SearchDeepSky});

    QMenu* options = bar->addMenu("&Options");
    QMenu* viewType = options->addMenu("&View Type");
    add(viewType, {Cmd::ViewStandard, Cmd::ViewTrue, Cmd::ViewRed, Cmd::ViewBlackWhite});
    add(options, {Cmd::OnlyVisiblePart});
    QMenu* rotation = options->addMenu("&Rotation around the");
    add(rotation, {Cmd::RotateEquatorial, Cmd::RotateAzimuthal, Cmd::RotateEcliptic});
    add(options, {Cmd::ObservingPlace});
    QMenu* grids = options->addMenu("&Grids");
    add(grids, {Cmd::GridProperties});
    grids->addSeparator();
    add(grids, {Cmd::GridEquatorial, Cmd::GridAzimuthal, Cmd::GridEcliptic});
    add(options, {Cmd::ShortProperties});

    QMenu* time = bar->addMenu("&Time");
    add(time, {Cmd::TimeSpecifying, Cmd::TimePace});
    time->addSeparator();
    add(time, {Cmd::UpdateNow, Cmd::AutoUpdate, Cmd::AutoUpdatePeriod});

    QMenu* objects = bar->addMenu("O&bjects");
    QMenu* constellations = objects->addMenu("&Constellations");
    add(constellations, {Cmd::DrawBoundaries, Cmd::DrawFigures});
    QMenu* names = constellations->addMenu("&Names");
    add(names, {Cmd::DrawNames, Cmd::LockWithFigures});
    QMenu* by = names->addMenu("Drawind &By");
    add(by, {Cmd::AbbreviatedNames, Cmd::FullNames});
    QMenu* stars = objects->addMenu("&Stars");
    add(stars, {Cmd::AutoMagnitude, Cmd::MagnitudeLimit, Cmd::StarLabels, Cmd::LabelsPresentation});
    QMenu* planets = objects->addMenu("&Planets");
    add(planets, {Cmd::PlanetsPresentation});
    planets->addSeparator();
    for (const BodyCommands& body : bodyCommands()) {
        QMenu* b = planets->addMenu(q(body.name));
        add(b, {body.centre, body.ephemeris, body.trail});
    }
    QMenu* asteroids = objects->addMenu("&Asteroids");
    add(asteroids, {Cmd::AsteroidsPlot, Cmd::AsteroidsLabels, Cmd::AsteroidsManage});
    QMenu* comets = objects->addMenu("Co&mets");
    add(comets, {Cmd::CometsPlot, Cmd::CometsLabels, Cmd::CometsManage});
    QMenu* deepSky = objects->addMenu("&Deep sky objects");
    add(deepSky,
        {Cmd::DeepSkyPlot, Cmd::DeepSkyManage, Cmd::DeepSkyLabels, Cmd::DeepSkyLabelsDialog});
    add(objects, {Cmd::Trails});

    QMenu* window = bar->addMenu("&Window");
    add(window, {Cmd::WindowNew, Cmd::WindowCascade, Cmd::WindowTile, Cmd::WindowArrangeIcons});

    QMenu* help = bar->addMenu("&Help");
    add(help, {Cmd::HelpTopics});
    QMenu* web = help->addMenu("On The &Web");
    add(web, {Cmd::WebHome, Cmd::WebDownload, Cmd::WebComets, Cmd::WebAsteroids});
    help->addSeparator();
    add(help, {Cmd::HelpAbout});

    m_chartMenus = {search, options, time, objects, window};
}

void CMainFrame::createToolbars() {
    struct Bar {
        const char* title;
        Qt::ToolBarAreas allowed;
        Qt::ToolBarArea start;
        std::vector<Cmd> buttons; // Cmd::Count marks a separator
    };
    const Cmd sep = Cmd::Count;
    std::vector<Cmd> objectButtons = {Cmd::MagnitudeLimit, Cmd::StarLabels, sep,
                                      Cmd::PlanetsPresentation};
    for (const BodyCommands& body : bodyCommands())
        objectButtons.push_back(body.centre);
    objectButtons.insert(objectButtons.end(), {sep, Cmd::AsteroidsPlot, Cmd::CometsPlot, sep,
                                               Cmd::Trails, sep, Cmd::DeepSkyPlot});
    const Bar bars[3] = {
        {"Main",
         Qt::TopToolBarArea,
         Qt::TopToolBarArea,
         {Cmd::FileSave,
          sep,
          Cmd::ViewStandard,
          Cmd::ViewTrue,
          Cmd::ViewRed,
          Cmd::ViewBlackWhite,
          sep,
          Cmd::ZoomOut,
          Cmd::ZoomIn,
          Cmd::ZoomDialog,
          sep,
          Cmd::DrawBoundaries,
          Cmd::DrawFigures,
          Cmd::GridEquatorial,
          Cmd::GridAzimuthal,
          Cmd::GridEcliptic,
          Cmd::GridProperties,
          sep,
          Cmd::UpdateNow,
          sep,
          Cmd::ObservingPlace}},
        {"Rotation",
         Qt::AllToolBarAreas,
         Qt::LeftToolBarArea,
         {Cmd::RotateEquatorial, Cmd::RotateAzimuthal, Cmd::RotateEcliptic, sep, Cmd::MoveLeft,
          Cmd::MoveUp, Cmd::MoveRight, Cmd::MoveDown, sep, Cmd::North, Cmd::East, Cmd::South,
          Cmd::West, Cmd::Zenith, Cmd::Nadir}},
        {"Objects", Qt::AllToolBarAreas, Qt::RightToolBarArea, objectButtons},
    };
    for (int i = 0; i < 3; ++i) {
        const Bar& b = bars[i];
        auto* tb = new QToolBar(b.title, this);
        tb->setObjectName(QString("ToolBar%1").arg(i + 1));
        tb->setAllowedAreas(b.allowed);
        tb->setMovable(true);
        tb->setIconSize(QSize(24, 24));
        for (const Cmd id : b.buttons) {
            if (id == sep)
                tb->addSeparator();
            else
                tb->addAction(action(id));
        }
        addToolBar(b.start, tb);
        tb->setVisible(settings::ReadToolbarShown(m_app.store(), i + 1));
        const Cmd toggle = i == 0   ? Cmd::ToolbarMain
                           : i == 1 ? Cmd::ToolbarRotation
                                    : Cmd::ToolbarObjects;
        connect(tb, &QToolBar::visibilityChanged, this,
                [this, toggle](bool shown) { action(toggle)->setChecked(shown); });
        m_toolbars[static_cast<std::size_t>(i)] = tb;
    }
}

CSkyvaneView* CMainFrame::newChart() {
    m_docs.push_back(std::make_unique<CSkyvaneDoc>(m_nextDocument++));
    return addView(m_docs.back().get());
}

CSkyvaneView* CMainFrame::addView(CSkyvaneDoc* doc, CSkyvaneView* view) {
    if (!view)
        view = new CSkyvaneView(m_app);
    doc->views.push_back(view);
    QMdiSubWindow* sub = m_mdi->addSubWindow(view);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(applicationIcon());
    const QString title = doc->views.size() == 1
                              ? doc->title()
                              : doc->title() + ":" + QString::number(doc->views.size());
    sub->setWindowTitle(title);
    connect(view, &CSkyvaneView::stateChanged, this, [this, view] {
        refreshActions();
        if (view == activeView())
            refreshStatus(false);
    });
    connect(view, &CSkyvaneView::statusMessage, this, [this](const QString& text) {
        // A shown docked bar has the pointer's place in its own fields.
        if (m_statusShown == 0)
            statusBar()->showMessage(text);
    });
    connect(view, &CSkyvaneView::pointerMoved, this, [this, view] {
        if (view != activeView())
            return;
        m_panes->SetPointer(view->pointer());
        if (m_statusShown != 0)
            dockedBar(m_statusType)->Show(StatusBarStateOf(view, view->pointer()));
    });
    connect(view, &QObject::destroyed, this, [this, view] { viewClosed(view); });
    if (m_mdi->subWindowList().size() == 1)
        sub->showMaximized();
    else
        sub->show();
    view->setFocus();
    refreshActions();
    return view;
}

CSkyvaneDoc* CMainFrame::documentOf(const CSkyvaneView* view) const {
    for (const auto& doc : m_docs)
        if (std::find(doc->views.begin(), doc->views.end(), view) != doc->views.end())
            return doc.get();
    return nullptr;
}

void CMainFrame::retitle(CSkyvaneDoc* doc) {
    for (std::size_t i = 0; i < doc->views.size(); ++i) {
        QWidget* sub = doc->views[i]->parentWidget();
        if (sub)
            sub->setWindowTitle(i == 0 ? doc->title()
                                       : doc->title() + ":" + QString::number(i + 1));
    }
}

bool CMainFrame::openDocument(const QString& path) {
    // The chart is read completely before its window opens: a file that cannot be read
    // opens nothing and changes nothing.
    auto* view = new CSkyvaneView(m_app);
    catalog::ChartDocumentLoadOptions options;
    options.dataFolder = m_app.dataFolder();
    options.places = &m_app.catalogues().places;
    options.deepSkyCatalog = &m_app.catalogues().deepSky;
    // The catalogues are replaced: every chart takes the new lists at once.
    options.cataloguesReplaced = [this] { m_app.selectionsChanged(); };
    std::vector<std::string> notes;
    const std::string error = catalog::LoadChartDocument(
        path.toStdString(),
        catalog::ChartDocumentParts{view->state().chart, m_app.deepSkySelection, m_app.asteroids,
                                    m_app.comets},
        options, &notes);
    if (!error.empty()) {
        delete view;
        m_recent.Remove(path.toStdString());
        m_recent.Save(m_app.store());
        refreshRecentFiles();
        showMessage(this, QString::fromStdString(error));
        return false;
    }
    m_app.selectionsChanged();
    auto doc = std::make_unique<CSkyvaneDoc>(0);
    doc->path = QFileInfo(path).absoluteFilePath();
    m_docs.push_back(std::move(doc));
    addView(m_docs.back().get(), view);
    m_recent.Add(m_docs.back()->path.toStdString());
    m_recent.Save(m_app.store());
    refreshRecentFiles();
    if (!notes.empty()) {
        QString text;
        for (const std::string& note : notes)
            text += QString::fromStdString(note) + "\n";
        showMessage(this, text.trimmed());
    }
    return true;
}

bool CMainFrame::saveActive(bool askName) {
    CSkyvaneDoc* doc = documentOf(activeView());
    if (!doc)
        return false;
    QString path = doc->path;
    if (askName || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? doc->title() + ".skv" : path;
        path = QFileDialog::getSaveFileName(this, "Save As", suggested,
                                            "Skyvane Files (*.skv);;All Files (*)");
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += ".skv";
    }
    return saveActiveTo(path);
}

bool CMainFrame::saveActiveTo(const QString& path) {
    CSkyvaneDoc* doc = documentOf(activeView());
    if (!doc || doc->views.empty())
        return false;
    // The document is the state of its first window.
    const std::string error =
        catalog::SaveChartDocument(path.toStdString(), doc->views.front()->state().chart,
                                   m_app.deepSkySelection, m_app.asteroids, m_app.comets);
    if (!error.empty()) {
        showMessage(this, QString::fromStdString(error));
        return false;
    }
    doc->path = QFileInfo(path).absoluteFilePath();
    retitle(doc);
    m_recent.Add(doc->path.toStdString());
    m_recent.Save(m_app.store());
    refreshRecentFiles();
    return true;
}

void CMainFrame::refreshRecentFiles() {
    for (QAction* a : m_recentActions) {
        m_fileMenu->removeAction(a);
        a->deleteLater();
    }
    m_recentActions.clear();
    const auto& files = m_recent.files();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = QString::fromStdString(files[i]);
        auto* a = new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { openDocument(path); });
        m_fileMenu->insertAction(m_exitAction, a);
        m_recentActions.push_back(a);
    }
    if (!m_recentActions.empty()) {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        m_fileMenu->insertAction(m_exitAction, separator);
        m_recentActions.push_back(separator);
    }
}

void CMainFrame::viewClosed(CSkyvaneView* view) {
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it) {
        auto& v = (*it)->views;
        v.erase(std::remove(v.begin(), v.end(), view), v.end());
        if (v.empty()) {
            m_docs.erase(it);
            break;
        }
    }
    refreshActions();
}

CSkyvaneView* CMainFrame::activeView() const {
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub && !m_mdi->subWindowList().isEmpty())
        sub = m_mdi->subWindowList().last();
    return sub ? qobject_cast<CSkyvaneView*>(sub->widget()) : nullptr;
}

std::vector<CSkyvaneView*> CMainFrame::views() const {
    std::vector<CSkyvaneView*> out;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* v = qobject_cast<CSkyvaneView*>(sub->widget()))
            out.push_back(v);
    return out;
}

void CMainFrame::trigger(Cmd id) {
    if (isFrameCommand(id)) {
        runFrameCommand(id);
    } else if (CSkyvaneView* view = activeView()) {
        if (view->isEnabled(id))
            view->runCommand(id);
    }
    refreshActions();
}

bool CMainFrame::runFrameCommand(Cmd id) {
    switch (id) {
    case Cmd::FileNew:
        newChart();
        return true;
    case Cmd::FileOpen: {
        const QString start =
            m_recent.files().empty()
                ? QString::fromStdString(m_app.dataFolder().parent_path().string())
                : QFileInfo(QString::fromStdString(m_recent.files().front())).path();
        const QString path = QFileDialog::getOpenFileName(this, "Open", start,
                                                          "Skyvane Files (*.skv);;All Files (*)");
        if (!path.isEmpty())
            openDocument(path);
        return true;
    }
    case Cmd::FileSave:
        saveActive(false);
        return true;
    case Cmd::FileSaveAs:
        saveActive(true);
        return true;
    case Cmd::FileClose:
        if (QMdiSubWindow* sub = m_mdi->activeSubWindow())
            sub->close();
        return true;
    case Cmd::FileExit:
        close();
        return true;
    case Cmd::FilePrintSetup:
        QPageSetupDialog(&m_app.printer(), this).exec();
        return true;
    case Cmd::StatusShow:
        m_statusShown = m_statusShown ? 0 : 1;
        applyStatusBars();
        return true;
    case Cmd::StatusStandard:
    case Cmd::StatusMinimal:
        m_statusType = id == Cmd::StatusStandard ? 1 : 2;
        applyStatusBars();
        return true;
    case Cmd::StatusArrange:
        m_panes->ArrangeAll();
        return true;
    case Cmd::StatusProperties:
        m_panes->Properties();
        return true;
    case Cmd::AdornedDialogs:
        m_app.toggleAdornedDialogs();
        return true;
    case Cmd::ToolbarMain:
    case Cmd::ToolbarRotation:
    case Cmd::ToolbarObjects: {
        QToolBar* tb =
            m_toolbars[static_cast<std::size_t>(id) - static_cast<std::size_t>(Cmd::ToolbarMain)];
        tb->setVisible(!tb->isVisible());
        return true;
    }
    case Cmd::WindowNew:
        for (const auto& doc : m_docs) {
            const auto& v = doc->views;
            if (std::find(v.begin(), v.end(), activeView()) != v.end()) {
                addView(doc.get());
                break;
            }
        }
        return true;
    case Cmd::WindowCascade:
        m_mdi->cascadeSubWindows();
        return true;
    case Cmd::WindowTile:
    case Cmd::WindowArrangeIcons:
        m_mdi->tileSubWindows();
        return true;
    case Cmd::HelpAbout:
        AboutDialog(this).exec();
        return true;
    case Cmd::HelpTopics:
        openHelpTopics(this, m_app.dataFolder());
        return true;
    case Cmd::WebHome:
    case Cmd::WebDownload:
    case Cmd::WebComets:
    case Cmd::WebAsteroids:
        runWebCommand(this, id, m_app.dataFolder());
        return true;
    default:
        return false;
    }
}

void CMainFrame::refreshActions() {
    const CSkyvaneView* view = activeView();
    for (QMenu* menu : m_chartMenus)
        menu->menuAction()->setVisible(view != nullptr);
    for (QAction* item : m_chartFileItems)
        item->setVisible(view != nullptr);
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const auto id = static_cast<Cmd>(i);
        QAction* a = m_actions[i];
        if (isFrameCommand(id)) {
            const bool needsChart = id == Cmd::FileClose || id == Cmd::FileSave ||
                                    id == Cmd::FileSaveAs || id == Cmd::WindowNew ||
                                    id == Cmd::WindowCascade || id == Cmd::WindowTile ||
                                    id == Cmd::WindowArrangeIcons;
            a->setEnabled(!needsChart || view != nullptr);
            continue;
        }
        a->setEnabled(view && view->isEnabled(id));
        if (a->isCheckable()) {
            std::optional<bool> checked = view ? view->isChecked(id) : std::nullopt;
            if (!checked && id >= Cmd::ViewStandard && id <= Cmd::ViewBlackWhite)
                checked = m_app.viewMode() ==
                          1 + static_cast<int>(id) - static_cast<int>(Cmd::ViewStandard);
            a->setChecked(checked.value_or(false));
        }
    }
    action(Cmd::AdornedDialogs)->setChecked(m_app.adornedDialogs() != 0);
    action(Cmd::StatusShow)->setChecked(m_statusShown != 0);
    action(m_statusType == 1 ? Cmd::StatusStandard : Cmd::StatusMinimal)->setChecked(true);
    for (int i = 0; i < 3; ++i)
        action(static_cast<Cmd>(static_cast<int>(Cmd::ToolbarMain) + i))
            ->setChecked(m_toolbars[static_cast<std::size_t>(i)] &&
                         !m_toolbars[static_cast<std::size_t>(i)]->isHidden());
}

void CMainFrame::saveToolbarStates() {
    for (int i = 0; i < 3; ++i)
        settings::WriteToolbarShown(m_app.store(), i + 1,
                                    !m_toolbars[static_cast<std::size_t>(i)]->isHidden());
    m_app.store().writeInt("Status", "Vis", 0);
    m_app.store().writeInt("Status", "Mode", 1);
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        saveToolbarStates();
        if (isActiveWindow())
            refreshStatus(true);
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_panesShown) {
        m_panesShown = true;
        m_panes->ShowAll();
    }
}

void CMainFrame::refreshStatus(bool refit) {
    if (!m_panes)
        return;
    const CSkyvaneView* view = activeView();
    const std::vector<std::string> place = m_panes->model().pane(chart::PaneId::Location).lines;
    m_panes->ShowChart(view);
    m_panes->SetPointer(view ? view->pointer() : std::nullopt);
    if (refit)
        m_panes->FitAll();
    else if (m_panes->model().pane(chart::PaneId::Location).lines != place)
        m_panes->Fit(chart::PaneId::Location); // the observing place changed
    if (m_statusShown != 0)
        dockedBar(m_statusType)->Show(StatusBarStateOf(view, view ? view->pointer() : std::nullopt));
}

void CMainFrame::applyStatusBars() {
    for (const int kind : {1, 2})
        dockedBar(kind)->setVisible(m_statusShown != 0 && m_statusType == kind);
    if (m_statusShown != 0) {
        statusBar()->clearMessage();
        const CSkyvaneView* view = activeView();
        dockedBar(m_statusType)->Show(StatusBarStateOf(view, view ? view->pointer() : std::nullopt));
    }
    refreshActions();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    saveToolbarStates();
    m_panes->SaveAll();
    m_mdi->closeAllSubWindows();
    m_app.saveSettings();
    event->accept();
}

} // namespace app
