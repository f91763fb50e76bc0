#include "app/PlaceDialogs.h"

#include "app/Dialogs.h"
#include "app/SkyvaneApp.h"
#include "chart/SkyChart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr double kDegreesPerRadian = 57.29578;
constexpr int kTurnSteps = 12;
constexpr int kTurnInterval = 25; // milliseconds

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

double rad(double degrees) {
    return degrees / kDegreesPerRadian;
}

// ---- flags -----------------------------------------------------------------------------------

// A flag in a few shapes: 'v' three vertical bands, 'h' three horizontal bands, 'V' and 'H'
// two bands, 'c' a Nordic cross, 'd' a disc, 'p' a plus, 'q' a canton, 't' two horizontal
// bands with a triangle at the hoist, 'u' a union flag, 'r' a rhombus with a disc.
struct FlagDesign {
    int id;
    char shape;
    QRgb a, b, c;
};

constexpr QRgb kRed = 0xffce1126, kWhite = 0xffffffff, kBlue = 0xff0033a0, kGreen = 0xff009a44,
               kBlack = 0xff000000, kYellow = 0xfffcd116, kSky = 0xff74acdf, kOrange = 0xffff883e;

constexpr FlagDesign kFlags[] = {
    {147, 'd', kRed, kBlack, 0},       {148, 'V', kGreen, kWhite, 0},
    {149, 'h', kSky, kWhite, kSky},    {150, 'v', kBlack, kRed, kGreen},
    {151, 'v', kBlue, kYellow, kRed},  {152, 'H', kRed, kBlack, 0},
    {153, 'u', kBlue, 0, 0},           {154, 'h', kRed, kWhite, kRed},
    {155, 'v', kBlack, kYellow, kRed}, {156, 'r', kGreen, kYellow, kBlue},
    {157, 'h', kWhite, kGreen, kRed},  {158, 'v', kRed, kWhite, kRed},
    {160, 'q', kRed, kYellow, 0},      {161, 'H', kWhite, kRed, 0},
    {162, 'h', kYellow, kBlue, kRed},  {163, 't', kBlue, kWhite, kRed},
    {164, 'd', kWhite, kOrange, 0},    {165, 't', kWhite, kRed, kBlue},
    {166, 'c', kRed, kWhite, 0},       {167, 'h', kRed, kWhite, kBlack},
    {168, 'h', kGreen, kYellow, kRed}, {169, 'c', kWhite, kBlue, 0},
    {170, 'v', kBlue, kWhite, kRed},   {171, 'h', kBlack, kRed, kYellow},
    {172, 'h', kBlue, kWhite, kBlue},  {173, 'h', kRed, kWhite, kGreen},
    {174, 'c', kBlue, kRed, 0},        {175, 'h', kOrange, kWhite, kGreen},
    {176, 'H', kRed, kWhite, 0},       {177, 'h', kGreen, kWhite, kRed},
    {178, 'h', kRed, kWhite, kBlack},  {179, 'v', kGreen, kWhite, kOrange},
    {180, 'd', kWhite, kBlue, 0},      {181, 'v', kGreen, kWhite, kRed},
    {182, 'd', kWhite, kRed, 0},       {183, 'h', kBlack, kRed, kGreen},
    {184, 'd', kWhite, kRed, 0},       {185, 'h', kRed, kBlack, kGreen},
    {186, 'h', kRed, kWhite, kSky},    {187, 'q', kRed, kBlue, 0},
    {188, 'v', kGreen, kWhite, kRed},  {189, 'v', kRed, kBlue, kRed},
    {190, 'd', kRed, kGreen, 0},       {191, 'h', kRed, kWhite, kBlue},
    {192, 'u', kBlue, 0, 0},           {193, 'v', kGreen, kWhite, kGreen},
    {194, 'c', kRed, kBlue, 0},        {195, 'V', kWhite, kGreen, 0},
    {196, 'V', kWhite, kRed, 0},       {197, 'h', kRed, kWhite, kBlue},
    {198, 'v', kRed, kWhite, kRed},    {199, 't', kBlue, kRed, kWhite},
    {200, 'H', kWhite, kRed, 0},       {201, 'V', kGreen, kRed, 0},
    {202, 'v', kBlue, kYellow, kRed},  {203, 'h', kWhite, kBlue, kRed},
    {204, 'v', kGreen, kYellow, kRed}, {205, 'h', kWhite, kBlue, kRed},
    {206, 't', kRed, kBlue, kGreen},   {207, 'h', kRed, kYellow, kRed},
    {208, 'h', kRed, kWhite, kBlack},  {209, 'c', kBlue, kYellow, 0},
    {210, 'p', kRed, kWhite, 0},       {211, 'h', kRed, kWhite, kBlue},
    {212, 'd', kRed, kWhite, 0},       {213, 'h', kBlack, kYellow, kRed},
    {214, 'u', kBlue, 0, 0},           {215, 'h', kWhite, kBlue, kWhite},
    {216, 'q', kRed, kBlue, 0},        {217, 'h', kYellow, kBlue, kRed},
    {218, 'd', kRed, kYellow, 0},      {219, 'h', kBlue, kWhite, kRed},
};

