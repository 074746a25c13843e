#pragma once

#include "reportdocument.h"

#include <QImage>

class QPainter;
class QPrinter;

// Paints a filled page. The preview window, the printer, the PDF and the
// image output all go through paint(), so every output shows the same page.
class PageRenderer
{
public:
    explicit PageRenderer(const ReportDocument &document) : m_document(document) {}

    // Paints the page with the paper's top left corner at the painter's
    // origin, pixelsPerMm device pixels to the millimetre.
    void paint(QPainter &painter, double pixelsPerMm) const;

    // The page as a picture at dpi dots per inch, on white paper.
    QImage toImage(double dpi) const;
    // The page as a PDF document, composed in memory.
    std::optional<QByteArray> toPdfDocument() const;
    // Writes the PDF whole, owner-only (a pay slip is personal).
    ReportError toPdf(const QString &path) const;
    // Writes a PDF composed in memory whole and owner-only to PATH; an empty
    // or missing document is said as not composed.
    static ReportError writePdf(const QString &path, const std::optional<QByteArray> &pdf);
    // Prints on a printer already chosen; false when the printer refuses the job.
    bool print(QPrinter &printer) const;

private:
    void paintItem(QPainter &painter, const LayoutItem &item) const;
    void paintText(QPainter &painter, const LayoutItem &item, const QString &text) const;

    const ReportDocument &m_document;
};
