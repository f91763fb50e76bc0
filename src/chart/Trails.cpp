#include "chart/Trails.h"

#include "astro/MinorBody.h"
#include "astro/Time.h"
#include "chart/ChartClock.h"
#include "chart/DrawContext.h"
#include "chart/Navigation.h"
#include "chart/SkyChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <type_traits>
#include <utility>

namespace chart {

namespace {

template <class T> std::unique_ptr<astro::SolarSystemBody> copyOf(const astro::SolarSystemBody& b) {
    auto copy = std::make_unique<T>();
    // Every field of the body, whatever class derives from it; the copy keeps its own class.
    static_cast<astro::SolarSystemBody&>(*copy) = b;
    if constexpr (std::is_base_of_v<astro::MinorBody, T>) {
        if (const auto* minor = dynamic_cast<const astro::MinorBody*>(&b))
            copy->block = minor->block;
    }
    return copy;
}

// A UTF-8 text cut to at most max bytes, never inside a character.
std::string cutText(std::string_view text, std::size_t max) {
    if (text.size() <= max)
        return std::string(text);
    std::size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return std::string(text.substr(0, n));
}

std::string pointLabel(const astro::DateTime& local, bool drawDate, bool drawTime) {
    const astro::DateTime::Fields f = local.fields();
    std::string label;
    char buf[64];
    if (drawDate) {
        std::snprintf(buf, sizeof buf, "%d.%d.%d ", f.month, f.day, f.year);
        label += buf;
    }
    if (drawTime) {
        std::snprintf(buf, sizeof buf, "%02d:%02d", f.hour, f.minute);
        label += buf;
    }
    return label;
}

struct TrailStyle {
    Pen pen;
    Colour label;
};

TrailStyle styleOf(const Trail& trail, const DrawContext& ctx) {
    if (const PrintContext* print = ctx.print()) {
        if (print->blackAndWhite) {
            Pen pen = trail.pens[Trail::PenPrinter];
            pen.colour = {0, 0, 0};
            return {pen, {0, 0, 0}};
        }
        return {trail.pens[Trail::PenPrinter], trail.colours.printerLabel};
    }
    switch (ctx.view()) {
    case settings::ViewType::True:
        return {trail.pens[Trail::PenTrue], trail.colours.trueLabel};
    case settings::ViewType::Red:
        return {trail.pens[Trail::PenRed], {255, 0, 0}};
    case settings::ViewType::BlackWhite:
        return {trail.pens[Trail::PenBlack], {0, 0, 0}};
    default:
        return {trail.pens[Trail::PenStandard], trail.colours.standardLabel};
    }
}

// On chart, with the pixel. On paper the point must also be on the window's chart: the page
// shows what the window shows.
bool placeOnChart(const DrawContext& ctx, const astro::SkyPoint& p, Point& px) {
    if (!ctx.onChart(p, px))
        return false;
    return !ctx.print() || ctx.chart().IsOnChart(p);
}

// Half the side of a point mark on paper: the screen's one pixel, scaled to the page.
int printMarkHalf(const DrawContext& ctx) {
    const ProjectionParams* page = ctx.printParams();
    const int windowCy = ctx.chart().projection().cy;
    if (!page || windowCy <= 0)
        return 1;
    const double scale = static_cast<double>(page->cy) / windowCy;
    return std::clamp(static_cast<int>(std::lround(scale)), 1, 50);
}

void drawTrail(DrawContext& ctx, const Trail& trail) {
    const std::vector<TrailPoint>& points = trail.points();
    const std::size_t n = points.size();
    if (n == 0)
        return;
    const TrailStyle style = styleOf(trail, ctx);
    Surface& s = ctx.surface();
    s.setPen(style.pen);
    s.setTextColour(style.label);
    s.setFont(trail.font);
    s.setTextAlign(kLeftBaseline);
    s.setTransparentBackground(true);

    std::vector<Point> pixels(n);
    std::vector<char> on(n);
    for (std::size_t i = 0; i < n; ++i) {
        Point px;
        on[i] = placeOnChart(ctx, points[i].direction, px) ? 1 : 0;
        pixels[i] = on[i] ? px : ctx.pixel(points[i].direction);
    }

    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (on[i] || on[i + 1])
            s.line(pixels[i].x, pixels[i].y, pixels[i + 1].x, pixels[i + 1].y);
    }

