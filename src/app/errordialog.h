#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's single error dialog: modeless, the caller goes on at once.
// A second report while it is open replaces its title and message and brings
// it to the front.
class ErrorDialog : public QDialog
{
    Q_OBJECT

public:
    static ErrorDialog *report(const QString &title, const QString &message);
    // The open dialog, nullptr when none.
    static ErrorDialog *current();

    QString message() const;

private:
    ErrorDialog();

    QLabel *m_message;
    QPushButton *m_ok;
};
