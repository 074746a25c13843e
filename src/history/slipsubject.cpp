#include "slipsubject.h"

#include "datetext.h"
#include "paysheet.h"

namespace SlipSubject {

namespace {

std::optional<QDate> dateOf(const QString &day, const QString &month, const QString &year)
{
    return DateText::read(day + u'/' + month + u'/' + year);
}

QString isoText(const std::optional<QDate> &date)
{
    return date ? date->toString(Qt::ISODate) : QString();
}

} // namespace

QMap<QString, QString> properties(const QString &identification, const PaySheet &sheet)
{
    return {{QLatin1String(Identification), identification},
            {QLatin1String(PeriodStart), isoText(periodStart(sheet))},
            {QLatin1String(PeriodEnd), isoText(periodEnd(sheet))}};
}

std::optional<QDate> periodStart(const PaySheet &sheet)
{
    return dateOf(sheet.period_start_day, sheet.period_start_month, sheet.period_start_year);
}

std::optional<QDate> periodEnd(const PaySheet &sheet)
{
    return dateOf(sheet.period_end_day, sheet.period_end_month, sheet.period_end_year);
}

QString identificationOf(const QString &surname, const QString &firstName)
{
    return surname + QStringLiteral(" , ") + firstName;
}

} // namespace SlipSubject
