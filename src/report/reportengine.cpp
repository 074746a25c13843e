#include "reportengine.h"

#include "pagerenderer.h"
#include "reportfile.h"
#include "reportpreview.h"
#include "reportprinting.h"

#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

const QString DeliveredLayoutResource = QStringLiteral(":/report/rkv.rpl");

} // namespace

ReportEngine::ReportEngine(const PrinterChoice *printers) : m_printers(printers) {}

std::optional<ReportDocument> ReportEngine::document(ReportError *error) const
{
    std::optional<ReportDocument> filled = ReportFile::open(m_reportFile, m_formulas, error);
    // A layout filled here says nothing of itself; a saved pay slip does.
    if (filled && filled->properties().isEmpty())
        filled->setProperties(m_properties);
    return filled;
}

ReportError ReportEngine::run()
{
    if (m_destination < Window || m_destination > File)
        return ReportError::make(ReportError::DestinationUnknown,
            QStringLiteral("Destination d'impression inconnue : %1 (0 fenêtre, 1 imprimante, "
                           "2 fichier).").arg(QString::number(m_destination)));
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
        return ReportFile::save(m_outputFile, *filled, m_replaceExisting);
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

namespace {

// Damaged means its content is wrong: a layout that cannot be read for
// another cause (a folder of that name, no permission) is left for the run
// to report.
bool isDamaged(const ReportError &error)
{
    switch (error.number) {
    case ReportError::FileDamaged:
    case ReportError::UnknownFormat:
    case ReportError::ContentInvalid:
    case ReportError::FileTooLarge:
        return true;
    default:
        return false;
    }
}

QString writeDelivered(const QString &path, const QByteArray &content)
{
    // Keep: a file that appeared meanwhile is never overwritten.
    const int rc = WholeFile::write(path, content, WholeFile::Existing::Keep);
    if (rc == 0 || rc == EEXIST)
        return QString();
    return QStringLiteral("La mise en page livrée « %1 » n'a pas pu être écrite : %2. Les fiches de paie "
                          "ne pourront être ni affichées, ni imprimées, ni enregistrées.")
        .arg(QLatin1String(ReportEngine::DeliveredLayoutName), WholeFile::reason(rc));
}

} // namespace

QString ReportEngine::ensureDeliveredLayout()
{
    const QString name = QLatin1String(DeliveredLayoutName);
    const QString path = QDir::current().filePath(name);
    const QByteArray content = deliveredLayout();
    if (content.isEmpty())
        return QString();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return writeDelivered(path, content);

    ReportError error;
    if (ReportFile::openLayout(path, &error) || !isDamaged(error))
        return QString();
    int setAsideError = 0;
    const QString kept = WholeFile::setAside(path, &setAsideError);
    if (kept.isEmpty())
        return QStringLiteral("La mise en page « %1 » est vide ou endommagée et n'a pas pu être mise de "
                              "côté : %2. Les fiches de paie ne pourront être ni affichées, ni imprimées, "
                              "ni enregistrées tant qu'elle n'est pas remplacée.")
            .arg(name, WholeFile::reason(setAsideError));
    const QString notice = QStringLiteral("La mise en page « %1 » était vide ou endommagée : elle est gardée "
                                          "sous le nom « %2 » et la mise en page livrée a été écrite à sa "
                                          "place.").arg(name, kept);
    const QString failure = writeDelivered(path, content);
    return failure.isEmpty() ? notice : notice + u'\n' + failure;
}
