#include "settings/ColorScheme.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace settings;

namespace {

// A scheme in which every item of every view type differs from its default and from every
// other item, so that a value written under the wrong name cannot go unnoticed.
ColorScheme distinctScheme() {
    ColorScheme scheme;
    int n = 1;
    for (ViewType view : kAllViewTypes) {
        for (std::size_t i = 0; i < kColorItemCount; ++i, ++n)
            scheme.setColor(view, static_cast<ColorItem>(i), {n, 255 - n, (n * 7) % 256});
        for (std::size_t i = 0; i < kPenItemCount; ++i, ++n)
            scheme.setPen(view, static_cast<PenItem>(i),
                          {n % 7, n % 9 + 1, static_cast<std::uint32_t>(n * 40503)});
        for (std::size_t i = 0; i < kFontItemCount; ++i, ++n) {
            SchemeFont font;
            font.height = -n;
            font.width = n % 5;
            font.escapement = 900;
            font.orientation = 1800;
            font.weight = (n * 13) % 1001;
            font.italic = n % 2;
            font.underline = (n + 1) % 2;
            font.strikeOut = n % 3 == 0 ? 1 : 0;
            font.charSet = n % 256;
            font.outPrecision = 3;
            font.clipPrecision = 2;
            font.quality = 5;
            font.pitchAndFamily = 34;
            font.faceName = "Face " + std::to_string(n);
            scheme.setFont(view, static_cast<FontItem>(i), font);
        }
    }
    return scheme;
}

} // namespace

TEST(ColorScheme, EveryItemRoundTripsThroughTheStoreUnderItsOwnName) {
    const ColorScheme original = distinctScheme();
    ASSERT_NE(original, ColorScheme{});
    MemorySettingsStore store;
    SaveScheme(store, original);
    EXPECT_EQ(store.size(), 5u * (9u + 8u + 11u));
    const ColorScheme loaded = LoadScheme(store);
    for (ViewType view : kAllViewTypes) {
        for (std::size_t i = 0; i < kColorItemCount; ++i)
            EXPECT_EQ(loaded.color(view, static_cast<ColorItem>(i)),
                      original.color(view, static_cast<ColorItem>(i)))
                << valueName(view, static_cast<ColorItem>(i));
        for (std::size_t i = 0; i < kPenItemCount; ++i)
            EXPECT_EQ(loaded.pen(view, static_cast<PenItem>(i)),
                      original.pen(view, static_cast<PenItem>(i)))
                << valueName(view, static_cast<PenItem>(i));
        for (std::size_t i = 0; i < kFontItemCount; ++i)
            EXPECT_EQ(loaded.font(view, static_cast<FontItem>(i)),
                      original.font(view, static_cast<FontItem>(i)))
                << valueName(view, static_cast<FontItem>(i));
    }
    EXPECT_EQ(loaded, original);
    // The values sit in the section under prefix + item.
    EXPECT_EQ(store.getString("ColorsFonts", "printAstPointColor", ""),
              encodeColor(original.color(ViewType::Printer, ColorItem::AstPoint)));
    EXPECT_EQ(store.getString("ColorsFonts", "bwAzGridPenOnlyAz", ""),
              encodePen(original.pen(ViewType::BlackWhite, PenItem::AzGridOnlyAz)));
}

TEST(ColorScheme, ValueNamesArePrefixPlusItemAndAllDistinct) {
    EXPECT_EQ(valueName(ViewType::Standard, ColorItem::ConstNames), "standConstNamesColor");
    EXPECT_EQ(valueName(ViewType::True, PenItem::EqGridOnlyEq), "trueEqGridPenOnlyEq");
    EXPECT_EQ(valueName(ViewType::Red, ColorItem::StarsLab), "redStarsLabColor");
    EXPECT_EQ(valueName(ViewType::BlackWhite, FontItem::StarsFlamst), "bwStarsFlamstFont");
    EXPECT_EQ(valueName(ViewType::Printer, PenItem::Bound), "printBoundPen");
    std::set<std::string> names;
    for (ViewType view : kAllViewTypes) {
        for (std::size_t i = 0; i < kColorItemCount; ++i)
            names.insert(valueName(view, static_cast<ColorItem>(i)));
        for (std::size_t i = 0; i < kPenItemCount; ++i)
            names.insert(valueName(view, static_cast<PenItem>(i)));
        for (std::size_t i = 0; i < kFontItemCount; ++i)
            names.insert(valueName(view, static_cast<FontItem>(i)));
    }
    EXPECT_EQ(names.size(), 140u);
    EXPECT_EQ(viewTypeFromMode(3), ViewType::Red);
    EXPECT_EQ(viewTypeFromMode(0), ViewType::Standard);
    EXPECT_EQ(viewTypeFromMode(5), ViewType::Standard);
}

