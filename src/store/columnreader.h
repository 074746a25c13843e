#pragma once

#include "storeerror.h"

#include <QString>
#include <QStringList>

class Database;

// Reads one text column of every record of a table in a single query, in the
// table's natural record order (the order of its views), for lists that show
// one field of the whole table without walking a view record by record.
namespace ColumnReader {

// The column's texts, first record first. On refusal (unknown table or
// column, unreadable file) texts is left empty and the error says why.
StoreError read(Database &database, const QString &table, const QString &column,
                QStringList *texts);

} // namespace ColumnReader
