#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// An identifier as SQL text: always between double quotes, inner quotes
// doubled, since the program's names carry blanks, accents and apostrophes.
QString quoteIdentifier(const QString &name);

// What a table of the two database files is made of: its columns (all TEXT
// but the BLOB ones), its key and required columns, and the records it is
// delivered with when its file is created.
struct TableDefinition
{
    QString name;
    QStringList columns;
    QStringList blobColumns;
    QString primaryKey;          // empty when the table has none
    QStringList requiredColumns; // never empty
    bool settingsTable = false;  // single record edited in place; refusals are 524
    QList<QMap<QString, QString>> deliveredRecords;

    bool isBlob(const QString &column) const { return blobColumns.contains(column); }
    bool hasColumn(const QString &column) const { return columns.contains(column); }
    QString createStatement() const;
};

// A database file and the tables it holds.
struct DatabaseDefinition
{
    QString fileName;
    QList<TableDefinition> tables;

    const TableDefinition *table(const QString &name) const;
};
