#include "catalog/DataFiles.h"
#include "catalog/Catalogues.h"
#include "catalog/TychoStore.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using catalog::FileState;

namespace {

const fs::path kData = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";

// The shipped catalogue files and the manifest, copied where a test may damage them.
testutil::TempDir copyOfData() {
    testutil::TempDir dir("data");
    for (const fs::directory_entry& e : fs::directory_iterator(kData))
        if (e.is_regular_file())
            fs::copy_file(e.path(), dir / e.path().filename());
    return dir;
}

void cutTo(const fs::path& file, std::uintmax_t size) {
    fs::resize_file(file, size);
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

const catalog::FileCheck* checkOf(const std::vector<catalog::FileCheck>& checks,
                                  const std::string& name) {
    const auto it = std::find_if(checks.begin(), checks.end(),
                                 [&name](const catalog::FileCheck& c) { return c.name == name; });
    return it == checks.end() ? nullptr : &*it;
}

bool names(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&text](const std::string& l) { return l.find(text) != std::string::npos; });
}

// A Tycho-2 index record: the first record of the region in each file, then the box.
std::string indexRecord(std::int32_t firstMain, std::int32_t firstSupplement) {
    std::string r(catalog::TychoStore::kIndexRecordSize, '\0');
    for (int i = 0; i < 4; ++i) {
        r[static_cast<std::size_t>(i)] = static_cast<char>((firstMain >> (8 * i)) & 0xff);
        r[static_cast<std::size_t>(4 + i)] = static_cast<char>((firstSupplement >> (8 * i)) & 0xff);
    }
    return r;
}

} // namespace

// The manifest committed with the data describes the files beside it: a data file rebuilt
// without `skyvane-data manifest` fails here.
TEST(DataFiles, ShippedFolderMatchesItsManifest) {
    const std::optional<catalog::Manifest> manifest = catalog::ReadManifest(kData);
    ASSERT_TRUE(manifest.has_value());
    EXPECT_EQ(manifest->badLines, 0u);
    EXPECT_GE(manifest->entries.size(), 12u);
    for (const catalog::FileCheck& c : catalog::CheckDataFolder(kData, true))
        EXPECT_EQ(c.state, FileState::Ok) << c.name << ": " << c.detail;
    const catalog::Catalogues::Report report = catalog::Catalogues().LoadAll(kData);
    EXPECT_TRUE(report.damaged.empty()) << report.damaged.front();
}

TEST(DataFiles, DamageMessagesNameTheFileAndTheFault) {
    EXPECT_EQ(catalog::RecordSizeDamage("SKY2000_data.skd", 3785900, 64),
              "SKY2000_data.skd is damaged: its size, 3785900 bytes, is not a whole number of "
              "64-byte records");
    EXPECT_EQ(catalog::RecordSizeDamage("Constellations.skd", 87 * 112, 112, 88),
              "Constellations.skd is damaged: it holds 87 records where 88 belong");
    EXPECT_EQ(catalog::RecordSizeDamage("Figures.skd", 0, 40), "");
    EXPECT_EQ(catalog::RecordSizeDamage("Figures.skd", 400, 40), "");
    // A missing file is no damage: the loaders tell it their own way.
    EXPECT_EQ(catalog::RecordFileDamage("/nonexistent/Figures.skd", 40), "");
}

