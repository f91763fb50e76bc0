#pragma once

#include "catalog/DeepSky.h"
#include "settings/SettingsStore.h"

namespace catalog {

// The deep-sky selection in the settings section "NGC": "GenSelFlag", the fifteen type
// switches (kDsoTypeSwitchKeys), the size, magnitude and area filters with the dialog's
// target fields, and the area centre "AreaCenterRA"/"AreaCenterDec". The chart's own values
// of that section (plotting and labels) are read and written with the chart settings.
// Integers are stored as integers, real numbers as locale-free "%f" text. A value that is
// absent or stored with the other type gives its default; text that is not a number reads
// as 0.
//
// Guards: a "GenSelFlag" other than 1, 2 or 3 gives 2 (only Messier objects); the area
// centre's right ascension is taken modulo 24 hours and its declination clamped to -90..+90.
//
// After reading, the caller builds the area centre from areaCenterRa/areaCenterDec and
// recomputes the selection of the catalogue.
DsoSelectionSettings ReadDsoSelection(const settings::SettingsStore& store);
void WriteDsoSelection(settings::SettingsStore& store, const DsoSelectionSettings& selection);

} // namespace catalog
