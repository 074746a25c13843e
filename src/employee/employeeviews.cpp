#include "employeeviews.h"

#include "database.h"
#include "employeerules.h"
#include "employeetable.h"
#include "recordview.h"
#include "schema.h"

std::unique_ptr<EmployeeViews> EmployeeViews::open(const EmployeeMessages &messages)
{
    StoreError error;
    std::shared_ptr<Database> database = Database::open(QStringLiteral("."), Schema::mainDatabase(), &error);
    if (!database) {
        messages.reported(error);
        return nullptr;
    }
    return std::unique_ptr<EmployeeViews>(new EmployeeViews(std::move(database), messages));
}

EmployeeViews::EmployeeViews(std::shared_ptr<Database> database, const EmployeeMessages &messages)
    : m_database(std::move(database))
    , m_messages(messages)
{
    const QString table = QStringLiteral("SALARIE");
    m_edit = std::make_unique<RecordView>(m_database, table);
    m_mirror = std::make_unique<RecordView>(m_database, table);
    m_search = std::make_unique<RecordView>(m_database, table);
    m_table = std::make_unique<EmployeeTable>(m_database);
}

EmployeeViews::~EmployeeViews() = default;

bool EmployeeViews::hasEmployees() const
{
    return m_edit->count() > 0;
}

bool EmployeeViews::reload(RecordView &view) const
{
    return !reported(view.reload());
}

void EmployeeViews::settle(RecordView &view) const
{
    if (view.count() > 0)
        reported(view.moveLast());
    if (view.count() > 0)
        reported(view.moveFirst());
}

void EmployeeViews::refresh(RecordView &view) const
{
    reload(view);
    settle(view);
}

// The ten values of every record are read in one query, compared in record
// order, each record listed once.
std::optional<EmployeeViews::SearchResult> EmployeeViews::searchKeys(const QString &criterion) const
{
    refresh(*m_search);
    QVector<EmployeeRules::SearchValues> records;
    if (reported(m_table->readSearchValues(&records)))
        return std::nullopt;
    if (QStringList exact = EmployeeRules::searchMatches(records, criterion); !exact.isEmpty())
        return SearchResult{exact, false};
    return SearchResult{EmployeeRules::searchContaining(records, criterion), true};
}
