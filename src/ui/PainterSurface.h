#pragma once

#include "chart/Surface.h"

#include <QStaticText>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QFontMetrics;
class QImage;
class QString;
class QPainter;

namespace ui {

// chart::Surface on a QPainter. Lines, shapes and glyphs are drawn without antialiasing,
// so that one-pixel rules hold exactly. Font faces are resolved by the platform's font
// configuration (on Linux "Arial" becomes a metric-compatible substitute).
class PainterSurface : public chart::Surface {
public:
    // Draws through a painter that is already active on a device; the surface's extent is
    // width x height. The painter's settings are changed.
    PainterSurface(QPainter& painter, int width, int height);
    // Opens its own painter on the image for the lifetime of the surface. The surface's
    // extent is the image's size in logical pixels: an image of device pixel ratio 2 (a
    // high-density screen's back buffer) is drawn at its full resolution, every length the
    // chart gives staying in logical pixels.
    explicit PainterSurface(QImage& image);
    ~PainterSurface() override;

    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    int width() const override { return m_width; }
    int height() const override { return m_height; }

    void setPen(const chart::Pen& pen) override;
    void setBrush(const chart::Brush& brush) override;
    void setFont(const chart::Font& font) override;
    void setTextColour(chart::Colour colour) override { m_textColour = colour; }
    void setTransparentBackground(bool transparent) override;
    void setBackgroundColour(chart::Colour colour) override;
    void setTextAlign(chart::TextAlign align) override { m_align = align; }

    void setPixel(int x, int y, chart::Colour colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void polyline(const std::vector<chart::Point>& points) override;
    void ellipse(const chart::Rect& box) override;
    void polygon(const std::vector<chart::Point>& points) override;
    void fillRect(const chart::Rect& rect, chart::Colour colour) override;
    void text(int x, int y, std::string_view utf8) override;
    chart::Size textExtent(std::string_view utf8) const override;

    void setClip(const chart::Rect& rect) override;
    void clearClip() override;

    // A text measured in a font, and laid out once it was drawn level; the surfaces of a
    // thread keep them by font and scale (FontTexts).
    struct TextEntry {
        int width = 0;
        std::optional<QStaticText> laidOut;
    };
    struct FontTexts;

private:
    void prepare();
    void applyPenAndBrush();
    TextEntry& textEntry(const QFontMetrics& fm, std::string_view utf8, const QString& text) const;

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter;
    int m_width;
    int m_height;
    // Single pixels go straight into a 32-bit image (a QPainter fill per pixel costs a
    // hundred times more): its bits, line length and device pixels per logical pixel; null
    // when the surface draws on anything else.
    unsigned char* m_bits = nullptr;
    long m_bytesPerLine = 0;
    int m_scale = 1;
    bool m_highDensity = false;
    bool m_clipped = false;
    chart::Rect m_clip;

    // The pen and brush asked for, and those the painter has.
    chart::Pen m_pen;
    chart::Brush m_brush;
    chart::Pen m_appliedPen;
    chart::Brush m_appliedBrush;
    bool m_penSet = false;
    bool m_brushSet = false;
    chart::Colour m_textColour;
    chart::Colour m_background{255, 255, 255};
    bool m_transparent = false;
    chart::TextAlign m_align;
    int m_escapement = 0;
    chart::Font m_font;
    bool m_fontSet = false;
    // The texts known in the current font; null until the first text after setFont.
    mutable FontTexts* m_texts = nullptr;
    mutable std::uint64_t m_textsGeneration = 0;
};

using DrawFunction = std::function<void(chart::Surface&)>;

// Draws on a white width x height image and writes it as PNG; false when writing fails.
bool renderToPng(const std::string& path, int width, int height, const DrawFunction& draw);
// Draws on one PDF page of width x height points (one surface pixel per point, page
// background left white); false when the file cannot be written.
bool renderToPdf(const std::string& path, int width, int height, const DrawFunction& draw);

// The paper of printed PDF pages.
enum class Paper { A4, Letter };
struct PageFormat {
    Paper paper = Paper::A4;
    bool landscape = false;
};
// The resolution of printed PDF pages, in dots per inch.
inline constexpr int kPdfPageResolution = 600;

// Pages of a printed document in a PDF file, portrait or landscape, at 600 dots per inch
// with margins of 10 mm; the surface of each page is its printable rectangle in dots, and
// draw is called once per page (1-based). False when the file cannot be written.
using PageDrawFunction = std::function<void(chart::Surface&, int page)>;
bool renderPagesToPdf(const std::string& path, int pageCount, PageFormat format,
                      const PageDrawFunction& draw);

} // namespace ui
