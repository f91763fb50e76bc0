#include "catalog/SearchModels.h"

#include "catalog/Constellations.h"
#include "catalog/DeepSky.h"
#include "catalog/Places.h"
#include "catalog/TextUtil.h"
#include "catalog/TychoStore.h"
#include "chart/BayerLetters.h"
#include "chart/ObjectDialogs.h"
#include "chart/SolarSystemObjects.h"

#include <algorithm>

namespace catalog {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the text holds the needle, the letter case of A-Z aside.
bool containsIgnoringCase(std::string_view text, std::string_view needle) {
    const auto it = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return it != text.end() || needle.empty();
}

// An integer field as the framework checks it: the message that refuses it, or the value.
struct IntegerField {
    std::optional<int> value;
    std::string message;
};
IntegerField checkInteger(std::string_view text, std::optional<int> min = std::nullopt,
                          std::optional<int> max = std::nullopt) {
    const std::optional<int> value = chart::ParseIntegerField<int>(text);
    if (!value)
        return {std::nullopt, kEnterIntegerMessage};
    if (min && max && (*value < *min || *value > *max))
        return {std::nullopt, integerRangeMessage(*min, *max)};
    return {value, {}};
}

// The number of the constellation that contains a star.
int constellationOf(const ConstellationData& constellations, const astro::SkyPoint& p) {
    return constellations.ConstellationNumber(constellations.FindConstellationAt(p));
}

template <class Body>
std::vector<SearchListModel::Row> minorBodyRows(std::span<Body> bodies, bool onlySelected,
                                                bool withNumber) {
    std::vector<SearchListModel::Row> rows;
    for (Body& body : bodies) {
        if (onlySelected && body.shown != 1)
            continue;
        SearchListModel::Row row;
        row.cells.push_back(body.name());
        if (withNumber)
            row.cells.push_back(body.number() == 0 ? std::string() : std::to_string(body.number()));
        row.object = &body;
        rows.push_back(std::move(row));
    }
    return rows;
}

// The first row whose cell `column` equals the text, the letter case of A-Z aside.
std::optional<std::size_t> findCell(const std::vector<SearchListModel::Row>& rows,
                                    std::size_t column, std::string_view text) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (equalsIgnoringCase(rows[i].cells[column], text))
            return i;
    return std::nullopt;
}

} // namespace

void ComputeForInfo(astro::SkyPoint& object, const astro::ObservationParams& p) {
    const int kind = object.GetType();
    if (kind >= astro::KindBody && kind <= astro::KindComet)
        if (auto* body = dynamic_cast<astro::SolarSystemBody*>(&object))
            body->Compute(p);
}

// ---- SearchListModel

void SearchListModel::setFilter(std::string_view text) {
    m_filter = std::string(text);
    applyFilter();
}

void SearchListModel::applyFilter() {
    m_visible.clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const auto& cells = m_rows[i].cells;
        if (m_filter.empty() || std::any_of(cells.begin(), cells.end(), [&](const std::string& c) {
                return containsIgnoringCase(c, m_filter);
            }))
            m_visible.push_back(i);
    }
    if (m_selected && !std::binary_search(m_visible.begin(), m_visible.end(), *m_selected))
        m_selected.reset();
}

std::optional<std::size_t> SearchListModel::selected() const {
    if (!m_selected)
        return std::nullopt;
    const auto it = std::lower_bound(m_visible.begin(), m_visible.end(), *m_selected);
    return static_cast<std::size_t>(it - m_visible.begin());
}

void SearchListModel::select(std::optional<std::size_t> visible) {
    if (visible && *visible < m_visible.size())
        m_selected = m_visible[*visible];
    else
        m_selected.reset();
}

SearchChoice SearchListModel::choose() const {
    if (!m_selected)
        return {nullptr, -1, selectMessage()};
    const Row& row = m_rows[*m_selected];
    return {row.object, row.constellation, {}};
}

SearchChoice SearchListModel::chooseRow(std::size_t visible) {
    select(visible);
    return choose();
}

void SearchListModel::setRows(std::vector<Row> rows) {
    m_rows = std::move(rows);
    m_selected.reset();
    applyFilter();
}

