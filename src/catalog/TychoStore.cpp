#include "catalog/TychoStore.h"

#include "catalog/DataFiles.h"
#include "catalog/LittleEndian.h"
#include "chart/SkyChart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <system_error>

namespace catalog {

namespace {

constexpr std::size_t kIndexRecordSize = TychoStore::kIndexRecordSize;
constexpr long kRecordSize = static_cast<long>(kTychoRecordSize);

bool fileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Number of whole records in an open file, leaving it positioned at its start.
long recordCount(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(f);
    std::rewind(f);
    return size > 0 ? size / kRecordSize : 0;
}

// The records of a region that lie inside a file of fileRecords records: a first record
// outside the file, or a negative count, gives none; a count reaching past the end is cut.
std::int32_t clippedCount(std::int64_t first, std::int64_t count, long fileRecords) {
    if (first < 1 || first > static_cast<std::int64_t>(fileRecords) + 1 || count <= 0)
        return 0;
    const std::int64_t room = static_cast<std::int64_t>(fileRecords) - (first - 1);
    return static_cast<std::int32_t>(std::min(count, room));
}

// Whether the chart draws an equatorial direction: on the near side of the target and
// inside the window, edges included.
bool isOnChart(const chart::SkyChart& chart, const astro::SkyPoint& p) {
    if (chart.fromChartFrame(chart.target()).dot(p) < 0.0)
        return false;
    const chart::ScreenPoint s = chart.Project(p);
    const chart::ProjectionParams& c = chart.projection();
    return s.x >= 0 && s.x <= 2 * c.cx && s.y >= 0 && s.y <= 2 * c.cy;
}

// The farthest corner of the box from its centre bounds the whole box: along a parallel the
// distance from the centre grows with the difference in right ascension (at most 12 hours
// either way), and along a meridian it has no maximum inside the range.
void setReach(TychoRegion& region) {
    region.reachCos = -1.0;
    region.reachSin = 0.0;
    const bool bounded = region.raLow <= region.raHigh && region.raHigh - region.raLow <= 24.0 &&
                         region.decLow <= region.decHigh && region.decLow >= -90.0 &&
                         region.decHigh <= 90.0;
    if (!bounded)
        return;
    double farthest = 1.0;
    for (const double ra : {region.raLow, region.raHigh})
        for (const double dec : {region.decLow, region.decHigh})
            farthest = std::min(farthest, region.centre.dot(astro::SkyPoint(ra, dec)));
    // A margin of a few arc seconds for the rounding of the corners' directions.
    const double reach = std::acos(std::clamp(farthest, -1.0, 1.0)) + 2e-5;
    if (reach >= std::numbers::pi)
        return;
    region.reachCos = std::cos(reach);
    region.reachSin = std::sin(reach);
}

} // namespace

TychoStore::TychoStore()
    : m_buffer(static_cast<std::size_t>(TychoSlot::kCapacity) * kTychoRecordSize) {
    m_regions.reserve(kRegionCapacity + 1); // and the closing record
    for (TychoSlot& slot : m_slots)
        slot.stars = std::make_unique<TychoStar[]>(TychoSlot::kCapacity);
}

TychoStore::~TychoStore() = default;

std::vector<std::string> TychoStore::CheckFiles(const std::filesystem::path& dataDir,
                                               bool byPath) {
    std::vector<std::string> damage;
    auto nameOf = [&](const char* file) {
        return byPath ? (dataDir / file).string() : std::string(file);
    };
    const char* files[3] = {kMainFile, kSupplementFile, kIndexFile};
    std::uintmax_t size[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(dataDir / files[i], ec))
            return damage;
        size[i] = std::filesystem::file_size(dataDir / files[i], ec);
        if (ec)
            return damage;
    }
    for (int i = 0; i < 3; ++i) {
        const std::size_t record = i == 2 ? kIndexRecordSize : kTychoRecordSize;
        if (std::string d = RecordSizeDamage(nameOf(files[i]), size[i], record); !d.empty())
            damage.push_back(std::move(d));
    }
    // The index's closing record holds, per region file, the number of the record after
    // the last one.
    if (size[2] < kIndexRecordSize)
        return damage;
    const File indexFile(std::fopen((dataDir / kIndexFile).c_str(), "rb"));
    std::array<unsigned char, 8> last;
    const long lastRecord = static_cast<long>((size[2] / kIndexRecordSize - 1) * kIndexRecordSize);
    if (!indexFile || std::fseek(indexFile.get(), lastRecord, SEEK_SET) != 0 ||
        std::fread(last.data(), 1, last.size(), indexFile.get()) != last.size())
        return damage;
    for (int f = 0; f < 2; ++f) {
        const std::int64_t listed = static_cast<std::int64_t>(readI32(last.data() + 4 * f)) - 1;
        const std::int64_t held = static_cast<std::int64_t>(size[f] / kTychoRecordSize);
        if (listed != held && size[f] % kTychoRecordSize == 0)
            damage.push_back(nameOf(files[f]) + " is damaged: it holds " + std::to_string(held) +
                             " records where " + kIndexFile + " lists " +
                             std::to_string(std::max<std::int64_t>(listed, 0)));
    }
    return damage;
}

