#pragma once

#include "catalog/MinorBodyDialogModels.h"
#include "chart/Selection.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <string>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace chart {
class ChartViewState;
}

namespace app {

class SkyvaneApp;

// When set, answers the managers' Yes/No questions in place of the user (the smoke tests
// answer this way); empty by default.
chart::AskYesNo& minorBodyQuestionHook();

// What converting an orbital-element file into a catalogue gave: the catalogue written and
// the number of its bodies, or the reason it failed.
struct CatalogImport {
    std::filesystem::path written;
    std::size_t bodies = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};
// Converts an element file, a JSON export of the JPL Small-Body Database or the Minor Planet
// Center's MPCORB.DAT (asteroids) or CometEls.txt (comets), into the catalogue
// <data folder>/asteroids/<file name>.skd (or comets/...), replacing a catalogue of that name.
// The catalogue is written in full or not at all.
CatalogImport ImportMinorBodyCatalog(catalog::MinorBodyListModel::Kind kind,
                                     const std::filesystem::path& source,
                                     const std::filesystem::path& dataFolder);
// Where ImportMinorBodyCatalog writes the catalogue of a source file.
std::filesystem::path ImportedCatalogPath(catalog::MinorBodyListModel::Kind kind,
                                          const std::filesystem::path& source,
                                          const std::filesystem::path& dataFolder);

// "Asteroid filters".
class AsteroidFiltersDialog : public QDialog {
    Q_OBJECT
public:
    AsteroidFiltersDialog(QWidget* parent, catalog::AsteroidFiltersModel& model);
    void accept() override;

private:
    void updateEnabled();

    catalog::AsteroidFiltersModel& m_model;
    QCheckBox* m_number;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QCheckBox* m_magnitude;
    QLineEdit* m_magnitudeLimit;
    QCheckBox* m_area;
    QRadioButton* m_equatorial;
    QRadioButton* m_horizontal;
    QLineEdit* m_raHours;
    QLineEdit* m_raMinutes;
    QLineEdit* m_dec;
    QLineEdit* m_azDegrees;
    QLineEdit* m_azMinutes;
    QLineEdit* m_alt;
    QLineEdit* m_radius;
};

// The manager of the loaded asteroids or comets: the list with a check box per body, find,
// select, info, loading and closing the catalogue, making a catalogue from an element file.
// Exit (the dialog's OK, also closing the window) copies the check boxes into the bodies and
// settles the chart's plotting flag; every chart then takes the new lists.
class MinorBodyManager : public QDialog {
    Q_OBJECT
public:
    using Kind = catalog::MinorBodyListModel::Kind;

    MinorBodyManager(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state, Kind kind);

    // "E&xit".
    void accept() override;
    // Closing the window exits the same way.
    void reject() override;

    QTableWidget* table() const { return m_table; }
    const catalog::MinorBodyListModel& model() const { return m_model; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refill();
    void syncChecks();
    void itemChanged(QTableWidgetItem* item);
    void find();
    void selectAll(bool on);
    void info();
    void filter();
    void labels();
    void loadCatalog();
    void loadFile(const std::filesystem::path& path);
    void closeCatalog();
    void obtainCatalogs();
    bool ask(const char* question);

    SkyvaneApp& m_app;
    chart::ChartViewState& m_state;
    catalog::MinorBodyListModel m_model;
    QTableWidget* m_table;
    QLineEdit* m_findText;
    QLabel* m_total = nullptr;
    QLineEdit* m_catalog;
    bool m_filling = false;
    bool m_done = false;
};

// "Asteroids": columns "Name" and "Number", "Total: %d", filters and labels.
class AsteroidsDialog : public MinorBodyManager {
    Q_OBJECT
public:
    AsteroidsDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state)
        : MinorBodyManager(parent, app, state, Kind::Asteroids) {}
};

// "Comets": one column "Name" and the comet label flag.
class CometsDialog : public MinorBodyManager {
    Q_OBJECT
public:
    CometsDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state)
        : MinorBodyManager(parent, app, state, Kind::Comets) {}
};

} // namespace app
