#pragma once

#include "chart/ChartViewState.h"
#include "chart/ObjectDialogs.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace chart {

// The chart's menu commands for asteroids, comets, deep-sky objects and bodies. Each changes
// the chart state and tells the window what to do next: show a message, open a manager
// dialog, repaint. A command that changes what the draw list holds sets the state's rebuild
// flag as well.

enum class ObjectManager { None, Asteroids, Comets, DeepSky };

struct SelectionOutcome {
    std::string message; // shown with an OK button first; empty: none
    ObjectManager openManager = ObjectManager::None;
    bool rebuild = false; // the draw list is to be rebuilt (state.rebuildDrawList is set)
    bool redraw = false;
};

inline constexpr const char* kSelectAsteroidsMessage = "Please, select asteroids for plotting";
inline constexpr const char* kSelectCometsMessage = "Please, select comets for plotting";
inline constexpr const char* kSelectDeepSkyMessage = "Please, select objects for plotting";
inline constexpr const char* kActivateDeepSkyQuestion =
    "Deep sky objects plotting is not activated. Activate?";
inline constexpr const char* kActivatePlottingQuestion = "Plotting is not activated. Activate?";

// A Yes/No question put to the user; true for Yes.
using AskYesNo = std::function<bool(std::string_view question)>;

// "Plot" of asteroids, comets and deep-sky objects: toggles the plot flag. Switching it on
// while nothing is selected (selectedCount 0) shows the kind's message and opens its
// manager, and the flag stays on; otherwise the draw list is rebuilt and the chart redrawn.
SelectionOutcome TogglePlotAsteroids(ChartViewState& state, std::size_t selectedCount);
SelectionOutcome TogglePlotComets(ChartViewState& state, std::size_t selectedCount);
SelectionOutcome TogglePlotDeepSky(ChartViewState& state, std::size_t selectedCount);

// "Draw Labels" of comets and deep-sky objects: toggles the label flag and redraws.
SelectionOutcome ToggleCometLabels(ChartViewState& state);
SelectionOutcome ToggleDeepSkyLabels(ChartViewState& state);

// After OK of the deep-sky filter ("Manage..."), once the selection has been rebuilt: a
// selection that is not empty while plotting is off asks whether to switch plotting on; an
// empty selection switches plotting off; then the draw list is rebuilt and the chart redrawn.
SelectionOutcome FinishDeepSkyManage(ChartViewState& state, std::size_t selectedCount,
                                     const AskYesNo& ask);

// "Exit" of the asteroid or comet manager, with the number of bodies now chosen for
// plotting: none switches plotting off without asking; some while plotting is off asks
// whether to switch it on; then the draw list is rebuilt and the chart redrawn.
SelectionOutcome FinishAsteroidManager(ChartViewState& state, std::size_t plottedCount,
                                       const AskYesNo& ask);
SelectionOutcome FinishCometManager(ChartViewState& state, std::size_t plottedCount,
                                    const AskYesNo& ask);

// OK of the label and presentation dialogs: the values are stored and the chart redrawn
// (the presentation also rebuilds the draw list, which leaves out bodies not plotted). A
// refused deep-sky label limit keeps the dialog open: the message comes back and nothing is
// stored.
SelectionOutcome ApplyAsteroidLabels(ChartViewState& state, const AsteroidLabelsDialogModel& model);
SelectionOutcome ApplyDeepSkyLabels(ChartViewState& state, const DeepSkyLabelsDialogModel& model);
SelectionOutcome ApplyPlanetsPresentation(ChartViewState& state,
                                          const PlanetsPresentationDialogModel& model);

} // namespace chart