TEST(ColorScheme, BuiltInDefaultsPerViewType) {
    // Colours.
    EXPECT_EQ(defaultColor(ViewType::Standard, ColorItem::DSOLab), (SchemeColor{140, 125, 125}));
    EXPECT_EQ(defaultColor(ViewType::True, ColorItem::ComPoint), (SchemeColor{90, 90, 30}));
    EXPECT_EQ(defaultColor(ViewType::Red, ColorItem::DSOPoint), (SchemeColor{170, 105, 105}));
    EXPECT_EQ(defaultColor(ViewType::BlackWhite, ColorItem::StarsLab),
              (SchemeColor{130, 130, 130}));
    EXPECT_EQ(defaultColor(ViewType::Printer, ColorItem::AstLab), (SchemeColor{150, 70, 70}));
    // Pens: style, width and the colour packed as 0x00BBGGRR.
    EXPECT_EQ(defaultPen(ViewType::Standard, PenItem::Fig),
              (SchemePen{kPenSolid, 1, 0x826464u})); // 100,100,130
    EXPECT_EQ(defaultPen(ViewType::True, PenItem::Bound), (SchemePen{kPenDot, 1, 0x464646u}));
    EXPECT_EQ(defaultPen(ViewType::Red, PenItem::EcGrid), (SchemePen{kPenSolid, 1, 0x2C2C76u}));
    EXPECT_EQ(defaultPen(ViewType::BlackWhite, PenItem::AzGridOnlyAz),
              (SchemePen{kPenSolid, 2, 0x7878FFu})); // 255,120,120
    EXPECT_EQ(defaultPen(ViewType::BlackWhite, PenItem::AzGrid),
              (SchemePen{kPenSolid, 1, 0xB4B4FFu})); // 255,180,180
    EXPECT_EQ(defaultPen(ViewType::Printer, PenItem::EqGridOnlyEq),
              (SchemePen{kPenSolid, 4, 0x787878u}));
    // Fonts: the screen view types share their sizes, the printer has its own.
    const SchemeFont names = defaultFont(ViewType::Red, FontItem::ConstNames);
    EXPECT_EQ(names.height, 19);
    EXPECT_EQ(names.weight, kFontWeightBold);
    EXPECT_EQ(names.italic, 0);
    EXPECT_EQ(names.faceName, "Arial");
    const SchemeFont printNames = defaultFont(ViewType::Printer, FontItem::ConstNames);
    EXPECT_EQ(printNames.height, 26);
    EXPECT_EQ(printNames.weight, kFontWeightBold);
    EXPECT_EQ(printNames.italic, 1);
    const SchemeFont bayer = defaultFont(ViewType::True, FontItem::StarsBayer);
    EXPECT_EQ(bayer.faceName, "Symbol");
    EXPECT_EQ(bayer.height, 17);
    EXPECT_EQ(defaultFont(ViewType::Printer, FontItem::StarsBayer).height, 24);
    EXPECT_EQ(defaultFont(ViewType::Standard, FontItem::PlanetsLab).height, 15);
    EXPECT_EQ(defaultFont(ViewType::Printer, FontItem::StarsFlamst).height, 17);
    const SchemeFont grid = defaultFont(ViewType::BlackWhite, FontItem::AzGrid);
    EXPECT_EQ(grid.height, 14);
    EXPECT_EQ(grid.weight, kFontWeightNormal);
    EXPECT_EQ(grid.width, 0);
    EXPECT_EQ(grid.underline, 0);
    EXPECT_EQ(grid.charSet, kDefaultCharSet);
    EXPECT_EQ(grid.pitchAndFamily, 0);
}

