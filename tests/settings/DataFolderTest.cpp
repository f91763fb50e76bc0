// Where the program finds its catalogues: a folder given, ./data, or the installed folder
// beside the executable, the configured prefix or the source tree.
#include "settings/AppSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class DataFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("skyvane-datafolder-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "unpacked/usr/bin");
        std::ofstream(root / "unpacked/usr/bin/skyvane-cli") << "";
        fs::create_directories(root / "configured");
        fs::create_directories(root / "source");
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(DataFolder, AnUnpackedPackageReadsTheDataBesideItsExecutable) {
    const fs::path exe = root / "unpacked/usr/bin/skyvane-cli";
    EXPECT_EQ(settings::InstalledDataFolder(exe, root / "configured", root / "source"),
              root / "configured") << "no share/skyvane beside the executable yet";
    fs::create_directories(root / "unpacked/usr/share/skyvane");
    EXPECT_EQ(settings::InstalledDataFolder(exe, root / "configured", root / "source"),
              root / "unpacked/usr/share/skyvane");
    // A file of that name is not a data folder.
    fs::remove_all(root / "unpacked/usr/share/skyvane");
    std::ofstream(root / "unpacked/usr/share/skyvane") << "x";
    EXPECT_EQ(settings::InstalledDataFolder(exe, root / "nowhere", root / "source"),
              root / "source");
    EXPECT_EQ(settings::InstalledDataFolder({}, root / "nowhere", root / "source"),
              root / "source");
}

TEST_F(DataFolder, AGivenFolderThenTheWorkingDirectorysDataThenTheInstalledOne) {
    EXPECT_EQ(settings::FindDataFolder(root / "mine", root, root / "configured"), root / "mine");
    EXPECT_EQ(settings::FindDataFolder(std::nullopt, root, root / "configured"),
              root / "configured");
    fs::create_directories(root / "data");
    EXPECT_EQ(settings::FindDataFolder(std::nullopt, root, root / "configured"), root / "data");
}

TEST(RunningExecutable, IsThisTestProgram) {
    const fs::path self = settings::RunningExecutable();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(fs::is_regular_file(self));
    EXPECT_EQ(self.filename(), "skyvane_tests");
}

} // namespace
