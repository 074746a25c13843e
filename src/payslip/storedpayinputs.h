#pragma once

#include "employeefigures.h"
#include "employeerecordtexts.h"
#include "employerrecordtexts.h"
#include "payrollparameters.h"
#include "storedstaff.h"

#include <QString>
#include <optional>
#include <variant>

// The inputs of a pay calculation as the employee, parameters and euro rate
// screens show them when freshly loaded on the files of a working folder:
// the employee's record with every rate as the employee screen's activation
// shows it, the parameters with their options as the parameters screen
// ticks them, the euro rate as stored. Nothing is written to the files.
struct StoredPayInputs
{
    EmployeeFigures employee;
    PayrollParameters parameters;
    QString euroRate;
    // What the pay slip prints of the same employee, as the employee screen
    // shows the stored record.
    EmployeeRecordTexts record;
    // The employee's key as stored, « NOM , PRENOM ».
    QString identification;

    // The employee is found by IDENTIFICATION, as typed or, failing that, as
    // the employee screen would have stored it (typographic apostrophes,
    // upper case). On failure: a French message saying what is wrong.
    static std::variant<StoredPayInputs, QString> load(const QString &directory,
                                                       const QString &identification);

    // Every employee of the folder at once, read through one opening of the
    // file, with the parameters and the euro rate: the month's pay run.
    static std::variant<StoredStaff, QString> loadStaff(const QString &directory);

    // The euro rate alone, as stored (the statements convert their totals);
    // none when it cannot be read, `error` saying why in French.
    static std::optional<QString> loadEuroRate(const QString &directory, QString *error);

    // The employer of the pay slip (sterk.rkv), as the employer screen shows
    // it. A folder without that file is refused: reading never creates it.
    static std::variant<EmployerRecordTexts, QString> loadEmployer(const QString &directory);
};