void drawFlag(QPainter& p, const FlagDesign& f, int w, int h) {
    const QColor a(f.a), b(f.b), c(f.c);
    switch (f.shape) {
    case 'v':
        p.fillRect(0, 0, w / 3, h, a);
        p.fillRect(w / 3, 0, w - 2 * (w / 3), h, b);
        p.fillRect(w - w / 3, 0, w / 3, h, c);
        break;
    case 'h':
        p.fillRect(0, 0, w, h / 3, a);
        p.fillRect(0, h / 3, w, h - 2 * (h / 3), b);
        p.fillRect(0, h - h / 3, w, h / 3, c);
        break;
    case 'V':
        p.fillRect(0, 0, w / 2, h, a);
        p.fillRect(w / 2, 0, w - w / 2, h, b);
        break;
    case 'H':
        p.fillRect(0, 0, w, h / 2, a);
        p.fillRect(0, h / 2, w, h - h / 2, b);
        break;
    case 'c':
        p.fillRect(0, 0, w, h, a);
        p.fillRect(w * 5 / 16, 0, w / 8 + 1, h, b);
        p.fillRect(0, h * 7 / 16, w, h / 8 + 1, b);
        break;
    case 'd':
        p.fillRect(0, 0, w, h, a);
        p.setBrush(b);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(w / 2.0, h / 2.0), h * 0.3, h * 0.3);
        break;
    case 'p':
        p.fillRect(0, 0, w, h, a);
        p.fillRect(w / 2 - 1, h / 5, 3, h - 2 * (h / 5), b);
        p.fillRect(w / 2 - h * 3 / 10, h / 2 - 1, h * 3 / 5, 3, b);
        break;
    case 'q':
        p.fillRect(0, 0, w, h, a);
        for (int y = 1; y < h; y += 4)
            if (f.id == 216 || f.id == 187)
                p.fillRect(0, y, w, 2, kWhite);
        p.fillRect(0, 0, w * 2 / 5, h / 2 + 1, b);
        break;
    case 't': {
        p.fillRect(0, 0, w, h / 2, a);
        p.fillRect(0, h / 2, w, h - h / 2, b);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        const QPointF triangle[3] = {{0, 0}, {w * 0.45, h / 2.0}, {0, double(h)}};
        p.drawPolygon(triangle, 3);
        break;
    }
    case 'u':
        p.fillRect(0, 0, w, h, a);
        p.setPen(QPen(QColor(kWhite), 3));
        p.drawLine(0, 0, w, h);
        p.drawLine(0, h, w, 0);
        p.setPen(QPen(QColor(kRed), 1));
        p.drawLine(0, 0, w, h);
        p.drawLine(0, h, w, 0);
        p.fillRect(w / 2 - 2, 0, 5, h, kWhite);
        p.fillRect(0, h / 2 - 2, w, 5, kWhite);
        p.fillRect(w / 2 - 1, 0, 3, h, kRed);
        p.fillRect(0, h / 2 - 1, w, 3, kRed);
        break;
    case 'r': {
        p.fillRect(0, 0, w, h, a);
        p.setBrush(b);
        p.setPen(Qt::NoPen);
        const QPointF rhombus[4] = {
            {w / 2.0, 1.5}, {w - 2.0, h / 2.0}, {w / 2.0, h - 1.5}, {2.0, h / 2.0}};
        p.drawPolygon(rhombus, 4);
        p.setBrush(c);
        p.drawEllipse(QPointF(w / 2.0, h / 2.0), h * 0.22, h * 0.22);
        break;
    }
    default:
        p.fillRect(0, 0, w, h, Qt::lightGray);
    }
}

