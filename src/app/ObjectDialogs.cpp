#include "app/ObjectDialogs.h"

#include "app/Dialogs.h"
#include "chart/ObjectDialogs.h"
#include "chart/SkyChart.h"
#include "chart/Trails.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace app {

namespace {

QColor toQColor(chart::Colour c) {
    return QColor(c.r, c.g, c.b);
}

chart::Colour fromQColor(const QColor& c) {
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

QFont toQFont(const chart::Font& f) {
    QFont q(QString::fromStdString(f.faceName));
    q.setPixelSize(std::max(1, std::abs(f.height)));
    if (f.weight > 0)
        q.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    q.setItalic(f.italic);
    return q;
}

chart::Font fromQFont(const QFont& q, chart::Font base) {
    base.faceName = q.family().toStdString();
    base.height = q.pixelSize() > 0 ? q.pixelSize() : static_cast<int>(q.pointSizeF() * 96 / 72);
    base.weight = q.weight();
    base.italic = q.italic();
    return base;
}

} // namespace

PlanetsPresentationDialog::PlanetsPresentationDialog(QWidget* parent,
                                                     chart::PlanetsPresentationDialogModel& model)
    : QDialog(parent), m_model(model) {
    setWindowTitle(chart::PlanetsPresentationDialogModel::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const int body : chart::PlanetsPresentationDialogModel::kDialogOrder) {
        const auto i = static_cast<std::size_t>(body);
        m_plot[i] = new QCheckBox(
            QString::fromUtf8(chart::SolarBodyName(body).data(),
                              static_cast<qsizetype>(chart::SolarBodyName(body).size())),
            this);
        m_label[i] = new QCheckBox(chart::PlanetsPresentationDialogModel::kLabelText, this);
        m_plot[i]->setChecked(model.plot[i]);
        m_label[i]->setChecked(model.label[i]);
        grid->addWidget(m_plot[i], row, 0);
        grid->addWidget(m_label[i], row, 1);
        ++row;
    }
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));
}

void PlanetsPresentationDialog::accept() {
    for (std::size_t i = 0; i < m_plot.size(); ++i) {
        if (m_plot[i]) {
            m_model.plot[i] = m_plot[i]->isChecked();
            m_model.label[i] = m_label[i]->isChecked();
        }
    }
    QDialog::accept();
}

AsteroidLabelsDialog::AsteroidLabelsDialog(QWidget* parent, chart::AsteroidLabelsDialogModel& model)
    : QDialog(parent), m_model(model),
      m_draw(new QCheckBox(chart::AsteroidLabelsDialogModel::kDrawLabels, this)) {
    setWindowTitle(chart::AsteroidLabelsDialogModel::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_draw);
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        m_choices[i] = new QRadioButton(chart::AsteroidLabelsDialogModel::kChoices[i], this);
        m_choices[i]->setChecked(model.choice == static_cast<int>(i));
        layout->addWidget(m_choices[i]);
    }
    layout->addWidget(okCancel(this));
    auto enable = [this](bool on) {
        for (QRadioButton* b : m_choices)
            b->setEnabled(on);
    };
    m_draw->setChecked(model.drawLabels);
    enable(model.drawLabels);
    connect(m_draw, &QCheckBox::toggled, this, enable);
}

void AsteroidLabelsDialog::accept() {
    m_model.drawLabels = m_draw->isChecked();
    for (std::size_t i = 0; i < m_choices.size(); ++i)
        if (m_choices[i]->isChecked())
            m_model.choice = static_cast<int>(i);
    QDialog::accept();
}

DeepSkyLabelsDialog::DeepSkyLabelsDialog(QWidget* parent, chart::DeepSkyLabelsDialogModel& model)
    : QDialog(parent), m_model(model),
      m_draw(new QCheckBox(chart::DeepSkyLabelsDialogModel::kDrawLabels, this)),
      m_limit(new QLineEdit(QString::fromStdString(model.limitText), this)) {
    setWindowTitle(chart::DeepSkyLabelsDialogModel::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_draw);
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        m_choices[i] = new QRadioButton(chart::DeepSkyLabelsDialogModel::kChoices[i], this);
        m_choices[i]->setChecked(model.choice == static_cast<int>(i));
        layout->addWidget(m_choices[i]);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(chart::DeepSkyLabelsDialogModel::kLimitLabel, this));
    row->addWidget(m_limit);
    layout->addLayout(row);
    layout->addWidget(okCancel(this));
    auto enable = [this](bool on) {
        for (QRadioButton* b : m_choices)
            b->setEnabled(on);
    };
    m_draw->setChecked(model.drawLabels);
    enable(model.drawLabels);
    connect(m_draw, &QCheckBox::toggled, this, enable);
}

