#include "chart/StarDialogs.h"

#include "astro/TextNumber.h"

namespace chart {

MagnitudeLimitDialogModel::MagnitudeLimitDialogModel(const ChartSettings& settings)
    : m_limitText(astro::formatFixed(settings.magnitudeLimit, 1)), m_limit(settings.magnitudeLimit),
      m_automatic(settings.autoMagnitudeLimit != 0) {}

std::optional<std::string> MagnitudeLimitDialogModel::validate(std::string_view limitText) {
    if (m_automatic)
        return std::nullopt; // the field is disabled and keeps its value
    const double v = astro::parseLeadingNumber(limitText);
    if (!(v >= -5.0 && v <= 15.0))
        return std::string(kRangeMessage);
    m_limit = v;
    m_limitText = std::string(limitText);
    return std::nullopt;
}

void MagnitudeLimitDialogModel::apply(ChartSettings& settings) const {
    settings.autoMagnitudeLimit = m_automatic ? 1 : 0;
    settings.magnitudeLimit = m_limit;
}

LabelPresentationDialogModel::LabelPresentationDialogModel(const ChartSettings& settings)
    : drawLabels(settings.starLabels != 0),
      presentation(
          settings.starLabelKind >= 1 && settings.starLabelKind <= 4 ? settings.starLabelKind : 0),
      limitText(astro::formatFixed(settings.labelMagnitudeLimit, 1)) {}

void LabelPresentationDialogModel::apply(ChartSettings& settings) const {
    settings.starLabels = drawLabels ? 1 : 0;
    if (presentation >= 1 && presentation <= 4)
        settings.starLabelKind = presentation;
    settings.labelMagnitudeLimit = astro::parseLeadingNumber(limitText);
}

} // namespace chart
