#pragma once

#include "astro/MinorBody.h"
#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chart {
class SkyChart;
}

namespace catalog {

// The list of the "Asteroids" and "Comets" managers: one row per body of the loaded
// catalogue, in catalogue order, each with a check box that stands for the body's plot flag.
// The check boxes are copied into the bodies only on Exit; "Select all", "Deselect all" and
// the filters change both at once.
class MinorBodyListModel {
public:
    enum class Kind { Asteroids, Comets };

    static constexpr const char* kAsteroidsTitle = "Asteroids";
    static constexpr const char* kCometsTitle = "Comets";
    static constexpr const char* kSelectAsteroid = "Please, select asteroid";
    static constexpr const char* kSelectComet = "Please, select comet";
    static constexpr const char* kCantFind = "Can't find ";

    struct Row {
        std::string name;
        std::string number; // "%d"; empty for an unnumbered asteroid and for every comet
    };

    explicit MinorBodyListModel(Kind kind) : m_kind(kind) {}

    Kind kind() const { return m_kind; }

    // Refills the rows from the bodies (clearing them first); each check box starts as the
    // body's plot flag. The bodies must outlive the model or the next fill.
    template <class Body> void fill(std::span<Body> bodies) {
        std::vector<astro::MinorBody*> pointers;
        pointers.reserve(bodies.size());
        for (Body& body : bodies)
            pointers.push_back(&body);
        fillFrom(std::move(pointers));
    }
    void fillFrom(std::vector<astro::MinorBody*> bodies);

    std::size_t size() const { return m_rows.size(); }
    const Row& row(std::size_t i) const { return m_rows[i]; }
    astro::MinorBody& body(std::size_t i) const { return *m_bodies[i]; }
    bool checked(std::size_t i) const { return m_checked[i]; }
    void setChecked(std::size_t i, bool on) { m_checked[i] = on; }
    std::size_t checkedCount() const;

    // "Total: %d".
    std::string totalText() const;

    // "&Find": the first row whose name equals the text regardless of letter case (ASCII
    // letters), or the message "Can't find " followed by the text.
    struct FindResult {
        std::optional<std::size_t> row;
        std::string message;
    };
    FindResult find(std::string_view text) const;

    // "&Select all" / "&Deselect all": every check box and every plot flag.
    void selectAll() { setAll(true); }
    void deselectAll() { setAll(false); }

    // "&Info..." without a selected row: "Please, select asteroid" or "Please, select comet".
    const char* selectMessage() const {
        return m_kind == Kind::Asteroids ? kSelectAsteroid : kSelectComet;
    }

    // "E&xit": copies every check box into its body's plot flag and gives back how many
    // bodies are now plotted.
    std::size_t exit();

private:
    void setAll(bool on);

    Kind m_kind;
    std::vector<astro::MinorBody*> m_bodies;
    std::vector<Row> m_rows;
    std::vector<bool> m_checked;
};

// What the "Catalog" box shows for a catalogue name: the file's name without its folder;
// empty when no catalogue is loaded.
std::string CatalogBoxText(const std::string& catalogName);

// "Asteroid filters": three independent filters, each switched on by its own check box. A
// body that passes every filter switched on gets its plot flag and its check box set; a body
// that fails is left as it was.
class AsteroidFiltersModel {
public:
    static constexpr const char* kTitle = "Asteroid filters";
    static constexpr const char* kNote = "Note: These filters will not change checked status of "
                                         "the previous selected for plotting asteroids!";
    static constexpr const char* kNumberFilter = "Ast. number filter";
    static constexpr const char* kFromLabel = "From N:";
    static constexpr const char* kToLabel = "to N:";
    static constexpr const char* kMagnitudeFilter = "Magnitude filter";
    static constexpr const char* kMagnitudeLabel = "Brighter than magnitude";
    static constexpr const char* kAreaFilter = "Area filter";
    static constexpr const char* kTargetLabel = "Target:";
    static constexpr const char* kRaLabel = "RA:";
    static constexpr const char* kDecLabel = "Dec:";
    static constexpr const char* kAzLabel = "Az:";
    static constexpr const char* kAltLabel = "Alt:";
    static constexpr const char* kRadiusLabel = "Radius:";

    static constexpr const char* kPositiveNumber = "Please, enter a positive number";
    static constexpr const char* kCorrectValue = "Please, enter a correct value";
    static constexpr const char* kRadiusRange = "Please, enter radius between 0.5 and 60";
    static constexpr double kMinRadius = 0.5;
    static constexpr double kMaxRadius = 60.0;

    // The target fields start at the chart's centre, in both forms; every filter is off and
    // the equatorial form is chosen.
    explicit AsteroidFiltersModel(const chart::SkyChart& chart);

    bool numberFilter = false;
    std::string fromText = "1";
    std::string toText;

    bool magnitudeFilter = false;
    std::string magnitudeText = "14.0";

    bool areaFilter = false;
    bool horizontalForm = false; // false: RA and Dec; true: Az and Alt
    std::string raHoursText;
    std::string raMinutesText;
    std::string decText;
    std::string azDegreesText;
    std::string azMinutesText;
    std::string altText;
    std::string radiusText = "10";

    // The fields a dialog enables.
    bool numberFieldsEnabled() const { return numberFilter; }
    bool magnitudeFieldEnabled() const { return magnitudeFilter; }
    bool equatorialFieldsEnabled() const { return areaFilter && !horizontalForm; }
    bool horizontalFieldsEnabled() const { return areaFilter && horizontalForm; }
    bool radiusFieldEnabled() const { return areaFilter; }

    // Which field a refusal concerns, so that a dialog can give it the focus.
    enum class Field { None, From, To, Magnitude, RaHours, Dec, AzDegrees, Alt, Radius };
    struct Refusal {
        std::string message;
        Field field = Field::None;
    };
    // OK: the values of the filters switched on, checked in order (number range, magnitude,
    // target, radius); the first refusal comes back and the dialog stays open. On success the
    // values are kept for apply().
    std::optional<Refusal> validate();

    // The target of the area filter as an equatorial direction (valid after validate()).
    const astro::SkyPoint& target() const { return m_target; }

    // Runs the filters over every row: each body is first computed for the instant and
    // place of p. A passing body gets its plot flag set and its row checked. The progress
    // callback hears of every body (done, total). Gives back how many bodies passed.
    using Progress = std::function<void(std::size_t done, std::size_t total)>;
    std::size_t apply(MinorBodyListModel& list, const astro::ObservationParams& p,
                      const Progress& progress = {}) const;

    // Whether a computed body passes the filters switched on (valid after validate()).
    bool passes(const astro::MinorBody& body) const;

private:
    const chart::SkyChart& m_chart;
    long m_from = 1;
    long m_to = 0;
    double m_magnitude = 14.0;
    double m_radius = 10.0;
    astro::SkyPoint m_target;
};

} // namespace catalog
