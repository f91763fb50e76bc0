// A process that saves one kind of user file again and again, for the crash-safety tests:
//
//   save_writer document|places|settings FOLDER            saves until it is killed
//   save_writer document|places|settings FOLDER --full     one save on a "full disk"
//
// Each kind has two versions. The writer first writes version A and copies it to
// "<file>.A", then version B and copies it to "<file>.B", so that the test knows both whole
// files; it prints "ready" and alternates between them. With --full it starts from version
// A, caps the size of every file it writes at half of A's (RLIMIT_FSIZE: writing beyond it
// fails as on a full disk), tries to save version B, prints the program's message and exits
// with 1 when the save failed.
#include "catalog/ChartDocument.h"
#include "catalog/MinorBodyCatalog.h"
#include "catalog/Places.h"
#include "chart/SkyChart.h"
#include "settings/AppSettings.h"
#include "ui/QtSettingsStore.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

struct Kind {
    fs::path file;
    // Writes a version; returns the program's message on failure.
    std::function<std::optional<std::string>(bool b)> save;
};

Kind documentKind(const fs::path& folder) {
    Kind k;
    k.file = folder / "chart.skv";
    k.save = [file = k.file](bool b) -> std::optional<std::string> {
        chart::SkyChart chart;
        // A fixed instant: the document holds the chart's clock, which would else move on
        // from one save to the next.
        chart.clock.Local = astro::DateTime(2026, 12, 8, 22, 0, 0);
        chart.clock.DeriveUniversal(0.0f);
        chart.settings.magnitudeLimit = b ? 9.5 : 6.0;
        chart.settings.constellationBoundaries = b ? 1 : 0;
        catalog::DsoSelectionSettings deepSky;
        catalog::AsteroidCatalog asteroids;
        catalog::CometCatalog comets;
        const std::string error =
            catalog::SaveChartDocument(file, chart, deepSky, asteroids, comets);
        return error.empty() ? std::nullopt : std::optional<std::string>(error);
    };
    return k;
}

Kind placesKind(const fs::path& folder) {
    Kind k;
    k.file = folder / catalog::PlaceList::kUserFile;
    k.save = [folder](bool b) -> std::optional<std::string> {
        catalog::PlaceRecord r;
        r.town = "Second Town";
        r.country = "Testland";
        r.latitude = 12.5;
        r.longitude = -3.25;
        // A holds one place, B two: B appends the second, A removes it again.
        if (b)
            return catalog::appendUserPlace(folder, r);
        return catalog::removeUserPlaces(folder, r.town, r.country);
    };
    return k;
}

Kind settingsKind(const fs::path& folder) {
    Kind k;
    k.file = folder / "settings.ini";
    k.save = [file = k.file](bool b) -> std::optional<std::string> {
        ui::QtSettingsStore store(file.string());
        for (int i = 0; i < 200; ++i)
            store.writeString("Chart_" + std::to_string(i), "Comment",
                              std::string(b ? 120 : 60, b ? 'b' : 'a'));
        if (!store.sync())
            return settings::SettingsNotSavedMessage(store.fileName());
        return std::nullopt;
    };
    return k;
}

void keepCopy(const fs::path& from, const fs::path& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 4 && std::string(argv[3]) == "--full"))
        return 2;
    const std::string kind = argv[1];
    const fs::path folder = argv[2];
    Kind k = kind == "document"   ? documentKind(folder)
             : kind == "places"   ? placesKind(folder)
             : kind == "settings" ? settingsKind(folder)
                                  : Kind{};
    if (!k.save)
        return 2;
    if (kind == "places") {
        // The first place, which both versions keep.
        catalog::PlaceRecord first;
        first.town = "First Town";
        first.country = "Testland";
        if (catalog::appendUserPlace(folder, first))
            return 2;
    }
    if (k.save(false))
        return 2;
    keepCopy(k.file, k.file.string() + ".A");
    if (argc == 4) {
        const auto limit = fs::file_size(k.file) / 2;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit cap{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0)
            return 2;
        const std::optional<std::string> message = k.save(true);
        std::printf("%s\n", message ? message->c_str() : "");
        return message ? 1 : 0;
    }
    if (k.save(true))
        return 2;
    keepCopy(k.file, k.file.string() + ".B");
    std::printf("ready\n");
    std::fflush(stdout);
    for (bool b = false;; b = !b)
        if (k.save(b))
            return 3;
}
