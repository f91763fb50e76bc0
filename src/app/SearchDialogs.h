#pragma once

#include "catalog/SearchModels.h"
#include "chart/Selection.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QUrl;
class QVBoxLayout;

namespace chart {
class ChartViewState;
}

namespace app {

class SkyvaneApp;

// The search dialogs: thin windows over the search models, which hold the rows, the finds,
// the texts and the messages. Each ends with "&Goto" (the dialog's OK) and hands back the
// model's choice; "&Info..." opens the properties of the chosen object and keeps the dialog
// open.

// What the five list dialogs share: the filter box that narrows the list as the user types,
// the list (one row per visible row of the model, full-row selection, the model's column
// widths), "&Goto", "&Info..." and a right click on a row. A dialog adds its find controls
// above the filter box and its own buttons beside "&Info...".
class SearchListDialog : public QDialog {
    Q_OBJECT
public:
    // "&Goto": the selected row's object (or constellation) becomes the choice and the dialog
    // ends; without a selection the model's select message, and the dialog stays open.
    void accept() override;

    // The choice "&Goto" ended the dialog with. The object lives in the catalogues or the
    // chart.
    const catalog::SearchChoice& choice() const { return m_choice; }

    const catalog::SearchListModel& listModel() const { return *m_model; }
    QTableWidget* table() const { return m_table; }
    QLineEdit* filterBox() const { return m_filter; }
    QPushButton* gotoButton() const { return m_goto; }
    // Null in "Constellations", whose rows have no properties.
    QPushButton* infoButton() const { return m_info; }

protected:
    SearchListDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                     std::unique_ptr<catalog::SearchListModel> model, bool withInfo);

    catalog::SearchListModel& listModel() { return *m_model; }
    // Where a dialog puts its find controls (above the filter box) and its buttons (after
    // "&Info...").
    QVBoxLayout* findArea() const { return m_findArea; }
    QHBoxLayout* buttonRow() const { return m_buttons; }

    // Shows the model's visible rows again (after a new filter, mode or list).
    void fillTable();
    // A find's outcome: the row found selected, focused and scrolled into view (an emptied
    // filter box when the model cleared its filter for it), or the model's message.
    void showFound(const catalog::SearchFindResult& found);
    // The properties of the chosen object, a body computed for the chart's instant first;
    // the model's message when there is no choice.
    void showInfo(const catalog::SearchChoice& choice);

    SkyvaneApp& m_app;
    chart::ChartViewState& m_state;

private:
    void selectionChanged();
    void rowClicked(const QPoint& at);

    std::unique_ptr<catalog::SearchListModel> m_model;
    catalog::SearchChoice m_choice;
    QVBoxLayout* m_findArea;
    QLineEdit* m_filter;
    QTableWidget* m_table;
    QHBoxLayout* m_buttons;
    QPushButton* m_goto;
    QPushButton* m_info = nullptr;
    bool m_filling = false;
};

// "Constellations".
class ConstellationSearchDialog : public SearchListDialog {
    Q_OBJECT
public:
    ConstellationSearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state);
};

// "Find planet, Sun, Moon": the chart's ten bodies.
class BodySearchDialog : public SearchListDialog {
    Q_OBJECT
public:
    BodySearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state);
};

// "Find asteroid" and "Find comet": "&Only selected for plotting", "Find by number"
// (asteroids only), "Find by name" and "&Manage...".
class MinorBodySearchDialog : public SearchListDialog {
    Q_OBJECT
public:
    enum class Kind { Asteroids, Comets };
    MinorBodySearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                          Kind kind);

    QCheckBox* onlySelectedBox() const { return m_onlySelected; }
    // Null in "Find comet".
    QLineEdit* numberField() const { return m_number; }
    QPushButton* findNumberButton() const { return m_findNumber; }
    QLineEdit* nameField() const { return m_name; }
    QPushButton* findNameButton() const { return m_findName; }
    QPushButton* manageButton() const { return m_manage; }

private:
    void setOnlySelected(bool on);
    void manage();

    Kind m_kind;
    catalog::AsteroidSearchModel* m_asteroids = nullptr;
    catalog::CometSearchModel* m_comets = nullptr;
    QCheckBox* m_onlySelected;
    QLineEdit* m_number = nullptr;
    QPushButton* m_findNumber = nullptr;
    QLineEdit* m_name;
    QPushButton* m_findName;
    QPushButton* m_manage;
};

