#include "app/StatusPanes.h"

#include "app/ChartView.h"
#include "app/Dialogs.h"
#include "app/PlaceDialogs.h"
#include "app/SkyvaneApp.h"
#include "catalog/ObjectProperties.h"
#include "catalog/Places.h"
#include "chart/ChartPrinting.h"
#include "chart/ZoomTables.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The colours of a pane in one display mode: background and border, the title, the fixed
// labels ("RA:", "Field:") and the values that change.
struct PaneColours {
    QColor background;
    QColor border;
    QColor title;
    QColor label;
    QColor value;
};

const PaneColours& coloursFor(int viewMode) {
    static const PaneColours kModes[4] = {
        // Standard: night blue, pale labels, warm values.
        {{24, 24, 36}, {100, 100, 120}, {190, 190, 215}, {150, 150, 175}, {240, 230, 150}},
        // True: near black, dim olive.
        {{12, 12, 10}, {70, 70, 50}, {130, 130, 100}, {110, 110, 90}, {190, 190, 150}},
        // Red: everything in reds, for dark-adapted eyes.
        {{16, 0, 0}, {100, 0, 0}, {170, 0, 0}, {130, 0, 0}, {225, 40, 40}},
        // Black&White: paper.
        {{236, 236, 236}, {180, 180, 180}, {0, 0, 0}, {90, 90, 90}, {0, 0, 140}},
    };
    return kModes[std::clamp(viewMode, 1, 4) - 1];
}

// Labels are the words that end with a colon ("RA:", "Time step:"); the rest are values.
void drawLine(QPainter& p, int x, int baseline, const QString& line, const PaneColours& c) {
    static const QRegularExpression label(QStringLiteral("[A-Za-z][A-Za-z .()]*:"));
    const QFontMetrics fm(p.font());
    int at = 0;
    auto write = [&](const QString& text, const QColor& colour) {
        p.setPen(colour);
        p.drawText(x, baseline, text);
        x += fm.horizontalAdvance(text);
    };
    for (auto it = label.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() > at)
            write(line.mid(at, m.capturedStart() - at), c.value);
        write(m.captured(), c.label);
        at = static_cast<int>(m.capturedEnd());
    }
    if (at < line.size())
        write(line.mid(at), c.value);
}

constexpr int kFlagWidth = 21;
constexpr int kFlagHeight = 14;

} // namespace

// ---- a pane ----------------------------------------------------------------------------------

StatusPaneWindow::StatusPaneWindow(StatusPaneSet& set, chart::PaneId id, QWidget* frame)
    : QWidget(frame, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_set(set), m_id(id) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QString::fromLatin1(chart::paneInfo(id).section));
}

void StatusPaneWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const PaneColours& c = coloursFor(m_set.app().viewMode());
    p.fillRect(rect(), c.background);
    p.setPen(c.border);
    p.drawRect(0, 0, width() - 1, height() - 1);
    if (m_id == chart::PaneId::Compass) {
        paintCompass(p);
        return;
    }
    const chart::PaneInfo& info = chart::paneInfo(m_id);
    int y = 3;
    if (*info.title) {
        p.setFont(StatusPaneSet::titleFont());
        const QFontMetrics fm(p.font());
        p.setPen(c.title);
        p.drawText(3, y + fm.ascent(), QString::fromLatin1(info.title));
        y += fm.height() - 1;
        if (m_id == chart::PaneId::Location && m_set.model().countryFlag == 1 &&
            m_set.flagBitmap() >= 0) {
            const QImage flag = countryFlag(m_set.flagBitmap());
            if (!flag.isNull())
                p.drawImage(QRect(width() - 3 - kFlagWidth, 3, kFlagWidth, kFlagHeight), flag);
        }
    }
    p.setFont(StatusPaneSet::lineFont());
    const QFontMetrics fm(p.font());
    for (const std::string& line : m_set.model().pane(m_id).lines) {
        drawLine(p, 3, y + fm.ascent(), q(line), c);
        y += fm.height() - 1;
    }
}

