// skyvane-data ngc: the deep-sky catalogue files from NGC 2000.0, the Messier list and the
// common names of the deep-sky name list.
//
// Every catalogue line becomes a 104-byte record of ngc2000.skd, in the catalogue's order
// (by right ascension). The copy of the catalogue we ship lacks NGC 651, the following half
// of M76; it is put back beside NGC 650 as a planetary nebula in Perseus at 1 h 42.4 m,
// +51 deg 35', without size, magnitude, source reference or description. A record's Messier
// number comes from the Messier list, which gives one NGC or IC object per Messier number.
//
// The names list holds the common names listed under an NGC, IC or Messier designation
// that is in the catalogue, one per object (a name listed under the object's NGC or IC
// designation wins over one listed under its Messier number), in catalogue order. Messier
// objects without an NGC or IC number (M24, M40, M45, M102) are built into the program with
// their own names, so their names are not taken. The program appends those three names
// after the file's and reads the names index 1000 as "none", so the file holds at most 997
// names; beyond that the best known stay (see ngc::selectNames).

#include "DataCommands.h"
#include "NgcSource.h"

#include "catalog/LittleEndian.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace datatool {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::size_t kRecordSize = 104;
constexpr std::size_t kNameRecordSize = 71;
constexpr std::size_t kNameBytes = 35;     // of a 42-byte field
constexpr std::size_t kListedAsBytes = 28; // of a 29-byte field
constexpr std::size_t kBuiltInNames = 3;   // M24, M40 and M45, appended by the program
constexpr std::size_t kNoName = 1000;      // names index meaning "none"
constexpr std::size_t kMaxNames = kNoName - kBuiltInNames;
constexpr float kNone = -100.0f;
constexpr std::uintmax_t kMaxSourceBytes = 64u << 20;

// Calls lineFn(text, number) for every line that is not blank; a line the function rejects
// (std::invalid_argument) stops the conversion with the file and line number.
template <typename LineFn> void forEachLine(const fs::path& path, LineFn lineFn) {
    std::istringstream in(readSourceFile(path, kMaxSourceBytes));
    std::string line;
    std::size_t number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        try {
            lineFn(line, number);
        } catch (const std::invalid_argument& e) {
            throw DataError(path.string() + ":" + std::to_string(number) + ": " + e.what());
        }
    }
}

struct Object {
    ngc::NgcEntry entry;
    int messier = 0;
    std::size_t namesIndex = kNoName;
};

std::vector<Object> readCatalogue(const fs::path& path) {
    std::vector<Object> objects;
    std::unordered_map<std::string, std::size_t> lineOf;
    forEachLine(path, [&](const std::string& line, std::size_t number) {
        Object object;
        object.entry = ngc::parseNgcLine(line);
        if (const auto [it, added] = lineOf.emplace(object.entry.designation, number); !added)
            throw std::invalid_argument("designation " + object.entry.designation +
                                        " repeats line " + std::to_string(it->second));
        objects.push_back(std::move(object));
    });
    if (objects.empty())
        throw DataError(path.string() + " holds no catalogue lines");
    return objects;
}

// The catalogue position (RA in tenths of a minute, NGC before IC, number) that orders
// entries of equal right ascension the way the catalogue does.
bool comesBefore(const ngc::NgcEntry& a, const ngc::NgcEntry& b) {
    const long raA = std::lround(a.raHours * 600.0);
    const long raB = std::lround(b.raHours * 600.0);
    if (raA != raB)
        return raA < raB;
    const bool icA = a.designation.front() == 'I';
    const bool icB = b.designation.front() == 'I';
    if (icA != icB)
        return !icA;
    return std::stoi(a.designation.substr(icA ? 1 : 0)) <
           std::stoi(b.designation.substr(icB ? 1 : 0));
}