QIcon flagIcon(int flagBitmap) {
    return QIcon(QPixmap::fromImage(countryFlag(flagBitmap)));
}

// ---- shared pieces of the place dialogs -------------------------------------------------------

QSpinBox* spin(QWidget* parent, int max) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, max);
    box->setWrapping(false);
    return box;
}

QComboBox* hemisphere(QWidget* parent, const char* positive, const char* negative) {
    auto* box = new QComboBox(parent);
    box->addItem(positive);
    box->addItem(negative);
    return box;
}

QComboBox* zoneChoice(QWidget* parent, const catalog::TimeZoneList& zones) {
    auto* box = new QComboBox(parent);
    for (const catalog::TimeZoneEntry& z : zones.entries())
        box->addItem(q(z.name));
    return box;
}

// One coordinate row: degrees, minutes, seconds and the hemisphere.
QHBoxLayout* angleRow(QSpinBox* const (&parts)[3], QComboBox* side) {
    auto* row = new QHBoxLayout;
    const char* units[3] = {"°", "'", "\""};
    for (int i = 0; i < 3; ++i) {
        row->addWidget(parts[i]);
        row->addWidget(new QLabel(QString::fromUtf8(units[i])));
    }
    row->addWidget(side);
    row->addStretch();
    return row;
}

void showAngle(QSpinBox* const (&parts)[3], QComboBox* side, const catalog::AngleParts& a) {
    const int values[3] = {a.degrees, a.minutes, a.seconds};
    for (int i = 0; i < 3; ++i)
        if (parts[i]->value() != values[i]) // leaves a field being typed in alone
            parts[i]->setValue(values[i]);
    side->setCurrentIndex(a.negative ? 1 : 0);
}

catalog::AngleParts readAngle(QSpinBox* const (&parts)[3], const QComboBox* side) {
    return {parts[0]->value(), parts[1]->value(), parts[2]->value(), side->currentIndex() == 1};
}

QString angleStatus(double degrees, char positive, char negative) {
    const catalog::AngleParts a = catalog::splitAngle(degrees);
    return QString::fromUtf8("%1° %2' %3\" %4")
        .arg(a.degrees)
        .arg(a.minutes, 2, 10, QChar('0'))
        .arg(a.seconds, 2, 10, QChar('0'))
        .arg(QChar(a.negative ? negative : positive));
}

double normalisedLongitude(double lon) {
    lon = std::fmod(lon + 180.0, 360.0);
    if (lon < 0.0)
        lon += 360.0;
    return lon - 180.0;
}

} // namespace

QImage countryFlag(int flagBitmap) {
    constexpr int kWidth = 21, kHeight = 14;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::lightGray);
    QPainter p(&image);
    for (const FlagDesign& f : kFlags)
        if (f.id == flagBitmap) {
            drawFlag(p, f, kWidth, kHeight);
            break;
        }
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    return image;
}

// ---- "Additional Conditions" ------------------------------------------------------------------

AdditionalConditionsDialog::AdditionalConditionsDialog(QWidget* parent,
                                                       catalog::AdditionalConditionsDialog& model)
    : QDialog(parent), m_model(model), m_height(new QLineEdit(q(model.height), this)),
      m_pressure(new QLineEdit(q(model.pressure), this)),
      m_temperature(new QLineEdit(q(model.temperature), this)) {
    setWindowTitle("Additional Conditions");
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const std::pair<const char*, const char*> rows[3] = {
        {"Height above sea level :", "m"}, {"Pressure :", "millibars"}, {"Temperature :", "° C"}};
    QLineEdit* fields[3] = {m_height, m_pressure, m_temperature};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(rows[i].first, this), i, 0);
        grid->addWidget(fields[i], i, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(rows[i].second), this), i, 2);
    }
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));
}

void AdditionalConditionsDialog::accept() {
    m_model.height = m_height->text().toStdString();
    m_model.pressure = m_pressure->text().toStdString();
    m_model.temperature = m_temperature->text().toStdString();
    if (const auto message = m_model.validate()) {
        // The fields are checked in the dialog's order; the first refused one takes the focus.
        catalog::AdditionalConditionsDialog probe(m_model);
        QLineEdit* refused = m_temperature;
        probe.pressure = "0";
        probe.temperature = "0";
        if (probe.validate()) {
            refused = m_height;
        } else {
            probe.pressure = m_model.pressure;
            if (probe.validate())
                refused = m_pressure;
        }
        showMessage(this, q(*message));
        refused->setFocus();
        refused->selectAll();
        return;
    }
    QDialog::accept();
}

