#pragma once

#include "astro/DateTime.h"
#include "astro/SolarSystemBody.h"
#include "chart/Surface.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace chart {
class SkyChart;
}

namespace catalog {

class ConstellationData;
class PlaceList;

// The columns of an ephemeris table, always all eighteen, in this order.
enum EphemerisColumnId : int {
    ColumnLocalTime = 0,
    ColumnUniversalTime,
    ColumnJulianDay,
    ColumnRightAscension,
    ColumnDeclination,
    ColumnAzimuth,
    ColumnAltitude,
    ColumnEclipticLongitude,
    ColumnEclipticLatitude,
    ColumnMagnitude,
    ColumnRise,
    ColumnTransit,
    ColumnSet,
    ColumnPhase,
    ColumnDistance,
    ColumnDiameter,
    ColumnElongation,
    ColumnConstellation,
};
inline constexpr std::size_t kEphemerisColumnCount = 18;
// A table holds at most this many rows.
inline constexpr std::size_t kEphemerisMaxRows = 1000;

struct EphemerisColumn {
    std::string header;
    bool shown = false;
    std::vector<std::string> cells; // UTF-8, one per row
    // Characters (code points) of the longest of the header and the cells: the width in the
    // list and the text file.
    int width = 0;
};

// The rows of one body at regular instants. Every column is computed; only the shown ones
// reach the list, the text file and the printed pages.
struct EphemerisTable {
    std::string title; // the body's name
    std::array<EphemerisColumn, kEphemerisColumnCount> columns;
    std::size_t rowCount = 0;

    // The shown columns, in table order.
    std::vector<const EphemerisColumn*> shownColumns() const;
};

// The headers of the columns ("Local Time", "UT", ... "Constellation") and the labels of
// their check boxes ("Local time", "UT", ... "Constellation").
const std::array<const char*, kEphemerisColumnCount>& EphemerisHeaders();
const std::array<const char*, kEphemerisColumnCount>& EphemerisCheckLabels();

// What a table is computed from: the shown columns, the start in local clock time, the step
// in days and the number of rows (at most kEphemerisMaxRows are made).
struct EphemerisRequest {
    std::array<bool, kEphemerisColumnCount> shown{};
    astro::DateTime startLocal;
    double stepDays = 1.0;
    int count = 50;
};

// The span from UT to the local clock in days: the zone's hours and one more under daylight
// saving, exactly. (The rounded day fractions 1.157e-5 and 0.041652 would leave a start of
// 12:00:00 local at zone +1 with daylight saving at 10:00:03 UT instead of 10:00:00.)
double ZoneSpanDays(float timeZoneHours, int daylightSaving);

// A body of the same kind as the given one that the table may compute at will: a new Sun,
// Moon or planet, or a copy of an asteroid or comet. Null for an object that is no body.
std::unique_ptr<astro::SolarSystemBody> PrivateBodyLike(const astro::SolarSystemBody& body);

// The table of a body for the chart's place, conditions, zone and daylight saving. The body
// is computed as a private copy and the horizontal frames are private, so the chart and its
// bodies are left as they were. The azimuth is counted from north through east, the altitude
// includes refraction, the constellation is its abbreviation.
EphemerisTable ComputeEphemeris(const astro::SolarSystemBody& body, const chart::SkyChart& chart,
                                const ConstellationData* constellations,
                                const EphemerisRequest& request);

// "Observing place: " with the name of a fixed place, then "   Latitude: ...  Longitude:
// ..." of the chart's place; the line the text file and the printed pages write.
std::string EphemerisPlaceLine(const chart::SkyChart& chart, const PlaceList* places);

// The text file: the title lines, the place line, the header and the rows of the shown
// columns, each field left-justified and padded with blanks to its width + 3. Line ends
// "\n".
std::string EphemerisText(const EphemerisTable& table, const std::string& placeLine);
// The shown columns as CSV (RFC 4180 quoting), a header line first; and as JSON lines, one
// object per row keyed by the column headers.
std::string EphemerisCsv(const EphemerisTable& table);
std::string EphemerisJsonLines(const EphemerisTable& table);

// Writes text to path through a temporary file and a rename; an empty text on success, else
// a message naming the file.
std::string WriteEphemerisFile(const std::filesystem::path& path, const std::string& text);

// ---- printing

// Rows on one printed page.
inline constexpr std::size_t kEphemerisRowsPerPage = 45;
// rows / 45 + 1 (not rounded up: 45 rows take two pages, the second one empty of rows).
int EphemerisPageCount(std::size_t rows);

// Draws page `page` (1-based) of the printed table on a surface of the printable rectangle's
// size: the title lines, the header with its rules, up to 45 rows, and "Page %d/%d". The
// font's height follows the page's height; shown columns too wide for the page's width make
// the table's font smaller so that every row fits.
void PrintEphemerisPage(chart::Surface& surface, const EphemerisTable& table,
                        const std::string& placeLine, int page);

// ---- the settings dialog "Ephemeris - <name>"

class EphemerisSettingsModel {
public:
    enum class Unit { Days, Hours, Seconds };
    enum class Field { None, Hour, Minute, Second, Interval, Count };

    // For a body, with today's date (from the system clock) and the chart's local hour.
    EphemerisSettingsModel(const astro::SolarSystemBody& body, const astro::DateTime& today,
                           int localHour);

    std::string title() const { return m_title; }
    // Whether a column's check box can be used for the body's kind.
    bool columnEnabled(std::size_t column) const;

    // The fields as the dialog holds them.
    std::array<bool, kEphemerisColumnCount> shown{};
    astro::DateTime date; // only the date counts
    std::string hour;
    std::string minute = "0";
    std::string second = "0";
    std::string interval = "1";
    Unit unit = Unit::Days;
    std::string count = "50";

    // The range a numeric field accepts (hours 0-23, minutes and seconds 0-59, interval
    // 1-10000, number of entries 1-1000); the dialog's spin buttons stay inside it.
    struct Range {
        int low;
        int high;
    };
    static Range rangeOf(Field field);

    struct Refusal {
        std::string message;
        Field field = Field::None;
    };
    // The framework's range messages: "Please enter an integer between 0 and 23." and so
    // on; a number of entries outside 1..1000 is refused the same way.
    std::optional<Refusal> validate() const;
    // The request of valid fields (call validate() first); a disabled column is never shown.
    EphemerisRequest request() const;

private:
    std::string m_title;
    int m_kind;
};

} // namespace catalog
