#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The integrity of the data folder: the fixed-record files the loaders read, and the
// manifest of the shipped files with their sizes and SHA-256 checksums.
namespace catalog {

// A file of fixed-size records: its name in the data folder, the size of a record and,
// where the file always holds the same number of them, that number (0 when it may vary).
struct RecordFileKind {
    const char* name;
    std::size_t recordSize;
    std::size_t records;
};

// Every fixed-record file the program reads, shipped or converted by the user.
const std::vector<RecordFileKind>& RecordFileKinds();
// The kind of a file by its name in the data folder; none for other files.
const RecordFileKind* FindRecordFileKind(std::string_view name);

// One line naming the file when its size is not a whole number of records, or not the
// number of records it must hold:
//   "SKY2000_data.skd is damaged: its 3785900 bytes are no whole number of 64-byte records"
//   "Constellations.skd is damaged: it holds 87 records where 88 belong"
// Empty when the size is right, and when the file is missing or unreadable (the loaders
// report a missing file themselves). `file` is named as given.
std::string RecordFileDamage(const std::filesystem::path& file, std::size_t recordSize,
                             std::size_t expectedRecords = 0);
// The same for a size already known.
std::string RecordSizeDamage(const std::string& name, std::uintmax_t bytes, std::size_t recordSize,
                             std::size_t expectedRecords = 0);

// The manifest "MANIFEST" of a data folder: one line per shipped file,
//   <SHA-256 in 64 hex digits> <size in bytes> <path relative to the folder, '/' separated>
// with lines starting with '#' as comments. The converted Tycho-2 files are a user's own
// and stay out of it.
inline constexpr const char* kManifestFile = "MANIFEST";

struct ManifestEntry {
    std::string name;
    std::uintmax_t size = 0;
    std::string sha256;
};

struct Manifest {
    std::vector<ManifestEntry> entries;
    // Lines that are not entries (not counting comments and blank lines).
    std::size_t badLines = 0;
};

// Reads the manifest of a folder; none when it is missing or unreadable. A manifest larger
// than 1 MB, a line without a checksum, a size or a plain relative path (no "..", no
// absolute path) is skipped and counted; at most 10,000 entries are read.
std::optional<Manifest> ReadManifest(const std::filesystem::path& dataDir);
// The manifest of every file under the folder except the manifest itself, the "sources"
// folder and the user's own files (the Tycho-2 files, the added places), sorted by name.
Manifest BuildManifest(const std::filesystem::path& dataDir);
std::string FormatManifest(const Manifest& manifest);

// The SHA-256 of a file's bytes as 64 lower-case hex digits; empty when it cannot be read.
std::string Sha256OfFile(const std::filesystem::path& file);
std::string Sha256OfBytes(std::string_view bytes);

// The state of one file of a data folder.
enum class FileState { Ok, Missing, Damaged, Changed };
const char* FileStateWord(FileState state); // "ok", "missing", "damaged", "changed"

struct FileCheck {
    std::string name;
    FileState state = FileState::Ok;
    std::string detail; // why it is damaged or changed; what was checked when it is ok
};

// Every file of the manifest (sizes, record sizes and, with `checksums`, the SHA-256), then
// the fixed-record files present that the manifest does not list (sizes and counts only).
// Without a manifest only the latter are checked.
std::vector<FileCheck> CheckDataFolder(const std::filesystem::path& dataDir, bool checksums);

// What start-up checks against the manifest: one damage line for every listed catalogue
// file (the fixed-record files the program loads) whose size differs from the listed one. Files the
// manifest lists but the folder lacks are left to the loaders. Empty without a manifest.
std::vector<std::string> ManifestSizeDamage(const std::filesystem::path& dataDir);

} // namespace catalog
