#include "catalog/DeepSky.h"

#include "catalog/Constellations.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using catalog::DsoCatalog;
using catalog::DsoFields;
using catalog::DsoObject;
using catalog::DsoSelectionSettings;
using catalog::ExpandDescription;

// One record of a deep-sky file, filled field by field at its offsets.
struct Record {
    explicit Record(std::size_t size) : bytes(size, 0) {}
    Record& text(std::size_t offset, std::string_view s) {
        std::copy(s.begin(), s.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return *this;
    }
    Record& f64(std::size_t offset, double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
        return *this;
    }
    Record& f32(std::size_t offset, float v) {
        const auto bits = std::bit_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
        return *this;
    }
    Record& i16(std::size_t offset, int v) {
        bytes[offset] = static_cast<unsigned char>(v & 0xFF);
        bytes[offset + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
        return *this;
    }
    std::vector<unsigned char> bytes;
};

Record objectRecord(std::string_view designation, std::string_view type, double ra, float dec,
                    std::string_view constellation, float size, float magnitude, int namesIndex,
                    int messier, std::string_view description) {
    Record r(catalog::kDsoRecordSize);
    r.text(0, designation).text(6, type).f64(16, ra).f32(24, dec).text(28, "s");
    r.text(29, constellation).f32(36, size).f32(40, magnitude).text(44, "p");
    r.text(45, description).i16(96, namesIndex);
    r.bytes[98] = static_cast<unsigned char>(messier);
    return r;
}

Record nameRecord(std::string_view name, std::string_view designation) {
    Record r(catalog::kDsoNameRecordSize);
    return r.text(0, name).text(42, designation);
}

void writeFile(const fs::path& file, const std::vector<Record>& records,
               std::size_t extraBytes = 0) {
    std::ofstream out(file, std::ios::binary);
    for (const Record& r : records)
        out.write(reinterpret_cast<const char*>(r.bytes.data()),
                  static_cast<std::streamsize>(r.bytes.size()));
    for (std::size_t i = 0; i < extraBytes; ++i)
        out.put('x');
}

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

DsoObject makeObject(std::string_view type, float size, float magnitude, int messier,
                     double ra = 6.0, double dec = 0.0) {
    DsoFields f;
    f.designation = "100";
    f.typeCode = type;
    f.ra = ra;
    f.dec = dec;
    f.size = size;
    f.magnitude = magnitude;
    f.messier = messier;
    return DsoObject(f);
}

const DsoObject* findMessier(const DsoCatalog& c, int messier) {
    for (const DsoObject& o : c.objects())
        if (o.messier() == messier)
            return &o;
    return nullptr;
}

// ---- descriptions ------------------------------------------------------------------------------

TEST(DsoDescription, ExpandsTheLongestAbbreviationAtEachPlace) {
    EXPECT_EQ(ExpandDescription("vF,S,R"), "very faint,small in angular size,round ");
    EXPECT_EQ(ExpandDescription("eF,vS,R,bM"),
              "extremely(excessively) faint,very small in angular size,round,brighter "
              "middle(in the middle) ");
    // "vv" is a key of its own, "vvF" is not: the scan resumes after "vv".
    EXPECT_EQ(ExpandDescription("vvF"), "_very_ faint ");
    EXPECT_EQ(ExpandDescription("!!!"), "a magnificent or otherwise interesting object ");
    // A run whose start matches nothing is copied; "*" is expanded before the digits.
    EXPECT_EQ(ExpandDescription("*10"), "a single star 10 ");
    EXPECT_EQ(ExpandDescription("F, S"), "faint, small in angular size ");
    EXPECT_EQ(ExpandDescription("pB, *10 f"),
              "pretty bright, a single star 10 following(eastward) ");
    // Blanks around the description are dropped; an empty one gives the appended blank.
    EXPECT_EQ(ExpandDescription("  vF,S,R   "), "very faint,small in angular size,round ");
    EXPECT_EQ(ExpandDescription(""), " ");
}

TEST(DsoDescription, PlainWordsAreNotTakenApartIntoAbbreviations) {
    // IC 434: "south" and "from" begin with keys ("s", "f", "r") but are words.
    EXPECT_EQ(ExpandDescription("neb, 60' l, south from zeta Ori"),
              "nebula, 60' little(long), south from zeta Ori ");
    EXPECT_EQ(ExpandDescription("vF, nr Alcyone"), "very faint, near Alcyone ");
    // Runs made of keys, with figures between them, are still expanded.
    EXPECT_EQ(ExpandDescription("eF,vS,R,bM"),
              "extremely(excessively) faint,very small in angular size,round,brighter "
              "middle(in the middle) ");
}

TEST(DsoDescription, CopiesParenthesesAndWhateverFollowsASemicolon) {
    EXPECT_EQ(ExpandDescription("(vF) S"), "(vF) small in angular size ");
    EXPECT_EQ(ExpandDescription("vF; pB and vS"), "very faint; pB and vS ");
    // An unclosed parenthesis copies the rest (with the appended blank) and closes it.
    const std::string open = ExpandDescription("F (see vF");
    EXPECT_EQ(open, "faint (see vF )");
    EXPECT_EQ(ExpandDescription("("), "( )");
}

TEST(DsoDescription, TerminatesOnEveryShortInput) {
    // Every string of up to four characters from an alphabet of keys and separators.
    const std::string alphabet = "vF!*(),; ";
    std::vector<std::string> inputs = {""};
    for (int len = 0; len < 4; ++len) {
        std::vector<std::string> next;
        for (const std::string& s : inputs)
            for (char c : alphabet)
                next.push_back(s + c);
        for (const std::string& s : next) {
            const std::string out = ExpandDescription(s);
            ASSERT_FALSE(out.empty()) << '"' << s << '"';
            ASSERT_LT(out.size(), 200u) << '"' << s << '"';
        }
        inputs = std::move(next);
    }
}

TEST(DsoDescription, AbbreviationsAreLookedUpWithExactCase) {
    EXPECT_EQ(catalog::ExpandAbbreviation("b"), "brighter");
    EXPECT_EQ(catalog::ExpandAbbreviation("B"), "bright");
    EXPECT_EQ(catalog::ExpandAbbreviation("glob."), "globular");
    EXPECT_FALSE(catalog::ExpandAbbreviation("vF"));
    EXPECT_FALSE(catalog::ExpandAbbreviation("Gx"));
    EXPECT_FALSE(catalog::ExpandAbbreviation(""));
    std::set<std::string_view> keys;
    for (const auto& a : catalog::DsoAbbreviations()) {
        EXPECT_FALSE(a.expansion.empty()) << a.key;
        keys.insert(a.key);
    }
    EXPECT_EQ(keys.size(), catalog::kDsoAbbreviationCount);
}

// ---- texts -------------------------------------------------------------------------------------

TEST(DsoText, TypeCodesIgnoreLetterCase) {
    EXPECT_EQ(catalog::DsoTypeText("gx"), "Galaxy");
    EXPECT_EQ(catalog::DsoTypeText("GX"), "Galaxy");
    EXPECT_EQ(catalog::DsoTypeText("c+n"), "Cluster associated with nebulosity");
    EXPECT_EQ(catalog::DsoTypeText(" "), "Unidentified at the place given, or type unknown");
    EXPECT_EQ(catalog::DsoTypeText("-"),
              "Object called nonexistent in the RNGC (Sulentic and Tifft 1973)");
    EXPECT_EQ(catalog::DsoTypeText("pd"), "Photographic plate defect");
    EXPECT_EQ(catalog::DsoTypeText("   "), "");
    EXPECT_EQ(catalog::DsoTypeText("D*?"), "");
    EXPECT_EQ(catalog::DsoTypeText(""), "");
    for (std::size_t i = 0; i < catalog::kDsoTypeCount; ++i)
        EXPECT_EQ(catalog::DsoTypeIndex(catalog::kDsoTypeCodes[i]), i);
}

TEST(DsoText, SourceReferencesCarryTheCatalogueCounts) {
    // The count pairs of the eighteen references add up to the catalogue's 7,840 NGC and
    // 5,386 IC entries.
    long ngc = 0;
    long ic = 0;
    std::set<std::string_view> texts;
    for (char code : std::string_view("AacdDFhkmnorstuvxz")) {
        const std::string_view text = catalog::DsoSourceText(code);
        ASSERT_FALSE(text.empty()) << code;
        ASSERT_EQ(text.back(), ')') << code;
        const std::size_t open = text.rfind('(');
        ASSERT_NE(open, std::string_view::npos) << code;
        std::istringstream pair(std::string(text.substr(open + 1)));
        long n = -1;
        long i = -1;
        char comma = 0;
        pair >> n >> comma >> i;
        ASSERT_EQ(comma, ',') << code;
        ngc += n;
        ic += i;
        texts.insert(text);
    }
    EXPECT_EQ(ngc, 7840);
    EXPECT_EQ(ic, 5386);
    EXPECT_EQ(texts.size(), 18u);
    EXPECT_NE(catalog::DsoSourceText('r').find("Revised New General Catalogue"),
              std::string_view::npos);
    EXPECT_EQ(catalog::DsoSourceText(' '), "");
    EXPECT_EQ(catalog::DsoSourceText('S'), "");
}

TEST(DsoText, NamesOfObjectsInsideAndOutsideNgc) {
    DsoFields f;
    f.designation = "224";
    f.messier = 31;
    EXPECT_EQ(DsoObject(f).GetName(), "NGC 224");
    EXPECT_EQ(DsoObject(f).messierText(), "M31");
    f.designation = "I434";
    f.messier = 0;
    EXPECT_EQ(DsoObject(f).GetName(), "NGC I434");
    EXPECT_EQ(DsoObject(f).messierText(), "");
    EXPECT_EQ(DsoObject(f).GetType(), astro::KindDeepSky);
    EXPECT_EQ(DsoObject(f).GetMagnitude(), astro::kNoMagnitude);

    DsoCatalog c;
    c.appendBuiltInObjects();
    ASSERT_EQ(c.objects().size(), 4u);
    const DsoObject* m45 = findMessier(c, 45);
    ASSERT_NE(m45, nullptr);
    EXPECT_EQ(m45->GetName(), "M45");
    EXPECT_EQ(m45->typeText(), "Open star cluster");
    EXPECT_EQ(c.commonName(*m45), "Pleiades");
    EXPECT_EQ(c.listedDesignation(*m45), "M45");
    EXPECT_NEAR(m45->ra(), 3.783, 1e-12);
    EXPECT_NEAR(m45->dec(), 24.12, 1e-12);
    const DsoObject* m102 = findMessier(c, 102);
    ASSERT_NE(m102, nullptr);
    EXPECT_EQ(m102->GetName(), "M102");
    EXPECT_EQ(m102->namesIndex(), catalog::kNoDsoName);
    EXPECT_EQ(c.commonName(*m102), "");
}

// ---- selection ---------------------------------------------------------------------------------

TEST(DsoSelection, MessierModeWithTheMagnitudeFilter) {
    DsoCatalog c;
    c.appendObject(makeObject("Gx", 10.0f, 12.0f, 31));
    c.appendObject(makeObject("Gx", 10.0f, 12.1f, 32));
    c.appendObject(makeObject("Gx", 10.0f, catalog::kNoDsoValue, 33));
    c.appendObject(makeObject("Gx", 10.0f, 5.0f, 0));
    DsoSelectionSettings s;
    s.magnitudeFilter = 1;
    c.ApplyDsoSelection(s);
    const auto objects = c.objects();
    EXPECT_TRUE(objects[0].selected());
    EXPECT_FALSE(objects[1].selected());
    EXPECT_FALSE(objects[2].selected());
    EXPECT_FALSE(objects[3].selected());
    ASSERT_EQ(c.selectedCount(), 1u);
    EXPECT_EQ(c.selectedList().at(0), &objects[0]);

    // Without the filter every Messier object is in, and the list follows.
    s.magnitudeFilter = 0;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), 3u);
    EXPECT_FALSE(objects[3].selected());
    // A mode value no dialog writes selects as the default mode.
    s.mode = 7;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), 3u);
}

