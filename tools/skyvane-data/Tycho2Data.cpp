#include "DataCommands.h"

#include "catalog/Tycho2Convert.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace datatool {

namespace {

std::string optionValue(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size())
        throw DataError("tycho2: " + args[i] + " needs a FILE");
    return args[++i];
}

void printSource(const char* name, const catalog::Tycho2SourceCounts& c) {
    std::printf("%s: %lld lines: %lld faint, %lld bright, %lld already resident, %lld dropped "
                "from over-full regions, %lld malformed, %lld out of order, %lld with an "
                "identifier that does not fit 16 bits\n",
                name, static_cast<long long>(c.lines), static_cast<long long>(c.faint),
                static_cast<long long>(c.bright), static_cast<long long>(c.resident),
                static_cast<long long>(c.dropped), static_cast<long long>(c.malformed),
                static_cast<long long>(c.outOfOrder), static_cast<long long>(c.unpackable));
}

} // namespace

int runTycho2(const Paths& paths, const std::vector<std::string>& args) {
    catalog::Tycho2Inputs inputs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--catalog")
            inputs.catalog = optionValue(args, i);
        else if (args[i] == "--suppl")
            inputs.supplement = optionValue(args, i);
        else if (args[i] == "--index")
            inputs.index = optionValue(args, i);
        else if (args[i] == "--resident")
            inputs.resident = optionValue(args, i);
        else
            throw DataError("tycho2: unknown argument '" + args[i] + "'");
    }
    if (inputs.catalog.empty() || inputs.supplement.empty() || inputs.index.empty())
        throw DataError("tycho2 needs --catalog FILE (catalog.dat or tyc2.dat), --suppl FILE "
                        "(suppl_1.dat) and --index FILE (index.dat)");

    std::error_code ec;
    std::filesystem::create_directories(paths.out, ec);
    if (ec)
        throw DataError("cannot create " + paths.out + ": " + ec.message());

    catalog::Tycho2Report r;
    try {
        r = catalog::convertTycho2(inputs, paths.out);
    } catch (const catalog::Tycho2Error& e) {
        throw DataError(e.what());
    }

    const auto out = [&](const char* name) {
        return (std::filesystem::path(paths.out) / name).string();
    };
    std::printf("%s: %lld records\n", out("tycho_2.skd").c_str(),
                static_cast<long long>(r.catalog.faint));
    std::printf("%s: %lld records\n", out("supply_1.skd").c_str(),
                static_cast<long long>(r.supplement.faint));
    std::printf("%s: %lld records\n", out("tycho_2_b.skd").c_str(),
                static_cast<long long>(r.catalog.bright + r.supplement.bright));
    std::printf("%s: %lld records\n", out("tycho_2_index.skd").c_str(),
                static_cast<long long>(r.indexRecords));
    printSource("catalogue", r.catalog);
    printSource("supplement", r.supplement);
    std::printf("positions: %lld catalogue stars by their observed position (no mean position), "
                "%lld supplement stars carried to J2000 by proper motion\n",
                static_cast<long long>(r.observedPositions), static_cast<long long>(r.propagated));
    std::printf("regions: %d over-full (faintest dropped), %d without stars in the region files; "
                "bounds of %d from index.dat, %d computed from the stars, %d without either "
                "(zero box)\n",
                r.overfullRegions, r.emptyRegions, r.boundsFromIndex, r.boundsFromStars,
                r.boundsZero);
    std::printf("index.dat: %lld lines, %lld malformed, %d regions whose star counts disagree "
                "with its record numbers\n",
                static_cast<long long>(r.indexLines), static_cast<long long>(r.indexMalformed),
                r.indexCountMismatches);
    if (!inputs.resident.empty())
        std::printf("resident: %s: %lld records, %lld with a position, %lld Tycho identifiers; "
                    "%lld bright stars skipped as already resident (%lld by a resident star "
                    "within %g\", %lld by identifier)\n",
                    inputs.resident.c_str(), static_cast<long long>(r.residentRecords),
                    static_cast<long long>(r.residentPositions),
                    static_cast<long long>(r.residentIdentifiers),
                    static_cast<long long>(r.catalog.resident + r.supplement.resident),
                    static_cast<long long>(r.residentByPosition), catalog::kResidentMatchArcsec,
                    static_cast<long long>(r.catalog.resident + r.supplement.resident -
                                           r.residentByPosition));
    for (const std::string& s : r.samples)
        std::fprintf(stderr, "skyvane-data: %s\n", s.c_str());
    return 0;
}

} // namespace datatool
