#include "catalog/MinorBodyCatalog.h"

#include "astro/MinorBodyLine.h"
#include "catalog/Windows1252.h"
#include "ephemlib/TwoBody.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

namespace catalog {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadChunk = std::size_t{1} << 16;
// The shortest line that holds a body reaches the eccentricity (column 101); with its line
// feed it takes 103 bytes, which bounds the number of bodies a file of a given size can hold.
constexpr std::size_t kShortestBodyLine = 103;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads a file line by line. A line is returned without its line feed and cut to
// kCatalogLineLimit characters (the rest up to the line feed is consumed and dropped), so a
// file without line feeds never makes a long string.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : m_file(file), m_buffer(kReadChunk) {}

    // The next line; false at the end of the file or when reading fails (see error()).
    bool next(std::string& line, bool& cut) {
        line.clear();
        cut = false;
        bool any = false;
        for (;;) {
            if (m_pos == m_end && !fill())
                return any;
            any = true;
            const char* start = m_buffer.data() + m_pos;
            const auto available = m_end - m_pos;
            const void* feed = std::memchr(start, '\n', available);
            const std::size_t take =
                feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - start) : available;
            const std::size_t room = kCatalogLineLimit - std::min(line.size(), kCatalogLineLimit);
            if (take > room)
                cut = true;
            line.append(start, std::min(take, room));
            m_pos += take;
            m_consumed += take;
            if (feed) {
                ++m_pos;
                ++m_consumed;
                return true;
            }
        }
    }

    int error() const { return m_error; }
    std::uintmax_t consumed() const { return m_consumed; }

private:
    bool fill() {
        if (m_done)
            return false;
        const std::size_t n = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        if (n == 0) {
            if (std::ferror(m_file))
                m_error = errno != 0 ? errno : EIO;
            m_done = true;
            return false;
        }
        m_pos = 0;
        m_end = n;
        return true;
    }

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::uintmax_t m_consumed = 0;
    int m_error = 0;
    bool m_done = false;
};

bool isBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
    });
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (i + extra >= s.size() && extra > 0)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

// Names in the catalogue files are Windows-1252, as the converters write them; a file whose
// names are already UTF-8 is taken as it is.
template <class Body> void fixNameEncoding(Body& body) {
    const std::string name = body.name();
    if (!isValidUtf8(name))
        astro::setElementName(body.block, windows1252ToUtf8(name));
}

bool describesOrbit(const ephem::ElementBlock& block) {
    ephem::OrbitElements orbit;
    return ephem::orbitFromBlock(block, orbit);
}

std::string readFailure(const fs::path& name, int error) {
    return "Cannot read the catalogue file \"" + name.string() +
           "\": " + std::generic_category().message(error);
}

template <class Body, class Parse>
CatalogLoadResult loadCatalog(MinorBodyCatalog<Body>& catalog, const fs::path& name,
                              std::size_t capacity, Parse parse,
                              const CatalogLoadOptions& options) {
    catalog.clear();
    CatalogLoadResult result;
    // A device or a pipe (a chart document may name any path) would never end or never
    // start: only regular files are read.
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (!ec && fs::exists(status) && !fs::is_regular_file(status)) {
        result.error = "Cannot read the catalogue file \"" + name.string() +
                       "\": it is not a regular file.";
        return result;
    }
    errno = 0;
    FilePtr file(std::fopen(name.c_str(), "rb"));
    if (!file) {
        result.error = readFailure(name, errno != 0 ? errno : ENOENT);
        return result;
    }
    const std::uintmax_t size = fs::is_regular_file(status) ? fs::file_size(name, ec) : 0;
    const std::uintmax_t total = ec ? 0 : size;

    std::vector<Body> bodies;
    bodies.reserve(static_cast<std::size_t>(
        std::min<std::uintmax_t>(capacity, total / kShortestBodyLine + 1)));

    auto report = [&](const LineReader& reader) {
        if (options.progress)
            options.progress({result.lines, reader.consumed(), std::max(total, reader.consumed())});
    };

    LineReader reader(file.get());
    std::string line;
    bool cut = false;
    while (reader.next(line, cut)) {
        ++result.lines;
        if (cut)
            ++result.longLines;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!isBlankLine(line)) {
            std::optional<Body> body;
            if (auto parsed = parse(line))
                body.emplace(std::move(*parsed));
            if (!body || !describesOrbit(body->block)) {
                ++result.skipped;
            } else if (bodies.size() == capacity) {
                result.stoppedAtCapacity = true;
                break;
            } else {
                fixNameEncoding(*body);
                body->shown = 0;
                body->labelled = 1;
                bodies.push_back(std::move(*body));
            }
        }
        if (options.progressEvery > 0 && result.lines % options.progressEvery == 0)
            report(reader);
    }
    if (reader.error() != 0) {
        result = CatalogLoadResult{};
        result.error = readFailure(name, reader.error());
        return result;
    }
    report(reader);
    result.loaded = bodies.size();
    catalog.replace(std::move(bodies), name.string());
    return result;
}

} // namespace

std::string CatalogLoadResult::notes(std::string_view kind) const {
    std::string text;
    auto add = [&text](const std::string& sentence) {
        if (!text.empty())
            text += ' ';
        text += sentence;
    };
    const std::string what(kind);
    if (stoppedAtCapacity)
        add("The catalogue holds more " + what + " than the " + std::to_string(loaded) +
            " that can be loaded; the rest were left out.");
    if (skipped > 0)
        add(std::to_string(skipped) + (skipped == 1 ? " line holds" : " lines hold") +
            " no usable orbit and " + (skipped == 1 ? "was" : "were") + " skipped.");
    if (longLines > 0)
        add(std::to_string(longLines) + (longLines == 1 ? " line is" : " lines are") +
            " longer than " + std::to_string(kCatalogLineLimit) + " characters and " +
            (longLines == 1 ? "was" : "were") + " read up to that length.");
    return text;
}

CatalogLoadResult LoadAsteroidCatalog(AsteroidCatalog& catalog, const fs::path& name,
                                      const CatalogLoadOptions& options) {
    return loadCatalog(catalog, name, kAsteroidCapacity, astro::parseAsteroidLine, options);
}

CatalogLoadResult LoadCometCatalog(CometCatalog& catalog, const fs::path& name,
                                   const CatalogLoadOptions& options) {
    return loadCatalog(catalog, name, kCometCapacity, astro::parseCometLine, options);
}

void CloseAsteroidCatalog(AsteroidCatalog& catalog) {
    catalog.clear();
}

void CloseCometCatalog(CometCatalog& catalog) {
    catalog.clear();
}

} // namespace catalog
