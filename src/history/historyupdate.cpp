#include "historyupdate.h"

#include "historydatabase.h"
#include "slipfile.h"

#include <sqlite3.h>

struct HistoryUpdate::Plan
{
    QList<SlipFile::Entry> toRead;
    QList<SavedSlip> toWrite;
    struct Mark
    {
        QString fileName;
        bool changed;
        qint64 size;
        qint64 modified;
    };
    QList<Mark> marks;
    QStringList toRemove;
    QList<HistoryRows::UnreadableFile> unreadable;
    QStringList noLongerUnreadable;

    bool isEmpty() const
    {
        return toWrite.isEmpty() && marks.isEmpty() && toRemove.isEmpty() && unreadable.isEmpty()
               && noLongerUnreadable.isEmpty();
    }
};

HistoryUpdate::HistoryUpdate(const HistoryDatabase &database, const QDir &directory)
    : m_database(database)
    , m_directory(directory)
    , m_rows(database)
{
}

int HistoryUpdate::run(const QList<HistoryRows::ScannedSlip> &slips,
                       const QList<HistoryRows::UnreadableFile> &unreadable, QStringList *notices, bool *changed)
{
    Plan found;
    plan(found, slips, unreadable, notices);
    *changed = !found.isEmpty();
    if (!*changed)
        return SQLITE_OK;
    if (const int rc = m_database.begin(); rc != SQLITE_OK)
        return rc;
    const int rc = apply(found);
    if (rc != SQLITE_OK) {
        m_database.rollback();
        return rc;
    }
    if (const int committed = m_database.commit(); committed != SQLITE_OK) {
        m_database.rollback();
        return committed;
    }
    return SQLITE_OK;
}

// The rows were read before the folder is: a slip saved meanwhile by
// another program is then either in both or found as a new file, never
// taken for one removed.
void HistoryUpdate::plan(Plan &plan, const QList<HistoryRows::ScannedSlip> &slips,
                         const QList<HistoryRows::UnreadableFile> &unreadableRows, QStringList *notices)
{
    QHash<QString, const HistoryRows::KnownFile *> known;
    known.reserve(slips.size());
    for (const HistoryRows::ScannedSlip &slip : slips)
        known.insert(slip.summary.fileName, &slip.file);
    QHash<QString, const HistoryRows::UnreadableFile *> unreadable;
    for (const HistoryRows::UnreadableFile &file : unreadableRows)
        unreadable.insert(file.fileName, &file);

    for (const SlipFile::Entry &file : SlipFile::folder(m_directory)) {
        if (const HistoryRows::KnownFile *k = known.take(file.fileName)) {
            if (file.size == k->seenSize && file.modified == k->seenModified)
                continue;
            const SlipFile::Reading reading = SlipFile::read(m_directory, file.fileName);
            const SavedSlip *slip = std::get_if<SavedSlip>(&reading);
            const bool changed = !slip || slip->checksum != k->checksum;
            plan.marks.append({file.fileName, changed, file.size, file.modified});
            if (changed && !k->changed)
                notices->append(QStringLiteral("La fiche de paie « %1 » a été modifiée en dehors du programme "
                                               "depuis son enregistrement : ses chiffres ne seront pas repris.")
                                    .arg(file.fileName));
            continue;
        }
        const HistoryRows::UnreadableFile *u = unreadable.take(file.fileName);
        if (u && u->size == file.size && u->modified == file.modified)
            continue;
        plan.toRead.append(file);
        if (u)
            plan.noLongerUnreadable.append(file.fileName);
    }
    plan.toRemove = known.keys();
    // Unreadable files no longer in the folder.
    plan.noLongerUnreadable += unreadable.keys();

    QStringList names;
    for (const SlipFile::Entry &file : plan.toRead)
        names.append(file.fileName);
    const QList<SlipFile::Reading> readings = SlipFile::readAll(m_directory, names);
    for (qsizetype i = 0; i < readings.size(); ++i) {
        if (const SavedSlip *slip = std::get_if<SavedSlip>(&readings.at(i))) {
            plan.toWrite.append(*slip);
            continue;
        }
        const SlipFile::Entry &file = plan.toRead.at(i);
        const QString reason = std::get<QString>(readings.at(i));
        plan.unreadable.append({file.fileName, file.size, file.modified, reason});
        notices->append(QStringLiteral("Le fichier « %1 » ne peut pas être lu comme une fiche de paie (%2) : il "
                                       "n'est pas compté dans l'historique.").arg(file.fileName, reason));
    }
}

int HistoryUpdate::apply(const Plan &plan)
{
    for (const QString &name : plan.noLongerUnreadable)
        if (const int rc = m_rows.removeUnreadable(name); rc != SQLITE_OK)
            return rc;
    for (const SavedSlip &slip : plan.toWrite)
        if (const int rc = m_rows.write(slip); rc != SQLITE_OK)
            return rc;
    for (const Plan::Mark &mark : plan.marks)
        if (const int rc = m_rows.setChanged(mark.fileName, mark.changed, mark.size, mark.modified); rc != SQLITE_OK)
            return rc;
    for (const QString &name : plan.toRemove)
        if (const int rc = m_rows.remove(name); rc != SQLITE_OK)
            return rc;
    for (const HistoryRows::UnreadableFile &file : plan.unreadable)
        if (const int rc = m_rows.setUnreadable(file); rc != SQLITE_OK)
            return rc;
    return SQLITE_OK;
}