void TychoStore::close() {
    m_available = false;
    m_damaged.clear();
    for (File& f : m_files)
        f.reset();
    m_fileRecords = {0, 0};
    m_regions.clear();
    for (TychoSlot& slot : m_slots) {
        slot.inUse = 0;
        slot.region = -100;
        slot.starCount = 0;
    }
    m_held.fill(Held{});
}

void TychoStore::OpenTycho(const std::filesystem::path& dataDir) {
    close();
    const std::filesystem::path main = dataDir / kMainFile;
    const std::filesystem::path supplement = dataDir / kSupplementFile;
    const std::filesystem::path index = dataDir / kIndexFile;
    if (!fileExists(main) || !fileExists(supplement) || !fileExists(index))
        return;
    m_damaged = CheckFiles(dataDir);

    m_files[0].reset(std::fopen(main.c_str(), "rb"));
    m_files[1].reset(std::fopen(supplement.c_str(), "rb"));
    const File indexFile(std::fopen(index.c_str(), "rb"));
    if (!m_files[0] || !m_files[1] || !indexFile) {
        close();
        return;
    }
    for (int f = 0; f < 2; ++f)
        m_fileRecords[f] = recordCount(m_files[f].get());
    m_available = true;

    // The regions, then the closing record that marks where the last one ends; records
    // beyond the capacity are not read.
    std::array<unsigned char, kIndexRecordSize> r;
    while (m_regions.size() <= static_cast<std::size_t>(kRegionCapacity) &&
           std::fread(r.data(), 1, r.size(), indexFile.get()) == r.size()) {
        TychoRegion region;
        region.first = {readI32(r.data()), readI32(r.data() + 4)};
        region.raLow = readF64(r.data() + 8) / 15.0;
        region.raHigh = readF64(r.data() + 16) / 15.0;
        region.decLow = readF64(r.data() + 24);
        region.decHigh = readF64(r.data() + 32);
        region.centre = astro::SkyPoint(region.raLow + (region.raHigh - region.raLow) / 2.0,
                                        region.decLow + (region.decHigh - region.decLow) / 2.0);
        setReach(region);
        m_regions.push_back(region);
    }
    m_wanted.assign(m_regions.size(), 0);
    for (std::size_t i = 0; i + 1 < m_regions.size(); ++i) {
        TychoRegion& region = m_regions[i];
        for (int f = 0; f < 2; ++f) {
            const std::int64_t next = m_regions[i + 1].first[f];
            region.count[f] =
                clippedCount(region.first[f], next - region.first[f], m_fileRecords[f]);
        }
    }
    if (!m_regions.empty())
        m_regions.pop_back(); // the closing record is no region
}

