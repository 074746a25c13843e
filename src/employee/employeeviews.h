#pragma once

#include "employeemessages.h"

#include <QStringList>
#include <memory>
#include <optional>

class Database;
class EmployeeTable;
class RecordView;

// The employee file as the employee screen keeps it open: the edit view
// bound to the fields (Data1), the mirror view that follows it (Data2), the
// search view (Data3) and the whole-table readings, over one database. Every
// refusal is told through the screen's messages.
class EmployeeViews
{
public:
    // Opens Bdrk.rkv in the working directory; nothing (the refusal told)
    // when it cannot be opened.
    static std::unique_ptr<EmployeeViews> open(const EmployeeMessages &messages);
    ~EmployeeViews();

    RecordView &edit() const { return *m_edit; }
    RecordView &mirror() const { return *m_mirror; }
    EmployeeTable &table() const { return *m_table; }
    bool hasEmployees() const;

    bool reported(const StoreError &error) const { return m_messages.reported(error); }
    // Reloads the view; false when refused.
    bool reload(RecordView &view) const;
    // Moves the view to its last record, then to its first.
    void settle(RecordView &view) const;
    void refresh(RecordView &view) const;

    // The keys of the records that have a value exactly equal to the
    // criterion, read in one query; when none has, those whose names or
    // town contain it (case and accents ignored). Nothing when the file
    // refuses.
    struct SearchResult
    {
        QStringList keys;
        bool containing = false;
    };
    std::optional<SearchResult> searchKeys(const QString &criterion) const;

private:
    EmployeeViews(std::shared_ptr<Database> database, const EmployeeMessages &messages);

    std::shared_ptr<Database> m_database;
    EmployeeMessages m_messages;
    std::unique_ptr<RecordView> m_edit;
    std::unique_ptr<RecordView> m_mirror;
    std::unique_ptr<RecordView> m_search;
    std::unique_ptr<EmployeeTable> m_table;
};
