#pragma once

#include "reportdocument.h"

#include <QMap>
#include <QPointer>

class PrinterChoice;
class ReportPreview;

// The report engine of the pay slips: a layout file filled with numbered
// formula entries, sent to a window, a printer or a saved pay slip file.
//
// The five operations the pay slip screens drive keep the names they have in
// the pay slip's engine description (set_report_file, set_output_file,
// set_destination, set_formula, run); everything else is named as the rest of
// the program is.
class ReportEngine
{
public:
    enum Destination { Window = 0, Printer = 1, File = 2 };

    static constexpr const char *DeliveredLayoutName = "rkv.rpl";

    // printers: the main window's printer set-up, when there is one; it must
    // outlive the engine and the preview windows it opens.
    explicit ReportEngine(const PrinterChoice *printers = nullptr);

    // The layout (".rpl") or saved pay slip (".rpt"), relative to the working directory.
    void set_report_file(const QString &fileName) { m_reportFile = fileName; }
    // The file written with destination 2.
    void set_output_file(const QString &fileName) { m_outputFile = fileName; }
    // Whether destination 2 may replace a file already there (it does unless
    // told otherwise); refused, the run fails with OutputExists.
    void setReplaceExisting(bool replace) { m_replaceExisting = replace; }
    // 0 window, 1 printer, 2 file.
    void set_destination(int destination) { m_destination = destination; }
    // Text NAME='value'; an entry with a number already present replaces it.
    void set_formula(qint16 number, const QString &text) { m_formulas.insert(number, text); }
    // What the filled layout says it is about, kept in a saved pay slip; a
    // saved pay slip opened as report file keeps its own.
    void setProperties(const DocumentProperties &properties) { m_properties = properties; }
    const DocumentProperties &properties() const { return m_properties; }
    // Reads the report file, fills it and sends it to the destination.
    ReportError run();

    QString reportFile() const { return m_reportFile; }
    QString outputFile() const { return m_outputFile; }
    int destination() const { return m_destination; }
    const QMap<qint16, QString> &formulas() const { return m_formulas; }

    // The filled page, as run() would send it; for the command line and tests.
    // Rendering needs a QGuiApplication (the offscreen platform will do) for
    // its fonts; the preview window needs a QApplication.
    std::optional<ReportDocument> document(ReportError *error) const;
    ReportError renderPdf(const QString &path) const;
    QImage renderImage(double dpi, ReportError *error) const;

    // The preview window of the last run to the window, while it is open.
    ReportPreview *preview() const;

    // The delivered layout, from the program's resources.
    static QByteArray deliveredLayout();
    // Writes the delivered layout into the working directory when it is
    // missing there. One found empty or damaged is set aside (kept under
    // another name, never deleted) and written anew; a sound one is never
    // touched. Returns what the clerk must be told, empty when nothing was.
    static QString ensureDeliveredLayout();

private:
    void showPreview(const ReportDocument &document);

    const PrinterChoice *m_printers;
    QString m_reportFile = QLatin1String(DeliveredLayoutName);
    QString m_outputFile;
    int m_destination = Window;
    bool m_replaceExisting = true;
    QMap<qint16, QString> m_formulas;
    DocumentProperties m_properties;
    QPointer<ReportPreview> m_preview;
};
