#include "app/MinorBodyDialogs.h"

#include "DataCommands.h"
#include "app/Dialogs.h"
#include "app/ObjectDialogs.h"
#include "app/PropertiesDialog.h"
#include "app/SkyvaneApp.h"
#include "catalog/MinorBodyCatalog.h"
#include "chart/ChartViewState.h"
#include "chart/ObjectDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <system_error>

namespace app {

namespace fs = std::filesystem;
using Kind = catalog::MinorBodyListModel::Kind;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* button(const char* text, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    // Return in the find box finds; it never exits the dialog.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QLineEdit* field(const std::string& text, QWidget* parent, int width = 50) {
    auto* f = new QLineEdit(q(text), parent);
    f->setMaximumWidth(width);
    return f;
}

const char* folderOf(Kind kind) {
    return kind == Kind::Asteroids ? "asteroids" : "comets";
}

// Whether a file holds JSON (its first character that is not white space is a brace).
bool looksLikeJson(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    char c = 0;
    while (in.get(c))
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return c == '{';
    return false;
}

std::size_t countLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::size_t lines = 0;
    std::string line;
    while (std::getline(in, line))
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            ++lines;
    return lines;
}

// A progress window with the text "Please, wait..." and no title; without a range it only
// shows that something is under way.
std::unique_ptr<QProgressDialog> waitWindow(QWidget* parent, int maximum) {
    auto progress = std::make_unique<QProgressDialog>(QStringLiteral("Please, wait..."), QString(),
                                                      0, maximum, parent);
    progress->setWindowTitle(QString(" "));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setValue(0);
    return progress;
}

constexpr const char* kAsteroidSources =
    "Skyvane plots asteroids from catalogues in its own format, kept in the folder "
    "\"asteroids\" of its data. It can make one from an orbit file that you download:\n\n"
    "  - a JSON export of the JPL Small-Body Database search (fields full_name, epoch_mjd, e, "
    "a, i, om, w, ma and, when available, H and G), or\n"
    "  - the Minor Planet Center's MPCORB.DAT.\n\n"
    "When the file holds more than 60000 asteroids the brightest are kept. The same "
    "conversion is available on the command line as \"skyvane-data asteroids\".\n\n"
    "Choose the file to convert?";
constexpr const char* kCometSources =
    "Skyvane plots comets from catalogues in its own format, kept in the folder \"comets\" of "
    "its data. It can make one from an orbit file that you download:\n\n"
    "  - a JSON export of the JPL Small-Body Database search (fields full_name, tp, q, e, i, w, "
    "om and, when available, M1 or H), or\n"
    "  - the Minor Planet Center's CometEls.txt.\n\n"
    "When the file holds more than 1000 comets, periodic comets and the latest perihelion "
    "passages are kept. The same conversion is available on the command line as "
    "\"skyvane-data comets\".\n\n"
    "Choose the file to convert?";

} // namespace

chart::AskYesNo& minorBodyQuestionHook() {
    static chart::AskYesNo hook;
    return hook;
}

// ---- Converting element files

fs::path ImportedCatalogPath(Kind kind, const fs::path& source, const fs::path& dataFolder) {
    return dataFolder / folderOf(kind) / (source.stem().string() + ".skd");
}

