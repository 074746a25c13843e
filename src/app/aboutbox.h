#pragma once

#include <QDialog>
#include <QPointer>

class QPushButton;

// The "A propos de" box: the program's name, version and purpose, and a
// button that lists the system the program runs on, which is what a support
// call asks for first.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

    // The operating system, kernel, processor and Qt version, one a line.
    static QString systemInformation();
    // Opens (or brings to the front) the window that lists them.
    void showSystemInformation();
    QDialog *systemInformationWindow() const { return m_systemWindow; }

private:
    QPushButton *m_ok;
    QPushButton *m_system;
    QDialog *buildSystemWindow();

    QPointer<QDialog> m_systemWindow;
};
