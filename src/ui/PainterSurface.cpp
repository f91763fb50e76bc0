#include "ui/PainterSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPolygon>
#include <QSaveFile>
#include <QStaticText>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

namespace {

QColor toQColor(chart::Colour c) {
    return QColor(c.r, c.g, c.b);
}

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QBrush toQBrush(const chart::Brush& brush) {
    return brush.solid ? QBrush(toQColor(brush.colour)) : QBrush(Qt::NoBrush);
}

QPolygon toQPolygon(const std::vector<chart::Point>& points) {
    QPolygon poly(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        poly.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    }
    return poly;
}

// Pens of width 0 or 1 are one device pixel wide and leave out the last point of a line
// (flat cap); wider pens draw solid with round ends and joins. The dash patterns are in
// pixels: 18 on 6 off for dashes, 3 on 3 off for dots.
// On a high-density image a one-pixel pen is one logical pixel wide, as every other length
// (a cosmetic pen would be one device pixel, half the rule).
QPen toQPen(const chart::Pen& pen, bool highDensity = false) {
    if (pen.style == chart::PenStyle::Null) {
        return QPen(Qt::NoPen);
    }
    QPen q(toQColor(pen.colour));
    if (pen.width <= 1) {
        q.setWidth(1);
        q.setCosmetic(!highDensity);
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::MiterJoin);
        if (pen.style == chart::PenStyle::Dash) {
            q.setDashPattern({18.0, 6.0});
        } else if (pen.style == chart::PenStyle::Dot) {
            q.setDashPattern({3.0, 3.0});
        }
    } else {
        q.setWidth(pen.width);
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
    }
    return q;
}

QFont::StyleHint styleHintOf(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10:
        return QFont::Serif;
    case 0x20:
        return QFont::SansSerif;
    case 0x30:
        return QFont::TypeWriter;
    case 0x40:
        return QFont::Cursive;
    case 0x50:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

// Character set, precisions, quality and orientation have no counterpart here: glyphs are
// always drawn without antialiasing and the text direction follows the escapement alone.
QFont toQFont(const chart::Font& font) {
    QFont q;
    if (!font.faceName.empty()) {
        const QString face = QString::fromStdString(font.faceName);
        // Greek letters are written as Unicode text; the schemes' "Symbol" face stands for a
        // serif face that has them (a font named Symbol may map Latin codes to Greek or have
        // no Greek at all).
        if (face.compare("Symbol", Qt::CaseInsensitive) == 0)
            q.setFamily("Liberation Serif");
        else
            q.setFamily(face);
    }
    q.setStyleHint(styleHintOf(font.pitchAndFamily), QFont::NoAntialias);
    q.setStyleStrategy(QFont::NoAntialias);
    if ((font.pitchAndFamily & 0x03) == 1) {
        q.setFixedPitch(true);
    }
    if (font.height < 0) {
        q.setPixelSize(-font.height);
    } else if (font.height > 0) {
        // A cell height: scale the em so that ascent + descent come out at the height asked.
        q.setPixelSize(font.height);
        const int cell = QFontMetrics(q).height();
        if (cell > 0 && cell != font.height) {
            const double em = static_cast<double>(font.height) * font.height / cell;
            q.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
        }
    }
    if (font.weight > 0) {
        q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    }
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    if (font.width > 0) {
        const int average = QFontMetrics(q).averageCharWidth();
        if (average > 0) {
            const double stretch = 100.0 * font.width / average;
            q.setStretch(std::clamp(static_cast<int>(std::lround(stretch)), 1, 4000));
        }
    }
    return q;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, int width, int height)
    : m_painter(&painter), m_width(width), m_height(height) {
    m_highDensity = painter.device() && painter.device()->devicePixelRatio() > 1.0;
    prepare();
}

PainterSurface::PainterSurface(QImage& image)
    : m_painter(nullptr), m_width(image.width()), m_height(image.height()) {
    const double ratio = image.devicePixelRatio();
    m_highDensity = ratio > 1.0;
    const int scale = static_cast<int>(std::lround(ratio));
    if (scale >= 1 && std::abs(ratio - scale) < 1e-9) {
        m_width = image.width() / scale;
        m_height = image.height() / scale;
        const QImage::Format f = image.format();
        if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
            f == QImage::Format_ARGB32_Premultiplied) {
            m_bits = image.bits(); // before the painter, so that nothing detaches later
            m_bytesPerLine = static_cast<long>(image.bytesPerLine());
            m_scale = scale;
        }
    } else {
        m_width = static_cast<int>(image.width() / ratio);
        m_height = static_cast<int>(image.height() / ratio);
    }
    m_ownPainter = std::make_unique<QPainter>(&image);
    m_painter = m_ownPainter.get();
    prepare();
}

