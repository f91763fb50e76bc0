#include "catalog/DsoDialogModel.h"

#include "catalog/AreaTarget.h"

#include "astro/TextNumber.h"
#include "catalog/Places.h"
#include "chart/ObjectDialogs.h"
#include "chart/SkyChart.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace catalog {

namespace {

constexpr const char* kEnterIntegerText = "Please enter an integer.";

// A number as the dialog shows it: the shortest text that reads back as the same value, with
// at least one decimal ("20.0", "12.0", "2.25").
template <typename T> std::string fieldText(T value) {
    if (!std::isfinite(value))
        value = 0;
    char buf[64];
    const auto [end, error] = std::to_chars(buf, buf + sizeof buf, value);
    if (error != std::errc())
        return astro::formatFixed(static_cast<double>(value), 1);
    std::string text(buf, end);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

double wrap(double value, double turn) {
    double v = std::fmod(value, turn);
    if (v < 0.0)
        v += turn;
    return v;
}

} // namespace

DsoDialogModel::DsoDialogModel(const DsoSelectionSettings& settings)
    : mode(settings.mode == DsoSelectionSettings::All ||
                   settings.mode == DsoSelectionSettings::ByType
               ? settings.mode
               : static_cast<int>(DsoSelectionSettings::OnlyMessier)),
      sizeFilter(settings.sizeFilter != 0), sizeText(fieldText(settings.minSize)),
      magnitudeFilter(settings.magnitudeFilter != 0),
      magnitudeText(fieldText(settings.maxMagnitude)), areaFilter(settings.areaFilter != 0),
      raHoursText(std::to_string(settings.areaRaHours)),
      raMinutesText(fieldText(settings.areaRaMinutes)), decText(fieldText(settings.areaDec)),
      azDegreesText(std::to_string(settings.areaAzDegrees)),
      azMinutesText(fieldText(settings.areaAzMinutes)), altText(fieldText(settings.areaAltitude)),
      radiusText(fieldText(settings.areaRadius)), m_initial(settings) {
    for (std::size_t i = 0; i < kDsoTypeCount; ++i)
        types[i] = settings.typeSwitches[i] != 0;
}

void DsoDialogModel::setAreaTarget(const astro::SkyPoint& equatorial,
                                   const astro::CoordinateFrames& frames) {
    const AreaTargetFields f = AreaTargetFieldsOf(equatorial, frames);
    raHoursText = f.raHours;
    raMinutesText = f.raMinutes;
    decText = f.dec;
    azDegreesText = f.azDegrees;
    azMinutesText = f.azMinutes;
    altText = f.alt;
}

void DsoDialogModel::setCurrentTarget(const chart::SkyChart& chart) {
    setAreaTarget(chart.fromChartFrame(chart.target()), chart.frames());
}

void DsoDialogModel::setCurrentZenith(const chart::SkyChart& chart) {
    setAreaTarget(chart.frames().zenith(), chart.frames());
}

std::optional<DsoDialogModel::Refusal> DsoDialogModel::validate() const {
    auto number = [](Field field, const std::string& text) -> std::optional<Refusal> {
        if (!chart::ParseNumberField(text))
            return Refusal{field, chart::kEnterNumberText};
        return std::nullopt;
    };
    auto integer = [](Field field, const std::string& text, int min,
                      int max) -> std::optional<Refusal> {
        const std::optional<int> value = chart::ParseIntegerField<int>(text);
        if (!value)
            return Refusal{field, kEnterIntegerText};
        if (*value < min || *value > max)
            return Refusal{field, integerRangeMessage(min, max)};
        return std::nullopt;
    };
    for (auto refusal : {number(Field::Size, sizeText), number(Field::Magnitude, magnitudeText),
                         integer(Field::RaHours, raHoursText, kHoursMin, kHoursMax),
                         number(Field::RaMinutes, raMinutesText), number(Field::Dec, decText),
                         integer(Field::AzDegrees, azDegreesText, kAzDegreesMin, kAzDegreesMax),
                         number(Field::AzMinutes, azMinutesText), number(Field::Alt, altText),
                         number(Field::Radius, radiusText)})
        if (refusal)
            return refusal;
    return std::nullopt;
}

DsoSelectionSettings DsoDialogModel::accept(const astro::CoordinateFrames& frames) const {
    DsoSelectionSettings s = m_initial;
    s.mode = mode;
    for (std::size_t i = 0; i < kDsoTypeCount; ++i)
        s.typeSwitches[i] = types[i] ? 1 : 0;
    s.sizeFilter = sizeFilter ? 1 : 0;
    s.magnitudeFilter = magnitudeFilter ? 1 : 0;
    s.areaFilter = areaFilter ? 1 : 0;

    auto readFloat = [](const std::string& text, float& out) {
        if (const auto v = chart::ParseNumberField(text))
            out = static_cast<float>(*v);
    };
    auto readDouble = [](const std::string& text, double& out) {
        if (const auto v = chart::ParseNumberField(text))
            out = *v;
    };
    auto readInt = [](const std::string& text, int& out) {
        if (const auto v = chart::ParseIntegerField<int>(text))
            out = *v;
    };
    readFloat(sizeText, s.minSize);
    readFloat(magnitudeText, s.maxMagnitude);
    readInt(raHoursText, s.areaRaHours);
    readFloat(raMinutesText, s.areaRaMinutes);
    readFloat(decText, s.areaDec);
    readInt(azDegreesText, s.areaAzDegrees);
    readFloat(azMinutesText, s.areaAzMinutes);
    readDouble(altText, s.areaAltitude);
    readDouble(radiusText, s.areaRadius);

    if (areaForm == AreaForm::Equatorial) {
        // The fields as typed, not as stored in single precision.
        double minutes = s.areaRaMinutes;
        double dec = s.areaDec;
        readDouble(raMinutesText, minutes);
        readDouble(decText, dec);
        s.areaCenterRa = wrap(s.areaRaHours + minutes / 60.0, 24.0);
        s.areaCenterDec = dec;
    } else {
        double minutes = s.areaAzMinutes;
        readDouble(azMinutesText, minutes);
        const double azimuth = s.areaAzDegrees + minutes / 60.0; // from north through east
        // The horizontal angle runs from the south point towards the east point, in hours.
        const astro::SkyPoint horizontal(wrap((540.0 - azimuth) / 15.0, 24.0), s.areaAltitude);
        const astro::SkyPoint equatorial = astro::fromHorizontal(horizontal, frames);
        s.areaCenterRa = equatorial.ra();
        s.areaCenterDec = equatorial.dec();
    }
    return s;
}

} // namespace catalog
