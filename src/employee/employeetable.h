#pragma once

#include "employeerules.h"
#include "storeerror.h"

#include <QVector>
#include <memory>

class Database;

// The whole-table readings and writings of the employee screen, each in one
// query or one transaction instead of one view move per record: the names of
// every employee (duplicate check), their upper-casing, and the ten values
// the search compares. Records come in the table's natural order, so index k
// is the position k of a view over the table.
class EmployeeTable
{
public:
    explicit EmployeeTable(std::shared_ptr<Database> database);

    StoreError readNames(QVector<EmployeeRules::NamePair> *names) const;

    // Stores the names of the records 0 to `last` in upper case, all in one
    // transaction, except the record at `skip`; only names that change are
    // written. `names` is updated to what was stored.
    StoreError storeNamesInUpperCase(QVector<EmployeeRules::NamePair> *names, int last,
                                     int skip) const;

    StoreError readSearchValues(QVector<EmployeeRules::SearchValues> *records) const;

private:
    StoreError readError(const QString &what) const;

    std::shared_ptr<Database> m_database;
    // Rowids of the records last read by readNames(), in the same order.
    mutable QVector<qint64> m_rowids;
};