TychoStore::WindowSamples TychoStore::SampleWindow(const chart::SkyChart& chart) {
    const int w = chart.clientWidth() / 2;
    const int h = chart.clientHeight() / 2;
    const int px[8] = {0, w, 2 * w, 2 * w, 2 * w, w, 0, 0};
    const int py[8] = {0, 0, 0, h, 2 * h, 2 * h, 2 * h, h};
    WindowSamples s;
    for (int i = 0; i < 8; ++i) {
        astro::SkyPoint p;
        s.valid[i] = chart.PixelToSky(px[i], py[i], p);
        if (s.valid[i])
            s.points[i] = chart.fromChartFrame(p);
    }
    return s;
}

bool TychoStore::isRegionVisible(const TychoRegion& region, const chart::SkyChart& chart,
                                 const WindowSamples& samples) const {
    if (chart.settings.onlyVisiblePart && !chart.isAboveHorizon(region.centre))
        return false;
    for (int i = 0; i < 8; ++i) {
        if (!samples.valid[i])
            continue;
        const double ra = samples.points[i].ra();
        const double dec = samples.points[i].dec();
        if (region.raLow <= ra && ra <= region.raHigh && region.decLow <= dec &&
            dec <= region.decHigh)
            return true;
    }
    return isOnChart(chart, region.centre);
}

bool TychoStore::IsRegionVisible(const TychoRegion& region, const chart::SkyChart& chart) const {
    return isRegionVisible(region, chart, SampleWindow(chart));
}

void TychoStore::readRegion(int file, const TychoRegion& region, TychoSlot& slot) {
    const std::int32_t n = std::min(region.count[file], TychoSlot::kCapacity);
    if (n <= 0 || slot.starCount >= TychoSlot::kCapacity)
        return;
    std::FILE* f = m_files[file].get();
    if (std::fseek(f, (static_cast<long>(region.first[file]) - 1) * kRecordSize, SEEK_SET) != 0)
        return;
    const std::size_t got =
        std::fread(m_buffer.data(), kTychoRecordSize, static_cast<std::size_t>(n), f);
    for (std::size_t i = 0; i < got && slot.starCount < TychoSlot::kCapacity; ++i) {
        const unsigned char* record = m_buffer.data() + i * kTychoRecordSize;
        if (readI16(record) == 0)
            continue; // an empty record
        slot.stars[slot.starCount++] = TychoStar::FromRecord(
            std::span<const unsigned char, kTychoRecordSize>(record, kTychoRecordSize));
    }
}

bool TychoStore::farFromWindow(const TychoRegion& region, const chart::SkyChart::ViewCone& cone,
                               double coneCos, double coneSin) {
    if (region.reachCos <= -1.0)
        return false;
    // Apart by more than the two half-angles: cos(distance) < cos(cone + reach).
    const double sumCos = coneCos * region.reachCos - coneSin * region.reachSin;
    if (coneCos * region.reachSin + coneSin * region.reachCos < 0.0)
        return false; // the two angles together pass 180 degrees
    return region.centre.x() * cone.ax + region.centre.y() * cone.ay +
               region.centre.z() * cone.az <
           sumCos;
}

