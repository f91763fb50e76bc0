#include "settings/SchemeDialogModel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace settings;

namespace {

using Nodes = std::vector<SchemeTreeNode>;

// The node reached by following texts from the top level; -1 when there is none.
int find(const std::vector<std::string>& path) {
    const Nodes& nodes = SchemeDialogModel::tree();
    int parent = -1;
    for (const std::string& text : path) {
        int found = -1;
        for (std::size_t i = 0; i < nodes.size(); ++i)
            if (nodes[i].parent == parent && nodes[i].text == text) {
                found = static_cast<int>(i);
                break;
            }
        if (found < 0)
            return -1;
        parent = found;
    }
    return parent;
}

std::vector<std::string> childTexts(int parent) {
    std::vector<std::string> texts;
    for (const SchemeTreeNode& n : SchemeDialogModel::tree())
        if (n.parent == parent)
            texts.push_back(n.text);
    return texts;
}

const std::vector<std::string> kViewLeaves = {"Standard View", "True View", "Red View",
                                              "Black&White View", "Printer"};

} // namespace

TEST(SchemeDialogModel, BranchesInOrder) {
    EXPECT_EQ(childTexts(-1),
              (std::vector<std::string>{"Grids", "Constellations", "Planets", "Stars", "Asteroids",
                                        "Comets", "Deep Sky Objects"}));
    EXPECT_EQ(childTexts(find({"Grids"})),
              (std::vector<std::string>{"Equatorial", "Azimuthal", "Ecliptical"}));
    EXPECT_EQ(childTexts(find({"Grids", "Equatorial"})),
              (std::vector<std::string>{"Fonts", "Colors"}));
    EXPECT_EQ(childTexts(find({"Grids", "Equatorial", "Fonts"})), kViewLeaves);
    EXPECT_EQ(childTexts(find({"Constellations"})),
              (std::vector<std::string>{"Boundaries", "Figures", "Labels"}));
    EXPECT_EQ(childTexts(find({"Constellations", "Boundaries"})),
              std::vector<std::string>{"Colors"});
    EXPECT_EQ(childTexts(find({"Stars", "Labels"})), (std::vector<std::string>{"Fonts", "Colors"}));
    EXPECT_EQ(childTexts(find({"Stars", "Labels", "Fonts"})),
              (std::vector<std::string>{"Proper Names", "Bayer Letters",
                                        "Flamsteed Numbers, Magnitudes"}));
    for (const char* minor : {"Asteroids", "Comets", "Deep Sky Objects"}) {
        EXPECT_EQ(childTexts(find({minor})), (std::vector<std::string>{"Labels", "Points"}));
        EXPECT_EQ(childTexts(find({minor, "Points", "Colors"})), kViewLeaves);
    }

    // The nodes are listed depth first: each after its parent, one level below it; leaves
    // have no children and every branch ends in leaves.
    const Nodes& nodes = SchemeDialogModel::tree();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const SchemeTreeNode& n = nodes[i];
        const bool hasChildren = !childTexts(static_cast<int>(i)).empty();
        EXPECT_NE(n.leaf.has_value(), hasChildren) << n.text;
        if (n.parent < 0) {
            EXPECT_EQ(n.depth, 0);
            continue;
        }
        ASSERT_LT(n.parent, static_cast<int>(i));
        EXPECT_EQ(n.depth, nodes[static_cast<std::size_t>(n.parent)].depth + 1);
        // Depth first: a node that does not follow its parent follows its elder sibling's
        // subtree.
        if (n.parent != static_cast<int>(i) - 1) {
            EXPECT_GE(nodes[i - 1].depth, n.depth) << "node " << i << " out of order";
        }
    }
}

