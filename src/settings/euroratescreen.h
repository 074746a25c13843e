#pragma once

#include "settingsrecord.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

// The franc/euro rate (table TEURO). The rate is written on validation and
// also when the window is closed, never below 1. The main window's gate and
// the pay calculation read the rate currently shown here.
class EuroRateScreen : public QWidget
{
    Q_OBJECT

public:
    explicit EuroRateScreen(QWidget *parent = nullptr);
    ~EuroRateScreen() override;

    // The rate as shown, validated or not.
    QString rateText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openRecord();
    void validate();
    // Raises the rate to 1 when below, then writes it; false when refused
    // (the user has been told).
    bool store();

    SettingsRecord m_record;
    QLineEdit *m_rate = nullptr;
    QPushButton *m_validate = nullptr;
    bool m_stored = false;
};
