#include "backupwriter.h"
#include "database.h"
#include "demodata.h"
#include "paycalculation.h"
#include "payhistory.h"
#include "payslipformulaset.h"
#include "reportengine.h"
#include "restoreplan.h"
#include "schema.h"
#include "slipsubject.h"
#include "statement.h"
#include "storedpayinputs.h"
#include "transaction.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// « Sauvegarder » and « Restaurer » on a company of 1,000 employees paid
// every month of 2001: the employee file with 1,000 records, 12,000 saved
// pay slips (each a real slip written by the report engine for the
// demonstration's SMIC employee, under its own employee and month), the pay
// history of them all and the layout. The limit for each is
// 5 s.
namespace {

constexpr int Employees = 1000;
constexpr int Months = 12;

QTemporaryDir *root = nullptr;
QString company;

QByteArray slipTemplate()
{
    const auto inputs = std::get<StoredPayInputs>(StoredPayInputs::load(company, DemoData::employees().first()));
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    PaySheet sheet = opened.sheet;
    sheet.complementary_hours = QStringLiteral("8");
    if (PayCalculation::calculate(sheet, opened.employee, inputs.parameters, inputs.euroRate))
        qFatal("calculation refused");
    const auto employer = std::get<EmployerRecordTexts>(StoredPayInputs::loadEmployer(company));
    ReportEngine engine;
    engine.set_report_file(QStringLiteral(":/report/rkv.rpl"));
    for (const FormulaEntry &entry : PayslipFormulaSet::build(sheet, inputs.record, employer))
        engine.set_formula(entry.number, entry.text);
    engine.setProperties({{QLatin1String(SlipSubject::Identification), QStringLiteral("@IDENTIFICATION@")},
                          {QLatin1String(SlipSubject::PeriodStart), QStringLiteral("@START@")},
                          {QLatin1String(SlipSubject::PeriodEnd), QStringLiteral("@END@")}});
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(QDir(company).filePath(QStringLiteral("modèle.tmp")));
    if (const ReportError error = engine.run(); error.failed())
        qFatal("%s", qPrintable(error.message));
    QFile file(engine.outputFile());
    file.open(QIODevice::ReadOnly);
    const QByteArray content = file.readAll();
    file.remove();
    return content;
}

QString identification(int employee)
{
    return QStringLiteral("SALARIE%1 , PRENOM").arg(employee, 4, 10, QLatin1Char('0'));
}

void writeEmployees()
{
    StoreError error;
    auto database = Database::open(company, Schema::mainDatabase(), &error);
    if (!database)
        qFatal("%s", qPrintable(error.message()));
    const QStringList columns = Schema::employees().columns;
    QStringList quoted;
    QStringList parameters;
    for (int i = 0; i < columns.size(); ++i) {
        quoted << quoteIdentifier(columns.at(i));
        parameters << QStringLiteral("?%1").arg(i + 1);
    }
    Transaction transaction(*database);
    Statement insert(database->handle(), QStringLiteral("INSERT INTO \"SALARIE\" (%1) VALUES (%2)")
                                             .arg(quoted.join(u','), parameters.join(u',')));
    for (int n = 0; n < Employees; ++n) {
        for (int c = 0; c < columns.size(); ++c) {
            const QString &column = columns.at(c);
            QString value = QStringLiteral("1,0");
            if (column == QLatin1String("NOM"))
                value = QStringLiteral("SALARIE%1").arg(n, 4, 10, QLatin1Char('0'));
            else if (column == QLatin1String("PRENOM"))
                value = QStringLiteral("PRENOM");
            else if (column == QLatin1String("IDENTIFICATION"))
                value = identification(n);
            else if (column == QLatin1String("PHOTO")) {
                insert.bindBlob(c + 1, {});
                continue;
            }
            insert.bindText(c + 1, value);
        }
        insert.step();
        insert.reset();
    }
    transaction.commit();
}

void writeSlips()
{
    const QByteArray model = slipTemplate();
    for (int month = 1; month <= Months; ++month) {
        const QDate start(2001, month, 1);
        for (int employee = 0; employee < Employees; ++employee) {
            QByteArray content = model;
            content.replace("@IDENTIFICATION@", identification(employee).toUtf8());
            content.replace("@START@", start.toString(Qt::ISODate).toLatin1());
            content.replace("@END@", start.addMonths(1).addDays(-1).toString(Qt::ISODate).toLatin1());
            QFile file(QDir(company).filePath(
                QStringLiteral("%1 %2.rpt").arg(start.toString(QStringLiteral("yyyy-MM")), identification(employee))));
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                qFatal("slip not written");
        }
    }
}

qint64 folderSize()
{
    qint64 total = 0;
    for (const QFileInfo &info : QDir(company).entryInfoList(QDir::Files))
        total += info.size();
    return total;
}

QString archivePath()
{
    return root->filePath(QStringLiteral("sauvegarde.tar.zst"));
}

void BM_Backup(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archivePath());
        state.ResumeTiming();
        const BackupResult result = BackupWriter::write(QDir(company), archivePath());
        if (!result.succeeded())
            state.SkipWithError(qPrintable(result.message));
    }
    state.counters["dossier_Mo"] = double(folderSize()) / 1e6;
    state.counters["archive_Mo"] = double(QFileInfo(archivePath()).size()) / 1e6;
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(3);

