#pragma once

#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"
#include "catalog/MinorBodyCatalog.h"
#include "catalog/Stars.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chart {
class SolarSystemObjects;
}

namespace catalog {

class ConstellationData;
class DsoCatalog;
class DsoObject;

// ---- what the search dialogs hand back ------------------------------------------------------

// "&Goto", "&Info..." and a right click on a row: the object chosen (a constellation is
// chosen by its index in the constellation list), or the message that refuses the choice;
// the dialog then stays open.
struct SearchChoice {
    astro::SkyPoint* object = nullptr;
    int constellation = -1;
    std::string message;

    bool ok() const { return message.empty(); }
};

// A "Find": the row found, as an index into the visible rows, or the "can't find" message (a
// refused field gives the framework's message instead). When the row found was hidden by the
// filter text, the filter is cleared first (filterCleared), so that the row can be shown
// selected; the window then empties its filter box.
struct SearchFindResult {
    std::optional<std::size_t> row;
    std::string message;
    bool filterCleared = false;

    bool found() const { return row.has_value(); }
};

// "Please enter an integer." when an integer field holds something else.
inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";

// "&Info..." of a search dialog: the position of a solar-system body (the Sun, the Moon, a
// planet, an asteroid or a comet) is computed for the instant and place of p; any other
// object is left alone.
void ComputeForInfo(astro::SkyPoint& object, const astro::ObservationParams& p);

// ---- the list dialogs ------------------------------------------------------------------------

// What every list dialog has: the columns, one row per object in list order, a filter text
// that narrows the rows shown, and the selected row. Rows are addressed by their index among
// the visible rows, as the window shows them. The objects belong to the catalogues (or the
// chart); a model points into them and must not outlive them.
class SearchListModel {
public:
    struct Column {
        const char* title;
        int width; // pixels
    };
    struct Row {
        std::vector<std::string> cells; // one per column
        astro::SkyPoint* object = nullptr;
        int constellation = -1; // the constellation list index, for the "Constellations" rows
    };

    virtual ~SearchListModel() = default;

    // The window title.
    virtual std::string title() const = 0;
    virtual std::span<const Column> columns() const = 0;
    // "&Goto"/"&Info..." without a selected row.
    virtual const char* selectMessage() const = 0;

    // Every row of the list, filter or not.
    const std::vector<Row>& rows() const { return m_rows; }

    // The filter box: the rows shown are those with the text in one of their cells, compared
    // without regard to the letter case of A-Z, in list order; an empty text shows every row.
    // The selection stays on its row when that is still shown, else nothing is selected.
    void setFilter(std::string_view text);
    const std::string& filter() const { return m_filter; }
    std::size_t visibleCount() const { return m_visible.size(); }
    const Row& visibleRow(std::size_t i) const { return m_rows[m_visible[i]]; }
    // The index into rows() of a visible row.
    std::size_t rowIndex(std::size_t visible) const { return m_visible[visible]; }

    // The selected visible row; none after a refill and at the start.
    std::optional<std::size_t> selected() const;
    // Selects a visible row; none, or an index outside the visible rows, clears the selection.
    void select(std::optional<std::size_t> visible);

    // "&Goto" and "&Info...": the selected row's object, or selectMessage().
    SearchChoice choose() const;
    // A right click on a visible row: that row is selected and chosen.
    SearchChoice chooseRow(std::size_t visible);

protected:
    // Puts a new list in place (the filter text stays, the selection goes).
    void setRows(std::vector<Row> rows);
    // Selects rows()[index], clearing the filter when it hides that row.
    SearchFindResult selectFound(std::size_t index);

private:
    void applyFilter();

    std::vector<Row> m_rows;
    std::vector<std::size_t> m_visible; // indices into m_rows
    std::string m_filter;
    std::optional<std::size_t> m_selected; // index into m_rows
};

// "Constellations": one row per entry of the constellation list, in list order; the choice
// is the entry's index (the chart centres on its label point, chart::CentreOnConstellation).
class ConstellationSearchModel final : public SearchListModel {
public:
    static constexpr const char* kTitle = "Constellations";
    static constexpr std::array<Column, 2> kColumns = {{{"Name", 150}, {"Abbreviation", 80}}};
    static constexpr const char* kSelectMessage = "Please, select constellation";

