#include "chart/ChartPrinting.h"

#include "astro/Format.h"
#include "astro/Frames.h"
#include "chart/ChartViewState.h"
#include "chart/ConstellationDrawing.h"
#include "chart/GridDrawing.h"
#include "chart/LabelDrawing.h"
#include "chart/SkyChart.h"
#include "chart/StarDrawing.h"
#include "chart/Trails.h"
#include "chart/ZoomTables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace chart {

namespace {

constexpr Colour kBlack{0, 0, 0};
constexpr double kLegendMagnitudeCap = 13.0;

Font arial(int height, double scale, bool italic = false) {
    Font f;
    f.height = std::max(1, static_cast<int>(std::lround(height * scale)));
    f.weight = 400;
    f.italic = italic;
    f.faceName = "Arial";
    return f;
}

// Splits text at '\n' and wraps each line at blanks to the width; leading blanks stay.
std::vector<std::string> wrapLines(const Surface& s, const std::string& text, int width) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos
                                                                        : end - start);
        while (s.textExtent(line).width > width) {
            std::size_t cut = line.size();
            bool found = false;
            while (cut > 0) {
                cut = line.rfind(' ', cut - 1);
                if (cut == std::string::npos || cut == 0)
                    break;
                if (line.find_first_not_of(' ') < cut &&
                    s.textExtent(line.substr(0, cut)).width <= width) {
                    found = true;
                    break;
                }
            }
            if (!found)
                break;
            out.push_back(line.substr(0, cut));
            line = line.substr(cut + 1);
        }
        out.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return out;
}

// The height of text word-wrapped to a width.
int wrappedHeight(const Surface& s, const std::string& text, int width) {
    int h = 0;
    for (const std::string& line : wrapLines(s, text, width))
        h += std::max(1, s.textExtent(line.empty() ? " " : line).height);
    return h;
}

// Text written into a rectangle, word-wrapped and clipped to it.
void drawTextBlock(Surface& s, const Rect& r, const std::string& text) {
    s.setTextAlign(kLeftTop);
    s.setTransparentBackground(true);
    s.setClip(r);
    int y = r.top;
    for (const std::string& line : wrapLines(s, text, r.width())) {
        if (y >= r.bottom)
            break;
        if (!line.empty())
            s.text(r.left, y, line);
        y += std::max(1, s.textExtent(line.empty() ? " " : line).height);
    }
    s.clearClip();
}

Colour printerColour(const settings::ColorScheme& scheme, settings::ColorItem item, bool bw) {
    return bw ? kBlack : toColour(scheme.color(settings::ViewType::Printer, item));
}

