#pragma once

#include "chart/ChartSettings.h"

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace chart {

// The name of a body by its SolarBodyIndex ("Sun", "Mercury", ...); empty for another index.
std::string_view SolarBodyName(int index);

// "Planets presentation": whether each body is drawn and whether it is labelled.
class PlanetsPresentationDialogModel {
public:
    static constexpr const char* kTitle = "Planets presentation";
    static constexpr const char* kLabelText = "with label";
    // The bodies as the dialog lists them.
    static constexpr std::array<int, kSolarBodyCount> kDialogOrder = {
        SolarBodySun,     SolarBodyMoon,   SolarBodyMercury, SolarBodyVenus,   SolarBodyMars,
        SolarBodyJupiter, SolarBodySaturn, SolarBodyUranus,  SolarBodyNeptune, SolarBodyPluto};

    explicit PlanetsPresentationDialogModel(const ChartSettings& settings);

    // Indexed by SolarBodyIndex.
    std::array<bool, kSolarBodyCount> plot{};
    std::array<bool, kSolarBodyCount> label{};

    void apply(ChartSettings& settings) const;
};

// "Asteroid Labels": draw labels, and what they show; the choices are enabled only while
// labels are drawn.
class AsteroidLabelsDialogModel {
public:
    static constexpr const char* kTitle = "Asteroid Labels";
    static constexpr const char* kDrawLabels = "Draw labels";
    static constexpr std::array<const char*, 3> kChoices = {"Names", "Numbers", "Magnitudes"};
    // The label mode of each choice.
    static constexpr std::array<int, 3> kChoiceModes = {AsteroidLabelName, AsteroidLabelNumber,
                                                        AsteroidLabelMagnitude};

    explicit AsteroidLabelsDialogModel(const ChartSettings& settings);

    bool drawLabels = true;
    // Index into kChoices; -1 when the stored mode is none of them.
    int choice = -1;

    bool choicesEnabled() const { return drawLabels; }
    // OK: both values go back to the chart (a choice of -1 keeps the stored mode).
    void apply(ChartSettings& settings) const;
};

// "Deep sky objects labels": draw labels, the label kind (enabled only while labels are
// drawn) and the magnitude limit of labelled objects.
class DeepSkyLabelsDialogModel {
public:
    static constexpr const char* kTitle = "Deep sky objects labels";
    static constexpr const char* kDrawLabels = "Draw labels";
    static constexpr std::array<const char*, 3> kChoices = {"By comman name", "By NGC number",
                                                            "By Messier number"};
    static constexpr std::array<int, 3> kChoiceModes = {DeepSkyLabelCommonName, DeepSkyLabelNgc,
                                                        DeepSkyLabelMessier};
    static constexpr const char* kLimitLabel = "Draw labels for objects brighter than magnitude";
    static constexpr double kLimitMin = 1.0;
    static constexpr double kLimitMax = 30.0;

    explicit DeepSkyLabelsDialogModel(const ChartSettings& settings);

    bool drawLabels = true;
    int choice = -1;       // index into kChoices; -1 when the stored mode is none of them
    std::string limitText; // "%.1f"

    bool choicesEnabled() const { return drawLabels; }
    // The framework's message for a refused limit ("Please enter a number." or "Please enter
    // a number between 1 and 30."), or none.
    std::optional<std::string> validate() const;
    // Stores the values; call after validate() found nothing.
    void apply(ChartSettings& settings) const;
};

// The text of a field without the blanks and tabs around it, and without one leading "+".
std::string_view FieldNumberText(std::string_view text);

// A number field as the framework reads it: a decimal number with blanks around it, nothing
// else.
std::optional<double> ParseNumberField(std::string_view text);

// An integer field as the framework reads it: an optionally signed whole number with blanks
// around it, nothing else, that fits the type.
template <class Int> std::optional<Int> ParseIntegerField(std::string_view text) {
    const std::string_view number = FieldNumberText(text);
    Int value = 0;
    const auto [last, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || last != number.data() + number.size())
        return std::nullopt;
    return value;
}
// "Please enter a number between 1 and 30."
std::string NumberRangeMessage(double min, double max);
inline constexpr const char* kEnterNumberText = "Please enter a number.";

} // namespace chart
