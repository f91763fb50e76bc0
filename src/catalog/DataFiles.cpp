#include "catalog/DataFiles.h"

#include "catalog/Constellations.h"
#include "catalog/DeepSky.h"
#include "catalog/LittleEndian.h"
#include "catalog/Places.h"
#include "catalog/Stars.h"
#include "catalog/TychoStore.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <memory>
#include <system_error>

namespace catalog {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxManifestBytes = 1 << 20;
constexpr std::size_t kMaxManifestEntries = 10000;

std::optional<std::uintmax_t> regularFileSize(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec)
        return std::nullopt;
    return size;
}

bool isHexDigest(std::string_view s) {
    return s.size() == 64 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// A path inside the folder: relative, '/' separated, without "." or ".." parts.
bool isPlainRelativePath(std::string_view p) {
    if (p.empty() || p.front() == '/' || p.back() == '/' || p.find('\\') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    while (start <= p.size()) {
        const std::size_t end = std::min(p.find('/', start), p.size());
        const std::string_view part = p.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

// The manifest lists another size than the file has.
std::string sizeMismatch(std::uintmax_t bytes, std::uintmax_t listed) {
    return "it has " + std::to_string(bytes) + " bytes where " + std::to_string(listed) +
           " belong";
}

// The reason of a damage line, without the file's name in front.
std::string reasonOf(const std::string& line, const std::string& name) {
    const std::string prefix = name + " is damaged: ";
    return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

bool isTychoFile(std::string_view name) {
    return name == TychoStore::kMainFile || name == TychoStore::kSupplementFile ||
           name == TychoStore::kIndexFile || name == StarCatalog::kFaintResidentFile;
}

struct DigestDeleter {
    void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};

std::string hex(const unsigned char* bytes, unsigned int n) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s;
    s.reserve(2 * n);
    for (unsigned int i = 0; i < n; ++i) {
        s += kDigits[bytes[i] >> 4];
        s += kDigits[bytes[i] & 15];
    }
    return s;
}

} // namespace

const std::vector<RecordFileKind>& RecordFileKinds() {
    static const std::vector<RecordFileKind> kinds = {
        {StarCatalog::kMainFile, kSky2000RecordSize, 0},
        {StarCatalog::kBrightFile, kBrightRecordSize, 0},
        {StarCatalog::kFaintResidentFile, kTychoRecordSize, 0},
        {TychoStore::kMainFile, kTychoRecordSize, 0},
        {TychoStore::kSupplementFile, kTychoRecordSize, 0},
        {TychoStore::kIndexFile, TychoStore::kIndexRecordSize, 0},
        {ConstellationData::kBoundariesFile, ConstellationData::kBoundaryRecordSize, 0},
        {ConstellationData::kBandsFile, ConstellationData::kBandRecordSize, 0},
        {ConstellationData::kListFile, ConstellationData::kListRecordSize,
         ConstellationData::kConstellationCount},
        {ConstellationData::kFiguresFile, ConstellationData::kFigureRecordSize, 0},
        {DsoCatalog::kCatalogFile, kDsoRecordSize, 0},
        {DsoCatalog::kNamesFile, kDsoNameRecordSize, 0},
        {PlaceList::kPermanentFile, PlaceRecord::kSize, PlaceList::kPermanentCount},
        {PlaceList::kUserFile, PlaceRecord::kSize, 0},
    };
    return kinds;
}

const RecordFileKind* FindRecordFileKind(std::string_view name) {
    for (const RecordFileKind& k : RecordFileKinds())
        if (name == k.name)
            return &k;
    return nullptr;
}

std::string RecordSizeDamage(const std::string& name, std::uintmax_t bytes, std::size_t recordSize,
                             std::size_t expectedRecords) {
    if (recordSize == 0)
        return {};
    if (bytes % recordSize != 0)
        return name + " is damaged: its size, " + std::to_string(bytes) +
               " bytes, is not a whole number of " + std::to_string(recordSize) + "-byte records";
    const std::uintmax_t records = bytes / recordSize;
    if (expectedRecords != 0 && records != expectedRecords)
        return name + " is damaged: it holds " + std::to_string(records) + " records where " +
               std::to_string(expectedRecords) + " belong";
    return {};
}

std::string RecordFileDamage(const fs::path& file, std::size_t recordSize,
                             std::size_t expectedRecords) {
    const std::optional<std::uintmax_t> size = regularFileSize(file);
    if (!size)
        return {};
    return RecordSizeDamage(file.string(), *size, recordSize, expectedRecords);
}

std::optional<Manifest> ReadManifest(const fs::path& dataDir) {
    const fs::path path = dataDir / kManifestFile;
    const std::optional<std::uintmax_t> size = regularFileSize(path);
    if (!size)
        return std::nullopt;
    Manifest m;
    if (*size > kMaxManifestBytes) {
        m.badLines = 1;
        return m;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        // <digest> <size> <name>, separated by runs of blanks; the name runs to the end.
        std::string_view rest(line);
        auto field = [&rest]() {
            const std::size_t start = rest.find_first_not_of(' ');
            if (start == std::string_view::npos)
                return std::string_view();
            rest.remove_prefix(start);
            const std::size_t end = std::min(rest.find(' '), rest.size());
            const std::string_view f = rest.substr(0, end);
            rest.remove_prefix(end);
            return f;
        };
        const std::string_view digest = field();
        const std::string_view bytes = field();
        const std::size_t nameStart = rest.find_first_not_of(' ');
        const std::string_view name =
            nameStart == std::string_view::npos ? std::string_view() : rest.substr(nameStart);
        ManifestEntry e;
        const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), e.size);
        if (!isHexDigest(digest) || ec != std::errc() || end != bytes.data() + bytes.size() ||
            bytes.empty() || !isPlainRelativePath(name) ||
            m.entries.size() >= kMaxManifestEntries) {
            ++m.badLines;
            continue;
        }
        e.sha256 = std::string(digest);
        e.name = std::string(name);
        m.entries.push_back(std::move(e));
    }
    return m;
}

Manifest BuildManifest(const fs::path& dataDir) {
    Manifest m;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dataDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(dataDir);
        const std::string name = relative.generic_string();
        if (it->is_directory(ec)) {
            if (name == "sources")
                it.disable_recursion_pending();
            continue;
        }
        // The user's own files: converted Tycho-2 stars, added places and their scratch.
        if (!it->is_regular_file(ec) || name == kManifestFile || isTychoFile(name) ||
            name == PlaceList::kUserFile || name == PlaceList::kScratchFile)
            continue;
        ManifestEntry e;
        e.name = name;
        e.size = it->file_size(ec);
        e.sha256 = Sha256OfFile(it->path());
        m.entries.push_back(std::move(e));
    }
    std::sort(m.entries.begin(), m.entries.end(),
              [](const ManifestEntry& a, const ManifestEntry& b) { return a.name < b.name; });
    return m;
}

