#include "payhistory.h"

#include "carryoverrule.h"
#include "historydatabase.h"
#include "historyupdate.h"
#include "slipfile.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <tuple>

static_assert(std::string_view(PayHistory::FileName) == std::string_view(HistoryDatabase::FileName));

PayHistory::PayHistory(std::unique_ptr<HistoryDatabase> database, const QDir &directory)
    : m_database(std::move(database))
    , m_directory(directory)
    , m_rows(std::make_unique<HistoryRows>(*m_database))
{
}

PayHistory::~PayHistory() = default;

PayHistory::Opening PayHistory::open(const QString &directory)
{
    Opening opening;
    const QDir folder(directory);
    const QString path = folder.filePath(QLatin1String(FileName));
    // A history found damaged while it is read is set aside once and built
    // anew from the files.
    for (int attempt = 0; attempt < 2; ++attempt) {
        HistoryDatabase::Opening database = HistoryDatabase::open(path);
        if (!database.notice.isEmpty())
            opening.notices.append(database.notice);
        if (!database.database) {
            opening.failure = database.failure;
            return opening;
        }
        std::unique_ptr<PayHistory> history(new PayHistory(std::move(database.database), folder));
        const int rc = history->bringUpToDate(&opening.notices);
        if (rc == SQLITE_OK) {
            opening.history = std::move(history);
            return opening;
        }
        opening.failure = history->m_database->failureText(rc);
        if (!HistoryDatabase::isDamage(rc) || attempt > 0)
            return opening;
        history.reset();
        QString notice;
        if (!HistoryDatabase::setAsideDamaged(path, &notice, &opening.failure))
            return opening;
        opening.notices.append(notice);
        opening.failure.clear();
    }
    return opening;
}

// One reading of the rows serves the comparison with the folder and, when
// nothing had to change, the list itself.
int PayHistory::bringUpToDate(QStringList *notices)
{
    QList<HistoryRows::ScannedSlip> slips;
    QList<HistoryRows::UnreadableFile> unreadable;
    int rc = m_rows->scan(&slips);
    if (rc == SQLITE_OK)
        rc = m_rows->unreadableFiles(&unreadable);
    bool changed = false;
    if (rc == SQLITE_OK)
        rc = HistoryUpdate(*m_database, m_directory).run(slips, unreadable, notices, &changed);
    if (rc != SQLITE_OK)
        return rc;
    if (changed)
        return reload();
    adopt(slips, std::move(unreadable));
    return SQLITE_OK;
}

int PayHistory::reload()
{
    QList<HistoryRows::ScannedSlip> slips;
    QList<HistoryRows::UnreadableFile> unreadable;
    if (const int rc = m_rows->scan(&slips); rc != SQLITE_OK)
        return rc;
    if (const int rc = m_rows->unreadableFiles(&unreadable); rc != SQLITE_OK)
        return rc;
    adopt(slips, std::move(unreadable));
    return SQLITE_OK;
}

void PayHistory::adopt(const QList<HistoryRows::ScannedSlip> &slips, QList<HistoryRows::UnreadableFile> unreadable)
{
    m_slips.clear();
    m_slips.reserve(slips.size());
    for (const HistoryRows::ScannedSlip &slip : slips)
        m_slips.append(slip.summary);
    std::sort(m_slips.begin(), m_slips.end(), [](const SlipSummary &a, const SlipSummary &b) {
        return std::tie(a.identification, a.periodEnd, a.fileName) < std::tie(b.identification, b.periodEnd, b.fileName);
    });
    m_unreadable = std::move(unreadable);
    m_byEmployee.clear();
    for (qsizetype i = 0; i < m_slips.size(); ++i)
        m_byEmployee[m_slips.at(i).identification].append(i);
}

std::optional<QString> PayHistory::record(const QStringList &fileNames)
{
    QList<SavedSlip> slips;
    const QList<SlipFile::Reading> readings = SlipFile::readAll(m_directory, fileNames);
    for (qsizetype i = 0; i < readings.size(); ++i) {
        if (const QString *refusal = std::get_if<QString>(&readings.at(i)))
            return QStringLiteral("La fiche de paie « %1 » n'a pas pu être relue pour l'historique des paies : %2.")
                .arg(fileNames.at(i), *refusal);
        slips.append(std::get<SavedSlip>(readings.at(i)));
    }
    return record(slips);
}