TEST(SchemeDialogModel, LeavesNameItemsAndViews) {
    const auto leaf = [](std::vector<std::string> path) {
        return SchemeDialogModel::leafAt(find(path));
    };
    EXPECT_EQ(leaf({"Grids", "Equatorial", "Fonts", "Standard View"}),
              (SchemeLeaf{FontItem::EqGrid, ViewType::Standard}));
    EXPECT_EQ(leaf({"Grids", "Azimuthal", "Colors", "Red View"}),
              (SchemeLeaf{PenItem::AzGrid, ViewType::Red}));
    EXPECT_EQ(leaf({"Grids", "Ecliptical", "Colors", "Printer"}),
              (SchemeLeaf{PenItem::EcGrid, ViewType::Printer}));
    EXPECT_EQ(leaf({"Constellations", "Boundaries", "Colors", "True View"}),
              (SchemeLeaf{PenItem::Bound, ViewType::True}));
    EXPECT_EQ(leaf({"Constellations", "Figures", "Colors", "Black&White View"}),
              (SchemeLeaf{PenItem::Fig, ViewType::BlackWhite}));
    EXPECT_EQ(leaf({"Stars", "Labels", "Fonts", "Bayer Letters", "Printer"}),
              (SchemeLeaf{FontItem::StarsBayer, ViewType::Printer}));
    EXPECT_EQ(leaf({"Comets", "Points", "Colors", "Standard View"}),
              (SchemeLeaf{ColorItem::ComPoint, ViewType::Standard}));
    EXPECT_EQ(leaf({"Deep Sky Objects", "Labels", "Colors", "Red View"}),
              (SchemeLeaf{ColorItem::DSOLab, ViewType::Red}));
    EXPECT_FALSE(leaf({"Grids", "Equatorial"}));
    EXPECT_FALSE(SchemeDialogModel::leafAt(-1));
    EXPECT_FALSE(SchemeDialogModel::leafAt(static_cast<int>(SchemeDialogModel::tree().size())));
}

TEST(SchemeDialogModel, EveryListedItemOnceInEveryView) {
    std::set<std::pair<std::size_t, int>> seen; // (item variant index * 100 + item, view)
    std::size_t leaves = 0;
    for (const SchemeTreeNode& n : SchemeDialogModel::tree()) {
        if (!n.leaf)
            continue;
        ++leaves;
        const std::size_t key =
            n.leaf->item.index() * 100 +
            std::visit([](auto item) { return static_cast<std::size_t>(item); }, n.leaf->item);
        EXPECT_TRUE(seen.insert({key, static_cast<int>(n.leaf->view)}).second)
            << "twice: " << n.text;
    }
    // Every colour and font item is listed; of the pens, the three grid pens used when only
    // the main circle is drawn are not.
    EXPECT_EQ(leaves, 9u * 5 + (8u - 3) * 5 + 11u * 5);
    EXPECT_EQ(seen.size(), leaves);
    for (ViewType view : kAllViewTypes) {
        const int v = static_cast<int>(view);
        for (std::size_t i = 0; i < kColorItemCount; ++i)
            EXPECT_TRUE(seen.count({0 * 100 + i, v})) << "colour " << i;
        for (std::size_t i = 0; i < kFontItemCount; ++i)
            EXPECT_TRUE(seen.count({2 * 100 + i, v})) << "font " << i;
        for (PenItem pen : {PenItem::EqGridOnlyEq, PenItem::EcGridOnlyEc, PenItem::AzGridOnlyAz})
            EXPECT_FALSE(seen.count({100 + static_cast<std::size_t>(pen), v}));
    }
}

TEST(SchemeDialogModel, SamplesPerItem) {
    EXPECT_EQ(sampleText(FontItem::StarsPrN), "Sirius");
    EXPECT_EQ(sampleText(FontItem::StarsFlamst), "9    -1.6");
    EXPECT_EQ(sampleText(FontItem::ConstNames), "UMa   Ursa Major");
    for (FontItem grid : {FontItem::EqGrid, FontItem::EcGrid, FontItem::AzGrid})
        EXPECT_EQ(sampleText(grid), "2h40m");
    EXPECT_EQ(sampleText(FontItem::PlanetsLab), "Jupiter");
    EXPECT_EQ(sampleText(FontItem::AstLab), "Ceres");
    EXPECT_EQ(sampleText(FontItem::ComLab), "2P Encke");
    EXPECT_EQ(sampleText(FontItem::DSOLab), "N 224");
    EXPECT_FALSE(sampleText(FontItem::StarsBayer).empty());
    // Colours show their object's label.
    EXPECT_EQ(sampleText(ColorItem::StarsLab), "Sirius");
    EXPECT_EQ(sampleText(ColorItem::ConstNames), "UMa   Ursa Major");
    EXPECT_EQ(sampleText(ColorItem::ComPoint), "2P Encke");
    EXPECT_EQ(sampleText(ColorItem::DSOPoint), "N 224");
    EXPECT_EQ(sampleText(PenItem::Fig), "");

    ColorScheme scheme;
    SchemeDialogModel model(scheme);
    // A pen is shown as a line in the pen alone.
    const int bound = find({"Constellations", "Boundaries", "Colors", "Printer"});
    const auto line = model.currentPreview(bound);
    ASSERT_TRUE(line);
    ASSERT_TRUE(line->line);
    EXPECT_EQ(*line->line, defaultPen(ViewType::Printer, PenItem::Bound));
    EXPECT_TRUE(line->text.empty());
    EXPECT_EQ(line->background, (SchemeColor{255, 255, 255}));
    EXPECT_FALSE(model.currentPreview(find({"Grids"})));
}

