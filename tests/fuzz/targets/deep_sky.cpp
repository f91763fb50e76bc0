// The deep-sky catalogue and its names list (ngc2000.skd, ngc2000names.skd) from any bytes,
// with each object's texts made as the search and the properties window make them.

#include "FuzzSupport.h"

#include "catalog/DeepSky.h"
#include "catalog/DeepSkyText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzz::ScratchFolder::path();
    fuzz::WriteParts(folder, fuzz::AsText(data, size),
                     {catalog::DsoCatalog::kCatalogFile, catalog::DsoCatalog::kNamesFile});
    static catalog::DsoCatalog* deepSky = new catalog::DsoCatalog;
    const catalog::DsoLoadResult result = deepSky->LoadDsoCatalog(folder);
    FUZZ_CHECK(result.fileObjects <= catalog::DsoCatalog::kMaxFileObjects);
    FUZZ_CHECK(result.fileNames <= catalog::DsoCatalog::kMaxFileNames);
    FUZZ_CHECK(deepSky->objects().size() == result.fileObjects + 4);
    catalog::DsoSelectionSettings everything;
    for (const catalog::DsoObject& object : deepSky->objects()) {
        (void)catalog::PassesDsoSelection(object, everything);
        (void)object.GetName();
        for (int mode = 0; mode <= 4; ++mode)
            (void)object.labelText(mode);
        (void)catalog::DsoTypeText(object.typeCode());
        (void)catalog::DsoSourceText(object.sourceCode());
        (void)catalog::DsoMessierText(object.messier());
        (void)catalog::ExpandDescription(object.description());
        (void)catalog::DsoImagePageHtml(*deepSky, object);
    }
    return 0;
}
