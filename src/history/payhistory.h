#pragma once

#include "carryover.h"
#include "historyrows.h"
#include "savedslip.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <variant>

class HistoryDatabase;

// The pay history of one working folder: every pay slip saved there, with
// its employee, its period and its printed figures, kept in the folder's
// own database "historique.rkv" beside the described files. Opening it
// brings it up to date with the folder's .rpt files (see HistoryUpdate), so
// what it lists is what the archive holds; a damaged history is set aside
// and rebuilt from those files.
//
// Every save of a pay slip records it (record), every deletion from the
// archive forgets it (forget). What it lists is read once, at the opening;
// record and forget keep that list in step.
class PayHistory
{
public:
    static constexpr const char *FileName = "historique.rkv";

    struct Opening
    {
        std::unique_ptr<PayHistory> history; // none when `failure` says why
        // What the clerk must be told, in French: a damaged history rebuilt,
        // a slip found changed, a file that is no readable pay slip.
        QStringList notices;
        QString failure;
    };
    static Opening open(const QString &directory);
    ~PayHistory();

    // After a save: the files (names in the folder) are read back and
    // recorded, each in place of any earlier row of the same name, in one
    // transaction. Returns why they could not be, in French.
    std::optional<QString> record(const QStringList &fileNames);
    // The same with slips already read (SlipFile::fromBytes).
    std::optional<QString> record(const QList<SavedSlip> &slips);
    // After a deletion from the archive.
    std::optional<QString> forget(const QString &fileName);

    // What a save or a deletion does with the history of its folder: opens
    // it, records or forgets, and gathers what the clerk must be told.
    // `failed` when the history could not take the change; it then catches
    // up at its next opening, and the messages say so. A folder without a
    // history has nothing to forget: none is made for it.
    struct Outcome
    {
        QStringList messages;
        bool failed = false;
    };
    static Outcome recordIn(const QString &directory, const QStringList &fileNames);
    static Outcome forgetIn(const QString &directory, const QString &fileName);

    // Every slip, by employee, then by the end of its period.
    const QList<SlipSummary> &slips() const { return m_slips; }
    QList<SlipSummary> slipsOf(const QString &identification) const;
    // The slips of an employee whose period shares a day with the one given:
    // a slip already saved for that period.
    QList<SlipSummary> overlapping(const QString &identification, const QDate &start, const QDate &end) const;
    // The files of the folder that are no readable pay slip, with the reason.
    const QList<HistoryRows::UnreadableFile> &unreadable() const { return m_unreadable; }

    // The carry-over rule for a new period starting on `periodStart`.
    CarryOver carryOver(const QString &identification, const QDate &periodStart) const;
    // The same for many employees at once (the pay run's grid).
    QHash<QString, CarryOver> carryOver(const QStringList &identifications, const QDate &periodStart) const;

    // Every figure of one slip, or of the slips whose period ends between
    // two days (both included), read from the database.
    std::variant<std::optional<SavedSlip>, QString> slip(const QString &fileName) const;
    std::variant<QList<SavedSlip>, QString> slipsEnding(const QDate &from, const QDate &to) const;

private:
    PayHistory(std::unique_ptr<HistoryDatabase> database, const QDir &directory);
    int bringUpToDate(QStringList *notices);
    int reload();
    void adopt(const QList<HistoryRows::ScannedSlip> &slips, QList<HistoryRows::UnreadableFile> unreadable);
    std::optional<QString> write(const QList<SavedSlip> &slips);

    std::unique_ptr<HistoryDatabase> m_database;
    QDir m_directory;
    std::unique_ptr<HistoryRows> m_rows;
    QList<SlipSummary> m_slips;
    QHash<QString, QList<qsizetype>> m_byEmployee; // indexes into m_slips
    QList<HistoryRows::UnreadableFile> m_unreadable;
};
