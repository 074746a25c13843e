#include "recordview.h"

#include "database.h"
#include "tabledefinition.h"
#include "transaction.h"

#include <QtDebug>

#include <sqlite3.h>

#include <algorithm>

namespace {

const TableDefinition &unknownTable()
{
    static const TableDefinition table;
    return table;
}

QString quotedText(const QString &text)
{
    return QStringLiteral("« %1 »").arg(text);
}

bool isEmptyValue(const QVariant &value)
{
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray().isEmpty()
                                                   : value.toString().isEmpty();
}

void bindValue(Statement &statement, int index, const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray)
        statement.bindBlob(index, value.toByteArray());
    else
        statement.bindText(index, value.toString());
}

QString parameterList(qsizetype count)
{
    QStringList parameters;
    for (qsizetype i = 1; i <= count; ++i)
        parameters << QLatin1Char('?') + QString::number(i);
    return parameters.join(u',');
}

} // namespace

RecordView::RecordView(std::shared_ptr<Database> database, const QString &tableName)
    : m_database(std::move(database))
    , m_tableName(tableName)
{
    m_table = m_database->table(tableName);
    if (!m_table)
        m_table = &unknownTable();

    QStringList quoted;
    for (const QString &column : m_table->columns) {
        quoted << quoteIdentifier(column);
        m_emptyRecord.insert(column, m_table->isBlob(column)
                                         ? QVariant(QByteArray())
                                         : QVariant(QString(QLatin1String(""))));
    }
    m_selectColumns = quoted.join(u',');
    const QString table = quoteIdentifier(m_tableName);
    m_readStatement = prepare(QLatin1String("SELECT ") + m_selectColumns + QLatin1String(" FROM ")
                              + table + QLatin1String(" WHERE rowid = ?1"));
    // Without ORDER BY the engine reads the rowids from the key's index, far
    // smaller than the table with its photos; sorting them here is cheaper.
    m_rowidStatement = prepare(QLatin1String("SELECT rowid FROM ") + table);
    m_current = m_emptyRecord;
    reload();
}

Statement RecordView::prepare(const QString &sql) const
{
    return Statement(m_database->handle(), sql);
}

// --- errors -----------------------------------------------------------------

StoreError RecordView::writeRefusal(int number, const QString &message) const
{
    // Whatever stops a settings record from being written, its screen
    // answers the same way.
    if (m_table->settingsTable)
        return StoreError(StoreError::SettingsNotWritten, message);
    return StoreError(number, message);
}

StoreError RecordView::storeError(int sqliteCode, const QString &detail) const
{
    switch (sqliteCode) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        return writeRefusal(
            StoreError::DuplicateKey,
            QStringLiteral("Enregistrement impossible : la table %1 contient déjà un "
                           "enregistrement de clé %2.")
                .arg(m_tableName, quotedText(detail)));
    case SQLITE_CONSTRAINT_NOTNULL:
        return writeRefusal(StoreError::RequiredMissing,
                            QStringLiteral("Enregistrement impossible : un champ obligatoire de la "
                                           "table %1 est vide.")
                                .arg(m_tableName));
    default:
        return writeRefusal(
            StoreError::CannotWrite,
            QStringLiteral("Impossible d’enregistrer dans la table %1 du fichier %2 : %3.")
                .arg(m_tableName, quotedText(m_database->fileName()),
                     StoreError::reason(sqliteCode)));
    }
}

StoreError RecordView::readError(int sqliteCode) const
{
    const QString why = m_table == &unknownTable() ? QStringLiteral("la table est absente")
                                                   : StoreError::reason(sqliteCode);
    return StoreError(StoreError::CannotRead,
                      QStringLiteral("Impossible de lire la table %1 du fichier %2 : %3.")
                          .arg(m_tableName, quotedText(m_database->fileName()), why));
}

StoreError RecordView::noCurrentRecord() const
{
    return StoreError(
        StoreError::NoCurrentRecord,
        QStringLiteral("Aucun enregistrement courant dans la table %1.").arg(m_tableName));
}

// --- reading and moving -------------------------------------------------------

