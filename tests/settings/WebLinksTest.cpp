#include "settings/WebLinks.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using settings::WebPage;

constexpr WebPage kPages[] = {WebPage::Home, WebPage::Download, WebPage::Comets,
                              WebPage::Asteroids};

const fs::path kShippedData = SKYVANE_TEST_DATA_DIR "/../data";

TEST(WebLinks, EveryPageIsTheOneSiteAddressFollowedByItsPath) {
    const std::string site(settings::kWebSite);
    ASSERT_TRUE(site.starts_with("https://"));
    ASSERT_FALSE(site.ends_with("/")) << "the page paths bring their own slash";
    EXPECT_EQ(settings::WebPageAddress(WebPage::Home), site);
    EXPECT_EQ(settings::WebPageAddress(WebPage::Download), site + "/downloads.htm");
    EXPECT_EQ(settings::WebPageAddress(WebPage::Comets), site + "/comets.htm");
    EXPECT_EQ(settings::WebPageAddress(WebPage::Asteroids), site + "/asteroids.htm");
    std::set<std::string> distinct;
    for (WebPage page : kPages)
        distinct.insert(settings::WebPageAddress(page));
    EXPECT_EQ(distinct.size(), std::size(kPages));
}

TEST(WebLinks, TheBaseDirectoryHoldsTheDataFolder) {
    EXPECT_EQ(settings::BaseDirectory("/opt/sky/data"), fs::path("/opt/sky"));
    EXPECT_EQ(settings::BaseDirectory("/opt/sky/data/"), fs::path("/opt/sky"));
    EXPECT_EQ(settings::BaseDirectory("/opt/sky/tests/../data"), fs::path("/opt/sky"));
    EXPECT_EQ(settings::BaseDirectory("data"), fs::path("."));
    EXPECT_EQ(settings::ScratchFilePath("/opt/sky"), fs::path("/opt/sky/tmp.html"));
}

