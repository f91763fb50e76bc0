#pragma once

#include "astro/MinorBody.h"
#include "chart/BodyDrawing.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalog {

// Most bodies one catalogue holds; a file with more is read up to this many.
inline constexpr std::size_t kAsteroidCapacity = 60000;
inline constexpr std::size_t kCometCapacity = 1000;
// A catalogue line is read up to this many characters; the rest of a longer line is skipped.
inline constexpr std::size_t kCatalogLineLimit = 500;

// Where a load stands: lines read so far and bytes of the file consumed out of its size.
struct CatalogProgress {
    std::size_t lines = 0;
    std::uintmax_t bytesDone = 0;
    std::uintmax_t bytesTotal = 0;
};

struct CatalogLoadOptions {
    // Called after every `progressEvery` lines and once when the file has been read.
    std::function<void(const CatalogProgress&)> progress;
    std::size_t progressEvery = 1000;
};

// What a load reports. `error` is set (and nothing is loaded) when the file could not be
// opened or read; it names the file. The counts describe the lines of a file that was read.
struct CatalogLoadResult {
    std::string error;
    std::size_t lines = 0;          // lines read
    std::size_t loaded = 0;         // bodies in the list
    std::size_t skipped = 0;        // lines that are not blank yet hold no usable orbit
    std::size_t longLines = 0;      // lines over kCatalogLineLimit characters, read that far
    bool stoppedAtCapacity = false; // the file holds more bodies than the list takes

    bool ok() const { return error.empty(); }
    // Notes for the user on a file that was read: the capacity stop, skipped and long lines,
    // one sentence each; empty when there is nothing to say. The error itself is not part of
    // it.
    std::string notes(std::string_view kind) const;
};

// A loaded asteroid or comet catalogue: the bodies in file order, held in one array, and the
// name of the file they came from (empty when none is loaded). The chart's minor-body lists
// point into `bodies()`, so loading or closing must be followed by resetting them.
template <class Body> class MinorBodyCatalog {
public:
    std::span<Body> bodies() { return m_bodies; }
    std::span<const Body> bodies() const { return m_bodies; }
    std::size_t size() const { return m_bodies.size(); }
    bool empty() const { return m_bodies.empty(); }
    const std::string& name() const { return m_name; }

    // Puts a freshly read list in place of the current one.
    void replace(std::vector<Body> bodies, std::string name) {
        m_bodies = std::move(bodies);
        m_name = std::move(name);
    }
    // Empties the list, gives its memory back and forgets the name.
    void clear() {
        std::vector<Body>().swap(m_bodies);
        m_name.clear();
    }

private:
    std::vector<Body> m_bodies;
    std::string m_name;
};

// The bodies carry their chart glyphs, so the chart's lists can point straight into them.
using AsteroidCatalog = MinorBodyCatalog<chart::PlottedAsteroid>;
using CometCatalog = MinorBodyCatalog<chart::PlottedComet>;

// Replaces the list with the bodies of the catalogue file `name` (the text formats of
// astro/MinorBodyLine.h), each hidden and labelled, and remembers the name. A line is read up
// to kCatalogLineLimit characters; a line too short to reach the eccentricity, or whose
// elements describe no orbit the ephemeris library can compute (no positive axis or
// perihelion distance, a negative eccentricity, an angle or time out of all range), is
// skipped and counted; blank lines are passed over. Reading stops at the capacity.
// A file that cannot be opened or read leaves the list empty and the name empty, and the
// result's error names the file and the reason.
CatalogLoadResult LoadAsteroidCatalog(AsteroidCatalog& catalog, const std::filesystem::path& name,
                                      const CatalogLoadOptions& options = {});
CatalogLoadResult LoadCometCatalog(CometCatalog& catalog, const std::filesystem::path& name,
                                   const CatalogLoadOptions& options = {});

// Empties the list and forgets the catalogue name.
void CloseAsteroidCatalog(AsteroidCatalog& catalog);
void CloseCometCatalog(CometCatalog& catalog);

} // namespace catalog
