#pragma once

#include "catalog/DsoDialogModel.h"
#include "chart/ObjectDialogs.h"
#include "chart/Selection.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace chart {
class ChartViewState;
}

namespace app {

class SkyvaneApp;

// The deep-sky manager, "Deep Sky Objects - NGC 2000.0 catalogue": the program's deep-sky
// selection with its type switches and size, magnitude and area filters. OK stores the
// selection, applies it to the catalogue, asks whether to switch plotting on when objects
// are selected but not plotted (an empty selection switches plotting off), and tells every
// chart. The label settings chosen through "Labels..." reach the chart with the same OK;
// Cancel drops them too.
class DsoDialog : public QDialog {
    Q_OBJECT
public:
    DsoDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state);

    void accept() override;

    // The Yes/No question after OK; by default a question box.
    void setAskYesNo(chart::AskYesNo ask) { m_ask = std::move(ask); }

    const catalog::DsoDialogModel& model() const { return m_model; }
    QRadioButton* modeButton(int mode) const {
        return m_modes.at(static_cast<std::size_t>(mode - 1));
    }

private:
    void readFields();
    void showFields();
    void updateEnabled();
    QLineEdit* fieldOf(catalog::DsoDialogModel::Field field) const;
    void openLabels();

    SkyvaneApp& m_app;
    chart::ChartViewState& m_state;
    catalog::DsoDialogModel m_model;
    // The label settings, once "Labels..." was confirmed.
    std::optional<chart::DeepSkyLabelsDialogModel> m_labels;
    chart::AskYesNo m_ask;

    std::array<QRadioButton*, 3> m_modes{};
    std::array<QCheckBox*, catalog::kDsoTypeCount> m_types{};
    QCheckBox* m_sizeFilter;
    QLineEdit* m_size;
    QCheckBox* m_magnitudeFilter;
    QLineEdit* m_magnitude;
    QCheckBox* m_areaFilter;
    QRadioButton* m_equatorialForm;
    QRadioButton* m_horizontalForm;
    QLineEdit* m_raHours;
    QLineEdit* m_raMinutes;
    QLineEdit* m_dec;
    QLineEdit* m_azDegrees;
    QLineEdit* m_azMinutes;
    QLineEdit* m_alt;
    QLineEdit* m_radius;
    QPushButton* m_setTarget;
    QPushButton* m_setZenith;
};

} // namespace app
