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
    // The same dialog, shown modal, and the caller waits for its "OK": for a
    // message the clerk must have read before the caller goes on (a printer
    // warning before the second attempt, whose failure would replace it).
    static void acknowledge(const QString &title, const QString &message);
    // The open dialog, nullptr when none.
    static ErrorDialog *current();

    QString message() const;

private:
    ErrorDialog();
    static ErrorDialog *filled(const QString &title, const QString &message);

    QLabel *m_message;
    QPushButton *m_ok;
};