    explicit ConstellationSearchModel(const ConstellationData& constellations);

    std::string title() const override { return kTitle; }
    std::span<const Column> columns() const override { return kColumns; }
    const char* selectMessage() const override { return kSelectMessage; }
};

// "Find planet, Sun, Moon": the ten bodies of the chart in its order (Mercury .. Pluto, Sun,
// Moon), each with the name (form 1) of the constellation that contains its current position.
class BodySearchModel final : public SearchListModel {
public:
    static constexpr const char* kTitle = "Find planet, Sun, Moon";
    static constexpr std::array<Column, 2> kColumns = {{{"Object", 100}, {"Constellation", 120}}};
    static constexpr const char* kSelectMessage = "Please, select object";

    // The constellation column is empty without constellation data.
    BodySearchModel(chart::SolarSystemObjects& bodies, const ConstellationData* constellations);

    std::string title() const override { return kTitle; }
    std::span<const Column> columns() const override { return kColumns; }
    const char* selectMessage() const override { return kSelectMessage; }
};

// "Find asteroid": every asteroid of the loaded catalogue, or, while "&Only selected for
// plotting" is on (it starts off), those whose plot flag is set; "Name" and "Number" ("%d",
// empty for 0).
class AsteroidSearchModel final : public SearchListModel {
public:
    static constexpr const char* kTitle = "Find asteroid";
    static constexpr std::array<Column, 2> kColumns = {{{"Name", 150}, {"Number", 70}}};
    static constexpr const char* kSelectMessage = "Please, select asteroid";
    static constexpr const char* kOnlySelected = "&Only selected for plotting";
    static constexpr const char* kInitialNumber = "1"; // the number field at the start

    explicit AsteroidSearchModel(AsteroidCatalog& catalog);

    std::string title() const override { return kTitle; }
    std::span<const Column> columns() const override { return kColumns; }
    const char* selectMessage() const override { return kSelectMessage; }

    bool onlySelected() const { return m_onlySelected; }
    // Refills the rows from the catalogue.
    void setOnlySelected(bool on);
    // After "&Manage...": the rows again from the catalogue as it now stands.
    void refresh();

    // "Find by number": the first row with that number, else "Can't find asteroid with
    // number %d"; a text that is not an integer gives "Please enter an integer.".
    SearchFindResult findNumber(std::string_view numberText);
    // "Find by name": the first row whose name equals the text regardless of the letter case
    // of A-Z, else "Can't find " followed by the text.
    SearchFindResult findName(std::string_view name);

private:
    AsteroidCatalog& m_catalog;
    bool m_onlySelected = false;
};

// "Find comet": as "Find asteroid" with the single column "Comet" and no number search.
class CometSearchModel final : public SearchListModel {
public:
    static constexpr const char* kTitle = "Find comet";
    static constexpr std::array<Column, 1> kColumns = {{{"Comet", 250}}};
    static constexpr const char* kSelectMessage = "Please, select comet";
    static constexpr const char* kOnlySelected = "&Only selected for plotting";

    explicit CometSearchModel(CometCatalog& catalog);

    std::string title() const override { return kTitle; }
    std::span<const Column> columns() const override { return kColumns; }
    const char* selectMessage() const override { return kSelectMessage; }

    bool onlySelected() const { return m_onlySelected; }
    void setOnlySelected(bool on);
    void refresh();

