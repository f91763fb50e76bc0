// Checks of the shipped deep-sky files (data/ngc2000.skd, ngc2000names.skd), read byte by byte
// against their record layouts, and of the readers of the NGC 2000.0 sources they are built
// from. The converter is a program, not a library, so its source readers are compiled in here.

#include "NgcSource.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace datatool::ngc;

const fs::path kDataDir = fs::path(SKYVANE_TEST_DATA_DIR) / ".." / "data";
constexpr std::size_t kRecordSize = 104;
constexpr std::size_t kNameRecordSize = 71;
constexpr int kNoName = 1000;

using testutil::readBytes;

std::uint64_t getUint(const std::string& b, std::size_t at, std::size_t size) {
    std::uint64_t u = 0;
    for (std::size_t k = 0; k < size; ++k)
        u |= static_cast<std::uint64_t>(static_cast<unsigned char>(b[at + k])) << (8 * k);
    return u;
}

float getFloat(const std::string& b, std::size_t at) {
    const auto u = static_cast<std::uint32_t>(getUint(b, at, 4));
    float f = 0.0f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

double getDouble(const std::string& b, std::size_t at) {
    const std::uint64_t u = getUint(b, at, 8);
    double d = 0.0;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

// A NUL-terminated text field; "<no NUL>" when the field lacks its terminator.
std::string getText(const std::string& b, std::size_t at, std::size_t width) {
    const std::string field = b.substr(at, width);
    const std::size_t end = field.find('\0');
    return end == std::string::npos ? "<no NUL>" : field.substr(0, end);
}

struct Record {
    std::string designation, type;
    double ra = 0;
    float dec = 0;
    char source = 0;
    std::string constellation;
    float size = 0, magnitude = 0;
    char qualifier = 0;
    std::string description;
    int namesIndex = 0;
    int messier = 0;
    std::string padding;
};

struct Name {
    std::string name, listedAs;
};

struct Shipped {
    std::string catalogueBytes, namesBytes;
    std::vector<Record> records;
    std::vector<Name> names;
    std::map<std::string, std::size_t> byDesignation;

    const Record& find(const std::string& designation) const {
        static const Record none;
        const auto it = byDesignation.find(designation);
        return it == byDesignation.end() ? none : records[it->second];
    }
};

const Shipped& shipped() {
    static const Shipped s = [] {
        Shipped out;
        out.catalogueBytes = readBytes(kDataDir / "ngc2000.skd");
        out.namesBytes = readBytes(kDataDir / "ngc2000names.skd");
        const std::string& b = out.catalogueBytes;
        for (std::size_t at = 0; at + kRecordSize <= b.size(); at += kRecordSize) {
            Record r;
            r.designation = getText(b, at, 6);
            r.type = getText(b, at + 6, 10);
            r.ra = getDouble(b, at + 16);
            r.dec = getFloat(b, at + 24);
            r.source = b[at + 28];
            r.constellation = getText(b, at + 29, 7);
            r.size = getFloat(b, at + 36);
            r.magnitude = getFloat(b, at + 40);
            r.qualifier = b[at + 44];
            r.description = getText(b, at + 45, 51);
            r.namesIndex = static_cast<std::int16_t>(getUint(b, at + 96, 2));
            r.messier = static_cast<int>(getUint(b, at + 98, 1));
            r.padding = b.substr(at + 99, 5);
            out.byDesignation.emplace(r.designation, out.records.size());
            out.records.push_back(r);
        }
        const std::string& n = out.namesBytes;
        for (std::size_t at = 0; at + kNameRecordSize <= n.size(); at += kNameRecordSize)
            out.names.push_back({getText(n, at, 42), getText(n, at + 42, 29)});
        return out;
    }();
    return s;
}

TEST(ShippedNgcFiles, HoldTheWholeCatalogueInWholeRecords) {
    const Shipped& s = shipped();
    ASSERT_FALSE(s.catalogueBytes.empty()) << "data/ngc2000.skd is missing";
    EXPECT_EQ(s.catalogueBytes.size() % kRecordSize, 0u);
    EXPECT_EQ(s.namesBytes.size() % kNameRecordSize, 0u);
    ASSERT_EQ(s.records.size(), 13226u);
    EXPECT_EQ(s.byDesignation.size(), s.records.size()) << "a designation comes twice";
    std::size_t ic = 0;
    for (const Record& r : s.records)
        ic += !r.designation.empty() && r.designation[0] == 'I';
    EXPECT_EQ(ic, 5386u);
    EXPECT_EQ(s.records.size() - ic, 7840u);
}

TEST(ShippedNgcFiles, EveryRecordIsWellFormedAndInCatalogueOrder) {
    const std::set<std::string> types{"Gx", "OC", "Gb", "Nb", "Pl", "C+N", "Ast", "Kt", "***",
                                      "D*", "*",  "?",  " ",  "-",  "PD",  "*?",  "D*?"};
    const std::string sources = "AacdDFhkmnorstuvxz";
    std::size_t photographic = 0;
    double previousRa = 0.0;
    for (const Record& r : shipped().records) {
        SCOPED_TRACE("NGC " + r.designation);
        EXPECT_TRUE(normaliseDesignation(r.designation) == r.designation);
        EXPECT_EQ(types.count(r.type), 1u) << "type '" << r.type << "'";
        EXPECT_GE(r.ra, 0.0);
        EXPECT_LT(r.ra, 24.0);
        EXPECT_GE(r.ra, previousRa - 1e-9) << "out of right-ascension order";
        previousRa = r.ra;
        EXPECT_LE(std::fabs(r.dec), 90.0f);
        if (r.designation != "651") {
            EXPECT_NE(sources.find(r.source), std::string::npos) << "source '" << r.source << "'";
        }
        EXPECT_EQ(r.constellation.size(), 3u);
        EXPECT_TRUE(r.size == -100.0f || (r.size >= 0.0f && r.size < 1000.0f)) << r.size;
        EXPECT_TRUE(r.magnitude == -100.0f || (r.magnitude > -2.0f && r.magnitude < 25.0f))
            << r.magnitude;
        EXPECT_TRUE(r.qualifier == 'p' || r.qualifier == ' ');
        photographic += r.qualifier == 'p';
        EXPECT_LE(r.description.size(), 50u);
        EXPECT_TRUE(
            r.namesIndex == kNoName ||
            (r.namesIndex >= 0 && static_cast<std::size_t>(r.namesIndex) < shipped().names.size()));
        EXPECT_LE(r.messier, 110);
        EXPECT_EQ(r.padding, std::string(5, '\0'));
    }
    EXPECT_EQ(photographic, 6251u); // as counted in the source lines
}

TEST(ShippedNgcFiles, Ngc651IsRestoredBesideNgc650) {
    const Shipped& s = shipped();
    ASSERT_EQ(s.byDesignation.count("651"), 1u);
    ASSERT_EQ(s.byDesignation.count("650"), 1u);
    EXPECT_EQ(s.byDesignation.at("651"), s.byDesignation.at("650") + 1);
    const Record& r = s.find("651");
    EXPECT_EQ(r.type, "Pl");
    EXPECT_EQ(r.constellation, "Per");
    EXPECT_NEAR(r.ra, 1.0 + 42.4 / 60.0, 1e-9);
    EXPECT_NEAR(r.dec, 51.0 + 35.0 / 60.0, 1e-5);
    EXPECT_EQ(r.description, "");
    EXPECT_EQ(r.size, -100.0f);
    EXPECT_EQ(r.magnitude, -100.0f);
    EXPECT_EQ(s.find("650").messier, 76);
}

TEST(ShippedNgcFiles, AndromedaGalaxyAndObjectsWithoutOrWithPhotographicMagnitudes) {
    const Shipped& s = shipped();
    const Record& m31 = s.find("224");
    EXPECT_EQ(m31.type, "Gx");
    EXPECT_EQ(m31.constellation, "And");
    EXPECT_EQ(m31.messier, 31);
    EXPECT_FLOAT_EQ(m31.size, 178.0f);
    EXPECT_FLOAT_EQ(m31.magnitude, 3.5f);
    EXPECT_EQ(m31.qualifier, ' ');
    EXPECT_NEAR(m31.dec, 41.0 + 16.0 / 60.0, 1e-5);
    EXPECT_EQ(m31.description, "!!! eeB, eL, vmE (Andromeda); = M31");
    ASSERT_NE(m31.namesIndex, kNoName);
    EXPECT_EQ(s.names.at(static_cast<std::size_t>(m31.namesIndex)).name, "Andromeda Galaxy");

    const Record& bare = s.find("I5371"); // no type, size or magnitude
    EXPECT_EQ(bare.type, " ");
    EXPECT_EQ(bare.size, -100.0f);
    EXPECT_EQ(bare.magnitude, -100.0f);
    const Record& faint = s.find("I5370"); // "15. p": a photographic 15.0
    EXPECT_FLOAT_EQ(faint.magnitude, 15.0f);
    EXPECT_EQ(faint.qualifier, 'p');
}

TEST(ShippedNgcFiles, MessierNumbersComeFromTheMessierList) {
    const Shipped& s = shipped();
    std::map<int, std::string> messier;
    for (const Record& r : s.records) {
        if (r.messier != 0) {
            EXPECT_TRUE(messier.emplace(r.messier, r.designation).second)
                << "M" << r.messier << " twice";
        }
    }
    EXPECT_EQ(messier.size(), 106u); // 110 less M24, M40, M45 and M102
    for (int outside : {24, 40, 45, 102})
        EXPECT_EQ(messier.count(outside), 0u);
    EXPECT_EQ(messier[25], "I4725");
    EXPECT_EQ(messier[42], "1976");
    EXPECT_EQ(messier[101], "5457");
}

TEST(ShippedNgcFiles, EveryNameBelongsToExactlyOneRecordOfItsDesignation) {
    const Shipped& s = shipped();
    // The program appends three names of its own and reads index 1000 as "none".
    ASSERT_LE(s.names.size(), 997u);
    EXPECT_GT(s.names.size(), 400u);
    std::vector<int> users(s.names.size(), 0);
    for (const Record& r : s.records) {
        if (r.namesIndex == kNoName)
            continue;
        const Name& name = s.names.at(static_cast<std::size_t>(r.namesIndex));
        ++users[static_cast<std::size_t>(r.namesIndex)];
        SCOPED_TRACE(name.name + " - " + name.listedAs);
        const std::optional<ListedDesignation> listed = parseListedDesignation(name.listedAs);
        ASSERT_TRUE(listed.has_value());
        if (listed->catalogue == ListedDesignation::Catalogue::Messier)
            EXPECT_EQ(r.messier, listed->number);
        else
            EXPECT_EQ(r.designation, listed->designation());
    }
    for (std::size_t i = 0; i < users.size(); ++i)
        EXPECT_EQ(users[i], 1) << "name " << i << " '" << s.names[i].name << "'";
    for (const Name& name : s.names) {
        EXPECT_FALSE(name.name.empty());
        EXPECT_LE(name.name.size(), 35u);
        EXPECT_EQ(name.name.find('?'), std::string::npos) << name.name;
        for (const char c : name.name) // plain Windows-1252, no UTF-8 lead bytes of Greek
            EXPECT_FALSE(static_cast<unsigned char>(c) == 0xCE ||
                         static_cast<unsigned char>(c) == 0xCF)
                << name.name;
    }
    const Record& chi = s.find("884");
    ASSERT_NE(chi.namesIndex, kNoName);
    EXPECT_EQ(s.names[static_cast<std::size_t>(chi.namesIndex)].name, "chi Persei");
    EXPECT_EQ(s.names[static_cast<std::size_t>(chi.namesIndex)].listedAs, "NGC 884");
}

// Two runs of the converter give the same bytes, and the shipped files are what the converter
// makes of the shipped sources; a broken source line stops it with the file and line. Runs
// when the converter is built beside the tests.
TEST(ShippedNgcFiles, ConverterIsDeterministicCurrentAndRefusesBrokenLines) {
    const fs::path tool = testutil::dataTool();
    if (!fs::exists(tool))
        GTEST_SKIP() << "skyvane-data not built beside the tests";
    const testutil::TempDir temp("ngc");
    const fs::path& work = temp.path();
    const auto run = [&](const fs::path& sources, const fs::path& out) {
        const std::string command = "\"" + tool.string() + "\" ngc --sources \"" +
                                    sources.string() + "\" --out \"" + out.string() + "\" > \"" +
                                    (work / "stdout").string() + "\" 2> \"" +
                                    (work / "stderr").string() + "\"";
        return std::system(command.c_str());
    };
    for (const char* out : {"a", "b"})
        ASSERT_EQ(run(kDataDir / "sources", work / out), 0) << readBytes(work / "stderr");
    for (const char* file : {"ngc2000.skd", "ngc2000names.skd"}) {
        const std::string a = readBytes(work / "a" / file);
        EXPECT_EQ(a, readBytes(work / "b" / file)) << file << " differs between two runs";
        EXPECT_EQ(a, readBytes(kDataDir / file)) << "shipped " << file << " is out of date";
    }

    const fs::path broken = work / "broken";
    fs::create_directories(broken / "ngc2000");
    {
        std::ofstream out(broken / "ngc2000" / "ngc2000.dat", std::ios::binary);
        out << "I5370  Gx  0 00.1  +32 45 m  And   0.7  15. p pB, S, R, stell N\n"
            << "I5371      0 00.2  +32 49 d  And              F, vS, *15 att\n"
            << " 7801   -  0 0x.4  +50 42 r  Cas              Cl, pRi, pC, st 9...\n";
    }
    EXPECT_NE(run(broken, work / "c"), 0);
    const std::string message = readBytes(work / "stderr");
    EXPECT_NE(message.find("ngc2000.dat:3:"), std::string::npos) << message;
    EXPECT_NE(message.find("RA minutes"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(work / "c" / "ngc2000.skd"));
}

// --- the source readers ----------------------------------------------------------------------

// A catalogue line built column by column (1-based columns as in the catalogue's layout).
std::string catalogueLine(const std::string& name, const std::string& type, const std::string& ra,
                          const std::string& dec, const std::string& rest) {
    std::string line(46, ' ');
    line.replace(0, name.size(), name);
    line.replace(6, type.size(), type);
    line.replace(10, ra.size(), ra);
    line.replace(19, dec.size(), dec);
    line.replace(26, rest.size(), rest);
    return line;
}

TEST(NgcLineReader, ReadsFieldsBlanksLimitsAndQualifiers) {
    const NgcEntry m31 = parseNgcLine(
        "  224  Gx  0 42.7  +41 16 s  And 178.    3.5  !!! eeB, eL, vmE (Andromeda); = M31   ");
    EXPECT_EQ(m31.designation, "224");
    EXPECT_EQ(m31.type, "Gx");
    EXPECT_DOUBLE_EQ(m31.raHours, 42.7 / 60.0);
    EXPECT_DOUBLE_EQ(m31.decDegrees, 41.0 + 16.0 / 60.0);
    EXPECT_EQ(m31.source, 's');
    EXPECT_EQ(m31.constellation, "And");
    EXPECT_DOUBLE_EQ(m31.size.value_or(-1.0), 178.0);
    EXPECT_DOUBLE_EQ(m31.magnitude.value_or(-1.0), 3.5);
    EXPECT_EQ(m31.magnitudeQualifier, ' ');
    EXPECT_EQ(m31.description, "!!! eeB, eL, vmE (Andromeda); = M31");

    // IC number with a blank inside, blank type, no size, photographic "15." magnitude,
    // declination -00 30 and a Windows line end.
    const NgcEntry a = parseNgcLine(
        catalogueLine("I 342", "", "12 05.0", "-00 30", "d  Vir        15. p eF, vS") + "\r");
    EXPECT_EQ(a.designation, "I342");
    EXPECT_EQ(a.type, " ");
    EXPECT_DOUBLE_EQ(a.raHours, 12.0 + 5.0 / 60.0);
    EXPECT_DOUBLE_EQ(a.decDegrees, -0.5);
    EXPECT_FALSE(a.size.has_value());
    ASSERT_TRUE(a.magnitude.has_value());
    EXPECT_DOUBLE_EQ(*a.magnitude, 15.0);
    EXPECT_EQ(a.magnitudeQualifier, 'p');
    EXPECT_EQ(a.description, "eF, vS");

    const NgcEntry b = parseNgcLine(" 6833  Pl 19 49.7  +48 58 s  Cyg<  0.1  14. p PN , stellar");
    EXPECT_TRUE(b.sizeIsUpperLimit);
    EXPECT_DOUBLE_EQ(b.size.value_or(-1.0), 0.1);

    // A line may stop right after the constellation.
    const NgcEntry c = parseNgcLine("I1000  Gx 14 25.0  -17 00 c  Hya");
    EXPECT_EQ(c.designation, "I1000");
    EXPECT_FALSE(c.size.has_value());
    EXPECT_FALSE(c.magnitude.has_value());
    EXPECT_EQ(c.magnitudeQualifier, ' ');
    EXPECT_EQ(c.description, "");

    // A description longer than the record's field is cut to 50 characters.
    const NgcEntry d = parseNgcLine(catalogueLine("  100", "Gx", " 0 24.3", "+16 29", "r  Psc") +
                                    std::string(60, 'F'));
    EXPECT_EQ(d.description, std::string(50, 'F'));
}

TEST(NgcLineReader, RefusesShortLinesAndGarbageFieldsWithTheFieldNamed) {
    const auto refusal = [](const std::string& line) -> std::string {
        try {
            parseNgcLine(line);
        } catch (const std::invalid_argument& e) {
            return e.what();
        }
        return "accepted";
    };
    const std::string good = " 7801   -  0 00.4  +50 42 r  Cas              Cl, pRi";
    ASSERT_EQ(refusal(good), "accepted");
    EXPECT_NE(refusal("").find("characters"), std::string::npos);
    EXPECT_NE(refusal(good.substr(0, 31)).find("characters"), std::string::npos);

    struct Case {
        std::size_t column; // 1-based
        std::string text;
        std::string named;
    };
    const std::vector<Case> cases{
        {1, "ABCDE", "designation"},  {1, " 7841", "designation"}, {1, "I5387", "designation"},
        {1, "    0", "designation"},  {11, "24", "RA hours"},      {11, " x", "RA hours"},
        {14, "60.0", "RA minutes"},   {14, "4x.3", "RA minutes"},  {14, " nan", "RA minutes"},
        {14, "-1.0", "RA minutes"},   {20, "*", "sign"},           {21, "91", "Dec degrees"},
        {21, "90 01", "beyond 90"},   {24, "60", "Dec minutes"},   {24, "-1", "Dec minutes"},
        {30, "A1d", "constellation"}, {33, "> 1.0", "size"},       {34, " 1.2.", "size"},
        {34, "-10.0", "size"},        {41, "1O.5", "magnitude"},   {41, " inf", "magnitude"},
        {45, "v", "qualifier"},
    };
    for (const Case& c : cases) {
        std::string line = good;
        line.replace(c.column - 1, c.text.size(), c.text);
        const std::string message = refusal(line);
        EXPECT_NE(message.find(c.named), std::string::npos) << "'" << line << "' gave: " << message;
    }
}

// Random damage to real lines either reads or is refused with std::invalid_argument; nothing
// else escapes and nothing read is out of range.
TEST(NgcLineReader, DamagedLinesNeverGetThroughUnchecked) {
    const std::vector<std::string> lines{
        "I5370  Gx  0 00.1  +32 45 m  And   0.7  15. p pB, S, R, stell N",
        " 2573  Gx  1 42.   -89 20 c  Oct   3.6  13.5  F, S, R, glbM, Polarissima Australis",
        "I4725  OC 18 31.6  -19 15 s  Sgr  32.    4.6  Cl, pC; = M25"};
    std::mt19937 random(12345);
    const std::string alphabet = " 0123456789.+-<pIxe\r\t";
    for (int trial = 0; trial < 5000; ++trial) {
        std::string line = lines[random() % lines.size()];
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < edits; ++k) {
            const std::size_t at = random() % line.size();
            if (random() % 5 == 0)
                line.resize(at);
            else
                line[at] = alphabet[random() % alphabet.size()];
            if (line.empty())
                break;
        }
        try {
            const NgcEntry e = parseNgcLine(line);
            EXPECT_GE(e.raHours, 0.0) << line;
            EXPECT_LT(e.raHours, 24.0) << line;
            EXPECT_LE(std::fabs(e.decDegrees), 90.0) << line;
            EXPECT_TRUE(normaliseDesignation(e.designation) == e.designation) << line;
            EXPECT_LE(e.type.size(), 3u);
        } catch (const std::invalid_argument&) {
        }
    }
}

TEST(MessierListReader, NumbersDesignationsAndRefusals) {
    const std::optional<MessierEntry> m25 = parseMessierLine("M  25          I4725\r");
    ASSERT_TRUE(m25.has_value());
    EXPECT_EQ(m25->number, 25);
    EXPECT_EQ(m25->designation, "I4725");
    EXPECT_EQ(parseMessierLine("M  40").value_or(MessierEntry{}).designation, "");
    EXPECT_FALSE(parseMessierLine("   ").has_value());
    for (const char* bad : {"N  31   224", "M", "M 111   224", "M   0   224", "M  31   abc"})
        EXPECT_THROW(parseMessierLine(bad), std::invalid_argument) << bad;
}

TEST(ListedDesignations, NgcIcAndMessierKeysOnly) {
    const auto designation = [](std::string_view key) {
        const std::optional<ListedDesignation> d = parseListedDesignation(key);
        return d ? d->designation() + "|" + d->text() : std::string("none");
    };
    EXPECT_EQ(designation("NGC 224"), "224|NGC 224");
    EXPECT_EQ(designation("NGc 2269"), "2269|NGC 2269");
    EXPECT_EQ(designation("IC 434"), "I434|IC 434");
    EXPECT_EQ(designation("M 8"), "|M8");
    EXPECT_EQ(designation("M8"), "|M8");
    for (const char* other : {"PGC 2557", "Sh2 264", "C 41", "18", "NGC", "NGC 0", "NGC 7841",
                              "IC 5387", "M 111", "NGC 224A", "NGC -5", "NGC 99999999999"})
        EXPECT_EQ(designation(other), "none") << other;
}

TEST(CommonNames, GreekLettersSpelledAndLongNamesCutAtAWord) {
    EXPECT_EQ(encodeCommonName("\u03C7 Persei", 35), "chi Persei");
    // Letters Windows-1252 has stay single bytes.
    EXPECT_EQ(encodeCommonName("Pandora\u2019s Cluster", 35), "Pandora\x92s Cluster");
    EXPECT_EQ(encodeCommonName("Caf\u00E9", 35), "Caf\xE9");
    EXPECT_EQ(encodeCommonName("Great Star Cloud in Andromeda Galaxy", 35),
              "Great Star Cloud in Andromeda");
    EXPECT_EQ(encodeCommonName(std::string(40, 'x'), 35), std::string(35, 'x'));
    EXPECT_EQ(encodeCommonName("A " + std::string(40, 'x'), 35), "A " + std::string(33, 'x'));
    EXPECT_EQ(encodeCommonName("   ", 35), "");
}

TEST(NameSelection, KeepsTheBestKnownInCatalogueOrder) {
    const auto candidate = [](const char* name, std::size_t record, int messier,
                              std::optional<double> magnitude) {
        NameCandidate c;
        c.name = name;
        c.record = record;
        c.messier = messier;
        c.magnitude = magnitude;
        return c;
    };
    const std::vector<NameCandidate> all{
        candidate("faint", 1, 0, 13.0),      candidate("no magnitude", 2, 0, std::nullopt),
        candidate("messier", 9, 51, 8.4),    candidate("bright", 4, 0, 5.0),
        candidate("also bright", 3, 0, 5.0), candidate("messier faint", 7, 76, 12.0),
    };
    const auto names = [](const std::vector<NameCandidate>& kept) {
        std::string out;
        for (const NameCandidate& c : kept)
            out += c.name + ";";
        return out;
    };
    std::size_t dropped = 99;
    EXPECT_EQ(names(selectNames(all, 10, dropped)),
              "faint;no magnitude;also bright;bright;messier faint;messier;");
    EXPECT_EQ(dropped, 0u);
    EXPECT_EQ(names(selectNames(all, 3, dropped)), "also bright;messier faint;messier;");
    EXPECT_EQ(dropped, 3u);
    EXPECT_EQ(names(selectNames(all, 5, dropped)),
              "faint;also bright;bright;messier faint;messier;");
    EXPECT_EQ(dropped, 1u);
    EXPECT_EQ(names(selectNames(all, 0, dropped)), "");
    EXPECT_EQ(dropped, all.size());
}

} // namespace
