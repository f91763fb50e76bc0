#pragma once

#include "astro/SkyPoint.h"
#include "chart/SkyObjects.h"
#include "chart/StarObject.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

class TychoStore;

// Sizes of the records of the star files.
inline constexpr std::size_t kSky2000RecordSize = 64;
inline constexpr std::size_t kBrightRecordSize = 36;
inline constexpr std::size_t kTychoRecordSize = 20;

// The value a file stores for "no magnitude" (-10000 thousandths), as a magnitude.
inline constexpr float kNoStarMagnitude = -10.0f;
// The value the multiple-star and variability fields hold when absent.
inline constexpr float kNoStarValue = -100.0f;
inline constexpr int kNoVariabilityType = -100;

// Colour class of a spectral type, from its first letter: 'M' 0, 'K' 1, 'G' 2, 'F' 3, 'A' 4,
// 'B' 5, 'O' 6, anything else 7.
std::uint8_t SpectralClassIndex(char firstLetter);

// Colour class of a star whose spectral type is unknown, from its colour index B-V:
//   B-V <  -0.30          O (6)
//   -0.30 <= B-V < -0.02  B (5)
//   -0.02 <= B-V <  0.30  A (4)
//    0.30 <= B-V <  0.58  F (3)
//    0.58 <= B-V <  0.81  G (2)
//    0.81 <= B-V <  1.40  K (1)
//    1.40 <= B-V          M (0)
// The boundaries are the colours of main-sequence stars at B9.5/A0, F0, G0, K0 and M0 and the
// blue edge of the B stars.
std::uint8_t SpectralClassFromColour(double bMinusV);

// The letter that shows a Bayer letter code (1..24, alpha..omega) in the Symbol font: 1 'a',
// 2 'b', 3 'g', ... 24 'w'. Any other code gives '-', no Bayer letter. (The mapping lives
// with the chart, which writes the letters: chart/BayerLetters.h.)
char BayerLetterChar(int code);
// The Greek letter of a Bayer letter code as UTF-8 ("α" .. "ω"); empty for no letter.
std::string_view BayerLetterUtf8(int code);

// The text of a variability type code (1 "eruptive" .. 6 "intense variable X-ray sources");
// empty for any other code.
std::string_view VariabilityText(int code);

// A faint star: Tycho-2 identifier, direction and the two Tycho magnitudes. Its colour class
// comes from B-V = BT - VT when both magnitudes are known, else it is 7.
class TychoStar : public chart::StarObject {
public:
    TychoStar() = default;
    // tyc1Field is the packed TYC1 + 10000 * (TYC3 - 1) of the files; magnitudes in
    // magnitudes, -10.0 for none.
    TychoStar(int tyc1Field, int tyc2, double x, double y, double z, float bt, float vt);

    // A 20-byte record of the Tycho files: packed TYC1/TYC3, TYC2, the vector times 1e9,
    // BT and VT in thousandths.
    static TychoStar FromRecord(std::span<const unsigned char, kTychoRecordSize> record);

    // "TYC 4-1234-1".
    std::string GetName() const override;
    int GetType() const override { return astro::KindTychoStar; }
    // VT when present, else BT (-10.0 when neither is).
    float GetMagnitude() const override;
    int GetNumber() const override { return astro::kNoNumber; }
    int colourClass() const override;

    int tyc1() const { return m_tyc1; }
    int tyc2() const { return m_tyc2; }
    int tyc3() const { return m_tyc3; }
    std::optional<float> blueMagnitude() const;
    std::optional<float> visualMagnitude() const;
    // "4-1234-1".
    std::string identifierText() const;

protected:
    std::string tychoName() const { return "TYC " + identifierText(); }

private:
    std::int16_t m_tyc1 = 0;
    std::int16_t m_tyc2 = 0;
    std::uint8_t m_tyc3 = 1;
    float m_bt = kNoStarMagnitude;
    float m_vt = kNoStarMagnitude;
};

// A star of the resident catalogue with its HD and SAO numbers, spectral type and the data
// of multiplicity and variability.
//
// A star without a Tycho-2 identifier (TYC1 0) is named "HD n", else "SAO n", and only when
// it has neither by its (empty) Tycho identifier. Without a spectral type such a star takes
// its colour class from B-V = BT - VT (SpectralClassFromColour) when both magnitudes are
// known.
class CatalogStar : public TychoStar {
public:
    CatalogStar() = default;

    // A 64-byte record of the resident catalogue.
    static CatalogStar FromCatalogRecord(std::span<const unsigned char, kSky2000RecordSize> record);
    // A 20-byte record of the faint resident file: no numbers, spectral type or variability.
    static CatalogStar FromTychoRecord(std::span<const unsigned char, kTychoRecordSize> record);

    std::string GetName() const override;
    int GetType() const override { return astro::KindCatalogStar; }
    // The class of the spectral type, fixed at loading.
    int colourClass() const override { return m_spectralClass; }
    // A known period of variability.
    bool isVariable() const override { return period().has_value(); }
    // A known separation of a multiple star.
    bool isDouble() const override { return separation().has_value(); }

    std::optional<int> hdNumber() const;
    std::optional<int> saoNumber() const;
    // The spectral type as stored ("K0", "B8Ia"), absent when its first character is a blank
    // or it is empty.
    std::optional<std::string> spectralType() const;
    int spectralClassIndex() const { return m_spectralClass; }
    // Separation of the multiple star, arc seconds.
    std::optional<float> separation() const;
    std::optional<float> magnitudeDifference() const;
    // Amplitude of variability, magnitudes.
    std::optional<float> amplitude() const;
    // Period of variability, days.
    std::optional<double> period() const;
    std::optional<int> variabilityType() const;
    // The text of the variability type; absent when the type is, empty for an unknown code.
    std::optional<std::string_view> variabilityText() const;

protected:
    std::string catalogName() const;

private:
    void setSpectralClass();