CatalogImport ImportMinorBodyCatalog(Kind kind, const fs::path& source,
                                     const fs::path& dataFolder) {
    CatalogImport result;
    const bool asteroids = kind == Kind::Asteroids;
    const fs::path folder = dataFolder / folderOf(kind);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.error = "Cannot create the folder " + folder.string() + ": " + ec.message();
        return result;
    }
    // The converter reads a database export from <sources>/minorbodies and writes below
    // <out>; the output folder lies in the catalogue folder so that the finished catalogue
    // is renamed into place on the same file system.
    QTemporaryDir sources;
    QTemporaryDir out(QString::fromStdString((folder / ".import-XXXXXX").string()));
    if (!sources.isValid() || !out.isValid()) {
        result.error = "Cannot write into the folder " + folder.string() + ".";
        return result;
    }
    datatool::Paths paths;
    paths.sources = sources.path().toStdString();
    paths.out = out.path().toStdString();
    std::vector<std::string> args;
    const fs::path absolute = fs::absolute(source, ec);
    if (looksLikeJson(source)) {
        const fs::path dir = fs::path(paths.sources) / "minorbodies";
        const fs::path link = dir / (asteroids ? "asteroids.dat" : "comets.dat");
        fs::create_directories(dir, ec);
        fs::create_symlink(absolute, link, ec);
        if (ec) {
            ec.clear();
            fs::copy_file(absolute, link, ec);
        }
        if (ec) {
            result.error = "Cannot read " + source.string() + ": " + ec.message();
            return result;
        }
    } else {
        args = {asteroids ? "--mpcorb" : "--cometels", absolute.string()};
    }
    try {
        if (asteroids)
            datatool::runAsteroids(paths, args);
        else
            datatool::runComets(paths, args);
    } catch (const std::exception& e) {
        result.error = e.what();
        return result;
    }
    fs::path produced;
    for (const auto& entry : fs::directory_iterator(fs::path(paths.out) / folderOf(kind), ec))
        if (entry.path().extension() == ".skd")
            produced = entry.path();
    if (produced.empty()) {
        result.error = "The conversion of " + source.string() + " wrote no catalogue.";
        return result;
    }
    result.bodies = countLines(produced);
    if (result.bodies == 0) {
        result.error = "The file " + source.string() + " holds no " +
                       (asteroids ? "asteroid" : "comet") + " orbits in a format Skyvane reads.";
        return result;
    }
    const fs::path target = ImportedCatalogPath(kind, source, dataFolder);
    fs::rename(produced, target, ec);
    if (ec) {
        result.error = "Cannot write " + target.string() + ": " + ec.message();
        return result;
    }
    result.written = target;
    return result;
}

// ---- "Asteroid filters"

AsteroidFiltersDialog::AsteroidFiltersDialog(QWidget* parent, catalog::AsteroidFiltersModel& model)
    : QDialog(parent), m_model(model),
      m_number(new QCheckBox(catalog::AsteroidFiltersModel::kNumberFilter, this)),
      m_from(field(model.fromText, this, 80)), m_to(field(model.toText, this, 80)),
      m_magnitude(new QCheckBox(catalog::AsteroidFiltersModel::kMagnitudeFilter, this)),
      m_magnitudeLimit(field(model.magnitudeText, this)),
      m_area(new QCheckBox(catalog::AsteroidFiltersModel::kAreaFilter, this)),
      m_equatorial(new QRadioButton(this)), m_horizontal(new QRadioButton(this)),
      m_raHours(field(model.raHoursText, this, 40)), m_raMinutes(field(model.raMinutesText, this)),
      m_dec(field(model.decText, this)), m_azDegrees(field(model.azDegreesText, this, 40)),
      m_azMinutes(field(model.azMinutesText, this)), m_alt(field(model.altText, this)),
      m_radius(field(model.radiusText, this)) {
    using M = catalog::AsteroidFiltersModel;
    setWindowTitle(M::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(m_number);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel(M::kFromLabel, this));
    numberRow->addWidget(m_from);
    numberRow->addWidget(new QLabel(M::kToLabel, this));
    numberRow->addWidget(m_to);
    numberRow->addStretch();
    layout->addLayout(numberRow);

    layout->addWidget(m_magnitude);
    auto* magnitudeRow = new QHBoxLayout;
    magnitudeRow->addWidget(new QLabel(M::kMagnitudeLabel, this));
    magnitudeRow->addWidget(m_magnitudeLimit);
    magnitudeRow->addStretch();
    layout->addLayout(magnitudeRow);

    layout->addWidget(m_area);
    auto* target = new QGroupBox(M::kTargetLabel, this);
    auto* grid = new QGridLayout(target);
    grid->addWidget(m_equatorial, 0, 0);
    grid->addWidget(new QLabel(M::kRaLabel, target), 0, 1);
    grid->addWidget(m_raHours, 0, 2);
    grid->addWidget(new QLabel("h", target), 0, 3);
    grid->addWidget(m_raMinutes, 0, 4);
    grid->addWidget(new QLabel("m", target), 0, 5);
    grid->addWidget(new QLabel(M::kDecLabel, target), 0, 6);
    grid->addWidget(m_dec, 0, 7);
    grid->addWidget(m_horizontal, 1, 0);
    grid->addWidget(new QLabel(M::kAzLabel, target), 1, 1);
    grid->addWidget(m_azDegrees, 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("\u00b0"), target), 1, 3);
    grid->addWidget(m_azMinutes, 1, 4);
    grid->addWidget(new QLabel("'", target), 1, 5);
    grid->addWidget(new QLabel(M::kAltLabel, target), 1, 6);
    grid->addWidget(m_alt, 1, 7);
    layout->addWidget(target);
    auto* radiusRow = new QHBoxLayout;
    radiusRow->addWidget(new QLabel(M::kRadiusLabel, this));
    radiusRow->addWidget(m_radius);
    radiusRow->addWidget(new QLabel(QString::fromUtf8("\u00b0"), this));
    radiusRow->addStretch();
    layout->addLayout(radiusRow);

    auto* note = new QLabel(M::kNote, this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(okCancel(this));

    m_number->setChecked(model.numberFilter);
    m_magnitude->setChecked(model.magnitudeFilter);
    m_area->setChecked(model.areaFilter);
    (model.horizontalForm ? m_horizontal : m_equatorial)->setChecked(true);
    for (QAbstractButton* box :
         {static_cast<QAbstractButton*>(m_number), static_cast<QAbstractButton*>(m_magnitude),
          static_cast<QAbstractButton*>(m_area), static_cast<QAbstractButton*>(m_equatorial)})
        connect(box, &QAbstractButton::toggled, this, [this] { updateEnabled(); });
    updateEnabled();
}

