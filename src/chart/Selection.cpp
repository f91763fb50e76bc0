#include "chart/Selection.h"

#include <optional>
#include <utility>

namespace chart {

namespace {

SelectionOutcome rebuildAndRedraw(ChartViewState& state) {
    state.rebuildDrawList = true;
    SelectionOutcome out;
    out.rebuild = true;
    out.redraw = true;
    return out;
}

SelectionOutcome redrawOnly() {
    SelectionOutcome out;
    out.redraw = true;
    return out;
}

SelectionOutcome togglePlot(ChartViewState& state, int& flag, std::size_t selectedCount,
                            const char* message, ObjectManager manager) {
    flag = flag ? 0 : 1;
    if (flag && selectedCount == 0) {
        // Plotting stays switched on; the manager is where the user picks the objects.
        SelectionOutcome out;
        out.message = message;
        out.openManager = manager;
        return out;
    }
    return rebuildAndRedraw(state);
}

SelectionOutcome finishManager(ChartViewState& state, int& flag, std::size_t count,
                               const char* question, const AskYesNo& ask) {
    if (count == 0)
        flag = 0;
    else if (!flag && ask && ask(question))
        flag = 1;
    return rebuildAndRedraw(state);
}

} // namespace

SelectionOutcome TogglePlotAsteroids(ChartViewState& state, std::size_t selectedCount) {
    return togglePlot(state, state.chart.settings.plotAsteroids, selectedCount,
                      kSelectAsteroidsMessage, ObjectManager::Asteroids);
}

SelectionOutcome TogglePlotComets(ChartViewState& state, std::size_t selectedCount) {
    return togglePlot(state, state.chart.settings.plotComets, selectedCount, kSelectCometsMessage,
                      ObjectManager::Comets);
}

SelectionOutcome TogglePlotDeepSky(ChartViewState& state, std::size_t selectedCount) {
    return togglePlot(state, state.chart.settings.plotDeepSky, selectedCount, kSelectDeepSkyMessage,
                      ObjectManager::DeepSky);
}

SelectionOutcome ToggleCometLabels(ChartViewState& state) {
    int& flag = state.chart.settings.cometLabels;
    flag = flag ? 0 : 1;
    return redrawOnly();
}

SelectionOutcome ToggleDeepSkyLabels(ChartViewState& state) {
    int& flag = state.chart.settings.deepSkyLabels;
    flag = flag ? 0 : 1;
    return redrawOnly();
}

SelectionOutcome FinishDeepSkyManage(ChartViewState& state, std::size_t selectedCount,
                                     const AskYesNo& ask) {
    return finishManager(state, state.chart.settings.plotDeepSky, selectedCount,
                         kActivateDeepSkyQuestion, ask);
}

SelectionOutcome FinishAsteroidManager(ChartViewState& state, std::size_t plottedCount,
                                       const AskYesNo& ask) {
    return finishManager(state, state.chart.settings.plotAsteroids, plottedCount,
                         kActivatePlottingQuestion, ask);
}

SelectionOutcome FinishCometManager(ChartViewState& state, std::size_t plottedCount,
                                    const AskYesNo& ask) {
    return finishManager(state, state.chart.settings.plotComets, plottedCount,
                         kActivatePlottingQuestion, ask);
}

SelectionOutcome ApplyAsteroidLabels(ChartViewState& state,
                                     const AsteroidLabelsDialogModel& model) {
    model.apply(state.chart.settings);
    return redrawOnly();
}

SelectionOutcome ApplyDeepSkyLabels(ChartViewState& state, const DeepSkyLabelsDialogModel& model) {
    if (std::optional<std::string> refused = model.validate()) {
        SelectionOutcome out;
        out.message = std::move(*refused);
        return out;
    }
    model.apply(state.chart.settings);
    return redrawOnly();
}

SelectionOutcome ApplyPlanetsPresentation(ChartViewState& state,
                                          const PlanetsPresentationDialogModel& model) {
    model.apply(state.chart.settings);
    return rebuildAndRedraw(state);
}

} // namespace chart
