#include "app/Commands.h"

namespace app {

namespace {

// In the order of the enumeration.
constexpr CommandInfo kCommands[] = {
    {Cmd::FileNew, "&New", "Create a new chart", true},
    {Cmd::FileOpen, "&Open...", "Open an existing chart", true},
    {Cmd::FileClose, "&Close", "Close the active chart", true},
    {Cmd::FileSave, "&Save", "Save the active chart", true},
    {Cmd::FileSaveAs, "Save &As...", "Save the active chart with a new name", true},
    {Cmd::FilePrint, "&Print...", "Print the active chart", true},
    {Cmd::FilePrintPreview, "Print Pre&view", "Display full pages", true},
    {Cmd::FilePrintSetup, "P&rint Setup...", "Change the printer and printing options", true},
    {Cmd::FileExit, "E&xit", "Quit the application", true},
    {Cmd::ColorsFonts, "Colors && &Fonts Preferences...", "Colors and fonts of the chart", true},
    {Cmd::AdornedDialogs, "A&dorned Dialogs", "Textured dialog backgrounds", true},
    {Cmd::ToolbarMain, "&Main", "Show or hide the main toolbar", true},
    {Cmd::ToolbarRotation, "&Rotation", "Show or hide the rotation toolbar", true},
    {Cmd::ToolbarObjects, "&Objects", "Show or hide the objects toolbar", true},
    {Cmd::StatusShow, "&Show", "Show or hide the status bar", true},
    {Cmd::StatusStandard, "&Standard", "Standard status bar", true},
    {Cmd::StatusMinimal, "&Minimal", "Minimal status bar", true},
    {Cmd::StatusArrange, "&Arrange", "Arrange the status panes", true},
    {Cmd::StatusProperties, "&Properties...", "Status panes properties", true},
    {Cmd::ZoomIn, "Zoom &In", "Zoom in", true},
    {Cmd::ZoomOut, "Zoom &Out", "Zoom out", true},
    {Cmd::ZoomDialog, "&Zoom...", "Zoom", true},
    {Cmd::SearchConstellation, "&Constellation...", "Find a constellation", true},
    {Cmd::SearchStar, "&Star...", "Find a star", true},
    {Cmd::SearchPlanet, "&Planet...", "Find a planet", true},
    {Cmd::SearchAsteroid, "&Asteroid...", "Find an asteroid", true},
    {Cmd::SearchComet, "Co&met...", "Find a comet", true},
    {Cmd::SearchDeepSky, "&Deep Sky Object...", "Find a deep sky object", true},
    {Cmd::ViewStandard, "&Standard View", "Standard View", true},
    {Cmd::ViewTrue, "&True View", "True View", true},
    {Cmd::ViewRed, "&Red View", "Red View", true},
    {Cmd::ViewBlackWhite, "&Black&&White View", "Black&White View", true},
    {Cmd::OnlyVisiblePart, "Draw &Only Visible Part", "Draw only the sky above the horizon", true},
    {Cmd::RotateEquatorial, "&Equatorial Poles", "Equatorial rotation", true},
    {Cmd::RotateAzimuthal, "&Azimuthal Poles", "Azimuthal rotation", true},
    {Cmd::RotateEcliptic, "E&cliptic Poles", "Ecliptical rotation", true},
    {Cmd::ObservingPlace, "Observing &Place...", "Observing place", true},
    {Cmd::GridProperties, "&Properties...", "Grid properties", true},
    {Cmd::GridEquatorial, "&Equatorial", "Equatorial grid", true},
    {Cmd::GridAzimuthal, "&Azimuthal", "Azimuthal grid", true},
    {Cmd::GridEcliptic, "E&cliptic", "Ecliptical grid", true},
    {Cmd::ShortProperties, "&Short Object Properties", "Short object properties", true},
    {Cmd::TimeSpecifying, "&Specifying...", "Set the chart time", true},
    {Cmd::TimePace, "&Pace...", "Pace of time", true},
    {Cmd::UpdateNow, "&Update Now", "Update now", true},
    {Cmd::AutoUpdate, "Au&to Update Mode", "Auto update mode", true},
    {Cmd::AutoUpdatePeriod, "&Auto Update Period...", "Auto update period", true},
    {Cmd::DrawBoundaries, "Draw &Boundaries", "Constallation boundaries", true},
    {Cmd::DrawFigures, "Draw &Figures", "Constellation figures", true},
    {Cmd::DrawNames, "Draw &Names", "Constellation names", true},
    {Cmd::LockWithFigures, "&Lock With Figures", "Names follow the figures", true},
    {Cmd::AbbreviatedNames, "&Abbr. Names", "Abbreviated names", true},
    {Cmd::FullNames, "&Full Names", "Full names", true},
    {Cmd::AutoMagnitude, "&Automatic Magnitude Limit", "Magnitude limit follows the zoom", true},
    {Cmd::MagnitudeLimit, "&Magnitude Limit...", "Star magnitudes", true},
    {Cmd::StarLabels, "Draw &Labels", "Star labels", true},
    {Cmd::LabelsPresentation, "Labels &Presentation...", "Star labels presentation", true},
    {Cmd::PlanetsPresentation, "&Presentation...", "Planets presentation", true},
    {Cmd::CentreSun, "&Centre", "Sun", true},
    {Cmd::CentreMoon, "&Centre", "Moon", true},
    {Cmd::CentreMercury, "&Centre", "Mercury", true},
    {Cmd::CentreVenus, "&Centre", "Venus", true},
    {Cmd::CentreMars, "&Centre", "Mars", true},
    {Cmd::CentreJupiter, "&Centre", "Jupiter", true},
    {Cmd::CentreSaturn, "&Centre", "Saturn", true},
    {Cmd::CentreUranus, "&Centre", "Uranus", true},
    {Cmd::CentreNeptune, "&Centre", "Neptune", true},
    {Cmd::CentrePluto, "&Centre", "Pluto", true},
    {Cmd::EphemerisSun, "&Ephemeris...", "Ephemeris of the Sun", true},
    {Cmd::EphemerisMoon, "&Ephemeris...", "Ephemeris of the Moon", true},
    {Cmd::EphemerisMercury, "&Ephemeris...", "Ephemeris of Mercury", true},
    {Cmd::EphemerisVenus, "&Ephemeris...", "Ephemeris of Venus", true},
    {Cmd::EphemerisMars, "&Ephemeris...", "Ephemeris of Mars", true},
    {Cmd::EphemerisJupiter, "&Ephemeris...", "Ephemeris of Jupiter", true},
    {Cmd::EphemerisSaturn, "&Ephemeris...", "Ephemeris of Saturn", true},
    {Cmd::EphemerisUranus, "&Ephemeris...", "Ephemeris of Uranus", true},
    {Cmd::EphemerisNeptune, "&Ephemeris...", "Ephemeris of Neptune", true},
    {Cmd::EphemerisPluto, "&Ephemeris...", "Ephemeris of Pluto", true},
    {Cmd::TrailSun, "&Trail...", "Trail of the Sun", true},
    {Cmd::TrailMoon, "&Trail...", "Trail of the Moon", true},
    {Cmd::TrailMercury, "&Trail...", "Trail of Mercury", true},
    {Cmd::TrailVenus, "&Trail...", "Trail of Venus", true},
    {Cmd::TrailMars, "&Trail...", "Trail of Mars", true},
    {Cmd::TrailJupiter, "&Trail...", "Trail of Jupiter", true},
    {Cmd::TrailSaturn, "&Trail...", "Trail of Saturn", true},
    {Cmd::TrailUranus, "&Trail...", "Trail of Uranus", true},
    {Cmd::TrailNeptune, "&Trail...", "Trail of Neptune", true},
    {Cmd::TrailPluto, "&Trail...", "Trail of Pluto", true},
    {Cmd::AsteroidsPlot, "&Plot", "Plot asteroids", true},
    {Cmd::AsteroidsLabels, "&Labels...", "Asteroid labels", true},
    {Cmd::AsteroidsManage, "&Manage...", "Manage asteroids", true},
    {Cmd::CometsPlot, "&Plot", "Plot comets", true},
    {Cmd::CometsLabels, "Draw &Labels", "Comet labels", true},
    {Cmd::CometsManage, "&Manage...", "Manage comets", true},
    {Cmd::DeepSkyPlot, "&Plot", "Plot deep sky objects", true},
    {Cmd::DeepSkyManage, "&Manage...", "Manage deep sky objects", true},
    {Cmd::DeepSkyLabels, "Draw &Labels", "Deep sky labels", true},
    {Cmd::DeepSkyLabelsDialog, "&Labels...", "Deep sky objects labels", true},
    {Cmd::Trails, "T&rails...", "Object trails", true},
    {Cmd::MoveLeft, "&Left", "Left", true},
    {Cmd::MoveUp, "&Up", "Up", true},
    {Cmd::MoveRight, "&Right", "Right", true},
    {Cmd::MoveDown, "&Down", "Down", true},
    {Cmd::North, "&North", "North", true},
    {Cmd::East, "&East", "East", true},
    {Cmd::South, "&South", "South", true},
    {Cmd::West, "&West", "West", true},
    {Cmd::Zenith, "&Zenith", "Zenith", true},
    {Cmd::Nadir, "N&adir", "Nadir", true},
    {Cmd::WindowNew, "&New Window", "Open another window for the active chart", true},
    {Cmd::WindowCascade, "&Cascade", "Arrange windows so they overlap", true},
    {Cmd::WindowTile, "&Tile", "Arrange windows as non-overlapping tiles", true},
    {Cmd::WindowArrangeIcons, "&Arrange Icons", "Arrange icons at the bottom of the window", true},
    {Cmd::HelpTopics, "&Help Topics", "List Help topics", true},
    {Cmd::HelpAbout, "&About Skyvane...", "Display program information", true},
    {Cmd::WebHome, "&Home Page...", "The program's home page", true},
    {Cmd::WebDownload, "&Download Area...", "Download area", true},
    {Cmd::WebComets, "Latest &Comet Catalogs...", "Latest comet catalogs", true},
    {Cmd::WebAsteroids, "Latest &Asteroid Catalogs...", "Latest asteroid catalogs", true},
};

static_assert(std::size(kCommands) == kCommandCount, "one entry per command");

constexpr bool inOrder() {
    for (std::size_t i = 0; i < kCommandCount; ++i)
        if (static_cast<std::size_t>(kCommands[i].id) != i)
            return false;
    return true;
}
static_assert(inOrder(), "entries in the order of the enumeration");

} // namespace

const CommandInfo& commandInfo(Cmd id) {
    return kCommands[static_cast<std::size_t>(id)];
}

const std::array<BodyCommands, 10>& bodyCommands() {
    static const std::array<BodyCommands, 10> kBodies = {{
        {"Sun", 0, Cmd::CentreSun, Cmd::EphemerisSun, Cmd::TrailSun},
        {"Moon", 3, Cmd::CentreMoon, Cmd::EphemerisMoon, Cmd::TrailMoon},
        {"Mercury", 1, Cmd::CentreMercury, Cmd::EphemerisMercury, Cmd::TrailMercury},
        {"Venus", 2, Cmd::CentreVenus, Cmd::EphemerisVenus, Cmd::TrailVenus},
        {"Mars", 4, Cmd::CentreMars, Cmd::EphemerisMars, Cmd::TrailMars},
        {"Jupiter", 5, Cmd::CentreJupiter, Cmd::EphemerisJupiter, Cmd::TrailJupiter},
        {"Saturn", 6, Cmd::CentreSaturn, Cmd::EphemerisSaturn, Cmd::TrailSaturn},
        {"Uranus", 7, Cmd::CentreUranus, Cmd::EphemerisUranus, Cmd::TrailUranus},
        {"Neptune", 8, Cmd::CentreNeptune, Cmd::EphemerisNeptune, Cmd::TrailNeptune},
        {"Pluto", 9, Cmd::CentrePluto, Cmd::EphemerisPluto, Cmd::TrailPluto},
    }};
    return kBodies;
}

} // namespace app
