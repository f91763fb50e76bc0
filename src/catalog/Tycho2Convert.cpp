#include "catalog/Tycho2Convert.h"

#include "catalog/AtomicFile.h"
#include "catalog/LittleEndian.h"
#include "catalog/TextUtil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <tuple>

namespace catalog {

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kMasToRad = kDegToRad / 3.6e6;
constexpr int kNoMagnitude = -10000;
constexpr std::size_t kMaxLine = 1024;
constexpr std::size_t kMaxSamples = 10;
constexpr std::int64_t kEarlyGiveUpLines = 1000;
constexpr double kSupplementEpoch = 1991.25;

// ---- Reading lines -------------------------------------------------------------------------

// Lines of a text file ended by LF or CR LF, each at most kMaxLine characters (longer ones
// are cut and flagged), so that a file without line ends cannot make a huge allocation.
class LineReader {
public:
    explicit LineReader(const std::string& path)
        : path_(path), file_(std::fopen(path.c_str(), "rb")), buffer_(1 << 16) {
        if (file_ == nullptr)
            throw Tycho2Error("cannot open " + path);
    }
    ~LineReader() { std::fclose(file_); }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its terminator; false at the end of the file.
    bool next(std::string& line, bool& tooLong) {
        line.clear();
        tooLong = false;
        bool any = false;
        for (;;) {
            if (pos_ == end_ && !fill()) {
                if (!any)
                    return false;
                break;
            }
            any = true;
            const char* start = buffer_.data() + pos_;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
            const std::size_t n =
                newline != nullptr ? static_cast<std::size_t>(newline - start) : end_ - pos_;
            const std::size_t room = kMaxLine - line.size();
            if (n > room)
                tooLong = true;
            line.append(start, std::min(n, room));
            pos_ += n;
            if (newline != nullptr) {
                ++pos_;
                break;
            }
        }
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

    std::int64_t lineNumber() const { return lineNumber_; }

private:
    bool fill() {
        if (eof_)
            return false;
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        pos_ = 0;
        if (end_ == 0) {
            eof_ = true;
            if (std::ferror(file_))
                throw Tycho2Error("read error in " + path_);
        }
        return end_ > 0;
    }

    std::string path_;
    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    std::int64_t lineNumber_ = 0;
};

// ---- Fixed-column fields (1-based, inclusive, as the format documents) ---------------------

std::string_view column(std::string_view line, int first, int last) {
    return line.substr(static_cast<std::size_t>(first - 1),
                       static_cast<std::size_t>(last - first + 1));
}

bool isBlank(std::string_view s) {
    return trimBlanks(s).empty();
}

// The (trimmed) field without a leading '+'.
std::string_view unsignedField(std::string_view s) {
    s = trimBlanks(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    return s;
}

// A number filling the whole (trimmed) field; nullopt when the field is not one.
std::optional<double> realField(std::string_view s) {
    return parseWholeDouble(unsignedField(s));
}

std::optional<long> intField(std::string_view s) {
    return parseWholeLong(unsignedField(s));
}

// The bar separators of a record; a line of another format hardly has them all.
bool barsAt(std::string_view line, std::initializer_list<int> positions) {
    return std::all_of(positions.begin(), positions.end(),
                       [&](int p) { return line[static_cast<std::size_t>(p - 1)] == '|'; });
}

// ---- Stars ---------------------------------------------------------------------------------

struct Star {
    int tyc1 = 0;
    int tyc2 = 0;
    int tyc3 = 0;
    double ra = 0.0; // degrees, J2000 (see the header for the exceptions)
    double dec = 0.0;
    double x = 0.0; // unit vector in SkyPoint axes
    double y = 0.0;
    double z = 0.0;
    int bt = kNoMagnitude; // magnitude x 1000
    int vt = kNoMagnitude;
    bool observed = false;   // placed by its observed position
    bool propagated = false; // carried to J2000 by its proper motion

    int rankMagnitude() const { return vt != kNoMagnitude ? vt : bt; }
    int packed() const { return tyc1 + 10000 * (tyc3 - 1); }
};

void setDirection(Star& s) {
    const double a = s.ra * kDegToRad;
    const double d = s.dec * kDegToRad;
    s.x = std::cos(d) * std::cos(a);
    s.y = std::sin(d);
    s.z = std::cos(d) * std::sin(a);
}

// Moves the star along its proper motion (mas/yr; RA component times cos Dec) for years.
void propagate(Star& s, double pmRA, double pmDE, double years) {
    const double a = s.ra * kDegToRad;
    const double d = s.dec * kDegToRad;
    const double east[3] = {-std::sin(a), 0.0, std::cos(a)};
    const double north[3] = {-std::sin(d) * std::cos(a), std::cos(d), -std::sin(d) * std::sin(a)};
    const double e = pmRA * kMasToRad * years;
    const double n = pmDE * kMasToRad * years;
    double v[3] = {s.x + e * east[0] + n * north[0], s.y + e * east[1] + n * north[1],
                   s.z + e * east[2] + n * north[2]};
    const double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (double& c : v)
        c /= len;
    s.x = v[0];
    s.y = v[1];
    s.z = v[2];
    s.dec = std::asin(std::clamp(v[1], -1.0, 1.0)) / kDegToRad;
    s.ra = std::atan2(v[2], v[0]) / kDegToRad;
    if (s.ra < 0.0)
        s.ra += 360.0;
}

// A magnitude field: blank gives kNoMagnitude; false when it holds something else than a
// plausible magnitude.
bool magnitudeField(std::string_view s, int& milli) {
    if (isBlank(s)) {
        milli = kNoMagnitude;
        return true;
    }
    const auto v = realField(s);
    if (!v || *v < -5.0 || *v > 30.0)
        return false;
    milli = static_cast<int>(std::lround(*v * 1000.0));
    return true;
}

// The identifier columns shared by the catalogue and the supplement.
bool identifierFields(std::string_view line, Star& s, std::string& reason) {
    if (line[4] != ' ' || line[10] != ' ') {
        reason = "identifier columns not separated by blanks";
        return false;
    }
    const auto t1 = intField(column(line, 1, 4));
    const auto t2 = intField(column(line, 6, 10));
    const auto t3 = intField(column(line, 12, 12));
    if (!t1 || !t2 || !t3) {
        reason = "unreadable TYC identifier";
        return false;
    }
    if (*t1 < 1 || *t1 > kTycho2Regions || *t2 < 1 || *t2 > 32767 || *t3 < 1) {
        reason = "TYC identifier out of range";
        return false;
    }
    s.tyc1 = static_cast<int>(*t1);
    s.tyc2 = static_cast<int>(*t2);
    s.tyc3 = static_cast<int>(*t3);
    return true;
}

bool positionFields(std::string_view raText, std::string_view decText, Star& s) {
    const auto ra = realField(raText);
    const auto dec = realField(decText);
    if (!ra || !dec || *ra < -1.0 || *ra > 361.0 || *dec < -90.0 || *dec > 90.0)
        return false;
    s.ra = *ra;
    s.dec = *dec;
    return true;
}

bool magnitudePair(std::string_view bt, std::string_view vt, Star& s, std::string& reason) {
    if (!magnitudeField(bt, s.bt) || !magnitudeField(vt, s.vt)) {
        reason = "unreadable magnitude";
        return false;
    }
    if (s.bt == kNoMagnitude && s.vt == kNoMagnitude) {
        reason = "neither BT nor VT given";
        return false;
    }
    return true;
}

constexpr std::size_t kCatalogLength = 206;
constexpr std::size_t kSupplementLength = 122;
constexpr std::size_t kSupplementShortest = 115; // trailing blank HIP and CCDM cut off
constexpr std::size_t kIndexLength = 42;

bool parseCatalogLine(std::string_view line, Star& s, std::string& reason) {
    if (line.size() != kCatalogLength) {
        reason = "length " + std::to_string(line.size()) + " instead of 206";
        return false;
    }
    if (!barsAt(line,
                {13,  15,  28,  41,  49,  57,  61,  65,  70,  75,  83,  91,  94,  98,  102, 106,
                 110, 117, 123, 130, 136, 140, 142, 152, 165, 178, 183, 188, 194, 200, 202})) {
        reason = "field separators not in the catalogue columns";
        return false;
    }
    if (!identifierFields(line, s, reason))
        return false;
    const std::string_view meanRA = column(line, 16, 27);
    const std::string_view meanDec = column(line, 29, 40);
    if (!isBlank(meanRA) && !isBlank(meanDec)) {
        if (!positionFields(meanRA, meanDec, s)) {
            reason = "unreadable mean position";
            return false;
        }
    } else {
        if (!positionFields(column(line, 153, 164), column(line, 166, 177), s)) {
            reason = "no mean position and unreadable observed position";
            return false;
        }
        s.observed = true;
    }
    if (!magnitudePair(column(line, 111, 116), column(line, 124, 129), s, reason))
        return false;
    setDirection(s);
    return true;
}

bool parseSupplementLine(std::string_view text, Star& s, std::string& reason) {
    if (text.size() < kSupplementShortest || text.size() > kSupplementLength) {
        reason = "length " + std::to_string(text.size()) + " instead of 122";
        return false;
    }
    std::string line(text);
    line.resize(kSupplementLength, ' ');
    if (!barsAt(line, {13, 15, 28, 41, 49, 57, 63, 69, 75, 81, 83, 90, 96, 103, 109, 113, 115})) {
        reason = "field separators not in the supplement columns";
        return false;
    }
    if (!identifierFields(line, s, reason))
        return false;
    if (!positionFields(column(line, 16, 27), column(line, 29, 40), s)) {
        reason = "unreadable position";
        return false;
    }
    if (!magnitudePair(column(line, 84, 89), column(line, 97, 102), s, reason))
        return false;
    setDirection(s);
    const std::string_view pmRAText = column(line, 42, 48);
    const std::string_view pmDEText = column(line, 50, 56);
    if (!isBlank(pmRAText) || !isBlank(pmDEText)) {
        const auto pmRA = realField(pmRAText);
        const auto pmDE = realField(pmDEText);
        if (!pmRA || !pmDE || std::abs(*pmRA) > 20000.0 || std::abs(*pmDE) > 20000.0) {
            reason = "unreadable proper motion";
            return false;
        }
        propagate(s, *pmRA, *pmDE, 2000.0 - kSupplementEpoch);
        s.propagated = true;
    }
    return true;
}

// ---- index.dat -----------------------------------------------------------------------------

struct Box {
    double raMin = 0.0;
    double raMax = 0.0;
    double decMin = 0.0;
    double decMax = 0.0;
};

struct IndexLine {
    bool present = false; // record numbers read
    long recCatalog = 0;
    long recSupplement = 0;
    std::optional<Box> box;
};

void addSample(Tycho2Report& report, const std::string& file, std::int64_t line,
               const std::string& reason) {
    if (report.samples.size() < kMaxSamples)
        report.samples.push_back(file + " line " + std::to_string(line) + ": " + reason);
}

std::string fileLabel(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Lines 1..9538 of index.dat (entry 0 unused).
std::vector<IndexLine> readIndex(const std::string& path, Tycho2Report& report) {
    std::vector<IndexLine> lines(static_cast<std::size_t>(kTycho2Regions) + 2);
    const std::string label = fileLabel(path);
    LineReader reader(path);
    std::string text;
    bool tooLong = false;
    std::int64_t good = 0;
    while (reader.next(text, tooLong)) {
        const std::int64_t n = reader.lineNumber();
        if (n > kTycho2Regions + 1) {
            if (isBlank(text))
                continue;
            throw Tycho2Error(path + ": more than " + std::to_string(kTycho2Regions + 1) +
                              " lines; not the Tycho-2 index.dat");
        }
        ++report.indexLines;
        const auto malformed = [&](const std::string& reason) {
            ++report.indexMalformed;
            addSample(report, label, n, reason);
        };
        if (tooLong || text.size() > kIndexLength || text.size() < 14) {
            malformed("length " + std::to_string(text.size()) + " instead of 42");
            continue;
        }
        std::string line = text;
        line.resize(kIndexLength, ' ');
        const auto recCatalog = intField(column(line, 1, 7));
        const auto recSupplement = intField(column(line, 9, 14));
        if (line[7] != '|' || !recCatalog || !recSupplement || *recCatalog < 1 ||
            *recSupplement < 1) {
            malformed("unreadable record numbers");
            continue;
        }
        IndexLine& entry = lines[static_cast<std::size_t>(n)];
        entry.present = true;
        entry.recCatalog = *recCatalog;
        entry.recSupplement = *recSupplement;
        ++good;
        if (n > kTycho2Regions)
            continue; // the closing line: its bounds are not used
        const std::string_view fields[4] = {column(line, 16, 21), column(line, 23, 28),
                                            column(line, 30, 35), column(line, 37, 42)};
        if (std::all_of(std::begin(fields), std::end(fields), isBlank))
            continue; // no bounds given
        const auto raMin = realField(fields[0]);
        const auto raMax = realField(fields[1]);
        const auto decMin = realField(fields[2]);
        const auto decMax = realField(fields[3]);
        if (!barsAt(line, {15, 22, 29, 36}) || !raMin || !raMax || !decMin || !decMax ||
            *raMin < -1.0 || *raMax > 361.0 || *raMin > *raMax || *decMin < -91.0 ||
            *decMax > 91.0 || *decMin > *decMax) {
            malformed("unreadable region bounds");
            continue;
        }
        entry.box = Box{*raMin, *raMax, *decMin, *decMax};
    }
    if (good == 0)
        throw Tycho2Error(path + ": no line in the format of the Tycho-2 index.dat");
    return lines;
}

// ---- The resident file ---------------------------------------------------------------------

std::uint32_t identifierKey(int packed, int tyc2) {
    return (static_cast<std::uint32_t>(packed) << 16) | static_cast<std::uint32_t>(tyc2);
}

// Directions of the resident stars in cubic cells of the unit vector's components, the cell
// edge a little longer than the chord of the match radius: a star within the radius of a
// direction differs from it by less than one edge in each component, so it lies in the cell
// of that direction or a neighbouring one. The cells are kept as a list sorted by cell, and a
// look-up is 27 binary searches, whatever the declination (no special case at the poles or
// where RA wraps round).
class ResidentPositions {
public:
    ResidentPositions()
        : maxChord_(2.0 * std::sin(kResidentMatchArcsec / 3600.0 * kDegToRad / 2.0)),
          edge_(maxChord_ * 1.01) {}

    void add(double x, double y, double z) { entries_.push_back(Entry{cellKey(x, y, z), x, y, z}); }

    void finish() {
        std::sort(entries_.begin(), entries_.end(),
                  [](const Entry& a, const Entry& b) { return a.key < b.key; });
        entries_.shrink_to_fit();
    }

    std::size_t size() const { return entries_.size(); }

    // Whether a resident star lies within the match radius of the unit vector (x, y, z).
    bool anyNear(double x, double y, double z) const {
        if (entries_.empty())
            return false;
        const std::int64_t c[3] = {cell(x), cell(y), cell(z)};
        const double limit = maxChord_ * maxChord_;
        for (std::int64_t i = c[0] - 1; i <= c[0] + 1; ++i)
            for (std::int64_t j = c[1] - 1; j <= c[1] + 1; ++j)
                for (std::int64_t k = c[2] - 1; k <= c[2] + 1; ++k) {
                    const std::uint64_t key = packKey(i, j, k);
                    auto it = std::lower_bound(
                        entries_.begin(), entries_.end(), key,
                        [](const Entry& e, std::uint64_t value) { return e.key < value; });
                    for (; it != entries_.end() && it->key == key; ++it) {
                        const double dx = it->x - x, dy = it->y - y, dz = it->z - z;
                        if (dx * dx + dy * dy + dz * dz <= limit)
                            return true;
                    }
                }
        return false;
    }

private:
    struct Entry {
        std::uint64_t key;
        double x, y, z;
    };

    // Components lie in [-1, 1]; the cell numbers stay below 2^21 for any edge above 1e-6.
    std::int64_t cell(double v) const {
        return static_cast<std::int64_t>(std::floor((std::clamp(v, -1.0, 1.0) + 1.0) / edge_)) + 1;
    }
    static std::uint64_t packKey(std::int64_t i, std::int64_t j, std::int64_t k) {
        return (static_cast<std::uint64_t>(i) << 42) | (static_cast<std::uint64_t>(j) << 21) |
               static_cast<std::uint64_t>(k);
    }
    std::uint64_t cellKey(double x, double y, double z) const {
        return packKey(cell(x), cell(y), cell(z));
    }

    double maxChord_;
    double edge_;
    std::vector<Entry> entries_;
};

struct Resident {
    std::vector<std::uint32_t> identifiers; // sorted, distinct
    ResidentPositions positions;
    std::int64_t records = 0;
};

// A stored direction is usable when its length is within 1% of one (x 1e9); an all-zero or
// otherwise unscaled vector places nothing.
constexpr double kMinStoredLength = 0.99e9;
constexpr double kMaxStoredLength = 1.01e9;

Resident readResident(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        throw Tycho2Error("cannot read " + path + ": " + ec.message());
    if (size % kSky2000RecordBytes != 0)
        throw Tycho2Error(path + ": size " + std::to_string(size) + " is not a multiple of " +
                          std::to_string(kSky2000RecordBytes) + "; not a SKY2000_data.skd file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Tycho2Error("cannot open " + path);
    Resident resident;
    std::vector<std::uint32_t>& keys = resident.identifiers;
    std::array<unsigned char, kSky2000RecordBytes> record{};
    while (in.read(reinterpret_cast<char*>(record.data()), record.size())) {
        ++resident.records;
        const int packed = readI16(record.data());
        const int tyc2 = readI16(record.data() + 2);
        if (packed > 0 && tyc2 > 0) // 0: a star without a Tycho identifier
            keys.push_back(identifierKey(packed, tyc2));
        const double v[3] = {static_cast<double>(readI32(record.data() + 4)),
                             static_cast<double>(readI32(record.data() + 8)),
                             static_cast<double>(readI32(record.data() + 12))};
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length >= kMinStoredLength && length <= kMaxStoredLength)
            resident.positions.add(v[0] / length, v[1] / length, v[2] / length);
    }
    if (in.bad())
        throw Tycho2Error("read error in " + path);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    resident.positions.finish();
    return resident;
}

// ---- Output --------------------------------------------------------------------------------

std::uint32_t unitComponent(double c) {
    return static_cast<std::uint32_t>(std::llround(c * 1e9));
}

// A file written to "<name>.tmp" and put in place by commit(); removed if never committed.
class OutputFile {
public:
    OutputFile(const std::string& dir, const std::string& name)
        : file_(std::filesystem::path(dir) / name) {
        if (!file_.isOpen())
            throw Tycho2Error("cannot write " + file_.temporary().string());
    }

    void write(const unsigned char* bytes, std::size_t n) {
        file_.write(std::string_view(reinterpret_cast<const char*>(bytes), n));
        ++records_;
    }
    void writeStar(const Star& s) {
        std::array<unsigned char, kStarRecordBytes> r{};
        writeU16(r.data(), static_cast<std::uint16_t>(s.packed()));
        writeU16(r.data() + 2, static_cast<std::uint16_t>(s.tyc2));
        writeU32(r.data() + 4, unitComponent(s.x));
        writeU32(r.data() + 8, unitComponent(s.y));
        writeU32(r.data() + 12, unitComponent(s.z));
        writeU16(r.data() + 16, static_cast<std::uint16_t>(s.bt));
        writeU16(r.data() + 18, static_cast<std::uint16_t>(s.vt));
        write(r.data(), r.size());
    }
    void writeIndex(std::int64_t firstCatalog, std::int64_t firstSupplement, const Box& box) {
        std::array<unsigned char, kTychoIndexRecordBytes> r{};
        writeU32(r.data(), static_cast<std::uint32_t>(firstCatalog));
        writeU32(r.data() + 4, static_cast<std::uint32_t>(firstSupplement));
        writeF64(r.data() + 8, box.raMin);
        writeF64(r.data() + 16, box.raMax);
        writeF64(r.data() + 24, box.decMin);
        writeF64(r.data() + 32, box.decMax);
        write(r.data(), r.size());
    }
    std::int64_t records() const { return records_; }
    void commit() {
        AtomicWriteFailure failure;
        if (file_.commit(&failure))
            return;
        if (failure.step == AtomicWriteFailure::Step::Rename)
            throw Tycho2Error("cannot rename " + failure.temporary.string() + ": " +
                              failure.reason);
        throw Tycho2Error("write error in " + failure.temporary.string());
    }

private:
    AtomicFile file_;
    std::int64_t records_ = 0;
};

// ---- Streaming the two star files region by region -----------------------------------------

enum Source : int { FromCatalog = 0, FromSupplement = 1 };

class StarStream {
public:
    StarStream(const std::string& path, Source source, Tycho2SourceCounts& counts,
               Tycho2Report& report)
        : reader_(path), path_(path), label_(fileLabel(path)), source_(source), counts_(counts),
          report_(report) {}

    // Hands fn(star, lineNumber) every well-formed star of region `region`, in file order,
    // counting and skipping those of regions already passed.
    template <class Fn> void takeRegion(int region, Fn&& fn) {
        for (;;) {
            if (!havePending_ && !advance())
                return;
            if (pending_.tyc1 < region) {
                ++counts_.outOfOrder;
                addSample(report_, label_, pendingLine_,
                          "region " + std::to_string(pending_.tyc1) + " after region " +
                              std::to_string(region - 1) + " (out of order)");
                havePending_ = false;
                continue;
            }
            if (pending_.tyc1 > region)
                return;
            havePending_ = false;
            fn(pending_, pendingLine_);
        }
    }

    const std::string& label() const { return label_; }

    // Reads what is left (nothing, with well-formed input) and rejects a file of which not
    // a single line had the format.
    void finish() {
        while (havePending_ || advance()) {
            ++counts_.outOfOrder;
            havePending_ = false;
        }
        checkFormat();
    }

private:
    bool advance() {
        bool tooLong = false;
        while (reader_.next(line_, tooLong)) {
            if (!tooLong && isBlank(line_))
                continue;
            ++counts_.lines;
            std::string reason;
            pending_ = Star{};
            const bool ok =
                !tooLong && (source_ == FromCatalog ? parseCatalogLine(line_, pending_, reason)
                                                    : parseSupplementLine(line_, pending_, reason));
            if (ok) {
                ++wellFormed_;
                havePending_ = true;
                pendingLine_ = reader_.lineNumber();
                return true;
            }
            if (tooLong)
                reason = "line longer than " + std::to_string(kMaxLine) + " characters";
            ++counts_.malformed;
            addSample(report_, label_, reader_.lineNumber(), reason);
            if (counts_.lines >= kEarlyGiveUpLines)
                checkFormat();
        }
        return false;
    }

    void checkFormat() const {
        if (counts_.lines > 0 && wellFormed_ == 0)
            throw Tycho2Error(path_ + ": no line in the format of the Tycho-2 " +
                              (source_ == FromCatalog ? "catalogue" : "supplement"));
    }

    LineReader reader_;
    std::string path_;
    std::string label_;
    Source source_;
    Tycho2SourceCounts& counts_;
    Tycho2Report& report_;
    std::string line_;
    Star pending_;
    std::int64_t pendingLine_ = 0;
    bool havePending_ = false;
    std::int64_t wellFormed_ = 0;
};

struct Faint {
    Star star;
    Source source;
    std::int64_t line;
};

// Heap order: the top is the star to drop first (faintest; then supplement; then later line).
bool dropsLater(const Faint& a, const Faint& b) {
    return std::make_tuple(a.star.rankMagnitude(), static_cast<int>(a.source), a.line) <
           std::make_tuple(b.star.rankMagnitude(), static_cast<int>(b.source), b.line);
}

bool fileOrder(const Faint& a, const Faint& b) {
    return std::make_tuple(static_cast<int>(a.source), a.line) <
           std::make_tuple(static_cast<int>(b.source), b.line);
}

class Converter {
public:
    Converter(const Tycho2Inputs& inputs, const std::string& outDir, Tycho2Report& report)
        : report_(report), index_(readIndex(inputs.index, report)),
          resident_(inputs.resident.empty() ? Resident{} : readResident(inputs.resident)),
          catalog_(inputs.catalog, FromCatalog, report.catalog, report),
          supplement_(inputs.supplement, FromSupplement, report.supplement, report),
          catalogOut_(outDir, "tycho_2.skd"), supplementOut_(outDir, "supply_1.skd"),
          brightOut_(outDir, "tycho_2_b.skd"), indexOut_(outDir, "tycho_2_index.skd") {
        report_.residentRecords = resident_.records;
        report_.residentPositions = static_cast<std::int64_t>(resident_.positions.size());
        report_.residentIdentifiers = static_cast<std::int64_t>(resident_.identifiers.size());
        faint_.reserve(kTycho2MaxRegionStars + 1);
    }

    void run() {
        for (int region = 1; region <= kTycho2Regions; ++region)
            convertRegion(region);
        catalog_.finish();
        supplement_.finish();
        indexOut_.writeIndex(catalogOut_.records() + 1, supplementOut_.records() + 1, Box{});
        report_.indexRecords = indexOut_.records();
        catalogOut_.commit();
        supplementOut_.commit();
        brightOut_.commit();
        indexOut_.commit();
    }

private:
    void convertRegion(int region) {
        faint_.clear();
        std::int64_t readCount[2] = {0, 0};
        bool anyStar = false;
        Box stars{360.0, 0.0, 90.0, -90.0};
        bool overfull = false;

        const auto take = [&](Source source, Tycho2SourceCounts& counts) {
            return [&, source](const Star& s, std::int64_t line) {
                ++readCount[source];
                anyStar = true;
                stars.raMin = std::min(stars.raMin, s.ra);
                stars.raMax = std::max(stars.raMax, s.ra);
                stars.decMin = std::min(stars.decMin, s.dec);
                stars.decMax = std::max(stars.decMax, s.dec);
                if (s.observed)
                    ++report_.observedPositions;
                if (s.propagated)
                    ++report_.propagated;
                if (s.packed() > 32767) {
                    ++counts.unpackable;
                    addSample(report_, (source == FromCatalog ? catalog_ : supplement_).label(),
                              line,
                              "TYC " + std::to_string(s.tyc1) + "-" + std::to_string(s.tyc2) + "-" +
                                  std::to_string(s.tyc3) + " cannot be packed into 16 bits");
                    return;
                }
                if (s.rankMagnitude() <= kTycho2BrightLimitMilli) {
                    if (std::binary_search(resident_.identifiers.begin(),
                                           resident_.identifiers.end(),
                                           identifierKey(s.packed(), s.tyc2))) {
                        ++counts.resident;
                    } else if (resident_.positions.anyNear(s.x, s.y, s.z)) {
                        ++counts.resident;
                        ++report_.residentByPosition;
                    } else {
                        brightOut_.writeStar(s);
                        ++counts.bright;
                    }
                    return;
                }
                faint_.push_back(Faint{s, source, line});
                std::push_heap(faint_.begin(), faint_.end(), dropsLater);
                if (faint_.size() > static_cast<std::size_t>(kTycho2MaxRegionStars)) {
                    std::pop_heap(faint_.begin(), faint_.end(), dropsLater);
                    const Source droppedFrom = faint_.back().source;
                    faint_.pop_back();
                    ++(droppedFrom == FromCatalog ? report_.catalog : report_.supplement).dropped;
                    overfull = true;
                }
            };
        };
        catalog_.takeRegion(region, take(FromCatalog, report_.catalog));
        supplement_.takeRegion(region, take(FromSupplement, report_.supplement));

        const std::int64_t firstCatalog = catalogOut_.records() + 1;
        const std::int64_t firstSupplement = supplementOut_.records() + 1;
        std::sort(faint_.begin(), faint_.end(), fileOrder);
        for (const Faint& f : faint_) {
            if (f.source == FromCatalog) {
                catalogOut_.writeStar(f.star);
                ++report_.catalog.faint;
            } else {
                supplementOut_.writeStar(f.star);
                ++report_.supplement.faint;
            }
        }
        if (overfull)
            ++report_.overfullRegions;
        if (faint_.empty())
            ++report_.emptyRegions;

        const IndexLine& line = index_[static_cast<std::size_t>(region)];
        Box box;
        if (line.box) {
            box = *line.box;
            ++report_.boundsFromIndex;
        } else if (anyStar) {
            box = Box{
                std::floor(stars.raMin * 100.0) / 100.0, std::ceil(stars.raMax * 100.0) / 100.0,
                std::floor(stars.decMin * 100.0) / 100.0, std::ceil(stars.decMax * 100.0) / 100.0};
            ++report_.boundsFromStars;
        } else {
            ++report_.boundsZero;
        }
        indexOut_.writeIndex(firstCatalog, firstSupplement, box);

        const IndexLine& next = index_[static_cast<std::size_t>(region) + 1];
        if (line.present && next.present &&
            (next.recCatalog - line.recCatalog != readCount[FromCatalog] ||
             next.recSupplement - line.recSupplement != readCount[FromSupplement]))
            ++report_.indexCountMismatches;
    }

    Tycho2Report& report_;
    std::vector<IndexLine> index_;
    Resident resident_;
    StarStream catalog_;
    StarStream supplement_;
    OutputFile catalogOut_;
    OutputFile supplementOut_;
    OutputFile brightOut_;
    OutputFile indexOut_;
    std::vector<Faint> faint_;
};

} // namespace

Tycho2Report convertTycho2(const Tycho2Inputs& inputs, const std::string& outDir) {
    Tycho2Report report;
    Converter converter(inputs, outDir, report);
    converter.run();
    return report;
}

} // namespace catalog
