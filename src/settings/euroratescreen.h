#pragma once

#include "settingsrecord.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The franc/euro rate (table TEURO). The rate is written on validation and
// also when the window is closed, never below 1. The main window's gate and
// the pay calculation read the rate currently shown here. A file that could
// not be read is said on the screen itself, since the gate and the pay
// calculation load it without showing it.
class EuroRateScreen : public QWidget
{
    Q_OBJECT

public:
    explicit EuroRateScreen(QWidget *parent = nullptr);
    ~EuroRateScreen() override;

    // The rate as shown, validated or not.
    QString rateText() const;
    // Why the stored rate could not be read; empty when it was.
    QString readFailure() const { return m_readFailure; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void openRecord();
    void validate();
    // Raises the rate to 1 when below, then writes it; false when refused
    // (the user has been told).
    bool store();

    SettingsRecord m_record;
    QString m_readFailure;
    QLabel *m_failure = nullptr;
    QLineEdit *m_rate = nullptr;
    QPushButton *m_validate = nullptr;
    bool m_stored = false;
};