TEST(SchemeDialogModel, PreviewsDifferOnlyByTheItem) {
    ColorScheme scheme;
    scheme.setColor(ViewType::BlackWhite, ColorItem::StarsLab, {1, 2, 3});
    scheme.setFont(ViewType::BlackWhite, FontItem::StarsPrN, {});
    SchemeDialogModel model(scheme);

    // A label colour: the current colour in the current label font, on the view's background.
    const int colour = find({"Stars", "Labels", "Colors", "Black&White View"});
    const auto current = model.currentPreview(colour);
    const auto byDefault = model.defaultPreview(colour);
    ASSERT_TRUE(current && byDefault);
    EXPECT_EQ(current->text, "Sirius");
    EXPECT_EQ(current->textColor, (SchemeColor{1, 2, 3}));
    EXPECT_EQ(byDefault->textColor, defaultColor(ViewType::BlackWhite, ColorItem::StarsLab));
    EXPECT_EQ(current->font, SchemeFont{});
    EXPECT_EQ(byDefault->font, SchemeFont{});
    EXPECT_EQ(current->background, (SchemeColor{235, 235, 235}));
    EXPECT_FALSE(current->line);

    // A font: the current and default fonts, both in the current label colour.
    const int font =
        find({"Stars", "Labels", "Fonts", "Flamsteed Numbers, Magnitudes", "Red View"});
    scheme.setColor(ViewType::Red, ColorItem::StarsLab, {9, 8, 7});
    const auto fontPreview = model.currentPreview(font);
    ASSERT_TRUE(fontPreview);
    EXPECT_EQ(fontPreview->text, "9    -1.6");
    EXPECT_EQ(fontPreview->font, defaultFont(ViewType::Red, FontItem::StarsFlamst));
    EXPECT_EQ(fontPreview->textColor, (SchemeColor{9, 8, 7}));
    EXPECT_EQ(fontPreview->background, (SchemeColor{0, 0, 0}));

    // Grid labels are written in their grid's pen colour.
    scheme.setPen(ViewType::True, PenItem::AzGrid, {kPenSolid, 1, toColorRef({40, 50, 60})});
    const auto grid = model.defaultPreview(find({"Grids", "Azimuthal", "Fonts", "True View"}));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->textColor, (SchemeColor{40, 50, 60}));

    // A point colour draws the mark in it, beside the label in the label colour.
    const auto point = model.currentPreview(find({"Asteroids", "Points", "Colors", "Printer"}));
    ASSERT_TRUE(point && point->mark);
    EXPECT_EQ(*point->mark, defaultColor(ViewType::Printer, ColorItem::AstPoint));
    EXPECT_EQ(point->textColor, defaultColor(ViewType::Printer, ColorItem::AstLab));
    EXPECT_EQ(point->text, "Ceres");
}

TEST(SchemeDialogModel, SetToDefaultRestoresOneLeaf) {
    ColorScheme scheme;
    const SchemeFont big{40, 0, 0, 0, 700, 1, 0, 0, 1, 0, 0, 0, 0, "Courier"};
    for (ViewType view : kAllViewTypes) {
        scheme.setFont(view, FontItem::PlanetsLab, big);
        scheme.setPen(view, PenItem::Fig, {kPenDot, 3, 0x123456});
    }
    SchemeDialogModel model(scheme);
    EXPECT_FALSE(model.changed());

    const int font = find({"Planets", "Labels", "Fonts", "True View"});
    EXPECT_TRUE(model.setToDefault(font));
    EXPECT_EQ(scheme.font(ViewType::True, FontItem::PlanetsLab),
              defaultFont(ViewType::True, FontItem::PlanetsLab));
    EXPECT_EQ(scheme.font(ViewType::Standard, FontItem::PlanetsLab), big);
    EXPECT_FALSE(model.setToDefault(font)); // already the default
    EXPECT_TRUE(model.changed());

    const int pen = find({"Constellations", "Figures", "Colors", "Printer"});
    EXPECT_TRUE(model.setToDefault(pen));
    EXPECT_EQ(scheme.pen(ViewType::Printer, PenItem::Fig),
              defaultPen(ViewType::Printer, PenItem::Fig));
    EXPECT_EQ(scheme.pen(ViewType::Red, PenItem::Fig), (SchemePen{kPenDot, 3, 0x123456}));
    ASSERT_TRUE(model.current(pen));
    EXPECT_EQ(*model.current(pen), *model.defaultValue(pen));

    EXPECT_FALSE(model.setToDefault(find({"Planets"})));
}