void DeepSkyLabelsDialog::accept() {
    m_model.drawLabels = m_draw->isChecked();
    for (std::size_t i = 0; i < m_choices.size(); ++i)
        if (m_choices[i]->isChecked())
            m_model.choice = static_cast<int>(i);
    m_model.limitText = m_limit->text().toStdString();
    if (refuse(this, m_model.validate(), m_limit))
        return;
    QDialog::accept();
}

namespace {

QSpinBox* spin(QWidget* parent, chart::TrailDialogModel::Range range, int value) {
    auto* s = new QSpinBox(parent);
    s->setRange(range.low, range.high);
    s->setValue(value);
    return s;
}

} // namespace

TrailDialog::TrailDialog(QWidget* parent, chart::TrailDialogModel& model)
    : QDialog(parent), m_model(model), m_date(new QDateEdit(this)),
      m_hour(spin(this, chart::TrailDialogModel::kHourRange, model.hour)),
      m_minute(spin(this, chart::TrailDialogModel::kMinuteRange, model.minute)),
      m_second(spin(this, chart::TrailDialogModel::kSecondRange, model.second)),
      m_interval(spin(this, chart::TrailDialogModel::kIntervalRange, model.interval)),
      m_computings(spin(this, chart::TrailDialogModel::kComputingsRange, model.computings)),
      m_density(spin(this, chart::TrailDialogModel::kDensityRange, model.density)),
      m_drawDate(new QCheckBox(chart::TrailDialogModel::kDrawDate, this)),
      m_drawTime(new QCheckBox(chart::TrailDialogModel::kDrawTime, this)),
      m_sample(new QLabel(this)) {
    using M = chart::TrailDialogModel;
    setWindowTitle(QString::fromStdString(model.title()));
    adorn(this);
    auto* layout = new QVBoxLayout(this);

    auto* start = new QGroupBox(M::kStartGroup, this);
    auto* startRow = new QHBoxLayout(start);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("MM/dd/yyyy");
    m_date->setDate(QDate(model.date.year(), model.date.month(), model.date.day()));
    startRow->addWidget(m_date);
    startRow->addWidget(m_hour);
    startRow->addWidget(new QLabel(":", start));
    startRow->addWidget(m_minute);
    startRow->addWidget(new QLabel(":", start));
    startRow->addWidget(m_second);
    layout->addWidget(start);

    auto* interval = new QGroupBox(M::kIntervalGroup, this);
    auto* intervalRow = new QHBoxLayout(interval);
    intervalRow->addWidget(m_interval);
    const char* units[3] = {M::kUnitDays, M::kUnitHours, M::kUnitSeconds};
    for (int i = 0; i < 3; ++i) {
        m_units[static_cast<std::size_t>(i)] = new QRadioButton(units[i], interval);
        intervalRow->addWidget(m_units[static_cast<std::size_t>(i)]);
    }
    m_units[static_cast<std::size_t>(model.unit)]->setChecked(true);
    layout->addWidget(interval);

    auto* computings = new QGroupBox(M::kComputingsGroup, this);
    auto* computingsRow = new QHBoxLayout(computings);
    computingsRow->addWidget(new QLabel(M::kComputingsLeft, computings));
    computingsRow->addWidget(m_computings);
    computingsRow->addWidget(new QLabel(M::kComputingsRight, computings));
    layout->addWidget(computings);

    auto* labels = new QGroupBox(M::kLabelsGroup, this);
    auto* labelsRow = new QHBoxLayout(labels);
    labelsRow->addWidget(new QLabel(M::kDensityLabel, labels));
    labelsRow->addWidget(m_density);
    labelsRow->addWidget(m_drawDate);
    labelsRow->addWidget(m_drawTime);
    auto* font = new QPushButton(M::kFontButton, labels);
    auto* fontDefault = new QPushButton(M::kSetDefault, labels);
    labelsRow->addWidget(font);
    labelsRow->addWidget(fontDefault);
    m_drawDate->setChecked(model.drawDate);
    m_drawTime->setChecked(model.drawTime);
    layout->addWidget(labels);
    connect(font, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, toQFont(m_model.font), this);
        if (ok) {
            m_model.font = fromQFont(chosen, m_model.font);
            showSample();
        }
    });
    connect(fontDefault, &QPushButton::clicked, this, [this] {
        m_model.setDefaultFont();
        showSample();
    });

    auto* colours = new QGroupBox(M::kColoursGroup, this);
    auto* colourGrid = new QGridLayout(colours);
    struct ColourButton {
        const char* text;
        chart::Colour chart::TrailColours::*member;
    };
    const ColourButton buttons[6] = {
        {M::kStandardTrailButton, &chart::TrailColours::standardTrail},
        {M::kStandardLabelButton, &chart::TrailColours::standardLabel},
        {M::kTrueTrailButton, &chart::TrailColours::trueTrail},
        {M::kTrueLabelButton, &chart::TrailColours::trueLabel},
        {M::kPrinterTrailButton, &chart::TrailColours::printerTrail},
        {M::kPrinterLabelButton, &chart::TrailColours::printerLabel},
    };
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(buttons[i].text, colours);
        colourGrid->addWidget(b, i / 2, i % 2);
        const auto member = buttons[i].member;
        connect(b, &QPushButton::clicked, this, [this, member] {
            const QColor chosen = QColorDialog::getColor(toQColor(m_model.colours.*member), this);
            if (chosen.isValid()) {
                m_model.colours.*member = fromQColor(chosen);
                showSample();
            }
        });
    }
    auto* coloursDefault = new QPushButton(M::kSetDefault, colours);
    colourGrid->addWidget(coloursDefault, 3, 0);
    connect(coloursDefault, &QPushButton::clicked, this, [this] {
        m_model.setDefaultColours();
        showSample();
    });
    layout->addWidget(colours);
    layout->addWidget(m_sample);
    layout->addWidget(okCancel(this));
    showSample();
}

