#pragma once

#include "carriedover.h"
#include "payrunperiod.h"
#include "reportdocument.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class PayHistory;

// What the month's pay run asks of the pay history of its working folder,
// opened once for the whole staff (and so brought up to date with the
// folder's slips once): the figures carried over from each employee's
// previous slip, the slips already saved for the period, and the saving of
// slips so that the history records them, as every other save does. The
// history is opened at the first question, so that a folder found to hold
// no employee file never gets one.
class PayRunHistory
{
public:
    explicit PayRunHistory(const QString &directory);
    ~PayRunHistory();
    PayRunHistory(const PayRunHistory &) = delete;
    PayRunHistory &operator=(const PayRunHistory &) = delete;

    // What the clerk must be told of the opening: a damaged history
    // rebuilt, a slip changed outside the program, a history that cannot
    // be read at all (nothing is then carried over).
    const QStringList &notices() const;

    CarriedOver carriedOver(const QString &identification, const PayRunPeriod &period) const;
    // The files of the employee's slips whose period shares a day with the
    // period: the slips the new one replaces. Without a readable history,
    // the slip of the systematic name.
    QStringList savedSlips(const QString &identification, const QString &names, const PayRunPeriod &period) const;

    // The last day paid by any saved slip, nothing when none is saved.
    std::optional<QDate> lastPaidDay() const;

    // Writes the slip whole as `fileName` of the folder; the slips of
    // `replacing` (from savedSlips) other than that file are deleted and
    // forgotten once it is written. It is recorded by record().
    ReportError save(const QString &fileName, const ReportDocument &document, const QStringList &replacing);
    // Records the slips written, in one change of the history; why it
    // could not, in French (it then catches up at its next opening).
    QString record(const QStringList &fileNames);

private:
    PayHistory *history() const;

    QString m_directory;
    mutable bool m_opened = false;
    mutable std::unique_ptr<PayHistory> m_history;
    mutable QStringList m_notices;
};