PainterSurface::~PainterSurface() {
    if (m_ownPainter) {
        m_ownPainter->end();
    }
}

void PainterSurface::prepare() {
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, false);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->setClipping(false);
    setPen(chart::Pen{});
    setBrush(chart::Brush::none());
    setFont(chart::Font{});
    setBackgroundColour(m_background);
    setTransparentBackground(m_transparent);
}

// Every star sets its pen and brush, and most draw only single pixels: the painter is told
// of a change when a line or shape is drawn.
void PainterSurface::setPen(const chart::Pen& pen) {
    m_pen = pen;
}

void PainterSurface::setBrush(const chart::Brush& brush) {
    m_brush = brush;
}

void PainterSurface::applyPenAndBrush() {
    if (!m_penSet || !(m_appliedPen == m_pen)) {
        m_appliedPen = m_pen;
        m_penSet = true;
        m_painter->setPen(toQPen(m_pen, m_highDensity));
    }
    if (!m_brushSet || !(m_appliedBrush == m_brush)) {
        m_appliedBrush = m_brush;
        m_brushSet = true;
        m_painter->setBrush(toQBrush(m_brush));
    }
}

void PainterSurface::setFont(const chart::Font& font) {
    if (m_fontSet && font == m_font)
        return;
    m_font = font;
    m_fontSet = true;
    m_escapement = font.escapement;
    m_painter->setFont(toQFont(font));
    m_texts = nullptr;
}

// What is known of the texts already drawn in one font at one scale: labels are the same few
// hundred names at every redraw, and measuring or laying out one shapes it.
struct PainterSurface::FontTexts {
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    chart::Font font;
    int scale;
    std::unordered_map<std::string, TextEntry, Hash, std::equal_to<>> texts;
};

namespace {

constexpr std::size_t kMaxFonts = 64;
constexpr std::size_t kMaxTexts = 8192;

struct TextCache {
    std::vector<std::unique_ptr<PainterSurface::FontTexts>> fonts;
    // Counts the clearings of `fonts`, after which the surfaces' pointers are stale.
    std::uint64_t generation = 0;
};

TextCache& textCache() {
    thread_local TextCache cache;
    return cache;
}

} // namespace

PainterSurface::TextEntry& PainterSurface::textEntry(const QFontMetrics& fm, std::string_view utf8,
                                                     const QString& text) const {
    TextCache& cache = textCache();
    if (!m_texts || m_textsGeneration != cache.generation) {
        m_texts = nullptr;
        for (const auto& f : cache.fonts)
            if (f->font == m_font && f->scale == m_scale) {
                m_texts = f.get();
                break;
            }
        if (!m_texts) {
            if (cache.fonts.size() >= kMaxFonts) {
                cache.fonts.clear();
                ++cache.generation;
            }
            cache.fonts.push_back(std::make_unique<FontTexts>(FontTexts{m_font, m_scale, {}}));
            m_texts = cache.fonts.back().get();
        }
        m_textsGeneration = cache.generation;
    }
    auto& texts = m_texts->texts;
    if (const auto found = texts.find(utf8); found != texts.end())
        return found->second;
    if (texts.size() >= kMaxTexts)
        texts.clear();
    return texts.emplace(std::string(utf8), TextEntry{fm.horizontalAdvance(text), {}})
        .first->second;
}