// A sample of the trail and its labels in the Standard and True View colours and the font.
void TrailDialog::showSample() {
    QPixmap sample(360, 70);
    sample.fill(Qt::black);
    QPainter p(&sample);
    p.setFont(toQFont(m_model.font));
    const chart::TrailColours& c = m_model.colours;
    for (int row = 0; row < 2; ++row) {
        const QColor trail = toQColor(row == 0 ? c.standardTrail : c.trueTrail);
        const QColor label = toQColor(row == 0 ? c.standardLabel : c.trueLabel);
        const int y = 22 + row * 32;
        p.setPen(trail);
        p.drawLine(10, y, 350, y - 8);
        for (int x = 10; x <= 350; x += 85) {
            const int py = y - (x - 10) * 8 / 340;
            p.fillRect(x - 1, py - 1, 3, 3, label);
            p.setPen(label);
            p.drawText(x + 3, py - 3, "12.1.2026");
            p.setPen(trail);
        }
    }
    m_sample->setPixmap(sample);
}

void TrailDialog::accept() {
    const QDate d = m_date->date();
    m_model.date = astro::DateTime(d.year(), d.month(), d.day(), 0, 0, 0);
    m_model.hour = m_hour->value();
    m_model.minute = m_minute->value();
    m_model.second = m_second->value();
    m_model.interval = m_interval->value();
    for (std::size_t i = 0; i < m_units.size(); ++i)
        if (m_units[i]->isChecked())
            m_model.unit = static_cast<chart::TrailIntervalUnit>(i);
    m_model.computings = m_computings->value();
    m_model.density = m_density->value();
    m_model.drawDate = m_drawDate->isChecked();
    m_model.drawTime = m_drawTime->isChecked();
    QDialog::accept();
}

bool runTrailDialog(QWidget* parent, chart::SkyChart& chart, const astro::SolarSystemBody& body) {
    const astro::DateTime today = chart::ChartClock::fromSystemClock().Local;
    chart::TrailDialogModel model = chart::TrailDialogModel::forBody(body, chart, today);
    if (TrailDialog(parent, model).exec() != QDialog::Accepted)
        return false;
    return chart.trails.add(chart::CreateTrail(model.accept(), body, chart));
}

TrailsDialog::TrailsDialog(QWidget* parent, chart::TrailListModel& model, chart::SkyChart& chart)
    : QDialog(parent), m_model(model), m_chart(chart), m_list(new QListWidget(this)),
      m_delete(new QPushButton(chart::TrailListModel::kDelete, this)),
      m_deleteAll(new QPushButton(chart::TrailListModel::kDeleteAll, this)),
      m_goto(new QPushButton(chart::TrailListModel::kGoto, this)) {
    setWindowTitle(chart::TrailListModel::kTitle);
    adorn(this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    auto* column = new QVBoxLayout;
    auto* close = new QPushButton(chart::TrailListModel::kClose, this);
    for (QPushButton* b : {m_delete, m_deleteAll, m_goto, close})
        column->addWidget(b);
    column->addStretch();
    layout->addLayout(column);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.deleteSelected();
        refresh();
    });
    connect(m_deleteAll, &QPushButton::clicked, this, [this] {
        m_model.deleteAll();
        refresh();
    });
    connect(m_goto, &QPushButton::clicked, this, [this] {
        if (m_model.gotoSelected(m_chart))
            m_moved = true;
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_model.select(row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row))
                                : std::nullopt);
        m_delete->setEnabled(m_model.canDelete());
        m_goto->setEnabled(m_model.canGoto());
    });
    refresh();
}

void TrailsDialog::refresh() {
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const std::string& name : m_model.items())
        m_list->addItem(QString::fromStdString(name));
    if (const auto selected = m_model.selected())
        m_list->setCurrentRow(static_cast<int>(*selected));
    m_delete->setEnabled(m_model.canDelete());
    m_deleteAll->setEnabled(m_model.canDeleteAll());
    m_goto->setEnabled(m_model.canGoto());
}

} // namespace app