TEST(SchemeDialogModel, ColourChangeKeepsPenStyleAndWidth) {
    ColorScheme scheme;
    scheme.setPen(ViewType::Standard, PenItem::EqGrid, {kPenDashDot, 4, 0});
    SchemeDialogModel model(scheme);

    const int pen = find({"Grids", "Equatorial", "Colors", "Standard View"});
    EXPECT_TRUE(model.choosesColour(pen));
    EXPECT_FALSE(model.choosesFont(pen));
    EXPECT_EQ(model.currentColour(pen), (SchemeColor{0, 0, 0}));
    EXPECT_TRUE(model.changeColour(pen, {10, 20, 30}));
    EXPECT_EQ(scheme.pen(ViewType::Standard, PenItem::EqGrid),
              (SchemePen{kPenDashDot, 4, toColorRef({10, 20, 30})}));
    EXPECT_EQ(model.currentColour(pen), (SchemeColor{10, 20, 30}));
    EXPECT_FALSE(model.changeColour(pen, {10, 20, 30}));
    // The grid's one colour also goes to the wider pen of its main circle, which keeps its
    // own style and width; "Set to default" restores both.
    SchemePen circle = defaultPen(ViewType::Standard, PenItem::EqGridOnlyEq);
    circle.color = toColorRef({10, 20, 30});
    EXPECT_EQ(scheme.pen(ViewType::Standard, PenItem::EqGridOnlyEq), circle);
    EXPECT_EQ(scheme.pen(ViewType::True, PenItem::EqGridOnlyEq),
              defaultPen(ViewType::True, PenItem::EqGridOnlyEq));
    EXPECT_TRUE(model.setToDefault(pen));
    EXPECT_EQ(scheme.pen(ViewType::Standard, PenItem::EqGridOnlyEq),
              defaultPen(ViewType::Standard, PenItem::EqGridOnlyEq));
    EXPECT_TRUE(model.changeColour(pen, {10, 20, 30}));

    const int dotted = find({"Constellations", "Boundaries", "Colors", "Red View"});
    EXPECT_TRUE(model.changeColour(dotted, {0, 255, 0}));
    EXPECT_EQ(scheme.pen(ViewType::Red, PenItem::Bound).style, kPenDot);
    EXPECT_EQ(scheme.pen(ViewType::Red, PenItem::Bound).width, 1);
    EXPECT_EQ(scheme.pen(ViewType::Red, PenItem::Bound).color, 0x00FF00u);

    const int colour = find({"Comets", "Labels", "Colors", "Black&White View"});
    EXPECT_TRUE(model.changeColour(colour, {200, 100, 50}));
    EXPECT_EQ(scheme.color(ViewType::BlackWhite, ColorItem::ComLab), (SchemeColor{200, 100, 50}));
    EXPECT_EQ(scheme.color(ViewType::Standard, ColorItem::ComLab),
              defaultColor(ViewType::Standard, ColorItem::ComLab));
    EXPECT_TRUE(model.changed());
}

TEST(SchemeDialogModel, FontChangeAndWrongKinds) {
    ColorScheme scheme;
    SchemeDialogModel model(scheme);
    const int font = find({"Stars", "Labels", "Fonts", "Proper Names", "Printer"});
    EXPECT_TRUE(model.choosesFont(font));
    EXPECT_FALSE(model.currentColour(font));

    SchemeFont chosen = defaultFont(ViewType::Printer, FontItem::StarsPrN);
    chosen.faceName = "Times";
    chosen.height = 22;
    chosen.italic = 1;
    EXPECT_TRUE(model.changeFont(font, chosen));
    EXPECT_EQ(scheme.font(ViewType::Printer, FontItem::StarsPrN), chosen);
    EXPECT_EQ(scheme.font(ViewType::Standard, FontItem::StarsPrN),
              defaultFont(ViewType::Standard, FontItem::StarsPrN));
    EXPECT_EQ(model.currentPreview(font)->font, chosen);
    EXPECT_EQ(model.defaultPreview(font)->font, defaultFont(ViewType::Printer, FontItem::StarsPrN));

    // A colour for a font leaf, a font for a colour leaf and anything for a branch: no change.
    const ColorScheme before = scheme;
    EXPECT_FALSE(model.changeColour(font, {1, 1, 1}));
    EXPECT_FALSE(model.changeFont(find({"Stars", "Labels", "Colors", "Printer"}), chosen));
    EXPECT_FALSE(model.changeFont(find({"Stars", "Labels", "Fonts"}), chosen));
    EXPECT_EQ(scheme, before);

    // Back to the default: nothing differs from the opening scheme any more.
    EXPECT_TRUE(model.changed());
    EXPECT_TRUE(model.setToDefault(font));
    EXPECT_FALSE(model.changed());
}
