#pragma once

// Saved pay slips made as the program makes them: the demonstration
// folder's employees paid on the stored files by the pay calculation, the
// pay slip built by the formula set and written by the report engine on the
// delivered layout, with its employee and period. A slip of the first
// version is the same file without them, indented as such files were.

#include "demodata.h"
#include "paycalculation.h"
#include "payslipformulaset.h"
#include "reportengine.h"
#include "slipsubject.h"
#include "storedpayinputs.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace SavedSlips {

inline const QString Smic = QStringLiteral("MOREAU , CÉLINE");

// The previous slip's three figures as typed, and the month's complementary hours.
struct Typed
{
    QString leave;
    QString taxable;
    QString gross;
    QString complementaryHours;
};

// Writes `fileName` into `directory`; false (with a test failure) when it could not.
inline bool save(const QString &directory, const QString &fileName, const QString &identification,
                 const QDate &start, const QDate &end, const Typed &typed = {})
{
    auto loaded = StoredPayInputs::load(directory, identification);
    if (const QString *error = std::get_if<QString>(&loaded)) {
        qWarning("%s", qPrintable(*error));
        return false;
    }
    const StoredPayInputs &inputs = std::get<StoredPayInputs>(loaded);
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    auto *opened = std::get_if<PayCalculation::OpenedSheet>(&opening);
    if (!opened)
        return false;
    PaySheet sheet = opened->sheet;
    sheet.period_start_day = QString::number(start.day());
    sheet.period_start_month = QString::number(start.month());
    sheet.period_start_year = QString::number(start.year());
    sheet.period_end_day = QString::number(end.day());
    sheet.period_end_month = QString::number(end.month());
    sheet.period_end_year = QString::number(end.year());
    sheet.previous_leave_balance = typed.leave;
    sheet.previous_cumulative_taxable = typed.taxable;
    sheet.previous_cumulative_gross = typed.gross;
    sheet.complementary_hours = typed.complementaryHours;
    if (PayCalculation::calculate(sheet, opened->employee, inputs.parameters, inputs.euroRate))
        return false;
    auto employer = StoredPayInputs::loadEmployer(directory);
    PaySheet printed = sheet;
    const QList<FormulaEntry> entries =
        PayslipFormulaSet::build(printed, inputs.record, std::get<EmployerRecordTexts>(employer));
    ReportEngine engine;
    engine.set_report_file(QStringLiteral(":/report/rkv.rpl"));
    for (const FormulaEntry &entry : entries)
        engine.set_formula(entry.number, entry.text);
    engine.setProperties(SlipSubject::properties(inputs.identification, sheet));
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(QDir(directory).filePath(fileName));
    const ReportError error = engine.run();
    if (error.failed())
        qWarning("%s", qPrintable(error.message));
    return !error.failed();
}

inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

// The file as a slip saved before slips named their employee and period.
inline void makeFirstVersion(const QString &path)
{
    QJsonObject json = QJsonDocument::fromJson(read(path)).object();
    json.insert(QStringLiteral("version"), 1);
    json.remove(QStringLiteral("properties"));
    write(path, QJsonDocument(json).toJson(QJsonDocument::Indented));
}

// The values the slip prints, by formula name.
inline QHash<QString, QString> printed(const QString &path)
{
    QHash<QString, QString> values;
    const QJsonArray formulas = QJsonDocument::fromJson(read(path)).object().value(QStringLiteral("formulas")).toArray();
    for (const QJsonValue &formula : formulas)
        values.insert(formula[QStringLiteral("name")].toString(), formula[QStringLiteral("value")].toString());
    return values;
}

} // namespace SavedSlips
