#include "app/TimeDialogs.h"

#include "app/Dialogs.h"
#include "chart/SkyChart.h"
#include "chart/TimeDialogs.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

constexpr int kRefreshMs = 1000;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// One field with its up-down control and the unit after it.
QHBoxLayout* fieldWithUnit(QWidget* parent, UpDownField* field, const char* unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(new QLabel(unit, parent));
    row->addStretch();
    return row;
}

} // namespace

UpDownField::UpDownField(QWidget* parent, int minimum, int maximum)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum) {
    const QString widest =
        QString::number(std::abs(minimum) > std::abs(maximum) ? minimum : maximum);
    setMinimumWidth(fontMetrics().horizontalAdvance(widest + "00") + 24);
}

void UpDownField::setText(const QString& text) {
    lineEdit()->setText(text);
}

void UpDownField::stepBy(int steps) {
    const int start = std::clamp(chart::decimalInteger(text().toStdString()), m_minimum, m_maximum);
    const long long next = static_cast<long long>(start) + steps;
    setText(QString::number(std::clamp<long long>(next, m_minimum, m_maximum)));
}

QAbstractSpinBox::StepEnabled UpDownField::stepEnabled() const {
    const int v = chart::decimalInteger(text().toStdString());
    StepEnabled enabled = StepNone;
    if (v < m_maximum)
        enabled |= StepUpEnabled;
    if (v > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

PaceDialog::PaceDialog(QWidget* parent, chart::PaceDialogModel& model)
    : QDialog(parent), m_model(model),
      m_field(new UpDownField(this, chart::PaceDialogModel::kMin, chart::PaceDialogModel::kMax)) {
    setWindowTitle(chart::PaceDialogModel::kTitle);
    adorn(this);
    m_field->setText(q(model.text()));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldWithUnit(this, m_field, chart::PaceDialogModel::kUnit));
    layout->addWidget(okCancel(this));
    m_field->selectAll();
}

void PaceDialog::accept() {
    if (refuse(this, m_model.validate(m_field->text().toStdString()), m_field))
        return;
    QDialog::accept();
}

UpdatePeriodDialog::UpdatePeriodDialog(QWidget* parent, chart::UpdatePeriodDialogModel& model)
    : QDialog(parent), m_model(model),
      m_field(new UpDownField(this, chart::UpdatePeriodDialogModel::kMin,
                              chart::UpdatePeriodDialogModel::kMax)) {
    setWindowTitle(chart::UpdatePeriodDialogModel::kTitle);
    adorn(this);
    m_field->setText(q(model.text()));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldWithUnit(this, m_field, chart::UpdatePeriodDialogModel::kUnit));
    layout->addWidget(okCancel(this));
    m_field->selectAll();
}

void UpdatePeriodDialog::accept() {
    if (refuse(this, m_model.validate(m_field->text().toStdString()), m_field))
        return;
    QDialog::accept();
}

