#include "app/WebLinks.h"

#include "app/Dialogs.h"
#include "settings/WebLinks.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QString>

#include <optional>

namespace app {

namespace {

std::optional<settings::WebPage> pageOf(Cmd id) {
    switch (id) {
    case Cmd::WebHome:
        return settings::WebPage::Home;
    case Cmd::WebDownload:
        return settings::WebPage::Download;
    case Cmd::WebComets:
        return settings::WebPage::Comets;
    case Cmd::WebAsteroids:
        return settings::WebPage::Asteroids;
    default:
        return std::nullopt;
    }
}

void openUrl(const QUrl& url) {
    if (const auto& hook = urlOpenerHook())
        hook(url);
    else
        QDesktopServices::openUrl(url);
}

QString fromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

std::function<void(const QUrl&)>& urlOpenerHook() {
    static std::function<void(const QUrl&)> hook;
    return hook;
}

void runWebCommand(QWidget* parent, Cmd id, const std::filesystem::path& dataFolder) {
    const std::optional<settings::WebPage> page = pageOf(id);
    if (!page)
        return;
    settings::WriteScratchFile(settings::BaseDirectory(dataFolder));
    openUrl(QUrl(QString::fromStdString(settings::WebPageAddress(*page))));

    const std::string sources = settings::OrbitSourcesMessage(*page);
    if (sources.empty())
        return;
    QMessageBox box(QMessageBox::Information, "Skyvane", QString::fromStdString(sources),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
}

void openHelpTopics(QWidget* parent, const std::filesystem::path& dataFolder) {
    const std::filesystem::path guide = settings::HelpGuidePath(dataFolder);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(guide, ec)) {
        showMessage(parent, QString::fromStdString(settings::HelpGuideMissingMessage(guide)));
        return;
    }
    std::filesystem::path full = std::filesystem::absolute(guide, ec);
    if (ec)
        full = guide;
    openUrl(QUrl::fromLocalFile(fromPath(full)));
}

} // namespace app