void TychoStore::LoadVisibleRegions(const chart::SkyChart& chart) {
    // The stars of the slots that were in use stay in their arrays for reuse.
    for (std::size_t j = 0; j < m_slots.size(); ++j) {
        TychoSlot& slot = m_slots[j];
        if (slot.inUse)
            m_held[j] = Held{slot.region, slot.starCount};
        slot.inUse = 0;
        slot.region = -100;
        slot.starCount = 0;
    }
    if (!m_available || !(chart.magnitudeLimit() > chart::kFaintStarLimit))
        return;

    // The regions to show, in index order. Regions wholly outside a cone round the window
    // (a little wider than the one that holds everything on the chart) are passed over
    // without the sample tests.
    const WindowSamples samples = SampleWindow(chart);
    const chart::SkyChart::ViewCone cone = chart.WindowCone();
    const bool culled = cone.minCos > -1.0;
    const double coneAngle = culled ? std::acos(std::min(1.0, cone.minCos)) + 1e-3 : 0.0;
    const double coneCos = std::cos(coneAngle), coneSin = std::sin(coneAngle);
    std::array<int, kSlotCount> wanted{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < m_regions.size(); ++i) {
        const TychoRegion& region = m_regions[i];
        if (culled && farFromWindow(region, cone, coneCos, coneSin))
            continue;
        if (!isRegionVisible(region, chart, samples))
            continue;
        if (count == m_slots.size())
            break;
        wanted[count++] = static_cast<int>(i);
    }

    // Slot k takes region wanted[k]: from the array that holds it when one does, else into an
    // array that holds no region still wanted, then read from the files.
    for (std::size_t k = 0; k < count; ++k)
        m_wanted[static_cast<std::size_t>(wanted[k])] = 1;
    const auto swapSlots = [this](std::size_t a, std::size_t b) {
        if (a == b)
            return;
        std::swap(m_slots[a].stars, m_slots[b].stars);
        std::swap(m_held[a], m_held[b]);
    };
    for (std::size_t k = 0; k < count; ++k) {
        const int region = wanted[k];
        std::size_t from = k;
        while (from < m_slots.size() && m_held[from].region != region)
            ++from;
        TychoSlot& slot = m_slots[k];
        if (from < m_slots.size()) {
            swapSlots(k, from);
        } else {
            std::size_t spare = k;
            while (spare + 1 < m_slots.size() && m_held[spare].region >= 0 &&
                   m_wanted[static_cast<std::size_t>(m_held[spare].region)])
                ++spare; // one exists: fewer regions are wanted after k than slots after k
            swapSlots(k, spare);
            slot.starCount = 0;
            const TychoRegion& r = m_regions[static_cast<std::size_t>(region)];
            readRegion(0, r, slot);
            readRegion(1, r, slot);
            m_held[k] = Held{region, slot.starCount};
        }
        m_wanted[static_cast<std::size_t>(region)] = 0;
        slot.inUse = 1;
        slot.region = region;
        slot.starCount = m_held[k].starCount;
    }
}

std::size_t TychoStore::starCount(std::size_t slot) const {
    if (slot >= m_slots.size() || !m_slots[slot].inUse)
        return 0;
    return static_cast<std::size_t>(std::max(m_slots[slot].starCount, 0));
}

astro::SkyPoint* TychoStore::star(std::size_t slot, std::size_t i) {
    if (i >= starCount(slot))
        return nullptr;
    return &m_slots[slot].stars[i];
}

const TychoStar* TychoStore::FindTychoStar(int tyc1, int tyc2, int tyc3) {
    if (!m_available || tyc1 < 1 || tyc1 > regionCount() || tyc3 < 1 || tyc3 > 3)
        return nullptr;
    const int packed = tyc1 + 10000 * (tyc3 - 1);
    const TychoRegion& region = m_regions[static_cast<std::size_t>(tyc1 - 1)];
    const std::size_t chunk = m_buffer.size() / kTychoRecordSize;
    for (int file = 0; file < 2; ++file) {
        std::FILE* f = m_files[file].get();
        std::size_t left = static_cast<std::size_t>(std::max(region.count[file], 0));
        if (left == 0 ||
            std::fseek(f, (static_cast<long>(region.first[file]) - 1) * kRecordSize, SEEK_SET) != 0)
            continue;
        while (left > 0) {
            const std::size_t got =
                std::fread(m_buffer.data(), kTychoRecordSize, std::min(left, chunk), f);
            if (got == 0)
                break;
            left -= got;
            for (std::size_t i = 0; i < got; ++i) {
                const unsigned char* record = m_buffer.data() + i * kTychoRecordSize;
                if (readI16(record) == packed && readI16(record + 2) == tyc2) {
                    m_found = TychoStar::FromRecord(
                        std::span<const unsigned char, kTychoRecordSize>(record, kTychoRecordSize));
                    return &m_found;
                }
            }
        }
    }
    return nullptr;
}

} // namespace catalog