TimeSpecifyingDialog::TimeSpecifyingDialog(QWidget* parent, chart::TimeSpecifyingDialogModel& model,
                                           chart::ChartClock& clock)
    : QDialog(parent), m_model(model), m_clock(clock), m_current(new QLabel(this)),
      m_computer(new QLabel(this)), m_date(new QDateEdit(this)),
      m_hour(new UpDownField(this, 0, chart::TimeSpecifyingDialogModel::kHourMax)),
      m_minute(new UpDownField(this, 0, chart::TimeSpecifyingDialogModel::kMinuteMax)),
      m_second(new UpDownField(this, 0, chart::TimeSpecifyingDialogModel::kSecondMax)),
      m_daylight(new QCheckBox(chart::TimeSpecifyingDialogModel::kDaylightLabel, this)),
      m_now(new QPushButton(chart::TimeSpecifyingDialogModel::kNowButton, this)),
      m_pace(new QPushButton(chart::TimeSpecifyingDialogModel::kPaceButton, this)),
      m_refresh(new QTimer(this)) {
    using Model = chart::TimeSpecifyingDialogModel;
    setWindowTitle(Model::kTitle);
    adorn(this);

    auto* layout = new QVBoxLayout(this);
    auto* readouts = new QGridLayout;
    readouts->addWidget(new QLabel(Model::kCurrentLabel, this), 0, 0);
    readouts->addWidget(m_current, 0, 1);
    readouts->addWidget(new QLabel(Model::kComputerLabel, this), 1, 0);
    readouts->addWidget(m_computer, 1, 1);
    layout->addLayout(readouts);

    auto* group = new QGroupBox(Model::kGroup, this);
    auto* groupLayout = new QVBoxLayout(group);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("MM/dd/yyyy");
    m_date->setDateRange(QDate(astro::DateTime::kMinYear, 1, 1),
                         QDate(astro::DateTime::kMaxYear, 12, 31));
    groupLayout->addWidget(m_date);
    auto* time = new QHBoxLayout;
    time->addWidget(m_hour);
    time->addWidget(new QLabel(":", group));
    time->addWidget(m_minute);
    time->addWidget(new QLabel(":", group));
    time->addWidget(m_second);
    time->addStretch();
    groupLayout->addLayout(time);
    groupLayout->addWidget(m_daylight);
    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addWidget(m_now);
    buttonsRow->addWidget(m_pace);
    buttonsRow->addStretch();
    groupLayout->addLayout(buttonsRow);
    layout->addWidget(group);
    layout->addWidget(okCancel(this));

    showFields();
    m_daylight->setChecked(model.daylightSaving);
    // The picker's date is the dialog's date from the moment it changes.
    connect(m_date, &QDateEdit::dateChanged, this,
            [this](QDate d) { m_model.setDate(d.year(), d.month(), d.day()); });
    connect(m_now, &QPushButton::clicked, this, [this] { now(); });
    connect(m_pace, &QPushButton::clicked, this, [this] { pace(); });

    refreshReadouts();
    connect(m_refresh, &QTimer::timeout, this, [this] { refreshReadouts(); });
    m_refresh->start(kRefreshMs);
}

void TimeSpecifyingDialog::refreshReadouts() {
    m_current->setText(q(chart::TimeSpecifyingDialogModel::currentText(m_clock)));
    m_computer->setText(
        q(chart::TimeSpecifyingDialogModel::computerText(chart::computerLocalTime())));
}

void TimeSpecifyingDialog::showFields() {
    m_date->setDate(QDate(m_model.year, m_model.month, m_model.day));
    m_hour->setText(q(m_model.hourText));
    m_minute->setText(q(m_model.minuteText));
    m_second->setText(q(m_model.secondText));
}

void TimeSpecifyingDialog::takeFields() {
    const QDate d = m_date->date();
    m_model.setDate(d.year(), d.month(), d.day());
    m_model.hourText = m_hour->text().toStdString();
    m_model.minuteText = m_minute->text().toStdString();
    m_model.secondText = m_second->text().toStdString();
    m_model.daylightSaving = m_daylight->isChecked();
}

void TimeSpecifyingDialog::now() {
    takeFields();
    m_model.now(chart::computerLocalTime());
    showFields();
}

void TimeSpecifyingDialog::pace() {
    chart::PaceDialogModel model(m_clock);
    if (PaceDialog(this, model).exec() == QDialog::Accepted)
        model.apply(m_clock);
}

void TimeSpecifyingDialog::accept() {
    takeFields();
    if (const auto message = m_model.validate()) {
        showMessage(this, q(*message));
        using Model = chart::TimeSpecifyingDialogModel;
        UpDownField* field = *message == Model::kHourMessage     ? m_hour
                             : *message == Model::kMinuteMessage ? m_minute
                                                                 : m_second;
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}

void runTimeSpecifying(QWidget* parent, chart::SkyChart& chart) {
    chart::TimeSpecifyingDialogModel model(chart.clock);
    TimeSpecifyingDialog dialog(parent, model, chart.clock);
    if (dialog.exec() != QDialog::Accepted)
        return;
    model.apply(chart.clock);
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();
}

void runPace(QWidget* parent, chart::SkyChart& chart) {
    chart::PaceDialogModel model(chart.clock);
    if (PaceDialog(parent, model).exec() == QDialog::Accepted)
        model.apply(chart.clock);
}

void runUpdatePeriod(QWidget* parent, chart::SkyChart& chart, QTimer& updateTimer) {
    chart::UpdatePeriodDialogModel model(chart.clock);
    if (UpdatePeriodDialog(parent, model).exec() == QDialog::Accepted)
        model.apply(chart.clock);
    updateTimer.stop();
    updateTimer.start(std::max(0, static_cast<int>(chart.clock.UpdatePeriod)));
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();
}

} // namespace app
