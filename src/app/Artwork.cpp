#include "app/Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace app {

namespace {

constexpr double kPi = std::numbers::pi;

// The icon palette. Shapes are filled and edged with a dark ink; line art gets a light halo
// underneath so that it reads on dark toolbars as well as light ones.
const QColor kInk(28, 32, 44);
const QColor kHalo(255, 255, 255, 140);
const QColor kBlue(43, 104, 201);
const QColor kGreen(40, 140, 58);
const QColor kOrange(214, 124, 20);
const QColor kStarFill(255, 214, 64);
const QColor kStarEdge(140, 92, 0);

// The colour mixed with white: light fills behind line drawings.
QColor pale(const QColor& c, qreal whiteShare) {
    const auto mix = [whiteShare](int v) {
        return static_cast<int>(std::lround(v + (255 - v) * whiteShare));
    };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

QPen roundPen(const QColor& c, qreal w) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A line drawing with its halo.
void stroke(QPainter& p, const QPainterPath& path, const QColor& c, qreal w) {
    p.strokePath(path, roundPen(kHalo, w + 1.5));
    p.strokePath(path, roundPen(c, w));
}

void strokeLine(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal w) {
    QPainterPath path(a);
    path.lineTo(b);
    stroke(p, path, c, w);
}

void fillShape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& edge = kInk,
               qreal w = 1.0) {
    p.setPen(roundPen(edge, w));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath starPath(QPointF c, qreal outer, qreal inner, int points = 5) {
    QPainterPath path;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = -kPi / 2 + i * kPi / points;
        const QPointF pt = c + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void star(QPainter& p, QPointF c, qreal outer, const QColor& fill = kStarFill,
          const QColor& edge = kStarEdge, qreal w = 0.9) {
    fillShape(p, starPath(c, outer, outer * 0.45), fill, edge, w);
}

void dot(QPainter& p, QPointF c, qreal r, const QColor& fill, const QColor& edge = kInk,
         qreal w = 0.7) {
    p.setPen(QPen(edge, w));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
}

// Small discs spaced evenly along a path: dotted lines that stay dotted at any scale.
void dotsAlong(QPainter& p, const QPainterPath& path, int count, qreal r, const QColor& fill,
               bool closed) {
    const int steps = closed ? count : count - 1;
    for (int i = 0; i < count; ++i) {
        const qreal t = static_cast<qreal>(i) / steps;
        dot(p, path.pointAtPercent(std::min<qreal>(t, 1.0)), r, fill, fill.darker(220), 0.5);
    }
}

// A filled arrow head whose tip is at `tip`, pointing along `angle` (radians, screen axes).
void arrowHead(QPainter& p, QPointF tip, qreal angle, qreal len, qreal halfWidth, const QColor& c) {
    const QPointF d(std::cos(angle), std::sin(angle));
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * len;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + n * halfWidth);
    head.lineTo(base - n * halfWidth);
    head.closeSubpath();
    fillShape(p, head, c, c.darker(200), 0.6);
}

// An elliptical arc with an arrow head at its end (angles in degrees, counter-clockwise).
void arcArrow(QPainter& p, const QRectF& rect, qreal startDeg, qreal sweepDeg, const QColor& c,
              qreal w) {
    QPainterPath arc;
    arc.arcMoveTo(rect, startDeg);
    arc.arcTo(rect, startDeg, sweepDeg);
    stroke(p, arc, c, w);
    const qreal end = (startDeg + sweepDeg) * kPi / 180;
    const qreal rx = rect.width() / 2;
    const qreal ry = rect.height() / 2;
    const QPointF tip = rect.center() + QPointF(rx * std::cos(end), -ry * std::sin(end));
    // The tangent in the direction of the sweep.
    QPointF t(-rx * std::sin(end), -ry * std::cos(end));
    if (sweepDeg < 0)
        t = -t;
    arrowHead(p, tip + t / std::hypot(t.x(), t.y()) * 1.2, std::atan2(t.y(), t.x()), 4.0, 2.6, c);
}

// A shaded ball; markings may be drawn over it before `sphereEdge`.
void sphereFill(QPainter& p, QPointF c, qreal r, const QColor& base) {
    QRadialGradient g(c + QPointF(-r * 0.4, -r * 0.4), r * 1.5);
    g.setColorAt(0, base.lighter(145));
    g.setColorAt(0.55, base);
    g.setColorAt(1, base.darker(170));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void sphereEdge(QPainter& p, QPointF c, qreal r, const QColor& base) {
    p.setPen(QPen(base.darker(260), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
}

void sphere(QPainter& p, QPointF c, qreal r, const QColor& base) {
    sphereFill(p, c, r, base);
    sphereEdge(p, c, r, base);
}

QPainterPath circlePath(QPointF c, qreal r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

// Letters drawn as strokes in the box x0..x1, y0..y1, so that they do not depend on fonts.
QPainterPath letterPath(char ch, qreal x0, qreal y0, qreal x1, qreal y1) {
    QPainterPath path;
    const qreal xm = (x0 + x1) / 2;
    const qreal ym = (y0 + y1) / 2;
    switch (ch) {
    case 'N':
        path.moveTo(x0, y1);
        path.lineTo(x0, y0);
        path.lineTo(x1, y1);
        path.lineTo(x1, y0);
        break;
    case 'E':
        path.moveTo(x1, y0);
        path.lineTo(x0, y0);
        path.lineTo(x0, y1);
        path.lineTo(x1, y1);
        path.moveTo(x0, ym);
        path.lineTo(x1 - (x1 - x0) * 0.2, ym);
        break;
    case 'W':
        path.moveTo(x0, y0);
        path.lineTo(x0 + (x1 - x0) * 0.25, y1);
        path.lineTo(xm, y0 + (y1 - y0) * 0.3);
        path.lineTo(x1 - (x1 - x0) * 0.25, y1);
        path.lineTo(x1, y0);
        break;
    case 'S': {
        const qreal h = (y1 - y0) / 2;
        const QRectF top(x0, y0, x1 - x0, h);
        const QRectF bottom(x0, ym, x1 - x0, h);
        path.arcMoveTo(top, 25);
        path.arcTo(top, 25, 245);
        path.arcTo(bottom, 90, -245);
        break;
    }
    case 'a': { // the Greek alpha of star labels
        const qreal w = x1 - x0;
        path.moveTo(x1, y0 + 0.1 * (y1 - y0));
        path.cubicTo(x1 - 0.25 * w, y1 - 0.3 * (y1 - y0), x0 + 0.65 * w, y1, x0 + 0.4 * w, y1);
        path.cubicTo(x0, y1, x0, y0, x0 + 0.4 * w, y0);
        path.cubicTo(x0 + 0.65 * w, y0, x1 - 0.25 * w, y0 + 0.3 * (y1 - y0), x1,
                     y1 - 0.05 * (y1 - y0));
        break;
    }
    default:
        break;
    }
    return path;
}

// A globe with meridians and parallels.
void gridGlobe(QPainter& p, QPointF c, qreal r, const QColor& col, qreal tiltDeg) {
    p.save();
    p.translate(c);
    p.rotate(tiltDeg);
    p.setPen(Qt::NoPen);
    p.setBrush(pale(col, 0.72));
    p.drawEllipse(QPointF(), r, r);
    QPainterPath grid;
    grid.moveTo(0, -r);
    grid.lineTo(0, r);
    grid.addEllipse(QPointF(), r * 0.5, r);
    for (const qreal f : {-0.5, 0.0, 0.5}) {
        const qreal y = f * r;
        const qreal half = std::sqrt(r * r - y * y);
        grid.moveTo(-half, y);
        grid.lineTo(half, y);
    }
    p.strokePath(grid, roundPen(col, 1.0));
    stroke(p, circlePath(QPointF(), r), col.darker(130), 1.5);
    p.restore();
}

// A dome over a horizon ellipse (the azimuthal sky).
void dome(QPainter& p, QPointF base, qreal rx, qreal height, qreal ry, const QColor& col,
          bool altitudes) {
    const QRectF domeRect(base.x() - rx, base.y() - height, 2 * rx, 2 * height);
    QPainterPath arc;
    arc.arcMoveTo(domeRect, 0);
    arc.arcTo(domeRect, 0, 180);
    QPainterPath area = arc;
    area.closeSubpath();
    QPainterPath horizon;
    horizon.addEllipse(base, rx, ry);
    p.setPen(Qt::NoPen);
    p.setBrush(pale(col, 0.72));
    p.drawPath(area.united(horizon));
    if (altitudes) {
        QPainterPath lines;
        const qreal a = 40 * kPi / 180;
        lines.addEllipse(QPointF(base.x(), base.y() - height * std::sin(a)), rx * std::cos(a),
                         ry * std::cos(a));
        const QRectF meridian(base.x() - rx * 0.45, base.y() - height, rx * 0.9, 2 * height);
        lines.arcMoveTo(meridian, 0);
        lines.arcTo(meridian, 0, 180);
        lines.moveTo(base.x(), base.y() - height);
        lines.lineTo(base.x(), base.y() + ry);
        p.strokePath(lines, roundPen(col, 0.9));
    }
    arc.addEllipse(base, rx, ry);
    stroke(p, arc, col.darker(130), 1.5);
}

void magnifier(QPainter& p) {
    strokeLine(p, QPointF(15, 15), QPointF(20.5, 20.5), QColor(90, 62, 32), 3.6);
    QRadialGradient glass(QPointF(8, 8), 8);
    glass.setColorAt(0, QColor(245, 250, 255, 235));
    glass.setColorAt(1, QColor(170, 205, 240, 220));
    p.setPen(roundPen(QColor(52, 66, 90), 2.0));
    p.setBrush(glass);
    p.drawEllipse(QPointF(10, 10), 6.8, 6.8);
}

// A compass ring with the letter in the middle and a red pointer on its side.
void compass(QPainter& p, char letter, qreal pointerDeg) {
    p.setPen(roundPen(QColor(70, 76, 90), 1.0));
    p.setBrush(QColor(246, 246, 240));
    p.drawEllipse(QPointF(12, 12), 8.3, 8.3);
    p.save();
    p.translate(12, 12);
    p.rotate(pointerDeg);
    for (int i = 1; i < 4; ++i) {
        p.save();
        p.rotate(90 * i);
        p.setPen(roundPen(QColor(120, 126, 140), 1.0));
        p.drawLine(QPointF(0, -8.3), QPointF(0, -6.6));
        p.restore();
    }
    QPainterPath pointer;
    pointer.moveTo(0, -11.6);
    pointer.lineTo(3.2, -6.6);
    pointer.lineTo(-3.2, -6.6);
    pointer.closeSubpath();
    fillShape(p, pointer, QColor(214, 40, 36), QColor(110, 10, 10), 0.8);
    p.restore();
    const qreal half = letter == 'W' ? 3.6 : 2.6;
    p.strokePath(letterPath(letter, 12 - half, 8.6, 12 + half, 15.8),
                 roundPen(kInk, letter == 'W' ? 1.4 : 1.7));
}

// An arrow in the sky reaching from a horizon line to a point above (up) or below it.
void zenithNadir(QPainter& p, bool up) {
    const qreal horizonY = up ? 15.5 : 8.5;
    for (const qreal x : {4.5, 8.0, 16.0, 19.5}) {
        strokeLine(p, QPointF(x, horizonY + 1.3), QPointF(x - 2, horizonY + 4), QColor(110, 84, 48),
                   0.9);
    }
    strokeLine(p, QPointF(2, horizonY), QPointF(22, horizonY), kGreen, 2.0);
    const qreal sign = up ? -1 : 1;
    const qreal tipY = horizonY + 9 * sign;
    strokeLine(p, QPointF(12, horizonY), QPointF(12, tipY - 3 * sign), kBlue, 2.0);
    arrowHead(p, QPointF(12, tipY), up ? -kPi / 2 : kPi / 2, 4.2, 3.2, kBlue);
    dot(p, QPointF(12, horizonY + 12.3 * sign), 2.0, kStarFill, kStarEdge, 0.8);
}

// A rotation around an axis through a globe.
void rotationGlobe(QPainter& p, const QColor& col, qreal tiltDeg) {
    p.save();
    p.translate(12, 12);
    p.rotate(tiltDeg);
    strokeLine(p, QPointF(0, -11.2), QPointF(0, 11.2), kInk, 1.3);
    QRadialGradient g(QPointF(-2.5, -2.5), 9);
    g.setColorAt(0, col.lighter(190));
    g.setColorAt(1, col.lighter(115));
    p.setPen(roundPen(col.darker(170), 1.1));
    p.setBrush(g);
    p.drawEllipse(QPointF(), 6.4, 6.4);
    QPainterPath equator;
    equator.addEllipse(QPointF(), 6.4, 1.8);
    p.strokePath(equator, roundPen(col.darker(140), 0.8));
    arcArrow(p, QRectF(-10.3, -4, 20.6, 6.6), 190, 155, col.darker(150), 1.4);
    p.restore();
}

void planetWithRing(QPainter& p, QPointF c, qreal r, const QColor& body, const QColor& ring,
                    qreal tiltDeg) {
    const QRectF ringRect(-r * 1.9, -r * 0.55, r * 3.8, r * 1.1);
    p.save();
    p.translate(c);
    p.rotate(tiltDeg);
    QPainterPath back;
    back.arcMoveTo(ringRect, 0);
    back.arcTo(ringRect, 0, 180);
    p.strokePath(back, roundPen(ring.darker(200), 3.0));
    p.strokePath(back, roundPen(ring, 1.8));
    p.rotate(-tiltDeg);
    sphere(p, QPointF(), r, body);
    p.rotate(tiltDeg);
    QPainterPath front;
    front.arcMoveTo(ringRect, 180);
    front.arcTo(ringRect, 180, 180);
    p.strokePath(front, roundPen(ring.darker(200), 3.0));
    p.strokePath(front, roundPen(ring, 1.8));
    p.restore();
}

void viewType(QPainter& p, const QColor& back, const QColor& starColour, const QColor& edge) {
    QLinearGradient g(0, 2, 0, 22);
    g.setColorAt(0, back.lighter(125));
    g.setColorAt(1, back);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(2.5, 2.5, 19, 19), 3, 3);
    fillShape(p, frame, g, QColor(90, 94, 104), 1.0);
    fillShape(p, starPath(QPointF(12, 12.6), 7.6, 3.3), starColour, edge, 0.9);
}

void moveArrow(QPainter& p, qreal rotationDeg) {
    p.save();
    p.translate(12, 12);
    p.rotate(rotationDeg);
    QPainterPath arrow;
    arrow.moveTo(-8, -2.6);
    arrow.lineTo(0.5, -2.6);
    arrow.lineTo(0.5, -7.5);
    arrow.lineTo(8.8, 0);
    arrow.lineTo(0.5, 7.5);
    arrow.lineTo(0.5, 2.6);
    arrow.lineTo(-8, 2.6);
    arrow.closeSubpath();
    QLinearGradient g(0, -7, 0, 7);
    g.setColorAt(0, kBlue.lighter(150));
    g.setColorAt(1, kBlue);
    fillShape(p, arrow, g, kBlue.darker(220), 1.0);
    p.restore();
}

void gear(QPainter& p, QPointF c, qreal outer, qreal inner, int teeth, const QColor& col) {
    QPainterPath path;
    const qreal step = 2 * kPi / teeth;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step;
        const std::array<std::pair<qreal, qreal>, 4> pts = {{{a - 0.5 * step, inner},
                                                             {a - 0.22 * step, outer},
                                                             {a + 0.22 * step, outer},
                                                             {a + 0.5 * step, inner}}};
        for (const auto& [ang, r] : pts) {
            const QPointF pt = c + QPointF(r * std::cos(ang), r * std::sin(ang));
            if (path.elementCount() == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
    }
    path.closeSubpath();
    path.addEllipse(c, inner * 0.4, inner * 0.4);
    path.setFillRule(Qt::OddEvenFill);
    QRadialGradient g(c - QPointF(outer * 0.4, outer * 0.4), outer * 1.6);
    g.setColorAt(0, col.lighter(150));
    g.setColorAt(1, col);
    fillShape(p, path, g, col.darker(250), 0.8);
}

// Draws the icon of a command in a 24x24 box; false when the command has none.
bool drawIcon(QPainter& p, Cmd id) {
    switch (id) {
    case Cmd::FileSave: {
        QPainterPath body;
        body.moveTo(3.5, 3.5);
        body.lineTo(18, 3.5);
        body.lineTo(20.5, 6);
        body.lineTo(20.5, 20.5);
        body.lineTo(3.5, 20.5);
        body.closeSubpath();
        QLinearGradient g(0, 3, 0, 21);
        g.setColorAt(0, QColor(82, 124, 196));
        g.setColorAt(1, QColor(44, 80, 150));
        fillShape(p, body, g, QColor(22, 40, 84), 1.0);
        p.setPen(QPen(QColor(60, 66, 80), 0.7));
        p.setBrush(QColor(214, 220, 230));
        p.drawRect(QRectF(7.5, 3.5, 9, 6));
        p.setBrush(QColor(60, 70, 92));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(13.2, 4.6, 2, 3.8));
        p.setPen(QPen(QColor(60, 66, 80), 0.7));
        p.setBrush(QColor(250, 250, 246));
        p.drawRect(QRectF(6.5, 12.5, 11, 8));
        p.setPen(QPen(QColor(150, 160, 180), 0.8));
        p.drawLine(QPointF(8, 15), QPointF(16, 15));
        p.drawLine(QPointF(8, 17.5), QPointF(16, 17.5));
        return true;
    }
    case Cmd::ViewStandard:
        viewType(p, QColor(16, 38, 112), kStarFill, QColor(255, 150, 30));
        return true;
    case Cmd::ViewTrue:
        viewType(p, QColor(0, 0, 0), QColor(168, 168, 168), QColor(230, 230, 230));
        return true;
    case Cmd::ViewRed:
        viewType(p, QColor(0, 0, 0), QColor(226, 28, 24), QColor(255, 110, 100));
        return true;
    case Cmd::ViewBlackWhite:
        viewType(p, QColor(214, 214, 214), QColor(0, 0, 0), QColor(0, 0, 0));
        return true;
    case Cmd::ZoomOut:
    case Cmd::ZoomIn: {
        magnifier(p);
        QPainterPath sign;
        sign.moveTo(6.8, 10);
        sign.lineTo(13.2, 10);
        if (id == Cmd::ZoomIn) {
            sign.moveTo(10, 6.8);
            sign.lineTo(10, 13.2);
        }
        p.strokePath(sign, roundPen(QColor(24, 52, 110), 2.0));
        return true;
    }
    case Cmd::ZoomDialog: {
        magnifier(p);
        QPainterPath brackets;
        const qreal lo = 6.9;
        const qreal hi = 13.1;
        const qreal leg = 2.0;
        for (const qreal x : {lo, hi}) {
            for (const qreal y : {lo, hi}) {
                const qreal dx = x == lo ? leg : -leg;
                const qreal dy = y == lo ? leg : -leg;
                brackets.moveTo(x + dx, y);
                brackets.lineTo(x, y);
                brackets.lineTo(x, y + dy);
            }
        }
        p.strokePath(brackets, roundPen(QColor(24, 52, 110), 1.3));
        return true;
    }
    case Cmd::DrawBoundaries: {
        QPainterPath outline;
        outline.moveTo(4, 6);
        outline.lineTo(11.5, 3.2);
        outline.lineTo(19.5, 5.5);
        outline.lineTo(20.5, 13);
        outline.lineTo(15.5, 20.5);
        outline.lineTo(6, 18.5);
        outline.lineTo(3.3, 12);
        outline.closeSubpath();
        dotsAlong(p, outline, 22, 1.05, QColor(232, 160, 32), true);
        star(p, QPointF(11.5, 11.8), 3.6);
        return true;
    }
    case Cmd::DrawFigures: {
        const std::array<QPointF, 6> s = {
            {{4, 18.5}, {8, 10.5}, {13, 13}, {17.5, 4.5}, {20, 15.5}, {13.5, 20.5}}};
        QPainterPath lines;
        lines.moveTo(s[0]);
        lines.lineTo(s[1]);
        lines.lineTo(s[2]);
        lines.lineTo(s[3]);
        lines.moveTo(s[2]);
        lines.lineTo(s[4]);
        lines.lineTo(s[5]);
        lines.lineTo(s[2]);
        stroke(p, lines, QColor(58, 130, 214), 1.3);
        const std::array<qreal, 6> sizes = {1.6, 2.0, 2.5, 2.2, 1.8, 1.5};
        for (std::size_t i = 0; i < s.size(); ++i)
            dot(p, s[i], sizes[i], kStarFill, kStarEdge, 0.8);
        return true;
    }
    case Cmd::GridEquatorial:
        gridGlobe(p, QPointF(12, 12), 9.2, kBlue, 0);
        return true;
    case Cmd::GridEcliptic:
        gridGlobe(p, QPointF(12, 12), 9.2, kOrange, -23.4);
        return true;
    case Cmd::GridAzimuthal:
        dome(p, QPointF(12, 17.5), 10, 14, 3.4, kGreen, true);
        return true;
    case Cmd::GridProperties: {
        QPainterPath grid;
        for (const qreal v : {3.5, 8.5, 13.5}) {
            grid.moveTo(v, 2.5);
            grid.lineTo(v, 16);
            grid.moveTo(2.5, v);
            grid.lineTo(16, v);
        }
        stroke(p, grid, kBlue, 1.1);
        gear(p, QPointF(16, 16), 7, 5, 8, QColor(122, 132, 148));
        return true;
    }
    case Cmd::UpdateNow: {
        arcArrow(p, QRectF(2, 2, 20, 20), 120, -290, kGreen, 1.8);
        p.setPen(roundPen(QColor(50, 56, 70), 1.1));
        p.setBrush(QColor(252, 252, 248));
        p.drawEllipse(QPointF(12, 12), 6.6, 6.6);
        QPainterPath hands;
        hands.moveTo(12, 7.6);
        hands.lineTo(12, 12);
        hands.lineTo(15.2, 13.6);
        p.strokePath(hands, roundPen(kInk, 1.3));
        dot(p, QPointF(12, 12), 0.8, kInk, kInk, 0.1);
        return true;
    }
    case Cmd::ObservingPlace: {
        QColor shadow(0, 0, 0, 70);
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(QPointF(12, 21.2), 5, 1.5);
        QPainterPath pin;
        pin.moveTo(12, 21.5);
        pin.cubicTo(10, 17.5, 5.5, 14, 5.5, 9);
        pin.arcTo(QRectF(5.5, 2.5, 13, 13), 180, -180);
        pin.cubicTo(18.5, 14, 14, 17.5, 12, 21.5);
        pin.closeSubpath();
        QRadialGradient g(QPointF(9.5, 6.5), 11);
        g.setColorAt(0, QColor(250, 120, 100));
        g.setColorAt(1, QColor(196, 30, 30));
        fillShape(p, pin, g, QColor(100, 10, 10), 1.0);
        dot(p, QPointF(12, 9), 2.5, QColor(255, 255, 255), QColor(100, 10, 10), 0.6);
        return true;
    }
    case Cmd::RotateEquatorial:
        rotationGlobe(p, kBlue, 0);
        return true;
    case Cmd::RotateEcliptic:
        rotationGlobe(p, kOrange, 23.4);
        return true;
    case Cmd::RotateAzimuthal:
        dome(p, QPointF(12, 18.5), 7.5, 12, 2.4, kGreen, false);
        strokeLine(p, QPointF(12, 18.5), QPointF(12, 2), kInk, 1.3);
        arcArrow(p, QRectF(1.7, 9, 20.6, 6.6), 190, 155, kGreen.darker(150), 1.4);
        return true;
    case Cmd::MoveLeft:
        moveArrow(p, 180);
        return true;
    case Cmd::MoveUp:
        moveArrow(p, -90);
        return true;
    case Cmd::MoveRight:
        moveArrow(p, 0);
        return true;
    case Cmd::MoveDown:
        moveArrow(p, 90);
        return true;
    case Cmd::North:
        compass(p, 'N', 0);
        return true;
    case Cmd::East:
        compass(p, 'E', 90);
        return true;
    case Cmd::South:
        compass(p, 'S', 180);
        return true;
    case Cmd::West:
        compass(p, 'W', 270);
        return true;
    case Cmd::Zenith:
        zenithNadir(p, true);
        return true;
    case Cmd::Nadir:
        zenithNadir(p, false);
        return true;
    case Cmd::MagnitudeLimit:
        star(p, QPointF(7.2, 8), 6.2);
        star(p, QPointF(15, 14.2), 4.2);
        dot(p, QPointF(20, 20), 1.9, kStarFill, kStarEdge, 0.8);
        return true;
    case Cmd::StarLabels: {
        star(p, QPointF(8, 14.5), 7);
        const QPainterPath alpha = letterPath('a', 14, 3, 21.5, 10.5);
        p.strokePath(alpha, roundPen(kHalo, 3.2));
        p.strokePath(alpha, roundPen(QColor(30, 56, 140), 1.6));
        return true;
    }
    case Cmd::PlanetsPresentation:
        dot(p, QPointF(19.5, 5), 2.4, QColor(214, 86, 44), QColor(90, 30, 10), 0.7);
        dot(p, QPointF(4, 20), 1.5, QColor(170, 170, 170), QColor(70, 70, 70), 0.6);
        planetWithRing(p, QPointF(11, 13), 5, QColor(86, 150, 210), QColor(150, 190, 230), -28);
        return true;
    case Cmd::CentreSun: {
        QPainterPath rays;
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * kPi / 4;
            rays.moveTo(12 + 7.6 * std::cos(a), 12 + 7.6 * std::sin(a));
            rays.lineTo(12 + 10.6 * std::cos(a), 12 + 10.6 * std::sin(a));
        }
        stroke(p, rays, QColor(236, 140, 0), 1.8);
        sphere(p, QPointF(12, 12), 5.8, QColor(255, 200, 40));
        return true;
    }
    case Cmd::CentreMoon: {
        QPainterPath crescent = circlePath(QPointF(12, 12), 8.5);
        crescent = crescent.subtracted(circlePath(QPointF(16.5, 9.5), 7.6));
        QRadialGradient g(QPointF(7, 9), 11);
        g.setColorAt(0, QColor(255, 252, 225));
        g.setColorAt(1, QColor(206, 198, 150));
        fillShape(p, crescent, g, QColor(110, 104, 70), 0.9);
        return true;
    }
    case Cmd::CentreMercury: {
        const QColor base(160, 148, 136);
        sphereFill(p, QPointF(12, 12), 6, base);
        p.setPen(Qt::NoPen);
        p.setBrush(base.darker(140));
        p.drawEllipse(QPointF(10, 10.5), 1.2, 1.1);
        p.drawEllipse(QPointF(14, 14), 1.0, 0.9);
        p.drawEllipse(QPointF(13.2, 9), 0.7, 0.6);
        sphereEdge(p, QPointF(12, 12), 6, base);
        return true;
    }
    case Cmd::CentreVenus:
        sphere(p, QPointF(12, 12), 7.5, QColor(238, 218, 150));
        return true;
    case Cmd::CentreMars: {
        const QColor base(210, 86, 44);
        sphereFill(p, QPointF(12, 12), 7, base);
        p.save();
        p.setClipPath(circlePath(QPointF(12, 12), 7));
        QPainterPath mark;
        mark.moveTo(6, 13);
        mark.cubicTo(9, 10.5, 11, 15, 14, 12.5);
        mark.cubicTo(16, 11, 18, 14, 19, 13);
        mark.lineTo(19, 15);
        mark.cubicTo(16, 17, 12, 15, 6, 15.5);
        mark.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 44, 22, 180));
        p.drawPath(mark);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(12, 5.2), 3, 1.4);
        p.restore();
        sphereEdge(p, QPointF(12, 12), 7, base);
        return true;
    }
    case Cmd::CentreJupiter: {
        const QColor base(222, 190, 146);
        sphereFill(p, QPointF(12, 12), 9, base);
        p.save();
        p.setClipPath(circlePath(QPointF(12, 12), 9));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 108, 66, 200));
        p.drawRect(QRectF(2, 8.2, 20, 2));
        p.drawRect(QRectF(2, 13.4, 20, 2.3));
        p.setBrush(QColor(160, 108, 66, 110));
        p.drawRect(QRectF(2, 5, 20, 1.1));
        p.drawRect(QRectF(2, 18, 20, 1.1));
        p.setBrush(QColor(186, 66, 40));
        p.drawEllipse(QPointF(15, 16.6), 1.8, 1.0);
        p.restore();
        sphereEdge(p, QPointF(12, 12), 9, base);
        return true;
    }
    case Cmd::CentreSaturn:
        planetWithRing(p, QPointF(12, 12), 5.6, QColor(232, 200, 120), QColor(210, 180, 110), -20);
        return true;
    case Cmd::CentreUranus: {
        const QColor base(150, 218, 226);
        QPainterPath ringBack;
        const QRectF ringRect(10, 2.5, 4, 19);
        ringBack.addEllipse(ringRect);
        p.strokePath(ringBack, roundPen(QColor(90, 130, 140, 200), 0.8));
        sphere(p, QPointF(12, 12), 7, base);
        QPainterPath ringFront;
        ringFront.arcMoveTo(ringRect, 90);
        ringFront.arcTo(ringRect, 90, -180);
        p.strokePath(ringFront, roundPen(QColor(90, 130, 140, 200), 0.8));
        return true;
    }
    case Cmd::CentreNeptune: {
        const QColor base(56, 96, 214);
        sphereFill(p, QPointF(12, 12), 7, base);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 34, 110));
        p.drawEllipse(QPointF(10, 13), 1.6, 1.0);
        p.setPen(roundPen(QColor(230, 240, 255, 220), 0.8));
        p.drawLine(QPointF(12.5, 10), QPointF(16, 9.6));
        sphereEdge(p, QPointF(12, 12), 7, base);
        return true;
    }
    case Cmd::CentrePluto: {
        const QColor base(196, 160, 128);
        sphereFill(p, QPointF(12, 12), 4.6, base);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(245, 232, 214));
        p.drawEllipse(QPointF(12.8, 13.2), 1.6, 1.3);
        sphereEdge(p, QPointF(12, 12), 4.6, base);
        return true;
    }
    case Cmd::AsteroidsPlot: {
        constexpr std::array<qreal, 11> radii = {8.0, 6.2, 7.6, 6.6, 7.8, 5.6,
                                                 7.2, 6.4, 8.3, 6.0, 7.0};
        QPainterPath rock;
        for (std::size_t i = 0; i < radii.size(); ++i) {
            const qreal a = 0.3 + i * 2 * kPi / radii.size();
            const QPointF pt(12 + radii[i] * std::cos(a), 12 + radii[i] * 0.82 * std::sin(a));
            if (i == 0)
                rock.moveTo(pt);
            else
                rock.lineTo(pt);
        }
        rock.closeSubpath();
        QRadialGradient g(QPointF(8, 8), 13);
        g.setColorAt(0, QColor(178, 164, 146));
        g.setColorAt(1, QColor(104, 92, 78));
        fillShape(p, rock, g, QColor(52, 44, 36), 1.0);
        p.setPen(QPen(QColor(210, 200, 186), 0.6));
        p.setBrush(QColor(90, 78, 66));
        p.drawEllipse(QPointF(9.5, 10.5), 1.6, 1.2);
        p.drawEllipse(QPointF(15, 14), 1.2, 0.9);
        p.drawEllipse(QPointF(13.5, 8.5), 0.8, 0.6);
        return true;
    }
    case Cmd::CometsPlot: {
        const QPointF head(7, 17);
        const QPointF end(21.5, 2.5);
        const qreal a = std::atan2(end.y() - head.y(), end.x() - head.x());
        const QPointF n(-std::sin(a), std::cos(a));
        QPainterPath tail;
        tail.moveTo(head + n * 2.6);
        tail.quadTo(end + n * 5.5 - QPointF(4, -4) * 0.3, end + n * 4.0);
        tail.lineTo(end - n * 4.0);
        tail.quadTo(end - n * 3.0 + QPointF(-5, 5) * 0.5, head - n * 2.6);
        tail.closeSubpath();
        QLinearGradient g(head, end);
        g.setColorAt(0, QColor(170, 220, 255, 240));
        g.setColorAt(1, QColor(170, 220, 255, 20));
        QLinearGradient edge(head, end);
        edge.setColorAt(0, QColor(30, 90, 170, 230));
        edge.setColorAt(1, QColor(30, 90, 170, 30));
        p.setPen(QPen(QBrush(edge), 0.9));
        p.setBrush(g);
        p.drawPath(tail);
        QRadialGradient glow(head, 4.2);
        glow.setColorAt(0, QColor(255, 255, 255));
        glow.setColorAt(0.6, QColor(200, 235, 255));
        glow.setColorAt(1, QColor(120, 190, 250));
        p.setPen(QPen(QColor(30, 80, 150), 0.9));
        p.setBrush(glow);
        p.drawEllipse(head, 3.4, 3.4);
        return true;
    }
    case Cmd::Trails: {
        QPainterPath path;
        path.moveTo(3, 21);
        path.cubicTo(4, 10, 12, 5, 18, 6);
        const int n = 8;
        for (int i = 0; i < n; ++i) {
            const QPointF pt = path.pointAtPercent(static_cast<qreal>(i) / n);
            dot(p, pt, 0.8 + 0.12 * i, QColor(80, 150, 230), QColor(20, 50, 110), 0.5);
        }
        sphere(p, QPointF(18.5, 6), 3.4, QColor(220, 120, 40));
        return true;
    }
    case Cmd::DeepSkyPlot: {
        p.save();
        p.translate(12, 12);
        p.rotate(-28);
        QRadialGradient halo(QPointF(), 10.5);
        halo.setColorAt(0, QColor(255, 250, 230, 255));
        halo.setColorAt(0.3, QColor(206, 186, 250, 235));
        halo.setColorAt(0.75, QColor(150, 120, 220, 130));
        halo.setColorAt(1, QColor(150, 120, 220, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.scale(1, 0.5);
        p.drawEllipse(QPointF(), 10.5, 10.5);
        QPainterPath arms;
        arms.moveTo(2.5, 0);
        arms.cubicTo(4, -6, -4, -9, -8, -4);
        arms.moveTo(-2.5, 0);
        arms.cubicTo(-4, 6, 4, 9, 8, 4);
        p.strokePath(arms, roundPen(QColor(255, 255, 255, 130), 3.4));
        p.strokePath(arms, roundPen(QColor(92, 60, 180), 1.7));
        dot(p, QPointF(), 2.2, QColor(255, 248, 220), QColor(110, 80, 196), 0.8);
        p.restore();
        return true;
    }
    default:
        return false;
    }
}