StoreError RecordView::reload()
{
    if (StoreError error = storePending())
        return error;

    QVector<qint64> rowids;
    rowids.reserve(m_rowids.size());
    int rc = SQLITE_ROW;
    while ((rc = m_rowidStatement.step()) == SQLITE_ROW)
        rowids.append(m_rowidStatement.columnInt64(0));
    m_rowidStatement.reset();
    if (rc != SQLITE_DONE)
        return readError(m_rowidStatement.isValid() ? sqlite3_extended_errcode(m_database->handle())
                                                    : m_rowidStatement.prepareCode());
    std::sort(rowids.begin(), rowids.end());
    m_rowids = std::move(rowids);
    return moveToIndex(0);
}

int RecordView::count() const
{
    return int(m_rowids.size());
}

int RecordView::position() const
{
    if (m_isNew || m_removed || m_index < 0 || m_index >= count())
        return -1;
    return m_index;
}

bool RecordView::hasCurrent() const
{
    return m_isNew || position() >= 0;
}

StoreError RecordView::setPosition(int index)
{
    if (index < 0 || index >= count())
        return noCurrentRecord();
    return moveToIndex(index);
}

StoreError RecordView::moveFirst()
{
    return moveToIndex(0);
}

StoreError RecordView::moveLast()
{
    if (StoreError error = storePending())
        return error;
    return moveToIndex(count() - 1);
}

StoreError RecordView::moveNext()
{
    if (StoreError error = storePending())
        return error;
    // After a deletion m_index already designates the record that followed.
    return moveToIndex(std::min(m_removed ? m_index : m_index + 1, count()));
}

StoreError RecordView::movePrevious()
{
    if (StoreError error = storePending())
        return error;
    return moveToIndex(std::max(m_index - 1, -1));
}

// index -1 is before the first record, count() past the last one.
StoreError RecordView::moveToIndex(int index)
{
    if (StoreError error = storePending())
        return error;
    const int size = count();
    m_removed = false;
    m_index = size == 0 ? -1 : std::clamp(index, -1, size);
    m_atStart = size == 0 || m_index < 0;
    m_atEnd = size == 0 || m_index >= size;
    return readCurrent();
}

StoreError RecordView::moveToRowid(qint64 rowid)
{
    if (StoreError error = storePending())
        return error;
    auto place = std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid);
    // A record stored by another view since the last reload joins this one.
    if (place == m_rowids.end() || *place != rowid)
        place = m_rowids.insert(place, rowid);
    return moveToIndex(int(place - m_rowids.begin()));
}

StoreError RecordView::readCurrent()
{
    m_current = m_emptyRecord;
    const int index = position();
    if (index < 0)
        return {};
    m_readStatement.bindInt64(1, m_rowids.at(index));
    const int rc = m_readStatement.step();
    if (rc == SQLITE_ROW) {
        for (int column = 0; column < m_table->columns.size(); ++column) {
            const QString &name = m_table->columns.at(column);
            m_current.insert(name, m_table->isBlob(name)
                                       ? QVariant(m_readStatement.columnBlob(column))
                                       : QVariant(m_readStatement.columnText(column)));
        }
    }
    m_readStatement.reset();
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) // DONE: deleted by another view, reads empty
        return {};
    return readError(m_readStatement.isValid() ? sqlite3_extended_errcode(m_database->handle())
                                               : m_readStatement.prepareCode());
}

StoreError RecordView::findFirst(const QString &field, const QString &value)
{
    if (!m_table->hasColumn(field))
        return StoreError(StoreError::UnknownField,
                          QStringLiteral("Le champ %1 n’existe pas dans la table %2.")
                              .arg(quotedText(field), m_tableName));
    if (StoreError error = storePending())
        return error;

    auto found = m_findStatements.find(field);
    if (found == m_findStatements.end()) {
        const QString sql = QLatin1String("SELECT rowid FROM ") + quoteIdentifier(m_tableName)
                            + QLatin1String(" WHERE ") + quoteIdentifier(field)
                            + QLatin1String(" = ?1 ORDER BY rowid LIMIT 1");
        found = m_findStatements.emplace(field, prepare(sql)).first;
    }
    Statement &find = found->second;
    find.bindText(1, value);
    const int rc = find.step();
    const qint64 rowid = rc == SQLITE_ROW ? find.columnInt64(0) : -1;
    find.reset();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return readError(find.isValid() ? sqlite3_extended_errcode(m_database->handle())
                                        : find.prepareCode());
    m_noMatch = rc == SQLITE_DONE;
    if (m_noMatch)
        return {};
    return moveToRowid(rowid);
}

// --- new records and deletion --------------------------------------------------

