#include "settings/SchemeDialogModel.h"

#include <optional>

#include <type_traits>
#include <utility>

namespace settings {

namespace {

// The sample label of each object, shown by its label colour and label font.
constexpr std::string_view kConstellationSample = "UMa   Ursa Major";
constexpr std::string_view kGridSample = "2h40m";
constexpr std::string_view kStarNameSample = "Sirius";
constexpr std::string_view kBayerSample = "α β γ";
constexpr std::string_view kFlamsteedSample = "9    -1.6";
constexpr std::string_view kPlanetSample = "Jupiter";
constexpr std::string_view kAsteroidSample = "Ceres";
constexpr std::string_view kCometSample = "2P Encke";
constexpr std::string_view kDeepSkySample = "N 224";

class TreeBuilder {
public:
    int branch(int parent, std::string text) {
        const int depth = parent < 0 ? 0 : m_nodes[static_cast<std::size_t>(parent)].depth + 1;
        m_nodes.push_back({std::move(text), parent, depth, std::nullopt});
        return static_cast<int>(m_nodes.size()) - 1;
    }
    // A branch holding the five view leaves of an item.
    void items(int parent, std::string text, SchemeItem item) {
        const int node = branch(parent, std::move(text));
        const int depth = m_nodes[static_cast<std::size_t>(node)].depth + 1;
        for (ViewType view : kAllViewTypes)
            m_nodes.push_back(
                {std::string(viewTypeName(view)), node, depth, SchemeLeaf{item, view}});
    }
    // "Labels" with "Fonts" and "Colors".
    void labels(int parent, FontItem font, ColorItem colour) {
        const int node = branch(parent, "Labels");
        items(node, "Fonts", font);
        items(node, "Colors", colour);
    }
    std::vector<SchemeTreeNode> take() { return std::move(m_nodes); }

private:
    std::vector<SchemeTreeNode> m_nodes;
};

std::vector<SchemeTreeNode> buildTree() {
    TreeBuilder t;
    const int grids = t.branch(-1, "Grids");
    const struct {
        const char* text;
        FontItem font;
        PenItem pen;
    } gridBranches[] = {{"Equatorial", FontItem::EqGrid, PenItem::EqGrid},
                        {"Azimuthal", FontItem::AzGrid, PenItem::AzGrid},
                        {"Ecliptical", FontItem::EcGrid, PenItem::EcGrid}};
    for (const auto& g : gridBranches) {
        const int node = t.branch(grids, g.text);
        t.items(node, "Fonts", g.font);
        t.items(node, "Colors", g.pen);
    }

    const int constellations = t.branch(-1, "Constellations");
    t.items(t.branch(constellations, "Boundaries"), "Colors", PenItem::Bound);
    t.items(t.branch(constellations, "Figures"), "Colors", PenItem::Fig);
    t.labels(constellations, FontItem::ConstNames, ColorItem::ConstNames);

    t.labels(t.branch(-1, "Planets"), FontItem::PlanetsLab, ColorItem::PlanetsLab);

    const int starLabels = t.branch(t.branch(-1, "Stars"), "Labels");
    const int starFonts = t.branch(starLabels, "Fonts");
    t.items(starFonts, "Proper Names", FontItem::StarsPrN);
    t.items(starFonts, "Bayer Letters", FontItem::StarsBayer);
    t.items(starFonts, "Flamsteed Numbers, Magnitudes", FontItem::StarsFlamst);
    t.items(starLabels, "Colors", ColorItem::StarsLab);

    const struct {
        const char* text;
        FontItem font;
        ColorItem label;
        ColorItem point;
    } minorBranches[] = {
        {"Asteroids", FontItem::AstLab, ColorItem::AstLab, ColorItem::AstPoint},
        {"Comets", FontItem::ComLab, ColorItem::ComLab, ColorItem::ComPoint},
        {"Deep Sky Objects", FontItem::DSOLab, ColorItem::DSOLab, ColorItem::DSOPoint}};
    for (const auto& m : minorBranches) {
        const int node = t.branch(-1, m.text);
        t.labels(node, m.font, m.label);
        t.items(t.branch(node, "Points"), "Colors", m.point);
    }
    return t.take();
}

// The label font that goes with a colour item and the label colour that goes with a font item.
FontItem labelFont(ColorItem item) {
    switch (item) {
    case ColorItem::ConstNames:
        return FontItem::ConstNames;
    case ColorItem::StarsLab:
        return FontItem::StarsPrN;
    case ColorItem::DSOLab:
    case ColorItem::DSOPoint:
        return FontItem::DSOLab;
    case ColorItem::PlanetsLab:
        return FontItem::PlanetsLab;
    case ColorItem::ComLab:
    case ColorItem::ComPoint:
        return FontItem::ComLab;
    case ColorItem::AstLab:
    case ColorItem::AstPoint:
        return FontItem::AstLab;
    }
    return FontItem::ConstNames;
}

// Grid labels are written in the colour of their grid's pen.
SchemeColor labelColour(const ColorScheme& scheme, ViewType view, FontItem item) {
    switch (item) {
    case FontItem::ConstNames:
        return scheme.color(view, ColorItem::ConstNames);
    case FontItem::EqGrid:
        return fromColorRef(scheme.pen(view, PenItem::EqGrid).color);
    case FontItem::EcGrid:
        return fromColorRef(scheme.pen(view, PenItem::EcGrid).color);
    case FontItem::AzGrid:
        return fromColorRef(scheme.pen(view, PenItem::AzGrid).color);
    case FontItem::StarsPrN:
    case FontItem::StarsBayer:
    case FontItem::StarsFlamst:
        return scheme.color(view, ColorItem::StarsLab);
    case FontItem::DSOLab:
        return scheme.color(view, ColorItem::DSOLab);
    case FontItem::PlanetsLab:
        return scheme.color(view, ColorItem::PlanetsLab);
    case FontItem::ComLab:
        return scheme.color(view, ColorItem::ComLab);
    case FontItem::AstLab:
        return scheme.color(view, ColorItem::AstLab);
    }
    return {};
}

// The label colour that goes with a point colour.
std::optional<ColorItem> pointLabel(ColorItem item) {
    switch (item) {
    case ColorItem::DSOPoint:
        return ColorItem::DSOLab;
    case ColorItem::ComPoint:
        return ColorItem::ComLab;
    case ColorItem::AstPoint:
        return ColorItem::AstLab;
    default:
        return std::nullopt;
    }
}

SchemeValue valueOf(const ColorScheme& scheme, const SchemeLeaf& leaf) {
    return std::visit(
        [&](auto item) -> SchemeValue {
            using T = decltype(item);
            if constexpr (std::is_same_v<T, ColorItem>)
                return scheme.color(leaf.view, item);
            else if constexpr (std::is_same_v<T, PenItem>)
                return scheme.pen(leaf.view, item);
            else
                return scheme.font(leaf.view, item);
        },
        leaf.item);
}

SchemeValue defaultOf(const SchemeLeaf& leaf) {
    return std::visit(
        [&](auto item) -> SchemeValue {
            using T = decltype(item);
            if constexpr (std::is_same_v<T, ColorItem>)
                return defaultColor(leaf.view, item);
            else if constexpr (std::is_same_v<T, PenItem>)
                return defaultPen(leaf.view, item);
            else
                return defaultFont(leaf.view, item);
        },
        leaf.item);
}

} // namespace

std::string_view viewTypeName(ViewType view) {
    switch (view) {
    case ViewType::Standard:
        return "Standard View";
    case ViewType::True:
        return "True View";
    case ViewType::Red:
        return "Red View";
    case ViewType::BlackWhite:
        return "Black&White View";
    case ViewType::Printer:
        return "Printer";
    }
    return "";
}

SchemeColor viewBackground(ViewType view) {
    switch (view) {
    case ViewType::BlackWhite:
        return {235, 235, 235};
    case ViewType::Printer:
        return {255, 255, 255};
    default:
        return {0, 0, 0};
    }
}

std::string_view sampleText(const SchemeItem& item) {
    if (const auto* font = std::get_if<FontItem>(&item)) {
        switch (*font) {
        case FontItem::ConstNames:
            return kConstellationSample;
        case FontItem::EqGrid:
        case FontItem::EcGrid:
        case FontItem::AzGrid:
            return kGridSample;
        case FontItem::StarsPrN:
            return kStarNameSample;
        case FontItem::StarsBayer:
            return kBayerSample;
        case FontItem::StarsFlamst:
            return kFlamsteedSample;
        case FontItem::DSOLab:
            return kDeepSkySample;
        case FontItem::PlanetsLab:
            return kPlanetSample;
        case FontItem::ComLab:
            return kCometSample;
        case FontItem::AstLab:
            return kAsteroidSample;
        }
    }
    if (const auto* colour = std::get_if<ColorItem>(&item))
        return sampleText(labelFont(*colour));
    return {};
}

SchemeDialogModel::SchemeDialogModel(ColorScheme& scheme) : m_scheme(scheme), m_initial(scheme) {}

const std::vector<SchemeTreeNode>& SchemeDialogModel::tree() {
    static const std::vector<SchemeTreeNode> nodes = buildTree();
    return nodes;
}

std::optional<SchemeLeaf> SchemeDialogModel::leafAt(int node) {
    const auto& nodes = tree();
    if (node < 0 || static_cast<std::size_t>(node) >= nodes.size())
        return std::nullopt;
    return nodes[static_cast<std::size_t>(node)].leaf;
}

std::optional<SchemeValue> SchemeDialogModel::current(int node) const {
    const auto leaf = leafAt(node);
    if (!leaf)
        return std::nullopt;
    return valueOf(m_scheme, *leaf);
}

std::optional<SchemeValue> SchemeDialogModel::defaultValue(int node) const {
    const auto leaf = leafAt(node);
    if (!leaf)
        return std::nullopt;
    return defaultOf(*leaf);
}

std::optional<SchemePreview> SchemeDialogModel::preview(int node, const SchemeValue& value) const {
    const auto leaf = leafAt(node);
    if (!leaf)
        return std::nullopt;
    const ViewType view = leaf->view;
    SchemePreview p;
    p.background = viewBackground(view);
    if (const auto* pen = std::get_if<SchemePen>(&value)) {
        p.line = *pen;
        return p;
    }
    p.text = std::string(sampleText(leaf->item));
    if (const auto* font = std::get_if<SchemeFont>(&value)) {
        p.font = *font;
        p.textColor = labelColour(m_scheme, view, std::get<FontItem>(leaf->item));
        return p;
    }
    const ColorItem item = std::get<ColorItem>(leaf->item);
    const SchemeColor colour = std::get<SchemeColor>(value);
    p.font = m_scheme.font(view, labelFont(item));
    if (const auto label = pointLabel(item)) {
        p.mark = colour;
        p.textColor = m_scheme.color(view, *label);
    } else {
        p.textColor = colour;
    }
    return p;
}

std::optional<SchemePreview> SchemeDialogModel::currentPreview(int node) const {
    const auto value = current(node);
    return value ? preview(node, *value) : std::nullopt;
}

std::optional<SchemePreview> SchemeDialogModel::defaultPreview(int node) const {
    const auto value = defaultValue(node);
    return value ? preview(node, *value) : std::nullopt;
}

bool SchemeDialogModel::choosesColour(int node) const {
    const auto leaf = leafAt(node);
    return leaf && !std::holds_alternative<FontItem>(leaf->item);
}

bool SchemeDialogModel::choosesFont(int node) const {
    const auto leaf = leafAt(node);
    return leaf && std::holds_alternative<FontItem>(leaf->item);
}

std::optional<SchemeColor> SchemeDialogModel::currentColour(int node) const {
    const auto value = current(node);
    if (!value)
        return std::nullopt;
    if (const auto* colour = std::get_if<SchemeColor>(&*value))
        return *colour;
    if (const auto* pen = std::get_if<SchemePen>(&*value))
        return fromColorRef(pen->color);
    return std::nullopt;
}

namespace {

// The tree lists one colour per grid: it stands for both pens of the grid, the one of the
// full grid and the wider one of its main circle, so that the grid keeps one colour.
std::optional<PenItem> mainCirclePen(PenItem item) {
    switch (item) {
    case PenItem::EqGrid:
        return PenItem::EqGridOnlyEq;
    case PenItem::EcGrid:
        return PenItem::EcGridOnlyEc;
    case PenItem::AzGrid:
        return PenItem::AzGridOnlyAz;
    default:
        return std::nullopt;
    }
}

} // namespace

bool SchemeDialogModel::setToDefault(int node) {
    const auto leaf = leafAt(node);
    if (!leaf)
        return false;
    const ColorScheme before = m_scheme;
    std::visit(
        [&](auto item) {
            using T = decltype(item);
            if constexpr (std::is_same_v<T, ColorItem>)
                m_scheme.setColor(leaf->view, item, defaultColor(leaf->view, item));
            else if constexpr (std::is_same_v<T, PenItem>) {
                m_scheme.setPen(leaf->view, item, defaultPen(leaf->view, item));
                if (const auto circle = mainCirclePen(item))
                    m_scheme.setPen(leaf->view, *circle, defaultPen(leaf->view, *circle));
            } else
                m_scheme.setFont(leaf->view, item, defaultFont(leaf->view, item));
        },
        leaf->item);
    return !(before == m_scheme);
}

bool SchemeDialogModel::changeColour(int node, SchemeColor colour) {
    const auto leaf = leafAt(node);
    if (!leaf)
        return false;
    if (const auto* item = std::get_if<ColorItem>(&leaf->item)) {
        if (m_scheme.color(leaf->view, *item) == colour)
            return false;
        m_scheme.setColor(leaf->view, *item, colour);
        return true;
    }
    if (const auto* item = std::get_if<PenItem>(&leaf->item)) {
        const ColorScheme before = m_scheme;
        const std::uint32_t ref = toColorRef(colour);
        for (const auto pen : {std::optional<PenItem>(*item), mainCirclePen(*item)}) {
            if (!pen)
                continue;
            SchemePen value = m_scheme.pen(leaf->view, *pen);
            value.color = ref;
            m_scheme.setPen(leaf->view, *pen, value);
        }
        return !(before == m_scheme);
    }
    return false;
}

bool SchemeDialogModel::changeFont(int node, const SchemeFont& font) {
    const auto leaf = leafAt(node);
    if (!leaf)
        return false;
    const auto* item = std::get_if<FontItem>(&leaf->item);
    if (!item || m_scheme.font(leaf->view, *item) == font)
        return false;
    m_scheme.setFont(leaf->view, *item, font);
    return true;
}

} // namespace settings
