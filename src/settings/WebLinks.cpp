#include "settings/WebLinks.h"

#include <array>
#include <fstream>
#include <system_error>

namespace settings {

namespace {

constexpr std::array kCometSources = {
    OrbitSource{"JPL Small-Body Database", "https://ssd.jpl.nasa.gov/tools/sbdb_query.html",
                "a search limited to comets, exported as JSON with the fields full_name, tp, q, "
                "e, i, w, om and, when available, M1 or H"},
    OrbitSource{"Minor Planet Center", "https://www.minorplanetcenter.net/iau/MPCORB/CometEls.txt",
                "the comet elements file CometEls.txt"},
};

constexpr std::array kAsteroidSources = {
    OrbitSource{"JPL Small-Body Database", "https://ssd.jpl.nasa.gov/tools/sbdb_query.html",
                "a search limited to asteroids, exported as JSON with the fields full_name, "
                "epoch_mjd, e, a, i, om, w, ma and, when available, H and G"},
    OrbitSource{"Minor Planet Center", "https://www.minorplanetcenter.net/iau/MPCORB.html",
                "the orbit file MPCORB.DAT"},
};

} // namespace

std::string_view WebPagePath(WebPage page) {
    switch (page) {
    case WebPage::Home:
        return "";
    case WebPage::Download:
        return "/downloads.htm";
    case WebPage::Comets:
        return "/comets.htm";
    case WebPage::Asteroids:
        return "/asteroids.htm";
    }
    return "";
}

std::string WebPageAddress(WebPage page) {
    std::string address(kWebSite);
    address += WebPagePath(page);
    return address;
}

std::filesystem::path BaseDirectory(const std::filesystem::path& dataFolder) {
    std::filesystem::path folder = dataFolder.lexically_normal();
    if (!folder.has_filename())
        folder = folder.parent_path();
    std::filesystem::path base = folder.parent_path();
    return base.empty() ? std::filesystem::path(".") : base;
}

std::filesystem::path ScratchFilePath(const std::filesystem::path& baseDirectory) {
    return baseDirectory / kScratchFileName;
}

bool WriteScratchFile(const std::filesystem::path& baseDirectory) {
    const std::filesystem::path path = ScratchFilePath(baseDirectory);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::ofstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out.is_open())
        return false;
    out.close();
    return !out.fail();
}

std::span<const OrbitSource> OrbitSources(WebPage page) {
    switch (page) {
    case WebPage::Comets:
        return kCometSources;
    case WebPage::Asteroids:
        return kAsteroidSources;
    case WebPage::Home:
    case WebPage::Download:
        break;
    }
    return {};
}

std::string OrbitSourcesMessage(WebPage page) {
    const std::span<const OrbitSource> sources = OrbitSources(page);
    if (sources.empty())
        return {};
    const bool comets = page == WebPage::Comets;
    std::string text = "<p>Skyvane can also make its ";
    text += comets ? "comet" : "asteroid";
    text += " catalogue from the public orbital elements:</p><ul>";
    for (const OrbitSource& source : sources) {
        text += "<li><a href=\"";
        text += source.address;
        text += "\">";
        text += source.name;
        text += "</a>: ";
        text += source.what;
        text += ".</li>";
    }
    text += "</ul><p>Import the downloaded file with Objects &gt; ";
    text += comets ? "Comets" : "Asteroids";
    text += " &gt; Manage... and the button \"";
    text += comets ? "Download catalogs..." : "Obtain catalogs...";
    text += "\".</p>";
    return text;
}

std::filesystem::path HelpGuidePath(const std::filesystem::path& dataFolder) {
    return dataFolder / "help" / "index.html";
}

std::string HelpGuideMissingMessage(const std::filesystem::path& guide) {
    return "The user guide could not be found.\n\nIt should be the file\n" + guide.string() +
           "\nin the program's data folder.";
}

} // namespace settings
