#pragma once

#include "settings/ColorScheme.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace settings {

// One scheme item, whichever its kind.
using SchemeItem = std::variant<ColorItem, PenItem, FontItem>;
using SchemeValue = std::variant<SchemeColor, SchemePen, SchemeFont>;

// A leaf of the preferences tree: one item of one view type.
struct SchemeLeaf {
    SchemeItem item;
    ViewType view = ViewType::Standard;
    friend bool operator==(const SchemeLeaf&, const SchemeLeaf&) = default;
};

// A node of the preferences tree. Nodes are kept in display order (depth first); a node's
// parent comes before it, and -1 marks a top-level branch.
struct SchemeTreeNode {
    std::string text;
    int parent = -1;
    int depth = 0;
    std::optional<SchemeLeaf> leaf;
};

// What a preview frame shows, on the background of the leaf's view type: a line in a pen, or
// a sample text (with a point mark before it for the point colours).
struct SchemePreview {
    SchemeColor background;
    std::optional<SchemePen> line;
    std::optional<SchemeColor> mark;
    std::string text; // empty: no text
    SchemeFont font;
    SchemeColor textColor;
};

// The display name of a view type ("Standard View", ..., "Printer").
std::string_view viewTypeName(ViewType view);
// The background the chart has in a view type: black, light grey in the Black&White View,
// white on paper.
SchemeColor viewBackground(ViewType view);
// The sample text of an item: the kind of label the item draws or colours; empty for a pen,
// which is shown as a line.
std::string_view sampleText(const SchemeItem& item);

// "Colors & Fonts preferences": a tree of every item per view type, the current and default
// values of the selected leaf, and the changes, made at once to the scheme.
class SchemeDialogModel {
public:
    static constexpr const char* kTitle = "Colors & Fonts preferences";
    static constexpr const char* kCurrentLabel = "Current:";
    static constexpr const char* kDefaultLabel = "Default:";
    static constexpr const char* kSetToDefault = "&Set to default";
    static constexpr const char* kChange = "&Change...";
    static constexpr const char* kClose = "C&lose";

    explicit SchemeDialogModel(ColorScheme& scheme);

    // The whole tree, the same for every scheme.
    static const std::vector<SchemeTreeNode>& tree();
    const std::vector<SchemeTreeNode>& nodes() const { return tree(); }
    // The leaf of a node; none for a branch or an index out of range.
    static std::optional<SchemeLeaf> leafAt(int node);

    // Values of a leaf node; none for a branch.
    std::optional<SchemeValue> current(int node) const;
    std::optional<SchemeValue> defaultValue(int node) const;
    // The previews of the "Current:" and "Default:" frames. Label colours are shown in the
    // item's label font and fonts in the label colour of the same view, both as they stand, so
    // that the two frames differ only by the selected item.
    std::optional<SchemePreview> currentPreview(int node) const;
    std::optional<SchemePreview> defaultPreview(int node) const;

    // Whether "Change..." chooses a colour (colour and pen items) or a font.
    bool choosesColour(int node) const;
    bool choosesFont(int node) const;
    // The colour the colour chooser starts from (a pen's colour); none for a font or branch.
    std::optional<SchemeColor> currentColour(int node) const;

    // Each gives whether the scheme changed. A pen takes the new colour and keeps its style
    // and width; a leaf of the wrong kind or a branch changes nothing.
    bool setToDefault(int node);
    bool changeColour(int node, SchemeColor colour);
    bool changeFont(int node, const SchemeFont& font);

    // Whether the scheme differs from what it was when the dialog opened.
    bool changed() const { return !(m_scheme == m_initial); }
    const ColorScheme& scheme() const { return m_scheme; }

private:
    std::optional<SchemePreview> preview(int node, const SchemeValue& value) const;

    ColorScheme& m_scheme;
    ColorScheme m_initial;
};

} // namespace settings
