#include "DataCommands.h"

#include "catalog/AtomicFile.h"
#include "catalog/DataFiles.h"

#include <lzma.h>

#include <array>
#include <cstdio>
#include <fstream>

namespace datatool {

void writeDataFile(const std::filesystem::path& path, std::string_view bytes) {
    catalog::AtomicWriteFailure failure;
    if (catalog::writeFileAtomically(path, bytes, &failure, catalog::FailedTemporary::Keep))
        return;
    if (failure.step == catalog::AtomicWriteFailure::Step::Rename)
        throw DataError("cannot write " + failure.target.string() + ": " + failure.reason);
    throw DataError("cannot write " + failure.temporary.string());
}

std::string readSourceFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        throw DataError("cannot read " + path.string() + ": " + ec.message());
    if (size > maxBytes)
        throw DataError(path.string() + " is too large (" + std::to_string(size) + " bytes)");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DataError("cannot read " + path.string());
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size))
        throw DataError("cannot read " + path.string() + ": short read");
    return text;
}

namespace {

// Ends an xz decoder whichever way the decoding leaves.
struct LzmaStream {
    lzma_stream stream = LZMA_STREAM_INIT;
    ~LzmaStream() { lzma_end(&stream); }
};

} // namespace

std::string readXzSourceFile(const std::filesystem::path& path, std::size_t maxBytes) {
    const std::string compressed = readSourceFile(path);
    LzmaStream xz;
    if (lzma_stream_decoder(&xz.stream, UINT64_MAX, LZMA_CONCATENATED) != LZMA_OK)
        throw DataError("cannot start the xz decoder for " + path.string());
    xz.stream.next_in = reinterpret_cast<const std::uint8_t*>(compressed.data());
    xz.stream.avail_in = compressed.size();
    std::string out;
    std::array<std::uint8_t, 1 << 16> buffer{};
    for (;;) {
        xz.stream.next_out = buffer.data();
        xz.stream.avail_out = buffer.size();
        const lzma_ret ret = lzma_code(&xz.stream, LZMA_FINISH);
        out.append(reinterpret_cast<const char*>(buffer.data()),
                   buffer.size() - xz.stream.avail_out);
        if (out.size() > maxBytes)
            throw DataError(path.string() + " unpacks to more than " + std::to_string(maxBytes) +
                            " bytes");
        if (ret == LZMA_STREAM_END)
            return out;
        if (ret != LZMA_OK)
            throw DataError(path.string() + " is not a complete xz stream (liblzma error " +
                            std::to_string(static_cast<int>(ret)) + ")");
    }
}

} // namespace datatool

namespace datatool {

int runManifest(const Paths& paths, const std::vector<std::string>& args) {
    if (!args.empty())
        throw DataError("manifest takes no arguments besides --out");
    const catalog::Manifest manifest = catalog::BuildManifest(paths.out);
    for (const catalog::ManifestEntry& e : manifest.entries)
        if (e.sha256.empty())
            throw DataError("cannot read " + (std::filesystem::path(paths.out) / e.name).string());
    const std::filesystem::path file = std::filesystem::path(paths.out) / catalog::kManifestFile;
    writeDataFile(file, catalog::FormatManifest(manifest));
    std::printf("%s: %zu files\n", file.string().c_str(), manifest.entries.size());
    return 0;
}

} // namespace datatool
