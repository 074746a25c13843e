#pragma once

#include "statement.h"
#include "storeerror.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <map>
#include <memory>

class Database;
struct TableDefinition;

// A cursor over every record of one table, in the table's natural (rowid)
// order, with a current record or none. Several views over one table coexist.
//
// Field texts written with setFieldText() are pending changes of the current
// record; they are stored, in one transaction, when the view leaves the record
// (reload, any move or repositioning) or by writeCurrent(). A refused store
// keeps the view on the record with its pending changes and returns the
// numbered error.
//
// A new record, once stored, joins the view's records (in rowid order, so at
// the end) and becomes the current record. After deleteCurrent() the view
// stands between records: moveNext() reaches the record that followed.
class RecordView
{
public:
    // Opens the view on the first record of the table (call reload() to
    // learn of a read failure).
    RecordView(std::shared_ptr<Database> database, const QString &tableName);

    const QString &tableName() const { return m_tableName; }
    Database &database() const { return *m_database; }

    // Stores the pending changes, then re-reads the table; the current record
    // becomes the first one, or none.
    StoreError reload();

    int count() const;
    // Zero-based index of the current record; -1 when there is none
    // (empty table, past either end, or a new record not yet stored).
    int position() const;
    StoreError setPosition(int index);

    StoreError moveFirst();
    StoreError moveLast();
    StoreError moveNext();
    StoreError movePrevious();
    bool atEnd() const { return m_atEnd; }
    bool atStart() const { return m_atStart; }
    bool hasCurrent() const;

    // Makes current the first record whose field equals value exactly (a bound
    // parameter, never SQL text). When none matches, noMatch() is true and the
    // current record does not change.
    StoreError findFirst(const QString &field, const QString &value);
    bool noMatch() const { return m_noMatch; }

    // Starts a new record with every field empty (after storing pending changes).
    StoreError addNew();
    void dropNew();
    bool isNew() const { return m_isNew; }

    // Removes the current record at once; afterwards there is no current record.
    StoreError deleteCurrent();

    QString fieldText(const QString &field) const;
    void setFieldText(const QString &field, const QString &text);
    QByteArray fieldData(const QString &field) const;
    void setFieldData(const QString &field, const QByteArray &data);
    bool hasPendingChanges() const { return !m_pending.isEmpty(); }
    void discardChanges();

    StoreError writeCurrent();
    StoreError goToLastModified();
    // Whether the current record is still in the table, another program
    // having perhaps deleted it since it was read: refused with
    // NoCurrentRecord when it is gone. A new record has nothing to check.
    StoreError checkCurrentStillStored();

private:
    StoreError storePending();
    StoreError insertNew();
    StoreError updateCurrent();
    StoreError checkConstraints(const QHash<QString, QVariant> &values) const;
    QHash<QString, QVariant> mergedValues() const;
    StoreError moveToIndex(int index);
    StoreError moveToRowid(qint64 rowid);
    StoreError readCurrent();
    StoreError storeError(int sqliteCode, const QString &detail) const;
    StoreError writeRefusal(int number, const QString &message) const;
    StoreError readError(int sqliteCode) const;
    StoreError noCurrentRecord() const;
    Statement prepare(const QString &sql) const;

    std::shared_ptr<Database> m_database;
    QString m_tableName;
    const TableDefinition *m_table = nullptr;
    QVector<qint64> m_rowids;
    int m_index = -1;
    bool m_isNew = false;
    bool m_atEnd = false;
    bool m_atStart = false;
    bool m_noMatch = false;
    qint64 m_lastModified = -1;
    bool m_removed = false; // the current record was deleted; m_index is its follower
    QHash<QString, QVariant> m_current;
    QHash<QString, QVariant> m_pending;
    QHash<QString, QVariant> m_emptyRecord;
    QString m_selectColumns;
    Statement m_readStatement;
    Statement m_rowidStatement;
    std::map<QString, Statement> m_findStatements;
};
