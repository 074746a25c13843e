#include "printerchoice.h"

#include <QPrintDialog>
#include <QPrinter>

bool PrinterChoice::setUp(QWidget *parent)
{
    QPrinter printer;
    applyTo(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_printerName = printer.printerName();
    if (m_chosen)
        m_chosen(m_printerName);
    return true;
}

void PrinterChoice::applyTo(QPrinter &printer) const
{
    if (hasChoice())
        printer.setPrinterName(m_printerName);
}