QImage renderIcon(Cmd id, int px) {
    QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(px / 24.0, px / 24.0);
    if (!drawIcon(p, id))
        return {};
    return img;
}

// A reproducible generator for the star field (the standard distributions differ between
// libraries, so the numbers are formed here).
class StarRandom {
public:
    explicit StarRandom(std::uint64_t seed) : m_state(seed) {}
    double next() { // uniform in [0, 1)
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<double>(m_state >> 11) * (1.0 / 9007199254740992.0);
    }

private:
    std::uint64_t m_state;
};

void drawAppIcon(QPainter& p) {
    const QPointF c(32, 32);
    QRadialGradient sky(QPointF(26, 24), 34);
    sky.setColorAt(0, QColor(40, 72, 160));
    sky.setColorAt(1, QColor(6, 14, 52));
    p.setPen(QPen(QColor(214, 170, 60), 2.5));
    p.setBrush(sky);
    p.drawEllipse(c, 29, 29);

    // A faint figure and a sprinkle of stars on the chart disc.
    QPainterPath figure;
    figure.moveTo(12, 28);
    figure.lineTo(20, 17);
    figure.lineTo(31, 20);
    figure.moveTo(44, 48);
    figure.lineTo(52, 37);
    figure.lineTo(46, 30);
    p.strokePath(figure, roundPen(QColor(150, 190, 255, 120), 1.2));
    const std::array<QPointF, 10> stars = {{{12, 28},
                                            {20, 17},
                                            {31, 20},
                                            {44, 48},
                                            {52, 37},
                                            {46, 30},
                                            {18, 44},
                                            {26, 52},
                                            {40, 12},
                                            {54, 26}}};
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const qreal r = (i % 3 == 0) ? 1.4 : 1.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(235, 240, 255));
        p.drawEllipse(stars[i], r, r);
    }

    // The vane: a rod with a pointer and a feathered tail.
    p.setPen(roundPen(QColor(30, 30, 30), 3.6));
    p.drawLine(QPointF(32, 24), QPointF(32, 56));
    p.setPen(roundPen(QColor(220, 220, 226), 2.0));
    p.drawLine(QPointF(32, 24), QPointF(32, 56));
    QPainterPath vane;
    vane.moveTo(58, 38);
    vane.lineTo(48, 32.5);
    vane.lineTo(48, 36.5);
    vane.lineTo(16, 36.5);
    vane.lineTo(10, 31);
    vane.lineTo(5.5, 31);
    vane.lineTo(11, 38);
    vane.lineTo(5.5, 45);
    vane.lineTo(10, 45);
    vane.lineTo(16, 39.5);
    vane.lineTo(48, 39.5);
    vane.lineTo(48, 43.5);
    vane.closeSubpath();
    QLinearGradient metal(0, 31, 0, 45);
    metal.setColorAt(0, QColor(255, 226, 130));
    metal.setColorAt(1, QColor(196, 140, 30));
    fillShape(p, vane, metal, QColor(70, 44, 0), 1.2);

    // The star above it.
    QRadialGradient glow(QPointF(32, 17), 14);
    glow.setColorAt(0, QColor(255, 250, 200, 200));
    glow.setColorAt(1, QColor(255, 250, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(32, 17), 14, 14);
    fillShape(p, starPath(QPointF(32, 17.5), 12.5, 5.2), kStarFill, QColor(120, 70, 0), 1.4);
}

} // namespace

