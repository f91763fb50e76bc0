#include "chart/StatusPanes.h"

#include "astro/Format.h"

#include <algorithm>
#include <cstdio>

namespace chart {

namespace {

constexpr std::size_t index(PaneId id) { return static_cast<std::size_t>(id); }

constexpr PaneId kBottomRow[] = {PaneId::Location, PaneId::Time, PaneId::Zoom,
                                 PaneId::Equatorial, PaneId::Azimuthal};

std::string trimmed(std::string s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

} // namespace

const PaneInfo& paneInfo(PaneId id) {
    static const std::array<PaneInfo, kPaneCount> infos = {{
        {"Status_Location", "Location", {}},
        {"Status_Time", "", {"00/00/0000 00:00:00", "Time step:  0000 s"}},
        {"Status_Zoom", "", {"Field:  00.0°", "Stars magn:  00.0"}},
        {"Status_Eq", "Equatorial", {"RA: 00h 00m 00s  Dec: -00. 00. 00.."}},
        {"Status_Az", "Azimuthal", {"Az: 000. 00. 00.  Alt: -00. 00. 00.."}},
        {"Status_Ec", "Ecliptical", {"Lon: 000. 00. 00.  Lat: -00. 00. 00.."}},
        {"Status_Compass", "", {}},
    }};
    return infos[index(id)];
}

StatusPanes::StatusPanes() {
    for (PaneState& p : m_panes)
        p.rect = kUnplacedRect;
}

bool StatusPanes::Load(const settings::SettingsStore& store) {
    bool arrange = false;
    for (int i = 0; i < kPaneCount; ++i) {
        const char* section = paneInfo(static_cast<PaneId>(i)).section;
        PaneState& p = m_panes[static_cast<std::size_t>(i)];
        p.visible = store.getInt(section, "Visible", 1) != 0;
        const PaneRect stored{store.getInt(section, "Left", 0), store.getInt(section, "Top", 0),
                              store.getInt(section, "Width", 0),
                              store.getInt(section, "Height", 0)};
        // A size that is not positive is no stored place either.
        if (stored.width <= 0 || stored.height <= 0) {
            p.rect = kUnplacedRect;
            arrange = true;
        } else {
            p.rect = stored;
        }
    }
    countryFlag = store.getInt(kFlagsSection, "CountryFlag", 1) != 0 ? 1 : 0;
    eqConstFlag = store.getInt(kFlagsSection, "eqConstFlag", 0) != 0;
    azConstFlag = store.getInt(kFlagsSection, "azConstFlag", 1) != 0;
    ecConstFlag = store.getInt(kFlagsSection, "ecConstFlag", 0) != 0;
    // At most one pane shows the constellation: the ecliptic, then azimuthal, then equatorial.
    if (ecConstFlag)
        eqConstFlag = azConstFlag = false;
    else if (azConstFlag)
        eqConstFlag = false;
    return arrange;
}

void StatusPanes::SaveAll(settings::SettingsStore& store) const {
    for (int i = 0; i < kPaneCount; ++i) {
        const char* section = paneInfo(static_cast<PaneId>(i)).section;
        const PaneState& p = m_panes[static_cast<std::size_t>(i)];
        store.writeInt(section, "Visible", p.visible ? 1 : 0);
        store.writeInt(section, "Left", p.rect.left);
        store.writeInt(section, "Top", p.rect.top);
        store.writeInt(section, "Width", p.rect.width);
        store.writeInt(section, "Height", p.rect.height);
    }
    store.writeInt(kFlagsSection, "CountryFlag", countryFlag);
    store.writeInt(kFlagsSection, "eqConstFlag", eqConstFlag ? 1 : 0);
    store.writeInt(kFlagsSection, "azConstFlag", azConstFlag ? 1 : 0);
    store.writeInt(kFlagsSection, "ecConstFlag", ecConstFlag ? 1 : 0);
}

bool StatusPanes::constellationLine(PaneId id) const {
    switch (id) {
    case PaneId::Equatorial: return eqConstFlag;
    case PaneId::Azimuthal: return azConstFlag;
    case PaneId::Ecliptic: return ecConstFlag;
    default: return false;
    }
}

std::vector<std::string> StatusPanes::sizeLines(PaneId id) const {
    std::vector<std::string> lines =
        id == PaneId::Location ? pane(id).lines : paneInfo(id).templates;
    if (constellationLine(id))
        lines.emplace_back(kConstellationTemplate);
    return lines;
}

void StatusPanes::FitToContent(PaneId id, const MeasureText& measure) {
    PaneState& p = pane(id);
    int width = 0;
    int height = 0;
    if (id == PaneId::Compass) {
        width = height = kCompassSize;
    } else {
        const std::string title = paneInfo(id).title;
        int widest = 0;
        int count = 0;
        if (!title.empty()) {
            const auto [w, h] = measure(title, true);
            widest = w;
            height += h;
            ++count;
        }
        for (const std::string& line : sizeLines(id)) {
            const auto [w, h] = measure(line, false);
            widest = std::max(widest, w);
            height += h - (count > 0 ? 1 : 0);
            ++count;
        }
        width = 3 + widest + 3;
        height = 3 + height + 3;
    }
    const int right = p.rect.right();
    const int bottom = p.rect.bottom();
    p.rect = PaneRect{right - width, bottom - height, width, height};
}

void StatusPanes::FitAll(const MeasureText& measure) {
    for (int i = 0; i < kPaneCount; ++i)
        FitToContent(static_cast<PaneId>(i), measure);
}

void StatusPanes::ArrangeAll(int workWidth, int workHeight) {
    int total = 0;
    for (const PaneId id : kBottomRow)
        if (pane(id).visible)
            total += pane(id).rect.width + 2;
    PaneState& ecliptic = pane(PaneId::Ecliptic);
    if (ecliptic.visible && total + ecliptic.rect.width < workWidth - 20)
        total += ecliptic.rect.width;
    int x = (workWidth - total) / 2;
    int bottom = workHeight - 6;
    const PaneState* last = nullptr;
    for (const PaneId id : kBottomRow) {
        PaneState& p = pane(id);
        if (!p.visible)
            continue;
        p.rect.left = x;
        p.rect.top = bottom - p.rect.height;
        x += p.rect.width + 2;
        last = &p;
    }
    if (ecliptic.visible) {
        // Too wide: above the last pane of the row (the azimuthal one unless it is hidden,
        // so that it never covers a pane).
        if (x + ecliptic.rect.width > workWidth - 20 && last) {
            x -= last->rect.width + 2;
            bottom -= last->rect.height + 2;
        }
        ecliptic.rect.left = x;
        ecliptic.rect.top = bottom - ecliptic.rect.height;
    }
    PaneState& compass = pane(PaneId::Compass);
    if (compass.visible) {
        compass.rect.left = workWidth - 2 * compass.rect.width;
        compass.rect.top = (3 * compass.rect.width) / 2;
    }
}

bool StatusPanes::Overlaps(const PaneRect& rect, PaneId except) const {
    for (int i = 0; i < kPaneCount; ++i) {
        const auto id = static_cast<PaneId>(i);
        if (id != except && pane(id).visible && pane(id).rect.intersects(rect))
            return true;
    }
    return false;
}

bool StatusPanes::MoveTo(PaneId id, int left, int top) {
    PaneState& p = pane(id);
    PaneRect moved = p.rect;
    moved.left = left;
    moved.top = top;
    if (Overlaps(moved, id) && !Overlaps(p.rect, id))
        return false;
    p.rect = moved;
    return true;
}

std::vector<std::string> StatusPanes::EquatorialLines(double raHours, double decDegrees) {
    return {"RA: " + astro::formatHours(raHours, 0) +
            "  Dec: " + astro::formatDegrees(decDegrees, 0, true)};
}

std::vector<std::string> StatusPanes::AzimuthalLines(double azimuth, double altitude) {
    return {"Az: " + trimmed(astro::formatDegrees(azimuth, 0, false)) +
            "  Alt: " + astro::formatDegrees(altitude, 0, true)};
}

std::vector<std::string> StatusPanes::EclipticLines(double longitude, double latitude) {
    return {"Lon: " + trimmed(astro::formatDegrees(longitude, 0, false)) +
            "  Lat: " + astro::formatDegrees(latitude, 0, true)};
}

std::vector<std::string> StatusPanes::TimeLines(int month, int day, int year, int hour,
                                                int minute, int second, int paceSeconds) {
    char date[64];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d %02d:%02d:%02d", month, day, year, hour,
                  minute, second);
    char pace[48];
    std::snprintf(pace, sizeof pace, "Time step:  %d s", paceSeconds);
    return {date, pace};
}

std::vector<std::string> StatusPanes::ZoomLines(std::optional<double> fieldDegrees,
                                                std::optional<double> starLimit) {
    std::string field = "Field:  ";
    std::string stars = "Stars magn:  ";
    char buf[32];
    if (fieldDegrees) {
        std::snprintf(buf, sizeof buf, "%.1f°", *fieldDegrees);
        field += buf;
    }
    if (starLimit) {
        std::snprintf(buf, sizeof buf, "%.1f", *starLimit);
        stars += buf;
    }
    return {field, stars};
}

std::vector<std::string> StatusPanes::LocationLines(const std::string& name,
                                                    const std::string& latitude,
                                                    const std::string& longitude, bool dst) {
    std::vector<std::string> lines;
    if (!name.empty())
        lines.push_back("   " + name);
    lines.push_back("   " + latitude + "  " + longitude);
    lines.push_back(dst ? "   DST: Yes" : "   DST: No");
    return lines;
}

std::vector<std::string>
StatusPanes::CoordinateLines(PaneId id, const std::optional<HoverReadout>& readout) const {
    std::vector<std::string> lines;
    switch (id) {
    case PaneId::Equatorial:
        lines = readout ? EquatorialLines(readout->ra, readout->dec)
                        : std::vector<std::string>{"RA:   Dec: "};
        break;
    case PaneId::Azimuthal:
        lines = readout ? AzimuthalLines(readout->azimuth, readout->altitude)
                        : std::vector<std::string>{"Az:   Alt: "};
        break;
    case PaneId::Ecliptic:
        lines = readout ? EclipticLines(readout->eclipticLongitude, readout->eclipticLatitude)
                        : std::vector<std::string>{"Lon:   Lat: "};
        break;
    default:
        return lines;
    }
    if (constellationLine(id))
        lines.push_back("Constellation: " + (readout ? readout->constellation : std::string()));
    return lines;
}

namespace {

std::string localText(const StatusBarState& s) {
    if (!s.local)
        return {};
    const astro::DateTime::Fields f = s.local->fields();
    char buf[64];
    if (s.dateOnly)
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", f.month, f.day, f.year);
    else
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d", f.month, f.day, f.year,
                      f.hour, f.minute, f.second);
    return buf;
}

std::string oneDecimal(const char* label, std::optional<double> v, const char* unit = "") {
    std::string t = label;
    if (v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.1f%s", *v, unit);
        t += buf;
    }
    return t;
}

std::string pointerEq(const StatusBarState& s) {
    return "    Eq: " + (s.pointer ? astro::formatHours(s.pointer->ra, 0) + "  " +
                                         astro::formatDegrees(s.pointer->dec, 0, true)
                                   : std::string());
}

std::string pointerAz(const StatusBarState& s) {
    return "Az: " + (s.pointer ? trimmed(astro::formatDegrees(s.pointer->azimuth, 0, false)) +
                                     "  " + astro::formatDegrees(s.pointer->altitude, 0, true)
                               : std::string());
}

} // namespace

