#pragma once

#include "reportdocument.h"

#include <QByteArray>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;

// Several finished pages as one output — the month's pay slips in one
// preview, one print job or one PDF — each page drawn by the common
// renderer, so that every slip looks as it does alone. Long outputs report
// their progress after each page and stop when told to: a stopped PDF is
// not written at all, a stopped print job is cancelled.
namespace ReportPages {

// Told how many pages are done; returns false to stop.
using Progress = std::function<bool(int done)>;

// The pages as one PDF document, composed in memory; nothing when stopped
// or when the document could not be composed (`stopped` says which).
std::optional<QByteArray> toPdfDocument(const std::vector<ReportDocument> &documents,
                                        const Progress &progress = {}, bool *stopped = nullptr);
// Writes the PDF whole, owner-only; a stopped one leaves no file.
ReportError toPdf(const QString &path, const std::vector<ReportDocument> &documents,
                  const Progress &progress = {}, bool *stopped = nullptr);

// Paints the pages on a printer already chosen (or a preview's), one page
// each; false when the printer refuses, or when stopped (the job is then
// cancelled).
bool paint(QPrinter &printer, const std::vector<ReportDocument> &documents, const Progress &progress = {},
           bool *stopped = nullptr);
// One print job of all the pages; a refusal is the engine's printing failure.
ReportError print(QPrinter &printer, const std::vector<ReportDocument> &documents,
                  const Progress &progress = {}, bool *stopped = nullptr);

} // namespace ReportPages
