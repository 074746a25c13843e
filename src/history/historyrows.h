#pragma once

#include "savedslip.h"
#include "statement.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class HistoryDatabase;

// The rows of the pay history and the SQL that reads and writes them; every
// function returns the engine's result code (SQLITE_OK, or SQLITE_DONE
// folded into it). Writes belong inside the caller's transaction.
class HistoryRows
{
public:
    explicit HistoryRows(const HistoryDatabase &database);

    // The file of a slip as the history knows it, to compare with the folder.
    struct KnownFile
    {
        QByteArray checksum; // as recorded
        qint64 size = 0;
        qint64 modified = 0;
        bool changed = false;
        qint64 seenSize = 0; // the changed file as last seen
        qint64 seenModified = 0;
    };
    // A .rpt file of the folder that is no readable pay slip.
    struct UnreadableFile
    {
        QString fileName;
        qint64 size = 0;
        qint64 modified = 0;
        QString reason;
        bool operator==(const UnreadableFile &) const = default;
    };

    // A slip row as an opening reads it: what the history lists of the slip
    // and its file as recorded. One pass over the table serves both the
    // comparison with the folder and the list.
    struct ScannedSlip
    {
        SlipSummary summary;
        KnownFile file;
    };
    int scan(QList<ScannedSlip> *slips);
    int unreadableFiles(QList<UnreadableFile> *files);
    int slip(const QString &fileName, std::optional<SavedSlip> *slip);
    // Slips whose period ends between `from` and `to`, both included.
    int slipsEnding(const QDate &from, const QDate &to, QList<SavedSlip> *slips);

    // Writes the slip's row and lines in place of any of the same file.
    int write(const SavedSlip &slip);
    int remove(const QString &fileName);
    int setChanged(const QString &fileName, bool changed, qint64 seenSize, qint64 seenModified);
    int setUnreadable(const UnreadableFile &file);
    int removeUnreadable(const QString &fileName);

private:
    int run(Statement &statement);
    Statement &prepared(Statement &statement, const QString &sql);
    int readSlips(Statement &statement, QList<SavedSlip> *slips);
    int readLines(SavedSlip &slip, qint64 id);

    const HistoryDatabase &m_database;
    Statement m_insertSlip;
    Statement m_insertLine;
    Statement m_deleteSlip;
    Statement m_deleteLines;
    Statement m_selectLines;
};