void PainterSurface::setTransparentBackground(bool transparent) {
    m_transparent = transparent;
    m_painter->setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void PainterSurface::setBackgroundColour(chart::Colour colour) {
    m_background = colour;
    m_painter->setBackground(QBrush(toQColor(colour)));
}

void PainterSurface::setPixel(int x, int y, chart::Colour colour) {
    if (!m_bits) {
        m_painter->fillRect(QRect(x, y, 1, 1), toQColor(colour));
        return;
    }
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    if (m_clipped && !m_clip.contains(x, y))
        return;
    const std::uint32_t argb = 0xff000000u | (static_cast<std::uint32_t>(colour.r) << 16) |
                               (static_cast<std::uint32_t>(colour.g) << 8) | colour.b;
    for (int dy = 0; dy < m_scale; ++dy) {
        auto* row = reinterpret_cast<std::uint32_t*>(
            m_bits + (static_cast<long>(y) * m_scale + dy) * m_bytesPerLine);
        for (int dx = 0; dx < m_scale; ++dx)
            row[x * m_scale + dx] = argb;
    }
}

void PainterSurface::line(int x1, int y1, int x2, int y2) {
    applyPenAndBrush();
    m_painter->drawLine(x1, y1, x2, y2);
}

void PainterSurface::polyline(const std::vector<chart::Point>& points) {
    applyPenAndBrush();
    if (points.size() >= 2) {
        m_painter->drawPolyline(toQPolygon(points));
    }
}

namespace {

// A small ellipse as the painter draws it in a box at the origin: its opaque device pixels,
// as offsets from the box's corner. Star glyphs are a few sizes in a few colours drawn by the
// thousand; each is drawn by the painter once and stamped from then on, so that every glyph
// of a kind has the same pixels wherever it lies.
struct Sprite {
    int width, height, scale;
    chart::Pen pen;
    chart::Brush brush;
    struct Pixel {
        int dx, dy;
        std::uint32_t argb;
    };
    std::vector<Pixel> pixels;
};

constexpr int kSpriteMaxSize = 24;
constexpr std::size_t kSpriteCacheSize = 256;

const Sprite& spriteFor(int w, int h, int scale, const chart::Pen& pen, const chart::Brush& brush,
                        bool highDensity) {
    thread_local std::vector<Sprite> cache;
    for (const Sprite& s : cache)
        if (s.width == w && s.height == h && s.scale == scale && s.pen == pen && s.brush == brush)
            return s;
    if (cache.size() >= kSpriteCacheSize)
        cache.clear();
    const int margin = std::max(1, pen.width) + 1; // room for the outline round the box
    QImage image((w + 2 * margin) * scale, (h + 2 * margin) * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(toQPen(pen, highDensity));
        p.setBrush(toQBrush(brush));
        p.drawEllipse(QRect(margin, margin, w - 1, h - 1));
    }
    Sprite sprite{w, h, scale, pen, brush, {}};
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] >> 24) != 0)
                sprite.pixels.push_back(
                    {x - margin * scale, y - margin * scale, line[x] | 0xff000000u});
    }
    cache.push_back(std::move(sprite));
    return cache.back();
}

// Floor division, for device pixels left of or above the image.
int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

void PainterSurface::ellipse(const chart::Rect& box) {
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    // Star glyphs have solid outlines or none. Dotted ones go to the painter, which fills
    // their gaps on an opaque background; a solid one is stamped as drawn on a transparent
    // background, since the painter's opaque mode draws small solid ellipses out of shape.
    const bool stampable =
        m_pen.style == chart::PenStyle::Solid || m_pen.style == chart::PenStyle::Null;
    if (m_bits && stampable && box.width() <= kSpriteMaxSize && box.height() <= kSpriteMaxSize) {
        const Sprite& sprite =
            spriteFor(box.width(), box.height(), m_scale, m_pen, m_brush, m_highDensity);
        const int x0 = box.left * m_scale, y0 = box.top * m_scale;
        for (const Sprite::Pixel& p : sprite.pixels) {
            const int x = x0 + p.dx, y = y0 + p.dy;
            const int lx = floorDiv(x, m_scale), ly = floorDiv(y, m_scale);
            if (lx < 0 || ly < 0 || lx >= m_width || ly >= m_height ||
                (m_clipped && !m_clip.contains(lx, ly)))
                continue;
            reinterpret_cast<std::uint32_t*>(m_bits + static_cast<long>(y) * m_bytesPerLine)[x] =
                p.argb;
        }
        return;
    }
    applyPenAndBrush();
    // The outline of a one-pixel pen lies on the shape's edge, so the shape is one pixel
    // smaller than the box to keep every pixel inside it.
    m_painter->drawEllipse(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
}

void PainterSurface::polygon(const std::vector<chart::Point>& points) {
    applyPenAndBrush();
    if (points.size() >= 3) {
        m_painter->drawPolygon(toQPolygon(points), Qt::OddEvenFill);
    }
}

void PainterSurface::fillRect(const chart::Rect& rect, chart::Colour colour) {
    if (rect.width() > 0 && rect.height() > 0) {
        m_painter->fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()),
                            toQColor(colour));
    }
}

