#pragma once

#include "employeefigures.h"
#include "employeerecordtexts.h"
#include "payrollparameters.h"

#include <QList>
#include <QString>

// The whole staff of a working folder, as the employee, parameters and euro
// rate screens show it when freshly loaded: one member per employee, in the
// employee file's order, with what the calculation reads and what the pay
// slip prints of them.
struct StoredStaff
{
    struct Member
    {
        QString identification; // IDENTIFICATION, « NOM , PRENOM »
        EmployeeFigures employee;
        EmployeeRecordTexts record;
    };

    QList<Member> members;
    PayrollParameters parameters;
    QString euroRate;
};