// ---- "New fixed place" ------------------------------------------------------------------------

NewFixedPlaceDialog::NewFixedPlaceDialog(QWidget* parent, const catalog::CountryList& countries,
                                         const catalog::TimeZoneList& zones)
    : QDialog(parent), m_town(new QLineEdit(this)),
      m_country(new QComboBox(this)), m_latitude{spin(this, 90), spin(this, 59), spin(this, 59)},
      m_northSouth(hemisphere(this, "N", "S")), m_longitude{spin(this, 180), spin(this, 59),
                                                            spin(this, 59)},
      m_eastWest(hemisphere(this, "E", "W")), m_zone(zoneChoice(this, zones)) {
    setWindowTitle("New fixed place");
    adorn(this);
    m_town->setMaxLength(static_cast<int>(catalog::PlaceRecord::kTextBytes - 1));
    m_country->setEditable(true);
    for (const catalog::Country& c : countries.entries())
        m_country->addItem(flagIcon(c.flagBitmap), q(c.name));
    m_country->setCurrentIndex(-1);
    m_country->lineEdit()->setMaxLength(static_cast<int>(catalog::PlaceRecord::kTextBytes - 1));
    m_zone->setCurrentIndex(catalog::TimeZoneList::kGreenwich);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Town/Place", this), 0, 0);
    grid->addWidget(m_town, 0, 1);
    grid->addWidget(new QLabel("Country", this), 1, 0);
    grid->addWidget(m_country, 1, 1);
    grid->addWidget(new QLabel("Latitude", this), 2, 0);
    grid->addLayout(angleRow(m_latitude, m_northSouth), 2, 1);
    grid->addWidget(new QLabel("Longitude", this), 3, 0);
    grid->addLayout(angleRow(m_longitude, m_eastWest), 3, 1);
    grid->addWidget(new QLabel("Time zone", this), 4, 0);
    grid->addWidget(m_zone, 4, 1);
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));
}

catalog::NewPlaceFields NewFixedPlaceDialog::fields() const {
    catalog::NewPlaceFields f;
    f.town = m_town->text().toStdString();
    f.country = m_country->currentText().toStdString();
    f.latitudeDegrees = m_latitude[0]->value();
    f.latitudeMinutes = m_latitude[1]->value();
    f.latitudeSeconds = m_latitude[2]->value();
    f.south = m_northSouth->currentIndex() == 1;
    f.longitudeDegrees = m_longitude[0]->value();
    f.longitudeMinutes = m_longitude[1]->value();
    f.longitudeSeconds = m_longitude[2]->value();
    f.west = m_eastWest->currentIndex() == 1;
    f.timeZone = m_zone->currentIndex();
    return f;
}

// ---- the globe --------------------------------------------------------------------------------

PlaceGlobe::PlaceGlobe(QWidget* parent, const catalog::PlaceList& places)
    : QWidget(parent), m_places(places) {
    setFixedSize(kSize, kSize);
    setMouseTracking(false);
    m_animation.setInterval(kTurnInterval);
    connect(&m_animation, &QTimer::timeout, this, &PlaceGlobe::step);
}

double PlaceGlobe::radius() const {
    return std::min(width(), height()) / 2.0 - 4.0;
}

QPointF PlaceGlobe::centre() const {
    return {width() / 2.0, height() / 2.0};
}

bool PlaceGlobe::pixelOf(double latitude, double longitude, QPointF& pixel) const {
    const double phi = rad(latitude), phi0 = rad(m_latitude), dl = rad(longitude - m_longitude);
    const double cosC =
        std::sin(phi0) * std::sin(phi) + std::cos(phi0) * std::cos(phi) * std::cos(dl);
    if (cosC < 0.0)
        return false;
    const double x = std::cos(phi) * std::sin(dl);
    const double y = std::cos(phi0) * std::sin(phi) - std::sin(phi0) * std::cos(phi) * std::cos(dl);
    pixel = centre() + QPointF(x, -y) * radius();
    return true;
}

