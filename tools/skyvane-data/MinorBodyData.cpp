// skyvane-data asteroids | comets: the asteroid and comet catalogues in the program's text
// format (astro/MinorBodyLine.h), with element A the time of perihelion passage.
//
//   asteroids: sources/minorbodies/asteroids.dat -> asteroids/sbdb_asteroids.skd, or with
//              --mpcorb FILE (MPCORB.DAT) -> asteroids/mpcorb.skd
//   comets:    sources/minorbodies/comets.dat -> comets/sbdb_comets.skd, or with
//              --cometels FILE (CometEls.txt) -> comets/cometels.skd
//
// The .dat sources are JSON exports of the JPL Small-Body Database: a "fields" array naming
// the columns and a "data" array of rows, each value a string, a number or null. Asteroids
// need epoch_mjd, e, a, i, om, w, ma and take H and G when given; their time of perihelion
// is the passage nearest the epoch, from the mean anomaly and the mean motion. Comets need
// tp, q, e, i, w, om; their magnitude is M1 (the total magnitude, which the catalogue's comet
// law m = H + 5 log delta + 10 log r is made for), else H, else a faint default.
//
// A source with more bodies than a catalogue takes gives the bodies chosen by
// chooseComets / BrightestAsteroids (MinorBodySources.h). A record whose elements cannot be
// read or written is left out and counted. The output does not depend on anything but the
// sources, and every file is written to a temporary file and renamed into place.

#include "DataCommands.h"
#include "MinorBodySources.h"

#include "catalog/MinorBodyCatalog.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace datatool {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::uintmax_t kLargestJsonSource = std::uintmax_t{1} << 30;
// Lines of the MPC files are at most 202 characters; anything past this is dropped.
constexpr std::size_t kLongestSourceLine = 1000;

using minor::AsteroidRecord;
using minor::CometRecord;

json readJson(const fs::path& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        throw DataError("cannot read " + path.string() + ": " + ec.message());
    if (size > kLargestJsonSource)
        throw DataError(path.string() + " is larger than any element export (" +
                        std::to_string(size) + " bytes)");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DataError("cannot read " + path.string());
    json doc = json::parse(in, nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        throw DataError(path.string() + " is not a JSON object");
    return doc;
}

// The rows of a Small-Body Database export with its columns found by name.
class SbdbTable {
public:
    SbdbTable(const fs::path& path, json doc) : m_path(path), m_doc(std::move(doc)) {
        const json* fields = m_doc.contains("fields") ? &m_doc["fields"] : nullptr;
        const json* data = m_doc.contains("data") ? &m_doc["data"] : nullptr;
        if (!fields || !fields->is_array() || !data || !data->is_array())
            throw DataError(path.string() + " has no \"fields\" and \"data\" arrays");
        for (const json& f : *fields)
            m_fields.push_back(f.is_string() ? f.get<std::string>() : std::string());
        m_rows = data;
    }

    std::size_t column(const std::string& name, bool required) const {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i] == name)
                return i;
        }
        if (required)
            throw DataError(m_path.string() + " has no field \"" + name + "\"");
        return npos;
    }

    const json& rows() const { return *m_rows; }

    static std::optional<double> number(const json& row, std::size_t column) {
        if (column == npos || !row.is_array() || column >= row.size())
            return std::nullopt;
        const json& v = row[column];
        if (v.is_number()) {
            const double d = v.get<double>();
            return std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
        }
        if (v.is_string())
            return minor::readNumber(v.get_ref<const std::string&>());
        return std::nullopt;
    }

    static std::string text(const json& row, std::size_t column) {
        if (column == npos || !row.is_array() || column >= row.size() || !row[column].is_string())
            return {};
        return row[column].get<std::string>();
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    fs::path m_path;
    json m_doc;
    std::vector<std::string> m_fields;
    const json* m_rows = nullptr;
};

constexpr double kMjdToJd = 2400000.5;

struct AsteroidColumns {
    std::size_t name, epoch, e, a, i, om, w, ma, h, g;
};

std::optional<AsteroidRecord> readSbdbAsteroid(const AsteroidColumns& c, const json& row) {
    const auto epochMjd = SbdbTable::number(row, c.epoch);
    const auto e = SbdbTable::number(row, c.e);
    const auto a = SbdbTable::number(row, c.a);
    const auto i = SbdbTable::number(row, c.i);
    const auto om = SbdbTable::number(row, c.om);
    const auto w = SbdbTable::number(row, c.w);
    const auto ma = SbdbTable::number(row, c.ma);
    if (!epochMjd || !e || !a || !i || !om || !w || !ma || *e < 0.0 || *e >= 1.0 || !(*a > 0.0))
        return std::nullopt;
    const auto tp = minor::perihelionTimeNearEpoch(*epochMjd + kMjdToJd, *ma, *a);
    const minor::Designation d = minor::splitSbdbAsteroidName(SbdbTable::text(row, c.name));
    if (!tp || d.name.empty())
        return std::nullopt;
    AsteroidRecord r;
    r.number = d.number;
    r.name = d.name;
    r.perihelionTime = *tp;
    r.perihelionArg = *w;
    r.node = *om;
    r.inclination = *i;
    r.axis = *a;
    r.eccentricity = *e;
    r.absMagnitude = SbdbTable::number(row, c.h).value_or(minor::kDefaultMagnitude);
    r.slope = SbdbTable::number(row, c.g).value_or(minor::kDefaultSlope);
    return r;
}

