#include "StarSources.h"

#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"

#include "DataCommands.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_set>
#include <utility>

namespace datatool::stars {

namespace {

using nlohmann::json;

// No source of the star files comes near these sizes; a larger file or stream is refused
// instead of being read into memory.
constexpr std::uintmax_t kMaxSourceBytes = 256u * 1024u * 1024u;
constexpr std::size_t kMaxDecompressedBytes = 512u * 1024u * 1024u;

std::string fileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Splits a text into lines without their line ends ("\n" or "\r\n").
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> splitOn(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Bytes first..last (counted from 1, inclusive) of a fixed-column line, trimmed; the part
// beyond a short line is empty.
std::string_view column(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size())
        return {};
    return catalog::trimBlanksAndTabs(
        line.substr(first - 1, std::min(last, line.size()) - (first - 1)));
}

std::string_view field(const std::vector<std::string_view>& fields, std::size_t i) {
    return i < fields.size() ? catalog::trimBlanksAndTabs(fields[i]) : std::string_view{};
}

// The (trimmed) text without a leading '+'.
std::string_view withoutPlus(std::string_view s) {
    s = catalog::trimBlanksAndTabs(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    return s;
}

std::optional<long> parseInt(std::string_view s) {
    return catalog::parseWholeLong(withoutPlus(s));
}

std::optional<double> parseDouble(std::string_view s) {
    return catalog::parseWholeDouble(withoutPlus(s));
}

// A positive catalogue number that fits the files' 32-bit fields, else 0.
int catalogueNumber(std::string_view s) {
    const std::optional<long> n = parseInt(s);
    return n && *n > 0 && *n <= 2147483647L ? static_cast<int>(*n) : 0;
}

std::string where(const std::string& path, std::size_t lineIndex) {
    return fileName(path) + " line " + std::to_string(lineIndex + 1);
}

// The code point of the first UTF-8 character of s, or -1.
long firstCodePoint(std::string_view s, std::size_t& length) {
    std::size_t i = 0;
    if (s.empty())
        return -1;
    const long cp = catalog::nextCodePoint(s, i);
    length = i;
    return cp;
}

// GCVS variability classes by code: 1 eruptive, 2 pulsating, 3 rotating, 4 cataclysmic,
// 5 eclipsing binary systems, 6 intense variable X-ray sources; -100 for the types of no
// class (constant, unique, unstudied rapid, unclassified). A type not listed is matched by
// the longest listed prefix (DSCTC by DSCT, EA by E); "ELL" is listed so that it is not
// taken for an eclipsing type.
struct TypeClass {
    int code;
    std::string_view types; // separated by blanks
};
constexpr std::array<TypeClass, 7> kVariabilityClasses{{
    {1, "BE FSCMA FU GCAS I IA IB IN INS IS IT RCB SDOR UV UVN UXOR WR YSO"},
    {2, "ACYG BCEP BLBOO CEP CW DCEP DSCT GDOR HADS L LB LC LPB M PVTEL ROAM ROAP RPHS RR RV "
        "SPB SR SXPHE ZZ"},
    {3, "ACV BY ELL FKCOM PSR R ROT RS SXARI"},
    {4, "AM DQ IBWD N NA NB NC NL NR SN UG ZAND"},
    {5, "E EA EB EP EW"},
    {6, "X"},
    {-100, "CST S VAR *"},
}};

} // namespace

int variabilityTypeCode(std::string_view gcvsType) {
    // The first class of a combination ("EA/SD", "UV+BY"), without uncertainty marks and
    // qualifiers in parentheses.
    std::string token;
    for (const char c : gcvsType) {
        if (c == '/' || c == '+' || c == '(' || c == '|' || c == ' ')
            break;
        if (c == ':')
            continue;
        token += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (token.empty())
        return -100;
    int code = -100;
    std::size_t best = 0;
    for (const TypeClass& entry : kVariabilityClasses) {
        for (const std::string_view type : splitWords(entry.types)) {
            if (type.size() > best && token.starts_with(type)) {
                best = type.size();
                code = entry.code;
            }
        }
    }
    // The one-letter classes (I, L, M, N, R, S) match only themselves; of the one-letter
    // prefixes only E (eclipsing: EA, EB, EW, ...) and X (X-ray: XB, XP, ...) name families.
    if (best == 1 && token.size() > 1 && token.front() != 'E' && token.front() != 'X')
        return -100;
    return code;
}

std::string spectralTypeCode(std::string_view mkType) {
    const auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto isLower = [](char c) { return c >= 'a' && c <= 'z'; };
    std::size_t i = 0;
    // Prefixes: blanks, luminosity marks such as "g", "d", "sd", "sg", "c", "k", and ':'.
    while (i < mkType.size() && (mkType[i] == ' ' || mkType[i] == ':' || isLower(mkType[i])))
        ++i;
    if (i >= mkType.size() || !isUpper(mkType[i]))
        return {};
    std::string code(1, mkType[i++]);
    const bool twoLetters =
        i < mkType.size() && ((code[0] == 'W' && (mkType[i] == 'C' || mkType[i] == 'N')) ||
                              (code[0] == 'D' && isUpper(mkType[i])));
    if (twoLetters)
        code += mkType[i++];
    while (i < mkType.size() && code.size() < 3 &&
           ((mkType[i] >= '0' && mkType[i] <= '9') || mkType[i] == '.'))
        code += mkType[i++];
    while (code.back() == '.')
        code.pop_back();
    return code;
}

int bayerCodeFromAbbreviation(std::string_view abbreviation) {
    static constexpr std::array<std::string_view, 24> kNames{
        "Alp", "Bet", "Gam", "Del", "Eps", "Zet", "Eta", "The", "Iot", "Kap", "Lam", "Mu",
        "Nu",  "Xi",  "Omi", "Pi",  "Rho", "Sig", "Tau", "Ups", "Phi", "Chi", "Psi", "Ome"};
    abbreviation = catalog::trimBlanksAndTabs(abbreviation);
    for (std::size_t k = 0; k < kNames.size(); ++k) {
        if (abbreviation == kNames[k])
            return static_cast<int>(k) + 1;
    }
    return 0;
}

int bayerCodeFromGreek(std::string_view utf8Letter) {
    std::size_t length = 0;
    const long cp = firstCodePoint(utf8Letter, length);
    if (length != utf8Letter.size())
        return 0;
    if (cp >= 0x03B1 && cp <= 0x03C1) // alpha..rho
        return static_cast<int>(cp - 0x03B0);
    if (cp >= 0x03C3 && cp <= 0x03C9) // sigma..omega (final sigma U+03C2 skipped)
        return static_cast<int>(cp - 0x03B1);
    return 0;
}

void addDesignation(std::string_view text, std::string_view constellation,
                    Designation& designation) {
    text = catalog::trimBlanksAndTabs(text);
    if (text.empty())
        return;
    if (const std::optional<long> number = parseInt(text); number && text.front() != '+') {
        if (designation.flamsteed == 0 && *number > 0 && *number <= 32767) {
            designation.flamsteed = static_cast<int>(*number);
            designation.flamsteedConstellation =
                std::string(catalog::trimBlanksAndTabs(constellation));
        }
        return;
    }
    std::size_t length = 0;
    firstCodePoint(text, length);
    const int code = bayerCodeFromGreek(text.substr(0, length));
    if (code == 0 || designation.bayerCode != 0)
        return;
    int index = 0;
    const std::string_view rest = text.substr(length);
    if (!rest.empty()) {
        const std::optional<long> n = parseInt(rest);
        if (!n || *n < 1 || *n > 127 || rest.front() == '+')
            return; // not a plain superscript: leave the letter unset rather than guess
        index = static_cast<int>(*n);
    }
    designation.bayerCode = code;
    designation.bayerIndex = index;
}

std::string toWindows1252(std::string_view utf8, std::size_t maxBytes) {
    return std::string(catalog::trimBlanksAndTabs(catalog::utf8ToWindows1252(utf8, maxBytes)));
}

std::vector<BscStar> readBrightStarCatalogue(const std::string& path) {
    const std::string text = readSourceFile(path, kMaxSourceBytes);
    const std::vector<std::string_view> lines = splitLines(text);
    std::vector<BscStar> stars;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        if (catalog::trimBlanksAndTabs(line).empty())
            continue;
        BscStar star;
        const std::optional<long> hr = parseInt(column(line, 1, 4));
        if (!hr || *hr <= 0)
            throw DataError(where(path, n) + ": no HR number in bytes 1-4");
        star.hr = static_cast<int>(*hr);
        // Every record runs at least through its J2000 position, blank or not; a shorter
        // line is a cut one.
        if (line.size() < 90)
            throw DataError(where(path, n) + " (HR " + std::to_string(star.hr) + "): truncated, " +
                            std::to_string(line.size()) + " bytes");
        if (column(line, 76, 90).empty())
            continue; // an object without a position (a nova or galaxy kept for its number)
        const std::optional<long> rah = parseInt(column(line, 76, 77));
        const std::optional<long> ram = parseInt(column(line, 78, 79));
        const std::optional<double> ras = parseDouble(column(line, 80, 83));
        const std::string_view sign = column(line, 84, 84);
        const std::optional<long> ded = parseInt(column(line, 85, 86));
        const std::optional<long> dem = parseInt(column(line, 87, 88));
        const std::optional<long> des = parseInt(column(line, 89, 90));
        if (!rah || !ram || !ras || !ded || !dem || !des || (sign != "+" && sign != "-") ||
            *rah < 0 || *rah > 23 || *ram < 0 || *ram > 59 || *ras < 0.0 || *ras >= 60.0 ||
            *ded < 0 || *ded > 90 || *dem < 0 || *dem > 59 || *des < 0 || *des > 59)
            throw DataError(where(path, n) + " (HR " + std::to_string(star.hr) +
                            "): unreadable J2000 position in bytes 76-90");
        star.raDeg =
            15.0 * (static_cast<double>(*rah) + static_cast<double>(*ram) / 60.0 + *ras / 3600.0);
        const double dec = static_cast<double>(*ded) + static_cast<double>(*dem) / 60.0 +
                           static_cast<double>(*des) / 3600.0;
        star.decDeg = sign == "-" ? -dec : dec;
        if (std::abs(star.decDeg) > 90.0)
            throw DataError(where(path, n) + ": declination beyond the pole");

        const std::string_view flamsteed = column(line, 5, 7);
        if (const std::optional<long> f = parseInt(flamsteed); f && *f > 0 && *f <= 32767)
            star.flamsteed = static_cast<int>(*f);
        star.bayerCode = bayerCodeFromAbbreviation(column(line, 8, 10));
        star.constellation = std::string(column(line, 12, 14));
        if (star.bayerCode != 0) {
            if (const std::optional<long> index = parseInt(column(line, 11, 11)); index)
                star.bayerIndex = static_cast<int>(*index);
        }
        star.hd = catalogueNumber(column(line, 26, 31));
        star.sao = catalogueNumber(column(line, 32, 37));
        star.v = parseDouble(column(line, 103, 107));
        star.bMinusV = parseDouble(column(line, 110, 114));
        star.spectral = spectralTypeCode(column(line, 128, 147));
        star.dmag = parseDouble(column(line, 181, 184));
        if (const std::optional<double> sep = parseDouble(column(line, 185, 190));
            sep && *sep > 0.0)
            star.separation = sep;
        stars.push_back(std::move(star));
    }
    return stars;
}

namespace {

const json* member(const json& object, const char* key) {
    if (!object.is_object())
        return nullptr;
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

// A number given as a JSON number or as text; none for "" or anything else.
std::optional<double> jsonNumber(const json* value) {
    if (value == nullptr)
        return std::nullopt;
    if (value->is_number()) {
        const double d = value->get<double>();
        return std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    if (value->is_string())
        return parseDouble(value->get_ref<const std::string&>());
    return std::nullopt;
}

std::string jsonText(const json* value) {
    return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

json parseJson(const std::string& text, const std::string& path) {
    json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded())
        throw DataError(path + " is not valid JSON");
    return doc;
}

} // namespace

std::vector<HipStar> readHipparcosJsonXz(const std::string& path) {
    const json doc = parseJson(readXzSourceFile(path, kMaxDecompressedBytes), path);
    const json* features = member(doc, "features");
    if (features == nullptr || !features->is_array())
        throw DataError(path + ": no \"features\" list");
    std::vector<HipStar> stars;
    stars.reserve(features->size());
    std::unordered_set<int> seen;
    for (std::size_t k = 0; k < features->size(); ++k) {
        const json& feature = (*features)[k];
        const std::string what = fileName(path) + " feature " + std::to_string(k + 1);
        const json* id = member(feature, "id");
        if (id == nullptr || !id->is_number_integer() || id->get<long long>() <= 0 ||
            id->get<long long>() > 2147483647LL)
            throw DataError(what + ": no HIP number");
        HipStar star;
        star.hip = static_cast<int>(id->get<long long>());
        const json* geometry = member(feature, "geometry");
        const json* coordinates = geometry ? member(*geometry, "coordinates") : nullptr;
        if (coordinates == nullptr || !coordinates->is_array() || coordinates->size() < 2)
            throw DataError(what + " (HIP " + std::to_string(star.hip) + "): no coordinates");
        const std::optional<double> lon = jsonNumber(&(*coordinates)[0]);
        const std::optional<double> lat = jsonNumber(&(*coordinates)[1]);
        if (!lon || !lat || std::abs(*lat) > 90.0 || std::abs(*lon) > 360.0)
            throw DataError(what + " (HIP " + std::to_string(star.hip) + "): unusable coordinates");
        star.raDeg = *lon < 0.0 ? *lon + 360.0 : *lon;
        star.decDeg = *lat;
        const json* properties = member(feature, "properties");
        if (properties != nullptr) {
            star.v = jsonNumber(member(*properties, "mag"));
            star.bMinusV = jsonNumber(member(*properties, "bv"));
        }
        if (seen.insert(star.hip).second)
            stars.push_back(star);
    }
    return stars;
}

std::vector<CrossIdLine> readCrossIds(const std::string& path) {
    const std::string text = readSourceFile(path, kMaxSourceBytes);
    const std::vector<std::string_view> lines = splitLines(text);
    std::vector<CrossIdLine> out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (catalog::trimBlanksAndTabs(lines[n]).empty() ||
            catalog::trimBlanksAndTabs(lines[n]).front() == '#')
            continue;
        // HIP, component, SAO, HD, HR
        const std::vector<std::string_view> fields = splitOn(lines[n], '\t');
        CrossIdLine entry;
        entry.hip = catalogueNumber(field(fields, 0));
        if (entry.hip == 0)
            throw DataError(where(path, n) + ": no HIP number");
        entry.sao = catalogueNumber(field(fields, 2));
        entry.hd = catalogueNumber(field(fields, 3));
        entry.hr = catalogueNumber(field(fields, 4));
        out.push_back(entry);
    }
    return out;
}

std::unordered_map<int, Designation> readDesignationList(const std::string& path) {
    const std::string text = readSourceFile(path, kMaxSourceBytes);
    const std::vector<std::string_view> lines = splitLines(text);
    std::unordered_map<int, Designation> out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = catalog::trimBlanksAndTabs(lines[n]);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t bar = line.find('|');
        const int hip = bar == std::string_view::npos ? 0 : catalogueNumber(line.substr(0, bar));
        if (hip == 0)
            throw DataError(where(path, n) + ": expected \"HIP|designation\"");
        // "α_And", "20_Lyn_A"
        const std::vector<std::string_view> parts = splitOn(line.substr(bar + 1), '_');
        addDesignation(parts[0], field(parts, 1), out[hip]);
    }
    return out;
}

std::unordered_map<int, Designation> readStarNames(const std::string& path) {
    const json doc = parseJson(readSourceFile(path, kMaxSourceBytes), path);
    if (!doc.is_object())
        throw DataError(path + ": expected an object keyed by HIP number");
    std::unordered_map<int, Designation> out;
    for (const auto& [key, entry] : doc.items()) {
        const int hip = catalogueNumber(key);
        if (hip == 0)
            throw DataError(fileName(path) + ": key \"" + key + "\" is no HIP number");
        Designation& designation = out[hip];
        designation.name = std::string(catalog::trimBlanksAndTabs(jsonText(member(entry, "name"))));
        const std::string constellation = jsonText(member(entry, "c"));
        addDesignation(jsonText(member(entry, "bayer")), constellation, designation);
        addDesignation(jsonText(member(entry, "flam")), constellation, designation);
    }
    return out;
}

std::unordered_map<int, Variability> readGcvs(const std::string& path) {
    const std::string text = readSourceFile(path, kMaxSourceBytes);
    const std::vector<std::string_view> lines = splitLines(text);
    std::unordered_map<int, Variability> out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (catalog::trimBlanksAndTabs(lines[n]).empty() ||
            catalog::trimBlanksAndTabs(lines[n]).front() == '#')
            continue;
        // HIP, designation, type, max, min flag, min, secondary min, system, epoch, period,
        // rise or eclipse duration, spectrum. A min flag 1 means the min column holds the
        // amplitude; 2 that the minimum is a limit.
        const std::vector<std::string_view> fields = splitOn(lines[n], '\t');
        const int hip = catalogueNumber(field(fields, 0));
        if (hip == 0)
            throw DataError(where(path, n) + ": no HIP number");
        Variability variability;
        variability.type = variabilityTypeCode(field(fields, 2));
        const std::optional<double> max = parseDouble(field(fields, 3));
        const std::optional<double> min = parseDouble(field(fields, 5));
        if (field(fields, 4) == "1") {
            if (min && *min >= 0.0)
                variability.amplitude = min;
        } else if (max && min && *min >= *max) {
            variability.amplitude = *min - *max;
        }
        if (const std::optional<double> period = parseDouble(field(fields, 9));
            period && *period > 0.0)
            variability.period = period;
        out.emplace(hip, variability); // the first entry of a star stays
    }
    return out;
}

std::unordered_map<int, double> readWdsSeparations(const std::string& path) {
    // The separation column holds at most 999.9: that value only says "at least", so it
    // counts as unknown, like 0.0 (unresolved).
    constexpr double kCappedSeparation = 999.9;
    const std::string text = readSourceFile(path, kMaxSourceBytes);
    const std::vector<std::string_view> lines = splitLines(text);
    std::unordered_map<int, double> out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (catalog::trimBlanksAndTabs(lines[n]).empty() ||
            catalog::trimBlanksAndTabs(lines[n]).front() == '#')
            continue;
        // HIP, WDS designation, year, position angle, separation
        const std::vector<std::string_view> words = splitWords(lines[n]);
        const int hip = catalogueNumber(field(words, 0));
        if (hip == 0)
            throw DataError(where(path, n) + ": no HIP number");
        const std::optional<double> separation = parseDouble(field(words, 4));
        if (separation && *separation > 0.0 && *separation < kCappedSeparation - 0.05)
            out.emplace(hip, *separation);
    }
    return out;
}

} // namespace datatool::stars
