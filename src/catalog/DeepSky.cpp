#include "catalog/DeepSky.h"

#include "catalog/AtomicFile.h"
#include "catalog/DataFiles.h"
#include "catalog/Constellations.h"
#include "catalog/LittleEndian.h"
#include "catalog/TextUtil.h"
#include "catalog/Windows1252.h"
#include "chart/BodyDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <system_error>
#include <utility>

namespace catalog {

namespace {

// A Windows-1252 text field of a fixed width as UTF-8: up to its first NUL (a field without
// one ends at its width), blanks trimmed at both ends.
std::string textField(const unsigned char* p, std::size_t width) {
    return windows1252ToUtf8(trimBlanks(upToNul(p, width)));
}

// A size or magnitude; anything that is not a finite number counts as not given.
float valueField(const unsigned char* p) {
    const float v = readF32(p);
    return std::isfinite(v) ? v : kNoDsoValue;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::filesystem::path& path) {
    return File(std::fopen(path.c_str(), "rb"));
}

// The four Messier objects that have no NGC or IC number.
struct BuiltInObject {
    std::string_view name; // empty: no names entry
    std::string_view listedDesignation;
    std::string_view type;
    double ra;
    double dec;
    std::string_view constellation;
    float size;
    float magnitude;
    int messier;
};

constexpr BuiltInObject kBuiltIn[4] = {
    {"Milky Way patch in Sgr", "M24", "   ", 18.288, -18.45, "Sgr", 60.0f, 2.0f, 24},
    {"Double star in UMa", "M40", "   ", 12.492, 58.1, "UMa", 0.0f, 6.0f, 40},
    {"Pleiades", "M45", "OC", 3.783, 24.12, "Tau", 120.0f, 1.2f, 45},
    {"", "", "   ", 14.053, 54.35, "UMa", 26.9f, 7.7f, 102},
};

constexpr double kDegreesPerRadian = 57.29578;

std::string htmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

constexpr std::string_view kImageCredit =
    "Atlas Image obtained as part of the Two Micron All Sky Survey (2MASS), a joint project of "
    "the University of Massachusetts and the Infrared Processing and Analysis "
    "Center/California Institute of Technology, funded by the National Aeronautics and Space "
    "Administration and the National Science Foundation.";

} // namespace

// ---- DsoObject

DsoObject::DsoObject(const DsoFields& f) : DeepSkyObject(f.ra, f.dec) {
    m_designation.assign(f.designation);
    m_type.assign(f.typeCode);
    m_constellation.assign(f.constellation);
    m_description.assign(f.description);
    m_constellationNumber = static_cast<std::uint8_t>(std::clamp(f.constellationNumber, 0, 255));
    m_size = f.size;
    m_magnitude = f.magnitude;
    m_magnitudeQualifier = f.magnitudeQualifier;
    m_messier = static_cast<std::uint8_t>(std::clamp(f.messier, 0, 255));
    m_namesIndex = static_cast<std::int16_t>(std::clamp(f.namesIndex, -32768, 32767));
    m_sourceCode = f.sourceCode;
}

bool DsoObject::assignRecord(std::span<const unsigned char, kDsoRecordSize> record,
                             const ConstellationData* constellations) {
    const unsigned char* p = record.data();
    const double ra = readF64(p + 16);
    const double dec = readF32(p + 24);
    if (!std::isfinite(ra) || !std::isfinite(dec))
        return false;

    const std::string designation = textField(p, 6);
    std::string type = textField(p + 6, 10);
    if (type.empty())
        type = " ";
    const std::string constellation = textField(p + 29, 7);
    const std::string description = textField(p + 45, 51);

    DsoFields f;
    f.designation = designation;
    f.typeCode = type;
    f.ra = ra;
    f.dec = dec;
    f.constellation = constellation;
    f.constellationNumber =
        constellations ? constellations->ConstellationNumber(constellation) : kNoDsoConstellation;
    f.size = valueField(p + 36);
    f.magnitude = valueField(p + 40);
    f.magnitudeQualifier = static_cast<char>(p[44]);
    f.description = description;
    f.namesIndex = readI16(p + 96);
    f.messier = p[98];
    f.sourceCode = static_cast<char>(p[28]);
    *this = DsoObject(f);
    return true;
}

bool DsoObject::outsideNgc() const {
    return m_messier == 24 || m_messier == 40 || m_messier == 45 || m_messier == 102;
}

void DsoObject::DrawTrueView(chart::DrawContext& ctx) {
    chart::DrawDeepSkyMark(ctx, *this);
}

void DsoObject::DrawStandardView(chart::DrawContext& ctx) {
    chart::DrawDeepSkyMark(ctx, *this);
}

void DsoObject::DrawRedView(chart::DrawContext& ctx) {
    chart::DrawDeepSkyMark(ctx, *this);
}

void DsoObject::DrawBlackWhiteView(chart::DrawContext& ctx) {
    chart::DrawDeepSkyMark(ctx, *this);
}

void DsoObject::PrintBlackWhite(chart::DrawContext& ctx) {
    chart::PrintDeepSkyMark(ctx, *this, true);
}

void DsoObject::PrintColour(chart::DrawContext& ctx) {
    chart::PrintDeepSkyMark(ctx, *this, false);
}

std::string DsoObject::GetName() const {
    if (outsideNgc())
        return messierText();
    return "NGC " + m_designation.str();
}

// ---- selection

bool PassesDsoSelection(const DsoObject& object, const DsoSelectionSettings& settings) {
    bool selected = false;
    switch (settings.mode) {
    case DsoSelectionSettings::All:
        selected = true;
        break;
    case DsoSelectionSettings::ByType: {
        const auto index = DsoTypeIndex(object.typeCode());
        selected = index && settings.typeSwitches[*index] != 0;
        break;
    }
    default: // OnlyMessier
        selected = object.messier() != 0;
        break;
    }
    if (!selected)
        return false;
    if (settings.sizeFilter && (object.size() == kNoDsoValue || object.size() < settings.minSize))
        return false;
    if (settings.magnitudeFilter &&
        (object.magnitude() == kNoDsoValue || object.magnitude() > settings.maxMagnitude))
        return false;
    if (settings.areaFilter) {
        const astro::SkyPoint centre(settings.areaCenterRa, settings.areaCenterDec);
        const double cosine = std::clamp(centre.dot(object), -1.0, 1.0);
        if (std::acos(cosine) * kDegreesPerRadian > settings.areaRadius)
            return false;
    }
    return true;
}

// ---- image table

std::span<const DsoImageEntry> KnownDsoImageRows() {
    static const std::vector<DsoImageEntry> rows = {
        {1, "5194", 51},   {1, "5195", 51},   {2, "", 45},       {3, "", 13},
        {4, "", 1},        {5, "", 2},        {126, "2371", -1}, {127, "2392", -1},
        {128, "3242", -1}, {129, "40", -1},   {130, "6369", -1}, {131, "6781", -1},
        {132, "6818", -1}, {133, "I418", -1}, {134, "I443", -1}, {135, "7317", -1},
    };
    return rows;
}

// ---- DsoCatalog

DsoCatalog::DsoCatalog() {
    m_objects.reserve(kReservedObjects);
}

void DsoCatalog::clear() {
    m_selectedList.items.clear();
    m_objects.clear();
    m_names.clear();
    m_images.clear();
}

void DsoCatalog::appendObject(const DsoObject& object) {
    // Growing the array may move the objects.
    m_selectedList.items.clear();
    m_objects.push_back(object);
    m_objects.back().setNamesList(&m_names);
}

std::size_t DsoCatalog::appendName(DsoNameEntry entry) {
    m_names.push_back(std::move(entry));
    return m_names.size() - 1;
}

void DsoCatalog::appendBuiltInObjects(const ConstellationData* constellations) {
    for (const BuiltInObject& b : kBuiltIn) {
        DsoFields f;
        f.designation = " ";
        f.typeCode = b.type;
        f.ra = b.ra;
        f.dec = b.dec;
        f.constellation = b.constellation;
        f.constellationNumber = constellations
                                    ? constellations->ConstellationNumber(b.constellation)
                                    : kNoDsoConstellation;
        f.size = b.size;
        f.magnitude = b.magnitude;
        f.messier = b.messier;
        f.description = " ";
        if (!b.name.empty())
            f.namesIndex = static_cast<int>(
                appendName({std::string(b.name), std::string(b.listedDesignation)}));
        appendObject(DsoObject(f));
    }
}

void DsoCatalog::readObjects(const std::filesystem::path& file,
                             const ConstellationData* constellations, DsoLoadResult& result) {
    const File in = openFile(file);
    if (!in) {
        result.problems.push_back("Cannot open the deep-sky catalogue \"" + file.string() + "\".");
        return;
    }
    if (std::string damage = RecordFileDamage(file, kDsoRecordSize); !damage.empty())
        result.damaged.push_back(std::move(damage));
    std::array<unsigned char, kDsoRecordSize> record;
    std::size_t skipped = 0;
    for (;;) {
        if (std::fread(record.data(), 1, record.size(), in.get()) < record.size())
            break;
        if (result.fileObjects + skipped >= kMaxFileObjects) {
            result.problems.push_back("\"" + file.string() + "\" holds more than " +
                                      std::to_string(kMaxFileObjects) +
                                      " records; the rest is ignored.");
            break;
        }
        DsoObject object;
        if (!object.assignRecord(record, constellations)) {
            ++skipped;
            continue;
        }
        appendObject(object);
        ++result.fileObjects;
    }
    if (skipped > 0)
        result.problems.push_back(std::to_string(skipped) + " records of \"" + file.string() +
                                  "\" without a valid position are skipped.");
}

void DsoCatalog::readNames(const std::filesystem::path& file, DsoLoadResult& result) {
    const File in = openFile(file);
    if (!in) {
        result.problems.push_back("Cannot open the deep-sky names \"" + file.string() + "\".");
        return;
    }
    if (std::string damage = RecordFileDamage(file, kDsoNameRecordSize); !damage.empty())
        result.damaged.push_back(std::move(damage));
    std::array<unsigned char, kDsoNameRecordSize> record;
    for (;;) {
        if (std::fread(record.data(), 1, record.size(), in.get()) < record.size())
            break;
        if (m_names.size() >= kMaxFileNames) {
            result.problems.push_back("\"" + file.string() + "\" holds more than " +
                                      std::to_string(kMaxFileNames) +
                                      " names; the rest is ignored.");
            break;
        }
        appendName({textField(record.data(), 42), textField(record.data() + 42, 29)});
        ++result.fileNames;
    }
}

DsoLoadResult DsoCatalog::LoadDsoCatalog(const std::filesystem::path& dataDir,
                                         const ConstellationData* constellations) {
    clear();
    DsoLoadResult result;
    readObjects(dataDir / kCatalogFile, constellations, result);
    readNames(dataDir / kNamesFile, result);
    appendBuiltInObjects(constellations);

    std::vector<DsoImageEntry> images;
    const std::filesystem::path imagesDir = dataDir / kImagesFolder;
    for (const DsoImageEntry& row : KnownDsoImageRows()) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(imagesDir / DsoImageFileName(row.imageNumber), ec))
            images.push_back(row);
    }
    SetImageTable(std::move(images));
    return result;
}

