#include "Args.h"
#include "Commands.h"

#include "catalog/DataFiles.h"

#include <cstdio>
#include <filesystem>

namespace cli {

// One line per file: the state, the name and, when it is not ok, why.
int runCheckData(const std::vector<std::string>& words) {
    const Args a(words, {"--data"}, {});
    const std::filesystem::path dataDir = a.text("--data", defaultDataFolder());
    std::error_code ec;
    if (!std::filesystem::is_directory(dataDir, ec))
        throw UsageError("no data folder " + dataDir.string());
    const bool haveManifest = catalog::ReadManifest(dataDir).has_value();
    if (!haveManifest)
        std::fprintf(stderr,
                     "skyvane-cli: no %s in %s: only the sizes of the record files are checked\n",
                     catalog::kManifestFile, dataDir.c_str());
    int bad = 0;
    for (const catalog::FileCheck& c : catalog::CheckDataFolder(dataDir, true)) {
        const bool ok = c.state == catalog::FileState::Ok;
        if (ok || c.detail.empty())
            std::printf("%-8s %s\n", catalog::FileStateWord(c.state), c.name.c_str());
        else
            std::printf("%-8s %s: %s\n", catalog::FileStateWord(c.state), c.name.c_str(),
                        c.detail.c_str());
        bad += ok ? 0 : 1;
    }
    return bad == 0 && haveManifest ? 0 : 1;
}

} // namespace cli
