#pragma once

#include "catalog/ObjectProperties.h"

#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace astro {
class SkyPoint;
}

namespace app {

// The short properties of the picked object: a small borderless window over the top left of
// its chart with a few lines of key data, in the colours of the display mode. Its painting
// sizes it to the text. A left or right press asks for the full properties.
class StarProp : public QWidget {
    Q_OBJECT
public:
    // The context the lines are computed against (the chart's instant and place, the
    // catalogues) and the display mode (1 Standard, 2 True, 3 Red, 4 Black&White), asked for
    // at each painting.
    using ContextSource = std::function<catalog::PropertiesContext()>;
    using ModeSource = std::function<int()>;

    StarProp(QWidget* chartView, ContextSource context, ModeSource viewMode);

    // The object shown; it must outlive its showing (objects live in the catalogues and the
    // chart). Null shows nothing.
    void setObject(const astro::SkyPoint* object);
    const astro::SkyPoint* object() const { return m_object; }

    // Moves the window to the top left of the chart, sizes it to the object's lines, shows
    // and repaints it.
    void showAtTopLeft();
    // Hides the window and forgets the object (its list may be about to change).
    void dismiss();

    // The window's size for the current object's lines, margins included.
    QSize textExtent() const;

    // The three fonts: "Arial" 12 and 16 and the Bayer letter's serif face that has Greek, 24.
    static QFont fontOf(catalog::ShortFont font);

Q_SIGNALS:
    // A left or right press: the full properties of object() are wanted.
    void fullPropertiesRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // One piece of text at its baseline.
    struct Placed {
        catalog::ShortFont font;
        QPoint baseline;
        QString text;
    };
    struct Layout {
        std::vector<Placed> texts;
        QSize size;
    };
    Layout layOut() const;

    ContextSource m_context;
    ModeSource m_viewMode;
    const astro::SkyPoint* m_object = nullptr;
};

} // namespace app
