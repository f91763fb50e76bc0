// A chart document (.skv) from any bytes, opened as the program opens one, and the chart it
// gives drawn. A document is either refused with a message, leaving the chart as it was, or
// gives a chart that saves to a document which opens again.

#include "FuzzSupport.h"

#include "catalog/ChartDocument.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "chart/RecordingSurface.h"

#include <fstream>
#include <utility>

namespace {

// The catalogues a document may name, in the data folder: the first lines of the shipped ones.
void writeCatalogues(const std::filesystem::path& folder) {
    const std::filesystem::path shipped = SKYVANE_FUZZ_DATA_DIR;
    for (const auto& [from, to] : {std::pair{"asteroids/sbdb_asteroids.skd", "asteroids.txt"},
                                   std::pair{"comets/sbdb_comets.skd", "comets.txt"}}) {
        std::ifstream in(shipped / from, std::ios::binary);
        std::string text, line;
        for (int i = 0; i < 5 && std::getline(in, line); ++i)
            text += line + "\n";
        fuzz::WriteFile(folder / to, text);
    }
}

struct World {
    chart::ChartViewState state;
    catalog::DsoSelectionSettings deepSky;
    catalog::AsteroidCatalog asteroids;
    catalog::CometCatalog comets;
    catalog::ChartDocumentParts parts() { return {state.chart, deepSky, asteroids, comets}; }

    std::string encode() const {
        std::string bytes;
        FUZZ_CHECK(catalog::EncodeChartDocument(state.chart, deepSky, asteroids, comets, bytes)
                       .empty());
        return bytes;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool written = (writeCatalogues(fuzz::ScratchFolder::path()), true);
    (void)written;
    World world;
    world.state.chart.SetClientSize(320, 240);
    const std::string before = world.encode();

    catalog::ChartDocumentLoadOptions options;
    options.dataFolder = fuzz::ScratchFolder::path();
    std::vector<std::string> notes;
    const std::string message = catalog::ApplyChartDocument(fuzz::AsText(data, size), "fuzz.skv",
                                                            world.parts(), options, &notes);
    if (!message.empty()) {
        FUZZ_CHECK(world.encode() == before);
        return 0;
    }
    chart::RecordingSurface surface(320, 240);
    chart::OnDraw(world.state, surface, settings::ViewType::Standard, settings::ColorScheme{}, {});

    const std::string saved = world.encode();
    World reopened;
    FUZZ_CHECK(catalog::ApplyChartDocument(saved, "saved.skv", reopened.parts(), options).empty());
    return 0;
}
