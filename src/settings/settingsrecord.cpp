#include "settingsrecord.h"

#include "database.h"
#include "recordview.h"

SettingsRecord::SettingsRecord() = default;
SettingsRecord::~SettingsRecord() = default;

StoreError SettingsRecord::open(const DatabaseDefinition &definition, const QString &tableName)
{
    StoreError error;
    std::shared_ptr<Database> database = Database::open(".", definition, &error);
    if (!database)
        return error;
    auto view = std::make_unique<RecordView>(database, tableName);
    // The reading of the table says why it failed; a view left without its
    // records would only look empty.
    error = view->reload();
    if (error)
        return error;
    if (!view->hasCurrent())
        return StoreError(StoreError::CannotRead,
                          QStringLiteral("La table %1 du fichier « %2 » ne contient aucun "
                                         "enregistrement.")
                              .arg(tableName, database->fileName()));
    m_database = std::move(database);
    m_view = std::move(view);
    return {};
}

QString SettingsRecord::text(const QString &column) const
{
    return m_view ? m_view->fieldText(column) : QString();
}

StoreError SettingsRecord::write(const QMap<QString, QString> &texts)
{
    if (!m_view)
        return StoreError(StoreError::SettingsNotWritten,
                          QStringLiteral("Enregistrement impossible : le fichier n’a pas pu être "
                                         "ouvert."));
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        m_view->setFieldText(it.key(), it.value());
    StoreError error = m_view->writeCurrent();
    if (error) {
        m_view->discardChanges();
        return error;
    }
    return m_view->goToLastModified();
}
