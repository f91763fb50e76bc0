#include "catalog/Stars.h"

#include "catalog/Windows1252.h"

#include "catalog/ConstellationLookup.h"
#include "catalog/DataFiles.h"
#include "catalog/LittleEndian.h"
#include "catalog/TextUtil.h"
#include "catalog/TychoStore.h"
#include "chart/BayerLetters.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace catalog {

namespace {

// Thousandths of a magnitude; -10000 is "none" and comes out as -10.0.
float magnitudeField(const unsigned char* p) {
    return static_cast<float>(readI16(p) / 1000.0);
}

// Hundredths; -10000 is "none" and comes out as -100.0.
float hundredthsField(const unsigned char* p) {
    return static_cast<float>(readI16(p) / 100.0);
}

double unitField(const unsigned char* p) {
    return readI32(p) / 1000000000.0;
}

// A text field of a fixed width: up to its first NUL (a field without one ends at its
// width), blanks trimmed at both ends.
std::string_view trimmedField(const unsigned char* p, std::size_t width) {
    return trimBlanks(upToNul(p, width));
}

constexpr std::string_view kVariabilityTexts[6] = {
    "eruptive",
    "pulsating",
    "rotating",
    "cataclysmic",
    "eclipsing binary systems",
    "intense variable X-ray sources",
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::filesystem::path& path) {
    return File(std::fopen(path.c_str(), "rb"));
}

StarLoadResult cannotOpen(const std::filesystem::path& path) {
    StarLoadResult r;
    r.error = "Cannot open the star file \"" + path.string() + "\".";
    return r;
}

// The name records are reached by a 16-bit index, so no more than this many are ever used.
constexpr std::size_t kMaxBrightRecords = 32768;

} // namespace

std::uint8_t SpectralClassIndex(char firstLetter) {
    switch (firstLetter) {
    case 'M':
        return 0;
    case 'K':
        return 1;
    case 'G':
        return 2;
    case 'F':
        return 3;
    case 'A':
        return 4;
    case 'B':
        return 5;
    case 'O':
        return 6;
    default:
        return 7;
    }
}

std::uint8_t SpectralClassFromColour(double bMinusV) {
    if (bMinusV < -0.30)
        return 6;
    if (bMinusV < -0.02)
        return 5;
    if (bMinusV < 0.30)
        return 4;
    if (bMinusV < 0.58)
        return 3;
    if (bMinusV < 0.81)
        return 2;
    if (bMinusV < 1.40)
        return 1;
    if (bMinusV >= 1.40)
        return 0;
    return 7; // not a number
}

char BayerLetterChar(int code) {
    return chart::BayerLetterChar(code);
}

std::string_view BayerLetterUtf8(int code) {
    return chart::BayerLetterUtf8(code);
}

std::string_view VariabilityText(int code) {
    return code >= 1 && code <= 6 ? kVariabilityTexts[code - 1] : std::string_view();
}

// ---- TychoStar

TychoStar::TychoStar(int tyc1Field, int tyc2, double x, double y, double z, float bt, float vt)
    : StarObject(x, y, z), m_tyc1(static_cast<std::int16_t>(tyc1Field % 10000)),
      m_tyc2(static_cast<std::int16_t>(tyc2)),
      m_tyc3(static_cast<std::uint8_t>(tyc1Field / 10000 + 1)), m_bt(bt), m_vt(vt) {}

TychoStar TychoStar::FromRecord(std::span<const unsigned char, kTychoRecordSize> r) {
    const unsigned char* p = r.data();
    return TychoStar(readI16(p), readI16(p + 2), unitField(p + 4), unitField(p + 8),
                     unitField(p + 12), magnitudeField(p + 16), magnitudeField(p + 18));
}

std::string TychoStar::GetName() const {
    return tychoName();
}

float TychoStar::GetMagnitude() const {
    return m_vt != kNoStarMagnitude ? m_vt : m_bt;
}

int TychoStar::colourClass() const {
    const auto b = blueMagnitude();
    const auto v = visualMagnitude();
    return b && v ? SpectralClassFromColour(*b - *v) : 7;
}

std::optional<float> TychoStar::blueMagnitude() const {
    return m_bt != kNoStarMagnitude ? std::optional<float>(m_bt) : std::nullopt;
}

std::optional<float> TychoStar::visualMagnitude() const {
    return m_vt != kNoStarMagnitude ? std::optional<float>(m_vt) : std::nullopt;
}

std::string TychoStar::identifierText() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d-%d-%d", m_tyc1, m_tyc2, m_tyc3);
    return buf;
}

// ---- CatalogStar

