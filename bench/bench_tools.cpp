#include "database.h"
#include "employeelistscreen.h"
#include "frenchlocale.h"
#include "schema.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

// The employee list on a file of 10,000 employees: the rebuild every
// activation runs, and the first opening.
namespace {

constexpr int EmployeeCount = 10000;

// A working folder whose SALARIE holds the employees, written in one statement.
class EmployeeFile
{
public:
    EmployeeFile()
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        StoreError error;
        auto database = Database::open(QStringLiteral("."), Schema::mainDatabase(), &error);
        const QByteArray fill = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO \"SALARIE\" (\"NOM\", \"PRENOM\", \"IDENTIFICATION\") "
            "SELECT printf('NOM%05d', i), 'JEAN', printf('NOM%05d , JEAN', i) FROM n;")
                                    .arg(EmployeeCount)
                                    .toUtf8();
        if (!database || sqlite3_exec(database->handle(), fill.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("cannot fill the employee file");
    }
    ~EmployeeFile() { QDir::setCurrent(m_previous); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

void BM_ListRebuild(benchmark::State &state)
{
    EmployeeFile file;
    EmployeeListScreen list;
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.rebuild();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ListRebuild)->Unit(benchmark::kMillisecond);

void BM_ListOpening(benchmark::State &state)
{
    EmployeeFile file;
    for (auto _ : state) {
        auto *list = new EmployeeListScreen;
        list->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete list;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ListOpening)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FrenchLocale::install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
