#pragma once

#include "astro/SkyPoint.h"
#include "catalog/Stars.h"
#include "chart/ChartSources.h"
#include "chart/SkyChart.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace catalog {

// One sky region of the Tycho-2 files: its box in right ascension and declination, the
// centre of the box, and where its records lie in the two region files.
struct TychoRegion {
    double raLow = 0.0;  // hours
    double raHigh = 0.0; // hours
    double decLow = 0.0; // degrees
    double decHigh = 0.0;
    astro::SkyPoint centre;
    // Per region file (0 "tycho_2.skd", 1 "supply_1.skd"): number of the region's first
    // record, counted from 1, and how many records it has there.
    std::array<std::int32_t, 2> first{1, 1};
    std::array<std::int32_t, 2> count{0, 0};
    // The box lies within this angle of its centre (the farthest corner): its cosine and
    // sine; a box that cannot be bounded gets the whole sphere (cosine -1).
    double reachCos = -1.0;
    double reachSin = 0.0;
};

// A region loaded for the chart: its stars in an array allocated once with the store.
struct TychoSlot {
    static constexpr int kCapacity = 1800;

    int inUse = 0;
    int region = -100; // index of the region held, -100 when empty
    int starCount = 0;
    std::unique_ptr<TychoStar[]> stars;

    std::span<TychoStar> loaded() { return {stars.get(), static_cast<std::size_t>(starCount)}; }
    std::span<const TychoStar> loaded() const {
        return {stars.get(), static_cast<std::size_t>(starCount)};
    }
};

// The faint stars of the Tycho-2 catalogue and its supplement, read on demand region by
// region into 50 slots. The two region files stay open while the store lives; nothing is
// allocated after construction except by OpenTycho. The chart reads the slots through
// chart::FaintStarSource.
class TychoStore : public chart::FaintStarSource {
public:
    static constexpr int kSlotCount = 50;
    static constexpr int kRegionCapacity = 10000;

    static constexpr const char* kMainFile = "tycho_2.skd";
    static constexpr const char* kSupplementFile = "supply_1.skd";
    static constexpr const char* kIndexFile = "tycho_2_index.skd";
    static constexpr std::size_t kIndexRecordSize = 40;

    TychoStore();
    ~TychoStore() override;
    TychoStore(const TychoStore&) = delete;
    TychoStore& operator=(const TychoStore&) = delete;

    // Opens "tycho_2.skd" and "supply_1.skd" of dataDir and reads the regions of
    // "tycho_2_index.skd". When any of the three is missing or unreadable the store is off:
    // no regions, no error. Region record counts that reach beyond a file's end are cut
    // back to it, and the files whose sizes do not match their records or the index are
    // named in damaged().
    void OpenTycho(const std::filesystem::path& dataDir);
    const std::vector<std::string>& damaged() const { return m_damaged; }

    // The damage of the three files of a data folder: sizes that are no whole number of
    // records, and region files holding another number of records than the index's closing
    // record says. Files are named by their path, or by their bare name unless `byPath`.
    // Nothing when a file is missing.
    static std::vector<std::string> CheckFiles(const std::filesystem::path& dataDir,
                                               bool byPath = true);

    // 1 when the three files were found.
    int TychoAvailable() const { return m_available ? 1 : 0; }
    int regionCount() const { return static_cast<int>(m_regions.size()); }
    const TychoRegion& region(int i) const { return m_regions[static_cast<std::size_t>(i)]; }

    // Frees all slots and loads the first 50 regions, in index order, that the chart shows.
    // When the chart's limiting magnitude is not above 9.5 the faint stars are not drawn and
    // every slot stays free. A region a slot still holds from an earlier call is not read
    // again: its stars move to the slot the region now takes, so a chart that pans reads
    // only the regions that come into view.
    void LoadVisibleRegions(const chart::SkyChart& chart) override;

    // The faint-star source of the chart: whether the files are there, and the 50 slots as
    // the last LoadVisibleRegions left them (a free slot has no stars).
    bool available() const override { return m_available; }
    std::size_t slotCount() const override { return m_slots.size(); }
    std::size_t starCount(std::size_t slot) const override;
    astro::SkyPoint* star(std::size_t slot, std::size_t i) override;

    // Whether the chart shows some of a region: its centre is above the horizon when the
    // chart draws only the visible part, and a corner or edge midpoint of the window lies in
    // its box or its centre lies in the window.
    bool IsRegionVisible(const TychoRegion& region, const chart::SkyChart& chart) const;

    // The star with this Tycho-2 identifier, read from the region files (first the main file,
    // then the supplement); null when the store is off or no such star exists. The star
    // stays valid until the next call.
    const TychoStar* FindTychoStar(int tyc1, int tyc2, int tyc3);

    std::span<const TychoSlot, kSlotCount> slots() const { return m_slots; }

    // The eight window points (corners and edge midpoints) as equatorial directions; a point
    // outside the projected hemisphere is not valid.
    struct WindowSamples {
        std::array<astro::SkyPoint, 8> points;
        std::array<bool, 8> valid{};
    };
    static WindowSamples SampleWindow(const chart::SkyChart& chart);

private:
    struct FileCloser {
        void operator()(std::FILE* f) const {
            if (f)
                std::fclose(f);
        }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;

    bool isRegionVisible(const TychoRegion& region, const chart::SkyChart& chart,
                         const WindowSamples& samples) const;
    // Adds a region's stars of one file to the slot, as far as the slot has room.
    void readRegion(int file, const TychoRegion& region, TychoSlot& slot);
    void close();

    // Whether the region is not near the window at all: its box lies wholly outside the
    // cone round the window's centre (cosine and sine of the cone's half-angle).
    static bool farFromWindow(const TychoRegion& region, const chart::SkyChart::ViewCone& cone,
                              double coneCos, double coneSin);

    bool m_available = false;
    std::vector<std::string> m_damaged;
    std::array<File, 2> m_files;
    std::array<long, 2> m_fileRecords{0, 0};
    std::vector<TychoRegion> m_regions; // reserved once at full capacity
    std::array<TychoSlot, kSlotCount> m_slots;
    // What each slot's star array still holds after the slot was freed: the region (-100:
    // nothing) and its star count. Moves with the array when slots are swapped.
    struct Held {
        int region = -100;
        int starCount = 0;
    };
    std::array<Held, kSlotCount> m_held;
    std::vector<unsigned char> m_wanted; // per region, during LoadVisibleRegions
    std::vector<unsigned char> m_buffer; // one slot's worth of records
    TychoStar m_found;
};

} // namespace catalog