void AsteroidFiltersDialog::updateEnabled() {
    m_model.numberFilter = m_number->isChecked();
    m_model.magnitudeFilter = m_magnitude->isChecked();
    m_model.areaFilter = m_area->isChecked();
    m_model.horizontalForm = m_horizontal->isChecked();
    m_from->setEnabled(m_model.numberFieldsEnabled());
    m_to->setEnabled(m_model.numberFieldsEnabled());
    m_magnitudeLimit->setEnabled(m_model.magnitudeFieldEnabled());
    m_equatorial->setEnabled(m_model.areaFilter);
    m_horizontal->setEnabled(m_model.areaFilter);
    for (QLineEdit* f : {m_raHours, m_raMinutes, m_dec})
        f->setEnabled(m_model.equatorialFieldsEnabled());
    for (QLineEdit* f : {m_azDegrees, m_azMinutes, m_alt})
        f->setEnabled(m_model.horizontalFieldsEnabled());
    m_radius->setEnabled(m_model.radiusFieldEnabled());
}

void AsteroidFiltersDialog::accept() {
    updateEnabled();
    m_model.fromText = m_from->text().toStdString();
    m_model.toText = m_to->text().toStdString();
    m_model.magnitudeText = m_magnitudeLimit->text().toStdString();
    m_model.raHoursText = m_raHours->text().toStdString();
    m_model.raMinutesText = m_raMinutes->text().toStdString();
    m_model.decText = m_dec->text().toStdString();
    m_model.azDegreesText = m_azDegrees->text().toStdString();
    m_model.azMinutesText = m_azMinutes->text().toStdString();
    m_model.altText = m_alt->text().toStdString();
    m_model.radiusText = m_radius->text().toStdString();
    if (const auto refusal = m_model.validate()) {
        showMessage(this, q(refusal->message));
        using F = catalog::AsteroidFiltersModel::Field;
        QLineEdit* focus = nullptr;
        switch (refusal->field) {
        case F::From:
            focus = m_from;
            break;
        case F::To:
            focus = m_to;
            break;
        case F::Magnitude:
            focus = m_magnitudeLimit;
            break;
        case F::RaHours:
            focus = m_raHours;
            break;
        case F::Dec:
            focus = m_dec;
            break;
        case F::AzDegrees:
            focus = m_azDegrees;
            break;
        case F::Alt:
            focus = m_alt;
            break;
        case F::Radius:
            focus = m_radius;
            break;
        case F::None:
            break;
        }
        if (focus)
            focus->setFocus();
        return;
    }
    QDialog::accept();
}

// ---- The managers

