#include "app/StarProp.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace app {

namespace {

constexpr int kLeftMargin = 10;
constexpr int kRightMargin = 10;
constexpr int kTopMargin = 4;
constexpr int kBottomMargin = 4;
// Between the widest label and the values.
constexpr int kValueGap = 2;
// The background rectangle; the window shows the part its size covers.
constexpr int kBackgroundSize = 500;
constexpr int kOutlineWidth = 2;

QColor colourOf(const int (&rgb)[3]) {
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

StarProp::StarProp(QWidget* chartView, ContextSource context, ModeSource viewMode)
    : QWidget(chartView), m_context(std::move(context)), m_viewMode(std::move(viewMode)) {
    setObjectName("StarProp");
    setWindowTitle("Star Properties");
    // Everything is painted by paintEvent: the background rectangle covers the window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    hide();
}

QFont StarProp::fontOf(catalog::ShortFont font) {
    QFont f;
    switch (font) {
    case catalog::ShortFont::Small:
        f.setFamily("Arial");
        f.setPixelSize(12);
        break;
    case catalog::ShortFont::Large:
        f.setFamily("Arial");
        f.setPixelSize(16);
        break;
    case catalog::ShortFont::Greek:
        // The Bayer letter is written as its Unicode Greek letter, in a serif face that has
        // it (as the chart's labels draw the schemes' "Symbol" face).
        f.setFamilies({"Liberation Serif", "DejaVu Serif"});
        f.setStyleHint(QFont::Serif);
        f.setPixelSize(24);
        break;
    }
    f.setWeight(QFont::Normal);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void StarProp::setObject(const astro::SkyPoint* object) {
    m_object = object;
    update();
}

void StarProp::showAtTopLeft() {
    setGeometry(0, 0, 1, 1);
    resize(textExtent());
    show();
    raise();
    update();
}

void StarProp::dismiss() {
    hide();
    m_object = nullptr;
}

QSize StarProp::textExtent() const {
    return layOut().size;
}

StarProp::Layout StarProp::layOut() const {
    Layout layout;
    if (!m_object || !m_context)
        return layout;
    const std::vector<catalog::ShortLine> lines =
        catalog::ShortPropertiesLines(*m_object, m_context());

    const QFontMetrics small(fontOf(catalog::ShortFont::Small));
    // The values of all fields start at one column, after the widest bare label.
    int labelWidth = 0;
    for (const catalog::ShortLine& line : lines)
        if (!line.isHeading())
            labelWidth = std::max(labelWidth, small.horizontalAdvance(q(line.label)));
    const int valueX = kLeftMargin + labelWidth + kValueGap;

    int top = kTopMargin;
    int right = kLeftMargin;
    for (const catalog::ShortLine& line : lines) {
        if (line.isHeading()) {
            // The runs stand on one baseline, one after another.
            int ascent = 0;
            int descent = 0;
            int leading = 0;
            for (const catalog::ShortRun& run : line.heading) {
                const QFontMetrics m(fontOf(run.font));
                ascent = std::max(ascent, m.ascent());
                descent = std::max(descent, m.descent());
                leading = std::max(leading, m.leading());
            }
            int x = kLeftMargin;
            for (const catalog::ShortRun& run : line.heading) {
                const QString text = q(run.text);
                layout.texts.push_back({run.font, QPoint(x, top + ascent), text});
                x += QFontMetrics(fontOf(run.font)).horizontalAdvance(text);
            }
            right = std::max(right, x);
            top += ascent + descent + std::max(0, leading);
        } else {
            const int baseline = top + small.ascent();
            layout.texts.push_back(
                {catalog::ShortFont::Small, QPoint(kLeftMargin, baseline), q(line.label)});
            int end = kLeftMargin + small.horizontalAdvance(q(line.label));
            if (!line.value.empty()) {
                const QString value = q(line.value);
                layout.texts.push_back(
                    {catalog::ShortFont::Small, QPoint(valueX, baseline), value});
                end = valueX + small.horizontalAdvance(value);
            }
            right = std::max(right, end);
            top += small.lineSpacing();
        }
    }
    layout.size = QSize(right + kRightMargin, top + kBottomMargin);
    return layout;
}

void StarProp::paintEvent(QPaintEvent*) {
    const Layout layout = layOut();
    // The lines change with the chart's clock: the window follows its text.
    if (m_object && layout.size != size())
        resize(layout.size);
    const catalog::ShortColours c = catalog::ShortPropertiesColours(m_viewMode ? m_viewMode() : 1);
    const QColor background = colourOf(c.background);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    // The background rectangle, at most 500 square, as large as the window that its text
    // sizes, so that its outline (a solid pen of width 2, inside the edges) goes all round.
    const int w = std::min(width(), kBackgroundSize);
    const int h = std::min(height(), kBackgroundSize);
    p.fillRect(QRect(0, 0, w, h), background);
    QPen outline(colourOf(c.outline), kOutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kOutlineWidth / 2.0, kOutlineWidth / 2.0, w - kOutlineWidth,
                      h - kOutlineWidth));
    p.setPen(colourOf(c.text));
    p.setBackground(background);
    p.setBackgroundMode(Qt::OpaqueMode);
    for (const Placed& t : layout.texts) {
        p.setFont(fontOf(t.font));
        p.drawText(t.baseline, t.text);
    }
}

void StarProp::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        event->accept();
        if (m_object)
            Q_EMIT fullPropertiesRequested();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace app
