// The Tycho-2 converter from any bytes (catalog.dat, suppl_1.dat and index.dat as three
// parts): it either refuses the inputs with its error or writes four files that the
// program's store opens without naming any as damaged.

#include "FuzzSupport.h"

#include "catalog/Tycho2Convert.h"
#include "catalog/TychoStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzz::ScratchFolder::path();
    const auto in = folder / "in";
    const auto out = folder / "out";
    std::filesystem::create_directories(in);
    std::filesystem::create_directories(out);
    fuzz::WriteParts(in, fuzz::AsText(data, size), {"index.dat", "catalog.dat", "suppl_1.dat"});
    catalog::Tycho2Inputs inputs;
    inputs.catalog = (in / "catalog.dat").string();
    inputs.supplement = (in / "suppl_1.dat").string();
    inputs.index = (in / "index.dat").string();
    try {
        const catalog::Tycho2Report report = catalog::convertTycho2(inputs, out.string());
        FUZZ_CHECK(report.indexRecords == catalog::kTycho2Regions + 1);
    } catch (const catalog::Tycho2Error&) {
        return 0;
    }
    const std::vector<std::string> damage = catalog::TychoStore::CheckFiles(out);
    for (const std::string& line : damage)
        std::fprintf(stderr, "%s\n", line.c_str());
    FUZZ_CHECK(damage.empty());
    return 0;
}