MinorBodyManager::MinorBodyManager(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                                   Kind kind)
    : QDialog(parent), m_app(app), m_state(state), m_model(kind), m_table(new QTableWidget(this)),
      m_findText(new QLineEdit(this)), m_catalog(new QLineEdit(this)) {
    const bool asteroids = kind == Kind::Asteroids;
    setWindowTitle(asteroids ? catalog::MinorBodyListModel::kAsteroidsTitle
                             : catalog::MinorBodyListModel::kCometsTitle);
    adorn(this);

    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setWordWrap(false);
    if (asteroids) {
        m_table->setColumnCount(2);
        m_table->setHorizontalHeaderLabels({"Name", "Number"});
        m_table->setColumnWidth(0, 120);
        m_table->setColumnWidth(1, 60);
    } else {
        m_table->setColumnCount(1);
        m_table->setHorizontalHeaderLabels({"Name"});
        m_table->setColumnWidth(0, 190);
    }
    m_table->setMinimumWidth(asteroids ? 220 : 230);
    m_table->setMinimumHeight(300);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { itemChanged(item); });
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int row = m_table->rowAt(at.y());
        if (row < 0)
            return;
        m_table->selectRow(row);
        info();
    });

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(m_table);
    if (asteroids) {
        m_total = new QLabel(this);
        left->addWidget(m_total);
    }
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    if (asteroids) {
        auto* findRow = new QHBoxLayout;
        findRow->addWidget(m_findText);
        QPushButton* findButton = button("&Find", this);
        findRow->addWidget(findButton);
        right->addLayout(findRow);
        connect(findButton, &QPushButton::clicked, this, [this] { find(); });
        connect(m_findText, &QLineEdit::returnPressed, this, [this] { find(); });
    } else {
        m_findText->hide();
    }
    QPushButton* all = button("&Select all", this);
    QPushButton* none = button("&Deselect all", this);
    QPushButton* infoButton = button("&Info...", this);
    right->addWidget(all);
    right->addWidget(none);
    right->addWidget(infoButton);
    connect(all, &QPushButton::clicked, this, [this] { selectAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { selectAll(false); });
    connect(infoButton, &QPushButton::clicked, this, [this] { info(); });
    if (asteroids) {
        QPushButton* filterButton = button("&Filter...", this);
        QPushButton* labelsButton = button("La&bels...", this);
        right->addWidget(filterButton);
        right->addWidget(labelsButton);
        connect(filterButton, &QPushButton::clicked, this, [this] { filter(); });
        connect(labelsButton, &QPushButton::clicked, this, [this] { labels(); });
    } else {
        auto* drawLabels = new QCheckBox("Draw labels", this);
        drawLabels->setChecked(m_state.chart.settings.cometLabels != 0);
        right->addWidget(drawLabels);
        connect(drawLabels, &QCheckBox::toggled, this, [this](bool on) {
            m_state.chart.settings.cometLabels = on ? 1 : 0;
            if (m_state.chart.invalidate)
                m_state.chart.invalidate();
        });
    }

    auto* box = new QGroupBox("Catalog", this);
    auto* boxLayout = new QVBoxLayout(box);
    m_catalog->setReadOnly(true);
    boxLayout->addWidget(m_catalog);
    QPushButton* load = button("&Load catalog...", box);
    QPushButton* close = button("&Close catalog", box);
    QPushButton* obtain = button(asteroids ? "Obtain catalogs..." : "Download catalogs...", box);
    boxLayout->addWidget(load);
    boxLayout->addWidget(close);
    boxLayout->addWidget(obtain);
    right->addWidget(box);
    connect(load, &QPushButton::clicked, this, [this] { loadCatalog(); });
    connect(close, &QPushButton::clicked, this, [this] { closeCatalog(); });
    connect(obtain, &QPushButton::clicked, this, [this] { obtainCatalogs(); });

    right->addStretch();
    QPushButton* exitButton = button("E&xit", this);
    right->addWidget(exitButton);
    connect(exitButton, &QPushButton::clicked, this, [this] { accept(); });
    layout->addLayout(right);

    refill();
}

