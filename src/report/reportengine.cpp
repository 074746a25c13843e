#include "reportengine.h"

#include "pagerenderer.h"
#include "reportfile.h"
#include "reportpreview.h"
#include "reportprinting.h"

#include <QDir>
#include <QFile>

namespace {

const QString DeliveredLayoutResource = QStringLiteral(":/report/rkv.rpl");

} // namespace

ReportEngine::ReportEngine(const PrinterChoice *printers) : m_printers(printers) {}

std::optional<ReportDocument> ReportEngine::document(ReportError *error) const
{
    return ReportFile::open(m_reportFile, m_formulas, error);
}

ReportError ReportEngine::run()
{
    if (m_destination < Window || m_destination > File)
        return ReportError::make(ReportError::DestinationUnknown,
            QStringLiteral("Destination d'impression inconnue : %1 (0 fenêtre, 1 imprimante, "
                           "2 fichier).").arg(m_destination));
    if (m_destination == File && m_outputFile.isEmpty())
        return ReportError::make(ReportError::OutputNameMissing,
            QStringLiteral("Aucun nom de fichier n'est donné pour enregistrer la fiche de paie."));

    ReportError error;
    const std::optional<ReportDocument> filled = document(&error);
    if (!filled)
        return error;
    switch (m_destination) {
    case Window:
        showPreview(*filled);
        return ReportError::success();
    case Printer:
        return ReportPrinting::print(*filled, m_printers);
    default:
        return ReportFile::save(m_outputFile, *filled);
    }
}

ReportPreview *ReportEngine::preview() const
{
    return m_preview.data();
}

void ReportEngine::showPreview(const ReportDocument &document)
{
    if (m_preview) {
        m_preview->setDocument(document);
    } else {
        m_preview = new ReportPreview(document, m_printers);
        m_preview->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
}

ReportError ReportEngine::renderPdf(const QString &path) const
{
    ReportError error;
    const std::optional<ReportDocument> filled = document(&error);
    if (!filled)
        return error;
    return PageRenderer(*filled).toPdf(path);
}

QImage ReportEngine::renderImage(double dpi, ReportError *error) const
{
    const std::optional<ReportDocument> filled = document(error);
    if (!filled)
        return {};
    return PageRenderer(*filled).toImage(dpi);
}

QByteArray ReportEngine::deliveredLayout()
{
    QFile delivered(DeliveredLayoutResource);
    if (!delivered.open(QIODevice::ReadOnly))
        return {};
    return delivered.readAll();
}

void ReportEngine::ensureDeliveredLayout()
{
    const QString path = QDir::current().filePath(QLatin1String(DeliveredLayoutName));
    if (QFile::exists(path))
        return;
    const QByteArray content = deliveredLayout();
    // NewOnly: a file that appeared meanwhile is never overwritten.
    QFile target(path);
    if (content.isEmpty() || !target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return;
    if (target.write(content) != content.size() || !target.flush()) {
        target.close();
        target.remove();
    }
}
