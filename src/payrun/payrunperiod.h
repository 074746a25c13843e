#pragma once

#include <QDate>
#include <QString>
#include <variant>

// The period a month's pay run pays: a first and a last day, a calendar
// month unless the clerk moved either end. Its key names the month's files
// (the slips, the draft) so that they sort by period.
class PayRunPeriod
{
public:
    PayRunPeriod() = default;
    PayRunPeriod(const QDate &first, const QDate &last) : m_first(first), m_last(last) {}

    // The whole calendar month.
    static PayRunPeriod month(int year, int month);
    // Two typed dates (01/03/2001), or why they make no period, in French.
    static std::variant<PayRunPeriod, QString> read(const QString &first, const QString &last);

    const QDate &first() const { return m_first; }
    const QDate &last() const { return m_last; }
    bool isValid() const { return m_first.isValid() && m_last.isValid() && m_first <= m_last; }
    bool isWholeMonth() const;

    // « 2001-03 » for a whole month, « 2001-03-01 au 2001-03-15 » otherwise.
    QString key() const;
    // « du 01/03/2001 au 31/03/2001 ».
    QString text() const;
    // « mars 2001 » for a whole month, the text() otherwise.
    QString shortText() const;
    // A date as the clerk types it: 01/03/2001.
    static QString dayText(const QDate &date);

    bool operator==(const PayRunPeriod &) const = default;

private:
    QDate m_first;
    QDate m_last;
};