SearchFindResult SearchListModel::selectFound(std::size_t index) {
    SearchFindResult result;
    if (!std::binary_search(m_visible.begin(), m_visible.end(), index)) {
        m_filter.clear();
        applyFilter();
        result.filterCleared = true;
    }
    m_selected = index;
    result.row = selected();
    return result;
}

// ---- the list dialogs

ConstellationSearchModel::ConstellationSearchModel(const ConstellationData& constellations) {
    std::vector<Row> rows;
    const auto& entries = constellations.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        rows.push_back({{entries[i].name, entries[i].abbreviation}, nullptr, static_cast<int>(i)});
    setRows(std::move(rows));
}

BodySearchModel::BodySearchModel(chart::SolarSystemObjects& bodies,
                                 const ConstellationData* constellations) {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < chart::SolarSystemObjects::kCount; ++i) {
        astro::SolarSystemBody* body = bodies.body(i);
        std::string constellation;
        if (constellations)
            constellation =
                constellations->ConstellationForm(constellations->FindConstellationAt(*body), 1);
        rows.push_back({{body->GetName(), constellation}, body, -1});
    }
    setRows(std::move(rows));
}

AsteroidSearchModel::AsteroidSearchModel(AsteroidCatalog& catalog) : m_catalog(catalog) {
    refresh();
}

void AsteroidSearchModel::setOnlySelected(bool on) {
    m_onlySelected = on;
    refresh();
}

void AsteroidSearchModel::refresh() {
    setRows(minorBodyRows(m_catalog.bodies(), m_onlySelected, true));
}

SearchFindResult AsteroidSearchModel::findNumber(std::string_view numberText) {
    const IntegerField field = checkInteger(numberText);
    if (!field.value)
        return {std::nullopt, field.message};
    for (std::size_t i = 0; i < rows().size(); ++i)
        if (static_cast<const astro::MinorBody*>(rows()[i].object)->number() == *field.value)
            return selectFound(i);
    return {std::nullopt, "Can't find asteroid with number " + std::to_string(*field.value)};
}

SearchFindResult AsteroidSearchModel::findName(std::string_view name) {
    if (const auto i = findCell(rows(), 0, name))
        return selectFound(*i);
    return {std::nullopt, "Can't find " + std::string(name)};
}

CometSearchModel::CometSearchModel(CometCatalog& catalog) : m_catalog(catalog) {
    refresh();
}

void CometSearchModel::setOnlySelected(bool on) {
    m_onlySelected = on;
    refresh();
}

void CometSearchModel::refresh() {
    setRows(minorBodyRows(m_catalog.bodies(), m_onlySelected, false));
}

SearchFindResult CometSearchModel::findName(std::string_view name) {
    if (const auto i = findCell(rows(), 0, name))
        return selectFound(*i);
    return {std::nullopt, "Can't find " + std::string(name)};
}

// ---- deep sky

namespace {

// The text of a names entry in the common-name box.
std::string commonNameText(const DsoNameEntry& entry) {
    return entry.designation.empty()
               ? entry.commonName
               : entry.commonName + DeepSkySearchModel::kNameSeparator + entry.designation;
}

const DsoObject& dsoOf(const SearchListModel::Row& row) {
    return *static_cast<const DsoObject*>(row.object);
}

} // namespace

DeepSkySearchModel::DeepSkySearchModel(DsoCatalog& catalog, const ConstellationData* constellations,
                                       bool chartPlotsDeepSky)
    : m_catalog(catalog), m_constellations(constellations), m_chartPlots(chartPlotsDeepSky) {
    fill();
}

void DeepSkySearchModel::setOnlySelected(bool on) {
    m_onlySelected = on;
    fill();
}

void DeepSkySearchModel::refresh(bool chartPlotsDeepSky) {
    m_chartPlots = chartPlotsDeepSky;
    fill();
}