    // "Can't find " followed by the text when no comet has that name (letter case of A-Z
    // aside).
    SearchFindResult findName(std::string_view name);

private:
    CometCatalog& m_catalog;
    bool m_onlySelected = false;
};

// "Find deep sky object": the whole NGC 2000.0 catalogue in its order, or, while "&Only
// selected for plotting" is on (it starts on), the objects the chart plots: those with the
// selected flag while the chart draws deep-sky objects, none while it does not.
class DeepSkySearchModel final : public SearchListModel {
public:
    static constexpr const char* kTitleAll =
        "Find deep sky object  -  list of NGC 2000.0 catalogue ( in original order )";
    static constexpr const char* kTitlePlotted =
        "Find deep sky object  -  only selected for plotting";
    static constexpr std::array<Column, 6> kColumns = {{{"NGC", 50},
                                                        {"Messier", 50},
                                                        {"Type", 200},
                                                        {"Constellation", 100},
                                                        {"Common name", 170},
                                                        {"Image", 50}}};
    static constexpr const char* kSelectMessage = "Please, select object from the list";
    static constexpr const char* kOnlySelected = "&Only selected for plotting";
    static constexpr const char* kNoImage = "There is not image for this object!";
    static constexpr const char* kImageYes = "Yes";
    static constexpr const char* kImageNo = "-";
    static constexpr const char* kNameSeparator = "  - ";
    static constexpr int kMessierMin = 1, kMessierMax = 110;
    static constexpr const char* kInitialMessier = "1";

    // The constellation column comes from each object's catalogue constellation (its
    // position when the catalogue names none); it is empty without constellation data.
    DeepSkySearchModel(DsoCatalog& catalog, const ConstellationData* constellations,
                       bool chartPlotsDeepSky);

    std::string title() const override { return m_onlySelected ? kTitlePlotted : kTitleAll; }
    std::span<const Column> columns() const override { return kColumns; }
    const char* selectMessage() const override { return kSelectMessage; }

    bool onlySelected() const { return m_onlySelected; }
    // Switches the list (and the common-name box) between the two modes.
    void setOnlySelected(bool on);
    // After "&Manage...": the rows again, with whether the chart now plots deep-sky objects.
    void refresh(bool chartPlotsDeepSky);

    // The common-name box: for the whole catalogue every names-list entry, for the plotted
    // list each plotted object with a common name; each as the common name, followed by
    // "  - " and the listed designation when that is not empty.
    const std::vector<std::string>& commonNames() const { return m_commonNames; }

    // "NGC" Find: the first row whose designation ("224", "I434") equals the text regardless
    // of the letter case of A-Z, else "Can't find NGC " followed by the text.
    SearchFindResult findNgc(std::string_view text);
    // "Messier" Find: the first row with that Messier number, else "Can't find M%d"; a field
    // outside 1..110 gives "Please enter an integer between 1 and 110.".
    SearchFindResult findMessier(std::string_view numberText);
    // Choosing entry i of the common-name box: for the whole catalogue the first object whose
    // names index is i, for the plotted list the first object whose box text is entry i's.
    SearchFindResult findCommonName(std::size_t entry);
    // The common-name Find with the box's text: the entry with exactly that text, as above;
    // "Can't find " followed by the text when no entry or object has it.
    SearchFindResult findCommonName(std::string_view text);

    // "Image...": the selected object when it has an atlas image (the window then shows its
    // page, WriteDsoImagePage), "There is not image for this object!" when it has none, the select
    // message without a selection.
    SearchChoice image() const;

private:
    void fill();

    DsoCatalog& m_catalog;
    const ConstellationData* m_constellations;
    bool m_chartPlots;
    bool m_onlySelected = true;
    std::vector<std::string> m_commonNames;
};

// ---- "Search Star" ---------------------------------------------------------------------------

// The star searches, also for programs without the dialog. Linear walks in catalogue order;
// the first match wins. A star's constellation is the number (1..88) of the one that contains
// its position. Null when no star matches.

// The first named star whose proper name equals the text exactly.
NamedStar* FindStarByProperName(StarCatalog& stars, std::string_view name);
// The first named star with Bayer letter code (1 alpha .. 24 omega) in the constellation,
// and, when index is given, with that Bayer index (the 1 of alpha-1).
NamedStar* FindStarByBayer(StarCatalog& stars, const ConstellationData& constellations,
                           int letterCode, int constellationNumber,
                           std::optional<int> index = std::nullopt);
// The first named star with the Flamsteed number in the constellation.
NamedStar* FindStarByFlamsteed(StarCatalog& stars, const ConstellationData& constellations,
                               int number, int constellationNumber);
// The named stars, then the catalogue stars, for an equal SAO or HD number.
CatalogStar* FindStarBySao(StarCatalog& stars, int sao);
CatalogStar* FindStarByHd(StarCatalog& stars, int hd);
// The named stars, then the catalogue stars, for equal TYC1, TYC2 and TYC3; then, when the
// Tycho-2 files are there, the region files (TychoStore::FindTychoStar, whose star is valid
// until its next call).
const TychoStar* FindStarByTycho(StarCatalog& stars, int tyc1, int tyc2, int tyc3);

// "Search Star": six ways to name a star, each with its own fields (texts as the user edits
// them). "&Goto" and "&Info..." check the fields of the chosen way and search.
class StarSearchModel {
public:
    static constexpr const char* kTitle = "Search Star";
    static constexpr const char* kNotFound = "Isn't exist in Skyvane star catalog";

