#pragma once

#include "historyrows.h"

#include <QDir>
#include <QStringList>

class HistoryDatabase;

// Brings the pay history up to date with the saved pay slips of its folder:
// a .rpt file added (by another program, by hand, by a save stopped before
// its history row) is read in; one removed leaves the history; one whose
// size or time of change differs is compared by checksum, and a content
// other than the one recorded marks its slip as changed, until it matches
// again. A file that is no readable pay slip is listed as unreadable and
// read again only once it changes. Nothing is written when nothing differs.
class HistoryUpdate
{
public:
    HistoryUpdate(const HistoryDatabase &database, const QDir &directory);

    // Compares the rows just read with the folder and writes the
    // difference in one transaction. The engine's result code; `changed`
    // says whether anything was written, `notices` receives, in French,
    // what the clerk should know of what was found this time (a slip
    // changed, a file unreadable).
    int run(const QList<HistoryRows::ScannedSlip> &slips, const QList<HistoryRows::UnreadableFile> &unreadable,
            QStringList *notices, bool *changed);

private:
    struct Plan;
    void plan(Plan &plan, const QList<HistoryRows::ScannedSlip> &slips,
              const QList<HistoryRows::UnreadableFile> &unreadable, QStringList *notices);
    int apply(const Plan &plan);

    const HistoryDatabase &m_database;
    QDir m_directory;
    HistoryRows m_rows;
};
