#include "valuesource.h"

#include "contributionlines.h"
#include "schema.h"

#include <QHash>

namespace {

const char *const EmployeeScreen = "la fiche salarié";
const char *const ParametersScreen = "Paramètrage > Paramètre Général";

QString correctIn(const char *pronoun, const QString &place)
{
    return QStringLiteral("Corrigez-%1 dans %2.").arg(QLatin1String(pronoun), place);
}

struct Words
{
    const char *subject;
    const char *pronoun;
    const char *place;
};

Words employeeBaseWords(const QString &field)
{
    static const QHash<QString, Words> words = {
        {QStringLiteral("BASEHORAIRE"), {"La base horaire de l’employé", "la", "onglet Base"}},
        {QStringLiteral("TAUXHORAIRE"), {"Le taux horaire de l’employé", "le", "onglet Base"}},
        {QStringLiteral("PP1"), {"La part patronale de la mutuelle de l’employé", "la", "onglet Base"}},
        {QStringLiteral("RAPPLS1"),
         {"Le reste à payer de la mutuelle par l’employé", "le", "onglet Base"}},
    };
    return words.value(field);
}

// The parameter's meaning and the tab of the parameters screen it sits on.
std::pair<const char *, const char *> parameterWords(const QString &column)
{
    static const QHash<QString, std::pair<const char *, const char *>> words = {
        {QStringLiteral("PRETRANCHEH"),
         {"majoration des heures supplémentaires, première tranche", "Taux heures sup"}},
        {QStringLiteral("DEUTRANCHEH"),
         {"majoration des heures supplémentaires, deuxième tranche", "Taux heures sup"}},
        {QStringLiteral("HEURSUP1"), {"heures supplémentaires, premier seuil", "Taux heures sup"}},
        {QStringLiteral("HEURSUP2"), {"heures supplémentaires, second seuil", "Taux heures sup"}},
        {QStringLiteral("POURCENTCSGRDS"),
         {"pourcentage déduit du brut pour la base CSG et RDS (option A)", "Calcul CSG RDS"}},
        {QStringLiteral("POURCENTCSGROPTIOB"),
         {"coefficient de la base CSG et RDS (option B)", "Calcul CSG RDS"}},
        {QStringLiteral("conge1"), {"heures de congés payés acquises", "Congés Payés"}},
        {QStringLiteral("conge2"), {"base d’heures des congés payés", "Congés Payés"}},
    };
    return words.value(column);
}

// The captions of the preparation screen, without their leader dots.
const char *typedCaption(const QString &name)
{
    static const QHash<QString, const char *> captions = {
        {QStringLiteral("absence_hours"), "Heures absences"},
        {QStringLiteral("complementary_hours"), "Heures complèmentaires"},
        {QStringLiteral("leave_hours_taken"), "Congés payés ( Hres)"},
        {QStringLiteral("commission_rate"), "% Sur (pourcentage de la commission)"},
        {QStringLiteral("commission_base"), "% Sur (chiffre de la commission)"},
        {QStringLiteral("advance"), "Acompte reçu"},
        {QStringLiteral("bonus"), "Prime"},
        {QStringLiteral("previous_leave_balance"), "Heures de congés dûes"},
        {QStringLiteral("previous_cumulative_taxable"), "Dernier Cumul Imposable"},
        {QStringLiteral("previous_cumulative_gross"), "Dernier Cumul Brut"},
    };
    return captions.value(name, "");
}

} // namespace

QString ValueSource::value() const
{
    switch (m_kind) {
    case Kind::EmployeeRate:
        return Schema::rateColumns().at(m_index);
    case Kind::EuroRate:
        return QStringLiteral("Taux de L'euro");
    default:
        return QString::fromLatin1(m_name);
    }
}

QString ValueSource::subject() const
{
    switch (m_kind) {
    case Kind::EmployeeBase:
        return QString::fromUtf8(employeeBaseWords(value()).subject);
    case Kind::EmployeeRate: {
        const QString label = ContributionLines::rowLabel(m_index / 2);
        const QString line = label.isEmpty()
                                 ? QStringLiteral("de la vingtième ligne de cotisation")
                                 : QStringLiteral("« %1 »").arg(label);
        return QStringLiteral("Le taux %1 %2 de l’employé (%3)")
            .arg(m_index % 2 == 0 ? QStringLiteral("patronal") : QStringLiteral("salarial"), line,
                 value());
    }
    case Kind::Parameter:
        return QStringLiteral("Le paramètre « %1 » (%2)")
            .arg(QString::fromUtf8(parameterWords(value()).first), value());
    case Kind::EuroRate:
        return QStringLiteral("Le taux de l’euro");
    case Kind::Typed:
        return QStringLiteral("Le champ « %1 »").arg(QString::fromUtf8(typedCaption(value())));
    case Kind::Opening:
        return value() == QLatin1String("base_salary")
                   ? QStringLiteral("Le salaire de base de la préparation")
                   : QStringLiteral("Le taux d’acquisition des congés payés de la préparation");
    }
    return QString();
}

QString ValueSource::remedy() const
{
    const QString employeeScreen = QString::fromUtf8(EmployeeScreen);
    switch (m_kind) {
    case Kind::EmployeeBase: {
        // The remaining share cannot be typed: the screen computes it.
        if (value() == QLatin1String("RAPPLS1"))
            return QStringLiteral("Il se recalcule dès que le montant de la base ou la part "
                                  "patronale de la mutuelle est modifié dans %1, onglet Base.")
                .arg(employeeScreen);
        const Words words = employeeBaseWords(value());
        return correctIn(words.pronoun, employeeScreen + QStringLiteral(", ") + QString::fromUtf8(words.place));
    }
    case Kind::EmployeeRate:
        return correctIn("le", employeeScreen + QStringLiteral(", onglet Taux des Cotisations"));
    case Kind::Parameter:
        return correctIn("le", QString::fromUtf8(ParametersScreen) + QStringLiteral(", onglet ")
                                   + QString::fromUtf8(parameterWords(value()).second));
    case Kind::EuroRate:
        return correctIn("le", QStringLiteral("Paramètrage > Taux de l'euro"));
    case Kind::Typed:
        return correctIn("le", QStringLiteral("la préparation de la fiche de paie"));
    case Kind::Opening:
        return QStringLiteral("Fermez la préparation de la fiche de paie et rouvrez-la.");
    }
    return QString();
}