// "Find deep sky object": the whole catalogue or the plotted objects (the title says which),
// the NGC, Messier and common-name finds, "Image..." and "&Manage...".
class DeepSkySearchDialog : public SearchListDialog {
    Q_OBJECT
public:
    DeepSkySearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state);

    const catalog::DeepSkySearchModel& model() const { return *m_model; }
    QCheckBox* onlySelectedBox() const { return m_onlySelected; }
    QLineEdit* ngcField() const { return m_ngc; }
    QPushButton* findNgcButton() const { return m_findNgc; }
    QLineEdit* messierField() const { return m_messier; }
    QPushButton* findMessierButton() const { return m_findMessier; }
    QComboBox* commonNameBox() const { return m_commonName; }
    QPushButton* findCommonNameButton() const { return m_findCommonName; }
    QPushButton* imageButton() const { return m_image; }
    QPushButton* manageButton() const { return m_manage; }

    // How "Image..." opens the page it wrote; by default with the desktop's program for web
    // pages.
    void setOpenPage(std::function<bool(const QUrl& page)> open) { m_openPage = std::move(open); }

private:
    void modeChanged();
    void fillCommonNames();
    void showImage();
    void manage();

    catalog::DeepSkySearchModel* m_model;
    QCheckBox* m_onlySelected;
    QLineEdit* m_ngc;
    QPushButton* m_findNgc;
    QLineEdit* m_messier;
    QPushButton* m_findMessier;
    QComboBox* m_commonName;
    QPushButton* m_findCommonName;
    QPushButton* m_image;
    QPushButton* m_manage;
    std::function<bool(const QUrl& page)> m_openPage;
};

// "Search Star": six ways to name a star, each enabling only its own fields.
class StarSearchDialog : public QDialog {
    Q_OBJECT
public:
    using Way = catalog::StarSearchModel::Way;

    StarSearchDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state);

    // "&Goto": the fields are checked (a refused field gets the framework's message and the
    // focus), then the star is searched; the dialog ends when it is found.
    void accept() override;

    // The star "&Goto" ended the dialog with; valid while the dialog lives (a star of the
    // Tycho-2 region files is held by the dialog's model).
    const catalog::SearchChoice& choice() const { return m_choice; }
    const catalog::StarSearchModel& model() const { return m_model; }

    QRadioButton* wayButton(Way way) const { return m_ways[static_cast<std::size_t>(way)]; }
    QComboBox* properNameBox() const { return m_properName; }
    QComboBox* letterBox() const { return m_letter; }
    QComboBox* bayerConstellationBox() const { return m_bayerConstellation; }
    QCheckBox* indexBox() const { return m_useIndex; }
    QLineEdit* indexField() const { return m_index; }
    QLineEdit* flamsteedField() const { return m_flamsteed; }
    QComboBox* flamsteedConstellationBox() const { return m_flamsteedConstellation; }
    QLineEdit* saoField() const { return m_sao; }
    QLineEdit* hdField() const { return m_hd; }
    QLineEdit* tychoField(int part) const { return m_tycho.at(static_cast<std::size_t>(part)); }
    QPushButton* gotoButton() const { return m_goto; }
    QPushButton* infoButton() const { return m_info; }

private:
    void readFields();
    void updateEnabled();
    QLineEdit* fieldOf(catalog::StarSearchModel::Field field) const;
    // The fields read, checked and searched: the star, or none after the message was shown.
    std::optional<catalog::SearchChoice> search();
    void info();

    SkyvaneApp& m_app;
    chart::ChartViewState& m_state;
    catalog::StarSearchModel m_model;
    catalog::SearchChoice m_choice;
    std::array<QRadioButton*, 6> m_ways{};
    QComboBox* m_properName;
    QComboBox* m_letter;
    QComboBox* m_bayerConstellation;
    QCheckBox* m_useIndex;
    QLineEdit* m_index;
    QLineEdit* m_flamsteed;
    QComboBox* m_flamsteedConstellation;
    QLineEdit* m_sao;
    QLineEdit* m_hd;
    std::array<QLineEdit*, 3> m_tycho{};
    QPushButton* m_goto;
    QPushButton* m_info;
};

// The six searches of the Search menu.
enum class SearchKind { Constellation, Star, Planet, Asteroid, Comet, DeepSky };

// Runs a search dialog modally over a chart window. After "&Goto" the chart centres on the
// choice: on a constellation's label point at once; on another object only when it is above
// the horizon or the user answers Yes to the question ("Star is not visible. Centre
// anyway?", "%s is not visible. Centre anyway?"), asked through ask (by default a Yes/No
// message box over parent). A minor body is computed for the chart's instant first. True
// when the chart's target moved.
bool runSearch(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state, SearchKind kind,
               const chart::AskYesNo& ask = {});

} // namespace app