void DeepSkySearchModel::fill() {
    std::vector<Row> rows;
    m_commonNames.clear();
    if (!m_onlySelected)
        for (const DsoNameEntry& entry : m_catalog.names())
            m_commonNames.push_back(commonNameText(entry));
    for (DsoObject& object : m_catalog.objects()) {
        if (m_onlySelected && !(m_chartPlots && object.selected()))
            continue;
        std::string constellation;
        if (m_constellations) {
            constellation =
                m_constellations->ConstellationFormByNumber(object.constellationNumber(), 1);
            if (constellation.empty())
                constellation = m_constellations->ConstellationForm(
                    m_constellations->FindConstellationAt(object), 1);
        }
        const DsoNameEntry* entry = m_catalog.nameEntry(object);
        // The Messier column shows the number alone, empty for none.
        const std::string messier =
            object.messier() != 0 ? std::to_string(object.messier()) : std::string();
        rows.push_back({{std::string(object.designation()), messier,
                         std::string(object.typeText()), constellation,
                         entry ? entry->commonName : std::string(),
                         object.imageNumber() != kNoDsoImage ? kImageYes : kImageNo},
                        &object,
                        -1});
        if (m_onlySelected && entry && !entry->commonName.empty())
            m_commonNames.push_back(commonNameText(*entry));
    }
    setRows(std::move(rows));
}

SearchFindResult DeepSkySearchModel::findNgc(std::string_view text) {
    if (const auto i = findCell(rows(), 0, text))
        return selectFound(*i);
    return {std::nullopt, "Can't find NGC " + std::string(text)};
}

SearchFindResult DeepSkySearchModel::findMessier(std::string_view numberText) {
    const IntegerField field = checkInteger(numberText, kMessierMin, kMessierMax);
    if (!field.value)
        return {std::nullopt, field.message};
    for (std::size_t i = 0; i < rows().size(); ++i)
        if (dsoOf(rows()[i]).messier() == *field.value)
            return selectFound(i);
    return {std::nullopt, "Can't find M" + std::to_string(*field.value)};
}

SearchFindResult DeepSkySearchModel::findCommonName(std::size_t entry) {
    if (entry < m_commonNames.size()) {
        for (std::size_t i = 0; i < rows().size(); ++i) {
            const DsoObject& object = dsoOf(rows()[i]);
            bool match = false;
            if (!m_onlySelected) {
                match = object.namesIndex() == static_cast<int>(entry);
            } else if (const DsoNameEntry* e = m_catalog.nameEntry(object)) {
                match = commonNameText(*e) == m_commonNames[entry];
            }
            if (match)
                return selectFound(i);
        }
    }
    return {std::nullopt,
            "Can't find " + (entry < m_commonNames.size() ? m_commonNames[entry] : std::string())};
}

SearchFindResult DeepSkySearchModel::findCommonName(std::string_view text) {
    const auto it = std::find(m_commonNames.begin(), m_commonNames.end(), text);
    if (it == m_commonNames.end())
        return {std::nullopt, "Can't find " + std::string(text)};
    return findCommonName(static_cast<std::size_t>(it - m_commonNames.begin()));
}

SearchChoice DeepSkySearchModel::image() const {
    SearchChoice choice = choose();
    if (choice.ok() && static_cast<const DsoObject*>(choice.object)->imageNumber() == kNoDsoImage)
        return {nullptr, -1, kNoImage};
    return choice;
}

// ---- stars

NamedStar* FindStarByProperName(StarCatalog& stars, std::string_view name) {
    for (NamedStar& star : stars.namedStars())
        if (!name.empty() && star.properName() == name)
            return &star;
    return nullptr;
}

NamedStar* FindStarByBayer(StarCatalog& stars, const ConstellationData& constellations,
                           int letterCode, int constellationNumber, std::optional<int> index) {
    for (NamedStar& star : stars.namedStars())
        if (star.bayerCode() == letterCode && (!index || star.bayerIndex() == *index) &&
            constellationOf(constellations, star) == constellationNumber)
            return &star;
    return nullptr;
}

NamedStar* FindStarByFlamsteed(StarCatalog& stars, const ConstellationData& constellations,
                               int number, int constellationNumber) {
    for (NamedStar& star : stars.namedStars())
        if (star.flamsteed() == number &&
            constellationOf(constellations, star) == constellationNumber)
            return &star;
    return nullptr;
}

namespace {

template <class Match> CatalogStar* findResident(StarCatalog& stars, Match match) {
    for (NamedStar& star : stars.namedStars())
        if (match(star))
            return &star;
    for (CatalogStar& star : stars.catalogStars())
        if (match(star))
            return &star;
    return nullptr;
}

CatalogStar* findResidentTycho(StarCatalog& stars, int tyc1, int tyc2, int tyc3) {
    return findResident(stars, [&](const CatalogStar& s) {
        return s.tyc1() == tyc1 && s.tyc2() == tyc2 && s.tyc3() == tyc3;
    });
}

} // namespace

