#include "carryover.h"

#include "numbertext.h"

#include <QStringList>

namespace {

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString undatedNote(int undated)
{
    if (undated == 0)
        return QString();
    return undated == 1
        ? QStringLiteral(" Une fiche de ce salarié sans période lisible n'est pas comptée.")
        : QStringLiteral(" %1 fiches de ce salarié sans période lisible ne sont pas comptées.")
              .arg(QString::number(undated));
}

// Empty counts as 0, as the calculation counts an empty field.
std::optional<double> fieldValue(const QString &text)
{
    return text.trimmed().isEmpty() ? std::optional<double>(0) : NumberText::read(text);
}

bool same(const QString &typed, const QString &carried)
{
    const std::optional<double> a = fieldValue(typed);
    const std::optional<double> b = fieldValue(carried);
    return a && b && *a == *b;
}

} // namespace

QString CarryOver::description() const
{
    const QString note = undatedNote(undated);
    switch (status) {
    case Status::Carried:
        return QStringLiteral("Repris de la fiche %1.").arg(source->description())
               + (cumulativesRestart ? QStringLiteral(" Nouvelle année : les cumuls repartent de zéro.")
                                     : QString())
               + note;
    case Status::NoPreviousSlip:
        return QStringLiteral("Aucune fiche de paie enregistrée de ce salarié ne se termine avant le %1.")
                   .arg(dayText(periodStart))
               + note;
    case Status::Conflict: {
        QStringList others;
        for (const SlipSummary &slip : conflicting)
            others << slip.description();
        return QStringLiteral("La fiche %1 et la fiche %2 de ce salarié portent sur des périodes qui se "
                              "chevauchent : rien n'est repris. Supprimez celle qui est de trop dans la "
                              "liste des fiches de paie.")
            .arg(source->description(), others.join(QStringLiteral(", la fiche ")));
    }
    case Status::Changed:
        return QStringLiteral("La fiche %1 a été modifiée en dehors du programme depuis son "
                              "enregistrement : ses chiffres ne sont pas repris. Enregistrez de nouveau "
                              "cette fiche de paie, ou supprimez-la.")
            .arg(source->description());
    case Status::NotANumber:
        return QStringLiteral("La fiche %1 imprime un chiffre qui n'est pas un nombre (congés dûs "
                              "« %2 », cumul imposable « %3 », cumul brut « %4 ») : rien n'est repris.")
            .arg(source->description(), source->leave_balance, source->cumulative_taxable,
                 source->cumulative_gross);
    }
    return QString();
}

bool CarryOver::agreesWith(const QString &leaveBalance, const QString &cumulativeTaxable,
                           const QString &cumulativeGross) const
{
    if (!carried())
        return true;
    return same(leaveBalance, previous_leave_balance) && same(cumulativeTaxable, previous_cumulative_taxable)
           && same(cumulativeGross, previous_cumulative_gross);
}