// Puts NGC 651 back when the catalogue lacks it; true when it did.
bool restoreNgc651(std::vector<Object>& objects) {
    for (const Object& object : objects) {
        if (object.entry.designation == "651")
            return false;
    }
    Object object;
    ngc::NgcEntry& e = object.entry;
    e.designation = "651";
    e.type = "Pl";
    e.raHours = 1.0 + 42.4 / 60.0;
    e.decDegrees = 51.0 + 35.0 / 60.0;
    e.source = ' ';
    e.constellation = "Per";
    const auto at = std::find_if(objects.begin(), objects.end(),
                                 [&](const Object& other) { return comesBefore(e, other.entry); });
    objects.insert(at, std::move(object));
    return true;
}

// The Messier list: number by NGC/IC designation and designation by number. A number or a
// designation that comes again keeps its first line.
struct MessierList {
    std::map<std::string, int> numberOf;
    std::map<int, std::string> designationOf;
};

MessierList readMessierList(const fs::path& path) {
    MessierList list;
    forEachLine(path, [&](const std::string& line, std::size_t) {
        const std::optional<ngc::MessierEntry> m = ngc::parseMessierLine(line);
        if (!m || m->designation.empty() || list.designationOf.count(m->number) != 0)
            return;
        if (list.numberOf.emplace(m->designation, m->number).second)
            list.designationOf.emplace(m->number, m->designation);
    });
    return list;
}

struct NameCounts {
    std::size_t otherCatalogues = 0; // PGC, Sh2, ...
    std::size_t builtIn = 0;         // M24, M40, M45, M102
    std::size_t notInCatalogue = 0;
    std::size_t secondNames = 0; // another name of an object that has one
    std::size_t dropped = 0;
};

std::vector<ngc::NameCandidate> readNames(const fs::path& path, const std::vector<Object>& objects,
                                          const std::map<int, std::string>& messierObjects,
                                          NameCounts& counts) {
    const json doc = json::parse(readSourceFile(path, kMaxSourceBytes), nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        throw DataError(path.string() + " is not a JSON object of names");
    std::unordered_map<std::string, std::size_t> recordOf;
    for (std::size_t i = 0; i < objects.size(); ++i)
        recordOf.emplace(objects[i].entry.designation, i);

    std::vector<ngc::NameCandidate> candidates;
    std::unordered_map<std::size_t, std::size_t> candidateOf; // record -> candidate
    std::unordered_map<std::size_t, bool> listedAsMessier;
    for (const auto& [key, value] : doc.items()) {
        const std::optional<ngc::ListedDesignation> listed = ngc::parseListedDesignation(key);
        if (!listed) {
            ++counts.otherCatalogues;
            continue;
        }
        const bool byMessier = listed->catalogue == ngc::ListedDesignation::Catalogue::Messier;
        std::string designation = listed->designation();
        if (byMessier) {
            const auto it = messierObjects.find(listed->number);
            if (it == messierObjects.end()) {
                ++counts.builtIn;
                continue;
            }
            designation = it->second;
        }
        const auto record = recordOf.find(designation);
        if (record == recordOf.end()) {
            ++counts.notInCatalogue;
            continue;
        }
        const auto name = value.is_object() ? value.find("name") : value.end();
        if (name == value.end() || !name->is_string())
            throw DataError(path.string() + ": entry " + key + " has no name");
        ngc::NameCandidate candidate;
        candidate.name = ngc::encodeCommonName(name->get<std::string>(), kNameBytes);
        if (candidate.name.empty())
            throw DataError(path.string() + ": entry " + key + " has an empty name");
        candidate.listedAs = listed->text();
        candidate.record = record->second;
        candidate.messier = objects[record->second].messier;
        candidate.magnitude = objects[record->second].entry.magnitude;

        const auto [it, added] = candidateOf.emplace(candidate.record, candidates.size());
        if (added) {
            listedAsMessier[candidate.record] = byMessier;
            candidates.push_back(std::move(candidate));
        } else {
            ++counts.secondNames;
            if (listedAsMessier[candidate.record] && !byMessier) {
                listedAsMessier[candidate.record] = false;
                candidates[it->second] = std::move(candidate);
            }
        }
    }
    return ngc::selectNames(std::move(candidates), kMaxNames, counts.dropped);
}

// A NUL-terminated text in a field of `width` bytes (the rest stays NUL).
void putText(char* at, const std::string& text, std::size_t width) {
    std::memcpy(at, text.data(), std::min(text.size(), width - 1));
}

void writeRecord(const Object& object, char* record) {
    const ngc::NgcEntry& e = object.entry;
    putText(record + 0, e.designation, 6);
    putText(record + 6, e.type, 10);
    catalog::writeF64(record + 16, e.raHours);
    catalog::writeF32(record + 24, static_cast<float>(e.decDegrees));
    record[28] = e.source;
    putText(record + 29, e.constellation, 7);
    catalog::writeF32(record + 36, e.size ? static_cast<float>(*e.size) : kNone);
    catalog::writeF32(record + 40, e.magnitude ? static_cast<float>(*e.magnitude) : kNone);
    record[44] = e.magnitudeQualifier;
    putText(record + 45, e.description, 51);
    catalog::writeU16(record + 96, static_cast<std::uint16_t>(object.namesIndex));
    record[98] = static_cast<char>(static_cast<std::uint8_t>(object.messier));
}

} // namespace

