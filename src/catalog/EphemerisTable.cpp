#include "catalog/EphemerisTable.h"

#include "astro/BodyText.h"
#include "astro/Format.h"
#include "astro/Frames.h"
#include "astro/MinorBody.h"
#include "astro/RiseSet.h"
#include "astro/TextNumber.h"
#include "astro/Time.h"
#include "catalog/AtomicFile.h"
#include "catalog/Constellations.h"
#include "catalog/ObjectProperties.h"
#include "catalog/Places.h"
#include "catalog/TextUtil.h"
#include "chart/ObjectDialogs.h"
#include "chart/SkyChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace catalog {

namespace {

constexpr std::array<const char*, kEphemerisColumnCount> kHeaders = {
    "Local Time", "UT",        "Julian Day", "RA",    "Declination",   "Azimuth",
    "Altitude",   "Longitude", "Latitude",   "Magnitude", "Rise",      "Transit",
    "Set",        "Phase",     "Tr.Geoc.Dist.", "Eq.Diameter", "Elongation", "Constellation"};

constexpr std::array<const char*, kEphemerisColumnCount> kCheckLabels = {
    "Local time",  "UT",          "Julian day",           "RA",
    "Declination", "Azimuth",     "Altitude",             "Longitude (ecliptic)",
    "Latitude (ecliptic)", "Magnitude", "Rise",           "Transit",
    "Set",         "Phase",       "True geoc. distance",  "Equatorial diameter",
    "Elongation",  "Constellation"};

// Characters of a UTF-8 text: the bytes that do not continue a sequence.
int codePoints(const std::string& s) {
    int n = 0;
    for (const unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

// The text followed by blanks up to `width` characters.
std::string padded(const std::string& s, int width) {
    const int n = codePoints(s);
    return n >= width ? s : s + std::string(static_cast<std::size_t>(width - n), ' ');
}

// "%02d/%02d/%04d %02d:%02d:%02d": month, day, year, hour, minute, second.
std::string tableDateTime(const astro::DateTime& dt) {
    const astro::DateTime::Fields f = dt.fields();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d", f.month, f.day, f.year,
                  f.hour, f.minute, f.second);
    return buf;
}

// Kinds of the bodies and the columns they have no value for.
bool columnApplies(int kind, std::size_t column) {
    switch (kind) {
    case astro::KindSun:
        return column != ColumnMagnitude && column != ColumnPhase && column != ColumnDiameter &&
               column != ColumnElongation && column != ColumnDistance;
    case astro::KindMoon:
        return column != ColumnMagnitude && column != ColumnDiameter;
    case astro::KindAsteroid:
    case astro::KindComet:
        return column != ColumnDiameter;
    default:
        return true;
    }
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\n\r") == std::string::npos)
        return s;
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::vector<const EphemerisColumn*> EphemerisTable::shownColumns() const {
    std::vector<const EphemerisColumn*> shown;
    for (const EphemerisColumn& c : columns)
        if (c.shown)
            shown.push_back(&c);
    return shown;
}

const std::array<const char*, kEphemerisColumnCount>& EphemerisHeaders() {
    return kHeaders;
}

const std::array<const char*, kEphemerisColumnCount>& EphemerisCheckLabels() {
    return kCheckLabels;
}

double ZoneSpanDays(float timeZoneHours, int daylightSaving) {
    // Whole seconds of the zone (zones are whole or half hours, 5.75 at most odd) and the
    // daylight-saving hour, as exact day fractions.
    double seconds = std::round(static_cast<double>(timeZoneHours) * 3600.0);
    if (daylightSaving == 1)
        seconds += 3600.0;
    return seconds / 86400.0;
}

std::unique_ptr<astro::SolarSystemBody> PrivateBodyLike(const astro::SolarSystemBody& body) {
    switch (body.GetType()) {
    case astro::KindSun:
        return std::make_unique<astro::Sun>();
    case astro::KindMercury:
        return std::make_unique<astro::Mercury>();
    case astro::KindVenus:
        return std::make_unique<astro::Venus>();
    case astro::KindMoon:
        return std::make_unique<astro::Moon>();
    case astro::KindMars:
        return std::make_unique<astro::Mars>();
    case astro::KindJupiter:
        return std::make_unique<astro::Jupiter>();
    case astro::KindSaturn:
        return std::make_unique<astro::Saturn>();
    case astro::KindUranus:
        return std::make_unique<astro::Uranus>();
    case astro::KindNeptune:
        return std::make_unique<astro::Neptune>();
    case astro::KindPluto:
        return std::make_unique<astro::Pluto>();
    case astro::KindAsteroid:
        if (const auto* a = dynamic_cast<const astro::Asteroid*>(&body))
            return std::make_unique<astro::Asteroid>(a->block);
        return nullptr;
    case astro::KindComet:
        if (const auto* c = dynamic_cast<const astro::Comet*>(&body))
            return std::make_unique<astro::Comet>(c->block);
        return nullptr;
    default:
        return nullptr;
    }
}

EphemerisTable ComputeEphemeris(const astro::SolarSystemBody& body, const chart::SkyChart& chart,
                                const ConstellationData* constellations,
                                const EphemerisRequest& request) {
    EphemerisTable table;
    table.title = body.GetName();
    for (std::size_t c = 0; c < kEphemerisColumnCount; ++c) {
        table.columns[c].header = kHeaders[c];
        table.columns[c].shown = request.shown[c];
    }
    std::unique_ptr<astro::SolarSystemBody> own = PrivateBodyLike(body);
    const std::size_t rows =
        own && request.count > 0
            ? std::min(static_cast<std::size_t>(request.count), kEphemerisMaxRows)
            : 0;
    for (EphemerisColumn& c : table.columns)
        c.cells.reserve(rows);

    const int dst = chart.clock.DaylightSaving;
    const double span = ZoneSpanDays(chart.site.timeZone, dst);
    astro::Site site = chart.site;
    site.height = chart.frames().conditions.height;
    site.temperature = chart.frames().conditions.temperature;
    site.pressure = chart.frames().conditions.pressure;
    // The horizontal frames of each row's instant are the table's own.
    astro::CoordinateFrames frames;
    frames.conditions = chart.frames().conditions;
    const bool isSun = body.GetType() == astro::KindSun;

    astro::DateTime ut = request.startLocal.addDays(-span);
    for (std::size_t row = 0; row < rows && ut.isValid(); ++row) {
        const astro::ObservationParams p = astro::makeObservationParams(ut, site, dst);
        own->Compute(p);
        const astro::DateTime local = ut.addDays(span);
        const astro::SkyPoint direction(own->x(), own->y(), own->z());

        frames.setZenith(astro::chartZenith(ut, site.latitude, site.longitude),
                         astro::julianDay(ut));
        const astro::SkyPoint horizontal = astro::toHorizontalRefracted(direction, frames);
        const astro::SkyPoint ecliptic = astro::toEcliptic(direction, frames);

        double elongation = 0.0;
        if (!isSun) {
            astro::Sun sun;
            sun.Compute(p);
            elongation = astro::angularDistance(direction, sun);
        }
        const astro::BodyTexts texts = astro::bodyTexts(*own, elongation);
        const ephem::EphemerisResult& r = own->results;
        const astro::EventCells events = astro::ephemerisEventCells(
            astro::bodyEvents(direction.dec(), site.latitude, r.rise, r.transit, r.set));

        std::array<std::string, kEphemerisColumnCount> cells;
        cells[ColumnLocalTime] = tableDateTime(local);
        cells[ColumnUniversalTime] = tableDateTime(ut);
        cells[ColumnJulianDay] = astro::formatFixed(astro::julianDay(ut), 4);
        cells[ColumnRightAscension] = astro::formatHours(direction.ra(), 2);
        cells[ColumnDeclination] = astro::formatDegrees(direction.dec(), 1, true);
        cells[ColumnAzimuth] = astro::formatDegrees(ShownAzimuth(horizontal.ra()), 2, false);
        cells[ColumnAltitude] = astro::formatDegrees(horizontal.dec(), 1, true);
        cells[ColumnEclipticLongitude] = astro::formatDegrees(15.0 * ecliptic.ra(), 2, false);
        cells[ColumnEclipticLatitude] = astro::formatDegrees(ecliptic.dec(), 1, true);
        cells[ColumnMagnitude] = texts.magnitude;
        cells[ColumnRise] = events.rise;
        cells[ColumnTransit] = events.transit;
        cells[ColumnSet] = events.set;
        cells[ColumnPhase] = texts.phase;
        cells[ColumnDistance] = texts.distance;
        cells[ColumnDiameter] = texts.diameter;
        cells[ColumnElongation] = texts.elongation;
        cells[ColumnConstellation] =
            constellations ? constellations->FindConstellationAt(direction) : std::string();
        for (std::size_t c = 0; c < kEphemerisColumnCount; ++c) {
            if (!columnApplies(own->GetType(), c))
                cells[c].clear();
            table.columns[c].cells.push_back(std::move(cells[c]));
        }
        ++table.rowCount;
        ut = ut.addDays(request.stepDays);
    }

    for (EphemerisColumn& c : table.columns) {
        c.width = codePoints(c.header);
        for (const std::string& cell : c.cells)
            c.width = std::max(c.width, codePoints(cell));
    }
    return table;
}

std::string EphemerisPlaceLine(const chart::SkyChart& chart, const PlaceList* places) {
    std::string line = "Observing place: ";
    if (places) {
        const ObservingPlace place(*places, chart.settings.place);
        if (place.IsFixed())
            line += place.PlaceName();
    }
    line += "   Latitude: " + latitudeText(chart.site.latitude);
    line += "  Longitude: " + longitudeText(chart.site.longitude);
    return line;
}

std::string EphemerisText(const EphemerisTable& table, const std::string& placeLine) {
    std::string t = "\nEphemeris of " + table.title + "\nCreated by Skyvane v.3.0";
    t += "\n" + placeLine + "\n\n\n";
    const std::vector<const EphemerisColumn*> shown = table.shownColumns();
    for (const EphemerisColumn* c : shown)
        t += padded(c->header, c->width + 3);
    t += "\n";
    for (std::size_t row = 0; row < table.rowCount; ++row) {
        for (const EphemerisColumn* c : shown)
            t += padded(row < c->cells.size() ? c->cells[row] : std::string(), c->width + 3);
        t += "\n";
    }
    return t;
}

std::string EphemerisCsv(const EphemerisTable& table) {
    const std::vector<const EphemerisColumn*> shown = table.shownColumns();
    std::string t;
    for (std::size_t i = 0; i < shown.size(); ++i)
        t += (i ? "," : "") + csvField(shown[i]->header);
    t += "\n";
    for (std::size_t row = 0; row < table.rowCount; ++row) {
        for (std::size_t i = 0; i < shown.size(); ++i)
            t += (i ? "," : "") + csvField(shown[i]->cells[row]);
        t += "\n";
    }
    return t;
}

std::string EphemerisJsonLines(const EphemerisTable& table) {
    const std::vector<const EphemerisColumn*> shown = table.shownColumns();
    std::string t;
    for (std::size_t row = 0; row < table.rowCount; ++row) {
        t += "{" + jsonQuoted("body") + ":" + jsonQuoted(table.title);
        for (const EphemerisColumn* c : shown)
            t += "," + jsonQuoted(c->header) + ":" + jsonQuoted(c->cells[row]);
        t += "}\n";
    }
    return t;
}

std::string WriteEphemerisFile(const std::filesystem::path& path, const std::string& text) {
    AtomicWriteFailure failure;
    if (writeFileAtomically(path, text, &failure))
        return {};
    switch (failure.step) {
    case AtomicWriteFailure::Step::Create:
        return "Cannot create the file " + failure.temporary.string() + ".";
    case AtomicWriteFailure::Step::Write:
        return "Cannot write the file " + failure.temporary.string() + ".";
    case AtomicWriteFailure::Step::Rename:
    default:
        return "Cannot replace " + failure.target.string() +
               (failure.reason.empty() ? "." : ": " + failure.reason + ".");
    }
}

int EphemerisPageCount(std::size_t rows) {
    return static_cast<int>(rows / kEphemerisRowsPerPage) + 1;
}

void PrintEphemerisPage(chart::Surface& surface, const EphemerisTable& table,
                        const std::string& placeLine, int page) {
    const int H = surface.height();
    const int T = 6 * H / 7;
    const int R = H - T;
    const int pages = EphemerisPageCount(table.rowCount);

    chart::Font font;
    font.faceName = "Arial";
    font.height = std::max(1, (T - static_cast<int>(kEphemerisRowsPerPage) * 15) /
                                  static_cast<int>(kEphemerisRowsPerPage));
    surface.setTextAlign(chart::kLeftTop);
    surface.setTransparentBackground(true);
    surface.setTextColour({0, 0, 0});
    surface.setPen({chart::PenStyle::Solid, 1, {0, 0, 0}});

    font.weight = 700;
    surface.setFont(font);
    int h = surface.textExtent("Test").height;
    int y = 10;
    surface.text(5, y, "Ephemeris of " + table.title);
    y += h + 15;
    surface.text(5, y, "Created by Skyvane v.3.0");
    y += h + 15;
    surface.text(5, y, placeLine);

    font.weight = 400;
    surface.setFont(font);
    const std::vector<const EphemerisColumn*> shown = table.shownColumns();
    std::vector<int> widths;
    auto measure = [&] {
        widths.clear();
        int total = 5;
        for (const EphemerisColumn* c : shown) {
            int w = surface.textExtent(c->header).width;
            for (const std::string& cell : c->cells)
                w = std::max(w, surface.textExtent(cell).width);
            widths.push_back(w);
            total += w + 30;
        }
        return total;
    };
    // Columns that would run off the page get a smaller font, in proportion, so that the
    // whole row fits; rows that fit keep the font of the page's height.
    const int total = measure();
    if (total > surface.width() && total > 5 + 30 * static_cast<int>(shown.size())) {
        const double room = surface.width() - 5.0 - 30.0 * static_cast<double>(shown.size());
        const double text = total - 5.0 - 30.0 * static_cast<double>(shown.size());
        font.height = std::max(1, static_cast<int>(font.height * std::max(room, 0.0) / text));
        surface.setFont(font);
        measure();
    }
    h = surface.textExtent("Test").height;

    y = 2 * R / 3;
    int x = 5;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        surface.text(x, y, shown[i]->header);
        surface.line(x, y + h + 15, x + widths[i] + 30, y + h + 15);
        x += widths[i] + 30;
    }
    y += h + 30;
    const std::size_t first =
        page >= 1 ? static_cast<std::size_t>(page - 1) * kEphemerisRowsPerPage : table.rowCount;
    for (std::size_t row = first;
         row < table.rowCount && row < first + kEphemerisRowsPerPage; ++row) {
        x = 5;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            surface.text(x, y, shown[i]->cells[row]);
            x += widths[i] + 30;
        }
        y += h + 15;
    }
    char footer[48];
    std::snprintf(footer, sizeof footer, "Page %d/%d", page, pages);
    surface.text(5, T + 2 * R / 3 + R / 6, footer);
}

// ---- the settings dialog

EphemerisSettingsModel::EphemerisSettingsModel(const astro::SolarSystemBody& body,
                                               const astro::DateTime& today, int localHour)
    : date(today), hour(std::to_string(std::clamp(localHour, 0, 23))),
      m_title("Ephemeris - " + body.GetName()), m_kind(body.GetType()) {}

bool EphemerisSettingsModel::columnEnabled(std::size_t column) const {
    return column < kEphemerisColumnCount && columnApplies(m_kind, column);
}

EphemerisSettingsModel::Range EphemerisSettingsModel::rangeOf(Field field) {
    switch (field) {
    case Field::Hour:
        return {0, 23};
    case Field::Minute:
    case Field::Second:
        return {0, 59};
    case Field::Interval:
        return {1, 10000};
    case Field::Count:
        return {1, static_cast<int>(kEphemerisMaxRows)};
    case Field::None:
    default:
        return {0, 0};
    }
}

std::optional<EphemerisSettingsModel::Refusal> EphemerisSettingsModel::validate() const {
    struct Check {
        const std::string* text;
        Field field;
    };
    const Check checks[] = {{&hour, Field::Hour},
                            {&minute, Field::Minute},
                            {&second, Field::Second},
                            {&interval, Field::Interval},
                            {&count, Field::Count}};
    for (const Check& c : checks) {
        const Range range = rangeOf(c.field);
        const std::optional<long> v = chart::ParseIntegerField<long>(*c.text);
        if (!v || *v < range.low || *v > range.high)
            return Refusal{integerRangeMessage(range.low, range.high), c.field};
    }
    if (!date.isValid())
        return Refusal{"Please enter a valid date.", Field::None};
    return std::nullopt;
}

EphemerisRequest EphemerisSettingsModel::request() const {
    EphemerisRequest r;
    for (std::size_t c = 0; c < kEphemerisColumnCount; ++c)
        r.shown[c] = shown[c] && columnEnabled(c);
    auto value = [](const std::string& text, int fallback) {
        const std::optional<long> v = chart::ParseIntegerField<long>(text);
        return v ? static_cast<int>(*v) : fallback;
    };
    const int h = std::clamp(value(hour, 0), 0, 23);
    const int m = std::clamp(value(minute, 0), 0, 59);
    const int s = std::clamp(value(second, 0), 0, 59);
    r.startLocal = astro::DateTime(date.year(), date.month(), date.day(), h, m, s);
    double step = std::clamp(value(interval, 1), 1, 10000);
    if (unit == Unit::Hours)
        step /= 24.0;
    else if (unit == Unit::Seconds)
        step /= 86400.0;
    r.stepDays = step;
    r.count = std::clamp(value(count, 50), 1, static_cast<int>(kEphemerisMaxRows));
    return r;
}

} // namespace catalog
