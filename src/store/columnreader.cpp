#include "columnreader.h"

#include "database.h"
#include "statement.h"
#include "tabledefinition.h"

#include <sqlite3.h>

namespace ColumnReader {

StoreError read(Database &database, const QString &table, const QString &column, QStringList *texts)
{
    texts->clear();
    const TableDefinition *definition = database.table(table);
    if (!definition || !definition->hasColumn(column))
        return StoreError(
            StoreError::UnknownField,
            QStringLiteral("Le champ « %1 » de la table %2 est introuvable.").arg(column, table));

    Statement statement(database.handle(), QLatin1String("SELECT ") + quoteIdentifier(column)
                                               + QLatin1String(" FROM ") + quoteIdentifier(table)
                                               + QLatin1String(" ORDER BY rowid"));
    int rc = statement.prepareCode();
    if (statement.isValid()) {
        QStringList found;
        while ((rc = statement.step()) == SQLITE_ROW)
            found << statement.columnText(0);
        statement.reset();
        if (rc == SQLITE_DONE) {
            *texts = std::move(found);
            return StoreError();
        }
        rc = sqlite3_extended_errcode(database.handle());
    }
    return StoreError(StoreError::CannotRead,
                      QStringLiteral("Impossible de lire la table %1 du fichier « %2 » : %3.")
                          .arg(table, database.fileName(), StoreError::reason(rc)));
}

} // namespace ColumnReader