TEST(DataFiles, Sha256OfTheStandardVectors) {
    EXPECT_EQ(catalog::Sha256OfBytes(""),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(catalog::Sha256OfBytes("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    testutil::TempDir dir("sha");
    writeBytes(dir / "abc", "abc");
    EXPECT_EQ(catalog::Sha256OfFile(dir / "abc"), catalog::Sha256OfBytes("abc"));
    EXPECT_EQ(catalog::Sha256OfFile(dir / "absent"), "");
}

// A file cut in the middle of a record is named at start-up; the whole records before the
// cut are read and every other catalogue loads as usual.
TEST(DataFiles, FileCutMidRecordIsNamedAndTheRestLoads) {
    const testutil::TempDir dir = copyOfData();
    const catalog::Catalogues::Report whole = catalog::Catalogues().LoadAll(dir.path());
    cutTo(dir / "SKY2000_data.skd", fs::file_size(dir / "SKY2000_data.skd") / 2 + 28);
    catalog::Catalogues c;
    const catalog::Catalogues::Report report = c.LoadAll(dir.path());
    EXPECT_TRUE(report.starError.empty());
    ASSERT_EQ(report.damaged.size(), 1u) << report.damaged.back();
    EXPECT_NE(
        report.damaged[0].find((dir / "SKY2000_data.skd").string() + " is damaged: its size, "),
        std::string::npos)
        << report.damaged[0];
    EXPECT_GT(c.stars.catalogStars().size(), 1000u);
    EXPECT_EQ(c.constellations.entries().size(), 88u);
    EXPECT_GT(c.places.size(), 200u);
    EXPECT_GT(c.deepSky.objects().size(), 10000u);
    EXPECT_EQ(report.problems.size(), whole.problems.size());
    // The start-up message lists it.
    const std::string message = catalog::DamagedFilesMessage(report.damaged);
    EXPECT_NE(message.find(report.damaged[0]), std::string::npos);
    EXPECT_EQ(catalog::DamagedFilesMessage({}), "");
}

// Cut at a record boundary the file looks whole; the size the manifest lists gives it away.
// One byte changed keeps the size: start-up says nothing, check-data calls it changed.
TEST(DataFiles, ManifestCatchesABoundaryCutAndAChangedByte) {
    const testutil::TempDir dir = copyOfData();
    const std::uintmax_t full = fs::file_size(dir / "Boundaries.skd");
    cutTo(dir / "Boundaries.skd", full - 10 * 24);
    {
        std::fstream f(dir / "ngc2000.skd", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(100);
        f.put('X');
    }
    catalog::Catalogues c;
    const catalog::Catalogues::Report report = c.LoadAll(dir.path());
    ASSERT_EQ(report.damaged.size(), 1u) << report.damaged.back();
    EXPECT_EQ(report.damaged[0], (dir / "Boundaries.skd").string() + " is damaged: it has " +
                                     std::to_string(full - 240) + " bytes where " +
                                     std::to_string(full) + " belong");
    EXPECT_GT(c.constellations.outlines().size(), 80u);

    const std::vector<catalog::FileCheck> checks = catalog::CheckDataFolder(dir.path(), true);
    ASSERT_NE(checkOf(checks, "Boundaries.skd"), nullptr);
    EXPECT_EQ(checkOf(checks, "Boundaries.skd")->state, FileState::Damaged);
    ASSERT_NE(checkOf(checks, "ngc2000.skd"), nullptr);
    EXPECT_EQ(checkOf(checks, "ngc2000.skd")->state, FileState::Changed);
    EXPECT_EQ(checkOf(checks, "Figures.skd")->state, FileState::Ok);
    // Without checksums the changed byte passes.
    EXPECT_EQ(checkOf(catalog::CheckDataFolder(dir.path(), false), "ngc2000.skd")->state,
              FileState::Ok);
}

// A missing file keeps its old behaviour at start-up (its list stays empty, no damage);
// check-data calls it missing.
TEST(DataFiles, MissingFileIsMissingNotDamaged) {
    const testutil::TempDir dir = copyOfData();
    fs::remove(dir / "Figures.skd");
    catalog::Catalogues c;
    const catalog::Catalogues::Report report = c.LoadAll(dir.path());
    EXPECT_TRUE(report.damaged.empty());
    EXPECT_EQ(c.constellations.entries().size(), 88u);
    const std::vector<catalog::FileCheck> checks = catalog::CheckDataFolder(dir.path(), false);
    ASSERT_NE(checkOf(checks, "Figures.skd"), nullptr);
    EXPECT_EQ(checkOf(checks, "Figures.skd")->state, FileState::Missing);
    // The files not copied (the sub-folders) are missing too; the record files are not.
    EXPECT_EQ(checkOf(checks, "help/index.html")->state, FileState::Missing);
    EXPECT_EQ(checkOf(checks, "places.skd")->state, FileState::Ok);
}

// Files with a known number of records: the 88 constellations, the 297 permanent places.
// Without a manifest the count still tells.
TEST(DataFiles, KnownCountsAndTheAddedPlaces) {
    const testutil::TempDir dir = copyOfData();
    fs::remove(dir / catalog::kManifestFile);
    cutTo(dir / "Constellations.skd", 87 * 112);
    // The added places with half a record after a whole one.
    std::string added(128 + 64, '\0');
    writeBytes(dir / catalog::PlaceList::kUserFile, added);
    catalog::Catalogues c;
    const catalog::Catalogues::Report report = c.LoadAll(dir.path());
    EXPECT_TRUE(names(report.damaged,
                      "Constellations.skd is damaged: it holds 87 records where 88 belong"));
    EXPECT_TRUE(names(report.damaged, "AddFixedPlaces.skd is damaged: its size, 192 bytes"));
    EXPECT_EQ(report.damaged.size(), 2u);
    EXPECT_EQ(c.constellations.entries().size(), 87u);
    EXPECT_EQ(c.places.size(), 297u + 1u);

    // The names file cut at a record boundary: the catalogue refers past its end.
    cutTo(dir / "bright_data.skd", 100 * 36);
    const catalog::Catalogues::Report cut = catalog::Catalogues().LoadAll(dir.path());
    EXPECT_TRUE(names(cut.damaged, "bright_data.skd is damaged: it holds 100 records where "
                                   "SKY2000_data.skd refers to "))
        << cut.damaged.front();
    EXPECT_EQ(cut.damaged.size(), 3u);
}

// A user's converted Tycho-2 is outside the manifest and is held to its index: a region
// file with fewer records than the index's closing record lists is damaged.
TEST(DataFiles, ConvertedTycho2IsCheckedByItsIndex) {
    const testutil::TempDir dir = copyOfData();
    writeBytes(dir / catalog::TychoStore::kMainFile, std::string(20 * 30, '\0'));
    writeBytes(dir / catalog::TychoStore::kSupplementFile, std::string(20 * 4, '\0'));
    // One region of 30 + 4 records, then the closing record.
    writeBytes(dir / catalog::TychoStore::kIndexFile, indexRecord(1, 1) + indexRecord(31, 5));
    EXPECT_TRUE(catalog::TychoStore::CheckFiles(dir.path()).empty());
    std::vector<catalog::FileCheck> checks = catalog::CheckDataFolder(dir.path(), false);
    ASSERT_NE(checkOf(checks, "tycho_2.skd"), nullptr);
    EXPECT_EQ(checkOf(checks, "tycho_2.skd")->state, FileState::Ok);
    EXPECT_NE(checkOf(checks, "tycho_2.skd")->detail.find("not in the manifest"),
              std::string::npos);

    cutTo(dir / catalog::TychoStore::kMainFile, 20 * 25);
    catalog::Catalogues c;
    const catalog::Catalogues::Report report = c.LoadAll(dir.path());
    ASSERT_EQ(report.damaged.size(), 1u) << report.damaged.back();
    EXPECT_EQ(report.damaged[0], (dir / "tycho_2.skd").string() +
                                     " is damaged: it holds 25 records where "
                                     "tycho_2_index.skd lists 30");
    EXPECT_EQ(c.stars.tycho().TychoAvailable(), 1);
    EXPECT_EQ(c.stars.tycho().region(0).count[0], 25);
    checks = catalog::CheckDataFolder(dir.path(), false);
    EXPECT_EQ(checkOf(checks, "tycho_2.skd")->state, FileState::Damaged);
    EXPECT_EQ(checkOf(checks, "supply_1.skd")->state, FileState::Ok);

    // Half a record at the end of the index.
    writeBytes(dir / catalog::TychoStore::kIndexFile,
               indexRecord(1, 1) + indexRecord(26, 5) + "abc");
    const std::vector<std::string> damage = catalog::TychoStore::CheckFiles(dir.path(), false);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].rfind("tycho_2_index.skd is damaged: its size, 83 bytes", 0), 0u);
}

// A manifest is input like any other: only well-formed lines are entries.
TEST(DataFiles, HostileManifestLinesAreSkipped) {
    testutil::TempDir dir("manifest");
    const std::string digest(64, 'a');
    writeBytes(dir / catalog::kManifestFile,
               "# comment\n\n" + digest + " 10 good.skd\r\n" + digest +
                   " 12 sub/dir/file name.txt\n" + digest.substr(1) + " 10 short-digest\n" +
                   std::string(64, 'G') + " 1 not-hex\n" + digest + " -5 negative\n" + digest +
                   " 99999999999999999999999 overflow\n" + digest + " 10 ../outside\n" + digest +
                   " 10 /etc/passwd\n" + digest + " 10 a/./b\n" + digest + " 10\n" + digest +
                   " x10 letters\n");
    const std::optional<catalog::Manifest> m = catalog::ReadManifest(dir.path());
    ASSERT_TRUE(m.has_value());
    ASSERT_EQ(m->entries.size(), 2u);
    EXPECT_EQ(m->entries[0].name, "good.skd");
    EXPECT_EQ(m->entries[0].size, 10u);
    EXPECT_EQ(m->entries[1].name, "sub/dir/file name.txt");
    EXPECT_EQ(m->badLines, 9u);

    // An absurdly large manifest is not read at all.
    writeBytes(dir / catalog::kManifestFile, std::string((1 << 20) + 1, '#'));
    const std::optional<catalog::Manifest> big = catalog::ReadManifest(dir.path());
    ASSERT_TRUE(big.has_value());
    EXPECT_TRUE(big->entries.empty());
    EXPECT_EQ(big->badLines, 1u);
    EXPECT_FALSE(catalog::ReadManifest(dir / "absent").has_value());
}

// What the manifest leaves out: itself, the sources, the user's Tycho-2 and added places.
TEST(DataFiles, BuiltManifestListsTheShippedFilesOnly) {
    testutil::TempDir dir("build");
    fs::create_directories(dir / "sources");
    fs::create_directories(dir / "help");
    writeBytes(dir / "sources" / "raw.dat", "raw");
    writeBytes(dir / "help" / "index.html", "<html>");
    writeBytes(dir / "Readme.txt", "read me");
    for (const char* user : {"tycho_2.skd", "supply_1.skd", "tycho_2_index.skd", "tycho_2_b.skd",
                             "AddFixedPlaces.skd", "temp1.skd", "MANIFEST"})
        writeBytes(dir / user, "x");
    const catalog::Manifest m = catalog::BuildManifest(dir.path());
    ASSERT_EQ(m.entries.size(), 2u);
    EXPECT_EQ(m.entries[0].name, "Readme.txt");
    EXPECT_EQ(m.entries[1].name, "help/index.html");
    EXPECT_EQ(m.entries[1].size, 6u);
    EXPECT_EQ(m.entries[1].sha256, catalog::Sha256OfBytes("<html>"));
    // Written and read back, it verifies the folder it was built from (the one-byte user
    // files gone: they would be checked as record files).
    for (const char* user : {"tycho_2.skd", "supply_1.skd", "tycho_2_index.skd", "tycho_2_b.skd",
                             "AddFixedPlaces.skd"})
        fs::remove(dir / user);
    writeBytes(dir / catalog::kManifestFile, catalog::FormatManifest(m));
    const std::optional<catalog::Manifest> back = catalog::ReadManifest(dir.path());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->entries.size(), 2u);
    EXPECT_EQ(back->badLines, 0u);
    for (const catalog::FileCheck& c : catalog::CheckDataFolder(dir.path(), true))
        EXPECT_EQ(c.state, FileState::Ok) << c.name;
}