// Into a new folder, every entry checked, then in place.
void BM_RestoreIntoNewFolder(benchmark::State &state)
{
    if (!QFileInfo::exists(archivePath()))
        BackupWriter::write(QDir(company), archivePath());
    // A folder of its own each time: ext4 is slow to create files just
    // after thousands were deleted, which is not the clerk's case.
    int round = 0;
    for (auto _ : state) {
        const QString target = root->filePath(QStringLiteral("restaurée-%1").arg(++round));
        auto prepared = RestorePlan::prepare(archivePath(), target);
        if (auto *refusal = std::get_if<BackupResult>(&prepared)) {
            state.SkipWithError(qPrintable(refusal->message));
            break;
        }
        const BackupResult result = std::get<std::unique_ptr<RestorePlan>>(prepared)->carryOut();
        if (!result.succeeded())
            state.SkipWithError(qPrintable(result.message));
    }
    for (int i = 1; i <= round; ++i)
        QDir(root->filePath(QStringLiteral("restaurée-%1").arg(i))).removeRecursively();
}
BENCHMARK(BM_RestoreIntoNewFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

// Over the company itself: the automatic backup of the state replaced comes
// first. The replaced files are deleted afterwards, while the clerk works
// on: their deletion is given apart.
void BM_RestoreOverTheCompany(benchmark::State &state)
{
    if (!QFileInfo::exists(archivePath()))
        BackupWriter::write(QDir(company), archivePath());
    double removal = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(QDir(company).filePath(QStringLiteral("sauvegardes"))).removeRecursively();
        state.ResumeTiming();
        auto prepared = RestorePlan::prepare(archivePath(), company);
        if (auto *refusal = std::get_if<BackupResult>(&prepared)) {
            state.SkipWithError(qPrintable(refusal->message));
            break;
        }
        auto &plan = std::get<std::unique_ptr<RestorePlan>>(prepared);
        const BackupResult result = plan->carryOut();
        if (!result.succeeded())
            state.SkipWithError(qPrintable(result.message));
        state.PauseTiming();
        QElapsedTimer clock;
        clock.start();
        plan.reset();
        removal += double(clock.elapsed());
        state.ResumeTiming();
    }
    state.counters["suppression_ms"] = removal / double(state.iterations());
}
BENCHMARK(BM_RestoreOverTheCompany)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir directory;
    root = &directory;
    company = directory.filePath(QStringLiteral("entreprise"));
    if (const auto refused = DemoData::write(company))
        qFatal("%s", qPrintable(*refused));
    writeEmployees();
    writeSlips();
    QFile::copy(QStringLiteral(":/report/rkv.rpl"), QDir(company).filePath(QStringLiteral("rkv.rpl")));
    // The history of the 12,000 slips, as the program keeps it.
    if (!PayHistory::open(company).history)
        qFatal("history not built");

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
