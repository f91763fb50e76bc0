// The windowed program: start-up in its fixed order, then the main window with a first chart.
#include "app/Artwork.h"
#include "app/ChartView.h"
#include "app/Dialogs.h"
#include "app/MainFrame.h"
#include "app/SkyvaneApp.h"
#include "settings/AppSettings.h"
#include "ui/QtSettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSplashScreen>

#include <clocale>
#include <filesystem>
#include <memory>
#include <optional>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Numbers in files and texts always use a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName("Skyvane");
    QApplication::setApplicationName("Skyvane");
    QApplication::setApplicationDisplayName("Skyvane");
    QApplication::setApplicationVersion(SKYVANE_VERSION);
    QApplication::setWindowIcon(app::applicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription("Skyvane, a desktop planetarium");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataOption("data", "Read the catalogues from DIR.", "DIR");
    const QCommandLineOption settingsOption("settings", "Keep the settings in FILE (INI).", "FILE");
    parser.addOption(dataOption);
    parser.addOption(settingsOption);
    parser.addPositionalArgument("chart", "A chart document (.skv) to open.", "[chart]");
    parser.process(application);

    std::unique_ptr<ui::QtSettingsStore> store =
        parser.isSet(settingsOption)
            ? std::make_unique<ui::QtSettingsStore>(parser.value(settingsOption).toStdString())
            : std::make_unique<ui::QtSettingsStore>();

    std::optional<std::filesystem::path> given;
    if (parser.isSet(dataOption))
        given = parser.value(dataOption).toStdString();
    const std::filesystem::path installed = settings::InstalledDataFolder(
        settings::RunningExecutable(), SKYVANE_INSTALLED_DATA_DIR, SKYVANE_SOURCE_DATA_DIR);
    const std::filesystem::path dataFolder =
        settings::FindDataFolder(given, QDir::currentPath().toStdString(), installed);

    app::SkyvaneApp skyvane(*store, dataFolder);

    // The start-up picture stays up while the catalogues load.
    QSplashScreen splash(QPixmap::fromImage(app::startupPicture(QSize(480, 300))));
    splash.show();
    QApplication::processEvents();
    const catalog::Catalogues::Report report =
        skyvane.loadCatalogues([&splash](const std::string& step) {
            splash.showMessage(QString::fromStdString(step), Qt::AlignBottom | Qt::AlignHCenter,
                               Qt::white);
            QApplication::processEvents();
        });

    app::CMainFrame frame(skyvane);
    splash.finish(&frame);
    app::showLoadReport(&frame, report);

    // A chart document on the command line opens instead of a new chart; one that cannot be
    // opened ends the program after its message.
    const QStringList documents = parser.positionalArguments();
    if (!documents.isEmpty()) {
        if (!frame.openDocument(documents.front()))
            return 1;
    } else {
        frame.newChart();
    }
    frame.showMaximized();
    const int rc = QApplication::exec();
    if (!store->sync())
        app::showMessage(nullptr,
                         QString::fromStdString(settings::SettingsNotSavedMessage(store->fileName())));
    return rc;
}