// The legend: discs of the magnitudes, then the symbols, flowing down the band in rows 5 mm
// apart and on into further columns.
int drawLegend(Surface& s, const SkyChart& chart, const settings::ColorScheme& scheme,
               const PageLayout& layout, double pageScale, bool bw) {
    const Rect& band = layout.legendBand;
    const double mm = layout.dotsPerMm;
    const int row = std::max(1, static_cast<int>(std::lround(5.0 * mm)));
    const int rows = std::max(1, band.height() / row);
    const int magColumn = static_cast<int>(std::lround(14.0 * mm));
    const int symColumn = static_cast<int>(std::lround(28.0 * mm));
    const int discX = static_cast<int>(std::lround(7.0 * mm));
    const int gap = static_cast<int>(std::lround(3.0 * mm));
    s.setFont(arial(14, layout.fontScale));
    s.setTextColour(kBlack);
    s.setTextAlign(kLeftTop);
    s.setTransparentBackground(true);

    const double limit = std::min(chart.magnitudeLimit(), kLegendMagnitudeCap);
    const int count = LegendMagnitudeCount(chart.magnitudeLimit());
    const Colour starInk = bw ? kBlack : printStarPalette()[19].base;
    auto place = [&](int i, int columnWidth, int columnBase) {
        return Point{band.left + columnBase + (i / rows) * columnWidth + discX,
                     band.top + (i % rows) * row + row / 2};
    };
    auto label = [&](Point c, int r, const std::string& t) {
        const Size e = s.textExtent(t);
        s.text(c.x + std::max(r, gap / 2) + gap / 2, c.y - e.height / 2, t);
    };
    for (int m = 0; m < count; ++m) {
        const Point c = place(m, magColumn, 0);
        const int r = PrintStarRadius(static_cast<float>(m), static_cast<float>(limit), pageScale);
        s.setPen(Pen{PenStyle::Solid, 1, starInk});
        s.setBrush(Brush::of(starInk));
        s.ellipse({c.x - r, c.y - r, c.x + r + 1, c.y + r + 1});
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d", m);
        label(c, r, buf);
    }
    const int symbolsBase = ((count + rows - 1) / rows) * magColumn;
    const int h = std::max(2, static_cast<int>(std::lround(1.2 * mm)));
    const int lineWidth = std::max(1, static_cast<int>(std::lround(0.25 * mm)));
    // A body.
    Point c = place(0, symColumn, symbolsBase);
    s.setPen(Pen{PenStyle::Solid, lineWidth, kBlack});
    s.setBrush(Brush::of(bw ? Colour{255, 255, 255} : Colour{255, 210, 90}));
    s.ellipse({c.x - h, c.y - h, c.x + h + 1, c.y + h + 1});
    // A deep-sky object: a ring.
    c = place(1, symColumn, symbolsBase);
    s.setPen(Pen{PenStyle::Solid, lineWidth,
                 printerColour(scheme, settings::ColorItem::DSOPoint, bw)});
    s.setBrush(Brush::none());
    s.ellipse({c.x - h, c.y - h, c.x + h + 1, c.y + h + 1});
    label(c, h, "DSO");
    // A comet: a cross.
    c = place(2, symColumn, symbolsBase);
    s.setPen(Pen{PenStyle::Solid, lineWidth,
                 printerColour(scheme, settings::ColorItem::ComPoint, bw)});
    s.line(c.x - h, c.y, c.x + h + 1, c.y);
    s.line(c.x, c.y - h, c.x, c.y + h + 1);
    label(c, h, "Comet");
    // An asteroid: an X.
    c = place(3, symColumn, symbolsBase);
    s.setPen(Pen{PenStyle::Solid, lineWidth,
                 printerColour(scheme, settings::ColorItem::AstPoint, bw)});
    s.line(c.x - h, c.y - h, c.x + h + 1, c.y + h + 1);
    s.line(c.x - h, c.y + h, c.x + h + 1, c.y - h - 1);
    label(c, h, "Asteroid");
    return count;
}

void drawCompass(Surface& s, const PageLayout& layout, NorthDirection north) {
    const double mm = layout.dotsPerMm;
    const double cx = layout.chartArea.right - 25.0 * mm;
    const double cy = layout.chartArea.bottom - 25.0 * mm;
    double nx = north.x, ny = north.y;
    const double len = std::hypot(nx, ny);
    if (!(len > 0.0)) {
        nx = 0.0;
        ny = 1.0;
    } else {
        nx /= len;
        ny /= len;
    }
    // Page axes: x right, y down. North arm (nx, -ny); east is to the left of north.
    const double arm = 10.0 * mm;
    const double dx[4] = {nx, -nx, -ny, ny};   // N, S, E, W
    const double dy[4] = {-ny, ny, -nx, nx};
    s.setPen(Pen{PenStyle::Solid, std::max(1, static_cast<int>(std::lround(0.25 * mm))), kBlack});
    auto at = [&](int i, double f) {
        return Point{static_cast<int>(std::lround(cx + dx[i] * arm * f)),
                     static_cast<int>(std::lround(cy + dy[i] * arm * f))};
    };
    Point a = at(0, 1.0), b = at(1, 1.0);
    s.line(a.x, a.y, b.x, b.y);
    a = at(2, 1.0);
    b = at(3, 1.0);
    s.line(a.x, a.y, b.x, b.y);
    s.setFont(arial(16, layout.fontScale));
    s.setTextColour(kBlack);
    s.setTextAlign(kLeftTop);
    s.setTransparentBackground(true);
    static constexpr const char* kLetters[4] = {"N", "S", "E", "W"};
    for (int i = 0; i < 4; ++i) {
        const Size e = s.textExtent(kLetters[i]);
        const double reach = 1.0 + (0.6 * std::max(e.width, e.height)) / arm;
        const Point p = at(i, reach);
        s.text(p.x - e.width / 2, p.y - e.height / 2, kLetters[i]);
    }
}

} // namespace

