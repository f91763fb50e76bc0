#pragma once

namespace ephem::tables {

// TT - UT in seconds at 1 January 0h UT of the years kDeltaTFirstYear onwards.
extern const int kDeltaTFirstYear;
extern const int kDeltaTCount;
extern const double kDeltaT[];

} // namespace ephem::tables
