#include "app/Artwork.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

namespace {

using app::Cmd;

// The buttons of the three toolbars.
const std::vector<Cmd>& toolbarCommands() {
    static const std::vector<Cmd> kCmds = {Cmd::FileSave,
                                           Cmd::ViewStandard,
                                           Cmd::ViewTrue,
                                           Cmd::ViewRed,
                                           Cmd::ViewBlackWhite,
                                           Cmd::ZoomOut,
                                           Cmd::ZoomIn,
                                           Cmd::ZoomDialog,
                                           Cmd::DrawBoundaries,
                                           Cmd::DrawFigures,
                                           Cmd::GridEquatorial,
                                           Cmd::GridAzimuthal,
                                           Cmd::GridEcliptic,
                                           Cmd::GridProperties,
                                           Cmd::UpdateNow,
                                           Cmd::ObservingPlace,
                                           Cmd::RotateEquatorial,
                                           Cmd::RotateAzimuthal,
                                           Cmd::RotateEcliptic,
                                           Cmd::MoveLeft,
                                           Cmd::MoveUp,
                                           Cmd::MoveRight,
                                           Cmd::MoveDown,
                                           Cmd::North,
                                           Cmd::East,
                                           Cmd::South,
                                           Cmd::West,
                                           Cmd::Zenith,
                                           Cmd::Nadir,
                                           Cmd::MagnitudeLimit,
                                           Cmd::StarLabels,
                                           Cmd::PlanetsPresentation,
                                           Cmd::CentreSun,
                                           Cmd::CentreMoon,
                                           Cmd::CentreMercury,
                                           Cmd::CentreVenus,
                                           Cmd::CentreMars,
                                           Cmd::CentreJupiter,
                                           Cmd::CentreSaturn,
                                           Cmd::CentreUranus,
                                           Cmd::CentreNeptune,
                                           Cmd::CentrePluto,
                                           Cmd::AsteroidsPlot,
                                           Cmd::CometsPlot,
                                           Cmd::Trails,
                                           Cmd::DeepSkyPlot};
    return kCmds;
}

QImage iconImage(const QIcon& icon, int px) {
    return icon.pixmap(px, px).toImage().convertToFormat(QImage::Format_ARGB32);
}

int luminance(QRgb c) {
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

// Pixels that stand out from a plain toolbar of the given grey once the icon is put on it.
int visibleOn(const QImage& img, int grey) {
    int count = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            const int a = qAlpha(c);
            const int lum = (luminance(c) * a + grey * (255 - a)) / 255;
            if (std::abs(lum - grey) > 60)
                ++count;
        }
    }
    return count;
}

TEST(Artwork, EveryToolbarButtonHasAnIconThatReadsOnLightAndDarkBars) {
    for (const Cmd id : toolbarCommands()) {
        SCOPED_TRACE(static_cast<int>(id));
        const QIcon icon = app::commandIcon(id);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));
        const QImage img = iconImage(icon, 24);
        ASSERT_EQ(img.size(), QSize(24, 24));
        bool transparent = false;
        bool opaque = false;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                transparent |= qAlpha(img.pixel(x, y)) == 0;
                opaque |= qAlpha(img.pixel(x, y)) == 255;
            }
        }
        EXPECT_TRUE(transparent);
        EXPECT_TRUE(opaque);
        EXPECT_GE(visibleOn(img, 240), 15);
        EXPECT_GE(visibleOn(img, 30), 15);
    }
    for (const Cmd id : {Cmd::FileExit, Cmd::HelpAbout, Cmd::EphemerisMars, Cmd::TrailSun})
        EXPECT_TRUE(app::commandIcon(id).isNull());
}

TEST(Artwork, IconsOfDifferentCommandsDiffer) {
    const auto& cmds = toolbarCommands();
    std::vector<QImage> images;
    for (const Cmd id : cmds)
        images.push_back(iconImage(app::commandIcon(id), 24));
    for (std::size_t i = 0; i < images.size(); ++i)
        for (std::size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j])
                << static_cast<int>(cmds[i]) << " vs " << static_cast<int>(cmds[j]);

    // The view-type stars carry their mode's colours (the star covers the centre).
    const auto centre = [](Cmd id) { return iconImage(app::commandIcon(id), 24).pixel(12, 12); };
    const QRgb red = centre(Cmd::ViewRed);
    EXPECT_GT(qRed(red), 150);
    EXPECT_LT(qGreen(red), 80);
    const QRgb grey = centre(Cmd::ViewTrue);
    EXPECT_NEAR(qRed(grey), qBlue(grey), 10);
    EXPECT_GT(qRed(grey), 100);
    EXPECT_LT(luminance(centre(Cmd::ViewBlackWhite)), 40);
    const QRgb standard = centre(Cmd::ViewStandard);
    EXPECT_GT(qRed(standard), qBlue(standard) + 80); // yellow star
    // ... on a dark blue field.
    const QRgb field = iconImage(app::commandIcon(Cmd::ViewStandard), 24).pixel(5, 19);
    EXPECT_GT(qBlue(field), qRed(field) + 40);
}

TEST(Artwork, ApplicationIconIsADiscWithTransparentCorners) {
    const QIcon icon = app::applicationIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(64, 64)));
    const QImage img = iconImage(icon, 64);
    ASSERT_EQ(img.size(), QSize(64, 64));
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(63, 63)), 0);
    EXPECT_EQ(qAlpha(img.pixel(32, 32)), 255);
}

TEST(Artwork, StartupPictureIsADarkReproducibleSkyWithItsTitle) {
    for (const QSize size : {QSize(100, 75), QSize(480, 300), QSize(640, 400)}) {
        SCOPED_TRACE(size.width());
        const QImage img = app::startupPicture(size);
        ASSERT_EQ(img.size(), size);
        EXPECT_EQ(img, app::startupPicture(size));

        int dark = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                dark += luminance(img.pixel(x, y)) < 70;
        EXPECT_GT(dark, img.width() * img.height() * 85 / 100);

        // The title is bright, large and stays inside the picture: across the middle row
        // its letters span a good part of the width but leave the side margins free.
        const int y = img.height() / 2 - img.height() / 20;
        int first = -1;
        int last = -1;
        for (int x = 0; x < img.width(); ++x) {
            if (luminance(img.pixel(x, y)) > 170) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        ASSERT_GE(first, 0);
        EXPECT_GT(last - first, img.width() * 45 / 100);
        EXPECT_GT(first, 0);
        EXPECT_LT(last, img.width() - 1);
    }
}

} // namespace
