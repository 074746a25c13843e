#pragma once

#include "storeerror.h"

#include <QMap>
#include <QString>
#include <memory>

class Database;
class RecordView;
struct DatabaseDefinition;

// The single record of a settings table, as a settings screen edits it: the
// table is opened in the working directory on its first record; a write
// stores every given field at once and stays on that record.
class SettingsRecord
{
public:
    SettingsRecord();
    ~SettingsRecord();
    SettingsRecord(const SettingsRecord &) = delete;
    SettingsRecord &operator=(const SettingsRecord &) = delete;

    StoreError open(const DatabaseDefinition &definition, const QString &tableName);
    bool isOpen() const { return m_view != nullptr; }

    // The stored text of a column; empty when the table is not open.
    QString text(const QString &column) const;

    // Stores the texts in the record. On refusal nothing is left pending, so
    // the stored record stays as it was.
    StoreError write(const QMap<QString, QString> &texts);

private:
    std::shared_ptr<Database> m_database;
    std::unique_ptr<RecordView> m_view;
};
