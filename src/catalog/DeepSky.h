#pragma once

#include "astro/SkyPoint.h"
#include "catalog/DeepSkyText.h"
#include "chart/DeepSkyObject.h"
#include "chart/SkyObjects.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

class ConstellationData;

// Sizes of the records of the deep-sky files.
inline constexpr std::size_t kDsoRecordSize = 104;
inline constexpr std::size_t kDsoNameRecordSize = 71;

// The names index of an object without a names-list entry.
inline constexpr int kNoDsoName = 1000;
// A size or magnitude that the catalogue does not give.
inline constexpr float kNoDsoValue = -100.0f;
// The image number of an object without an atlas image.
inline constexpr int kNoDsoImage = -1;
// The constellation number of an object whose abbreviation names no known constellation
// (ConstellationData::kNoConstellation).
inline constexpr int kNoDsoConstellation = 89;

// A text of at most N - 1 bytes kept inside the object, so that the objects hold no heap
// storage. A longer text is cut at a UTF-8 character boundary.
template <std::size_t N> class FixedText {
    static_assert(N >= 2 && N <= 256);

public:
    void assign(std::string_view text) {
        std::size_t n = text.size() < N ? text.size() : N - 1;
        if (n < text.size())
            while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
                --n;
        for (std::size_t i = 0; i < n; ++i)
            m_bytes[i] = text[i];
        m_size = static_cast<std::uint8_t>(n);
    }
    std::string_view view() const { return std::string_view(m_bytes.data(), m_size); }
    std::string str() const { return std::string(view()); }

private:
    std::array<char, N> m_bytes{};
    std::uint8_t m_size = 0;
};

// Everything a deep-sky object is built from; texts in UTF-8.
struct DsoFields {
    std::string_view designation;   // "224", "I434"; " " for the objects outside NGC/IC
    std::string_view typeCode;      // "Gx", "OC", ...
    double ra = 0.0;                // hours, J2000
    double dec = 0.0;               // degrees, J2000
    std::string_view constellation; // abbreviation, "And"
    int constellationNumber = kNoDsoConstellation;
    float size = kNoDsoValue; // arc minutes
    float magnitude = kNoDsoValue;
    char magnitudeQualifier = ' '; // 'p': photographic
    int messier = 0;               // 0: none
    int namesIndex = kNoDsoName;
    char sourceCode = ' ';
    std::string_view description; // abbreviated, as in the catalogue
};

// An object of NGC 2000.0, or one of the four Messier objects outside it.
struct DsoNameEntry;

class DsoObject : public chart::DeepSkyObject {
public:
    DsoObject() = default;
    explicit DsoObject(const DsoFields& fields);

    // A 104-byte record of "ngc2000.skd". Texts are Windows-1252 in the file; a text field
    // without a terminating NUL is taken in its full width; blanks around the designation,
    // type code and description are dropped, and a blank type code is kept as " " (type
    // unknown). A size or magnitude that is not a finite number counts as not given. The
    // constellation number comes from the constellation list when one is given. Returns
    // false (and leaves the object alone) when the position is not a pair of finite numbers.
    bool assignRecord(std::span<const unsigned char, kDsoRecordSize> record,
                      const ConstellationData* constellations);

    // "M24", "M40", "M45", "M102" for the four objects outside NGC/IC, else "NGC " followed
    // by the designation (IC objects included: "NGC I434").
    std::string GetName() const override;
    int GetType() const override { return astro::KindDeepSky; }
    // GetMagnitude and GetNumber stay the base class's (-100): the chart draws deep-sky
    // objects by their selected flag, not by a magnitude limit.

    // On the chart every object, whatever its type or size, is the same small mark in the
    // deep-sky point colour; on paper a small ring.
    void DrawTrueView(chart::DrawContext& ctx) override;
    void DrawStandardView(chart::DrawContext& ctx) override;
    void DrawRedView(chart::DrawContext& ctx) override;
    void DrawBlackWhiteView(chart::DrawContext& ctx) override;
    void PrintBlackWhite(chart::DrawContext& ctx) override;
    void PrintColour(chart::DrawContext& ctx) override;

    // True for the Messier numbers 24, 40, 45 and 102.
    bool outsideNgc() const;

    std::string_view designation() const { return m_designation.view(); }
    std::string_view typeCode() const { return m_type.view(); }
    std::string_view constellation() const { return m_constellation.view(); }
    int constellationNumber() const { return m_constellationNumber; }
    float size() const { return m_size; }
    float magnitude() const { return m_magnitude; }
    char magnitudeQualifier() const { return m_magnitudeQualifier; }
    int messier() const { return m_messier; }
    int namesIndex() const { return m_namesIndex; }
    char sourceCode() const { return m_sourceCode; }
    std::string_view description() const { return m_description.view(); }