TEST(DsoSelection, TypeModeFollowsTheSwitches) {
    DsoCatalog c;
    c.appendObject(makeObject("gx", 1.0f, 10.0f, 0));
    c.appendObject(makeObject("OC", 1.0f, 10.0f, 0));
    c.appendObject(makeObject(" ", 1.0f, 10.0f, 0));
    c.appendObject(makeObject("   ", 1.0f, 10.0f, 24)); // the built-in objects' blank type
    c.appendObject(makeObject("D*?", 1.0f, 10.0f, 0));
    DsoSelectionSettings s;
    s.mode = DsoSelectionSettings::ByType;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), 0u);

    s.typeSwitches[*catalog::DsoTypeIndex("Gx")] = 1;
    s.typeSwitches[*catalog::DsoTypeIndex(" ")] = 1;
    c.ApplyDsoSelection(s);
    const auto o = c.objects();
    EXPECT_TRUE(o[0].selected());
    EXPECT_FALSE(o[1].selected());
    EXPECT_TRUE(o[2].selected());
    EXPECT_FALSE(o[3].selected());
    EXPECT_FALSE(o[4].selected());

    s.mode = DsoSelectionSettings::All;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), 5u);
}

TEST(DsoSelection, SizeAndAreaFilters) {
    DsoCatalog c;
    c.appendObject(makeObject("Gx", 20.0f, 10.0f, 1));
    c.appendObject(makeObject("Gx", 19.9f, 10.0f, 2));
    c.appendObject(makeObject("Gx", catalog::kNoDsoValue, 10.0f, 3));
    // 4.9 and 5.1 degrees north of the area centre at 6 h, 0 degrees; one on the far side.
    c.appendObject(makeObject("Gx", 30.0f, 10.0f, 4, 6.0, 4.9));
    c.appendObject(makeObject("Gx", 30.0f, 10.0f, 5, 6.0, 5.1));
    c.appendObject(makeObject("Gx", 30.0f, 10.0f, 6, 18.0, 0.0));
    DsoSelectionSettings s;
    s.mode = DsoSelectionSettings::All;
    s.sizeFilter = 1;
    c.ApplyDsoSelection(s);
    const auto o = c.objects();
    EXPECT_TRUE(o[0].selected());
    EXPECT_FALSE(o[1].selected());
    EXPECT_FALSE(o[2].selected());
    EXPECT_EQ(c.selectedCount(), 4u);

    s.sizeFilter = 0;
    s.areaFilter = 1;
    s.areaCenterRa = 6.0;
    s.areaCenterDec = 0.0;
    c.ApplyDsoSelection(s);
    EXPECT_TRUE(o[0].selected());
    EXPECT_TRUE(o[3].selected());
    EXPECT_FALSE(o[4].selected());
    EXPECT_FALSE(o[5].selected());
    // A hemisphere keeps everything but the antipode.
    s.areaRadius = 90.0;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), 5u);
    EXPECT_FALSE(o[5].selected());
}

