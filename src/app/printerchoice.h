#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// The printer chosen in the main window's printer set-up; the pay slip
// printing prints there, else on the system default printer.
class PrinterChoice
{
public:
    // Opens the system printer set-up dialog; cancelling changes nothing.
    // Returns true when the user confirmed a choice.
    bool setUp(QWidget *parent);

    bool hasChoice() const { return !m_printerName.isEmpty(); }
    QString printerName() const { return m_printerName; }
    void setPrinterName(const QString &name) { m_printerName = name; }
    // Told the printer the clerk confirms in the set-up (to remember it).
    void setOnChosen(std::function<void(const QString &)> chosen) { m_chosen = std::move(chosen); }

    // Points the printer at the chosen one, when there is a choice.
    void applyTo(QPrinter &printer) const;

private:
    QString m_printerName;
    std::function<void(const QString &)> m_chosen;
};
