#pragma once

#include "catalog/DeepSky.h"
#include "catalog/MinorBodyCatalog.h"
#include "catalog/Places.h"
#include "chart/SkyChart.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// The chart document (".skv"): one chart's complete settings as a flat little-endian byte
// stream without header, version or padding between items. Integers are 32-bit two's
// complement, real numbers IEEE binary64 (some deep-sky values binary32), texts UTF-8 in
// fixed widths, zero-terminated and zero-padded. In order:
//
//   zoom (8) | target, a sky position record (48) | rotation mode (4) | fixed place, latitude,
//   longitude, time zone (4+8+8+4) | per grid in the order equatorial, azimuthal, ecliptic:
//   shown flag (4), six doubles (48: parallel spacing, meridian spacing, meridian extent,
//   sample step, top parallel, bottom parallel), mode, only visible, inscriptions, automatic
//   (16) | local time, universal time, local copy, three date-time records (36) | daylight
//   saving (4) | auto update, pace, update period (12) | figures, boundaries (8) | names,
//   abbreviated, locked with figures (12) | magnitude limit (8) | only visible part,
//   automatic magnitude, star labels, star label kind (16) | label magnitude limit (8) | the
//   ten bodies' plot and label flags in the order Sun, Moon, Mercury, Venus, Mars, Jupiter,
//   Saturn, Uranus, Neptune, Pluto (80) | 30 deep-sky values (120, see below) | deep-sky
//   altitude and radius as floats (8) | deep-sky area centre RA, Dec (16) | asteroid plot,
//   label flag, label mode (12) | asteroid catalogue present (4) [name (300), count n (4),
//   n plot flags (4n)] | comet plot, label flag (8) | comet catalogue present (4) [name
//   (300), count m (4), m plot flags (4m)] | trail count (4) | trail records.
//
// The 30 deep-sky values: plotting, label flag, label mode, label magnitude limit (float),
// selection mode, the fifteen type switches in the alphabetical order of their settings
// names ("chAsterism" ... "chUnidentified"), size filter, minimum size (float), magnitude
// filter, maximum magnitude (float), area filter, RA minutes (float), RA hours, Dec (float),
// azimuth degrees, azimuth minutes (float).
//
// Sky position record (48 bytes): a class tag (the kind code of the object written; 1, a
// plain point, for the target and trail points), 4 bytes of zero padding, right ascension
// (hours), declination (degrees), then the unit vector x, y, z. A reader ignores the first
// eight bytes.
//
// Date-time record (12 bytes): the OLE automation day count (double) and a status (0 valid).
//
// Trail record: six colours 0x00BBGGRR (Standard View trail, True View trail, Standard View
// label, True View label, printer trail, printer label); the label font as a 60-byte logical
// font record (height, width, escapement, orientation, weight as int32; italic, underline,
// strike-out, character set, output precision, clip precision, quality, pitch and family as
// bytes; a 32-byte face name); the number of computings and the label density (int32 each);
// five 16-byte pen records (style, width x, width y, colour 0x00BBGGRR: Standard, True, red,
// black, printer); the name (150 bytes); the number of points p; p times a sky position
// record followed by its 30-byte label.

// What a document is loaded into. The catalogues are the ones the chart's asteroid and comet
// lists point into; a load replaces them.
struct ChartDocumentParts {
    chart::SkyChart& chart;
    DsoSelectionSettings& deepSky;
    AsteroidCatalog& asteroids;
    CometCatalog& comets;
};

struct ChartDocumentLoadOptions {
    // A catalogue name of the document that is not an absolute path is taken relative to
    // this folder (the program's data folder).
    std::filesystem::path dataFolder;
    // The fixed places. When given, a stored fixed place index must name one of its entries
    // and the chart's position and time zone are set from the stored place. Without it the
    // index is checked against fixedPlaceCount and the chart's position stays as it is (the
    // caller sets it from chart.settings.place).
    const PlaceList* places = nullptr;
    std::size_t fixedPlaceCount = PlaceList::kPermanentCount;
    // When given, its deep-sky selection is recomputed from the loaded settings.
    DsoCatalog* deepSkyCatalog = nullptr;
    // Called once the asteroid and comet catalogues have been replaced (their bodies moved),
    // before the chart's time step computes the selected bodies: the caller points the
    // chart's lists at the new bodies here. Without it the chart's asteroid and comet lists
    // are set to null, so that the time step never reaches the old bodies.
    std::function<void()> cataloguesReplaced;
};