void DsoCatalog::SetImageTable(std::vector<DsoImageEntry> table) {
    m_images = std::move(table);
    for (DsoObject& o : m_objects)
        o.setImageNumber(kNoDsoImage);
    for (const DsoImageEntry& e : m_images) {
        for (DsoObject& o : m_objects) {
            if (!e.designation.empty() && equalsIgnoringCase(o.designation(), e.designation))
                o.setImageNumber(e.imageNumber);
            else if (e.messier > 0 && o.messier() == e.messier)
                o.setImageNumber(e.imageNumber);
        }
    }
}

const DsoNameEntry* DsoCatalog::nameEntry(const DsoObject& object) const {
    const int index = object.namesIndex();
    if (index == kNoDsoName || index < 0 || static_cast<std::size_t>(index) >= m_names.size())
        return nullptr;
    return &m_names[static_cast<std::size_t>(index)];
}

std::string_view DsoCatalog::commonName(const DsoObject& object) const {
    const DsoNameEntry* e = nameEntry(object);
    return e ? std::string_view(e->commonName) : std::string_view();
}

std::string_view DsoCatalog::listedDesignation(const DsoObject& object) const {
    const DsoNameEntry* e = nameEntry(object);
    return e ? std::string_view(e->designation) : std::string_view();
}

