#include "employeeexport.h"

#include "csvtext.h"
#include "database.h"
#include "schema.h"
#include "statement.h"
#include "wholefile.h"

#include <QDir>
#include <optional>
#include <sqlite3.h>

namespace EmployeeExport {

QStringList columns()
{
    const TableDefinition table = Schema::employees();
    QStringList names = table.columns;
    for (const QString &blob : table.blobColumns)
        names.removeAll(blob);
    return names;
}

namespace {

QString selectAll(const QStringList &names)
{
    QStringList quoted;
    for (const QString &column : names)
        quoted << quoteIdentifier(column);
    return QStringLiteral("SELECT ") + quoted.join(u',')
           + QStringLiteral(" FROM \"SALARIE\" ORDER BY rowid");
}

// The header and one row per employee; nothing when the file cannot be read.
std::optional<QVector<QStringList>> rows(Database &database, StoreError *error)
{
    const QStringList names = columns();
    QVector<QStringList> table{names};
    Statement query(database.handle(), selectAll(names));
    int rc = SQLITE_ROW;
    while (query.isValid() && (rc = query.step()) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < names.size(); ++i)
            row << query.columnText(i);
        table << row;
    }
    if (!query.isValid() || rc != SQLITE_DONE) {
        *error = StoreError(StoreError::CannotRead,
                            QStringLiteral("Impossible de lire les salariés dans le fichier « %1 » : %2.")
                                .arg(database.fileName(),
                                     StoreError::reason(sqlite3_extended_errcode(database.handle()))));
        return std::nullopt;
    }
    return table;
}

} // namespace

QByteArray content(Database &database, StoreError *error)
{
    const auto table = rows(database, error);
    return table ? CsvText::write(*table) : QByteArray();
}

int write(Database &database, const QString &path, QString *error)
{
    StoreError readError;
    const auto table = rows(database, &readError);
    if (!table) {
        *error = readError.message();
        return -1;
    }
    if (const int failure = WholeFile::write(path, CsvText::write(*table))) {
        *error = QStringLiteral("Impossible d’écrire le fichier « %1 » : %2.")
                     .arg(QDir::toNativeSeparators(path), WholeFile::reason(failure));
        return -1;
    }
    return int(table->size()) - 1;
}

} // namespace EmployeeExport
