#pragma once

#include "reportdocument.h"

#include <QMainWindow>
#include <vector>

class PrinterChoice;
class QAction;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

// The on-screen pay slip: the page drawn by the common renderer, with zoom,
// fit to width or page, printing and export as PDF. It keeps its own copy of
// the document, so it stays valid whatever the engine does next. It shows
// the month's pay slips too, one page each, printed as one job and exported
// as one PDF. It opens within the screen it appears on and closes with Escape.
class ReportPreview : public QMainWindow
{
    Q_OBJECT

public:
    explicit ReportPreview(const ReportDocument &document, const PrinterChoice *printers = nullptr,
                           QWidget *parent = nullptr);
    // Several pages; `documents` must not be empty.
    explicit ReportPreview(std::vector<ReportDocument> documents, const PrinterChoice *printers = nullptr,
                           QWidget *parent = nullptr);
    ~ReportPreview() override;

    void setDocument(const ReportDocument &document);
    // The first page's document.
    const ReportDocument &document() const { return m_documents.front(); }
    const std::vector<ReportDocument> &documents() const { return m_documents; }
    QPrintPreviewWidget *page() const { return m_page; }

    // Writes the page as PDF; a failure is shown in the error dialog.
    bool exportPdf(const QString &path);
    // Prints on the chosen printer after the print dialog; failures are shown.
    void printDocument();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fitScreen();
    void exportPdfAsked();
    void paintPage(QPrinter *printer);
    QAction *addTool(const QString &text, const QString &name, const QKeySequence &shortcut);

    std::vector<ReportDocument> m_documents;
    const PrinterChoice *m_printers;
    QPrinter *m_printer;
    QToolBar *m_tools;
    QPrintPreviewWidget *m_page;
    bool m_fitted = false;
};
