#pragma once

#include "chart/ChartSettings.h"
#include "settings/ColorScheme.h"
#include "settings/SettingsStore.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace chart {

class SkyChart;

// A chart's settings in the settings store, in the sections "ColorsFonts", "ZoomTarRot",
// "ObservingPlace", "Grids", "Time", "Constellations", "Stars", "Planets", "NGC" (the four
// chart values "DrawFlag", "LabelFlag", "LabelType", "MaxLabelMagn"; the deep-sky selection
// of that section is catalog::ReadDsoSelection's) and "AddFactors". Integers are stored as
// integers, real numbers as locale-free text ("%f", "%.2f", "%.1f"). A value that is absent
// or stored with the other type gives its default; text that is not a number reads as 0.
//
// The target: "TH" (whole hours), "TM" (minutes) and "Dec" are the target as the chart holds
// it, in the frame of the stored rotation mode ("Rotation"): right ascension and declination
// when turning round the equatorial poles, ecliptic longitude (in hours) and latitude round
// the ecliptic poles, azimuth angle (in hours) and altitude round the azimuthal poles. The
// rotation mode is read together with them and taken as it stands, without converting the
// target, so a chart reopens turned round the same poles at the same frame coordinates: an
// equatorial or ecliptic chart at the same stars, an azimuthal chart at the same place of the
// horizon.
//
// Guards: values that would break the chart take a documented default instead.
//   "Degree"        0 or less (text that is not a number included): 0.7; larger values are
//                   clamped by the chart to its zoom range
//   "TH"/"TM"       right ascension taken modulo 24 hours; "Dec" clamped to -90..+90
//   "Rotation"      not 1, 2 or 3: 1
//   "Fixed"         negative or not below the number of fixed places: 211
//   "Lat"/"Lon"     a position that is not the -1000 sentinel and lies outside -90..90 or
//                   -180..180: both -1000 (the fixed place applies)
//   grid texts      see ApplyGridText
//   "Pace"          outside -30000..30000: 1
//   "Update"        outside 0..3600000: 60000
//   "MaxMagn"       outside -5..16: 6.0
//   "AddFactors"    height outside -100..15000: 0; temperature outside -70..100: 10;
//                   pressure outside 0..10000: 1000

// Reads "ColorsFonts" into the scheme and every other value into the chart, section by
// section in the order above. Before "Time" the chart's clock is set to the computer's
// current local time (universal time derived with the chart's present time zone). The stored
// place is kept in chart.settings.place only: the caller turns it into the chart's position
// and zone through the place list, derives universal time and runs the time step. The
// atmosphere goes into frames().conditions and the chart's site. fixedPlaceCount is the
// number of entries of the place list (permanent and added places).
void ReadChartSettings(const settings::SettingsStore& store, SkyChart& chart,
                       settings::ColorScheme& scheme, std::size_t fixedPlaceCount);

// Writes the scheme and the chart's values, section by section in the same order.
void WriteChartSettings(settings::SettingsStore& store, const SkyChart& chart,
                        const settings::ColorScheme& scheme);

// The stored fixed place index when it names an entry of a list of fixedPlaceCount places,
// otherwise 211.
int CheckedFixedPlace(int stored, std::size_t fixedPlaceCount);

// The six numbers of a grid text ("EqGrid", "AzGrid", "EcGrid"), in the order parallel
// spacing, meridian spacing (minutes), meridian extent, sample step, top parallel, bottom
// parallel, each read in single precision. The text must begin with six numbers separated by
// blanks (anything after them is ignored); otherwise, an empty text included, none is given.
std::optional<std::array<double, 6>> ParseGridText(std::string_view text);

// Sets the six grid values from a grid text. A text without six numbers leaves all six as
// they are (the built-in values, when reading). A number outside the range the grid can be
// drawn with leaves that one field as it is: spacings and sample step below 0.01 (the
// smallest positive value two decimals hold) or above 90 degrees (1440 minutes for the
// meridian spacing), an extent outside 0..90, a top or bottom parallel outside -90..90.
void ApplyGridText(std::string_view text, GridSettings& grid);
// The same for six numbers in that order (a chart document keeps them as numbers). The limits
// are compared in single precision, as the texts are read: "0.01" reads as 0.0099999998 and
// still counts as the smallest spacing.
void ApplyGridValues(const std::array<double, 6>& values, GridSettings& grid);

// "%.2f %.2f %.2f %.2f %.2f %.2f" of the six grid values.
std::string FormatGridText(const GridSettings& grid);

} // namespace chart
