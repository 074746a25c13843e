#pragma once

#include "employeefigures.h"
#include "employeerecordtexts.h"
#include "employerrecordtexts.h"
#include "payrollparameters.h"

#include <QString>

class ScreenRegistry;

// What the pay calculation reads, taken from the screens that show it at the
// moment of the reading: the employee current on the employee screen, the
// general parameters and the euro rate, validated or not. A screen that is
// not open is loaded without being shown, so it shows the stored values.
class PayInputScreens
{
public:
    explicit PayInputScreens(ScreenRegistry &registry)
        : m_registry(registry)
    {
    }

    // Who the employee screen shows: the record's key and « NOM PRENOM ».
    struct EmployeeShown
    {
        QString key;
        QString names;
    };
    EmployeeShown employeeShown() const;
    EmployeeFigures employee() const;
    PayrollParameters parameters() const;
    QString euroRate() const;
    // What the pay slip prints of the employee shown and of the employer,
    // as their screens show them; the employer screen is loaded unseen when
    // it is not open.
    EmployeeRecordTexts employeeRecord() const;
    EmployerRecordTexts employer() const;

    // The opening's "0" in an empty hourly base or rate: `shown` is what the
    // calculation made of `read`, and the employee screen is told the
    // difference.
    void showEmployeeDefaults(const EmployeeFigures &read, const EmployeeFigures &shown) const;

private:
    ScreenRegistry &m_registry;
};
