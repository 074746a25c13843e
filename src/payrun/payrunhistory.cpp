#include "payrunhistory.h"

#include "payhistory.h"
#include "payrunslipname.h"
#include "reportfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

PayRunHistory::PayRunHistory(const QString &directory) : m_directory(directory) {}

PayRunHistory::~PayRunHistory() = default;

PayHistory *PayRunHistory::history() const
{
    if (!std::exchange(m_opened, true)) {
        PayHistory::Opening opening = PayHistory::open(m_directory);
        m_notices = opening.notices;
        m_history = std::move(opening.history);
        if (!m_history)
            m_notices.append(QStringLiteral("%1 Les chiffres des dernières fiches ne sont pas repris : tapez-les.")
                                 .arg(opening.failure));
    }
    return m_history.get();
}

const QStringList &PayRunHistory::notices() const
{
    history();
    return m_notices;
}

CarriedOver PayRunHistory::carriedOver(const QString &identification, const PayRunPeriod &period) const
{
    CarriedOver carried;
    if (!history()) {
        carried.source = QStringLiteral("historique des paies illisible");
        carried.label = carried.source;
        return carried;
    }
    const CarryOver found = history()->carryOver(identification, period.first());
    carried.found = found.carried();
    carried.leaveBalance = found.previous_leave_balance;
    carried.cumulativeTaxable = found.previous_cumulative_taxable;
    carried.cumulativeGross = found.previous_cumulative_gross;
    switch (found.status) {
    case CarryOver::Status::Carried:
        carried.source = found.source->description()
                         + (found.cumulativesRestart ? QStringLiteral(", nouvelle année : cumuls à zéro") : QString());
        carried.label = PayRunPeriod(found.source->periodStart, found.source->periodEnd).shortText();
        break;
    case CarryOver::Status::NoPreviousSlip:
        carried.source = QStringLiteral("aucune fiche précédente");
        carried.label = QStringLiteral("aucune fiche");
        break;
    default:
        carried.conflict = found.description();
        carried.label = QStringLiteral("à vérifier");
        break;
    }
    return carried;
}

QStringList PayRunHistory::savedSlips(const QString &identification, const QString &names,
                                      const PayRunPeriod &period) const
{
    QStringList files;
    if (history()) {
        for (const SlipSummary &slip : history()->overlapping(identification, period.first(), period.last()))
            files << slip.fileName;
        return files;
    }
    const QString systematic = PayRunSlipName::fileName(period, names);
    if (QFileInfo(QDir(m_directory), systematic).isFile())
        files << systematic;
    return files;
}

std::optional<QDate> PayRunHistory::lastPaidDay() const
{
    std::optional<QDate> last;
    if (!history())
        return last;
    for (const SlipSummary &slip : history()->slips()) {
        if (slip.hasPeriod() && (!last || slip.periodEnd > *last))
            last = slip.periodEnd;
    }
    return last;
}

ReportError PayRunHistory::save(const QString &fileName, const ReportDocument &document,
                                const QStringList &replacing)
{
    const QDir folder(m_directory);
    const ReportError error = ReportFile::save(folder.filePath(fileName), document, replacing.contains(fileName));
    if (error.failed())
        return error;
    for (const QString &old : replacing) {
        if (old == fileName)
            continue;
        // The clerk agreed to the replacement: the old slip goes as a
        // deletion from the archive would take it.
        if (QFile::remove(folder.filePath(old)) && history())
            history()->forget(old);
    }
    return ReportError::success();
}

QString PayRunHistory::record(const QStringList &fileNames)
{
    if (fileNames.isEmpty())
        return QString();
    if (!history())
        return QStringLiteral("L'historique des paies n'a pas pu être ouvert : les fiches enregistrées y seront "
                              "reprises à sa prochaine ouverture.");
    if (const std::optional<QString> failure = history()->record(fileNames))
        return *failure + QStringLiteral(" Les fiches sont enregistrées ; l'historique les reprendra à sa "
                                         "prochaine ouverture.");
    return QString();
}
