#include "settings/ColorScheme.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <system_error>

namespace settings {

namespace {

std::size_t viewIndex(ViewType view) {
    const int v = static_cast<int>(view);
    return (v >= 1 && v <= static_cast<int>(kViewTypeCount)) ? static_cast<std::size_t>(v - 1) : 0;
}

template <typename E, std::size_t N> std::size_t itemIndex(E item) {
    const auto i = static_cast<std::size_t>(item);
    return i < N ? i : 0;
}

constexpr std::array<std::string_view, kColorItemCount> kColorNames = {
    "ConstNamesColor", "StarsLabColor", "DSOLabColor", "DSOPointColor", "PlanetsLabColor",
    "ComLabColor",     "ComPointColor", "AstLabColor", "AstPointColor"};

constexpr std::array<std::string_view, kPenItemCount> kPenNames = {
    "FigPen",          "EqGridPen", "EqGridPenOnlyEq", "EcGridPen",
    "EcGridPenOnlyEc", "AzGridPen", "AzGridPenOnlyAz", "BoundPen"};

constexpr std::array<std::string_view, kFontItemCount> kFontNames = {
    "ConstNamesFont", "EqGridFont",     "EcGridFont",      "AzGridFont",
    "StarsPrNFont",   "StarsBayerFont", "StarsFlamstFont", "DSOLabFont",
    "PlanetsLabFont", "ComLabFont",     "AstLabFont"};

// Indexed [item][view]: Standard, True, Red, Black&White, Printer.
using ColorRow = std::array<SchemeColor, kViewTypeCount>;
constexpr std::array<ColorRow, kColorItemCount> kDefaultColors = {{
    {{{150, 150, 170}, {70, 70, 80}, {255, 0, 0}, {255, 0, 0}, {150, 150, 170}}},
    {{{110, 110, 120}, {50, 50, 60}, {255, 0, 0}, {130, 130, 130}, {90, 90, 100}}},
    {{{140, 125, 125}, {90, 60, 60}, {140, 0, 0}, {0, 0, 0}, {140, 0, 0}}},
    {{{160, 140, 140}, {100, 70, 70}, {170, 105, 105}, {0, 0, 0}, {100, 0, 0}}},
    {{{120, 120, 130}, {60, 60, 70}, {255, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {{{120, 120, 40}, {80, 80, 30}, {120, 0, 0}, {0, 0, 0}, {150, 70, 70}}},
    {{{140, 140, 40}, {90, 90, 30}, {180, 0, 0}, {0, 0, 0}, {150, 0, 0}}},
    {{{120, 80, 80}, {90, 40, 40}, {120, 0, 0}, {0, 0, 0}, {150, 70, 70}}},
    {{{180, 80, 80}, {100, 30, 30}, {180, 0, 0}, {0, 0, 0}, {150, 0, 0}}},
}};

struct PenDefault {
    int style;
    int width;
    SchemeColor color;
};
using PenRow = std::array<PenDefault, kViewTypeCount>;
constexpr int S = kPenSolid;
constexpr int D = kPenDot;
constexpr std::array<PenRow, kPenItemCount> kDefaultPens = {{
    {{{S, 1, {100, 100, 130}},
      {S, 1, {55, 55, 65}},
      {S, 1, {155, 0, 0}},
      {S, 1, {200, 200, 220}},
      {S, 2, {100, 100, 140}}}},
    {{{S, 1, {110, 110, 110}},
      {S, 1, {63, 63, 63}},
      {S, 1, {155, 0, 0}},
      {S, 1, {180, 220, 180}},
      {S, 2, {120, 120, 120}}}},
    {{{S, 2, {110, 110, 110}},
      {S, 2, {63, 63, 63}},
      {S, 2, {155, 0, 0}},
      {S, 2, {180, 220, 180}},
      {S, 4, {120, 120, 120}}}},
    {{{S, 1, {100, 100, 145}},
      {S, 1, {60, 60, 70}},
      {S, 1, {118, 44, 44}},
      {S, 1, {200, 200, 255}},
      {S, 2, {90, 170, 170}}}},
    {{{S, 2, {100, 100, 145}},
      {S, 2, {60, 60, 70}},
      {S, 2, {118, 44, 44}},
      {S, 2, {200, 200, 255}},
      {S, 4, {90, 170, 170}}}},
    {{{S, 1, {138, 74, 74}},
      {S, 1, {60, 20, 20}},
      {S, 1, {90, 0, 0}},
      {S, 1, {255, 180, 180}},
      {S, 2, {150, 90, 90}}}},
    {{{S, 2, {138, 74, 74}},
      {S, 2, {60, 20, 20}},
      {S, 2, {90, 0, 0}},
      {S, 2, {255, 120, 120}},
      {S, 4, {150, 90, 90}}}},
    {{{D, 1, {150, 150, 150}},
      {D, 1, {70, 70, 70}},
      {D, 1, {255, 0, 0}},
      {D, 1, {0, 0, 0}},
      {D, 1, {0, 0, 0}}}},
}};

struct FontDefault {
    std::string_view face;
    int screenHeight;
    int screenWeight;
    int printHeight;
    int printWeight;
    bool printItalic;
};
constexpr int N = kFontWeightNormal;
constexpr int B = kFontWeightBold;
constexpr std::array<FontDefault, kFontItemCount> kDefaultFonts = {{
    {"Arial", 19, B, 26, B, true},   // ConstNames
    {"Arial", 14, N, 14, N, false},  // EqGrid
    {"Arial", 14, N, 14, N, false},  // EcGrid
    {"Arial", 14, N, 14, N, false},  // AzGrid
    {"Arial", 13, N, 18, N, false},  // StarsPrN
    {"Symbol", 17, N, 24, N, false}, // StarsBayer
    {"Arial", 12, N, 17, N, false},  // StarsFlamst
    {"Arial", 13, N, 13, N, false},  // DSOLab
    {"Arial", 15, N, 20, N, false},  // PlanetsLab
    {"Arial", 13, N, 13, N, false},  // ComLab
    {"Arial", 13, N, 13, N, false},  // AstLab
}};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal integer with blanks allowed around it and an optional sign; nothing else.
std::optional<int> parseIntField(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

bool inRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

// The longest prefix of at most maxBytes bytes that does not end inside a UTF-8 character.
std::string cutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return std::string(text);
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut));
}

// "%10d": right-aligned in ten characters.
std::string field10(int value) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%10d", value);
    return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// "%05d": zero-padded to five characters.
std::string field05(int value) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%05d", value);
    return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

} // namespace

std::string_view viewTypePrefix(ViewType view) {
    static constexpr std::array<std::string_view, kViewTypeCount> prefixes = {"stand", "true",
                                                                              "red", "bw", "print"};
    return prefixes[viewIndex(view)];
}

ViewType viewTypeFromMode(int mode) {
    return (mode >= 1 && mode <= 4) ? static_cast<ViewType>(mode) : ViewType::Standard;
}

std::uint32_t toColorRef(SchemeColor color) {
    const auto c = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return c(color.r) | (c(color.g) << 8) | (c(color.b) << 16);
}

SchemeColor fromColorRef(std::uint32_t colorRef) {
    return {static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
            static_cast<int>((colorRef >> 16) & 0xFF)};
}

std::string_view itemName(ColorItem item) {
    return kColorNames[itemIndex<ColorItem, kColorItemCount>(item)];
}
std::string_view itemName(PenItem item) {
    return kPenNames[itemIndex<PenItem, kPenItemCount>(item)];
}
std::string_view itemName(FontItem item) {
    return kFontNames[itemIndex<FontItem, kFontItemCount>(item)];
}

std::string valueName(ViewType view, ColorItem item) {
    return std::string(viewTypePrefix(view)) + std::string(itemName(item));
}
std::string valueName(ViewType view, PenItem item) {
    return std::string(viewTypePrefix(view)) + std::string(itemName(item));
}
std::string valueName(ViewType view, FontItem item) {
    return std::string(viewTypePrefix(view)) + std::string(itemName(item));
}

SchemeColor defaultColor(ViewType view, ColorItem item) {
    return kDefaultColors[itemIndex<ColorItem, kColorItemCount>(item)][viewIndex(view)];
}

SchemePen defaultPen(ViewType view, PenItem item) {
    const PenDefault& d = kDefaultPens[itemIndex<PenItem, kPenItemCount>(item)][viewIndex(view)];
    return {d.style, d.width, toColorRef(d.color)};
}

SchemeFont defaultFont(ViewType view, FontItem item) {
    const FontDefault& d = kDefaultFonts[itemIndex<FontItem, kFontItemCount>(item)];
    SchemeFont font;
    const bool printer = view == ViewType::Printer;
    font.height = printer ? d.printHeight : d.screenHeight;
    font.weight = printer ? d.printWeight : d.screenWeight;
    font.italic = (printer && d.printItalic) ? 1 : 0;
    font.faceName = std::string(d.face);
    return font;
}

std::string encodeColor(SchemeColor color) {
    const auto c = [](int v) { return std::to_string(std::clamp(v, 0, 255)); };
    return c(color.r) + " " + c(color.g) + " " + c(color.b);
}

SchemeColor decodeColor(std::string_view text, SchemeColor fallback) {
    std::array<int, 3> parts{};
    std::size_t count = 0;
    std::size_t pos = 0;
    while (true) {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
        if (pos == text.size())
            break;
        std::size_t end = pos;
        while (end < text.size() && !isBlank(text[end]))
            ++end;
        const auto value = parseIntField(text.substr(pos, end - pos));
        if (!value || !inRange(*value, 0, 255) || count == parts.size())
            return fallback;
        parts[count++] = *value;
        pos = end;
    }
    if (count != parts.size())
        return fallback;
    return {parts[0], parts[1], parts[2]};
}

std::string encodePen(const SchemePen& pen) {
    return field10(std::clamp(pen.style, kPenSolid, kPenInsideFrame)) +
           field10(std::clamp(pen.width, 0, kMaxPenWidth)) +
           field10(static_cast<int>(std::min<std::uint32_t>(pen.color, 0xFFFFFF)));
}

SchemePen decodePen(std::string_view text, const SchemePen& fallback) {
    if (text.size() < 30)
        return fallback;
    const auto style = parseIntField(text.substr(0, 10));
    const auto width = parseIntField(text.substr(10, 10));
    const auto color = parseIntField(text.substr(20, 10));
    if (!style || !width || !color || !inRange(*style, kPenSolid, kPenInsideFrame) ||
        !inRange(*width, 0, kMaxPenWidth) || !inRange(*color, 0, 0xFFFFFF))
        return fallback;
    return {*style, *width, static_cast<std::uint32_t>(*color)};
}

std::string encodeFont(const SchemeFont& font) {
    std::string text;
    for (int v : {font.height, font.width, font.escapement, font.orientation, font.weight,
                  font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                  font.clipPrecision, font.quality, font.pitchAndFamily})
        text += field05(std::clamp(v, -9999, 99999));
    text += cutUtf8(font.faceName, kMaxFaceNameLength);
    return text;
}

SchemeFont decodeFont(std::string_view text, const SchemeFont& fallback) {
    constexpr std::size_t fieldCount = 13;
    constexpr std::size_t fieldWidth = 5;
    if (text.size() < fieldCount * fieldWidth)
        return fallback;
    std::array<int, fieldCount> f{};
    for (std::size_t i = 0; i < fieldCount; ++i) {
        const auto value = parseIntField(text.substr(i * fieldWidth, fieldWidth));
        if (!value)
            return fallback;
        f[i] = *value;
    }
    if (!inRange(f[4], 0, 1000))
        return fallback;
    for (std::size_t i = 5; i < fieldCount; ++i)
        if (!inRange(f[i], 0, 255))
            return fallback;
    SchemeFont font;
    font.height = f[0];
    font.width = f[1];
    font.escapement = f[2];
    font.orientation = f[3];
    font.weight = f[4];
    font.italic = f[5];
    font.underline = f[6];
    font.strikeOut = f[7];
    font.charSet = f[8];
    font.outPrecision = f[9];
    font.clipPrecision = f[10];
    font.quality = f[11];
    font.pitchAndFamily = f[12];
    font.faceName = cutUtf8(text.substr(fieldCount * fieldWidth), kMaxFaceNameLength);
    return font;
}

ColorScheme::ColorScheme() {
    for (ViewType view : kAllViewTypes) {
        const std::size_t v = viewIndex(view);
        for (std::size_t i = 0; i < kColorItemCount; ++i)
            m_colors[v][i] = defaultColor(view, static_cast<ColorItem>(i));
        for (std::size_t i = 0; i < kPenItemCount; ++i)
            m_pens[v][i] = defaultPen(view, static_cast<PenItem>(i));
        for (std::size_t i = 0; i < kFontItemCount; ++i)
            m_fonts[v][i] = defaultFont(view, static_cast<FontItem>(i));
    }
}

const SchemeColor& ColorScheme::color(ViewType view, ColorItem item) const {
    return m_colors[viewIndex(view)][itemIndex<ColorItem, kColorItemCount>(item)];
}
const SchemePen& ColorScheme::pen(ViewType view, PenItem item) const {
    return m_pens[viewIndex(view)][itemIndex<PenItem, kPenItemCount>(item)];
}
const SchemeFont& ColorScheme::font(ViewType view, FontItem item) const {
    return m_fonts[viewIndex(view)][itemIndex<FontItem, kFontItemCount>(item)];
}
void ColorScheme::setColor(ViewType view, ColorItem item, SchemeColor value) {
    m_colors[viewIndex(view)][itemIndex<ColorItem, kColorItemCount>(item)] = value;
}
void ColorScheme::setPen(ViewType view, PenItem item, const SchemePen& value) {
    m_pens[viewIndex(view)][itemIndex<PenItem, kPenItemCount>(item)] = value;
}
void ColorScheme::setFont(ViewType view, FontItem item, const SchemeFont& value) {
    m_fonts[viewIndex(view)][itemIndex<FontItem, kFontItemCount>(item)] = value;
}

ColorScheme LoadScheme(const SettingsStore& store) {
    ColorScheme scheme;
    for (ViewType view : kAllViewTypes) {
        for (std::size_t i = 0; i < kColorItemCount; ++i) {
            const auto item = static_cast<ColorItem>(i);
            const SchemeColor def = defaultColor(view, item);
            const std::string text =
                store.getString(kColorsFontsSection, valueName(view, item), encodeColor(def));
            scheme.setColor(view, item, decodeColor(text, def));
        }
        for (std::size_t i = 0; i < kPenItemCount; ++i) {
            const auto item = static_cast<PenItem>(i);
            const SchemePen def = defaultPen(view, item);
            const std::string text =
                store.getString(kColorsFontsSection, valueName(view, item), encodePen(def));
            scheme.setPen(view, item, decodePen(text, def));
        }
        for (std::size_t i = 0; i < kFontItemCount; ++i) {
            const auto item = static_cast<FontItem>(i);
            const SchemeFont def = defaultFont(view, item);
            const std::string text =
                store.getString(kColorsFontsSection, valueName(view, item), encodeFont(def));
            scheme.setFont(view, item, decodeFont(text, def));
        }
    }
    return scheme;
}

void SaveScheme(SettingsStore& store, const ColorScheme& scheme) {
    for (ViewType view : kAllViewTypes) {
        for (std::size_t i = 0; i < kColorItemCount; ++i) {
            const auto item = static_cast<ColorItem>(i);
            store.writeString(kColorsFontsSection, valueName(view, item),
                              encodeColor(scheme.color(view, item)));
        }
        for (std::size_t i = 0; i < kPenItemCount; ++i) {
            const auto item = static_cast<PenItem>(i);
            store.writeString(kColorsFontsSection, valueName(view, item),
                              encodePen(scheme.pen(view, item)));
        }
        for (std::size_t i = 0; i < kFontItemCount; ++i) {
            const auto item = static_cast<FontItem>(i);
            store.writeString(kColorsFontsSection, valueName(view, item),
                              encodeFont(scheme.font(view, item)));
        }
    }
}

std::optional<ChartElement> screenElement(int code) {
    if (code < 1 || code > 12)
        return std::nullopt;
    return static_cast<ChartElement>(code);
}

std::optional<PrintElement> printElement(int code) {
    // Indexed by print code 1..12 (black and white); colour codes are these + 12.
    static constexpr std::array<ChartElement, 12> byCode = {ChartElement::ConstellationFigures,
                                                            ChartElement::EquatorialGrid,
                                                            ChartElement::EclipticGrid,
                                                            ChartElement::AzimuthalGrid,
                                                            ChartElement::ConstellationBoundaries,
                                                            ChartElement::SkyObjects,
                                                            ChartElement::ConstellationNames,
                                                            ChartElement::DeepSkyLabels,
                                                            ChartElement::StarLabels,
                                                            ChartElement::CometLabels,
                                                            ChartElement::AsteroidLabels,
                                                            ChartElement::PlanetLabels};
    if (code >= 1 && code <= 12)
        return PrintElement{byCode[static_cast<std::size_t>(code - 1)], true};
    if (code >= 13 && code <= 24 && code != 18)
        return PrintElement{byCode[static_cast<std::size_t>(code - 13)], false};
    return std::nullopt;
}

std::optional<PenItem> elementPen(ChartElement element, bool mainCircleOnly) {
    switch (element) {
    case ChartElement::EquatorialGrid:
        return mainCircleOnly ? PenItem::EqGridOnlyEq : PenItem::EqGrid;
    case ChartElement::AzimuthalGrid:
        return mainCircleOnly ? PenItem::AzGridOnlyAz : PenItem::AzGrid;
    case ChartElement::EclipticGrid:
        return mainCircleOnly ? PenItem::EcGridOnlyEc : PenItem::EcGrid;
    case ChartElement::ConstellationFigures:
        return PenItem::Fig;
    case ChartElement::ConstellationBoundaries:
        return PenItem::Bound;
    default:
        return std::nullopt;
    }
}

std::optional<ColorItem> elementTextColor(ChartElement element) {
    switch (element) {
    case ChartElement::ConstellationNames:
        return ColorItem::ConstNames;
    case ChartElement::StarLabels:
        return ColorItem::StarsLab;
    case ChartElement::PlanetLabels:
        return ColorItem::PlanetsLab;
    case ChartElement::AsteroidLabels:
        return ColorItem::AstLab;
    case ChartElement::CometLabels:
        return ColorItem::ComLab;
    case ChartElement::DeepSkyLabels:
        return ColorItem::DSOLab;
    default:
        return std::nullopt;
    }
}

std::optional<FontItem> elementFont(ChartElement element, int starLabelPresentation) {
    switch (element) {
    case ChartElement::EquatorialGrid:
        return FontItem::EqGrid;
    case ChartElement::AzimuthalGrid:
        return FontItem::AzGrid;
    case ChartElement::EclipticGrid:
        return FontItem::EcGrid;
    case ChartElement::ConstellationNames:
        return FontItem::ConstNames;
    case ChartElement::StarLabels:
        if (starLabelPresentation == 2)
            return FontItem::StarsBayer;
        if (starLabelPresentation == 3 || starLabelPresentation == 4)
            return FontItem::StarsFlamst;
        return FontItem::StarsPrN;
    case ChartElement::PlanetLabels:
        return FontItem::PlanetsLab;
    case ChartElement::AsteroidLabels:
        return FontItem::AstLab;
    case ChartElement::CometLabels:
        return FontItem::ComLab;
    case ChartElement::DeepSkyLabels:
        return FontItem::DSOLab;
    default:
        return std::nullopt;
    }
}

SchemePen redPen() {
    return {kPenSolid, 1, toColorRef({255, 0, 0})};
}
SchemePen blackPen() {
    return {kPenSolid, 1, 0};
}

ElementStyle elementStyle(const ColorScheme& scheme, ViewType view, ChartElement element,
                          const ElementContext& context) {
    ElementStyle style;
    if (element == ChartElement::SkyObjects) {
        if (view == ViewType::Red)
            style.pen = redPen();
        else if (view == ViewType::BlackWhite)
            style.pen = blackPen();
        return style;
    }
    if (const auto penItem = elementPen(element, context.gridMainCircleOnly))
        style.pen = scheme.pen(view, *penItem);
    if (const auto fontItem = elementFont(element, context.starLabelPresentation))
        style.font = scheme.font(view, *fontItem);
    const bool grid = element == ChartElement::EquatorialGrid ||
                      element == ChartElement::AzimuthalGrid ||
                      element == ChartElement::EclipticGrid;
    if (grid) {
        style.textColor = fromColorRef(style.pen->color);
        style.transparentBackground = true;
    } else if (element == ChartElement::ConstellationBoundaries) {
        style.transparentBackground = true;
    } else if (const auto colorItem = elementTextColor(element)) {
        style.textColor = scheme.color(view, *colorItem);
        style.transparentBackground = true;
        style.leftTopAlignment = true;
    }
    return style;
}

} // namespace settings
