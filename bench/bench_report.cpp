#include "demodata.h"
#include "paycalculation.h"
#include "pagerenderer.h"
#include "payslipformulaset.h"
#include "reportengine.h"
#include "reportpreview.h"
#include "storedpayinputs.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The pay slip's outputs, on the demonstration folder's employee paid the
// SMIC, with a calculated October 2001 sheet: building the 183 formulas and
// rendering the page as PDF (the figure that must stay under 50 ms), saving
// the pay slip, and opening the preview window.
namespace {

struct Payslip
{
    PaySheet sheet;
    EmployeeRecordTexts record;
    EmployerRecordTexts employer;
};

QTemporaryDir *folder = nullptr;

Payslip calculatedPayslip()
{
    const auto inputs = std::get<StoredPayInputs>(
        StoredPayInputs::load(folder->path(), DemoData::employees().first()));
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    PaySheet &sheet = opened.sheet;
    sheet.complementary_hours = QStringLiteral("8");
    sheet.absence_hours = QStringLiteral("7");
    sheet.advance = QStringLiteral("1000");
    sheet.period_start_day = QStringLiteral("01");
    sheet.period_start_month = QStringLiteral("10");
    sheet.period_start_year = QStringLiteral("2001");
    sheet.period_end_day = QStringLiteral("31");
    sheet.period_end_month = QStringLiteral("10");
    sheet.period_end_year = QStringLiteral("2001");
    if (PayCalculation::calculate(sheet, opened.employee, inputs.parameters, inputs.euroRate))
        qFatal("calculation refused");
    return {sheet, inputs.record,
            std::get<EmployerRecordTexts>(StoredPayInputs::loadEmployer(folder->path()))};
}

void handOver(ReportEngine &engine, const QList<FormulaEntry> &entries)
{
    for (const FormulaEntry &entry : entries)
        engine.set_formula(entry.number, entry.text);
}

// What a PDF of the pay slip costs from the calculated sheet on: the formula
// set, the hand-over, reading the layout and writing the PDF.
void BM_FormulaSetAndPdf(benchmark::State &state)
{
    const Payslip payslip = calculatedPayslip();
    ReportEngine engine;
    for (auto _ : state) {
        PaySheet sheet = payslip.sheet;
        handOver(engine, PayslipFormulaSet::build(sheet, payslip.record, payslip.employer));
        if (engine.renderPdf(QStringLiteral("fiche.pdf")).failed())
            state.SkipWithError("PDF refused");
    }
}
BENCHMARK(BM_FormulaSetAndPdf)->Unit(benchmark::kMillisecond);

// The PDF alone, the entries already handed over.
void BM_Pdf(benchmark::State &state)
{
    Payslip payslip = calculatedPayslip();
    ReportEngine engine;
    handOver(engine, PayslipFormulaSet::build(payslip.sheet, payslip.record, payslip.employer));
    for (auto _ : state)
        if (engine.renderPdf(QStringLiteral("fiche.pdf")).failed())
            state.SkipWithError("PDF refused");
}
BENCHMARK(BM_Pdf)->Unit(benchmark::kMillisecond);

// "Enregistrement de la fiche": the saved pay slip file.
void BM_SaveReport(benchmark::State &state)
{
    Payslip payslip = calculatedPayslip();
    ReportEngine engine;
    handOver(engine, PayslipFormulaSet::build(payslip.sheet, payslip.record, payslip.employer));
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(QStringLiteral("octobre.rpt"));
    for (auto _ : state)
        if (engine.run().failed())
            state.SkipWithError("save refused");
}
BENCHMARK(BM_SaveReport)->Unit(benchmark::kMillisecond);

// "Aperçu avant impression" from the handed-over entries: the preview window
// built, shown and painted once.
void BM_PreviewWindow(benchmark::State &state)
{
    Payslip payslip = calculatedPayslip();
    ReportEngine engine;
    handOver(engine, PayslipFormulaSet::build(payslip.sheet, payslip.record, payslip.employer));
    ReportError error;
    const std::optional<ReportDocument> document = engine.document(&error);
    if (!document) {
        state.SkipWithError("layout refused");
        return;
    }
    for (auto _ : state) {
        ReportPreview preview(*document);
        preview.show();
        preview.grab();
    }
}
BENCHMARK(BM_PreviewWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir directory;
    folder = &directory;
    if (const auto refused = DemoData::write(directory.path()))
        qFatal("%s", qPrintable(*refused));
    QDir::setCurrent(directory.path());
    ReportEngine::ensureDeliveredLayout();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