std::optional<QString> PayHistory::record(const QList<SavedSlip> &slips)
{
    if (const std::optional<QString> failure = write(slips))
        return failure;
    if (const int rc = reload(); rc != SQLITE_OK)
        return m_database->failureText(rc);
    return std::nullopt;
}

std::optional<QString> PayHistory::write(const QList<SavedSlip> &slips)
{
    if (const int rc = m_database->begin(); rc != SQLITE_OK)
        return m_database->failureText(rc);
    for (const SavedSlip &slip : slips) {
        int rc = m_rows->write(slip);
        if (rc == SQLITE_OK)
            rc = m_rows->removeUnreadable(slip.summary.fileName);
        if (rc != SQLITE_OK) {
            m_database->rollback();
            return m_database->failureText(rc);
        }
    }
    if (const int rc = m_database->commit(); rc != SQLITE_OK) {
        m_database->rollback();
        return m_database->failureText(rc);
    }
    return std::nullopt;
}

std::optional<QString> PayHistory::forget(const QString &fileName)
{
    if (const int rc = m_database->begin(); rc != SQLITE_OK)
        return m_database->failureText(rc);
    int rc = m_rows->remove(fileName);
    if (rc == SQLITE_OK)
        rc = m_rows->removeUnreadable(fileName);
    if (rc == SQLITE_OK)
        rc = m_database->commit();
    if (rc != SQLITE_OK) {
        m_database->rollback();
        return m_database->failureText(rc);
    }
    if (const int reloaded = reload(); reloaded != SQLITE_OK)
        return m_database->failureText(reloaded);
    return std::nullopt;
}

namespace {

PayHistory::Outcome change(const QString &directory,
                           const std::function<std::optional<QString>(PayHistory &)> &changeHistory)
{
    PayHistory::Opening opening = PayHistory::open(directory);
    PayHistory::Outcome outcome;
    outcome.messages = opening.notices;
    std::optional<QString> failure;
    if (opening.history)
        failure = changeHistory(*opening.history);
    else
        failure = opening.failure;
    if (failure) {
        outcome.failed = true;
        outcome.messages.append(*failure + QStringLiteral(" Il sera mis à jour à sa prochaine ouverture, "
                                                          "d'après les fiches de paie du dossier."));
    }
    return outcome;
}

} // namespace

PayHistory::Outcome PayHistory::recordIn(const QString &directory, const QStringList &fileNames)
{
    return change(directory, [&fileNames](PayHistory &history) { return history.record(fileNames); });
}

PayHistory::Outcome PayHistory::forgetIn(const QString &directory, const QString &fileName)
{
    // A folder without a history has nothing to forget.
    if (!QFileInfo::exists(QDir(directory).filePath(QLatin1String(FileName))))
        return {};
    return change(directory, [&fileName](PayHistory &history) { return history.forget(fileName); });
}

QList<SlipSummary> PayHistory::slipsOf(const QString &identification) const
{
    QList<SlipSummary> slips;
    for (const qsizetype index : m_byEmployee.value(identification))
        slips.append(m_slips.at(index));
    return slips;
}

QList<SlipSummary> PayHistory::overlapping(const QString &identification, const QDate &start,
                                           const QDate &end) const
{
    QList<SlipSummary> slips;
    for (const qsizetype index : m_byEmployee.value(identification)) {
        if (m_slips.at(index).overlaps(start, end))
            slips.append(m_slips.at(index));
    }
    return slips;
}

CarryOver PayHistory::carryOver(const QString &identification, const QDate &periodStart) const
{
    return CarryOverRule::find(slipsOf(identification), periodStart);
}

QHash<QString, CarryOver> PayHistory::carryOver(const QStringList &identifications,
                                                const QDate &periodStart) const
{
    QHash<QString, CarryOver> carried;
    carried.reserve(identifications.size());
    for (const QString &identification : identifications)
        carried.insert(identification, carryOver(identification, periodStart));
    return carried;
}

std::variant<std::optional<SavedSlip>, QString> PayHistory::slip(const QString &fileName) const
{
    std::optional<SavedSlip> found;
    if (const int rc = m_rows->slip(fileName, &found); rc != SQLITE_OK)
        return m_database->failureText(rc);
    return found;
}

std::variant<QList<SavedSlip>, QString> PayHistory::slipsEnding(const QDate &from, const QDate &to) const
{
    QList<SavedSlip> slips;
    if (const int rc = m_rows->slipsEnding(from, to, &slips); rc != SQLITE_OK)
        return m_database->failureText(rc);
    return slips;
}
