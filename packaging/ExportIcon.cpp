// Writes the program's icon for the desktop: PNG files of the hicolor sizes and a scalable
// SVG, all drawn by the same code as the window icon.
#include "app/Artwork.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skyvane-icon OUTPUT-FOLDER SIZE|svg\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const std::string what = argv[2];
    if (what == "svg") {
        QSvgGenerator svg;
        svg.setFileName(folder + "/skyvane.svg");
        svg.setSize(QSize(64, 64));
        svg.setViewBox(QRect(0, 0, 64, 64));
        svg.setTitle("Skyvane");
        QPainter p;
        if (!p.begin(&svg))
            return 1;
        p.setRenderHint(QPainter::Antialiasing);
        app::drawApplicationIcon(p);
        return p.end() ? 0 : 1;
    }
    const int px = std::atoi(what.c_str());
    if (px < 16 || px > 1024) {
        std::fprintf(stderr, "skyvane-icon: size %s is not between 16 and 1024\n", what.c_str());
        return 2;
    }
    QImage image(px, px, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(px / 64.0, px / 64.0);
    app::drawApplicationIcon(p);
    p.end();
    return image.save(folder + "/skyvane.png", "PNG") ? 0 : 1;
}
