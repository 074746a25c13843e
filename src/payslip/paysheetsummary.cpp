#include "paysheetsummary.h"

namespace PaySheetSummary {

namespace {

constexpr int CaptionWidth = 50;
constexpr int AmountWidth = 14;

QString row(const QString &caption, const QString &francs, const QString &euros = QString())
{
    return caption.leftJustified(CaptionWidth) + francs.rightJustified(AmountWidth)
           + euros.rightJustified(AmountWidth) + u'\n';
}

QString overtime(const QString &hours, const QString &percent)
{
    return QStringLiteral("Heures supplémentaires majorées %1 h à %2 %").arg(hours, percent);
}

} // namespace

QString text(const PaySheet &s)
{
    QString out;
    out += QStringLiteral("Fiche de paie de %1\n").arg(s.employee_name);
    out += QStringLiteral("Période du %1 au %2\n\n").arg(s.period_start_text, s.period_end_text);
    out += row(QString(), QStringLiteral("Francs"), QStringLiteral("Euros"));
    out += row(QStringLiteral("Salaire de base"), s.base_salary, s.base_salary_euro);
    out += row(QStringLiteral("Heures complémentaires non majorées (%1 h)").arg(s.plain_comp_hours),
               s.plain_comp_amount, s.plain_comp_amount_euro);
    out += row(overtime(s.band1_hours, s.band1_percent), s.band1_amount, s.band1_amount_euro);
    out += row(overtime(s.band2_hours, s.band2_percent), s.band2_amount, s.band2_amount_euro);
    out += row(QStringLiteral("Congés payés (%1 h)").arg(s.leave_hours_taken), s.leave_amount,
               s.leave_amount_euro);
    out += row(QStringLiteral("Commission sur chiffre"), s.commission_amount, s.commission_amount_euro);
    out += row(QStringLiteral("Absences (%1 h)").arg(s.absence_hours), s.absence_amount,
               s.absence_amount_euro);
    out += row(QStringLiteral("Prime"), s.bonus);
    out += u'\n';
    out += row(QStringLiteral("Salaire Brut"), s.gross_pay, s.gross_pay_euro);
    out += row(QStringLiteral("Total des retenues Salariales"), s.employee_total, s.employee_total_euro);
    out += row(QStringLiteral("Total des retenues Patronales"), s.employer_total, s.employer_total_euro);
    out += row(QStringLiteral("Acompte reçu"), s.advance);
    out += row(QStringLiteral("Net à Payer"), s.net_to_pay, s.net_to_pay_euro);
    out += row(QStringLiteral("Net Imposable"), s.taxable_net, s.taxable_net_euro);
    out += row(QStringLiteral("Cumul Imposable"), s.cumulative_taxable, s.cumulative_taxable_euro);
    out += row(QStringLiteral("Cumul Brut"), s.cumulative_gross);
    out += u'\n';
    out += QStringLiteral("Congés payés restant dûs : %1 Heure(s)\n").arg(s.leave_balance);
    return out;
}

} // namespace PaySheetSummary
