#pragma once

#include "catalog/Places.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace chart {
class SkyChart;
}

namespace app {

class SkyvaneApp;

// The small flag drawn before a place of the country with that flag bitmap id; a grey blank
// for -1 or an unknown id.
QImage countryFlag(int flagBitmap);

// "Additional Conditions": height, pressure and temperature as texts; the model checks them
// on OK and a refused value keeps the dialog open.
class AdditionalConditionsDialog : public QDialog {
    Q_OBJECT
public:
    AdditionalConditionsDialog(QWidget* parent, catalog::AdditionalConditionsDialog& model);
    void accept() override;

    QLineEdit* heightField() const { return m_height; }
    QLineEdit* pressureField() const { return m_pressure; }
    QLineEdit* temperatureField() const { return m_temperature; }

private:
    catalog::AdditionalConditionsDialog& m_model;
    QLineEdit* m_height;
    QLineEdit* m_pressure;
    QLineEdit* m_temperature;
};

// "New fixed place": town, country, both coordinates in degrees, minutes and seconds with
// their hemispheres, and the time zone.
class NewFixedPlaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewFixedPlaceDialog(
        QWidget* parent, const catalog::CountryList& countries = catalog::CountryList::BuiltIn(),
        const catalog::TimeZoneList& zones = catalog::TimeZoneList::BuiltIn());
    catalog::NewPlaceFields fields() const;

    QLineEdit* townField() const { return m_town; }
    QComboBox* countryField() const { return m_country; }
    QSpinBox* latitudeField(int i) const { return m_latitude[i]; }
    QSpinBox* longitudeField(int i) const { return m_longitude[i]; }
    QComboBox* northSouth() const { return m_northSouth; }
    QComboBox* eastWest() const { return m_eastWest; }
    QComboBox* timeZoneField() const { return m_zone; }

private:
    QLineEdit* m_town;
    QComboBox* m_country;
    QSpinBox* m_latitude[3];
    QComboBox* m_northSouth;
    QSpinBox* m_longitude[3];
    QComboBox* m_eastWest;
    QComboBox* m_zone;
};

// The world globe of the "Observing Place" dialog: an orthographic view of the Earth turned
// so that a chosen position faces the viewer, with an optional grid, every fixed place, and
// the current position as a small cross.
class PlaceGlobe : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 500;

    PlaceGlobe(QWidget* parent, const catalog::PlaceList& places);

    bool grid = false;
    bool arrowStatus = true;
    bool allTowns = false;
    bool smoothRotation = true;

    // Turns the globe so that the position faces the viewer, step by step with smooth
    // rotation, else at once.
    void turnTo(double latitude, double longitude);
    // The position marked by the cross.
    void setMarker(double latitude, double longitude);
    double centreLatitude() const { return m_latitude; }
    double centreLongitude() const { return m_longitude; }
    bool turning() const { return m_animation.isActive(); }

    // Window pixel to latitude and longitude; false outside the globe's circle.
    bool positionAt(QPointF pixel, double& latitude, double& longitude) const;
    // Latitude and longitude to a window pixel; false on the far side.
    bool pixelOf(double latitude, double longitude, QPointF& pixel) const;

Q_SIGNALS:
    void grabbed();
    void centred();
    void rightClicked(double latitude, double longitude);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    double radius() const;
    QPointF centre() const;
    void step();
    void showAt(double latitude, double longitude);

    const catalog::PlaceList& m_places;
    double m_latitude = 0.0;
    double m_longitude = 0.0;
    double m_markerLatitude = 0.0;
    double m_markerLongitude = 0.0;
    bool m_grabbing = false;
    double m_grabLongitude = 0.0;
    QString m_status;
    QTimer m_animation;
    int m_stepsLeft = 0;
    double m_fromLatitude = 0.0, m_fromLongitude = 0.0;
    double m_toLatitude = 0.0, m_toLongitude = 0.0;
};

// "Observing Place": the fixed places with their flags, the coordinate and time-zone fields,
// the daylight-saving flag, the buttons that add and remove fixed places and open the
// atmosphere conditions, and the globe. The model holds the rules; this window shows them.
class ObservingPlaceDialog : public QDialog {
    Q_OBJECT
public:
    ObservingPlaceDialog(QWidget* parent, catalog::ObservingPlaceDialog& model,
                         const catalog::PlaceList& places, bool daylightSaving,
                         const catalog::TimeZoneList& zones = catalog::TimeZoneList::BuiltIn());
    void accept() override;

    bool daylightSaving() const;

    QComboBox* placeChoice() const { return m_placeChoice; }
    QCheckBox* fixedBox() const { return m_fixed; }
    QSpinBox* latitudeField(int i) const { return m_latitude[i]; }
    QSpinBox* longitudeField(int i) const { return m_longitude[i]; }
    QComboBox* northSouth() const { return m_northSouth; }
    QComboBox* eastWest() const { return m_eastWest; }
    QComboBox* timeZoneChoice() const { return m_zone; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* adjustButton() const { return m_adjust; }
    PlaceGlobe* globe() const { return m_globe; }

private:
    void fillPlaceChoice();
    void showModel();
    catalog::PlaceFields readFields() const;
    void fieldsEdited();
    void turnGlobeToPlace();
    void additionalConditions();
    void newPlace();
    void removeCurrent();

    catalog::ObservingPlaceDialog& m_model;
    const catalog::PlaceList& m_places;
    QComboBox* m_placeChoice;
    QCheckBox* m_fixed;
    QSpinBox* m_latitude[3];
    QComboBox* m_northSouth;
    QSpinBox* m_longitude[3];
    QComboBox* m_eastWest;
    QComboBox* m_zone;
    QCheckBox* m_daylightSaving;
    QCheckBox* m_selectNearest;
    QPushButton* m_remove;
    QPushButton* m_adjust;
    PlaceGlobe* m_globe;
    bool m_showing = false;
};

// Sets the chart's latitude, longitude and time zone from its stored place through the place
// list (a fixed place takes the list entry's values).
void applyStoredPlace(const catalog::PlaceList& places, chart::SkyChart& chart);

// The "Observing Place" command of a chart window: opens the dialog on the chart's place,
// atmosphere and daylight-saving flag. On OK the chart takes the place, its position and
// zone, the atmosphere and the flag, derives universal time and recomputes. Returns whether
// anything changed.
bool runObservingPlace(QWidget* parent, SkyvaneApp& app, chart::SkyChart& chart);

} // namespace app
