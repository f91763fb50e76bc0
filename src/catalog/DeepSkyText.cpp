#include "catalog/DeepSkyText.h"

#include "catalog/TextUtil.h"

#include <cstddef>
#include <cstdio>

namespace catalog {

namespace {

constexpr std::array<std::string_view, kDsoTypeCount> kTypeTexts = {
    "Galaxy",
    "Open star cluster",
    "Globular star cluster, usually in the Milky Way Galaxy",
    "Bright emission or reflection nebula",
    "Planetary nebula",
    "Cluster associated with nebulosity",
    "Asterism or group of a few stars",
    "Knot or nebulous region in an external galaxy",
    "Triple star",
    "Double star",
    "Single star",
    "Uncertain type or may not exist",
    "Unidentified at the place given, or type unknown",
    "Object called nonexistent in the RNGC (Sulentic and Tifft 1973)",
    "Photographic plate defect",
};

struct SourceReference {
    char code;
    std::string_view text;
};

// The references of the catalogue's source list with its (NGC, IC) counts.
constexpr std::array<SourceReference, 18> kSources = {{
    {'A', "Archinal, B.A.: unpublished list of errata to the RNGC, version 4.0, dated 1987 "
          "March 19 (110, 0)"},
    {'a', "Arp, H., 1966, Atlas of Peculiar Galaxies, ApJS 14, 1 (1, 2)"},
    {'c', "Corwin, H.G. Jr., de Vaucouleurs, A., de Vaucouleurs, G., 1985, Southern Galaxy "
          "Catalogue, Univ. of Texas Monographs in Astronomy No. 4, Austin (152, 564)"},
    {'d', "Dreyer, J.L.E., New General Catalogue (1888), Index Catalogue (1895), Second Index "
          "Catalogue (1908); Royal Astronomical Society reprint, London 1953 (28, 2157)"},
    {'D', "Dreyer, J.L.E., same volume: errata on pp. 237, 281-283 and 366-378 (158, 28)"},
    {'F', "Skiff, B.: private communication, 1988 February 27 (93, 36)"},
    {'h', "Holmberg, E., 1937, A Study of Double and Multiple Galaxies, Lund Annals 6 (13, 2)"},
    {'k', "Karachentsev, I.D., A Catalogue of Isolated Pairs of Galaxies in the Northern "
          "Hemisphere; also Karachentseva, V.E., A Catalog of Isolated Galaxies; Astrofiz. Issled. "
          "Izv. Spetz. Astrofiz. 7, 3 (1972) and 8, 3 (1973) (0, 4)"},
    {'m', "Vorontsov-Velyaminov, B.A., Arhipova, V.P., Morphological Catalog of Galaxies, parts "
          "I-V, Moscow State University, 1962-74 (9, 679)"},
    {'n', "Reinmuth, K., Photographische Positionsbestimmung von Nebelflecken, "
          "Ver\u00f6ffentlichungen der Sternwarte zu Heidelberg, several papers 1916-40 (0, 4)"},
    {'o', "Alter, G., Bal\u00e1zs, B., Ruprecht, J., 1970, Catalogue of Star Clusters and "
          "Associations, 2nd ed., Akad\u00e9miai Kiad\u00f3, Budapest (5, 0)"},
    {'r', "Sulentic, J.W., Tifft, W.G., 1973, The Revised New General Catalogue of Nonstellar "
          "Astronomical Objects (RNGC), University of Arizona Press, Tucson (4016, 0)"},
    {'s', "Hirshfeld, A., Sinnott, R.W. (eds.), 1985, Sky Catalogue 2000.0, vol. 2, Sky "
          "Publishing Corp. and Cambridge University Press (3098, 238)"},
    {'t', "Tully, R.B., 1988, Nearby Galaxies Catalog, Cambridge University Press (23, 17)"},
    {'u', "Nilson, P.N., 1973, Uppsala General Catalogue of Galaxies, Uppsala Astronomical "
          "Observatory (15, 543)"},
    {'v', "de Vaucouleurs, G., de Vaucouleurs, A., Corwin, H.G. Jr., 1976, Second Reference "
          "Catalogue of Bright Galaxies, University of Texas Press, Austin (118, 206)"},
    {'x', "Dixon, R.S., Sonneborn, G., 1980, A Master List of Nonstellar Optical Astronomical "
          "Objects (MOL), Ohio State University Press, Columbus; IC objects identified by these "
          "authors in a literature search (0, 526)"},
    {'z', "Zwicky, F., Herzog, E., Wild, P., 1961, Catalogue of Galaxies and Clusters of "
          "Galaxies, vol. I, California Institute of Technology, Pasadena, and later volumes to "
          "1968 (1, 380)"},
}};

constexpr std::array<DsoAbbreviation, kDsoAbbreviationCount> kAbbreviations = {{
    {"ab", "about"},
    {"alm", "almost"},
    {"am", "among"},
    {"annul", "annular nebula (ring nebula)"},
    {"att", "attached"},
    {"b", "brighter"},
    {"bet", "between"},
    {"biN", "binuclear"},
    {"bn", "brightest to north side"},
    {"bs", "brightest to south side"},
    {"bp", "brightest to westward side"},
    {"bf", "brightest to eastward side"},
    {"B", "bright"},
    {"c", "considerably"},
    {"chev", "chevelure"},
    {"co", "coarse"},
    {"com", "cometic(cometary form)"},
    {"comp", "companion"},
    {"conn", "connected"},
    {"cont", "in contact"},
    {"C", "compressed"},
    {"Cl", "cluster"},
    {"d", "diameter"},
    {"def", "defined"},
    {"dif", "diffused"},
    {"diffic", "difficult"},
    {"dist", "distance(distant)"},
    {"D", "double"},
    {"e", "extremely(excessively)"},
    {"ee", "most extremely"},
    {"er", "easily resolvable"},
    {"exc", "excentric"},
    {"E", "extended"},
    {"f", "following(eastward)"},
    {"F", "faint"},
    {"g", "gradually"},
    {"glob.", "globular"},
    {"gr", "group"},
    {"i", "irregular"},
    {"iF", "irregular figure"},
    {"inv", "involved(involving)"},
    {"l", "little(long)"},
    {"L", "large"},
    {"m", "much"},
    {"M", "middle(in the middle)"},
    {"n", "north"},
    {"neb", "nebula"},
    {"nebs", "nebulous"},
    {"neby", "nebulosity"},
    {"nf", "north following"},
    {"np", "north preceding"},
    {"ns", "north-south"},
    {"nr", "near"},
    {"N", "nucleus(to a nucleus)"},
    {"p", "preceding(westward)"},
    {"pf", "preceding-following"},
    {"pF", "pretty faint"},
    {"pB", "pretty bright"},
    {"pL", "pretty large"},
    {"pS", "pretty small in angular size"},
    {"pg", "pretty gradually"},
    {"pm", "pretty much"},
    {"ps", "pretty suddenly"},
    {"plan", "planetary nebula"},
    {"prob", "probably"},
    {"P", "poor (sparse) in stars"},
    {"PN", "planetary nebula"},
    {"r", "resolvable (mottled, not resolved)"},
    {"rr", "partially resolved, some stars seen"},
    {"rrr", "well resolved, clearly consisting of stars"},
    {"R", "round"},
    {"RR", "exactly round"},
    {"Ri", "rich in stars"},
    {"s", "suddenly(abruptly)(south)"},
    {"sf", "south following"},
    {"sp", "south preceding"},
    {"sc", "scattered"},
    {"sev", "several"},
    {"st", "stars"},
    {"stell", "stellar(pointlike)"},
    {"susp", "suspected"},
    {"S", "small in angular size"},
    {"S*", "small (faint) star"},
    {"trap", "trapezium"},
    {"triangle", "triangle(forms a triangle with)"},
    {"triN", "trinuclear"},
    {"v", "very"},
    {"vv", "_very_"},
    {"var", "variable"},
    {"*", "a single star"},
    {"**", "double star"},
    {"***", "triple star"},
    {"!", "remarkable"},
    {"!!", "very much so"},
    {"!!!", "a magnificent or otherwise interesting object"},
    {"only", "only"},
    {"not", "not"},
    {"stellar", "stellar"},
    {"line", "line"},
    {"close", "close"},
    {"no", "no"},
    {"description", "description"},
    {"at", "at"},
    {"verified", "verified"},
    {"and", "and"},
    {"end", "end"},
    {"one", "one"},
    {"around", "around"},
    {"or", "or"},
    {"nebula", "nebula"},
    {"corner", "corner"},
    {"centre", "centre"},
    {"of", "of"},
    {"faintest", "faintest"},
    {"brightest", "brightest"},
    {"perhaps", "perhaps"},
    {"several", "several"},
    {"train", "train"},
    {"others", "others"},
    {"like", "like"},
    {"triple", "triple"},
    {"edge", "edge"},
    {"greater", "greater"},
    {"nearly", "nearly"},
    {"suspected", "suspected"},
    {"group", "group"},
    {"about", "about"},
    {"with", "with"},
    {"wisps", "wisps"},
    {"beta", "beta"},
    {"And", "And"},
    {"chiefly", "chiefly"},
    {"parallel", "parallel"},
    {"nonexistent", "nonexistent"},
    {"Polarissima", "Polarissima"},
    {"Australis", "Australis"},
    {"near", "near"},
    {"curved", "curved"},
    {"faint", "faint"},
    {"star", "star"},
}};

bool isTokenEnd(char c) {
    return c == ' ' || c == ',' || c == ';';
}

} // namespace

std::optional<std::size_t> DsoTypeIndex(std::string_view code) {
    for (std::size_t i = 0; i < kDsoTypeCodes.size(); ++i)
        if (equalsIgnoringCase(code, kDsoTypeCodes[i]))
            return i;
    return std::nullopt;
}

std::string_view DsoTypeText(std::string_view code) {
    const auto index = DsoTypeIndex(code);
    return index ? kTypeTexts[*index] : std::string_view();
}

std::string_view DsoSourceText(char code) {
    for (const SourceReference& s : kSources)
        if (s.code == code)
            return s.text;
    return {};
}

std::string DsoMessierText(int messier) {
    if (messier == 0)
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "M%d", messier);
    return buf;
}

