#include "app/PropertiesDialog.h"

#include "app/Dialogs.h"
#include "app/EphemerisDialogs.h"
#include "app/ObjectDialogs.h"
#include "app/SkyvaneApp.h"
#include "astro/SolarSystemBody.h"
#include "catalog/DeepSky.h"
#include "chart/ChartViewState.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

namespace {

// Image pages are numbered from 0 in each run of the program.
int g_imagePageCounter = 0;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The text with its CR-LF line ends turned into line feeds.
QString withLineFeeds(const std::string& text) {
    QString s = q(text);
    s.replace("\r\n", "\n");
    return s;
}

QPushButton* button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

PropertiesDialog::PropertiesDialog(QWidget* parent, const astro::SkyPoint& object,
                                   const catalog::PropertiesContext& context,
                                   PropertiesActions actions)
    : QDialog(parent), m_object(object), m_deepSky(context.deepSky), m_actions(std::move(actions)),
      m_text(catalog::FullPropertiesText(object, context)), m_field(new QTextEdit(this)),
      m_close(button("C&lose", "closeButton", this)), m_copy(button("&Copy", "copyButton", this)),
      m_ephemeris(button("&Ephemeris...", "ephemerisButton", this)),
      m_trail(button("&Trail...", "trailButton", this)),
      m_image(button("&Image...", "imageButton", this)) {
    setObjectName("Properties");
    setWindowTitle(q(catalog::PropertiesTitle(object)));
    adorn(this);

    m_field->setObjectName("propertiesText");
    m_field->setReadOnly(true);
    m_field->setPlainText(withLineFeeds(m_text));
    m_field->setMinimumSize(480, 560);

    const catalog::PropertiesButtons enabled = catalog::PropertiesButtonStates(object, true);
    m_ephemeris->setEnabled(enabled.ephemeris && m_actions.ephemeris);
    m_trail->setEnabled(enabled.trail && m_actions.trail);
    m_image->setEnabled(enabled.image);
    m_close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_field, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_close);
    row->addWidget(m_copy);
    row->addStretch(1);
    row->addWidget(m_ephemeris);
    row->addWidget(m_trail);
    row->addWidget(m_image);
    layout->addLayout(row);

    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_copy, &QPushButton::clicked, this, [this] { copy(); });
    connect(m_ephemeris, &QPushButton::clicked, this, [this] { ephemeris(); });
    connect(m_trail, &QPushButton::clicked, this, [this] { trail(); });
    connect(m_image, &QPushButton::clicked, this, [this] { showImage(); });
}

void PropertiesDialog::copy() {
    // The clipboard gets the program's exported line ends.
    QGuiApplication::clipboard()->setText(withLineFeeds(m_text));
}

void PropertiesDialog::ephemeris() {
    const auto* body = dynamic_cast<const astro::SolarSystemBody*>(&m_object);
    if (body && m_actions.ephemeris)
        m_actions.ephemeris(this, *body);
}

void PropertiesDialog::trail() {
    const auto* body = dynamic_cast<const astro::SolarSystemBody*>(&m_object);
    if (body && m_actions.trail)
        m_actions.trail(this, *body);
}

void PropertiesDialog::showImage() {
    showDsoImage(this, m_deepSky, m_object, m_actions.imagesDir, m_actions.openPage);
}

bool showDsoImage(QWidget* parent, const catalog::DsoCatalog* deepSky,
                  const astro::SkyPoint& object, const std::filesystem::path& imagesDir,
                  const std::function<bool(const QUrl& page)>& openPage) {
    const auto* dso = dynamic_cast<const catalog::DsoObject*>(&object);
    if (!dso || dso->imageNumber() == catalog::kNoDsoImage || !deepSky) {
        showMessage(parent, "There is not image for this object!");
        return false;
    }
    const std::filesystem::path page = catalog::DsoImagePagePath(imagesDir, g_imagePageCounter);
    const std::string error = catalog::WriteDsoImagePage(*deepSky, *dso, page);
    if (!error.empty()) {
        showMessage(parent, q(error));
        return false;
    }
    ++g_imagePageCounter;
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(page.string()));
    if (openPage)
        openPage(url);
    else
        QDesktopServices::openUrl(url);
    return true;
}

catalog::PropertiesContext PropertiesContextOf(SkyvaneApp& app,
                                               const chart::ChartViewState& state) {
    catalog::Catalogues& catalogues = app.catalogues();
    return catalog::MakePropertiesContext(state.chart, &catalogues.places,
                                          &catalogues.constellations, &catalogues.deepSky);
}

void runPropertiesDialog(QWidget* parent, SkyvaneApp& app, chart::ChartViewState& state,
                         const astro::SkyPoint& object) {
    PropertiesActions actions;
    actions.ephemeris = [&app, &state](QWidget* over, const astro::SolarSystemBody& body) {
        OpenEphemeris(over, app, state, body);
    };
    // As the chart's own trail commands, the button is off while the trail list is full.
    if (!state.chart.trails.full())
        actions.trail = [&state](QWidget* over, const astro::SolarSystemBody& body) {
            runTrailDialog(over, state.chart, body);
        };
    actions.imagesDir = app.dataFolder() / catalog::DsoCatalog::kImagesFolder;
    PropertiesDialog(parent, object, PropertiesContextOf(app, state), std::move(actions)).exec();
}

} // namespace app