void StatusPaneWindow::paintCompass(QPainter& p) {
    const PaneColours& c = coloursFor(m_set.app().viewMode());
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double radius = std::min(width(), height()) / 2.0 - 14.0;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(c.border, 1));
    p.drawEllipse(centre, radius, radius);
    const std::optional<QPointF> north = m_set.north();
    if (!north)
        return;
    // Screen axes: x right, y down; east lies to the left of north, as on the chart.
    const double len = std::hypot(north->x(), north->y());
    const QPointF n = len > 0 ? QPointF(north->x() / len, -north->y() / len) : QPointF(0, -1);
    const QPointF e(n.y(), -n.x());
    p.setPen(QPen(c.value, 1));
    p.drawLine(centre - n * radius, centre + n * radius);
    p.drawLine(centre - e * radius, centre + e * radius);
    p.setFont(StatusPaneSet::lineFont());
    const QFontMetrics fm(p.font());
    const struct {
        QPointF direction;
        const char* letter;
    } arms[] = {{n, "N"}, {-n, "S"}, {e, "E"}, {-e, "W"}};
    for (const auto& arm : arms) {
        const QPointF at = centre + arm.direction * (radius + 7.0);
        const QString letter = QString::fromLatin1(arm.letter);
        p.setPen(arm.letter[0] == 'N' ? c.title : c.label);
        p.drawText(QPointF(at.x() - fm.horizontalAdvance(letter) / 2.0,
                           at.y() + (fm.ascent() - fm.descent()) / 2.0),
                   letter);
    }
}

void StatusPaneWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_anchor = event->globalPosition().toPoint();
        m_set.frame()->activateWindow();
    }
}

void StatusPaneWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!m_anchor || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint now = event->globalPosition().toPoint();
    const chart::PaneRect& r = m_set.model().pane(m_id).rect;
    if (m_set.model().MoveTo(m_id, r.left + now.x() - m_anchor->x(),
                             r.top + now.y() - m_anchor->y())) {
        move(m_set.model().pane(m_id).rect.left, m_set.model().pane(m_id).rect.top);
        m_anchor = now;
    }
}

void StatusPaneWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_anchor.reset();
}

void StatusPaneWindow::mouseDoubleClickEvent(QMouseEvent*) {
    m_set.frame()->activateWindow();
}

void StatusPaneWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* hide = menu.addAction("&Hide");
    menu.addSeparator();
    QAction* arrange = menu.addAction("&Arrange");
    QAction* properties = menu.addAction("&Properties...");
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == hide)
        m_set.Hide(m_id);
    else if (chosen == arrange)
        Q_EMIT m_set.arrangeRequested();
    else if (chosen == properties)
        Q_EMIT m_set.propertiesRequested();
}

// ---- the set ---------------------------------------------------------------------------------

StatusPaneSet::StatusPaneSet(SkyvaneApp& app, QWidget* frame)
    : QObject(frame), m_app(app), m_frame(frame) {
    for (int i = 0; i < chart::kPaneCount; ++i)
        m_windows[static_cast<std::size_t>(i)] =
            new StatusPaneWindow(*this, static_cast<chart::PaneId>(i), frame);
}

StatusPaneSet::~StatusPaneSet() = default;

QFont StatusPaneSet::titleFont() {
    QFont f("Arial");
    f.setPixelSize(13);
    f.setWeight(QFont::Normal);
    f.setUnderline(true);
    return f;
}

QFont StatusPaneSet::lineFont() {
    QFont f("Arial");
    f.setPixelSize(13);
    f.setWeight(QFont::Normal);
    return f;
}

bool StatusPaneSet::CreateAll() {
    const bool arrange = m_model.Load(m_app.store());
    ShowChart(nullptr);
    SetPointer(std::nullopt);
    FitAll();
    return arrange;
}

void StatusPaneSet::ShowAll() {
    for (int i = 0; i < chart::kPaneCount; ++i)
        place(static_cast<chart::PaneId>(i));
}

void StatusPaneSet::place(chart::PaneId id) {
    StatusPaneWindow* w = window(id);
    const chart::PaneState& p = m_model.pane(id);
    w->setGeometry(p.rect.left, p.rect.top, p.rect.width, p.rect.height);
    w->setVisible(p.visible && m_frame->isVisible());
    w->update();
}

void StatusPaneSet::RepaintAll() {
    for (StatusPaneWindow* w : m_windows)
        w->update();
}

