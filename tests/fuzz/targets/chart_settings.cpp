// The settings file's values from any bytes: one value a line, "Section/Key=text" for a text
// and "Section/Key#number" for an integer (the settings file itself is Qt's, read into the
// same store). A new chart is made from them as the program makes one at start-up, and
// drawn.

#include "FuzzSupport.h"

#include "catalog/DsoSettingsStore.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartSettingsStore.h"
#include "chart/ChartViewState.h"
#include "chart/RecordingSurface.h"
#include "settings/AppSettings.h"
#include "settings/ColorScheme.h"
#include "settings/RecentFiles.h"
#include "settings/SettingsStore.h"

#include <charconv>
#include <cmath>

namespace {

void fill(settings::MemorySettingsStore& store, std::string_view text) {
    fuzz::ForEachLine(text, [&store](std::string_view line) {
        const std::size_t slash = line.find('/');
        if (slash == std::string_view::npos)
            return;
        const std::size_t mark = line.find_first_of("=#", slash);
        if (mark == std::string_view::npos)
            return;
        const std::string_view section = line.substr(0, slash);
        const std::string_view key = line.substr(slash + 1, mark - slash - 1);
        const std::string_view value = line.substr(mark + 1);
        if (line[mark] == '=') {
            store.writeString(section, key, value);
        } else {
            int number = 0;
            std::from_chars(value.data(), value.data() + value.size(), number);
            store.writeInt(section, key, number);
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    settings::MemorySettingsStore store;
    fill(store, fuzz::AsText(data, size));

    const int viewMode = settings::ReadViewMode(store);
    FUZZ_CHECK(viewMode >= 1 && viewMode <= 4);
    (void)settings::ReadAdornedDialogs(store);
    for (int toolbar = 1; toolbar <= 3; ++toolbar)
        (void)settings::ReadToolbarShown(store, toolbar);
    settings::RecentFiles recent;
    recent.Load(store);
    (void)catalog::ReadDsoSelection(store);

    chart::ChartViewState state;
    settings::ColorScheme scheme;
    chart::ReadChartSettings(store, state.chart, scheme, 300);
    chart::SkyChart& chart = state.chart;
    FUZZ_CHECK(std::isfinite(chart.zoom()) && chart.zoom() > 0.0);
    FUZZ_CHECK(chart.settings.place.fixedPlace >= 0 && chart.settings.place.fixedPlace < 300);
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();
    chart.SetClientSize(320, 240);
    chart::RecordingSurface surface(320, 240);
    chart::OnDraw(state, surface, settings::viewTypeFromMode(viewMode), scheme, {});

    // What the chart writes back gives the same chart again (the time apart, which a new
    // chart may take from the computer's clock).
    settings::MemorySettingsStore written;
    chart::WriteChartSettings(written, chart, scheme);
    chart::ChartViewState again;
    settings::ColorScheme schemeAgain;
    chart::ReadChartSettings(written, again.chart, schemeAgain, 300);
    settings::MemorySettingsStore rewritten;
    chart::WriteChartSettings(rewritten, again.chart, schemeAgain);
    FUZZ_CHECK(written.size() == rewritten.size());
    for (const auto& [key, value] : written.values()) {
        if (key.first == "Time")
            continue;
        const auto other = rewritten.values().find(key);
        FUZZ_CHECK(other != rewritten.values().end());
        if (other->second != value) {
            std::fprintf(stderr, "%s/%s changed on reading back\n", key.first.c_str(),
                         key.second.c_str());
            std::abort();
        }
    }
    return 0;
}
