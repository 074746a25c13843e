#include "schema.h"

#include "contributionlines.h"

namespace Schema {

namespace {

// Every field of a record, empty.
QMap<QString, QString> emptyRecord(const QStringList &columns)
{
    QMap<QString, QString> record;
    for (const QString &column : columns)
        record.insert(column, QString(QLatin1String("")));
    return record;
}

} // namespace

QStringList rateColumns()
{
    QStringList columns;
    for (int i = 0; i < ContributionLines::RateCount; ++i)
        columns << ContributionLines::rateColumn(i);
    return columns;
}

TableDefinition employees()
{
    TableDefinition table;
    table.name = QStringLiteral("SALARIE");
    table.columns = QStringList{
        QStringLiteral("IDENTIFICATION"), QStringLiteral("NUMSECU"),
        QStringLiteral("NOM"),            QStringLiteral("PRENOM"),
        QStringLiteral("TEL"),            QStringLiteral("ADRESSE"),
        QStringLiteral("CODEPOSTAL"),     QStringLiteral("VILLE"),
        QStringLiteral("POSTE"),          QStringLiteral("Entré le"),
        QStringLiteral("PHOTO"),          QStringLiteral("BASEHORAIRE"),
        QStringLiteral("TAUXHORAIRE"),    QStringLiteral("MDLBAC1"),
        QStringLiteral("PP1"),            QStringLiteral("RAPPLS1"),
    } + rateColumns() + QStringList{QStringLiteral("PAR3")};
    table.blobColumns = QStringList{QStringLiteral("PHOTO")};
    table.primaryKey = QStringLiteral("IDENTIFICATION");
    table.requiredColumns = QStringList{QStringLiteral("NOM")};
    return table;
}

TableDefinition parameters()
{
    TableDefinition table;
    table.name = QStringLiteral("PARMETRE");
    table.settingsTable = true;
    const QList<QPair<QString, QString>> delivered = {
        {QStringLiteral("PLAFONTRAADEBUT"), QStringLiteral("14950")},
        {QStringLiteral("PRETRANCHEH"), QStringLiteral("25,00")},
        {QStringLiteral("DEUTRANCHEH"), QStringLiteral("50")},
        {QStringLiteral("HEURSUP1"), QStringLiteral("169")},
        {QStringLiteral("HEURSUP2"), QStringLiteral("200")},
        {QStringLiteral("POURCENTCSGRDS"), QStringLiteral("5")},
        {QStringLiteral("POURCENTCSGROPTIOB"), QStringLiteral("0,95")},
        {QStringLiteral("OPTIONA"), QStringLiteral("1")}, // ticked
        {QStringLiteral("OPTIONB"), QStringLiteral("0")}, // unticked
        {QStringLiteral("conge1"), QStringLiteral("20")},
        {QStringLiteral("conge2"), QStringLiteral("169")},
    };
    QMap<QString, QString> record;
    for (const auto &[column, value] : delivered) {
        table.columns << column;
        record.insert(column, value);
    }
    table.deliveredRecords << record;
    return table;
}

TableDefinition euroRate()
{
    TableDefinition table;
    table.name = QStringLiteral("TEURO");
    table.settingsTable = true;
    table.columns = QStringList{QStringLiteral("Taux de L'euro")};
    table.deliveredRecords << QMap<QString, QString>{{QStringLiteral("Taux de L'euro"),
                                                      QStringLiteral("6,55957")}};
    return table;
}

TableDefinition employer()
{
    TableDefinition table;
    table.name = QStringLiteral("EMPLOYEUR");
    table.settingsTable = true;
    table.columns = QStringList{
        QStringLiteral("NomSociété"),   QStringLiteral("Adresse"),
        QStringLiteral("CodePostal"),   QStringLiteral("Ville"),
        QStringLiteral("NuméroTél"),    QStringLiteral("NumTélécopie"),
        QStringLiteral("Siret"),        QStringLiteral("APE"),
        QStringLiteral("N°URSSAF"),     QStringLiteral("Directeur du perssonel"),
        QStringLiteral("Type de societe"),
    };
    table.deliveredRecords << emptyRecord(table.columns);
    return table;
}

DatabaseDefinition mainDatabase()
{
    return DatabaseDefinition{QString::fromLatin1(MainFileName),
                              {employees(), parameters(), euroRate()}};
}

DatabaseDefinition employerDatabase()
{
    return DatabaseDefinition{QString::fromLatin1(EmployerFileName), {employer()}};
}

} // namespace Schema