    const bool paper = ctx.print() != nullptr;
    const int half = paper ? printMarkHalf(ctx) : 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (!on[i])
            continue;
        const Point p = pixels[i];
        if (paper) {
            s.fillRect({p.x - half, p.y - half, p.x + half + 1, p.y + half + 1}, style.label);
            continue;
        }
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                s.setPixel(p.x + dx, p.y + dy, style.label);
    }

    if (trail.density <= 0)
        return;
    const auto density = static_cast<std::size_t>(trail.density);
    for (std::size_t i = 0; i < n; i += density) {
        if (on[i] && !points[i].label.empty())
            s.text(pixels[i].x, pixels[i].y, points[i].label);
    }
}

} // namespace

Font defaultTrailFont() {
    Font font;
    font.faceName = "Arial";
    font.height = 15;
    font.weight = 400;
    return font;
}

std::unique_ptr<astro::SolarSystemBody> CloneBody(const astro::SolarSystemBody& body) {
    switch (body.GetType()) {
    case astro::KindSun:
        return copyOf<astro::Sun>(body);
    case astro::KindMercury:
        return copyOf<astro::Mercury>(body);
    case astro::KindVenus:
        return copyOf<astro::Venus>(body);
    case astro::KindMoon:
        return copyOf<astro::Moon>(body);
    case astro::KindMars:
        return copyOf<astro::Mars>(body);
    case astro::KindJupiter:
        return copyOf<astro::Jupiter>(body);
    case astro::KindSaturn:
        return copyOf<astro::Saturn>(body);
    case astro::KindUranus:
        return copyOf<astro::Uranus>(body);
    case astro::KindNeptune:
        return copyOf<astro::Neptune>(body);
    case astro::KindPluto:
        return copyOf<astro::Pluto>(body);
    case astro::KindAsteroid:
        return copyOf<astro::Asteroid>(body);
    case astro::KindComet:
        return copyOf<astro::Comet>(body);
    default:
        return copyOf<astro::SolarSystemBody>(body);
    }
}

Trail::Trail() {
    makePens();
}

Trail::Trail(const Trail& other)
    : colours(other.colours), font(other.font), computings(other.computings),
      density(other.density), pens(other.pens), name(other.name),
      m_body(other.m_body ? CloneBody(*other.m_body) : nullptr), m_points(other.m_points) {}

