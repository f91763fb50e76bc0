#pragma once

#include "settings/SettingsStore.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// The colour and font schemes: every pen, colour and font of the chart, one set per view type,
// kept in the settings section "ColorsFonts" under the name prefix + item ("standFigPen").

inline constexpr std::string_view kColorsFontsSection = "ColorsFonts";

// The four screen view types carry the application's view mode numbers 1 to 4; the printer
// scheme is the fifth and serves printing only.
enum class ViewType { Standard = 1, True = 2, Red = 3, BlackWhite = 4, Printer = 5 };
inline constexpr std::size_t kViewTypeCount = 5;
inline constexpr std::array<ViewType, kViewTypeCount> kAllViewTypes = {
    ViewType::Standard, ViewType::True, ViewType::Red, ViewType::BlackWhite, ViewType::Printer};

// "stand", "true", "red", "bw", "print".
std::string_view viewTypePrefix(ViewType view);
// The screen view type of an application view mode (1 to 4); any other number gives Standard.
ViewType viewTypeFromMode(int mode);

// A colour by its red, green and blue components, each 0..255.
struct SchemeColor {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const SchemeColor&, const SchemeColor&) = default;
};

// The packed form 0x00BBGGRR; components outside 0..255 are clamped.
std::uint32_t toColorRef(SchemeColor color);
SchemeColor fromColorRef(std::uint32_t colorRef);

// Pen styles by their platform numbers.
inline constexpr int kPenSolid = 0;
inline constexpr int kPenDash = 1;
inline constexpr int kPenDot = 2;
inline constexpr int kPenDashDot = 3;
inline constexpr int kPenDashDotDot = 4;
inline constexpr int kPenNull = 5;
inline constexpr int kPenInsideFrame = 6;
inline constexpr int kMaxPenWidth = 1000;

struct SchemePen {
    int style = kPenSolid;
    int width = 1;
    std::uint32_t color = 0; // 0x00BBGGRR
    friend bool operator==(const SchemePen&, const SchemePen&) = default;
};

inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;
inline constexpr int kDefaultCharSet = 1;
inline constexpr std::size_t kMaxFaceNameLength = 31; // bytes; longer names are cut

// The fields of a logical font, in the order the font text keeps them.
struct SchemeFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = kFontWeightNormal;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = kDefaultCharSet;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName; // empty: the platform's default face
    friend bool operator==(const SchemeFont&, const SchemeFont&) = default;
};

enum class ColorItem {
    ConstNames,
    StarsLab,
    DSOLab,
    DSOPoint,
    PlanetsLab,
    ComLab,
    ComPoint,
    AstLab,
    AstPoint
};
inline constexpr std::size_t kColorItemCount = 9;

enum class PenItem { Fig, EqGrid, EqGridOnlyEq, EcGrid, EcGridOnlyEc, AzGrid, AzGridOnlyAz, Bound };
inline constexpr std::size_t kPenItemCount = 8;

enum class FontItem {
    ConstNames,
    EqGrid,
    EcGrid,
    AzGrid,
    StarsPrN,
    StarsBayer,
    StarsFlamst,
    DSOLab,
    PlanetsLab,
    ComLab,
    AstLab
};
inline constexpr std::size_t kFontItemCount = 11;

// Item names without the prefix ("ConstNamesColor", "FigPen", "StarsBayerFont", ...).
std::string_view itemName(ColorItem item);
std::string_view itemName(PenItem item);
std::string_view itemName(FontItem item);
// Value names in the section: prefix + item name.
std::string valueName(ViewType view, ColorItem item);
std::string valueName(ViewType view, PenItem item);
std::string valueName(ViewType view, FontItem item);

// The built-in defaults: what an absent or unreadable value gives and what "set to default"
// restores.
SchemeColor defaultColor(ViewType view, ColorItem item);
SchemePen defaultPen(ViewType view, PenItem item);
SchemeFont defaultFont(ViewType view, FontItem item);

// Colour text "%d %d %d". Decoding needs exactly three decimal integers separated by blanks,
// each 0..255; anything else gives the fallback. Encoding clamps components to 0..255.
std::string encodeColor(SchemeColor color);
SchemeColor decodeColor(std::string_view text, SchemeColor fallback);