CatalogStar* FindStarBySao(StarCatalog& stars, int sao) {
    return findResident(stars, [sao](const CatalogStar& s) { return s.saoNumber() == sao; });
}

CatalogStar* FindStarByHd(StarCatalog& stars, int hd) {
    return findResident(stars, [hd](const CatalogStar& s) { return s.hdNumber() == hd; });
}

const TychoStar* FindStarByTycho(StarCatalog& stars, int tyc1, int tyc2, int tyc3) {
    if (CatalogStar* star = findResidentTycho(stars, tyc1, tyc2, tyc3))
        return star;
    if (stars.tycho().TychoAvailable() == 1)
        return stars.tycho().FindTychoStar(tyc1, tyc2, tyc3);
    return nullptr;
}

StarSearchModel::StarSearchModel(StarCatalog& stars, const ConstellationData& constellations)
    : m_stars(stars), m_constellations(constellations) {
    for (const NamedStar& star : stars.namedStars())
        if (!star.properName().empty())
            m_properNames.emplace_back(star.properName());
    for (const ConstellationEntry& entry : constellations.entries())
        m_constellationNames.push_back(entry.name);
}

std::span<const std::string_view, 24> StarSearchModel::bayerLetters() {
    return chart::kBayerGreekLetters;
}

std::optional<StarSearchModel::Refusal> StarSearchModel::validate() const {
    struct Check {
        Field field;
        const std::string& text;
        int min, max;
    };
    std::vector<Check> checks;
    switch (way) {
    case Way::ProperName:
        break;
    case Way::Bayer:
        if (useIndex)
            checks.push_back({Field::Index, indexText, kIndexMin, kIndexMax});
        break;
    case Way::Flamsteed:
        checks.push_back({Field::Flamsteed, flamsteedText, kFlamsteedMin, kFlamsteedMax});
        break;
    case Way::Sao:
        checks.push_back({Field::Sao, saoText, kSaoMin, kSaoMax});
        break;
    case Way::Hd:
        checks.push_back({Field::Hd, hdText, kHdMin, kHdMax});
        break;
    case Way::Tycho:
        checks.push_back({Field::Tyc1, tyc1Text, kTyc1Min, kTyc1Max});
        checks.push_back({Field::Tyc2, tyc2Text, kTyc2Min, kTyc2Max});
        checks.push_back({Field::Tyc3, tyc3Text, kTyc3Min, kTyc3Max});
        break;
    }
    for (const Check& c : checks) {
        const IntegerField f = checkInteger(c.text, c.min, c.max);
        if (!f.value)
            return Refusal{c.field, f.message};
    }
    return std::nullopt;
}

SearchChoice StarSearchModel::choose() {
    if (const auto refusal = validate())
        return {nullptr, -1, refusal->message};
    auto number = [](const std::string& text) { return *chart::ParseIntegerField<int>(text); };
    TychoStar* found = nullptr;
    switch (way) {
    case Way::ProperName:
        found = FindStarByProperName(m_stars, properName);
        break;
    case Way::Bayer:
        found = FindStarByBayer(m_stars, m_constellations, bayerLetter + 1, bayerConstellation + 1,
                                useIndex ? std::optional<int>(number(indexText)) : std::nullopt);
        break;
    case Way::Flamsteed:
        found = FindStarByFlamsteed(m_stars, m_constellations, number(flamsteedText),
                                    flamsteedConstellation + 1);
        break;
    case Way::Sao:
        found = FindStarBySao(m_stars, number(saoText));
        break;
    case Way::Hd:
        found = FindStarByHd(m_stars, number(hdText));
        break;
    case Way::Tycho: {
        const int tyc1 = number(tyc1Text), tyc2 = number(tyc2Text), tyc3 = number(tyc3Text);
        found = findResidentTycho(m_stars, tyc1, tyc2, tyc3);
        if (!found) {
            // The region files' star lives in the store until its next search: keep a copy.
            if (const TychoStar* star = FindStarByTycho(m_stars, tyc1, tyc2, tyc3)) {
                m_regionStar = *star;
                found = &m_regionStar;
            }
        }
        break;
    }
    }
    if (!found)
        return {nullptr, -1, kNotFound};
    return {found, -1, {}};
}

} // namespace catalog
