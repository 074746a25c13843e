#include "csvtext.h"
#include "database.h"
#include "employeeexport.h"
#include "employeeimport.h"
#include "frenchlocale.h"
#include "schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

// The employee file's CSV: importing 1,000 employees with every column
// filled, into an empty file and into a company that already has 1,000
// (each row checked against them), and exporting 2,000.
namespace {

constexpr int EmployeeCount = 1000;

QByteArray employeesCsv(const QString &prefix)
{
    const QStringList columns = EmployeeExport::columns();
    QVector<QStringList> rows{columns};
    for (int k = 0; k < EmployeeCount; ++k) {
        QStringList row;
        for (const QString &column : columns) {
            if (column == QLatin1String("NOM"))
                row << QStringLiteral("%1%2").arg(prefix).arg(k);
            else if (column == QLatin1String("PRENOM"))
                row << QStringLiteral("prénom d'%1").arg(k);
            else if (column == QLatin1String("NUMSECU") || column == QLatin1String("TEL")
                     || column == QLatin1String("ADRESSE") || column == QLatin1String("VILLE"))
                row << QStringLiteral("tours %1").arg(k);
            else if (Schema::rateColumns().contains(column) || EmployeeRules::baseColumns().contains(column))
                row << QStringLiteral("%1,5").arg(k % 90);
            else
                row << QString();
        }
        rows << row;
    }
    return CsvText::write(rows);
}

void clearEmployees(Database &database)
{
    sqlite3_exec(database.handle(), "DELETE FROM \"SALARIE\"", nullptr, nullptr, nullptr);
}

void importInto(benchmark::State &state, bool alreadyStaffed)
{
    QTemporaryDir dir;
    StoreError error;
    auto database = Database::open(dir.path(), Schema::mainDatabase(), &error);
    const QByteArray staff = employeesCsv(QStringLiteral("ancien"));
    const QByteArray content = employeesCsv(QStringLiteral("nouveau"));
    for (auto _ : state) {
        state.PauseTiming();
        clearEmployees(*database);
        if (alreadyStaffed && !EmployeeImport::run(database, staff).succeeded())
            state.SkipWithError("the staff was not imported");
        state.ResumeTiming();
        const EmployeeImport::Result result = EmployeeImport::run(database, content);
        if (!result.succeeded() || result.added != EmployeeCount)
            state.SkipWithError(qPrintable(result.report()));
    }
}

void BM_ImportIntoEmptyFile(benchmark::State &state)
{
    importInto(state, false);
}

void BM_ImportIntoStaffedCompany(benchmark::State &state)
{
    importInto(state, true);
}

void BM_ExportTwoThousand(benchmark::State &state)
{
    QTemporaryDir dir;
    StoreError error;
    auto database = Database::open(dir.path(), Schema::mainDatabase(), &error);
    EmployeeImport::run(database, employeesCsv(QStringLiteral("ancien")));
    EmployeeImport::run(database, employeesCsv(QStringLiteral("nouveau")));
    const QString path = QDir(dir.path()).filePath(QStringLiteral("salariés.csv"));
    for (auto _ : state) {
        QString message;
        if (EmployeeExport::write(*database, path, &message) != 2 * EmployeeCount)
            state.SkipWithError(qPrintable(message));
    }
}

} // namespace

BENCHMARK(BM_ImportIntoEmptyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoStaffedCompany)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportTwoThousand)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FrenchLocale::install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