TEST(ColorScheme, EncodedTextsHaveTheirExactLayout) {
    EXPECT_EQ(encodeColor({255, 0, 0}), "255 0 0");
    EXPECT_EQ(encodePen({kPenSolid, 1, 16711680u}), "         0         1  16711680");
    EXPECT_EQ(encodePen(defaultPen(ViewType::Standard, PenItem::Bound)),
              "         2         1   9868950");
    SchemeFont arial;
    arial.height = 13;
    arial.faceName = "Arial";
    const std::string text = encodeFont(arial);
    EXPECT_EQ(text, "00013000000000000000004000000000000000000000100000000000000000000Arial");
    EXPECT_EQ(text.size(), 70u);
    SchemeFont negative = arial;
    negative.height = -13;
    EXPECT_EQ(encodeFont(negative).substr(0, 5), "-0013");
    EXPECT_EQ(decodeFont(encodeFont(negative), arial).height, -13);
}

TEST(ColorScheme, DecodingReadsWrittenTexts) {
    EXPECT_EQ(decodeColor("255 0 0", {1, 2, 3}), (SchemeColor{255, 0, 0}));
    EXPECT_EQ(decodeColor("  12\t34  56 ", {1, 2, 3}), (SchemeColor{12, 34, 56}));
    EXPECT_EQ(decodePen("         2         3     65280", {}), (SchemePen{kPenDot, 3, 0xFF00u}));
    // Only the first 30 characters count.
    EXPECT_EQ(decodePen("         0         1       255trailing", {}),
              (SchemePen{kPenSolid, 1, 255u}));
    const SchemeFont fallback = defaultFont(ViewType::Standard, FontItem::DSOLab);
    const SchemeFont bold = decodeFont(
        "00020000000000000000007000000000000000000000100000000000000000000Times New Roman",
        fallback);
    EXPECT_EQ(bold.height, 20);
    EXPECT_EQ(bold.weight, kFontWeightBold);
    EXPECT_EQ(bold.faceName, "Times New Roman");
    // An empty face name stays empty: the platform's default face with the stored size.
    const SchemeFont noFace =
        decodeFont("00016000000000000000004000000000000000000000100000000000000000000", fallback);
    EXPECT_EQ(noFace.height, 16);
    EXPECT_TRUE(noFace.faceName.empty());
    // A face name longer than 31 bytes is cut, never in the middle of a character.
    const std::string fields = encodeFont(SchemeFont{}).substr(0, 65);
    EXPECT_EQ(decodeFont(fields + std::string(40, 'x'), fallback).faceName, std::string(31, 'x'));
    const std::string accented = std::string(30, 'a') + "\xC3\xA9"; // "é" at bytes 31-32
    EXPECT_EQ(decodeFont(fields + accented, fallback).faceName, std::string(30, 'a'));
}

TEST(ColorScheme, GarbageDecodesToTheFallback) {
    const SchemeColor color = defaultColor(ViewType::Red, ColorItem::StarsLab);
    for (const char* bad : {"", "abc", "255 0", "255 0 0 0", "256 0 0", "-1 0 0", "1,2,3",
                            "255 0 0x", "12 x 3", "99999999999 0 0"})
        EXPECT_EQ(decodeColor(bad, {9, 8, 7}), (SchemeColor{9, 8, 7})) << bad;
    EXPECT_EQ(decodeColor("abc", color), color);

    const SchemePen pen = defaultPen(ViewType::True, PenItem::Fig);
    for (const char* bad : {"", "abc", "         0         1     25", // 29 characters
                            "         0         1       abc", "         9         1       255",
                            "         0        -1       255", "         0         1  16777216",
                            "         0         1        -5", "         0      1 1       255"})
        EXPECT_EQ(decodePen(bad, pen), pen) << bad;

    const SchemeFont font = defaultFont(ViewType::Printer, FontItem::ConstNames);
    const std::string good =
        "00013000000000000000004000000000000000000000100000000000000000000Arial";
    ASSERT_NE(decodeFont(good, font), font);
    std::string shortText = good.substr(0, 64);
    std::string letters = good;
    letters.replace(10, 5, "0a000");
    std::string heavy = good;
    heavy.replace(20, 5, "01001"); // weight above 1000
    std::string wideByte = good;
    wideByte.replace(40, 5, "00256"); // character set above 255
    std::string negativeByte = good;
    negativeByte.replace(25, 5, "-0001"); // italic below 0
    for (const std::string& bad :
         {std::string(), std::string("abc"), shortText, letters, heavy, wideByte, negativeByte})
        EXPECT_EQ(decodeFont(bad, font), font) << bad;
}

