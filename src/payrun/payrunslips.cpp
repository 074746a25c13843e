#include "payrunslips.h"

#include "payrun.h"
#include "payrunhistory.h"
#include "payrunslipname.h"
#include "payslipformulaset.h"
#include "reportengine.h"
#include "reportfile.h"
#include "slipsubject.h"
#include "storedpayinputs.h"

#include <QDir>
#include <QFileInfo>

PayRunSlips::PayRunSlips(const ReportLayout &layout, QString layoutFile, EmployerRecordTexts employer,
                         QString directory)
    : m_layout(layout)
    , m_layoutFile(std::move(layoutFile))
    , m_employer(std::move(employer))
    , m_directory(std::move(directory))
{
}

QString PayRunSlips::layoutPath(const QString &directory)
{
    const QString own = QDir(directory).filePath(QLatin1String(ReportEngine::DeliveredLayoutName));
    return QFileInfo::exists(own) ? own : QStringLiteral(":/report/rkv.rpl");
}

std::variant<PayRunSlips, QString> PayRunSlips::prepare(const QString &directory)
{
    auto employer = StoredPayInputs::loadEmployer(directory);
    if (const QString *error = std::get_if<QString>(&employer))
        return *error;
    const QString layoutFile = layoutPath(directory);
    ReportError error;
    const std::optional<ReportLayout> layout = ReportFile::openLayout(layoutFile, &error);
    if (!layout)
        return QStringLiteral("%1 (erreur %2)").arg(error.message, QString::number(error.number));
    return PayRunSlips(*layout, layoutFile, std::get<EmployerRecordTexts>(employer), directory);
}

std::optional<ReportDocument> PayRunSlips::document(const PayRun &run, int index, ReportError *error) const
{
    const PayRunRow &row = run.row(index);
    if (!row.computed)
        return std::nullopt;
    // The pay slip shows the « 0 » the opening wrote into an empty hourly
    // base or rate; the document formats the amounts it prints, on a copy.
    EmployeeRecordTexts record = row.record;
    record.TAUXHORAIRE = row.computed->employee.TAUXHORAIRE;
    record.BASEHORAIRE = row.computed->employee.BASEHORAIRE;
    PaySheet printed = row.computed->sheet;
    QMap<qint16, QString> entries;
    for (const FormulaEntry &entry : PayslipFormulaSet::build(printed, record, m_employer))
        entries.insert(entry.number, entry.text);
    std::optional<ReportDocument> document = ReportDocument::fill(m_layout, entries, m_layoutFile, error);
    // The saved slip names its employee and its period, as the preparation's does.
    if (document)
        document->setProperties(SlipSubject::properties(row.identification, row.computed->sheet));
    return document;
}

std::variant<std::vector<ReportDocument>, ReportError> PayRunSlips::documents(const PayRun &run,
                                                                               const QList<int> &rows,
                                                                               const Progress &progress) const
{
    std::vector<ReportDocument> documents;
    documents.reserve(rows.size());
    for (const int index : rows) {
        ReportError error;
        std::optional<ReportDocument> document = this->document(run, index, &error);
        if (!document)
            return error;
        documents.push_back(std::move(*document));
        if (progress && !progress(int(documents.size())))
            return ReportError::success();
    }
    return documents;
}

QList<std::pair<int, QStringList>> PayRunSlips::alreadySaved(const PayRun &run, const QList<int> &rows,
                                                             const PayRunHistory &history)
{
    QList<std::pair<int, QStringList>> saved;
    for (const int index : rows) {
        const PayRunRow &row = run.row(index);
        const QStringList files = history.savedSlips(row.identification, row.names, run.period());
        if (!files.isEmpty())
            saved.append({index, files});
    }
    return saved;
}

PayRunSlips::Saving PayRunSlips::save(PayRun &run, const QList<int> &rows, const QSet<int> &replace,
                                      PayRunHistory &history, const Progress &progress) const
{
    Saving saving;
    QStringList written;
    int done = 0;
    for (const int index : rows) {
        const PayRunRow &row = run.row(index);
        const QStringList previous = history.savedSlips(row.identification, row.names, run.period());
        if (previous.isEmpty() || replace.contains(index)) {
            std::optional<ReportDocument> document = this->document(run, index, &saving.failure);
            if (!document)
                break;
            const QString fileName = PayRunSlipName::fileName(run.period(), row.names);
            saving.failure = history.save(fileName, *document, previous);
            if (saving.failure.failed())
                break;
            run.setSaved(index, fileName);
            saving.saved.append(index);
            written.append(fileName);
        }
        if (progress && !progress(++done)) {
            saving.stopped = true;
            break;
        }
    }
    // Whatever stopped the saving, the slips written are recorded.
    saving.notRecorded = history.record(written);
    return saving;
}