QIcon commandIcon(Cmd id) {
    const QImage small = renderIcon(id, 24);
    if (small.isNull())
        return {};
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(small));
    icon.addPixmap(QPixmap::fromImage(renderIcon(id, 48)));
    return icon;
}

void drawApplicationIcon(QPainter& p) {
    drawAppIcon(p);
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int px : {16, 32, 48, 64, 128}) {
        QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(px / 64.0, px / 64.0);
        drawAppIcon(p);
        p.end();
        icon.addPixmap(QPixmap::fromImage(img));
    }
    return icon;
}

QImage startupPicture(QSize size) {
    const int w = std::max(1, size.width());
    const int h = std::max(1, size.height());
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0, 0, 6));
    sky.setColorAt(0.55, QColor(4, 12, 44));
    sky.setColorAt(1, QColor(12, 34, 96));
    p.fillRect(QRectF(0, 0, w, h), sky);

    const qreal scale = std::min(w / 480.0, h / 300.0);

    // The star field: the same stars every time.
    StarRandom rnd(0x5eed2024cafeULL);
    const int count = 40 + w * h / 700;
    const std::array<QColor, 4> tints = {QColor(255, 190, 140), QColor(170, 200, 255),
                                         QColor(255, 150, 120), QColor(255, 240, 170)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rnd.next() * w, rnd.next() * h);
        const double b = rnd.next();
        const double tint = rnd.next();
        QColor colour(255, 255, 255);
        qreal r;
        int level;
        if (b < 0.55) {
            r = 0.5;
            level = 110;
        } else if (b < 0.82) {
            r = 0.7;
            level = 170;
        } else if (b < 0.96) {
            r = 1.0;
            level = 220;
        } else {
            r = 1.5;
            level = 255;
        }
        if (tint < 0.08)
            colour = tints[static_cast<std::size_t>(tint * 50) % tints.size()];
        colour.setAlpha(level);
        p.setBrush(colour);
        p.drawEllipse(at, r * std::max<qreal>(scale, 0.6), r * std::max<qreal>(scale, 0.6));
    }

    // A faint stick figure in the upper right.
    const std::array<QPointF, 7> fig = {{{0.62, 0.10},
                                         {0.70, 0.16},
                                         {0.78, 0.13},
                                         {0.86, 0.20},
                                         {0.83, 0.31},
                                         {0.74, 0.28},
                                         {0.92, 0.08}}};
    auto at = [&](std::size_t i) { return QPointF(fig[i].x() * w, fig[i].y() * h); };
    QPainterPath figure;
    figure.moveTo(at(0));
    for (std::size_t i = 1; i < 6; ++i)
        figure.lineTo(at(i));
    figure.lineTo(at(2));
    figure.moveTo(at(3));
    figure.lineTo(at(6));
    p.strokePath(figure, roundPen(QColor(120, 160, 230, 90), std::max<qreal>(0.6, scale)));
    for (std::size_t i = 0; i < fig.size(); ++i) {
        const qreal r = (i % 2 == 0 ? 2.0 : 1.5) * std::max<qreal>(scale, 0.5);
        p.setBrush(QColor(235, 240, 255, 230));
        p.drawEllipse(at(i), r, r);
    }

    // The name and the version, centred, sized to fit.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    title.setBold(true);
    title.setPixelSize(100);
    const QString name = QStringLiteral("Skyvane");
    const qreal nameWidth = QFontMetricsF(title).horizontalAdvance(name);
    const qreal titlePx =
        std::max<qreal>(6, std::min<qreal>(h * 0.24, 100 * 0.82 * w / std::max(nameWidth, 1.0)));
    title.setPixelSize(static_cast<int>(titlePx));
    QFont version(QStringLiteral("DejaVu Sans"));
    version.setStyleHint(QFont::SansSerif);
    version.setPixelSize(std::max(7, static_cast<int>(titlePx * 0.32)));
    const QFontMetricsF titleMetrics(title);
    const QFontMetricsF versionMetrics(version);
    const qreal gap = titlePx * 0.12;
    const qreal blockHeight = titleMetrics.height() + gap + versionMetrics.height();
    const qreal top = (h - blockHeight) / 2;
    const QRectF titleRect(0, top, w, titleMetrics.height());
    const QRectF versionRect(0, top + titleMetrics.height() + gap, w, versionMetrics.height());

    p.setFont(title);
    p.setPen(QColor(60, 110, 230, 150));
    for (const QPointF off : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
        p.drawText(titleRect.translated(off * std::max<qreal>(1, titlePx / 40)), Qt::AlignCenter,
                   name);
    QLinearGradient gold(0, titleRect.top(), 0, titleRect.bottom());
    gold.setColorAt(0, QColor(255, 252, 235));
    gold.setColorAt(1, QColor(255, 214, 120));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(titleRect, Qt::AlignCenter, name);
    p.setFont(version);
    p.setPen(QColor(200, 214, 240));
    p.drawText(versionRect, Qt::AlignCenter, QStringLiteral("Version 3"));
    return img;
}

QImage dialogTexture(int which) {
    constexpr int kSize = 64;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    // A small fixed generator: the same grain on every run and platform.
    std::uint32_t state = which == 0 ? 0x2545F491u : 0x9E3779B9u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int grain = static_cast<int>(next() % 9) - 4;
            // A faint diagonal weave that tiles: both periods divide the size.
            const int weave = ((x + y) % 8 < 4 ? 2 : -2) + ((x - y + kSize) % 16 < 8 ? 1 : -1);
            const int v = grain + weave;
            const QColor c =
                which == 0 ? QColor(48 + v, 52 + v, 62 + v) : QColor(226 + v, 222 + v, 210 + v);
            image.setPixel(x, y, c.rgb());
        }
    }
    return image;
}

} // namespace app