StoreError RecordView::addNew()
{
    if (StoreError error = storePending())
        return error;
    m_isNew = true;
    m_current = m_emptyRecord;
    m_pending.clear();
    return {};
}

void RecordView::dropNew()
{
    if (!m_isNew)
        return;
    m_isNew = false;
    m_pending.clear();
    readCurrent();
}

StoreError RecordView::deleteCurrent()
{
    const int index = position();
    if (index < 0)
        return noCurrentRecord();
    const qint64 rowid = m_rowids.at(index);

    Transaction transaction(*m_database);
    if (!transaction.isActive())
        return storeError(transaction.errorCode(), QString());
    Statement remove = prepare(QLatin1String("DELETE FROM ") + quoteIdentifier(m_tableName)
                               + QLatin1String(" WHERE rowid = ?1"));
    remove.bindInt64(1, rowid);
    if (remove.step() != SQLITE_DONE)
        return storeError(sqlite3_extended_errcode(m_database->handle()), QString());
    if (!transaction.commit())
        return storeError(transaction.errorCode(), QString());

    m_rowids.remove(index);
    m_removed = true;
    m_pending.clear();
    m_current = m_emptyRecord;
    if (m_lastModified == rowid)
        m_lastModified = -1;
    return {};
}

// --- field texts -------------------------------------------------------------

QString RecordView::fieldText(const QString &field) const
{
    if (m_table->isBlob(field))
        return QString(QLatin1String(""));
    const auto pending = m_pending.constFind(field);
    if (pending != m_pending.constEnd())
        return pending->toString();
    return m_current.value(field, QString(QLatin1String(""))).toString();
}

void RecordView::setFieldText(const QString &field, const QString &text)
{
    if (!m_table->hasColumn(field) || m_table->isBlob(field)) {
        qWarning("RecordView: %s has no text field %s", qPrintable(m_tableName), qPrintable(field));
        return;
    }
    if (!hasCurrent())
        return; // nothing to change; a screen may clear its fields on an empty table
    if (m_current.value(field).toString() == text)
        m_pending.remove(field);
    else
        m_pending.insert(field, text);
}

QByteArray RecordView::fieldData(const QString &field) const
{
    if (!m_table->isBlob(field))
        return fieldText(field).toUtf8();
    const auto pending = m_pending.constFind(field);
    if (pending != m_pending.constEnd())
        return pending->toByteArray();
    return m_current.value(field).toByteArray();
}

void RecordView::setFieldData(const QString &field, const QByteArray &data)
{
    if (!m_table->isBlob(field)) {
        setFieldText(field, QString::fromUtf8(data));
        return;
    }
    if (!hasCurrent())
        return;
    if (m_current.value(field).toByteArray() == data)
        m_pending.remove(field);
    else
        m_pending.insert(field, data);
}

void RecordView::discardChanges()
{
    m_pending.clear();
}

// --- storing -------------------------------------------------------------------

StoreError RecordView::writeCurrent()
{
    if (m_isNew)
        return insertNew();
    if (position() < 0)
        return StoreError(StoreError::NothingToStore,
                          QStringLiteral("Aucun enregistrement à enregistrer dans la table %1.")
                              .arg(m_tableName));
    if (m_pending.isEmpty()) {
        // Nothing changed: the record as it stands is the one last written.
        m_lastModified = m_rowids.at(m_index);
        return {};
    }
    return updateCurrent();
}

StoreError RecordView::checkCurrentStillStored()
{
    const int index = position();
    if (index < 0)
        return {};
    m_readStatement.bindInt64(1, m_rowids.at(index));
    const int rc = m_readStatement.step();
    m_readStatement.reset();
    if (rc == SQLITE_ROW)
        return {};
    if (rc == SQLITE_DONE)
        return writeRefusal(StoreError::NoCurrentRecord,
                            QStringLiteral("Cet enregistrement n’existe plus : il a été supprimé de la "
                                           "table %1 entre-temps. Rien n’a été enregistré.")
                                .arg(m_tableName));
    return readError(m_readStatement.isValid() ? sqlite3_extended_errcode(m_database->handle())
                                               : m_readStatement.prepareCode());
}

StoreError RecordView::goToLastModified()
{
    if (StoreError error = storePending())
        return error;
    if (m_lastModified < 0)
        return noCurrentRecord();
    return moveToRowid(m_lastModified);
}