void PainterSurface::text(int x, int y, std::string_view utf8) {
    const QString s = toQString(utf8);
    const QFontMetrics fm = m_painter->fontMetrics();
    TextEntry& entry = textEntry(fm, utf8, s);
    const int advance = entry.width;
    int dx = 0;
    if (m_align.horizontal == chart::HAlign::Centre) {
        dx = -advance / 2;
    } else if (m_align.horizontal == chart::HAlign::Right) {
        dx = -advance;
    }
    int baseline = 0; // offset of the baseline from the anchor
    if (m_align.vertical == chart::VAlign::Top) {
        baseline = fm.ascent();
    } else if (m_align.vertical == chart::VAlign::Bottom) {
        baseline = -fm.descent();
    }

    if (m_escapement == 0 && !m_highDensity) {
        // Level text in a font the surface set: laid out once, drawn from then on (the same
        // pixels as drawing it afresh).
        if (!m_transparent) {
            m_painter->fillRect(QRect(x + dx, y + baseline - fm.ascent(), advance, fm.height()),
                                toQColor(m_background));
            m_painter->setBackgroundMode(Qt::TransparentMode);
        }
        m_painter->setPen(QPen(toQColor(m_textColour)));
        m_penSet = false; // the next shape sets its pen again
        if (!entry.laidOut) {
            entry.laidOut.emplace(s);
            entry.laidOut->setTextFormat(Qt::PlainText);
        }
        m_painter->drawStaticText(QPointF(x + dx, y + baseline - fm.ascent()), *entry.laidOut);
        if (!m_transparent)
            m_painter->setBackgroundMode(Qt::OpaqueMode);
        return;
    }
    m_painter->save();
    m_painter->translate(x, y);
    if (m_escapement != 0) {
        m_painter->rotate(-m_escapement / 10.0);
    }
    if (!m_transparent) {
        m_painter->fillRect(QRect(dx, baseline - fm.ascent(), advance, fm.height()),
                            toQColor(m_background));
    }
    m_painter->setBackgroundMode(Qt::TransparentMode);
    m_painter->setPen(QPen(toQColor(m_textColour)));
    m_painter->drawText(QPoint(dx, baseline), s);
    m_painter->restore();
}

chart::Size PainterSurface::textExtent(std::string_view utf8) const {
    const QFontMetrics fm = m_painter->fontMetrics();
    return {textEntry(fm, utf8, toQString(utf8)).width, fm.height()};
}

void PainterSurface::setClip(const chart::Rect& rect) {
    m_clipped = true;
    m_clip = rect;
    m_painter->setClipRect(
        QRect(rect.left, rect.top, std::max(0, rect.width()), std::max(0, rect.height())));
}

void PainterSurface::clearClip() {
    m_clipped = false;
    m_painter->setClipping(false);
}

bool renderToPng(const std::string& path, int width, int height, const DrawFunction& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        PainterSurface surface(image);
        draw(surface);
    }
    // Through a temporary file renamed at the end, so a failed write leaves no half image.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG"))
        return false;
    return file.commit();
}

bool renderToPdf(const std::string& path, int width, int height, const DrawFunction& draw) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(72);
        writer.setPageSize(
            QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        {
            PainterSurface surface(painter, width, height);
            draw(surface);
        }
        painted = painter.end();
    }
    return painted && file.commit();
}

bool renderPagesToPdf(const std::string& path, int pageCount, PageFormat format,
                      const PageDrawFunction& draw) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfPageResolution);
        const QPageSize size(format.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
        writer.setPageLayout(QPageLayout(size,
                                         format.landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
        for (int page = 1; page <= pageCount; ++page) {
            if (page > 1 && !writer.newPage())
                return false;
            PainterSurface surface(painter, area.width(), area.height());
            draw(surface, page);
        }
        painted = painter.end();
    }
    return painted && file.commit();
}

} // namespace ui
