#include "settings/RecentFiles.h"

#include <gtest/gtest.h>

namespace {

using settings::MemorySettingsStore;
using settings::RecentFiles;

TEST(RecentFiles, NewestFirstAtMostFourAndAReopenedFileMovesUp) {
    RecentFiles recent;
    for (const char* f : {"/a.skv", "/b.skv", "/c.skv", "/d.skv", "/e.skv"})
        recent.Add(f);
    EXPECT_EQ(recent.files(), (std::vector<std::string>{"/e.skv", "/d.skv", "/c.skv", "/b.skv"}));
    recent.Add("/c.skv");
    EXPECT_EQ(recent.files(), (std::vector<std::string>{"/c.skv", "/e.skv", "/d.skv", "/b.skv"}));
    recent.Remove("/e.skv");
    recent.Add("");
    EXPECT_EQ(recent.files(), (std::vector<std::string>{"/c.skv", "/d.skv", "/b.skv"}));
}

TEST(RecentFiles, SurviveTheStoreWithEmptySlotsAndDuplicatesSkipped) {
    MemorySettingsStore store;
    RecentFiles recent;
    recent.Add("/one.skv");
    recent.Add("/two.skv");
    recent.Save(store);
    EXPECT_EQ(store.getString("Recent File List", "File1", "?"), "/two.skv");
    EXPECT_EQ(store.getString("Recent File List", "File3", "?"), "");

    store.writeString("Recent File List", "File3", "/two.skv"); // a hand-edited duplicate
    store.writeInt("Recent File List", "File4", 7);              // and a value of the wrong type
    RecentFiles again;
    again.Load(store);
    EXPECT_EQ(again.files(), (std::vector<std::string>{"/two.skv", "/one.skv"}));
}

} // namespace
