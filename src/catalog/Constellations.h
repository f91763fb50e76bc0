#pragma once

#include "astro/SkyPoint.h"
#include "catalog/ConstellationLookup.h"
#include "chart/ChartSources.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// The Besselian epoch B1875.0 (Julian day) at which the constellation boundaries and the band
// table are defined.
inline constexpr double kB1875JulianDay = 2405889.258550475;

// One row of the point-in-constellation table: right ascension from raLow (inclusive) to
// raHigh (exclusive), hours, north of decLow, degrees; all at equinox B1875.
struct BoundaryBand {
    double raLow = 0.0;
    double raHigh = 0.0;
    double decLow = 0.0;
    std::string abbreviation; // UTF-8, from at most 23 bytes of the file
};

// One of the 88 constellations: its number (1..88), the three name forms and the point where
// its name is written (J2000).
struct ConstellationEntry {
    int number = 0;
    std::string name;         // form 1, "Ursa Major"
    std::string abbreviation; // form 2, "UMa"
    std::string genitive;     // form 3, "Ursae Majoris"
    double labelRa = 0.0;     // hours
    double labelDec = 0.0;    // degrees
};

// One stroke of a stick figure; the chart's own type, so that the figures are handed to it
// as they are stored.
using FigureSegment = chart::FigureSegment;

// The stick figure of one constellation; number is 0 until a segment of it was read.
struct ConstellationFigure {
    std::vector<FigureSegment> segments;
    int number = 0;
};

// The constellation reference data: boundary outlines, the band table of the point look-up,
// the list of the 88 constellations and their stick figures. Filled once at start-up by the
// four loaders, read-only afterwards.
//
// Every loader reads its file from the data folder given to it. A missing or unreadable file
// leaves its list empty (the chart then draws nothing of it); a short final record ends the
// read; a text field without a terminating NUL is taken in its full width (the band
// abbreviation in at most 23 bytes); text fields are Windows-1252 in the files and UTF-8 here.
// Records with a coordinate that is not a finite number are skipped. Each list stops growing
// at its capacity.
//
// The outlines are at equinox J2000 and the band table at B1875: the look-up precesses the
// position it is given from J2000 to B1875 (IAU 2006) before it walks the bands.
//
// The object also answers the star names' question "which constellation is this star in?"
// (ConstellationLookup): register it with setConstellationLookup once the bands are loaded,
// and gives the chart its outlines, figures and names (chart::ConstellationSource).
class ConstellationData : public ConstellationLookup, public chart::ConstellationSource {
public:
    static constexpr std::size_t kOutlineCapacity = 122;
    static constexpr std::size_t kBandCapacity = 359;
    static constexpr std::size_t kConstellationCount = 88;
    // Guards against absurd files: an outline keeps at most this many points, a figure at most
    // this many segments.
    static constexpr std::size_t kOutlinePointCapacity = 65536;
    static constexpr std::size_t kFigureSegmentCapacity = 4096;
    // What ConstellationNumber answers for a text that names no constellation.
    static constexpr int kNoConstellation = 89;

    static constexpr const char* kBoundariesFile = "Boundaries.skd";
    static constexpr const char* kBandsFile = "BoundariesC.skd";
    static constexpr const char* kListFile = "Constellations.skd";
    static constexpr const char* kFiguresFile = "Figures.skd";
    static constexpr std::size_t kBoundaryRecordSize = 24;
    static constexpr std::size_t kBandRecordSize = 48;
    static constexpr std::size_t kListRecordSize = 112;
    static constexpr std::size_t kFigureRecordSize = 40;

    ConstellationData();

    // Each returns the number of items it now holds (outlines, bands, entries, segments).
    // Loading again replaces what the same loader read before.
    std::size_t LoadBoundaries(const std::filesystem::path& dataDir);
    std::size_t LoadBoundaryBands(const std::filesystem::path& dataDir);
    std::size_t LoadConstellationList(const std::filesystem::path& dataDir);
    std::size_t LoadFigures(const std::filesystem::path& dataDir);
    // One line for each file the loaders last read whose size is not a whole number of
    // records (or, for the list, not 88 of them); what it held was read all the same.
    std::vector<std::string> damaged() const;

    // Abbreviation of the constellation containing a J2000 position (right ascension in hours,
    // declination in degrees); "Oct" when no band contains it, which is every position while
    // no band table is loaded.
    std::string FindConstellationAt(double raHours, double decDegrees) const;
    std::string FindConstellationAt(const astro::SkyPoint& j2000) const;

    // Number (1..88: position in the list + 1) of the constellation whose name, abbreviation or
    // genitive equals the text exactly; kNoConstellation when none does or the text is empty.
    int ConstellationNumber(std::string_view text) const;
    // Form 1 (name), 2 (abbreviation) or 3 (genitive) of the constellation named by the text
    // or with the stored number; "" when there is no such constellation, " " for another form.
    std::string ConstellationForm(std::string_view text, int form) const;
    std::string ConstellationFormByNumber(int number, int form) const;

    // ConstellationLookup: as FindConstellationAt, but "" while no band table is loaded.
    std::string abbreviationAt(const astro::SkyPoint& direction) const override;

    // chart::ConstellationSource: the outlines as boundary polylines, the 88 figures, and the
    // loaded entries with their label points. An index out of range gives an empty span, an
    // empty name and the default direction.
    std::size_t boundaryCount() const override { return m_outlines.size(); }
    std::span<const astro::SkyPoint> boundary(std::size_t i) const override;
    std::size_t figureCount() const override { return m_figures.size(); }
    std::span<const FigureSegment> figure(std::size_t i) const override;
    std::size_t nameCount() const override { return m_entries.size(); }
    std::string_view name(std::size_t i, bool abbreviated) const override;
    astro::SkyPoint namePoint(std::size_t i) const override;

    // Read access, in file order. Outlines are closed polylines (J2000) whose consecutive
    // points lie close together.
    const std::vector<std::vector<astro::SkyPoint>>& outlines() const { return m_outlines; }
    const std::vector<std::string>& outlineNames() const { return m_outlineNames; }
    const std::vector<BoundaryBand>& bands() const { return m_bands; }
    // The loaded entries, at most 88, in file order.
    const std::vector<ConstellationEntry>& entries() const { return m_entries; }
    // Figure i belongs to constellation number i + 1.
    const std::array<ConstellationFigure, kConstellationCount>& figures() const {
        return m_figures;
    }

private:
    enum Loader { Boundaries, Bands, List, Figures };
    std::array<std::string, 4> m_damage;
    const ConstellationEntry* findEntry(std::string_view text) const;

    std::vector<std::vector<astro::SkyPoint>> m_outlines;
    std::vector<std::string> m_outlineNames;
    std::vector<BoundaryBand> m_bands;
    std::vector<ConstellationEntry> m_entries;
    std::array<ConstellationFigure, kConstellationCount> m_figures;
};

} // namespace catalog