std::string FormatManifest(const Manifest& manifest) {
    std::string text = "# The shipped data files: SHA-256, size in bytes, path. Written by\n"
                       "# skyvane-data; checked by skyvane-cli check-data.\n";
    for (const ManifestEntry& e : manifest.entries)
        text += e.sha256 + " " + std::to_string(e.size) + " " + e.name + "\n";
    return text;
}

std::string Sha256OfBytes(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &n, EVP_sha256(), nullptr) != 1)
        return {};
    return hex(digest, n);
}

std::string Sha256OfFile(const fs::path& file) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"),
                                                       &std::fclose);
    const std::unique_ptr<EVP_MD_CTX, DigestDeleter> ctx(EVP_MD_CTX_new());
    if (!in || !ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        return {};
    std::array<unsigned char, 1 << 16> buffer;
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0)
        if (EVP_DigestUpdate(ctx.get(), buffer.data(), got) != 1)
            return {};
    if (std::ferror(in.get()))
        return {};
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    if (EVP_DigestFinal_ex(ctx.get(), digest, &n) != 1)
        return {};
    return hex(digest, n);
}

const char* FileStateWord(FileState state) {
    switch (state) {
    case FileState::Ok:
        return "ok";
    case FileState::Missing:
        return "missing";
    case FileState::Damaged:
        return "damaged";
    case FileState::Changed:
        return "changed";
    }
    return "?";
}

std::vector<FileCheck> CheckDataFolder(const fs::path& dataDir, bool checksums) {
    std::vector<FileCheck> checks;
    const std::optional<Manifest> manifest = ReadManifest(dataDir);
    const std::vector<std::string> tycho = TychoStore::CheckFiles(dataDir, false);
    auto damageOf = [&](const std::string& name, std::uintmax_t size) {
        if (const RecordFileKind* kind = FindRecordFileKind(name))
            return RecordSizeDamage(name, size, kind->recordSize, kind->records);
        return std::string();
    };
    if (manifest) {
        for (const ManifestEntry& e : manifest->entries) {
            FileCheck c;
            c.name = e.name;
            const std::optional<std::uintmax_t> size = regularFileSize(dataDir / e.name);
            if (!size) {
                c.state = FileState::Missing;
            } else if (std::string damage = damageOf(e.name, *size); !damage.empty()) {
                c.state = FileState::Damaged;
                c.detail = reasonOf(damage, e.name);
            } else if (*size != e.size) {
                c.state = FileState::Damaged;
                c.detail = sizeMismatch(*size, e.size);
            } else if (checksums && Sha256OfFile(dataDir / e.name) != e.sha256) {
                c.state = FileState::Changed;
                c.detail = "its SHA-256 differs from the manifest's";
            } else {
                c.detail = checksums ? "size and SHA-256" : "size";
            }
            checks.push_back(std::move(c));
        }
    }
    // The fixed-record files present that the manifest does not list: a user's converted
    // Tycho-2 among them. Sizes and counts only.
    for (const RecordFileKind& kind : RecordFileKinds()) {
        const std::string name = kind.name;
        if (manifest && std::any_of(manifest->entries.begin(), manifest->entries.end(),
                                    [&name](const ManifestEntry& e) { return e.name == name; }))
            continue;
        const std::optional<std::uintmax_t> size = regularFileSize(dataDir / name);
        if (!size)
            continue;
        FileCheck c;
        c.name = name;
        c.detail = reasonOf(damageOf(name, *size), name);
        for (const std::string& t : tycho)
            if (c.detail.empty() && t.compare(0, name.size() + 1, name + " ") == 0)
                c.detail = reasonOf(t, name);
        c.state = c.detail.empty() ? FileState::Ok : FileState::Damaged;
        if (c.detail.empty())
            c.detail = "not in the manifest: size and record count";
        checks.push_back(std::move(c));
    }
    return checks;
}

std::vector<std::string> ManifestSizeDamage(const fs::path& dataDir) {
    std::vector<std::string> damage;
    const std::optional<Manifest> manifest = ReadManifest(dataDir);
    if (!manifest)
        return damage;
    for (const ManifestEntry& e : manifest->entries) {
        if (FindRecordFileKind(e.name) == nullptr)
            continue;
        const fs::path file = dataDir / e.name;
        const std::optional<std::uintmax_t> size = regularFileSize(file);
        if (size && *size != e.size)
            damage.push_back(file.string() + " is damaged: " + sizeMismatch(*size, e.size));
    }
    return damage;
}

} // namespace catalog
