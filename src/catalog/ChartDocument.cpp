#include "catalog/ChartDocument.h"

#include "catalog/AtomicFile.h"
#include "catalog/LittleEndian.h"
#include "chart/ChartSettingsStore.h"
#include "chart/DrawContext.h"
#include "chart/GridDrawing.h"
#include "settings/ColorScheme.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace catalog {

namespace {

namespace fs = std::filesystem;
using chart::ChartSettings;
using chart::GridSettings;

// Widths of the fixed-size parts.
constexpr std::size_t kSkyPositionSize = 48;
constexpr std::size_t kCatalogueNameSize = 300;
constexpr std::size_t kTrailNameSize = 150;
constexpr std::size_t kPointLabelSize = 30;
constexpr std::size_t kFaceNameSize = 32;
constexpr std::size_t kColourCount = 6;
constexpr std::size_t kLogFontSize = 60;
constexpr std::size_t kLogPenSize = 16;
constexpr std::size_t kPointSize = kSkyPositionSize + kPointLabelSize;
// A trail record without points.
constexpr std::size_t kTrailFixedSize = kColourCount * 4 + kLogFontSize + 8 +
                                        chart::Trail::kPenCount * kLogPenSize + kTrailNameSize + 4;

// The class tag of a plain sky point.
constexpr std::int32_t kPointTag = astro::KindPoint;

// The deep-sky type switches in the order the document keeps them.
constexpr std::array<std::string_view, kDsoTypeCount> kDocumentSwitchOrder = {
    "chAsterism",        "chBrightEmission", "chClusterAss",  "chDoubleStar",    "chGalaxy",
    "chGlobular",        "chKnot",           "chNonexistent", "chOpenCluster",   "chPhoto",
    "chPlanetaryNebula", "chSingleStar",     "chTripleStar",  "chUncertainType", "chUnidentified"};

std::size_t switchIndex(std::string_view key) {
    const auto it = std::find(kDsoTypeSwitchKeys.begin(), kDsoTypeSwitchKeys.end(), key);
    return static_cast<std::size_t>(it - kDsoTypeSwitchKeys.begin());
}

// The guards of the settings store.
constexpr double kMinMagnitudeLimit = -5.0;
constexpr double kMaxMagnitudeLimit = 16.0;
constexpr int kPaceLimit = 30000;
constexpr int kMaxUpdatePeriod = 3600000;

bool within(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

double finiteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

float finiteOr(float v, float fallback) {
    return std::isfinite(v) ? v : fallback;
}

// The longest prefix of at most max bytes that does not end inside a UTF-8 character.
std::string_view cutUtf8(std::string_view text, std::size_t max) {
    if (text.size() <= max)
        return text;
    std::size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

// Bytes that are not part of a well-formed UTF-8 character become '?', so that the length
// stays and every text handed on is UTF-8.
std::string sanitisedUtf8(std::string_view s) {
    std::string out(s);
    std::size_t i = 0;
    while (i < out.size()) {
        const auto c = static_cast<unsigned char>(out[i]);
        std::size_t extra = 0;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else {
            out[i++] = '?';
            continue;
        }
        bool ok = i + extra < out.size();
        for (std::size_t k = 1; ok && k <= extra; ++k)
            ok = (static_cast<unsigned char>(out[i + k]) & 0xC0) == 0x80;
        if (ok && extra == 2) {
            // No overlong forms and no surrogates.
            const auto c1 = static_cast<unsigned char>(out[i + 1]);
            ok = !(c == 0xE0 && c1 < 0xA0) && !(c == 0xED && c1 >= 0xA0);
        } else if (ok && extra == 3) {
            const auto c1 = static_cast<unsigned char>(out[i + 1]);
            ok = !(c == 0xF0 && c1 < 0x90) && !(c == 0xF4 && c1 >= 0x90);
        }
        if (!ok) {
            out[i++] = '?';
            continue;
        }
        i += extra + 1;
    }
    return out;
}

// ---- writing ------------------------------------------------------------------------------

class Writer {
public:
    void i32(std::int32_t v) {
        put<4>([v](char* p) { writeI32(p, v); });
    }
    void u32(std::uint32_t v) {
        put<4>([v](char* p) { writeU32(p, v); });
    }
    void f32(float v) {
        put<4>([v](char* p) { writeF32(p, v); });
    }
    void f64(double v) {
        put<8>([v](char* p) { writeF64(p, v); });
    }
    void byte(int v) { m_bytes.push_back(static_cast<char>(static_cast<unsigned char>(v))); }
    // The text (which must leave room for its zero) zero-padded to the width.
    void text(std::string_view s, std::size_t width) {
        m_bytes.append(s.substr(0, width - 1));
        m_bytes.append(width - std::min(s.size(), width - 1), '\0');
    }
    void skyPosition(const astro::SkyPoint& p, std::int32_t tag) {
        i32(tag);
        i32(0);
        f64(p.ra());
        f64(p.dec());
        f64(p.x());
        f64(p.y());
        f64(p.z());
    }
    void dateTime(const astro::DateTime& t) {
        f64(t.dayCount());
        i32(static_cast<std::int32_t>(t.status()));
    }

    std::string take() { return std::move(m_bytes); }

private:
    template <std::size_t N, class F> void put(F f) {
        char b[N];
        f(b);
        m_bytes.append(b, N);
    }
    std::string m_bytes;
};

std::int32_t penStyleNumber(chart::PenStyle style) {
    switch (style) {
    case chart::PenStyle::Dash:
        return settings::kPenDash;
    case chart::PenStyle::Dot:
        return settings::kPenDot;
    case chart::PenStyle::Null:
        return settings::kPenNull;
    case chart::PenStyle::Solid:
        break;
    }
    return settings::kPenSolid;
}

std::uint32_t colourRef(chart::Colour c) {
    return settings::toColorRef({c.r, c.g, c.b});
}

void writeGrid(Writer& w, int flag, const GridSettings& g) {
    w.i32(flag);
    for (double v : {g.parallelSpacing, g.meridianSpacing, g.meridianExtent, g.sampleStep,
                     g.topParallel, g.bottomParallel})
        w.f64(v);
    w.i32(g.mode);
    w.i32(g.onlyVisible);
    w.i32(g.inscriptions);
    w.i32(g.automatic);
}

void writeFont(Writer& w, const chart::Font& f) {
    w.i32(f.height);
    w.i32(f.width);
    w.i32(f.escapement);
    w.i32(f.orientation);
    w.i32(f.weight);
    w.byte(f.italic ? 1 : 0);
    w.byte(f.underline ? 1 : 0);
    w.byte(f.strikeOut ? 1 : 0);
    w.byte(f.charSet);
    w.byte(f.outPrecision);
    w.byte(f.clipPrecision);
    w.byte(f.quality);
    w.byte(f.pitchAndFamily);
    w.text(cutUtf8(f.faceName, kFaceNameSize - 1), kFaceNameSize);
}

void writeTrail(Writer& w, const chart::Trail& t) {
    const chart::TrailColours& c = t.colours;
    for (chart::Colour colour : {c.standardTrail, c.trueTrail, c.standardLabel, c.trueLabel,
                                 c.printerTrail, c.printerLabel})
        w.u32(colourRef(colour));
    writeFont(w, t.font);
    w.i32(t.computings);
    w.i32(t.density);
    for (const chart::Pen& pen : t.pens) {
        w.i32(penStyleNumber(pen.style));
        w.i32(pen.width);
        w.i32(0);
        w.u32(colourRef(pen.colour));
    }
    w.text(cutUtf8(t.name, kTrailNameSize - 1), kTrailNameSize);
    const auto& points = t.points();
    w.i32(static_cast<std::int32_t>(points.size()));
    for (const chart::TrailPoint& p : points) {
        w.skyPosition(p.direction, kPointTag);
        w.text(cutUtf8(p.label, kPointLabelSize - 1), kPointLabelSize);
    }
}

template <class Catalog>
std::string writeCatalogue(Writer& w, const Catalog& catalog, std::string_view kind) {
    const std::string& name = catalog.name();
    if (name.empty()) {
        w.i32(0);
        return {};
    }
    if (name.size() >= kCatalogueNameSize || name.find('\0') != std::string::npos)
        return "The " + std::string(kind) + " catalogue file name \"" + name +
               "\" is longer than the " + std::to_string(kCatalogueNameSize - 1) +
               " bytes a chart document can hold; the chart was not saved.";
    w.i32(1);
    w.text(name, kCatalogueNameSize);
    w.i32(static_cast<std::int32_t>(catalog.size()));
    for (const auto& body : catalog.bodies())
        w.i32(body.shown != 0 ? 1 : 0);
    return {};
}

// ---- reading ------------------------------------------------------------------------------

struct PastEnd {};
struct Damaged {
    std::string what;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    // Fails as a file that ends early when fewer than n bytes are left.
    void need(std::uint64_t n) const {
        if (n > remaining())
            throw PastEnd{};
    }
    const char* take(std::size_t n) {
        need(n);
        const char* p = m_bytes.data() + m_pos;
        m_pos += n;
        return p;
    }
    std::string_view view(std::size_t n) { return std::string_view(take(n), n); }
    void skip(std::size_t n) { take(n); }
    std::int32_t i32() { return readI32(take(4)); }
    std::uint32_t u32() { return readU32(take(4)); }
    float f32() { return readF32(take(4)); }
    double f64() { return readF64(take(8)); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(*take(1)); }
    // A zero-terminated text of the width; without a zero the full width.
    std::string text(std::size_t width) {
        const std::string_view field = view(width);
        return sanitisedUtf8(field.substr(0, std::min(field.find('\0'), width)));
    }
    // A count that must not be negative.
    std::uint32_t count(std::string_view what) {
        const std::int32_t n = i32();
        if (n < 0)
            throw Damaged{"the " + std::string(what) + " count is negative (" + std::to_string(n) +
                          ")"};
        return static_cast<std::uint32_t>(n);
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The direction of a sky position record: from its vector when that is finite and not zero,
// else from its right ascension and declination.
astro::SkyPoint readSkyPosition(Reader& r, std::string_view what) {
    r.skip(8);
    const double ra = r.f64();
    const double dec = r.f64();
    const double x = r.f64();
    const double y = r.f64();
    const double z = r.f64();
    const double length = std::isfinite(x) && std::isfinite(y) && std::isfinite(z)
                              ? std::hypot(x, y, z)
                              : std::numeric_limits<double>::quiet_NaN();
    astro::SkyPoint p;
    if (std::isfinite(length) && length > 0.0) {
        p.setVector(x / length, y / length, z / length);
        return p;
    }
    if (std::isfinite(ra) && std::isfinite(dec)) {
        double h = std::fmod(ra, 24.0);
        if (h < 0.0)
            h += 24.0;
        p.set(h, std::clamp(dec, -90.0, 90.0));
        return p;
    }
    throw Damaged{std::string(what) + " is not a finite direction"};
}

astro::DateTime readDateTime(Reader& r, bool& valid) {
    const double days = r.f64();
    const std::int32_t status = r.i32();
    const astro::DateTime t = astro::DateTime::fromDayCount(
        days, status == 0 ? astro::DateTime::Status::Valid : astro::DateTime::Status::Invalid);
    valid = t.isValid();
    return t;
}

void readGrid(Reader& r, const GridSettings& builtIn, int& flag, GridSettings& g) {
    flag = r.i32();
    g = builtIn;
    std::array<double, 6> values{};
    for (double& v : values)
        v = r.f64();
    chart::ApplyGridValues(values, g);
    g.mode = r.i32();
    g.onlyVisible = r.i32();
    g.inscriptions = r.i32();
    g.automatic = r.i32();
}

chart::Font readFont(Reader& r) {
    settings::SchemeFont f;
    f.height = r.i32();
    f.width = r.i32();
    f.escapement = r.i32();
    f.orientation = r.i32();
    f.weight = r.i32();
    f.italic = r.byte();
    f.underline = r.byte();
    f.strikeOut = r.byte();
    f.charSet = r.byte();
    f.outPrecision = r.byte();
    f.clipPrecision = r.byte();
    f.quality = r.byte();
    f.pitchAndFamily = r.byte();
    f.faceName = std::string(cutUtf8(r.text(kFaceNameSize), settings::kMaxFaceNameLength));
    // The numbers a font text can hold.
    const auto fits = [](int v) { return v >= -9999 && v <= 99999; };
    if (!fits(f.height) || !fits(f.width) || !fits(f.escapement) || !fits(f.orientation) ||
        f.weight < 0 || f.weight > 1000)
        return chart::defaultTrailFont();
    return chart::toFont(f);
}

chart::Trail readTrail(Reader& r, std::size_t& pointsLeftOut) {
    chart::Trail t;
    std::array<chart::Colour, kColourCount> colours;
    for (chart::Colour& c : colours)
        c = chart::colourFromRef(r.u32() & 0xFFFFFFu);
    t.colours = {colours[0], colours[1], colours[2], colours[3], colours[4], colours[5]};
    t.font = readFont(r);
    t.computings = r.i32();
    t.density = r.i32();
    t.makePens();
    for (chart::Pen& pen : t.pens) {
        settings::SchemePen p;
        p.style = r.i32();
        p.width = r.i32();
        r.skip(4);
        p.color = r.u32() & 0xFFFFFFu;
        if (p.style >= settings::kPenSolid && p.style <= settings::kPenInsideFrame &&
            p.width >= 0 && p.width <= settings::kMaxPenWidth)
            pen = chart::toPen(p);
    }
    t.name = r.text(kTrailNameSize);
    const std::uint32_t n = r.count("trail point");
    r.need(std::uint64_t{n} * kPointSize);
    for (std::uint32_t i = 0; i < n; ++i) {
        const astro::SkyPoint p = readSkyPosition(r, "a trail point");
        const std::string label = r.text(kPointLabelSize);
        if (!t.appendPoint(p, label))
            ++pointsLeftOut;
    }
    return t;
}

struct StagedCatalogue {
    bool present = false;
    std::string name;
    std::uint32_t count = 0;
    std::string_view flags; // count 32-bit flags, within the document's bytes
};

StagedCatalogue readCatalogue(Reader& r, std::string_view kind) {
    StagedCatalogue c;
    c.present = r.i32() != 0;
    if (!c.present)
        return c;
    c.name = r.text(kCatalogueNameSize);
    c.count = r.count(kind);
    r.need(std::uint64_t{c.count} * 4);
    c.flags = r.view(std::size_t{c.count} * 4);
    return c;
}

// Everything the document holds, read and checked, before any of it is applied.
struct StagedDocument {
    double zoom = ChartSettings::kDefaultZoom;
    astro::SkyPoint target;
    ChartSettings settings;
    chart::ChartClock clock;
    bool universalValid = true;
    DsoSelectionSettings deepSky;
    StagedCatalogue asteroids;
    StagedCatalogue comets;
    std::vector<chart::Trail> trails;
    std::uint32_t storedTrails = 0;
    std::size_t pointsLeftOut = 0;
};

StagedDocument readDocument(std::string_view bytes, const chart::SkyChart& chart,
                            const DsoSelectionSettings& deepSky, std::size_t fixedPlaceCount) {
    Reader r(bytes);
    StagedDocument d;
    d.settings = chart.settings;
    d.clock = chart.clock;
    d.deepSky = deepSky;
    ChartSettings& s = d.settings;
    const ChartSettings builtIn;

    const double zoom = r.f64();
    d.zoom = std::isfinite(zoom) && zoom > 0.0 ? zoom : ChartSettings::kDefaultZoom;
    d.target = readSkyPosition(r, "the chart's target");
    const int rotation = r.i32();
    s.rotationMode = rotation >= chart::RotationEquatorial && rotation <= chart::RotationAzimuthal
                         ? rotation
                         : chart::RotationEquatorial;

    chart::ObservingPlaceSettings& place = s.place;
    place.fixedPlace = chart::CheckedFixedPlace(r.i32(), fixedPlaceCount);
    place.latitude = r.f64();
    place.longitude = r.f64();
    constexpr double kSentinel = chart::ObservingPlaceSettings::kFromFixedPlace;
    if ((place.latitude != kSentinel && !within(place.latitude, -90.0, 90.0)) ||
        (place.longitude != kSentinel && !within(place.longitude, -180.0, 180.0))) {
        place.latitude = kSentinel;
        place.longitude = kSentinel;
    }
    place.timeZone = r.i32();

    readGrid(r, builtIn.equatorialGridSettings, s.equatorialGrid, s.equatorialGridSettings);
    readGrid(r, builtIn.azimuthalGridSettings, s.azimuthalGrid, s.azimuthalGridSettings);
    readGrid(r, builtIn.eclipticGridSettings, s.eclipticGrid, s.eclipticGridSettings);

    chart::ChartClock& clock = d.clock;
    bool localValid = true;
    bool copyValid = true;
    clock.Local = readDateTime(r, localValid);
    clock.Universal = readDateTime(r, d.universalValid);
    clock.LocalCopy = readDateTime(r, copyValid);
    clock.DaylightSaving = r.i32() != 0 ? 1 : 0;
    if (!localValid) {
        clock.Local = chart::ChartClock::fromSystemClock().Local;
        d.universalValid = false;
    }
    if (!copyValid)
        clock.LocalCopy = clock.Local;
    clock.AutoUpdate = r.i32();
    const std::int32_t pace = r.i32();
    clock.Pace = pace >= -kPaceLimit && pace <= kPaceLimit ? pace : 1;
    const std::int32_t period = r.i32();
    clock.UpdatePeriod = period >= 0 && period <= kMaxUpdatePeriod ? period : 60000;

    s.constellationFigures = r.i32();
    s.constellationBoundaries = r.i32();
    s.constellationNames = r.i32();
    s.namesAbbreviated = r.i32();
    s.namesLockedWithFigures = r.i32();

    const double limit = r.f64();
    s.magnitudeLimit =
        within(limit, kMinMagnitudeLimit, kMaxMagnitudeLimit) ? limit : builtIn.magnitudeLimit;
    s.onlyVisiblePart = r.i32();
    s.autoMagnitudeLimit = r.i32();
    s.starLabels = r.i32();
    s.starLabelKind = r.i32();
    s.labelMagnitudeLimit = finiteOr(r.f64(), builtIn.labelMagnitudeLimit);

    for (chart::SolarBodyIndex body :
         {chart::SolarBodySun, chart::SolarBodyMoon, chart::SolarBodyMercury, chart::SolarBodyVenus,
          chart::SolarBodyMars, chart::SolarBodyJupiter, chart::SolarBodySaturn,
          chart::SolarBodyUranus, chart::SolarBodyNeptune, chart::SolarBodyPluto}) {
        chart::BodyPresentation& b = s.bodies[static_cast<std::size_t>(body)];
        b.plot = r.i32();
        b.label = r.i32();
    }

    const DsoSelectionSettings dsoDefaults;
    DsoSelectionSettings& dso = d.deepSky;
    s.plotDeepSky = r.i32();
    s.deepSkyLabels = r.i32();
    s.deepSkyLabelMode = r.i32();
    s.deepSkyLabelMagnitudeLimit = static_cast<double>(
        finiteOr(r.f32(), static_cast<float>(builtIn.deepSkyLabelMagnitudeLimit)));
    dso.mode = r.i32();
    if (dso.mode != DsoSelectionSettings::All && dso.mode != DsoSelectionSettings::OnlyMessier &&
        dso.mode != DsoSelectionSettings::ByType)
        dso.mode = DsoSelectionSettings::OnlyMessier;
    for (std::string_view key : kDocumentSwitchOrder)
        dso.typeSwitches[switchIndex(key)] = r.i32();
    dso.sizeFilter = r.i32();
    dso.minSize = finiteOr(r.f32(), dsoDefaults.minSize);
    dso.magnitudeFilter = r.i32();
    dso.maxMagnitude = finiteOr(r.f32(), dsoDefaults.maxMagnitude);
    dso.areaFilter = r.i32();
    dso.areaRaMinutes = finiteOr(r.f32(), dsoDefaults.areaRaMinutes);
    dso.areaRaHours = r.i32();
    dso.areaDec = finiteOr(r.f32(), dsoDefaults.areaDec);
    dso.areaAzDegrees = r.i32();
    dso.areaAzMinutes = finiteOr(r.f32(), dsoDefaults.areaAzMinutes);
    dso.areaAltitude =
        static_cast<double>(finiteOr(r.f32(), static_cast<float>(dsoDefaults.areaAltitude)));
    dso.areaRadius =
        static_cast<double>(finiteOr(r.f32(), static_cast<float>(dsoDefaults.areaRadius)));
    double centreRa = std::fmod(finiteOr(r.f64(), 0.0), 24.0);
    if (centreRa < 0.0)
        centreRa += 24.0;
    dso.areaCenterRa = centreRa;
    dso.areaCenterDec = std::clamp(finiteOr(r.f64(), 0.0), -90.0, 90.0);

    s.plotAsteroids = r.i32();
    s.asteroidLabels = r.i32();
    const int labelMode = r.i32();
    s.asteroidLabelMode =
        labelMode >= chart::AsteroidLabelNumber && labelMode <= chart::AsteroidLabelMagnitude
            ? labelMode
            : chart::AsteroidLabelNumber;
    d.asteroids = readCatalogue(r, "asteroid");

    s.plotComets = r.i32();
    s.cometLabels = r.i32();
    d.comets = readCatalogue(r, "comet");

    d.storedTrails = r.count("trail");
    r.need(std::uint64_t{d.storedTrails} * kTrailFixedSize);
    for (std::uint32_t i = 0; i < d.storedTrails; ++i) {
        chart::Trail t = readTrail(r, d.pointsLeftOut);
        if (d.trails.size() < chart::TrailList::kCapacity)
            d.trails.push_back(std::move(t));
    }
    return d;
}

// ---- applying -----------------------------------------------------------------------------

template <class Catalog, class Load>
void applyCatalogue(const StagedCatalogue& staged, Catalog& target, Load load,
                    const fs::path& dataFolder, std::string_view kind, std::string_view plural,
                    std::vector<std::string>* notes) {
    const auto note = [notes](std::string text) {
        if (notes)
            notes->push_back(std::move(text));
    };
    Catalog loaded;
    if (staged.present && !staged.name.empty()) {
        fs::path path(staged.name);
        if (!path.is_absolute())
            path = dataFolder / path;
        const CatalogLoadResult result = load(loaded, path, CatalogLoadOptions{});
        if (!result.ok()) {
            note(result.error + " The " + std::string(kind) +
                 " catalogue of the chart document was not loaded.");
        } else {
            if (const std::string more = result.notes(plural); !more.empty())
                note(more);
            if (staged.count == loaded.size()) {
                std::size_t i = 0;
                for (auto& body : loaded.bodies())
                    body.shown = readI32(staged.flags.data() + 4 * i++) != 0 ? 1 : 0;
            } else {
                note("The " + std::string(kind) + " catalogue \"" + path.string() + "\" holds " +
                     std::to_string(loaded.size()) + " " + std::string(plural) + ", not the " +
                     std::to_string(staged.count) +
                     " the chart document was saved with; its selection was not restored.");
            }
        }
    }
    target = std::move(loaded);
}

void applyDocument(StagedDocument& d, const ChartDocumentParts& parts,
                   const ChartDocumentLoadOptions& options, std::vector<std::string>* notes) {
    chart::SkyChart& chart = parts.chart;
    chart.settings = d.settings;
    chart.setZoom(d.zoom);
    chart.setTarget(d.target);
    if (options.places) {
        const ObservingPlace place(*options.places, chart.settings.place);
        chart.site.latitude = place.Latitude();
        chart.site.longitude = place.Longitude();
        chart.site.timeZone = place.TimeZoneHours();
    }
    chart.clock = d.clock;
    if (!d.universalValid) {
        const astro::DateTime copy = chart.clock.LocalCopy;
        chart.clock.DeriveUniversal(chart.site.timeZone);
        chart.clock.LocalCopy = copy;
    }
    parts.deepSky = d.deepSky;

    applyCatalogue(d.asteroids, parts.asteroids, LoadAsteroidCatalog, options.dataFolder,
                   "asteroid", "asteroids", notes);
    applyCatalogue(d.comets, parts.comets, LoadCometCatalog, options.dataFolder, "comet", "comets",
                   notes);
    if (options.cataloguesReplaced) {
        options.cataloguesReplaced();
    } else {
        chart.objects.asteroids = nullptr;
        chart.objects.comets = nullptr;
    }

    chart.trails.clear();
    for (chart::Trail& t : d.trails)
        chart.trails.add(std::move(t));
    if (notes && d.storedTrails > chart::TrailList::kCapacity)
        notes->push_back("The chart document holds " + std::to_string(d.storedTrails) +
                         " trails; only the first " + std::to_string(chart::TrailList::kCapacity) +
                         " were loaded.");
    if (notes && d.pointsLeftOut > 0)
        notes->push_back(std::to_string(d.pointsLeftOut) + " trail points beyond the " +
                         std::to_string(chart::Trail::kMaxPoints) +
                         " a trail holds were left out.");

    if (options.deepSkyCatalog)
        options.deepSkyCatalog->ApplyDsoSelection(parts.deepSky);

    // The view first, then the time step (which also builds the horizontal frame), then the
    // grids, whose range of parallels follows both.
    chart.SetView();
    chart.UpdateTime();
    chart::UpdateGridSettings(chart);
}

std::string pastEndMessage(std::string_view name) {
    return "An attempt was made to access " + std::string(name) + " past its end.";
}

} // namespace

std::string EncodeChartDocument(const chart::SkyChart& chart, const DsoSelectionSettings& deepSky,
                                const AsteroidCatalog& asteroids, const CometCatalog& comets,
                                std::string& bytes) {
    bytes.clear();
    const ChartSettings& s = chart.settings;
    Writer w;
    w.f64(chart.zoom());
    w.skyPosition(chart.target(), kPointTag);
    w.i32(s.rotationMode);
    w.i32(s.place.fixedPlace);
    w.f64(s.place.latitude);
    w.f64(s.place.longitude);
    w.i32(s.place.timeZone);
    writeGrid(w, s.equatorialGrid, s.equatorialGridSettings);
    writeGrid(w, s.azimuthalGrid, s.azimuthalGridSettings);
    writeGrid(w, s.eclipticGrid, s.eclipticGridSettings);

    const chart::ChartClock& clock = chart.clock;
    w.dateTime(clock.Local);
    w.dateTime(clock.Universal);
    w.dateTime(clock.LocalCopy);
    w.i32(clock.DaylightSaving);
    w.i32(clock.AutoUpdate);
    w.i32(clock.Pace);
    w.i32(clock.UpdatePeriod);

    w.i32(s.constellationFigures);
    w.i32(s.constellationBoundaries);
    w.i32(s.constellationNames);
    w.i32(s.namesAbbreviated);
    w.i32(s.namesLockedWithFigures);

    w.f64(s.magnitudeLimit);
    w.i32(s.onlyVisiblePart);
    w.i32(s.autoMagnitudeLimit);
    w.i32(s.starLabels);
    w.i32(s.starLabelKind);
    w.f64(s.labelMagnitudeLimit);

    for (chart::SolarBodyIndex body :
         {chart::SolarBodySun, chart::SolarBodyMoon, chart::SolarBodyMercury, chart::SolarBodyVenus,
          chart::SolarBodyMars, chart::SolarBodyJupiter, chart::SolarBodySaturn,
          chart::SolarBodyUranus, chart::SolarBodyNeptune, chart::SolarBodyPluto}) {
        const chart::BodyPresentation& b = s.bodies[static_cast<std::size_t>(body)];
        w.i32(b.plot);
        w.i32(b.label);
    }

    w.i32(s.plotDeepSky);
    w.i32(s.deepSkyLabels);
    w.i32(s.deepSkyLabelMode);
    w.f32(static_cast<float>(s.deepSkyLabelMagnitudeLimit));
    w.i32(deepSky.mode);
    for (std::string_view key : kDocumentSwitchOrder)
        w.i32(deepSky.typeSwitches[switchIndex(key)]);
    w.i32(deepSky.sizeFilter);
    w.f32(deepSky.minSize);
    w.i32(deepSky.magnitudeFilter);
    w.f32(deepSky.maxMagnitude);
    w.i32(deepSky.areaFilter);
    w.f32(deepSky.areaRaMinutes);
    w.i32(deepSky.areaRaHours);
    w.f32(deepSky.areaDec);
    w.i32(deepSky.areaAzDegrees);
    w.f32(deepSky.areaAzMinutes);
    w.f32(static_cast<float>(deepSky.areaAltitude));
    w.f32(static_cast<float>(deepSky.areaRadius));
    w.f64(deepSky.areaCenterRa);
    w.f64(deepSky.areaCenterDec);

    w.i32(s.plotAsteroids);
    w.i32(s.asteroidLabels);
    w.i32(s.asteroidLabelMode);
    if (std::string error = writeCatalogue(w, asteroids, "asteroid"); !error.empty())
        return error;
    w.i32(s.plotComets);
    w.i32(s.cometLabels);
    if (std::string error = writeCatalogue(w, comets, "comet"); !error.empty())
        return error;

    w.i32(static_cast<std::int32_t>(chart.trails.size()));
    for (const chart::Trail& t : chart.trails)
        writeTrail(w, t);
    bytes = w.take();
    return {};
}

std::string SaveChartDocument(const fs::path& file, const chart::SkyChart& chart,
                              const DsoSelectionSettings& deepSky, const AsteroidCatalog& asteroids,
                              const CometCatalog& comets) {
    std::string bytes;
    if (std::string error = EncodeChartDocument(chart, deepSky, asteroids, comets, bytes);
        !error.empty())
        return error;
    AtomicWriteFailure failure;
    if (writeFileAtomically(file, bytes, &failure))
        return {};
    std::string reason;
    switch (failure.step) {
    case AtomicWriteFailure::Step::Create:
        reason = "the temporary file \"" + failure.temporary.string() + "\" could not be created";
        break;
    case AtomicWriteFailure::Step::Write:
        reason = "the temporary file \"" + failure.temporary.string() +
                 "\" could not be written completely";
        break;
    case AtomicWriteFailure::Step::Rename:
        reason = "the temporary file could not be renamed: " + failure.reason;
        break;
    }
    return "Cannot save the chart document \"" + file.string() + "\": " + reason + ".";
}

std::string ApplyChartDocument(std::string_view bytes, std::string_view documentName,
                               const ChartDocumentParts& parts,
                               const ChartDocumentLoadOptions& options,
                               std::vector<std::string>* notes) {
    const std::size_t fixedPlaceCount =
        options.places ? options.places->size() : options.fixedPlaceCount;
    StagedDocument staged;
    try {
        staged = readDocument(bytes, parts.chart, parts.deepSky, fixedPlaceCount);
    } catch (const PastEnd&) {
        return pastEndMessage(documentName);
    } catch (const Damaged& damaged) {
        return "The chart document \"" + std::string(documentName) +
               "\" is damaged: " + damaged.what + ".";
    }
    applyDocument(staged, parts, options, notes);
    return {};
}

std::string LoadChartDocument(const fs::path& file, const ChartDocumentParts& parts,
                              const ChartDocumentLoadOptions& options,
                              std::vector<std::string>* notes) {
    const std::string name = file.string();
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec)
        return "Cannot open the chart document \"" + name + "\": " + ec.message() + ".";
    if (size > kMaxChartDocumentSize)
        return "\"" + name + "\" is too large to be a chart document.";
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "Cannot open the chart document \"" + name + "\".";
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // A file that shrank while it was read is as short as what was read.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return "Cannot read the chart document \"" + name + "\".";
    return ApplyChartDocument(bytes, name, parts, options, notes);
}

} // namespace catalog