void MinorBodyManager::refill() {
    if (m_model.kind() == Kind::Asteroids)
        m_model.fill(m_app.asteroids.bodies());
    else
        m_model.fill(m_app.comets.bodies());
    const bool asteroids = m_model.kind() == Kind::Asteroids;
    m_filling = true;
    m_table->setRowCount(0);
    m_table->setRowCount(static_cast<int>(m_model.size()));
    for (std::size_t i = 0; i < m_model.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* name = new QTableWidgetItem(q(m_model.row(i).name));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        name->setCheckState(m_model.checked(i) ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, 0, name);
        if (asteroids) {
            auto* number = new QTableWidgetItem(q(m_model.row(i).number));
            number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_table->setItem(row, 1, number);
        }
    }
    m_filling = false;
    if (m_total)
        m_total->setText(q(m_model.totalText()));
    const std::string& name = asteroids ? m_app.asteroids.name() : m_app.comets.name();
    m_catalog->setText(q(catalog::CatalogBoxText(name)));
    m_catalog->setToolTip(q(name));
}

void MinorBodyManager::syncChecks() {
    m_filling = true;
    for (std::size_t i = 0; i < m_model.size(); ++i)
        if (QTableWidgetItem* item = m_table->item(static_cast<int>(i), 0))
            item->setCheckState(m_model.checked(i) ? Qt::Checked : Qt::Unchecked);
    m_filling = false;
}

void MinorBodyManager::itemChanged(QTableWidgetItem* item) {
    if (m_filling || item->column() != 0 || item->row() < 0)
        return;
    const auto row = static_cast<std::size_t>(item->row());
    if (row < m_model.size())
        m_model.setChecked(row, item->checkState() == Qt::Checked);
}

void MinorBodyManager::find() {
    const auto found = m_model.find(m_findText->text().toStdString());
    if (!found.row) {
        showMessage(this, q(found.message));
        return;
    }
    const int row = static_cast<int>(*found.row);
    m_table->selectRow(row);
    m_table->setCurrentCell(row, 0);
    m_table->scrollToItem(m_table->item(row, 0), QAbstractItemView::PositionAtCenter);
    m_table->setFocus();
}

void MinorBodyManager::selectAll(bool on) {
    if (on)
        m_model.selectAll();
    else
        m_model.deselectAll();
    syncChecks();
}

void MinorBodyManager::info() {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty()) {
        showMessage(this, m_model.selectMessage());
        return;
    }
    const auto row = static_cast<std::size_t>(selected.front()->row());
    if (row >= m_model.size())
        return;
    // The full properties of the body, computed for the chart's instant and place.
    astro::MinorBody& body = m_model.body(row);
    body.Compute(m_state.chart.MakeObservationParams());
    runPropertiesDialog(this, m_app, m_state, body);
}

void MinorBodyManager::filter() {
    catalog::AsteroidFiltersModel filters(m_state.chart);
    AsteroidFiltersDialog dialog(this, filters);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto progress =
        waitWindow(this, static_cast<int>(std::max<std::size_t>(m_model.size(), 1)));
    filters.apply(m_model, m_state.chart.MakeObservationParams(),
                  [&progress](std::size_t done, std::size_t total) {
                      // Every hundredth body is enough to keep the bar moving.
                      if (done % 100 == 0 || done == total)
                          progress->setValue(static_cast<int>(done));
                  });
    progress->close();
    syncChecks();
    m_state.rebuildDrawList = true;
}

void MinorBodyManager::labels() {
    chart::AsteroidLabelsDialogModel model(m_state.chart.settings);
    AsteroidLabelsDialog dialog(this, model);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const chart::SelectionOutcome outcome = chart::ApplyAsteroidLabels(m_state, model);
    if (outcome.redraw && m_state.chart.invalidate)
        m_state.chart.invalidate();
}

void MinorBodyManager::loadCatalog() {
    const fs::path folder = m_app.dataFolder() / folderOf(m_model.kind());
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), QString::fromStdString(folder.string()),
                                     "Skyvane Files (*.skd);;All Files (*)");
    if (path.isEmpty())
        return;
    loadFile(path.toStdString());
}