void DsoCatalog::ApplyDsoSelection(const DsoSelectionSettings& settings) {
    m_selectedList.items.clear();
    m_selectedList.items.reserve(m_objects.size());
    for (DsoObject& o : m_objects) {
        const bool on = PassesDsoSelection(o, settings);
        o.setSelected(on);
        if (on)
            m_selectedList.items.push_back(&o);
    }
}

// ---- image pages

std::string DsoImageFileName(int imageNumber) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d.jpg", imageNumber);
    return buf;
}

std::filesystem::path DsoImagePagePath(const std::filesystem::path& imagesDir, int counter) {
    return imagesDir / ("temp_" + std::to_string(counter) + ".htm");
}

std::string DsoImagePageTitle(const DsoCatalog& catalog, const DsoObject& object) {
    std::string title = object.outsideNgc() ? std::string("Non NGC object")
                                            : "NGC " + std::string(object.designation());
    if (object.messier() != 0)
        title += "   (" + object.messierText() + ")";
    title += "      ";
    title += catalog.commonName(object);
    const std::string_view listed = catalog.listedDesignation(object);
    if (!listed.empty()) {
        title += '\n';
        title += listed;
    }
    return title;
}

std::string DsoImagePageHtml(const DsoCatalog& catalog, const DsoObject& object) {
    const std::string title = htmlEscaped(DsoImagePageTitle(catalog, object));
    std::string page;
    page += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>" + title + "</title>\n</head>\n";
    page += "<body bgcolor=\"#000000\" text=\"#808080\">\n";
    // The heading keeps its blanks and line feed as they are.
    page += "<h1 align=\"center\" style=\"white-space: pre-wrap\">" + title + "</h1>\n";
    page += "<p align=\"center\"><img src=\"" + DsoImageFileName(object.imageNumber()) +
            "\" alt=\"" + htmlEscaped(object.GetName()) + "\"></p>\n";
    page += "<blockquote><font face=\"Arial\" size=\"1\">";
    page += kImageCredit;
    page += "</font></blockquote>\n";
    page += "<hr width=\"80%\" color=\"#808080\">\n";
    page += "<p align=\"center\"><font face=\"Arial\" size=\"1\">Skyvane deep-sky atlas"
            "</font></p>\n";
    page += "</body>\n</html>\n";
    return page;
}

std::string WriteDsoImagePage(const DsoCatalog& catalog, const DsoObject& object,
                              const std::filesystem::path& pagePath) {
    if (object.imageNumber() == kNoDsoImage)
        return object.GetName() + " has no atlas image.";
    AtomicWriteFailure failure;
    if (writeFileAtomically(pagePath, DsoImagePageHtml(catalog, object), &failure))
        return {};
    if (failure.step == AtomicWriteFailure::Step::Rename)
        return "Cannot write the image page \"" + failure.target.string() + "\": " + failure.reason;
    return "Cannot write the image page \"" + failure.temporary.string() + "\".";
}

} // namespace catalog