// The largest document a load reads; a larger file is refused as no chart document.
inline constexpr std::uintmax_t kMaxChartDocumentSize = std::uintmax_t{64} << 20;

// The bytes of the document for the chart, deep-sky selection and catalogues. Returns an
// error (and leaves bytes empty) when a catalogue name does not fit its 300-byte field
// (299 bytes and the terminating zero): such a name is never cut, as it would name another
// file. A trail name is cut to 149 bytes and a font face name to 31, never inside a UTF-8
// character.
std::string EncodeChartDocument(const chart::SkyChart& chart, const DsoSelectionSettings& deepSky,
                                const AsteroidCatalog& asteroids, const CometCatalog& comets,
                                std::string& bytes);

// Encodes the document in full, then writes it through a temporary file ("<file>.tmp") and
// a rename, so that a failure leaves the old file as it was. Returns "" or the error.
std::string SaveChartDocument(const std::filesystem::path& file, const chart::SkyChart& chart,
                              const DsoSelectionSettings& deepSky, const AsteroidCatalog& asteroids,
                              const CometCatalog& comets);

// Reads the whole document and applies it only once every item has been read, so that a
// file that fails changes nothing (chart, selection and catalogues stay as they were).
// Returns "" or the reason of the failure:
//   - a file that ends before its items: "An attempt was made to access <file> past its
//     end." (also for a count whose records the file cannot hold);
//   - a negative count, or a sky position of which neither the vector nor the right
//     ascension and declination are finite: "The chart document "<file>" is damaged: ...";
//   - a file that cannot be read or is larger than kMaxChartDocumentSize.
// Values are taken through the same guards as the settings store's (see
// chart/ChartSettingsStore.h): a zoom of 0 or less 0.7, a rotation mode other than 1-3 1,
// an unknown fixed place 211, a position off the globe the fixed place, pace and update
// period out of range 1 and 60000, a magnitude limit outside -5..16 6.0, a grid value out
// of the range the grid can be drawn with that grid field's built-in value, a deep-sky
// selection mode other than 1-3 2, the area centre's RA taken modulo 24 h and its Dec
// clamped; any other real number that is not finite gives that field's default. An asteroid
// label mode other than 1-3 gives 1. A font record whose numbers a font text could not
// hold gives the default trail font; a pen record with a style other than 0-6 or a width
// outside 0-1000 gives the pen the trail makes from its colours. A date-time record that is
// not valid: local time the computer's current time, universal time derived from the local
// time and the zone, the local copy the local time.
//
// Then, in order: the values are set; the current asteroid catalogue is dropped and, when
// the document names one, that file is loaded; when the file cannot be read the catalogue
// stays empty (without a name) and a note says so, the load does not fail. The stored plot
// flags are applied only when their count equals the number of bodies now loaded, otherwise
// they are skipped with a note. The same for comets. The trails are replaced: at most 100
// (more stored trails are read and left out, with a note), each with at most the trail's
// point cap (more points are read and left out, with a note); a name or label without a
// terminating zero is taken in its full width, bytes that are not UTF-8 become '?'. Finally
// the chart recomputes its view, its time step and its grids; the caller repaints.
// Notes, when given, receives one sentence per thing the user should know.
std::string LoadChartDocument(const std::filesystem::path& file, const ChartDocumentParts& parts,
                              const ChartDocumentLoadOptions& options = {},
                              std::vector<std::string>* notes = nullptr);

// The same from the document's bytes; documentName stands in the messages.
std::string ApplyChartDocument(std::string_view bytes, std::string_view documentName,
                               const ChartDocumentParts& parts,
                               const ChartDocumentLoadOptions& options = {},
                               std::vector<std::string>* notes = nullptr);

} // namespace catalog
