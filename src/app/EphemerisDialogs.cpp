#include "app/EphemerisDialogs.h"

#include "app/Dialogs.h"
#include "app/SkyvaneApp.h"
#include "astro/SolarSystemBody.h"
#include "catalog/Catalogues.h"
#include "chart/ChartClock.h"
#include "chart/ChartViewState.h"
#include "ui/PainterSurface.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

namespace app {

namespace {

using Model = catalog::EphemerisSettingsModel;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// Rows of check boxes in each column of the "Columns" group.
constexpr int kColumnBoxRows = 6;

// The pages a printer was asked for: the dialog's range, or every page (0 for the last).
std::pair<int, int> pagesOf(const QPrinter& printer) {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        return {printer.fromPage(), printer.toPage()};
    return {1, 0};
}

} // namespace

// ---- SpinEdit

SpinEdit::SpinEdit(QWidget* parent, Model::Range range, const std::string& text)
    : QAbstractSpinBox(parent), m_range(range) {
    setText(q(text));
    setAccelerated(true);
}

void SpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps) {
    bool ok = false;
    const long long typed = text().trimmed().toLongLong(&ok);
    const long long start = ok ? typed : m_range.low;
    const long long next = std::clamp(start + steps, static_cast<long long>(m_range.low),
                                      static_cast<long long>(m_range.high));
    setText(QString::number(next));
    selectAll();
}

QValidator::State SpinEdit::validate(QString&, int&) const {
    // Anything may be typed; the model answers on OK.
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    bool ok = false;
    const long long value = text().trimmed().toLongLong(&ok);
    if (!ok)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value < m_range.high)
        enabled |= StepUpEnabled;
    if (value > m_range.low)
        enabled |= StepDownEnabled;
    return enabled;
}

// ---- the settings dialog

EphemerisSettingsDialog::EphemerisSettingsDialog(QWidget* parent, Model& model)
    : QDialog(parent), m_model(model), m_date(new QDateEdit(this)),
      m_hour(new SpinEdit(this, Model::rangeOf(Model::Field::Hour), model.hour)),
      m_minute(new SpinEdit(this, Model::rangeOf(Model::Field::Minute), model.minute)),
      m_second(new SpinEdit(this, Model::rangeOf(Model::Field::Second), model.second)),
      m_interval(new SpinEdit(this, Model::rangeOf(Model::Field::Interval), model.interval)),
      m_count(new SpinEdit(this, Model::rangeOf(Model::Field::Count), model.count)) {
    setWindowTitle(q(model.title()));
    adorn(this);
    auto* layout = new QVBoxLayout(this);

    auto* columns = new QGroupBox("Columns", this);
    auto* grid = new QGridLayout(columns);
    const auto& labels = catalog::EphemerisCheckLabels();
    for (std::size_t c = 0; c < catalog::kEphemerisColumnCount; ++c) {
        m_columns[c] = new QCheckBox(labels[c], columns);
        m_columns[c]->setChecked(model.shown[c]);
        m_columns[c]->setEnabled(model.columnEnabled(c));
        const int i = static_cast<int>(c);
        grid->addWidget(m_columns[c], i % kColumnBoxRows, i / kColumnBoxRows);
    }
    layout->addWidget(columns);

    auto* start = new QGroupBox("Start local date/time", this);
    auto* startRow = new QHBoxLayout(start);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("MM/dd/yyyy");
    m_date->setDate(QDate(model.date.year(), model.date.month(), model.date.day()));
    startRow->addWidget(m_date);
    const std::pair<SpinEdit*, const char*> clock[] = {
        {m_hour, "h"}, {m_minute, "m"}, {m_second, "s"}};
    for (const auto& [field, unit] : clock) {
        field->setMinimumWidth(48);
        startRow->addWidget(field);
        startRow->addWidget(new QLabel(unit, start));
    }
    startRow->addStretch(1);
    layout->addWidget(start);

    auto* interval = new QGroupBox("Interval", this);
    auto* intervalRow = new QHBoxLayout(interval);
    m_interval->setMinimumWidth(64);
    intervalRow->addWidget(m_interval);
    const char* units[3] = {"Days", "Hours", "Seconds"};
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        m_units[i] = new QRadioButton(units[i], interval);
        intervalRow->addWidget(m_units[i]);
    }
    m_units[static_cast<std::size_t>(model.unit)]->setChecked(true);
    intervalRow->addStretch(1);
    layout->addWidget(interval);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel("Number of entries:", this));
    m_count->setMinimumWidth(64);
    countRow->addWidget(m_count);
    countRow->addStretch(1);
    layout->addLayout(countRow);

    layout->addWidget(okCancel(this));
}

QWidget* EphemerisSettingsDialog::fieldOf(Model::Field field) const {
    switch (field) {
    case Model::Field::Hour:
        return m_hour;
    case Model::Field::Minute:
        return m_minute;
    case Model::Field::Second:
        return m_second;
    case Model::Field::Interval:
        return m_interval;
    case Model::Field::Count:
        return m_count;
    case Model::Field::None:
    default:
        return m_date;
    }
}