CatalogStar CatalogStar::FromCatalogRecord(std::span<const unsigned char, kSky2000RecordSize> r) {
    const unsigned char* p = r.data();
    CatalogStar s;
    static_cast<TychoStar&>(s) =
        TychoStar(readI16(p), readI16(p + 2), unitField(p + 4), unitField(p + 8), unitField(p + 12),
                  magnitudeField(p + 16), magnitudeField(p + 18));
    s.m_hd = readI32(p + 20);
    s.m_sao = readI32(p + 24);
    std::memcpy(s.m_spectral.data(), p + 28, 3);
    s.m_spectral[3] = '\0'; // a type of four characters is cut to three
    s.m_separation = readF32(p + 36);
    s.m_magnitudeDifference = hundredthsField(p + 40);
    s.m_amplitude = hundredthsField(p + 42);
    s.m_period = readF64(p + 48);
    s.m_variabilityType = static_cast<std::int8_t>(p[56]);
    s.setSpectralClass();
    return s;
}

CatalogStar CatalogStar::FromTychoRecord(std::span<const unsigned char, kTychoRecordSize> r) {
    CatalogStar s;
    static_cast<TychoStar&>(s) = TychoStar::FromRecord(r);
    s.setSpectralClass();
    return s;
}

void CatalogStar::setSpectralClass() {
    if (!spectralType() && tyc1() == 0) {
        const auto b = blueMagnitude();
        const auto v = visualMagnitude();
        m_spectralClass = b && v ? SpectralClassFromColour(*b - *v) : 7;
        return;
    }
    m_spectralClass = SpectralClassIndex(m_spectral[0]);
}

std::string CatalogStar::catalogName() const {
    if (tyc1() == 0) {
        if (m_hd != 0)
            return "HD " + std::to_string(m_hd);
        if (m_sao != 0)
            return "SAO " + std::to_string(m_sao);
    }
    return tychoName();
}

std::string CatalogStar::GetName() const {
    return catalogName();
}

std::optional<int> CatalogStar::hdNumber() const {
    return m_hd != 0 ? std::optional<int>(m_hd) : std::nullopt;
}

std::optional<int> CatalogStar::saoNumber() const {
    return m_sao != 0 ? std::optional<int>(m_sao) : std::nullopt;
}

std::optional<std::string> CatalogStar::spectralType() const {
    if (m_spectral[0] == ' ' || m_spectral[0] == '\0')
        return std::nullopt;
    return windows1252ToUtf8(std::string_view(m_spectral.data()));
}

std::optional<float> CatalogStar::separation() const {
    return m_separation != kNoStarValue ? std::optional<float>(m_separation) : std::nullopt;
}

std::optional<float> CatalogStar::magnitudeDifference() const {
    return m_magnitudeDifference != kNoStarValue ? std::optional<float>(m_magnitudeDifference)
                                                 : std::nullopt;
}

std::optional<float> CatalogStar::amplitude() const {
    return m_amplitude != kNoStarValue ? std::optional<float>(m_amplitude) : std::nullopt;
}

std::optional<double> CatalogStar::period() const {
    return m_period != static_cast<double>(kNoStarValue) ? std::optional<double>(m_period)
                                                         : std::nullopt;
}

std::optional<int> CatalogStar::variabilityType() const {
    return m_variabilityType != kNoVariabilityType ? std::optional<int>(m_variabilityType)
                                                   : std::nullopt;
}

std::optional<std::string_view> CatalogStar::variabilityText() const {
    if (m_variabilityType == kNoVariabilityType)
        return std::nullopt;
    return VariabilityText(m_variabilityType);
}

// ---- NamedStar

NamedStar NamedStar::FromRecords(std::span<const unsigned char, kSky2000RecordSize> record,
                                 const unsigned char* bright) {
    NamedStar s;
    static_cast<CatalogStar&>(s) = CatalogStar::FromCatalogRecord(record);
    if (bright) {
        s.m_bayerCode = static_cast<std::int8_t>(bright[0]);
        s.m_bayerIndex = static_cast<std::int8_t>(bright[1]);
        s.m_flamsteed = readI16(bright + 2);
        // 32 Windows-1252 characters take at most 96 bytes of UTF-8: the array holds them.
        const std::string name = windows1252ToUtf8(trimmedField(bright + 4, 32));
        const std::size_t n = std::min(name.size(), s.m_name.size());
        std::copy_n(name.data(), n, s.m_name.data());
        s.m_nameLength = static_cast<std::uint8_t>(n);
    }
    return s;
}

std::string NamedStar::GetName() const {
    if (m_nameLength > 0)
        return std::string(properName());
    if (m_flamsteed != 0) {
        std::string name = std::to_string(m_flamsteed);
        if (const ConstellationLookup* lookup = constellationLookup()) {
            const std::string abbreviation = lookup->abbreviationAt(*this);
            if (!abbreviation.empty())
                name += ' ' + abbreviation;
        }
        return name;
    }
    return catalogName();
}