bool PlaceGlobe::positionAt(QPointF pixel, double& latitude, double& longitude) const {
    const QPointF d = (pixel - centre()) / radius();
    const double x = d.x(), y = -d.y();
    const double rho = std::hypot(x, y);
    if (rho > 1.0)
        return false;
    const double phi0 = rad(m_latitude);
    if (rho < 1e-12) {
        latitude = m_latitude;
        longitude = normalisedLongitude(m_longitude);
        return true;
    }
    const double c = std::asin(std::min(rho, 1.0));
    const double sinLat = std::cos(c) * std::sin(phi0) + y * std::sin(c) * std::cos(phi0) / rho;
    latitude = std::asin(std::clamp(sinLat, -1.0, 1.0)) * kDegreesPerRadian;
    longitude = normalisedLongitude(
        m_longitude + std::atan2(x * std::sin(c), rho * std::cos(c) * std::cos(phi0) -
                                                      y * std::sin(c) * std::sin(phi0)) *
                          kDegreesPerRadian);
    return true;
}

void PlaceGlobe::showAt(double latitude, double longitude) {
    m_latitude = std::clamp(latitude, -90.0, 90.0);
    m_longitude = normalisedLongitude(longitude);
    update();
}

void PlaceGlobe::turnTo(double latitude, double longitude) {
    m_animation.stop();
    if (!smoothRotation || !isVisible()) {
        showAt(latitude, longitude);
        return;
    }
    m_fromLatitude = m_latitude;
    m_fromLongitude = m_longitude;
    m_toLatitude = latitude;
    // The short way round.
    m_toLongitude = m_longitude + normalisedLongitude(longitude - m_longitude);
    m_stepsLeft = kTurnSteps;
    m_animation.start();
}

void PlaceGlobe::step() {
    --m_stepsLeft;
    const double t = 1.0 - static_cast<double>(m_stepsLeft) / kTurnSteps;
    showAt(m_fromLatitude + (m_toLatitude - m_fromLatitude) * t,
           m_fromLongitude + (m_toLongitude - m_fromLongitude) * t);
    if (m_stepsLeft <= 0)
        m_animation.stop();
}

void PlaceGlobe::setMarker(double latitude, double longitude) {
    m_markerLatitude = latitude;
    m_markerLongitude = longitude;
    update();
}

void PlaceGlobe::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const double r = radius();
    QRadialGradient sea(centre() - QPointF(r / 3, r / 3), r * 1.4);
    sea.setColorAt(0.0, QColor(70, 120, 200));
    sea.setColorAt(1.0, QColor(10, 30, 90));
    p.setBrush(sea);
    p.setPen(QPen(QColor(20, 20, 40), 1.5));
    p.drawEllipse(centre(), r, r);

    // A curve through sampled positions, broken where it passes to the far side.
    auto curve = [&](auto position, int samples) {
        QPainterPath path;
        bool open = false;
        for (int i = 0; i <= samples; ++i) {
            const auto [lat, lon] = position(static_cast<double>(i) / samples);
            QPointF pixel;
            if (pixelOf(lat, lon, pixel)) {
                if (open)
                    path.lineTo(pixel);
                else
                    path.moveTo(pixel);
                open = true;
            } else {
                open = false;
            }
        }
        p.drawPath(path);
    };
    p.setBrush(Qt::NoBrush);
    if (grid) {
        p.setPen(QPen(QColor(160, 190, 230, 140), 1));
        for (int lat = -75; lat <= 75; lat += 15)
            curve([lat](double t) { return std::pair<double, double>(lat, -180.0 + 360.0 * t); },
                  144);
        for (int lon = -180; lon < 180; lon += 15)
            curve([lon](double t) { return std::pair<double, double>(-90.0 + 180.0 * t, lon); },
                  72);
    }
    if (allTowns) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 90));
        for (const catalog::PlaceEntry& e : m_places.entries()) {
            QPointF pixel;
            if (pixelOf(e.latitude, e.longitude, pixel))
                p.drawEllipse(pixel, 1.6, 1.6);
        }
    }
    QPointF marker;
    if (pixelOf(m_markerLatitude, m_markerLongitude, marker)) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(255, 40, 40), 1));
        const QPoint m = marker.toPoint();
        p.drawLine(m.x() - 5, m.y(), m.x() + 5, m.y());
        p.drawLine(m.x(), m.y() - 5, m.x(), m.y() + 5);
    }
    if (!m_status.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop, m_status);
    }
}

