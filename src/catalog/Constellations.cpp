#include "catalog/Constellations.h"

#include "catalog/DataFiles.h"
#include "catalog/LittleEndian.h"
#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"

#include "astro/Angles.h"
#include "astro/Precession.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace catalog {

namespace {

constexpr std::size_t kBoundaryRecord = ConstellationData::kBoundaryRecordSize;
constexpr std::size_t kBandRecord = ConstellationData::kBandRecordSize;
constexpr std::size_t kListRecord = ConstellationData::kListRecordSize;
constexpr std::size_t kFigureRecord = ConstellationData::kFigureRecordSize;

// A boundary record with this right ascension ends the outline data.
constexpr double kEndOfBoundaries = 100.0;

// A text field of a record: the bytes up to the first NUL, or at most maxBytes when the field
// has none, converted from Windows-1252 to UTF-8. A byte the code page leaves undefined
// becomes '?'.
std::string fieldText(const unsigned char* field, std::size_t width, std::size_t maxBytes) {
    return windows1252ToUtf8(upToNul(field, std::min(width, maxBytes)));
}

std::string fieldText(const unsigned char* field, std::size_t width) {
    return fieldText(field, width, width);
}

// Reads fixed-size records one after the other; a short final record is not returned.
class RecordReader {
public:
    RecordReader(const std::filesystem::path& file, std::size_t size)
        : m_in(file, std::ios::binary), m_buffer(size) {}

    const unsigned char* next() {
        if (!m_in)
            return nullptr;
        m_in.read(reinterpret_cast<char*>(m_buffer.data()),
                  static_cast<std::streamsize>(m_buffer.size()));
        if (static_cast<std::size_t>(m_in.gcount()) != m_buffer.size())
            return nullptr;
        return m_buffer.data();
    }

private:
    std::ifstream m_in;
    std::vector<unsigned char> m_buffer;
};

bool finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

const astro::Rotation& j2000ToB1875() {
    static const astro::Rotation r = astro::precessionJ2000ToDate(kB1875JulianDay);
    return r;
}

} // namespace

ConstellationData::ConstellationData() = default;

std::vector<std::string> ConstellationData::damaged() const {
    std::vector<std::string> lines;
    for (const std::string& d : m_damage)
        if (!d.empty())
            lines.push_back(d);
    return lines;
}

std::size_t ConstellationData::LoadBoundaries(const std::filesystem::path& dataDir) {
    m_outlines.clear();
    m_outlineNames.clear();
    m_damage[Boundaries] = RecordFileDamage(dataDir / kBoundariesFile, kBoundaryRecord);
    RecordReader reader(dataDir / kBoundariesFile, kBoundaryRecord);
    // The raw bytes of the text field of the previous record; a file starting with this text
    // still starts an outline.
    std::string remembered = "000";
    while (const unsigned char* r = reader.next()) {
        const double ra = readF64(r);
        const double dec = readF64(r + 8);
        if (ra == kEndOfBoundaries)
            break;
        std::size_t n = 0;
        while (n < 8 && r[16 + n] != 0)
            ++n;
        const std::string text(reinterpret_cast<const char*>(r + 16), n);
        if (text != remembered || m_outlines.empty()) {
            if (m_outlines.size() == kOutlineCapacity)
                break;
            m_outlines.emplace_back();
            m_outlineNames.push_back(fieldText(r + 16, 8));
        }
        remembered = text;
        if (!finite(ra, dec) || m_outlines.back().size() == kOutlinePointCapacity)
            continue;
        m_outlines.back().emplace_back(ra, dec);
    }
    return m_outlines.size();
}

std::size_t ConstellationData::LoadBoundaryBands(const std::filesystem::path& dataDir) {
    m_bands.clear();
    m_damage[Bands] = RecordFileDamage(dataDir / kBandsFile, kBandRecord);
    RecordReader reader(dataDir / kBandsFile, kBandRecord);
    while (m_bands.size() < kBandCapacity) {
        const unsigned char* r = reader.next();
        if (r == nullptr)
            break;
        BoundaryBand band;
        band.raLow = readF64(r);
        band.raHigh = readF64(r + 8);
        band.decLow = readF64(r + 16);
        if (!finite(band.raLow, band.raHigh) || !std::isfinite(band.decLow))
            continue;
        band.abbreviation = fieldText(r + 24, 24, 23);
        m_bands.push_back(std::move(band));
    }
    return m_bands.size();
}

std::size_t ConstellationData::LoadConstellationList(const std::filesystem::path& dataDir) {
    m_entries.clear();
    m_damage[List] = RecordFileDamage(dataDir / kListFile, kListRecord, kConstellationCount);
    RecordReader reader(dataDir / kListFile, kListRecord);
    while (m_entries.size() < kConstellationCount) {
        const unsigned char* r = reader.next();
        if (r == nullptr)
            break;
        ConstellationEntry e;
        e.number = readI32(r);
        e.name = fieldText(r + 4, 30);
        e.abbreviation = fieldText(r + 34, 30);
        e.genitive = fieldText(r + 64, 32);
        e.labelRa = readF64(r + 96);
        e.labelDec = readF64(r + 104);
        if (!finite(e.labelRa, e.labelDec)) {
            e.labelRa = 0.0;
            e.labelDec = 0.0;
        }
        m_entries.push_back(std::move(e));
    }
    return m_entries.size();
}