TEST(ColorScheme, AbsentOrUnreadableValuesGiveTheDefaults) {
    MemorySettingsStore empty;
    EXPECT_EQ(LoadScheme(empty), ColorScheme{});
    // Values of other sections do not leak in.
    empty.writeString("Stars", "redStarsLabColor", "1 2 3");
    EXPECT_EQ(LoadScheme(empty), ColorScheme{});

    MemorySettingsStore store;
    store.writeString("ColorsFonts", "redStarsLabColor", "255 0 0");
    store.writeString("ColorsFonts", "standStarsLabColor", "abc");
    store.writeString("ColorsFonts", "trueFigPen", "         0         1");
    store.writeInt("ColorsFonts", "bwBoundPen", 7); // wrong type
    store.writeString("ColorsFonts", "printConstNamesFont", "garbage");
    store.writeString("ColorsFonts", "standDSOPointColor", "300 0 0");
    store.writeString("ColorsFonts", "trueAstPointColor", "1 2 3");
    const ColorScheme scheme = LoadScheme(store);
    EXPECT_EQ(scheme.color(ViewType::Red, ColorItem::StarsLab), (SchemeColor{255, 0, 0}));
    EXPECT_EQ(scheme.color(ViewType::Standard, ColorItem::StarsLab),
              defaultColor(ViewType::Standard, ColorItem::StarsLab));
    EXPECT_EQ(scheme.pen(ViewType::True, PenItem::Fig), defaultPen(ViewType::True, PenItem::Fig));
    EXPECT_EQ(scheme.pen(ViewType::BlackWhite, PenItem::Bound),
              defaultPen(ViewType::BlackWhite, PenItem::Bound));
    EXPECT_EQ(scheme.font(ViewType::Printer, FontItem::ConstNames),
              defaultFont(ViewType::Printer, FontItem::ConstNames));
    EXPECT_EQ(scheme.color(ViewType::Standard, ColorItem::DSOPoint),
              defaultColor(ViewType::Standard, ColorItem::DSOPoint));
    EXPECT_EQ(scheme.color(ViewType::True, ColorItem::AstPoint), (SchemeColor{1, 2, 3}));
}

