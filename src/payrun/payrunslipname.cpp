#include "payrunslipname.h"

#include "payslipfilename.h"

namespace PayRunSlipName {

namespace {

bool refusedInName(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control
           || QStringLiteral("/\\:*?\"<>|").contains(c);
}

} // namespace

QString name(const PayRunPeriod &period, const QString &names)
{
    QString cleaned;
    cleaned.reserve(names.size());
    for (const QChar c : names)
        cleaned += refusedInName(c) ? QChar(u' ') : c;
    return (period.key() + u' ' + cleaned.simplified()).trimmed();
}

QString fileName(const PayRunPeriod &period, const QString &names)
{
    return PayslipFileName::fileName(name(period, names));
}

} // namespace PayRunSlipName