// Stores what leaving the record would lose. A new record nobody typed into
// is simply abandoned.
StoreError RecordView::storePending()
{
    if (m_isNew) {
        if (!m_pending.isEmpty())
            return insertNew();
        m_isNew = false;
        return {};
    }
    if (m_pending.isEmpty() || position() < 0)
        return {};
    return updateCurrent();
}

QHash<QString, QVariant> RecordView::mergedValues() const
{
    QHash<QString, QVariant> values = m_current;
    for (auto it = m_pending.constBegin(); it != m_pending.constEnd(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

StoreError RecordView::checkConstraints(const QHash<QString, QVariant> &values) const
{
    const QString &key = m_table->primaryKey;
    if (!key.isEmpty() && isEmptyValue(values.value(key)))
        return writeRefusal(
            StoreError::KeyMissing,
            QStringLiteral("Enregistrement impossible : la clé %1 de la table %2 est vide.")
                .arg(key, m_tableName));
    for (const QString &required : m_table->requiredColumns) {
        if (isEmptyValue(values.value(required)))
            return writeRefusal(
                StoreError::RequiredMissing,
                QStringLiteral("Enregistrement impossible : le champ %1 de la table %2 "
                               "doit être renseigné.")
                    .arg(required, m_tableName));
    }
    return {};
}

StoreError RecordView::insertNew()
{
    const QHash<QString, QVariant> values = mergedValues();
    if (StoreError error = checkConstraints(values))
        return error;
    const QString key
        = m_table->primaryKey.isEmpty() ? QString() : values.value(m_table->primaryKey).toString();

    Transaction transaction(*m_database);
    if (!transaction.isActive())
        return storeError(transaction.errorCode(), key);
    Statement insert = prepare(QLatin1String("INSERT INTO ") + quoteIdentifier(m_tableName)
                               + QLatin1String(" (") + m_selectColumns + QLatin1String(") VALUES (")
                               + parameterList(m_table->columns.size()) + QLatin1Char(')'));
    for (int i = 0; i < m_table->columns.size(); ++i)
        bindValue(insert, i + 1, values.value(m_table->columns.at(i)));
    if (insert.step() != SQLITE_DONE)
        return storeError(sqlite3_extended_errcode(m_database->handle()), key);
    const qint64 rowid = sqlite3_last_insert_rowid(m_database->handle());
    if (!transaction.commit())
        return storeError(transaction.errorCode(), key);

    m_isNew = false;
    m_pending.clear();
    m_lastModified = rowid;
    auto place = std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid);
    if (place == m_rowids.end() || *place != rowid)
        place = m_rowids.insert(place, rowid);
    m_index = int(place - m_rowids.begin());
    m_removed = false;
    m_atStart = m_atEnd = false;
    m_current = values;
    return {};
}

StoreError RecordView::updateCurrent()
{
    const QHash<QString, QVariant> values = mergedValues();
    if (StoreError error = checkConstraints(values))
        return error;
    const QString key
        = m_table->primaryKey.isEmpty() ? QString() : values.value(m_table->primaryKey).toString();
    const qint64 rowid = m_rowids.at(m_index);

    Transaction transaction(*m_database);
    if (!transaction.isActive())
        return storeError(transaction.errorCode(), key);
    const QStringList fields = m_pending.keys();
    QStringList assignments;
    for (int i = 0; i < fields.size(); ++i)
        assignments << quoteIdentifier(fields.at(i)) + QLatin1String(" = ?")
                           + QString::number(i + 1);
    Statement update
        = prepare(QLatin1String("UPDATE ") + quoteIdentifier(m_tableName) + QLatin1String(" SET ")
                  + assignments.join(u',') + QLatin1String(" WHERE rowid = ?")
                  + QString::number(fields.size() + 1));
    for (int i = 0; i < fields.size(); ++i)
        bindValue(update, i + 1, m_pending.value(fields.at(i)));
    update.bindInt64(int(fields.size()) + 1, rowid);
    if (update.step() != SQLITE_DONE)
        return storeError(sqlite3_extended_errcode(m_database->handle()), key);
    if (sqlite3_changes(m_database->handle()) == 0)
        return writeRefusal(
            StoreError::NoCurrentRecord,
            QStringLiteral("Enregistrement impossible : l’enregistrement de la table %1 "
                           "a été supprimé entre-temps.")
                .arg(m_tableName));
    if (!transaction.commit())
        return storeError(transaction.errorCode(), key);

    m_pending.clear();
    m_current = values;
    m_lastModified = rowid;
    return {};
}
