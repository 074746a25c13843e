#include "employeetable.h"

#include "database.h"
#include "statement.h"
#include "transaction.h"

#include <sqlite3.h>

namespace {

QString columnList(const QStringList &columns)
{
    QStringList quoted;
    for (const QString &column : columns)
        quoted << quoteIdentifier(column);
    return quoted.join(u',');
}

} // namespace

EmployeeTable::EmployeeTable(std::shared_ptr<Database> database)
    : m_database(std::move(database))
{
}

StoreError EmployeeTable::readError(const QString &what) const
{
    return StoreError(StoreError::CannotRead,
                      QStringLiteral("Impossible de lire %1 dans le fichier « %2 » : %3.")
                          .arg(what, m_database->fileName(),
                               StoreError::reason(sqlite3_extended_errcode(m_database->handle()))));
}

StoreError EmployeeTable::readNames(QVector<EmployeeRules::NamePair> *names) const
{
    Statement query(m_database->handle(),
                    QStringLiteral("SELECT rowid, \"NOM\", \"PRENOM\" FROM \"SALARIE\" ORDER BY rowid"));
    names->clear();
    m_rowids.clear();
    int rc = SQLITE_ROW;
    while (query.isValid() && (rc = query.step()) == SQLITE_ROW) {
        m_rowids.append(query.columnInt64(0));
        names->append({query.columnText(1), query.columnText(2)});
    }
    if (!query.isValid() || rc != SQLITE_DONE)
        return readError(QStringLiteral("les noms des salariés"));
    return {};
}

StoreError EmployeeTable::storeNamesInUpperCase(QVector<EmployeeRules::NamePair> *names, int last,
                                                int skip) const
{
    last = std::min<int>(last, int(std::min(names->size(), m_rowids.size())) - 1);
    QVector<int> changed;
    for (int k = 0; k <= last; ++k) {
        const EmployeeRules::NamePair &pair = names->at(k);
        if (k != skip && (!EmployeeRules::isUpperCase(pair.surname)
                          || !EmployeeRules::isUpperCase(pair.firstName)))
            changed << k;
    }
    if (changed.isEmpty())
        return {};

    const auto refused = [this] {
        return StoreError(StoreError::CannotWrite,
                          QStringLiteral("Impossible d’enregistrer les noms des salariés en "
                                         "majuscules dans le fichier « %1 » : %2.")
                              .arg(m_database->fileName(),
                                   StoreError::reason(sqlite3_extended_errcode(m_database->handle()))));
    };
    Transaction transaction(*m_database);
    if (!transaction.isActive())
        return refused();
    Statement update(m_database->handle(),
                     QStringLiteral("UPDATE \"SALARIE\" SET \"NOM\" = ?1, \"PRENOM\" = ?2 WHERE rowid = ?3"));
    for (int k : std::as_const(changed)) {
        const EmployeeRules::NamePair &pair = names->at(k);
        update.bindText(1, EmployeeRules::upperCase(pair.surname));
        update.bindText(2, EmployeeRules::upperCase(pair.firstName));
        update.bindInt64(3, m_rowids.at(k));
        if (update.step() != SQLITE_DONE)
            return refused();
        update.reset();
    }
    if (!transaction.commit())
        return refused();
    for (int k : std::as_const(changed)) {
        EmployeeRules::NamePair &pair = (*names)[k];
        pair = {EmployeeRules::upperCase(pair.surname), EmployeeRules::upperCase(pair.firstName)};
    }
    return {};
}

StoreError EmployeeTable::readSearchValues(QVector<EmployeeRules::SearchValues> *records) const
{
    const QStringList columns = EmployeeRules::searchColumns();
    Statement query(m_database->handle(), QStringLiteral("SELECT ") + columnList(columns)
                                              + QStringLiteral(" FROM \"SALARIE\" ORDER BY rowid"));
    records->clear();
    int rc = SQLITE_ROW;
    while (query.isValid() && (rc = query.step()) == SQLITE_ROW) {
        EmployeeRules::SearchValues values;
        for (int i = 0; i < int(values.size()); ++i)
            values[i] = query.columnText(i);
        records->append(values);
    }
    if (!query.isValid() || rc != SQLITE_DONE)
        return readError(QStringLiteral("les salariés"));
    return {};
}
