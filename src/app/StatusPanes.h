#pragma once

#include "chart/Navigation.h"
#include "chart/StatusPanes.h"

#include <QDialog>
#include <QFrame>
#include <QPoint>
#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace app {

class CSkyvaneView;
class SkyvaneApp;
class StatusPaneSet;

// One floating status pane: a small frameless tool window of the main window, painted from
// its lines in the colours of the display mode, dragged with the left button without
// covering another pane, with the menu "&Hide", "&Arrange", "&Properties..." on the right.
class StatusPaneWindow : public QWidget {
    Q_OBJECT
public:
    StatusPaneWindow(StatusPaneSet& set, chart::PaneId id, QWidget* frame);
    chart::PaneId id() const { return m_id; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void paintCompass(QPainter& p);

    StatusPaneSet& m_set;
    chart::PaneId m_id;
    std::optional<QPoint> m_anchor; // where a left-button drag began (global)
};

// The seven panes of the main window and their placement model. The model holds the
// places in screen coordinates; the windows follow it.
class StatusPaneSet : public QObject {
    Q_OBJECT
public:
    StatusPaneSet(SkyvaneApp& app, QWidget* frame);
    ~StatusPaneSet() override;

    // Reads the panes' sections and fits them; true when one had no stored size (the caller
    // arranges them a second later).
    bool CreateAll();
    // Shows the visible panes (once the main window is up).
    void ShowAll();
    void RepaintAll();
    // Along the bottom of the work area of the main window's screen, then saved.
    void ArrangeAll();
    void SaveAll();
    void Fit(chart::PaneId id);
    void FitAll();
    // "Status": which panes show, the flag and the constellation line; then refit and save.
    void Properties();
    void Hide(chart::PaneId id);

    // The active chart's place, time, field and north (none when no chart is open).
    void ShowChart(const CSkyvaneView* view);
    // The sky under the mouse on the active chart (none off the sky).
    void SetPointer(const std::optional<chart::HoverReadout>& readout);

    chart::StatusPanes& model() { return m_model; }
    StatusPaneWindow* window(chart::PaneId id) const {
        return m_windows[static_cast<std::size_t>(id)];
    }
    SkyvaneApp& app() { return m_app; }
    QWidget* frame() const { return m_frame; }
    // Celestial north on the active chart (pixels right and up); none without a chart.
    std::optional<QPointF> north() const { return m_north; }
    // The location pane's flag picture, or none.
    int flagBitmap() const { return m_flag; }

    // The fonts of the panes: the title (underlined) and the lines.
    static QFont titleFont();
    static QFont lineFont();

Q_SIGNALS:
    void arrangeRequested();
    void propertiesRequested();

private:
    void place(chart::PaneId id);

    SkyvaneApp& m_app;
    QWidget* m_frame;
    chart::StatusPanes m_model;
    std::array<StatusPaneWindow*, chart::kPaneCount> m_windows{};
    std::optional<QPointF> m_north;
    int m_flag = -1;
    std::optional<chart::HoverReadout> m_pointer;
};

// "Status": the model's check boxes and radio buttons.
class StatusPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    StatusPropertiesDialog(QWidget* parent, chart::StatusDialogModel& model);
    void accept() override;

private:
    chart::StatusDialogModel& m_model;
    std::array<QCheckBox*, chart::kPaneCount> m_panes{};
    QCheckBox* m_flag;
    QCheckBox* m_constellation;
    std::array<QRadioButton*, 3> m_radios{};
};

// A docked status bar: the standard one (two rows) or the minimal one (one row), one label
// per field, painted on the texture of adorned dialogs.
class DockedStatusBar : public QFrame {
    Q_OBJECT
public:
    enum Kind { Standard = 1, Minimal = 2 };
    DockedStatusBar(Kind kind, QWidget* parent);
    void Show(const chart::StatusBarState& state);
    Kind kind() const { return m_kind; }
    // The texts shown, row by row.
    QStringList texts() const;

private:
    Kind m_kind;
    std::vector<std::vector<QLabel*>> m_rows;
};

// The state the docked bars show for a chart window (or for none).
chart::StatusBarState StatusBarStateOf(const CSkyvaneView* view,
                                       const std::optional<chart::HoverReadout>& pointer);

} // namespace app
