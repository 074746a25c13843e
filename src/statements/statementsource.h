#pragma once

#include "savedslip.h"
#include "statementperiod.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>
#include <variant>

// The slips a statement is made of, read from the pay history of a working
// folder, with every printed amount read to the centime. An amount that is
// not one is an error naming the slip and the figure, never a zero; a blank
// figure is one the slip does not print, worth nothing.
struct StatementSlip
{
    QString fileName;
    QString identification;
    QString employeeName; // « MOREAU Jean »
    QDate periodStart;
    QDate periodEnd;
    bool changed = false; // listed, never counted
    qint64 gross_pay = 0;
    qint64 employee_total = 0;
    qint64 employer_total = 0;
    qint64 employer_mutual_share = 0;
    qint64 net_salary = 0;
    qint64 employee_mutual_share = 0;
    qint64 advance = 0;
    qint64 net_to_pay = 0;
    qint64 taxable_net = 0;
    QString hoursPaid; // as printed (hourly base), summed by the recap
    qint64 hoursPaidHundredths = 0;
    struct Line
    {
        QString label;
        qint64 base = 0;
        qint64 employee = 0;
        qint64 employer = 0;
    };
    std::array<Line, 20> lines;

    // The figures of a saved slip, or why one is not an amount, in French.
    static std::variant<StatementSlip, QString> fromSaved(const SavedSlip &slip);
};

struct StatementSource
{
    StatementPeriod period;
    QList<StatementSlip> slips; // by end of period, then employee
    QString euroRate;           // the folder's, as stored; empty when none
    QStringList notices;        // from opening the history

    // The slips of `period` in the working folder `directory`, or why they
    // cannot be read, in French.
    static std::variant<StatementSource, QString> load(const QString &directory, const StatementPeriod &period);
    static std::variant<StatementSource, QString> fromSaved(const QList<SavedSlip> &slips,
                                                            const StatementPeriod &period, const QString &euroRate);
};