PrintOptionsDialog::PrintOptionsDialog(std::string c) : comment(std::move(c)) {}

PrintOptions PrintOptionsDialog::accept() const {
    return {choice != Color, comment};
}

std::optional<PrintOptions> PreparePrinting(bool preview,
                                            const std::function<bool(PrintOptionsDialog&)>& ask,
                                            const std::string& previous) {
    PrintOptions options; // black and white until told otherwise
    if (preview)
        return options;
    PrintOptionsDialog dialog(previous);
    if (!ask || !ask(dialog))
        return std::nullopt;
    return dialog.accept();
}

PageLayout ComputePageLayout(int width, int height, double dotsPerMm) {
    PageLayout l;
    l.width = width;
    l.height = height;
    l.unit = height / 55;
    l.dotsPerMm = dotsPerMm;
    l.fontScale = std::min(dotsPerMm * 25.4 / 96.0, 5.0 * l.unit / (6.0 * 16.0));
    if (!(l.fontScale > 0.0))
        l.fontScale = 1.0;
    l.chartArea = {0, 0, width, (height / 5) * 4};
    l.centreX = width / 2;
    l.centreY = (height / 10) * 4;
    const int top = static_cast<int>(0.8 * height);
    l.placeBlock = {4 * width / 7, top + l.unit, width, top + 6 * l.unit};
    l.legendBand = {l.unit, top + l.unit, std::max(l.unit + 1, 4 * width / 7 - l.unit),
                    top + 6 * l.unit};
    return l;
}

ProjectionParams PrintProjection(const SkyChart& chart, const PageLayout& layout) {
    return SkyChart::ComputeProjection(chart.target(), chart.zoom(), layout.centreX,
                                       layout.centreY);
}

int LegendMagnitudeCount(double magnitudeLimit) {
    const double limit = std::min(magnitudeLimit, kLegendMagnitudeCap);
    int n = 0;
    while (n - 0.5 <= limit)
        ++n;
    return n;
}

std::string ObservingPlaceText(const SkyChart& chart, const PrintPlaceTexts& place) {
    std::string t = "Observing place:\n  ";
    if (!place.name.empty())
        t += "   " + place.name + "\n  ";
    t += "   Latitude: " + place.latitude + " , Longitude: " + place.longitude + "\n";
    t += "Date/Time:\n  ";
    t += "   Local: " + chart.clock.Local.toDisplayText() +
         " ,  DST: " + (chart.clock.DaylightSaving == 1 ? "Yes" : "No") + "\n  ";
    char jd[48];
    std::snprintf(jd, sizeof jd, "%.4f", chart.julianDay());
    t += "   UT: " + chart.clock.Universal.toDisplayText() + "      Julian day: " + jd;
    return t;
}

std::string TargetText(const SkyChart& chart) {
    const astro::SkyPoint target = chart.fromChartFrame(chart.target());
    const astro::SkyPoint hor = astro::toHorizontal(target, chart.frames());
    double az = std::fmod(540.0 - 15.0 * hor.ra(), 360.0);
    if (az < 0.0)
        az += 360.0;
    char zoom[48];
    std::snprintf(zoom, sizeof zoom, "%.1f\u00B0", fieldOfViewDegrees(chart.zoom()));
    return "Target:\n     RA: " + astro::formatHours(target.ra(), 1) +
           "  Dec: " + astro::formatDegrees(target.dec(), 0, true) +
           "\n     Az: " + astro::formatDegrees(az, 0, false) +
           "  Alt: " + astro::formatDegrees(hor.dec(), 0, true) + "\nZoom(vert.): " + zoom;
}