std::size_t ConstellationData::LoadFigures(const std::filesystem::path& dataDir) {
    for (ConstellationFigure& f : m_figures)
        f = ConstellationFigure{};
    std::size_t total = 0;
    m_damage[Figures] = RecordFileDamage(dataDir / kFiguresFile, kFigureRecord);
    RecordReader reader(dataDir / kFiguresFile, kFigureRecord);
    while (const unsigned char* r = reader.next()) {
        const double ra1 = readF64(r);
        const double dec1 = readF64(r + 8);
        const double ra2 = readF64(r + 16);
        const double dec2 = readF64(r + 24);
        const std::int32_t number = readI32(r + 32);
        if (number < 1 || number > static_cast<std::int32_t>(kConstellationCount))
            continue;
        if (!finite(ra1, dec1) || !finite(ra2, dec2))
            continue;
        ConstellationFigure& figure = m_figures[static_cast<std::size_t>(number - 1)];
        if (figure.segments.size() == kFigureSegmentCapacity)
            continue;
        figure.segments.push_back({astro::SkyPoint(ra1, dec1), astro::SkyPoint(ra2, dec2)});
        figure.number = number;
        ++total;
    }
    return total;
}

std::string ConstellationData::FindConstellationAt(double raHours, double decDegrees) const {
    return FindConstellationAt(astro::SkyPoint(raHours, decDegrees));
}

std::string ConstellationData::FindConstellationAt(const astro::SkyPoint& j2000) const {
    const astro::Rotation& m = j2000ToB1875();
    const double v[3] = {j2000.x(), j2000.y(), j2000.z()};
    double b[3];
    for (int i = 0; i < 3; ++i)
        b[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    // Right ascension and declination at B1875, with the program's own angle factors so that
    // a boundary point read from the outlines comes back onto its band edge.
    const double dec = std::atan2(b[1], std::hypot(b[0], b[2])) * astro::kDegPerRad;
    double ra = std::atan2(b[2], b[0]) * astro::kDegPerRad / astro::kDegPerHour;
    if (ra < 0.0)
        ra += 24.0;
    if (ra >= 24.0)
        ra -= 24.0;
    for (const BoundaryBand& band : m_bands) {
        if (band.decLow <= dec && band.raLow <= ra && ra < band.raHigh)
            return band.abbreviation;
    }
    return "Oct";
}

std::string ConstellationData::abbreviationAt(const astro::SkyPoint& direction) const {
    if (m_bands.empty())
        return {};
    return FindConstellationAt(direction);
}

std::span<const astro::SkyPoint> ConstellationData::boundary(std::size_t i) const {
    if (i >= m_outlines.size())
        return {};
    return m_outlines[i];
}

std::span<const FigureSegment> ConstellationData::figure(std::size_t i) const {
    if (i >= m_figures.size())
        return {};
    return m_figures[i].segments;
}

std::string_view ConstellationData::name(std::size_t i, bool abbreviated) const {
    if (i >= m_entries.size())
        return {};
    return abbreviated ? m_entries[i].abbreviation : m_entries[i].name;
}

astro::SkyPoint ConstellationData::namePoint(std::size_t i) const {
    if (i >= m_entries.size())
        return {};
    return astro::SkyPoint(m_entries[i].labelRa, m_entries[i].labelDec);
}

const ConstellationEntry* ConstellationData::findEntry(std::string_view text) const {
    // An empty text names nothing, even where a file left a name form empty.
    if (text.empty())
        return nullptr;
    for (const ConstellationEntry& e : m_entries) {
        if (text == e.name || text == e.abbreviation || text == e.genitive)
            return &e;
    }
    return nullptr;
}

int ConstellationData::ConstellationNumber(std::string_view text) const {
    const ConstellationEntry* e = findEntry(text);
    if (e == nullptr)
        return kNoConstellation;
    return static_cast<int>(e - m_entries.data()) + 1;
}

namespace {

std::string formOf(const ConstellationEntry* e, int form) {
    if (e == nullptr)
        return {};
    switch (form) {
    case 1:
        return e->name;
    case 2:
        return e->abbreviation;
    case 3:
        return e->genitive;
    default:
        return " ";
    }
}

} // namespace

std::string ConstellationData::ConstellationForm(std::string_view text, int form) const {
    return formOf(findEntry(text), form);
}

std::string ConstellationData::ConstellationFormByNumber(int number, int form) const {
    for (const ConstellationEntry& e : m_entries) {
        if (e.number == number)
            return formOf(&e, form);
    }
    return {};
}

} // namespace catalog
