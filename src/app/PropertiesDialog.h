#pragma once

#include "catalog/ObjectProperties.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>

class QPushButton;
class QTextEdit;
class QUrl;

namespace astro {
class SkyPoint;
class SolarSystemBody;
} // namespace astro

namespace chart {
class ChartViewState;
}

namespace catalog {
class DsoCatalog;
}

namespace app {

class SkyvaneApp;

// Shows the atlas image page of a deep-sky object: writes the page into the images folder
// (each page of a run under its own number) and opens it, by default with the desktop's
// program for web pages. An object without an image (or anything that is not a deep-sky
// object) gets the message "There is not image for this object!" over parent, and a page that
// cannot be written the writer's message. True when a page was opened.
bool showDsoImage(QWidget* parent, const catalog::DsoCatalog* deepSky,
                  const astro::SkyPoint& object, const std::filesystem::path& imagesDir,
                  const std::function<bool(const QUrl& page)>& openPage = {});

// What the buttons of the properties reach beyond the text.
struct PropertiesActions {
    // "&Trail...": the trail dialog of a body over the given parent.
    std::function<void(QWidget* parent, const astro::SolarSystemBody& body)> trail;
    // "&Ephemeris...": the ephemeris settings and table of a body over the given parent.
    std::function<void(QWidget* parent, const astro::SolarSystemBody& body)> ephemeris;
    // "&Image...": the folder of the atlas images, where the image page is written, and how
    // the page is opened (by default with the desktop's program for web pages).
    std::filesystem::path imagesDir;
    std::function<bool(const QUrl& page)> openPage;
};

// "Properties": the full properties of one object, titled "About " and its name, with the
// buttons "C&lose", "&Copy", "&Ephemeris...", "&Trail..." and "&Image...". The text is built
// once, when the dialog is made.
class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    PropertiesDialog(QWidget* parent, const astro::SkyPoint& object,
                     const catalog::PropertiesContext& context, PropertiesActions actions);

    // The text as built, CR-LF separated.
    const std::string& text() const { return m_text; }

    QTextEdit* textField() const { return m_field; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* copyButton() const { return m_copy; }
    QPushButton* ephemerisButton() const { return m_ephemeris; }
    QPushButton* trailButton() const { return m_trail; }
    QPushButton* imageButton() const { return m_image; }

private:
    void copy();
    void ephemeris();
    void trail();
    void showImage();

    const astro::SkyPoint& m_object;
    const catalog::DsoCatalog* m_deepSky;
    PropertiesActions m_actions;
    std::string m_text;
    QTextEdit* m_field;
    QPushButton* m_close;
    QPushButton* m_copy;
    QPushButton* m_ephemeris;
    QPushButton* m_trail;
    QPushButton* m_image;
};

// The context of a chart's properties: its instant, place and bodies, and the program's
// places, constellations and deep-sky catalogue.
catalog::PropertiesContext PropertiesContextOf(SkyvaneApp& app, const chart::ChartViewState& state);

// Runs the "Properties" dialog of an object of a chart modally over parent: "&Ephemeris..."
// makes the table of a body for that chart, "&Trail..." adds the trail to that chart,
// "&Image..." writes the page into the data folder's "Images".
void runPropertiesDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                         const astro::SkyPoint& object);

} // namespace app