// Pen text: style, width and colour, each "%10d" (30 characters). Decoding reads characters
// 1-10, 11-20 and 21-30 (more are ignored) as decimal integers, blanks around them allowed.
// A shorter text, a field that is not an integer, a style other than 0..6, a width outside
// 0..1000 or a colour above 0xFFFFFF gives the fallback. Encoding clamps to those ranges.
std::string encodePen(const SchemePen& pen);
SchemePen decodePen(std::string_view text, const SchemePen& fallback);

// Font text: the 13 numeric fields, each "%05d", then the face name from character 66 on.
// Decoding gives the fallback for a text shorter than 65 characters, a field that is not an
// integer, a weight outside 0..1000 or a byte field (italic to pitch-and-family) outside
// 0..255. An empty face name stays empty (the platform's default face); a longer one is cut
// to 31 bytes without splitting a UTF-8 character. Encoding clamps each numeric field to
// -9999..99999, so that the text always keeps its fixed layout.
std::string encodeFont(const SchemeFont& font);
SchemeFont decodeFont(std::string_view text, const SchemeFont& fallback);

// The current values of every item of every view type.
class ColorScheme {
public:
    // Every item at its built-in default.
    ColorScheme();

    const SchemeColor& color(ViewType view, ColorItem item) const;
    const SchemePen& pen(ViewType view, PenItem item) const;
    const SchemeFont& font(ViewType view, FontItem item) const;
    void setColor(ViewType view, ColorItem item, SchemeColor value);
    void setPen(ViewType view, PenItem item, const SchemePen& value);
    void setFont(ViewType view, FontItem item, const SchemeFont& value);

    friend bool operator==(const ColorScheme&, const ColorScheme&) = default;

private:
    std::array<std::array<SchemeColor, kColorItemCount>, kViewTypeCount> m_colors{};
    std::array<std::array<SchemePen, kPenItemCount>, kViewTypeCount> m_pens{};
    std::array<std::array<SchemeFont, kFontItemCount>, kViewTypeCount> m_fonts{};
};

// Reads every item of every view type from "ColorsFonts"; an absent, wrongly typed or
// unreadable value gives the item's built-in default.
ColorScheme LoadScheme(const SettingsStore& store);
// Writes every item of every view type as text.
void SaveScheme(SettingsStore& store, const ColorScheme& scheme);

// The chart elements by which drawing asks for its attributes (screen codes 1 to 12).
enum class ChartElement {
    EquatorialGrid = 1,
    AzimuthalGrid = 2,
    EclipticGrid = 3,
    ConstellationFigures = 4,
    ConstellationBoundaries = 5,
    SkyObjects = 6,
    ConstellationNames = 7,
    StarLabels = 8,
    PlanetLabels = 9,
    AsteroidLabels = 10,
    CometLabels = 11,
    DeepSkyLabels = 12
};

// The element of a screen code (1 to 12); other codes have none.
std::optional<ChartElement> screenElement(int code);

// Print codes: 1 to 12 for black-and-white printing, 13 to 24 for colour printing (18 is
// unused); 6 is the sky objects in both.
struct PrintElement {
    ChartElement element;
    bool blackAndWhite;
    friend bool operator==(const PrintElement&, const PrintElement&) = default;
};
std::optional<PrintElement> printElement(int code);

// Which items an element selects. Grids take the pen for the main circle alone when only it
// is drawn, and write in that pen's colour. The star label font follows the presentation
// (1 proper names, 2 Bayer letters, 3 and 4 Flamsteed numbers and magnitudes; any other
// number is taken as 1).
std::optional<PenItem> elementPen(ChartElement element, bool mainCircleOnly);
std::optional<ColorItem> elementTextColor(ChartElement element);
std::optional<FontItem> elementFont(ChartElement element, int starLabelPresentation);

// The fixed pens of the chart: solid, width 1, red (255, 0, 0) and black.
SchemePen redPen();
SchemePen blackPen();

struct ElementContext {
    bool gridMainCircleOnly = false;
    int starLabelPresentation = 1;
};

// Everything an element selects for a view type (the printer scheme when printing). An absent
// attribute is left as it is; sky objects select the red pen in the Red View and the black
// pen in the Black&White View and nothing otherwise.
struct ElementStyle {
    std::optional<SchemePen> pen;
    std::optional<SchemeColor> textColor;
    std::optional<SchemeFont> font;
    bool transparentBackground = false;
    bool leftTopAlignment = false;
};
ElementStyle elementStyle(const ColorScheme& scheme, ViewType view, ChartElement element,
                          const ElementContext& context = {});

} // namespace settings
