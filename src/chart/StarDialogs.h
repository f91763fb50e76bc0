#pragma once

#include "chart/ChartSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace chart {

// "Star magnitude limit": the limit field and the automatic box; the field is disabled
// while the box is checked.
class MagnitudeLimitDialogModel {
public:
    static constexpr const char* kTitle = "Star magnitude limit";
    static constexpr const char* kAutomaticLabel = "Automatic magnitude limit";
    static constexpr const char* kLimitLabel = "Show stars brighter than :";
    static constexpr const char* kRangeMessage = "Please, enter a valid value";

    explicit MagnitudeLimitDialogModel(const ChartSettings& settings);
    const std::string& limitText() const { return m_limitText; } // "%.1f"
    bool automatic() const { return m_automatic; }
    bool limitEnabled() const { return !m_automatic; }
    void setAutomatic(bool on) { m_automatic = on; }
    // The refusal message, or none: then apply() stores both values.
    std::optional<std::string> validate(std::string_view limitText);
    void apply(ChartSettings& settings) const;

private:
    std::string m_limitText;
    double m_limit = 0.0;
    bool m_automatic = false;
};

// "Star labels presentation": draw labels, the presentation (1 proper name, 2 Bayer letter,
// 3 Flamsteed number, 4 magnitude; 0 when the stored value is none of them) and the label
// limit.
class LabelPresentationDialogModel {
public:
    static constexpr const char* kTitle = "Star labels presentation";
    static constexpr const char* kDrawLabels = "Draw star labels";
    static constexpr const char* kGroup = "Draw labels by:";
    static constexpr const char* kPresentations[4] = {"Proper name", "Bayer letter",
                                                      "Flamsteed number", "Magnitude"};
    static constexpr const char* kLimitLabel = "Draw labels for stars brighter than magnitude:";

    explicit LabelPresentationDialogModel(const ChartSettings& settings);
    bool drawLabels = true;
    int presentation = 0;
    std::string limitText; // "%.1f"
    // Takes the values without further checks (a limit that is not a number reads as 0).
    void apply(ChartSettings& settings) const;
};

} // namespace chart