int runNgc(const Paths& paths, const std::vector<std::string>& args) {
    if (!args.empty())
        throw DataError("ngc: unexpected argument '" + args.front() + "'");
    const fs::path sources(paths.sources);
    std::vector<Object> objects = readCatalogue(sources / "ngc2000" / "ngc2000.dat");
    const bool restored = restoreNgc651(objects);

    const MessierList messier = readMessierList(sources / "ngc2000" / "messier.dat");
    const std::map<std::string, int>& messierOf = messier.numberOf;
    std::size_t withMessier = 0, ic = 0, photographic = 0, noSize = 0, noMagnitude = 0;
    for (Object& object : objects) {
        if (const auto it = messierOf.find(object.entry.designation); it != messierOf.end()) {
            object.messier = it->second;
            ++withMessier;
        }
        ic += object.entry.designation.front() == 'I';
        photographic += object.entry.magnitudeQualifier == 'p';
        noSize += !object.entry.size.has_value();
        noMagnitude += !object.entry.magnitude.has_value();
    }
    if (withMessier != messierOf.size())
        std::fprintf(stderr,
                     "skyvane-data: ngc: %zu designations of the Messier list are not in "
                     "the catalogue\n",
                     messierOf.size() - withMessier);

    NameCounts counts;
    const std::vector<ngc::NameCandidate> names = readNames(
        sources / "d3-celestial" / "dsonames.json", objects, messier.designationOf, counts);

    std::string catalogue(objects.size() * kRecordSize, '\0');
    std::string namesFile(names.size() * kNameRecordSize, '\0');
    for (std::size_t i = 0; i < names.size(); ++i) {
        objects[names[i].record].namesIndex = i;
        char* record = namesFile.data() + i * kNameRecordSize;
        putText(record, names[i].name, kNameBytes + 1);
        putText(record + 42, names[i].listedAs, kListedAsBytes + 1);
    }
    for (std::size_t i = 0; i < objects.size(); ++i)
        writeRecord(objects[i], catalogue.data() + i * kRecordSize);

    const fs::path out(paths.out);
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec)
        throw DataError("cannot create " + out.string() + ": " + ec.message());
    writeDataFile(out / "ngc2000.skd", catalogue);
    writeDataFile(out / "ngc2000names.skd", namesFile);

    std::printf("%s: %zu records (NGC %zu, IC %zu%s; Messier %zu, without size %zu, without "
                "magnitude %zu, photographic %zu)\n",
                (out / "ngc2000.skd").string().c_str(), objects.size(), objects.size() - ic, ic,
                restored ? ", NGC 651 restored" : "", withMessier, noSize, noMagnitude,
                photographic);
    std::printf("%s: %zu names (%zu dropped over the limit of %zu; not taken: %zu second names "
                "of an object, %zu of built-in Messier objects, %zu not in the catalogue, %zu "
                "of other catalogues)\n",
                (out / "ngc2000names.skd").string().c_str(), names.size(), counts.dropped,
                kMaxNames, counts.secondNames, counts.builtIn, counts.notInCatalogue,
                counts.otherCatalogues);
    return 0;
}

} // namespace datatool