std::array<std::vector<std::string>, 2> StandardBarFields(const StatusBarState& s) {
    std::string zenith = "Zenith: ";
    if (s.zenith)
        zenith += astro::formatHours(s.zenith->ra(), 0) + "  " +
                  astro::formatDegrees(s.zenith->dec(), 0, true);
    return {{{s.place + (s.dst ? "   DST: Yes" : "   DST: No"), localText(s), zenith,
              oneDecimal("Zoom: ", s.fieldDegrees, "\u00B0"), oneDecimal("Stars: ", s.starLimit)},
             {pointerEq(s), pointerAz(s),
              "    Constellation:  " + (s.pointer ? s.pointer->constellation : std::string())}}};
}

std::vector<std::string> MinimalBarFields(const StatusBarState& s) {
    return {s.place, s.dst ? "DST: Yes" : "DST: No", localText(s),
            oneDecimal("Stars: ", s.starLimit), pointerEq(s), pointerAz(s),
            "   Constellation:  " + (s.pointer ? s.pointer->constellation : std::string())};
}

StatusDialogModel::StatusDialogModel(const StatusPanes& panes) {
    for (int i = 0; i < kPaneCount; ++i)
        visible[static_cast<std::size_t>(i)] = panes.pane(static_cast<PaneId>(i)).visible;
    nationalFlag = panes.countryFlag != 0;
    constellation = panes.eqConstFlag || panes.azConstFlag || panes.ecConstFlag;
    constellationPane = panes.ecConstFlag ? 2 : panes.azConstFlag ? 1 : 0;
}

void StatusDialogModel::Apply(StatusPanes& panes) const {
    for (int i = 0; i < kPaneCount; ++i)
        panes.pane(static_cast<PaneId>(i)).visible = visible[static_cast<std::size_t>(i)];
    panes.countryFlag = nationalFlag ? 1 : 0;
    panes.eqConstFlag = constellation && constellationPane == 0;
    panes.azConstFlag = constellation && constellationPane == 1;
    panes.ecConstFlag = constellation && constellationPane == 2;
}

} // namespace chart
