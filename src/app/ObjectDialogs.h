#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace chart {
class PlanetsPresentationDialogModel;
class AsteroidLabelsDialogModel;
class DeepSkyLabelsDialogModel;
class TrailDialogModel;
class TrailListModel;
class SkyChart;
} // namespace chart

namespace astro {
class SolarSystemBody;
}

namespace app {

// "Planets presentation": a plot and a "with label" box for each body.
class PlanetsPresentationDialog : public QDialog {
    Q_OBJECT
public:
    PlanetsPresentationDialog(QWidget* parent, chart::PlanetsPresentationDialogModel& model);
    void accept() override;

private:
    chart::PlanetsPresentationDialogModel& m_model;
    std::array<QCheckBox*, 10> m_plot{};
    std::array<QCheckBox*, 10> m_label{};
};

// "Asteroid Labels".
class AsteroidLabelsDialog : public QDialog {
    Q_OBJECT
public:
    AsteroidLabelsDialog(QWidget* parent, chart::AsteroidLabelsDialogModel& model);
    void accept() override;

private:
    chart::AsteroidLabelsDialogModel& m_model;
    QCheckBox* m_draw;
    std::array<QRadioButton*, 3> m_choices{};
};

// "Deep sky objects labels".
class DeepSkyLabelsDialog : public QDialog {
    Q_OBJECT
public:
    DeepSkyLabelsDialog(QWidget* parent, chart::DeepSkyLabelsDialogModel& model);
    void accept() override;

private:
    chart::DeepSkyLabelsDialogModel& m_model;
    QCheckBox* m_draw;
    std::array<QRadioButton*, 3> m_choices{};
    QLineEdit* m_limit;
};

// The trail dialog of one body.
class TrailDialog : public QDialog {
    Q_OBJECT
public:
    TrailDialog(QWidget* parent, chart::TrailDialogModel& model);
    void accept() override;

private:
    void showSample();

    chart::TrailDialogModel& m_model;
    QDateEdit* m_date;
    QSpinBox* m_hour;
    QSpinBox* m_minute;
    QSpinBox* m_second;
    QSpinBox* m_interval;
    std::array<QRadioButton*, 3> m_units{};
    QSpinBox* m_computings;
    QSpinBox* m_density;
    QCheckBox* m_drawDate;
    QCheckBox* m_drawTime;
    QLabel* m_sample;
};

// The trail dialog of a body over parent; an accepted dialog adds the trail to the chart.
// Returns whether a trail was added (false also when the chart's trails are full).
bool runTrailDialog(QWidget* parent, chart::SkyChart& chart, const astro::SolarSystemBody& body);

// "Trails": the list of the chart's trails with Delete, Delete all, Goto and Close.
class TrailsDialog : public QDialog {
    Q_OBJECT
public:
    TrailsDialog(QWidget* parent, chart::TrailListModel& model, chart::SkyChart& chart);
    // Whether "Goto" moved the chart.
    bool moved() const { return m_moved; }

private:
    void refresh();

    chart::TrailListModel& m_model;
    chart::SkyChart& m_chart;
    QListWidget* m_list;
    QPushButton* m_delete;
    QPushButton* m_deleteAll;
    QPushButton* m_goto;
    bool m_moved = false;
};

} // namespace app
