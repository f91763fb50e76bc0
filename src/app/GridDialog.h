#pragma once

#include "chart/GridDialog.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace chart {
class ChartViewState;
}

namespace app {

// "Grid Properties": a tab per grid over the dialog model. OK refuses the first invalid
// density of a "Manual" page with its message, brings that page to the front and puts the
// focus into the field; otherwise the model holds the pages' values.
class GridPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    GridPropertiesDialog(QWidget* parent, chart::GridPropertiesDialogModel& model);
    void accept() override;

    // The widgets of one page, for the caller and the tests.
    struct PageWidgets {
        QRadioButton* mainCircle = nullptr;
        QRadioButton* fullDrawing = nullptr;
        QCheckBox* onlyVisible = nullptr;
        QCheckBox* inscriptions = nullptr;
        QRadioButton* automatic = nullptr;
        QRadioButton* manual = nullptr;
        QLineEdit* longitudeDensity = nullptr;
        QLineEdit* latitudeDensity = nullptr;
    };
    QTabWidget* tabs() const { return m_tabs; }
    const PageWidgets& page(int index) const { return m_pages[static_cast<std::size_t>(index)]; }

    // How a refusal is shown; the program's message box unless replaced.
    void setShowMessage(std::function<void(const QString&)> show) { m_show = std::move(show); }

private:
    QWidget* buildPage(int index);

    chart::GridPropertiesDialogModel& m_model;
    QTabWidget* m_tabs;
    std::array<PageWidgets, chart::GridPropertiesDialogModel::kPageCount> m_pages;
    std::function<void(const QString&)> m_show;
};

// Runs the dialog on a chart window's state. On OK the grids' settings are set, the automatic
// spacings and the ranges of parallels are brought up to date and true is returned so that the
// caller repaints; Cancel changes nothing and returns false.
bool runGridProperties(QWidget* parent, chart::ChartViewState& state);

} // namespace app
