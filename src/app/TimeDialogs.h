#pragma once

#include <QAbstractSpinBox>
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTimer;

namespace chart {
struct ChartClock;
class SkyChart;
class PaceDialogModel;
class UpdatePeriodDialogModel;
class TimeSpecifyingDialogModel;
} // namespace chart

namespace app {

// An edit field with an up-down control over an integer range. Any text may be typed (the
// dialog converts and checks it on OK); the arrows step the number the field starts with,
// kept within the range.
class UpDownField : public QAbstractSpinBox {
    Q_OBJECT
public:
    UpDownField(QWidget* parent, int minimum, int maximum);
    void setText(const QString& text);
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum;
    int m_maximum;
};

class PaceDialog : public QDialog {
    Q_OBJECT
public:
    PaceDialog(QWidget* parent, chart::PaceDialogModel& model);
    void accept() override;
    UpDownField* field() const { return m_field; }

private:
    chart::PaceDialogModel& m_model;
    UpDownField* m_field;
};

class UpdatePeriodDialog : public QDialog {
    Q_OBJECT
public:
    UpdatePeriodDialog(QWidget* parent, chart::UpdatePeriodDialogModel& model);
    void accept() override;
    UpDownField* field() const { return m_field; }

private:
    chart::UpdatePeriodDialogModel& m_model;
    UpDownField* m_field;
};

// The two read-outs follow the chart clock and the computer's clock once a second while the
// dialog is open; "Pace..." changes the pace of the same clock at once.
class TimeSpecifyingDialog : public QDialog {
    Q_OBJECT
public:
    TimeSpecifyingDialog(QWidget* parent, chart::TimeSpecifyingDialogModel& model,
                         chart::ChartClock& clock);
    void accept() override;

    QDateEdit* dateEdit() const { return m_date; }
    UpDownField* hourField() const { return m_hour; }
    UpDownField* minuteField() const { return m_minute; }
    UpDownField* secondField() const { return m_second; }
    QCheckBox* daylightBox() const { return m_daylight; }
    QPushButton* nowButton() const { return m_now; }
    QPushButton* paceButton() const { return m_pace; }
    QLabel* currentReadout() const { return m_current; }
    QLabel* computerReadout() const { return m_computer; }
    const QTimer* refreshTimer() const { return m_refresh; }

private:
    void refreshReadouts();
    void showFields();
    void takeFields();
    void now();
    void pace();

    chart::TimeSpecifyingDialogModel& m_model;
    chart::ChartClock& m_clock;
    QLabel* m_current;
    QLabel* m_computer;
    QDateEdit* m_date;
    UpDownField* m_hour;
    UpDownField* m_minute;
    UpDownField* m_second;
    QCheckBox* m_daylight;
    QPushButton* m_now;
    QPushButton* m_pace;
    QTimer* m_refresh;
};

// The Time menu's dialog commands, run on a chart window's chart from start to end.
// "Specifying...": on OK the new local time, then universal time and the time step.
void runTimeSpecifying(QWidget* parent, chart::SkyChart& chart);
// "Pace...": on OK the new pace; nothing is recomputed.
void runPace(QWidget* parent, chart::SkyChart& chart);
// "Auto Update Period...": on OK the new period; after OK and Cancel alike the update timer
// starts again with the clock's period, then universal time and the time step.
void runUpdatePeriod(QWidget* parent, chart::SkyChart& chart, QTimer& updateTimer);

} // namespace app