    bool selected() const { return m_selected != 0; }
    void setSelected(bool on) { m_selected = on ? 1 : 0; }
    int imageNumber() const { return m_imageNumber; }
    void setImageNumber(int number) { m_imageNumber = number; }

    // The texts of the object.
    std::string_view typeText() const { return DsoTypeText(typeCode()); }
    std::string_view sourceText() const { return DsoSourceText(m_sourceCode); }
    std::string messierText() const { return DsoMessierText(m_messier); }
    std::string expandedDescription() const { return ExpandDescription(description()); }

    // The chart label: the designation ("224", "I418"), "M%d" of the Messier number, or the
    // common name from the names list the object belongs to.
    std::string labelText(int mode) const override;
    float labelMagnitude() const override { return m_magnitude; }
    // The names list of the object's catalogue; the catalogue sets it when it takes the
    // object. Without it the object has no common name.
    void setNamesList(const std::vector<DsoNameEntry>* names) { m_namesList = names; }

private:
    FixedText<16> m_designation;   // 5 characters
    FixedText<16> m_type;          // 3 characters
    FixedText<24> m_constellation; // 3 characters
    FixedText<152> m_description;  // 50 characters
    std::uint8_t m_constellationNumber = kNoDsoConstellation;
    float m_size = kNoDsoValue;
    float m_magnitude = kNoDsoValue;
    char m_magnitudeQualifier = ' ';
    std::uint8_t m_messier = 0;
    int m_selected = 0;
    std::int16_t m_namesIndex = kNoDsoName;
    int m_imageNumber = kNoDsoImage;
    char m_sourceCode = ' ';
    const std::vector<DsoNameEntry>* m_namesList = nullptr;
};

// One entry of the names list: the common name and the designation it is listed under.
struct DsoNameEntry {
    std::string commonName;
    std::string designation;
};

inline std::string DsoObject::labelText(int mode) const {
    switch (mode) {
    case chart::DeepSkyLabelNgc: {
        // The four objects outside NGC/IC have a blank designation.
        const std::string_view d = designation();
        return d.find_first_not_of(' ') == std::string_view::npos ? std::string() : std::string(d);
    }
    case chart::DeepSkyLabelMessier:
        return messierText();
    case chart::DeepSkyLabelCommonName:
        if (m_namesList && m_namesIndex >= 0 && m_namesIndex != kNoDsoName &&
            static_cast<std::size_t>(m_namesIndex) < m_namesList->size())
            return (*m_namesList)[static_cast<std::size_t>(m_namesIndex)].commonName;
        return {};
    default:
        return {};
    }
}

// One row of the image table: the image "%04d.jpg" of imageNumber belongs to the object
// with this designation (compared without regard to letter case; empty: none) or, failing
// that, to the object with this Messier number (-1: none).
struct DsoImageEntry {
    int imageNumber = 0;
    std::string designation;
    int messier = -1;
};

// The rows of the image table that are known without the atlas: the first six and the last
// ten of its 138 rows. The loader keeps those whose image file is present.
std::span<const DsoImageEntry> KnownDsoImageRows();

// The deep-sky part of the chart settings ("NGC" section): which objects the chart
// considers. Defaults are those of a new chart.
struct DsoSelectionSettings {
    enum Mode : int {
        All = 1,         // every object
        OnlyMessier = 2, // objects with a Messier number
        ByType = 3,      // objects whose type switch is on
    };
    int mode = OnlyMessier; // "GenSelFlag"; any other value selects as OnlyMessier
    // In the order of kDsoTypeCodes; keys kDsoTypeSwitchKeys.
    std::array<int, kDsoTypeCount> typeSwitches{};

    int sizeFilter = 0;         // "chSizeFilter"
    float minSize = 20.0f;      // "EdMaxSize", arc minutes: smaller objects are left out
    int magnitudeFilter = 0;    // "chMagnFilter"
    float maxMagnitude = 12.0f; // "EdMaxMagn": fainter objects are left out

    int areaFilter = 0;         // "chAreaFilter"
    double areaCenterRa = 0.0;  // "AreaCenterRA", hours
    double areaCenterDec = 0.0; // "AreaCenterDec", degrees
    double areaRadius = 5.0;    // "EdRadius", degrees
    // The target fields of the area filter as the dialog shows them.
    int areaRaHours = 6;        // "edRAHour"
    float areaRaMinutes = 0.0f; // "EdRAMin"
    float areaDec = 0.0f;       // "EdDecl"
    int areaAzDegrees = 0;      // "edAzDeg"
    float areaAzMinutes = 0.0f; // "EdAzMin"
    double areaAltitude = 0.0;  // "EdAlt"
};

// True when an object passes the selection: the mode first, then each filter that is on.
// The size and magnitude filters drop objects without a size or magnitude.
bool PassesDsoSelection(const DsoObject& object, const DsoSelectionSettings& settings);

