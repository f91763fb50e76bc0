#include "chart/ObjectDialogs.h"

#include "astro/TextNumber.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace chart {

namespace {

template <std::size_t N> int choiceOf(const std::array<int, N>& modes, int mode) {
    for (std::size_t i = 0; i < N; ++i)
        if (modes[i] == mode)
            return static_cast<int>(i);
    return -1;
}

template <std::size_t N> void storeChoice(const std::array<int, N>& modes, int choice, int& mode) {
    if (choice >= 0 && static_cast<std::size_t>(choice) < N)
        mode = modes[static_cast<std::size_t>(choice)];
}

std::string boundText(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

} // namespace

std::string_view SolarBodyName(int index) {
    static constexpr std::array<std::string_view, kSolarBodyCount> kNames = {
        "Sun",     "Mercury", "Venus",  "Moon",    "Mars",
        "Jupiter", "Saturn",  "Uranus", "Neptune", "Pluto"};
    if (index < 0 || index >= static_cast<int>(kSolarBodyCount))
        return {};
    return kNames[static_cast<std::size_t>(index)];
}

PlanetsPresentationDialogModel::PlanetsPresentationDialogModel(const ChartSettings& settings) {
    for (std::size_t i = 0; i < kSolarBodyCount; ++i) {
        plot[i] = settings.bodies[i].plot != 0;
        label[i] = settings.bodies[i].label != 0;
    }
}

void PlanetsPresentationDialogModel::apply(ChartSettings& settings) const {
    for (std::size_t i = 0; i < kSolarBodyCount; ++i) {
        settings.bodies[i].plot = plot[i] ? 1 : 0;
        settings.bodies[i].label = label[i] ? 1 : 0;
    }
}

AsteroidLabelsDialogModel::AsteroidLabelsDialogModel(const ChartSettings& settings)
    : drawLabels(settings.asteroidLabels != 0),
      choice(choiceOf(kChoiceModes, settings.asteroidLabelMode)) {}

void AsteroidLabelsDialogModel::apply(ChartSettings& settings) const {
    settings.asteroidLabels = drawLabels ? 1 : 0;
    storeChoice(kChoiceModes, choice, settings.asteroidLabelMode);
}

DeepSkyLabelsDialogModel::DeepSkyLabelsDialogModel(const ChartSettings& settings)
    : drawLabels(settings.deepSkyLabels != 0),
      choice(choiceOf(kChoiceModes, settings.deepSkyLabelMode)),
      limitText(astro::formatFixed(settings.deepSkyLabelMagnitudeLimit, 1)) {}

std::optional<std::string> DeepSkyLabelsDialogModel::validate() const {
    const std::optional<double> limit = ParseNumberField(limitText);
    if (!limit)
        return std::string(kEnterNumberText);
    if (*limit < kLimitMin || *limit > kLimitMax)
        return NumberRangeMessage(kLimitMin, kLimitMax);
    return std::nullopt;
}

void DeepSkyLabelsDialogModel::apply(ChartSettings& settings) const {
    settings.deepSkyLabels = drawLabels ? 1 : 0;
    storeChoice(kChoiceModes, choice, settings.deepSkyLabelMode);
    if (const std::optional<double> limit = ParseNumberField(limitText))
        settings.deepSkyLabelMagnitudeLimit = *limit;
}

std::string_view FieldNumberText(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    const auto end = text.find_last_not_of(" \t") + 1;
    std::string_view number = text.substr(begin, end - begin);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    return number;
}

std::optional<double> ParseNumberField(std::string_view text) {
    const std::string_view number = FieldNumberText(text);
    double value = 0.0;
    const auto [last, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || last != number.data() + number.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string NumberRangeMessage(double min, double max) {
    return "Please enter a number between " + boundText(min) + " and " + boundText(max) + ".";
}

} // namespace chart