Trail& Trail::operator=(const Trail& other) {
    if (this != &other) {
        Trail copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void Trail::makePens() {
    pens[PenStandard] = {PenStyle::Solid, 1, colours.standardTrail};
    pens[PenTrue] = {PenStyle::Solid, 1, colours.trueTrail};
    pens[PenRed] = {PenStyle::Solid, 1, {255, 0, 0}};
    pens[PenBlack] = {PenStyle::Solid, 1, {0, 0, 0}};
    pens[PenPrinter] = {PenStyle::Solid, 2, colours.printerTrail};
}

bool Trail::appendPoint(const astro::SkyPoint& direction, std::string_view label) {
    if (m_points.size() >= kMaxPoints)
        return false;
    // Only the direction is kept, not the identity of the object it came from.
    const astro::SkyPoint plain = direction;
    m_points.push_back({plain, cutText(label, kMaxLabelLength)});
    return true;
}

bool TrailList::add(Trail trail) {
    if (full())
        return false;
    m_trails.push_back(std::move(trail));
    return true;
}

bool TrailList::remove(std::size_t i) {
    if (i >= m_trails.size())
        return false;
    m_trails.erase(m_trails.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

TrailDialogModel::TrailDialogModel(std::string title, const astro::DateTime& currentDate,
                                   int localHour)
    : date(currentDate), hour(std::clamp(localHour, kHourRange.low, kHourRange.high)),
      m_title(std::move(title)) {}

TrailDialogModel TrailDialogModel::forBody(const astro::SolarSystemBody& body,
                                           const SkyChart& chart,
                                           const astro::DateTime& currentDate) {
    return TrailDialogModel(TrailName(body), currentDate, chart.clock.Local.hour());
}

TrailSettings TrailDialogModel::accept() const {
    TrailSettings out;
    const astro::DateTime::Fields d = date.fields();
    out.startLocal =
        astro::DateTime(d.year, d.month, d.day, std::clamp(hour, kHourRange.low, kHourRange.high),
                        std::clamp(minute, kMinuteRange.low, kMinuteRange.high),
                        std::clamp(second, kSecondRange.low, kSecondRange.high));
    const double number = std::max(interval, kIntervalRange.low);
    switch (unit) {
    case TrailIntervalUnit::Hours:
        out.intervalDays = number / 24.0;
        break;
    case TrailIntervalUnit::Seconds:
        out.intervalDays = number / 86400.0;
        break;
    default:
        out.intervalDays = number;
        break;
    }
    out.computings = std::clamp(computings, 0, static_cast<int>(Trail::kMaxPoints));
    out.density = density;
    out.drawDate = drawDate;
    out.drawTime = drawTime;
    out.font = font;
    out.colours = colours;
    return out;
}

std::string TrailName(const astro::SolarSystemBody& body) {
    return "Trail of " + body.GetName();
}

Trail CreateTrail(const TrailSettings& settings, const astro::SolarSystemBody& body,
                  const SkyChart& chart) {
    Trail trail;
    trail.name = TrailName(body);
    trail.setBody(body);
    trail.colours = settings.colours;
    trail.font = settings.font;
    trail.computings = settings.computings;
    trail.density = settings.density;
    trail.makePens();

    double offset = static_cast<double>(chart.site.timeZone) * 3600.0 * ChartClock::kSecondDays;
    if (chart.clock.DaylightSaving)
        offset += ChartClock::kHourDays;

    astro::Site site = chart.site;
    site.height = chart.frames().conditions.height;
    site.temperature = chart.frames().conditions.temperature;
    site.pressure = chart.frames().conditions.pressure;

    const int count = std::clamp(settings.computings, 0, static_cast<int>(Trail::kMaxPoints));
    astro::DateTime instant = settings.startLocal.addDays(-offset);
    astro::SolarSystemBody& copy = *trail.body();
    for (int k = 0; k < count && instant.isValid(); ++k) {
        copy.Compute(astro::makeObservationParams(instant, site, chart.clock.DaylightSaving));
        const astro::DateTime local = instant.addDays(offset);
        trail.appendPoint(copy, pointLabel(local, settings.drawDate, settings.drawTime));
        instant = instant.addDays(settings.intervalDays);
    }
    return trail;
}

TrailListModel::TrailListModel(TrailList& trails) : m_trails(trails) {
    if (!m_trails.empty())
        m_selected = 0;
}

std::vector<std::string> TrailListModel::items() const {
    std::vector<std::string> names;
    names.reserve(m_trails.size());
    for (const Trail& t : m_trails)
        names.push_back(t.name);
    return names;
}

void TrailListModel::select(std::optional<std::size_t> index) {
    if (index && *index >= m_trails.size())
        index.reset();
    m_selected = index;
}

bool TrailListModel::canGoto() const {
    return m_selected && *m_selected < m_trails.size() && !m_trails[*m_selected].points().empty();
}

bool TrailListModel::deleteSelected() {
    if (!m_selected || !m_trails.remove(*m_selected))
        return false;
    if (m_trails.empty())
        m_selected.reset();
    else
        m_selected = std::min(*m_selected, m_trails.size() - 1);
    return true;
}

bool TrailListModel::deleteAll() {
    if (m_trails.empty())
        return false;
    m_trails.clear();
    m_selected.reset();
    return true;
}

const TrailPoint* TrailListModel::gotoPoint(const Trail& trail) {
    const std::vector<TrailPoint>& points = trail.points();
    if (points.empty())
        return nullptr;
    return &points[points.size() / 2];
}

bool TrailListModel::gotoSelected(SkyChart& chart) const {
    if (!canGoto())
        return false;
    return CentreOn(chart, gotoPoint(m_trails[*m_selected])->direction);
}

void DrawTrails(DrawContext& ctx, const TrailList& trails) {
    for (const Trail& trail : trails)
        drawTrail(ctx, trail);
}

} // namespace chart
