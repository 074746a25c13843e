#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <variant>

// The months a statement covers: from the first day of its first month to
// the last day of its last. The slips it takes are those whose period ends
// within those days, so a slip belongs to the month its period ends in.
struct StatementPeriod
{
    QDate first; // first day of the first month
    QDate last;  // last day of the last month

    static StatementPeriod months(int fromMonth, int fromYear, int toMonth, int toYear);
    static StatementPeriod month(int month, int year);
    static StatementPeriod quarter(int quarter, int year); // 1 to 4
    static StatementPeriod year(int year);

    // "MM/YYYY" -> the first day of that month; invalid when it is not one.
    static QDate parseMonth(const QString &text);
    // The period of `--from MM/YYYY --to MM/YYYY` or `--year YYYY`, or why
    // the options are not one, in French.
    static std::variant<StatementPeriod, QString> fromOptions(const QString &from, const QString &to,
                                                              const QString &year);

    bool isValid() const { return first.isValid() && last.isValid() && first <= last; }
    bool coversSeveralMonths() const;
    // « janvier 2001 », « de janvier à mars 2001 », « de décembre 2000 à février 2001 »
    QString text() const;
    bool operator==(const StatementPeriod &) const = default;
};
