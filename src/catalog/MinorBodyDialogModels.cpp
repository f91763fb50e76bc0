#include "catalog/MinorBodyDialogModels.h"

#include "catalog/AreaTarget.h"
#include "catalog/TextUtil.h"

#include "astro/Format.h"
#include "astro/Frames.h"
#include "chart/ObjectDialogs.h"
#include "chart/SkyChart.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace catalog {

namespace {

constexpr double kDegreesPerRadian = 57.29578;

} // namespace

// ---- The list

void MinorBodyListModel::fillFrom(std::vector<astro::MinorBody*> bodies) {
    m_bodies = std::move(bodies);
    m_rows.clear();
    m_rows.reserve(m_bodies.size());
    m_checked.assign(m_bodies.size(), false);
    for (std::size_t i = 0; i < m_bodies.size(); ++i) {
        const astro::MinorBody& b = *m_bodies[i];
        Row row;
        row.name = b.name();
        if (m_kind == Kind::Asteroids && b.number() != 0)
            row.number = std::to_string(b.number());
        m_rows.push_back(std::move(row));
        m_checked[i] = b.shown != 0;
    }
}

std::size_t MinorBodyListModel::checkedCount() const {
    return static_cast<std::size_t>(std::count(m_checked.begin(), m_checked.end(), true));
}

std::string MinorBodyListModel::totalText() const {
    return "Total: " + std::to_string(m_rows.size());
}

MinorBodyListModel::FindResult MinorBodyListModel::find(std::string_view text) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (equalsIgnoringCase(m_rows[i].name, text))
            return {i, {}};
    return {std::nullopt, kCantFind + std::string(text)};
}

void MinorBodyListModel::setAll(bool on) {
    for (std::size_t i = 0; i < m_bodies.size(); ++i) {
        m_checked[i] = on;
        m_bodies[i]->shown = on ? 1 : 0;
    }
}

std::size_t MinorBodyListModel::exit() {
    std::size_t plotted = 0;
    for (std::size_t i = 0; i < m_bodies.size(); ++i) {
        m_bodies[i]->shown = m_checked[i] ? 1 : 0;
        if (m_checked[i])
            ++plotted;
    }
    return plotted;
}

std::string CatalogBoxText(const std::string& catalogName) {
    if (catalogName.empty())
        return {};
    return std::filesystem::path(catalogName).filename().string();
}

// ---- The filters

AsteroidFiltersModel::AsteroidFiltersModel(const chart::SkyChart& chart) : m_chart(chart) {
    const astro::SkyPoint centre = chart.fromChartFrame(chart.target());
    const AreaTargetFields f = AreaTargetFieldsOf(centre, chart.frames());
    raHoursText = f.raHours;
    raMinutesText = f.raMinutes;
    decText = f.dec;
    azDegreesText = f.azDegrees;
    azMinutesText = f.azMinutes;
    altText = f.alt;
    m_target = centre;
}

std::optional<AsteroidFiltersModel::Refusal> AsteroidFiltersModel::validate() {
    if (numberFilter) {
        const std::optional<long> from = chart::ParseIntegerField<long>(fromText);
        if (!from || *from < 1)
            return Refusal{kPositiveNumber, Field::From};
        const std::optional<long> to = chart::ParseIntegerField<long>(toText);
        if (!to || *to < 1)
            return Refusal{kPositiveNumber, Field::To};
        if (*to < *from)
            return Refusal{kCorrectValue, Field::To};
        m_from = *from;
        m_to = *to;
    }
    if (magnitudeFilter) {
        const std::optional<double> limit = chart::ParseNumberField(magnitudeText);
        if (!limit)
            return Refusal{chart::kEnterNumberText, Field::Magnitude};
        m_magnitude = *limit;
    }
    if (areaFilter) {
        if (!horizontalForm) {
            const auto hours = chart::ParseNumberField(raHoursText);
            const auto minutes = chart::ParseNumberField(raMinutesText);
            if (!hours || !minutes)
                return Refusal{kCorrectValue, Field::RaHours};
            const double ra = *hours + *minutes / 60.0;
            if (!(ra >= 0.0 && ra < 24.0))
                return Refusal{kCorrectValue, Field::RaHours};
            const auto dec = chart::ParseNumberField(decText);
            if (!dec || !(*dec >= -90.0 && *dec <= 90.0))
                return Refusal{kCorrectValue, Field::Dec};
            m_target = astro::SkyPoint(ra, *dec);
        } else {
            const auto degrees = chart::ParseNumberField(azDegreesText);
            const auto minutes = chart::ParseNumberField(azMinutesText);
            if (!degrees || !minutes)
                return Refusal{kCorrectValue, Field::AzDegrees};
            const double az = *degrees + *minutes / 60.0;
            if (!(az >= 0.0 && az < 360.0))
                return Refusal{kCorrectValue, Field::AzDegrees};
            const auto alt = chart::ParseNumberField(altText);
            if (!alt || !(*alt >= -90.0 && *alt <= 90.0))
                return Refusal{kCorrectValue, Field::Alt};
            // The horizontal frame counts its angle in hours from the south point towards
            // the east; the user's azimuth runs from the north through the east.
            double hours = std::fmod((540.0 - az) / 15.0, 24.0);
            if (hours < 0.0)
                hours += 24.0;
            m_target = astro::fromHorizontal(astro::SkyPoint(hours, *alt), m_chart.frames());
        }
        const auto radius = chart::ParseNumberField(radiusText);
        if (!radius || !(*radius >= kMinRadius && *radius <= kMaxRadius))
            return Refusal{kRadiusRange, Field::Radius};
        m_radius = *radius;
    }
    return std::nullopt;
}

bool AsteroidFiltersModel::passes(const astro::MinorBody& body) const {
    if (numberFilter && (body.number() < m_from || body.number() > m_to))
        return false;
    if (magnitudeFilter && !(body.results.magnitude <= m_magnitude))
        return false;
    if (areaFilter) {
        const double product = std::clamp(body.dot(m_target), -1.0, 1.0);
        if (!(std::acos(product) * kDegreesPerRadian <= m_radius))
            return false;
    }
    return true;
}

std::size_t AsteroidFiltersModel::apply(MinorBodyListModel& list, const astro::ObservationParams& p,
                                        const Progress& progress) const {
    std::size_t passed = 0;
    const std::size_t total = list.size();
    for (std::size_t i = 0; i < total; ++i) {
        astro::MinorBody& body = list.body(i);
        body.Compute(p);
        if (passes(body)) {
            body.shown = 1;
            list.setChecked(i, true);
            ++passed;
        }
        if (progress)
            progress(i + 1, total);
    }
    return passed;
}

} // namespace catalog