void StatusPaneSet::Fit(chart::PaneId id) {
    const QFontMetrics title(titleFont());
    const QFontMetrics line(lineFont());
    m_model.FitToContent(id, [&](std::string_view text, bool isTitle) {
        const QFontMetrics& fm = isTitle ? title : line;
        // A sign in the templates is measured as the wider of the two, so that a positive
        // altitude or latitude fits as well as a negative one.
        QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        s.replace(QLatin1Char('-'), QLatin1Char('+'));
        int width = fm.horizontalAdvance(s);
        // The flag stands beside the location pane's title.
        if (isTitle && id == chart::PaneId::Location && m_model.countryFlag == 1 && m_flag >= 0)
            width += kFlagWidth + 6;
        return std::pair{width, fm.height()};
    });
    place(id);
}

void StatusPaneSet::FitAll() {
    for (int i = 0; i < chart::kPaneCount; ++i)
        Fit(static_cast<chart::PaneId>(i));
}

void StatusPaneSet::ArrangeAll() {
    const QScreen* screen = m_frame->screen() ? m_frame->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    m_model.ArrangeAll(work.width(), work.height());
    for (int i = 0; i < chart::kPaneCount; ++i) {
        chart::PaneRect& r = m_model.pane(static_cast<chart::PaneId>(i)).rect;
        r.left += work.left();
        r.top += work.top();
    }
    ShowAll();
    SaveAll();
}

void StatusPaneSet::SaveAll() {
    m_model.SaveAll(m_app.store());
}

void StatusPaneSet::Hide(chart::PaneId id) {
    m_model.pane(id).visible = false;
    window(id)->hide();
}

void StatusPaneSet::Properties() {
    chart::StatusDialogModel model(m_model);
    if (StatusPropertiesDialog(m_frame, model).exec() != QDialog::Accepted)
        return;
    model.Apply(m_model);
    SetPointer(m_pointer);
    for (const chart::PaneId id : {chart::PaneId::Location, chart::PaneId::Equatorial,
                                   chart::PaneId::Azimuthal, chart::PaneId::Ecliptic})
        Fit(id);
    ShowAll();
    SaveAll();
}

void StatusPaneSet::ShowChart(const CSkyvaneView* view) {
    using chart::PaneId;
    using chart::StatusPanes;
    if (!view) {
        m_north.reset();
        m_model.pane(PaneId::Zoom).lines = StatusPanes::ZoomLines(std::nullopt, std::nullopt);
        if (m_model.pane(PaneId::Time).lines.empty())
            m_model.pane(PaneId::Time).lines = {"", "Time step:  "};
        if (m_model.pane(PaneId::Location).lines.empty())
            m_model.pane(PaneId::Location).lines = {""};
        RepaintAll();
        return;
    }
    const chart::SkyChart& c = view->state().chart;
    const chart::PrintPlaceTexts place =
        catalog::PrintPlaceTextsOf(c, &m_app.catalogues().places);
    m_flag = catalog::ObservingPlace(m_app.catalogues().places, c.settings.place).FlagBitmap();
    m_model.pane(PaneId::Location).lines = StatusPanes::LocationLines(
        place.name, place.latitude, place.longitude, c.clock.DaylightSaving == 1);
    const astro::DateTime::Fields t = c.clock.Local.fields();
    m_model.pane(PaneId::Time).lines =
        StatusPanes::TimeLines(t.month, t.day, t.year, t.hour, t.minute, t.second, c.clock.Pace);
    m_model.pane(PaneId::Zoom).lines =
        StatusPanes::ZoomLines(chart::fieldOfViewDegrees(c.zoom()), c.magnitudeLimit());
    m_north = QPointF(view->north().x, view->north().y);
    RepaintAll();
}

void StatusPaneSet::SetPointer(const std::optional<chart::HoverReadout>& readout) {
    m_pointer = readout;
    for (const chart::PaneId id :
         {chart::PaneId::Equatorial, chart::PaneId::Azimuthal, chart::PaneId::Ecliptic}) {
        m_model.pane(id).lines = m_model.CoordinateLines(id, readout);
        window(id)->update();
    }
}

// ---- the "Status" dialog -----------------------------------------------------------------