TEST(WebLinks, TheScratchFileIsCreatedEmptyAndTruncatedButNeverRemoved) {
    testutil::TempDir dir("weblinks");
    const fs::path scratch = dir / "tmp.html";
    ASSERT_FALSE(fs::exists(scratch));
    EXPECT_TRUE(settings::WriteScratchFile(dir.path()));
    ASSERT_TRUE(fs::is_regular_file(scratch));
    EXPECT_EQ(fs::file_size(scratch), 0u);

    {
        std::ofstream out(scratch, std::ios::binary);
        out << "<html>left over from before</html>\n";
    }
    ASSERT_GT(fs::file_size(scratch), 0u);
    EXPECT_TRUE(settings::WriteScratchFile(dir.path()));
    ASSERT_TRUE(fs::is_regular_file(scratch));
    EXPECT_EQ(fs::file_size(scratch), 0u);
    // A second write of an empty file leaves it there, empty.
    EXPECT_TRUE(settings::WriteScratchFile(dir.path()));
    EXPECT_TRUE(fs::is_regular_file(scratch));
    EXPECT_EQ(fs::file_size(scratch), 0u);
    // Nothing else appears beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(WebLinks, AScratchFileThatCannotBeWrittenIsReportedWithoutHarm) {
    testutil::TempDir dir("weblinks");
    // A base directory that does not exist is not created.
    EXPECT_FALSE(settings::WriteScratchFile(dir / "missing"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
    // A base "directory" that is a file.
    { std::ofstream(dir / "plain") << "x"; }
    EXPECT_FALSE(settings::WriteScratchFile(dir / "plain"));
    EXPECT_EQ(testutil::readBytes(dir / "plain"), "x");
    // A folder in the scratch file's place stays, with what it holds.
    fs::create_directories(dir / "base" / "tmp.html");
    { std::ofstream(dir / "base" / "tmp.html" / "keep") << "k"; }
    EXPECT_FALSE(settings::WriteScratchFile(dir / "base"));
    EXPECT_EQ(testutil::readBytes(dir / "base" / "tmp.html" / "keep"), "k");
}

TEST(WebLinks, OnlyTheCatalogPagesOfferTheSourcesTheImportReads) {
    EXPECT_TRUE(settings::OrbitSources(WebPage::Home).empty());
    EXPECT_TRUE(settings::OrbitSources(WebPage::Download).empty());
    EXPECT_EQ(settings::OrbitSourcesMessage(WebPage::Home), "");
    EXPECT_EQ(settings::OrbitSourcesMessage(WebPage::Download), "");

    struct Expected {
        WebPage page;
        std::string_view mpcAddress; // the Minor Planet Center's file of that kind
        std::string_view mpcFile;    // the file the import reads
        std::string_view button;     // the manager's button that imports it
        std::string_view menu;
    };
    for (const Expected& e :
         {Expected{WebPage::Comets, "https://www.minorplanetcenter.net/iau/MPCORB/CometEls.txt",
                   "CometEls.txt", "Download catalogs...", "Comets"},
          Expected{WebPage::Asteroids, "https://www.minorplanetcenter.net/iau/MPCORB.html",
                   "MPCORB.DAT", "Obtain catalogs...", "Asteroids"}}) {
        SCOPED_TRACE(e.menu);
        const auto sources = settings::OrbitSources(e.page);
        ASSERT_EQ(sources.size(), 2u);
        EXPECT_EQ(sources[0].address, "https://ssd.jpl.nasa.gov/tools/sbdb_query.html");
        EXPECT_NE(sources[0].what.find("JSON"), std::string_view::npos);
        EXPECT_NE(sources[0].what.find("full_name"), std::string_view::npos);
        EXPECT_EQ(sources[1].address, e.mpcAddress);
        EXPECT_NE(sources[1].what.find(e.mpcFile), std::string_view::npos);

        const std::string message = settings::OrbitSourcesMessage(e.page);
        for (const auto& source : sources) {
            EXPECT_NE(message.find("<a href=\"" + std::string(source.address) + "\">"),
                      std::string::npos)
                << source.address;
            EXPECT_NE(message.find(source.name), std::string::npos);
        }
        EXPECT_NE(message.find(std::string(e.menu) + " &gt; Manage..."), std::string::npos);
        EXPECT_NE(message.find(e.button), std::string::npos);
    }
    // The comet message does not send the user to the asteroid file, nor the other way round.
    EXPECT_EQ(settings::OrbitSourcesMessage(WebPage::Comets).find("MPCORB.DAT"), std::string::npos);
    EXPECT_EQ(settings::OrbitSourcesMessage(WebPage::Asteroids).find("CometEls"),
              std::string::npos);
}

TEST(WebLinks, TheUserGuideShipsInTheDataFolderWithEverySection) {
    const fs::path guide = settings::HelpGuidePath(kShippedData);
    EXPECT_EQ(guide.filename(), "index.html");
    EXPECT_EQ(guide.parent_path().filename(), "help");
    ASSERT_TRUE(fs::is_regular_file(guide)) << guide;
    const std::string html = testutil::readBytes(guide);
    for (std::string_view heading :
         {"Getting started", "The chart", "Finding objects", "Object properties", "Time",
          "Ephemeris tables", "Printing", "Catalogues and their data",
          "The command-line twin skyvane-cli"}) {
        std::string h2 = ">";
        h2.append(heading).append("</h2>");
        EXPECT_NE(html.find(h2), std::string::npos) << heading;
    }
    // Every section is reachable from the table of contents.
    for (std::string_view id : {"getting-started", "chart", "finding", "properties", "time",
                                "ephemeris", "printing", "catalogues", "cli"}) {
        EXPECT_NE(html.find("href=\"#" + std::string(id) + "\""), std::string::npos) << id;
        EXPECT_NE(html.find("id=\"" + std::string(id) + "\""), std::string::npos) << id;
    }
    // Self-contained: nothing is fetched from elsewhere when it opens.
    EXPECT_EQ(html.find("<link"), std::string::npos);
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("@import"), std::string::npos);
    // The data sources of the shipped catalogues are named.
    for (std::string_view source :
         {"Hipparcos", "Tycho-2", "NGC 2000.0", "Small-Body Database", "BSD-3-Clause", "GPL-2"})
        EXPECT_NE(html.find(source), std::string::npos) << source;
}

TEST(WebLinks, TheMissingGuideMessageNamesTheFile) {
    const std::string message = settings::HelpGuideMissingMessage("/x/data/help/index.html");
    EXPECT_NE(message.find("/x/data/help/index.html"), std::string::npos);
    EXPECT_NE(message.find("user guide"), std::string::npos);
}

} // namespace
