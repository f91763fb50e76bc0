#include "app/GridDialog.h"

#include "app/Dialogs.h"
#include "chart/ChartViewState.h"
#include "chart/GridDrawing.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

namespace {

using Model = chart::GridPropertiesDialogModel;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

GridPropertiesDialog::GridPropertiesDialog(QWidget* parent, Model& model)
    : QDialog(parent), m_model(model), m_tabs(new QTabWidget(this)),
      m_show([this](const QString& text) { showMessage(this, text); }) {
    setWindowTitle(Model::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < Model::kPageCount; ++i)
        m_tabs->addTab(buildPage(i), Model::kPageTitles[i]);
    layout->addWidget(m_tabs);
    layout->addWidget(okCancel(this));
}

QWidget* GridPropertiesDialog::buildPage(int index) {
    const Model::PageState& state = m_model.pages[static_cast<std::size_t>(index)];
    PageWidgets& w = m_pages[static_cast<std::size_t>(index)];
    auto* page = new QWidget(m_tabs);
    auto* layout = new QVBoxLayout(page);

    // Each group's radio buttons exclude only each other.
    auto* drawing = new QGroupBox(Model::kDrawingGroup, page);
    auto* drawingLayout = new QVBoxLayout(drawing);
    w.mainCircle = new QRadioButton(Model::kMainCircle[index], drawing);
    w.fullDrawing = new QRadioButton(Model::kFullDrawing, drawing);
    w.onlyVisible = new QCheckBox(Model::kOnlyVisible, drawing);
    w.inscriptions = new QCheckBox(Model::kInscriptions, drawing);
    for (QWidget* widget :
         {static_cast<QWidget*>(w.mainCircle), static_cast<QWidget*>(w.fullDrawing),
          static_cast<QWidget*>(w.onlyVisible), static_cast<QWidget*>(w.inscriptions)})
        drawingLayout->addWidget(widget);
    layout->addWidget(drawing);

    auto* mode = new QGroupBox(Model::kModeGroup, page);
    auto* modeLayout = new QVBoxLayout(mode);
    w.automatic = new QRadioButton(Model::kAutomatic, mode);
    w.manual = new QRadioButton(Model::kManual, mode);
    modeLayout->addWidget(w.automatic);
    modeLayout->addWidget(w.manual);
    layout->addWidget(mode);

    auto* fields = new QGridLayout;
    w.longitudeDensity = new QLineEdit(q(state.longitudeDensity), page);
    w.latitudeDensity = new QLineEdit(q(state.latitudeDensity), page);
    fields->addWidget(new QLabel(Model::kLongitudeLabels[index], page), 0, 0);
    fields->addWidget(w.longitudeDensity, 0, 1);
    fields->addWidget(new QLabel(QString::fromUtf8(Model::kLongitudeUnits[index]), page), 0, 2);
    fields->addWidget(new QLabel(Model::kLatitudeLabels[index], page), 1, 0);
    fields->addWidget(w.latitudeDensity, 1, 1);
    fields->addWidget(new QLabel(QString::fromUtf8(Model::kLatitudeUnit), page), 1, 2);
    layout->addLayout(fields);
    layout->addStretch(1);

    (state.fullDrawing ? w.fullDrawing : w.mainCircle)->setChecked(true);
    w.onlyVisible->setChecked(state.onlyVisible);
    w.inscriptions->setChecked(state.inscriptions);
    (state.automatic ? w.automatic : w.manual)->setChecked(true);
    return page;
}

void GridPropertiesDialog::accept() {
    for (int i = 0; i < Model::kPageCount; ++i) {
        const PageWidgets& w = m_pages[static_cast<std::size_t>(i)];
        Model::PageState& state = m_model.pages[static_cast<std::size_t>(i)];
        state.fullDrawing = w.fullDrawing->isChecked();
        state.onlyVisible = w.onlyVisible->isChecked();
        state.inscriptions = w.inscriptions->isChecked();
        state.automatic = w.automatic->isChecked();
        state.longitudeDensity = w.longitudeDensity->text().toStdString();
        state.latitudeDensity = w.latitudeDensity->text().toStdString();
    }
    if (const auto refusal = m_model.validate()) {
        m_tabs->setCurrentIndex(refusal->page);
        m_show(q(refusal->message));
        const PageWidgets& w = m_pages[static_cast<std::size_t>(refusal->page)];
        QLineEdit* field =
            refusal->field == Model::FieldLongitude ? w.longitudeDensity : w.latitudeDensity;
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}

bool runGridProperties(QWidget* parent, chart::ChartViewState& state) {
    Model model(state.chart.settings);
    GridPropertiesDialog dialog(parent, model);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    model.apply(state.chart.settings);
    chart::UpdateGridSettings(state.chart);
    return true;
}

} // namespace app
