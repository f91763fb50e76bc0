#include "app/Dialogs.h"

#include "app/Artwork.h"
#include "app/SkyvaneApp.h"
#include "chart/ChartPrinting.h"
#include "chart/Navigation.h"
#include "chart/StarDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

void adorn(QWidget* dialog) {
    const SkyvaneApp* skyvane = SkyvaneApp::current();
    if (!skyvane || !skyvane->adornedDialogs())
        return;
    const int mode = skyvane->viewMode();
    if (mode != 1 && mode != 4)
        return;
    QPalette p = dialog->palette();
    p.setBrush(QPalette::Window, QBrush(dialogTexture(mode == 1 ? 0 : 1)));
    p.setColor(QPalette::WindowText, mode == 1 ? QColor(225, 225, 205) : QColor(0, 0, 0));
    dialog->setPalette(p);
    dialog->setAutoFillBackground(true);
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

bool refuse(QWidget* dialog, const std::optional<std::string>& message, QWidget* field) {
    if (!message)
        return false;
    showMessage(dialog, QString::fromStdString(*message));
    if (field)
        field->setFocus();
    return true;
}

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, "Skyvane", text, QMessageBox::Ok);
}

void showLoadReport(QWidget* parent, const catalog::Catalogues::Report& report) {
    if (!report.starError.empty())
        showMessage(parent, QString::fromStdString(report.starError));
    if (!report.damaged.empty())
        showMessage(parent, QString::fromStdString(catalog::DamagedFilesMessage(report.damaged)));
}

ZoomDialog::ZoomDialog(QWidget* parent, chart::ZoomDialogModel& model)
    : QDialog(parent), m_model(model), m_field(new QLineEdit(q(model.text()), this)) {
    setWindowTitle(chart::ZoomDialogModel::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(chart::ZoomDialogModel::kLabel, this));
    auto* row = new QHBoxLayout;
    row->addWidget(m_field);
    row->addWidget(new QLabel(QString::fromUtf8(chart::ZoomDialogModel::kUnit), this));
    layout->addLayout(row);
    layout->addWidget(okCancel(this));
    m_field->selectAll();
}

void ZoomDialog::accept() {
    if (refuse(this, m_model.validate(m_field->text().toStdString()), m_field))
        return;
    QDialog::accept();
}

MagnitudeLimitDialog::MagnitudeLimitDialog(QWidget* parent, chart::MagnitudeLimitDialogModel& model)
    : QDialog(parent), m_model(model),
      m_automatic(new QCheckBox(chart::MagnitudeLimitDialogModel::kAutomaticLabel, this)),
      m_limit(new QLineEdit(q(model.limitText()), this)) {
    setWindowTitle(chart::MagnitudeLimitDialogModel::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_automatic);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(chart::MagnitudeLimitDialogModel::kLimitLabel, this));
    row->addWidget(m_limit);
    layout->addLayout(row);
    layout->addWidget(okCancel(this));
    m_automatic->setChecked(model.automatic());
    m_limit->setEnabled(model.limitEnabled());
    connect(m_automatic, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setAutomatic(on);
        m_limit->setEnabled(m_model.limitEnabled());
    });
}

void MagnitudeLimitDialog::accept() {
    if (refuse(this, m_model.validate(m_limit->text().toStdString()), m_limit))
        return;
    QDialog::accept();
}

LabelPresentationDialog::LabelPresentationDialog(QWidget* parent,
                                                 chart::LabelPresentationDialogModel& model)
    : QDialog(parent), m_model(model),
      m_draw(new QCheckBox(chart::LabelPresentationDialogModel::kDrawLabels, this)), m_kinds{},
      m_limit(new QLineEdit(q(model.limitText), this)) {
    setWindowTitle(chart::LabelPresentationDialogModel::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_draw);
    auto* group = new QGroupBox(chart::LabelPresentationDialogModel::kGroup, this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int i = 0; i < 4; ++i) {
        m_kinds[i] =
            new QRadioButton(chart::LabelPresentationDialogModel::kPresentations[i], group);
        groupLayout->addWidget(m_kinds[i]);
        m_kinds[i]->setChecked(model.presentation == i + 1);
    }
    layout->addWidget(group);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(chart::LabelPresentationDialogModel::kLimitLabel, this));
    row->addWidget(m_limit);
    layout->addLayout(row);
    layout->addWidget(okCancel(this));
    m_draw->setChecked(model.drawLabels);
}

void LabelPresentationDialog::accept() {
    m_model.drawLabels = m_draw->isChecked();
    for (int i = 0; i < 4; ++i)
        if (m_kinds[i]->isChecked())
            m_model.presentation = i + 1;
    m_model.limitText = m_limit->text().toStdString();
    QDialog::accept();
}

PrintOptionsWindow::PrintOptionsWindow(QWidget* parent, chart::PrintOptionsDialog& model)
    : QDialog(parent), m_model(model),
      m_colour(new QRadioButton(chart::PrintOptionsDialog::kColorButton, this)),
      m_blackWhite(new QRadioButton(chart::PrintOptionsDialog::kBlackWhiteButton, this)),
      m_comment(new QLineEdit(q(model.comment), this)) {
    setWindowTitle(chart::PrintOptionsDialog::kTitle);
    adorn(this);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(chart::PrintOptionsDialog::kColorsGroup, this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_colour);
    groupLayout->addWidget(m_blackWhite);
    layout->addWidget(group);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(chart::PrintOptionsDialog::kCommentLabel, this));
    row->addWidget(m_comment);
    m_comment->setMinimumWidth(260);
    layout->addLayout(row);
    layout->addWidget(okCancel(this));
    (model.choice == chart::PrintOptionsDialog::Color ? m_colour : m_blackWhite)->setChecked(true);
}

void PrintOptionsWindow::accept() {
    m_model.choice = m_colour->isChecked() ? chart::PrintOptionsDialog::Color
                                           : chart::PrintOptionsDialog::BlackAndWhite;
    m_model.comment = m_comment->text().toStdString();
    QDialog::accept();
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Skyvane");
    adorn(this);
    auto* layout = new QHBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setFixedSize(200, 150);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(picture);
    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel("Skyvane Version 3\nA desktop planetarium for planning observing "
                               "nights",
                               this));
    text->addWidget(new QLabel("Questions and suggestions: the Skyvane developers", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    text->addWidget(buttons);
    layout->addLayout(text);
    // The picture is drawn a moment after the box opens.
    QTimer::singleShot(200, picture, [picture] {
        picture->setPixmap(QPixmap::fromImage(startupPicture(picture->size())));
    });
}

} // namespace app