    std::int32_t m_hd = 0;
    std::int32_t m_sao = 0;
    std::array<char, 4> m_spectral{' ', ' ', ' ', '\0'};
    std::uint8_t m_spectralClass = 7;
    float m_separation = kNoStarValue;
    float m_magnitudeDifference = kNoStarValue;
    float m_amplitude = kNoStarValue;
    double m_period = kNoStarValue;
    std::int8_t m_variabilityType = kNoVariabilityType;
};

// A bright star with its Bayer letter, Flamsteed number and proper name.
//
// Its name is the proper name; else, with a Flamsteed number, "61 Cyg" with the abbreviation
// of the constellation that contains it (from the constellation lookup; without a lookup, or
// when the lookup knows none, the number alone); else the CatalogStar name.
class NamedStar : public CatalogStar {
public:
    // The proper name is stored as UTF-8: its 32 Windows-1252 characters take at most three
    // bytes each.
    static constexpr std::size_t kNameBytes = 32 * 3;

    NamedStar() = default;

    // A 64-byte catalogue record with its 36-byte name record; no name record gives a star
    // without Bayer letter, Flamsteed number or name.
    static NamedStar FromRecords(std::span<const unsigned char, kSky2000RecordSize> record,
                                 const unsigned char* brightRecord);

    std::string GetName() const override;
    int GetType() const override { return astro::KindNamedStar; }
    chart::StarLabelInfo labelInfo() const override {
        return {properName(), m_bayerCode, m_bayerIndex, m_flamsteed};
    }

    int bayerCode() const { return m_bayerCode; }
    int bayerIndex() const { return m_bayerIndex; }
    int flamsteed() const { return m_flamsteed; }
    std::string_view properName() const { return std::string_view(m_name.data(), m_nameLength); }

private:
    std::int8_t m_bayerCode = 0;
    std::int8_t m_bayerIndex = 0;
    std::int16_t m_flamsteed = 0;
    std::uint8_t m_nameLength = 0;
    std::array<char, kNameBytes> m_name{};
};

// What LoadStarCatalogs reports: an empty error when all resident files were read.
struct StarLoadResult {
    std::string error;
    // One line for every star file whose size is not a whole number of records, or whose
    // names file holds fewer records than the catalogue refers to; what could be read of
    // them was read.
    std::vector<std::string> damaged;
    bool ok() const { return error.empty(); }
};

// Every star of the program: the resident named and catalogue stars, and the Tycho-2 store
// of the faint stars read region by region.
//
// The arrays are allocated once at full capacity when the catalogue is built; loading only
// fills them, and stops adding to an array at its capacity.
class StarCatalog {
public:
    static constexpr std::size_t kNamedCapacity = 10000;
    static constexpr std::size_t kCatalogCapacity = 244000;

    static constexpr const char* kMainFile = "SKY2000_data.skd";
    static constexpr const char* kBrightFile = "bright_data.skd";
    static constexpr const char* kFaintResidentFile = "tycho_2_b.skd";

    StarCatalog();
    ~StarCatalog();
    StarCatalog(const StarCatalog&) = delete;
    StarCatalog& operator=(const StarCatalog&) = delete;

    // Reads "SKY2000_data.skd" (with the names of "bright_data.skd") and "tycho_2_b.skd" of
    // dataDir, then opens the Tycho-2 store. A missing or unreadable resident file stops the
    // loading with an error naming the file; a short final record ends a file's read and
    // names the file as damaged, as do the Tycho-2 store's files.
    StarLoadResult LoadStarCatalogs(const std::filesystem::path& dataDir);

    std::span<NamedStar> namedStars() { return {m_named.get(), m_namedCount}; }
    std::span<const NamedStar> namedStars() const { return {m_named.get(), m_namedCount}; }
    std::span<CatalogStar> catalogStars() { return {m_catalog.get(), m_catalogCount}; }
    std::span<const CatalogStar> catalogStars() const { return {m_catalog.get(), m_catalogCount}; }

    // The two arrays as the chart draws them (chart::ChartObjects::starArrays, in this order).
    chart::SkyObjectList& namedStarList() { return m_namedList; }
    chart::SkyObjectList& catalogStarList() { return m_catalogList; }

    // The faint stars (catalog/TychoStore.h).
    TychoStore& tycho() { return *m_tycho; }
    const TychoStore& tycho() const { return *m_tycho; }

private:
    StarLoadResult readCatalog(const std::filesystem::path& sky2000,
                               const std::filesystem::path& bright);
    StarLoadResult readFaintResident(const std::filesystem::path& file);
    void publish();

    std::unique_ptr<NamedStar[]> m_named;
    std::size_t m_namedCount = 0;
    std::unique_ptr<CatalogStar[]> m_catalog;
    std::size_t m_catalogCount = 0;
    // The stars' directions, kinds and magnitudes, for the chart's draw-list rebuild.
    std::vector<chart::ObjectSummary> m_namedSummaries;
    std::vector<chart::ObjectSummary> m_catalogSummaries;
    chart::SpanObjectList<NamedStar> m_namedList;
    chart::SpanObjectList<CatalogStar> m_catalogList;
    std::unique_ptr<TychoStore> m_tycho;
};

} // namespace catalog
