// The star source files of the catalogue converter from any bytes: the first byte chooses
// the reader (Bright Star Catalogue, cross identifications, designation list, star names,
// GCVS, WDS), the rest is the file. A reader either gives its records or throws the
// converter's error naming the file.

#include "FuzzSupport.h"

#include "DataCommands.h"
#include "StarSources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    using namespace datatool::stars;
    const std::string file = (fuzz::ScratchFolder::path() / "source.dat").string();
    fuzz::WriteFile(file, fuzz::AsText(data + 1, size - 1));
    try {
        switch (data[0] % 6) {
        case 0: (void)readBrightStarCatalogue(file); break;
        case 1: (void)readCrossIds(file); break;
        case 2: (void)readDesignationList(file); break;
        case 3: (void)readStarNames(file); break;
        case 4: (void)readGcvs(file); break;
        default: (void)readWdsSeparations(file); break;
        }
    } catch (const datatool::DataError& error) {
        FUZZ_CHECK(std::string_view(error.what()).find("source.dat") != std::string_view::npos);
    }
    return 0;
}
