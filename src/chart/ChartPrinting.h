#pragma once

#include "chart/ChartRenderer.h"
#include "chart/ChartSources.h"
#include "chart/Projection.h"
#include "chart/Surface.h"
#include "settings/ColorScheme.h"

#include <functional>
#include <optional>
#include <string>

namespace chart {

class ChartViewState;
class SkyChart;

// ---- print options and their dialog -------------------------------------------------------

// What the user chose before printing: black and white or colour, and the comment written
// under the page's texts.
struct PrintOptions {
    bool blackAndWhite = true;
    std::string comment;

    friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

// "Print Options": the group "Colors" with the radio buttons "Color" and "Black && White",
// and the edit "Comment:". It opens on "Black && White" (the job sets black and white before
// asking) with the comment given. OK hands back the choice and the comment; Cancel cancels
// the print job before any page is drawn.
class PrintOptionsDialog {
public:
    static constexpr const char* kTitle = "Print Options";
    static constexpr const char* kColorsGroup = "Colors";
    static constexpr const char* kColorButton = "Color";
    static constexpr const char* kBlackWhiteButton = "Black && White";
    static constexpr const char* kCommentLabel = "Comment:";

    // The radio buttons in their order.
    enum Choice { Color = 0, BlackAndWhite = 1 };

    explicit PrintOptionsDialog(std::string comment = {});

    Choice choice = BlackAndWhite;
    std::string comment;

    // OK: the options to print with ("Color" prints in colour, "Black && White" in black).
    PrintOptions accept() const;
};

// The preparation of a print job. Preview never asks and never prints a comment; printing
// opens the dialog through ask (true for OK) and gives nothing when the user cancels.
// previous is the comment offered in the dialog.
std::optional<PrintOptions> PreparePrinting(bool preview,
                                            const std::function<bool(PrintOptionsDialog&)>& ask,
                                            const std::string& previous = {});

// ---- the page -----------------------------------------------------------------------------

// The texts of the observing place as the places list writes them: the name (empty for a
// free position) and the latitude and longitude ("51° 30' 26" N", "0° 07' 39" W").
struct PrintPlaceTexts {
    std::string name;
    std::string latitude;
    std::string longitude;
};

// One page to draw. The surface passed with it is the page's drawing rectangle in device
// units; dotsPerMm is the device's resolution (for the compass rose, the legend spacing and
// the scaling of the print fonts and pens). In a preview the separator and the comment are
// left out.
struct PrintPageRequest {
    double dotsPerMm = 600.0 / 25.4;
    bool preview = false;
    PrintOptions options;
    PrintPlaceTexts place;
};

// Where the parts of a page lie for a drawing rectangle of W x H device units: u = H / 55
// is the line unit; the chart area is the upper (H / 5) * 4 with its centre at W / 2,
// (H / 10) * 4; text block 1 takes (4W/7, 0.8H + u)..(W, 0.8H + 6u); the legend the band
// beside it from u to 4W/7 - u.
struct PageLayout {
    int width = 0;
    int height = 0;
    int unit = 0;
    double dotsPerMm = 0.0;
    // Device units per pixel of the print scheme's fonts and pens: a pixel is 1/96 inch on
    // paper, but never so large that the six lines of the first text block outgrow its
    // 5u rectangle (a landscape page is short).
    double fontScale = 1.0;
    Rect chartArea;
    int centreX = 0;
    int centreY = 0;
    Rect placeBlock;
    Rect legendBand;
};
PageLayout ComputePageLayout(int width, int height, double dotsPerMm);

// The page's projection: the chart's target and zoom as the window's SetView makes them,
// with the page centre in place of the window's, so that the window's vertical field fills
// the chart area's height.
ProjectionParams PrintProjection(const SkyChart& chart, const PageLayout& layout);

// The magnitudes of the legend: one disc for m = 0, 1, 2, ... while m - 0.5 does not exceed
// the limiting magnitude (taken as at most 13); none for a limit below -0.5.
int LegendMagnitudeCount(double magnitudeLimit);

// The three text blocks.
// "Observing place:\n  " [+ "   " name "\n  "] + "   Latitude: ..." + date and time lines.
std::string ObservingPlaceText(const SkyChart& chart, const PrintPlaceTexts& place);
// "Target:\n     RA: ...  Dec: ...\n     Az: ...  Alt: ...\nZoom(vert.): 12.3°".
std::string TargetText(const SkyChart& chart);
// "Zenith:\n     RA: ...  Dec: ...".
std::string ZenithText(const SkyChart& chart);

// What a printed page came to (for the caller and the tests).
struct PrintedPage {
    PageLayout layout;
    ProjectionParams projection;
    NorthDirection north; // celestial north on the page: pixels right and up
    int legendDiscs = 0;
};

// Draws one chart page on the surface: the chart area through the layers' print paths in
// the paper order (only what the window shows), the frame, the legend, the three text
// blocks, the separator and the comment when printing, and the compass rose. The chart's
// window size and view (target, zoom, place, time) decide what is drawn; the page's pens,
// colours and fonts are the scheme's "Printer" items. The chart's horizontal frame and
// projection are brought up to date, and the draw list rebuilt when the view asks for it.
PrintedPage PrintChartPage(ChartViewState& state, Surface& surface,
                           const settings::ColorScheme& scheme, const ChartSources& sources,
                           const PrintPageRequest& request);

} // namespace chart