struct CometColumns {
    std::size_t name, tp, q, e, i, w, om, m1, h;
};

std::optional<CometRecord> readSbdbComet(const CometColumns& c, const json& row) {
    const auto tp = SbdbTable::number(row, c.tp);
    const auto q = SbdbTable::number(row, c.q);
    const auto e = SbdbTable::number(row, c.e);
    const auto i = SbdbTable::number(row, c.i);
    const auto w = SbdbTable::number(row, c.w);
    const auto om = SbdbTable::number(row, c.om);
    CometRecord r;
    r.name = minor::sbdbCometName(SbdbTable::text(row, c.name));
    if (!tp || !q || !e || !i || !w || !om || !(*q > 0.0) || *e < 0.0 || r.name.empty())
        return std::nullopt;
    r.perihelionTime = *tp;
    r.perihelionArg = *w;
    r.node = *om;
    r.inclination = *i;
    r.perihelion = *q;
    r.eccentricity = *e;
    std::optional<double> magnitude = SbdbTable::number(row, c.m1);
    if (!magnitude)
        magnitude = SbdbTable::number(row, c.h);
    r.hasMagnitude = magnitude.has_value();
    r.absMagnitude = magnitude.value_or(minor::kDefaultMagnitude);
    return r;
}

// Reads a text file line by line, each line cut to kLongestSourceLine characters.
class SourceLines {
public:
    explicit SourceLines(const fs::path& path) : m_path(path) {
        std::error_code ec;
        if (fs::is_directory(path, ec))
            throw DataError("cannot read " + path.string() + ": it is a folder");
        m_in.open(path, std::ios::binary);
        if (!m_in)
            throw DataError("cannot read " + path.string());
    }

    bool next(std::string& line) {
        line.clear();
        std::streambuf* buf = m_in.rdbuf();
        bool any = false;
        for (;;) {
            const int c = buf->sbumpc();
            if (c == std::char_traits<char>::eof())
                break;
            any = true;
            if (c == '\n')
                return true;
            if (line.size() < kLongestSourceLine)
                line.push_back(static_cast<char>(c));
        }
        if (m_in.bad())
            throw DataError("cannot read " + m_path.string());
        return any;
    }

private:
    fs::path m_path;
    std::ifstream m_in;
};

bool isDashLine(const std::string& line) {
    return line.size() >= 10 && line.compare(0, 10, "----------") == 0;
}

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// Reads an MPC element file: every line that parse() accepts is handed to add(); returns the
// number of other lines that are not blank, not counting those of a header that ends in a
// line of dashes.
template <class Parse, class Add>
std::size_t readMpcFile(const fs::path& path, Parse parse, Add add) {
    SourceLines lines(path);
    std::string line;
    std::size_t rejected = 0;
    while (lines.next(line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (isDashLine(line)) {
            rejected = 0; // the lines so far were the header
            continue;
        }
        if (auto record = parse(line))
            add(std::move(*record));
        else if (!isBlank(line))
            ++rejected;
    }
    return rejected;
}

// Writes through a temporary file and a rename, so that a failure never leaves a partly
// written catalogue behind; a failure removes the temporary file as well.
void writeCatalogue(const fs::path& path, const std::string& text) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec)
        throw DataError("cannot create " + path.parent_path().string() + ": " + ec.message());
    try {
        writeDataFile(path, text);
    } catch (const DataError&) {
        std::error_code ignored;
        fs::remove(path.string() + ".tmp", ignored);
        throw;
    }
}

// The catalogue text of the records; counts the records whose values do not fit a line.
template <class Record, class Line>
std::string catalogueText(const std::vector<Record>& records, Line line, std::size_t& unfit,
                          std::size_t& written) {
    std::string text;
    text.reserve(records.size() * 121);
    unfit = 0;
    written = 0;
    for (const Record& r : records) {
        if (const auto l = line(r)) {
            text += *l;
            text += '\n';
            ++written;
        } else {
            ++unfit;
        }
    }
    return text;
}

void printWritten(const fs::path& path, std::size_t written, const char* kind,
                  const std::string& remarks) {
    std::printf("%s: %zu %s%s\n", path.string().c_str(), written, kind, remarks.c_str());
}