    enum class Way { ProperName, Bayer, Flamsteed, Sao, Hd, Tycho };
    static constexpr std::array<const char*, 6> kWayTexts = {
        "By &proper name", "By &bayer letter", "By &flamsteed number",
        "By &SAO number",  "By &HD number",    "By &Tycho-2 number"};
    static constexpr const char* kIndexText = "Index:";

    // The ranges of the number fields.
    static constexpr int kIndexMin = 1, kIndexMax = 99;
    static constexpr int kFlamsteedMin = 1, kFlamsteedMax = 99;
    static constexpr int kSaoMin = 1, kSaoMax = 258997;
    static constexpr int kHdMin = 1, kHdMax = 359021;
    static constexpr int kTyc1Min = 1, kTyc1Max = 9537;
    static constexpr int kTyc2Min = 1, kTyc2Max = 12121;
    static constexpr int kTyc3Min = 1, kTyc3Max = 3;

    // The constellation boxes list the loaded constellations' names (form 1) in list order.
    StarSearchModel(StarCatalog& stars, const ConstellationData& constellations);

    Way way = Way::ProperName;

    std::string properName;     // the chosen entry of properNames(); empty at the start
    int bayerLetter = 0;        // index into bayerLetters()
    int bayerConstellation = 0; // index into constellationNames()
    bool useIndex = false;
    std::string indexText = "1";
    std::string flamsteedText = "1";
    int flamsteedConstellation = 0;
    std::string saoText = "1";
    std::string hdText = "1";
    std::string tyc1Text = "1";
    std::string tyc2Text = "1";
    std::string tyc3Text = "1";

    // Every named star's proper name, in catalogue order (stars without one left out).
    const std::vector<std::string>& properNames() const { return m_properNames; }
    // The 24 Greek letters, alpha .. omega, as UTF-8.
    static std::span<const std::string_view, 24> bayerLetters();
    const std::vector<std::string>& constellationNames() const { return m_constellationNames; }

    // Enable rules: each way's fields only while it is chosen; the index field also needs
    // "Index:".
    bool properNameEnabled() const { return way == Way::ProperName; }
    bool bayerFieldsEnabled() const { return way == Way::Bayer; }
    bool indexFieldEnabled() const { return way == Way::Bayer && useIndex; }
    bool flamsteedFieldsEnabled() const { return way == Way::Flamsteed; }
    bool saoFieldEnabled() const { return way == Way::Sao; }
    bool hdFieldEnabled() const { return way == Way::Hd; }
    bool tychoFieldsEnabled() const { return way == Way::Tycho; }

    enum class Field { Index, Flamsteed, Sao, Hd, Tyc1, Tyc2, Tyc3 };
    struct Refusal {
        Field field;
        std::string message;
    };
    // The first field of the chosen way that the framework refuses ("Please enter an
    // integer." or "Please enter an integer between 1 and 258997."), or none.
    std::optional<Refusal> validate() const;

    // "&Goto" and "&Info...": the fields are checked (a refusal's message comes back), then
    // the star is searched: "Isn't exist in Skyvane star catalog" when there is none. A star
    // found only in the Tycho-2 region files is a copy held by the model, valid while it
    // lives.
    SearchChoice choose();

private:
    StarCatalog& m_stars;
    const ConstellationData& m_constellations;
    std::vector<std::string> m_properNames;
    std::vector<std::string> m_constellationNames;
    TychoStar m_regionStar;
};

} // namespace catalog
