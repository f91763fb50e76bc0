#pragma once

#include "app/Commands.h"
#include "settings/RecentFiles.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace app {

class SkyvaneApp;
class CSkyvaneView;

// A chart document: the chart state of its first window. It is titled "Map-" with a running
// number; further windows on it add ":2", ":3".
class CSkyvaneDoc {
public:
    explicit CSkyvaneDoc(int number) : m_number(number) {}
    // "Map-" and the number until the chart is saved or opened, then the file's name.
    QString title() const;
    int number() const { return m_number; }
    std::vector<CSkyvaneView*> views;
    QString path; // empty until saved or opened

private:
    int m_number;
};

// The main window: the chart windows in a multiple-document area, the menus, the three
// toolbars and the status bar.
class DockedStatusBar;
class StatusPaneSet;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(SkyvaneApp& app);
    ~CMainFrame() override;

    // File New: a fresh chart in a new window.
    CSkyvaneView* newChart();
    // File Open: a chart document in a new window; on failure the message is shown and no
    // window opens.
    bool openDocument(const QString& path);
    // File Save / Save As of the active chart's document; false when not saved.
    bool saveActive(bool askName);
    // File Save As without asking: writes the active chart to the file.
    bool saveActiveTo(const QString& path);
    const settings::RecentFiles& recentFiles() const { return m_recent; }
    // The active chart window, or null.
    CSkyvaneView* activeView() const;
    std::vector<CSkyvaneView*> views() const;

    QAction* action(Cmd id) const { return m_actions[static_cast<std::size_t>(id)]; }
    QToolBar* toolbar(int number) const { return m_toolbars[static_cast<std::size_t>(number - 1)]; }
    QMdiArea* mdiArea() const { return m_mdi; }
    // Runs a command as the menu or toolbar would.
    void trigger(Cmd id);
    // Brings every enable state and check mark up to date with the active chart.
    void refreshActions();
    // Writes the toolbars' visibility to the settings.
    void saveToolbarStates();
    StatusPaneSet& statusPanes() const { return *m_panes; }
    // The docked status bar of a kind (1 standard, 2 minimal).
    DockedStatusBar* dockedBar(int kind) const { return m_bars[static_cast<std::size_t>(kind - 1)]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolbars();
    bool runFrameCommand(Cmd id);
    CSkyvaneView* addView(CSkyvaneDoc* doc, CSkyvaneView* view = nullptr);
    CSkyvaneDoc* documentOf(const CSkyvaneView* view) const;
    void retitle(CSkyvaneDoc* doc);
    void refreshRecentFiles();
    void viewClosed(CSkyvaneView* view);
    // The panes and the shown docked bar follow the active chart; refit asks the panes to
    // fit their texts again.
    void refreshStatus(bool refit);
    // Shows the docked bar of the current type when the bars are shown, else neither.
    void applyStatusBars();

    SkyvaneApp& m_app;
    QMdiArea* m_mdi;
    std::array<QAction*, kCommandCount> m_actions{};
    std::array<QToolBar*, 3> m_toolbars{};
    std::vector<QMenu*> m_chartMenus; // shown only while a chart is open
    std::vector<QAction*> m_chartFileItems;
    std::vector<std::unique_ptr<CSkyvaneDoc>> m_docs;
    int m_nextDocument = 1;
    settings::RecentFiles m_recent;
    QMenu* m_fileMenu = nullptr;
    QAction* m_exitAction = nullptr;
    std::vector<QAction*> m_recentActions;
    StatusPaneSet* m_panes = nullptr;
    std::array<DockedStatusBar*, 2> m_bars{};
    bool m_arrangePanes = false;
    bool m_panesShown = false;
    int m_statusShown = 0; // the docked bars start hidden in every run
    int m_statusType = 1;  // 1 standard, 2 minimal
};

} // namespace app
