#include "app/DeepSkyDialog.h"

#include "app/Dialogs.h"
#include "app/ObjectDialogs.h"
#include "app/SkyvaneApp.h"
#include "chart/ChartViewState.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace app {

namespace {

using Model = catalog::DsoDialogModel;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* edit(QWidget* parent, int width) {
    auto* e = new QLineEdit(parent);
    e->setFixedWidth(width);
    return e;
}

} // namespace

DsoDialog::DsoDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state)
    : QDialog(parent), m_app(app), m_state(state), m_model(app.deepSkySelection),
      m_sizeFilter(new QCheckBox(Model::kSizeFilter, this)), m_size(edit(this, 60)),
      m_magnitudeFilter(new QCheckBox(Model::kMagnitudeFilter, this)), m_magnitude(edit(this, 60)),
      m_areaFilter(new QCheckBox(Model::kAreaFilter, this)),
      m_equatorialForm(new QRadioButton(Model::kRa, this)),
      m_horizontalForm(new QRadioButton(Model::kAz, this)), m_raHours(edit(this, 40)),
      m_raMinutes(edit(this, 50)), m_dec(edit(this, 60)), m_azDegrees(edit(this, 40)),
      m_azMinutes(edit(this, 50)), m_alt(edit(this, 60)), m_radius(edit(this, 60)),
      m_setTarget(new QPushButton(Model::kSetTarget, this)),
      m_setZenith(new QPushButton(Model::kSetZenith, this)) {
    setWindowTitle(Model::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);

    // Selection mode and the type switches.
    auto* selection = new QGroupBox(this);
    auto* selectionLayout = new QVBoxLayout(selection);
    auto* modeRow = new QHBoxLayout;
    auto* modeGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        m_modes[i] = new QRadioButton(Model::kModes[i], selection);
        modeGroup->addButton(m_modes[i]);
        modeRow->addWidget(m_modes[i]);
    }
    modeRow->addStretch();
    selectionLayout->addLayout(modeRow);
    auto* typeGrid = new QGridLayout;
    const int rows = static_cast<int>((m_types.size() + 1) / 2);
    for (std::size_t i = 0; i < m_types.size(); ++i) {
        m_types[i] = new QCheckBox(Model::kTypeTexts[i], selection);
        const int index = static_cast<int>(i);
        typeGrid->addWidget(m_types[i], index % rows, index / rows);
    }
    selectionLayout->addLayout(typeGrid);
    layout->addWidget(selection);

    // The size and magnitude filters.
    auto* filters = new QGridLayout;
    filters->addWidget(m_sizeFilter, 0, 0);
    filters->addWidget(new QLabel(Model::kLargerThan, this), 0, 1);
    filters->addWidget(m_size, 0, 2);
    filters->addWidget(new QLabel("'", this), 0, 3);
    filters->addWidget(m_magnitudeFilter, 1, 0);
    filters->addWidget(new QLabel(Model::kBrighterThan, this), 1, 1);
    filters->addWidget(m_magnitude, 1, 2);
    filters->setColumnStretch(4, 1);
    layout->addLayout(filters);

    // The area filter: the centre as RA/Dec or Az/Alt, and the radius.
    const QString degree = QString::fromUtf8("°");
    layout->addWidget(m_areaFilter);
    auto* area = new QGridLayout;
    area->addWidget(new QLabel(Model::kTarget, this), 0, 0);
    auto* formGroup = new QButtonGroup(this);
    formGroup->addButton(m_equatorialForm);
    formGroup->addButton(m_horizontalForm);
    auto* raRow = new QHBoxLayout;
    raRow->addWidget(m_equatorialForm);
    raRow->addWidget(m_raHours);
    raRow->addWidget(new QLabel("h", this));
    raRow->addWidget(m_raMinutes);
    raRow->addWidget(new QLabel("m", this));
    raRow->addSpacing(12);
    raRow->addWidget(new QLabel(Model::kDec, this));
    raRow->addWidget(m_dec);
    raRow->addWidget(new QLabel(degree, this));
    raRow->addStretch();
    area->addLayout(raRow, 0, 1);
    auto* azRow = new QHBoxLayout;
    azRow->addWidget(m_horizontalForm);
    azRow->addWidget(m_azDegrees);
    azRow->addWidget(new QLabel(degree, this));
    azRow->addWidget(m_azMinutes);
    azRow->addWidget(new QLabel("'", this));
    azRow->addSpacing(12);
    azRow->addWidget(new QLabel(Model::kAlt, this));
    azRow->addWidget(m_alt);
    azRow->addWidget(new QLabel(degree, this));
    azRow->addStretch();
    area->addLayout(azRow, 1, 1);
    auto* radiusRow = new QHBoxLayout;
    radiusRow->addWidget(new QLabel(Model::kRadius, this));
    radiusRow->addWidget(m_radius);
    radiusRow->addWidget(new QLabel(degree, this));
    radiusRow->addStretch();
    radiusRow->addWidget(m_setTarget);
    radiusRow->addWidget(m_setZenith);
    area->addLayout(radiusRow, 2, 1);
    layout->addLayout(area);

    auto* labels = new QPushButton(Model::kLabels, this);
    QDialogButtonBox* buttons = okCancel(this);
    buttons->addButton(labels, QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    showFields();

    auto changed = [this] {
        readFields();
        updateEnabled();
    };
    for (QRadioButton* b : m_modes)
        connect(b, &QRadioButton::toggled, this, changed);
    for (QCheckBox* box : {m_sizeFilter, m_magnitudeFilter, m_areaFilter})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(m_equatorialForm, &QRadioButton::toggled, this, changed);
    connect(m_setTarget, &QPushButton::clicked, this, [this] {
        readFields();
        m_model.setCurrentTarget(m_state.chart);
        showFields();
    });
    connect(m_setZenith, &QPushButton::clicked, this, [this] {
        readFields();
        m_model.setCurrentZenith(m_state.chart);
        showFields();
    });
    connect(labels, &QPushButton::clicked, this, &DsoDialog::openLabels);
}

