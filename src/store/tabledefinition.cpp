#include "tabledefinition.h"

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString TableDefinition::createStatement() const
{
    QStringList definitions;
    for (const QString &column : columns) {
        QString definition = quoteIdentifier(column)
                             + (isBlob(column) ? QLatin1String(" BLOB") : QLatin1String(" TEXT"));
        if (column == primaryKey)
            definition += QLatin1String(" PRIMARY KEY NOT NULL");
        else if (requiredColumns.contains(column))
            definition += QLatin1String(" NOT NULL");
        definitions << definition;
    }
    return QLatin1String("CREATE TABLE ") + quoteIdentifier(name) + QLatin1String(" (")
           + definitions.join(QLatin1String(", ")) + QLatin1Char(')');
}

const TableDefinition *DatabaseDefinition::table(const QString &name) const
{
    for (const TableDefinition &definition : tables) {
        if (definition.name == name)
            return &definition;
    }
    return nullptr;
}
