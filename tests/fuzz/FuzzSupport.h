#pragma once

// Shared pieces of the fuzz targets. Each target defines LLVMFuzzerTestOneInput; libFuzzer
// drives it in the fuzzing build, and replay.cpp runs it once over every corpus file in the
// test build.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

// The entry of every target, called with each input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// An input that stands for several files is their contents joined by this line. Fewer parts
// than files leave the last files missing.
inline constexpr std::string_view kPartSeparator = "\n==SKYVANE-FUZZ-PART==\n";

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline std::vector<std::optional<std::string_view>> SplitParts(std::string_view input,
                                                               std::size_t count) {
    std::vector<std::optional<std::string_view>> parts(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i + 1 < count ? input.find(kPartSeparator) : std::string_view::npos;
        parts[i] = input.substr(0, at);
        if (at == std::string_view::npos)
            break;
        input.remove_prefix(at + kPartSeparator.size());
    }
    return parts;
}

// Calls `read` with each line of the text, without its '\n'.
template <class Read>
void ForEachLine(std::string_view text, Read read) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        read(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

// A folder of this process alone, on a memory file system when there is one, removed when
// the process ends normally.
class ScratchFolder {
public:
    static const std::filesystem::path& path() {
        static ScratchFolder folder;
        return folder.m_path;
    }

private:
    ScratchFolder() {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec))
            base = std::filesystem::temp_directory_path();
        m_path = base / ("skyvane-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path m_path;
};

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", file.c_str());
        std::abort();
    }
}

// Writes each present part to its file in the folder and removes the files of the missing
// parts.
inline void WriteParts(const std::filesystem::path& folder, std::string_view input,
                       const std::vector<std::string_view>& names) {
    const auto parts = SplitParts(input, names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::filesystem::path file = folder / std::string(names[i]);
        if (parts[i]) {
            WriteFile(file, *parts[i]);
        } else {
            std::error_code ec;
            std::filesystem::remove(file, ec);
        }
    }
}

// A broken promise of the code under test: a finding, like a crash.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__,      \
                         __LINE__);                                                            \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

} // namespace fuzz
