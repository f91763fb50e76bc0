#include "app/SearchDialogs.h"

#include "app/DeepSkyDialog.h"
#include "app/Dialogs.h"
#include "app/MinorBodyDialogs.h"
#include "app/PropertiesDialog.h"
#include "app/SkyvaneApp.h"
#include "chart/ChartViewState.h"
#include "chart/Navigation.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* button(const char* text, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    // Return in a find field finds; it never ends the dialog.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QLineEdit* field(const std::string& text, QWidget* parent, int width) {
    auto* f = new QLineEdit(q(text), parent);
    f->setFixedWidth(width);
    return f;
}

QComboBox* choiceBox(QWidget* parent, const std::vector<std::string>& items) {
    auto* box = new QComboBox(parent);
    for (const std::string& item : items)
        box->addItem(q(item));
    box->setMaxVisibleItems(20);
    return box;
}

} // namespace

// ---- the list dialogs

SearchListDialog::SearchListDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                                   std::unique_ptr<catalog::SearchListModel> model, bool withInfo)
    : QDialog(parent), m_app(app), m_state(state), m_model(std::move(model)),
      m_findArea(new QVBoxLayout), m_filter(new QLineEdit(this)), m_table(new QTableWidget(this)),
      m_buttons(new QHBoxLayout), m_goto(button("&Goto", this)) {
    setWindowTitle(q(m_model->title()));
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_findArea);

    m_filter->setObjectName("filterBox");
    m_filter->setPlaceholderText("Type to filter the list");
    m_filter->setClearButtonEnabled(true);
    layout->addWidget(m_filter);

    // A report-style list: full rows, one selected at a time, the model's column widths.
    const auto columns = m_model->columns();
    m_table->setColumnCount(static_cast<int>(columns.size()));
    QStringList titles;
    int width = 0;
    for (const auto& column : columns) {
        titles << QString::fromUtf8(column.title);
        width += column.width;
    }
    m_table->setHorizontalHeaderLabels(titles);
    for (std::size_t i = 0; i < columns.size(); ++i)
        m_table->setColumnWidth(static_cast<int>(i), columns[i].width);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setShowGrid(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->setMinimumWidth(width + 2 * m_table->frameWidth() +
                             m_table->verticalScrollBar()->sizeHint().width());
    m_table->setMinimumHeight(280);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_table, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_goto);
    if (withInfo) {
        m_info = button("&Info...", this);
        bottom->addWidget(m_info);
        connect(m_info, &QPushButton::clicked, this, [this] { showInfo(m_model->choose()); });
        connect(m_table, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { rowClicked(at); });
    }
    bottom->addLayout(m_buttons);
    bottom->addStretch();
    QPushButton* cancel = button("Cancel", this);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    connect(m_goto, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model->setFilter(text.toStdString());
        fillTable();
    });
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    // A double click on a row goes to its object.
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    fillTable();
}