std::string ZenithText(const SkyChart& chart) {
    const astro::SkyPoint& z = chart.frames().zenith();
    return "Zenith:\n     RA: " + astro::formatHours(z.ra(), 1) +
           "  Dec: " + astro::formatDegrees(z.dec(), 0, true);
}

PrintedPage PrintChartPage(ChartViewState& state, Surface& surface,
                           const settings::ColorScheme& scheme, const ChartSources& sources,
                           const PrintPageRequest& request) {
    SkyChart& chart = state.chart;
    chart.RebuildHorizontalFrame();
    chart.SetView();
    if (state.rebuildDrawList) {
        state.rebuildDrawList = false;
        chart.RebuildDrawList(state.drawList);
    }
    UpdateGridSettings(chart);

    PrintedPage page;
    const PageLayout layout = ComputePageLayout(surface.width(), surface.height(), request.dotsPerMm);
    page.layout = layout;
    const bool bw = request.options.blackAndWhite;
    PrintContext print{PrintProjection(chart, layout), bw, layout.fontScale};
    page.projection = print.params;
    page.north = NorthDirectionAt(chart, &print.params);

    // The chart area.
    surface.clearClip();
    surface.setClip(layout.chartArea);
    DrawContext ctx(surface, chart, settings::ViewType::Printer, scheme, &print);
    DrawLayers(ctx, state.drawList, sources);
    surface.clearClip();

    // Frame.
    const Rect& a = layout.chartArea;
    surface.setPen(Pen{PenStyle::Solid,
                       std::max(1, static_cast<int>(std::lround(2.0 * layout.fontScale))), kBlack});
    surface.setBrush(Brush::none());
    surface.polyline({{a.left, a.top},
                      {a.right - 1, a.top},
                      {a.right - 1, a.bottom - 1},
                      {a.left, a.bottom - 1},
                      {a.left, a.top - 1}});

    const int windowCy = chart.projection().cy;
    const double pageScale = windowCy > 0 ? static_cast<double>(print.params.cy) / windowCy : 1.0;
    page.legendDiscs = drawLegend(surface, chart, scheme, layout, pageScale, bw);

    // Text blocks.
    const int u = layout.unit;
    surface.setTextColour(kBlack);
    // The texts' font is made smaller while the observing place, word-wrapped (a long name,
    // a narrow page), would not fit its block.
    const std::string placeText = ObservingPlaceText(chart, request.place);
    double textScale = layout.fontScale;
    for (int i = 0; i < 12; ++i) {
        surface.setFont(arial(16, textScale));
        if (wrappedHeight(surface, placeText, layout.placeBlock.width()) <=
            layout.placeBlock.height())
            break;
        textScale *= 0.9;
    }
    drawTextBlock(surface, layout.placeBlock, placeText);
    const int y = std::max(layout.legendBand.bottom, layout.placeBlock.top);
    const int block2Bottom = y + (7 * u) / 2;
    drawTextBlock(surface, {u, y, layout.width / 2, block2Bottom}, TargetText(chart));
    drawTextBlock(surface, {4 * layout.width / 7, y, layout.width, y + 3 * u}, ZenithText(chart));

    if (!request.preview) {
        const int y2 = std::max(block2Bottom, layout.placeBlock.bottom);
        surface.setPen(Pen{PenStyle::Solid, std::max(1, static_cast<int>(std::lround(layout.fontScale))),
                           kBlack});
        surface.line(u, y2, 2 * layout.width / 3, y2);
        surface.setFont(arial(16, textScale, true));
        drawTextBlock(surface, {u, y2 + u / 3, layout.width, y2 + 5 * u}, request.options.comment);
    }

    drawCompass(surface, layout, page.north);
    return page;
}

} // namespace chart