void MinorBodyManager::loadFile(const fs::path& path) {
    const bool asteroids = m_model.kind() == Kind::Asteroids;
    // The file is read into a list of its own and put in place in one step: the charts
    // point into the program's lists and may repaint while the progress window runs.
    catalog::AsteroidCatalog newAsteroids;
    catalog::CometCatalog newComets;
    catalog::CatalogLoadResult result;
    {
        const auto progress = waitWindow(this, 10000);
        catalog::CatalogLoadOptions options;
        options.progress = [&progress](const catalog::CatalogProgress& p) {
            if (p.bytesTotal > 0)
                progress->setValue(static_cast<int>(p.bytesDone * 10000 / p.bytesTotal));
        };
        result = asteroids ? catalog::LoadAsteroidCatalog(newAsteroids, path, options)
                           : catalog::LoadCometCatalog(newComets, path, options);
        progress->close();
    }
    if (asteroids)
        m_app.asteroids = std::move(newAsteroids);
    else
        m_app.comets = std::move(newComets);
    m_app.selectionsChanged();
    refill();
    if (!result.ok())
        showMessage(this, q(result.error));
    else if (const std::string notes = result.notes(asteroids ? "asteroids" : "comets");
             !notes.empty())
        showMessage(this, q(notes));
}

void MinorBodyManager::closeCatalog() {
    if (m_model.kind() == Kind::Asteroids)
        catalog::CloseAsteroidCatalog(m_app.asteroids);
    else
        catalog::CloseCometCatalog(m_app.comets);
    m_app.selectionsChanged();
    refill();
}

void MinorBodyManager::obtainCatalogs() {
    const Kind kind = m_model.kind();
    const bool asteroids = kind == Kind::Asteroids;
    if (QMessageBox::information(this, "Skyvane", asteroids ? kAsteroidSources : kCometSources,
                                 QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    const QString chosen =
        QFileDialog::getOpenFileName(this, asteroids ? "Asteroid orbit file" : "Comet orbit file",
                                     QString(), "Orbit files (*.json *.dat *.txt);;All Files (*)");
    if (chosen.isEmpty())
        return;
    const fs::path source = chosen.toStdString();
    const fs::path target = ImportedCatalogPath(kind, source, m_app.dataFolder());
    if (fs::exists(target) &&
        !ask(("The catalogue " + target.filename().string() + " exists. Replace it?").c_str()))
        return;

    // The conversion runs beside the window so that the progress window stays alive; it
    // touches nothing but its own files.
    CatalogImport result;
    {
        const auto progress = waitWindow(this, 0);
        const fs::path dataFolder = m_app.dataFolder();
        std::future<CatalogImport> job = std::async(std::launch::async, [kind, source, dataFolder] {
            return ImportMinorBodyCatalog(kind, source, dataFolder);
        });
        while (job.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        result = job.get();
        progress->close();
    }
    if (!result.ok()) {
        showMessage(this, q(result.error));
        return;
    }
    const std::string question = "The catalogue " + result.written.filename().string() +
                                 " was written with " + std::to_string(result.bodies) +
                                 (asteroids ? " asteroids" : " comets") + ". Load it now?";
    if (ask(question.c_str()))
        loadFile(result.written);
}

bool MinorBodyManager::ask(const char* question) {
    if (const chart::AskYesNo& hook = minorBodyQuestionHook())
        return hook(question);
    return QMessageBox::question(this, "Skyvane", QString::fromUtf8(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MinorBodyManager::accept() {
    if (m_done)
        return;
    m_done = true;
    const std::size_t plotted = m_model.exit();
    const auto askUser = [this](std::string_view question) {
        return this->ask(std::string(question).c_str());
    };
    const chart::SelectionOutcome outcome =
        m_model.kind() == Kind::Asteroids ? chart::FinishAsteroidManager(m_state, plotted, askUser)
                                          : chart::FinishCometManager(m_state, plotted, askUser);
    m_app.selectionsChanged();
    if (!outcome.message.empty())
        showMessage(this, q(outcome.message));
    QDialog::accept();
}

void MinorBodyManager::reject() {
    accept();
}

void MinorBodyManager::keyPressEvent(QKeyEvent* event) {
    // Escape is the labels button's key in the asteroid manager.
    if (event->key() == Qt::Key_Escape && m_model.kind() == Kind::Asteroids) {
        labels();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace app
