#include "historyupdate.h"

#include "historydatabase.h"
#include "slipfile.h"

#include <QDateTime>
#include <QFileInfo>

#include <sqlite3.h>

#include <thread>

namespace {

// A file of the folder as the system shows it now.
struct FolderFile
{
    QString name;
    qint64 size = 0;
    qint64 modified = 0;
};

QList<FolderFile> folderFiles(const QDir &directory)
{
    QList<FolderFile> files;
    const QFileInfoList infos =
        directory.entryInfoList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    files.reserve(infos.size());
    for (const QFileInfo &info : infos)
        files.append({info.fileName(), info.size(), info.lastModified().toMSecsSinceEpoch()});
    return files;
}

// Reading many files is shared between two threads: the history of a
// folder of thousands of slips is rebuilt in half the time.
QList<SlipFile::Reading> readAll(const QDir &directory, const QStringList &names)
{
    QList<SlipFile::Reading> readings(names.size());
    const auto readRange = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            readings[i] = SlipFile::read(directory, names.at(i));
    };
    constexpr qsizetype Shared = 64;
    if (names.size() < Shared) {
        readRange(0, names.size());
        return readings;
    }
    const qsizetype half = names.size() / 2;
    std::thread other(readRange, half, names.size());
    readRange(0, half);
    other.join();
    return readings;
}

} // namespace

struct HistoryUpdate::Plan
{
    QStringList toRead;
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
    QStringList readableAgain;

    bool isEmpty() const
    {
        return toWrite.isEmpty() && marks.isEmpty() && toRemove.isEmpty() && unreadable.isEmpty()
               && readableAgain.isEmpty();
    }
};

HistoryUpdate::HistoryUpdate(const HistoryDatabase &database, const QDir &directory)
    : m_database(database)
    , m_directory(directory)
    , m_rows(database)
{
}

int HistoryUpdate::run(QStringList *notices)
{
    Plan found;
    if (const int rc = plan(found, notices); rc != SQLITE_OK)
        return rc;
    if (found.isEmpty())
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

// The rows are read before the folder: a slip saved meanwhile by another
// program is then either in both or found as a new file, never taken for
// one removed.
int HistoryUpdate::plan(Plan &plan, QStringList *notices)
{
    QHash<QString, HistoryRows::KnownFile> known;
    QList<HistoryRows::UnreadableFile> unreadableRows;
    if (const int rc = m_rows.knownFiles(&known); rc != SQLITE_OK)
        return rc;
    if (const int rc = m_rows.unreadableFiles(&unreadableRows); rc != SQLITE_OK)
        return rc;
    QHash<QString, HistoryRows::UnreadableFile> unreadable;
    for (const HistoryRows::UnreadableFile &file : unreadableRows)
        unreadable.insert(file.fileName, file);

    for (const FolderFile &file : folderFiles(m_directory)) {
        const auto k = known.constFind(file.name);
        if (k != known.cend()) {
            if (file.size != k->seenSize || file.modified != k->seenModified) {
                const SlipFile::Reading reading = SlipFile::read(m_directory, file.name);
                const SavedSlip *slip = std::get_if<SavedSlip>(&reading);
                const bool changed = !slip || slip->checksum != k->checksum;
                plan.marks.append({file.name, changed, file.size, file.modified});
                if (changed && !k->changed)
                    notices->append(QStringLiteral("La fiche de paie « %1 » a été modifiée en dehors du programme "
                                                   "depuis son enregistrement : ses chiffres ne seront pas repris.")
                                        .arg(file.name));
            }
            known.remove(file.name);
            continue;
        }
        const auto u = unreadable.constFind(file.name);
        if (u != unreadable.cend() && u->size == file.size && u->modified == file.modified) {
            unreadable.remove(file.name);
            continue;
        }
        plan.toRead.append(file.name);
    }
    plan.toRemove = known.keys();

    const QList<SlipFile::Reading> readings = readAll(m_directory, plan.toRead);
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const QString &name = plan.toRead.at(i);
        if (const SavedSlip *slip = std::get_if<SavedSlip>(&readings.at(i))) {
            plan.toWrite.append(*slip);
            if (unreadable.remove(name))
                plan.readableAgain.append(name);
            continue;
        }
        const QString reason = std::get<QString>(readings.at(i));
        const QFileInfo info(m_directory.filePath(name));
        plan.unreadable.append({name, info.size(), info.lastModified().toMSecsSinceEpoch(), reason});
        unreadable.remove(name);
        notices->append(QStringLiteral("Le fichier « %1 » ne peut pas être lu comme une fiche de paie (%2) : il "
                                       "n'est pas compté dans l'historique.").arg(name, reason));
    }
    // Unreadable files no longer in the folder.
    plan.readableAgain += unreadable.keys();
    return SQLITE_OK;
}

int HistoryUpdate::apply(const Plan &plan)
{
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
    for (const QString &name : plan.readableAgain)
        if (const int rc = m_rows.removeUnreadable(name); rc != SQLITE_OK)
            return rc;
    return SQLITE_OK;
}