// ---- images ------------------------------------------------------------------------------------

TEST(DsoImages, EntriesMatchByDesignationThenByMessierNumber) {
    DsoCatalog c;
    DsoFields f;
    f.designation = "6205";
    f.messier = 13;
    c.appendObject(DsoObject(f));
    f.designation = "I418";
    f.messier = 0;
    c.appendObject(DsoObject(f));
    f.designation = "5194";
    f.messier = 51;
    c.appendObject(DsoObject(f));
    f.designation = "";
    c.appendObject(DsoObject(f));
    c.SetImageTable({{3, "", 13}, {133, "i418", -1}, {1, "5194", 51}, {7, "5194", -1}});
    const auto o = c.objects();
    EXPECT_EQ(o[0].imageNumber(), 3);
    EXPECT_EQ(o[1].imageNumber(), 133);
    EXPECT_EQ(o[2].imageNumber(), 7); // the later entry wins
    EXPECT_EQ(o[3].imageNumber(), 1); // by its Messier number; an empty designation is none
    c.SetImageTable({});
    EXPECT_EQ(o[0].imageNumber(), catalog::kNoDsoImage);
}

TEST(DsoImages, PageOfAnObjectOutsideNgc) {
    testutil::TempDir dir("deepsky");
    fs::create_directories(dir.path() / "Images");
    std::ofstream(dir.path() / "Images" / "0002.jpg") << "jpeg";
    DsoCatalog c;
    c.LoadDsoCatalog(dir.path());
    ASSERT_EQ(c.imageTable().size(), 1u);
    const DsoObject* m45 = findMessier(c, 45);
    ASSERT_NE(m45, nullptr);
    EXPECT_EQ(m45->imageNumber(), 2);
    EXPECT_EQ(findMessier(c, 24)->imageNumber(), catalog::kNoDsoImage);

    EXPECT_EQ(catalog::DsoImagePageTitle(c, *m45), "Non NGC object   (M45)      Pleiades\nM45");
    const fs::path page = catalog::DsoImagePagePath(dir.path() / "Images", 0);
    EXPECT_EQ(page.filename(), "temp_0.htm");
    ASSERT_EQ(catalog::WriteDsoImagePage(c, *m45, page), "");
    const std::string html = readText(page);
    EXPECT_NE(html.find("<title>Non NGC object   (M45)      Pleiades\nM45</title>"),
              std::string::npos);
    EXPECT_NE(html.find("src=\"0002.jpg\""), std::string::npos);
    EXPECT_NE(html.find("bgcolor=\"#000000\" text=\"#808080\""), std::string::npos);
    EXPECT_NE(html.find("Two Micron All Sky Survey (2MASS)"), std::string::npos);
    EXPECT_NE(html.find("width=\"80%\""), std::string::npos);
    EXPECT_FALSE(fs::exists(page.string() + ".tmp"));

    // No page for an object without an image, nor in a folder that does not exist.
    EXPECT_NE(catalog::WriteDsoImagePage(c, *findMessier(c, 24), dir.path() / "x.htm"), "");
    EXPECT_FALSE(fs::exists(dir.path() / "x.htm"));
    EXPECT_NE(catalog::WriteDsoImagePage(c, *m45, dir.path() / "none" / "p.htm"), "");
}