// ---- StarCatalog

StarCatalog::StarCatalog()
    : m_named(std::make_unique<NamedStar[]>(kNamedCapacity)),
      m_catalog(std::make_unique<CatalogStar[]>(kCatalogCapacity)),
      m_tycho(std::make_unique<TychoStore>()) {}

StarCatalog::~StarCatalog() = default;

void StarCatalog::publish() {
    m_namedSummaries.clear();
    for (const NamedStar& s : namedStars())
        m_namedSummaries.push_back(chart::ObjectSummary::of(s));
    m_catalogSummaries.clear();
    for (const CatalogStar& s : catalogStars())
        m_catalogSummaries.push_back(chart::ObjectSummary::of(s));
    m_namedList.reset(namedStars(), m_namedSummaries.data());
    m_catalogList.reset(catalogStars(), m_catalogSummaries.data());
}

StarLoadResult StarCatalog::LoadStarCatalogs(const std::filesystem::path& dataDir) {
    m_namedCount = 0;
    m_catalogCount = 0;
    StarLoadResult result = readCatalog(dataDir / kMainFile, dataDir / kBrightFile);
    if (result.ok()) {
        StarLoadResult faint = readFaintResident(dataDir / kFaintResidentFile);
        faint.damaged.insert(faint.damaged.begin(), result.damaged.begin(), result.damaged.end());
        result = std::move(faint);
    }
    publish();
    if (result.ok()) {
        m_tycho->OpenTycho(dataDir);
        const std::vector<std::string>& tycho = m_tycho->damaged();
        result.damaged.insert(result.damaged.end(), tycho.begin(), tycho.end());
    }
    return result;
}

StarLoadResult StarCatalog::readCatalog(const std::filesystem::path& sky2000,
                                        const std::filesystem::path& brightPath) {
    File bright = openFile(brightPath);
    if (!bright)
        return cannotOpen(brightPath);
    File main = openFile(sky2000);
    if (!main)
        return cannotOpen(sky2000);

    StarLoadResult result;
    for (const auto& [path, size] : {std::pair{&sky2000, kSky2000RecordSize},
                                     std::pair{&brightPath, kBrightRecordSize}})
        if (std::string damage = RecordFileDamage(*path, size); !damage.empty())
            result.damaged.push_back(std::move(damage));

    // The name records, as far as a 16-bit index reaches.
    std::vector<unsigned char> names(kMaxBrightRecords * kBrightRecordSize);
    names.resize(std::fread(names.data(), 1, names.size(), bright.get()));
    const std::size_t nameRecords = names.size() / kBrightRecordSize;
    int highestIndex = 0;

    std::array<unsigned char, kSky2000RecordSize> record;
    while (std::fread(record.data(), 1, record.size(), main.get()) == record.size()) {
        const int index = readI16(record.data() + 32);
        if (index == 0) {
            if (m_catalogCount < kCatalogCapacity)
                m_catalog[m_catalogCount++] = CatalogStar::FromCatalogRecord(record);
            continue;
        }
        highestIndex = std::max(highestIndex, static_cast<int>(index));
        if (m_namedCount >= kNamedCapacity)
            continue;
        // An index outside the name file gives a star without names.
        const unsigned char* nameRecord =
            index > 0 && static_cast<std::size_t>(index) < nameRecords
                ? names.data() + static_cast<std::size_t>(index) * kBrightRecordSize
                : nullptr;
        m_named[m_namedCount++] = NamedStar::FromRecords(record, nameRecord);
    }
    // A names file cut short leaves the stars it no longer reaches without their names.
    if (static_cast<std::size_t>(highestIndex) >= nameRecords && result.damaged.empty())
        result.damaged.push_back(brightPath.string() + " is damaged: it holds " +
                                 std::to_string(nameRecords) + " records where " +
                                 sky2000.filename().string() + " refers to " +
                                 std::to_string(highestIndex + 1));
    return result;
}

StarLoadResult StarCatalog::readFaintResident(const std::filesystem::path& path) {
    File file = openFile(path);
    if (!file)
        return cannotOpen(path);
    StarLoadResult result;
    if (std::string damage = RecordFileDamage(path, kTychoRecordSize); !damage.empty())
        result.damaged.push_back(std::move(damage));
    std::array<unsigned char, kTychoRecordSize> record;
    while (m_catalogCount < kCatalogCapacity &&
           std::fread(record.data(), 1, record.size(), file.get()) == record.size())
        m_catalog[m_catalogCount++] = CatalogStar::FromTychoRecord(record);
    return result;
}

} // namespace catalog