std::string leftOut(std::size_t count, const char* why) {
    if (count == 0)
        return {};
    return "; " + std::to_string(count) + " left out (" + why + ")";
}

// Options of the two commands: at most one source file option.
std::optional<fs::path> sourceOption(const std::vector<std::string>& args, const char* command,
                                     const char* option) {
    std::optional<fs::path> file;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == option && k + 1 < args.size() && !file) {
            file = args[++k];
            continue;
        }
        throw DataError(std::string(command) + ": unexpected argument '" + args[k] + "'");
    }
    return file;
}

} // namespace

int runAsteroids(const Paths& paths, const std::vector<std::string>& args) {
    const std::optional<fs::path> mpcorb = sourceOption(args, "asteroids", "--mpcorb");
    std::vector<AsteroidRecord> records;
    std::size_t unread = 0;
    std::size_t beyondCapacity = 0;
    fs::path target;
    if (mpcorb) {
        minor::BrightestAsteroids brightest(catalog::kAsteroidCapacity);
        unread = readMpcFile(*mpcorb, minor::parseMpcorbLine,
                             [&](AsteroidRecord r) { brightest.add(std::move(r)); });
        const std::size_t seen = brightest.seen();
        records = brightest.take();
        beyondCapacity = seen - records.size();
        target = fs::path(paths.out) / "asteroids" / "mpcorb.skd";
    } else {
        const fs::path source = fs::path(paths.sources) / "minorbodies" / "asteroids.dat";
        const SbdbTable table(source, readJson(source));
        const AsteroidColumns c{table.column("full_name", true), table.column("epoch_mjd", true),
                                table.column("e", true),         table.column("a", true),
                                table.column("i", true),         table.column("om", true),
                                table.column("w", true),         table.column("ma", true),
                                table.column("H", false),        table.column("G", false)};
        minor::BrightestAsteroids brightest(catalog::kAsteroidCapacity);
        for (const json& row : table.rows()) {
            if (auto r = readSbdbAsteroid(c, row))
                brightest.add(std::move(*r));
            else
                ++unread;
        }
        const std::size_t seen = brightest.seen();
        records = brightest.take();
        beyondCapacity = seen - records.size();
        target = fs::path(paths.out) / "asteroids" / "sbdb_asteroids.skd";
    }
    std::size_t unfit = 0;
    std::size_t written = 0;
    const std::string text = catalogueText(records, minor::asteroidLine, unfit, written);
    writeCatalogue(target, text);
    std::string remarks =
        leftOut(unread, "no usable elements") + leftOut(unfit, "values too large for the columns");
    if (beyondCapacity > 0)
        remarks += "; " + std::to_string(beyondCapacity) + " left out (capacity " +
                   std::to_string(catalog::kAsteroidCapacity) + ": the brightest kept)";
    printWritten(target, written, "asteroids", remarks);
    return 0;
}

int runComets(const Paths& paths, const std::vector<std::string>& args) {
    const std::optional<fs::path> cometEls = sourceOption(args, "comets", "--cometels");
    std::vector<CometRecord> all;
    std::size_t unread = 0;
    fs::path target;
    if (cometEls) {
        unread = readMpcFile(*cometEls, minor::parseCometElsLine,
                             [&](CometRecord r) { all.push_back(std::move(r)); });
        target = fs::path(paths.out) / "comets" / "cometels.skd";
    } else {
        const fs::path source = fs::path(paths.sources) / "minorbodies" / "comets.dat";
        const SbdbTable table(source, readJson(source));
        const CometColumns c{
            table.column("full_name", true), table.column("tp", true),  table.column("q", true),
            table.column("e", true),         table.column("i", true),   table.column("w", true),
            table.column("om", true),        table.column("M1", false), table.column("H", false)};
        for (const json& row : table.rows()) {
            if (auto r = readSbdbComet(c, row))
                all.push_back(std::move(*r));
            else
                ++unread;
        }
        target = fs::path(paths.out) / "comets" / "sbdb_comets.skd";
    }
    const std::vector<std::size_t> chosen = minor::chooseComets(all, catalog::kCometCapacity);
    std::vector<CometRecord> records;
    records.reserve(chosen.size());
    for (const std::size_t i : chosen)
        records.push_back(std::move(all[i]));
    std::size_t unfit = 0;
    std::size_t written = 0;
    const std::string text = catalogueText(records, minor::cometLine, unfit, written);
    writeCatalogue(target, text);
    std::string remarks =
        leftOut(unread, "no usable elements") + leftOut(unfit, "values too large for the columns");
    if (all.size() > records.size())
        remarks += "; " + std::to_string(all.size() - records.size()) + " left out (capacity " +
                   std::to_string(catalog::kCometCapacity) +
                   ": periodic comets and the latest perihelion passages kept)";
    printWritten(target, written, "comets", remarks);
    return 0;
}

} // namespace datatool
