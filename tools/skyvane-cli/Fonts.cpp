#include "Fonts.h"

#include <QGuiApplication>
#include <QtGlobal>

namespace cli {

bool withFonts(const std::function<bool()>& draw) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "skyvane-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    return draw();
}

} // namespace cli
