#pragma once

#include "catalog/EphemerisTable.h"

#include <QAbstractSpinBox>
#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QDateEdit;
class QPagedPaintDevice;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace astro {
class SolarSystemBody;
}

namespace chart {
class ChartViewState;
}

namespace app {

class SkyvaneApp;

// An edit field with spin buttons that takes any typed text: the arrows step the number
// inside a range, what the user types is left for the dialog's model to judge.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(QWidget* parent, catalog::EphemerisSettingsModel::Range range,
             const std::string& text);

    void setText(const QString& text);
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    catalog::EphemerisSettingsModel::Range m_range;
};

// "Ephemeris - <name>": the columns, the start local date and time, the interval and the
// number of entries. OK copies the fields into the model and closes the dialog only when
// the model takes them; a refused field gets the model's message and the focus.
class EphemerisSettingsDialog : public QDialog {
    Q_OBJECT
public:
    EphemerisSettingsDialog(QWidget* parent, catalog::EphemerisSettingsModel& model);
    void accept() override;

    QCheckBox* columnBox(std::size_t column) const { return m_columns[column]; }
    QDateEdit* dateField() const { return m_date; }
    SpinEdit* hourField() const { return m_hour; }
    SpinEdit* minuteField() const { return m_minute; }
    SpinEdit* secondField() const { return m_second; }
    SpinEdit* intervalField() const { return m_interval; }
    QRadioButton* unitButton(catalog::EphemerisSettingsModel::Unit unit) const {
        return m_units[static_cast<std::size_t>(unit)];
    }
    SpinEdit* countField() const { return m_count; }

private:
    QWidget* fieldOf(catalog::EphemerisSettingsModel::Field field) const;

    catalog::EphemerisSettingsModel& m_model;
    std::array<QCheckBox*, catalog::kEphemerisColumnCount> m_columns{};
    QDateEdit* m_date;
    SpinEdit* m_hour;
    SpinEdit* m_minute;
    SpinEdit* m_second;
    SpinEdit* m_interval;
    std::array<QRadioButton*, 3> m_units{};
    SpinEdit* m_count;
};

// Draws the printed pages firstPage..lastPage (1-based, clamped to the table's page count;
// lastPage 0 means the last one) of a table on a paged device, a printer or a PDF writer:
// each page's surface is the device's printable rectangle in its own pixels, with a new page
// between pages. False when painting cannot start or a new page cannot be made.
bool printEphemerisPages(QPagedPaintDevice& device, const catalog::EphemerisTable& table,
                         const std::string& placeLine, int firstPage = 1, int lastPage = 0);

// The table of a body: a list in report mode with the shown columns, titled with the body's
// name, and the buttons "&Save...", "&Print..." and "Print Pre&view...".
class EphemerisResultDialog : public QDialog {
    Q_OBJECT
public:
    // placeLine is the observing-place line of the text file and the printed pages.
    EphemerisResultDialog(QWidget* parent, catalog::EphemerisTable table, std::string placeLine);

    const catalog::EphemerisTable& table() const { return m_table; }

    QTableWidget* list() const { return m_list; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* previewButton() const { return m_preview; }

    // Writes the text file to path (a file name as the file dialog gives it); a failure
    // shows the writer's message over the dialog. True when the file was written.
    bool saveTo(const QString& path);

private:
    void save();
    void print();
    void preview();

    catalog::EphemerisTable m_table;
    std::string m_placeLine;
    QTableWidget* m_list;
    QPushButton* m_save;
    QPushButton* m_print;
    QPushButton* m_preview;
};

// The ephemeris of a body of a chart: the settings dialog over parent, then, on OK, the
// table computed for the chart's place, conditions and zone in the result dialog. Neither
// the chart nor the body is changed.
void OpenEphemeris(QWidget* parent, SkyvaneApp& app, const chart::ChartViewState& state,
                   const astro::SolarSystemBody& body);

} // namespace app
