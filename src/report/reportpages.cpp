#include "reportpages.h"

#include "pagerenderer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace ReportPages {

namespace {

constexpr double MillimetresPerInch = 25.4;

// Paints one page after another on a paged device; the device takes each
// page's paper before it is begun.
template<class Device>
bool paintAll(Device &device, const std::vector<ReportDocument> &documents, const Progress &progress,
              bool *stopped)
{
    if (stopped)
        *stopped = false;
    if (documents.empty())
        return false;
    device.setPageLayout(documents.front().layout().pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (i > 0) {
            // A printer refuses a new paper while printing: only a page of
            // another paper asks for it.
            const QPageLayout paper = documents[i].layout().pageLayout();
            if (!paper.isEquivalentTo(documents[i - 1].layout().pageLayout()))
                device.setPageLayout(paper);
            if (!device.newPage())
                return false;
        }
        PageRenderer(documents[i]).paint(painter, device.resolution() / MillimetresPerInch);
        if (progress && !progress(int(i + 1))) {
            if (stopped)
                *stopped = true;
            painter.end();
            return false;
        }
    }
    return painter.end();
}

} // namespace

std::optional<QByteArray> toPdfDocument(const std::vector<ReportDocument> &documents, const Progress &progress,
                                        bool *stopped)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Quorvan"));
        writer.setTitle(documents.size() == 1 ? QStringLiteral("Fiche de paie") : QStringLiteral("Fiches de paie"));
        if (!paintAll(writer, documents, progress, stopped))
            return std::nullopt;
    }
    return buffer.data();
}

ReportError toPdf(const QString &path, const std::vector<ReportDocument> &documents, const Progress &progress,
                  bool *stopped)
{
    // Composed in memory, then written whole: stopped, full or killed, the
    // previous file stays as it was.
    bool wasStopped = false;
    const std::optional<QByteArray> pdf = toPdfDocument(documents, progress, &wasStopped);
    if (stopped)
        *stopped = wasStopped;
    if (wasStopped)
        return ReportError::success();
    return PageRenderer::writePdf(path, pdf);
}

bool paint(QPrinter &printer, const std::vector<ReportDocument> &documents, const Progress &progress,
           bool *stopped)
{
    printer.setFullPage(true);
    bool wasStopped = false;
    const bool painted = paintAll(printer, documents, progress, &wasStopped);
    if (wasStopped)
        printer.abort();
    if (stopped)
        *stopped = wasStopped;
    return painted;
}

ReportError print(QPrinter &printer, const std::vector<ReportDocument> &documents, const Progress &progress,
                  bool *stopped)
{
    bool wasStopped = false;
    const bool printed = printer.isValid() && paint(printer, documents, progress, &wasStopped);
    if (stopped)
        *stopped = wasStopped;
    if (!printed && !wasStopped)
        return ReportError::make(ReportError::PrintFailed,
            QStringLiteral("L'imprimante « %1 » a refusé l'impression des fiches de paie.")
                .arg(printer.printerName()));
    return ReportError::success();
}

} // namespace ReportPages
