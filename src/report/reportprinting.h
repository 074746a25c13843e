#pragma once

#include "reportdocument.h"

class PrinterChoice;
class QPrinter;

// Where a pay slip is printed: the printer chosen in the main window's
// printer set-up while it is still installed, else the system default.
// Every printing failure is reported under the number 28663.
namespace ReportPrinting {

// Points the printer at its destination; fails when no printer is installed.
ReportError choosePrinter(QPrinter &printer, const PrinterChoice *choice);
// Prints on a printer already chosen.
ReportError print(QPrinter &printer, const ReportDocument &document);
// Chooses, then prints.
ReportError print(const ReportDocument &document, const PrinterChoice *choice);

} // namespace ReportPrinting
