#pragma once

#include "catalog/Catalogues.h"
#include "catalog/MinorBodyCatalog.h"
#include "settings/ColorScheme.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QPalette>

class QPrinter;

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace app {

// The application object: the settings store, the data folder, the catalogues loaded at
// start, the display mode shared by every chart and the adorned-dialogs flag.
class SkyvaneApp : public QObject {
    Q_OBJECT
public:
    SkyvaneApp(settings::SettingsStore& store, std::filesystem::path dataFolder);
    ~SkyvaneApp() override;

    settings::SettingsStore& store() { return m_store; }
    const std::filesystem::path& dataFolder() const { return m_dataFolder; }
    catalog::Catalogues& catalogues() { return *m_catalogues; }

    // The asteroid and comet catalogues the user loaded, with the bodies chosen for plotting
    // (each body's `shown` flag), and the deep-sky selection settings. Every chart plots
    // from them.
    catalog::AsteroidCatalog asteroids;
    catalog::CometCatalog comets;
    catalog::DsoSelectionSettings deepSkySelection;
    // Applies deepSkySelection to the deep-sky catalogue.
    void applyDeepSkySelection();
    // Tells every chart that a catalogue was loaded or closed or the selection changed, so
    // that it takes the new lists and rebuilds its draw list.
    void selectionsChanged() { Q_EMIT objectListsChanged(); }

    // Reads every catalogue, telling each step; the star files' error, when any, comes back.
    catalog::Catalogues::Report loadCatalogues(const std::function<void(const std::string&)>& step);

    int viewMode() const { return m_viewMode; }
    settings::ViewType viewType() const { return settings::viewTypeFromMode(m_viewMode); }
    // Changes the display mode of every chart; the True and Red views darken the program's
    // own windows and dialogs, the other two bring back the colours it started with. The
    // mode already in force changes nothing.
    void setViewMode(int mode);
    // The printer every chart prints on: the one "Print Setup..." sets up, with the paper,
    // the orientation and the printer chosen last. The page layouts count in dots of 600
    // per inch.
    QPrinter& printer();
    static constexpr int kPrintResolution = 600;

    int adornedDialogs() const { return m_adornedDialogs; }
    void toggleAdornedDialogs();

    // The application object of the running program (null before it exists).
    static SkyvaneApp* current();

    // Writes the display mode and the adorned-dialogs flag.
    void saveSettings();

    // The palettes of the True View and the Red View.
    static QPalette darkPalette();
    static QPalette redPalette();

Q_SIGNALS:
    void viewModeChanged(int mode);
    void objectListsChanged();

private:
    void applyPalette();

    settings::SettingsStore& m_store;
    std::filesystem::path m_dataFolder;
    std::unique_ptr<catalog::Catalogues> m_catalogues;
    int m_viewMode;
    int m_adornedDialogs;
    QPalette m_savedPalette;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace app
