#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Conversion of the official Tycho-2 distribution (catalog.dat or tyc2.dat, suppl_1.dat,
// index.dat) into the program's Tycho-2 tier:
//
//   tycho_2.skd        20-byte records of the main-catalogue stars fainter than 9.5,
//                      grouped by region (TYC1) in ascending order, catalogue order within;
//   supply_1.skd       the same for the stars of supplement 1;
//   tycho_2_index.skd  40-byte records: one per region 1..9537 (record i for TYC1 = i + 1)
//                      with the first record numbers (from 1) in the two files above and the
//                      region's RA/Dec box in degrees, then one closing record holding the
//                      numbers one past the last records and a zero box;
//   tycho_2_b.skd      20-byte records of the stars of 9.5 and brighter, in region order,
//                      except those already in the resident SKY2000 file: their identifier
//                      is there, or a resident star lies within kResidentMatchArcsec of them.
//
// The magnitude that decides is VT, or BT when VT is missing. The two region files hold at
// most 1,800 stars of one region together; the faintest beyond that are dropped (ties: the
// supplement star, then the later line, goes first).
//
// Positions: the mean ICRS J2000 position of the main catalogue, or its observed position
// (epoch about 1991.5) for the stars without a mean position (pflag X); the supplement gives
// epoch 1991.25 positions, carried to J2000 with their proper motion when they have one.
// Supplement stars flagged H carry Hp in place of VT, which is written as VT.
//
// The region boxes: index.dat gives all four bounds (degrees, safely rounded to 0.01) for
// every region 1..9537; its closing line's bounds are not used. A region whose index line is
// missing or unreadable gets the box of its stars (all stars read for it, including the bright
// and dropped ones) rounded outwards to 0.01 degree; a region without either gets an all-zero
// box.
//
// The inputs are streamed region by region: in memory are the index table, the resident
// identifiers and directions (about 32 bytes a star) and the faint stars of one region (at
// most 1,801). Malformed lines are counted
// and skipped, as are lines whose region comes after a later region (the files are sorted by
// TYC1) and stars whose packed identifier does not fit 16 bits (TYC3 = 4 in regions above
// 2767, which only the supplement has). The output is a function of the inputs alone.
namespace catalog {

inline constexpr int kTycho2Regions = 9537;
inline constexpr int kTycho2MaxRegionStars = 1800;
// Magnitudes (x 1000) up to this one go to the bright file.
inline constexpr int kTycho2BrightLimitMilli = 9500;
inline constexpr int kStarRecordBytes = 20;
inline constexpr int kTychoIndexRecordBytes = 40;
inline constexpr int kSky2000RecordBytes = 64;

// A bright Tycho star with a resident star this close (arc seconds) is taken to be that star.
// The resident file made from Hipparcos and the Bright Star Catalogue carries no Tycho
// identifiers, so the position is what links the two. Hipparcos and Tycho-2 place the same
// star well within an arc second of each other at J2000; the margin covers the resident stars
// known only from the Bright Star Catalogue (positions given to 0.1 s and 1", of older
// astrometry, a few arc seconds off) and the Tycho stars placed by their observed position
// (about 1991.5) without proper motion, which fast-moving stars have left by several arc
// seconds by 2000. Stars of 9.5 and brighter are a few per square degree, so an unrelated one
// falls within 10" of a given resident star about once in several thousand; what does fall there
// is mostly the companion of a close pair that the resident star already stands for.
// Magnitudes are not compared (VT is not Johnson V, and a resident pair may be combined light).
inline constexpr double kResidentMatchArcsec = 10.0;

// An unreadable input, a file that cannot be what it is named as, or a failed write.
struct Tycho2Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Tycho2Inputs {
    std::string catalog;    // catalog.dat / tyc2.dat (LF or CR LF lines)
    std::string supplement; // suppl_1.dat
    std::string index;      // index.dat
    std::string resident;   // SKY2000_data.skd whose stars are skipped; empty: none
};

// What one input file contributed.
struct Tycho2SourceCounts {
    std::int64_t lines = 0;      // non-empty lines read
    std::int64_t malformed = 0;  // skipped: wrong length, bars, numbers or ranges
    std::int64_t outOfOrder = 0; // skipped: region lower than one already passed
    std::int64_t unpackable = 0; // skipped: packed identifier above 32767
    std::int64_t faint = 0;      // written to the region file
    std::int64_t bright = 0;     // written to the bright file
    std::int64_t resident = 0;   // bright, skipped as already in the resident file
    std::int64_t dropped = 0;    // faint, dropped from an over-full region
};

struct Tycho2Report {
    Tycho2SourceCounts catalog;
    Tycho2SourceCounts supplement;
    std::int64_t observedPositions = 0; // catalogue stars placed by their observed position
    std::int64_t propagated = 0;        // supplement stars carried to J2000 by proper motion
    int overfullRegions = 0;            // regions that lost stars to the 1,800 limit
    int emptyRegions = 0;               // regions without a record in either region file
    int boundsFromIndex = 0;
    int boundsFromStars = 0;
    int boundsZero = 0;
    std::int64_t indexLines = 0;
    std::int64_t indexMalformed = 0;
    // Regions whose star count in a source disagrees with index.dat's record numbers
    // (counting only the well-formed lines): a sign of mismatched or damaged files.
    int indexCountMismatches = 0;
    std::int64_t residentRecords = 0;     // records in the resident file
    std::int64_t residentPositions = 0;   // of them with a usable direction (not all zero)
    std::int64_t residentIdentifiers = 0; // distinct identifiers read from the resident file
    // Bright stars skipped as resident by position alone (their identifier was not there);
    // included in the sources' resident counts.
    std::int64_t residentByPosition = 0;
    std::int64_t indexRecords = 0; // written, closing record included
    // The first few problems, each "file line N: reason".
    std::vector<std::string> samples;
};

// Reads the inputs and writes the four files into outDir (which must exist), each first to
// "<name>.tmp" and renamed when complete. Throws Tycho2Error for an unreadable input, an
// index file that is not a Tycho-2 index, a resident file whose size is not a whole number
// of records, or a failed write.
Tycho2Report convertTycho2(const Tycho2Inputs& inputs, const std::string& outDir);

} // namespace catalog