// What LoadDsoCatalog read, with the problems it met (files missing, short final records,
// records skipped); the loading goes on past every one of them.
struct DsoLoadResult {
    std::size_t fileObjects = 0;
    std::size_t fileNames = 0;
    std::vector<std::string> problems;
    // One line for each of the two files whose size is not a whole number of records; its
    // whole records were read.
    std::vector<std::string> damaged;
};

// The deep-sky catalogue of the program: NGC 2000.0 with the four Messier objects outside
// it, the names list and the image table. Built once at start-up; afterwards only the
// selected flags change.
class DsoCatalog {
public:
    static constexpr std::size_t kReservedObjects = 13226;
    // Guards against absurd files. The names list stops below the names index 1000 ("none")
    // less the three entries of the built-in objects.
    static constexpr std::size_t kMaxFileObjects = 65536;
    static constexpr std::size_t kMaxFileNames = kNoDsoName - 3;

    static constexpr const char* kCatalogFile = "ngc2000.skd";
    static constexpr const char* kNamesFile = "ngc2000names.skd";
    static constexpr const char* kImagesFolder = "Images";

    DsoCatalog();
    // The selected list points into the objects.
    DsoCatalog(const DsoCatalog&) = delete;
    DsoCatalog& operator=(const DsoCatalog&) = delete;

    // Reads the catalogue and the names list of dataDir record by record to their ends (a
    // missing file gives no records), appends the four built-in objects with their names
    // entries, and fills the image table with the known rows whose image file is in
    // dataDir/Images. The constellation list, when given, numbers the objects'
    // constellations. Replaces whatever was loaded before; nothing is selected afterwards.
    DsoLoadResult LoadDsoCatalog(const std::filesystem::path& dataDir,
                                 const ConstellationData* constellations = nullptr);

    std::span<DsoObject> objects() { return m_objects; }
    std::span<const DsoObject> objects() const { return m_objects; }
    const std::vector<DsoNameEntry>& names() const { return m_names; }
    const std::vector<DsoImageEntry>& imageTable() const { return m_images; }

    // Building blocks of the loader, also for programs that make a catalogue of their own.
    void clear();
    void appendObject(const DsoObject& object);
    // Returns the position of the new entry.
    std::size_t appendName(DsoNameEntry entry);
    // The four objects outside NGC/IC, each after its names entry.
    void appendBuiltInObjects(const ConstellationData* constellations = nullptr);
    // Replaces the image table and sets every object's image number from it: an entry gives
    // its number to the objects whose designation equals its own without regard to letter
    // case, else to those with its Messier number; a later entry overrides an earlier one.
    void SetImageTable(std::vector<DsoImageEntry> table);

    // The names entry of an object; null when it has none or its index lies outside the list.
    const DsoNameEntry* nameEntry(const DsoObject& object) const;
    std::string_view commonName(const DsoObject& object) const;
    std::string_view listedDesignation(const DsoObject& object) const;

    // Sets every object's selected flag and rebuilds the selected list.
    void ApplyDsoSelection(const DsoSelectionSettings& settings);
    // The selected objects, in catalogue order, as the chart draws them
    // (chart::ChartObjects::deepSky).
    chart::SkyObjectList& selectedList() { return m_selectedList; }
    std::size_t selectedCount() const { return m_selectedList.size(); }

private:
    class SelectedList final : public chart::SkyObjectList {
    public:
        std::size_t size() const override { return items.size(); }
        astro::SkyPoint* at(std::size_t i) override { return items[i]; }
        std::vector<DsoObject*> items;
    };

    void readObjects(const std::filesystem::path& file, const ConstellationData* constellations,
                     DsoLoadResult& result);
    void readNames(const std::filesystem::path& file, DsoLoadResult& result);

    std::vector<DsoObject> m_objects;
    std::vector<DsoNameEntry> m_names;
    std::vector<DsoImageEntry> m_images;
    SelectedList m_selectedList;
};

// ---- atlas image pages

// "0045.jpg".
std::string DsoImageFileName(int imageNumber);
// "temp_3.htm" in the images folder: the page of the fourth image shown in this run.
std::filesystem::path DsoImagePagePath(const std::filesystem::path& imagesDir, int counter);
// The title and heading of the page: "NGC " and the designation, or "Non NGC object" for the
// four objects outside NGC/IC; "   (M45)" with a Messier number; six blanks and the common
// name; a line feed and the listed designation when there is one.
std::string DsoImagePageTitle(const DsoCatalog& catalog, const DsoObject& object);
// The HTML page that shows an object's atlas image. It names the image by its bare file
// name, so it belongs in the images folder.
std::string DsoImagePageHtml(const DsoCatalog& catalog, const DsoObject& object);
// Writes the page to pagePath through a temporary file and a rename. Returns an empty text on
// success, else a message naming the file; an object without an image gets no page.
std::string WriteDsoImagePage(const DsoCatalog& catalog, const DsoObject& object,
                              const std::filesystem::path& pagePath);

} // namespace catalog