void PlaceGlobe::mousePressEvent(QMouseEvent* event) {
    double lat = 0.0, lon = 0.0;
    if (!positionAt(event->position(), lat, lon))
        return;
    if (event->button() == Qt::LeftButton) {
        m_animation.stop();
        m_grabbing = true;
        m_grabLongitude = lon;
        Q_EMIT grabbed();
    } else if (event->button() == Qt::RightButton) {
        Q_EMIT rightClicked(lat, lon);
    }
}

void PlaceGlobe::mouseMoveEvent(QMouseEvent* event) {
    double lat = 0.0, lon = 0.0;
    if (!m_grabbing || !(event->buttons() & Qt::LeftButton) ||
        !positionAt(event->position(), lat, lon))
        return;
    // The globe turns about its axis so that the grabbed meridian follows the pointer.
    showAt(m_latitude, m_longitude - normalisedLongitude(lon - m_grabLongitude));
    if (arrowStatus && positionAt(event->position(), lat, lon))
        m_status = angleStatus(lat, 'N', 'S') + "  " + angleStatus(lon, 'E', 'W');
    update();
}

void PlaceGlobe::mouseReleaseEvent(QMouseEvent*) {
    m_grabbing = false;
    if (!m_status.isEmpty()) {
        m_status.clear();
        update();
    }
}

void PlaceGlobe::mouseDoubleClickEvent(QMouseEvent* event) {
    double lat = 0.0, lon = 0.0;
    if (event->button() != Qt::LeftButton || !positionAt(event->position(), lat, lon))
        return;
    turnTo(lat, lon);
    Q_EMIT centred();
}

// ---- "Observing Place" ------------------------------------------------------------------------