TEST(ColorScheme, ElementCodesSelectTheirItems) {
    EXPECT_EQ(screenElement(8), ChartElement::StarLabels);
    EXPECT_FALSE(screenElement(0));
    EXPECT_FALSE(screenElement(13));
    EXPECT_EQ(printElement(1), (PrintElement{ChartElement::ConstellationFigures, true}));
    EXPECT_EQ(printElement(4), (PrintElement{ChartElement::AzimuthalGrid, true}));
    EXPECT_EQ(printElement(8), (PrintElement{ChartElement::DeepSkyLabels, true}));
    EXPECT_EQ(printElement(14), (PrintElement{ChartElement::EquatorialGrid, false}));
    EXPECT_EQ(printElement(21), (PrintElement{ChartElement::StarLabels, false}));
    EXPECT_EQ(printElement(24), (PrintElement{ChartElement::PlanetLabels, false}));
    EXPECT_FALSE(printElement(18));
    EXPECT_FALSE(printElement(25));
    EXPECT_FALSE(printElement(0));

    EXPECT_EQ(elementPen(ChartElement::EclipticGrid, true), PenItem::EcGridOnlyEc);
    EXPECT_EQ(elementPen(ChartElement::AzimuthalGrid, false), PenItem::AzGrid);
    EXPECT_FALSE(elementPen(ChartElement::StarLabels, false));
    EXPECT_EQ(elementTextColor(ChartElement::CometLabels), ColorItem::ComLab);
    EXPECT_FALSE(elementTextColor(ChartElement::ConstellationFigures));
    EXPECT_EQ(elementFont(ChartElement::StarLabels, 1), FontItem::StarsPrN);
    EXPECT_EQ(elementFont(ChartElement::StarLabels, 2), FontItem::StarsBayer);
    EXPECT_EQ(elementFont(ChartElement::StarLabels, 3), FontItem::StarsFlamst);
    EXPECT_EQ(elementFont(ChartElement::StarLabels, 4), FontItem::StarsFlamst);
    EXPECT_EQ(elementFont(ChartElement::StarLabels, 99), FontItem::StarsPrN);
    EXPECT_EQ(elementFont(ChartElement::AzimuthalGrid, 1), FontItem::AzGrid);
}

TEST(ColorScheme, ElementStyleTakesTheViewTypesValues) {
    const ColorScheme scheme = distinctScheme();
    // A grid writes in its pen's colour; the pen depends on the drawing mode.
    const ElementStyle full = elementStyle(scheme, ViewType::True, ChartElement::EquatorialGrid);
    ASSERT_TRUE(full.pen && full.textColor && full.font);
    EXPECT_EQ(*full.pen, scheme.pen(ViewType::True, PenItem::EqGrid));
    EXPECT_EQ(toColorRef(*full.textColor), full.pen->color);
    EXPECT_EQ(*full.font, scheme.font(ViewType::True, FontItem::EqGrid));
    EXPECT_TRUE(full.transparentBackground);
    const ElementStyle circle =
        elementStyle(scheme, ViewType::True, ChartElement::EquatorialGrid, {true, 1});
    EXPECT_EQ(*circle.pen, scheme.pen(ViewType::True, PenItem::EqGridOnlyEq));

    const ElementStyle labels =
        elementStyle(scheme, ViewType::Printer, ChartElement::StarLabels, {false, 2});
    EXPECT_FALSE(labels.pen);
    EXPECT_EQ(*labels.textColor, scheme.color(ViewType::Printer, ColorItem::StarsLab));
    EXPECT_EQ(*labels.font, scheme.font(ViewType::Printer, FontItem::StarsBayer));
    EXPECT_TRUE(labels.transparentBackground);
    EXPECT_TRUE(labels.leftTopAlignment);

    const ElementStyle figures =
        elementStyle(scheme, ViewType::Red, ChartElement::ConstellationFigures);
    EXPECT_EQ(*figures.pen, scheme.pen(ViewType::Red, PenItem::Fig));
    EXPECT_FALSE(figures.textColor);
    EXPECT_FALSE(figures.transparentBackground);
    const ElementStyle bounds =
        elementStyle(scheme, ViewType::BlackWhite, ChartElement::ConstellationBoundaries);
    EXPECT_EQ(*bounds.pen, scheme.pen(ViewType::BlackWhite, PenItem::Bound));
    EXPECT_TRUE(bounds.transparentBackground);

    // Sky objects: a fixed pen in the Red and Black&White views only.
    EXPECT_EQ(elementStyle(scheme, ViewType::Red, ChartElement::SkyObjects).pen,
              (SchemePen{kPenSolid, 1, 0x0000FFu}));
    EXPECT_EQ(elementStyle(scheme, ViewType::BlackWhite, ChartElement::SkyObjects).pen,
              (SchemePen{kPenSolid, 1, 0u}));
    EXPECT_FALSE(elementStyle(scheme, ViewType::Standard, ChartElement::SkyObjects).pen);
    EXPECT_FALSE(elementStyle(scheme, ViewType::Printer, ChartElement::SkyObjects).pen);
}