void EphemerisSettingsDialog::accept() {
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        m_model.shown[c] = m_columns[c]->isChecked();
    const QDate d = m_date->date();
    m_model.date = astro::DateTime(d.year(), d.month(), d.day(), 0, 0, 0);
    m_model.hour = m_hour->text().toStdString();
    m_model.minute = m_minute->text().toStdString();
    m_model.second = m_second->text().toStdString();
    m_model.interval = m_interval->text().toStdString();
    for (std::size_t i = 0; i < m_units.size(); ++i)
        if (m_units[i]->isChecked())
            m_model.unit = static_cast<Model::Unit>(i);
    m_model.count = m_count->text().toStdString();
    if (const std::optional<Model::Refusal> refusal = m_model.validate()) {
        QWidget* field = fieldOf(refusal->field);
        refuse(this, refusal->message, field);
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
            spin->selectAll();
        return;
    }
    QDialog::accept();
}

// ---- printing

bool printEphemerisPages(QPagedPaintDevice& device, const catalog::EphemerisTable& table,
                         const std::string& placeLine, int firstPage, int lastPage) {
    const int pages = catalog::EphemerisPageCount(table.rowCount);
    const int first = std::clamp(firstPage, 1, pages);
    const int last = lastPage <= 0 ? pages : std::clamp(lastPage, first, pages);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            painter.end();
            return false;
        }
        // The painter's origin is the top left of the printable rectangle, and the device's
        // extent is that rectangle in device pixels.
        ui::PainterSurface surface(painter, device.width(), device.height());
        catalog::PrintEphemerisPage(surface, table, placeLine, page);
    }
    return painter.end();
}

// ---- the result dialog

EphemerisResultDialog::EphemerisResultDialog(QWidget* parent, catalog::EphemerisTable table,
                                             std::string placeLine)
    : QDialog(parent), m_table(std::move(table)), m_placeLine(std::move(placeLine)),
      m_list(new QTableWidget(this)), m_save(new QPushButton("&Save...", this)),
      m_print(new QPushButton("&Print...", this)),
      m_preview(new QPushButton("Print Pre&view...", this)) {
    setWindowTitle(q(m_table.title));
    adorn(this);

    // A list in report mode: whole rows, no grid, no row numbers, nothing to edit.
    QFont font("Times New Roman");
    font.setPixelSize(13);
    font.setWeight(QFont::Normal);
    m_list->setFont(font);
    m_list->horizontalHeader()->setFont(font);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setHighlightSections(false);

    const std::vector<const catalog::EphemerisColumn*> shown = m_table.shownColumns();
    const int rows = static_cast<int>(m_table.rowCount);
    m_list->setColumnCount(static_cast<int>(shown.size()));
    m_list->setRowCount(rows);
    int totalWidth = 0;
    for (int c = 0; c < static_cast<int>(shown.size()); ++c) {
        const catalog::EphemerisColumn& column = *shown[static_cast<std::size_t>(c)];
        m_list->setHorizontalHeaderItem(c, new QTableWidgetItem(q(column.header)));
        const int width = std::max(7 * column.width, 45);
        m_list->setColumnWidth(c, width);
        totalWidth += width;
        for (int r = 0; r < rows && r < static_cast<int>(column.cells.size()); ++r)
            m_list->setItem(r, c,
                            new QTableWidgetItem(q(column.cells[static_cast<std::size_t>(r)])));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_save, m_print, m_preview}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_preview, &QPushButton::clicked, this, [this] { preview(); });

    // Wide enough for the columns up to a usual screen, a screenful of rows high.
    const int frame = 2 * m_list->frameWidth() + 40;
    resize(std::clamp(totalWidth + frame, 360, 1100), 520);
}

void EphemerisResultDialog::save() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter("Text Files (*.txt);;All Files (*.*)");
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveTo(dialog.selectedFiles().front());
}

bool EphemerisResultDialog::saveTo(const QString& path) {
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const std::string error =
        catalog::WriteEphemerisFile(file, catalog::EphemerisText(m_table, m_placeLine));
    if (!error.empty()) {
        showMessage(this, q(error));
        return false;
    }
    return true;
}

// The page layout counts in dots of about 600 per inch (its gaps of 30 dots are a little over a
// millimetre): the printer works at that resolution whatever its own, as the PDF pages of the
// command line do.
constexpr int kPrintResolution = 600;

void EphemerisResultDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintResolution);
    printer.setDocName(q(m_table.title));
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, catalog::EphemerisPageCount(m_table.rowCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto [first, last] = pagesOf(printer);
    if (!printEphemerisPages(printer, m_table, m_placeLine, first, last))
        showMessage(this, "Cannot print the table.");
}

void EphemerisResultDialog::preview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintResolution);
    printer.setDocName(q(m_table.title));
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        const auto [first, last] = pagesOf(*target);
        printEphemerisPages(*target, m_table, m_placeLine, first, last);
    });
    dialog.exec();
}

// ---- the command

void OpenEphemeris(QWidget* parent, SkyvaneApp& app, const chart::ChartViewState& state,
                   const astro::SolarSystemBody& body) {
    const chart::SkyChart& chart = state.chart;
    Model model(body, chart::ChartClock::fromSystemClock().Local, chart.clock.Local.hour());
    if (EphemerisSettingsDialog(parent, model).exec() != QDialog::Accepted)
        return;
    catalog::Catalogues& catalogues = app.catalogues();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    catalog::EphemerisTable table =
        catalog::ComputeEphemeris(body, chart, &catalogues.constellations, model.request());
    QGuiApplication::restoreOverrideCursor();
    EphemerisResultDialog(parent, std::move(table),
                          catalog::EphemerisPlaceLine(chart, &catalogues.places))
        .exec();
}

} // namespace app
