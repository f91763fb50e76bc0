#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The Help menu's web pages, the scratch file the web commands write, the public sources of
// orbital elements the minor-body import reads, and the user guide shipped with the program.
namespace settings {

// The program's web site. Every page address is formed from it; nothing else names it.
inline constexpr std::string_view kWebSite = "https://skyvane.example.org";

// The pages of the "On The Web" submenu.
enum class WebPage { Home, Download, Comets, Asteroids };

// The page's path on the site: "" for the root, "/downloads.htm", "/comets.htm",
// "/asteroids.htm".
std::string_view WebPagePath(WebPage page);
// The site address followed by the page's path.
std::string WebPageAddress(WebPage page);

// The base directory (the program folder): the folder that holds the data folder. A data
// folder given with a trailing separator counts as the same folder; one without a parent
// gives ".".
std::filesystem::path BaseDirectory(const std::filesystem::path& dataFolder);

// The scratch file every web command writes: "tmp.html" in the base directory.
inline constexpr std::string_view kScratchFileName = "tmp.html";
std::filesystem::path ScratchFilePath(const std::filesystem::path& baseDirectory);
// Creates the scratch file empty, or truncates it when it exists; it is never deleted.
// False when it cannot be written (a missing or read-only base directory, a folder of that
// name); nothing is thrown.
bool WriteScratchFile(const std::filesystem::path& baseDirectory);

// A public source of orbital elements that the asteroid or comet import reads.
struct OrbitSource {
    std::string_view name;    // who publishes it
    std::string_view address; // where to get it
    std::string_view what;    // what to download there and what the import needs of it
};
// The sources for the comet or the asteroid page; none for the other two pages.
std::span<const OrbitSource> OrbitSources(WebPage page);
// The message that offers them after the page has been opened: rich text (HTML) with one
// link per source and the way to import the downloaded file. Empty for a page without
// sources.
std::string OrbitSourcesMessage(WebPage page);

// The user guide: "help/index.html" in the data folder.
std::filesystem::path HelpGuidePath(const std::filesystem::path& dataFolder);
// What "Help Topics" says when the guide is not there.
std::string HelpGuideMissingMessage(const std::filesystem::path& guide);

} // namespace settings