ObservingPlaceDialog::ObservingPlaceDialog(QWidget* parent, catalog::ObservingPlaceDialog& model,
                                           const catalog::PlaceList& places, bool daylightSaving,
                                           const catalog::TimeZoneList& zones)
    : QDialog(parent), m_model(model), m_places(places), m_placeChoice(new QComboBox(this)),
      m_fixed(new QCheckBox("Use fixed observing place", this)),
      m_latitude{spin(this, catalog::ObservingPlaceDialog::kLatitudeDegreesMax),
                 spin(this, catalog::ObservingPlaceDialog::kMinutesMax),
                 spin(this, catalog::ObservingPlaceDialog::kSecondsMax)},
      m_northSouth(hemisphere(this, "N", "S")),
      m_longitude{spin(this, catalog::ObservingPlaceDialog::kLongitudeDegreesMax),
                  spin(this, catalog::ObservingPlaceDialog::kMinutesMax),
                  spin(this, catalog::ObservingPlaceDialog::kSecondsMax)},
      m_eastWest(hemisphere(this, "E", "W")), m_zone(zoneChoice(this, zones)),
      m_daylightSaving(new QCheckBox("Daylight saving time", this)),
      m_selectNearest(new QCheckBox("Selecting nearest fixed town", this)),
      m_remove(new QPushButton("Remove current", this)),
      m_adjust(new QPushButton("Adjust to target place", this)),
      m_globe(new PlaceGlobe(this, places)) {
    setWindowTitle("Observing Place");
    adorn(this);
    m_placeChoice->setIconSize(QSize(21, 14));
    m_placeChoice->setMaxVisibleItems(20);
    // The list is drawn on grey, as the flags are.
    QPalette grey = m_placeChoice->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    grey.setColor(QPalette::Text, Qt::black);
    m_placeChoice->setPalette(grey);
    m_daylightSaving->setChecked(daylightSaving);

    auto* additional = new QPushButton("Additional conditions...", this);
    auto* add = new QPushButton("New...", this);
    auto* gridBox = new QCheckBox("Grid", this);
    auto* arrowBox = new QCheckBox("Arrow status", this);
    auto* townsBox = new QCheckBox("All towns", this);
    auto* smoothBox = new QCheckBox("Smooth rotation", this);
    gridBox->setChecked(m_globe->grid);
    arrowBox->setChecked(m_globe->arrowStatus);
    townsBox->setChecked(m_globe->allTowns);
    smoothBox->setChecked(m_globe->smoothRotation);

    auto* left = new QVBoxLayout;
    left->addWidget(m_placeChoice);
    left->addWidget(m_fixed);
    auto* coordinates = new QGroupBox(this);
    auto* grid = new QGridLayout(coordinates);
    grid->addWidget(new QLabel("Latitude", coordinates), 0, 0);
    grid->addLayout(angleRow(m_latitude, m_northSouth), 0, 1);
    grid->addWidget(new QLabel("Longitude", coordinates), 1, 0);
    grid->addLayout(angleRow(m_longitude, m_eastWest), 1, 1);
    grid->addWidget(new QLabel("Time zone", coordinates), 2, 0);
    grid->addWidget(m_zone, 2, 1);
    left->addWidget(coordinates);
    left->addWidget(m_daylightSaving);
    left->addWidget(additional);
    auto* placeButtons = new QHBoxLayout;
    placeButtons->addWidget(add);
    placeButtons->addWidget(m_remove);
    left->addLayout(placeButtons);
    left->addWidget(m_selectNearest);
    left->addStretch();
    left->addWidget(okCancel(this));

    auto* right = new QVBoxLayout;
    right->addWidget(m_globe);
    auto* options = new QHBoxLayout;
    for (QCheckBox* box : {gridBox, arrowBox, townsBox, smoothBox})
        options->addWidget(box);
    right->addLayout(options);
    right->addWidget(m_adjust);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);

    fillPlaceChoice();
    showModel();
    m_adjust->setEnabled(false);
    m_globe->turnTo(readFields().latitudeDegrees(), readFields().longitudeDegrees());

    connect(m_placeChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || !m_model.choosePlace(index))
            return;
        showModel();
        turnGlobeToPlace();
        m_adjust->setEnabled(false);
    });
    connect(m_fixed, &QCheckBox::toggled, this, [this] {
        if (m_showing)
            return;
        m_model.toggleFixedMode();
        showModel();
        turnGlobeToPlace();
    });
    for (QSpinBox* box : {m_latitude[0], m_latitude[1], m_latitude[2], m_longitude[0],
                          m_longitude[1], m_longitude[2]})
        connect(box, &QSpinBox::valueChanged, this, &ObservingPlaceDialog::fieldsEdited);
    for (QComboBox* box : {m_northSouth, m_eastWest, m_zone})
        connect(box, &QComboBox::currentIndexChanged, this, &ObservingPlaceDialog::fieldsEdited);
    connect(additional, &QPushButton::clicked, this, &ObservingPlaceDialog::additionalConditions);
    connect(add, &QPushButton::clicked, this, &ObservingPlaceDialog::newPlace);
    connect(m_remove, &QPushButton::clicked, this, &ObservingPlaceDialog::removeCurrent);
    connect(m_adjust, &QPushButton::clicked, this, [this] {
        turnGlobeToPlace();
        m_adjust->setEnabled(false);
    });
    connect(gridBox, &QCheckBox::toggled, this, [this](bool on) {
        m_globe->grid = on;
        m_globe->update();
    });
    connect(arrowBox, &QCheckBox::toggled, this, [this](bool on) { m_globe->arrowStatus = on; });
    connect(townsBox, &QCheckBox::toggled, this, [this](bool on) {
        m_globe->allTowns = on;
        m_globe->update();
    });
    connect(smoothBox, &QCheckBox::toggled, this,
            [this](bool on) { m_globe->smoothRotation = on; });
    connect(m_globe, &PlaceGlobe::grabbed, this, [this] { m_adjust->setEnabled(true); });
    connect(m_globe, &PlaceGlobe::centred, this, [this] { m_adjust->setEnabled(true); });
    connect(m_globe, &PlaceGlobe::rightClicked, this, [this](double lat, double lon) {
        const bool nearest = m_selectNearest->isChecked();
        m_model.globeRightClick(lat, lon, nearest);
        showModel();
        if (nearest)
            turnGlobeToPlace();
        else
            m_adjust->setEnabled(false);
    });
}

bool ObservingPlaceDialog::daylightSaving() const {
    return m_daylightSaving->isChecked();
}

void ObservingPlaceDialog::fillPlaceChoice() {
    const bool was = m_showing;
    m_showing = true;
    m_placeChoice->clear();
    for (const catalog::PlaceEntry& e : m_places.entries())
        m_placeChoice->addItem(flagIcon(e.flagBitmap),
                               QString("%1, %2").arg(q(e.town), q(e.country)));
    m_showing = was;
}