StatusPropertiesDialog::StatusPropertiesDialog(QWidget* parent, chart::StatusDialogModel& model)
    : QDialog(parent), m_model(model),
      m_flag(new QCheckBox(chart::StatusDialogModel::kFlagBox, this)),
      m_constellation(new QCheckBox(chart::StatusDialogModel::kConstellationBox, this)) {
    using Model = chart::StatusDialogModel;
    setWindowTitle(Model::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < chart::kPaneCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_panes[k] = new QCheckBox(Model::kPaneBoxes[k], this);
        m_panes[k]->setChecked(model.visible[k]);
        layout->addWidget(m_panes[k]);
        // The national flag belongs to the location pane.
        if (i == 0) {
            m_flag->setChecked(model.nationalFlag);
            auto* indented = new QHBoxLayout;
            indented->addSpacing(20);
            indented->addWidget(m_flag);
            layout->addLayout(indented);
        }
    }
    layout->addWidget(m_constellation);
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_radios.size(); ++i) {
        m_radios[i] = new QRadioButton(Model::kRadios[i], group);
        groupLayout->addWidget(m_radios[i]);
    }
    m_radios[static_cast<std::size_t>(std::clamp(model.constellationPane, 0, 2))]->setChecked(true);
    layout->addWidget(group);
    layout->addWidget(okCancel(this));
    m_constellation->setChecked(model.constellation);
    auto enable = [this](bool on) {
        for (QRadioButton* r : m_radios)
            r->setEnabled(on);
    };
    enable(model.radiosEnabled());
    connect(m_constellation, &QCheckBox::toggled, this, enable);
}

void StatusPropertiesDialog::accept() {
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        m_model.visible[i] = m_panes[i]->isChecked();
    m_model.nationalFlag = m_flag->isChecked();
    m_model.constellation = m_constellation->isChecked();
    for (std::size_t i = 0; i < m_radios.size(); ++i)
        if (m_radios[i]->isChecked())
            m_model.constellationPane = static_cast<int>(i);
    QDialog::accept();
}

// ---- the docked bars ---------------------------------------------------------------------

DockedStatusBar::DockedStatusBar(Kind kind, QWidget* parent) : QFrame(parent), m_kind(kind) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setObjectName(kind == Standard ? "StandardStatusBar" : "MinimalStatusBar");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 1, 4, 1);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    const std::vector<int> fields =
        kind == Standard ? std::vector<int>{5, 3} : std::vector<int>{7};
    for (std::size_t row = 0; row < fields.size(); ++row) {
        m_rows.emplace_back();
        for (int i = 0; i < fields[row]; ++i) {
            auto* label = new QLabel(this);
            grid->addWidget(label, static_cast<int>(row), i);
            m_rows.back().push_back(label);
        }
    }
    grid->setColumnStretch(7, 1);
    Show(chart::StatusBarState{});
}

void DockedStatusBar::Show(const chart::StatusBarState& state) {
    std::vector<std::vector<std::string>> rows;
    if (m_kind == Standard) {
        const auto fields = chart::StandardBarFields(state);
        rows.assign(fields.begin(), fields.end());
    } else {
        rows.push_back(chart::MinimalBarFields(state));
    }
    for (std::size_t r = 0; r < m_rows.size() && r < rows.size(); ++r)
        for (std::size_t i = 0; i < m_rows[r].size() && i < rows[r].size(); ++i)
            m_rows[r][i]->setText(q(rows[r][i]));
}

QStringList DockedStatusBar::texts() const {
    QStringList out;
    for (const auto& row : m_rows) {
        QStringList cells;
        for (const QLabel* l : row)
            cells << l->text();
        out << cells.join(QStringLiteral(" | "));
    }
    return out;
}

chart::StatusBarState StatusBarStateOf(const CSkyvaneView* view,
                                       const std::optional<chart::HoverReadout>& pointer) {
    chart::StatusBarState s;
    SkyvaneApp* app = SkyvaneApp::current();
    if (!view || !app)
        return s;
    const chart::SkyChart& c = view->state().chart;
    const chart::PrintPlaceTexts place = catalog::PrintPlaceTextsOf(c, &app->catalogues().places);
    s.place = place.name.empty() ? place.latitude + "  " + place.longitude : place.name;
    s.dst = c.clock.DaylightSaving == 1;
    s.local = c.clock.Local;
    s.zenith = c.frames().zenith();
    s.fieldDegrees = chart::fieldOfViewDegrees(c.zoom());
    s.starLimit = c.magnitudeLimit();
    s.pointer = pointer;
    return s;
}

} // namespace app
