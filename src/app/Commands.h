#pragma once

#include <array>
#include <string_view>

namespace app {

// Every command of the menus and toolbars.
enum class Cmd {
    // File
    FileNew,
    FileOpen,
    FileClose,
    FileSave,
    FileSaveAs,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    FileExit,
    // View
    ColorsFonts,
    AdornedDialogs,
    ToolbarMain,
    ToolbarRotation,
    ToolbarObjects,
    StatusShow,
    StatusStandard,
    StatusMinimal,
    StatusArrange,
    StatusProperties,
    ZoomIn,
    ZoomOut,
    ZoomDialog,
    // Search
    SearchConstellation,
    SearchStar,
    SearchPlanet,
    SearchAsteroid,
    SearchComet,
    SearchDeepSky,
    // Options
    ViewStandard,
    ViewTrue,
    ViewRed,
    ViewBlackWhite,
    OnlyVisiblePart,
    RotateEquatorial,
    RotateAzimuthal,
    RotateEcliptic,
    ObservingPlace,
    GridProperties,
    GridEquatorial,
    GridAzimuthal,
    GridEcliptic,
    ShortProperties,
    // Time
    TimeSpecifying,
    TimePace,
    UpdateNow,
    AutoUpdate,
    AutoUpdatePeriod,
    // Objects
    DrawBoundaries,
    DrawFigures,
    DrawNames,
    LockWithFigures,
    AbbreviatedNames,
    FullNames,
    AutoMagnitude,
    MagnitudeLimit,
    StarLabels,
    LabelsPresentation,
    PlanetsPresentation,
    CentreSun,
    CentreMoon,
    CentreMercury,
    CentreVenus,
    CentreMars,
    CentreJupiter,
    CentreSaturn,
    CentreUranus,
    CentreNeptune,
    CentrePluto,
    EphemerisSun,
    EphemerisMoon,
    EphemerisMercury,
    EphemerisVenus,
    EphemerisMars,
    EphemerisJupiter,
    EphemerisSaturn,
    EphemerisUranus,
    EphemerisNeptune,
    EphemerisPluto,
    TrailSun,
    TrailMoon,
    TrailMercury,
    TrailVenus,
    TrailMars,
    TrailJupiter,
    TrailSaturn,
    TrailUranus,
    TrailNeptune,
    TrailPluto,
    AsteroidsPlot,
    AsteroidsLabels,
    AsteroidsManage,
    CometsPlot,
    CometsLabels,
    CometsManage,
    DeepSkyPlot,
    DeepSkyManage,
    DeepSkyLabels,
    DeepSkyLabelsDialog,
    Trails,
    // Rotation toolbar moves
    MoveLeft,
    MoveUp,
    MoveRight,
    MoveDown,
    North,
    East,
    South,
    West,
    Zenith,
    Nadir,
    // Window and Help
    WindowNew,
    WindowCascade,
    WindowTile,
    WindowArrangeIcons,
    HelpTopics,
    HelpAbout,
    WebHome,
    WebDownload,
    WebComets,
    WebAsteroids,
    Count
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Cmd::Count);

struct CommandInfo {
    Cmd id;
    std::string_view text;    // menu text with its & accelerator
    std::string_view tooltip; // toolbar tooltip and status-bar prompt
    // False for commands whose feature the program does not have yet: shown, disabled.
    bool available;
};

const CommandInfo& commandInfo(Cmd id);

// The ten bodies in menu order and their library ids (0 Sun, 1 Mercury, 2 Venus, 3 Moon,
// 4 Mars .. 9 Pluto).
struct BodyCommands {
    std::string_view name;
    int libraryId;
    Cmd centre;
    Cmd ephemeris;
    Cmd trail;
};
const std::array<BodyCommands, 10>& bodyCommands();

} // namespace app