void ObservingPlaceDialog::showModel() {
    m_showing = true;
    const catalog::PlaceFields& f = m_model.fields();
    m_placeChoice->setCurrentIndex(m_model.selectedPlace());
    m_placeChoice->setVisible(m_model.fixedMode());
    m_fixed->setChecked(m_model.fixedMode());
    m_remove->setEnabled(m_model.removeEnabled());
    showAngle(m_latitude, m_northSouth, f.latitude);
    showAngle(m_longitude, m_eastWest, f.longitude);
    m_zone->setCurrentIndex(f.timeZone);
    m_globe->setMarker(f.latitudeDegrees(), f.longitudeDegrees());
    m_showing = false;
}

catalog::PlaceFields ObservingPlaceDialog::readFields() const {
    return {readAngle(m_latitude, m_northSouth), readAngle(m_longitude, m_eastWest),
            m_zone->currentIndex()};
}

void ObservingPlaceDialog::fieldsEdited() {
    if (m_showing)
        return;
    m_model.editFields(readFields());
    showModel();
    turnGlobeToPlace();
}

void ObservingPlaceDialog::turnGlobeToPlace() {
    const catalog::PlaceFields& f = m_model.fields();
    m_globe->turnTo(f.latitudeDegrees(), f.longitudeDegrees());
}

void ObservingPlaceDialog::additionalConditions() {
    catalog::AdditionalConditionsDialog model(m_model.conditions());
    AdditionalConditionsDialog dialog(this, model);
    if (dialog.exec() == QDialog::Accepted)
        m_model.applyAdditionalConditions(model);
}

void ObservingPlaceDialog::newPlace() {
    NewFixedPlaceDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto message = m_model.addNewPlace(dialog.fields());
    fillPlaceChoice();
    showModel();
    if (message) {
        showMessage(this, q(*message));
        return;
    }
    turnGlobeToPlace();
}

void ObservingPlaceDialog::removeCurrent() {
    const auto message = m_model.removeCurrent();
    fillPlaceChoice();
    showModel();
    if (message) {
        showMessage(this, q(*message));
        return;
    }
    turnGlobeToPlace();
}

void ObservingPlaceDialog::accept() {
    if (refuse(this, m_model.validate()))
        return;
    QDialog::accept();
}

// ---- the chart --------------------------------------------------------------------------------

void applyStoredPlace(const catalog::PlaceList& places, chart::SkyChart& chart) {
    const catalog::ObservingPlace place(places, chart.settings.place);
    chart.site.latitude = place.Latitude();
    chart.site.longitude = place.Longitude();
    chart.site.timeZone = place.TimeZoneHours();
}

bool runObservingPlace(QWidget* parent, SkyvaneApp& app, chart::SkyChart& chart) {
    catalog::PlaceList& places = app.catalogues().places;
    catalog::ObservingPlaceDialog model(places, app.dataFolder(),
                                        catalog::ObservingPlace(places, chart.settings.place),
                                        chart.frames().conditions);
    ObservingPlaceDialog dialog(parent, model, places, chart.clock.DaylightSaving != 0);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    const chart::ObservingPlaceSettings before = chart.settings.place;
    const astro::Site site = chart.site;
    const astro::AtmosphericConditions conditions = chart.frames().conditions;
    const std::int32_t daylightSaving = chart.clock.DaylightSaving;

    chart.settings.place = model.accept();
    applyStoredPlace(places, chart);
    astro::AtmosphericConditions& air = chart.frames().conditions;
    air = model.conditions();
    chart.site.height = air.height;
    chart.site.temperature = air.temperature;
    chart.site.pressure = air.pressure;
    chart.clock.DaylightSaving = dialog.daylightSaving() ? 1 : 0;
    chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();

    const chart::ObservingPlaceSettings& after = chart.settings.place;
    return before.fixedPlace != after.fixedPlace || before.latitude != after.latitude ||
           before.longitude != after.longitude || before.timeZone != after.timeZone ||
           site.latitude != chart.site.latitude || site.longitude != chart.site.longitude ||
           site.timeZone != chart.site.timeZone || conditions.height != air.height ||
           conditions.temperature != air.temperature || conditions.pressure != air.pressure ||
           daylightSaving != chart.clock.DaylightSaving;
}

} // namespace app
