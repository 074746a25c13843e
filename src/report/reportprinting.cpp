#include "reportprinting.h"

#include "pagerenderer.h"
#include "printerchoice.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace ReportPrinting {

ReportError choosePrinter(QPrinter &printer, const PrinterChoice *choice)
{
    QPrinterInfo target;
    if (choice && choice->hasChoice())
        target = QPrinterInfo::printerInfo(choice->printerName());
    if (target.isNull())
        target = QPrinterInfo::defaultPrinter();
    if (target.isNull() || QPrinterInfo::availablePrinters().isEmpty())
        return ReportError::make(ReportError::PrintFailed,
            QStringLiteral("Aucune imprimante n'est installée : la fiche de paie ne peut pas être "
                           "imprimée."));
    printer.setPrinterName(target.printerName());
    return ReportError::success();
}

ReportError print(QPrinter &printer, const ReportDocument &document)
{
    if (!printer.isValid() || !PageRenderer(document).print(printer))
        return ReportError::make(ReportError::PrintFailed,
            QStringLiteral("L'imprimante « %1 » a refusé l'impression de la fiche de paie.")
                .arg(printer.printerName()));
    return ReportError::success();
}

ReportError print(const ReportDocument &document, const PrinterChoice *choice)
{
    QPrinter printer(QPrinter::HighResolution);
    const ReportError chosen = choosePrinter(printer, choice);
    if (chosen.failed())
        return chosen;
    printer.setDocName(QStringLiteral("Fiche de paie"));
    return print(printer, document);
}

} // namespace ReportPrinting