const std::array<DsoAbbreviation, kDsoAbbreviationCount>& DsoAbbreviations() {
    return kAbbreviations;
}

std::optional<std::string_view> ExpandAbbreviation(std::string_view token) {
    for (const DsoAbbreviation& a : kAbbreviations)
        if (a.key == token)
            return a.expansion;
    return std::nullopt;
}

namespace {

// Whether the letters of a run split completely into abbreviations, each the longest key
// that starts where the previous one ended ("vF" = "v" "F", "bM" = "b" "M"); figures and
// marks between them ("*10", "60'") stay as they are.
bool splitsIntoAbbreviations(std::string_view run) {
    std::size_t p = 0;
    while (p < run.size()) {
        std::size_t longest = 0;
        for (std::size_t len = 1; p + len <= run.size(); ++len)
            if (ExpandAbbreviation(run.substr(p, len)))
                longest = len;
        if (longest == 0) {
            const char c = run[p];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                return false;
            longest = 1;
        }
        p += longest;
    }
    return true;
}

} // namespace

std::string ExpandDescription(std::string_view description) {
    std::string d(trimBlanks(description));
    d += ' ';
    const std::size_t n = d.size();

    std::string result;
    std::string token;
    std::string_view expansion;
    bool matched = false;
    std::size_t mark = 0;
    // Every step back resumes right after a position of the current run, so the scan ends;
    // the bound only guards that reasoning.
    std::size_t steps = 0;
    const std::size_t maxSteps = (n + 2) * (n + 2);

    for (std::size_t i = 0; i < n && steps < maxSteps; ++i, ++steps) {
        if (i > 0 && d[i - 1] == ';') {
            result.append(d, i, std::string::npos);
            break;
        }
        if (d[i] == '(') {
            const std::size_t close = d.find(')', i);
            const std::size_t end = close == std::string::npos ? n : close;
            result.append(d, i, end - i);
            result += ')';
            mark = end;
            i = end;
            continue;
        }
        if (!isTokenEnd(d[i]) && i + 1 != n) {
            // A plain word ("south", "from", "zeta") is not a string of abbreviations:
            // splitting it would print "suddenly(abruptly)(south) outh ..."; it is copied
            // as it stands.
            if (token.empty() && (i == 0 || isTokenEnd(d[i - 1]))) {
                std::size_t end = i;
                while (end + 1 < n && !isTokenEnd(d[end]) && d[end] != '(')
                    ++end;
                if (!splitsIntoAbbreviations(std::string_view(d).substr(i, end - i))) {
                    result.append(d, i, end - i);
                    mark = end - 1;
                    i = end - 1;
                    continue;
                }
            }
            token += d[i];
            if (const auto found = ExpandAbbreviation(token)) {
                expansion = *found;
                matched = true;
                mark = i;
            }
            continue;
        }
        // d[i] ends the run.
        if (d[i] == ' ' && i > 0 && d[i - 1] == ',')
            ++mark;
        if (matched) {
            result += expansion;
        } else {
            result += token;
            mark = i;
        }
        const std::ptrdiff_t back =
            static_cast<std::ptrdiff_t>(i) - static_cast<std::ptrdiff_t>(mark);
        if (back < 2)
            result += d[i];
        else
            result += ' ';
        token.clear();
        expansion = {};
        matched = false;
        if (back > 1)
            i = mark; // resume right after the longest matched start
    }
    return result;
}

} // namespace catalog