void DsoDialog::readFields() {
    for (std::size_t i = 0; i < m_modes.size(); ++i)
        if (m_modes[i]->isChecked())
            m_model.mode = static_cast<int>(i) + 1;
    for (std::size_t i = 0; i < m_types.size(); ++i)
        m_model.types[i] = m_types[i]->isChecked();
    m_model.sizeFilter = m_sizeFilter->isChecked();
    m_model.sizeText = m_size->text().toStdString();
    m_model.magnitudeFilter = m_magnitudeFilter->isChecked();
    m_model.magnitudeText = m_magnitude->text().toStdString();
    m_model.areaFilter = m_areaFilter->isChecked();
    m_model.areaForm =
        m_horizontalForm->isChecked() ? Model::AreaForm::Horizontal : Model::AreaForm::Equatorial;
    m_model.raHoursText = m_raHours->text().toStdString();
    m_model.raMinutesText = m_raMinutes->text().toStdString();
    m_model.decText = m_dec->text().toStdString();
    m_model.azDegreesText = m_azDegrees->text().toStdString();
    m_model.azMinutesText = m_azMinutes->text().toStdString();
    m_model.altText = m_alt->text().toStdString();
    m_model.radiusText = m_radius->text().toStdString();
}

void DsoDialog::showFields() {
    // Setting the boxes fires their signals, which read the fields back: fill the texts first.
    m_size->setText(q(m_model.sizeText));
    m_magnitude->setText(q(m_model.magnitudeText));
    m_raHours->setText(q(m_model.raHoursText));
    m_raMinutes->setText(q(m_model.raMinutesText));
    m_dec->setText(q(m_model.decText));
    m_azDegrees->setText(q(m_model.azDegreesText));
    m_azMinutes->setText(q(m_model.azMinutesText));
    m_alt->setText(q(m_model.altText));
    m_radius->setText(q(m_model.radiusText));
    const Model copy = m_model;
    for (std::size_t i = 0; i < m_types.size(); ++i)
        m_types[i]->setChecked(copy.types[i]);
    m_sizeFilter->setChecked(copy.sizeFilter);
    m_magnitudeFilter->setChecked(copy.magnitudeFilter);
    m_areaFilter->setChecked(copy.areaFilter);
    (copy.areaForm == Model::AreaForm::Horizontal ? m_horizontalForm : m_equatorialForm)
        ->setChecked(true);
    m_modes.at(static_cast<std::size_t>(copy.mode - 1))->setChecked(true);
    m_model = copy;
    updateEnabled();
}

void DsoDialog::updateEnabled() {
    for (QCheckBox* box : m_types)
        box->setEnabled(m_model.typesEnabled());
    m_size->setEnabled(m_model.sizeFieldEnabled());
    m_magnitude->setEnabled(m_model.magnitudeFieldEnabled());
    const bool area = m_model.areaControlsEnabled();
    for (QWidget* w : {static_cast<QWidget*>(m_equatorialForm),
                       static_cast<QWidget*>(m_horizontalForm), static_cast<QWidget*>(m_radius),
                       static_cast<QWidget*>(m_setTarget), static_cast<QWidget*>(m_setZenith)})
        w->setEnabled(area);
    for (QLineEdit* e : {m_raHours, m_raMinutes, m_dec})
        e->setEnabled(m_model.equatorialFieldsEnabled());
    for (QLineEdit* e : {m_azDegrees, m_azMinutes, m_alt})
        e->setEnabled(m_model.horizontalFieldsEnabled());
}

QLineEdit* DsoDialog::fieldOf(Model::Field field) const {
    switch (field) {
    case Model::Field::Size:
        return m_size;
    case Model::Field::Magnitude:
        return m_magnitude;
    case Model::Field::RaHours:
        return m_raHours;
    case Model::Field::RaMinutes:
        return m_raMinutes;
    case Model::Field::Dec:
        return m_dec;
    case Model::Field::AzDegrees:
        return m_azDegrees;
    case Model::Field::AzMinutes:
        return m_azMinutes;
    case Model::Field::Alt:
        return m_alt;
    case Model::Field::Radius:
        return m_radius;
    }
    return nullptr;
}

void DsoDialog::openLabels() {
    chart::DeepSkyLabelsDialogModel labels =
        m_labels ? *m_labels : chart::DeepSkyLabelsDialogModel(m_state.chart.settings);
    if (DeepSkyLabelsDialog(this, labels).exec() == QDialog::Accepted)
        m_labels = labels;
}

void DsoDialog::accept() {
    readFields();
    if (const auto refusal = m_model.validate()) {
        showMessage(this, q(refusal->message));
        if (QLineEdit* field = fieldOf(refusal->field)) {
            field->setFocus();
            field->selectAll();
        }
        return;
    }
    m_app.deepSkySelection = m_model.accept(m_state.chart.frames());
    m_app.applyDeepSkySelection();
    if (m_labels)
        chart::ApplyDeepSkyLabels(m_state, *m_labels);
    chart::AskYesNo ask = m_ask;
    if (!ask)
        ask = [this](std::string_view question) {
            return QMessageBox::question(this, "Skyvane", q(std::string(question)),
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        };
    const chart::SelectionOutcome outcome =
        chart::FinishDeepSkyManage(m_state, m_app.catalogues().deepSky.selectedCount(), ask);
    m_app.selectionsChanged();
    if (outcome.redraw && m_state.chart.invalidate)
        m_state.chart.invalidate();
    QDialog::accept();
}

} // namespace app
