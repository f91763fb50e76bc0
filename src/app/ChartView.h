#pragma once

#include "app/Commands.h"
#include "chart/BodyDrawing.h"
#include "chart/ChartSources.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "chart/Navigation.h"
#include "chart/Selection.h"
#include "chart/SolarSystemObjects.h"
#include "settings/ColorScheme.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

class QPrinter;

namespace catalog {
class Catalogues;
}
namespace chart {
struct PrintOptions;
}

namespace app {

class SkyvaneApp;
class StarProp;
enum class SearchKind;

// A chart window: one chart with its draw list, drawn through the redraw pipeline into a
// back buffer and copied to the window in one step. It handles the chart commands, the
// mouse, the arrow keys and the chart clock's two timers.
class CSkyvaneView : public QWidget {
    Q_OBJECT
public:
    CSkyvaneView(SkyvaneApp& app, QWidget* parent = nullptr);
    ~CSkyvaneView() override;

    chart::ChartViewState& state() { return m_state; }
    const chart::ChartViewState& state() const { return m_state; }
    const settings::ColorScheme& scheme() const { return m_scheme; }

    // Runs a chart command; false when the command is not the view's.
    bool runCommand(Cmd id);
    bool isEnabled(Cmd id) const;
    // Whether the command shows a check mark (or a chosen radio item), if it has one.
    std::optional<bool> isChecked(Cmd id) const;

    // Whether timer 2 (auto update) runs.
    bool autoUpdateTimerActive() const { return m_updateTimer.isActive(); }

    // A picked object: with "Short Object Properties" on, the short window shows it at the
    // top left of the chart; otherwise its full properties open at once. The object must
    // live in the catalogues or the chart.
    void ShowObject(const astro::SkyPoint* object);
    // The full properties of an object: this chart becomes the active one, the short window
    // is hidden, the "Properties" dialog runs modally, then the chart is repainted.
    void ShowFullProperties(const astro::SkyPoint* object);
    // Celestial north on the chart as last drawn (pixels right and up).
    chart::NorthDirection north() const { return m_north; }
    // The sky under the mouse as last seen (none off the sky).
    const std::optional<chart::HoverReadout>& pointer() const { return m_pointer; }

    // The short properties window of this chart.
    StarProp* starProp() const { return m_starProp; }

Q_SIGNALS:
    // The chart changed in a way the menus show (check marks, enable states).
    void stateChanged();
    // A line for the status bar: the sky under the cursor, a picked object.
    void statusMessage(const QString& text);
    // The mouse moved over the chart: pointer() tells where.
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void redraw();
    void changed(bool rebuild);
    void pickAt(QPoint at, QPoint global);
    void showObject(int id);
    // "Print..." (the print options, then the printer) and "Print Preview".
    void print(bool preview);
    bool printPage(QPrinter& printer, const chart::PrintOptions& options, bool preview);
    void zoomDialog();
    void magnitudeLimitDialog();
    void labelsDialog();
    void restartUpdateTimer();
    // Shows an outcome's message, opens the manager it asks for, repaints.
    void follow(const chart::SelectionOutcome& outcome);
    void openManager(chart::ObjectManager manager);
    // A Search command: the dialog, then the chart centred on what it chose.
    void search(SearchKind kind);
    void trailDialog(const astro::SolarSystemBody& body);
    void activate();

    // Takes the program's current deep-sky, asteroid and comet lists.
    void attachObjectLists();

    SkyvaneApp& m_app;
    chart::MinorBodyList<chart::PlottedAsteroid> m_asteroidList;
    chart::MinorBodyList<chart::PlottedComet> m_cometList;
    chart::ChartViewState m_state;
    settings::ColorScheme m_scheme;
    chart::ChartSources m_sources;
    QImage m_buffer;
    // The limiting magnitude of the last redraw: the redraw sets it when it follows the zoom,
    // and the panes are told when it changed.
    double m_paintedLimit = -1000.0;
    QTimer m_paceTimer;   // timer 1
    QTimer m_updateTimer; // timer 2
    StarProp* m_starProp;
    std::string m_printComment; // the comment of the last printed page
    chart::NorthDirection m_north;
    std::optional<chart::HoverReadout> m_pointer;
};

} // namespace app
