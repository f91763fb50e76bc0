#pragma once

#include "catalog/Catalogues.h"

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;

namespace chart {
class ZoomDialogModel;
class MagnitudeLimitDialogModel;
class LabelPresentationDialogModel;
class PrintOptionsDialog;
} // namespace chart

namespace app {

// Thin windows over the dialog models: the models hold the texts, the checks and the
// messages; a refused value keeps the dialog open.

class ZoomDialog : public QDialog {
    Q_OBJECT
public:
    ZoomDialog(QWidget* parent, chart::ZoomDialogModel& model);
    void accept() override;
    QLineEdit* field() const { return m_field; }

private:
    chart::ZoomDialogModel& m_model;
    QLineEdit* m_field;
};

class MagnitudeLimitDialog : public QDialog {
    Q_OBJECT
public:
    MagnitudeLimitDialog(QWidget* parent, chart::MagnitudeLimitDialogModel& model);
    void accept() override;

private:
    chart::MagnitudeLimitDialogModel& m_model;
    QCheckBox* m_automatic;
    QLineEdit* m_limit;
};

class LabelPresentationDialog : public QDialog {
    Q_OBJECT
public:
    LabelPresentationDialog(QWidget* parent, chart::LabelPresentationDialogModel& model);
    void accept() override;

private:
    chart::LabelPresentationDialogModel& m_model;
    QCheckBox* m_draw;
    QRadioButton* m_kinds[4];
    QLineEdit* m_limit;
};

// "Print Options": colour or black and white, and the comment of the page.
class PrintOptionsWindow : public QDialog {
    Q_OBJECT
public:
    PrintOptionsWindow(QWidget* parent, chart::PrintOptionsDialog& model);
    void accept() override;

private:
    chart::PrintOptionsDialog& m_model;
    QRadioButton* m_colour;
    QRadioButton* m_blackWhite;
    QLineEdit* m_comment;
};

// "About Skyvane": the start-up picture and two lines.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
};

// Adorned dialogs: with the option on, in the Standard View a dialog is painted on the dark
// texture and in the Black&White View on the pale one; the True and Red views keep their
// own colours. Each dialog calls this when it is built.
void adorn(QWidget* dialog);

// The program's message box: OK, the program's name as caption.
void showMessage(QWidget* parent, const QString& text);
// After the catalogues loaded: the star files' error, then one message naming every damaged
// file.
void showLoadReport(QWidget* parent, const catalog::Catalogues::Report& report);

// The OK and Cancel buttons of a dialog, wired to accept and reject.
QDialogButtonBox* okCancel(QDialog* dialog);

// A dialog's answer to a refused value: the model's message over the dialog, the focus in
// the field (when one is given). True when there was a message, so the dialog stays open.
bool refuse(QWidget* dialog, const std::optional<std::string>& message, QWidget* field = nullptr);

} // namespace app