void SearchListDialog::fillTable() {
    m_filling = true;
    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    const std::size_t count = m_model->visibleCount();
    m_table->setRowCount(static_cast<int>(count));
    const std::size_t columns = static_cast<std::size_t>(m_table->columnCount());
    for (std::size_t v = 0; v < count; ++v) {
        const std::vector<std::string>& cells = m_model->visibleRow(v).cells;
        for (std::size_t c = 0; c < columns && c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(q(cells[c]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_table->setItem(static_cast<int>(v), static_cast<int>(c), item);
        }
    }
    m_table->clearSelection();
    if (const auto selected = m_model->selected())
        m_table->selectRow(static_cast<int>(*selected));
    m_table->setUpdatesEnabled(true);
    m_filling = false;
}

void SearchListDialog::selectionChanged() {
    if (m_filling)
        return;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        m_model->select(std::nullopt);
    else
        m_model->select(static_cast<std::size_t>(rows.front().row()));
}

void SearchListDialog::showFound(const catalog::SearchFindResult& found) {
    if (!found.found()) {
        showMessage(this, q(found.message));
        return;
    }
    if (found.filterCleared) {
        const QSignalBlocker quiet(m_filter);
        m_filter->clear();
        fillTable();
    }
    const int row = static_cast<int>(*found.row);
    m_filling = true;
    m_table->selectRow(row);
    m_filling = false;
    m_table->scrollToItem(m_table->item(row, 0), QAbstractItemView::PositionAtCenter);
    m_table->setFocus(Qt::OtherFocusReason);
}

void SearchListDialog::showInfo(const catalog::SearchChoice& choice) {
    if (!choice.ok()) {
        showMessage(this, q(choice.message));
        return;
    }
    if (!choice.object)
        return;
    catalog::ComputeForInfo(*choice.object, m_state.chart.MakeObservationParams());
    runPropertiesDialog(this, m_app, m_state, *choice.object);
}

void SearchListDialog::rowClicked(const QPoint& at) {
    const int row = m_table->rowAt(at.y());
    if (row < 0)
        return;
    const catalog::SearchChoice choice = m_model->chooseRow(static_cast<std::size_t>(row));
    m_filling = true;
    m_table->selectRow(row);
    m_filling = false;
    showInfo(choice);
}

void SearchListDialog::accept() {
    const catalog::SearchChoice choice = m_model->choose();
    if (!choice.ok()) {
        showMessage(this, q(choice.message));
        return;
    }
    m_choice = choice;
    QDialog::accept();
}

ConstellationSearchDialog::ConstellationSearchDialog(QWidget* parent, SkyvaneApp& app,
                                                     chart::ChartViewState& state)
    : SearchListDialog(
          parent, app, state,
          std::make_unique<catalog::ConstellationSearchModel>(app.catalogues().constellations),
          false) {}

BodySearchDialog::BodySearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state)
    : SearchListDialog(parent, app, state,
                       std::make_unique<catalog::BodySearchModel>(state.chart.solarSystem,
                                                                  &app.catalogues().constellations),
                       true) {}

namespace {

std::unique_ptr<catalog::SearchListModel> minorBodyModel(SkyvaneApp& app,
                                                         MinorBodySearchDialog::Kind kind) {
    if (kind == MinorBodySearchDialog::Kind::Asteroids)
        return std::make_unique<catalog::AsteroidSearchModel>(app.asteroids);
    return std::make_unique<catalog::CometSearchModel>(app.comets);
}

} // namespace

MinorBodySearchDialog::MinorBodySearchDialog(QWidget* parent, SkyvaneApp& app,
                                             chart::ChartViewState& state, Kind kind)
    : SearchListDialog(parent, app, state, minorBodyModel(app, kind), true), m_kind(kind),
      m_onlySelected(new QCheckBox(kind == Kind::Asteroids
                                       ? catalog::AsteroidSearchModel::kOnlySelected
                                       : catalog::CometSearchModel::kOnlySelected,
                                   this)),
      m_name(field("", this, 200)), m_findName(button("Find by name", this)),
      m_manage(button("&Manage...", this)) {
    const bool asteroids = kind == Kind::Asteroids;
    if (asteroids)
        m_asteroids = static_cast<catalog::AsteroidSearchModel*>(&listModel());
    else
        m_comets = static_cast<catalog::CometSearchModel*>(&listModel());

    findArea()->addWidget(m_onlySelected);
    auto* finds = new QGridLayout;
    if (asteroids) {
        m_number = field(catalog::AsteroidSearchModel::kInitialNumber, this, 80);
        m_findNumber = button("Find by number", this);
        finds->addWidget(m_number, 0, 0, Qt::AlignLeft);
        finds->addWidget(m_findNumber, 0, 1);
        connect(m_findNumber, &QPushButton::clicked, this,
                [this] { showFound(m_asteroids->findNumber(m_number->text().toStdString())); });
        connect(m_number, &QLineEdit::returnPressed, m_findNumber, &QPushButton::click);
    }
    finds->addWidget(m_name, 1, 0);
    finds->addWidget(m_findName, 1, 1);
    finds->setColumnStretch(2, 1);
    findArea()->addLayout(finds);
    buttonRow()->addWidget(m_manage);

    m_onlySelected->setChecked(asteroids ? m_asteroids->onlySelected() : m_comets->onlySelected());
    connect(m_onlySelected, &QCheckBox::toggled, this, [this](bool on) { setOnlySelected(on); });
    connect(m_findName, &QPushButton::clicked, this, [this] {
        const std::string name = m_name->text().toStdString();
        showFound(m_asteroids ? m_asteroids->findName(name) : m_comets->findName(name));
    });
    connect(m_name, &QLineEdit::returnPressed, m_findName, &QPushButton::click);
    connect(m_manage, &QPushButton::clicked, this, [this] { manage(); });
}

void MinorBodySearchDialog::setOnlySelected(bool on) {
    if (m_asteroids)
        m_asteroids->setOnlySelected(on);
    else
        m_comets->setOnlySelected(on);
    fillTable();
}

void MinorBodySearchDialog::manage() {
    if (m_kind == Kind::Asteroids)
        AsteroidsDialog(this, m_app, m_state).exec();
    else
        CometsDialog(this, m_app, m_state).exec();
    // The manager may have loaded another catalogue or changed what is plotted.
    if (m_asteroids)
        m_asteroids->refresh();
    else
        m_comets->refresh();
    fillTable();
}

// ---- "Find deep sky object"

DeepSkySearchDialog::DeepSkySearchDialog(QWidget* parent, SkyvaneApp& app,
                                         chart::ChartViewState& state)
    : SearchListDialog(parent, app, state,
                       std::make_unique<catalog::DeepSkySearchModel>(
                           app.catalogues().deepSky, &app.catalogues().constellations,
                           state.chart.settings.plotDeepSky != 0),
                       true),
      m_model(static_cast<catalog::DeepSkySearchModel*>(&listModel())),
      m_onlySelected(new QCheckBox(catalog::DeepSkySearchModel::kOnlySelected, this)),
      m_ngc(field("", this, 80)), m_findNgc(button("Find", this)),
      m_messier(field(catalog::DeepSkySearchModel::kInitialMessier, this, 80)),
      m_findMessier(button("Find", this)), m_commonName(new QComboBox(this)),
      m_findCommonName(button("Find", this)), m_image(button("Image...", this)),
      m_manage(button("&Manage...", this)) {
    using Model = catalog::DeepSkySearchModel;
    findArea()->addWidget(m_onlySelected);
    auto* finds = new QGridLayout;
    finds->addWidget(new QLabel(Model::kColumns[0].title, this), 0, 0);
    finds->addWidget(m_ngc, 0, 1);
    finds->addWidget(m_findNgc, 0, 2);
    finds->addWidget(new QLabel(Model::kColumns[1].title, this), 0, 3);
    finds->addWidget(m_messier, 0, 4);
    finds->addWidget(m_findMessier, 0, 5);
    finds->setColumnStretch(6, 1);
    finds->addWidget(new QLabel(Model::kColumns[4].title, this), 1, 0);
    finds->addWidget(m_commonName, 1, 1, 1, 5);
    finds->addWidget(m_findCommonName, 1, 6, Qt::AlignLeft);
    findArea()->addLayout(finds);
    m_commonName->setMaxVisibleItems(20);
    m_commonName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_commonName->setMinimumContentsLength(28);
    buttonRow()->addWidget(m_image);
    buttonRow()->addWidget(m_manage);

    m_onlySelected->setChecked(m_model->onlySelected());
    fillCommonNames();

    connect(m_onlySelected, &QCheckBox::toggled, this, [this](bool on) {
        m_model->setOnlySelected(on);
        modeChanged();
    });
    connect(m_findNgc, &QPushButton::clicked, this,
            [this] { showFound(m_model->findNgc(m_ngc->text().trimmed().toStdString())); });
    connect(m_ngc, &QLineEdit::returnPressed, m_findNgc, &QPushButton::click);
    connect(m_findMessier, &QPushButton::clicked, this,
            [this] { showFound(m_model->findMessier(m_messier->text().toStdString())); });
    connect(m_messier, &QLineEdit::returnPressed, m_findMessier, &QPushButton::click);
    // Choosing a common name finds its object at once.
    connect(m_commonName, &QComboBox::activated, this, [this](int entry) {
        showFound(m_model->findCommonName(static_cast<std::size_t>(entry)));
    });
    connect(m_findCommonName, &QPushButton::clicked, this, [this] {
        const int entry = m_commonName->currentIndex();
        showFound(entry >= 0 ? m_model->findCommonName(static_cast<std::size_t>(entry))
                             : m_model->findCommonName(std::string_view()));
    });
    connect(m_image, &QPushButton::clicked, this, [this] { showImage(); });
    connect(m_manage, &QPushButton::clicked, this, [this] { manage(); });
}

void DeepSkySearchDialog::modeChanged() {
    setWindowTitle(q(m_model->title()));
    fillCommonNames();
    fillTable();
}

void DeepSkySearchDialog::fillCommonNames() {
    const QSignalBlocker quiet(m_commonName);
    m_commonName->clear();
    for (const std::string& name : m_model->commonNames())
        m_commonName->addItem(q(name));
    m_commonName->setCurrentIndex(-1);
}

void DeepSkySearchDialog::showImage() {
    const catalog::SearchChoice choice = m_model->image();
    if (!choice.ok()) {
        showMessage(this, q(choice.message));
        return;
    }
    showDsoImage(this, &m_app.catalogues().deepSky, *choice.object,
                 m_app.dataFolder() / catalog::DsoCatalog::kImagesFolder, m_openPage);
}

void DeepSkySearchDialog::manage() {
    DsoDialog(this, m_app, m_state).exec();
    // The selection, and whether the chart plots it, may have changed.
    m_model->refresh(m_state.chart.settings.plotDeepSky != 0);
    fillCommonNames();
    fillTable();
}

// ---- "Search Star"

StarSearchDialog::StarSearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state)
    : QDialog(parent), m_app(app), m_state(state),
      m_model(app.catalogues().stars, app.catalogues().constellations),
      m_properName(choiceBox(this, m_model.properNames())), m_letter(new QComboBox(this)),
      m_bayerConstellation(choiceBox(this, m_model.constellationNames())),
      m_useIndex(new QCheckBox(catalog::StarSearchModel::kIndexText, this)),
      m_index(field(m_model.indexText, this, 50)),
      m_flamsteed(field(m_model.flamsteedText, this, 50)),
      m_flamsteedConstellation(choiceBox(this, m_model.constellationNames())),
      m_sao(field(m_model.saoText, this, 90)), m_hd(field(m_model.hdText, this, 90)),
      m_goto(button("&Goto", this)), m_info(button("&Info...", this)) {
    using Model = catalog::StarSearchModel;
    setWindowTitle(Model::kTitle);
    adorn(this);

    for (const std::string_view letter : Model::bayerLetters())
        m_letter->addItem(q(letter));
    m_letter->setMaxVisibleItems(24);
    // The proper names are chosen from the list; typing part of one offers the names that
    // hold it.
    m_properName->setEditable(true);
    m_properName->setInsertPolicy(QComboBox::NoInsert);
    m_properName->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_properName->completer()->setFilterMode(Qt::MatchContains);
    m_properName->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    m_properName->setMinimumContentsLength(20);
    m_properName->setCurrentIndex(-1);
    m_tycho = {field(m_model.tyc1Text, this, 60), field(m_model.tyc2Text, this, 60),
               field(m_model.tyc3Text, this, 30)};

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    auto* ways = new QButtonGroup(this);
    for (std::size_t i = 0; i < m_ways.size(); ++i) {
        m_ways[i] = new QRadioButton(Model::kWayTexts[i], this);
        ways->addButton(m_ways[i]);
        grid->addWidget(m_ways[i], static_cast<int>(i), 0);
    }
    auto rowOf = [](std::initializer_list<QWidget*> widgets) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : widgets)
            row->addWidget(w);
        row->addStretch();
        return row;
    };
    auto dash = [this] { return new QLabel("-", this); };
    grid->addLayout(rowOf({m_properName}), 0, 1);
    grid->addLayout(rowOf({m_letter, m_bayerConstellation, m_useIndex, m_index}), 1, 1);
    grid->addLayout(rowOf({m_flamsteed, m_flamsteedConstellation}), 2, 1);
    grid->addLayout(rowOf({m_sao}), 3, 1);
    grid->addLayout(rowOf({m_hd}), 4, 1);
    grid->addLayout(rowOf({m_tycho[0], dash(), m_tycho[1], dash(), m_tycho[2]}), 5, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_goto);
    bottom->addWidget(m_info);
    bottom->addStretch();
    QPushButton* cancel = button("Cancel", this);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    m_ways[static_cast<std::size_t>(m_model.way)]->setChecked(true);
    m_letter->setCurrentIndex(m_model.bayerLetter);
    m_bayerConstellation->setCurrentIndex(m_model.bayerConstellation);
    m_flamsteedConstellation->setCurrentIndex(m_model.flamsteedConstellation);
    m_useIndex->setChecked(m_model.useIndex);
    updateEnabled();

    for (QRadioButton* way : m_ways)
        connect(way, &QRadioButton::toggled, this, [this] {
            readFields();
            updateEnabled();
        });
    connect(m_useIndex, &QCheckBox::toggled, this, [this] {
        readFields();
        updateEnabled();
    });
    connect(m_goto, &QPushButton::clicked, this, [this] { accept(); });
    connect(m_info, &QPushButton::clicked, this, [this] { info(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void StarSearchDialog::readFields() {
    for (std::size_t i = 0; i < m_ways.size(); ++i)
        if (m_ways[i]->isChecked())
            m_model.way = static_cast<Way>(i);
    m_model.properName = m_properName->currentText().toStdString();
    m_model.bayerLetter = std::max(0, m_letter->currentIndex());
    m_model.bayerConstellation = std::max(0, m_bayerConstellation->currentIndex());
    m_model.useIndex = m_useIndex->isChecked();
    m_model.indexText = m_index->text().toStdString();
    m_model.flamsteedText = m_flamsteed->text().toStdString();
    m_model.flamsteedConstellation = std::max(0, m_flamsteedConstellation->currentIndex());
    m_model.saoText = m_sao->text().toStdString();
    m_model.hdText = m_hd->text().toStdString();
    m_model.tyc1Text = m_tycho[0]->text().toStdString();
    m_model.tyc2Text = m_tycho[1]->text().toStdString();
    m_model.tyc3Text = m_tycho[2]->text().toStdString();
}

void StarSearchDialog::updateEnabled() {
    m_properName->setEnabled(m_model.properNameEnabled());
    const bool bayer = m_model.bayerFieldsEnabled();
    m_letter->setEnabled(bayer);
    m_bayerConstellation->setEnabled(bayer);
    m_useIndex->setEnabled(bayer);
    m_index->setEnabled(m_model.indexFieldEnabled());
    m_flamsteed->setEnabled(m_model.flamsteedFieldsEnabled());
    m_flamsteedConstellation->setEnabled(m_model.flamsteedFieldsEnabled());
    m_sao->setEnabled(m_model.saoFieldEnabled());
    m_hd->setEnabled(m_model.hdFieldEnabled());
    for (QLineEdit* part : m_tycho)
        part->setEnabled(m_model.tychoFieldsEnabled());
}

QLineEdit* StarSearchDialog::fieldOf(catalog::StarSearchModel::Field f) const {
    using Field = catalog::StarSearchModel::Field;
    switch (f) {
    case Field::Index:
        return m_index;
    case Field::Flamsteed:
        return m_flamsteed;
    case Field::Sao:
        return m_sao;
    case Field::Hd:
        return m_hd;
    case Field::Tyc1:
        return m_tycho[0];
    case Field::Tyc2:
        return m_tycho[1];
    case Field::Tyc3:
        return m_tycho[2];
    }
    return nullptr;
}

std::optional<catalog::SearchChoice> StarSearchDialog::search() {
    readFields();
    if (const auto refusal = m_model.validate()) {
        QLineEdit* refused = fieldOf(refusal->field);
        refuse(this, refusal->message, refused);
        if (refused)
            refused->selectAll();
        return std::nullopt;
    }
    catalog::SearchChoice choice = m_model.choose();
    if (!choice.ok()) {
        showMessage(this, q(choice.message));
        return std::nullopt;
    }
    return choice;
}

void StarSearchDialog::info() {
    const auto choice = search();
    if (!choice || !choice->object)
        return;
    runPropertiesDialog(this, m_app, m_state, *choice->object);
}

void StarSearchDialog::accept() {
    const auto choice = search();
    if (!choice)
        return;
    m_choice = *choice;
    QDialog::accept();
}

// ---- the Search commands

namespace {

// Centres the chart on what a search dialog chose, asking first when the object is below the
// horizon. True when the target moved.
bool centreOnChoice(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                    const catalog::SearchChoice& choice, const chart::AskYesNo& ask) {
    chart::SkyChart& chart = state.chart;
    if (!choice.object)
        return choice.constellation >= 0 &&
               chart::CentreOnConstellation(chart, app.catalogues().constellations,
                                            static_cast<std::size_t>(choice.constellation));
    astro::SkyPoint& object = *choice.object;
    // A body of the asteroid or comet catalogue stands where it is at the chart's instant.
    catalog::ComputeForInfo(object, chart.MakeObservationParams());
    if (const auto question = chart::GotoQuestion(chart, object)) {
        const bool yes =
            ask ? ask(*question)
                : QMessageBox::question(parent, "Skyvane", q(*question),
                                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        if (!yes)
            return false;
    }
    return chart::CentreOn(chart, object);
}

template <class Dialog, class... Extra>
bool searchWith(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                const chart::AskYesNo& ask, Extra... extra) {
    // The choice may live in the dialog (a star of the Tycho-2 region files): the chart
    // centres while the dialog still exists.
    Dialog dialog(parent, app, state, extra...);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return centreOnChoice(parent, app, state, dialog.choice(), ask);
}

} // namespace

bool runSearch(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state, SearchKind kind,
               const chart::AskYesNo& ask) {
    using Kind = MinorBodySearchDialog::Kind;
    switch (kind) {
    case SearchKind::Constellation:
        return searchWith<ConstellationSearchDialog>(parent, app, state, ask);
    case SearchKind::Star:
        return searchWith<StarSearchDialog>(parent, app, state, ask);
    case SearchKind::Planet:
        return searchWith<BodySearchDialog>(parent, app, state, ask);
    case SearchKind::Asteroid:
        return searchWith<MinorBodySearchDialog>(parent, app, state, ask, Kind::Asteroids);
    case SearchKind::Comet:
        return searchWith<MinorBodySearchDialog>(parent, app, state, ask, Kind::Comets);
    case SearchKind::DeepSky:
        return searchWith<DeepSkySearchDialog>(parent, app, state, ask);
    }
    return false;
}

} // namespace app