TEST(DsoImages, TitleOfAnNgcObjectEscapedInThePage) {
    DsoCatalog c;
    const std::size_t name = c.appendName({"Crab <Nebula> & co", ""});
    DsoFields f;
    f.designation = "1952";
    f.messier = 1;
    f.namesIndex = static_cast<int>(name);
    c.appendObject(DsoObject(f));
    c.SetImageTable({{4, "", 1}});
    const DsoObject& crab = c.objects()[0];
    EXPECT_EQ(catalog::DsoImagePageTitle(c, crab), "NGC 1952   (M1)      Crab <Nebula> & co");
    const std::string html = catalog::DsoImagePageHtml(c, crab);
    EXPECT_NE(html.find("Crab &lt;Nebula&gt; &amp; co</title>"), std::string::npos);
    EXPECT_NE(html.find("src=\"0004.jpg\""), std::string::npos);
}

// ---- files -------------------------------------------------------------------------------------

TEST(DsoFiles, FixtureWithBadIndexTruncatedRecordAndMissingNul) {
    testutil::TempDir dir("deepsky");
    std::vector<Record> objects = {
        objectRecord("224", "Gx", 0.712, 41.27f, "And", 178.0f, 3.5f, 1, 31, "eB,eL,vmbM"),
        objectRecord("I434", "", 5.683, -2.4f, "Ori", 60.0f, catalog::kNoDsoValue, 5, 0,
                     "F, vL, eE ns"),
        objectRecord("7000", " Nb", 20.98, 44.33f, "Cyg", 120.0f, 6.0f, 1000, 0, "!!!"),
        objectRecord("99999", "Gx", std::numeric_limits<double>::quiet_NaN(), 0.0f, "And", 1.0f,
                     1.0f, 1000, 0, ""),
    };
    // A description filling all 51 bytes, without a NUL.
    objects[2].text(45, std::string(51, 'F'));
    writeFile(dir.path() / "ngc2000.skd", objects, 50);
    writeFile(dir.path() / "ngc2000names.skd",
              {nameRecord("Andromeda Galaxy", "224"), nameRecord("Caf\xe9 Nebula", "M31")}, 3);

    catalog::ConstellationData constellations;
    const bool haveList =
        constellations.LoadConstellationList(fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data") == 88;
    DsoCatalog c;
    const catalog::DsoLoadResult r = c.LoadDsoCatalog(dir.path(), &constellations);
    EXPECT_EQ(r.fileObjects, 3u);
    EXPECT_EQ(r.fileNames, 2u);
    // The short final records name both files as damaged; the record without a position is
    // a problem of its own.
    ASSERT_EQ(r.damaged.size(), 2u);
    EXPECT_NE(r.damaged[0].find("ngc2000.skd is damaged: its size, "), std::string::npos)
        << r.damaged[0];
    EXPECT_NE(r.damaged[1].find("ngc2000names.skd is damaged"), std::string::npos);
    EXPECT_EQ(r.problems.size(), 1u);
    ASSERT_EQ(c.objects().size(), 7u);
    ASSERT_EQ(c.names().size(), 5u);
    EXPECT_TRUE(c.imageTable().empty());

    const auto o = c.objects();
    EXPECT_EQ(o[0].GetName(), "NGC 224");
    EXPECT_EQ(o[0].typeCode(), "Gx");
    EXPECT_EQ(o[0].constellation(), "And");
    if (haveList) {
        EXPECT_EQ(o[0].constellationNumber(), constellations.ConstellationNumber("And"));
        EXPECT_NE(o[0].constellationNumber(), catalog::kNoDsoConstellation);
    }
    EXPECT_NEAR(o[0].ra(), 0.712, 1e-12);
    EXPECT_NEAR(o[0].dec(), 41.27, 1e-5);
    EXPECT_FLOAT_EQ(o[0].size(), 178.0f);
    EXPECT_EQ(o[0].magnitudeQualifier(), 'p');
    EXPECT_EQ(o[0].sourceCode(), 's');
    EXPECT_EQ(o[0].messier(), 31);
    EXPECT_EQ(c.commonName(o[0]), "Caf\u00e9 Nebula");
    EXPECT_EQ(c.listedDesignation(o[0]), "M31");
    EXPECT_EQ(o[0].imageNumber(), catalog::kNoDsoImage);

    // A names index beyond the list, and a blank type code.
    EXPECT_EQ(o[1].namesIndex(), 5);
    EXPECT_EQ(c.nameEntry(o[1]), nullptr);
    EXPECT_EQ(c.commonName(o[1]), "");
    EXPECT_EQ(o[1].typeCode(), " ");
    EXPECT_EQ(o[1].typeText(), "Unidentified at the place given, or type unknown");
    EXPECT_EQ(o[1].magnitude(), catalog::kNoDsoValue);

    EXPECT_EQ(o[2].typeCode(), "Nb");
    EXPECT_EQ(o[2].description(), std::string(51, 'F'));
    EXPECT_EQ(c.nameEntry(o[2]), nullptr);

    // The built-in objects follow with their names entries after the file's.
    EXPECT_EQ(o[3].messier(), 24);
    EXPECT_EQ(o[3].namesIndex(), 2);
    EXPECT_EQ(c.commonName(o[3]), "Milky Way patch in Sgr");
    EXPECT_EQ(o[5].namesIndex(), 4);
    EXPECT_EQ(o[6].messier(), 102);
    EXPECT_EQ(o[6].designation(), " ");
}

TEST(DsoFiles, MissingFilesLeaveTheBuiltInObjects) {
    testutil::TempDir dir("deepsky");
    DsoCatalog c;
    const catalog::DsoLoadResult r = c.LoadDsoCatalog(dir.path() / "absent");
    EXPECT_EQ(r.fileObjects, 0u);
    EXPECT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(c.objects().size(), 4u);
    EXPECT_EQ(c.names().size(), 3u);
    // Loading again replaces what was there.
    c.LoadDsoCatalog(dir.path());
    EXPECT_EQ(c.objects().size(), 4u);
}

TEST(DsoFiles, ShippedCatalogue) {
    const fs::path data = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";
    if (!fs::exists(data / DsoCatalog::kCatalogFile) || !fs::exists(data / DsoCatalog::kNamesFile))
        GTEST_SKIP() << "the deep-sky files are not built yet";
    catalog::ConstellationData constellations;
    constellations.LoadConstellationList(data);
    DsoCatalog c;
    const catalog::DsoLoadResult r = c.LoadDsoCatalog(data, &constellations);
    EXPECT_TRUE(r.problems.empty()) << r.problems.front();
    EXPECT_EQ(r.fileObjects, 13226u);
    EXPECT_EQ(c.objects().size(), 13226u + 4u);
    EXPECT_EQ(c.names().size(), r.fileNames + 3);

    std::set<int> messier;
    std::size_t galaxies = 0;
    std::size_t unknownConstellation = 0;
    std::size_t badNames = 0;
    for (const DsoObject& o : c.objects()) {
        if (o.messier() != 0)
            messier.insert(o.messier());
        if (o.typeCode() == "Gx")
            ++galaxies;
        if (o.constellationNumber() == catalog::kNoDsoConstellation)
            ++unknownConstellation;
        if (o.namesIndex() != catalog::kNoDsoName && c.nameEntry(o) == nullptr)
            ++badNames;
        ASSERT_FALSE(o.expandedDescription().empty()) << o.GetName();
    }
    EXPECT_EQ(messier.size(), 110u);
    EXPECT_EQ(*messier.rbegin(), 110);
    EXPECT_EQ(galaxies, 8682u);
    EXPECT_EQ(unknownConstellation, 0u);
    EXPECT_EQ(badNames, 0u);

    const DsoObject* m31 = findMessier(c, 31);
    ASSERT_NE(m31, nullptr);
    EXPECT_EQ(m31->GetName(), "NGC 224");
    EXPECT_EQ(m31->typeText(), "Galaxy");
    EXPECT_EQ(m31->constellation(), "And");
    EXPECT_NEAR(m31->ra(), 0.0 + 42.7 / 60.0, 0.01);
    EXPECT_NEAR(m31->dec(), 41.0 + 16.0 / 60.0, 0.02);
    EXPECT_FALSE(c.commonName(*m31).empty());
    // NGC 651, missing from the source copy, is restored.
    EXPECT_TRUE(std::any_of(c.objects().begin(), c.objects().end(),
                            [](const DsoObject& o) { return o.designation() == "651"; }));

    // Every Messier object has a magnitude of at most 12: the default filter keeps them all,
    // a limit of 8 only the bright ones.
    DsoSelectionSettings s;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), messier.size());
    s.magnitudeFilter = 1;
    c.ApplyDsoSelection(s);
    EXPECT_EQ(c.selectedCount(), messier.size());
    s.maxMagnitude = 8.0f;
    c.ApplyDsoSelection(s);
    EXPECT_LT(c.selectedCount(), 90u);
    EXPECT_GT(c.selectedCount(), 20u);
    for (const DsoObject& o : c.objects())
        EXPECT_EQ(o.selected(), o.messier() != 0 && o.magnitude() <= 8.0f) << o.GetName();
}

} // namespace
